#pragma once
// The report printed after each log: the desktop program's lines, labelled.

#include <string>
#include <string_view>

namespace cli {

// The count line and, when no speed was logged, the speed line, each ended by
// a newline. A label (the log's name when there are several) starts each line.
std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution);

}  // namespace cli
