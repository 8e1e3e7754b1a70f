#include "toolkit/frame/error_boxes.hpp"

#include <windows.h>

#include <string>

#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/state/error_screen.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

// OK the default. A box that could not be shown answers as Cancel does.
bool ErrorBox(std::string_view line) {
  MessageBoxShow(Buttons::OkCancel, Icon::Exclamation, 1, line, "Library Error");
  return DialogInfo(DialogInfoCode::CommonResult) != Answer::Cancel;
}

void FatalBox(std::string_view message) {
  const std::wstring text = PlatformText(message);
  const std::string_view name = State.ProductName.Trimmed();
  const std::wstring caption = PlatformText(name.empty() ? std::string_view(" ") : name);
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
}

}  // namespace

void RegisterErrorBoxes() { RegisterErrorScreen({.BoxSaysContinue = ErrorBox, .FatalMessage = FatalBox}); }

}  // namespace toolkit
