#include <doctest/doctest.h>

#include <string>

#include "text/characters.hpp"
#include "text/fixed_text.hpp"
#include "text/inline_text.hpp"

// é two bytes, 地 three, 🚗 four.
#define E_ACUTE "\xC3\xA9"
#define CHI "\xE5\x9C\xB0"
#define CAR "\xF0\x9F\x9A\x97"

TEST_CASE("a text cut to its length, fixed or inline, never splits a character") {
  const struct {
    std::string Text;
    std::string Held;  // in six bytes
  } rows[] = {
      {"abcdefgh", "abcdef"},
      {"abcde" E_ACUTE, "abcde"},          // é would straddle the cut
      {"abcd" E_ACUTE "x", "abcd" E_ACUTE},  // é ends at the cut
      {"abc" CHI "x", "abc" CHI},
      {"abcd" CHI, "abcd"},
      {"abcde" CHI, "abcde"},
      {"ab" CAR "x", "ab" CAR},
      {"abc" CAR, "abc"},
      {"abcde" CAR, "abcde"},
      {CAR CAR, CAR},
      {CHI CHI CHI, CHI CHI},
      // Bytes that are no UTF-8 are cut like any byte.
      {"abcde\xE9z", "abcde\xE9"},
      {"abcd\xE9\xE9z", "abcd\xE9\xE9"},
      {"abcde\xBF\xBF", "abcde\xBF"},
      {"abc\x80\x80\x80\x80", "abc\x80\x80\x80"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Text);
    CHECK(text::FixedText<6>(row.Text).Trimmed() == row.Held);
    text::InlineText<6> held;
    held.Assign(row.Text);
    CHECK(held.View() == row.Held);
  }
  // A text that fits is held byte for byte, however odd.
  CHECK(text::FixedText<6>(CHI "\xE5\x9C").Trimmed() == CHI "\xE5\x9C");
  text::InlineText<5> held;
  held.Assign(CHI "\xE5\x9C");
  CHECK(held.View() == CHI "\xE5\x9C");
}

TEST_CASE("the first characters of a text") {
  CHECK(text::CharactersLength("C:\\" CHI, 3) == 3);
  CHECK(text::CharactersLength(CHI CAR "\\x", 3) == 8);
  CHECK(text::CharactersLength("\xE9" E_ACUTE "ab", 3) == 4);
  CHECK(text::CharactersLength("ab", 3) == 2);
}
