#include "conversion/number_fields.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "text/text_utilities.hpp"

namespace conversion {

namespace {

constexpr int MaxDecimals = 6;
constexpr std::array<double, MaxDecimals + 1> PowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
// Beyond this no value fits any field, and the arithmetic below stays exact.
constexpr double Unrepresentable = 0x1p51;

// Copies of at most a few words, as fixed-size moves: numbers and fields are
// short, and a call of the library's copy for each would cost more than the
// number itself.
void CopyShort(char* to, const char* from, std::size_t n) {
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8) std::memcpy(to + i, from + i, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else if (n >= 2) {
    std::memcpy(to, from, 2);
    std::memcpy(to + n - 2, from + n - 2, 2);
  } else if (n == 1) {
    *to = *from;
  }
}

constexpr int WidestField = 32;

constexpr std::array<char, WidestField> Filled(char c) {
  std::array<char, WidestField> text;
  text.fill(c);
  return text;
}
constexpr std::array<char, WidestField> Blanks = Filled(' ');
constexpr std::array<char, WidestField> AsteriskText = Filled('*');

char* Asterisks(char* out, int width) {
  width = std::clamp(width, 0, WidestField);
  CopyShort(out, AsteriskText.data(), static_cast<std::size_t>(width));
  return out + width;
}

int DigitCount(std::uint64_t magnitude) {
  int count = 1;
  for (std::uint64_t limit = 10; count < 20 && magnitude >= limit; limit *= 10) ++count;
  return count;
}
constexpr std::array<char, 200> DigitPairs = [] {
  std::array<char, 200> pairs;
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Exactly `count` digits of the value, zeros in front, written leftwards so
// that they end just before `next`; two at a time, as each step divides.
// Returns where they begin.
template <typename Unsigned>
char* PutDigitsLeftwards(char* next, Unsigned value, int count) {
  for (; count >= 2; count -= 2, value /= 100) std::memcpy(next -= 2, &DigitPairs[2 * (value % 100)], 2);
  if (count == 1) *--next = static_cast<char>('0' + value % 10);
  return next;
}

char* PutDigitsLeftwards(char* next, std::uint64_t value, int count) {
  if (value <= UINT32_MAX) return PutDigitsLeftwards(next, static_cast<std::uint32_t>(value), count);
  return PutDigitsLeftwards<std::uint64_t>(next, value, count);
}

// The magnitude's last `decimals` digits apart from the rest (constant
// divisors, which cost a multiplication, not a division).
std::uint64_t SplitDecimals(std::uint64_t magnitude, int decimals, std::uint64_t& fraction) {
  switch (decimals) {
    case 1: fraction = magnitude % 10; return magnitude / 10;
    case 2: fraction = magnitude % 100; return magnitude / 100;
    case 3: fraction = magnitude % 1000; return magnitude / 1000;
    case 4: fraction = magnitude % 10000; return magnitude / 10000;
    case 5: fraction = magnitude % 100000; return magnitude / 100000;
    case 6: fraction = magnitude % 1000000; return magnitude / 1000000;
    default: fraction = 0; return magnitude;
  }
}

// Puts the number right-justified in its field: at least `leastDigits` digits
// before the point, the last `decimals` digits of the magnitude after it,
// and a minus sign when negative; asterisks when it does not fit. The
// digits go straight to their places, right to left.
char* WriteNumber(char* out, int width, std::uint64_t magnitude, int decimals, bool negative, int leastDigits = 1) {
  width = std::clamp(width, 0, WidestField);
  // Times and satellite numbers: one or two digits, by far the most fields.
  if (decimals == 0 && !negative && magnitude < 100 && leastDigits <= 2 && width >= 2) {
    CopyShort(out, Blanks.data(), static_cast<std::size_t>(width - 2));
    std::memcpy(out + width - 2, &DigitPairs[2 * magnitude], 2);
    if (magnitude < 10 && leastDigits < 2) out[width - 2] = ' ';
    return out + width;
  }
  std::uint64_t fraction = 0;
  const std::uint64_t whole = SplitDecimals(magnitude, decimals, fraction);
  const int wholeDigits = std::max(DigitCount(whole), leastDigits);
  const int length = wholeDigits + (decimals > 0 ? decimals + 1 : 0) + (negative ? 1 : 0);
  if (length > width) return Asterisks(out, width);
  CopyShort(out, Blanks.data(), static_cast<std::size_t>(width - length));
  char* next = out + width;
  if (decimals > 0) {
    next = PutDigitsLeftwards(next, fraction, decimals);
    *--next = '.';
  }
  next = PutDigitsLeftwards(next, whole, wholeDigits);
  if (negative) *--next = '-';
  return out + width;
}

std::uint64_t Magnitude(long long value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// A field of the width, as far as it fits the text's capacity.
FieldText SizedField(int width) {
  FieldText field;
  field.Length = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(FieldText::Capacity)));
  return field;
}

int Width(const FieldText& field) { return static_cast<int>(field.Length); }

}  // namespace

char* WriteFixed(char* out, float value, int width, int decimals) {
  decimals = std::clamp(decimals, 0, MaxDecimals);
  // A float has 24 significant bits and 10^6 needs 14 more, so the scaled
  // value is exact in a double, and with at most 38 significant bits adding
  // the half is exact too: the truncation then rounds the true decimal value,
  // exact halves away from zero.
  const double scaled = static_cast<double>(value) * PowersOfTen[static_cast<std::size_t>(decimals)];
  if (!(std::fabs(scaled) < Unrepresentable)) return Asterisks(out, width);
  const auto magnitude = static_cast<std::uint64_t>(std::fabs(scaled) + 0.5);
  return WriteNumber(out, width, magnitude, decimals, scaled < 0 && magnitude != 0);
}

char* number_fields::WriteAnyInteger(char* out, long long value, int width) {
  return WriteNumber(out, width, Magnitude(value), 0, value < 0);
}

char* number_fields::WriteAnyZeroPadded(char* out, long long value, int width) {
  // A negative value would need a sign in front of the digits: it does not fit.
  return WriteNumber(out, width, Magnitude(value), 0, value < 0, width);
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
  text::JustifyString(field.Span(), "L");
  return field;
}

std::string_view LeftJustifiedTrimmed(const FieldText& field) {
  const std::string_view text = text::TrimTrailing(field.View());
  std::size_t first = 0;
  while (first < text.size() && !text::IsSignificant(text[first])) ++first;
  return text.substr(first);
}

void UseDecimalComma(FieldText& field) {
  const auto end = field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length);
  const auto point = std::find(field.Bytes.begin(), end, '.');
  if (point != end) *point = ',';
}

}  // namespace conversion
