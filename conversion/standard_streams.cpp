#include "conversion/standard_streams.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace conversion {

namespace {
// Windows opens the standard streams in text mode, which would turn every LF
// written into CR LF and drop CRs read.
std::FILE* Binary(std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#endif
  return stream;
}
}  // namespace

std::FILE* BinaryStandardInput() { return Binary(stdin); }
std::FILE* BinaryStandardOutput() { return Binary(stdout); }

int DescriptorOfName([[maybe_unused]] std::string_view name) {
#ifndef _WIN32
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
#endif
  return -1;
}

}  // namespace conversion
