#include "cli/usage_text.hpp"

#include <array>

#include "conversion/formats/output_format.hpp"

namespace cli {

namespace {

constexpr std::size_t UsageWidth = 80;
constexpr std::size_t HelpColumn = 25;
constexpr std::size_t FormatNameColumn = 27;
constexpr std::size_t FormatSummaryColumn = 36;
constexpr std::size_t ExampleCommandIndent = 10;
constexpr std::size_t ExampleNoteColumn = 41;

struct Example {
  std::string_view Arguments;  // after the program's name
  std::string_view Note;
};

constexpr std::array Examples{
    Example{"trip.pgl", "pushpins in trip.txt"},
    Example{"-f gpx trip.pgl", "a GPX track in trip.gpx"},
    Example{"-f kml -r 5 trip.pgl", "one fix in 5 in trip.kml"},
    Example{"--format=geojson trip.pgl", "trip.geojson"},
    Example{"-f csv --date 2003-05-17 -o - trip.pgl", "CSV on standard output, the times dated"},
    Example{"--stats *.pgl", "what each log holds, nothing written"},
    Example{"-f gpx --merge -o day.gpx --every 5s --split-gap 60s --fixes-only --max-speed 300kmh morning.pgl "
            "noon.pgl evening.pgl",
            "a day's logs as one GPX track, a point each 5 s, a segment per stop of the receiver, without false "
            "fixes"},
};

// Appends the words after `line` to `out`, as many to a line as fit the
// width, the lines after the first begun at `indent`; returns the last line,
// not yet ended, so that more may follow on it.
std::string Wrap(std::string& out, std::string line, std::string_view words, std::size_t indent) {
  bool lineHasWords = false;
  while (!words.empty()) {
    const std::string_view word = words.substr(0, words.find(' '));
    words.remove_prefix(std::min(word.size() + 1, words.size()));
    if (lineHasWords && line.size() + 1 + word.size() > UsageWidth) {
      out += line + "\n";
      line.assign(indent, ' ');
      lineHasWords = false;
    }
    if (lineHasWords) line += ' ';
    line += word;
    lineHasWords = true;
  }
  return line;
}

// `line` padded to `column`, or, when it reaches that far, ended and a new
// line begun there.
std::string AtColumn(std::string& out, std::string line, std::size_t column) {
  if (line.size() + 2 > column) {
    out += line + "\n";
    line.clear();
  }
  line.resize(column, ' ');
  return line;
}

// ".txt, .gpx, .svg"
std::string Extensions() {
  std::string list;
  for (const conversion::FormatRow& row : conversion::FormatRows()) {
    if (row.Name.empty()) continue;
    if (!list.empty()) list += ", ";
    list += row.Extension;
  }
  return list;
}

void AppendFormats(std::string& out) {
  for (const conversion::FormatRow& row : conversion::FormatRows()) {
    if (row.Name.empty()) continue;
    std::string line(FormatNameColumn, ' ');
    line += row.Name;
    line.resize(FormatSummaryColumn, ' ');
    out += Wrap(out, line, row.Summary, FormatSummaryColumn) + "\n";
  }
}

void AppendOption(std::string& out, const Option& option) {
  std::string help(option.Help);
  if (const std::size_t mark = help.find("{}"); mark != std::string::npos) help.replace(mark, 2, Extensions());
  const std::string names = (option.Short.empty() ? "      " : "  ") + OptionHeading(option);
  out += Wrap(out, AtColumn(out, names, HelpColumn), help, HelpColumn) + "\n";
  if (option.ListsFormats) AppendFormats(out);
}

void AppendExample(std::string& out, std::string_view program, const Example& example) {
  const std::string command = Wrap(out, "  " + std::string(program) + " ", example.Arguments, ExampleCommandIndent);
  out += Wrap(out, AtColumn(out, command, ExampleNoteColumn), example.Note, ExampleNoteColumn) + "\n";
}

}  // namespace

std::string OptionHeading(const Option& option) {
  std::string heading;
  if (!option.Short.empty()) heading = std::string(option.Short) + ", ";
  heading += option.Long;
  if (option.Takes == OptionValue::Required) heading += ' ';
  heading += option.Value;
  return heading;
}

std::string UsageText(std::string_view program) {
  std::string usage = "Usage: " + std::string(program) +
                      " [options] LOG...\n"
                      "Converts NMEA track logs (.pgl) into pushpin text files or map formats.\n"
                      "\n";
  for (const Option& option : Options()) AppendOption(usage, option);
  usage +=
      "\n"
      "A LOG of - is standard input; without -o its output goes to standard output.\n"
      "Exit status: 0 when every log converted, 1 when any failed, 2 for a usage error.\n"
      "\n"
      "Examples:\n";
  for (const Example& example : Examples) AppendExample(usage, program, example);
  return usage;
}

}  // namespace cli
