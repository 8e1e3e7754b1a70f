#pragma once
// The toolkit's dialogs as the application sees them: the open and save
// dialogs, message boxes and the dialogs among the program's resources.
// No <windows.h> here.

#include <span>
#include <string_view>

namespace toolkit {

// Flag bits of FileSelect.
inline constexpr int SelectSave = 1;             // a save dialog; otherwise an open dialog
inline constexpr int SelectPrompt = 2;           // open: ask before a new name; save: before replacing
inline constexpr int SelectAnyPath = 4;          // the typed folder need not exist
inline constexpr int SelectKeepDirectory = 8;    // leave the current directory where the dialog left it
inline constexpr int SelectMultiple = 16;        // open only: several files
inline constexpr int SelectAppendExtension = 32; // a name typed without extension gets the filter's

// Filter: description and pattern pairs, each item ended by the text's last
// character ("Log files (*.pgl)|*.pgl|"). FileName holds the initial path
// and, when the user confirms, the chosen one, blank-padded; a blank Title
// gives "Select File". DialogInfo(4) then says 1 confirmed, 0 not.
void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                int* filterIndex = nullptr);

// ButtonType 0 OK, 1 OK/Cancel, 2 Retry/Cancel, 3 Yes/No, 4 Yes/No/Cancel,
// 5 Abort/Retry/Ignore; IconType 1 stop, 2 question, 3 exclamation,
// 4 information. DialogInfo(4) then gives 1 for OK, Retry or Yes, 2 for No or
// Abort, 0 for Cancel or Ignore or a box that could not be shown.
void MessageBoxShow(int buttonType, int iconType, int defaultButton, std::string_view message,
                    std::string_view title);

// The dialog's fields live in a hidden instance made by DialogLoad; a modal
// show runs a copy of it and copies the fields back when a button ends it.
void DialogLoad(int dialogId);
void DialogPutText(int fieldId, std::string_view text);
// X and Y in screen pixels, -1 centred. Mode 1 modal, 2 modeless, 3 semi-modeless.
void DialogShowModal(int x, int y, int focusField = 0, int mode = 2);
void DialogUnload(int keepPages = 0);

// Codes 1 to 5: ExitField, PreviousField, CurrentDialogId, CommonResult,
// EventDialogId; 6 to 9: left, top, width and height of the current dialog.
int DialogInfo(int code);

}  // namespace toolkit
