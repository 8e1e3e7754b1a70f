#pragma once
// Messages name files, and names are UTF-8 inside. A Windows console shows
// bytes in its own code page, so there they go as wide characters; anywhere
// else (a file, a pipe, a POSIX terminal) as the UTF-8 bytes.

#include <cstdio>
#include <string_view>

namespace cli {

// Writes and flushes; false, with errno, when the text could not be written.
bool WriteText(std::FILE* stream, std::string_view text);

}  // namespace cli
