#include "conversion/run/result_lines.hpp"

#include <doctest/doctest.h>

TEST_CASE("CountLine") {
  struct Row {
    int Records;
    int Resolution;
    std::string_view Line;
    std::string_view FormatName = {};
  };
  const Row rows[] = {
      {42, 5, "42 records written.  Resolution (secs):  5"},
      {73, 1, "73 records written as GPX track.  Resolution (secs):  1", "GPX track"},
      {12345678, 10, "12345678 records written as Track picture.  Resolution (secs): 10", "Track picture"},
      {7, 10, "7 records written.  Resolution (secs): 10"},
      {0, 1, "0 records written.  Resolution (secs):  1"},
      {12345678, 1, "12345678 records written.  Resolution (secs):  1"},
      {123456789, 1, "123456789 records written.  Resolution (secs):  1"},
      {3, 100, "3 records written.  Resolution (secs): 100"},
      {2, 3600, "2 records written.  Resolution (secs): 3600"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Line);
    CHECK(conversion::CountLine(row.Records, row.Resolution, row.FormatName) == row.Line);
  }
}
