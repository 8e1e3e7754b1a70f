#include "cli/report_lines.hpp"

#include "conversion/run/report_lines.hpp"

namespace cli {

using conversion::CountLine;
using conversion::GroupedNumber;
using conversion::SpeedUnavailableLine;

std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution,
                             std::string_view every) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  const std::string count = every.empty() ? CountLine(recordsWritten, resolution)
                                          : std::to_string(recordsWritten) +
                                                (recordsWritten == 1 ? " record" : " records") + " written.  Every " +
                                                std::string(every);
  std::string report = prefix + count + "\n";
  if (!speedAvailable) report += prefix + std::string(SpeedUnavailableLine) + "\n";
  return report;
}

std::string ReadingNotes(std::string_view label, const conversion::ConversionResult::LogResult& log,
                         bool skipWrongChecksums) {
  const std::string prefix = "pinwell: " + std::string(label) + ": ";
  std::string notes;
  const std::string reason = conversion::NoRecordReason(log);
  if (!reason.empty()) notes += prefix + reason + "\n";
  // Where every fix was left out the reason said why.
  const std::pair<long long, std::string_view> dropped[] = {
      {log.Dropped.NotFixes, " without a fix left out (--fixes-only)"},
      {log.Dropped.OffEarth, " beyond 90 degrees of latitude or 180 of longitude left out: no map takes them"},
      {log.Dropped.Outliers, " left out as farther than the maximum speed reaches (--max-speed)"},
  };
  for (const auto& [count, what] : dropped) {
    if (count == 0 || !reason.empty()) continue;
    notes += prefix + GroupedNumber(count) + (count == 1 ? " position" : " positions") + std::string(what) + "\n";
  }
  if (const std::string moved = conversion::RolloverNote(log); !moved.empty()) notes += prefix + moved + "\n";
  if (const long long impossible = log.Counts.ImpossibleTimes; impossible > 0) {
    notes += prefix + GroupedNumber(impossible) + (impossible == 1 ? " position" : " positions") +
             " without time: no time of day (hours beyond 23, minutes or seconds beyond 59)\n";
  }
  if (const long long wrong = log.Counts.WrongChecksums; wrong > 0) {
    notes += prefix + GroupedNumber(wrong) + (wrong == 1 ? " sentence" : " sentences") + " with a wrong checksum " +
             (skipWrongChecksums ? "skipped (--checksums)" : "read all the same (--checksums skips them)") + "\n";
  }
  return notes;
}

}  // namespace cli
