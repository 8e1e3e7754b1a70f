#include "conversion/number_fields.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "toolkit/dialogs/text_utilities.hpp"

namespace conversion {

namespace {

constexpr int MaxDecimals = 6;
constexpr std::array<double, MaxDecimals + 1> PowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
// Beyond this no value fits any field, and the integer arithmetic below stays exact.
constexpr double Unrepresentable = 1e17;

FieldText BlankField(int width) {
  FieldText field;
  field.Length = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(FieldText::Capacity)));
  field.Bytes.fill(' ');
  return field;
}

FieldText Asterisks(FieldText field) {
  std::fill_n(field.Bytes.begin(), field.Length, '*');
  return field;
}

// Places the text at the right of the field, or fills the field with asterisks.
FieldText RightJustified(std::string_view text, int width) {
  FieldText field = BlankField(width);
  if (text.size() > field.Length) return Asterisks(field);
  std::copy(text.begin(), text.end(), field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length - text.size()));
  return field;
}

}  // namespace

FieldText FixedField(float value, int width, int decimals) {
  decimals = std::clamp(decimals, 0, MaxDecimals);
  // A float has 24 significant bits and 10^6 needs 20 more, so the scaled
  // value is exact in a double: std::round then rounds the true decimal value,
  // and an exact half goes away from zero.
  const double scaled = static_cast<double>(value) * PowersOfTen[decimals];
  if (!(std::fabs(scaled) < Unrepresentable)) return Asterisks(BlankField(width));
  const double rounded = std::round(scaled);
  const auto magnitude = static_cast<std::uint64_t>(std::fabs(rounded));

  // The rounded magnitude as digits, at least one of them before the point.
  const auto fraction = static_cast<std::size_t>(decimals);
  std::array<char, 24> digits;
  auto count = static_cast<std::size_t>(
      std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr - digits.data());
  if (count <= fraction) {
    const std::size_t zeros = fraction + 1 - count;
    std::copy_backward(digits.begin(), digits.begin() + count, digits.begin() + count + zeros);
    std::fill_n(digits.begin(), zeros, '0');
    count += zeros;
  }

  std::array<char, 32> text;
  char* out = text.data();
  if (rounded < 0) *out++ = '-';
  out = std::copy_n(digits.data(), count - fraction, out);
  if (fraction > 0) {
    *out++ = '.';
    out = std::copy_n(digits.data() + count - fraction, fraction, out);
  }
  const std::string_view number(text.data(), static_cast<std::size_t>(out - text.data()));
  return RightJustified(number, width);
}

FieldText IntegerField(long long value, int width) {
  std::array<char, 24> text;
  const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return RightJustified({text.data(), static_cast<std::size_t>(end - text.data())}, width);
}

FieldText ZeroPaddedField(long long value, int width) {
  FieldText field = BlankField(width);
  if (value < 0) return Asterisks(field);
  for (std::size_t i = field.Length; i-- > 0; value /= 10) field.Bytes[i] = static_cast<char>('0' + value % 10);
  return value == 0 ? field : Asterisks(field);
}

FieldText ContinentalNumber(float value, int width, int decimals) {
  FieldText field = FixedField(value, width, decimals);
  UseDecimalComma(field);
  toolkit::JustifyString(field.Span(), "L");
  return field;
}

std::string_view LeftJustifiedTrimmed(FieldText& field) {
  toolkit::JustifyString(field.Span(), "L");
  return toolkit::TrimTrailing(field.View());
}

void UseDecimalComma(FieldText& field) {
  const auto point = std::find(field.Bytes.begin(), field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length), '.');
  if (point != field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length)) *point = ',';
}

}  // namespace conversion
