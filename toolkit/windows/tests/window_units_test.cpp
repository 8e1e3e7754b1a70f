#include "toolkit/windows/window_units.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("UnitsToPixels") {
  struct Row { int units, pixels, expected; };
  const Row rows[] = {
      {100, 512, 5},    {1000, 300, 29}, {0, 512, 0},      {9999, 512, 511},
      {7000, 512, 357}, {5000, 1, 0},    {20000, 512, 1022}, {-100, 512, -5},
  };
  for (const Row& r : rows) {
    CAPTURE(r.units);
    CAPTURE(r.pixels);
    CHECK(UnitsToPixels(r.units, r.pixels) == r.expected);
  }
  SUBCASE("units far out of range do not overflow") {
    CHECK(UnitsToPixels(2'000'000'000, 1024) == 204'620'462);
  }
}

TEST_CASE("PixelsToUnits") {
  struct Row { int pixel, pixels, expected; };
  const Row rows[] = {
      {255, 512, 4989}, {0, 512, 9}, {511, 512, 9989}, {0, 1, 0}, {5, 0, 0}, {-1, 512, -9},
  };
  for (const Row& r : rows) {
    CAPTURE(r.pixel);
    CAPTURE(r.pixels);
    CHECK(PixelsToUnits(r.pixel, r.pixels) == r.expected);
  }
}
