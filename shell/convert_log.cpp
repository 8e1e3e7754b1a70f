#include "shell/convert_log.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "conversion/files/system_files.hpp"
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

// The file types Save As offers, pushpin first; the type chosen is the
// format written.
struct SaveType {
  conversion::OutputFormat Format;
  std::string_view Label;  // in the dialog's list
  std::string_view Named;  // in the count line; empty for the pushpin file
};
constexpr std::array<SaveType, 6> SaveTypes{{
    {conversion::OutputFormat::Pushpin, "Pushpin text", ""},
    {conversion::OutputFormat::Gpx, "GPX track", "GPX track"},
    {conversion::OutputFormat::Kml, "KML", "KML"},
    {conversion::OutputFormat::GeoJson, "GeoJSON", "GeoJSON"},
    {conversion::OutputFormat::Csv, "CSV", "CSV"},
    {conversion::OutputFormat::Svg, "Track picture", "track picture"},
}};

// "Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|...".
std::string SaveAsFilter() {
  std::string filter;
  for (const SaveType& type : SaveTypes) {
    const std::string_view extension = conversion::FormatExtension(type.Format);
    filter.append(type.Label).append(" (*").append(extension).append(")|*").append(extension).append("|");
  }
  return filter;
}

// The type whose extension a typed name ends in, in any case: whoever types
// "trip.gpx" wants a GPX file, whatever the list shows.
std::optional<int> TypeOfName(std::string_view name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos || name.find_first_of("\\/", dot) != std::string_view::npos) return std::nullopt;
  const std::string_view typed = name.substr(dot);
  for (std::size_t i = 0; i < SaveTypes.size(); ++i) {
    const std::string_view extension = conversion::FormatExtension(SaveTypes[i].Format);
    const bool same = std::equal(typed.begin(), typed.end(), extension.begin(), extension.end(), [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    if (same) return static_cast<int>(i + 1);
  }
  return std::nullopt;
}

// A pushpin file's name typed without any dot, even in a folder's name, is
// taken to lack its extension; another type's, one whose file part has no
// dot. Returns whether the type's extension was added.
bool AddExtensionIfNone(FileName& name, const SaveType& type) {
  const std::string_view trimmed = name.Trimmed();
  const std::size_t folder = trimmed.find_last_of("\\/");
  const bool pushpin = type.Format == conversion::OutputFormat::Pushpin;
  const std::string_view looked = pushpin || folder == std::string_view::npos ? trimmed : trimmed.substr(folder);
  if (looked.find('.') != std::string_view::npos) return false;
  std::string named(trimmed);
  named += conversion::FormatExtension(type.Format);
  name = named;
  return true;
}

// "73 records written as GPX track.  Resolution (secs):  1"; the pushpin
// file's line as it always was.
std::string CountLine(int records, int resolution, const SaveType& type) {
  std::string line = conversion::CountLine(records, resolution);
  if (const std::size_t written = line.find(" written."); !type.Named.empty() && written != std::string::npos) {
    line.insert(written + 8, std::string(" as ").append(type.Named));
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

void ConvertLog(Toolkit& toolkit, int mode) {
  ApplicationState& app = Application;
  if (app.InputLogName.IsBlank()) {
    toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Information, FirstButton, "No input file selected",
                           BoxTitle);
    return;
  }
  // Save writes the pushpin file; Save As offers every type.
  int typeNumber = 1;
  if (app.OutputFileName.IsBlank() || mode == SaveAsMode) {
    constexpr int flags = toolkit::SelectSave | toolkit::SelectPrompt;
    if (mode == SaveAsMode) {
      toolkit.FileSelect(SaveAsFilter(), flags, app.OutputFileName.Span(), SaveTitle, &typeNumber);
    } else {
      toolkit.FileSelect(TrackFilter, flags, app.OutputFileName.Span(), SaveTitle);
    }
    typeNumber = std::clamp(typeNumber, 1, static_cast<int>(SaveTypes.size()));
    if (mode == SaveAsMode) typeNumber = TypeOfName(app.OutputFileName.Trimmed()).value_or(typeNumber);
    const std::string typed(app.OutputFileName.Trimmed());
    const bool extended = AddExtensionIfNone(app.OutputFileName, SaveTypes[static_cast<std::size_t>(typeNumber - 1)]);
    if (toolkit.DialogInfo(toolkit::DialogInfoCode::CommonResult) != toolkit::Answer::Yes) return;
    if (extended && !MayReplace(toolkit, typed, app.OutputFileName.Trimmed())) return;
  }
  const SaveType& type = SaveTypes[static_cast<std::size_t>(typeNumber - 1)];
  conversion::FormatOptions format;
  format.Format = type.Format;

  const int linesBefore = app.ProgressLineCount;
  const conversion::ConversionResult result = conversion::ConvertLogFile(
      app.InputLogName.Trimmed(), app.OutputFileName.Trimmed(), app.NumberStyle, app.ResolutionSeconds,
      [&] { AddProgressLine(toolkit, PathLine("Output to ... ", app.OutputFileName)); }, {}, format);
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
