#pragma once
// Where report modes 3 and 4 show an error line: the status bar of the root
// window (the window layer's) and the "Library Error" box.

#include <string_view>

namespace toolkit {

// Shows the line in part 1 of the root window's status bar, if there is one.
void ShowErrorLineInStatusBar(std::string_view line);

// Shows the line in a box with OK and Cancel; true when the user chose OK.
// A box that cannot be shown counts as Cancel.
bool ErrorBoxSaysContinue(std::string_view line);

}  // namespace toolkit
