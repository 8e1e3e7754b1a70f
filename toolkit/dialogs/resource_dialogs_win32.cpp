// Dialogs designed among the program's resources: a hidden instance holds
// the fields; a modal show runs a second instance of the same template,
// with the fields copied into it and back again.

#include <algorithm>
#include <string>

#include "text/text_utilities.hpp"
#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

constexpr LPARAM HiddenInstance = 0;
constexpr LPARAM ModalInstance = 1;

DialogSlot& CurrentSlot() { return Dialogs.Slots[Dialogs.Current]; }

// While it lives, what the fields report is the toolkit's own writing.
struct FieldWriting {
  FieldWriting() { Dialogs.SettingFields = true; }
  ~FieldWriting() { Dialogs.SettingFields = false; }
  FieldWriting(const FieldWriting&) = delete;
  FieldWriting& operator=(const FieldWriting&) = delete;
};

// -1 centres the dialog on the screen, or in the root's client area for a
// dialog inside it.
void Place(HWND dialog, int x, int y) {
  RECT r{};
  GetWindowRect(dialog, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  int areaWidth = State.ScreenWidth;
  int areaHeight = State.ScreenHeight;
  if (IsChildWindow(dialog)) {
    RECT client{};
    GetClientRect(GetParent(dialog), &client);
    areaWidth = client.right;
    areaHeight = client.bottom;
  }
  if (x == -1) x = (areaWidth - width) / 2;
  if (y == -1) y = (areaHeight - height) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FocusField(HWND dialog, int field) {
  const HWND control = GetDlgItem(dialog, field);
  if (control == nullptr) return;
  SetFocus(control);
  SendMessageA(control, EM_SETSEL, 0, -1);
}

// Returns whether the platform should give the first control the focus.
BOOL Initialise(HWND dialog, LPARAM instance) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  for (const UINT command : {SC_RESTORE, SC_MAXIMIZE, SC_SIZE}) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
  PrepareFields(dialog);
  if (instance == ModalInstance) {
    Dialogs.Slots[0].Window = dialog;
    const FieldWriting writing;
    CopyFields(CurrentSlot().Window, dialog);
    Place(dialog, Dialogs.X, Dialogs.Y);
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

int ControlId(HWND control) { return control != nullptr ? GetDlgCtrlID(control) : 0; }

// Push buttons end a modal dialog; Escape and the close box arrive as the
// command IDCANCEL without a control.
bool EndsModal(HWND source) {
  if (source == nullptr) return true;
  const LONG kind = GetWindowLongA(source, GWL_STYLE) & 0x0F;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

// The running modal instance stands for the current dialog. An instance
// that has ended has no slot: what it reports while closing is not the
// user's doing.
DialogSlot* SlotOf(HWND dialog) {
  if (dialog == Dialogs.Slots[0].Window) return &CurrentSlot();
  for (int i = 1; i <= Dialogs.Count; ++i) {
    if (Dialogs.Slots[i].Window == dialog) return &Dialogs.Slots[i];
  }
  return nullptr;
}

void OnCommand(HWND dialog, int id, int notification, HWND source) {
  DialogSlot* found = SlotOf(dialog);
  if (found == nullptr) return;
  DialogSlot& slot = *found;
  const HWND focus = GetFocus();
  if (dialog == Dialogs.Slots[0].Window && notification == BN_CLICKED && EndsModal(source)) {
    State.Dialog.EventDialogId = slot.DialogId;
    slot.ExitField = id;
    if (focus != nullptr && focus != source && IsChild(dialog, focus)) slot.PreviousField = ControlId(focus);
    {
      const FieldWriting writing;
      CopyFields(dialog, slot.Window);
    }
    Dialogs.ActiveDialog = nullptr;
    Dialogs.Slots[0].Window = nullptr;
    EndDialog(dialog, id);
    return;
  }
  if (notification == BN_CLICKED && source != nullptr && EndsModal(source)) {
    if (focus != source) slot.PreviousField = slot.ExitField;
    slot.ExitField = id;
    return;
  }
  slot.PreviousField = slot.ExitField;
  slot.ExitField = id;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return Initialise(dialog, lParam);
    case WM_COMMAND:
      // What the toolkit writes into the fields is no command of the user's.
      if (Dialogs.SettingFields) return TRUE;
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        Dialogs.ActiveDialog = dialog;
      } else if (Dialogs.ActiveDialog == dialog) {
        Dialogs.ActiveDialog = nullptr;
      }
      return FALSE;
    default: return FALSE;
  }
}

bool NoneLoaded() {
  if (State.Dialog.CurrentDialogId != 0 && Dialogs.Current != 0) return false;
  ErrorRaise(ErrorNumber::NoDialogLoaded);
  return true;
}

void ShowModalInstance(DialogSlot& slot, int x, int y, int focusField) {
  const HWND owner = DialogOwner();
  const HWND restore = Dialogs.SemiModelessRestore != nullptr ? Dialogs.SemiModelessRestore : owner;
  const HWND activeBefore = Dialogs.ActiveDialog;
  const int activeWindowBefore = Layer.ActiveWindow;
  slot.Owner = owner;
  slot.RestoreWindow = restore;
  slot.Mode = 1;
  Dialogs.X = x;
  Dialogs.Y = y;
  Dialogs.FocusField = focusField;
  WithOtherWindowsDisabled(owner, [&slot, owner] {
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(slot.DialogId), owner, DialogProcedure,
                           ModalInstance);
  });
  Dialogs.Slots[0] = DialogSlot{};
  Dialogs.ActiveDialog = activeBefore;
  Layer.ActiveWindow = activeWindowBefore;
  WindowImagesRelease();
  State.Dialog.ExitField = slot.ExitField;
  State.Dialog.PreviousField = slot.PreviousField;
}

void ShowModeless(DialogSlot& slot, int x, int y, int focusField, int mode) {
  slot.Owner = DialogOwner();
  slot.RestoreWindow = Dialogs.SemiModelessRestore != nullptr ? Dialogs.SemiModelessRestore : slot.Owner;
  slot.Mode = mode;
  if (mode == 3) {
    ++Dialogs.SemiModelessCount;
    Dialogs.SemiModelessRestore = slot.Window;
    OtherWindowsDisable(slot.Window);
  }
  Place(slot.Window, x, y);
  if (focusField != 0) {
    FocusField(slot.Window, focusField);
  } else {
    SetFocus(slot.Window);
  }
  ShowWindow(slot.Window, SW_SHOW);
  slot.PreviousField = ControlId(GetFocus());
  slot.Shown = 1;
}

}  // namespace

void DialogLoad(int dialogId) {
  for (int i = 1; i <= Dialogs.Count; ++i) {
    if (Dialogs.Slots[i].DialogId != dialogId) continue;
    Dialogs.Current = i;
    State.Dialog.CurrentDialogId = dialogId;
    return;
  }
  const HINSTANCE instance = ProgramInstance();
  if (Dialogs.Count == MaxLoadedDialogs || FindResourceA(instance, MAKEINTRESOURCEA(dialogId), RT_DIALOG) == nullptr) {
    return ErrorRaise(ErrorNumber::DialogResourceNotLoaded);
  }
  Layer.ClosingWithRoot = ForgetDialogs;
  const HWND activeBefore = Dialogs.ActiveDialog;
  const int index = Dialogs.Count + 1;
  Dialogs.Slots[index] = DialogSlot{.DialogId = dialogId};
  const int previous = Dialogs.Current;
  Dialogs.Current = index;  // the dialog procedure finds its slot through it
  const HWND window =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(dialogId), Layer.Slots[0].Client, DialogProcedure, HiddenInstance);
  Dialogs.ActiveDialog = activeBefore;
  if (window == nullptr) {
    Dialogs.Slots[index] = DialogSlot{};
    Dialogs.Current = previous;
    return ErrorRaise(ErrorNumber::DialogResourceNotLoaded);
  }
  Dialogs.Slots[index].Window = window;
  Dialogs.Count = index;
  State.DialogLoaded = Dialogs.Count;
  State.Dialog.CurrentDialogId = dialogId;
}

void DialogPutText(int fieldId, std::string_view text) {
  if (NoneLoaded()) return;
  const HWND control = GetDlgItem(CurrentSlot().Window, fieldId);
  const std::string shown(text::TrimTrailing(text));
  const FieldWriting writing;
  if (control == nullptr || !SetWindowTextA(control, shown.c_str())) {
    return ErrorRaise(ErrorNumber::InvalidFieldIdentifier);
  }
  InvalidateRect(control, nullptr, TRUE);
  UpdateWindow(control);
}

void DialogShowModal(int x, int y, int focusField, int mode) {
  if (NoneLoaded()) return;
  DialogSlot& slot = CurrentSlot();
  const int rememberedWindow = Layer.CurrentWindow;
  Layer.CurrentWindow = 0;
  if (slot.Shown != 0) {
    UpdateWindow(slot.Window);
  } else if (mode < 1 || mode > 3) {
    ErrorRaise(ErrorNumber::InvalidDialogMode);
  } else if (IsChildWindow(slot.Window)) {
    // A dialog inside a window can only be shown modeless.
    ShowModeless(slot, x, y, focusField, 2);
    if (mode != 2) ErrorRaise(ErrorNumber::InvalidDialogMode);
  } else if (mode == 2 && Dialogs.SemiModelessCount > 0) {
    ShowModeless(slot, x, y, focusField, 3);
    ErrorRaise(ErrorNumber::InvalidDialogMode);
  } else if (mode == 1) {
    WindowImagesHold();
    ShowModalInstance(slot, x, y, focusField);
  } else {
    ShowModeless(slot, x, y, focusField, mode);
  }
  Layer.CurrentWindow = rememberedWindow;
}

// No dialog of this toolkit has tab pages yet: there are none to keep.
void DialogUnload([[maybe_unused]] int keepPages) {
  if (NoneLoaded()) return;
  const DialogSlot slot = CurrentSlot();
  ShowWindow(slot.Window, SW_HIDE);
  if (slot.Shown != 0 && slot.Mode == 3) {
    --Dialogs.SemiModelessCount;
    if (Dialogs.SemiModelessRestore == slot.Window) Dialogs.SemiModelessRestore = nullptr;
    OtherWindowsEnable(slot.RestoreWindow);
  }
  if (Dialogs.ActiveDialog == slot.Window) {
    Dialogs.ActiveDialog = nullptr;
    if (slot.Owner != nullptr) SetFocus(slot.Owner);
  }
  DestroyWindow(slot.Window);
  std::move(Dialogs.Slots.begin() + Dialogs.Current + 1, Dialogs.Slots.begin() + Dialogs.Count + 1,
            Dialogs.Slots.begin() + Dialogs.Current);
  Dialogs.Slots[Dialogs.Count] = DialogSlot{};
  --Dialogs.Count;
  State.DialogLoaded = Dialogs.Count;
  Dialogs.Current = 0;
  State.Dialog.CurrentDialogId = 0;
}

}  // namespace toolkit
