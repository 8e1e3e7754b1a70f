#include "cli/report_lines.hpp"

#include <cstdio>

namespace cli {

std::string CountLine(int recordsWritten, int resolution) {
  char line[80];
  const int length =
      std::snprintf(line, sizeof line, "%8d records written.  Resolution (secs): %2d", recordsWritten, resolution);
  std::string_view text(line, static_cast<std::size_t>(length));
  text.remove_prefix(text.find_first_not_of(' '));
  return std::string(text);
}

std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable, int resolution) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  std::string report = prefix + CountLine(recordsWritten, resolution) + "\n";
  if (!speedAvailable) report += prefix + std::string(SpeedUnavailableLine) + "\n";
  return report;
}

}  // namespace cli
