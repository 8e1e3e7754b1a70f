#pragma once
// One conversion run: a log file in, a file of the chosen format out.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/constants.hpp"
#include "conversion/formats/output_format.hpp"
#include "conversion/formats/time_zone.hpp"
#include "conversion/reading/log_counts.hpp"
#include "conversion/run/track_filter.hpp"

namespace conversion {

struct ConversionResult {
  int RecordsWritten = 0;
  bool SpeedAvailable = false;
  // Empty when the run succeeded; otherwise the file that failed and the
  // system's reason ("No such file or directory").
  std::string FailedFile;
  std::string FailureReason;
  // Map-format points written without a time: no day was known for them.
  long long UndatedPoints = 0;
  // Map-format points written without a time: their day is past 9999-12-31.
  long long PointsPastLastDate = 0;
  // Map-format altitudes and speeds left out, beyond what any map takes.
  long long ValuesOutOfRange = 0;
  // Times left in UTC where a time zone was asked for: no day is known
  // for them.
  long long UtcTimes = 0;
  LogCounts Counts;
  // The fixes the track options left out.
  DroppedFixes Dropped;
  // Each log of the run in its order: one, or those merged.
  struct LogResult {
    LogCounts Counts;
    long long Fixes = 0;  // readable positions
    DroppedFixes Dropped;
    int RecordsWritten = 0;
    // How far its dates were moved forward past a GPS week rollover.
    long long WeeksMoved = 0;
    // The earlier logs whose records' times overlap this one's.
    std::vector<std::size_t> Overlapped;
  };
  std::vector<LogResult> Logs;
  bool Succeeded() const { return FailureReason.empty(); }
};

// All a conversion is asked to do. Several logs are merged into one output,
// in the order given, as one track whose records are numbered on from log to
// log: each log is filtered as if it were converted alone, and starts a new
// segment when the track options ask for segments; the track is named after
// the output. A log that cannot be read fails the whole run. Logs whose times
// overlap are written in the order given all the same; the result says which.
struct ConversionRequest {
  std::vector<std::string> Logs{};  // "-" is standard input
  std::string Output{};             // "-" is standard output; unused by a format that writes no file
  OutputFormat Format = DefaultFormat;
  NumberStyle Style = NumberStyle::English;  // of the pushpin file only
  KeptFixes Kept{};
  TrackOptions Track{};
  ReadingOptions Reading{};
  // The zone of the times people read: the pushpin notes, CSV, the
  // statistics and the picture's caption.
  TimeZone Zone = {};
  // Where the Statistics format sums up the records; not owned.
  TrackStatistics* Statistics = nullptr;
  // Runs once, after the first log has been opened and before the output
  // file is opened.
  std::function<void()> Announcement{};
  // Runs now and then while a log is read, never per line (once per mebibyte read).
  ProgressReport Progress{};
};

// Each run starts from an empty fix. A regular output file is written beside
// its target and put in place only when the whole run succeeded; standard
// output ("-"), devices and pipes are written directly. An output that is
// one of the logs is refused with the reason "is the log file itself; choose
// another output file", the log untouched. The map formats leave out
// positions beyond the earth's ranges whatever the options. No log at all
// converts to nothing.
ConversionResult ConvertLogFile(const ConversionRequest& request);

}  // namespace conversion
