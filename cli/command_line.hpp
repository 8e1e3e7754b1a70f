#pragma once
// What the user asked for on the command line, and the one place that reads it.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/formats/output_format.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/track_filter.hpp"
#include "conversion/run/parallel_runs.hpp"

namespace cli {

constexpr int DefaultResolution = 1;
constexpr int MaximumResolution = 3600;

// Exit status for a command line the program cannot act on.
constexpr int UsageExitStatus = 2;

// One log and the file its pushpins go to ("-" for the standard streams).
struct Conversion {
  std::string LogName;
  std::string OutputName;
};

// --stats: what a log holds, instead of converting it.
enum class StatisticsReport { None, Text, Json };

struct CommandLine {
  std::vector<Conversion> Conversions;  // in the order given
  // What is asked of every conversion, but its logs, output and statistics;
  // the Statistics format with --stats.
  conversion::ConversionRequest Request;
  bool Quiet = false;
  StatisticsReport Statistics = StatisticsReport::None;
  std::string EveryText;  // --every as given, for the report
  // One output for all logs, their points one track, numbered on.
  bool Merge = false;
  // Logs converted at the same time (a merge is one conversion).
  unsigned Jobs = conversion::ProcessorCount();
};

// Reads the arguments (without the program's name) into `line`. Returns an exit
// status when there is nothing left to do: 0 after --help or --version (their
// text written to `out`), UsageExitStatus after a usage error (a line saying
// what is wrong and a hint to --help written to `err`). No value means go on
// and convert. `program` is the name the program was started by, as the
// usage text and the hint to --help show it.
std::optional<int> ParseCommandLine(std::span<const std::string_view> arguments, CommandLine& line,
                                    std::ostream& out, std::ostream& err, std::string_view program);

}  // namespace cli
