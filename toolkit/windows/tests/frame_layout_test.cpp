#include "toolkit/windows/frame_layout.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("LayOutFrameArea") {
  SUBCASE("the client window alone takes the whole area") {
    const FrameLayout l = LayOutFrameArea(512, 300, {});
    CHECK(l.Client == Placement{0, 0, 512, 300});
  }
  SUBCASE("status bar, then top and bottom toolbars across, side toolbars between them") {
    const FrameLayout l = LayOutFrameArea(512, 300, {.StatusBarHeight = 20, .TopHeight = 28, .BottomHeight = 26,
                                                     .LeftWidth = 25, .RightWidth = 31});
    CHECK(l.Top == Placement{0, 0, 512, 28});
    CHECK(l.Bottom == Placement{0, 254, 512, 26});
    CHECK(l.Left == Placement{0, 28, 25, 226});
    CHECK(l.Right == Placement{481, 28, 31, 226});
    CHECK(l.Client == Placement{25, 28, 456, 226});
  }
  SUBCASE("an area too small for the toolbars leaves the client window empty, not negative") {
    const FrameLayout l = LayOutFrameArea(40, 50, {.StatusBarHeight = 20, .TopHeight = 28, .LeftWidth = 25,
                                                   .RightWidth = 25});
    CHECK(l.Right == Placement{15, 28, 25, 2});
    CHECK(l.Client == Placement{25, 28, 0, 2});
  }
}
