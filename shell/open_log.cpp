#include "shell/open_log.hpp"

#include <algorithm>
#include <string>

#include "shell/progress.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view LogFilter = "Log files (*.pgl)|*.pgl|";

bool SameIgnoringCase(char a, char b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
  return lower(a) == lower(b);
}

}  // namespace

FileName DefaultOutputName(std::string_view logName) {
  constexpr std::string_view extension = ".pgl";
  const auto found = std::search(logName.begin(), logName.end(), extension.begin(), extension.end(),
                                 SameIgnoringCase);
  std::string name(logName.begin(), found);
  name += ".txt";
  return FileName(name);
}

void OpenLogCommand(Toolkit& toolkit) {
  ApplicationState& app = Application;
  // A cancelled dialog leaves the previous name, and the command goes on with
  // it: the window then shows what Save would convert.
  toolkit.FileSelect(LogFilter, toolkit::SelectPrompt, app.InputLogName.Span(), "Open File");
  toolkit.ClearClientArea();
  app.ProgressLineCount = 0;
  AddProgressLine(toolkit, PathLine("Reading from ... ", app.InputLogName));
  app.OutputFileName = DefaultOutputName(app.InputLogName.Trimmed());
}

}  // namespace shell
