#include "toolkit/state/errors.hpp"

#include <cstdio>

#include "toolkit/codes.hpp"
#include "toolkit/state/abnormal_exit.hpp"
#include "toolkit/state/debug_log.hpp"
#include "toolkit/state/error_messages.hpp"
#include "toolkit/state/error_screen.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {

void ErrorRaise(int number) {
  State.LastError = number;
  if (State.ErrorReportMode <= ReportMode::Silent) return;

  // Reporting may itself fail and raise errors (a box that cannot be shown,
  // say): with the mode silent meanwhile they are only recorded, never reported
  // in turn, and the reported number wins in the end.
  const int mode = State.ErrorReportMode;
  State.ErrorReportMode = ReportMode::Silent;

  const text::FixedText<73> text = ErrorLine(number);
  const std::string_view line = text.Trimmed();
  switch (mode) {
    case ReportMode::Printed:
      std::printf(" %.*s\n", static_cast<int>(line.size()), line.data());
      std::fflush(stdout);
      break;
    case ReportMode::DebugLog:
      DebugLogLine(line);
      break;
    case ReportMode::StatusBar:
      ShowErrorLineInStatusBar(line);
      break;
    case ReportMode::Box:
      if (!ErrorBoxSaysContinue(line)) AbnormalExit({}, 0);
      break;
    default:
      break;
  }

  State.ErrorReportMode = mode;
  State.LastError = number;
}

int ErrorQuery(int which) {
  std::int32_t& slot = which == ErrorSlot::Number        ? State.LastError
                       : which == ErrorSlot::InputOutput ? State.ErrorSlot2
                                                         : State.ErrorSlot3;
  const int value = slot;
  slot = 0;
  return value;
}

void ErrorReportModeSet(int mode) {
  if (mode >= ReportMode::Silent && mode <= ReportMode::Box) State.ErrorReportMode = mode;
}

}  // namespace toolkit
