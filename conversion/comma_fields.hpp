#pragma once
// The comma-separated fields of a sentence, for the values the map formats
// read besides the decoders: a plain scan, as the fields are short.

#include <string_view>

namespace conversion {

// The field after the n-th comma, up to the next comma; empty when the line
// has fewer commas.
constexpr std::string_view FieldAfterComma(std::string_view line, int n) {
  std::size_t start = 0;
  for (int commas = 0; commas < n; ++start) {
    if (start == line.size()) return {};
    if (line[start] == ',') ++commas;
  }
  std::size_t end = start;
  while (end < line.size() && line[end] != ',') ++end;
  return line.substr(start, end - start);
}

}  // namespace conversion
