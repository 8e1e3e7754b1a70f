#include "toolkit/dialogs/message_box_rules.hpp"

namespace toolkit {

int ButtonCount(int buttonType) {
  switch (buttonType) {
    case 1:
    case 2:
    case 3: return 2;
    case 4:
    case 5: return 3;
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
    case PlatformAnswer::Yes: return 1;
    case PlatformAnswer::No:
    case PlatformAnswer::Abort: return 2;
    default: return 0;
  }
}

}  // namespace toolkit
