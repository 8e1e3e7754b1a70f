#include "toolkit/windows/font_faces.hpp"

#include <string_view>

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("FontFaceOf") {
  struct Case {
    int Family;
    std::string_view Name;
    int PitchAndFamily;
  };
  const Case cases[] = {{2, "Times New Roman", 18}, {3, "Arial", 34}, {4, "Courier New", 50}, {5, "Symbol", 2},
                        {6, "Wingdings", 2}};
  for (const Case& c : cases) {
    CAPTURE(c.Family);
    REQUIRE(FontFaceOf(c.Family).has_value());
    CHECK(std::string_view(FontFaceOf(c.Family)->Name) == c.Name);
    CHECK(FontFaceOf(c.Family)->PitchAndFamily == c.PitchAndFamily);
  }
  for (int family : {-1, 0, 1, 7}) {
    CAPTURE(family);
    CHECK_FALSE(FontFaceOf(family).has_value());
  }
}
