#pragma once
// Logs that reach the program without its Open dialog: named on its command
// line (a double-click on a log in the file manager) or dropped onto its
// window.

#include <span>
#include <string>

#include "shell/toolkit_interface.hpp"

namespace shell {

// One log is opened as File > Open would open it. Several are converted in
// turn with the current options, each to the name Open would propose, as
// Save would convert it: one progress line per log, a failure told in
// Save's box before the next log. No log stays chosen afterwards.
void LogsArrived(Toolkit& toolkit, std::span<const std::string> names);

}  // namespace shell
