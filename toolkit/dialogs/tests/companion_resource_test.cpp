// The text beside a dialog's template that fills its fields.

#include <doctest/doctest.h>

#include "toolkit/dialogs/companion_resource.hpp"

using namespace toolkit;
using namespace std::literals;

TEST_CASE("ParseCompanion") {
  SUBCASE("every section") {
    const CompanionResource r = ParseCompanion(
        "[Ranges]\r\n"
        "3001, 0, 250\r\n"
        "3009 -1.5 2.25\r\n"
        "[Menus]\r\n"
        "3002, 3, 2\r\n"
        "North\r\n"
        "  South east  \r\n"
        "West\r\n"
        "[Checks]\r\n"
        "3003, 1\r\n"
        "[Tabs]\r\n"
        "3005, 2, 302\r\n"
        "301, General\r\n"
        "302 More details\r\n"
        "[Grids]\r\n"
        "3006 4 3 Time of day, , Speed\r\n"
        "3010, 2, 1\r\n"
        "[Colours]\r\n"
        "3007, 255, 0, 0, 255, 255, 255\r\n"
        "[Trackbars]\r\n"
        "3004, 10, 1, 5, 20, 40\r\n"
        "[Lengths]\r\n"
        "3008, 12\r\n");
    CHECK(r.Ranges == std::vector<CompanionRange>{{3001, 0, 250}, {3009, -1.5, 2.25}});
    CHECK(r.Menus == std::vector<CompanionMenu>{{3002, 2, {"North", "South east", "West"}}});
    CHECK(r.Checks == std::vector<CompanionCheck>{{3003, 1}});
    CHECK(r.Tabs == std::vector<CompanionTabs>{{3005, 302, {{301, "General"}, {302, "More details"}}}});
    CHECK(r.Grids == std::vector<CompanionGrid>{{3006, 4, 3, {"Time of day", "", "Speed"}}, {3010, 2, 1, {}}});
    CHECK(r.Colours == std::vector<CompanionColours>{{3007, {255, 0, 0}, {255, 255, 255}}});
    CHECK(r.Trackbars == std::vector<CompanionTrackbar>{{3004, 10, 1, 5, 20, 40}});
    CHECK(r.Lengths == std::vector<CompanionLength>{{3008, 12}});
  }
  SUBCASE("what cannot be read is passed over") {
    const CompanionResource r = ParseCompanion(
        "3001, 0, 9\n"             // before any section
        "[Unknown]\n3001, 0, 9\n"
        "[Ranges]\n"
        "3001, 0\n"                // a value short
        "x, 0, 9\n"                // no field
        "3002, 0, nine\n"
        "\n"
        "3003, 1, 9\n"
        "[Lengths]\n3004 12 extra\n"
        "[Grids]\n3007, 0, 3\n3008, 2\n3009, 2, 2, A\n"  // no rows, no columns
        "[Menus]\n"
        "3005, 3, 1\n"             // the text ends before the third item
        "A\n"
        "B\0"
        "[Checks]\n3006 1\n"sv);
    CHECK(r.Ranges == std::vector<CompanionRange>{{3003, 1, 9}});
    CHECK(r.Lengths == std::vector<CompanionLength>{{3004, 12}});
    CHECK(r.Menus == std::vector<CompanionMenu>{{3005, 1, {"A", "B"}}});
    CHECK(r.Grids == std::vector<CompanionGrid>{{3009, 2, 2, {"A"}}});
    CHECK(r.Checks.empty());  // after the NUL
  }
  SUBCASE("an empty text fills nothing") { CHECK(ParseCompanion("") == CompanionResource{}); }
}
