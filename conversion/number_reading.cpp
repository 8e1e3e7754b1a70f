#include "conversion/number_reading.hpp"

#include <charconv>
#include <system_error>

#include "conversion/log_line.hpp"

namespace conversion {

// Rare in logs, so the library's correctly rounding conversion does it, once
// the blanks are out of the way.
bool ReadLongReal(std::string_view field, float& value) {
  std::array<char, LogLineLength> text;
  std::size_t length = 0;
  for (const char c : field) {
    if (c == ' ' || c == '+') continue;  // a plus sign stands only where the library allows none
    if (length == text.size()) return false;
    text[length++] = c;
  }
  const char* last = text.data() + length;
  float parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), last, parsed, std::chars_format::general);
  if (error != std::errc{} || end != last) return false;
  value = parsed;
  return true;
}

}  // namespace conversion
