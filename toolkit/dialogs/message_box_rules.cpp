#include "toolkit/dialogs/message_box_rules.hpp"

namespace toolkit {

int ButtonCount(Buttons buttons) {
  switch (buttons) {
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
    case Buttons::YesNo: return 2;
    case Buttons::YesNoCancel:
    case Buttons::AbortRetryIgnore: return 3;
    default: return 1;
  }
}

int FittedDefaultButton(Buttons buttons, int defaultButton) {
  const int count = ButtonCount(buttons);
  return defaultButton >= 1 && defaultButton < count ? defaultButton : count;
}

Answer AnswerCode(int platformAnswer) {
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
