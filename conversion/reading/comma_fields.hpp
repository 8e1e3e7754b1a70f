#pragma once
// The comma-separated fields of a sentence, for the values the map formats
// read besides the decoders: one plain scan, as the fields are short.

#include <array>
#include <string_view>

namespace conversion {

// Fields 0 to Count - 1 (field 0 is the sentence's name); those the line
// does not reach are empty.
template <std::size_t Count>
constexpr std::array<std::string_view, Count> CommaFields(std::string_view line) {
  std::array<std::string_view, Count> fields{};
  std::size_t start = 0;
  for (std::size_t i = 0, field = 0; field < Count; ++i) {
    if (i == line.size() || line[i] == ',') {
      fields[field++] = line.substr(start, i - start);
      if (i == line.size()) break;
      start = i + 1;
    }
  }
  return fields;
}

}  // namespace conversion
