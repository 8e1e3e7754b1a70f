#include "cli/conversion_report.hpp"

#include "conversion/run/result_lines.hpp"

namespace cli {

using conversion::CountLine;
using conversion::SpeedUnavailableLine;

std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable,
                             const conversion::KeptFixes& kept, std::string_view every) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  const conversion::OneFixIn* oneIn = std::get_if<conversion::OneFixIn>(&kept);
  const std::string count = oneIn ? CountLine(recordsWritten, oneIn->Fixes)
                                          : std::to_string(recordsWritten) +
                                                (recordsWritten == 1 ? " record" : " records") + " written.  Every " +
                                                std::string(every);
  std::string report = prefix + count + "\n";
  if (!speedAvailable) report += prefix + std::string(SpeedUnavailableLine) + "\n";
  return report;
}

std::string ReadingNotes(std::string_view label, const conversion::ConversionResult::LogResult& log,
                         bool skipWrongChecksums) {
  std::string notes;
  for (const std::string& note : conversion::ReadingNotes(log, skipWrongChecksums, CommandLineOptions)) {
    notes += "pinwell: " + std::string(label) + ": " + note + "\n";
  }
  return notes;
}

}  // namespace cli
