#pragma once
// The application's root window, opened as the program opens it, for tests
// that run under Wine; and ways to drive it as a user would.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/codes.hpp"
#include "toolkit/windows/event_loop.hpp"
#include "toolkit/windows/window_layout.hpp"

namespace toolkit::testing {

inline constexpr int GuardTimer = 4242;

struct RootWindow {
  HWND Frame = nullptr;
  HWND Client = nullptr;
  HWND StatusBar = nullptr;
  HWND Toolbar = nullptr;
};

// The application's root window: centred, 512 pixels wide, menu 30001.
inline WindowSpec ApplicationWindowSpec(int clientHeight = 256) {
  WindowSpec window;
  window.Flags = WindowFlag::SystemMenu | WindowFlag::MinimiseBox | WindowFlag::MaximiseBox |
                 WindowFlag::StatusBar | WindowFlag::FixedSize;
  window.X = -1;
  window.Y = -1;
  window.Width = 512;
  window.Height = clientHeight;
  window.MenuId = 30001;
  window.Title = "REZ Log file to Microsoft Pushpin conversion";
  return window;
}

// ToolkitStart, then the root window with the application's window (client
// height as given), its two status bar parts and texts; the toolbar only when
// asked for.
RootWindow OpenApplicationWindow(bool withToolbar = true, int clientHeight = 256);
void CloseApplicationWindow();

// The next event, or TimerTick of GuardTimer when nothing else came within
// `milliseconds`.
int NextEventWithin(int milliseconds, EventRecord& record);

// Texts as UTF-8.
std::string WindowText(HWND window);
std::string StatusText(HWND bar, int part);
RECT ScreenRect(HWND window);
SIZE ClientSize(HWND window);

// A block of pixels read off a device context, 0xRRGGBB each, row by row.
struct Pixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Data;
  bool operator==(const Pixels&) const = default;
};
Pixels ReadPixels(HDC source, const RECT& area);

// The whole screen as a 32-bit BMP file.
bool SaveScreenshot(const std::string& path);

// For a picture taken from outside: runs the events, redrawing on Repaint and
// SizeChange, until FOLDER\NAME.taken appears (at most 30 seconds). Once the
// window is drawn, `drawn` runs and FOLDER\NAME.ready is made.
void ShowUntilTaken(HWND frame, const std::string& folder, const std::string& name, void (*redraw)(),
                    const std::function<void()>& drawn = {});

// Real input, as a keyboard or mouse would give it.
void PressKeys(std::initializer_list<WORD> down, std::initializer_list<WORD> up);
void ClickAt(POINT screen);

// Runs `action` once from inside the next NextEvent, as a user's action would
// arrive while the program waits.
void WhileWaiting(void (*action)());

}  // namespace toolkit::testing
