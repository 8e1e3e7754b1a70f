#include "shell/arriving_logs.hpp"

#include <vector>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/output_name.hpp"
#include "conversion/run/parallel_runs.hpp"
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
  // The logs convert at once, one per processor; each is told in its turn,
  // here on the window's thread, which alone touches the window and the state.
  std::vector<std::string> outputs;
  for (const std::string& log : names) outputs.emplace_back(conversion::DefaultOutputName(log));
  std::vector<conversion::ConversionRequest> requests;
  for (std::size_t i = 0; i < names.size(); ++i)
    requests.push_back(ChosenRequest(names[i], outputs[i], conversion::DefaultFormat));
  std::vector<conversion::ConversionResult> results(names.size());
  conversion::RunInOrder(
      names.size(), conversion::ProcessorCount(),
      [&](std::size_t i) { results[i] = conversion::ConvertLogFile(requests[i]); },
      [&](std::size_t i) {
        AddRollingLine(toolkit, InTurnLine(names[i], outputs[i], results[i]));
        if (!results[i].Succeeded()) ReportFailure(toolkit, results[i].FailedFile, results[i].FailureReason);
      });
}

}  // namespace shell
