#include "conversion/files/file_identity.hpp"

#include <cstdio>

namespace conversion {

NamedFile AsLog(std::string_view name) { return {name, stdin}; }
NamedFile AsOutput(std::string_view name) { return {name, stdout}; }

bool SameFile(NamedFile first, NamedFile second) {
  const std::string identity = FileIdentity(first);
  return !identity.empty() && identity == FileIdentity(second);
}

}  // namespace conversion
