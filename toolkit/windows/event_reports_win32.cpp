#include "toolkit/windows/event_reports_win32.hpp"

#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

bool ReportEvent(HWND window, int type, int value1, int value2, int value3, int value4, int x,
                 int y) {
  return ReportSlotEvent(SlotOfWindow(window), type, value1, value2, value3, value4, x, y);
}

bool ReportSlotEvent(int slot, int type, int value1, int value2, int value3, int value4, int x, int y) {
  if (!IsEventOn(Layer.Switches, type)) return false;
  Layer.CurrentType = type;
  Layer.CurrentEvent = EventRecord{};
  Layer.CurrentEvent.Window = slot;
  Layer.CurrentEvent.Value1 = value1;
  Layer.CurrentEvent.Value2 = value2;
  Layer.CurrentEvent.Value3 = value3;
  Layer.CurrentEvent.Value4 = value4;
  Layer.CurrentEvent.X = x;
  Layer.CurrentEvent.Y = y;
  Layer.CurrentEvent.Time = static_cast<int>(GetMessageTime());
  Layer.Waiting = false;
  return true;
}

void DeferIfOutsideNextEvent(HWND window, UINT message, int type) {
  if (Layer.ImagesHeld || !IsEventOn(Layer.Switches, type)) return;
  if (Layer.DispatchingWindow == window && Layer.DispatchingMessage == message) return;
  const int slot = SlotOfWindow(window);
  if (slot < 0) return;
  const EventRecord& e = Layer.CurrentEvent;
  DeferEvent(Layer.Slots[slot].Pending,
             {type, e.Value1, e.Value2, e.Value3, e.Value4, e.X, e.Y, e.Time});
}

}  // namespace toolkit
