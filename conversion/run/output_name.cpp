#include "conversion/run/output_name.hpp"

#include <algorithm>

namespace conversion {

namespace {

// ASCII letters only: the rest of a UTF-8 name is compared byte for byte.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string DefaultOutputName(std::string_view logName, std::string_view extension) {
  constexpr std::string_view logExtension = ".pgl";
  const auto found = std::search(logName.begin(), logName.end(), logExtension.begin(), logExtension.end(),
                                 [](char a, char b) { return Lower(a) == Lower(b); });
  std::string name(logName.begin(), found);
  name += extension;
  return name;
}

}  // namespace conversion
