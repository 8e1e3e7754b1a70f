#pragma once
// The debug log: a file in the current directory, created by the first entry
// of the process.

#include <string_view>

namespace toolkit {

void DebugLogLine(std::string_view text);
// "name = value".
void DebugLogValue(std::string_view name, int value);

}  // namespace toolkit
