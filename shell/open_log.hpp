#pragma once
// File > Open: choose the log, announce it, propose the output's name.

#include <string_view>

#include "shell/application_state.hpp"
#include "shell/toolkit_interface.hpp"

namespace shell {

void OpenLogCommand(Toolkit& toolkit);

// The log named outside the dialog (on the command line, dropped onto the
// window) is opened as if chosen in it. One that cannot be read is told in
// the box of a failed Save, and nothing changes.
void OpenNamedLog(Toolkit& toolkit, std::string_view name);

// After InputLogName has been set: the window shows it alone and the
// output's name is proposed.
void ShowChosenLog(Toolkit& toolkit);

}  // namespace shell
