#pragma once
// The lines that tell what a conversion wrote, word for word: the desktop
// program shows them in its window, the command line prints them.

#include <string>
#include <string_view>

namespace conversion {

constexpr std::string_view SpeedUnavailableLine = "Speed/Course data not available";

// "42 records written.  Resolution (secs):  5": the count right-justified in
// 8 columns and the resolution in 2 (both wider when they need it), the
// whole without its leading and trailing blanks.
std::string CountLine(int recordsWritten, int resolution);

}  // namespace conversion
