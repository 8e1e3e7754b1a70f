#pragma once
// A user at the desktop program, seen from another process inside the same
// Wine desktop: starts Pinwell.exe, waits for its windows, types and clicks
// through the system's real input, and reads back what the windows show.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"

namespace shell::testing {

using toolkit::testing::TypeText;
using toolkit::testing::WindowText;

// Every wait lasts until what it waits for shows (a window, a text, a file),
// however busy the machine; only the test program as a whole has a limit,
// so that a fault fails it instead of hanging it. Generous, and inside the
// limit of the script that runs it.
inline constexpr DWORD OverallLimitMs = 400000;
// What is left of it.
DWORD RemainingMs();

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = RemainingMs());

// A top-level window of the given class and title that is visible, or null.
HWND WaitForWindow(const char* className, const char* title, DWORD limitMs = RemainingMs());

// The program's windows, as the toolkit's own tests know them.
struct Pinwell : toolkit::testing::RootWindow {
  PROCESS_INFORMATION Process{};

  // Starts the program in `folder`, with these arguments on its command line,
  // and waits until its main window shows these lines.
  bool Start(const std::string& program, const std::string& folder, const std::string& arguments = "",
             const std::vector<std::string>& shown = {});
  bool Running() const;
  // The exit code, or -1 when the program has not ended within the limit.
  int WaitForExit(DWORD limitMs = RemainingMs());
  ~Pinwell();

  std::string StatusText(int part) const;
  // The program's open menus.
  std::vector<HWND> OpenMenus() const;
  // The main window takes input again: no box is up, and it is in front.
  bool WaitUntilReady() const;
  void ClickButton(int command) const;
  void ClickCloseBox() const;
  // True when the client area shows exactly these lines, drawn as the
  // program draws them, within the limit.
  bool Shows(const std::vector<std::string>& lines, DWORD limitMs = RemainingMs()) const;
};

// Keys as a user presses them, chord after chord: "alt+f s", "enter",
// "alt right down right".
void Press(std::string_view chords);

// Which of the menu's `items` rows show a check mark, once the menu shows
// its captions (every row drawn, marks and all).
std::vector<bool> CheckMarks(HWND menu, int items);

std::string DialogItemText(HWND dialog, int item);
// The message of a message box: its first static text that is not empty.
std::string MessageText(HWND box);

using toolkit::testing::SaveScreenshot;

}  // namespace shell::testing
