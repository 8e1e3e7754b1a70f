#pragma once
// How the application describes its root window, and the sizes and position
// that follow from it on a given screen.

#include <optional>

#include "text/fixed_text.hpp"

namespace toolkit {

struct WindowSpec {
  int Flags = 0;
  int X = -1;       // negative: centred horizontally
  int Y = -1;       // negative: centred vertically
  int Width = 0;    // client width in pixels; 0 or negative: 80 % of the screen
  int Height = 0;   // client height in pixels; 0 or negative: 80 % of the screen
  int MenuId = 0;   // 0: no menu
  text::FixedText<80> Title;
};

struct WindowFlags {
  bool SystemMenu = false;
  bool MinimiseBox = false;
  bool MaximiseBox = false;
  bool StartMaximised = false;
  bool StatusBar = false;
  bool FixedSize = false;
  bool StartHidden = false;
  bool AlwaysOnTop = false;
};

WindowFlags SplitWindowFlags(int flags);

// Client width (or height) asked for: the WindowSpec's value when positive, else
// 80 % of the screen's.
int RequestedClientSize(int requested, int screen);

// Left (or top) edge: the WindowSpec's value when not negative, else centred.
int WindowOrigin(int requested, int screen, int outer);

// A centred window grows by the status bar's height half upwards, half
// downwards, so that it stays centred.
int TopAfterStatusBar(int top, int requestedY, bool startMaximised, int statusBarHeight);

// The colours kept back for the system on a 256-colour display.
int ColourReserveFor(std::optional<int> requested);

}  // namespace toolkit
