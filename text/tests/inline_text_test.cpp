#include "text/inline_text.hpp"

#include <doctest/doctest.h>

#include <string>

TEST_CASE("InlineText") {
  SUBCASE("copies of every length, around the 16-byte moves, and cut at the capacity") {
    std::string source;
    for (int i = 0; i < 80; ++i) source += static_cast<char>('!' + i);
    for (std::size_t length = 0; length <= source.size(); ++length) {
      CAPTURE(length);
      text::InlineText<64> text;
      text.Assign("xy");
      text.Assign(std::string_view(source).substr(0, length));
      CHECK(text.View() == std::string_view(source).substr(0, std::min<std::size_t>(length, 64)));
    }
  }
  SUBCASE("filled in place, and cleared") {
    text::InlineText<8> text;
    text.Assign("a");
    char* end = text.End();
    *end++ = 'b';
    text.SetEnd(end);
    CHECK(text.View() == "ab");
    text.Clear();
    CHECK(text.Empty());
  }
}
