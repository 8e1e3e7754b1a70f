// Runs one toolkit operation that shows boxes, and closes every box itself:
// a timer finds the box, appends "caption|text|icon" to the record file, and
// answers it (OK, or the next answer named on the command line).
//
//   frame_box_helper abnormal RECORD CODE MESSAGE   ToolkitStart, then AbnormalExit
//   frame_box_helper start RECORD                   ToolkitStart only (kestra.ini decides)
//   frame_box_helper errorbox RECORD                error report mode 4: OK, then Cancel
//   frame_box_helper register RECORD                OpenRootWindow while a window of the
//                                                   frame's class is still there
//   frame_box_helper create RECORD                  OpenRootWindow with a client class
//                                                   whose windows cannot be made
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/abnormal_exit.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/tests/box_driver.hpp"
#include "toolkit/tests/root_window_fixture.hpp"
#include "toolkit/windows/root_window.hpp"

namespace {

const char* recordPath = nullptr;
std::string answers;  // 'o' OK, 'c' Cancel, one per box; OK when used up
HWND answered = nullptr;

void Record(const std::string& line) {
  if (std::FILE* file = std::fopen(recordPath, "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

// The icon a box shows, by the system's icon it is.
std::string IconOf(HWND box) {
  HWND child = nullptr;
  HICON shown = nullptr;
  while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
  }
  if (shown == nullptr) return "none";
  if (shown == LoadIconA(nullptr, IDI_HAND)) return "error";
  if (shown == LoadIconA(nullptr, IDI_EXCLAMATION)) return "exclamation";
  if (shown == LoadIconA(nullptr, IDI_QUESTION)) return "question";
  if (shown == LoadIconA(nullptr, IDI_ASTERISK)) return "information";
  return "other";
}

// A window of the root frame's class that stays: the class cannot be
// registered anew.
void HoldFrameClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "KESTRAFOLIO";
  RegisterClassA(&wc);
  CreateWindowExA(0, "KESTRAFOLIO", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return FALSE;
  return DefWindowProcA(window, message, wParam, lParam);
}

// The client class, registered already, with windows that refuse to be made.
void RefuseClientWindows() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = RefuseCreation;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "KESTCLIENT";
  RegisterClassA(&wc);
}

void CALLBACK CloseBox(HWND, UINT, UINT_PTR, DWORD) {
  if (answered != nullptr && IsWindow(answered)) return;  // still closing the last one
  const HWND box = toolkit::testing::VisibleBox();
  if (box == nullptr) return;
  Record(toolkit::testing::WindowText(box) + "|" + toolkit::testing::BoxText(box) + "|" + IconOf(box));

  char answer = 'o';
  if (!answers.empty()) {
    answer = answers.front();
    answers.erase(0, 1);
  }
  answered = box;
  PostMessageA(box, WM_COMMAND, answer == 'c' ? IDCANCEL : IDOK, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 90;
  const std::string mode = argv[1];
  recordPath = argv[2];
  SetTimer(nullptr, 0, 100, CloseBox);

  if (mode == "abnormal" && argc == 5) {
    toolkit::ToolkitStart(" ");
    toolkit::AbnormalExit(argv[4], std::atoi(argv[3]));
  }
  if (mode == "start") {
    toolkit::ToolkitStart(" ");
    Record("returned");
    return 0;
  }
  if (mode == "errorbox") {
    answers = "oc";
    toolkit::ToolkitStart(" ");
    toolkit::ErrorReportModeSet(4);
    toolkit::ErrorRaise(1001);
    Record("continued " + std::to_string(toolkit::ErrorQuery(1)) + " answer " + std::to_string(toolkit::DialogInfo(4)));
    toolkit::ErrorRaise(12);
    Record("continued after Cancel");
    return 91;
  }
  if (mode == "register" || mode == "create") {
    toolkit::ToolkitStart(" ");
    if (mode == "register") HoldFrameClass();
    if (mode == "create") RefuseClientWindows();
    toolkit::WindowSpec window = toolkit::testing::ApplicationWindowSpec();
    window.MenuId = 0;
    toolkit::OpenRootWindow(window);
    Record("returned");
    return 93;
  }
  return 92;
}
