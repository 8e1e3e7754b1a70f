#include "cli/file_clashes.hpp"

#include <map>

#include "conversion/files/file_identity.hpp"
#include "conversion/run/convert_log_file.hpp"

namespace cli {

namespace {

std::string OutputLabel(const std::string& name) {
  return name == conversion::StandardStreamName ? "standard output" : name;
}

std::string LogLabel(const std::string& name) {
  return name == conversion::StandardStreamName ? "standard input" : name;
}

}  // namespace

std::optional<std::string> FindFileClash(const std::vector<Conversion>& conversions, bool merged) {
  std::map<std::string, const Conversion*> logs;
  for (const Conversion& conversion : conversions) {
    std::string identity = conversion::FileIdentity(conversion::AsLog(conversion.LogName));
    if (!identity.empty()) logs.emplace(std::move(identity), &conversion);
  }
  std::map<std::string, const Conversion*> outputs;
  for (const Conversion& conversion : conversions) {
    if (merged && &conversion != &conversions.front()) break;
    std::string identity = conversion::FileIdentity(conversion::AsOutput(conversion.OutputName));
    if (identity.empty()) continue;
    const std::string output = OutputLabel(conversion.OutputName);
    if (const auto log = logs.find(identity); log != logs.end())
      return output + ": is the log " + (log->second->LogName == conversion::StandardStreamName ? "on " : "") +
             LogLabel(log->second->LogName) + "; choose another output file";
    if (const auto [earlier, added] = outputs.emplace(std::move(identity), &conversion); !added)
      return output + ": is the output of " + LogLabel(earlier->second->LogName) +
             " too; convert one of the two logs with -o";
  }
  return std::nullopt;
}

}  // namespace cli
