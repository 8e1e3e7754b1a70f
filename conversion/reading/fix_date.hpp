#pragma once
// The day of each fix. A $GPGGA time has no date: the day comes from the
// log's $GPRMC and $GPZDA sentences and is carried from fix to fix across
// midnight, back to the fixes before the first date as well.

#include <optional>
#include <string_view>

#include "text/inline_text.hpp"

namespace conversion {

// Days since 1970-01-01 of a day written YYYY-MM-DD, from 0001-01-01 on;
// nothing for any other text.
std::optional<long long> ReadDay(std::string_view text);

// A day and time the log gives: a $GPRMC sentence that reports a valid fix
// with a date, or a $GPZDA sentence, of any talker.
struct LoggedDate {
  long long Day = 0;
  double SecondsOfDay = 0;
};
std::optional<LoggedDate> ReadRmcDate(std::string_view line);
std::optional<LoggedDate> ReadZdaDate(std::string_view line);

// The time of a $GPRMC sentence, and whether its status says the receiver
// had no fix (V).
struct RmcStatus {
  double SecondsOfDay = 0;
  bool Void = false;
};

// Both at once, one reading of the sentence.
struct RmcReading {
  std::optional<LoggedDate> Date;
  std::optional<RmcStatus> Status;
};
RmcReading ReadRmc(std::string_view line);

// The day of a fix whose time has none.
struct FixDay {
  long long Day = 0;
  // Until the log has given a date, days are counted from its first fix, day
  // 0; the first date then tells the Shift that makes them true days.
  bool Known = false;
};

class FixDays {
 public:
  void NoteDate(const LoggedDate& date) { date_ = date; }

  // The day of a fix at this time of day (0 to 86400 seconds). A date since
  // the last fix decides, the fix falling on the day that puts it nearest to
  // that date's time; otherwise the day of the last fix, one later when the
  // time went back by more than 12 hours (midnight passed).
  FixDay DayOf(double secondsOfDay);

  // What to add to the days counted before the log's first date; none until
  // it came.
  const std::optional<long long>& Shift() const { return shift_; }

 private:
  std::optional<LoggedDate> date_;
  std::optional<LoggedDate> last_;
  std::optional<long long> shift_;
};

// "2003-05-17T12:35:19Z", with milliseconds when the time has a fraction of
// a second ("...T12:35:19.250Z"); nothing for a moment outside the years 1 to
// 9999, which four digits cannot write.
using TimeText = text::InlineText<32>;
std::optional<TimeText> UtcTimeText(long long day, double secondsOfDay);
// The same for a local day and time, ending in the offset east of UTC
// ("...T13:35:19+01:00") instead of Z when there is one.
std::optional<TimeText> IsoTimeText(long long day, double secondsOfDay, const std::optional<int>& offsetSeconds);

}  // namespace conversion
