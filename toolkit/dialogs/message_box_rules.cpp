#include "toolkit/dialogs/message_box_rules.hpp"

#include "toolkit/codes.hpp"

namespace toolkit {

int ButtonCount(int buttonType) {
  switch (buttonType) {
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
    case Buttons::YesNo: return 2;
    case Buttons::YesNoCancel:
    case Buttons::AbortRetryIgnore: return 3;
    default: return 1;
  }
}

int FittedDefaultButton(int buttonType, int defaultButton) {
  const int count = ButtonCount(buttonType);
  return defaultButton >= 1 && defaultButton < count ? defaultButton : count;
}

int AnswerCode(int platformAnswer) {
  switch (platformAnswer) {
    case PlatformAnswer::Ok:
    case PlatformAnswer::Retry:
    case PlatformAnswer::Yes: return Answer::Yes;
    case PlatformAnswer::No:
    case PlatformAnswer::Abort: return Answer::No;
    default: return Answer::Cancel;
  }
}

}  // namespace toolkit
