#include "conversion/formats/number_fields.hpp"

#include "text/text_utilities.hpp"

namespace conversion {

namespace {

// A field of the width, as far as it fits the text's capacity.
FieldText SizedField(int width) {
  FieldText field;
  field.Length = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(FieldText::Capacity)));
  return field;
}

int Width(const FieldText& field) { return static_cast<int>(field.Length); }

}  // namespace

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
