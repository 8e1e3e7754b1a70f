#pragma once
// The fields of a resource dialog: made ready when an instance is created
// and copied from one instance of a template to another.

#include <windows.h>

#include "toolkit/dialogs/field_rules.hpp"

namespace toolkit {

// Every control gets its field record and the toolkit's field procedure in
// front of its own; edit fields take up to 32767 characters (65535
// multi-line); check boxes and radio buttons check themselves; image
// buttons and statics show the image with their own identifier; the
// controls notify their dialog.
void PrepareFields(HWND dialog);

// The record attached to a control; null for a window that has none.
FieldRecord* FieldRecordOf(HWND control);

// Caption, then per control in template order: style, record, the states
// its kind has (check, image, items and selection, tabs, range and
// position, edit limit, tab stops, read-only, a grid's cells), text and
// enabled state.
// Spin controls keep their own; embedded page dialogs are not fields.
void CopyFields(HWND from, HWND to);

// The images the fields showed; freed when the root window closes.
void ForgetFieldImages();

}  // namespace toolkit
