#pragma once
// What NextEvent hands to the application: an event type and one record.

#include <array>

namespace toolkit {

// The numbers are the ones applications see.
enum class EventType : int {
  None = 0,
  KeyPress = 1,
  MenuCommand = 2,
  // A push button of a shown dialog: Window is the dialog's slot in the
  // dialog table, Value1 the button, Value2 the dialog, Value3 the
  // notification.
  DialogButton = 3,
  MouseButtonDown = 4,
  MouseButtonUp = 5,
  MouseMotion = 6,
  Repaint = 7,
  SizeChange = 8,
  CloseAsked = 9,
  // Any other change in a shown dialog's fields, with the values of
  // DialogButton.
  DialogField = 10,
  FrameButtonDown = 12,
  TimerTick = 13,
  // Files dropped onto a window from the file manager: Value1 is how many,
  // X and Y where (units); DroppedFileName gives their names. Off by default.
  FilesDropped = 16,
};
inline constexpr int HighestEventType = 16;

constexpr int TypeNumber(EventType type) { return static_cast<int>(type); }

struct EventRecord {
  int Window = 0;
  int Value1 = 0;
  int Value2 = 0;
  int Value3 = 0;
  int Value4 = 0;
  int X = 0;
  int Y = 0;
  float WorldValue1 = 0;
  float WorldValue2 = 0;
  float WorldX = 0;
  float WorldY = 0;
  int Time = 0;
};

// One switch per event type 1..16 (index 0 unused); a switched-off type
// produces no event.
using EventSwitches = std::array<bool, HighestEventType + 1>;

// The switches a process starts with.
EventSwitches StartingEventSwitches();
// The switches after the root window closes, which turn type 15 on as well.
EventSwitches ClosedEventSwitches();

bool IsEventOn(const EventSwitches& switches, EventType type);

// Pixel positions and sizes in a record become window units as the event is
// delivered; world fields hold the pixel positions measured upwards.
void ConvertForDelivery(EventType type, EventRecord& record, int width, int height);

}  // namespace toolkit
