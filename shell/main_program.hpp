#pragma once
// The desktop program from start to end: the main window, then one event
// loop until the user leaves.

#include <span>
#include <string>

#include "shell/toolkit_interface.hpp"

namespace shell {

// The logs named on the command line arrive once the window is up. Returns
// the process's exit status.
int RunPinwell(Toolkit& toolkit, std::span<const std::string> logs = {});

}  // namespace shell
