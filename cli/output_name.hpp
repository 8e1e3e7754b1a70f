#pragma once
// The name a log's pushpins are written to when the user names none.

#include <string>
#include <string_view>

namespace cli {

// As the desktop program's Open command has it: everything up to the first
// ".pgl" (found without regard to case, the kept part keeping its case) with
// the extension in place of it; a name without ".pgl" gets the extension
// appended. Standard input maps to standard output.
std::string DefaultOutputName(std::string_view logName, std::string_view extension = ".txt");

}  // namespace cli
