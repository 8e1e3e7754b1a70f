#include <cctz/time_zone.h>


#include "conversion/formats/time_zone.hpp"

namespace conversion {

// cctz keeps every zone it loaded for the life of the process; the handle is
// a pointer to it.
struct ZoneRules {
  cctz::time_zone Zone;
};

std::optional<FoundRules> LoadZoneRules(std::string_view name, std::string& reason) {
  FoundRules found;
  if (name == "local") {
    // TZ as the C library reads it (":Europe/Berlin" too), else /etc/localtime.
    found.Rules = std::make_shared<ZoneRules>(ZoneRules{cctz::local_time_zone()});
    std::string shown = found.Rules->Zone.name();
    found.ShownName = shown == "localtime" ? "local" : "local (" + shown + ")";
    return found;
  }
  // A path would reach any file: names of the database only.
  cctz::time_zone zone;
  if (name.empty() || name.starts_with('/') || name.find("..") != std::string_view::npos ||
      !cctz::load_time_zone(std::string(name), &zone)) {
    reason = "the system's time-zone database (tzdata) has no such zone; use a name such as Europe/Berlin, "
             "local, or an offset such as +01:00";
    return std::nullopt;
  }
  found.Rules = std::make_shared<ZoneRules>(ZoneRules{zone});
  found.ShownName = name;
  return found;
}

int RulesOffsetAt(const ZoneRules& rules, long long utcSeconds) {
  return rules.Zone.lookup(cctz::time_point<cctz::seconds>(cctz::seconds(utcSeconds))).offset;
}

}  // namespace conversion
