#pragma once
// The scaling of the display a window is on. The calls that tell it per
// display exist from Windows 10 on; on older Windows every display has the
// system's scaling, which is what the program then gets.

#include <windows.h>

namespace toolkit {

// The dots per inch of the display `window` is on (the system's for none).
int WindowDpi(HWND window);

// AdjustWindowRectEx for a frame on a display of `dpi`.
void AdjustFrameRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// The fonts Windows draws its own windows with (status bars, messages), at
// `dpi`.
NONCLIENTMETRICSW WindowsFontsAt(int dpi);

}  // namespace toolkit
