#include "cli/output_name.hpp"

#include <algorithm>
#include <cctype>

#include "conversion/convert_log_file.hpp"

namespace cli {

namespace {

bool SameIgnoringCase(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string DefaultOutputName(std::string_view logName) {
  if (logName == conversion::StandardStreamName) return std::string(conversion::StandardStreamName);
  constexpr std::string_view extension = ".pgl";
  const auto found = std::search(logName.begin(), logName.end(), extension.begin(), extension.end(),
                                 SameIgnoringCase);
  std::string name(logName.begin(), found);
  name += ".txt";
  return name;
}

}  // namespace cli
