#include "conversion/fix_state.hpp"

namespace conversion {

FixState CurrentFix;

namespace {
// Formed in double and rounded once, so that 48 degrees 7.038 minutes comes out
// as the float nearest to 48.1173.
float Degrees(int degrees, float minutes, bool negative) {
  const float value = static_cast<float>(degrees + static_cast<double>(minutes) / 60.0);
  return negative ? -value : value;
}
}  // namespace

float Latitude(const FixState& fix) {
  return Degrees(fix.LatDegrees, fix.LatMinutes, fix.LatHemisphere != 'N');
}

float Longitude(const FixState& fix) {
  return Degrees(fix.LonDegrees, fix.LonMinutes, fix.LonHemisphere == 'W');
}

}  // namespace conversion
