#include "cli/command_line.hpp"

#include <charconv>
#include <ostream>
#include <set>
#include <vector>

#include "cli/quantities.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/output_name.hpp"

namespace cli {

namespace {

// The usage text; the formats' part comes from the table of formats.
constexpr std::string_view UsageStart =
    "Usage: pinwell [options] LOG...\n"
    "Converts NMEA track logs (.pgl) into pushpin text files or map formats.\n"
    "\n"
    "  -f, --format FORMAT    what to write (default pushpin):\n";
constexpr std::string_view DateOption =
    "      --date YYYY-MM-DD  the day of the first fix, for logs whose RMC\n"
    "                         sentences give none (map formats only)\n";
constexpr std::string_view TimeOptions =
    "      --time-zone ZONE   the times people read (pushpin notes, CSV, --stats,\n"
    "                         the picture's caption) in ZONE: a name such as\n"
    "                         Europe/Berlin, local (this machine's zone) or an\n"
    "                         offset such as +05:30; summer time by each fix's own\n"
    "                         date, a fix without one left in UTC; GPX, KML and\n"
    "                         GeoJSON keep UTC (default UTC)\n"
    "      --week-rollover N|off\n"
    "                         move the log's dates forward by N x 1024 weeks, or\n"
    "                         never; by default a receiver's dates from before its\n"
    "                         GPS week rollover move (dates before 2000, or 1024\n"
    "                         weeks behind the time the log's file was written)\n";
constexpr std::string_view UsageEnd =
    "  -r, --resolution N     keep one fix in N, and always the last (1 to 3600;\n"
    "                         default 1)\n"
    "      --every DURATION   keep the first fix, then each at least DURATION after\n"
    "                         the last kept one by the fixes' own times (5s, 1m, 1h),\n"
    "                         and always the last; instead of -r\n"
    "      --split-gap DURATION\n"
    "                         a gap of more than DURATION between fixes starts a new\n"
    "                         track segment (map formats; a segment column in CSV)\n"
    "      --fixes-only       leave out positions without a fix: fix quality 0, an\n"
    "                         RMC with status V, latitude and longitude both 0\n"
    "      --max-speed SPEED  leave out a fix only a jump faster than SPEED reaches\n"
    "                         (200kmh, 50ms, 120mph, 30kn) from the track, which\n"
    "                         starts at 3 fixes in a row that reach each other;\n"
    "                         13 in a row out of its reach are the receiver moved\n"
    "      --merge            all LOGs into the one file -o names, in the order\n"
    "                         given, as one track, the fixes numbered on\n"
    "  -j, --jobs N           convert up to N LOGs at the same time (default: the\n"
    "                         number of processors); what is said about them comes\n"
    "                         in the order given all the same\n"
    "      --english          English numbers: columns separated by commas, decimal\n"
    "                         point (default)\n"
    "      --continental      Continental numbers: columns separated by tabs, decimal\n"
    "                         comma (pushpin files only)\n"
    "      --checksums        skip the sentences whose checksum does not match (by\n"
    "                         default they are read, and counted)\n"
    "  -q, --quiet            do not report the records written (errors still show)\n"
    "      --stats[=json]     write nothing; print what each LOG holds: records,\n"
    "                         times, distance, moving time, speeds, bounding box\n"
    "                         (of the fixes the options keep); =json gives one\n"
    "                         JSON object per LOG\n"
    "  -h, --help             show this text\n"
    "      --version          show the version\n"
    "      --                 the arguments that follow are logs, even if they start\n"
    "                         with -\n"
    "\n"
    "A LOG of - is standard input; without -o its output goes to standard output.\n"
    "Exit status: 0 when every log converted, 1 when any failed, 2 for a usage error.\n"
    "\n"
    "Examples:\n"
    "  pinwell trip.pgl                       pushpins in trip.txt\n"
    "  pinwell -f gpx trip.pgl                a GPX track in trip.gpx\n"
    "  pinwell -f kml -r 5 trip.pgl           one fix in 5 in trip.kml\n"
    "  pinwell --format=geojson trip.pgl      trip.geojson\n"
    "  pinwell -f csv --date 2003-05-17 -o - trip.pgl\n"
    "                                         CSV on standard output, the times dated\n"
    "  pinwell --stats *.pgl                  what each log holds, nothing written\n"
    "  pinwell -f gpx --merge -o day.gpx --every 5s --split-gap 60s --fixes-only\n"
    "          --max-speed 300kmh morning.pgl noon.pgl evening.pgl\n"
    "                                         a day's logs as one GPX track, a point\n"
    "                                         each 5 s, a segment per stop of the\n"
    "                                         receiver, without false fixes\n";

constexpr std::size_t UsageWidth = 80;
constexpr std::size_t FormatNameColumn = 27;
constexpr std::size_t FormatSummaryColumn = 36;
constexpr std::size_t OptionTextColumn = 25;

// The words after `start`, as many to a line as fit the width; the lines
// after the first begin at `indent`.
void AppendWrapped(std::string& out, std::string_view start, std::string_view words, std::size_t indent) {
  std::string line(start);
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
  out += line + "\n";
}

// A column of the table's rows for the formats the command line names.
std::vector<std::string_view> NamedFormats(std::string_view conversion::FormatRow::*column) {
  std::vector<std::string_view> values;
  for (const conversion::FormatRow& row : conversion::FormatRows())
    if (!row.Name.empty()) values.push_back(row.*column);
  return values;
}

// "a, b, c", the last separated by `last` instead.
std::string Listed(const std::vector<std::string_view>& items, std::string_view last) {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) list += i + 1 == items.size() ? last : ", ";
    list += items[i];
  }
  return list;
}

std::string UsageText() {
  std::string usage(UsageStart);
  for (const conversion::FormatRow& row : conversion::FormatRows()) {
    if (row.Name.empty()) continue;
    std::string name(FormatNameColumn, ' ');
    name += row.Name;
    name.resize(FormatSummaryColumn, ' ');
    AppendWrapped(usage, name, row.Summary, FormatSummaryColumn);
  }
  usage += DateOption;
  usage += TimeOptions;
  const std::string extensions = Listed(NamedFormats(&conversion::FormatRow::Extension), ", ");
  AppendWrapped(usage, "  -o, --output FILE      ",
                "write to FILE (one LOG only; - is standard output); by default the LOG's name with its first .pgl "
                "made the format's extension (" + extensions + "), or with that extension appended",
                OptionTextColumn);
  usage += UsageEnd;
  return usage;
}

constexpr std::string_view Version = "pinwell " PINWELL_VERSION "\n";

std::string InQuotes(std::string_view text) {
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

bool ReadResolution(std::string_view text, int& resolution, std::string& error) {
  int value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  const bool whole = !text.empty() && text.front() != '-' && failure == std::errc() && stop == end;
  if (!whole || value < 1 || value > MaximumResolution) {
    error = "the resolution must be a whole number from 1 to " + std::to_string(MaximumResolution) +
            ", not " + InQuotes(text);
    return false;
  }
  resolution = value;
  return true;
}

bool ReadJobs(std::string_view text, unsigned& jobs, std::string& error) {
  unsigned value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  if (text.empty() || text.front() == '-' || failure != std::errc() || stop != end || value < 1 ||
      value > conversion::MostJobs) {
    error = "-j takes a number of logs from 1 to " + std::to_string(conversion::MostJobs) + ", not " + InQuotes(text);
    return false;
  }
  jobs = value;
  return true;
}

bool ReadFormat(std::string_view text, conversion::FormatOptions& options, std::string& error) {
  const std::optional<conversion::OutputFormat> format = conversion::FindFormat(text);
  if (!format) {
    error = "the format must be " + Listed(NamedFormats(&conversion::FormatRow::Name), " or ") + ", not " +
            InQuotes(text);
    return false;
  }
  options.Format = *format;
  return true;
}

bool ReadDate(std::string_view text, conversion::FormatOptions& options, std::string& error) {
  options.FirstDay = conversion::ReadDay(text);
  if (!options.FirstDay) {
    error = "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not " + InQuotes(text);
  }
  return options.FirstDay.has_value();
}

bool ReadTimeZone(std::string_view text, conversion::FormatOptions& options, std::string& error) {
  std::string reason;
  std::optional<conversion::TimeZone> zone = conversion::TimeZone::Find(text, reason);
  if (!zone) error = "unknown time zone " + InQuotes(text) + ": " + reason;
  else options.Zone = std::move(*zone);
  return zone.has_value();
}

// A receiver lags by one rollover or two; more would move past any date a log can hold.
constexpr int MostRollovers = 8;

bool ReadWeekRollover(std::string_view text, conversion::ReadingOptions& options, std::string& error) {
  int value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  if (text == "off") {
    options.WeekRollovers = 0;
  } else if (!text.empty() && text.front() != '-' && failure == std::errc() && stop == end && value >= 0 &&
             value <= MostRollovers) {
    options.WeekRollovers = value;
  } else {
    error = "--week-rollover takes off or a number of rollovers from 0 to " + std::to_string(MostRollovers) +
            ", not " + InQuotes(text);
    return false;
  }
  return true;
}

bool ReadDurationOption(std::string_view option, std::string_view text, std::optional<long long>& milliseconds,
                  std::string& error) {
  milliseconds = ReadDuration(text);
  if (!milliseconds) {
    error = std::string(option) + " takes a duration with its unit (s, m or h: 5s, 1m, 1.5h) from " +
            std::string(ShortestDuration) + " to " + std::string(LongestDuration) + ", not " + InQuotes(text);
  }
  return milliseconds.has_value();
}

bool ReadSpeedOption(std::string_view text, std::optional<double>& kmh, std::string& error) {
  kmh = ReadSpeed(text);
  if (!kmh) {
    error = "--max-speed takes a speed above 0 with its unit (kmh, km/h, ms, m/s, mph or kn: 200kmh, 50ms, 120mph, "
            "30kn), not " + InQuotes(text);
  }
  return kmh.has_value();
}

bool ReadStatistics(std::optional<std::string_view> form, CommandLine& line, std::string& error) {
  if (!form || *form == "text") line.Statistics = StatisticsReport::Text;
  else if (*form == "json") line.Statistics = StatisticsReport::Json;
  else error = "--stats takes json, text or nothing, not " + InQuotes(*form);
  return error.empty();
}

// Standard input's output goes to standard output.
std::string OutputNameFor(std::string_view logName, conversion::OutputFormat format) {
  if (logName == conversion::StandardStreamName) return std::string(conversion::StandardStreamName);
  return conversion::DefaultOutputName(logName, conversion::FormatExtension(format));
}

struct Arguments {
  std::vector<std::string_view> LogNames;
  std::optional<std::string_view> OutputName;
  bool FormatGiven = false;
  bool ResolutionGiven = false;
};

// Reads every argument. Returns an exit status when there is nothing left to
// do (help or version shown, or a usage error described in `error`).
std::optional<int> ReadArguments(std::span<const std::string_view> arguments, CommandLine& line,
                                 Arguments& read, std::ostream& out, std::string& error) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
      read.LogNames.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }

    // The option's name and, for -rN, -oFILE and --name=value, the value attached to it.
    std::string_view name = argument.substr(0, 2);
    std::optional<std::string_view> attached;
    if (argument.starts_with("--")) {
      const std::size_t equals = argument.find('=');
      name = argument.substr(0, equals);
      if (equals != std::string_view::npos) attached = argument.substr(equals + 1);
    } else if (argument.size() > 2) {
      attached = argument.substr(2);
    }

    if (name == "--stats") {
      if (!ReadStatistics(attached, line, error)) return UsageExitStatus;
      continue;
    }
    const bool duration = name == "--every" || name == "--split-gap";
    const bool speed = name == "--max-speed";
    const bool jobs = name == "-j" || name == "--jobs";
    const bool takesValue = name == "-o" || name == "--output" || name == "-r" || name == "--resolution" ||
                            name == "-f" || name == "--format" || name == "--date" || duration || speed || jobs ||
                            name == "--time-zone" || name == "--week-rollover";
    if (!takesValue && attached) {
      const bool known = name == "--help" || name == "--version" || name == "--quiet" || name == "--english" ||
                         name == "--continental" || name == "--checksums" || name == "--fixes-only" ||
                         name == "--merge";
      error = known ? "option " + InQuotes(name) + " takes no value" : "unknown option " + InQuotes(argument);
      return UsageExitStatus;
    }
    if (name == "-h" || name == "--help") {
      out << UsageText();
      return 0;
    }
    if (name == "--version") {
      out << Version;
      return 0;
    }
    if (name == "-q" || name == "--quiet") {
      line.Quiet = true;
    } else if (name == "--english") {
      line.Style = conversion::NumberStyle::English;
    } else if (name == "--continental") {
      line.Style = conversion::NumberStyle::Continental;
    } else if (name == "--checksums") {
      line.Reading.SkipWrongChecksums = true;
    } else if (name == "--fixes-only") {
      line.Track.FixesOnly = true;
    } else if (name == "--merge") {
      line.Merge = true;
    } else if (!takesValue) {
      error = "unknown option " + InQuotes(argument);
      return UsageExitStatus;
    } else {
      const bool output = name == "-o" || name == "--output";
      const bool format = name == "-f" || name == "--format";
      const bool date = name == "--date";
      if (!attached) {
        if (i + 1 == arguments.size()) {
          error = "option " + InQuotes(name) + " needs " +
                  (output   ? "a file name"
                   : format ? "a format"
                   : date   ? "a date"
                   : duration ? "a duration"
                   : speed    ? "a speed"
                   : name == "--time-zone" ? "a time zone"
                   : name == "--week-rollover" ? "a number of rollovers or off"
                              : "a number");
          return UsageExitStatus;
        }
        attached = arguments[++i];
      }
      if (jobs) {
        if (!ReadJobs(*attached, line.Jobs, error)) return UsageExitStatus;
      } else if (format) {
        if (!ReadFormat(*attached, line.Format, error)) return UsageExitStatus;
        read.FormatGiven = true;
      } else if (date) {
        if (!ReadDate(*attached, line.Format, error)) return UsageExitStatus;
      } else if (name == "--time-zone") {
        if (!ReadTimeZone(*attached, line.Format, error)) return UsageExitStatus;
      } else if (name == "--week-rollover") {
        if (!ReadWeekRollover(*attached, line.Reading, error)) return UsageExitStatus;
      } else if (name == "--every") {
        if (!ReadDurationOption(name, *attached, line.Track.EveryMs, error)) return UsageExitStatus;
        line.EveryText = *attached;
      } else if (name == "--split-gap") {
        if (!ReadDurationOption(name, *attached, line.Track.SplitGapMs, error)) return UsageExitStatus;
      } else if (speed) {
        if (!ReadSpeedOption(*attached, line.Track.MaxSpeedKmh, error)) return UsageExitStatus;
      } else if (!output) {
        if (!ReadResolution(*attached, line.Resolution, error)) return UsageExitStatus;
        read.ResolutionGiven = true;
      } else if (attached->empty()) {
        error = "the output name is empty";
        return UsageExitStatus;
      } else {
        read.OutputName = *attached;
      }
    }
  }
  return std::nullopt;
}

// Pairs each log with its output; refuses what would lose data or cannot work.
bool PlanConversions(const Arguments& read, CommandLine& line, std::string& error) {
  if (read.LogNames.empty()) {
    error = "no log given";
    return false;
  }
  const bool statistics = line.Statistics != StatisticsReport::None;
  if (statistics && (read.OutputName || read.FormatGiven)) {
    error = std::string("--stats writes no file: ") + (read.OutputName ? "-o" : "-f") + " has no use with it";
    return false;
  }
  if (statistics) line.Format.Format = conversion::OutputFormat::Statistics;
  if (read.ResolutionGiven && line.Track.EveryMs) {
    error = "-r and --every both choose the fixes kept: give one of them";
    return false;
  }
  if (line.Merge && !statistics && !read.OutputName) {
    error = "--merge writes one file: name it with -o";
    return false;
  }
  if (read.OutputName && read.LogNames.size() > 1 && !line.Merge) {
    error = "-o names the output of one log, but " + std::to_string(read.LogNames.size()) + " logs were given";
    return false;
  }
  std::set<std::string_view> outputs;
  bool standardInputSeen = false;
  for (const std::string_view logName : read.LogNames) {
    if (logName == conversion::StandardStreamName) {
      if (standardInputSeen) {
        error = "standard input (-) can be read only once";
        return false;
      }
      standardInputSeen = true;
    }
    Conversion& conversion = line.Conversions.emplace_back();
    conversion.LogName = logName;
    if (statistics) continue;
    conversion.OutputName =
        read.OutputName ? std::string(*read.OutputName) : OutputNameFor(logName, line.Format.Format);
  }
  if (statistics || line.Merge) return true;
  // Two logs converted into one file would leave only the second one's pushpins.
  for (const Conversion& conversion : line.Conversions) {
    if (!outputs.insert(conversion.OutputName).second) {
      error = "two logs would both be written to " + InQuotes(conversion.OutputName);
      return false;
    }
  }
  return true;
}

// An option given for a format it does not shape is said, not passed over.
std::string UnusedOptionNotes(const CommandLine& line) {
  const conversion::OutputFormat format = line.Format.Format;
  const bool pushpin = format == conversion::OutputFormat::Pushpin;
  const std::string written =
      format == conversion::OutputFormat::Statistics ? "--stats" : "-f " + std::string(conversion::RowOf(format).Name);
  std::string notes;
  const auto note = [&](bool unused, std::string_view option, std::string_view why) {
    if (unused) notes += "pinwell: " + std::string(option) + " has no effect with " + written + ": " + std::string(why) + "\n";
  };
  note(line.Style == conversion::NumberStyle::Continental && !pushpin, "--continental",
       "it shapes the numbers of pushpin files only");
  note(line.Format.FirstDay && pushpin, "--date", "pushpin files carry no date");
  note(line.Track.SplitGapMs && pushpin, "--split-gap", "pushpin files have no segments");
  return notes;
}

}  // namespace

std::optional<int> ParseCommandLine(std::span<const std::string_view> arguments, CommandLine& line,
                                    std::ostream& out, std::ostream& err) {
  line = CommandLine{};
  Arguments read;
  std::string error;
  std::optional<int> status = ReadArguments(arguments, line, read, out, error);
  if (!status && !PlanConversions(read, line, error)) status = UsageExitStatus;
  if (status == UsageExitStatus) {
    line = CommandLine{};
    err << "pinwell: " << error << "\n"
        << "Try 'pinwell --help' for more information.\n";
  }
  if (!status) err << UnusedOptionNotes(line);
  return status;
}

}  // namespace cli
