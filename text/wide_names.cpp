#include "text/wide_names.hpp"

namespace text {

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& at) {
  constexpr char32_t Replacement = 0xFFFD;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5                 ? 4
                                                                           : 0;
  if (length == 0 || at + length > utf8.size()) {
    ++at;
    return length == 1 ? lead : Replacement;
  }
  char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return Replacement;
    }
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  // Overlong forms and values past the last code point name nothing.
  constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < Smallest[length] || c > 0x10FFFF) {
    ++at;
    return Replacement;
  }
  at += length;
  return c;
}

bool IsStray(std::string_view utf8, std::size_t at) {
  std::size_t next = at;
  return NextCodePoint(utf8, next) == 0xFFFD && next == at + 1;
}

}  // namespace text
