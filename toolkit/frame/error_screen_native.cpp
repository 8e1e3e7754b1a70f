// Without a window system there is no status bar and no box: mode 3 shows
// nothing, and mode 4 takes the answer of a box that could not be shown.
#include "toolkit/frame/error_screen.hpp"

namespace toolkit {

void ShowErrorLineInStatusBar(std::string_view) {}

bool ErrorBoxSaysContinue(std::string_view) { return false; }

}  // namespace toolkit
