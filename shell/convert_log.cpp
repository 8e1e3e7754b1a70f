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
#include "conversion/run/result_lines.hpp"
#include "shell/application_state.hpp"
#include "shell/file_names.hpp"
#include "shell/progress.hpp"
#include "toolkit/codes.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"

namespace shell {

namespace {

constexpr std::string_view SaveFilter = "Track file (*.txt)|*.txt|";
constexpr std::string_view BoxTitle = "TomTom Log File";
constexpr std::string_view SaveTitle = "Save File";
constexpr int FirstButton = 1;
// The one option of the command line's notes the desktop program has.
constexpr conversion::OptionNames DesktopOptions{"Options > Only real fixes", {}, {}, {}};

// The file types Save As offers are the formats with a type name, in the
// table's order (Save's first); the type chosen is the format written.
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

// A name taken to lack its extension gets the type's: one without a dot in
// its file part, or for a type of old without a dot anywhere.
std::string WithExtension(std::string_view name, conversion::OutputFormat type) {
  const conversion::FormatRow& row = conversion::RowOf(type);
  const std::size_t folder = name.find_last_of("\\/");
  const std::string_view looked = row.AnyDotIsExtension || folder == std::string_view::npos ? name : name.substr(folder);
  std::string named(name);
  if (looked.find('.') == std::string_view::npos) named += row.Extension;
  return named;
}

bool IsFile(std::string_view name) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(conversion::PathOf(name), error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// The dialog asked about the name as typed; a name with the extension added
// after it is another file, which is replaced only when the user says so.
// The question is the one Windows asks, naming the file without its folder.
bool MayReplace(Toolkit& toolkit, std::string_view typed, std::string_view named) {
  if (named == typed || !IsFile(named)) return true;
  const std::size_t folder = named.find_last_of("\\/");
  std::string question(folder == std::string_view::npos ? named : named.substr(folder + 1));
  question += " already exists.\nDo you want to replace it?";
  toolkit.MessageBoxShow(toolkit::Buttons::YesNo, toolkit::Icon::Exclamation, FirstButton, question, SaveTitle);
  return toolkit.DialogInfo(toolkit::DialogInfoCode::CommonResult) == toolkit::Answer::Yes;
}

struct Target {
  std::string Name;
  conversion::OutputFormat Format;
};

// The name and format a Save dialog settles, or nothing when the command
// ends there. Save As offers every type, and whoever types "trip.gpx" wants
// a GPX file whatever the list shows; the name in the dialog follows the
// type chosen. A cancel ends the command as it always did, ".txt" added to
// a remembered name without any dot; a No to the question ends it the same
// way, the name and its format as they were.
std::optional<Target> AskForTarget(Toolkit& toolkit, int mode) {
  ApplicationState& app = Application;
  constexpr int flags = toolkit::SelectSave | toolkit::SelectPrompt;
  std::optional<std::string> typed;
  conversion::OutputFormat type = conversion::DefaultFormat;
  if (mode == SaveAsMode) {
    const std::vector<conversion::OutputFormat> types = SaveTypes();
    const auto remembered = std::find(types.begin(), types.end(), app.OutputFormat);
    int typeNumber = remembered == types.end() ? 1 : static_cast<int>(remembered - types.begin()) + 1;
    typed = AskForName(toolkit, SaveAsFilter(types), flags | toolkit::SelectFollowType, app.OutputFileName.Trimmed(),
                       SaveTitle, &typeNumber);
    typeNumber = std::clamp(typeNumber, 1, static_cast<int>(types.size()));
    if (typed) {
      type = conversion::FormatOfFileName(*typed).value_or(types[static_cast<std::size_t>(typeNumber - 1)]);
    }
  } else {
    typed = AskForName(toolkit, SaveFilter, flags, app.OutputFileName.Trimmed(), SaveTitle);
  }
  std::optional<Target> target;
  if (typed) {
    std::string named = WithExtension(*typed, type);
    if (NameFits(toolkit, named) && MayReplace(toolkit, *typed, named)) target = Target{std::move(named), type};
  }
  if (!target) app.OutputFileName = WithExtension(app.OutputFileName.Trimmed(), conversion::DefaultFormat);
  return target;
}

}  // namespace

void ReportFailure(Toolkit& toolkit, std::string_view file, std::string_view reason) {
  std::string message(file);
  message += ": ";
  message += reason;
  toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Stop, FirstButton, message, BoxTitle);
}

conversion::ConversionRequest ChosenRequest(std::string_view log, std::string_view output,
                                            conversion::OutputFormat format) {
  const ApplicationState& app = Application;
  conversion::ConversionRequest request;
  request.Logs = {std::string(log)};
  request.Output = output;
  request.Format = format;
  request.Style = app.NumberStyle;
  request.Kept = conversion::OneFixIn{app.OneFixIn};
  request.Track.FixesOnly = app.FixesOnly;
  std::string reason;
  // The system always knows its own zone; were it not so, the times stay UTC.
  if (app.LocalTime) request.Zone = conversion::TimeZone::Find("local", reason).value_or(conversion::TimeZone{});
  return request;
}

void ConvertLog(Toolkit& toolkit, int mode) {
  ApplicationState& app = Application;
  if (app.InputLogName.IsBlank()) {
    toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Information, FirstButton, "No input file selected",
                           BoxTitle);
    return;
  }
  const FileName nameBefore = app.OutputFileName;
  const conversion::OutputFormat formatBefore = app.OutputFormat;
  if (app.OutputFileName.IsBlank() || mode == SaveAsMode) {
    const std::optional<Target> target = AskForTarget(toolkit, mode);
    if (!target) return;
    app.OutputFileName = target->Name;
    app.OutputFormat = target->Format;
  }
  conversion::ConversionRequest request =
      ChosenRequest(app.InputLogName.Trimmed(), app.OutputFileName.Trimmed(), app.OutputFormat);
  request.Announcement = [&] { AddProgressLine(toolkit, PathLine("Output to ... ", app.OutputFileName)); };

  const int linesBefore = app.ProgressLineCount;
  const conversion::ConversionResult result = conversion::ConvertLogFile(request);
  if (!result.Succeeded()) {
    ReportFailure(toolkit, result.FailedFile, result.FailureReason);
    // Nothing was written: the window, the name and its format go back to
    // what they were, so that a Save never writes one format under
    // another's name.
    app.OutputFileName = nameBefore;
    app.OutputFormat = formatBefore;
    app.ProgressLineCount = linesBefore;
    RedrawProgress(toolkit);
    return;
  }
  app.InputLogName = "";
  AddProgressLine(toolkit, conversion::CountLine(result.RecordsWritten, app.OneFixIn,
                                                 conversion::RowOf(app.OutputFormat).CountName));
  if (!result.SpeedAvailable) AddProgressLine(toolkit, conversion::SpeedUnavailableLine);
  // What the command line would note about the same run, in the same words.
  std::vector<std::string> notes;
  if (!result.Logs.empty()) notes = conversion::ReadingNotes(result.Logs.front(), false, DesktopOptions);
  for (std::string& note : conversion::WrittenNotes(result, request.Zone.Name(), DesktopOptions)) notes.push_back(std::move(note));
  for (std::string& note : notes) {
    note.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(note.front())));
    AddProgressLine(toolkit, note);
  }
}

}  // namespace shell
