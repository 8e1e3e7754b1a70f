#include <doctest/doctest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "conversion/log_line.hpp"
#include "conversion/sentence_decoding.hpp"

using namespace conversion;
using namespace std::literals;

namespace {
constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47";

FixState Decoded(std::string_view line, GgaForm form = GgaForm::InLoop) {
  FixState fix;
  REQUIRE(DecodeGga(line, form, fix));
  return fix;
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
  SUBCASE("field widths: a short field ended by its comma, a long one shifts the rest") {
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,45.4,M,46.9,M,,*47").Altitude == 45.4f);
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,1234.5,M,46.9,M,,*47").Altitude == 1234.0f);
    const FixState shifted = Decoded("$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47");
    CHECK(shifted.Seconds == 19.0f);
    CHECK(shifted.LatDegrees == 80);
  }
  SUBCASE("fields missing at the end read as 0") {
    const FixState fix = Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E", GgaForm::Final);
    CHECK(fix.LonMinutes == 31.0f);
    CHECK(fix.LonHemisphere == 'E');
    CHECK(fix.SatelliteCount == 0);
    CHECK(fix.Altitude == 0.0f);
    CHECK(Decoded("$GPGGA").Hours == 0);
  }
  SUBCASE("a number beyond the float range is still a number") {
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,1e-50,M,46.9,M,,*47").Altitude == 0.0f);
    CHECK(Decoded("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,-1e39,M,46.9,M,,*47").Altitude ==
          -std::numeric_limits<float>::max());
  }
  SUBCASE("a malformed sentence leaves the fix as it was") {
    const std::string_view malformed[] = {
        "$GPGGA,123519.000,,,,,0,00,,,M,,M,,*66",  // no fix: the empty fields move an M into the satellites column
        "$GPGGA,12x519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47",
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

TEST_CASE("DecodeVtg") {
  SUBCASE("course and speed") {
    FixState fix;
    DecodeVtg("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", fix);
    CHECK(fix.Course == 54.7f);
    CHECK(fix.SpeedKmh == 10.2f);
    CHECK(fix.SpeedMph == 10.2f * 0.621f);
  }
  SUBCASE("empty fields give 0") {
    FixState fix;
    fix.Course = fix.SpeedKmh = fix.SpeedMph = 5;
    DecodeVtg("$GPVTG,,T,,M,,N,,K*4E", fix);
    CHECK(fix.Course == 0.0f);
    CHECK(fix.SpeedKmh == 0.0f);
    CHECK(fix.SpeedMph == 0.0f);
  }
}

TEST_CASE("CommaFieldValue") {
  const struct {
    std::string_view text;
    int n;
    float value;
  } cases[] = {
      {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", 7, 10.2f},
      {"$GPVTG,  054.7 ,T", 1, 54.7f},
      {"a,12/5", 1, 12.0f},
      {"a,1.5e1,", 1, 15.0f},
      {"a,,b", 1, 0.0f},
      {"a,b,K", 2, 0.0f},
      {"a,10.2*48", 1, 0.0f},
      {"a,1", 2, 0.0f},
      {"a,   ", 1, 0.0f},
      {"no commas", 1, 0.0f},
      {"a,1234567,", 1, 1234567.0f},
      {"a,16777217,", 1, 16777216.0f},
      {"a,0.1234567", 1, 0.1234567f},
      {"a,.5,", 1, 0.5f},
      {"a,5.", 1, 5.0f},
      {"a,1.2.3,", 1, 0.0f},
      {"a,12 ,", 1, 12.0f},
      {"a,-2.5,", 1, -2.5f},
  };
  for (const auto& c : cases) {
    CAPTURE(c.text);
    CAPTURE(c.n);
    CHECK(CommaFieldValue(c.text, c.n) == c.value);
  }
}

// Lines as receivers write them are read by a quicker way than the general
// one; both must give the same values.
namespace {
bool QuickAgreesWithGeneral(std::string_view line) {
  GgaValues quick, general;
  const bool read = ReadGga(line, quick);
  if (read != ReadGgaByColumns(line, general)) return false;
  return !read || (quick.Hours == general.Hours && quick.Minutes == general.Minutes &&
                   quick.Seconds == general.Seconds && quick.LatDegrees == general.LatDegrees &&
                   quick.LatMinutes == general.LatMinutes && quick.LatHemisphere == general.LatHemisphere &&
                   quick.LonDegrees == general.LonDegrees && quick.LonMinutes == general.LonMinutes &&
                   quick.LonHemisphere == general.LonHemisphere && quick.SatellitesInUse == general.SatellitesInUse &&
                   quick.Altitude == general.Altitude);
}
}  // namespace

TEST_CASE("the quick reading of $GPGGA agrees with the general one") {
  SUBCASE("on every $GPGGA line of the real logs") {
    int lines = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PINWELL_DATA_DIR "/nmea-real")) {
      std::ifstream log(entry.path(), std::ios::binary);
      for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.starts_with("$GPGGA")) continue;
        ++lines;
        CAPTURE(line);
        CHECK(QuickAgreesWithGeneral(line));
      }
    }
    CHECK(lines > 500);
  }
  SUBCASE("whatever one column holds") {
    for (std::size_t column = 1; column <= Gga.size(); ++column) {
      for (const char c : {' ', ',', '.', '-', '+', 'x', 'E', '5', '\0'}) {
        const std::string line = WithCharacter(Gga, column, c);
        CAPTURE(line);
        CHECK(QuickAgreesWithGeneral(line));
      }
    }
  }
  SUBCASE("on random sentences with random changes") {
    std::uint64_t seed = 1;
    auto next = [&seed](std::uint32_t below) {
      seed = seed * 6364136223846793005u + 1442695040888963407u;
      return static_cast<std::uint32_t>(seed >> 33) % below;
    };
    constexpr std::string_view Characters = "0123456789.,- +eEx*";
    for (int i = 0; i < 100000; ++i) {
      std::string line(Gga);
      for (std::size_t c = 7; c < 57; ++c)
        if (line[c] >= '0' && line[c] <= '9') line[c] = static_cast<char>('0' + next(10));
      for (std::uint32_t changes = next(4); changes > 0; --changes) {
        const std::size_t column = next(57);
        line[column] = Characters[next(static_cast<std::uint32_t>(Characters.size()))];
      }
      if (next(8) == 0) line.resize(next(60));
      CAPTURE(line);
      REQUIRE(QuickAgreesWithGeneral(line));
    }
  }
}
