#include "cli/output_name.hpp"

#include <algorithm>
#include <cctype>

#include "conversion/run/convert_log_file.hpp"

namespace cli {

namespace {

bool SameIgnoringCase(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string DefaultOutputName(std::string_view logName, std::string_view extension) {
  if (logName == conversion::StandardStreamName) return std::string(conversion::StandardStreamName);
  constexpr std::string_view logExtension = ".pgl";
  const auto found = std::search(logName.begin(), logName.end(), logExtension.begin(), logExtension.end(),
                                 SameIgnoringCase);
  std::string name(logName.begin(), found);
  name += extension;
  return name;
}

}  // namespace cli
