#include "toolkit/frame/error_screen.hpp"

#include <windows.h>

#include <string>

namespace toolkit {

void ShowErrorLineInStatusBar(std::string_view) {
  // The window layer writes the line into part 1 of the root window's status
  // bar here, with the root window made current for the duration.
}

bool ErrorBoxSaysContinue(std::string_view line) {
  const std::string text(line);
  return MessageBoxA(nullptr, text.c_str(), "Library Error",
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL) == IDOK;
}

}  // namespace toolkit
