#include "cli/report_lines.hpp"

#include "conversion/report_lines.hpp"

namespace cli {

using conversion::CountLine;
using conversion::SpeedUnavailableLine;

std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  std::string report = prefix + CountLine(recordsWritten, resolution) + "\n";
  if (!speedAvailable) report += prefix + std::string(SpeedUnavailableLine) + "\n";
  return report;
}

}  // namespace cli
