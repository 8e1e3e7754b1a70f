#include <doctest/doctest.h>

#include <string>

#include "conversion/formats/pushpin_output.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/run/convert_log_file.hpp"

using namespace conversion;

namespace {
// The fix of the worked example: one $GPGGA with its $GPGSA and $GPVTG.
FixState ExampleFix() {
  FixState fix;
  REQUIRE(DecodeGga("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47", GgaForm::InLoop, fix));
  REQUIRE(DecodeGsa("$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39", fix));
  DecodeVtg("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", fix);
  return fix;
}

std::string Record(long long n, NumberStyle style, bool speed, const FixState& fix) {
  std::string out;
  WritePushpinRecord(n, style, speed, fix, out);
  return out;
}
}  // namespace

TEST_CASE("WritePushpinHeader") {
  std::string out;
  WritePushpinHeader(NumberStyle::English, out);
  CHECK(out == "  Name, Latitude,  Longitude, Information\r\n");
  out.clear();
  WritePushpinHeader(NumberStyle::Continental, out);
  CHECK(out == "Name\tLatitude\tLongitude\tInformation\r\n");
}

TEST_CASE("WritePushpinRecord") {
  const FixState fix = ExampleFix();

  SUBCASE("the four forms, English") {
    CHECK(Record(1, NumberStyle::English, true, fix) ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   6.3/ 10.2\rCourse (true):   54.7"
          "\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24\"\r\n");
    FixState noSatellites = fix;
    noSatellites.SatelliteCount = 0;
    CHECK(Record(1, NumberStyle::English, false, noSatellites) ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4\"\r\n");
    CHECK(Record(1, NumberStyle::English, true, noSatellites) ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   6.3/ 10.2\rCourse (true):   54.7"
          "\rAltitude (m): 545.4\"\r\n");
    CHECK(Record(1, NumberStyle::English, false, fix) ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24\"\r\n");
  }
  SUBCASE("the four forms, Continental") {
    CHECK(Record(1, NumberStyle::Continental, true, fix) ==
          "Pt1\t48,1173\t11,5167\t\"Time: 12:35:19\rSpeed (mph/kph): 6,3  /10,2 \rCourse (true): 54,7  "
          "\rAltitude (m): 545,4\rSatellites:   4  5  9 12 24\"\r\n");
    FixState noSatellites = fix;
    noSatellites.SatelliteCount = 0;
    CHECK(Record(1, NumberStyle::Continental, false, noSatellites) ==
          "Pt1\t48,1173\t11,5167\t\"Time: 12:35:19\rAltitude (m): 545,4\"\r\n");
  }
  SUBCASE("names") {
    const std::string zeroFix = ",    0.0000,    0.0000,\"Time: 00:00:00\rAltitude (m): 0.0\"\r\n";
    CHECK(Record(1234, NumberStyle::English, false, FixState{}) == "Pt1234" + zeroFix);
    CHECK(Record(99999999, NumberStyle::English, false, FixState{}) == "Pt99999999" + zeroFix);
    CHECK(Record(123456789, NumberStyle::English, false, FixState{}) == "Pt********" + zeroFix);
  }
  SUBCASE("signs, seconds and fields too small") {
    FixState odd = fix;
    odd.LatMinutes = 51.408f;  // 33.8568
    odd.LatHemisphere = 'S';
    odd.LonDegrees = 0;
    odd.LonMinutes = 7.656f;  // 0.1276
    odd.LonHemisphere = 'W';
    odd.LatDegrees = 33;
    odd.Seconds = 5.5f;
    odd.SpeedKmh = 1000.0f;
    odd.Altitude = -12.3f;
    odd.SatelliteCount = 0;
    CHECK(Record(2, NumberStyle::English, true, odd) ==
          "Pt2,  -33.8568,   -0.1276,\"Time: 12:35:05\rSpeed (mph/kph):   6.3/*****\rCourse (true):   54.7"
          "\rAltitude (m): -12.3\"\r\n");
    CHECK(Record(2, NumberStyle::Continental, true, odd) ==
          "Pt2\t-33,8568\t-0,1276\t\"Time: 12:35:05\rSpeed (mph/kph): 6,3  /*****\rCourse (true): 54,7  "
          "\rAltitude (m): -12,3\"\r\n");
    odd.Seconds = 59.999f;
    CHECK(Record(2, NumberStyle::English, false, odd) == "Pt2,  -33.8568,   -0.1276,\"Time: 12:35:59\rAltitude (m): -12.3\"\r\n");
  }
  SUBCASE("satellites: zeros as they stand, never more than 12 slots") {
    FixState many = fix;
    many.SatelliteCount = 8;
    CHECK(Record(1, NumberStyle::English, false, many).ends_with("\rSatellites:   4  5  9 12 24  0  0  0\"\r\n"));
    many.SatelliteCount = 40;
    CHECK(Record(1, NumberStyle::English, false, many).ends_with("\rSatellites:   4  5  9 12 24  0  0  0  0  0  0  0\"\r\n"));
    many.SatelliteCount = -1;
    CHECK(Record(1, NumberStyle::English, false, many).ends_with("\rAltitude (m): 545.4\"\r\n"));
  }
}
