// io_floor: the I/O of a conversion and nothing else, the floor that
// bench/throughput measures each conversion against.
//
//   io_floor LOG OUTPUT BYTES
//
// Reads the whole log as the converter does (blocks of a mebibyte, no
// buffering of the library's own) and writes BYTES bytes to OUTPUT as they
// fall due while it reads, in blocks of a mebibyte, through the converter's
// own output file: a temporary file beside OUTPUT, its write-back started as
// it grows, synced, renamed over OUTPUT, the folder synced. An OUTPUT of "-"
// is standard output, written as the converter writes it, never synced.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/files/output_file.hpp"

namespace {

constexpr std::size_t Block = std::size_t{1} << 20;

int Fail(std::string_view what, std::string_view reason) {
  std::fprintf(stderr, "io_floor: %.*s: %.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(reason.size()), reason.data());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage", "io_floor LOG OUTPUT BYTES");
  std::FILE* log = std::fopen(argv[1], "rb");
  if (log == nullptr) return Fail(argv[1], "cannot be read");
  std::setvbuf(log, nullptr, _IONBF, 0);
  const std::uint64_t logBytes = std::filesystem::file_size(argv[1]);
  const std::uint64_t outputBytes = std::strtoull(argv[3], nullptr, 10);

  conversion::OutputFile output;
  if (!output.Open(argv[2])) return Fail(argv[2], output.Reason());
  std::vector<char> in(Block);
  const std::string out(Block, 'x');
  std::uint64_t read = 0;
  std::uint64_t written = 0;
  for (;;) {
    const std::size_t got = std::fread(in.data(), 1, in.size(), log);
    read += got;
    // The records of what was read fall due as it is read.
    const std::uint64_t due = logBytes == 0 ? outputBytes : outputBytes * std::min(read, logBytes) / logBytes;
    for (; due - written >= Block; written += Block)
      if (!output.Write(out)) return Fail(argv[2], output.Reason());
    if (got < in.size()) break;
  }
  std::fclose(log);
  for (std::uint64_t chunk = 0; written < outputBytes; written += chunk) {
    chunk = std::min<std::uint64_t>(Block, outputBytes - written);
    if (!output.Write(std::string_view(out).substr(0, chunk))) return Fail(argv[2], output.Reason());
  }
  if (!output.Commit()) return Fail(argv[2], output.Reason());
  return 0;
}
