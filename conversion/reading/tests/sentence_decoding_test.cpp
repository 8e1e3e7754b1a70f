#include <doctest/doctest.h>

#include <array>
#include <bit>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "conversion/constants.hpp"
#include "conversion/reading/comma_fields.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/sentence_decoding.hpp"

using namespace conversion;
using namespace std::literals;

namespace {
constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47";

FixState Decoded(std::string_view line, GgaForm form = GgaForm::InLoop) {
  FixState fix;
  REQUIRE(DecodeGga(line, form, fix));
  return fix;
}

// The time and position read, as expected.
void CheckRead(const GgaFix& read, const GgaFix& expected) {
  CHECK(read.Hours == expected.Hours);
  CHECK(read.Minutes == expected.Minutes);
  CHECK(read.Seconds == expected.Seconds);
  CHECK(read.LatDegrees == expected.LatDegrees);
  CHECK(read.LatMinutes == expected.LatMinutes);
  CHECK(read.LatHemisphere == expected.LatHemisphere);
  CHECK(read.LonDegrees == expected.LonDegrees);
  CHECK(read.LonMinutes == expected.LonMinutes);
  CHECK(read.LonHemisphere == expected.LonHemisphere);
  CHECK(read.TimeGiven == expected.TimeGiven);
}

std::string WithCharacter(std::string_view line, std::size_t column, char c) {
  std::string changed(line);
  changed[column - 1] = c;
  return changed;
}
}  // namespace

TEST_CASE("DecodeGga") {
  SUBCASE("a well-formed sentence") {
    const FixState fix = Decoded(Gga);
    CHECK(fix.Hours == 12);
    CHECK(fix.Minutes == 35);
    CHECK(fix.Seconds == 19.0f);
    CHECK(fix.LatDegrees == 48);
    CHECK(fix.LatMinutes == 7.038f);
    CHECK(fix.LatHemisphere == 'N');
    CHECK(fix.LonDegrees == 11);
    CHECK(fix.LonMinutes == 31.0f);
    CHECK(fix.LonHemisphere == 'E');
    CHECK(fix.Altitude == 545.4f);
    CHECK(Latitude(fix) == 48.1173f);
    CHECK(Longitude(fix) == doctest::Approx(11.516667f));
    CHECK(fix.SatelliteCount == 0);
    CHECK(Decoded(Gga, GgaForm::Final).SatelliteCount == 8);
  }
  SUBCASE("the hemisphere tests are not symmetric") {
    const std::string southWest = WithCharacter(WithCharacter(Gga, 29, 'S'), 42, 'W');
    CHECK(Latitude(Decoded(southWest)) == -48.1173f);
    CHECK(Longitude(Decoded(southWest)) == doctest::Approx(-11.516667f));
    const std::string blank = WithCharacter(WithCharacter(Gga, 29, ' '), 42, ' ');
    CHECK(Latitude(Decoded(blank)) == -48.1173f);
    CHECK(Longitude(Decoded(blank)) == doctest::Approx(11.516667f));
  }
  SUBCASE("each field read whatever its width") {
    const struct {
      std::string_view line;
      GgaValues values;
    } cases[] = {
        {"$GPGGA,123519.00,4807.03800,N,01131.00000,E,1,08,0.9,545.4,M,46.9,M,,*47",
         {{12, 35, 19.0f, 48, 7.038f, 'N', 11, 31.0f, 'E', 545.4f, true, true}, 8}},
        {"$GPGGA,175736,5125.8714,N,00524.2350,E,1,04,2.1,60.3,M,47.2,M,,*7B",
         {{17, 57, 36.0f, 51, 25.8714f, 'N', 5, 24.235f, 'E', 60.3f, true, true}, 4}},
        {"$GNGGA,1235,4807.038,S,01131.000000,W,1,12,12.5,1234.5,M,46.9,M,,*47",
         {{12, 35, 0.0f, 48, 7.038f, 'S', 11, 31.0f, 'W', 1234.5f, true, true}, 12}},
        {"$GPGGA,,4807,N,1131,E,1,8,,-12.3", {{0, 0, 0.0f, 48, 7.0f, 'N', 11, 31.0f, 'E', -12.3f, false, true}, 8}},
        {"$GPGGA,123519.000,807.5,North,7.5,East",
         {{12, 35, 19.0f, 8, 7.5f, 'N', 0, 7.5f, 'E', 0.0f, true, false}, 0}},
        {"$GPGGA,123519.000,4807 .038,,0000.0000,,1,08,0.9,545.4*47,M",
         {{12, 35, 19.0f, 480, 7.038f, ' ', 0, 0.0f, ' ', 545.4f, true, true}, 8}},
        // Blanks, or the checksum where the altitude should be, give none.
        {"$GPGGA,      ,4807.0380,N,01131.0000,E,1,08,0.9,   ,M,46.9,M,,*47",
         {{0, 0, 0.0f, 48, 7.038f, 'N', 11, 31.0f, 'E', 0.0f, false, false}, 8}},
        {"$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,*47",
         {{12, 35, 19.0f, 48, 7.038f, 'N', 11, 31.0f, 'E', 0.0f, true, false}, 8}},
    };
    for (const auto& c : cases) {
      CAPTURE(c.line);
      GgaValues read;
      REQUIRE(ReadGga(c.line, read));
      CheckRead(read, c.values);
      CHECK(read.Altitude == c.values.Altitude);
      CHECK(read.SatellitesInUse == c.values.SatellitesInUse);
      CHECK(read.AltitudeGiven == c.values.AltitudeGiven);
    }
  }
  SUBCASE("a number beyond the float range is still a number") {
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,1e-50,M,46.9,M,,*47").Altitude == 0.0f);
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,-1e39,M,46.9,M,,*47").Altitude ==
          -std::numeric_limits<float>::max());
  }
  SUBCASE("a malformed sentence leaves the fix as it was") {
    const std::string_view malformed[] = {
        "$GPGGA,123519.000,,,,,0,00,,,M,,M,,*66",  // no fix: no position
        "$GPGGA,123519.000,4807.0380,N,,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "$GPGGA,123519.000,4807.0380,N*01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "$GPGGA",
        "$GPGGA,123,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "$GPGGA,12x519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,8.0,0.9,545.4,M,46.9,M,,*47",
        "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,54\0.4,M,46.9,M,,*47"sv,
    };
    for (const std::string_view line : malformed) {
      CAPTURE(line);
      FixState fix = Decoded(Gga, GgaForm::Final);
      const FixState before = fix;
      CHECK_FALSE(DecodeGga(line, GgaForm::Final, fix));
      CHECK(fix.Seconds == before.Seconds);
      CHECK(fix.Altitude == before.Altitude);
      CHECK(fix.SatelliteCount == before.SatelliteCount);
    }
  }
}

TEST_CASE("ReadRmc and ReadGll") {
  const struct {
    std::string_view line;
    bool fix;       // HasFix
    bool readable;  // and read
    GgaFix values;
  } cases[] = {
      {"$GPRMC,194907.00,A,5241.99815,N,00517.56525,E,0.005,,010809,,,A*7B", true, true,
       {19, 49, 7.0f, 52, 41.99815f, 'N', 5, 17.56525f, 'E', 0, true, false}},
      {"$GNRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W*6A", true, true,
       {12, 35, 19.0f, 48, 7.038f, 'S', 11, 31.0f, 'W', 0, true, false}},
      // An empty time is midnight, as in a GGA; the fields after the position may be missing.
      {"$GPRMC,,A,4807.038,N,01131.000,E", true, true, {0, 0, 0, 48, 7.038f, 'N', 11, 31.0f, 'E', 0, false, false}},
      {"$GPRMC,123519.000,V,4807.038,N,01131.000,E,,,230394,,,N*76", false, false, {}},
      {"$GPRMC,123519,A,,,,,,,230394,,,N*46", false, false, {}},
      {"$GPRMC,123519,a,4807.038,N,01131.000,E", false, false, {}},
      {"$GPRMC,12x519,A,4807.038,N,01131.000,E,,,230394", true, false, {}},
      {"$ECGLL,5119.881,N,00125.169,E,164326,A,D*52", true, true,
       {16, 43, 26.0f, 51, 19.881f, 'N', 1, 25.169f, 'E', 0, true, false}},
      {"$GPGLL,4916.45,S,12311.12,W,225444.5,A", true, true,
       {22, 54, 44.5f, 49, 16.45f, 'S', 123, 11.12f, 'W', 0, true, false}},
      // The oldest NMEA ends after the longitude: no status, no fix.
      {"$GPGLL,4916.45,N,12311.12,W*71", false, false, {}},
      {"$GPGLL,4916.45,N,12311.12,W,225444,V,N*44", false, false, {}},
      {"$GPGLL,,,,,225444,A,A*7D", false, false, {}},
      {"$GPGLL,4916.45,N,12311.1x,W,225444,A", true, false, {}},
  };
  for (const auto& c : cases) {
    CAPTURE(c.line);
    const bool rmc = c.line.substr(3, 3) == "RMC";
    const PositionSentence sentence = rmc ? PositionSentence::Rmc : PositionSentence::Gll;
    CHECK(HasFix(c.line, sentence) == c.fix);
    GgaValues read;
    read.Hours = 99;
    REQUIRE((rmc ? ReadRmc(c.line, read) : ReadGll(c.line, read)) == c.readable);
    if (!c.readable) {
      CHECK(read.Hours == 99);
      continue;
    }
    CheckRead(read, c.values);
    CHECK_FALSE(read.AltitudeGiven);
    CHECK(read.SatellitesInUse == 0);
    CHECK(read.Source == sentence);
  }
}

TEST_CASE("DecodeGsa") {
  SUBCASE("slot by slot, gaps left 0") {
    const struct {
      std::string_view line;
      std::array<int, 12> prns;
      int count;
    } cases[] = {
        {"$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39", {4, 5, 9, 12, 24}, 5},
        {"$GPGSA,A,1,,,,,,,,,,,,,,,*1E", {}, 0},
        {"$GPGSA,A,3,04,05,,09,,,,,,,,,2.5,1.3,2.1*39", {4, 5, 0, 9}, 3},
        {"$GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,2.5,1.3,2.1*39", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12},
        {"$GPGSA,A,3,04 , 05 07,,08", {4, 5, 7, 0, 8}, 4},
        {"$GPGSA,A,3,04,05", {4, 5}, 2},
        {"$GPGSA,A,3,04,05,", {4, 5}, 2},
        {"$GPGSA,A,3,04,05/,09", {4, 5}, 2},
        {"$GPGSA,A,3", {}, 0},
        {"$GPGSA,A,3,-2147483648,2147483647", {-2147483647 - 1, 2147483647}, 2},
        {"$GPGSA,A,3,,04,123,05,,7,,08 ,09", {0, 4, 123, 5, 0, 7, 0, 8, 9}, 6},
        {"$GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,13,14", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12},
    };
    for (const auto& c : cases) {
      CAPTURE(c.line);
      FixState fix;
      fix.SatellitePrns.fill(77);
      REQUIRE(DecodeGsa(c.line, fix));
      CHECK(fix.SatellitePrns == c.prns);
      CHECK(fix.SatelliteCount == c.count);
    }
  }
  SUBCASE("only the first 256 characters count") {
    std::string line = "$GPGSA,A,3,04";
    line.append(LogLineLength - 2 - line.size(), ' ');
    line += "05";
    FixState fix;
    REQUIRE(DecodeGsa(line, fix));
    CHECK(fix.SatelliteCount == 2);
    line.insert(line.size() - 2, 1, ' ');
    REQUIRE(DecodeGsa(line, fix));
    CHECK(fix.SatelliteCount == 1);
  }
  SUBCASE("a satellite field that is not an integer leaves the fix as it was") {
    for (const std::string_view line : {"$GPGSA,A,3,04,05,1.5,,,,,,,,2.5,1.3,2.1*39", "$GPGSA,A,3,04,05*39", "$GPGSA,A,3,04,x"}) {
      CAPTURE(line);
      FixState fix;
      fix.SatellitePrns.fill(77);
      fix.SatelliteCount = 12;
      CHECK_FALSE(DecodeGsa(line, fix));
      CHECK(fix.SatellitePrns[0] == 77);
      CHECK(fix.SatelliteCount == 12);
    }
  }
}

TEST_CASE("PoolGsa: each satellite once, in the order they come, up to 12") {
  FixState fix;
  fix.SatellitePrns.fill(77);
  fix.SatelliteCount = 12;
  const struct {
    std::string_view line;
    bool startList;
    std::array<int, 12> prns;
    int count;
  } steps[] = {
      {"$GNGSA,A,3,10,23,12,25,,,,,,,,,1.2,0.8,0.9*2B", true, {10, 23, 12, 25}, 4},
      {"$GNGSA,A,3,71,72,23,10,300,,,,,,,,1.2*2E", false, {10, 23, 12, 25, 71, 72, 300}, 7},
      {"$GNGSA,A,3,300,-5,-5,1,2,3,4,5,6", false, {10, 23, 12, 25, 71, 72, 300, -5, 1, 2, 3, 4}, 12},
      {"$GNGSA,A,3,07,07,263,263,,7", true, {7, 263}, 2},
      {"$GNGSA,A,3,263,64,0,128,192,255,256", false, {7, 263, 64, 128, 192, 255, 256}, 7},
  };
  for (const auto& step : steps) {
    CAPTURE(step.line);
    REQUIRE(PoolGsa(step.line, step.startList, fix));
    CHECK(fix.SatellitePrns == step.prns);
    CHECK(fix.SatelliteCount == step.count);
  }
}

TEST_CASE("DecodeVtg") {
  SUBCASE("course and speed") {
    FixState fix;
    DecodeVtg("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", fix);
    CHECK(fix.Course == 54.7f);
    CHECK(fix.SpeedKmh == 10.2f);
    CHECK(fix.SpeedMph == 10.2f * 0.621f);
    CHECK(fix.CourseGiven);
    CHECK(fix.SpeedGiven);
  }
  SUBCASE("empty fields give 0, and nothing given") {
    FixState fix;
    fix.Course = fix.SpeedKmh = fix.SpeedMph = 5;
    fix.CourseGiven = fix.SpeedGiven = true;
    DecodeVtg("$GPVTG,,T,,M,,N,,K*4E", fix);
    CHECK(fix.Course == 0.0f);
    CHECK(fix.SpeedKmh == 0.0f);
    CHECK(fix.SpeedMph == 0.0f);
    CHECK_FALSE(fix.CourseGiven);
    CHECK_FALSE(fix.SpeedGiven);
  }
}

TEST_CASE("CommaFieldNumber") {
  const struct {
    std::string_view text;
    int n;
    std::optional<float> value;
  } cases[] = {
      {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", 7, 10.2f},
      {"$GPVTG,  054.7 ,T", 1, 54.7f},
      {"a,12/5", 1, 12.0f},
      {"a,1.5e1,", 1, 15.0f},
      {"a,,b", 1, std::nullopt},
      {"a,b,K", 2, std::nullopt},
      {"a,10.2*48", 1, std::nullopt},
      {"a,1", 2, std::nullopt},
      {"a,   ", 1, std::nullopt},
      {"a, /5", 1, std::nullopt},
      {"no commas", 1, std::nullopt},
      {"a,1234567,", 1, 1234567.0f},
      {"a,16777217,", 1, 16777216.0f},
      {"a,0.1234567", 1, 0.1234567f},
      {"a,.5,", 1, 0.5f},
      {"a,5.", 1, 5.0f},
      {"a,1.2.3,", 1, std::nullopt},
      {"a,12 ,", 1, 12.0f},
      {"a,-2.5,", 1, -2.5f},
      {"a,0,", 1, 0.0f},
      {"a,123.4567,", 1, 123.4567f},
      {"a,12345.678,", 1, 12345.678f},
      {"a,0.00000001,", 1, 0.00000001f},
      {"a,7.5 ,", 1, 7.5f},
      {"$GPVTG,1,2,3,4,5,,77.5,K,8,9", 7, 77.5f},
      {"$GPVTG,1,2,3,4,5,,77.5,K,8,9", 10, 9.0f},
      {"$GPVTG,1,2,3,4,5,,77.5,K,8,9", 11, std::nullopt},
  };
  for (const auto& c : cases) {
    CAPTURE(c.text);
    CAPTURE(c.n);
    CHECK(CommaFieldNumber(c.text, c.n) == c.value);
  }
}

// Lines in the most common layout are read by a quicker way than by their
// fields; both must give the same values, bit for bit, and reject the same lines.
namespace {
bool QuickAgreesWithGeneral(std::string_view line) {
  GgaValues quick, general;
  const bool read = ReadGga(line, quick);
  if (read != ReadGgaByFields(line, general)) return false;
  auto same = [](float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); };
  return !read || (quick.Hours == general.Hours && quick.Minutes == general.Minutes &&
                   same(quick.Seconds, general.Seconds) && quick.LatDegrees == general.LatDegrees &&
                   same(quick.LatMinutes, general.LatMinutes) && quick.LatHemisphere == general.LatHemisphere &&
                   quick.LonDegrees == general.LonDegrees && same(quick.LonMinutes, general.LonMinutes) &&
                   quick.LonHemisphere == general.LonHemisphere && quick.SatellitesInUse == general.SatellitesInUse &&
                   quick.Quality == general.Quality &&
                   same(quick.Altitude, general.Altitude) && quick.TimeGiven == general.TimeGiven &&
                   quick.AltitudeGiven == general.AltitudeGiven);
}

struct Random {
  std::uint64_t Seed = 1;
  std::uint32_t Below(std::uint32_t n) {
    Seed = Seed * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>(Seed >> 33) % n;
  }
  std::string Digits(std::uint32_t count) {
    std::string digits;
    while (count-- > 0) digits += static_cast<char>('0' + Below(10));
    return digits;
  }
  // Digits, then a point and decimals now and then.
  std::string Number(std::uint32_t whole, std::uint32_t mostDecimals) {
    const std::uint32_t decimals = Below(mostDecimals + 2);
    std::string number = Digits(whole);
    if (decimals > 0) number += '.' + Digits(decimals - 1);
    return number;
  }
};
}  // namespace

TEST_CASE("the quick reading of $GPGGA agrees with the reading by fields") {
  SUBCASE("on every GGA line of the real logs") {
    int lines = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PINWELL_DATA_DIR "/nmea-real")) {
      LogReader log;
      REQUIRE(log.Open(entry.path().string()));
      for (std::string_view line; log.NextLine(line);) {
        if (line.size() < 6 || line[0] != '$' || line.compare(3, 3, "GGA") != 0) continue;
        ++lines;
        CAPTURE(line);
        CHECK(QuickAgreesWithGeneral(line));
      }
    }
    CHECK(lines > 5000);
  }
  SUBCASE("whatever one column holds, in both common layouts") {
    for (const std::string_view common :
         {Gga, "$GNGGA,123519.00,4807.03800,N,01131.00200,E,1,13,1.30,545.4,M,46.9,M,,*44"sv}) {
      for (std::size_t column = 1; column <= common.size(); ++column) {
        for (const char c : {' ', ',', '.', '-', '+', 'x', 'E', '5', '*', '\0'}) {
          const std::string line = WithCharacter(common, column, c);
          CAPTURE(line);
          CHECK(QuickAgreesWithGeneral(line));
        }
      }
    }
  }
  SUBCASE("on random sentences of random field widths, with random changes") {
    Random random;
    constexpr std::string_view Characters = "0123456789.,- +eEx*";
    for (int i = 0; i < 100000; ++i) {
      // Each field in a common layout 7 times in 8, so that many lines take a quick way.
      auto either = [&random](std::string common, std::string other) { return random.Below(8) ? common : other; };
      const std::string fields[] = {
          "$GPGGA",
          either(random.Digits(6) + "." + random.Digits(2 + random.Below(2)), random.Digits(random.Below(8)) + random.Number(0, 3)),
          either(random.Digits(4) + "." + random.Digits(4 + random.Below(2)), random.Number(random.Below(6), 6)),
          either("N", random.Below(2) ? "S" : ""),
          either(random.Digits(5) + "." + random.Digits(4 + random.Below(2)), random.Number(random.Below(7), 6)),
          either("E", random.Below(2) ? "W" : ""),
          either(random.Digits(1), ""),
          either(random.Digits(2), random.Digits(random.Below(4))),
          random.Number(random.Below(3), 2),
          random.Number(random.Below(5), 2),
          "M", random.Number(2, 1), "M", "", ""};
      std::string line;
      for (const std::string& field : fields) line += field + ",";
      line.back() = '*';
      line += random.Digits(2);
      for (std::uint32_t changes = random.Below(4); changes > 0; --changes)
        line[random.Below(static_cast<std::uint32_t>(line.size()))] =
            Characters[random.Below(static_cast<std::uint32_t>(Characters.size()))];
      if (random.Below(8) == 0) line.resize(random.Below(static_cast<std::uint32_t>(line.size())));
      CAPTURE(line);
      REQUIRE(QuickAgreesWithGeneral(line));
    }
  }
}

TEST_CASE("ChecksumMatches") {
  SUBCASE("the ending of a sentence") {
    const struct {
      std::string_view line;
      bool matches;
    } cases[] = {
        {"$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39", true},
        {"$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*38", false},
        {"$GPGGA,123519.000,,,,,0,00,,,M,,M,,*75", true},
        {"$GPGGA,123519.000,,,,,0,00,,,M,,M,,*7f", false},
        {"$GPRMC,,V,,,,,,,,,,N*53", true},
        {"$GPRMC,,V,,,,,,,,,,N*53 ", true},  // no ending: read
        {"$GPRMC,,V,,,,,,,,,,N*5", true},
        {"$GPRMC,,V,,,,,,,,,,N*5G", false},  // no hexadecimal digits: no checksum it could have
        {"$GPRMC,,V,,,,,,,,,,N*zz", false},
        {"$GPRMC,,V,,,,,,,,,,N", true},
        {"$A*40", false},
        {"$A*41", true},
    };
    for (const auto& c : cases) {
      CAPTURE(c.line);
      CHECK(ChecksumMatches(c.line) == c.matches);
    }
  }
  SUBCASE("of every length, against a plain sum") {
    Random random;
    for (std::size_t length = 1; length < 300; ++length) {
      std::string line = "$";
      while (line.size() < length) line += static_cast<char>(' ' + random.Below(90));
      std::uint8_t sum = 0;
      for (const char c : line.substr(1)) sum ^= static_cast<std::uint8_t>(c);
      const bool seen = line.size() + 3 <= LogLineLength;  // an ending cut away is no ending
      for (const std::uint8_t ending : {sum, static_cast<std::uint8_t>(sum ^ 0x10)}) {
        char text[4];
        std::snprintf(text, sizeof text, "*%02X", ending);
        CAPTURE(line + text);
        CHECK(ChecksumMatches(line + text) == (ending == sum || !seen));
      }
    }
  }
}

// The fields are found eight characters at a time where the line allows:
// every cut of these lines, commas on either side of each eight, must give
// the fields a plain split gives.
TEST_CASE("CommaFields splits as a plain split does") {
  for (const std::string_view full : {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
                                      ",,,,,,,,,,,,,,,,,,,,,,", "$GPZDA,201530.00,04,07,2002,00,00*60", "no commas here at all"}) {
    for (std::size_t length = 0; length <= full.size(); ++length) {
      const std::string_view line = full.substr(0, length);
      std::array<std::string_view, 10> expected{};
      std::size_t field = 0, start = 0;
      for (std::size_t i = 0; i <= line.size() && field < expected.size(); ++i) {
        if (i < line.size() && line[i] != ',') continue;
        expected[field++] = line.substr(start, i - start);
        start = i + 1;
      }
      CAPTURE(line);
      CHECK(CommaFields<10>(line) == expected);
      CHECK(CommaFields<3>(line) == std::array{expected[0], expected[1], expected[2]});
    }
  }
}
