#include <doctest/doctest.h>

#include <string>

#include "text/wide_names.hpp"

using text::Utf8FromWide;
using text::WideFromUtf8;

TEST_CASE("names pass between wide units and UTF-8 unchanged") {
  const struct {
    std::u16string Wide;
    std::string Utf8;
  } rows[] = {
      {u"trip.pgl", "trip.pgl"},
      {u"C:\\Users\\J\u00F6rg\\caf\u00E9.pgl", "C:\\Users\\J\xC3\xB6rg\\caf\xC3\xA9.pgl"},
      {u"\u5730\u56F3.txt", "\xE5\x9C\xB0\xE5\x9B\xB3.txt"},
      {u"\U0001F697.gpx", "\xF0\x9F\x9A\x97.gpx"},
      {u"\uFFFF\u0800\u07FF", "\xEF\xBF\xBF\xE0\xA0\x80\xDF\xBF"},
      // Units that pair with nothing, as Windows allows in a name.
      {u"a\xD83D" u"b", "a\xED\xA0\xBD" "b"},
      {u"\xDE97\xD83D", "\xED\xBA\x97\xED\xA0\xBD"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Utf8);
    CHECK(Utf8FromWide<char16_t>(row.Wide) == row.Utf8);
    CHECK(WideFromUtf8<char16_t>(row.Utf8) == row.Wide);
  }
}

TEST_CASE("bytes that are no UTF-8 become U+FFFD, one each") {
  const struct {
    std::string Utf8;
    std::u16string Wide;
  } rows[] = {
      {"caf\xE9", u"caf\uFFFD"},                 // Latin-1
      {"\xC3", u"\uFFFD"},                        // cut short at the end
      {"\xE5\x9C" "a", u"\uFFFD\uFFFD" "a"},      // cut short before another character
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xBF", u"\uFFFD"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Utf8);
    CHECK(WideFromUtf8<char16_t>(row.Utf8) == row.Wide);
  }
}

TEST_CASE("runs of bytes that are no UTF-8 are read by the caller's rule") {
  const auto latin1 = [](std::string_view run, std::u16string& wide) {
    for (const char byte : run) wide += static_cast<char16_t>(static_cast<unsigned char>(byte));
    wide += u'|';
  };
  const struct {
    std::string Text;
    std::u16string Wide;
  } rows[] = {
      {"caf\xE9", u"caf\u00E9|"},
      {"J\xC3\xB6rg \xF6\xE4 \xE5\x9C\xB0", u"J\u00F6rg \u00F6\u00E4| \u5730"},
      {"\xE5\x9C" "a\xEF\xBF\xBD", u"\u00E5\u009C|a\uFFFD"},  // a real U+FFFD is no stray byte
  };
  for (const auto& row : rows) {
    CAPTURE(row.Text);
    CHECK(text::WideFromText<char16_t>(row.Text, latin1) == row.Wide);
  }
}
