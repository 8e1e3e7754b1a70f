#pragma once
// The comma-separated fields of a sentence, for the values the map formats
// read besides the decoders: one plain scan, as the fields are short.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace conversion {

namespace comma_fields {
// The top bit of each of the eight bytes at `bytes` that is a comma, and of
// no other; in the order of the bytes on a little-endian machine.
inline std::uint64_t CommaBits(const char* bytes) {
  constexpr std::uint64_t Commas = 0x2C2C2C2C2C2C2C2C;
  constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7F;
  std::uint64_t word;
  std::memcpy(&word, bytes, 8);
  const std::uint64_t x = word ^ Commas;
  return ~(((x & Low7) + Low7) | x | Low7);
}
}  // namespace comma_fields

// Fields 0 to Count - 1 (field 0 is the sentence's name); those the line
// does not reach are empty.
template <std::size_t Count>
constexpr std::array<std::string_view, Count> CommaFields(std::string_view line) {
  std::array<std::string_view, Count> fields{};
  std::size_t start = 0;
  std::size_t field = 0;
  std::size_t i = 0;
  // Eight characters at a time where they can be: a sentence of the map
  // formats' dates is read this way for every second of a log.
  if (!std::is_constant_evaluated() && std::endian::native == std::endian::little) {
    for (; i + 8 <= line.size(); i += 8) {
      for (std::uint64_t found = comma_fields::CommaBits(line.data() + i); found != 0; found &= found - 1) {
        const std::size_t comma = i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
        fields[field++] = line.substr(start, comma - start);
        if (field == Count) return fields;
        start = comma + 1;
      }
    }
  }
  for (; field < Count; ++i) {
    if (i == line.size() || line[i] == ',') {
      fields[field++] = line.substr(start, i - start);
      if (i == line.size()) break;
      start = i + 1;
    }
  }
  return fields;
}

}  // namespace conversion
