#pragma once

#include <cstddef>

namespace conversion {

// Only the first 256 characters of a log line are ever decoded; the rest of a
// longer line is read past and dropped.
constexpr std::size_t LogLineLength = 256;

}  // namespace conversion
