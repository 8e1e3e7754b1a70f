#pragma once
// Numbers laid out in fixed-width fields, the same bytes on every platform:
// the layout is done here from exact integer arithmetic, never by printf.
// A value that does not fit its field gives as many asterisks as the width.
//
// The writers put exactly `width` characters (1 to 32) at `out` and return
// the end; records are built with them in place. They are inline because a
// record's fields have constant widths and decimals: the compiler then
// writes code of its own for each field, with the divisions by constants
// made multiplications; with the digits two at a time, writing a record
// takes a third less work than through one general routine. The fields below them hand back the same characters as a small text.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <utility>

#include "text/inline_text.hpp"

namespace conversion {

namespace number_fields {

constexpr int WidestField = 32;
constexpr int MostDecimals = 6;
constexpr std::array<double, MostDecimals + 1> Scales = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
constexpr std::array<std::uint64_t, 20> PowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& p : powers) p = std::exchange(power, power * 10);
  return powers;
}();

constexpr std::array<char, 200> DigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

inline char* Asterisks(char* out, int width) {
  std::memset(out, '*', static_cast<std::size_t>(width));
  return out + width;
}

// The digits of the value, written leftwards to end just before `next`, two
// at a time, as each step divides; at least `count` of them, zeros in front.
// Returns where they begin.
inline char* PutDigits(char* next, std::uint64_t value, int count) {
  char* const end = next;
  for (; value >= 100; value /= 100) std::memcpy(next -= 2, &DigitPairs[2 * (value % 100)], 2);
  if (value >= 10) std::memcpy(next -= 2, &DigitPairs[2 * value], 2);
  else *--next = static_cast<char>('0' + value);
  while (end - next < count) *--next = '0';
  return next;
}

// Puts the magnitude right-justified in its field: its last `decimals`
// digits after a point, at least `leastDigits` digits before it (zeros in
// front), and a minus sign when negative.
inline char* PutNumber(char* out, int width, std::uint64_t magnitude, int decimals, bool negative, int leastDigits) {
  width = std::clamp(width, 0, WidestField);
  const int room = width - (decimals > 0 ? decimals + 1 : 0) - (negative ? 1 : 0);  // for the whole part
  const std::uint64_t whole = magnitude / PowersOfTen[static_cast<std::size_t>(decimals)];
  if (room < std::max(leastDigits, 1) || (room < 20 && whole >= PowersOfTen[static_cast<std::size_t>(room)]))
    return Asterisks(out, width);
  std::memset(out, ' ', static_cast<std::size_t>(width));
  char* next = out + width;
  if (decimals > 0) {
    next = PutDigits(next, magnitude % PowersOfTen[static_cast<std::size_t>(decimals)], decimals);
    *--next = '.';
  }
  next = PutDigits(next, whole, leastDigits);
  if (negative) *--next = '-';
  return out + width;
}

inline std::uint64_t Magnitude(long long value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

}  // namespace number_fields

// The value rounded to `decimals` places (exact halves away from zero),
// right-justified. A whole part of 0 is written "0"; a value that rounds to
// zero has no minus sign. Decimals run from 0 (no point written) to 6.
inline char* WriteFixed(char* out, float value, int width, int decimals) {
  using namespace number_fields;
  decimals = std::clamp(decimals, 0, MostDecimals);
  // A float has 24 significant bits and 10^6 needs 14 more, so the scaled
  // value is exact in a double, and with at most 38 significant bits adding
  // the half is exact too: the truncation then rounds the true decimal value,
  // exact halves away from zero. Beyond 2^51 no value fits any field.
  const double scaled = static_cast<double>(value) * Scales[static_cast<std::size_t>(decimals)];
  if (!(std::fabs(scaled) < 0x1p51)) return Asterisks(out, std::clamp(width, 0, WidestField));
  const auto magnitude = static_cast<std::uint64_t>(std::fabs(scaled) + 0.5);
  return PutNumber(out, width, magnitude, decimals, scaled < 0 && magnitude != 0, 1);
}

// Right-justified, blanks in front.
inline char* WriteInteger(char* out, long long value, int width) {
  using namespace number_fields;
  // Satellite numbers, a dozen in each record: one pair of digits, no division.
  if (static_cast<unsigned long long>(value) < 100 && width >= 2 && width <= WidestField) {
    std::memset(out, ' ', static_cast<std::size_t>(width - 2));
    std::memcpy(out + width - 2, &DigitPairs[2 * static_cast<std::size_t>(value)], 2);
    if (value < 10) out[width - 2] = ' ';
    return out + width;
  }
  return PutNumber(out, width, Magnitude(value), 0, value < 0, 1);
}

// Exactly `width` digits with leading zeros; a negative value does not fit.
inline char* WriteZeroPadded(char* out, long long value, int width) {
  using namespace number_fields;
  // Hours, minutes and seconds.
  if (static_cast<unsigned long long>(value) < 100 && width >= 2 && width <= WidestField) {
    std::memset(out, '0', static_cast<std::size_t>(width - 2));
    std::memcpy(out + width - 2, &DigitPairs[2 * static_cast<std::size_t>(value)], 2);
    return out + width;
  }
  return PutNumber(out, width, Magnitude(value), 0, value < 0, width);
}

// The field `write` puts in `width` characters, without the blanks it is
// right-justified with; its asterisks when the value does not fit.
template <typename Write>
inline char* WriteWithoutBlanks(char* out, int width, Write write) {
  std::array<char, number_fields::WidestField> field;
  const char* end = write(field.data(), std::clamp(width, 0, number_fields::WidestField));
  const char* first = field.data();
  while (first < end && *first == ' ') ++first;
  return std::copy(first, end, out);
}

// The shortest decimal that reads back as the value, in fixed notation: the
// characters std::to_chars writes for it, up to `last` (the longest float
// takes 48).
char* WriteShortest(char* out, char* last, float value);

// The value rounded to `decimals` places (0 to 6), as std::to_chars writes
// it in fixed notation with that precision (a negative zero as 0), up to
// `last` (the longest double takes 316).
char* WriteDecimals(char* out, char* last, double value, int decimals);

// A formatted field of at most 16 characters, kept on the stack.
using FieldText = text::InlineText<16>;

FieldText FixedField(float value, int width, int decimals);
FieldText IntegerField(long long value, int width);

// The fixed field with its first "." made a "," and the number moved to the
// left of the field, blanks after it.
FieldText ContinentalNumber(float value, int width, int decimals);

// What the field gives once left-justified and without trailing blanks: the
// text from its first to its last significant character.
std::string_view LeftJustifiedTrimmed(const FieldText& field);

// The first "." of the field becomes ","; a field without one is unchanged.
void UseDecimalComma(FieldText& field);

}  // namespace conversion
