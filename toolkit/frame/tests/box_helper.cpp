// Runs one toolkit operation that shows boxes, and closes every box itself:
// a timer finds the box, appends "caption|text" to the record file, and
// answers it (OK, or the next answer named on the command line).
//
//   frame_box_helper abnormal RECORD CODE MESSAGE   ToolkitStart, then AbnormalExit
//   frame_box_helper start RECORD                   ToolkitStart only (kestra.ini decides)
//   frame_box_helper errorbox RECORD                error report mode 4: OK, then Cancel
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

void CALLBACK CloseBox(HWND, UINT, UINT_PTR, DWORD) {
  if (answered != nullptr && IsWindow(answered)) return;  // still closing the last one
  const HWND box = toolkit::testing::VisibleBox();
  if (box == nullptr) return;
  Record(toolkit::testing::WindowText(box) + "|" + toolkit::testing::BoxText(box));

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
  return 92;
}
