// What the toolkit does to its other windows while a modal box is up.

#include "toolkit/dialogs/modal_bracket_win32.hpp"

#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/held_images_win32.hpp"
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

// The platform repaints its own controls while a box is up; a grid is the
// toolkit's drawing, so a shown dialog with one keeps its image instead.
bool AsksForHeldImage(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlKindOf(child) == ControlKind::Grid) return true;
  }
  return false;
}

template <typename Action>
void ForDialogsAskingForImages(Action action) {
  for (int i = 1; i <= Dialogs.Count; ++i) {
    const DialogSlot& d = Dialogs.Slots[i];
    if (d.Shown != 0 && IsWindowVisible(d.Window) && AsksForHeldImage(d.Window)) action(d.Window);
  }
}

}  // namespace

HWND DialogOwner() {
  if (Dialogs.ActiveDialog != nullptr && IsWindowVisible(Dialogs.ActiveDialog)) return Dialogs.ActiveDialog;
  // A dialog that has gone since it had the activation owns nothing.
  const HWND recent = Layer.RecentWindow;
  if (recent != nullptr && IsWindow(recent) && IsWindowVisible(recent)) return recent;
  const HWND active = Layer.Slots[Layer.ActiveWindow].Frame;
  return active != nullptr ? active : Layer.Slots[0].Frame;
}

void ImagesHold() {
  WindowImagesHold();
  ForDialogsAskingForImages(HoldWindowImage);
}

// What changed in the loaded dialogs meanwhile is painted once the last box
// has gone.
void ImagesRelease() {
  WindowImagesRelease();
  ForDialogsAskingForImages([](HWND dialog) {
    if (ReleaseWindowImage(dialog) > 0) Layer.ImagesHeld = true;
  });
  if (Layer.ImagesHeld) return;
  for (int i = 1; i <= Dialogs.Count; ++i) UpdateWindow(Dialogs.Slots[i].Window);
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
