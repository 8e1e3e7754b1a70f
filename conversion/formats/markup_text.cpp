#include "conversion/formats/markup_text.hpp"

#include <array>
#include <cstdint>

#include "conversion/constants.hpp"
#include "conversion/files/system_files.hpp"

namespace conversion {

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence the text starts with; 0 when
// it starts with none (overlong forms and surrogates included).
std::size_t SequenceLength(std::string_view text) {
  auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || text.size() < length) return 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

void AppendCodePoint(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Windows-1252 where it differs from Latin-1; 0xFFFD where it has no character.
constexpr std::array<std::uint16_t, 32> Windows1252From80{
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

std::string Utf8Text(std::string_view bytes) {
  std::string text;
  while (!bytes.empty()) {
    std::size_t length = SequenceLength(bytes);
    if (length > 0) {
      text += bytes.substr(0, length);
    } else {
      const auto byte = static_cast<unsigned char>(bytes.front());
      AppendCodePoint(text, byte >= 0xA0 ? byte : Windows1252From80[byte - 0x80]);
      length = 1;
    }
    bytes.remove_prefix(length);
  }
  return text;
}

void AppendXmlText(std::string& out, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    // U+FFFE and U+FFFF are no XML characters either.
    if (utf8.substr(i, 3) == "\xEF\xBF\xBE" || utf8.substr(i, 3) == "\xEF\xBF\xBF") {
      out += Replacement;
      i += 2;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': case '\n': case '\r': out += c; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) out += Replacement;
        else out += c;
    }
  }
}

void AppendJsonString(std::string& out, std::string_view utf8) {
  constexpr std::string_view Hex = "0123456789abcdef";
  out += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += Hex[byte >> 4];
      out += Hex[byte & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendXmlName(std::string& out, std::string_view utf8) {
  if (utf8.empty()) return;
  out += "<name>";
  AppendXmlText(out, utf8);
  out += "</name>\n";
}

std::string LogTitle(std::string_view logName) {
  if (logName == StandardStreamName) return {};
  return Utf8Text(NameOf(PathOf(logName).filename()));
}

}  // namespace conversion
