#include "conversion/formats/number_fields.hpp"

#include "text/text_utilities.hpp"

namespace conversion {

namespace {

// The width as far as it fits the text's capacity.
int FieldWidth(int width) { return std::clamp(width, 0, static_cast<int>(FieldText::Capacity)); }

}  // namespace

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
