#pragma once
// The durations and speeds the track options take: a number and its unit,
// written together ("5s", "1.5h", "120mph").

#include <optional>
#include <string_view>

namespace cli {

// Milliseconds of "5s", "1m" or "1h"; a number of seconds, minutes or
// hours, with decimals or without, from ShortestDuration to LongestDuration.
std::optional<long long> ReadDuration(std::string_view text);
constexpr std::string_view ShortestDuration = "0.001s";
constexpr std::string_view LongestDuration = "1000000h";

// Kilometres an hour of "200kmh" (or "200km/h"), "50ms" (or "50m/s"),
// "120mph" or "30kn"; any positive number.
std::optional<double> ReadSpeed(std::string_view text);

}  // namespace cli
