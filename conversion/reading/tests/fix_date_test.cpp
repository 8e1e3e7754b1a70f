#include "conversion/reading/fix_date.hpp"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace conversion;

namespace {

constexpr long long May17 = 12189;  // 2003-05-17

std::string Dated(const std::optional<LoggedDate>& date) {
  if (!date) return "none";
  return std::to_string(date->Day) + " " + std::to_string(date->SecondsOfDay);
}

}  // namespace

TEST_CASE("Dates from RMC sentences of a valid fix and from ZDA sentences") {
  const std::pair<const char*, std::string> rmc[] = {
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,170503,003.1,W*6A", "12189 45319.000000"},
      {"$GNRMC,123519.25,A,4807.038,N,01131.000,E,,,170503,,,A*6A", "12189 45319.250000"},
      {"$GPRMC,123519,V,,,,,,,170503,,*6A", "none"},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,310203,003.1,W*6A", "none"},
  };
  for (const auto& [line, dated] : rmc) {
    CAPTURE(line);
    CHECK(Dated(ReadRmcDate(line)) == dated);
  }
  // The status is read whatever the date: a receiver without a fix says so
  // with a time and no date at all.
  const std::pair<const char*, std::string> status[] = {
      {"$GPRMC,123519,V,,,,,,,,,*6A", "45319.000000 V"},
      {"$GPRMC,123519.5,A,4807.038,N,01131.000,E,,,,,*6A", "45319.500000 A"},
      {"$GPRMC,,V,,,,,,,170503,,*6A", "none"},
      {"$GPRMC,2460,V", "none"},
  };
  for (const auto& [line, read] : status) {
    CAPTURE(line);
    const std::optional<RmcStatus> found = ReadRmc(line).Status;
    CHECK((found ? std::to_string(found->SecondsOfDay) + (found->Void ? " V" : " A") : "none") == read);
  }
  const std::pair<const char*, std::string> zda[] = {
      {"$GPZDA,123519.00,17,05,2003,00,00*60", "12189 45319.000000"},
      {"$GNZDA,000000,01,01,1970,,*4F", "0 0.000000"},
      {"$GPZDA,,,,,,*48", "none"},
      {"$GPZDA,123519.00,17,05,0000,00,00*60", "none"},
      {"$GPZDA,123519.00,30,02,2003,00,00*60", "none"},
      {"$GPZDA,123519.00,17,05,03,00,00*60", "none"},
  };
  for (const auto& [line, dated] : zda) {
    CAPTURE(line);
    CHECK(Dated(ReadZdaDate(line)) == dated);
  }
}

TEST_CASE("The day of each fix, and of the fixes before the log's first date") {
  // A fix at a time of day, or a date noted at a time.
  struct Step {
    double Seconds;
    std::optional<long long> Date = std::nullopt;
  };
  auto date = [](long long day, double seconds) { return Step{seconds, day}; };
  struct Case {
    const char* Name;
    std::vector<Step> Steps;
    std::string Days;  // of the fixes; "?" after a day not yet known
    std::optional<long long> Shift;
  };
  const Case cases[] = {
      {"dated from the start", {date(May17, 36000), {36000}, {36001}}, "12189 12189", May17},
      {"before the first date", {{36000}, {36001}, date(May17, 36002), {36002}}, "0? 0? 12189", May17},
      {"over midnight before the first date", {{86398}, {86399}, date(May17, 0), {0}}, "0? 0? 12189", May17 - 1},
      {"a date before midnight for the fix after it", {date(May17, 86399), {0}}, "12190", May17 + 1},
      {"midnight passed after the date", {date(May17, 86399), {86399}, {1}, {2}}, "12189 12190 12190", May17},
      {"a repeated epoch is no new day", {date(May17, 100), {100}, {99}, {100}}, "12189 12189 12189", May17},
      {"never a date", {{100}, {86000}, {5}}, "0? 0? 1?", std::nullopt},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    FixDays days;
    std::string text;
    for (const Step& step : c.Steps) {
      if (step.Date) {
        days.NoteDate({*step.Date, step.Seconds});
        continue;
      }
      const FixDay day = days.DayOf(step.Seconds);
      if (!text.empty()) text += ' ';
      text += std::to_string(day.Day);
      if (!day.Known) text += '?';
    }
    CHECK(text == c.Days);
    CHECK(days.Shift() == c.Shift);
  }
}
