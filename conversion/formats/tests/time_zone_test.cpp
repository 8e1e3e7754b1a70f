#include "conversion/formats/time_zone.hpp"

#include <doctest/doctest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/reading/fix_date.hpp"

using namespace conversion;

namespace {

// "2026-03-29T03:00:00+02:00", "13:00:00+01:00" without a day, "none"
// where the zone's offset needs the day.
std::string Zoned(const TimeZone& zone, const char* utc) {
  const std::string text(utc);
  const std::size_t t = text.find('T');
  const std::optional<long long> day = t == std::string::npos ? std::nullopt : ReadDay(text.substr(0, t));
  const std::string time = t == std::string::npos ? text : text.substr(t + 1);
  const double seconds = std::stoi(time.substr(0, 2)) * 3600 + std::stoi(time.substr(3, 2)) * 60 + std::stod(time.substr(6));
  const std::optional<ZonedTime> zoned = InZone(zone, day, seconds);
  if (!zoned) return "none";
  const std::string iso(IsoTimeText(zoned->Day.value_or(0), zoned->SecondsOfDay, zoned->Offset)->View());
  return zoned->Day ? iso : iso.substr(11);
}

TimeZone Found(const char* name) {
  std::string reason;
  const std::optional<TimeZone> zone = TimeZone::Find(name, reason);
  REQUIRE_MESSAGE(zone, reason);
  return *zone;
}

}  // namespace

TEST_CASE("Times in a zone take the zone's rule at their own instant") {
  struct Row {
    const char* Zone;
    const char* Utc;
    const char* Local;
  };
  const Row rows[] = {
      {"Europe/Berlin", "2026-01-15T12:00:00", "2026-01-15T13:00:00+01:00"},
      {"Europe/Berlin", "2026-07-15T12:00:00.250", "2026-07-15T14:00:00.250+02:00"},
      // The change to summer time inside one drive: 02:00 local does not happen.
      {"Europe/Berlin", "2026-03-29T00:59:59", "2026-03-29T01:59:59+01:00"},
      {"Europe/Berlin", "2026-03-29T01:00:00", "2026-03-29T03:00:00+02:00"},
      // The rule of the day, not today's: Berlin kept summer time into October in 1980.
      {"Europe/Berlin", "1980-09-27T12:00:00", "1980-09-27T14:00:00+02:00"},
      {"America/St_Johns", "2026-01-15T02:00:00", "2026-01-14T22:30:00-03:30"},
      {"+05:30", "2026-01-15T20:00:00", "2026-01-16T01:30:00+05:30"},
      {"-0800", "2026-01-15T05:00:00", "2026-01-14T21:00:00-08:00"},
      {"UTC", "2026-01-15T05:00:00", "2026-01-15T05:00:00Z"},
      // Without a day a fixed offset still holds; a zone's rule cannot be known.
      {"+05:30", "20:00:00", "01:30:00+05:30"},
      {"Europe/Berlin", "20:00:00", "none"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Zone);
    CAPTURE(row.Utc);
#ifdef _WIN32
    // Names need the database Windows 10 carries from version 1903 on; Wine has none.
    std::string reason;
    if (std::string_view(row.Zone).find('/') != std::string_view::npos && !TimeZone::Find(row.Zone, reason)) {
      CHECK(reason == "this Windows has no time-zone database for named zones (Windows 10 version 1903 and later "
                      "have one); use local or an offset such as +01:00");
      continue;
    }
#endif
    CHECK(Zoned(Found(row.Zone), row.Utc) == row.Local);
  }
}

#ifndef _WIN32
TEST_CASE("The machine's own zone follows TZ") {
  const char* before = std::getenv("TZ");
  const std::string kept = before ? before : "";
  setenv("TZ", "America/St_Johns", 1);
  const TimeZone local = Found("local");
  if (before) setenv("TZ", kept.c_str(), 1);
  else unsetenv("TZ");
  CHECK(local.Name() == "local (America/St_Johns)");
  CHECK(Zoned(local, "2026-07-15T12:00:00") == "2026-07-15T09:30:00-02:30");
}
#endif

TEST_CASE("A zone the system does not know is refused with the reason") {
  const std::pair<const char*, const char*> rows[] = {
      {"Europe/Berln", "the system's time-zone database (tzdata) has no such zone; use a name such as Europe/Berlin, "
                       "local, or an offset such as +01:00"},
      {"../../etc/passwd", "the system's time-zone database (tzdata) has no such zone; use a name such as "
                           "Europe/Berlin, local, or an offset such as +01:00"},
      {"+15:00", "an offset is written +hh:mm or -hh:mm, from -12:00 to +14:00"},
      {"+5:30", "an offset is written +hh:mm or -hh:mm, from -12:00 to +14:00"},
      {"+05:60", "an offset is written +hh:mm or -hh:mm, from -12:00 to +14:00"},
  };
  for (const auto& [name, reason] : rows) {
    CAPTURE(name);
    std::string said;
    CHECK_FALSE(TimeZone::Find(name, said));
#ifndef _WIN32
    CHECK(said == reason);
#endif
  }
}
