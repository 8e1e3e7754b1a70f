#include "conversion/reading/number_reading.hpp"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "conversion/constants.hpp"

namespace conversion {

namespace {

// Whether a number that the float range cannot hold lies below it rather
// than above: the power of ten of its first significant digit, exponent
// included, is then negative. The syntax has been checked already.
bool LiesBelowFloats(std::string_view number) {
  std::int64_t power = 0;
  bool significant = false;
  bool point = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      point = true;
    } else if (number_reading::IsDigit(c)) {
      if (significant) {
        if (!point) ++power;
        continue;
      }
      if (point) --power;
      significant = c != '0';
    }
  }
  if (!significant) return true;
  std::int64_t exponent = 0;
  bool negativeExponent = false;
  constexpr std::int64_t FarBeyondFloats = 100000;  // and far from overflowing the sum below
  for (++i; i < number.size(); ++i) {
    if (number[i] == '-') negativeExponent = true;
    if (number_reading::IsDigit(number[i]))
      exponent = std::min(exponent * 10 + (number[i] - '0'), FarBeyondFloats);
  }
  return power + (negativeExponent ? -exponent : exponent) < 0;
}

}  // namespace

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
  if (end != last) return false;
  if (error == std::errc::result_out_of_range) {
    // Still a number, only one a float cannot hold: it takes the nearest float there is.
    const std::string_view number(text.data(), length);
    parsed = LiesBelowFloats(number) ? 0.0f : std::numeric_limits<float>::max();
    if (number.front() == '-') parsed = -parsed;
  } else if (error != std::errc{}) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace conversion
