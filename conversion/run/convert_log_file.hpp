#pragma once
// One conversion run: a log file in, a pushpin text file out.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/formats/output_format.hpp"

namespace conversion {

// What the log held, to say why it gave no record.
struct LogCounts {
  long long Lines = 0;
  std::string Talker;                    // of the first position sentence: "GP", "GN", ...
  long long Positions = 0;               // position sentences of that talker, read or not
  long long WithoutPosition = 0;         // of those, the ones with an empty latitude or longitude
  std::string OtherTalker;               // the first other talker of a position sentence
  long long OtherTalkerPositions = 0;    // position sentences of other talkers, passed over
  long long WrongChecksums = 0;          // sentences read (or skipped) whose checksum did not match
};

// Beyond the specified reading, for the command line.
struct ReadingOptions {
  bool SkipWrongChecksums = false;
};

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
// The format chooses what is written; the number style shapes the pushpin
// file only. The Statistics format opens no output, and the output's name
// is not used.
ConversionResult ConvertLogFile(std::string_view logName, std::string_view outputName, int numberStyle,
                                int resolution, const std::function<void()>& announcement = {},
                                const ProgressReport& progress = {}, const FormatOptions& format = {},
                                const ReadingOptions& reading = {});

}  // namespace conversion
