#pragma once
// The bracket every modal box of the toolkit runs in.

#include <windows.h>

#include "toolkit/dialogs/dialog_table_win32.hpp"

namespace toolkit {

// The window a modal box belongs to: the active toolkit dialog, else the
// toolkit window activated last.
HWND DialogOwner();

// The windows' images held while a box is up, and given back after it.
void ImagesHold();
void ImagesRelease();

// While a box is up, the user can reach only the box: the other toolkit
// windows and shown dialogs are disabled, the owner excepted (the box
// disables that itself).
void OtherWindowsDisable(HWND owner);
// With a semi-modeless dialog up only `window` is enabled again.
void OtherWindowsEnable(HWND window);
// A child-window owner gets the focus back and the only active caption.
void ActivateChildOwner(HWND owner);

// Runs a platform box that belongs to `owner` with the other windows
// disabled, and gives them back afterwards.
template <typename Box>
auto WithOtherWindowsDisabled(HWND owner, Box box) {
  OtherWindowsDisable(owner);
  const auto answer = box();
  OtherWindowsEnable(Dialogs.SemiModelessRestore != nullptr ? Dialogs.SemiModelessRestore : owner);
  ActivateChildOwner(owner);
  return answer;
}

}  // namespace toolkit
