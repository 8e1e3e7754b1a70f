#pragma once
// The fields of a resource dialog: made ready when an instance is created,
// and copied from one instance of a template to another.

#include <windows.h>

namespace toolkit {

// Edit fields take up to 32767 characters (65535 multi-line); check boxes and
// radio buttons check themselves; the controls notify their dialog.
void PrepareFields(HWND dialog);

// Caption, then per control in template order: style, check state, edit
// limit, text and enabled state. Spin controls keep their own.
void CopyFields(HWND from, HWND to);

}  // namespace toolkit
