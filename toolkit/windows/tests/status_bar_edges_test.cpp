#include "toolkit/windows/status_bar_edges.hpp"

#include <array>
#include <vector>

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("StatusBarEdges") {
  SUBCASE("the application's two parts on 512 pixels") {
    const std::array widths{7000, -1};
    const StatusBarLayout l = StatusBarEdges(512, widths);
    CHECK(l.Count == 2);
    CHECK(l.RightEdges[0] == 357);
    CHECK(l.RightEdges[1] == -1);
    CHECK(l.Styles[0] == PartStyle::Sunken);
    CHECK(l.Styles[1] == PartStyle::Sunken);
  }
  SUBCASE("edges accumulate, each width rounded down on its own") {
    const std::array widths{3333, 3333, 3333};
    const StatusBarLayout l = StatusBarEdges(512, widths);
    CHECK(l.RightEdges[0] == 170);
    CHECK(l.RightEdges[1] == 340);
    CHECK(l.RightEdges[2] == 510);
  }
  SUBCASE("styles: 0 no border, 2 raised, anything else sunken") {
    const std::array widths{1000, 1000, 1000, -1};
    const std::array styles{0, 2, 7, -3};
    const StatusBarLayout l = StatusBarEdges(512, widths, std::span<const int>(styles));
    CHECK(l.Styles[0] == PartStyle::NoBorder);
    CHECK(l.Styles[1] == PartStyle::Raised);
    CHECK(l.Styles[2] == PartStyle::Sunken);
    CHECK(l.Styles[3] == PartStyle::Sunken);
  }
  SUBCASE("parts after a -1 reach the right end and keep the style they had") {
    const std::array widths{5000, -1, 2000};
    const std::array styles{2, 0, 2};
    const StatusBarLayout l = StatusBarEdges(512, widths, std::span<const int>(styles));
    CHECK(l.Count == 3);
    CHECK(l.RightEdges[0] == 255);
    CHECK(l.RightEdges[1] == -1);
    CHECK(l.RightEdges[2] == -1);
    CHECK(l.StyledCount == 2);
  }
  SUBCASE("no parts, or more than 255, change nothing") {
    CHECK(StatusBarEdges(512, std::span<const int>{}).Count == 0);
    const std::vector<int> many(256, 10);
    CHECK(StatusBarEdges(512, many).Count == 0);
    const std::vector<int> most(255, 10);
    CHECK(StatusBarEdges(512, most).Count == 255);
  }
}
