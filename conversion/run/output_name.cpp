#include "conversion/run/output_name.hpp"

#include <algorithm>

#include "text/text_utilities.hpp"

namespace conversion {

std::string DefaultOutputName(std::string_view logName, std::string_view extension) {
  constexpr std::string_view logExtension = ".pgl";
  const auto found = std::search(logName.begin(), logName.end(), logExtension.begin(), logExtension.end(),
                                 [](char a, char b) { return text::LowerCase(a) == text::LowerCase(b); });
  std::string name(logName.begin(), found);
  name += extension;
  return name;
}

}  // namespace conversion
