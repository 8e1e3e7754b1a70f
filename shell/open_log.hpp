#pragma once
// File > Open: choose the log, announce it, propose the output's name.

#include <string_view>

#include "shell/application_state.hpp"
#include "shell/toolkit_interface.hpp"

namespace shell {

void OpenLogCommand(Toolkit& toolkit);

// Everything up to the first ".pgl" (in any case; the kept part keeps its
// case) with ".txt" in its place. A name without ".pgl" gets ".txt"
// appended, so that its pushpins land beside it.
FileName DefaultOutputName(std::string_view logName);

}  // namespace shell
