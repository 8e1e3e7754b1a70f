#pragma once
// How a message box's buttons are chosen and its answer reported, without a
// window. The platform's answers keep the platform's numbers.

namespace toolkit {

namespace PlatformAnswer {
inline constexpr int None = 0;  // the box could not be shown
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace PlatformAnswer

// 1, 2 or 3 buttons; a ButtonType that is none of Buttons is the OK box.
int ButtonCount(int buttonType);

// The default button counted from the left, fitted to the buttons there are:
// beyond the last (or below the first) it is the last.
int FittedDefaultButton(int buttonType, int defaultButton);

// The Answer a platform answer gives.
int AnswerCode(int platformAnswer);

}  // namespace toolkit
