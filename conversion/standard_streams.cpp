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

}  // namespace conversion
