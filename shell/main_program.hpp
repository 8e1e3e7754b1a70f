#pragma once
// The desktop program from start to end: the main window, then one event
// loop until the user leaves.

#include "shell/toolkit_interface.hpp"

namespace shell {

// Returns the process's exit status.
int RunPinwell(Toolkit& toolkit);

}  // namespace shell
