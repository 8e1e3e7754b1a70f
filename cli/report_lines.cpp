#include "cli/report_lines.hpp"

#include "conversion/run/report_lines.hpp"

namespace cli {

using conversion::CountLine;
using conversion::GroupedNumber;
using conversion::SpeedUnavailableLine;

std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  std::string report = prefix + CountLine(recordsWritten, resolution) + "\n";
  if (!speedAvailable) report += prefix + std::string(SpeedUnavailableLine) + "\n";
  return report;
}

std::string ReadingNotes(std::string_view label, const conversion::ConversionResult& result,
                         bool skipWrongChecksums) {
  const std::string prefix = "pinwell: " + std::string(label) + ": ";
  std::string notes;
  if (const std::string reason = conversion::NoRecordReason(result); !reason.empty()) notes += prefix + reason + "\n";
  if (const long long wrong = result.Counts.WrongChecksums; wrong > 0) {
    notes += prefix + GroupedNumber(wrong) + (wrong == 1 ? " sentence" : " sentences") + " with a wrong checksum " +
             (skipWrongChecksums ? "skipped (--checksums)" : "read all the same (--checksums skips them)") + "\n";
  }
  return notes;
}

}  // namespace cli
