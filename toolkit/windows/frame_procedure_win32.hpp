#pragma once
// The window procedure of the root's frame, and the layout of what the frame
// holds.

#include <windows.h>

namespace toolkit {

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Lays out status bar, toolbars and client window in the frame's client area.
void LayOutFrame(int slot);

}  // namespace toolkit
