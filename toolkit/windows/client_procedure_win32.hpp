#pragma once
// The window procedure of the root's client window.

#include <windows.h>

namespace toolkit {

LRESULT CALLBACK ClientProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace toolkit
