// The root window as the program opens it, under Wine: what a user sees and
// what comes back from NextEvent when they use it. Keys, menu selection and
// toolbar clicks are real input (SendInput). Event types are compared as
// the numbers applications see.

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/state/errors.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/menu_state.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/status_bar.hpp"
#include "toolkit/windows/toolbar.hpp"
#include "toolkit/windows/window_table_win32.hpp"
#include "toolkit/windows/window_text.hpp"
#include "toolkit/windows/window_units.hpp"

using namespace toolkit;
using namespace toolkit::testing;

namespace {

// A toolbar of one button whose tooltip is 80 characters long.
constexpr int TestToolbar = 31101;
constexpr int TestCommand = 41001;

// An event of the root window whose record holds one or two values and -1
// everywhere else.
void CheckEvent(int type, const EventRecord& e, int expectedType, int value1, int value2 = -1) {
  CHECK(type == expectedType);
  CHECK(e.Window == 0);
  CHECK(e.Value1 == value1);
  CHECK(e.Value2 == value2);
  CHECK(e.Value3 == -1);
  CHECK(e.Value4 == -1);
  CHECK(e.X == -1);
  CHECK(e.Y == -1);
}

void CheckNothingMore() {
  EventRecord e;
  const int type = NextEventWithin(200, e);
  CAPTURE(e.Value1);
  CHECK(type == 13);
  CHECK(e.Value1 == GuardTimer);
}

void ExpectSizeChange(int width, int height) {
  EventRecord e;
  const int type = NextEventWithin(1000, e);
  CheckEvent(type, e, 8, width, height);
}

void Focus(const RootWindow& w) {
  SetForegroundWindow(w.Frame);
  SetFocus(w.Client);
}

POINT ButtonCentre(HWND toolbar, int index) {
  RECT r{};
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(toolbar, &p);
  return p;
}

int HeightOf(HWND w) {
  const RECT r = ScreenRect(w);
  return r.bottom - r.top;
}

std::string Tooltip(HWND toolbar, int command) {
  const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  std::array<char, 100> text{};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = toolbar;
  tool.uId = static_cast<UINT_PTR>(command);
  tool.lpszText = text.data();
  SendMessageA(tips, TTM_GETTEXTA, text.size(), reinterpret_cast<LPARAM>(&tool));
  return text.data();
}

// Toolbars created while this is installed as their class's procedure run it
// as their own, behind the toolkit's filter: it counts their final message.
WNDPROC toolbarClassProcedure = nullptr;
int toolbarsDestroyed = 0;

LRESULT CALLBACK CountingToolbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) ++toolbarsDestroyed;
  return CallWindowProcA(toolbarClassProcedure, window, message, wParam, lParam);
}

// The frame's WM_SIZE messages, counted on their way to its procedure.
WNDPROC frameProcedure = nullptr;
int frameSizes = 0;

LRESULT CALLBACK CountingFrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) ++frameSizes;
  return CallWindowProcA(frameProcedure, window, message, wParam, lParam);
}

// A client area of this size, white, with one line drawn at pixel (5, 29) by
// the platform's own call in the system font; returns where the line ends.
template <class Draw>
Pixels DrawnByPlatform(HDC like, SIZE size, Draw draw, int& endX) {
  const HDC memory = CreateCompatibleDC(like);
  const HBITMAP bitmap = CreateCompatibleBitmap(like, size.cx, size.cy);
  const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  const RECT all{0, 0, size.cx, size.cy};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const HGDIOBJ oldFont = SelectObject(memory, GetStockObject(SYSTEM_FONT));
  SetTextAlign(memory, TA_LEFT | TA_BASELINE | TA_UPDATECP);
  MoveToEx(memory, 5, 29, nullptr);
  draw(memory);
  POINT end{};
  GetCurrentPositionEx(memory, &end);
  endX = end.x;
  SelectObject(memory, oldFont);
  Pixels pixels = ReadPixels(memory, all);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// The frame's children from the top of the Z order down, each named by its
// place around the client window.
std::vector<std::string> ChildrenFromTop(const RootWindow& w) {
  const RECT client = ScreenRect(w.Client);
  std::vector<std::string> names;
  for (HWND child = GetWindow(w.Frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT r = ScreenRect(child);
    if (child == w.StatusBar) names.push_back("status bar");
    else if (child == w.Client) names.push_back("client");
    else if (r.bottom <= client.top) names.push_back("top");
    else if (r.right <= client.left) names.push_back("left");
    else if (r.left >= client.right) names.push_back("right");
    else if (r.top >= client.bottom) names.push_back("bottom");
    else names.push_back("?");
  }
  return names;
}

// The 0x0118 messages that reach the client window's procedure.
WNDPROC clientProcedure = nullptr;
std::vector<WPARAM> systemTimers;

LRESULT CALLBACK RecordingClientProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x0118) systemTimers.push_back(wParam);
  return CallWindowProcA(clientProcedure, window, message, wParam, lParam);
}

bool Checked(HMENU menu, int command) {
  return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace

TEST_CASE("OpenRootWindow") {
  const RootWindow w = OpenApplicationWindow(false);
  REQUIRE(w.Frame != nullptr);
  REQUIRE(w.Client != nullptr);
  REQUIRE(w.StatusBar != nullptr);

  SUBCASE("the character size is the default font's from the start") {
    TEXTMETRICA metrics{};
    const HDC dc = GetDC(w.Client);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(w.Client, dc);
    CHECK(Layer.Slots[0].Text.CharHeight == metrics.tmHeight);
    CHECK(Layer.Slots[0].Text.CharWidth == metrics.tmAveCharWidth);
  }
  SUBCASE("the caption is the title without its trailing blanks") {
    CHECK(WindowText(w.Frame) == "REZ Log file to Microsoft Pushpin conversion");
  }
  SUBCASE("StartHidden leaves the frame hidden; AlwaysOnTop makes it topmost") {
    CloseApplicationWindow();
    WindowSpec window = ApplicationWindowSpec();
    window.Flags |= 128 | 512;
    OpenRootWindow(window);
    const HWND frame = FindWindowA("KESTRAFOLIO", nullptr);
    CHECK_FALSE(IsWindowVisible(frame));
    CHECK((GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  }
  SUBCASE("a caption beyond the ANSI code page is shown whole") {
    CloseApplicationWindow();
    WindowSpec window = ApplicationWindowSpec();
    window.Title = "Caf\xC3\xA9 \xE5\x9C\xB0\xE5\x9B\xB3";
    OpenRootWindow(window);
    // What the caption bar draws: the text the window keeps, asked without
    // a message (the frame's procedure answers WM_GETTEXT in ANSI).
    std::array<wchar_t, 32> shown{};
    InternalGetWindowText(FindWindowA("KESTRAFOLIO", nullptr), shown.data(), static_cast<int>(shown.size()));
    CHECK(std::wstring(shown.data()) == L"Caf\u00E9 \u5730\u56F3");
  }
  SUBCASE("the client area is 512 by 256 pixels, directly above the status bar") {
    CHECK(ClientSize(w.Client).cx == 512);
    CHECK(ClientSize(w.Client).cy == 256);
    const RECT client = ScreenRect(w.Client);
    const RECT bar = ScreenRect(w.StatusBar);
    CHECK(client.bottom == bar.top);
    CHECK(client.left == bar.left);
    CHECK(client.right == bar.right);
  }
  SUBCASE("the window is centred on the screen") {
    const RECT frame = ScreenRect(w.Frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CAPTURE(frame.left);
    CAPTURE(frame.top);
    CHECK(frame.left == (1024 - width) / 2);
    CHECK(std::abs(frame.top - (768 - height) / 2) <= 1);
  }
  SUBCASE("a fixed-size frame: no sizing border, no size grip") {
    CHECK((GetWindowLongA(w.Frame, GWL_STYLE) & WS_THICKFRAME) == 0);
    CHECK((GetWindowLongA(w.Frame, GWL_STYLE) & WS_MAXIMIZEBOX) != 0);
    CHECK((GetWindowLongA(w.StatusBar, GWL_STYLE) & SBARS_SIZEGRIP) == 0);
  }
  SUBCASE("the menu bar holds File, Options and Help; 1 second is checked") {
    const HMENU menu = GetMenu(w.Frame);
    REQUIRE(GetMenuItemCount(menu) == 3);
    std::array<char, 32> text{};
    const std::array<const char*, 3> captions{"&File", "Options", "&Help"};
    for (int i = 0; i < 3; ++i) {
      GetMenuStringA(menu, i, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
      CHECK(std::string(text.data()) == captions[i]);
    }
    CHECK(Checked(menu, 40018));
  }
  SUBCASE("the status bar's first part ends at pixel 357, the second at the right end") {
    std::array<int, 4> edges{};
    CHECK(SendMessageA(w.StatusBar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data())) == 2);
    CHECK(edges[0] == 357);
    CHECK(edges[1] == -1);
    CHECK(StatusText(w.StatusBar, 0) == " Output format: English style numbers");
    CHECK(StatusText(w.StatusBar, 1) == " Resolution: 1 second");
  }
  SUBCASE("the client window has the keyboard focus") { CHECK(GetFocus() == w.Client); }
  SUBCASE("the field classes, the cell-change message, the rich edit library and the work bitmap are there") {
    WNDCLASSA wc{};
    for (const char* name : {"INTEGEREDIT", "INTEGERSPIN", "REALEDIT", "DOUBLEEDIT", "KVTGRID", "KVTGRIDCLIENT"}) {
      CAPTURE(name);
      CHECK(GetClassInfoA(GetModuleHandleA(nullptr), name, &wc));
    }
    CHECK(CellChangeMessage() == RegisterWindowMessageA("GM_CELLCHANGE"));
    CHECK(GetModuleHandleA("riched32.dll") != nullptr);
    BITMAP work{};
    REQUIRE(GetObjectA(Layer.WorkBitmap, sizeof work, &work) == sizeof work);
    CHECK(work.bmWidth == 8);
    CHECK(work.bmHeight == 8);
    // A palette only where the display has 256 colours.
    CHECK((Layer.Palette != nullptr) == (State.ColourCount == 256));
  }
  SUBCASE("opening again while open does nothing") {
    OpenApplicationWindow(false);
    CHECK(FindWindowA("KESTRAFOLIO", nullptr) == w.Frame);
  }
  CloseApplicationWindow();
  CHECK_FALSE(IsWindow(w.Frame));
}

// Run on a display of 256 colours (an Xvfb screen of depth 8, which
// palette_test.sh says through PINWELL_256_COLOURS), the root window has
// the toolkit's palette; elsewhere none.
TEST_CASE("The palette") {
  const RootWindow w = OpenApplicationWindow(false);
  if (std::getenv("PINWELL_256_COLOURS") != nullptr) REQUIRE(State.ColourCount == 256);
  if (State.ColourCount != 256) {
    CHECK(Layer.Palette == nullptr);
  } else {
    REQUIRE(Layer.Palette != nullptr);
    std::array<PALETTEENTRY, 33> entries{};
    CHECK(GetPaletteEntries(Layer.Palette, 0, 33, entries.data()) == 32);  // 16 basic, 16 reserved
    CHECK(RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue) == RGB(0xBF, 0, 0));
    CHECK(RGB(entries[15].peRed, entries[15].peGreen, entries[15].peBlue) == RGB(0xFF, 0xFF, 0xFF));
    CHECK(entries[16].peFlags == PC_RESERVED);
    SendMessageA(w.Frame, WM_ACTIVATEAPP, TRUE, 0);
    CHECK(GetCurrentObject(Layer.ClientDc, OBJ_PAL) == Layer.Palette);
  }
  CloseApplicationWindow();
}

TEST_CASE("ToolbarCreate") {
  const RootWindow w = OpenApplicationWindow(true);
  REQUIRE(w.Toolbar != nullptr);

  SUBCASE("five 22 by 22 buttons and two separators in order, tooltips from the string table") {
    REQUIRE(SendMessageA(w.Toolbar, TB_BUTTONCOUNT, 0, 0) == 7);
    struct Row { int command, image; const char* tip; };
    const std::array<Row, 7> rows{{{40002, 0, "Open"},
                                   {40003, 1, "Save"},
                                   {0, -1, ""},
                                   {40019, 2, "English numbers"},
                                   {40020, 3, "Continental numbers"},
                                   {0, -1, ""},
                                   {40010, 4, "Exit"}}};
    for (int i = 0; i < 7; ++i) {
      CAPTURE(i);
      TBBUTTON b{};
      SendMessageA(w.Toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
      const bool separator = rows[i].command == 0;
      CHECK(((b.fsStyle & TBSTYLE_SEP) != 0) == separator);
      if (separator) continue;
      CHECK(b.idCommand == rows[i].command);
      CHECK(b.iBitmap == rows[i].image);
      CHECK((b.fsState & TBSTATE_ENABLED) != 0);
      RECT r{};
      SendMessageA(w.Toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      CHECK(r.right - r.left == 22);
      CHECK(r.bottom - r.top == 22);
      CHECK(Tooltip(w.Toolbar, rows[i].command) == rows[i].tip);
    }
  }
  SUBCASE("the toolbar sits at the top; the client window below it keeps the width") {
    const RECT bar = ScreenRect(w.Toolbar);
    const RECT client = ScreenRect(w.Client);
    POINT origin{0, 0};
    ClientToScreen(w.Frame, &origin);
    CHECK(bar.top == origin.y);
    CHECK(client.top == bar.bottom);
    CHECK(client.bottom == ScreenRect(w.StatusBar).top);
    CHECK(ClientSize(w.Client).cx == 512);
    CHECK(ClientSize(w.Client).cy == 256 - HeightOf(w.Toolbar));
  }
  SUBCASE("the first event is one SizeChange with the smaller client size") {
    ExpectSizeChange(512, 256 - HeightOf(w.Toolbar));
    CheckNothingMore();
  }
  SUBCASE("resource 0 removes the toolbar and gives the space back") {
    ExpectSizeChange(512, 256 - HeightOf(w.Toolbar));
    ToolbarCreate(0);
    CHECK_FALSE(IsWindow(w.Toolbar));
    CHECK(ClientSize(w.Client).cy == 256);
    ExpectSizeChange(512, 256);
    CheckNothingMore();
  }
  SUBCASE("a left toolbar takes 25 pixels from the client width, a bottom one sits on the status bar") {
    ExpectSizeChange(512, 256 - HeightOf(w.Toolbar));
    ToolbarCreate(0);
    ExpectSizeChange(512, 256);
    ToolbarCreate(30101, 0, 2);
    const HWND left = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    CHECK(ScreenRect(left).right - ScreenRect(left).left == 25);
    CHECK(ScreenRect(w.Client).left == ScreenRect(left).right);
    ExpectSizeChange(512 - 25, 256);
    ToolbarCreate(0, 0, 2);
    ExpectSizeChange(512, 256);
    ToolbarCreate(30101, 0, 4);
    const HWND bottom = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    CHECK(ScreenRect(bottom).bottom == ScreenRect(w.StatusBar).top);
    CHECK(ScreenRect(w.Client).bottom == ScreenRect(bottom).top);
    ExpectSizeChange(512, 256 - HeightOf(bottom));
    CheckNothingMore();
  }
  SUBCASE("a right toolbar replaced by one of its size stays at the right edge; the client hears nothing") {
    ExpectSizeChange(512, 256 - HeightOf(w.Toolbar));
    ToolbarCreate(0);
    ExpectSizeChange(512, 256);
    ToolbarCreate(30101, 0, 3);
    ExpectSizeChange(512 - 25, 256);
    // Nothing changed size: the frame is not told it did.
    frameProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFrameProcedure)));
    frameSizes = 0;
    ToolbarCreate(30101, 0, 3);
    SetWindowLongPtrA(w.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProcedure));
    CHECK(frameSizes == 0);
    const HWND right = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    CHECK(ScreenRect(right).left == ScreenRect(w.Client).right);
    CHECK(ScreenRect(right).right == ScreenRect(w.StatusBar).right);
    CheckNothingMore();
  }
  SUBCASE("a bottom toolbar replaced by one of its size stays on the status bar; the client hears nothing") {
    ExpectSizeChange(512, 256 - HeightOf(w.Toolbar));
    ToolbarCreate(0);
    ExpectSizeChange(512, 256);
    ToolbarCreate(30101, 0, 4);
    const int height = HeightOf(FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr));
    ExpectSizeChange(512, 256 - height);
    ToolbarCreate(30101, 0, 4);
    const HWND bottom = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    CHECK(ScreenRect(bottom).bottom == ScreenRect(w.StatusBar).top);
    CHECK(ScreenRect(w.Client).bottom == ScreenRect(bottom).top);
    CheckNothingMore();
  }
  SUBCASE("the status bar lies on top, then the toolbars top, left, right, bottom, then the client window") {
    ToolbarCreate(30101, 0, 4);
    ToolbarCreate(30101, 0, 3);
    ToolbarCreate(30101, 0, 2);
    const std::vector<std::string> expected{"status bar", "top", "left", "right", "bottom", "client"};
    CHECK(ChildrenFromTop(w) == expected);
  }
  SUBCASE("a left or right toolbar stands its buttons in one column") {
    ToolbarCreate(0);
    for (const int position : {2, 3}) {
      CAPTURE(position);
      ToolbarCreate(30101, 0, position);
      const HWND side = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
      RECT above{};
      SendMessageA(side, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&above));
      for (const int button : {1, 3, 4, 6}) {
        CAPTURE(button);
        RECT r{};
        SendMessageA(side, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&r));
        CHECK(r.left == above.left);
        CHECK(r.top >= above.bottom);
        above = r;
      }
      ToolbarCreate(0, 0, position);
    }
  }
  SUBCASE("a tooltip from the string table runs to 80 characters") {
    ToolbarCreate(TestToolbar, 0, 4);
    const HWND bottom = FindWindowExA(w.Frame, w.Toolbar, TOOLBARCLASSNAMEA, nullptr);
    CHECK(Tooltip(bottom, TestCommand) == std::string(79, 'S') + "E");
  }
  SUBCASE("a tooltip of the window's own table runs to 80 characters") {
    const std::string text(80, 'T');
    WindowSlot& root = Layer.Slots[0];
    REQUIRE(root.TooltipTable.size() == 7);
    root.TooltipTable[3].Command = 40003;
    std::copy(text.begin(), text.end(), root.TooltipTable[3].Text.begin());
    CHECK(Tooltip(w.Toolbar, 40003) == text);
    CHECK(Tooltip(w.Toolbar, 40002) == "Open");
  }
  SUBCASE("a missing resource raises 1002, a bad window 1003") {
    ErrorQuery(1);
    ToolbarCreate(30102);
    CHECK(ErrorQuery(1) == 1002);
    ToolbarCreate(30101, 21);
    CHECK(ErrorQuery(1) == 1003);
    ToolbarCreate(30101, 4);
    CHECK(ErrorQuery(1) == 1003);
    CHECK(IsWindow(w.Toolbar));
  }
  CloseApplicationWindow();
}

TEST_CASE("Every toolbar meets its end through its own procedure") {
  const RootWindow w = OpenApplicationWindow(false);
  const HWND probe = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD, 0, 0, 1, 1, w.Frame, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
  REQUIRE(probe != nullptr);
  toolbarClassProcedure = reinterpret_cast<WNDPROC>(
      SetClassLongPtrA(probe, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingToolbarProcedure)));
  DestroyWindow(probe);
  toolbarsDestroyed = 0;

  ToolbarCreate(30101);
  ToolbarCreate(30101, 0, 2);
  ToolbarCreate(30101, 0, 2);  // the first left toolbar goes
  CHECK(toolbarsDestroyed == 1);
  CloseApplicationWindow();  // the frame takes the other two with it
  CHECK(toolbarsDestroyed == 3);

  const HWND restore = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
  SetClassLongPtrA(restore, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolbarClassProcedure));
  DestroyWindow(restore);
}

TEST_CASE("NextEvent") {
  const RootWindow w = OpenApplicationWindow(true);
  const int clientHeight = 256 - HeightOf(w.Toolbar);
  ExpectSizeChange(512, clientHeight);
  Focus(w);
  EventRecord e;

  SUBCASE("File > Save chosen with the keyboard gives MenuCommand 40003") {
    PressKeys({VK_MENU, 'F'}, {'F', VK_MENU});
    PressKeys({'S'}, {'S'});
    CheckEvent(NextEventWithin(2000, e), e, 2, 40003);
    CheckNothingMore();
  }
  SUBCASE("a click on the Save button gives the same MenuCommand") {
    ClickAt(ButtonCentre(w.Toolbar, 1));
    CheckEvent(NextEventWithin(2000, e), e, 2, 40003);
    CheckNothingMore();
  }
  SUBCASE("a click on the Exit button gives its own command 40010") {
    ClickAt(ButtonCentre(w.Toolbar, 6));
    CheckEvent(NextEventWithin(2000, e), e, 2, 40010);
  }
  SUBCASE("keys give the codes of the key table") {
    struct Row { std::initializer_list<WORD> keys; int code; };
    const Row rows[] = {
        {{VK_SHIFT, VK_UP}, 262},  {{VK_UP}, 258},          {{VK_CONTROL, VK_UP}, 266},
        {{VK_PRIOR}, 262},         {{VK_LEFT}, 261},        {{VK_SHIFT, VK_RIGHT}, 264},
        {{VK_DELETE}, 273},        {{VK_F1}, 301},          {{VK_SHIFT, VK_F2}, 322},
        {{VK_CONTROL, VK_F1}, 341}, {{VK_RETURN}, 13},      {{VK_ESCAPE}, 27},
        {{'A'}, 'a'},              {{VK_SHIFT, 'A'}, 'A'},  {{VK_CONTROL, 'A'}, 1},
        {{VK_SHIFT, VK_TAB}, 274}, {{VK_TAB}, 9},
    };
    for (const Row& r : rows) {
      CAPTURE(r.code);
      PressKeys(r.keys, {});
      std::initializer_list<WORD> keys = r.keys;
      for (auto k = keys.end(); k != keys.begin();) PressKeys({}, {*--k});
      const int type = NextEventWithin(2000, e);
      CHECK(type == 1);
      CHECK(e.Value1 == r.code);
      CHECK(e.Value2 == -1);
      CHECK(e.Value3 == 0);
      CHECK(e.Value4 == -1);
    }
    CheckNothingMore();
  }
  SUBCASE("a key gives the mouse cursor's place in units") {
    POINT p{255, 100};
    ClientToScreen(w.Client, &p);
    SetCursorPos(p.x, p.y);
    PressKeys({'A'}, {'A'});
    CHECK(NextEventWithin(2000, e) == 1);
    CHECK(e.X == 4989);
    CHECK(e.Y == static_cast<int>(100.5 * 9999.0 / clientHeight));
  }
  SUBCASE("a quit message does not end the wait") {
    PostQuitMessage(0);
    PressKeys({'B'}, {'B'});
    CHECK(NextEventWithin(2000, e) == 1);
    CHECK(e.Value1 == 'b');
  }
  SUBCASE("Shift, Ctrl and Caps Lock alone give nothing") {
    PressKeys({VK_SHIFT}, {VK_SHIFT});
    PressKeys({VK_CONTROL}, {VK_CONTROL});
    CheckNothingMore();
  }
  SUBCASE("a switched-off type produces nothing until switched on again") {
    EventEnable(1, 0);
    PressKeys({'A'}, {'A'});
    CheckNothingMore();
    EventEnable(1, 1);
    PressKeys({'B'}, {'B'});
    CHECK(NextEventWithin(2000, e) == 1);
    CHECK(e.Value1 == 'b');
  }
  SUBCASE("a mouse click gives MouseButtonDown in units; the release only when switched on") {
    POINT p{255, 100};
    ClientToScreen(w.Client, &p);
    ClickAt(p);
    CHECK(NextEventWithin(2000, e) == 4);
    CHECK(e.Value1 == 1);
    CHECK(e.Value3 == 0);
    CHECK(e.Value4 == -1);
    CHECK(e.X == 4989);
    CHECK(e.Y == static_cast<int>(100.5 * 9999.0 / clientHeight));
    CheckNothingMore();
    EventEnable(5, 1);
    ClickAt(p);
    CHECK(NextEventWithin(2000, e) == 4);
    CHECK(NextEventWithin(2000, e) == 5);
    CHECK(e.X == 4989);
    EventEnable(5, 0);
  }
  SUBCASE("a click on the caption gives FrameButtonDown only when switched on") {
    const RECT frame = ScreenRect(w.Frame);
    const POINT caption{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    ClickAt(caption);
    CheckNothingMore();
    EventEnable(12, 1);
    ClickAt({caption.x - 100, caption.y});  // elsewhere, or it would be a double click
    CHECK(NextEventWithin(2000, e) == 12);
    CHECK(e.Value1 == 1);
    CHECK(e.Value2 == -1);
    CHECK(e.X == -1);
    EventEnable(12, 0);
  }
  SUBCASE("Alt+F4 asks to close; the window stays open") {
    PressKeys({VK_MENU, VK_F4}, {VK_F4, VK_MENU});
    CHECK(NextEventWithin(2000, e) == 9);
    CHECK(e.Value1 == -1);
    CHECK(e.X == -1);
    CHECK(IsWindowVisible(w.Frame));
  }
  SUBCASE("maximising gives one SizeChange and no Repaint; restoring another") {
    WhileWaiting([] { ShowWindow(FindWindowA("KESTRAFOLIO", nullptr), SW_MAXIMIZE); });
    const int type = NextEventWithin(2000, e);
    CHECK(type == 8);
    CHECK(e.Value1 == ClientSize(w.Client).cx);
    CHECK(e.Value1 > 512);
    CheckNothingMore();
    WhileWaiting([] { ShowWindow(FindWindowA("KESTRAFOLIO", nullptr), SW_RESTORE); });
    CHECK(NextEventWithin(2000, e) == 8);
    CHECK(e.Value1 == 512);
    CHECK(e.Value2 == clientHeight);
    CheckNothingMore();
  }
  SUBCASE("minimising gives no event, restoring a SizeChange") {
    WhileWaiting([] { ShowWindow(FindWindowA("KESTRAFOLIO", nullptr), SW_MINIMIZE); });
    CheckNothingMore();
    WhileWaiting([] { ShowWindow(FindWindowA("KESTRAFOLIO", nullptr), SW_RESTORE); });
    CHECK(NextEventWithin(2000, e) == 8);
    CHECK(e.Value2 == clientHeight);
  }
  SUBCASE("a Repaint deferred outside NextEvent comes back covering the whole client area") {
    const RECT small{10, 10, 20, 20};
    InvalidateRect(w.Client, &small, TRUE);
    UpdateWindow(w.Client);
    CHECK(NextEventWithin(2000, e) == 7);
    CHECK(e.Window == 0);
    CHECK(e.X == 9);   // the centre of pixel 0
    CHECK(e.Y == static_cast<int>(0.5 * 9999.0 / clientHeight));
    CHECK(e.Value1 == 9989 - 9);
    CHECK(e.Value2 == static_cast<int>((clientHeight - 0.5) * 9999.0 / clientHeight) - e.Y);
    CHECK(e.Value3 == 0);
    CHECK(e.Value4 == -1);
    CheckNothingMore();
  }
  SUBCASE("a Repaint while waiting covers only what needs painting") {
    WhileWaiting([] {
      const RECT area{100, 50, 200, 100};
      InvalidateRect(FindWindowExA(FindWindowA("KESTRAFOLIO", nullptr), nullptr, "KESTCLIENT", nullptr), &area, TRUE);
    });
    CHECK(NextEventWithin(2000, e) == 7);
    CHECK(e.X == 1962);
    CHECK(e.Value1 == 3896 - 1962);
    CHECK(e.Y == static_cast<int>(50.5 * 9999.0 / clientHeight));
    CHECK(e.Value2 == static_cast<int>(99.5 * 9999.0 / clientHeight) - e.Y);
    CheckNothingMore();
  }
  SUBCASE("a SizeChange outside NextEvent wins over a Repaint deferred before it") {
    const RECT small{10, 10, 20, 20};
    InvalidateRect(w.Client, &small, TRUE);
    UpdateWindow(w.Client);
    ToolbarCreate(0);
    ExpectSizeChange(512, 256);
    CheckNothingMore();
  }
  CloseApplicationWindow();
}

TEST_CASE("Mouse moves and system timers in the client window") {
  const RootWindow w = OpenApplicationWindow(false);
  REQUIRE(ClientSize(w.Client).cx == 512);
  REQUIRE(ClientSize(w.Client).cy == 256);
  SetCursorPos(0, 0);  // off the window: no move of the real mouse comes between
  EventRecord e;

  SUBCASE("a move gives MouseMotion once switched on: its time in hundredths, its place in units") {
    // Positions come as 16-bit values; one beyond the 1024 by 768 screen was
    // negative.
    struct Row {
      WORD X, Y;
      int UnitsX, UnitsY;
    };
    const Row rows[] = {
        {255, 100, 4989, 3925},
        {0xFFFB, 0xFFFE, -87, -58},
        {1024, 768, 20007, 30016},
        {1025, 769, -1259844, -2529688},
    };
    PostMessageA(w.Client, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageA(w.Client, WM_CHAR, 'a', 0);
    CHECK(NextEventWithin(2000, e) == 1);  // switched off: the move gave nothing
    EventEnable(6, 1);
    for (const Row& row : rows) {
      CAPTURE(row.X);
      const DWORD before = GetTickCount();
      PostMessageA(w.Client, WM_MOUSEMOVE, 0, MAKELPARAM(row.X, row.Y));
      CHECK(NextEventWithin(2000, e) == 6);
      CHECK(e.Window == 0);
      CHECK(e.Value1 == -1);
      CHECK(e.Value2 == static_cast<int>(e.Time / 10));
      CHECK(e.Time >= static_cast<int>(before));
      CHECK(e.Time <= static_cast<int>(GetTickCount()));
      CHECK(e.Value3 == 0);
      CHECK(e.Value4 == -1);
      CHECK(e.X == row.UnitsX);
      CHECK(e.Y == row.UnitsY);
    }
    EventEnable(6, 0);
  }
  SUBCASE("the caret's blink (0x0118 with 0xFFF6) is not dispatched; other 0x0118 messages are") {
    clientProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w.Client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingClientProcedure)));
    systemTimers.clear();
    PostMessageA(w.Client, 0x0118, 0xFFF6, 0);
    PostMessageA(w.Client, 0x0118, 0x0001, 0);
    PostMessageA(w.Client, WM_CHAR, 'a', 0);
    CHECK(NextEventWithin(2000, e) == 1);
    SetWindowLongPtrA(w.Client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientProcedure));
    CHECK(std::count(systemTimers.begin(), systemTimers.end(), 0xFFF6) == 0);
    CHECK(std::count(systemTimers.begin(), systemTimers.end(), 0x0001) == 1);
  }
  CloseApplicationWindow();
}

TEST_CASE("StatusBarText") {
  const RootWindow w = OpenApplicationWindow(false);
  SUBCASE("a new text replaces the old, leading blanks kept, trailing blanks dropped") {
    StatusBarText(1, " Output format: Continental style numbers     ");
    CHECK(StatusText(w.StatusBar, 0) == " Output format: Continental style numbers");
    CHECK(StatusText(w.StatusBar, 1) == " Resolution: 1 second");
  }
  SUBCASE("a text of blanks empties the part") {
    StatusBarText(2, "     ");
    CHECK(StatusText(w.StatusBar, 1).empty());
  }
  SUBCASE("texts are UTF-8; a byte that is none shows as the ANSI code page's character") {
    REQUIRE(GetACP() == 1252);
    StatusBarText(1, " J\xC3\xB6rg \xE5\x9C\xB0\xE5\x9B\xB3 \xF0\x9F\x9A\x97 caf\xE9");
    CHECK(StatusText(w.StatusBar, 0) == " J\xC3\xB6rg \xE5\x9C\xB0\xE5\x9B\xB3 \xF0\x9F\x9A\x97 caf\xC3\xA9");
  }
  SUBCASE("parts 0 and 256 are ignored") {
    StatusBarText(0, "zero");
    StatusBarText(256, "too far");
    CHECK(StatusText(w.StatusBar, 0) == " Output format: English style numbers");
    CHECK(StatusText(w.StatusBar, 1) == " Resolution: 1 second");
  }
  SUBCASE("parts after a -1 keep their style; those up to it take the new one") {
    StatusBarParts(std::array{3000, 3000, 3000}, std::array{0, 0, 0});
    StatusBarParts(std::array{3000, -1, 2000}, std::array{2, 2, 2});
    const auto style = [&w](int part) { return HIWORD(SendMessageA(w.StatusBar, SB_GETTEXTLENGTHA, part, 0)); };
    CHECK(style(0) == SBT_POPOUT);
    CHECK(style(1) == SBT_POPOUT);
    CHECK(style(2) == SBT_NOBORDERS);
  }
  SUBCASE("re-dividing the bar keeps the texts") {
    const std::array widths{5000, -1};
    StatusBarParts(widths);
    std::array<int, 2> edges{};
    SendMessageA(w.StatusBar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    CHECK(edges[0] == 255);
    CHECK(StatusText(w.StatusBar, 0) == " Output format: English style numbers");
  }
  SUBCASE("report mode 3 puts the error line into part 1") {
    ErrorReportModeSet(3);
    ErrorRaise(1001);
    ErrorReportModeSet(0);
    CHECK(StatusText(w.StatusBar, 0) == "Error=1001:Invalid menu item");
    CHECK(ErrorQuery(1) == 1001);
  }
  CloseApplicationWindow();
}

TEST_CASE("MenuItemState") {
  const RootWindow w = OpenApplicationWindow(true);
  const HMENU menu = GetMenu(w.Frame);
  ErrorQuery(1);

  SUBCASE("the check mark moves among the resolutions") {
    MenuItemState(40018, 2, 0);
    MenuItemState(40015, 2, 0);
    MenuItemState(40014, 2, 1);
    CHECK_FALSE(Checked(menu, 40018));
    CHECK_FALSE(Checked(menu, 40015));
    CHECK(Checked(menu, 40014));
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("values and kinds out of range change nothing and raise nothing") {
    MenuItemState(40015, 2, 2);
    MenuItemState(40015, 3, 1);
    MenuItemState(99999, 2, 2);
    CHECK_FALSE(Checked(menu, 40015));
    CHECK(Checked(menu, 40018));
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("greying a command greys the menu item and the button") {
    MenuItemState(40003, 1, 0);
    CHECK((GetMenuState(menu, 40003, MF_BYCOMMAND) & MF_GRAYED) != 0);
    CHECK(SendMessageA(w.Toolbar, TB_ISBUTTONENABLED, 40003, 0) == 0);
    MenuItemState(40003, 1, 1);
    CHECK((GetMenuState(menu, 40003, MF_BYCOMMAND) & MF_GRAYED) == 0);
    CHECK(SendMessageA(w.Toolbar, TB_ISBUTTONENABLED, 40003, 0) != 0);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("popups are found through the locator table") {
    MenuItemState(40013, 1, 0);
    CHECK((GetMenuState(GetSubMenu(menu, 1), 0, MF_BYPOSITION) & MF_GRAYED) != 0);
    MenuItemState(40012, 1, 0);
    CHECK((GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED) != 0);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("a command only on the toolbar is no error") {
    MenuItemState(40019, 1, 0);
    CHECK(SendMessageA(w.Toolbar, TB_ISBUTTONENABLED, 40019, 0) == 0);
    MenuItemState(40010, 2, 1);
    CHECK(SendMessageA(w.Toolbar, TB_ISBUTTONCHECKED, 40010, 0) != 0);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("an identifier found nowhere raises 1001") {
    MenuItemState(40016, 2, 1);
    CHECK(ErrorQuery(1) == 1001);
  }
  CloseApplicationWindow();
}

TEST_CASE("TextAt and ClearClientArea") {
  const RootWindow w = OpenApplicationWindow(false, 300);
  REQUIRE(ClientSize(w.Client).cy == 300);
  const HDC dc = GetDC(w.Client);
  const RECT all{0, 0, 512, 300};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF black = RGB(0, 0, 0);

  SUBCASE("text at (100, 1000) starts its baseline at pixel (5, 29)") {
    TextAt(100, 1000, "Reading from ");
    // The text cell is painted white over the black: its left edge is the
    // starting point, its top lies the font's ascent above the baseline.
    TEXTMETRICA metrics{};
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc, &metrics);
    CHECK(GetPixel(dc, 4, 29) == black);
    CHECK(GetPixel(dc, 5, 29) == white);
    CHECK(GetPixel(dc, 5, 29 - metrics.tmAscent) == white);
    CHECK(GetPixel(dc, 5, 29 - metrics.tmAscent - 1) == black);
    CHECK(GetPixel(dc, 5, 29 + metrics.tmDescent - 1) == white);
    CHECK(GetPixel(dc, 5, 29 + metrics.tmDescent) == black);
  }
  SUBCASE("ASCII looks and measures as the ANSI call drew it; UTF-8 shows as the wide call draws it") {
    const std::string ascii = "Reading from ... C:\\logs\\trip.pgl";
    const std::string utf8 =
        "Reading from ... C:\\J\xC3\xB6rg\\\xE5\x9C\xB0\xE5\x9B\xB3 \xF0\x9F\x9A\x97 caf\xC3\xA9.pgl";
    const std::wstring wide = L"Reading from ... C:\\J\u00F6rg\\\u5730\u56F3 \U0001F697 caf\u00E9.pgl";
    const SIZE size{512, 300};
    const RECT area{0, 0, size.cx, size.cy};
    int endX = 0;
    const Pixels byAnsi = DrawnByPlatform(
        dc, size, [&](HDC m) { TextOutA(m, 0, 0, ascii.data(), static_cast<int>(ascii.size())); }, endX);
    ClearClientArea();
    TextAt(100, 1000, ascii);
    CHECK(ReadPixels(dc, area) == byAnsi);
    CHECK(Layer.Slots[0].Text.TextX == PixelsToUnits(endX, size.cx));

    const Pixels byWide = DrawnByPlatform(
        dc, size, [&](HDC m) { TextOutW(m, 0, 0, wide.data(), static_cast<int>(wide.size())); }, endX);
    ClearClientArea();
    TextAt(100, 1000, utf8);
    CHECK(ReadPixels(dc, area) == byWide);
    CHECK(Layer.Slots[0].Text.TextX == PixelsToUnits(endX, size.cx));
  }
  SUBCASE("underlined text has a line of the text's colour 2 pixels below the baseline, start to end") {
    int endX = 0;
    DrawnByPlatform(dc, {512, 300}, [](HDC m) { TextOutA(m, 0, 0, "Read", 4); }, endX);
    REQUIRE(endX > 10);
    const auto lineRow = [&](int y) {
      std::string row;
      for (int x = 4; x <= endX; ++x) row += GetPixel(dc, x, y) == black ? '#' : '.';
      return row;
    };
    const std::string underlined = "." + std::string(endX - 5, '#') + ".";
    ClearClientArea();
    TextAt(100, 1000, "Read");
    CHECK(lineRow(31) != underlined);
    Layer.Slots[0].Text.Underline = true;
    ClearClientArea();
    TextAt(100, 1000, "Read");
    CHECK(lineRow(31) == underlined);
    CHECK(lineRow(32).find('#') == std::string::npos);
  }
  SUBCASE("the font is made again only when one of its five attributes changed, and the old one goes") {
    TextState& text = Layer.Slots[0].Text;
    text.FontFamily = 3;
    text.CharHeight = 20;
    text.CharWidth = 0;
    TextAt(100, 1000, "A");
    const HFONT first = Layer.TextFont;
    CHECK(text.CharHeight == 20);  // as the font reports itself
    CHECK(text.CharWidth > 0);
    TextAt(100, 2000, "B");
    CHECK(Layer.TextFont == first);
    for (int* attribute : {&text.Bold, &text.Italic, &text.FontFamily, &text.CharWidth, &text.CharHeight}) {
      const HFONT before = Layer.TextFont;
      *attribute += 1;
      TextAt(100, 3000, "C");
      CHECK(Layer.TextFont != before);
      CHECK(GetObjectType(before) == 0);
    }
  }
  SUBCASE("a clear fills the whole client area with white") {
    ClearClientArea();
    CHECK(GetPixel(dc, 0, 0) == white);
    CHECK(GetPixel(dc, 511, 0) == white);
    CHECK(GetPixel(dc, 0, 299) == white);
    CHECK(GetPixel(dc, 511, 299) == white);
    CHECK(GetPixel(dc, 256, 150) == white);
  }
  ReleaseDC(w.Client, dc);
  CloseApplicationWindow();
}
