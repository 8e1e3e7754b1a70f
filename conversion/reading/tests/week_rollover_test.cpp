#include "conversion/reading/week_rollover.hpp"

#include <doctest/doctest.h>

#include <chrono>
#include <string>

#include "conversion/reading/fix_date.hpp"
#include "conversion/tests/test_files.hpp"

using namespace conversion;

namespace {

long long Day(const char* text) { return *ReadDay(text); }

std::string DayText(long long day) {
  const std::optional<TimeText> text = UtcTimeText(day, 0);
  return text ? std::string(text->View().substr(0, 10)) : "none";
}

}  // namespace

TEST_CASE("A log's dates move forward by whole GPS week rollovers on evidence only") {
  struct Row {
    const char* Case;
    const char* First;
    const char* Last;     // the log's last date; "" when it has none to find
    const char* Written;  // the day its file was last written; "" for standard input
    std::optional<int> Forced;
    const char* Moved;
  };
  const Row rows[] = {
      {"before 2000", "1999-11-24", "1999-11-24", "", {}, "2019-07-10"},
      {"1985, two rollovers short of 2000", "1985-03-02", "1985-03-02", "", {}, "2004-10-16"},
      {"a 2026 drive dated 2007, written that day", "2007-04-23", "2007-04-23", "2026-12-07", {}, "2026-12-07"},
      {"the last date decides, not the first", "2007-03-01", "2007-04-20", "2026-12-07", {}, "2026-10-15"},
      {"written 3 years after: a true old log", "2007-04-23", "2007-04-23", "2010-04-23", {}, "2007-04-23"},
      {"written 1024 weeks and 40 days after", "2007-04-23", "2007-04-23", "2027-01-16", {}, "2007-04-23"},
      {"two rollovers behind the file's time", "1999-11-24", "1999-11-24", "2039-03-01", {}, "2039-02-23"},
      {"no date at the log's end", "2007-04-23", "", "2026-12-07", {}, "2007-04-23"},
      {"a recent log", "2026-12-06", "2026-12-07", "2026-12-07", {}, "2026-12-06"},
      {"standard input", "2007-04-23", "2007-04-23", "", {}, "2007-04-23"},
      {"off", "1999-11-24", "1999-11-24", "2019-07-10", 0, "1999-11-24"},
      {"forced, whatever the evidence", "2007-04-23", "2007-04-23", "", 1, "2026-12-07"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Case);
    bool lastAsked = false;
    const auto last = [&]() -> std::optional<long long> {
      lastAsked = true;
      return *row.Last ? std::optional(Day(row.Last)) : std::nullopt;
    };
    const std::optional<long long> written = *row.Written ? std::optional(Day(row.Written)) : std::nullopt;
    const long long shift = RolloverShift(Day(row.First), row.Forced, written, last);
    CHECK(DayText(Day(row.First) + shift) == row.Moved);
    // The end of the file is read only for an old log.
    if (!written || Day(row.First) >= *written - 365) CHECK_FALSE(lastAsked);
  }
}

TEST_CASE("The evidence of a log's file: its last date and the day it was written") {
  conversion_tests::TempFolder folder("rollover");
  const std::string log = folder / "old.pgl";
  conversion_tests::WriteFile(log,
                              "$GPRMC,101500,A,4807.038,N,01131.000,E,022.4,084.4,230407,,*6A\r\n"
                              "$GPRMC,235959,A,4807.038,N,01131.000,E,022.4,084.4,240407,,*6A\r\n"
                              "$GPRMC,000000,V,,,,,,,250407,,*6A\r\n"
                              "$GPGGA,000000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
  std::filesystem::last_write_time(log, std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
                                            std::chrono::sys_days(std::chrono::days(Day("2026-12-07"))) +
                                            std::chrono::hours(12))));
  CHECK(LastLoggedDay(log) == Day("2007-04-24"));
  CHECK(WrittenDay(log) == Day("2026-12-07"));
  CHECK_FALSE(LastLoggedDay(folder / "missing.pgl"));
  CHECK_FALSE(WrittenDay(folder.Path));
}
