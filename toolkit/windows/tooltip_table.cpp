#include "toolkit/windows/tooltip_table.hpp"

#include <algorithm>

#include "text/text_utilities.hpp"

namespace toolkit {

std::optional<std::string_view> TooltipFor(std::span<const TooltipRecord> table, int command) {
  const auto last = std::find_if(table.rbegin(), table.rend(),
                                 [command](const TooltipRecord& r) { return r.Command == command; });
  if (last == table.rend()) return std::nullopt;
  return text::TrimTrailing({last->Text.data(), last->Text.size()});
}

}  // namespace toolkit
