#pragma once
// What the parts of the conversion share: the names and limits every part
// reads the same way, and the types that pass from the callers to them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace conversion {

// The name that stands for standard input (as log) or standard output (as output).
constexpr std::string_view StandardStreamName = "-";

// How the pushpin file writes its numbers: English with commas between the
// columns and a decimal point, Continental with tabs and a decimal comma.
enum class NumberStyle { English, Continental };

// Only the first 256 characters of a log line are ever decoded; the rest of a
// longer line is read past and dropped.
constexpr std::size_t LogLineLength = 256;

// Bytes of the log read so far, of its total size (0 when unknown, as for a pipe).
using ProgressReport = std::function<void(std::uint64_t bytesRead, std::uint64_t totalBytes)>;

}  // namespace conversion
