#pragma once
// The table of loaded resource dialogs and what the dialog layer keeps
// beside it. Only the toolkit's Win32 code sees it.

#include <windows.h>

#include "toolkit/dialogs/dialog_table.hpp"

namespace toolkit {

using DialogSlot = DialogSlotOf<HWND>;
using DialogTable = DialogTableOf<HWND>;

extern DialogTable Dialogs;

// Destroys every loaded dialog: they belong to the root window, which is
// closing. The first dialog loaded asks the root window to call it.
void ForgetDialogs();

// A window inside another (WS_CHILD), not one of its own on the screen.
inline bool IsChildWindow(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace toolkit
