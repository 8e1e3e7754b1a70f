#include "conversion/reading/fix_state.hpp"

namespace conversion {

namespace {
double Degrees(int degrees, float minutes, bool negative) {
  const double value = degrees + static_cast<double>(minutes) / 60.0;
  return negative ? -value : value;
}
}  // namespace

// Formed in double and rounded once, so that 48 degrees 7.038 minutes comes out
// as the float nearest to 48.1173.
float Latitude(const FixState& fix) { return static_cast<float>(PreciseLatitude(fix)); }
float Longitude(const FixState& fix) { return static_cast<float>(PreciseLongitude(fix)); }

double PreciseLatitude(const GgaFix& fix) {
  return Degrees(fix.LatDegrees, fix.LatMinutes, fix.LatHemisphere != 'N');
}

double PreciseLongitude(const GgaFix& fix) {
  return Degrees(fix.LonDegrees, fix.LonMinutes, fix.LonHemisphere == 'W');
}

std::optional<double> SecondsOfDay(const GgaFix& fix) {
  // A leap second, 23:59:60, is the day's last: it falls on midnight, the
  // next day's first second, as nothing after it can write it.
  const bool leap = fix.Hours == 23 && fix.Minutes == 59 && fix.Seconds >= 60 && fix.Seconds < 61;
  const bool valid = fix.Hours >= 0 && fix.Hours < 24 && fix.Minutes >= 0 && fix.Minutes < 60 &&
                     fix.Seconds >= 0 && (fix.Seconds < 60 || leap);
  if (!fix.TimeGiven || !valid) return std::nullopt;
  return fix.Hours * 3600.0 + fix.Minutes * 60.0 + fix.Seconds;
}

}  // namespace conversion
