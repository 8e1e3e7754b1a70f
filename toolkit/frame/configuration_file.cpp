#include "toolkit/frame/configuration_file.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "text/text_utilities.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/text_to_integer.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

// A logical file number is taken only while it differs from the other two.
void SetUnit(std::int32_t& unit, std::int32_t value, std::int32_t other1, std::int32_t other2) {
  if (value != other1 && value != other2) unit = value;
}

void ApplyKey(std::string_view key, std::string_view text, bool converted, std::int32_t number,
              ConfigurationRequests& requests) {
  if (key == "BROWSER") {
    State.BrowserCommand = text;
  } else if (key == "CHARDIR") {
    State.CharDirectory = text;
  } else if (key == "CHARSET") {
    State.CharSetFile = text;
  } else if (key == "PLNAME") {
    State.PlotFileName = text;
  } else if (!converted) {
    return;
  } else if (key == "DEBUG") {
    ErrorReportModeSet(number);
  } else if (key == "HPGL2") {
    requests.Hpgl2 = number;
  } else if (key == "LFNGEN") {
    SetUnit(State.GeneralUnit, number, State.PlotOutputUnit, State.PlotInputUnit);
  } else if (key == "LFNPLOTI") {
    SetUnit(State.PlotInputUnit, number, State.GeneralUnit, State.PlotOutputUnit);
  } else if (key == "LFNPLOTO") {
    SetUnit(State.PlotOutputUnit, number, State.GeneralUnit, State.PlotInputUnit);
  } else if (key == "PLOTTER") {
    requests.Plotter = number;
  } else if (key == "PRINTER") {
    requests.Printer = number;
  }
}

}  // namespace

void ApplyConfigurationLine(std::string_view raw, ConfigurationRequests& requests) {
  std::array<char, ConfigurationLineLength> bytes;
  const std::size_t length = std::min(raw.size(), bytes.size());
  std::replace_copy(raw.begin(), raw.begin() + length, bytes.begin(), '\t', ' ');
  const std::string_view line(bytes.data(), length);

  // An "=" in the last column leaves no room for a value: the whole line,
  // a version request included, counts as cut short.
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0 || equals + 1 == ConfigurationLineLength) return;

  const std::string_view word = FirstWord(line.substr(0, equals));
  if (word.size() < 3) return;
  std::array<char, 8> keyBytes;
  const std::size_t keyLength = std::min(word.size(), keyBytes.size());
  std::transform(word.begin(), word.begin() + keyLength, keyBytes.begin(),
                 text::UpperCase);
  const std::string_view key(keyBytes.data(), keyLength);
  if (key.starts_with("VER")) requests.VersionRequested = true;

  std::string_view value = line.substr(equals + 1);
  const std::size_t start = value.find_first_not_of(' ');
  if (start == std::string_view::npos) return;
  value.remove_prefix(start);

  // Every value is converted, text or number, and error slot 1 is read and
  // cleared after it: a line leaves no error behind. Whether the conversion
  // held is taken from the conversion itself, so that an error raised
  // before the file (an unreadable current folder) does not cost the first
  // good number its effect.
  std::int32_t number = 0;
  const bool converted = TextToInteger(value, number);
  ErrorQuery(ErrorSlot::Number);
  ApplyKey(key, value, converted, number, requests);
}

std::FILE* OpenByBytes(std::string_view name) { return std::fopen(std::string(name).c_str(), "rb"); }

bool ReadConfigurationFile(std::string_view path, ConfigurationRequests& requests, FileOpener open) {
  std::FILE* file = open(path);
  if (file == nullptr) return false;

  // The file is read on its own handle; its logical file number is the
  // GeneralUnit of the moment it was opened, and an LFNGEN line in it changes
  // only later uses of that setting.
  std::array<char, ConfigurationLineLength> line;
  std::size_t kept = 0;      // characters of the current line held in line
  std::size_t physical = 0;  // characters of the current line in the file
  for (int c = std::fgetc(file);; c = std::fgetc(file)) {
    if (c == EOF || c == '\n') {
      if (c == '\n' || physical > 0) {
        // A carriage return ends the line only where the line feed follows it.
        if (kept == physical && kept > 0 && line[kept - 1] == '\r') --kept;
        ApplyConfigurationLine({line.data(), kept}, requests);
      }
      if (c == EOF) break;
      kept = 0;
      physical = 0;
      continue;
    }
    ++physical;
    if (kept < line.size()) line[kept++] = static_cast<char>(c);
  }
  std::fclose(file);
  return true;
}

}  // namespace toolkit
