#include <doctest/doctest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "conversion/formats/number_fields.hpp"

using namespace conversion;

TEST_CASE("FixedField") {
  const struct {
    float value;
    int width;
    int decimals;
    std::string_view text;
  } cases[] = {
      {48.1173f, 10, 4, "   48.1173"},
      {0.12f, 10, 4, "    0.1200"},
      {-33.8568f, 10, 4, "  -33.8568"},
      {-0.1276f, 10, 4, "   -0.1276"},
      {6.3342f, 5, 1, "  6.3"},
      {999.94f, 5, 1, "999.9"},
      {999.96f, 5, 1, "*****"},
      {1000.0f, 5, 1, "*****"},
      {-99.9f, 5, 1, "-99.9"},
      {-100.0f, 5, 1, "*****"},
      {0.25f, 5, 1, "  0.3"},    // exact halves go away from zero
      {-0.25f, 5, 1, " -0.3"},
      {2.5f, 3, 0, "  3"},
      {-0.04f, 6, 1, "   0.0"},  // no minus sign on a value that rounds to zero
      {-0.0f, 6, 1, "   0.0"},
      {1e30f, 10, 4, "**********"},
      {545.4f, 8, 1, "   545.4"},
  };
  for (const auto& c : cases) {
    CAPTURE(c.value);
    CAPTURE(c.width);
    CHECK(FixedField(c.value, c.width, c.decimals).View() == c.text);
  }
}

TEST_CASE("IntegerField and WriteZeroPadded") {
  auto ZeroPaddedField = [](long long value, int width) {
    std::string text(static_cast<std::size_t>(width), '?');
    WriteZeroPadded(text.data(), value, width);
    return text;
  };
  CHECK(IntegerField(24, 3).View() == " 24");
  CHECK(IntegerField(5, 3).View() == "  5");
  CHECK(IntegerField(0, 3).View() == "  0");
  CHECK(IntegerField(7, 1).View() == "7");
  CHECK(IntegerField(12, 1).View() == "*");
  CHECK(ZeroPaddedField(7, 3) == "007");
  CHECK(IntegerField(-3, 3).View() == " -3");
  CHECK(IntegerField(1000, 3).View() == "***");
  CHECK(IntegerField(12345678, 8).View() == "12345678");
  CHECK(IntegerField(123456789, 8).View() == "********");
  CHECK(ZeroPaddedField(7, 2) == "07");
  CHECK(ZeroPaddedField(0, 2) == "00");
  CHECK(ZeroPaddedField(59, 2) == "59");
  CHECK(ZeroPaddedField(100, 2) == "**");
  CHECK(ZeroPaddedField(-1, 2) == "**");
}

TEST_CASE("WriteInteger and WriteZeroPadded agree with the library, small values and widths above all") {
  for (int width = 1; width <= 10; ++width) {
    for (long long value = -12; value <= 1005; ++value) {
      CAPTURE(width);
      CAPTURE(value);
      std::array<char, 32> expected{}, written{};
      const int length = std::snprintf(expected.data(), expected.size(), "%*lld", width, value);
      if (length > width) std::memset(expected.data(), '*', static_cast<std::size_t>(width));
      CHECK(WriteInteger(written.data(), value, width) == written.data() + width);
      CHECK(std::string_view(written.data(), static_cast<std::size_t>(width)) ==
            std::string_view(expected.data(), static_cast<std::size_t>(width)));

      expected.fill(0);
      written.fill(0);
      const int padded = std::snprintf(expected.data(), expected.size(), "%0*lld", width, value);
      if (value < 0 || padded > width) std::memset(expected.data(), '*', static_cast<std::size_t>(width));
      CHECK(WriteZeroPadded(written.data(), value, width) == written.data() + width);
      CHECK(std::string_view(written.data(), static_cast<std::size_t>(width)) ==
            std::string_view(expected.data(), static_cast<std::size_t>(width)));
    }
  }
}

TEST_CASE("ContinentalNumber") {
  CHECK(ContinentalNumber(48.1173f, 10, 4).View() == "48,1173   ");
  CHECK(ContinentalNumber(-0.1276f, 10, 4).View() == "-0,1276   ");
  CHECK(ContinentalNumber(6.3342f, 5, 1).View() == "6,3  ");
  CHECK(ContinentalNumber(54.7f, 6, 1).View() == "54,7  ");
  CHECK(ContinentalNumber(1000.0f, 5, 1).View() == "*****");
}

TEST_CASE("LeftJustifiedTrimmed and UseDecimalComma") {
  FieldText altitude = FixedField(-12.3f, 8, 1);
  UseDecimalComma(altitude);
  CHECK(LeftJustifiedTrimmed(altitude) == "-12,3");
  FieldText stars = FixedField(1e9f, 8, 1);
  UseDecimalComma(stars);
  CHECK(LeftJustifiedTrimmed(stars) == "********");
}

// Away from exact halves (which the library rounds to even) the fields are
// the library's correctly rounded fixed form, right-justified.
TEST_CASE("FixedField agrees with the library's fixed form") {
  std::uint32_t seed = 7;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    float value;
    const std::uint32_t bits = (seed & 0x807FFFFFu) | ((seed >> 9 & 0x1Fu) + 110u) << 23;  // magnitudes 2^-17 to 2^14
    std::memcpy(&value, &bits, sizeof value);
    for (const int decimals : {1, 4}) {
      const double scaled = static_cast<double>(value) * std::pow(10.0, decimals);
      if (scaled - std::floor(scaled) == 0.5) continue;
      char text[64];
      const char* end = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, decimals).ptr;
      std::string expected(text, static_cast<std::size_t>(end - text));
      if (expected.find_first_not_of("-0.") == std::string::npos) expected.erase(0, expected[0] == '-');
      expected.insert(0, expected.size() < 12 ? 12 - expected.size() : 0, ' ');
      CAPTURE(value);
      REQUIRE(FixedField(value, 12, decimals).View() == expected);
    }
  }
}

// Every float the map formats write goes through the quick search or the
// library's; both must give the library's characters.
TEST_CASE("WriteShortest writes what the library writes") {
  auto check = [](float value) {
    char expected[64], written[64];
    const char* expectedEnd = std::to_chars(expected, expected + sizeof expected, value + 0.0f, std::chars_format::fixed).ptr;
    const char* writtenEnd = WriteShortest(written, written + sizeof written, value);
    CAPTURE(value);
    REQUIRE(std::string_view(written, static_cast<std::size_t>(writtenEnd - written)) ==
            std::string_view(expected, static_cast<std::size_t>(expectedEnd - expected)));
  };
  // Values as logs write them: up to 7 digits with up to 7 decimals, and their neighbours.
  std::uint32_t seed = 11;
  for (int i = 0; i < 300000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const int decimals = static_cast<int>(seed >> 29);
    const float value = static_cast<float>((seed >> 8) % 10000000 / std::pow(10.0, decimals)) * (seed & 1 ? -1.0f : 1.0f);
    check(value);
    check(std::nextafter(value, 0.0f));
    check(std::nextafter(value, 1e30f));
  }
  // Any float at all.
  for (int i = 0; i < 300000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    float value;
    std::memcpy(&value, &seed, sizeof value);
    if (std::isfinite(value)) check(value);
  }
  for (const float value : {0.0f, -0.0f, 0.5f, 1.5f, 2.5f, 8388607.5f, 8388608.0f, 16777215.0f, 1e-7f, 1e-8f, 3.4e38f, 1e-45f})
    check(value);
}

TEST_CASE("WriteDecimals writes what the library writes") {
  auto check = [](double value, int decimals) {
    char expected[400], written[400];
    const char* expectedEnd =
        std::to_chars(expected, expected + sizeof expected, value + 0.0, std::chars_format::fixed, decimals).ptr;
    const char* writtenEnd = WriteDecimals(written, written + sizeof written, value, decimals);
    CAPTURE(value);
    CAPTURE(decimals);
    REQUIRE(std::string_view(written, static_cast<std::size_t>(writtenEnd - written)) ==
            std::string_view(expected, static_cast<std::size_t>(expectedEnd - expected)));
  };
  // Degrees as the map formats write them, and speeds; near halves above all.
  std::uint32_t seed = 5;
  for (int i = 0; i < 300000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double degrees = (seed >> 8) % 180000000 / 1e6 + (seed & 7) * 5e-8;
    for (const int decimals : {2, 6}) {
      check(degrees, decimals);
      check(-degrees, decimals);
      check(degrees / 3.6, decimals);
    }
  }
  for (const double value : {0.0078125, -0.0078125, 0.125, 2.5, 0.0, -0.0, -1e-9, 1e300, -180.0, 2147.4836475, 1e-320})
    for (int decimals = 0; decimals <= 6; ++decimals) check(value, decimals);
}
