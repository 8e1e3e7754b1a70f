#pragma once
// The durations and speeds the track options take: a number and its unit,
// written together ("5s", "1.5h", "120mph").

#include <optional>
#include <string_view>

namespace cli {

// Milliseconds of "5s", "1m" or "1h"; any positive number of seconds,
// minutes or hours, with decimals or without.
std::optional<long long> ReadDuration(std::string_view text);

// Kilometres an hour of "200kmh" (or "200km/h"), "50ms" (or "50m/s"),
// "120mph" or "30kn"; any positive number.
std::optional<double> ReadSpeed(std::string_view text);

}  // namespace cli
