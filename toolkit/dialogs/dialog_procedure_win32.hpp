#pragma once
// The dialog procedure every instance of a resource dialog runs with: the
// hidden instance made by DialogLoad and the modal instance of a modal show.

#include <windows.h>

namespace toolkit {

inline constexpr LPARAM HiddenInstance = 0;
inline constexpr LPARAM ModalInstance = 1;

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// -1 centres the dialog on the screen, or in the root's client area for a
// dialog inside it; such a dialog is placed in window units.
void PlaceDialog(HWND dialog, int x, int y);

// The field gets the focus and its text is selected.
void FocusField(HWND dialog, int field);

// The control's identifier; 0 for none.
inline int ControlId(HWND control) { return control != nullptr ? GetDlgCtrlID(control) : 0; }

// While it lives, what the fields report is the toolkit's own writing.
struct FieldWriting {
  FieldWriting();
  ~FieldWriting();
  FieldWriting(const FieldWriting&) = delete;
  FieldWriting& operator=(const FieldWriting&) = delete;
};

}  // namespace toolkit
