// The platform's message box with the toolkit's buttons, icons and answers.

#include <string>

#include "text/text_utilities.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/message_box_rules.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/held_images_win32.hpp"

namespace toolkit {

namespace {

static_assert(PlatformAnswer::Ok == IDOK && PlatformAnswer::Cancel == IDCANCEL &&
              PlatformAnswer::Abort == IDABORT && PlatformAnswer::Retry == IDRETRY &&
              PlatformAnswer::Ignore == IDIGNORE && PlatformAnswer::Yes == IDYES &&
              PlatformAnswer::No == IDNO);

UINT ButtonStyle(int buttonType) {
  switch (buttonType) {
    case Buttons::OkCancel: return MB_OKCANCEL;
    case Buttons::RetryCancel: return MB_RETRYCANCEL;
    case Buttons::YesNo: return MB_YESNO;
    case Buttons::YesNoCancel: return MB_YESNOCANCEL;
    case Buttons::AbortRetryIgnore: return MB_ABORTRETRYIGNORE;
    default: return MB_OK;
  }
}

UINT IconStyle(int iconType) {
  switch (iconType) {
    case Icon::Stop: return MB_ICONHAND;
    case Icon::Question: return MB_ICONQUESTION;
    case Icon::Exclamation: return MB_ICONEXCLAMATION;
    case Icon::Information: return MB_ICONASTERISK;
    default: return 0;
  }
}

UINT DefaultButtonStyle(int button) {
  switch (button) {
    case 2: return MB_DEFBUTTON2;
    case 3: return MB_DEFBUTTON3;
    default: return MB_DEFBUTTON1;
  }
}

}  // namespace

void MessageBoxShow(int buttonType, int iconType, int defaultButton, std::string_view message,
                    std::string_view title) {
  const int fitted = FittedDefaultButton(buttonType, defaultButton);
  ImagesHold();
  const std::wstring text = PlatformText(text::TrimTrailing(message));
  const std::wstring caption = PlatformText(text::TrimTrailing(title));
  const UINT style = ButtonStyle(buttonType) | IconStyle(iconType) | DefaultButtonStyle(fitted);

  const HWND owner = DialogOwner();
  const int answer =
      WithOtherWindowsDisabled(owner, [&] { return MessageBoxW(owner, text.c_str(), caption.c_str(), style); });

  ImagesRelease();
  // The common-dialog error is not asked: it stays set after any file
  // dialog that failed, so every later box would report -1 and raise 1004
  // whatever the user answered.
  State.Dialog.CommonResult = AnswerCode(answer);
  State.Dialog.PreviousField = 0;
}

}  // namespace toolkit
