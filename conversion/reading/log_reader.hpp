#pragma once
// Reads a log line by line through one large buffer, however the log is made:
// binary bytes, NUL bytes and lines of megabytes are all lines like any other.
// A line ends at LF, at CR LF, or at a CR that no LF follows: some receivers
// end their lines with CR alone. Only the first LogLineLength characters of a
// line are handed out, so memory stays the same whatever the log holds.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "conversion/constants.hpp"

namespace conversion {

namespace log_reading {

constexpr std::size_t Block = 64;

// One bit for each LF and one for each CR among the Block bytes at `bytes`,
// bit i for byte i. Lines are short, so one search per block finds a line end
// or two at the cost that a library search pays to start on one line.
struct BlockEnds {
  std::uint64_t Lf = 0;
  std::uint64_t Cr = 0;
};
inline BlockEnds LineEnds(const char* bytes) {
  BlockEnds ends;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  for (std::size_t i = 0; i < Block; i += 16) {
    const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    ends.Lf |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, lf)))} << i;
    ends.Cr |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, cr)))} << i;
  }
#else
  for (std::size_t i = 0; i < Block; ++i) {
    ends.Lf |= std::uint64_t{bytes[i] == '\n'} << i;
    ends.Cr |= std::uint64_t{bytes[i] == '\r'} << i;
  }
#endif
  return ends;
}

// The bits of the first n bytes of a block.
constexpr std::uint64_t FirstBytes(std::size_t n) { return n >= Block ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1; }

}  // namespace log_reading

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
    while (ends_ == 0) {
      if (!SearchNextBlock()) return NextLineAfterRefill(line);
    }
    const char* start = buffer_.get() + begin_;
    std::size_t length = TakeLineEnd() - begin_;
    begin_ += length + 1;
    // A CR before an LF belongs to the LF's line end. Before a CR's it cannot
    // stand: it would have ended a line of its own.
    if (length > 0 && start[length - 1] == '\r') --length;
    line = {start, std::min(length, LogLineLength)};
    return true;
  }

  // A look at the log before it is read: the lines read from its start to
  // Rewind are read again after it. A log whose head has left the buffer by
  // then is a file read again from its start, or one that may be a pipe
  // (standard input, a name of a pipe), whose head was kept in a scratch
  // file as it left: memory stays the same, and no input is read twice.
  void LookAhead();
  bool Rewind();

  bool Failed() const { return !reason_.empty(); }
  const std::string& Reason() const { return reason_; }

 private:
  // Finds the line ends of the next block of the buffer; false when the
  // buffer has no more.
  // A CR ends a line unless an LF follows it.
  bool SearchNextBlock() {
    if (nextBlock_ >= end_) return false;
    const char* bytes = buffer_.get() + nextBlock_;
    const std::size_t valid = end_ - nextBlock_;
    const log_reading::BlockEnds found = log_reading::LineEnds(bytes);
    const std::uint64_t lf = found.Lf & log_reading::FirstBytes(valid);
    // In LF and CR LF logs nearly always none.
    const std::uint64_t loneCr = found.Cr & ~(lf >> 1);
    ends_ = loneCr == 0 ? lf : lf | CrLineEnds(loneCr, bytes, valid);
    nextBlock_ += log_reading::Block;
    return true;
  }
  // Of the CRs no LF of the block follows, those that end a line: the block's
  // last one only if no LF follows it in the next, and the last byte read only
  // once the log is known to have no more.
  std::uint64_t CrLineEnds(std::uint64_t crs, const char* bytes, std::size_t valid) const {
    if (valid > log_reading::Block && bytes[log_reading::Block] == '\n')
      crs &= ~(std::uint64_t{1} << (log_reading::Block - 1));
    return crs & log_reading::FirstBytes(atEnd_ ? valid : valid - 1);
  }
  // Where the first line end not yet taken stands.
  std::size_t TakeLineEnd() {
    const std::size_t lf = nextBlock_ - log_reading::Block + static_cast<std::size_t>(std::countr_zero(ends_));
    ends_ &= ends_ - 1;
    return lf;
  }

  bool NextLineAfterRefill(std::string_view& line);
  void Fill();
  // The first `count` bytes of the buffer are about to leave it.
  void Leaving(std::size_t count);
  // From the kept head first, while it is replayed, then from the log.
  std::size_t ReadMore(char* into, std::size_t wanted);

  static constexpr std::size_t BufferSize = std::size_t{1} << 20;

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  // A block is searched whole even when the buffer ends inside it, and the
  // byte after it is looked at.
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;      // where the current line starts
  std::size_t end_ = 0;        // where the bytes read so far end
  std::size_t nextBlock_ = 0;  // where the search for line ends goes on
  std::uint64_t ends_ = 0;     // the line ends of the block before nextBlock_ not yet taken
  bool atEnd_ = false;
  // The head of a line longer than the buffer, while the rest is read past.
  bool inLongLine_ = false;
  std::array<char, LogLineLength> longLine_{};
  std::uint64_t bytesRead_ = 0;
  std::uint64_t totalBytes_ = 0;
  ProgressReport progress_;
  std::string reason_;
  // Looking ahead: whether the log is a regular file (read again, not kept),
  // whether bytes of its head have left the buffer, and where they were kept.
  bool regularFile_ = false;
  bool lookingAhead_ = false;
  bool headLeft_ = false;
  std::FILE* head_ = nullptr;
  bool replaying_ = false;
  bool logEnded_ = false;
};

}  // namespace conversion
