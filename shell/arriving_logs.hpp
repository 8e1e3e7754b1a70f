#pragma once
// Logs that reach the program without its Open dialog: named on its command
// line (a double-click on a log in the file manager) or dropped onto its
// window.

#include <span>
#include <string>

#include "shell/toolkit_interface.hpp"

namespace shell {

// One log is opened as File > Open would open it. Several are converted
// with the current options, each to the name Open would propose, as Save
// would convert it, as many at once as there are processors: one progress
// line per log in the order given, a failure told in Save's box before the
// next log's line. No log stays chosen afterwards.
void LogsArrived(Toolkit& toolkit, std::span<const std::string> names);

}  // namespace shell
