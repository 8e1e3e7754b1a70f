// Opens the root window as the program does, on a display of the scaling
// the Wine prefix is set to, and writes what it measures there into
// FOLDER\scaling.txt, one line for each picture:
//   dpi toolbar-image-width area-width area-height first-status-edge text-height frame-left top right bottom
// where the area is the frame's client area above the status bar.
// The window, once drawn, gets FOLDER\root-window.ready and goes on when
// FOLDER\root-window.taken appears. With --moved it is then told that it
// moved to a display of twice the scaling (WM_DPICHANGED, as Windows sends
// it) and measures and shows itself once more (moved.ready, moved.taken).
// Argument: FOLDER [--moved]

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>
#include <string_view>

#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/window_text.hpp"

using namespace toolkit;

namespace {

constexpr std::string_view Line = "Reading from Z:\\...\\nmea-real\\drive-to-work.pgl ";

void Redraw() {
  ClearClientArea();
  TextAt(100, 1000, Line);
}

// Rows of the client area with a pixel of the text's colour: the height of
// the line as drawn.
int TextHeight(HWND client) {
  const SIZE size = testing::ClientSize(client);
  const HDC dc = GetDC(client);
  const testing::Pixels pixels = testing::ReadPixels(dc, {0, 0, size.cx, size.cy});
  ReleaseDC(client, dc);
  int rows = 0;
  for (int y = 0; y < pixels.Height; ++y) {
    for (int x = 0; x < pixels.Width; ++x) {
      if (pixels.Data[static_cast<std::size_t>(y) * pixels.Width + x] == 0) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

void Measure(const testing::RootWindow& w, const std::string& folder, int dpi) {
  int imageWidth = 0;
  int imageHeight = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(w.Toolbar, TB_GETIMAGELIST, 0, 0)), &imageWidth,
                        &imageHeight);
  // The area asked for: the frame's, above the status bar (the toolbar
  // takes its part of it).
  SIZE client = testing::ClientSize(w.Frame);
  client.cy -= testing::ClientSize(w.StatusBar).cy;
  int edges[2]{};
  SendMessageA(w.StatusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  const RECT frame = testing::ScreenRect(w.Frame);
  std::ofstream(folder + "\\scaling.txt", std::ios::app)
      << dpi << ' ' << imageWidth << ' ' << client.cx << ' ' << client.cy << ' ' << edges[0]
      << ' ' << TextHeight(w.Client) << ' ' << frame.left << ' ' << frame.top << ' ' << frame.right << ' '
      << frame.bottom << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  testing::RootWindow w = testing::OpenApplicationWindow();
  const int dpi = static_cast<int>(GetDpiForWindow(w.Frame));
  testing::ShowUntilTaken(w.Frame, folder, "root-window", Redraw, [&] { Measure(w, folder, dpi); });
  if (argc > 2 && std::string_view(argv[2]) == "--moved") {
    // Windows proposes the frame at the new scaling: twice as large.
    const int moved = 2 * dpi;
    RECT proposed = testing::ScreenRect(w.Frame);
    proposed.right = proposed.left + 2 * (proposed.right - proposed.left);
    proposed.bottom = proposed.top + 2 * (proposed.bottom - proposed.top);
    SendMessageA(w.Frame, WM_DPICHANGED, MAKEWPARAM(moved, moved), reinterpret_cast<LPARAM>(&proposed));
    w.Toolbar = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    testing::ShowUntilTaken(w.Frame, folder, "moved", Redraw, [&] { Measure(w, folder, moved); });
  }
  CloseRootWindow();
  return 0;
}
