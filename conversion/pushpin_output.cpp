#include "conversion/pushpin_output.hpp"

#include <algorithm>
#include <cmath>

#include "conversion/convert_log_file.hpp"
#include "conversion/number_fields.hpp"
#include "toolkit/dialogs/text_utilities.hpp"

namespace conversion {

namespace {

bool IsContinental(int numberStyle) { return numberStyle == ContinentalStyle; }

// A right-justified English number, or a Continental one moved to the left
// with its trailing blanks kept.
FieldText StyledNumber(float value, int width, int decimals, bool continental) {
  return continental ? ContinentalNumber(value, width, decimals) : FixedField(value, width, decimals);
}

// Whole seconds, truncated toward zero; a value too large for any field stays too large.
long long WholeSeconds(float seconds) {
  constexpr float Limit = 1e15f;
  return static_cast<long long>(std::clamp(std::trunc(seconds), -Limit, Limit));
}

}  // namespace

void WritePushpinHeader(int numberStyle, std::string& out) {
  out += IsContinental(numberStyle) ? "Name\tLatitude\tLongitude\tInformation\r\n"
                                    : "  Name, Latitude,  Longitude, Information\r\n";
}

void WritePushpinRecord(long long n, int numberStyle, bool speedAvailable, const FixState& fix, std::string& out) {
  const bool continental = IsContinental(numberStyle);
  const char separator = continental ? '\t' : ',';

  FieldText name = IntegerField(n, 8);
  out += "Pt";
  out += LeftJustifiedTrimmed(name);
  out += separator;
  for (const float degrees : {Latitude(fix), Longitude(fix)}) {
    const FieldText number = StyledNumber(degrees, 10, 4, continental);
    out += continental ? toolkit::TrimTrailing(number.View()) : number.View();
    out += separator;
  }

  out += "\"Time: ";
  out += ZeroPaddedField(fix.Hours, 2).View();
  out += ':';
  out += ZeroPaddedField(fix.Minutes, 2).View();
  out += ':';
  out += ZeroPaddedField(WholeSeconds(fix.Seconds), 2).View();

  if (speedAvailable) {
    out += "\rSpeed (mph/kph): ";
    out += StyledNumber(fix.SpeedMph, 5, 1, continental).View();
    out += '/';
    out += StyledNumber(fix.SpeedKmh, 5, 1, continental).View();
    out += "\rCourse (true): ";
    out += StyledNumber(fix.Course, 6, 1, continental).View();
  }

  FieldText altitude = FixedField(fix.Altitude, 8, 1);
  if (continental) UseDecimalComma(altitude);
  out += "\rAltitude (m): ";
  out += LeftJustifiedTrimmed(altitude);

  if (fix.SatelliteCount > 0) {
    out += "\rSatellites: ";
    const int listed = std::min(fix.SatelliteCount, SatelliteSlots);
    for (int slot = 0; slot < listed; ++slot) out += IntegerField(fix.SatellitePrns[static_cast<std::size_t>(slot)], 3).View();
  }
  out += "\"\r\n";
}

}  // namespace conversion
