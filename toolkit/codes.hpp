#pragma once
// The numbers the toolkit's operations take and give, by name: for the
// toolkit itself and for the programs that call it. Every part of the
// toolkit may include this header; it includes nothing.

namespace toolkit {

// OpenRootWindow: WindowSpec::Flags, any of these or'ed together.
namespace WindowFlag {
inline constexpr int SystemMenu = 1 << 0;
inline constexpr int MinimiseBox = 1 << 1;
inline constexpr int MaximiseBox = 1 << 2;
inline constexpr int StartMaximised = 1 << 3;
inline constexpr int StatusBar = 1 << 5;
inline constexpr int FixedSize = 1 << 6;
inline constexpr int StartHidden = 1 << 7;
inline constexpr int AlwaysOnTop = 1 << 9;
}  // namespace WindowFlag

// StatusBarParts: a width that reaches the right end (the last part's only),
// and the styles of the parts. Parts are numbered from 1.
inline constexpr int ToRightEnd = -1;
namespace PartStyle {
inline constexpr int NoBorder = 0;
inline constexpr int Sunken = 1;
inline constexpr int Raised = 2;
}  // namespace PartStyle

// ToolbarCreate: where the toolbar goes.
namespace ToolbarPosition {
inline constexpr int Top = 1;
inline constexpr int Left = 2;
inline constexpr int Right = 3;
inline constexpr int Bottom = 4;
}  // namespace ToolbarPosition

// MenuItemState: what the value (1 or 0) sets.
namespace MenuItemKind {
inline constexpr int Enabled = 1;  // 1 enabled, 0 greyed
inline constexpr int Checked = 2;  // 1 checked, 0 not
}  // namespace MenuItemKind

// FileSelect: flag bits.
inline constexpr int SelectSave = 1;             // a save dialog; otherwise an open dialog
inline constexpr int SelectPrompt = 2;           // open: ask before a new name; save: before replacing
inline constexpr int SelectAnyPath = 4;          // the typed folder need not exist
inline constexpr int SelectKeepDirectory = 8;    // leave the current directory where the dialog left it
inline constexpr int SelectMultiple = 16;        // open only: several files
inline constexpr int SelectAppendExtension = 32; // a name typed without extension gets the filter's
inline constexpr int SelectFollowType = 64;      // save: the name's extension follows the type chosen

// MessageBoxShow: the buttons and the icon. The default button is counted
// from the left, 1 to 3.
namespace Buttons {
inline constexpr int Ok = 0;
inline constexpr int OkCancel = 1;
inline constexpr int RetryCancel = 2;
inline constexpr int YesNo = 3;
inline constexpr int YesNoCancel = 4;
inline constexpr int AbortRetryIgnore = 5;
}  // namespace Buttons
namespace Icon {
inline constexpr int None = 0;
inline constexpr int Stop = 1;
inline constexpr int Question = 2;
inline constexpr int Exclamation = 3;
inline constexpr int Information = 4;
}  // namespace Icon

// What DialogInfo(DialogInfoCode::CommonResult) gives after a message box,
// and after a file dialog (Yes: confirmed).
namespace Answer {
inline constexpr int Cancel = 0;  // Cancel, Ignore, or a box that could not be shown
inline constexpr int Yes = 1;     // OK, Retry or Yes
inline constexpr int No = 2;      // No or Abort
}  // namespace Answer

// DialogInfo: what it tells. Geometry is in screen pixels, or for a dialog
// inside a window in that window's units.
namespace DialogInfoCode {
inline constexpr int ExitField = 1;      // the control that ended the last modal dialog
inline constexpr int PreviousField = 2;  // the control that had the focus then
inline constexpr int CurrentDialog = 3;
inline constexpr int CommonResult = 4;
inline constexpr int EventDialog = 5;    // the dialog of the last command
inline constexpr int Left = 6;
inline constexpr int Top = 7;
inline constexpr int Width = 8;
inline constexpr int Height = 9;
}  // namespace DialogInfoCode

// DialogShowModal: how the dialog is shown, and where.
namespace DialogMode {
inline constexpr int Modal = 1;
inline constexpr int Modeless = 2;
inline constexpr int SemiModeless = 3;  // modeless, with the other windows disabled
}  // namespace DialogMode
inline constexpr int Centred = -1;      // as x or y
inline constexpr int NoFocusField = 0;  // the dialog's own first field

// ErrorReportModeSet: how a raised error is reported.
namespace ReportMode {
inline constexpr int Silent = 0;     // only recorded, for ErrorQuery
inline constexpr int Printed = 1;    // a line on standard output
inline constexpr int DebugLog = 2;
inline constexpr int StatusBar = 3;  // part 1 of the root window's status bar
inline constexpr int Box = 4;        // a box that offers to end the program
}  // namespace ReportMode

// ErrorQuery: which error slot to read (and clear).
namespace ErrorSlot {
inline constexpr int Number = 1;       // the toolkit error number
inline constexpr int InputOutput = 2;  // the input/output status of a failed file operation
inline constexpr int System = 3;       // the operating system's code, stored with error 13
}  // namespace ErrorSlot

}  // namespace toolkit
