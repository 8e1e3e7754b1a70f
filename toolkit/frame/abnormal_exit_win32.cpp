#include <windows.h>

#include <string>

#include "text/text_utilities.hpp"
#include "toolkit/frame/abnormal_exit_text.hpp"
#include "toolkit/frame/errors.hpp"
#include "toolkit/frame/toolkit_state.hpp"

namespace toolkit {

void AbnormalExit(std::string_view message, int code) {
  if (!text::TrimTrailing(message).empty()) {
    const std::string text(AbnormalExitText(message, code).Trimmed());
    const std::string_view name = State.ProductName.Trimmed();
    const std::string caption(name.empty() ? std::string_view(" ") : name);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
  }
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace toolkit
