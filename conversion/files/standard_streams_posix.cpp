#include "conversion/files/standard_streams.hpp"

namespace conversion {

std::FILE* BinaryStandardInput() { return stdin; }
std::FILE* BinaryStandardOutput() { return stdout; }

int DescriptorOfName(std::string_view name) {
  if (name == "/dev/stdout") return 1;
  if (name == "/dev/stderr") return 2;
  for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!name.starts_with(folder) || name.size() == folder.size() || name.size() > folder.size() + 6) continue;
    int descriptor = 0;
    for (const char digit : name.substr(folder.size())) {
      if (digit < '0' || digit > '9') return -1;
      descriptor = descriptor * 10 + (digit - '0');
    }
    return descriptor;
  }
  return -1;
}

}  // namespace conversion
