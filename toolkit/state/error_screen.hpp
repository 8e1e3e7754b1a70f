#pragma once
// Where report modes 3 and 4 and AbnormalExit show their texts. Error
// reporting needs no window and never calls into the window layer: the Win32
// code registers how a text reaches the screen. Until it has (and always
// without a window system) mode 3 shows nothing, the mode 4 box counts as one
// that could not be shown, and the fatal message goes to standard error.

#include <string_view>

namespace toolkit {

struct ErrorScreen {
  // Part 1 of the root window's status bar.
  void (*StatusBarLine)(std::string_view line) = nullptr;
  // The "Library Error" box; true when the user chose to go on.
  bool (*BoxSaysContinue)(std::string_view line) = nullptr;
  // The fatal message of AbnormalExit, shown before the process ends.
  void (*FatalMessage)(std::string_view text) = nullptr;
};

// Fields left empty keep what was registered before.
void RegisterErrorScreen(const ErrorScreen& screen);

void ShowErrorLineInStatusBar(std::string_view line);
bool ErrorBoxSaysContinue(std::string_view line);
void ShowFatalMessage(std::string_view text);

}  // namespace toolkit
