#include "toolkit/frame/error_screen.hpp"

#include <windows.h>

#include <string>

namespace toolkit {

bool ErrorBoxSaysContinue(std::string_view line) {
  const std::string text(line);
  return MessageBoxA(nullptr, text.c_str(), "Library Error",
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL) == IDOK;
}

}  // namespace toolkit
