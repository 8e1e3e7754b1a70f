#pragma once
// What the toolkit keeps with each control of a resource dialog, and what
// it does to the controls when an instance is made or its fields copied,
// decided without a window. Styles are the platform's style bits.

#include <array>
#include <cstdint>

#include "toolkit/windows/control_kind.hpp"

namespace toolkit {

// Attached to every control of an instance; copied with the field.
struct FieldRecord {
  // A minimum above the maximum: no range given.
  double RealMinimum = 1000.0;
  double RealMaximum = -1000.0;
  int IntegerMinimum = -1;
  int IntegerMaximum = -1;
  int TextLimit = 0;  // 0: the control's own
  int TabStopCount = 0;
  std::array<int, 16> TabStops{};
  bool Coloured = false;
  std::uint32_t Foreground = 0;  // 0x00BBGGRR, as the platform takes colours
  std::uint32_t Background = 0;

  bool operator==(const FieldRecord&) const = default;
};

// Edit fields take up to 32767 characters, 65535 when multi-line.
int EditLimitFor(int style);

// Check boxes and radio buttons that leave the checking to their dialog
// check themselves instead.
int SelfCheckingStyle(int style);

enum class ImageKind { None, Bitmap, Icon };

// A button or static of the bitmap or icon style shows the image resource
// that has the control's identifier.
ImageKind ImageFor(ControlKind kind, int style);

// The states copied besides style, record, text and enabled state, by kind.
struct FieldCopy {
  bool Skip = false;  // spin controls keep their own
  bool Check = false;
  bool ButtonImage = false;
  bool StaticImage = false;
  bool ListItems = false;
  bool MultipleSelection = false;
  bool ComboItems = false;
  bool TabItems = false;
  bool Progress = false;
  bool Trackbar = false;
  bool EditState = false;  // length limit and read-only state
  bool TabStops = false;
  bool Cells = false;  // a grid's, with its current cell
  bool Text = true;  // not of a drop-down list: its text is its selection

  bool operator==(const FieldCopy&) const = default;
};

FieldCopy FieldCopyFor(ControlKind kind, int style);

}  // namespace toolkit
