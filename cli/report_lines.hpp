#pragma once
// The lines the desktop program shows after a conversion, word for word.

#include <string>
#include <string_view>

namespace cli {

constexpr std::string_view SpeedUnavailableLine = "Speed/Course data not available";

// "42 records written.  Resolution (secs):  5": the count right-justified in
// 8 columns and the resolution in 2 (both wider when they need it), the
// whole without its leading and trailing blanks.
std::string CountLine(int recordsWritten, int resolution);

// The count line and, when no speed was logged, the speed line, each ended by
// a newline. A label (the log's name when there are several) starts each line.
std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution);

}  // namespace cli
