#pragma once
// What NextEvent hands to the application: an event type and one record.

#include <array>

namespace toolkit {

namespace EventType {
inline constexpr int None = 0;
inline constexpr int KeyPress = 1;
inline constexpr int MenuCommand = 2;
// A push button of a shown dialog: Window is the dialog's slot in the dialog
// table, Value1 the button, Value2 the dialog, Value3 the notification.
inline constexpr int DialogButton = 3;
inline constexpr int MouseButtonDown = 4;
inline constexpr int MouseButtonUp = 5;
inline constexpr int MouseMotion = 6;
inline constexpr int Repaint = 7;
inline constexpr int SizeChange = 8;
inline constexpr int CloseAsked = 9;
// Any other change in a shown dialog's fields, with the values of DialogButton.
inline constexpr int DialogField = 10;
inline constexpr int FrameButtonDown = 12;
inline constexpr int TimerTick = 13;
// Files dropped onto a window from the file manager: Value1 is how many,
// X and Y where (units); DroppedFileName gives their names. Off by default.
inline constexpr int FilesDropped = 16;
inline constexpr int Highest = 16;
}  // namespace EventType

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
using EventSwitches = std::array<bool, EventType::Highest + 1>;

// The switches a process starts with.
EventSwitches StartingEventSwitches();
// The switches after the root window closes, which turn type 15 on as well.
EventSwitches ClosedEventSwitches();

bool IsEventOn(const EventSwitches& switches, int type);

// Pixel positions and sizes in a record become window units as the event is
// delivered; world fields hold the pixel positions measured upwards.
void ConvertForDelivery(int type, EventRecord& record, int width, int height);

}  // namespace toolkit
