#include "conversion/number_fields.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "toolkit/dialogs/text_utilities.hpp"

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

constexpr std::array<char, 32> AsteriskText = [] {
  std::array<char, 32> asterisks;
  asterisks.fill('*');
  return asterisks;
}();

// The field of asterisks that stands for a number too wide for it.
char* Asterisks(char* out, int width) {
  const auto n = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(AsteriskText.size())));
  CopyShort(out, AsteriskText.data(), n);
  return out + n;
}

// A number is built right to left in a buffer of its own, then put in its
// field: right-justified, or as asterisks when it does not fit.
class RightToLeft {
 public:
  void Put(char c) { *--first_ = c; }

  // The digits of the magnitude, a point before the last `decimals` of them
  // (with zeros so that one digit stands before it). Fields hold numbers
  // below 2^32, whose digits come faster in 32 bits.
  void PutDigits(std::uint64_t magnitude, int decimals) {
    if (magnitude <= UINT32_MAX) PutDigitsOf(static_cast<std::uint32_t>(magnitude), decimals);
    else PutDigitsOf(magnitude, decimals);
  }

  char* WriteTo(char* out, int width) const {
    width = std::clamp(width, 0, Longest);
    if (text_.data() + Longest - first_ > width) return Asterisks(out, width);
    CopyShort(out, text_.data() + Longest - width, static_cast<std::size_t>(width));
    return out + width;
  }

 private:
  template <typename Unsigned>
  void PutDigitsOf(Unsigned rest, int decimals) {
    for (int written = 0; rest != 0 || written <= decimals; ++written) {
      if (written == decimals && written > 0) Put('.');
      Put(static_cast<char>('0' + rest % 10));
      rest /= 10;
    }
  }

  // The longest number, 20 digits with point and sign, and the widest field;
  // the number's blanks come from here too.
  static constexpr int Longest = 32;
  std::array<char, Longest> text_ = BlankText();
  char* first_ = text_.data() + Longest;

  static constexpr std::array<char, Longest> BlankText() {
    std::array<char, Longest> blanks;
    blanks.fill(' ');
    return blanks;
  }
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
  decimals = std::clamp(decimals, 0, MaxDecimals);
  // A float has 24 significant bits and 10^6 needs 14 more, so the scaled
  // value is exact in a double, and with at most 38 significant bits adding
  // the half is exact too: the truncation then rounds the true decimal value,
  // exact halves away from zero.
  const double scaled = static_cast<double>(value) * PowersOfTen[static_cast<std::size_t>(decimals)];
  if (!(std::fabs(scaled) < Unrepresentable)) return Asterisks(out, width);
  const auto magnitude = static_cast<std::uint64_t>(std::fabs(scaled) + 0.5);
  RightToLeft number;
  number.PutDigits(magnitude, decimals);
  if (scaled < 0 && magnitude != 0) number.Put('-');
  return number.WriteTo(out, width);
}

char* WriteInteger(char* out, long long value, int width) {
  RightToLeft number;
  number.PutDigits(value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value), 0);
  if (value < 0) number.Put('-');
  return number.WriteTo(out, width);
}

char* WriteZeroPadded(char* out, long long value, int width) {
  if (value < 0) return Asterisks(out, width);
  RightToLeft number;
  auto magnitude = static_cast<std::uint64_t>(value);
  for (int i = 0; i < std::min(width, 20); ++i, magnitude /= 10) number.Put(static_cast<char>('0' + magnitude % 10));
  return magnitude == 0 ? number.WriteTo(out, width) : Asterisks(out, width);
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

std::string_view LeftJustifiedTrimmed(const FieldText& field) {
  const std::string_view text = toolkit::TrimTrailing(field.View());
  std::size_t first = 0;
  while (first < text.size() && !toolkit::IsSignificant(text[first])) ++first;
  return text.substr(first);
}

void UseDecimalComma(FieldText& field) {
  const auto end = field.Bytes.begin() + static_cast<std::ptrdiff_t>(field.Length);
  const auto point = std::find(field.Bytes.begin(), end, '.');
  if (point != end) *point = ',';
}

}  // namespace conversion
