#include "cli/command_line.hpp"

#include <ostream>
#include <set>
#include <vector>

#include "cli/option_table.hpp"
#include "conversion/run/output_name.hpp"

namespace cli {

namespace {

const Option* FindOption(std::string_view name) {
  for (const Option& option : Options())
    if (option.Set && (option.Short == name || option.Long == name)) return &option;
  return nullptr;
}

// Standard input's output goes to standard output.
std::string OutputNameFor(std::string_view logName, conversion::OutputFormat format) {
  if (logName == conversion::StandardStreamName) return std::string(conversion::StandardStreamName);
  return conversion::DefaultOutputName(logName, conversion::FormatExtension(format));
}

// Reads every argument into `read` and `logNames`. Returns false at the
// first one it cannot take, having said why in `error`, and stops at --help
// and --version.
bool ReadArguments(std::span<const std::string_view> arguments, OptionSettings& read,
                   std::vector<std::string_view>& logNames, std::string& error) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size() && !read.Answer; ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
      logNames.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }

    // The option's name and, for -rN, -oFILE and --name=value, the value attached to it.
    std::string_view name = argument.substr(0, 2);
    std::optional<std::string_view> value;
    if (argument.starts_with("--")) {
      const std::size_t equals = argument.find('=');
      name = argument.substr(0, equals);
      if (equals != std::string_view::npos) value = argument.substr(equals + 1);
    } else if (argument.size() > 2) {
      value = argument.substr(2);
    }

    const Option* const option = FindOption(name);
    if (!option || (option->Takes == OptionValue::None && value && option->Long != name)) {
      // "-qr5" is not "-q" with a value: short options are not run together.
      error = "unknown option " + InQuotes(argument);
      return false;
    }
    if (option->Takes == OptionValue::None && value) {
      error = "option " + InQuotes(name) + " takes no value";
      return false;
    }
    if (option->Takes == OptionValue::Required && !value) {
      if (i + 1 == arguments.size()) {
        error = "option " + InQuotes(name) + " needs " + std::string(option->Needs);
        return false;
      }
      value = arguments[++i];
    }
    if (!option->Set(value, read, error)) return false;
  }
  return true;
}

// Pairs each log with its output; refuses what would lose data or cannot work.
bool PlanConversions(OptionSettings& read, std::span<const std::string_view> logNames, std::string& error) {
  CommandLine& line = read.Line;
  if (logNames.empty()) {
    error = "no log given";
    return false;
  }
  const bool statistics = line.Statistics != StatisticsReport::None;
  if (statistics && (read.OutputName || read.FormatGiven)) {
    error = std::string("--stats writes no file: ") + (read.OutputName ? "-o" : "-f") + " has no use with it";
    return false;
  }
  if (statistics) line.Request.Format = conversion::OutputFormat::Statistics;
  if (read.ResolutionGiven && read.EveryGiven) {
    error = "-r and --every both choose the fixes kept: give one of them";
    return false;
  }
  if (line.Merge && !statistics && !read.OutputName) {
    error = "--merge writes one file: name it with -o";
    return false;
  }
  if (read.OutputName && logNames.size() > 1 && !line.Merge) {
    error = "-o names the output of one log, but " + std::to_string(logNames.size()) + " logs were given";
    return false;
  }
  std::set<std::string_view> outputs;
  bool standardInputSeen = false;
  for (const std::string_view logName : logNames) {
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
        read.OutputName ? std::string(*read.OutputName) : OutputNameFor(logName, line.Request.Format);
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
  const conversion::OutputFormat format = line.Request.Format;
  const bool pushpin = format == conversion::OutputFormat::Pushpin;
  const std::string written =
      format == conversion::OutputFormat::Statistics ? "--stats" : "-f " + std::string(conversion::RowOf(format).Name);
  std::string notes;
  const auto note = [&](bool unused, std::string_view option, std::string_view why) {
    if (unused) notes += "pinwell: " + std::string(option) + " has no effect with " + written + ": " + std::string(why) + "\n";
  };
  note(line.Request.Style == conversion::NumberStyle::Continental && !pushpin, "--continental",
       "it shapes the numbers of pushpin files only");
  // A zone's rules need the day to tell a pushpin note's time; UTC and a fixed offset do not.
  note(line.Request.Reading.FirstDay && pushpin && !line.Request.Zone.NeedsDate(), "--date", "pushpin files carry no date");
  note(line.Request.Track.SplitGapMs && pushpin, "--split-gap", "pushpin files have no segments");
  return notes;
}

}  // namespace

std::optional<int> ParseCommandLine(std::span<const std::string_view> arguments, CommandLine& line,
                                    std::ostream& out, std::ostream& err, std::string_view program) {
  OptionSettings read;
  read.Program = program;
  std::vector<std::string_view> logNames;
  std::string error;
  line = CommandLine{};
  const bool understood = ReadArguments(arguments, read, logNames, error) &&
                          (read.Answer || PlanConversions(read, logNames, error));
  if (!understood) {
    err << "pinwell: " << error << "\n"
        << "Try '" << program << " --help' for more information.\n";
    return UsageExitStatus;
  }
  if (read.Answer) {
    out << *read.Answer;
    return 0;
  }
  line = std::move(read.Line);
  err << UnusedOptionNotes(line);
  return std::nullopt;
}

}  // namespace cli
