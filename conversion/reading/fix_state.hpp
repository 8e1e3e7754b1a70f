#pragma once
// The values last decoded from the log: the pending fix of a conversion run.
// Beside each value that a sentence may leave out, whether it gave it: an
// empty field reads as 0, which the pushpin file writes and the other
// formats leave out.

#include <array>
#include <optional>

namespace conversion {

constexpr int SatelliteSlots = 12;

// The sentence a log's positions come from: GGA, or in a log without any,
// RMC, or in a log without either, GLL. Neither of the two says the altitude
// or the satellites in use.
enum class PositionSentence : char { Gga, Rmc, Gll };

// What a $GPGGA line sets: time, position and altitude.
struct GgaFix {
  int Hours = 0;
  int Minutes = 0;
  float Seconds = 0;
  int LatDegrees = 0;
  float LatMinutes = 0;
  char LatHemisphere = ' ';
  int LonDegrees = 0;
  float LonMinutes = 0;
  char LonHemisphere = ' ';
  float Altitude = 0;
  bool TimeGiven = false;
  bool AltitudeGiven = false;
  PositionSentence Source = PositionSentence::Gga;
};

// One record per run, started afresh each time, so that a conversion
// depends on its own log and options only.
struct FixState : GgaFix {
  float Course = 0;
  float SpeedKmh = 0;
  float SpeedMph = 0;
  std::array<int, SatelliteSlots> SatellitePrns{};
  int SatelliteCount = 0;
  bool CourseGiven = false;
  bool SpeedGiven = false;
};

// Signed decimal degrees. Anything but "N" counts as south, but only "W" as
// west: a blank hemisphere gives a southern latitude and an eastern longitude.
float Latitude(const FixState& fix);
float Longitude(const FixState& fix);

// The same before the rounding to float, for the six decimals of the map formats.
double PreciseLatitude(const GgaFix& fix);
double PreciseLongitude(const GgaFix& fix);

// Seconds since midnight (UTC) of the fix's time, up to 86401 for a leap
// second; none when the sentence gave no time or one that is no time of day.
std::optional<double> SecondsOfDay(const GgaFix& fix);

}  // namespace conversion
