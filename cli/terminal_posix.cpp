#include "cli/terminal.hpp"

#include <unistd.h>

namespace cli {

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

}  // namespace cli
