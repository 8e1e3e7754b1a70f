#include "toolkit/windows/window_layout.hpp"

namespace toolkit {

WindowFlags SplitWindowFlags(int flags) {
  const auto bit = [flags](int n) { return (flags >> n & 1) != 0; };
  WindowFlags f;
  f.SystemMenu = bit(0);
  f.MinimiseBox = bit(1);
  f.MaximiseBox = bit(2);
  f.StartMaximised = bit(3);
  f.StatusBar = bit(5);
  f.FixedSize = bit(6);
  f.StartHidden = bit(7);
  f.AlwaysOnTop = bit(9);
  return f;
}

int RequestedClientSize(int requested, int screen) {
  return requested > 0 ? requested : screen * 80 / 100;
}

int WindowOrigin(int requested, int screen, int outer) {
  return requested >= 0 ? requested : (screen - outer) / 2;
}

int TopAfterStatusBar(int top, int requestedY, bool startMaximised, int statusBarHeight) {
  if (requestedY >= 0 || startMaximised) return top;
  return top - statusBarHeight / 2;
}

int ColourReserveFor(std::optional<int> requested) {
  if (!requested) return 16;
  switch (*requested) {
    case 16: case 32: case 64: case 128: return *requested;
    default: return 16;
  }
}

}  // namespace toolkit
