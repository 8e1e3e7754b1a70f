#include "cli/quantities.hpp"

#include <array>
#include <cmath>
#include <span>

namespace cli {

namespace {

struct Unit {
  std::string_view Name;
  double Factor;  // to the unit the program counts in
};

// Digits with at most one decimal point, and at least one digit; the rest is
// the unit. No sign, no exponent: "-5s" and "1e3s" are mistakes, not values.
std::optional<double> ReadQuantity(std::string_view text, std::span<const Unit> units) {
  std::size_t end = 0;
  double value = 0;
  double scale = 0;  // of the next decimal, once past the point
  bool digits = false;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c == '.' && scale == 0) {
      scale = 0.1;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (scale == 0) {
        value = value * 10 + (c - '0');
      } else {
        value += (c - '0') * scale;
        scale /= 10;
      }
    } else {
      break;
    }
  }
  const std::string_view unit = text.substr(end);
  for (const Unit& known : units) {
    if (known.Name != unit) continue;
    const double quantity = value * known.Factor;
    if (!digits || !(quantity > 0) || !std::isfinite(quantity)) return std::nullopt;
    return quantity;
  }
  return std::nullopt;
}

constexpr std::array<Unit, 3> DurationUnits{{{"s", 1e3}, {"m", 60e3}, {"h", 3600e3}}};

constexpr std::array<Unit, 6> SpeedUnits{{
    {"kmh", 1}, {"km/h", 1}, {"ms", 3.6}, {"m/s", 3.6}, {"mph", 1.609344}, {"kn", 1.852},
}};

}  // namespace

std::optional<long long> ReadDuration(std::string_view text) {
  const std::optional<double> milliseconds = ReadQuantity(text, DurationUnits);
  // The times of fixes are kept to the millisecond; a million hours is far
  // beyond any log.
  if (!milliseconds || *milliseconds < 1 || *milliseconds > 3.6e12) return std::nullopt;
  return std::llround(*milliseconds);
}

std::optional<double> ReadSpeed(std::string_view text) { return ReadQuantity(text, SpeedUnits); }

}  // namespace cli
