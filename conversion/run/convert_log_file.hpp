#pragma once
// One conversion run: a log file in, a file of the chosen format out.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/formats/output_format.hpp"
#include "conversion/reading/log_counts.hpp"

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
  LogCounts Counts;
  bool Succeeded() const { return FailureReason.empty(); }
};

// The announcement runs once, after the log has been opened and before the
// output file is opened. The progress report runs now and then while the log
// is read, never per line (once per mebibyte read).
//
// Each run starts from an empty fix. A regular output file is written beside
// its target and put in place only when the whole run succeeded; standard
// output ("-"), devices and pipes are written directly. An output that is
// the log itself is refused with the reason "is the log file itself; choose
// another output file", the log untouched.
//
// The format chooses the writer; the number style shapes the pushpin file
// only. The Statistics format opens no output, and the output's name is not
// used.
ConversionResult ConvertLogFile(std::string_view logName, std::string_view outputName, NumberStyle numberStyle,
                                int resolution, const std::function<void()>& announcement = {},
                                const ProgressReport& progress = {}, const FormatOptions& format = {},
                                const ReadingOptions& reading = {});

}  // namespace conversion
