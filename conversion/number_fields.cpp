#include "conversion/number_fields.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "toolkit/dialogs/text_utilities.hpp"

namespace conversion {

namespace {

constexpr int MaxDecimals = 6;
constexpr std::array<double, MaxDecimals + 1> PowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
// Beyond this no value fits any field, and the integer arithmetic below stays exact.
constexpr double Unrepresentable = 1e17;

// Fills a field from its right end; a number that does not fit turns the
// whole field into asterisks.
class RightToLeft {
 public:
  RightToLeft(char* out, int width) : begin_(out), end_(out + std::max(width, 0)), next_(end_) {}

  void Put(char c) {
    if (next_ == begin_) {
      overflow_ = true;
      return;
    }
    *--next_ = c;
  }
  void PutDigit(std::uint64_t digit) { Put(static_cast<char>('0' + digit)); }

  char* Overflow() {
    overflow_ = true;
    return Finish();
  }
  char* Finish() {
    if (overflow_) std::fill(begin_, end_, '*');
    else std::fill(begin_, next_, ' ');
    return end_;
  }

 private:
  char* const begin_;
  char* const end_;
  char* next_;
  bool overflow_ = false;
};

// A field of the width, as far as it fits the text's capacity.
FieldText SizedField(int width) {
  FieldText field;
  field.Length = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(FieldText::Capacity)));
  return field;
}

int Width(const FieldText& field) { return static_cast<int>(field.Length); }

}  // namespace

char* WriteFixed(char* out, float value, int width, int decimals) {
  RightToLeft field(out, width);
  decimals = std::clamp(decimals, 0, MaxDecimals);
  // A float has 24 significant bits and 10^6 needs 20 more, so the scaled
  // value is exact in a double: std::round then rounds the true decimal value,
  // and an exact half goes away from zero.
  const double scaled = static_cast<double>(value) * PowersOfTen[static_cast<std::size_t>(decimals)];
  if (!(std::fabs(scaled) < Unrepresentable)) return field.Overflow();
  const double rounded = std::round(scaled);
  auto magnitude = static_cast<std::uint64_t>(std::fabs(rounded));

  // The decimals, the point, at least one whole digit, the sign.
  for (int written = 0; magnitude != 0 || written <= decimals; ++written) {
    if (written == decimals && written > 0) field.Put('.');
    field.PutDigit(magnitude % 10);
    magnitude /= 10;
  }
  if (rounded < 0) field.Put('-');
  return field.Finish();
}

char* WriteInteger(char* out, long long value, int width) {
  RightToLeft field(out, width);
  auto magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    field.PutDigit(magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) field.Put('-');
  return field.Finish();
}

char* WriteZeroPadded(char* out, long long value, int width) {
  RightToLeft field(out, width);
  if (value < 0) return field.Overflow();
  auto magnitude = static_cast<std::uint64_t>(value);
  for (int i = 0; i < width; ++i, magnitude /= 10) field.PutDigit(magnitude % 10);
  return magnitude == 0 ? field.Finish() : field.Overflow();
}

FieldText FixedField(float value, int width, int decimals) {
  FieldText field = SizedField(width);
  WriteFixed(field.Bytes.data(), value, Width(field), decimals);
  return field;
}

FieldText IntegerField(long long value, int width) {
  FieldText field = SizedField(width);
  WriteInteger(field.Bytes.data(), value, Width(field));
  return field;
}

FieldText ZeroPaddedField(long long value, int width) {
  FieldText field = SizedField(width);
  WriteZeroPadded(field.Bytes.data(), value, Width(field));
  return field;
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
  const auto end = field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length);
  const auto point = std::find(field.Bytes.begin(), end, '.');
  if (point != end) *point = ',';
}

}  // namespace conversion
