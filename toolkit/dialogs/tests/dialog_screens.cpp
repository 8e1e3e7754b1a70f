// Shows the program's boxes over its main window one after the other, so
// that pictures can be taken of them: the Open dialog, the Save dialog, the
// "No input file selected" box and the About box. Each box, once up, gets
// the file FOLDER\NAME.ready; it is closed when FOLDER\NAME.taken appears.
// Argument: FOLDER.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "text/fixed_text.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/window_text.hpp"

using namespace toolkit;

namespace {

std::string Folder;
std::string Awaited;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CALLBACK CloseWhenTaken(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!Exists(Folder + "\\" + Awaited + ".taken")) return;
  KillTimer(nullptr, timer);
  testing::PressKey(VK_ESCAPE);
}

void Picture(const char* caption, const char* name) {
  testing::WhenBoxAppears(caption, [name](HWND box) {
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Awaited = name;
    CloseHandle(CreateFileA((Folder + "\\" + name + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
    SetTimer(nullptr, 0, 50, CloseWhenTaken);
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Folder = argv[1];
  testing::OpenApplicationWindow();
  TextAt(100, 1000, "Reading from Z:\\...\\nmea-real\\drive-to-work.pgl ");
  text::FixedText<256> name;

  Picture("Open File", "open-dialog");
  FileSelect("Log files (*.pgl)|*.pgl|", SelectPrompt, name.Span(), "Open File");
  Picture("Save File", "save-dialog");
  FileSelect("Track file (*.txt)|*.txt|", SelectSave | SelectPrompt, name.Span(), "Save File");
  Picture("TomTom Log File", "no-input-box");
  MessageBoxShow(0, 4, 1, "No input file selected", "TomTom Log File");
  Picture("About", "about-box");
  DialogLoad(101);
  DialogPutText(1001,
                "Pinwell log to pushpin converter. Version 1.0, 2003.Written for TomTom Navigator track logs.");
  DialogShowModal(-1, -1, 0, 1);
  DialogUnload();

  const bool allShown = testing::AllStepsRan();
  CloseRootWindow();
  return allShown ? 0 : 1;
}
