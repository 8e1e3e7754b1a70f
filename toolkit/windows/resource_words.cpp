#include "toolkit/windows/resource_words.hpp"

namespace toolkit {

std::vector<std::uint16_t> ResourceWords(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint16_t> words(bytes.size() / 2);
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  return words;
}

}  // namespace toolkit
