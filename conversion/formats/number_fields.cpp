#include "conversion/formats/number_fields.hpp"

#include <charconv>

#include "conversion/reading/number_reading.hpp"
#include "text/text_utilities.hpp"

namespace conversion {

namespace {

// The width as far as it fits the text's capacity.
int FieldWidth(int width) { return std::clamp(width, 0, static_cast<int>(FieldText::Capacity)); }

// The mantissa's digits with its last `decimals` after a point, a digit at
// least before it: 0.5, 12, -3.25.
char* PutDecimal(char* out, bool negative, std::uint64_t mantissa, int decimals) {
  std::array<char, 24> digits;
  char* const end = digits.data() + digits.size();
  const char* const first = number_fields::PutDigits(end, mantissa, decimals + 1);
  if (negative) *out++ = '-';
  const char* const point = end - decimals;
  out = std::copy(first, point, out);
  if (decimals == 0) return out;
  *out++ = '.';
  return std::copy(point, static_cast<const char*>(end), out);
}

}  // namespace

char* WriteShortest(char* out, char* last, float value) {
  using namespace number_fields;
  // A value as logs give them, a few digits with a few decimals, is looked
  // for directly, and the library's general search is left for the rest:
  // the fewest decimals whose nearest decimal reads back as the value give
  // the fewest digits, and of those the nearest is the one chosen. Below
  // 2^23 no whole number but the value's own reads back, and with at most 7
  // decimals the value scaled is exact in a double.
  const float magnitude = std::fabs(value);
  if (magnitude > 0 && magnitude < 0x1p23f && last - out >= 24) {
    for (int decimals = 0; decimals <= 7; ++decimals) {
      const double scaled = static_cast<double>(magnitude) * static_cast<double>(PowersOfTen[static_cast<std::size_t>(decimals)]);
      const double nearest = std::floor(scaled + 0.5);
      // Halfway between two decimals: which one the library takes is its own rule.
      if (nearest - scaled == 0.5 || nearest >= 0x1p24) break;
      const auto mantissa = static_cast<std::uint64_t>(nearest);
      if (DecimalValue(mantissa, decimals) != magnitude) continue;
      return PutDecimal(out, value < 0, mantissa, decimals);
    }
  }
  return std::to_chars(out, last, value + 0.0f, std::chars_format::fixed).ptr;
}

char* WriteDecimals(char* out, char* last, double value, int decimals) {
  using namespace number_fields;
  value += 0.0;
  decimals = std::clamp(decimals, 0, MostDecimals);
  // Below 2^31 once scaled, the product's rounding moves it by less than
  // 2^-22: unless its fraction lies within a millionth of a half, it rounds
  // to the same side as the exact product, and the halves themselves (which
  // the library rounds to even) are left to the library.
  const double scaled = std::fabs(value) * Scales[static_cast<std::size_t>(decimals)];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (scaled < 0x1p31 && std::fabs(fraction - 0.5) > 1e-6 && last - out >= 24) {
    // A negative value keeps its sign even when it rounds to zero.
    return PutDecimal(out, value < 0, static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0), decimals);
  }
  return std::to_chars(out, last, value, std::chars_format::fixed, decimals).ptr;
}

FieldText FixedField(float value, int width, int decimals) {
  FieldText field;
  field.SetEnd(WriteFixed(field.End(), value, FieldWidth(width), decimals));
  return field;
}

FieldText IntegerField(long long value, int width) {
  FieldText field;
  field.SetEnd(WriteInteger(field.End(), value, FieldWidth(width)));
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
  const std::span<char> text = field.Span();
  const auto point = std::find(text.begin(), text.end(), '.');
  if (point != text.end()) *point = ',';
}

}  // namespace conversion
