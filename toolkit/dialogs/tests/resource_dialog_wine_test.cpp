// Dialogs from the program's resources under Wine: loaded, filled, shown
// modally and answered with real keystrokes and clicks. Event types, error
// numbers and DialogInfo codes are compared as the numbers applications see.

#include <doctest/doctest.h>

#include <array>
#include <string>

#include "text/fixed_text.hpp"
#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/event_loop.hpp"
#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

using namespace toolkit;
using namespace toolkit::testing;

namespace {

constexpr int AboutDialog = 101;  // in the tests' own resources
constexpr int AboutTextField = 1001;
constexpr int NameDialog = 201;
constexpr int NameField = 2001;
constexpr int CountDialog = 202;
constexpr int CountField = 2002;
constexpr int RememberBox = 2003;
constexpr std::string_view AboutText =
    "Pinwell log to pushpin converter. Version 1.0, 2003.Written for TomTom Navigator track logs.";

std::string FieldText(HWND dialog, int field) { return WindowText(GetDlgItem(dialog, field)); }

HWND HiddenInstance() { return Dialogs.CurrentSlot().Window; }

// The close box, found the way the window itself tells it: by hit testing
// along the caption.
POINT CloseBox(HWND window) {
  const RECT r = ScreenRect(window);
  for (int y = r.top; y < r.top + 40; ++y) {
    for (int x = r.right - 1; x > r.right - 60; --x) {
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x - 3, y + 3};
    }
  }
  return {r.right - 8, r.top + 8};
}

}  // namespace

TEST_CASE("The About box") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(AboutDialog);
  DialogPutText(AboutTextField, text::FixedText<512>(AboutText).View());

  struct Ending {
    const char* Name;
    void (*Action)(HWND);
    int ExitField;
  };
  const Ending endings[] = {
      {"OK", [](HWND box) { ClickButton(box, "OK"); }, 1},
      {"Escape", [](HWND) { PressKey(VK_ESCAPE); }, 2},
      {"close box", [](HWND box) { ClickAt(CloseBox(box)); }, 2},
  };
  for (const Ending& ending : endings) {
    CAPTURE(ending.Name);
    std::string shown;
    RECT place{};
    WhenBoxAppears("About", [&shown, &place, &ending](HWND box) {
      shown = FieldText(box, AboutTextField);
      place = ScreenRect(box);
      ending.Action(box);
    });
    DialogShowModal(-1, -1, 0, 1);
    CHECK(AllStepsRan());
    CHECK(shown == AboutText);
    CHECK(place.left == (1024 - (place.right - place.left)) / 2);
    CHECK(place.top == (768 - (place.bottom - place.top)) / 2);
    CHECK(DialogInfo(1) == ending.ExitField);
    CHECK(DialogInfo(3) == AboutDialog);
    CHECK(DialogInfo(5) == AboutDialog);
  }
  CHECK(ErrorQuery(1) == 0);
  DialogUnload();
  CHECK(DialogInfo(3) == 0);
  CHECK(Dialogs.Count == 0);
  CloseApplicationWindow();
}

TEST_CASE("What a modal instance takes over from the hidden one") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(NameDialog);
  const HWND hidden = HiddenInstance();
  SetWindowTextW(hidden, L"Your name");
  struct {
    bool TaskBar = false, Hooked = false, SmallIcon = false;
  } seen;
  WhenBoxAppears("Your name", [&seen](HWND box) {
    seen.TaskBar = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    const HWND field = GetDlgItem(box, NameField);
    seen.Hooked = GetWindowLongPtrW(field, GWLP_WNDPROC) != static_cast<LONG_PTR>(GetClassLongPtrW(field, GCLP_WNDPROC));
    seen.SmallIcon = SendMessageA(box, WM_GETICON, ICON_SMALL, 0) != 0;
    PressKey(VK_ESCAPE);
  });
  DialogShowModal(-1, -1, 0, 1);
  CHECK(AllStepsRan());  // the caption was copied: the box was found by it
  CHECK(seen.TaskBar);
  CHECK(seen.Hooked);
  CHECK(seen.SmallIcon);
  CHECK(DialogInfo(1) == 2);
  DialogUnload();
  CloseApplicationWindow();
}

TEST_CASE("Resource dialogs") {
  OpenApplicationWindow();
  ErrorQuery(1);

  SUBCASE("a text put in before the show is shown; one typed during it stays in the hidden instance") {
    // UTF-8 both ways: caf\u00E9 \u5730\u56F3 in, \U0001F697 typed.
    DialogLoad(NameDialog);
    DialogPutText(NameField, "caf\xC3\xA9 \xE5\x9C\xB0\xE5\x9B\xB3   ");
    std::string shown;
    WhenBoxAppears("Name", [&shown](HWND box) {
      shown = FieldText(box, NameField);
      PressKey(VK_END);
      TypeText(" \xF0\x9F\x9A\x97 home");
      PressKey(VK_RETURN);
    });
    DialogShowModal(100, 50, NameField, 1);
    CHECK(AllStepsRan());
    CHECK(shown == "caf\xC3\xA9 \xE5\x9C\xB0\xE5\x9B\xB3");
    CHECK(FieldText(HiddenInstance(), NameField) == "caf\xC3\xA9 \xE5\x9C\xB0\xE5\x9B\xB3 \xF0\x9F\x9A\x97 home");
    CHECK(DialogInfo(1) == IDOK);
    CHECK(DialogInfo(2) == NameField);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("a field of the toolkit's integer class takes its text; a check made in the dialog stays") {
    DialogLoad(CountDialog);
    DialogPutText(CountField, "12");
    std::string shown;
    WhenBoxAppears("Count", [&shown](HWND box) {
      shown = FieldText(box, CountField);
      ClickButton(box, "&Remember");
      PressKey(VK_RETURN);
    });
    DialogShowModal(-1, -1, 0, 1);
    CHECK(AllStepsRan());
    CHECK(shown == "12");
    CHECK(IsDlgButtonChecked(HiddenInstance(), RememberBox) == BST_CHECKED);
    CHECK(DialogInfo(1) == IDOK);
    CHECK(DialogInfo(2) == RememberBox);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("explicit X and Y place the dialog at those screen pixels") {
    DialogLoad(NameDialog);
    POINT corner{};
    WhenBoxAppears("Name", [&corner](HWND box) {
      corner = {ScreenRect(box).left, ScreenRect(box).top};
      ClickButton(box, "Cancel");
    });
    DialogShowModal(100, 50, 0, 1);
    CHECK(AllStepsRan());
    CHECK(corner.x == 100);
    CHECK(corner.y == 50);
    CHECK(DialogInfo(1) == IDCANCEL);
  }
  SUBCASE("a blank text empties the field") {
    DialogLoad(NameDialog);
    DialogPutText(NameField, "trip");
    DialogPutText(NameField, "     ");
    CHECK(FieldText(HiddenInstance(), NameField) == "");
    CHECK(ErrorQuery(1) == 0);
    // A dialog that had the activation owns no box once the table is empty.
    Layer.RecentWindow = HiddenInstance();
    DialogUnload();
    CHECK(Layer.RecentWindow == FindWindowA("KESTRAFOLIO", nullptr));
  }
  SUBCASE("loading a dialog twice keeps one instance and selects it") {
    DialogLoad(NameDialog);
    DialogLoad(AboutDialog);
    const HWND name = Dialogs.Slots[1].Window;
    DialogLoad(NameDialog);
    CHECK(Dialogs.Count == 2);
    CHECK(HiddenInstance() == name);
    CHECK(DialogInfo(3) == NameDialog);
    DialogUnload();
    DialogLoad(AboutDialog);
    CHECK(Dialogs.Count == 1);
  }
  SUBCASE("modeless shows the hidden instance itself; unloading takes it away") {
    DialogLoad(NameDialog);
    const HWND hidden = HiddenInstance();
    DialogShowModal(-1, -1, NameField, 2);
    CHECK(IsWindowVisible(hidden));
    CHECK(DialogInfo(6) == (1024 - DialogInfo(8)) / 2);
    CHECK(DialogInfo(7) == (768 - DialogInfo(9)) / 2);
    CHECK(Dialogs.CurrentSlot().PreviousField == NameField);
    DialogUnload();
    CHECK_FALSE(IsWindow(hidden));
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("closing the root window unloads every dialog") {
    DialogLoad(NameDialog);
    const HWND hidden = HiddenInstance();
    CloseApplicationWindow();
    CHECK_FALSE(IsWindow(hidden));
    OpenApplicationWindow();
    CHECK(DialogInfo(3) == 0);
    DialogPutText(NameField, "x");
    CHECK(ErrorQuery(1) == 1005);
  }
  SUBCASE("errors") {
    struct Case {
      const char* Name;
      void (*Call)();
      int Error;
    };
    const Case cases[] = {
        {"text with none loaded", [] { DialogPutText(1001, "x"); }, 1005},
        {"show with none loaded", [] { DialogShowModal(-1, -1, 0, 1); }, 1005},
        {"unload with none loaded", [] { DialogUnload(); }, 1005},
        {"a template that is not there", [] { DialogLoad(999); }, 1007},
        {"a number beyond 16 bits, which would name template 201", [] { DialogLoad(65536 + NameDialog); }, 1007},
        {"a 51st dialog",
         [] {
           for (int id = 401; id <= 450; ++id) DialogLoad(id);
           DialogLoad(NameDialog);
         },
         1007},
        {"a field that is not there", [] { DialogLoad(NameDialog), DialogPutText(3003, "x"); }, 1006},
        {"a mode that is not there", [] { DialogLoad(NameDialog), DialogShowModal(-1, -1, 0, 7); }, 1014},
        {"modeless while a semi-modeless dialog is up",
         [] {
           DialogLoad(NameDialog), DialogShowModal(-1, -1, 0, 3);
           DialogLoad(AboutDialog), DialogShowModal(-1, -1, 0, 2);
         },
         1014},
    };
    for (const Case& c : cases) {
      CAPTURE(c.Name);
      c.Call();
      CHECK(ErrorQuery(1) == c.Error);
      while (Dialogs.Count > 0) {
        DialogLoad(Dialogs.Slots[1].DialogId);
        DialogUnload();
      }
    }
    CHECK(IsWindowEnabled(FindWindowA("KESTRAFOLIO", nullptr)));
    DialogLoad(NameDialog);
    DialogLoad(999);
    CHECK(DialogInfo(3) == NameDialog);
  }
  while (Dialogs.Count > 0) {
    DialogLoad(Dialogs.Slots[1].DialogId);
    DialogUnload();
  }
  CloseApplicationWindow();
}

namespace {

constexpr int FieldsDialog = 203;
constexpr int Tabs = 3005, List = 3002, Combo = 3003, ImageButton = 3006, Progress = 3007, Trackbar = 3004,
              Apply = 3008;
constexpr int GeneralPage = 301, DetailsPage = 302;

LRESULT Ask(HWND dialog, int field, UINT message, WPARAM w = 0, LPARAM l = 0) {
  return SendDlgItemMessageA(dialog, field, message, w, l);
}

std::string ListItem(HWND dialog, LRESULT index) {
  char text[64] = "";
  Ask(dialog, List, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND Loaded(int dialogId) { return Dialogs.Slots[Dialogs.Find(dialogId)].Window; }

POINT Centre(RECT r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A rectangle a control gives in its own client coordinates, on the screen.
RECT OnScreen(HWND control, RECT r) {
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void DoubleClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  std::array<INPUT, 4> inputs{};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT ListItemCentre(HWND dialog, int index) {
  RECT r{};
  Ask(dialog, List, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return Centre(OnScreen(GetDlgItem(dialog, List), r));
}

// What opening the window left to report.
void DrainEvents() {
  EventRecord record;
  while (NextEventWithin(200, record) != 13 || record.Value1 != GuardTimer) {
  }
}

void UnloadAll() {
  while (Dialogs.Count > 0) {
    DialogLoad(Dialogs.Slots[1].DialogId);
    DialogUnload();
  }
}

}  // namespace

TEST_CASE("A dialog of every field kind, shown modally and used with the mouse and keyboard") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(FieldsDialog);
  CHECK(Dialogs.Count == 3);  // its two pages are loaded beside it
  CHECK(DialogInfo(3) == FieldsDialog);
  const HWND hidden = HiddenInstance();
  const HWND general = Loaded(GeneralPage);
  const HWND details = Loaded(DetailsPage);
  Ask(hidden, Progress, PBM_SETPOS, 120);
  CHECK(SendDlgItemMessageA(general, 3101, EM_GETLIMITTEXT, 0, 0) == 12);
  CHECK(IsDlgButtonChecked(details, 3201) == BST_CHECKED);
  FieldRecord& progressRecord = *FieldRecordOf(GetDlgItem(hidden, Progress));
  CHECK(progressRecord.IntegerMaximum == 250);
  progressRecord.TabStopCount = 1;

  struct Seen {
    std::string Selected, Chosen;
    LRESULT ComboSelection = -1, ProgressPosition = -1, ProgressHigh = -1, TrackbarHigh = -1, PageSize = -1;
    bool GeneralShown = false, DetailsShown = false, ImageShown = false, RedButton = false;
    bool DetailsShownAfterClick = false, GeneralHiddenAfterClick = false, YellowField = false, StaticImage = false;
    LRESULT SelectionStart = -1, SelectionEnd = -1, LineSize = -1;
    UINT Greyed = 0;
    FieldRecord ProgressRecord;
  } seen;
  WhenBoxAppears("Fields", [&seen, general, details](HWND box) {
    seen.Selected = ListItem(box, Ask(box, List, LB_GETCURSEL));
    seen.ComboSelection = Ask(box, Combo, CB_GETCURSEL);
    seen.ProgressPosition = Ask(box, Progress, PBM_GETPOS);
    seen.ProgressHigh = Ask(box, Progress, PBM_GETRANGE, FALSE);
    seen.TrackbarHigh = Ask(box, Trackbar, TBM_GETRANGEMAX);
    seen.PageSize = Ask(box, Trackbar, TBM_GETPAGESIZE);
    seen.LineSize = Ask(box, Trackbar, TBM_GETLINESIZE);
    seen.SelectionStart = Ask(box, Trackbar, TBM_GETSELSTART);
    seen.SelectionEnd = Ask(box, Trackbar, TBM_GETSELEND);
    seen.StaticImage = Ask(box, 3009, STM_GETIMAGE, IMAGE_BITMAP) != 0;
    seen.GeneralShown = IsChild(box, general) && IsWindowVisible(general);
    const HWND field = GetDlgItem(general, 3101);
    const HDC fieldDc = GetDC(field);
    seen.YellowField = GetPixel(fieldDc, ClientSize(field).cx - 3, ClientSize(field).cy / 2) == RGB(255, 255, 0);
    ReleaseDC(field, fieldDc);
    seen.DetailsShown = IsWindowVisible(details);
    seen.ImageShown = Ask(box, ImageButton, BM_GETIMAGE, IMAGE_BITMAP) != 0;
    seen.ProgressRecord = *FieldRecordOf(GetDlgItem(box, Progress));
    const HMENU menu = GetSystemMenu(box, FALSE);
    for (const UINT command : {SC_RESTORE, SC_MAXIMIZE, SC_SIZE}) {
      seen.Greyed += (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    const HWND button = GetDlgItem(box, ImageButton);
    const HDC dc = GetDC(button);
    const SIZE size = ClientSize(button);
    seen.RedButton = GetPixel(dc, size.cx / 2, size.cy / 2) == RGB(255, 0, 0);
    ReleaseDC(button, dc);
    // The combo box has the focus: the next of its items.
    PressKey(VK_DOWN);
    // A click in the trackbar's channel beyond the thumb moves it a page on.
    RECT channel{}, thumb{};
    Ask(box, Trackbar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    Ask(box, Trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ClickAt(Centre(OnScreen(GetDlgItem(box, Trackbar), {thumb.right + 8, channel.top, thumb.right + 12, channel.bottom})));
  });
  WhenBoxAppears("Fields", [](HWND box) {
    RECT tab{};
    Ask(box, Tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ClickAt(Centre(OnScreen(GetDlgItem(box, Tabs), tab)));
  });
  WhenBoxAppears("Fields", [&seen, general, details](HWND box) {
    seen.DetailsShownAfterClick = IsChild(box, details) && IsWindowVisible(details);
    seen.GeneralHiddenAfterClick = !IsWindowVisible(general);
    DoubleClickAt(ListItemCentre(box, 2));
  });
  DialogShowModal(-1, -1, Combo, 1);
  CHECK(AllStepsRan());

  CHECK(seen.Selected == "South east");
  CHECK(seen.ComboSelection == 0);
  CHECK(seen.ProgressPosition == 120);
  CHECK(seen.ProgressHigh == 250);
  CHECK(seen.TrackbarHigh == 50);
  CHECK(seen.PageSize == 10);
  CHECK(seen.LineSize == 1);
  CHECK(seen.SelectionStart == 20);
  CHECK(seen.SelectionEnd == 40);
  CHECK(seen.StaticImage);
  CHECK(seen.GeneralShown);
  CHECK(seen.YellowField);
  CHECK_FALSE(seen.DetailsShown);
  CHECK(seen.ImageShown);
  CHECK(seen.RedButton);
  CHECK(seen.Greyed == 3);  // restore, maximise and size
  CHECK(seen.ProgressRecord == progressRecord);
  CHECK(seen.DetailsShownAfterClick);
  CHECK(seen.GeneralHiddenAfterClick);

  // The double click chose West and pressed OK; what the user did is in the
  // hidden instance.
  CHECK(DialogInfo(1) == IDOK);
  CHECK(ListItem(hidden, Ask(hidden, List, LB_GETCURSEL)) == "West");
  CHECK(Ask(hidden, Combo, CB_GETCURSEL) == 1);
  CHECK(Ask(hidden, Trackbar, TBM_GETPOS) == 10);
  CHECK(Ask(hidden, Tabs, TCM_GETCURSEL) == 1);
  CHECK(GetParent(general) == FindWindowExA(FindWindowA("KESTRAFOLIO", nullptr), nullptr, "KESTCLIENT", nullptr));
  CHECK_FALSE(IsWindowVisible(details));
  CHECK(ErrorQuery(1) == 0);

  SUBCASE("unloading destroys the pages, unless they are kept") {
    DialogUnload();
    CHECK(Dialogs.Count == 0);
    CHECK_FALSE(IsWindow(general));
  }
  SUBCASE("pages kept stay loaded") {
    DialogUnload(1);
    CHECK(Dialogs.Count == 2);
    CHECK(IsWindow(general));
  }
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("List, combo and tab texts pass whole between instances") {
  OpenApplicationWindow();
  DialogLoad(FieldsDialog);
  const HWND hidden = HiddenInstance();
  const std::wstring cafe = L"Caf\u00E9 \u5730\u56F3";
  SendDlgItemMessageW(hidden, List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cafe.c_str()));
  SendDlgItemMessageW(hidden, Combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cafe.c_str()));
  std::wstring label = cafe;
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = label.data();
  SendDlgItemMessageW(hidden, Tabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  std::wstring list, combo, tabLabel;
  WhenBoxAppears("Fields", [&](HWND box) {
    std::array<wchar_t, 64> text{};
    SendDlgItemMessageW(box, List, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text.data()));
    list = text.data();
    SendDlgItemMessageW(box, Combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text.data()));
    combo = text.data();
    TCITEMW read{};
    read.mask = TCIF_TEXT;
    read.pszText = text.data();
    read.cchTextMax = static_cast<int>(text.size());
    SendDlgItemMessageW(box, Tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
    tabLabel = text.data();
    ClickButton(box, "OK");
  });
  DialogShowModal(-1, -1, 0, 1);
  CHECK(AllStepsRan());
  CHECK(list == cafe);
  CHECK(combo == cafe);
  CHECK(tabLabel == cafe);
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("Shown dialogs report to the event loop") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(FieldsDialog);
  const int slot = Dialogs.Current;
  DialogShowModal(-1, -1, 0, 2);
  const HWND shown = HiddenInstance();
  REQUIRE(IsWindowVisible(shown));
  const HWND general = Loaded(GeneralPage);
  CHECK(IsChild(shown, general));
  CHECK(IsWindowVisible(general));
  DrainEvents();
  EventRecord record;

  SUBCASE("a push button gives event 3 with the dialog's slot, the button and the dialog") {
    static POINT apply;
    apply = Centre(ScreenRect(GetDlgItem(shown, Apply)));
    WhileWaiting([] { ClickAt(apply); });
    CHECK(NextEventWithin(5000, record) == 3);
    CHECK(record.Window == slot);
    CHECK(record.Value1 == Apply);
    CHECK(record.Value2 == FieldsDialog);
    CHECK(DialogInfo(3) == FieldsDialog);
  }
  SUBCASE("Enter in the dialog presses its default button, as in any dialog") {
    WhileWaiting([] { PressKey(VK_RETURN); });
    CHECK(NextEventWithin(5000, record) == 3);
    CHECK(record.Value1 == IDOK);
  }
  SUBCASE("a double click in the list presses OK, the default button") {
    static POINT item;
    item = ListItemCentre(shown, 0);
    WhileWaiting([] { DoubleClickAt(item); });
    int type = 0;
    do type = NextEventWithin(5000, record);
    while (type == 10);
    CHECK(type == 3);
    CHECK(record.Value1 == IDOK);
    CHECK(ListItem(shown, Ask(shown, List, LB_GETCURSEL)) == "North");
  }
  SUBCASE("other changes give event 10 once it is switched on") {
    static POINT item;
    item = ListItemCentre(shown, 2);
    WhileWaiting([] { ClickAt(item); });
    CHECK(NextEventWithin(1000, record) == 13);  // off by default
    EventEnable(10, 1);
    item = ListItemCentre(shown, 1);
    WhileWaiting([] { ClickAt(item); });
    CHECK(NextEventWithin(5000, record) == 10);
    CHECK(record.Window == slot);
    CHECK(record.Value1 == List);
    EventEnable(10, 0);
  }
  CHECK(ErrorQuery(1) == 0);
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("A page designed as a window of its own is embedded in its dialog") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(206);
  const HWND host = HiddenInstance();
  const HWND page = Loaded(306);
  DialogShowModal(-1, -1, 0, 2);
  CHECK(IsChild(host, page));
  CHECK(IsWindowVisible(page));
  CHECK((GetWindowLongA(page, GWL_STYLE) & (WS_CHILD | WS_CAPTION)) == WS_CHILD);
  CHECK(ErrorQuery(1) == 0);
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("A dialog inside the root window") {
  constexpr int InnerDialog = 204;
  const RootWindow w = OpenApplicationWindow(false);
  ErrorQuery(1);
  DialogLoad(InnerDialog);
  const HWND inner = HiddenInstance();
  REQUIRE(GetParent(inner) == w.Client);

  SUBCASE("is shown modeless at window units of the client area, with 1014 for a modal show") {
    DialogShowModal(5000, 0, 0, 1);
    CHECK(ErrorQuery(1) == 1014);
    CHECK(IsWindowVisible(inner));
    RECT r = ScreenRect(inner);
    MapWindowPoints(nullptr, w.Client, reinterpret_cast<POINT*>(&r), 2);
    CHECK(r.left == (512 - 1) * 5000 / 9999);
    CHECK(r.top == 0);
    CHECK(DialogInfo(6) == 4989);  // the centre of pixel 255 of 512
  }
  SUBCASE("as the owner of a box it has the keyboard again after it") {
    DialogShowModal(-1, -1, 0, 2);
    Dialogs.ActiveDialog = inner;  // as when the user last worked in it
    WhenBoxAppears("Question", [](HWND) { PressKey(VK_RETURN); });
    MessageBoxShow(0, 0, 1, "Go on?", "Question");
    CHECK(AllStepsRan());
    CHECK((GetFocus() == inner || IsChild(inner, GetFocus())));
  }
  SUBCASE("its button's system command minimises it") {
    DialogShowModal(-1, -1, 0, 2);
    ClickButton(inner, "Minimise");
    EventRecord record;
    NextEventWithin(300, record);
    CHECK(IsIconic(inner));
  }
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("A shown dialog while the root window is hidden raises 1016") {
  ToolkitStart(" ");
  WindowSpec hiddenRoot = ApplicationWindowSpec();
  hiddenRoot.Flags |= 128;
  OpenRootWindow(hiddenRoot);
  ErrorQuery(1);
  for (const int mode : {2, 3}) {
    CAPTURE(mode);
    DialogLoad(NameDialog);
    DialogShowModal(-1, -1, 0, mode);
    CHECK(ErrorQuery(1) == 1016);
    CHECK_FALSE(IsWindowVisible(HiddenInstance()));
    CHECK(Dialogs.SemiModelessCount == 0);
    DialogUnload();
  }
  // A dialog inside the hidden window: shown only modeless, so another mode
  // is said after the hidden window and is the error left.
  for (const auto& [mode, error] : {std::pair{2, 1016}, {1, 1014}, {3, 1014}}) {
    CAPTURE(mode);
    DialogLoad(204);
    DialogShowModal(-1, -1, 0, mode);
    CHECK(ErrorQuery(1) == error);
    CHECK_FALSE(IsWindowVisible(HiddenInstance()));
    DialogUnload();
  }
  CloseRootWindow();
}

namespace {

// The captions the dialogs were told to show inactive, on their way to the
// dialogs' own procedures.
struct Watched {
  HWND Dialog = nullptr;
  WNDPROC Procedure = nullptr;
  int InactiveCaptions = 0;
};
std::array<Watched, 2> watched;

LRESULT CALLBACK WatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (Watched& w : watched) {
    if (w.Dialog != window) continue;
    if (message == WM_NCACTIVATE && wParam == FALSE) ++w.InactiveCaptions;
    return CallWindowProcW(w.Procedure, window, message, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST_CASE("When another program takes the activation, every shown dialog's caption turns inactive") {
  const RootWindow w = OpenApplicationWindow();
  for (const int dialog : {NameDialog, CountDialog}) {
    DialogLoad(dialog);
    DialogShowModal(-1, -1, 0, 2);
  }
  for (int i = 0; i < 2; ++i) {
    Watched& watch = watched[i];
    watch = {Dialogs.Slots[i + 1].Window};
    watch.Procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(watch.Dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingProcedure)));
  }
  SendMessageA(w.Frame, WM_ACTIVATEAPP, FALSE, 0);
  for (Watched& watch : watched) {
    CHECK(watch.InactiveCaptions >= 1);
    SetWindowLongPtrW(watch.Dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch.Procedure));
  }
  UnloadAll();
  CloseApplicationWindow();
}

TEST_CASE("The owner of a box and of a dialog that goes away") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(NameDialog);
  DialogShowModal(-1, -1, 0, 2);
  const HWND first = HiddenInstance();
  REQUIRE(GetActiveWindow() == first);

  SUBCASE("unloading the active dialog gives the activation back to its owner") {
    DialogLoad(CountDialog);
    DialogShowModal(-1, -1, 0, 2);
    REQUIRE(GetActiveWindow() == HiddenInstance());
    DialogUnload();
    CHECK(GetActiveWindow() == first);
    CHECK(Dialogs.ActiveDialog == first);
  }
  SUBCASE("the other windows are disabled while a box is up, and enabled again after it") {
    const HWND root = FindWindowA("KESTRAFOLIO", nullptr);
    bool rootEnabled = true;
    WhenBoxAppears("Question", [&rootEnabled, root](HWND) {
      rootEnabled = IsWindowEnabled(root);
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 0, 1, "Go on?", "Question");
    CHECK(AllStepsRan());
    CHECK_FALSE(rootEnabled);
    CHECK(IsWindowEnabled(root));
    CHECK(IsWindowEnabled(first));
  }
  SUBCASE("a dialog that lost the activation to another program's window owns the next box") {
    const HWND other = CreateWindowExA(0, "STATIC", "Other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                                       nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    REQUIRE(GetActiveWindow() == other);
    HWND owner = nullptr;
    WhenBoxAppears("Question", [&owner](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 0, 1, "Go on?", "Question");
    CHECK(AllStepsRan());
    CHECK(owner == first);
    DestroyWindow(other);
  }
  CHECK(ErrorQuery(1) == 0);
  UnloadAll();
  CloseApplicationWindow();
}

namespace {

constexpr int GridDialog = 205;
constexpr int GridField = 3501;
constexpr int GridApply = 3502;
constexpr std::string_view Cafe = "Caf\xC3\xA9 \xE5\x9C\xB0\xE5\x9B\xB3";

HWND GridOfDialog(HWND dialog) { return GetDlgItem(dialog, GridField); }
std::string Cell(HWND dialog, int row, int column) {
  return std::string(CellText(*GridCellsOf(GridOfDialog(dialog)), row, column));
}
bool TypingInCell(HWND dialog) { return IsChild(GridOfDialog(dialog), GetFocus()) && GridEditing(GridOfDialog(dialog)); }

}  // namespace

TEST_CASE("A grid field") {
  OpenApplicationWindow();
  ErrorQuery(1);
  DialogLoad(GridDialog);
  const HWND hidden = HiddenInstance();
  REQUIRE(GridCellsOf(GridOfDialog(hidden)) != nullptr);
  CHECK(GridCellsOf(GridOfDialog(hidden))->Rows == 3);
  CHECK(GridCellsOf(GridOfDialog(hidden))->Headings == std::vector<std::string>{"Name", "Speed"});
  SetGridCellText(GridOfDialog(hidden), 0, 1, "40");

  SUBCASE("modal: Enter commits the cell and goes on below; another button commits the cell and ends") {
    struct {
      std::string CopiedIn, AfterEnter;
      bool StillUp = false, TypingBelow = false;
      int ExitAfterEnter = -1;
    } seen;
    WhenBoxAppears("Waypoints", [&seen](HWND box) {
      seen.CopiedIn = Cell(box, 0, 1);
      PressKey(VK_F2);  // the first cell, its empty text selected
      TypeText(Cafe);
      PressKey(VK_RETURN);
    });
    WhenBoxAppears("Waypoints", [&seen](HWND box) {
      seen.StillUp = IsWindowVisible(box);
      seen.AfterEnter = Cell(box, 0, 0);
      seen.TypingBelow = TypingInCell(box) && GridCellsOf(GridOfDialog(box))->CurrentRow == 1;
      seen.ExitAfterEnter = Dialogs.CurrentSlot().ExitField;
      TypeText("Work");
      ClickButton(box, "Apply");
    });
    DialogShowModal(-1, -1, GridField, 1);
    CHECK(AllStepsRan());
    CHECK(seen.CopiedIn == "40");
    CHECK(seen.StillUp);
    CHECK(seen.AfterEnter == Cafe);
    CHECK(seen.TypingBelow);
    CHECK(seen.ExitAfterEnter == 3501);  // the cell change, from the message's second parameter
    CHECK(DialogInfo(1) == 3502);
    CHECK(Cell(hidden, 0, 0) == Cafe);
    CHECK(Cell(hidden, 1, 0) == "Work");
    CHECK(Cell(hidden, 0, 1) == "40");
  }
  SUBCASE("modeless: a change gives event 10 with the cell; Enter gives no event 3") {
    DialogShowModal(-1, -1, GridField, 2);
    DrainEvents();
    EventEnable(10, 1);
    EventRecord record;
    WhileWaiting([] {
      PressKey(VK_DOWN);
      PressKey(VK_RIGHT);
      TypeText("55");
      PressKey(VK_RETURN);
    });
    CHECK(NextEventWithin(5000, record) == 10);
    CHECK(record.Value1 == 3501);
    CHECK(record.Value2 == 205);
    CHECK(record.Value3 == 2);  // row
    CHECK(record.Value4 == 2);  // column
    CHECK(Cell(hidden, 1, 1) == "55");
    CHECK(TypingInCell(hidden));
    static POINT apply;
    apply = Centre(ScreenRect(GetDlgItem(hidden, GridApply)));
    WhileWaiting([] {
      TypeText("60");
      ClickAt(apply);
    });
    int type = 0;
    do type = NextEventWithin(5000, record);
    while (type == 10);
    CHECK(type == 3);
    CHECK(record.Value1 == 3502);
    CHECK(Cell(hidden, 2, 1) == "60");
    CHECK_FALSE(GridEditing(GridOfDialog(hidden)));
    EventEnable(10, 0);
  }
  SUBCASE("a shown dialog with a grid keeps its image while a box is up") {
    DialogShowModal(-1, -1, GridField, 2);
    bool held = false;
    WhenBoxAppears("Question", [&held, hidden](HWND) {
      held = GetPropA(hidden, "KestraHeldImage") != nullptr;
      PressKey(VK_RETURN);
    });
    MessageBoxShow(0, 0, 1, "Go on?", "Question");
    CHECK(AllStepsRan());
    CHECK(held);
    CHECK(GetPropA(hidden, "KestraHeldImage") == nullptr);
  }
  CHECK(ErrorQuery(1) == 0);
  UnloadAll();
  CloseApplicationWindow();
}
