// The real program under Wine, used as a user uses it: keys and clicks go
// through the system's input, texts are typed into the real dialogs, and
// what the windows show is read back from outside the program.

#include <doctest/doctest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shell/tests/user_session.hpp"

using namespace shell::testing;
namespace fs = std::filesystem;

namespace {

const std::string Program = PINWELL_PROGRAM;

std::string ScreensFolder() {
  const char* folder = std::getenv("PINWELL_SCREENS");
  return folder != nullptr ? folder : ".";
}

void Screenshot(const std::string& name) { SaveScreenshot(ScreensFolder() + "\\" + name + ".bmp"); }

}  // namespace

TEST_CASE("Options: resolutions from the menu, number styles from the toolbar; the close box ends the program") {
  const fs::path work = fs::temp_directory_path() / "pinwell end to end";
  fs::create_directories(work);
  Pinwell pinwell;
  REQUIRE(pinwell.Start(Program, work.string()));
  CHECK(pinwell.StatusText(1) == " Output format: English style numbers");
  CHECK(pinwell.StatusText(2) == " Resolution: 1 second");
  CHECK(pinwell.MenuCheck(40018) == 1);

  // Options has no mnemonic: Alt, then the arrows, as the keyboard reaches it.
  Press("alt");
  Press("right");
  Press("down");
  Press("right");
  Press("down");
  Press("down");
  Press("enter");
  CHECK(WaitUntil([&] { return pinwell.StatusText(2) == " Resolution: 10 seconds"; }));
  CHECK(pinwell.MenuCheck(40018) == 0);
  CHECK(pinwell.MenuCheck(40014) == 1);

  pinwell.ClickButton(40020);
  CHECK(WaitUntil([&] { return pinwell.StatusText(1) == " Output format: Continental style numbers"; }));
  Screenshot("options");

  pinwell.ClickCloseBox();
  CHECK(pinwell.WaitForExit() == 0);
}
