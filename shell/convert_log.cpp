#include "shell/convert_log.hpp"

#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

#include "conversion/files/system_files.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/report_lines.hpp"
#include "shell/application_state.hpp"
#include "shell/progress.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view TrackFilter = "Track file (*.txt)|*.txt|";
constexpr std::string_view BoxTitle = "TomTom Log File";
constexpr std::string_view SaveTitle = "Save File";
// The words the Save dialog itself asks with.
constexpr std::string_view ReplaceQuestion = "File already exists.\nDo you want to replace it?";
constexpr int OkButton = 0;
constexpr int YesNoButtons = 3;
constexpr int StopIcon = 1;
constexpr int ExclamationIcon = 3;
constexpr int InformationIcon = 4;
constexpr int CommonResult = 4;
constexpr int Yes = 1;

// A name typed without any dot, even in a folder's name, is taken to lack
// its extension. Returns whether it was added.
bool AddExtensionIfNoDot(FileName& name) {
  if (name.View().find('.') != std::string_view::npos) return false;
  std::string named(name.Trimmed());
  named += ".txt";
  name = named;
  return true;
}

bool IsFile(std::string_view name) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(conversion::PathOf(name), error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// The dialog asked about the name as typed; the extension added after it
// may name a file it never asked about.
bool MayReplace(Toolkit& toolkit, std::string_view typed, std::string_view named) {
  if (IsFile(typed) || !IsFile(named)) return true;
  toolkit.MessageBoxShow(YesNoButtons, ExclamationIcon, 1, ReplaceQuestion, SaveTitle);
  return toolkit.DialogInfo(CommonResult) == Yes;
}

}  // namespace

void ReportFailure(Toolkit& toolkit, std::string_view file, std::string_view reason) {
  std::string message(file);
  message += ": ";
  message += reason;
  toolkit.MessageBoxShow(OkButton, StopIcon, 1, message, BoxTitle);
}

void ConvertLog(Toolkit& toolkit, int mode) {
  ApplicationState& app = Application;
  if (app.InputLogName.IsBlank()) {
    toolkit.MessageBoxShow(OkButton, InformationIcon, 1, "No input file selected", BoxTitle);
    return;
  }
  if (app.OutputFileName.IsBlank() || mode == SaveAsMode) {
    toolkit.FileSelect(TrackFilter, toolkit::SelectSave | toolkit::SelectPrompt, app.OutputFileName.Span(),
                       SaveTitle);
    const std::string typed(app.OutputFileName.Trimmed());
    const bool extended = AddExtensionIfNoDot(app.OutputFileName);
    if (toolkit.DialogInfo(CommonResult) != 1) return;
    if (extended && !MayReplace(toolkit, typed, app.OutputFileName.Trimmed())) return;
  }

  const int linesBefore = app.ProgressLineCount;
  const conversion::ConversionResult result = conversion::ConvertLogFile(
      app.InputLogName.Trimmed(), app.OutputFileName.Trimmed(), app.NumberStyle, app.ResolutionSeconds,
      [&] { AddProgressLine(toolkit, PathLine("Output to ... ", app.OutputFileName)); });
  if (!result.Succeeded()) {
    ReportFailure(toolkit, result.FailedFile, result.FailureReason);
    // Nothing was written: the window goes back to what it showed before.
    app.ProgressLineCount = linesBefore;
    RedrawProgress(toolkit);
    return;
  }
  app.InputLogName = "";
  AddProgressLine(toolkit, conversion::CountLine(result.RecordsWritten, app.ResolutionSeconds));
  if (!result.SpeedAvailable) AddProgressLine(toolkit, conversion::SpeedUnavailableLine);
  // A log without positions is no failure, but the user is told why the file is empty.
  if (std::string reason = conversion::NoRecordReason(result); !reason.empty()) {
    reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
    AddProgressLine(toolkit, reason);
  }
}

}  // namespace shell
