#include "shell/open_log.hpp"

#include <filesystem>
#include <string>

#include "conversion/files/system_files.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/run/output_name.hpp"
#include "shell/convert_log.hpp"
#include "shell/progress.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view LogFilter = "Log files (*.pgl)|*.pgl|";

}  // namespace

void OpenLogCommand(Toolkit& toolkit) {
  // A cancelled dialog leaves the previous name, and the command goes on with
  // it: the window then shows what Save would convert.
  toolkit.FileSelect(LogFilter, toolkit::SelectPrompt, Application.InputLogName.Span(), "Open File");
  ShowChosenLog(toolkit);
}

void ShowChosenLog(Toolkit& toolkit) {
  ApplicationState& app = Application;
  toolkit.ClearClientArea();
  app.ProgressLineCount = 0;
  AddProgressLine(toolkit, PathLine("Reading from ... ", app.InputLogName));
  // A cancelled Open after a conversion proposes ".txt": never used, since
  // Save and Save As refuse without a log and the next Open proposes afresh.
  app.OutputFileName = conversion::DefaultOutputName(app.InputLogName.Trimmed());
}

void OpenNamedLog(Toolkit& toolkit, std::string_view name) {
  conversion::LogReader log;
  if (!log.Open(name)) {
    ReportFailure(toolkit, name, log.Reason());
    return;
  }
  // The window and Save's messages show full paths, as the dialog gives them.
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(conversion::PathOf(name), error);
  Application.InputLogName = error ? name : std::string_view(conversion::NameOf(full));
  ShowChosenLog(toolkit);
}

}  // namespace shell
