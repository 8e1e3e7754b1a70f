// pinwell: converts track logs into pushpin text files from the command line.
// Only this file prints or chooses the exit status.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/console_text.hpp"
#include "cli/file_clashes.hpp"
#include "cli/progress_display.hpp"
#include "cli/report_lines.hpp"
#include "cli/statistics_report.hpp"
#include "cli/terminal.hpp"
#include "conversion/files/standard_streams.hpp"
#include "conversion/files/temporary_file_cleanup.hpp"
#include "conversion/formats/track_statistics.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "text/wide_names.hpp"

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

// Converts one log, or with --stats sums it up; returns whether it worked,
// having said why not if it did not.
bool Convert(const cli::Conversion& conversion, const cli::CommandLine& line, bool several,
             bool showProgress, std::FILE* messages) {
  cli::ProgressDisplay display = cli::ProgressStart(LogLabel(conversion.LogName), cli::ProgressClock::now());
  conversion::ProgressReport progress;
  if (showProgress) {
    progress = [&display](std::uint64_t bytesRead, std::uint64_t totalBytes) {
      const std::string update = cli::ProgressUpdate(display, bytesRead, totalBytes, cli::ProgressClock::now());
      if (!update.empty()) Write(stderr, update);
    };
  }

  conversion::TrackStatistics statistics;
  conversion::FormatOptions format = line.Format;
  format.Statistics = &statistics;
  const conversion::ConversionResult result =
      conversion::ConvertLogFile(conversion.LogName, conversion.OutputName, line.Style, line.Resolution, {}, progress,
                                 format, line.Reading);
  Write(stderr, cli::ProgressClear(display));
  if (!result.Succeeded()) {
    const std::string file = result.FailedFile.empty() ? conversion.LogName : result.FailedFile;
    Write(stderr, "pinwell: " + FailedFileLabel(file, conversion) + ": " + result.FailureReason + "\n");
    return false;
  }
  Write(stderr, cli::ReadingNotes(LogLabel(conversion.LogName), result, line.Reading.SkipWrongChecksums));
  if (line.Statistics != cli::StatisticsReport::None) {
    return WriteReport(cli::StatisticsReportText(line.Statistics, LogLabel(conversion.LogName), statistics, result.Counts), stdout);
  }
  if (result.UndatedPoints > 0) {
    const std::string points = std::to_string(result.UndatedPoints) + (result.UndatedPoints == 1 ? " point" : " points");
    // With a day given every point has one, unless it falls past what a date can hold.
    const std::string_view why = line.Format.FirstDay ? "past 9999-12-31" : "no RMC date before them and no --date";
    Write(stderr, "pinwell: " + LogLabel(conversion.LogName) + ": " + points + " written without time: " +
                      std::string(why) + "\n");
  }

  if (line.Quiet) return true;
  const std::string label = several ? LogLabel(conversion.LogName) : std::string();
  return WriteReport(cli::ConversionReport(label, result.RecordsWritten, result.SpeedAvailable, line.Resolution),
                     messages);
}

int Run(const std::vector<std::string_view>& arguments) {
  cli::CommandLine line;
  if (const auto status = cli::ParseCommandLine(arguments, line, std::cout, std::cerr)) {
    if (*status != 0 || std::cout.flush()) return *status;
    Write(stderr, std::string("pinwell: standard output: ") + std::strerror(errno) + "\n");
    return FailureExitStatus;
  }

  const bool writesFiles = line.Statistics == cli::StatisticsReport::None;
  if (const auto clash = writesFiles ? cli::FindFileClash(line.Conversions) : std::nullopt) {
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

  int status = 0;
  for (const cli::Conversion& conversion : line.Conversions) {
    if (!Convert(conversion, line, several, showProgress, messages)) status = FailureExitStatus;
  }
  return status;
}

}  // namespace

#ifdef _WIN32
// The arguments as the system keeps them, wide, so that any file name
// arrives whole; inside they are UTF-8 like every name.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) names.push_back(text::Utf8FromWide<wchar_t>(argv[i]));
  return Run({names.begin(), names.end()});
}
#else
int main(int argc, char** argv) { return Run({argv + std::min(argc, 1), argv + argc}); }
#endif
