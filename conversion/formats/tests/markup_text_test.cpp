#include <doctest/doctest.h>

#include <string>

#include "conversion/formats/markup_text.hpp"

using namespace conversion;

TEST_CASE("Utf8Text keeps UTF-8 and reads other bytes as Windows-1252") {
  const struct {
    std::string_view Bytes;
    std::string_view Utf8;
  } rows[] = {
      {"Fahrt M\xC3\xBCnchen \xE2\x82\xAC \xF0\x9F\x9A\x97", "Fahrt M\xC3\xBCnchen \xE2\x82\xAC \xF0\x9F\x9A\x97"},
      {"M\xFCnchen \x80", "M\xC3\xBCnchen \xE2\x82\xAC"},
      {"\x81", "\xEF\xBF\xBD"},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},          // an overlong "/"
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // a surrogate
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},      // cut short
  };
  for (const auto& row : rows) {
    CAPTURE(row.Bytes);
    CHECK(Utf8Text(row.Bytes) == row.Utf8);
  }
}

TEST_CASE("Text escaped for XML and JSON") {
  std::string xml;
  // U+FFFE and U+FFFF are replaced, their neighbours U+FFFC and U+FFFD kept.
  AppendXmlText(xml, "<a & \"b\">\t\x01\xC3\xBC \xEF\xBF\xBE\xEF\xBF\xBF \xEF\xBF\xBC\xEF\xBF\xBD");
  CHECK(xml == "&lt;a &amp; &quot;b&quot;&gt;\t\xEF\xBF\xBD\xC3\xBC \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBC\xEF\xBF\xBD");
  std::string json;
  AppendJsonString(json, "a\"b\\c/\n\x1F\xC3\xBC");
  CHECK(json == "\"a\\\"b\\\\c/\\u000a\\u001f\xC3\xBC\"");
}
