// Dialogs designed among the program's resources: a hidden instance holds
// the fields; a modal show runs a second instance of the same template,
// with the fields copied into it and back again.

#include <string>
#include <vector>

#include "text/text_utilities.hpp"
#include "toolkit/codes.hpp"
#include "toolkit/dialogs/companion_win32.hpp"
#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_pages_win32.hpp"
#include "toolkit/dialogs/dialog_procedure_win32.hpp"
#include "toolkit/dialogs/dialog_rules.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

bool NoneLoaded() {
  if (State.Dialog.CurrentDialogId != 0 && Dialogs.Current != 0) return false;
  ErrorRaise(ErrorNumber::NoDialogLoaded);
  return true;
}

void ShowModalInstance(DialogSlot& slot, int x, int y, int focusField) {
  const HWND owner = DialogOwner();
  const HWND activeBefore = Dialogs.ActiveDialog;
  const int activeWindowBefore = Layer.ActiveWindow;
  const HWND recentBefore = Layer.RecentWindow;
  slot.Owner = owner;
  slot.RestoreWindow = Dialogs.SemiModelessRestore != nullptr ? Dialogs.SemiModelessRestore : owner;
  slot.Mode = DialogMode::Modal;
  Dialogs.X = x;
  Dialogs.Y = y;
  Dialogs.FocusField = focusField;
  WithOtherWindowsDisabled(owner, [&slot, owner] {
    return DialogBoxParamW(ProgramInstance(), MAKEINTRESOURCEW(slot.DialogId), owner, DialogProcedure,
                           ModalInstance);
  });
  Dialogs.Slots[0] = DialogSlot{};
  Dialogs.ActiveDialog = activeBefore;
  Layer.ActiveWindow = activeWindowBefore;
  Layer.RecentWindow = recentBefore;
  if (IsChildWindow(owner) && Dialogs.IndexOf(owner) != 0) Dialogs.ActiveDialog = owner;
  ImagesRelease();
  State.Dialog.ExitField = slot.ExitField;
  State.Dialog.PreviousField = slot.PreviousField;
}

void ShowModeless(DialogSlot& slot, int x, int y, int focusField, int mode) {
  slot.Owner = DialogOwner();
  slot.RestoreWindow = Dialogs.SemiModelessRestore != nullptr ? Dialogs.SemiModelessRestore : slot.Owner;
  slot.Mode = mode;
  if (mode == DialogMode::SemiModeless) {
    ++Dialogs.SemiModelessCount;
    Dialogs.SemiModelessRestore = slot.Window;
    OtherWindowsDisable(slot.Window);
  }
  EmbedPages(slot.Window);
  PlaceDialog(slot.Window, x, y);
  if (focusField != 0) {
    FocusField(slot.Window, focusField);
  } else {
    SetFocus(slot.Window);
  }
  ShowWindow(slot.Window, SW_SHOW);
  slot.PreviousField = ControlId(GetFocus());
  slot.Shown = 1;
  Layer.ModelessDialog = slot.Window;
}

// The owner of a dialog that goes away gets the keyboard and the active
// caption back, as if the user had returned to it.
void ReactivateOwner(HWND owner) {
  if (owner == nullptr || !IsWindow(owner)) return;
  SetFocus(owner);
  SendMessageA(owner, WM_NCACTIVATE, TRUE, 0);
  if (Dialogs.IndexOf(owner) != 0) Dialogs.ActiveDialog = owner;
}

void RemoveLoaded(int index) {
  DestroyWindow(Dialogs.Slots[index].Window);
  Dialogs.Remove(index);
}

}  // namespace

void DialogLoad(int dialogId) {
  if (const int found = Dialogs.Find(dialogId); found != 0) {
    Dialogs.Current = found;
    State.Dialog.CurrentDialogId = dialogId;
    return;
  }
  const HINSTANCE instance = ProgramInstance();
  if (!IsDialogResourceNumber(dialogId) || Dialogs.Full() ||
      FindResourceA(instance, MAKEINTRESOURCEA(dialogId), RT_DIALOG) == nullptr) {
    return ErrorRaise(ErrorNumber::DialogResourceNotLoaded);
  }
  Layer.ClosingWithRoot = ForgetDialogs;
  Layer.DialogCaptionsInactive = [] {
    for (int i = 1; i <= Dialogs.Count; ++i) SendMessageA(Dialogs.Slots[i].Window, WM_NCACTIVATE, FALSE, 0);
  };
  const HWND activeBefore = Dialogs.ActiveDialog;
  const int previous = Dialogs.Current;
  const int index = Dialogs.Append(dialogId);  // the dialog procedure finds its slot through it
  const HWND window =
      CreateDialogParamW(instance, MAKEINTRESOURCEW(dialogId), Layer.Slots[0].Client, DialogProcedure, HiddenInstance);
  Dialogs.ActiveDialog = activeBefore;
  if (window == nullptr) {
    Dialogs.Remove(index);
    Dialogs.Current = previous;
    return ErrorRaise(ErrorNumber::DialogResourceNotLoaded);
  }
  Dialogs.Slots[index].Window = window;
  State.DialogLoaded = Dialogs.Count;
  State.Dialog.CurrentDialogId = dialogId;
  const FieldWriting writing;
  ApplyCompanion(window, dialogId);
}

void DialogPutText(int fieldId, std::string_view text) {
  if (NoneLoaded()) return;
  const HWND control = GetDlgItem(Dialogs.CurrentSlot().Window, fieldId);
  const std::wstring shown = PlatformText(text::TrimTrailing(text));
  const FieldWriting writing;
  if (control == nullptr || !SetWindowTextW(control, shown.c_str())) {
    return ErrorRaise(ErrorNumber::InvalidFieldIdentifier);
  }
  InvalidateRect(control, nullptr, TRUE);
  UpdateWindow(control);
}

void DialogShowModal(int x, int y, int focusField, int mode) {
  if (NoneLoaded()) return;
  DialogSlot& slot = Dialogs.CurrentSlot();
  const int rememberedWindow = Layer.CurrentWindow;
  Layer.CurrentWindow = 0;
  const ShowPlan plan = PlanShow({.Mode = mode,
                                  .Shown = slot.Shown != 0,
                                  .ChildDialog = IsChildWindow(slot.Window),
                                  .SemiModelessCount = Dialogs.SemiModelessCount,
                                  .RootHidden = Layer.RootHidden});
  switch (plan.Action) {
    case ShowAction::Refresh: UpdateWindow(slot.Window); break;
    case ShowAction::Modal:
      ImagesHold();
      ShowModalInstance(slot, x, y, focusField);
      break;
    case ShowAction::Modeless: ShowModeless(slot, x, y, focusField, plan.Mode); break;
    case ShowAction::Nothing: break;
  }
  Layer.CurrentWindow = rememberedWindow;
  if (plan.ErrorDuring != 0) ErrorRaise(plan.ErrorDuring);
  if (plan.ErrorAfter != 0) ErrorRaise(plan.ErrorAfter);
}

void DialogUnload(int keepPages) {
  if (NoneLoaded()) return;
  const DialogSlot slot = Dialogs.CurrentSlot();
  // Hiding it takes the activation away: asked before.
  const bool wasActive = Dialogs.ActiveDialog == slot.Window;
  ShowWindow(slot.Window, SW_HIDE);
  if (slot.Shown != 0 && slot.Mode == DialogMode::SemiModeless) {
    --Dialogs.SemiModelessCount;
    if (Dialogs.SemiModelessRestore == slot.Window) Dialogs.SemiModelessRestore = nullptr;
    OtherWindowsEnable(slot.RestoreWindow);
  }
  if (wasActive) {
    if (Dialogs.ActiveDialog == slot.Window) Dialogs.ActiveDialog = nullptr;
    ReactivateOwner(slot.Owner);
  }
  const std::vector<int> pages = PagesOf(slot.Window);
  ReturnPages(slot.Window);
  if (keepPages == 0) {
    for (const int page : pages) {
      if (const int index = Dialogs.Find(page); index != 0) RemoveLoaded(index);
    }
  }
  RemoveLoaded(Dialogs.IndexOf(slot.Window));
  State.DialogLoaded = Dialogs.Count;
  State.Dialog.CurrentDialogId = 0;
  if (Dialogs.Count == 0) Layer.RecentWindow = Layer.Slots[0].Frame;
}

}  // namespace toolkit
