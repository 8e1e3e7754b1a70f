// Check marks and enabled states of menu items, and of the toolbar buttons
// with the same command.

#include "toolkit/windows/menu_state.hpp"

#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/windows/popup_locator.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

UINT SetItem(HMENU menu, UINT item, UINT by, int kind, int value) {
  if (kind == MenuItemKind::Enabled) return EnableMenuItem(menu, item, by | (value == 1 ? MF_ENABLED : MF_GRAYED));
  return CheckMenuItem(menu, item, by | (value == 1 ? MF_CHECKED : MF_UNCHECKED));
}

bool OnMenuBar(HMENU bar, int command) {
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(bar, i) == static_cast<UINT>(command)) return true;
  }
  return false;
}

// Sets the item by command, else the popup by its locator path; tells
// whether it was found and whether it lies on the menu bar itself.
struct MenuResult {
  bool Found = false;
  bool OnBar = false;
};

MenuResult SetMenuItem(const WindowSlot& slot, int item, int kind, int value) {
  if (slot.Menu == nullptr) return {};
  if (SetItem(slot.Menu, item, MF_BYCOMMAND, kind, value) != ~0u) return {true, OnMenuBar(slot.Menu, item)};
  const auto popup = LocatePopup(slot.PopupLocatorTable, item, slot.Menu, GetSubMenu);
  if (!popup.Found) return {};
  if (SetItem(popup.Holder, popup.Position, MF_BYPOSITION, kind, value) == ~0u) return {};
  return {true, popup.OnMenuBar};
}

}  // namespace

void MenuItemState(int item, int kind, int value) {
  if ((value != 0 && value != 1) || (kind != MenuItemKind::Enabled && kind != MenuItemKind::Checked)) return;
  const WindowSlot& current = Layer.Slots[Layer.CurrentWindow];
  const WindowSlot& slot = current.Menu != nullptr || HasToolbar(current) ? current : Layer.Slots[0];

  const MenuResult menu = SetMenuItem(slot, item, kind, value);
  bool matched = menu.Found;
  if (menu.Found && menu.OnBar && kind == MenuItemKind::Enabled) {
    UpdateWindow(slot.Frame);
    DrawMenuBar(slot.Frame);
  }
  const UINT message = kind == MenuItemKind::Enabled ? TB_ENABLEBUTTON : TB_CHECKBUTTON;
  for (const ToolbarPlace& place : slot.Toolbars) {
    if (place.Window == nullptr) continue;
    if (SendMessageA(place.Window, message, item, MAKELPARAM(value, 0)) == 0) continue;
    matched = true;
    UpdateWindow(place.Window);
  }
  if (!matched) ErrorRaise(ErrorNumber::InvalidMenuItem);
}

}  // namespace toolkit
