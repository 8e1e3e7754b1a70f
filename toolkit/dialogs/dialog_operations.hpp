#pragma once
// The toolkit's dialogs as the application sees them: the open and save
// dialogs, message boxes and the dialogs among the program's resources.
// No <windows.h> here.

#include <span>
#include <string_view>

#include "toolkit/codes.hpp"

namespace toolkit {

// Filter: description and pattern pairs, each item ended by the text's last
// character ("Log files (*.pgl)|*.pgl|"). FileName holds the initial path
// and, when the user confirms, the chosen one, blank-padded; a blank Title
// gives "Select File". Flags are the Select bits of codes.hpp.
// DialogInfo(DialogInfoCode::CommonResult) then gives Answer::Yes when the
// user confirmed, Answer::Cancel when not.
void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                int* filterIndex = nullptr);

// ButtonType is one of Buttons, IconType one of Icon; a default button beyond
// the last is the last. DialogInfo(DialogInfoCode::CommonResult) then gives
// the Answer.
void MessageBoxShow(int buttonType, int iconType, int defaultButton, std::string_view message,
                    std::string_view title);

// The dialog's fields live in a hidden instance made by DialogLoad; a modal
// show runs a copy of it and copies the fields back when a button ends it.
// A raw-data resource with the dialog's number beside its template fills
// the fields when it loads (its sections are described in
// companion_resource.hpp); the dialogs its tab controls name are loaded too,
// as its pages.
void DialogLoad(int dialogId);
void DialogPutText(int fieldId, std::string_view text);
// X and Y in screen pixels, or Centred; a dialog inside the root window is
// placed in window units and always shown modeless. Mode one of DialogMode.
// A shown dialog reports its push buttons as EventType::DialogButton and,
// once switched on, its other changes as EventType::DialogField.
void DialogShowModal(int x, int y, int focusField = NoFocusField, int mode = DialogMode::Modeless);
// Its tab pages are unloaded with it unless kept.
void DialogUnload(int keepPages = 0);

// Code is one of DialogInfoCode; 0 for any other.
int DialogInfo(int code);

}  // namespace toolkit
