#include "conversion/formats/time_zone.hpp"

#include <cmath>

namespace conversion {

namespace {

constexpr long long SecondsPerDay = 86400;

int TwoDigits(std::string_view text) {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return -1;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

// "+05:30", "-0800", "+01": the offsets the world uses, from -12:00 to +14:00.
std::optional<int> FixedOffset(std::string_view text) {
  if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  const int sign = text[0] == '-' ? -1 : 1;
  const int hours = TwoDigits(text.substr(1, 2));
  std::string_view rest = text.substr(3);
  if (!rest.empty() && rest[0] == ':') rest.remove_prefix(1);
  const int minutes = rest.empty() ? 0 : TwoDigits(rest);
  if (hours < 0 || minutes < 0 || minutes > 59) return std::nullopt;
  const int offset = sign * (hours * 3600 + minutes * 60);
  if (offset < -12 * 3600 || offset > 14 * 3600) return std::nullopt;
  return offset;
}

}  // namespace

std::optional<TimeZone> TimeZone::Find(std::string_view name, std::string& reason) {
  TimeZone zone;
  if (name == "UTC" || name == "utc" || name == "Z") return zone;
  if (name.starts_with('+') || name.starts_with('-')) {
    const std::optional<int> offset = FixedOffset(name);
    if (!offset) {
      reason = "an offset is written +hh:mm or -hh:mm, from -12:00 to +14:00";
      return std::nullopt;
    }
    zone.name_ = name;
    zone.fixedOffset_ = *offset;
    return zone;
  }
  std::optional<FoundRules> found = LoadZoneRules(name, reason);
  if (!found) return std::nullopt;
  zone.name_ = std::move(found->ShownName);
  zone.rules_ = std::move(found->Rules);
  return zone;
}

int TimeZone::OffsetAt(long long utcSeconds) const {
  return rules_ ? RulesOffsetAt(*rules_, utcSeconds) : fixedOffset_;
}

std::optional<ZonedTime> InZone(const TimeZone& zone, const std::optional<long long>& utcDay, double utcSecondsOfDay) {
  if (zone.IsUtc()) return ZonedTime{utcDay, utcSecondsOfDay, std::nullopt};
  if (zone.NeedsDate() && !utcDay) return std::nullopt;
  const long long day = utcDay.value_or(0);
  const int offset = zone.OffsetAt(day * SecondsPerDay + static_cast<long long>(std::floor(utcSecondsOfDay)));
  double seconds = utcSecondsOfDay + offset;
  long long days = 0;
  if (seconds < 0) {
    seconds += SecondsPerDay;
    days = -1;
  } else if (seconds >= SecondsPerDay) {
    seconds -= SecondsPerDay;
    days = 1;
  }
  return ZonedTime{utcDay ? std::optional<long long>(day + days) : std::nullopt, seconds, offset};
}

}  // namespace conversion
