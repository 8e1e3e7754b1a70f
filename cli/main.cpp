// pinwell: converts track logs into pushpin text files from the command line.
// Only this file prints or chooses the exit status.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/console_text.hpp"
#include "cli/conversion_report.hpp"
#include "cli/file_clashes.hpp"
#include "cli/main.hpp"
#include "cli/progress_display.hpp"
#include "cli/statistics_report.hpp"
#include "cli/terminal.hpp"
#include "conversion/files/standard_streams.hpp"
#include "conversion/files/temporary_file_cleanup.hpp"
#include "conversion/formats/track_statistics.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/parallel_runs.hpp"
#include "conversion/run/result_lines.hpp"

namespace {

constexpr int FailureExitStatus = 1;

bool WritesStandardOutput(const cli::Conversion& conversion) {
  return conversion.OutputName == conversion::StandardStreamName ||
         conversion::DescriptorOfName(conversion.OutputName) == 1;
}

// "-" stands for a standard stream; in a message that says too little.
std::string LogLabel(std::string_view logName) {
  return logName == conversion::StandardStreamName ? "standard input" : std::string(logName);
}

std::string FailedFileLabel(std::string_view file, const cli::Conversion& conversion) {
  if (file != conversion::StandardStreamName) return std::string(file);
  if (conversion.LogName != conversion::StandardStreamName) return "standard output";
  if (conversion.OutputName != conversion::StandardStreamName) return "standard input";
  return "standard input or output";
}

bool Write(std::FILE* stream, std::string_view text) { return cli::WriteText(stream, text); }

// A report that cannot be written must not end in a success status.
bool WriteReport(std::string_view report, std::FILE* stream) {
  if (Write(stream, report)) return true;
  const std::string reason = std::strerror(errno);
  Write(stderr, std::string("pinwell: ") + (stream == stdout ? "standard output" : "standard error") + ": " +
                    reason + "\n");
  return false;
}

// The logs of a merge as one label: "a.pgl, b.pgl".
std::string MergedLabel(std::span<const cli::Conversion> merged) {
  std::string label;
  for (const cli::Conversion& conversion : merged) label += (label.empty() ? "" : ", ") + LogLabel(conversion.LogName);
  return label;
}

// What a conversion gave, kept until it is its turn to be told.
struct Converted {
  conversion::ConversionResult Result;
  conversion::TrackStatistics Statistics;
};

// Converts one log, or with --merge several into one output, or with --stats
// sums them up.
void Convert(std::span<const cli::Conversion> logs, const cli::CommandLine& line, bool showProgress,
             Converted& converted) {
  const cli::Conversion& conversion = logs.front();
  const bool merged = logs.size() > 1;
  cli::ProgressDisplay display =
      cli::ProgressStart(merged ? MergedLabel(logs) : LogLabel(conversion.LogName), cli::ProgressClock::now());
  conversion::ProgressReport progress;
  if (showProgress) {
    progress = [&display](std::uint64_t bytesRead, std::uint64_t totalBytes) {
      const std::string update = cli::ProgressUpdate(display, bytesRead, totalBytes, cli::ProgressClock::now());
      if (!update.empty()) Write(stderr, update);
    };
  }

  conversion::ConversionRequest request = line.Request;
  for (const cli::Conversion& log : logs) request.Logs.push_back(log.LogName);
  request.Output = conversion.OutputName;
  request.Statistics = &converted.Statistics;
  request.Progress = std::move(progress);
  converted.Result = conversion::ConvertLogFile(request);
  if (showProgress) Write(stderr, cli::ProgressClear(display));
}

// Says what the conversion of the logs gave; returns whether it worked,
// having said why not if it did not.
bool Report(std::span<const cli::Conversion> logs, const cli::CommandLine& line, bool several, std::FILE* messages,
            const Converted& converted) {
  const cli::Conversion& conversion = logs.front();
  const conversion::ConversionResult& result = converted.Result;
  const std::string label = logs.size() > 1 ? MergedLabel(logs) : LogLabel(conversion.LogName);
  if (!result.Succeeded()) {
    // "-" in a merge: standard input when it is one of the logs.
    const bool standardInput = std::any_of(logs.begin(), logs.end(), [](const cli::Conversion& log) {
      return log.LogName == conversion::StandardStreamName;
    });
    const cli::Conversion named{standardInput ? std::string(conversion::StandardStreamName) : conversion.LogName,
                                conversion.OutputName};
    const std::string file = result.FailedFile.empty() ? conversion.LogName : result.FailedFile;
    Write(stderr, "pinwell: " + FailedFileLabel(file, named) + ": " + result.FailureReason + "\n");
    return false;
  }
  for (std::size_t i = 0; i < result.Logs.size(); ++i) {
    const std::string logLabel = LogLabel(logs[i].LogName);
    Write(stderr, cli::ReadingNotes(logLabel, result.Logs[i], line.Request.Reading.SkipWrongChecksums));
    for (const std::size_t earlier : result.Logs[i].Overlapped) {
      Write(stderr, "pinwell: " + logLabel + ": its times overlap those of " + LogLabel(logs[earlier].LogName) +
                        "; written after it all the same, in the order given\n");
    }
  }
  if (line.Statistics != cli::StatisticsReport::None) {
    return WriteReport(
        cli::StatisticsReportText(line.Statistics, label, converted.Statistics, result.Counts, line.Request.Zone),
        stdout);
  }
  for (const std::string& note : conversion::WrittenNotes(result, line.Request.Zone.Name(), cli::CommandLineOptions))
    Write(stderr, "pinwell: " + label + ": " + note + "\n");

  if (line.Quiet) return true;
  return WriteReport(cli::ConversionReport(several ? label : std::string(), result.RecordsWritten,
                                           result.SpeedAvailable, line.Request.Kept, line.EveryText),
                     messages);
}

}  // namespace

int cli::Main(std::string_view program, std::span<const std::string_view> arguments) {
  cli::CommandLine line;
  if (const auto status = cli::ParseCommandLine(arguments, line, std::cout, std::cerr, program)) {
    if (*status != 0 || std::cout.flush()) return *status;
    Write(stderr, std::string("pinwell: standard output: ") + std::strerror(errno) + "\n");
    return FailureExitStatus;
  }

  const bool writesFiles = line.Statistics == cli::StatisticsReport::None;
  if (const auto clash = writesFiles ? cli::FindFileClash(line.Conversions, line.Merge) : std::nullopt) {
    Write(stderr, "pinwell: " + *clash + "\n");
    return FailureExitStatus;
  }
  conversion::RemoveTemporaryFileOnSignals();

  // The reports must not mix with pushpins written to standard output.
  const bool pushpinsOnStandardOutput =
      std::any_of(line.Conversions.begin(), line.Conversions.end(), WritesStandardOutput);
  std::FILE* const messages = pushpinsOnStandardOutput ? stderr : stdout;
  // Pushpins scrolling over the same terminal would break the line drawn in place.
  const bool showProgress = cli::IsTerminal(stderr) && !(pushpinsOnStandardOutput && cli::IsTerminal(stdout));
  const bool several = line.Conversions.size() > 1;

  if (line.Merge) {
    Converted converted;
    Convert(line.Conversions, line, showProgress, converted);
    return Report(line.Conversions, line, false, messages, converted) ? 0 : FailureExitStatus;
  }
  // Several logs at a time would draw their progress over each other.
  const bool oneAtATime = line.Jobs == 1 || !several;
  std::vector<Converted> converted(line.Conversions.size());
  int status = 0;
  conversion::RunInOrder(
      line.Conversions.size(), line.Jobs,
      [&](std::size_t i) {
        Convert(std::span(line.Conversions).subspan(i, 1), line, showProgress && oneAtATime, converted[i]);
      },
      [&](std::size_t i) {
        if (!Report(std::span(line.Conversions).subspan(i, 1), line, several, messages, converted[i]))
          status = FailureExitStatus;
        converted[i] = {};  // told: its memory may go
      });
  return status;
}
