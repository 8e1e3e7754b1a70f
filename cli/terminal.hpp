#pragma once

#include <cstdio>

namespace cli {

// Whether the stream goes to a terminal, where progress can be drawn in place.
bool IsTerminal(std::FILE* stream);

}  // namespace cli
