#include <doctest/doctest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "toolkit/frame/help_show.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/tests/scratch_directory.hpp"
#include "toolkit/windows/root_window.hpp"

using namespace toolkit;

// The build puts Pinwell.hlp and Pinwell.htm beside this test program,
// where HelpShow looks for them; the viewer is the platform's own, started
// by the help engine, where the Windows that Wine reports has one
// (help_show_test.sh runs this program as an older or a newer Windows).

namespace {

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

HWND VisibleViewer() {
  const HWND viewer = FindWindowA("MS_WINHELP", nullptr);
  return viewer != nullptr && IsWindowVisible(viewer) ? viewer : nullptr;
}

// The viewer shows its topic in a rich edit control.
HWND TopicWindow() {
  const HWND viewer = VisibleViewer();
  return viewer == nullptr ? nullptr : FindWindowExA(viewer, nullptr, "RichEdit20A", nullptr);
}

std::string TopicText(HWND topic) {
  std::string buffer(8192, '\0');
  const auto length = SendMessageA(topic, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(length));
  return buffer;
}

// The first line of the topic the viewer shows: its heading.
std::string ShownHeading() {
  const HWND topic = TopicWindow();
  if (topic == nullptr) return "(no viewer)";
  const std::string text = TopicText(topic);
  return text.substr(0, text.find_first_of("\r\n"));
}

// Clicks the first place where the topic shows the text, as a user follows a jump.
void Click(std::string_view hotText) {
  const HWND topic = TopicWindow();
  REQUIRE(topic != nullptr);
  const std::string text = TopicText(topic);
  const std::size_t at = text.find(hotText);
  REQUIRE(at != std::string::npos);
  // The control counts a line end as one character where its text has two.
  std::size_t index = at;
  for (std::size_t i = 1; i < at; ++i) index -= text[i - 1] == '\r' && text[i] == '\n';
  const auto position = static_cast<DWORD>(SendMessageA(topic, EM_POSFROMCHAR, index, 0));
  const LPARAM point = MAKELPARAM(LOWORD(position) + 3, HIWORD(position) + 3);
  PostMessageA(topic, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(topic, WM_LBUTTONUP, 0, point);
}

// The viewer is another process: wait until it shows the heading (or has
// gone, for an empty heading), or give up after 20 seconds.
std::string WaitForHeading(const std::string& heading) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  const std::string gone = "(no viewer)";
  for (;;) {
    PumpMessages();
    const std::string shown = ShownHeading();
    if (shown == (heading.empty() ? gone : heading) || std::chrono::steady_clock::now() > end) return shown;
    Sleep(50);
  }
}

// A window of another process, below `parent`, by its class and its text
// without the "&" of its mnemonic.
HWND FindDescendant(HWND parent, std::string_view className, std::string_view text) {
  struct Search {
    std::string_view ClassName, Text;
    HWND Found = nullptr;
  } search{className, text};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        std::string shown = toolkit::testing::WindowText(window);
        std::erase(shown, '&');
        if (lstrcmpiA(name, std::string(s.ClassName).c_str()) != 0 || shown != s.Text) return TRUE;
        s.Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForWindow(const char* className, const char* title) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  HWND found = nullptr;
  while ((found = FindWindowA(className, title)) == nullptr && std::chrono::steady_clock::now() < end) Sleep(50);
  return found;
}

// The picture of the screen once the viewer has drawn its topic, for
// help_show_test.sh to check and keep.
void Screenshot(const std::string& name) {
  const HWND topic = TopicWindow();
  REQUIRE(topic != nullptr);
  RedrawWindow(GetParent(topic), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const auto drawn = [topic] {
    const HDC screen = GetDC(nullptr);
    const auto pixels = toolkit::testing::ReadPixels(screen, toolkit::testing::ScreenRect(topic));
    ReleaseDC(nullptr, screen);
    return std::ranges::any_of(pixels.Data, [](std::uint32_t p) { return p == 0; });
  };
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!drawn() && std::chrono::steady_clock::now() < end) Sleep(50);
  const char* folder = std::getenv("PINWELL_SCREENS");
  CHECK(toolkit::testing::SaveScreenshot(std::string(folder != nullptr ? folder : ".") + "\\" + name + ".bmp"));
}

std::filesystem::path ProgramDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

// Hypertext pages open in the given program while this lives. (Wine finds
// associations under the classes root, not the user's own classes.)
class PageAssociation {
 public:
  explicit PageAssociation(const std::string& program) {
    DWORD size = sizeof previous_;
    hadPrevious_ = RegGetValueA(HKEY_CLASSES_ROOT, ".htm", nullptr, RRF_RT_REG_SZ, nullptr, previous_, &size) ==
                   ERROR_SUCCESS;
    std::string command = "\"";
    command += program;
    command += "\" \"%1\"";
    Set(".htm", "PinwellTestPage");
    Set("PinwellTestPage\\shell\\open\\command", command);
  }
  ~PageAssociation() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "PinwellTestPage");
    if (hadPrevious_) {
      Set(".htm", previous_);
    } else {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    }
  }

 private:
  static void Set(const char* key, const std::string& value) {
    RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
  }
  char previous_[256] = {};
  bool hadPrevious_ = false;
};

std::string WaitForFile(const std::filesystem::path& path) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(path) && std::chrono::steady_clock::now() < end) Sleep(50);
  return FileBytes(path);
}

}  // namespace

TEST_CASE("HelpShow: the contents, a jump, topics by number, the topics window, and closing") {
  ToolkitStart(" ");
  WindowSpec window;
  window.Width = 300;
  window.Height = 200;
  window.Title = "Help owner";
  OpenRootWindow(window);
  ErrorQuery(1);
  // A viewer left open would keep this test's output open, and CTest waiting.
  struct ViewerClosed {
    ~ViewerClosed() {
      HelpShow(" ");
      WaitForHeading("");
    }
  } viewerClosed;

  HelpShow("Pinwell.hlp");
  CHECK(WaitForHeading("Pinwell Help") == "Pinwell Help");
  Screenshot("help-viewer");

  // The Index lists the keywords; one of them leads to its topic.
  PostMessageA(FindDescendant(VisibleViewer(), "Button", "Index"), BM_CLICK, 0, 0);
  const HWND index = WaitForWindow("#32770", "Help topics: Pinwell Help");
  REQUIRE(index != nullptr);
  // The sheet shows before its page has filled the list.
  HWND keywords = nullptr;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((keywords = FindDescendant(index, "ListBox", "")) == nullptr || SendMessageA(keywords, LB_GETCOUNT, 0, 0) <= 0) {
    REQUIRE(std::chrono::steady_clock::now() < end);
    Sleep(50);
  }
  const auto keyword = SendMessageA(keywords, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("command line"));
  REQUIRE(keyword >= 0);
  SendMessageA(keywords, LB_SETCURSEL, keyword, 0);
  PostMessageA(FindDescendant(index, "Button", "OK"), BM_CLICK, 0, 0);
  CHECK(WaitForHeading("Converting from the command line") == "Converting from the command line");
  Screenshot("help-index");

  HelpShow("Pinwell.hlp");
  CHECK(WaitForHeading("Pinwell Help") == "Pinwell Help");
  Click("The output file");
  CHECK(WaitForHeading("The output file") == "The output file");

  HelpShow("Pinwell.hlp", 30);
  CHECK(WaitForHeading("Number styles: English and Continental") == "Number styles: English and Continental");
  HelpShow("Pinwell.hlp", 80);
  CHECK(WaitForHeading("The output file") == "The output file");

  // This viewer has no topics window: a contents file beside the help
  // file must still bring up the contents.
  const std::filesystem::path contents = ProgramDirectory() / "Pinwell.cnt";
  WriteFileBytes(contents, ":Base Pinwell.hlp\r\n");
  HelpShow("Pinwell.hlp");
  std::filesystem::remove(contents);
  CHECK(WaitForHeading("Pinwell Help") == "Pinwell Help");
  CHECK(ErrorQuery(1) == 0);

  HelpShow(" ");
  CHECK(WaitForHeading("") == "(no viewer)");
  CHECK(ErrorQuery(1) == 0);
  CloseRootWindow();
}

TEST_CASE("Where Windows has no viewer, help opens in the browser, and Exit leaves it open") {
  ToolkitStart(" ");
  WindowSpec window;
  window.Title = "Help owner";
  OpenRootWindow(window);
  ErrorQuery(1);
  // The browser is the one the system starts for HTML pages: Wine's hands
  // the page to the browser of the machine it runs on.
  HelpShow("Pinwell.hlp");
  CHECK(ErrorQuery(1) == 0);
  HelpShow(" ");
  CHECK(ErrorQuery(1) == 0);
  CHECK(FindWindowA("MS_WINHELP", nullptr) == nullptr);
  CloseRootWindow();
}

TEST_CASE("HelpShow with an address opens the associated browser") {
  const ScratchDirectory dir("help-browser");
  const std::filesystem::path browser = dir / "Web Browser" / "browse.exe";
  std::filesystem::create_directories(browser.parent_path());
  std::filesystem::copy_file(ProgramDirectory() / "help_browser_double.exe", browser);
  const PageAssociation association(browser.string());
  SetEnvironmentVariableA("TMP", dir.Path.string().c_str());
  ErrorQuery(1);

  HelpShow("HTTP://Example.org/Pinwell");
  CHECK(ErrorQuery(1) == 0);
  // The browser's folder holds a blank: its path must reach the system quoted.
  std::string expected = "\"";
  expected += browser.string();
  expected += "\" HTTP://Example.org/Pinwell";
  CHECK(WaitForFile(browser.parent_path() / "command.txt") == expected);
  CHECK_FALSE(std::filesystem::exists(dir / "$$tmp$$.htm"));
}
