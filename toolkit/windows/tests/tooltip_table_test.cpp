#include "toolkit/windows/tooltip_table.hpp"

#include <algorithm>
#include <vector>

#include <doctest/doctest.h>

using namespace toolkit;

namespace {

TooltipRecord Record(int command, std::string_view text) {
  TooltipRecord r{command, {}};
  std::fill(r.Text.begin(), r.Text.end(), ' ');
  std::copy(text.begin(), text.end(), r.Text.begin());
  return r;
}

}  // namespace

TEST_CASE("TooltipFor") {
  const std::vector<TooltipRecord> table{Record(40002, "Open a log"), {}, Record(40003, "Save"),
                                         Record(40002, "Open a log file"), Record(40010, "")};
  CHECK(TooltipFor(table, 40002) == "Open a log file");  // the last record wins
  CHECK(TooltipFor(table, 40003) == "Save");
  CHECK(TooltipFor(table, 40010) == "");  // a blank text still wins over the string table
  CHECK_FALSE(TooltipFor(table, 40019).has_value());
  CHECK_FALSE(TooltipFor({}, 40002).has_value());
}
