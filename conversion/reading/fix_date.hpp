#pragma once
// The day of each fix. A $GPGGA time has no date: the day comes from the
// log's $GPRMC sentences, or from a day the user gives for the first fix,
// and is carried forward from fix to fix across midnight.

#include <optional>
#include <string_view>

#include "text/inline_text.hpp"

namespace conversion {

// Days since 1970-01-01 of a day written YYYY-MM-DD, from 0001-01-01 on;
// nothing for any other text.
std::optional<long long> ReadDay(std::string_view text);

// The day and time of a $GPRMC sentence that reports a valid fix with a date.
struct RmcDate {
  long long Day = 0;
  double SecondsOfDay = 0;
};
std::optional<RmcDate> ReadRmcDate(std::string_view line);

class FixDays {
 public:
  explicit FixDays(std::optional<long long> firstDay) : firstDay_(firstDay) {}

  void NoteRmc(std::string_view line);

  // The day of a fix at this time of day (0 to 86400 seconds), or nothing
  // while no day is known. A dated $GPRMC since the last fix decides, the
  // fix falling on the day that puts it nearest to that sentence; otherwise
  // the day of the last fix, one later when the time went back by more than
  // 12 hours (midnight passed).
  std::optional<long long> DayOf(double secondsOfDay);

 private:
  std::optional<long long> firstDay_;
  std::optional<RmcDate> rmc_;
  std::optional<RmcDate> last_;
};

// "2003-05-17T12:35:19Z", with milliseconds when the time has a fraction of
// a second ("...T12:35:19.250Z"); nothing for a moment outside the years 1 to
// 9999, which four digits cannot write.
using TimeText = text::InlineText<32>;
std::optional<TimeText> UtcTimeText(long long day, double secondsOfDay);

}  // namespace conversion
