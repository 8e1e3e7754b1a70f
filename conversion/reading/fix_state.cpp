#include "conversion/reading/fix_state.hpp"

namespace conversion {

FixState CurrentFix;

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

double PreciseLatitude(const FixState& fix) {
  return Degrees(fix.LatDegrees, fix.LatMinutes, fix.LatHemisphere != 'N');
}

double PreciseLongitude(const FixState& fix) {
  return Degrees(fix.LonDegrees, fix.LonMinutes, fix.LonHemisphere == 'W');
}

}  // namespace conversion
