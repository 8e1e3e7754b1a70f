#include "shell/convert_log.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "conversion/files/system_files.hpp"
#include "conversion/formats/output_format.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/report_lines.hpp"
#include "shell/application_state.hpp"
#include "shell/progress.hpp"
#include "toolkit/codes.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view TrackFilter = "Track file (*.txt)|*.txt|";
constexpr std::string_view BoxTitle = "TomTom Log File";
constexpr std::string_view SaveTitle = "Save File";
// The words the Save dialog itself asks with.
constexpr std::string_view ReplaceQuestion = "File already exists.\nDo you want to replace it?";
constexpr int FirstButton = 1;

// The file types Save As offers are the formats with a type name, in the
// table's order (pushpin first); the type chosen is the format written.
std::vector<conversion::OutputFormat> SaveTypes() {
  std::vector<conversion::OutputFormat> types;
  for (const conversion::FormatRow& row : conversion::FormatRows())
    if (!row.TypeName.empty()) types.push_back(row.Format);
  return types;
}

// "Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|...".
std::string SaveAsFilter(const std::vector<conversion::OutputFormat>& types) {
  std::string filter;
  for (const conversion::OutputFormat type : types) {
    const conversion::FormatRow& row = conversion::RowOf(type);
    filter.append(row.TypeName).append(" (*").append(row.Extension).append(")|*").append(row.Extension).append("|");
  }
  return filter;
}

// A pushpin file's name typed without any dot, even in a folder's name, is
// taken to lack its extension; another type's, one whose file part has no
// dot. Returns whether the type's extension was added.
bool AddExtensionIfNone(FileName& name, conversion::OutputFormat type) {
  const std::string_view trimmed = name.Trimmed();
  const std::size_t folder = trimmed.find_last_of("\\/");
  const bool pushpin = type == conversion::OutputFormat::Pushpin;
  const std::string_view looked = pushpin || folder == std::string_view::npos ? trimmed : trimmed.substr(folder);
  if (looked.find('.') != std::string_view::npos) return false;
  std::string named(trimmed);
  named += conversion::FormatExtension(type);
  name = named;
  return true;
}

// "73 records written as GPX track.  Resolution (secs):  1"; the pushpin
// file's line as it always was.
std::string CountLine(int records, int resolution, conversion::OutputFormat type) {
  std::string line = conversion::CountLine(records, resolution);
  const std::size_t written = line.find(" written.");
  if (type != conversion::OutputFormat::Pushpin && written != std::string::npos) {
    line.insert(written + 8, std::string(" as ").append(conversion::RowOf(type).TypeName));
  }
  return line;
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
  toolkit.MessageBoxShow(toolkit::Buttons::YesNo, toolkit::Icon::Exclamation, FirstButton, ReplaceQuestion, SaveTitle);
  return toolkit.DialogInfo(toolkit::DialogInfoCode::CommonResult) == toolkit::Answer::Yes;
}

}  // namespace

void ReportFailure(Toolkit& toolkit, std::string_view file, std::string_view reason) {
  std::string message(file);
  message += ": ";
  message += reason;
  toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Stop, FirstButton, message, BoxTitle);
}

conversion::TrackOptions ChosenTrackOptions() {
  conversion::TrackOptions options;
  options.FixesOnly = Application.FixesOnly;
  return options;
}

void ConvertLog(Toolkit& toolkit, int mode) {
  ApplicationState& app = Application;
  if (app.InputLogName.IsBlank()) {
    toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Information, FirstButton, "No input file selected",
                           BoxTitle);
    return;
  }
  // Save writes the pushpin file; Save As offers every type, and whoever
  // types "trip.gpx" wants a GPX file, whatever the list shows.
  conversion::OutputFormat type = conversion::OutputFormat::Pushpin;
  if (app.OutputFileName.IsBlank() || mode == SaveAsMode) {
    constexpr int flags = toolkit::SelectSave | toolkit::SelectPrompt;
    if (mode == SaveAsMode) {
      const std::vector<conversion::OutputFormat> types = SaveTypes();
      int typeNumber = 1;
      toolkit.FileSelect(SaveAsFilter(types), flags, app.OutputFileName.Span(), SaveTitle, &typeNumber);
      typeNumber = std::clamp(typeNumber, 1, static_cast<int>(types.size()));
      type = conversion::FormatOfFileName(app.OutputFileName.Trimmed())
                 .value_or(types[static_cast<std::size_t>(typeNumber - 1)]);
    } else {
      toolkit.FileSelect(TrackFilter, flags, app.OutputFileName.Span(), SaveTitle);
    }
    const std::string typed(app.OutputFileName.Trimmed());
    const bool extended = AddExtensionIfNone(app.OutputFileName, type);
    if (toolkit.DialogInfo(toolkit::DialogInfoCode::CommonResult) != toolkit::Answer::Yes) return;
    if (extended && !MayReplace(toolkit, typed, app.OutputFileName.Trimmed())) return;
  }
  conversion::FormatOptions format;
  format.Format = type;

  const int linesBefore = app.ProgressLineCount;
  const conversion::ConversionResult result = conversion::ConvertLogFile(
      app.InputLogName.Trimmed(), app.OutputFileName.Trimmed(), app.NumberStyle, app.ResolutionSeconds,
      [&] { AddProgressLine(toolkit, PathLine("Output to ... ", app.OutputFileName)); }, {}, format, {},
      ChosenTrackOptions());
  if (!result.Succeeded()) {
    ReportFailure(toolkit, result.FailedFile, result.FailureReason);
    // Nothing was written: the window goes back to what it showed before.
    app.ProgressLineCount = linesBefore;
    RedrawProgress(toolkit);
    return;
  }
  app.InputLogName = "";
  AddProgressLine(toolkit, CountLine(result.RecordsWritten, app.ResolutionSeconds, type));
  if (!result.SpeedAvailable) AddProgressLine(toolkit, conversion::SpeedUnavailableLine);
  // A log without positions is no failure, but the user is told why the file is empty.
  if (std::string reason = conversion::NoRecordReason(result); !reason.empty()) {
    reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
    AddProgressLine(toolkit, reason);
  }
}

}  // namespace shell
