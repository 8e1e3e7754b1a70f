#pragma once
// Numbers laid out in fixed-width fields, the same bytes on every platform:
// the layout is done here from exact integer arithmetic, never by printf.
// A value that does not fit its field gives as many asterisks as the width.
//
// The writers put exactly `width` characters (at most 32) at `out` and
// return the end; records are built with them in place. The fields below
// them hand back the same characters as a small text.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace conversion {

// The value rounded to `decimals` places (exact halves away from zero),
// right-justified. A whole part of 0 is written "0"; a value that rounds to
// zero has no minus sign. Decimals run from 0 (no point written) to 6.
char* WriteFixed(char* out, float value, int width, int decimals);

namespace number_fields {
// The general forms of the two writers below.
char* WriteAnyInteger(char* out, long long value, int width);
char* WriteAnyZeroPadded(char* out, long long value, int width);

// Values of one or two digits are most fields of a record (times, satellite
// numbers); inline, with the caller's constant width, they cost a few stores.
constexpr bool IsSmall(long long value, int width) { return value >= 0 && value < 100 && width >= 2 && width <= 8; }
inline char* PutTwoDigits(char* out, long long value, char tensBlank) {
  out[0] = value < 10 ? tensBlank : static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out + 2;
}
}  // namespace number_fields

// Right-justified, blanks in front.
inline char* WriteInteger(char* out, long long value, int width) {
  if (!number_fields::IsSmall(value, width)) return number_fields::WriteAnyInteger(out, value, width);
  for (int i = 0; i < width - 2; ++i) *out++ = ' ';
  return number_fields::PutTwoDigits(out, value, ' ');
}

// Exactly `width` digits with leading zeros; a negative value does not fit.
inline char* WriteZeroPadded(char* out, long long value, int width) {
  if (!number_fields::IsSmall(value, width)) return number_fields::WriteAnyZeroPadded(out, value, width);
  for (int i = 0; i < width - 2; ++i) *out++ = '0';
  return number_fields::PutTwoDigits(out, value, '0');
}

// A formatted field of at most 16 characters, kept on the stack.
struct FieldText {
  static constexpr std::size_t Capacity = 16;
  std::array<char, Capacity> Bytes{};
  std::size_t Length = 0;

  std::string_view View() const { return {Bytes.data(), Length}; }
  std::span<char> Span() { return {Bytes.data(), Length}; }
};

FieldText FixedField(float value, int width, int decimals);
FieldText IntegerField(long long value, int width);
FieldText ZeroPaddedField(long long value, int width);

// The fixed field with its first "." made a "," and the number moved to the
// left of the field, blanks after it.
FieldText ContinentalNumber(float value, int width, int decimals);

// What the field gives once left-justified and without trailing blanks: the
// text from its first to its last significant character.
std::string_view LeftJustifiedTrimmed(const FieldText& field);

// The first "." of the field becomes ","; a field without one is unchanged.
void UseDecimalComma(FieldText& field);

}  // namespace conversion
