#pragma once
// Where the toolbars and the client window go in a frame's client area.

namespace toolkit {

struct Placement {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const Placement&) const = default;
};

// What the frame holds besides the client window, in pixels; 0 for a part
// it does not have.
struct FrameParts {
  int StatusBarHeight = 0;
  int TopHeight = 0;  // the top and bottom toolbars
  int BottomHeight = 0;
  int LeftWidth = 0;  // the side toolbars
  int RightWidth = 0;
};

struct FrameLayout {
  Placement Top;
  Placement Bottom;
  Placement Left;
  Placement Right;
  Placement Client;
};

// The status bar keeps the bottom (it places itself); above it the top and
// bottom toolbars take the whole width, the side toolbars the height between
// them, and the client window what is left, never less than nothing.
FrameLayout LayOutFrameArea(int width, int height, const FrameParts& parts);

}  // namespace toolkit
