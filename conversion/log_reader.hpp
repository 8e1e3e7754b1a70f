#pragma once
// Reads a log line by line through one large buffer, however the log is made:
// binary bytes, NUL bytes, CR-only files and lines of megabytes are all lines
// like any other. A line ends at LF; a CR just before the LF belongs to the
// terminator. Only the first LogLineLength characters of a line are handed
// out, so memory stays the same whatever the log holds.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "conversion/convert_log_file.hpp"
#include "conversion/log_line.hpp"

namespace conversion {

class LogReader {
 public:
  LogReader() = default;
  LogReader(const LogReader&) = delete;
  LogReader& operator=(const LogReader&) = delete;
  ~LogReader();

  // The name "-" reads standard input. On failure Reason() tells why. The
  // progress report is kept as a copy, so the caller's may be a temporary.
  bool Open(std::string_view name, ProgressReport progress = {});

  // The next line (at most LogLineLength characters of it, without its
  // terminator); false at the end of the log or when reading failed.
  // Inline: a log has millions of lines, nearly all of them whole in the buffer.
  bool NextLine(std::string_view& line) {
    const char* start = buffer_.get() + begin_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (lf == nullptr) return NextLineAfterRefill(line);
    std::size_t length = static_cast<std::size_t>(lf - start);
    begin_ += length + 1;
    if (length > 0 && start[length - 1] == '\r') --length;
    line = {start, std::min(length, LogLineLength)};
    return true;
  }

  bool Failed() const { return !reason_.empty(); }
  const std::string& Reason() const { return reason_; }

 private:
  bool NextLineAfterRefill(std::string_view& line);
  void Fill();
  bool SkipLongLine(std::string_view& line);

  static constexpr std::size_t BufferSize = std::size_t{1} << 20;

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  std::array<char, LogLineLength> longLine_{};
  std::uint64_t bytesRead_ = 0;
  std::uint64_t totalBytes_ = 0;
  ProgressReport progress_;
  std::string reason_;
};

}  // namespace conversion
