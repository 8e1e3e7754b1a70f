#include "conversion/number_reading.hpp"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "conversion/log_line.hpp"

namespace conversion {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

// Powers of ten that a float holds exactly (5^10 still fits its 24 bits).
constexpr std::array<float, 11> ExactFloatPowers = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                    1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr std::uint64_t ExactFloatIntegers = std::uint64_t{1} << 24;

}  // namespace

bool ReadInteger(std::string_view field, int& value) {
  bool negative = false;
  bool signSeen = false;
  bool digitSeen = false;
  std::int64_t magnitude = 0;
  for (const char c : field) {
    if (c == ' ') continue;
    if (IsSign(c) && !signSeen && !digitSeen) {
      negative = c == '-';
      signSeen = true;
    } else if (IsDigit(c)) {
      digitSeen = true;
      magnitude = magnitude * 10 + (c - '0');
      if (magnitude > std::numeric_limits<int>::max()) return false;
    } else {
      return false;
    }
  }
  if (signSeen && !digitSeen) return false;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

bool ReadReal(std::string_view field, float& value) {
  std::array<char, LogLineLength> text;
  std::size_t length = 0;
  for (const char c : field) {
    if (c == ' ') continue;
    if (length == text.size()) return false;
    text[length++] = c;
  }
  if (length == 0) {
    value = 0;
    return true;
  }

  std::size_t i = IsSign(text[0]) ? 1 : 0;
  const bool negative = text[0] == '-';
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = 0;
  bool point = false;
  for (; i < length; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      if (point) ++fractionDigits;
      if (mantissa < ExactFloatIntegers) mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  const bool exponent = i < length;
  if (exponent) {
    if (text[i] != 'E' && text[i] != 'e') return false;
    if (++i < length && IsSign(text[i])) ++i;
    if (i == length) return false;
    for (; i < length; ++i)
      if (!IsDigit(text[i])) return false;
  }

  // The usual log field: both operands are exact floats, so the one rounding
  // of the division gives the float nearest to the number written.
  if (!exponent && mantissa < ExactFloatIntegers &&
      fractionDigits < static_cast<int>(ExactFloatPowers.size())) {
    const float magnitude = static_cast<float>(mantissa) / ExactFloatPowers[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
  }
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + length;
  float parsed = 0;
  const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (error != std::errc{} || end != last) return false;
  value = parsed;
  return true;
}

}  // namespace conversion
