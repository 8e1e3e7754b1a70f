#include "toolkit/windows/event_record.hpp"

#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

EventSwitches AllOnExcept(std::initializer_list<int> off) {
  EventSwitches s{};
  s.fill(true);
  s[0] = false;
  for (int type : off) s[type] = false;
  return s;
}

}  // namespace

EventSwitches StartingEventSwitches() { return AllOnExcept({5, 6, 10, 11, 12, 15, EventType::FilesDropped}); }

EventSwitches ClosedEventSwitches() { return AllOnExcept({5, 6, 10, 11, 12, EventType::FilesDropped}); }

bool IsEventOn(const EventSwitches& switches, int type) {
  return type >= 1 && type <= EventType::Highest && switches[type];
}

void ConvertForDelivery(int type, EventRecord& r, int width, int height) {
  switch (type) {
    case EventType::KeyPress:
    case EventType::MouseButtonDown:
    case EventType::MouseButtonUp:
    case EventType::MouseMotion:
      r.WorldX = static_cast<float>(r.X + 0.5);
      r.WorldY = static_cast<float>(height - r.Y + 0.5);
      r.X = PixelsToUnits(r.X, width);
      r.Y = PixelsToUnits(r.Y, height);
      return;
    case EventType::Repaint: {
      r.WorldX = static_cast<float>(r.X + 0.5);
      r.WorldY = static_cast<float>(height - r.Y + 0.5);
      r.WorldValue1 = static_cast<float>(r.Value1 + 0.5);
      r.WorldValue2 = static_cast<float>(r.Value2 + 0.5);
      const int left = PixelsToUnits(r.X, width);
      const int top = PixelsToUnits(r.Y, height);
      const int right = PixelsToUnits(r.X + r.Value1 - 1, width);
      const int bottom = PixelsToUnits(r.Y + r.Value2 - 1, height);
      r.X = left;
      r.Y = top;
      r.Value1 = right - left;
      r.Value2 = bottom - top;
      return;
    }
    default:
      return;
  }
}

}  // namespace toolkit
