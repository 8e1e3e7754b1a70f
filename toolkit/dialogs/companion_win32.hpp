#pragma once
// The companion text of a dialog put into the fields of its hidden instance.

#include <windows.h>

namespace toolkit {

// Fills the fields of a new hidden instance from the raw-data resource that
// has the dialog's identifier, if there is one; tab pages are loaded.
void ApplyCompanion(HWND dialog, int dialogId);

}  // namespace toolkit
