#include "toolkit/frame/error_boxes.hpp"

#include <windows.h>

#include <string>

#include "toolkit/frame/error_screen.hpp"
#include "toolkit/frame/toolkit_state.hpp"

namespace toolkit {
namespace {

bool ErrorBox(std::string_view line) {
  const std::string text(line);
  return MessageBoxA(nullptr, text.c_str(), "Library Error",
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL) == IDOK;
}

void FatalBox(std::string_view message) {
  const std::string text(message);
  const std::string_view name = State.ProductName.Trimmed();
  const std::string caption(name.empty() ? std::string_view(" ") : name);
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
}

}  // namespace

void RegisterErrorBoxes() { RegisterErrorScreen({.BoxSaysContinue = ErrorBox, .FatalMessage = FatalBox}); }

}  // namespace toolkit
