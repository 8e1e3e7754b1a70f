#include "toolkit/windows/window_layout.hpp"

#include "toolkit/codes.hpp"

namespace toolkit {

WindowFlags SplitWindowFlags(int flags) {
  const auto has = [flags](int flag) { return (flags & flag) != 0; };
  WindowFlags f;
  f.SystemMenu = has(WindowFlag::SystemMenu);
  f.MinimiseBox = has(WindowFlag::MinimiseBox);
  f.MaximiseBox = has(WindowFlag::MaximiseBox);
  f.StartMaximised = has(WindowFlag::StartMaximised);
  f.StatusBar = has(WindowFlag::StatusBar);
  f.FixedSize = has(WindowFlag::FixedSize);
  f.StartHidden = has(WindowFlag::StartHidden);
  f.AlwaysOnTop = has(WindowFlag::AlwaysOnTop);
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
