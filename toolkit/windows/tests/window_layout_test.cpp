#include "toolkit/windows/window_layout.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("SplitWindowFlags") {
  SUBCASE("the application's 0x67") {
    const WindowFlags f = SplitWindowFlags(0x67);
    CHECK(f.SystemMenu);
    CHECK(f.MinimiseBox);
    CHECK(f.MaximiseBox);
    CHECK_FALSE(f.StartMaximised);
    CHECK(f.StatusBar);
    CHECK(f.FixedSize);
    CHECK_FALSE(f.StartHidden);
    CHECK_FALSE(f.AlwaysOnTop);
  }
  SUBCASE("bits 3, 7 and 9; bits 4, 8 and 10 up mean nothing") {
    const WindowFlags f = SplitWindowFlags(0x288 | 0x110 | 0x7C00);
    CHECK(f.StartMaximised);
    CHECK(f.StartHidden);
    CHECK(f.AlwaysOnTop);
    CHECK_FALSE(f.SystemMenu);
    CHECK_FALSE(f.StatusBar);
  }
}

TEST_CASE("root window geometry") {
  SUBCASE("client size: the WindowSpec's, else 80 % of the screen") {
    CHECK(RequestedClientSize(512, 1024) == 512);
    CHECK(RequestedClientSize(0, 1023) == 818);
    CHECK(RequestedClientSize(-5, 768) == 614);
  }
  SUBCASE("origin: the WindowSpec's, else centred, halves truncated") {
    CHECK(WindowOrigin(10, 1024, 518) == 10);
    CHECK(WindowOrigin(0, 1024, 518) == 0);
    CHECK(WindowOrigin(-1, 1024, 519) == 252);
    CHECK(WindowOrigin(-1, 100, 201) == -50);
  }
  SUBCASE("a centred window grows by the status bar around its middle") {
    CHECK(TopAfterStatusBar(200, -1, false, 21) == 190);
    CHECK(TopAfterStatusBar(200, 5, false, 21) == 200);
    CHECK(TopAfterStatusBar(200, -1, true, 21) == 200);
  }
  SUBCASE("colour reserve: 16, 32, 64 or 128, else 16") {
    CHECK(ColourReserveFor(std::nullopt) == 16);
    CHECK(ColourReserveFor(64) == 64);
    CHECK(ColourReserveFor(128) == 128);
    CHECK(ColourReserveFor(100) == 16);
    CHECK(ColourReserveFor(256) == 16);
  }
}
