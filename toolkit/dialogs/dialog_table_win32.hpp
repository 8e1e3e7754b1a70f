#pragma once
// The table of loaded resource dialogs and what the dialog layer keeps
// beside it. Only the toolkit's Win32 code sees it.

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

// Destroys every loaded dialog: they belong to the root window, which is
// closing. The first dialog loaded asks the root window to call it.
void ForgetDialogs();

// A window inside another (WS_CHILD), not one of its own on the screen.
inline bool IsChildWindow(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace toolkit
