#include "conversion/reading/fix_date.hpp"

#include <chrono>
#include <cmath>

#include "conversion/reading/comma_fields.hpp"
#include "conversion/reading/number_reading.hpp"

namespace conversion {

namespace {

namespace chrono = std::chrono;

constexpr double SecondsPerDay = 86400;

// The days a four-digit year can write.
constexpr long long FirstWrittenDay = chrono::sys_days(chrono::year{1} / 1 / 1).time_since_epoch().count();
constexpr long long LastWrittenDay = chrono::sys_days(chrono::year{9999} / 12 / 31).time_since_epoch().count();

using number_reading::IsDigit;

// The number written by `count` digits from `first` on; -1 when one is no digit.
int Digits(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    if (i >= text.size() || !IsDigit(text[i])) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<long long> DayNumber(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const chrono::year_month_day date{chrono::year{year}, chrono::month(static_cast<unsigned>(month)),
                                    chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return chrono::sys_days(date).time_since_epoch().count();
}

// hhmmss with an optional fraction of a second.
std::optional<double> SecondsOfDay(std::string_view field) {
  const int hours = Digits(field, 0, 2);
  const int minutes = Digits(field, 2, 2);
  const int seconds = Digits(field, 4, 2);
  // 23:59:60 is a leap second.
  const bool leap = hours == 23 && minutes == 59 && seconds == 60;
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || (seconds > 59 && !leap))
    return std::nullopt;
  double fraction = 0;
  if (field.size() > 6) {
    if (field[6] != '.') return std::nullopt;
    double scale = 0.1;
    for (const char c : field.substr(7)) {
      if (!IsDigit(c)) return std::nullopt;
      fraction += (c - '0') * scale;
      scale /= 10;
    }
  }
  return hours * 3600.0 + minutes * 60.0 + seconds + fraction;
}

std::string_view WithoutChecksum(std::string_view field) { return field.substr(0, field.find('*')); }

// Two-digit years: GPS began in 1980.
int FullYear(int year) { return year >= 80 ? 1900 + year : 2000 + year; }

char* PutDigits(char* out, long long value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
  return out + count;
}

}  // namespace

std::optional<long long> ReadDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const int year = Digits(text, 0, 4);
  const int month = Digits(text, 5, 2);
  const int day = Digits(text, 8, 2);
  // Year 0 has no xs:dateTime; four digits end at 9999.
  if (year < 1) return std::nullopt;
  return DayNumber(year, month, day);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
RmcReading ReadRmc(std::string_view line) {
  const auto fields = CommaFields<10>(line);
  const std::optional<double> time = SecondsOfDay(fields[1]);
  if (!time) return {};
  RmcReading read{std::nullopt, RmcStatus{*time, fields[2] == "V"}};
  // A receiver without a fix reports the day of its own clock, which may be
  // anything.
  const std::string_view date = WithoutChecksum(fields[9]);
  if (fields[2] != "A" || date.size() != 6) return read;
  const int year = Digits(date, 4, 2);
  if (year < 0) return read;
  if (const std::optional<long long> day = DayNumber(FullYear(year), Digits(date, 2, 2), Digits(date, 0, 2)))
    read.Date = LoggedDate{*day, *time};
  return read;
}

std::optional<LoggedDate> ReadRmcDate(std::string_view line) { return ReadRmc(line).Date; }

// $GPZDA,201530.00,04,07,2002,00,00*60
std::optional<LoggedDate> ReadZdaDate(std::string_view line) {
  const auto fields = CommaFields<5>(line);
  const std::optional<double> time = SecondsOfDay(fields[1]);
  const std::string_view year = WithoutChecksum(fields[4]);
  if (!time || fields[2].size() != 2 || fields[3].size() != 2 || year.size() != 4) return std::nullopt;
  const int fullYear = Digits(year, 0, 4);
  if (fullYear < 1) return std::nullopt;
  const std::optional<long long> day = DayNumber(fullYear, Digits(fields[3], 0, 2), Digits(fields[2], 0, 2));
  if (!day) return std::nullopt;
  return LoggedDate{*day, *time};
}

FixDay FixDays::DayOf(double secondsOfDay) {
  // Receivers repeat an epoch and joined logs step back a little; only a
  // step back of more than half a day is taken as midnight passed.
  const long long carried =
      last_ ? last_->Day + (secondsOfDay < last_->SecondsOfDay - SecondsPerDay / 2 ? 1 : 0) : 0;
  long long day = carried;
  if (date_) {
    // The date may belong to the epoch before or after the fix, on the
    // other side of midnight.
    const double difference = secondsOfDay - date_->SecondsOfDay;
    day = date_->Day + (difference > SecondsPerDay / 2 ? -1 : difference < -SecondsPerDay / 2 ? 1 : 0);
    date_.reset();
    if (!shift_) shift_ = day - carried;
  }
  last_ = LoggedDate{day, secondsOfDay};
  return {day, shift_.has_value()};
}

std::optional<TimeText> UtcTimeText(long long day, double secondsOfDay) {
  return IsoTimeText(day, secondsOfDay, std::nullopt);
}

std::optional<TimeText> IsoTimeText(long long day, double secondsOfDay, const std::optional<int>& offsetSeconds) {
  // Rounded to the millisecond as a whole, so that 59.9996 seconds carries
  // into the next minute (and perhaps the next day).
  const long long milliseconds = std::llround(secondsOfDay * 1000);
  const long long days = day + milliseconds / 86'400'000;
  const long long ofDay = milliseconds % 86'400'000;
  if (days < FirstWrittenDay || days > LastWrittenDay) return std::nullopt;
  const chrono::year_month_day date{chrono::sys_days(chrono::days(days))};

  TimeText text;
  char* out = text.End();
  out = PutDigits(out, static_cast<int>(date.year()), 4);
  *out++ = '-';
  out = PutDigits(out, static_cast<unsigned>(date.month()), 2);
  *out++ = '-';
  out = PutDigits(out, static_cast<unsigned>(date.day()), 2);
  *out++ = 'T';
  out = PutDigits(out, ofDay / 3'600'000, 2);
  *out++ = ':';
  out = PutDigits(out, ofDay / 60'000 % 60, 2);
  *out++ = ':';
  out = PutDigits(out, ofDay / 1000 % 60, 2);
  if (ofDay % 1000 != 0) {
    *out++ = '.';
    out = PutDigits(out, ofDay % 1000, 3);
  }
  if (!offsetSeconds) {
    *out++ = 'Z';
  } else {
    const int minutes = (*offsetSeconds < 0 ? -*offsetSeconds : *offsetSeconds) / 60;
    *out++ = *offsetSeconds < 0 ? '-' : '+';
    out = PutDigits(out, minutes / 60, 2);
    *out++ = ':';
    out = PutDigits(out, minutes % 60, 2);
  }
  text.SetEnd(out);
  return text;
}

}  // namespace conversion
