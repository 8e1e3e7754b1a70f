// Dialogs from the program's resources under Wine: loaded, filled, shown
// modally and answered with real keystrokes and clicks.

#include <doctest/doctest.h>

#include <string>

#include "resources/resource_ids.hpp"
#include "text/fixed_text.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"

using namespace toolkit;
using namespace toolkit::testing;

namespace {

constexpr int NameDialog = 201;
constexpr int NameField = 2001;
constexpr int CountDialog = 202;
constexpr int CountField = 2002;
constexpr int RememberBox = 2003;
constexpr std::string_view AboutText =
    "Pinwell log to pushpin converter. Version 1.0, 2003.Written for TomTom Navigator track logs.";

std::string FieldText(HWND dialog, int field) {
  char text[512] = "";
  GetDlgItemTextA(dialog, field, text, sizeof text);
  return text;
}

HWND HiddenInstance() { return Dialogs.Slots[Dialogs.Current].Window; }

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
  DialogLoad(resources::AboutDialog);
  DialogPutText(resources::AboutTextField, text::FixedText<512>(AboutText).View());

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
      shown = FieldText(box, resources::AboutTextField);
      place = ScreenRect(box);
      ending.Action(box);
    });
    DialogShowModal(-1, -1, 0, 1);
    CHECK(AllStepsRan());
    CHECK(shown == AboutText);
    CHECK(place.left == (1024 - (place.right - place.left)) / 2);
    CHECK(place.top == (768 - (place.bottom - place.top)) / 2);
    CHECK(DialogInfo(1) == ending.ExitField);
    CHECK(DialogInfo(3) == resources::AboutDialog);
    CHECK(DialogInfo(5) == resources::AboutDialog);
  }
  CHECK(ErrorQuery(1) == 0);
  DialogUnload();
  CHECK(DialogInfo(3) == 0);
  CHECK(Dialogs.Count == 0);
  CloseApplicationWindow();
}

TEST_CASE("Resource dialogs") {
  OpenApplicationWindow();
  ErrorQuery(1);

  SUBCASE("a text put in before the show is shown; one typed during it stays in the hidden instance") {
    DialogLoad(NameDialog);
    DialogPutText(NameField, "trip   ");
    std::string shown;
    WhenBoxAppears("Name", [&shown](HWND box) {
      shown = FieldText(box, NameField);
      PressKey(VK_END);
      TypeText(" home");
      PressKey(VK_RETURN);
    });
    DialogShowModal(100, 50, NameField, 1);
    CHECK(AllStepsRan());
    CHECK(shown == "trip");
    CHECK(FieldText(HiddenInstance(), NameField) == "trip home");
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
  }
  SUBCASE("loading a dialog twice keeps one instance and selects it") {
    DialogLoad(NameDialog);
    DialogLoad(resources::AboutDialog);
    const HWND name = Dialogs.Slots[1].Window;
    DialogLoad(NameDialog);
    CHECK(Dialogs.Count == 2);
    CHECK(HiddenInstance() == name);
    CHECK(DialogInfo(3) == NameDialog);
    DialogUnload();
    DialogLoad(resources::AboutDialog);
    CHECK(Dialogs.Count == 1);
  }
  SUBCASE("modeless shows the hidden instance itself; unloading takes it away") {
    DialogLoad(NameDialog);
    const HWND hidden = HiddenInstance();
    DialogShowModal(-1, -1, NameField, 2);
    CHECK(IsWindowVisible(hidden));
    CHECK(DialogInfo(6) == (1024 - DialogInfo(8)) / 2);
    CHECK(DialogInfo(7) == (768 - DialogInfo(9)) / 2);
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
        {"a field that is not there", [] { DialogLoad(NameDialog), DialogPutText(3003, "x"); }, 1006},
        {"a mode that is not there", [] { DialogLoad(NameDialog), DialogShowModal(-1, -1, 0, 7); }, 1014},
        {"modeless while a semi-modeless dialog is up",
         [] {
           DialogLoad(NameDialog), DialogShowModal(-1, -1, 0, 3);
           DialogLoad(resources::AboutDialog), DialogShowModal(-1, -1, 0, 2);
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
