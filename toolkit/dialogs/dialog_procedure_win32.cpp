#include "toolkit/dialogs/dialog_procedure_win32.hpp"

#include <commctrl.h>

#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/dialogs/dialog_pages_win32.hpp"
#include "toolkit/dialogs/dialog_rules.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/event_reports_win32.hpp"
#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

// Returns whether the platform should give the first control the focus.
BOOL Initialise(HWND dialog, LPARAM instance) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  for (const UINT command : {SC_RESTORE, SC_MAXIMIZE, SC_SIZE}) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
  PrepareFields(dialog);
  if (instance == ModalInstance) {
    Dialogs.Slots[0].Window = dialog;
    const FieldWriting writing;
    CopyFields(Dialogs.CurrentSlot().Window, dialog);
    EmbedPages(dialog);
    PlaceDialog(dialog, Dialogs.X, Dialogs.Y);
  }
  const HWND root = Layer.Slots[0].Frame;
  if (root != nullptr) {
    const auto icon = GetClassLongPtrA(root, GCLP_HICONSM);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, icon != 0 ? icon : GetClassLongPtrA(root, GCLP_HICON));
  }
  SetWindowLongA(dialog, GWL_EXSTYLE, GetWindowLongA(dialog, GWL_EXSTYLE) | WS_EX_APPWINDOW);
  if (instance != ModalInstance) return FALSE;  // a hidden instance takes no focus
  if (Dialogs.FocusField == 0) return TRUE;
  FocusField(dialog, Dialogs.FocusField);
  return FALSE;
}

// The running modal instance stands for the current dialog. An instance
// that has ended has no slot: what it reports while closing is not the
// user's doing.
int SlotIndexOf(HWND dialog) {
  if (dialog == Dialogs.Slots[0].Window) return Dialogs.Current;
  return Dialogs.IndexOf(dialog);
}

void EndModal(HWND dialog, DialogSlot& slot, int id, HWND source) {
  const HWND focus = GetFocus();
  State.Dialog.EventDialogId = slot.DialogId;
  slot.ExitField = id;
  if (focus != nullptr && focus != source && IsChild(dialog, focus)) slot.PreviousField = ControlId(focus);
  ReturnPages(dialog);
  {
    const FieldWriting writing;
    CopyFields(dialog, slot.Window);
  }
  Dialogs.ActiveDialog = nullptr;
  Dialogs.Slots[0].Window = nullptr;
  EndDialog(dialog, id);
}

// As if the user had clicked the default button: a double click in a list
// chooses the item and goes on.
void PressDefaultButton(HWND dialog) {
  const LRESULT found = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(found) != DC_HASDEFID) return;
  const HWND button = GetDlgItem(dialog, LOWORD(found));
  if (button == nullptr || !IsWindowEnabled(button)) return;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(found), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

template <typename Action>
void ForGrids(HWND dialog, Action action) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlKindOf(child) == ControlKind::Grid) action(child);
  }
}

// The grid whose cell editor has the keyboard, if any: Enter there means
// the cell, not the dialog.
HWND GridTyping(HWND dialog) {
  HWND typing = nullptr;
  const HWND focus = GetFocus();
  ForGrids(dialog, [&typing, focus](HWND grid) {
    if (GridEditing(grid) && IsChild(grid, focus)) typing = grid;
  });
  return typing;
}

void OnCommand(HWND dialog, int id, int notification, HWND source) {
  const int index = SlotIndexOf(dialog);
  if (index == 0) return;
  if (id == IDOK) {
    if (const HWND grid = GridTyping(dialog)) return GridEnterKey(grid);
  }
  DialogSlot& slot = Dialogs.Slots[index];
  const bool modal = dialog == Dialogs.Slots[0].Window;
  const CommandSituation command{
      .ModalInstance = modal,
      .ChildDialog = IsChildWindow(dialog),
      .Id = id,
      .Notification = notification,
      .FromControl = source != nullptr,
      .SourceIsButton = source != nullptr && ControlKindOf(source) == ControlKind::Button,
      .SourceStyle = source != nullptr ? static_cast<int>(GetWindowLongA(source, GWL_STYLE)) : 0,
  };
  const CommandKind kind = ClassifyCommand(command);
  // What was typed in a cell counts before the button that acts on it.
  if (kind == CommandKind::EndModal || kind == CommandKind::ModelessPush) ForGrids(dialog, GridCommitEdit);
  const int last = slot.ExitField;
  switch (kind) {
    case CommandKind::SystemCommand: SendMessageA(dialog, WM_SYSCOMMAND, id, 0); return;
    case CommandKind::PressDefault: PressDefaultButton(dialog); return;
    case CommandKind::EndModal: EndModal(dialog, slot, id, source); return;
    case CommandKind::ModelessPush:
      if (GetFocus() != source) slot.PreviousField = last;
      slot.ExitField = id;
      ReportSlotEvent(index, EventType::DialogButton, id, slot.DialogId, notification, -1, -1, -1);
      return;
    case CommandKind::FieldChange:
      slot.PreviousField = last;
      slot.ExitField = id;
      if (!modal && QueuesFieldEvent(notification, id, last)) {
        ReportSlotEvent(index, EventType::DialogField, id, slot.DialogId, notification, -1, -1, -1);
      }
      return;
  }
}

// Both parameters name the grid; the modal instance reads the second.
// Outside it the cell changed (1-based row and column) goes with event 10.
void OnCellChange(HWND dialog, WPARAM first, LPARAM second) {
  const int index = SlotIndexOf(dialog);
  if (index == 0) return;
  DialogSlot& slot = Dialogs.Slots[index];
  const bool modal = dialog == Dialogs.Slots[0].Window;
  slot.PreviousField = slot.ExitField;
  slot.ExitField = static_cast<int>(modal ? second : first);
  if (modal) return;
  const POINT cell = GridLastChange(GetDlgItem(dialog, slot.ExitField));
  ReportSlotEvent(index, EventType::DialogField, slot.ExitField, slot.DialogId, cell.y + 1, cell.x + 1, -1, -1);
}

void OnActivate(HWND dialog, bool active) {
  if (active) {
    Dialogs.ActiveDialog = dialog;
    const int index = Dialogs.IndexOf(dialog);
    if (index != 0 && Dialogs.Slots[index].Shown != 0) Layer.ModelessDialog = dialog;
    return;
  }
  if (Dialogs.ActiveDialog == dialog) Dialogs.ActiveDialog = nullptr;
  Layer.RecentWindow = dialog;
}

// Fields given colours by the dialog's companion text.
INT_PTR OnColour(HDC dc, HWND control) {
  const FieldRecord* record = FieldRecordOf(control);
  if (record == nullptr || !record->Coloured) return FALSE;
  SetTextColor(dc, record->Foreground);
  SetBkColor(dc, record->Background);
  SetDCBrushColor(dc, record->Background);
  return reinterpret_cast<INT_PTR>(GetStockObject(DC_BRUSH));
}

}  // namespace

FieldWriting::FieldWriting() { Dialogs.SettingFields = true; }
FieldWriting::~FieldWriting() { Dialogs.SettingFields = false; }

void PlaceDialog(HWND dialog, int x, int y) {
  RECT r{};
  GetWindowRect(dialog, &r);
  int areaWidth = State.ScreenWidth;
  int areaHeight = State.ScreenHeight;
  const bool child = IsChildWindow(dialog);
  if (child) {
    RECT client{};
    GetClientRect(GetParent(dialog), &client);
    areaWidth = client.right;
    areaHeight = client.bottom;
  }
  SetWindowPos(dialog, nullptr, DialogOrigin(x, areaWidth, r.right - r.left, child),
               DialogOrigin(y, areaHeight, r.bottom - r.top, child), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FocusField(HWND dialog, int field) {
  const HWND control = GetDlgItem(dialog, field);
  if (control == nullptr) return;
  SetFocus(control);
  SendMessageA(control, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return Initialise(dialog, lParam);
    case WM_COMMAND:
      // What the toolkit writes into the fields is no command of the user's.
      if (Dialogs.SettingFields) return TRUE;
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.code == static_cast<UINT>(TCN_SELCHANGE)) ShowSelectedPage(header.hwndFrom);
      return FALSE;
    }
    case WM_ACTIVATE: OnActivate(dialog, LOWORD(wParam) != WA_INACTIVE); return FALSE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      if (Layer.ModelessDialog == dialog) Layer.ModelessDialog = nullptr;
      DropWindowImage(dialog);
      return FALSE;
    default:
      if (message != 0 && message == CellChangeMessage()) {
        OnCellChange(dialog, wParam, lParam);
        return TRUE;
      }
      return FALSE;
  }
}

}  // namespace toolkit
