#include "shell/open_log.hpp"

#include <filesystem>
#include <string>

#include "conversion/files/system_files.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/run/output_name.hpp"
#include "shell/convert_log.hpp"
#include "shell/file_names.hpp"
#include "shell/progress.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view LogFilter = "Log files (*.pgl)|*.pgl|";

}  // namespace

void OpenLogCommand(Toolkit& toolkit) {
  // A cancelled dialog leaves the previous name, and the command goes on with
  // it: the window then shows what Save would convert. A name too long to
  // hold changes nothing: the log that was open stays open and shown.
  const std::optional<std::string> chosen =
      AskForName(toolkit, LogFilter, toolkit::SelectPrompt, Application.InputLogName.Trimmed(), "Open File");
  if (chosen && !NameFits(toolkit, *chosen)) return;
  if (chosen) Application.InputLogName = *chosen;
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
  app.OutputFormat = conversion::DefaultFormat;
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
  const std::string named = error ? std::string(name) : conversion::NameOf(full);
  if (!NameFits(toolkit, named)) return;
  Application.InputLogName = named;
  ShowChosenLog(toolkit);
}

}  // namespace shell
