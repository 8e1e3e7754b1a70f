#pragma once
// Files dropped onto the toolkit's windows from the file manager.

#include <windows.h>

namespace toolkit {

// Whether the open frame windows take dropped files.
void AcceptDroppedFiles(bool on);

// WM_DROPFILES: keeps the names and reports FilesDropped; the drop's handle
// is released here.
LRESULT OnDropFiles(HWND frame, HDROP drop);

}  // namespace toolkit
