#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

WindowLayer Layer;

int SlotOfWindow(HWND window) {
  if (window == nullptr) return -1;
  for (int i = 0; i < WindowSlotCount; ++i) {
    if (Layer.Slots[i].Frame == window || Layer.Slots[i].Client == window) return i;
  }
  return -1;
}

int ToolbarPlaceOf(const WindowSlot& slot, HWND window) {
  if (window == nullptr) return -1;
  for (int place = 0; place < ToolbarPlaces; ++place) {
    if (slot.Toolbars[place].Window == window) return place;
  }
  return -1;
}

bool HasToolbar(const WindowSlot& slot) {
  for (const ToolbarPlace& place : slot.Toolbars) {
    if (place.Window != nullptr) return true;
  }
  return false;
}

void UnhookToolbar(ToolbarPlace& place) {
  if (place.Window != nullptr && place.ControlProcedure != nullptr) {
    SetWindowLongPtrA(place.Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(place.ControlProcedure));
  }
}

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

}  // namespace toolkit
