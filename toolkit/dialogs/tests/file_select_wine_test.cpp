// The real open and save dialogs under Wine, answered with real keystrokes
// and clicks from inside their own modal loops.

#include <doctest/doctest.h>

#include <filesystem>

#include "text/fixed_text.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;
using namespace toolkit::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view LogFilter = "Log files (*.pgl)|*.pgl|";
constexpr std::string_view TrackFilter = "Track file (*.txt)|*.txt|";

std::string Windows(const fs::path& path) { return path.string(); }

void TypeAndEnter(const std::string& text) {
  WhenBoxAppears("Open File", [text](HWND) {
    TypeText(text);
    PressKey(VK_RETURN);
  });
}

}  // namespace

TEST_CASE("FileSelect") {
  const ScratchDirectory scratch("file-select");
  const fs::path& home = scratch.Path;
  const fs::path logs = home / "my logs";
  fs::create_directories(logs);
  WriteFileBytes(logs / "trip.pgl", "$GPGGA\r\n");
  WriteFileBytes(home / "out.txt", "old\r\n");
  OpenApplicationWindow();
  ErrorQuery(1);
  text::FixedText<256> name(Windows(logs) + "\\");

  SUBCASE("the chosen log comes back as its full path, blank-padded; the current directory is restored") {
    TypeAndEnter("trip.pgl");
    FileSelect(LogFilter, SelectPrompt, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(name == text::FixedText<256>(Windows(logs / "trip.pgl")));
    CHECK(DialogInfo(4) == 1);
    CHECK(DialogInfo(2) == 0);
    CHECK(fs::current_path() == home);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("with SelectKeepDirectory the current directory stays where the dialog went") {
    TypeAndEnter("trip.pgl");
    FileSelect(LogFilter, SelectPrompt | SelectKeepDirectory, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(fs::current_path() == logs);
  }
  SUBCASE("Cancel leaves the name as it was and says 0; the previous field is cleared; the root owns the box") {
    const text::FixedText<256> before = name;
    State.Dialog.PreviousField = 7;
    HWND owner = nullptr;
    WhenBoxAppears("Open File", [&owner](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      PressKey(VK_ESCAPE);
    });
    FileSelect(LogFilter, SelectPrompt, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(owner == FindWindowA("KESTRAFOLIO", nullptr));
    CHECK(name == before);
    CHECK(DialogInfo(4) == 0);
    CHECK(DialogInfo(2) == 0);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("the open dialog asks before taking a name that does not exist") {
    std::string question;
    TypeAndEnter("new.pgl");
    WhenBoxAppears("Open File", [&question](HWND box) {
      question = BoxText(box);
      ClickButton(box, "&Yes");
    });
    FileSelect(LogFilter, SelectPrompt, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(question == "File does not exist.\nDo you want to create file?");
    CHECK(name == text::FixedText<256>(Windows(logs / "new.pgl")));
  }
  SUBCASE("the save dialog asks before replacing an existing file") {
    name = Windows(home / "out.txt");
    std::string question;
    WhenBoxAppears("Save File", [](HWND) { PressKey(VK_RETURN); });
    SUBCASE("Yes takes the name") {
      WhenBoxAppears("Save File", [&question](HWND box) {
        question = BoxText(box);
        ClickButton(box, "&Yes");
      });
      FileSelect(TrackFilter, SelectSave | SelectPrompt, name.Span(), "Save File");
      CHECK(AllStepsRan());
      CHECK(DialogInfo(4) == 1);
      CHECK(name == text::FixedText<256>(Windows(home / "out.txt")));
    }
    SUBCASE("No goes back to the dialog; Cancel there leaves the name") {
      name = "out.txt";
      WhenBoxAppears("Save File", [&question](HWND box) {
        question = BoxText(box);
        ClickButton(box, "&No");
      });
      WhenBoxAppears("Save File", [](HWND) { PressKey(VK_ESCAPE); });
      FileSelect(TrackFilter, SelectSave | SelectPrompt, name.Span(), "Save File");
      CHECK(AllStepsRan());
      CHECK(DialogInfo(4) == 0);
      CHECK(name == text::FixedText<256>("out.txt"));
    }
    CHECK(question == "File already exists.\nDo you want to replace it?");
    CHECK(FileBytes(home / "out.txt") == "old\r\n");
  }
  SUBCASE("a path too long for FileName fails with 1004 and leaves it; a message box after it reports its own answer") {
    text::FixedText<8> small("x");
    TypeAndEnter(Windows(logs / "trip.pgl"));
    FileSelect(LogFilter, SelectPrompt, small.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(small == text::FixedText<8>("x"));
    CHECK(DialogInfo(4) == 0);
    CHECK(ErrorQuery(1) == 1004);
    WhenBoxAppears("Pinwell", [](HWND) { PressKey(VK_RETURN); });
    MessageBoxShow(0, 4, 1, "Converted", "Pinwell");
    CHECK(AllStepsRan());
    CHECK(DialogInfo(4) == 1);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("a name beyond ASCII comes back as UTF-8; one that would not fit in UTF-8 fails with 1004") {
    const fs::path log = logs / u8"caf\u00E9 \u00F6 \u5730\u56F3 \U0001F697.pgl";
    WriteFileBytes(log, "$GPGGA\r\n");
    TypeAndEnter(Windows(log.filename()));
    FileSelect(LogFilter, SelectPrompt, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(name == text::FixedText<256>(Windows(log)));
    CHECK(DialogInfo(4) == 1);
    // With its folder, fewer characters than FileName has bytes but more bytes:
    // 3 for each of these.
    std::string longName;
    while (longName.size() < 210) longName += "\u5730";
    const text::FixedText<256> before = name;
    TypeAndEnter(longName);
    FileSelect(LogFilter, 0, name.Span(), "Open File");
    CHECK(AllStepsRan());
    CHECK(name == before);
    CHECK(DialogInfo(4) == 0);
    CHECK(ErrorQuery(1) == 1004);
  }
  SUBCASE("the filter index chooses the first file type shown and comes back as the user left it") {
    int index = 2;
    LRESULT shown = -1;
    WhenBoxAppears("Open File", [&shown](HWND box) {
      const HWND types = GetDlgItem(box, 0x470);  // the list of file types
      shown = SendMessageA(types, CB_GETCURSEL, 0, 0);
      SetFocus(types);
      PressKey(VK_UP);
    });
    WhenBoxAppears("Open File", [](HWND box) {
      const HWND nameField = GetDlgItem(box, 0x47C);
      SetFocus(nameField != nullptr ? nameField : GetDlgItem(box, 0x480));
      TypeText("trip.pgl");
      PressKey(VK_RETURN);
    });
    FileSelect("Text (*.txt)|*.txt|Logs (*.pgl)|*.pgl|", 0, name.Span(), "Open File", &index);
    CHECK(AllStepsRan());
    CHECK(shown == 1);
    CHECK(index == 1);
  }
  SUBCASE("several files chosen come back as the folder and the names, each ended by a NUL") {
    WriteFileBytes(logs / "home.pgl", "$GPGGA\r\n");
    TypeAndEnter("\"trip.pgl\" \"home.pgl\"");
    FileSelect(LogFilter, SelectMultiple, name.Span(), "Open File");
    CHECK(AllStepsRan());
    using namespace std::literals;
    const std::string chosen = Windows(logs) + "\0trip.pgl\0home.pgl"s;
    CHECK(std::string(name.View().substr(0, chosen.size())) == chosen);
    CHECK(DialogInfo(4) == 1);
  }
  SUBCASE("a name typed without extension gets the file type's when asked for") {
    name = Windows(home) + "\\";
    for (const auto& [flags, chosen] : {std::pair{SelectSave | SelectAppendExtension, "fresh.txt"},
                                        std::pair{SelectSave, "fresh"}}) {
      CAPTURE(flags);
      WhenBoxAppears("Save File", [](HWND) {
        TypeText("fresh");
        PressKey(VK_RETURN);
      });
      FileSelect(TrackFilter, flags, name.Span(), "Save File");
      CHECK(AllStepsRan());
      CHECK(name == text::FixedText<256>(Windows(home / chosen)));
      name = Windows(home) + "\\";
    }
  }
  SUBCASE("a title is shown whole, however long") {
    const std::string title = std::string(290, 'T') + " end";
    WhenBoxAppears(title, [](HWND) { PressKey(VK_ESCAPE); });
    FileSelect(LogFilter, 0, name.Span(), title);
    CHECK(AllStepsRan());
  }
  SUBCASE("a blank title gives the caption Select File") {
    WhenBoxAppears("Select File", [](HWND) { PressKey(VK_ESCAPE); });
    FileSelect(LogFilter, 0, name.Span(), "   ");
    CHECK(AllStepsRan());
  }
  CloseApplicationWindow();
}
