// Toolbars built from a resource: a list of commands and a strip of images.

#include "toolkit/windows/toolbar.hpp"

#include <vector>

#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/windows/display_scale.hpp"
#include "toolkit/windows/frame_procedure_win32.hpp"
#include "toolkit/windows/popup_locator.hpp"
#include "toolkit/windows/resource_words.hpp"
#include "toolkit/windows/toolbar_resource.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

// The window keeps its toolbars in the order of the sides.
ToolbarPlace& PlaceAt(WindowSlot& slot, ToolbarSide side) { return slot.Toolbars[static_cast<int>(side)]; }

bool IsSide(ToolbarSide side) { return side == ToolbarSide::Left || side == ToolbarSide::Right; }

SIZE SizeOf(HWND window) {
  RECT r{};
  if (window != nullptr) GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// Only the toolkit places its toolbars: the control would otherwise move
// itself to the top of its parent on every resize.
LRESULT CALLBACK ToolbarFilter(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
  const int slot = SlotOfWindow(GetParent(toolbar));
  const int place = slot >= 0 ? ToolbarPlaceOf(Layer.Slots[slot], toolbar) : -1;
  const WNDPROC own = place >= 0 ? Layer.Slots[slot].Toolbars[place].ControlProcedure : nullptr;
  if (message == WM_SIZE || own == nullptr) return DefWindowProcA(toolbar, message, wParam, lParam);
  return CallWindowProcA(own, toolbar, message, wParam, lParam);
}

void RemoveToolbar(WindowSlot& slot, ToolbarSide side) {
  ToolbarPlace& place = PlaceAt(slot, side);
  UnhookToolbar(place);
  DestroyWindow(place.Window);
  place = {};
  if (!HasToolbar(slot)) slot.TooltipTable.clear();
}

// Status bar on top, then the toolbars top, left, right, bottom, then the
// client window.
void StackChildren(const WindowSlot& slot) {
  HWND above = HWND_TOP;
  const auto stack = [&above](HWND w) {
    if (w == nullptr) return;
    SetWindowPos(w, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = w;
  };
  stack(slot.StatusBar);
  for (const ToolbarPlace& place : slot.Toolbars) stack(place.Window);
  stack(slot.Client);
}

// A button follows the menu item with its command: checked when the item is,
// greyed when the item is.
BYTE ButtonState(const WindowSlot& slot, int command) {
  UINT state = slot.Menu != nullptr ? GetMenuState(slot.Menu, command, MF_BYCOMMAND) : ~0u;
  if (state == ~0u && slot.Menu != nullptr) {
    const auto popup = LocatePopup(slot.PopupLocatorTable, command, slot.Menu, GetSubMenu);
    if (popup.Found) state = GetMenuState(popup.Holder, popup.Position, MF_BYPOSITION);
  }
  if (state == ~0u) return TBSTATE_ENABLED;
  BYTE result = 0;
  if ((state & MF_CHECKED) != 0) result |= TBSTATE_CHECKED;
  if ((state & MF_GRAYED) == 0) result |= TBSTATE_ENABLED;
  return result;
}

// The size only: where the toolbar goes follows from the frame's layout.
SIZE SizeToolbar(WindowSlot& slot, ToolbarSide side, const ToolbarResource& layout) {
  RECT area;
  GetClientRect(slot.Frame, &area);
  if (slot.StatusBar != nullptr) area.bottom -= SizeOf(slot.StatusBar).cy;
  const ToolbarSize size = ToolbarPlaceSize(layout, side, area.right, area.bottom);
  ToolbarPlace& place = PlaceAt(slot, side);
  if (IsSide(side)) place.SideWidth = size.Width;
  SetWindowPos(place.Window, nullptr, 0, 0, size.Width, size.Height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return {size.Width, size.Height};
}

// The images for a display at a larger scaling are bitmaps of their own,
// filed under the toolbar's identifier plus their height in pixels (30101 +
// 24, 30101 + 32). The largest drawn no larger than the scaling asks for is
// taken, so an image is never stretched; the buttons' margins scale with it.
int ScaleForDisplay(int resource, ToolbarResource& layout, int dpi) {
  const int standard = layout.ImageHeight;
  for (int size = ScaledPixels(standard, dpi); size > standard && standard > 0; --size) {
    const auto bitmapType = MAKEINTRESOURCEA(2);  // RT_BITMAP
    if (FindResourceA(ProgramInstance(), MAKEINTRESOURCEA(resource + size), bitmapType) == nullptr) continue;
    layout.ImageWidth = layout.ImageWidth * size / standard;
    layout.ImageHeight = size;
    layout.Margin = ScaledPixels(layout.Margin, dpi);
    return resource + size;
  }
  return resource;
}

void AddButtons(const WindowSlot& slot, HWND toolbar, int bitmapResource, const ToolbarResource& layout) {
  std::vector<TBBUTTON> buttons(layout.Items.size());
  for (std::size_t i = 0; i < layout.Items.size(); ++i) {
    const ToolbarItem& item = layout.Items[i];
    TBBUTTON& b = buttons[i];
    b = {};
    if (item.Command == 0) {
      b.fsStyle = TBSTYLE_SEP;
      continue;
    }
    b.iBitmap = item.Image;
    b.idCommand = item.Command;
    b.fsStyle = TBSTYLE_BUTTON;
    b.fsState = ButtonState(slot, item.Command);
  }
  TBADDBITMAP bitmap{ProgramInstance(), static_cast<UINT_PTR>(bitmapResource)};
  SendMessageA(toolbar, TB_ADDBITMAP, buttons.size(), reinterpret_cast<LPARAM>(&bitmap));
  SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void SizeTooltipTable(WindowSlot& slot) {
  std::size_t total = 0;
  for (const ToolbarPlace& p : slot.Toolbars) {
    if (p.Window != nullptr) total += static_cast<std::size_t>(SendMessageA(p.Window, TB_BUTTONCOUNT, 0, 0));
  }
  if (total > slot.TooltipTable.size()) slot.TooltipTable.resize(total);
}

// The frame keeps its outer size: the client window gives up or gains what
// the toolbar takes or frees, which the application learns as a SizeChange.
// A toolbar that takes the place of one of its size changes nothing else, but
// still has to be put in its place among the others.
void ApplySizeChange(int slotIndex, SIZE removed, SIZE added) {
  WindowSlot& slot = Layer.Slots[slotIndex];
  if (IsIconic(slot.Frame)) return;
  if (removed.cx == added.cx && removed.cy == added.cy) return LayOutFrame(slotIndex);
  RECT area;
  GetClientRect(slot.Frame, &area);
  SendMessageA(slot.Frame, WM_SIZE, IsZoomed(slot.Frame) ? SIZE_MAXIMIZED : SIZE_RESTORED,
               MAKELPARAM(area.right, area.bottom));
  if (slotIndex == Layer.CurrentWindow) {
    slot.ScaleWidth = slot.ClientWidth;
    slot.ScaleHeight = slot.ClientHeight;
  }
}

}  // namespace

void ToolbarCreate(int resource, int window, int position) {
  if (window < 0 || window >= WindowSlotCount) return ErrorRaise(ErrorNumber::InvalidWindowHandle);
  WindowSlot& slot = Layer.Slots[window];
  if (slot.Frame == nullptr) return ErrorRaise(ErrorNumber::InvalidWindowHandle);
  const ToolbarSide side = ToolbarSideAt(position);
  ToolbarPlace& place = PlaceAt(slot, side);

  // The resource is looked up before the old toolbar goes, so that a call
  // that fails leaves the window as it was.
  const HINSTANCE instance = ProgramInstance();
  HRSRC found = resource != 0 ? FindResourceA(instance, MAKEINTRESOURCEA(resource), MAKEINTRESOURCEA(10))  // RT_RCDATA
                              : nullptr;
  const auto* bytes = found != nullptr
                          ? static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, found)))
                          : nullptr;
  if (resource != 0 && bytes == nullptr) return ErrorRaise(ErrorNumber::MenuResourceNotLoaded);

  const SIZE removed = place.Window != nullptr ? place.Measured : SIZE{};
  if (place.Window != nullptr) RemoveToolbar(slot, side);
  if (resource == 0) return ApplySizeChange(window, removed, {0, 0});
  ToolbarResource layout = ParseToolbarResource(ResourceWords({bytes, SizeofResource(instance, found)}));
  const int bitmapResource = ScaleForDisplay(resource, layout, slot.Dpi);

  // Shown only once it is in its place: on its way there it would uncover
  // parts of the client window, which the application would have to repaint.
  HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS, 0, 0, 1, 1,
                                 slot.Frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(resource)),
                                 instance, nullptr);
  if (toolbar == nullptr) return ErrorRaise(ErrorNumber::MenuResourceNotLoaded);
  place.Window = toolbar;
  place.Resource = resource;
  place.ControlProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarFilter)));
  StackChildren(slot);

  // The structure's size is the platform's own: 20 bytes on 32-bit Windows,
  // more on 64-bit.
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(layout.ImageWidth, layout.ImageHeight));
  const ToolbarSize button = ToolbarButtonSize(layout);
  // The control's own padding (7 by 6 by default) would widen the buttons
  // beyond image size + margin.
  SendMessageA(toolbar, TB_SETPADDING, 0, MAKELPARAM(layout.Margin, layout.Margin));
  SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(button.Width, button.Height));
  const SIZE added = place.Measured = SizeToolbar(slot, side, layout);
  AddButtons(slot, toolbar, bitmapResource, layout);
  if (IsSide(side)) {
    RECT ignored;
    SendMessageA(toolbar, TB_SETROWS, MAKEWPARAM(layout.Items.size(), TRUE), reinterpret_cast<LPARAM>(&ignored));
  }
  SizeTooltipTable(slot);
  ApplySizeChange(window, removed, added);
  ShowWindow(toolbar, SW_SHOWNA);
}

}  // namespace toolkit
