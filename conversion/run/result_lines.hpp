#pragma once
// The lines that tell what a conversion read and wrote, word for word, so
// that both programs say the same: the desktop program shows them in its
// window, the command line prints them. Each program names its own options.

#include <string>
#include <string_view>
#include <vector>

#include "conversion/run/convert_log_file.hpp"

namespace conversion {

constexpr std::string_view SpeedUnavailableLine = "Speed/Course data not available";

// "42 records written.  Resolution (secs):  5": the count right-justified in
// 8 columns and the resolution in 2 (both wider when they need it), the
// whole without its leading blanks; "73 records written as GPX track. ..."
// with a format's name.
std::string CountLine(int recordsWritten, int resolution, std::string_view formatName = {});

// Why a log gave no record, for a user who expected some: "no position in
// 1,204 $GPGGA sentences: the receiver had no fix", or "all 12 fixes left
// out: 12 without a fix", with where the positions came from in a log
// without GGA. Empty when it gave records.
std::string NoRecordReason(const ConversionResult::LogResult& log);
// Of a run of one log.
std::string NoRecordReason(const ConversionResult& result);

// How the program that shows the notes names the options they point to; an
// option it lacks is left empty, and the notes then say nothing of it.
struct OptionNames {
  std::string_view FixesOnly;
  std::string_view MaxSpeed;
  std::string_view Checksums;
  std::string_view Date;
};

// The notes on what was read from a log, in the order they are shown: why
// it gave no record, the fixes the options left out, dates moved past a
// rollover, positions without a time of day, the sentences with a wrong
// checksum. The command line prints each after "pinwell: <log>: ", the
// desktop program shows each as a line of its window.
std::vector<std::string> ReadingNotes(const ConversionResult::LogResult& log, bool skipWrongChecksums,
                                      const OptionNames& names);

// The notes on the points a run wrote: those without a time (no day known
// for them, or past 9999-12-31), the values no map takes, and the times left
// in UTC, where a zone's offset needs a date the log does not give.
std::vector<std::string> WrittenNotes(const ConversionResult& result, std::string_view zoneName,
                                      const OptionNames& names);

// "dates moved forward by 1024 weeks: the receiver reports dates from
// before its GPS week rollover"; empty when they were not moved.
std::string RolloverNote(const ConversionResult::LogResult& log);
// "3 times left in UTC: ...", for the times whose zone offset needs a date
// the log does not give; empty when there are none.
std::string UtcTimesNote(const ConversionResult& result, std::string_view zoneName, const OptionNames& names);
// "GGA", "RMC", "GLL".
std::string_view PositionSentenceName(PositionSentence sentence);
// Which sentences gave a log's positions, and why: "GGA", "RMC: the log has
// no GGA", "GLL: the log has no GGA or RMC".
std::string_view PositionsFromText(PositionSentence sentence);

// "1,204": the digits in groups of three.
std::string GroupedNumber(long long value);

}  // namespace conversion
