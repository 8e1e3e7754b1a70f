#pragma once
// Runs of one command that would meet in one file, found before anything is
// written: an output that is a log of the command would be replaced, before or
// after it is read; of two runs into one file only the second's pushpins would
// stay. Names are compared as files, not as spellings.

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.hpp"

namespace cli {

// The first clash as "<file>: <what is wrong>", or nothing. Merged, the
// conversions share their one output.
std::optional<std::string> FindFileClash(const std::vector<Conversion>& conversions, bool merged = false);

}  // namespace cli
