#include "conversion/report_lines.hpp"

#include <cstdio>

namespace conversion {

std::string CountLine(int recordsWritten, int resolution) {
  char line[80];
  const int length =
      std::snprintf(line, sizeof line, "%8d records written.  Resolution (secs): %2d", recordsWritten, resolution);
  std::string_view text(line, static_cast<std::size_t>(length));
  text.remove_prefix(text.find_first_not_of(' '));
  return std::string(text);
}

}  // namespace conversion
