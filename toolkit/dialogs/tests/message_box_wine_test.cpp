// The real message box under Wine, answered from inside its own modal loop,
// and what the main window goes through meanwhile.

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/window_table_win32.hpp"
#include "toolkit/windows/window_text.hpp"

using namespace toolkit;
using namespace toolkit::testing;

namespace {

// The client area's pixels as the window itself holds them.
Pixels ClientPixels(HWND client) {
  const SIZE size = ClientSize(client);
  const HDC dc = GetDC(client);
  Pixels pixels = ReadPixels(dc, {0, 0, size.cx, size.cy});
  ReleaseDC(client, dc);
  return pixels;
}

}  // namespace

TEST_CASE("MessageBoxShow") {
  const RootWindow w = OpenApplicationWindow();

  SUBCASE("the fitted default button reaches the box, and its answer comes back") {
    struct Case {
      int ButtonType;
      int DefaultButton;
      WORD Key;
      int Answer;
    };
    const Case cases[] = {
        {3, 0, VK_RETURN, 2},  // Yes, No: No
        {3, 1, VK_RETURN, 1},  // Yes
        {5, 7, VK_RETURN, 0},  // Abort, Retry, Ignore: Ignore
        {5, 1, VK_RETURN, 2},  // Abort
        {1, 1, VK_ESCAPE, 0},  // OK, Cancel: Escape cancels
    };
    for (const Case& c : cases) {
      CAPTURE(c.ButtonType);
      CAPTURE(c.DefaultButton);
      State.Dialog.PreviousField = 7;
      WhenBoxAppears("Question", [&c](HWND) { PressKey(c.Key); });
      MessageBoxShow(c.ButtonType, 2, c.DefaultButton, "Go on?", "Question  ");
      CHECK(AllStepsRan());
      CHECK(DialogInfo(4) == c.Answer);
      CHECK(DialogInfo(2) == 0);
    }
  }
  SUBCASE("each icon type shows its icon, any other none") {
    const std::pair<int, LPCSTR> icons[] = {
        {1, IDI_HAND}, {2, IDI_QUESTION}, {3, IDI_EXCLAMATION}, {4, IDI_ASTERISK}, {0, nullptr}, {5, nullptr}};
    for (const auto& [iconType, icon] : icons) {
      CAPTURE(iconType);
      HICON shown = nullptr;
      WhenBoxAppears("Icon", [&shown](HWND box) {
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
          if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c)) {
            shown = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
          }
        }
        PressKey(VK_RETURN);
      });
      MessageBoxShow(0, iconType, 1, "Look", "Icon");
      CHECK(AllStepsRan());
      CHECK(shown == (icon != nullptr ? LoadIconA(nullptr, icon) : nullptr));
    }
  }
  SUBCASE("closing the root window forgets the last answer") {
    WhenBoxAppears("Question", [](HWND) { PressKey(VK_RETURN); });
    MessageBoxShow(3, 2, 1, "Go on?", "Question");
    CHECK(AllStepsRan());
    REQUIRE(DialogInfo(4) == 1);
    CloseApplicationWindow();
    CHECK(DialogInfo(4) == 0);
    OpenApplicationWindow();
  }
  SUBCASE("trailing blanks are not shown; a blank title gives an empty caption") {
    std::string text;
    WhenBoxAppears("", [&text](HWND box) {
      text = BoxText(box);
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 4, 1, "No input file selected" + std::string(200, ' '), "   ");
    CHECK(AllStepsRan());
    CHECK(text == "No input file selected");
  }
  SUBCASE("the main window keeps its picture and hears of no repaint, during the box or after") {
    ClearClientArea();
    for (int y = 1000; y < 10000; y += 1000) TextAt(100, y, "Reading from Z:\\logs\\drive-to-work.pgl");
    EventRecord e;
    while (NextEventWithin(100, e) != 13) {
    }
    const Pixels before = ClientPixels(w.Client);
    Pixels during;
    WhenBoxAppears("TomTom Log File", [&during, &w](HWND) {
      InvalidateRect(w.Client, nullptr, TRUE);
      UpdateWindow(w.Client);
      during = ClientPixels(w.Client);
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 4, 1, "No input file selected", "TomTom Log File");
    CHECK(AllStepsRan());
    CHECK(during == before);
    CHECK(ClientPixels(w.Client) == before);
    CHECK(NextEventWithin(300, e) == 13);
    CHECK(e.Value1 == GuardTimer);
  }
  SUBCASE("a toolkit window inside the main window shows the part of the main window's picture it covers") {
    ClearClientArea();
    for (int y = 500; y < 10000; y += 700) TextAt(100, y, "Reading from Z:\\logs\\drive-to-work.pgl");
    const Pixels before = ClientPixels(w.Client);
    constexpr RECT place{40, 20, 240, 60};
    Pixels inside;
    WhenBoxAppears("TomTom Log File", [&inside, &w, place](HWND) {
      const HWND inner = CreateWindowExA(0, "KESTCLIENT", "", WS_CHILD | WS_VISIBLE, place.left, place.top,
                                         place.right - place.left, place.bottom - place.top, w.Client, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
      Layer.Slots[1].Frame = Layer.Slots[1].Client = inner;
      UpdateWindow(inner);
      inside = ClientPixels(inner);
      Layer.Slots[1] = WindowSlot{};
      DestroyWindow(inner);
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 4, 1, "No input file selected", "TomTom Log File");
    CHECK(AllStepsRan());
    Pixels covered{place.right - place.left, place.bottom - place.top, {}};
    for (int y = place.top; y < place.bottom; ++y) {
      const auto row = before.Data.begin() + y * before.Width;
      covered.Data.insert(covered.Data.end(), row + place.left, row + place.right);
    }
    CHECK(std::count(covered.Data.begin(), covered.Data.end(), 0xFFFFFFu) < std::ssize(covered.Data));  // text there
    CHECK(inside == covered);
  }
  SUBCASE("report mode 4 shows the error line in a box of the main window; OK goes on") {
    std::string text;
    HWND owner = nullptr;
    WhenBoxAppears("Library Error", [&text, &owner](HWND box) {
      text = BoxText(box);
      owner = GetWindow(box, GW_OWNER);
      PressKey(VK_RETURN);
    });
    ErrorReportModeSet(4);
    ErrorRaise(1006);
    ErrorReportModeSet(0);
    CHECK(AllStepsRan());
    CHECK(text == "Error=1006:Invalid field identifier");
    CHECK(owner == w.Frame);
    CHECK(DialogInfo(4) == 1);
    CHECK(ErrorQuery(1) == 1006);
  }
  CloseApplicationWindow();
}
