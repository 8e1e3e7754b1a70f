#include <doctest/doctest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "conversion/reading/number_reading.hpp"

using conversion::ReadInteger;
using conversion::ReadReal;
using namespace std::literals;

TEST_CASE("ReadInteger") {
  SUBCASE("well-formed fields") {
    const struct {
      std::string_view field;
      int value;
    } cases[] = {{"08", 8}, {"", 0}, {"   ", 0}, {"1 2", 12}, {" -5", -5}, {"+7", 7}, {"- 3", -3},
                 {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"+2147483647", 2147483647}};
    for (const auto& c : cases) {
      CAPTURE(c.field);
      int value = -99;
      REQUIRE(ReadInteger(c.field, value));
      CHECK(value == c.value);
    }
  }
  SUBCASE("characters that cannot belong to an integer") {
    for (const std::string_view field : {"M"sv, "1.5"sv, "+"sv, "-"sv, "5-"sv, "1+1"sv, "0x1"sv, "\t1"sv, "1\0"sv, "2147483648"sv, "-2147483649"sv}) {
      CAPTURE(field);
      int value = 0;
      CHECK_FALSE(ReadInteger(field, value));
    }
  }
}

TEST_CASE("ReadReal") {
  SUBCASE("the float nearest to the number written") {
    const struct {
      std::string_view field;
      float value;
    } cases[] = {{"545.4", 545.4f},   {"19.000", 19.0f},  {"07.0380", 7.038f}, {"", 0.0f},
                 {"  ", 0.0f},        {"5.", 5.0f},       {".5", 0.5f},        {"-12.3", -12.3f},
                 {"+1 2.5", 12.5f},   {"1.5E2", 150.0f},  {"25e-1", 2.5f},     {"0.000000000001", 1e-12f},
                 {"123456789.5", 123456789.5f}, {"16777217", 16777216.0f}};
    for (const auto& c : cases) {
      CAPTURE(c.field);
      float value = -99;
      REQUIRE(ReadReal(c.field, value));
      CHECK(value == c.value);
    }
  }
  SUBCASE("a number beyond the float range takes the nearest float there is") {
    constexpr float Largest = std::numeric_limits<float>::max();
    const struct {
      std::string_view field;
      float value;
    } cases[] = {{"1e-50", 0.0f},  {"-1e-50", -0.0f},  {"0.0000000000000000000000000000000000000000000000001", 0.0f},
                 {"1e-45", 1e-45f}, {"1e-40", 1e-40f}, {"0e999", 0.0f}, {"1e-99999999999999999999", 0.0f},
                 {"1e39", Largest}, {"-1e39", -Largest}, {"0.001e42", Largest}, {"1e+99999999999999999999", Largest},
                 {"340282356779733661637539395458142568448", Largest}};
    for (const auto& c : cases) {
      CAPTURE(c.field);
      float value = -99;
      REQUIRE(ReadReal(c.field, value));
      CHECK(value == c.value);
      CHECK(std::signbit(value) == std::signbit(c.value));
    }
  }
  SUBCASE("characters that cannot belong to a number") {
    for (const std::string_view field :
         {"M"sv, "."sv, "-"sv, "1.2.3"sv, "1e"sv, "1e+"sv, "E5"sv, "nan"sv, "inf"sv, "1,5"sv, "10.2*48"sv, "1e39x"sv}) {
      CAPTURE(field);
      float value = 0;
      CHECK_FALSE(ReadReal(field, value));
    }
  }
}

TEST_CASE("ReadReal gives the float the library gives") {
  std::uint64_t seed = 42;
  auto next = [&seed] {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>(seed >> 33);
  };
  for (int i = 0; i < 200000; ++i) {
    std::string text = std::to_string(next() % 100000000);
    const std::size_t point = next() % (text.size() + 1);
    if (point < text.size()) text.insert(point, 1, '.');
    CAPTURE(text);
    float expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    float value = -1;
    REQUIRE(ReadReal(text, value));
    REQUIRE(value == expected);
  }
}
