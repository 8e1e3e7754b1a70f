#pragma once
// Numbers in the fields of a log line. Blanks inside a field are ignored and
// a field that is empty or all blanks reads as 0; anything else that cannot be
// part of the number makes the field malformed (the functions return false).
// Defined here so that the decoders, which read millions of fields, inline them.

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace conversion {

namespace number_reading {
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsSign(char c) { return c == '+' || c == '-'; }

// A mantissa below 2^24 with at most 7 decimals is read by one multiplication
// in double: a decimal of that size lies so far from the midpoint between two
// floats (more than 2^-49 relative) that the product's error (2^-53) can
// never push it across, so rounding the product to float gives the float
// nearest to the number written.
constexpr std::uint64_t ExactFloatIntegers = std::uint64_t{1} << 24;
constexpr std::array<double, 8> InversePowers = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};
}  // namespace number_reading

// The float nearest to mantissa / 10^fractionDigits, for a mantissa below
// 2^24 and at most 7 decimals (see InversePowers).
inline float DecimalValue(std::uint64_t mantissa, int fractionDigits) {
  return static_cast<float>(static_cast<double>(mantissa) *
                            number_reading::InversePowers[static_cast<std::size_t>(fractionDigits)]);
}

// An optional sign followed by digits; false also when the value lies beyond
// an int, whose range reaches one further below zero than above.
inline bool ReadInteger(std::string_view field, int& value) {
  using namespace number_reading;
  bool negative = false;
  bool signSeen = false;
  bool digitSeen = false;
  std::int64_t magnitude = 0;
  for (const char c : field) {
    if (IsDigit(c)) {
      digitSeen = true;
      magnitude = magnitude * 10 + (c - '0');
      if (magnitude > std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0)) return false;
    } else if (IsSign(c) && !signSeen && !digitSeen) {
      negative = c == '-';
      signSeen = true;
    } else if (c != ' ') {
      return false;
    }
  }
  if (signSeen && !digitSeen) return false;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

// A real written with an exponent or with more digits than a float holds
// exactly; the field's syntax has been checked already.
bool ReadLongReal(std::string_view field, float& value);

// An optional sign, digits with an optional decimal point, and an optional
// exponent (E or e, optional sign, digits). The value is the float nearest to
// the number written: one too small for a float reads as zero, one too large
// as the largest float of its sign.
inline bool ReadReal(std::string_view field, float& value) {
  using namespace number_reading;
  const std::size_t n = field.size();
  std::size_t i = 0;
  while (i < n && field[i] == ' ') ++i;
  if (i == n) {
    value = 0;
    return true;
  }
  const bool negative = field[i] == '-';
  if (IsSign(field[i])) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = 0;
  bool point = false;
  for (; i < n; ++i) {
    const char c = field[i];
    if (IsDigit(c)) {
      ++digits;
      fractionDigits += point ? 1 : 0;
      if (mantissa < ExactFloatIntegers) mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
    } else if (c == '.' && !point) {
      point = true;
    } else if (c != ' ') {
      break;
    }
  }
  if (digits == 0) return false;
  const bool exponent = i < n;
  if (exponent) {
    if (field[i] != 'E' && field[i] != 'e') return false;
    ++i;
    while (i < n && field[i] == ' ') ++i;
    if (i < n && IsSign(field[i])) ++i;
    int exponentDigits = 0;
    for (; i < n; ++i) {
      if (IsDigit(field[i])) ++exponentDigits;
      else if (field[i] != ' ') return false;
    }
    if (exponentDigits == 0) return false;
  }

  if (!exponent && mantissa < ExactFloatIntegers && fractionDigits < static_cast<int>(InversePowers.size())) {
    const float magnitude = DecimalValue(mantissa, fractionDigits);
    value = negative ? -magnitude : magnitude;
    return true;
  }
  return ReadLongReal(field, value);
}

}  // namespace conversion
