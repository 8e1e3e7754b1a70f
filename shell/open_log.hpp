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

// Everything up to the first ".pgl" anywhere in the path (in any case; the
// kept part keeps its case) with ".txt" in its place. A name without ".pgl"
// gets ".txt" appended, so that its pushpins land beside it, not in a file
// named "txt" wherever the program happens to run. The blank name of a
// cancelled Open after a conversion gives ".txt" by the same rule rather
// than a "txt" of its own: that proposal is never used, since Save and Save
// As refuse without a log and the next Open proposes afresh.
FileName DefaultOutputName(std::string_view logName);

}  // namespace shell
