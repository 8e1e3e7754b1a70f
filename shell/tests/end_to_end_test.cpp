// The real program under Wine, used as a user uses it: keys and clicks go
// through the system's input, names are typed into the real dialogs, and
// what the windows show is read back from outside the program.

#include <doctest/doctest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "shell/application_state.hpp"
#include "shell/progress.hpp"
#include "shell/tests/user_session.hpp"

#include <dlgs.h>
#include <shlobj.h>

using namespace shell::testing;
namespace fs = std::filesystem;

namespace {

const std::string Program = PINWELL_PROGRAM;
const std::string Converter = PINWELL_CLI;
const std::string AboutText =
    "Pinwell log to pushpin converter. Version 1.0, 2003.Written for TomTom Navigator track logs.";

std::string ScreensFolder() {
  const char* folder = std::getenv("PINWELL_SCREENS");
  return folder != nullptr ? folder : ".";
}

void Screenshot(const std::string& name) { SaveScreenshot(ScreensFolder() + "\\" + name + ".bmp"); }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the command-line converter writes for this log and these options.
std::string Converted(const fs::path& log, const std::string& options) {
  const fs::path output = log.parent_path() / "converter.txt";
  // cmd.exe drops the outer quotes and keeps the inner ones.
  std::string command =
      "\"\"" + Converter + "\" -q " + options + " -o \"" + output.string() + "\" \"" + log.string() + "\"\"";
  std::system(command.c_str());
  std::string bytes = ReadFile(output);
  fs::remove(output);
  return bytes;
}

// The notes the converter prints for this log and these options, as the
// window shows them: each a line, options named as the desktop program has
// them.
std::vector<std::string> Notes(const fs::path& log, const std::string& options) {
  const fs::path output = log.parent_path() / "converter.txt";
  const fs::path printed = log.parent_path() / "notes.txt";
  std::string command = "\"\"" + Converter + "\" -q " + options + " -o \"" + output.string() + "\" \"" +
                        log.string() + "\" 2>\"" + printed.string() + "\"\"";
  std::system(command.c_str());
  std::vector<std::string> notes;
  std::istringstream lines(ReadFile(printed));
  const std::string label = log.string() + ": ";
  for (std::string line; std::getline(lines, line);) {
    const std::size_t start = line.find(label);
    if (start == std::string::npos) continue;
    std::string note = line.substr(start + label.size());
    if (note.ends_with('\r')) note.pop_back();
    const std::pair<std::string, std::string> named[] = {{"(--fixes-only)", "(Options > Only real fixes)"},
                                                         {" and no --date", ""}};
    for (const auto& [cli, desktop] : named) {
      if (const std::size_t at = note.find(cli); at != std::string::npos) note.replace(at, cli.size(), desktop);
    }
    note.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(note.front())));
    notes.push_back(note);
  }
  fs::remove(output);
  fs::remove(printed);
  return notes;
}

// The window's lines after a conversion, followed by its notes.
std::vector<std::string> WithNotes(std::vector<std::string> lines, const fs::path& log, const std::string& options) {
  for (std::string& note : Notes(log, options)) lines.push_back(std::move(note));
  return lines;
}

std::string Reading(const fs::path& log) {
  return shell::PathLine("Reading from ... ", shell::FileName(log.string()));
}
std::string OutputTo(const fs::path& output) {
  return shell::PathLine("Output to ... ", shell::FileName(output.string()));
}

// A folder deep enough that the window shortens its paths, made afresh for
// each test and removed when the test program ends: a folder removed while a
// program of the last test still holds it lingers, and could not be made
// again at once.
const fs::path WorkspaceTop = fs::temp_directory_path() / "pinwell end to end";
const struct WorkspaceRemoval {
  ~WorkspaceRemoval() {
    std::error_code ignored;
    fs::remove_all(WorkspaceTop, ignored);
  }
} workspaceRemoval;

struct Workspace {
  fs::path Folder = WorkspaceTop / "My Documents" / "GPS track logs";
  fs::path Log = Folder / "drive to work.pgl";
  fs::path QuietLog = Folder / "no speed.pgl";

  Workspace() {
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    fs::copy_file(fs::path(PINWELL_DATA_DIR) / "nmea-real" / "gpsd-haicom-305N.log", Log);
    fs::copy_file(fs::path(PINWELL_DATA_DIR) / "nmea-real" / "gpsd-mt3339.log", QuietLog);
  }
};

// Answers a message box of the program with Enter and returns its message;
// a picture of it first when named.
std::string AnswerMessageBox(const std::string& picture = "") {
  const HWND box = WaitForWindow("#32770", "TomTom Log File");
  if (box == nullptr) return "(no message box)";
  const std::string message = MessageText(box);
  if (!picture.empty()) Screenshot(picture);
  Press("enter");
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  return message;
}

// Types a name into the file dialog with this title and confirms it.
bool ChooseFile(const char* title, const std::string& name) {
  const HWND dialog = WaitForWindow("#32770", title);
  if (dialog == nullptr) return false;
  Press("home shift+end");
  TypeText(name);
  Press("enter");
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

bool OpenLog(Pinwell& pinwell, const fs::path& log, const char* keys = "alt+f o") {
  Press(keys);
  return ChooseFile("Open File", log.string()) && pinwell.Shows({Reading(log)});
}

// A message box with this caption that asks a question: the file dialog of
// the same caption holds no Yes button.
HWND WaitForQuestion(const char* title) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", title); w != nullptr && found == nullptr;
         w = FindWindowExA(nullptr, w, "#32770", title)) {
      if (IsWindowVisible(w) && FindWindowExA(w, nullptr, "Button", "&Yes") != nullptr) found = w;
    }
    return found != nullptr;
  });
  return found;
}

// Answers the question box with this caption by clicking a button; returns its message.
std::string AnswerQuestion(const char* title, const std::string& button) {
  const HWND box = WaitForQuestion(title);
  if (box == nullptr) return "(no question)";
  const std::string message = MessageText(box);
  toolkit::testing::ClickButton(box, button);
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  return message;
}

// The check marks of Options > Resolution, read from the open menu.
// "x--": 1 second checked.
std::string ReadResolutionMarks(const Pinwell& pinwell) {
  pinwell.WaitUntilReady();
  Press("alt+o r");
  std::string marks;
  if (WaitUntil([&] { return pinwell.OpenMenus().size() == 2; })) {
    // The submenu opens to the right of Options.
    HWND resolution = nullptr;
    LONG left = LONG_MIN;
    for (HWND menu : pinwell.OpenMenus()) {
      RECT r{};
      GetWindowRect(menu, &r);
      if (r.left > left) resolution = menu, left = r.left;
    }
    for (bool checked : CheckMarks(resolution, 3)) marks += checked ? 'x' : '-';
  }
  Press("escape escape escape");
  WaitUntil([&] { return pinwell.OpenMenus().empty(); });
  return marks;
}


// Which number-style button shows pressed: "E", "C", or "" and "EC" when
// the buttons disagree with the one style chosen.
std::string PressedNumberStyle(const Pinwell& pinwell) {
  std::string pressed;
  if (SendMessageA(pinwell.Toolbar, TB_ISBUTTONCHECKED, 40019, 0) != 0) pressed += 'E';
  if (SendMessageA(pinwell.Toolbar, TB_ISBUTTONCHECKED, 40020, 0) != 0) pressed += 'C';
  return pressed;
}

// Whether Options > Only real fixes shows its check mark, read from the open
// menu.
bool FixesOnlyChecked(const Pinwell& pinwell) {
  WaitUntil([&] { return pinwell.OpenMenus().empty(); });
  pinwell.WaitUntilReady();
  Press("alt+o");
  bool checked = false;
  if (WaitUntil([&] { return pinwell.OpenMenus().size() == 1; })) {
    checked = CheckMarks(pinwell.OpenMenus().front(), 2)[1];
    Screenshot("end-to-end-only-real-fixes");
  }
  Press("escape escape escape");
  WaitUntil([&] { return pinwell.OpenMenus().empty(); });
  return checked;
}

}  // namespace

TEST_CASE("A user's session: open, save, options, failures, About, Help, Exit") {
  Workspace w;
  Pinwell pinwell;
  REQUIRE(pinwell.Start(Program, w.Folder.string()));
  CHECK(pinwell.StatusText(1) == " Output format: English style numbers");
  CHECK(pinwell.StatusText(2) == " Resolution: 1 second");
  CHECK(ReadResolutionMarks(pinwell) == "x--");
  CHECK(PressedNumberStyle(pinwell) == "E");

  Press("alt+f s");
  CHECK(AnswerMessageBox() == "No input file selected");
  CHECK(pinwell.Running());

  // Open from the toolbar, Save from the menu: no dialog, the proposed name.
  pinwell.ClickButton(40002);
  REQUIRE(ChooseFile("Open File", w.Log.string()));
  CHECK(pinwell.Shows({Reading(w.Log)}));
  Press("alt+f s");
  const fs::path output = w.Folder / "drive to work.txt";
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(output), "73 records written.  Resolution (secs):  1"},
      w.Log, "")));
  CHECK(ReadFile(output) == Converted(w.Log, ""));
  Screenshot("end-to-end-saved");

  // Options > Only real fixes: the log's first five positions, without a fix, are left out.
  Press("alt+o o");
  CHECK(FixesOnlyChecked(pinwell));
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+f s");
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(output), "68 records written.  Resolution (secs):  1"},
      w.Log, "--fixes-only")));
  CHECK(ReadFile(output) == Converted(w.Log, "--fixes-only"));
  // Chosen again, every position is written (the saves below count them all).
  Press("alt+o o");

  // Resolution 10 from the menu, Continental numbers from the toolbar.
  Press("alt+o r 0");
  CHECK(WaitUntil([&] { return pinwell.StatusText(2) == " Resolution: 10 seconds"; }));
  CHECK(ReadResolutionMarks(pinwell) == "--x");
  pinwell.ClickButton(40020);
  CHECK(WaitUntil([&] { return pinwell.StatusText(1) == " Output format: Continental style numbers"; }));
  CHECK(PressedNumberStyle(pinwell) == "C");
  pinwell.ClickButton(40002);
  REQUIRE(ChooseFile("Open File", w.Log.string()));
  CHECK(pinwell.Shows({Reading(w.Log)}));
  pinwell.ClickButton(40003);
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(output), "9 records written.  Resolution (secs): 10"},
      w.Log, "-r 10 --continental")));
  CHECK(ReadFile(output) == Converted(w.Log, "-r 10 --continental"));

  // Save As with a name without a dot.
  REQUIRE(OpenLog(pinwell, w.QuietLog));
  Press("alt+f a");
  REQUIRE(ChooseFile("Save File", (w.Folder / "run").string()));
  const fs::path run = w.Folder / "run.txt";
  CHECK(pinwell.Shows(WithNotes({Reading(w.QuietLog), OutputTo(run), "4 records written.  Resolution (secs): 10",
                       "Speed/Course data not available"}, w.QuietLog, "-r 10 --continental")));
  CHECK(ReadFile(run) == Converted(w.QuietLog, "-r 10 --continental"));
  Screenshot("end-to-end-save-as");

  // Save As "run" again, with a file "run" of another program beside: the
  // dialog asks about "run", then the program about run.txt, the file it
  // would write, in Windows' words. No keeps both and the log open, and a
  // Save then writes the name Open proposed.
  const std::string saved = ReadFile(run);
  const fs::path other = w.Folder / "run";
  std::ofstream(other) << "other data";
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+f a");
  // The dialog stays open behind its own question.
  REQUIRE(WaitForWindow("#32770", "Save File") != nullptr);
  Press("home shift+end");
  TypeText(other.string());
  Press("enter");
  const std::string dialogQuestion = AnswerQuestion("Save File", "&Yes");
  CHECK(dialogQuestion == "File already exists.\nDo you want to replace it?");
  CHECK(AnswerQuestion("Save File", "&No") == "run.txt already exists.\nDo you want to replace it?");
  CHECK(pinwell.Shows({Reading(w.Log)}));
  CHECK(ReadFile(run) == saved);
  CHECK(ReadFile(other) == "other data");
  Press("alt+f s");
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(output), "9 records written.  Resolution (secs): 10"},
      w.Log, "-r 10 --continental")));
  CHECK(ReadFile(run) == saved);
  // The dialog's own question about "run.txt", answered Yes, replaces it.
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+f a");
  const HWND dialog = WaitForWindow("#32770", "Save File");
  REQUIRE(dialog != nullptr);
  Press("home shift+end");
  TypeText(run.string());
  Press("enter");
  CHECK(AnswerQuestion("Save File", "&Yes") == dialogQuestion);
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(run), "9 records written.  Resolution (secs): 10"},
      w.Log, "-r 10 --continental")));
  CHECK(ReadFile(run) == Converted(w.Log, "-r 10 --continental"));

  // A log that went away after Open: told, and the program goes on.
  const fs::path gone = w.Folder / "gone.pgl";
  fs::copy_file(w.Log, gone);
  REQUIRE(OpenLog(pinwell, gone));
  fs::remove(gone);
  Press("ctrl+s");
  CHECK(AnswerMessageBox() == gone.string() + ": No such file or directory");
  CHECK(pinwell.Shows({Reading(gone)}));
  CHECK_FALSE(fs::exists(w.Folder / "gone.txt"));

  // An output another program holds open: told, and the old output kept.
  REQUIRE(OpenLog(pinwell, w.Log, "ctrl+o"));
  const std::string before = ReadFile(output);
  const HANDLE held = CreateFileA(output.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Press("alt+f s");
  CHECK(AnswerMessageBox("end-to-end-failure") == output.string() + ": Permission denied");
  CloseHandle(held);
  CHECK(pinwell.Shows({Reading(w.Log)}));
  CHECK(ReadFile(output) == before);

  // About, then Help (F1), then Exit from the menu, which closes the help window.
  Press("alt+h a");
  const HWND about = WaitForWindow("#32770", "About");
  REQUIRE(about != nullptr);
  CHECK(DialogItemText(about, 1001) == AboutText);
  Screenshot("end-to-end-about");
  Press("enter");
  CHECK(WaitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); }));

  // English numbers again from the Options menu, the button following.
  Press("alt+o e");
  CHECK(WaitUntil([&] { return pinwell.StatusText(1) == " Output format: English style numbers"; }));
  CHECK(PressedNumberStyle(pinwell) == "E");

  Press("f1");
  const HWND help = WaitForWindow("MS_WINHELP", nullptr);
  CHECK(help != nullptr);
  Screenshot("end-to-end-help");
  SetForegroundWindow(pinwell.Frame);
  WaitUntil([&] { return GetForegroundWindow() == pinwell.Frame; });
  Press("alt+f x");
  CHECK(pinwell.WaitForExit() == 0);
  CHECK(WaitUntil([&] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; }));
}

TEST_CASE("Names beyond ASCII, typed into the real Open and Save dialogs") {
  Workspace w;
  // caf\u00E9, \u00F6, \u5730\u56F3 (a map), \U0001F697 (a car): typed as a user types them.
  const fs::path log = w.Folder / u8"caf\u00E9 \u00F6 \u5730\u56F3 \U0001F697.pgl";
  fs::copy_file(w.Log, log);
  Pinwell pinwell;
  REQUIRE(pinwell.Start(Program, w.Folder.string()));
  REQUIRE(OpenLog(pinwell, log));
  Press("alt+f a");
  REQUIRE(ChooseFile("Save File", (w.Folder / u8"r\u00E9sum\u00E9 \u5730\u56F3 \U0001F697").string()));
  const fs::path output = w.Folder / u8"r\u00E9sum\u00E9 \u5730\u56F3 \U0001F697.txt";
  CHECK(pinwell.Shows(WithNotes(
      {Reading(log), OutputTo(output), "73 records written.  Resolution (secs):  1"},
      w.Log, "")));
  CHECK(ReadFile(output) == Converted(w.Log, ""));

  // The window and the box show such a name as it is: the lines are compared
  // with the platform's own wide drawing of them, the box's text read back.
  const fs::path gone = w.Folder / u8"gone é 地図 🚗.pgl";
  fs::copy_file(w.Log, gone);
  REQUIRE(OpenLog(pinwell, gone));
  fs::remove(gone);
  Press("ctrl+s");
  CHECK(AnswerMessageBox("end-to-end-wide-names") == gone.string() + ": No such file or directory");
  CHECK(pinwell.Shows({Reading(gone)}));
  Press("alt+f x");
  CHECK(pinwell.WaitForExit() == 0);
}

TEST_CASE("Installed in a folder that the ANSI code page cannot name, the program finds its help file") {
  Workspace w;
  const fs::path folder = w.Folder / u8"Programme \u5730\u56F3";
  fs::create_directory(folder);
  for (const char* file : {"Pinwell.exe", "Pinwell.hlp"}) {
    fs::copy_file(fs::path(Program).parent_path() / file, folder / file);
  }
  const std::u8string program = (folder / "Pinwell.exe").u8string();
  Pinwell pinwell;
  REQUIRE(pinwell.Start(std::string(program.begin(), program.end()), w.Folder.string()));
  Press("alt+h p");
  CHECK(WaitForWindow("MS_WINHELP", nullptr) != nullptr);
  Screenshot("end-to-end-help-wide-folder");
  SetForegroundWindow(pinwell.Frame);
  WaitUntil([&] { return GetForegroundWindow() == pinwell.Frame; });
  Press("alt+f x");
  CHECK(pinwell.WaitForExit() == 0);
  CHECK(WaitUntil([&] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; }));
}

TEST_CASE("The toolbar's Exit and the close box end the program; the close box leaves help open") {
  Workspace w;
  {
    Pinwell pinwell;
    REQUIRE(pinwell.Start(Program, w.Folder.string()));
    pinwell.ClickButton(40010);
    CHECK(pinwell.WaitForExit() == 0);
  }
  Pinwell pinwell;
  REQUIRE(pinwell.Start(Program, w.Folder.string()));
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+h p");
  const HWND help = WaitForWindow("MS_WINHELP", nullptr);
  REQUIRE(help != nullptr);
  SetForegroundWindow(pinwell.Frame);
  REQUIRE(pinwell.WaitUntilReady());
  Screenshot("end-to-end-final");
  pinwell.ClickCloseBox();
  CHECK(pinwell.WaitForExit() == 0);
  // Only the Exit commands close the help window.
  CHECK(IsWindowVisible(help));
  PostMessageA(help, WM_CLOSE, 0, 0);
  CHECK(WaitUntil([&] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; }));
}

// Drops files onto the window as the file manager does, through the window's
// own message: the drop's description is made in the program's memory,
// where the system's drop functions read it.
void DropFiles(const Pinwell& pinwell, const std::vector<fs::path>& files) {
  std::wstring names;
  for (const fs::path& file : files) names += file.wstring() + L'\0';
  names += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.pt = {100, 100};
  header.fWide = TRUE;
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
  void* remote = VirtualAllocEx(pinwell.Process.hProcess, nullptr, bytes.size(), MEM_COMMIT, PAGE_READWRITE);
  REQUIRE(remote != nullptr);
  REQUIRE(WriteProcessMemory(pinwell.Process.hProcess, remote, bytes.data(), bytes.size(), nullptr));
  PostMessageW(pinwell.Frame, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

TEST_CASE("Logs arrive as the file manager sends them, and Save As writes GPX: the command line, Save As, a drop") {
  Workspace w;
  Pinwell pinwell;
  // A name relative to the folder the program starts in is shown in full.
  REQUIRE(pinwell.Start(Program, w.Folder.string(), "\"drive to work.pgl\"", {Reading(w.Log)}));
  Screenshot("end-to-end-command-line");
  Press("alt+f s");
  const fs::path output = w.Folder / "drive to work.txt";
  CHECK(pinwell.Shows(WithNotes(
      {Reading(w.Log), OutputTo(output), "73 records written.  Resolution (secs):  1"},
      w.Log, "")));
  CHECK(ReadFile(output) == Converted(w.Log, ""));
  fs::remove(output);

  // Save As GPX, chosen in the dialog's list of types with a name typed
  // without extension, and typed as the name's extension.
  const std::string gpxLine = "73 records written as GPX track.  Resolution (secs):  1";
  const auto chooseGpx = [] {
    const HWND dialog = WaitForWindow("#32770", "Save File");
    const HWND types = GetDlgItem(dialog, cmb1);
    SendMessageA(types, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    return dialog;
  };
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+f a");
  REQUIRE(chooseGpx() != nullptr);
  Screenshot("end-to-end-save-as-gpx");
  REQUIRE(ChooseFile("Save File", (w.Folder / "chosen").string()));
  CHECK(pinwell.Shows(WithNotes({Reading(w.Log), OutputTo(w.Folder / "chosen.gpx"), gpxLine}, w.Log, "-f gpx")));
  CHECK(ReadFile(w.Folder / "chosen.gpx") == Converted(w.Log, "-f gpx"));
  REQUIRE(OpenLog(pinwell, w.Log));
  Press("alt+f a");
  REQUIRE(ChooseFile("Save File", (w.Folder / "typed.gpx").string()));
  CHECK(pinwell.Shows(WithNotes({Reading(w.Log), OutputTo(w.Folder / "typed.gpx"), gpxLine}, w.Log, "-f gpx")));
  CHECK(ReadFile(w.Folder / "typed.gpx") == Converted(w.Log, "-f gpx"));

  DropFiles(pinwell, {w.Log, w.QuietLog});
  CHECK(pinwell.Shows({"drive to work.pgl: 73 records written to drive to work.txt",
                       "no speed.pgl: 30 records written to no speed.txt"}));
  Screenshot("end-to-end-drop");
  CHECK(ReadFile(output) == Converted(w.Log, ""));
  CHECK(ReadFile(w.Folder / "no speed.txt") == Converted(w.QuietLog, ""));
  pinwell.ClickButton(40010);
  CHECK(pinwell.WaitForExit() == 0);
}
