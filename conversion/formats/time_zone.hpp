#pragma once
// The time zone the user lives in, for the times people read (the pushpin
// notes, the CSV file, the statistics, the picture's caption). Each instant
// takes the zone's rule of its own day, summer time included. The map
// formats GPS programs read keep UTC.
//
// The rules come from the system: on Linux the time-zone database of the
// tzdata package read through cctz; on Windows the system's own zone for
// "local", and the database Windows 10 (version 1903 on) carries in its ICU
// for the names of other zones. One implementation per platform:
// time_zone_posix.cpp, time_zone_win32.cpp.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace conversion {

struct ZoneRules;

class TimeZone {
 public:
  // UTC.
  TimeZone() = default;

  // "UTC", "local" (the machine's own zone), a fixed offset ("+05:30",
  // "-08:00", "+01") or a name of the time-zone database ("Europe/Berlin");
  // nothing, with the reason, for a zone the system does not know.
  static std::optional<TimeZone> Find(std::string_view name, std::string& reason);

  bool IsUtc() const { return name_.empty(); }
  // Whether the offset depends on the instant, which then needs its date.
  bool NeedsDate() const { return rules_ != nullptr; }
  // As the user named it; for "local", with the zone the machine is in.
  const std::string& Name() const { return name_; }

  // Seconds east of UTC at the instant (seconds since 1970-01-01 UTC).
  int OffsetAt(long long utcSeconds) const;

 private:
  std::string name_;
  int fixedOffset_ = 0;
  std::shared_ptr<const ZoneRules> rules_;
};

// A time of a fix in the zone: its day, the time of that day and the
// offset. Nothing when the zone's offset needs a date that the fix lacks.
struct ZonedTime {
  std::optional<long long> Day;  // days since 1970-01-01, where known
  double SecondsOfDay = 0;
  std::optional<int> Offset;  // seconds east of UTC; none for UTC itself
};
std::optional<ZonedTime> InZone(const TimeZone& zone, const std::optional<long long>& utcDay, double utcSecondsOfDay);

// The platform's part: the rules of a zone by name ("local" for the
// machine's own), with the name to show; nothing, with the reason, for a
// zone it does not know.
struct FoundRules {
  std::shared_ptr<const ZoneRules> Rules;
  std::string ShownName;
};
std::optional<FoundRules> LoadZoneRules(std::string_view name, std::string& reason);
int RulesOffsetAt(const ZoneRules& rules, long long utcSeconds);

}  // namespace conversion
