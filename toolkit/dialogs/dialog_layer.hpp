#pragma once
// The dialog layer's own state, the table of loaded resource dialogs, and the
// bracket every modal box of the toolkit runs in. Only the toolkit's Win32
// code sees it.

#include <windows.h>

#include <array>

namespace toolkit {

inline constexpr int MaxLoadedDialogs = 50;

struct DialogSlot {
  int DialogId = 0;
  HWND Window = nullptr;  // the hidden instance; slot 0: the running modal instance
  int Shown = 0;          // 1 while shown modeless or semi-modeless
  int ExitField = 0;
  int PreviousField = 0;
  int Mode = 0;           // 1 modal, 2 modeless, 3 semi-modeless, as last shown
  HWND Owner = nullptr;
  HWND RestoreWindow = nullptr;
};

struct DialogTable {
  std::array<DialogSlot, MaxLoadedDialogs + 1> Slots{};
  int Count = 0;    // loaded dialogs, in slots 1 to Count
  int Current = 0;  // 0: none selected
  int SemiModelessCount = 0;
  HWND SemiModelessRestore = nullptr;  // recorded by the last semi-modeless show
  HWND ActiveDialog = nullptr;
  int FocusField = 0;  // for the instance being made
  int X = -1;
  int Y = -1;
  bool SettingFields = false;  // the toolkit, not the user, is changing fields
};

extern DialogTable Dialogs;

// Destroys every loaded dialog: they belong to the root window, which is closing.
void ForgetDialogs();

// A window inside another (WS_CHILD), not one of its own on the screen.
inline bool IsChildWindow(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

// The window a modal box belongs to: the active toolkit dialog, else the
// toolkit window activated last.
HWND DialogOwner();

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
