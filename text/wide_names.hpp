#pragma once
// Names between the platform's wide form (UTF-16 units: Windows keeps file
// names so) and the UTF-8 that the programs carry inside. Windows allows a
// surrogate unit that pairs with no other in a name; it is written as the
// three bytes its code point would take, so that every wide name comes back
// exactly as it was given.

#include <string>
#include <string_view>

namespace text {

void AppendUtf8(char32_t codePoint, std::string& out);
// The code point that starts at `at`, which moves past it; a byte that starts
// no well-formed sequence gives U+FFFD and moves one byte on.
char32_t NextCodePoint(std::string_view utf8, std::size_t& at);
// Whether the byte at `at` starts no well-formed sequence.
bool IsStray(std::string_view utf8, std::size_t at);

template <class Unit>
std::string Utf8FromWide(std::basic_string_view<Unit> wide) {
  std::string utf8;
  utf8.reserve(wide.size() * 3);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = static_cast<char16_t>(wide[i]);
    const char32_t next = i + 1 < wide.size() ? static_cast<char16_t>(wide[i + 1]) : 0;
    if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    }
    AppendUtf8(c, utf8);
  }
  return utf8;
}

// The wide form of a text that should be UTF-8 but may hold bytes from
// elsewhere: each run of bytes that start no well-formed sequence goes to
// stray(run, wide), which appends its own reading of them.
template <class Unit, class Stray>
std::basic_string<Unit> WideFromText(std::string_view text, Stray stray) {
  std::basic_string<Unit> wide;
  wide.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t runEnd = at;
    while (runEnd < text.size() && IsStray(text, runEnd)) ++runEnd;
    if (runEnd > at) {
      stray(text.substr(at, runEnd - at), wide);
      at = runEnd;
      continue;
    }
    const char32_t c = NextCodePoint(text, at);
    if (c < 0x10000) {
      wide += static_cast<Unit>(c);
    } else {
      wide += static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return wide;
}

// Each stray byte becomes U+FFFD.
template <class Unit>
std::basic_string<Unit> WideFromUtf8(std::string_view utf8) {
  return WideFromText<Unit>(utf8, [](std::string_view run, std::basic_string<Unit>& wide) {
    wide.append(run.size(), static_cast<Unit>(0xFFFD));
  });
}

}  // namespace text
