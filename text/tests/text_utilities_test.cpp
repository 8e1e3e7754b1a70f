#include <doctest/doctest.h>

#include <string>

#include "text/fixed_text.hpp"
#include "text/text_utilities.hpp"

using text::FixedText;
using text::JustifyString;

namespace {
std::string Justified(std::string text, std::string_view code) {
  JustifyString(text, code);
  return text;
}
}  // namespace

TEST_CASE("JustifyString") {
  SUBCASE("left and right") {
    CHECK(Justified("   12.5", "L") == "12.5   ");
    CHECK(Justified("   12.5", "R") == "   12.5");
    CHECK(Justified("12.5   ", "R") == "   12.5");
    CHECK(Justified(" a b  ", "l") == "a b   ");
    CHECK(Justified(" a b  ", "LR") == "a b   ");
    CHECK(Justified(" a b  ", "xr") == "   a b");
  }
  SUBCASE("centre leaves the odd blank on the right") {
    CHECK(Justified("abc       ", "C") == "   abc    ");
    CHECK(Justified("abc       ", " ") == "   abc    ");
    CHECK(Justified("abc       ", "") == "   abc    ");
  }
  SUBCASE("nothing to move") {
    CHECK(Justified("       ", "L") == "       ");
    CHECK(Justified("abcdefg", "C") == "abcdefg");
    CHECK(Justified("", "R") == "");
  }
  SUBCASE("a NUL counts like a blank, and only the moved bytes change") {
    std::string text("\0\0ab", 4);
    JustifyString(text, "L");
    CHECK(text == std::string("ab  ", 4));
    std::string tail("ab\0", 3);
    JustifyString(tail, "R");
    CHECK(tail == std::string(" ab", 3));
    // the NUL beyond the text's new place is not touched
    std::string kept("  a\0", 4);
    JustifyString(kept, "L");
    CHECK(kept == std::string("a  \0", 4));
  }
  SUBCASE("overlapping moves keep the text whole") {
    CHECK(Justified(" abcdefgh", "L") == "abcdefgh ");
    CHECK(Justified("abcdefgh ", "R") == " abcdefgh");
  }
}

TEST_CASE("case changes and comparisons touch ASCII letters only") {
  std::string text = "AbZ@[`az{09.\xC4\xE4";
  text::UpperCaseString(text);
  CHECK(text == "ABZ@[`AZ{09.\xC4\xE4");

  // @ and `, [ and {, Latin-1's Ä and ä differ by one bit as letters do.
  const struct {
    std::string_view A, B;
    bool Same;
  } rows[] = {
      {"Track.PGL", "track.pgl", true}, {".GeoJSON", ".geojson", true}, {"", "", true},
      {"@[", "`{", false},              {"\xC4", "\xE4", false},          {"ab", "abc", false},
  };
  for (const auto& row : rows) {
    CAPTURE(row.A);
    CHECK(text::SameIgnoringCase(row.A, row.B) == row.Same);
  }
}

TEST_CASE("FixedText") {
  FixedText<5> text("abcdefg");
  CHECK(text.View() == "abcde");
  text = "ab";
  CHECK(text.View() == "ab   ");
  CHECK(text.Trimmed() == "ab");
  CHECK_FALSE(text.IsBlank());
  text = "";
  CHECK(text.IsBlank());
  text[0] = '\0';
  CHECK(text.IsBlank());
  FixedText<3> a(" x"), b(" x ");
  CHECK(a == b);
  CHECK(text::TrimTrailing(std::string_view("a b \0 ", 6)) == "a b");
}
