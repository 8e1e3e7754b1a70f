// What the toolkit does to its other windows while a modal box is up.

#include "toolkit/dialogs/modal_bracket_win32.hpp"

#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

// The visible toolkit frames, and the shown dialogs that stand beside the
// root window rather than inside another window.
template <typename Action>
void ForOtherWindows(Action action) {
  const HWND rootFrame = Layer.Slots[0].Frame;
  const HWND rootClient = Layer.Slots[0].Client;
  for (int i = 1; i <= Dialogs.Count; ++i) {
    const DialogSlot& d = Dialogs.Slots[i];
    const HWND parent = GetParent(d.Window);
    if (d.Shown != 0 && (parent == nullptr || parent == rootFrame || parent == rootClient)) action(d.Window);
  }
  for (const WindowSlot& slot : Layer.Slots) {
    if (slot.Frame != nullptr && IsWindowVisible(slot.Frame)) action(slot.Frame);
  }
}

}  // namespace

HWND DialogOwner() {
  if (Dialogs.ActiveDialog != nullptr && IsWindowVisible(Dialogs.ActiveDialog)) return Dialogs.ActiveDialog;
  const HWND recent = Layer.Slots[Layer.ActiveWindow].Frame;
  return recent != nullptr ? recent : Layer.Slots[0].Frame;
}

void OtherWindowsDisable(HWND owner) {
  ForOtherWindows([owner](HWND window) {
    if (window != owner) EnableWindow(window, FALSE);
  });
}

void OtherWindowsEnable(HWND window) {
  if (Dialogs.SemiModelessCount > 0) {
    EnableWindow(window, TRUE);
    return;
  }
  ForOtherWindows([](HWND other) { EnableWindow(other, TRUE); });
}

void ActivateChildOwner(HWND owner) {
  if (owner == nullptr || !IsChildWindow(owner)) return;
  SetFocus(owner);
  for (const WindowSlot& slot : Layer.Slots) {
    if (slot.Frame != nullptr && slot.Frame != Layer.Slots[0].Frame) {
      SendMessageA(slot.Frame, WM_NCACTIVATE, slot.Frame == owner, 0);
    }
  }
  for (int i = 1; i <= Dialogs.Count; ++i) {
    const HWND dialog = Dialogs.Slots[i].Window;
    SendMessageA(dialog, WM_NCACTIVATE, dialog == owner, 0);
  }
  SendMessageA(owner, WM_NCACTIVATE, TRUE, 0);
}

}  // namespace toolkit
