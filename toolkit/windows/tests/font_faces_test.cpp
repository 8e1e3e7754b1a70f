#include "toolkit/windows/font_faces.hpp"

#include <string_view>

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("FontFaceOf") {
  CHECK(std::string_view(FontFaceOf(2)->Name) == "Times New Roman");
  CHECK(FontFaceOf(4)->PitchAndFamily == 50);  // Courier New: fixed pitch, modern
  CHECK(std::string_view(FontFaceOf(6)->Name) == "Wingdings");
  for (int family : {-1, 0, 1, 7}) {
    CAPTURE(family);
    CHECK_FALSE(FontFaceOf(family).has_value());
  }
}
