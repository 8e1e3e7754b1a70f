// Opens the root window as the program does, with a log opened and being converted,
// and keeps it up until told to go, so that a picture can be taken of it.
// Argument: FOLDER; the window, once drawn, gets FOLDER\root-window.ready and
// closes when FOLDER\root-window.taken appears.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/menu_state.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/status_bar.hpp"
#include "toolkit/windows/window_text.hpp"

using namespace toolkit;

namespace {

constexpr std::array<std::string_view, 2> Lines{
    "Reading from Z:\\...\\nmea-real\\drive-to-work.pgl ",
    "Output to Z:\\...\\nmea-real\\drive-to-work.txt ",
};

void Redraw() {
  ClearClientArea();
  for (std::size_t i = 0; i < Lines.size(); ++i) TextAt(100, 1000 * static_cast<int>(i + 1), Lines[i]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  const HWND frame = testing::OpenApplicationWindow().Frame;
  StatusBarText(2, " Resolution: 5 seconds");
  MenuItemState(40018, 2, 0);
  MenuItemState(40015, 2, 1);

  testing::ShowUntilTaken(frame, folder, "root-window", Redraw);
  CloseRootWindow();
  return 0;
}
