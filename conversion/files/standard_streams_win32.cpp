#include "conversion/files/standard_streams.hpp"

#include <fcntl.h>
#include <io.h>

namespace conversion {

namespace {
// Windows opens the standard streams in text mode, which would turn every LF
// written into CR LF and drop CRs read.
std::FILE* Binary(std::FILE* stream) {
  _setmode(_fileno(stream), _O_BINARY);
  return stream;
}
}  // namespace

std::FILE* BinaryStandardInput() { return Binary(stdin); }
std::FILE* BinaryStandardOutput() { return Binary(stdout); }

int DescriptorOfName(std::string_view) { return -1; }

}  // namespace conversion
