#include "shell/arriving_logs.hpp"

#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/output_name.hpp"
#include "shell/application_state.hpp"
#include "shell/convert_log.hpp"
#include "shell/open_log.hpp"
#include "shell/progress.hpp"

namespace shell {

namespace {

// The folders are the same for the log and its output, and the window is
// narrow: the lines name the files alone.
std::string_view BaseName(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string InTurnLine(std::string_view log, std::string_view output,
                       const conversion::ConversionResult& result) {
  std::string line(BaseName(log));
  if (!result.Succeeded()) return line + ": not converted";
  line += ": " + std::to_string(result.RecordsWritten) + " records written to ";
  line += BaseName(output);
  return line;
}

}  // namespace

void LogsArrived(Toolkit& toolkit, std::span<const std::string> names) {
  if (names.size() == 1) OpenNamedLog(toolkit, names.front());
  if (names.size() <= 1) return;

  ApplicationState& app = Application;
  app.InputLogName = "";
  toolkit.ClearClientArea();
  app.ProgressLineCount = 0;
  for (const std::string& log : names) {
    const std::string output = conversion::DefaultOutputName(log);
    const conversion::ConversionResult result = conversion::ConvertLogFile(
        log, output, app.NumberStyle, app.ResolutionSeconds, {}, {}, {}, {}, ChosenTrackOptions());
    AddRollingLine(toolkit, InTurnLine(log, output, result));
    if (!result.Succeeded()) ReportFailure(toolkit, result.FailedFile, result.FailureReason);
  }
}

}  // namespace shell
