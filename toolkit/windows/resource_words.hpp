#pragma once
// Resources of the program that are lists of 16-bit little-endian words.

#include <cstdint>
#include <span>
#include <vector>

namespace toolkit {

// The words of a resource; an odd last byte is dropped.
std::vector<std::uint16_t> ResourceWords(std::span<const std::uint8_t> bytes);

}  // namespace toolkit
