#include "conversion/reading/log_reader.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "conversion/files/standard_streams.hpp"
#include "conversion/files/system_files.hpp"

namespace conversion {

LogReader::~LogReader() {
  if (ownsFile_) std::fclose(file_);
  if (head_ != nullptr) std::fclose(head_);
}

bool LogReader::Open(std::string_view name, ProgressReport progress) {
  if (name == StandardStreamName) {
    file_ = BinaryStandardInput();
  } else {
    const std::filesystem::path path = PathOf(name);
    file_ = OpenPath(path, "rb");
    if (file_ == nullptr) {
      reason_ = std::strerror(errno);
      return false;
    }
    ownsFile_ = true;
    std::setvbuf(file_, nullptr, _IONBF, 0);  // every read below asks for a mebibyte already
    std::error_code error;
    regularFile_ = std::filesystem::is_regular_file(path, error);
    if (regularFile_) totalBytes_ = std::filesystem::file_size(path, error);
    if (error) totalBytes_ = 0;
  }
  // Not zero-filled: many small logs are opened one after another, and a
  // mebibyte of zeros for each cost more than reading them.
  buffer_ = std::make_unique_for_overwrite<char[]>(BufferSize + log_reading::Block);
  progress_ = std::move(progress);
  return true;
}

// Appends to the buffer what the log has next.
void LogReader::Fill() {
  const std::size_t wanted = BufferSize - end_;
  const std::size_t got = ReadMore(buffer_.get() + end_, wanted);
  end_ += got;
  bytesRead_ += got;
  // The search of the last block looks past the bytes read; let it see no
  // line end there.
  std::fill_n(buffer_.get() + end_, log_reading::Block, '\0');
  if (got < wanted) {
    atEnd_ = true;
    if (std::ferror(file_)) reason_ = std::strerror(errno);
  }
  if (progress_) progress_(bytesRead_, totalBytes_ == 0 ? 0 : std::max(totalBytes_, bytesRead_));
}

// The buffer holds no more line ends: read on, or hand out what is left.
bool LogReader::NextLineAfterRefill(std::string_view& line) {
  for (;;) {
    if (Failed()) return false;
    if (atEnd_) {
      if (inLongLine_) {
        inLongLine_ = false;
        line = {longLine_.data(), longLine_.size()};
      } else if (begin_ < end_) {
        line = {buffer_.get() + begin_, std::min(end_ - begin_, LogLineLength)};
      } else {
        return false;
      }
      begin_ = end_;
      return true;
    }
    // A CR that ends what was read waits for the next byte to know whether it ends the line.
    const bool crWaiting = end_ > begin_ && buffer_[end_ - 1] == '\r';
    if (begin_ == 0 && end_ == BufferSize) {
      // A line that fills the whole buffer: keep its head, read past the rest.
      if (!inLongLine_) std::copy_n(buffer_.get(), longLine_.size(), longLine_.begin());
      inLongLine_ = true;
      Leaving(end_ - crWaiting);
      end_ = 0;
      if (crWaiting) buffer_[end_++] = '\r';
    } else {
      Leaving(begin_);
      std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    nextBlock_ = end_ - crWaiting;
    Fill();
    while (SearchNextBlock()) {
      if (ends_ == 0) continue;
      if (!inLongLine_) return NextLine(line);
      inLongLine_ = false;
      begin_ = TakeLineEnd() + 1;
      line = {longLine_.data(), longLine_.size()};
      return true;
    }
  }
}

std::size_t LogReader::ReadMore(char* into, std::size_t wanted) {
  std::size_t got = 0;
  if (replaying_) {
    got = std::fread(into, 1, wanted, head_);
    if (got == wanted) return got;
    if (std::ferror(head_)) reason_ = std::string("temporary file: ") + std::strerror(errno);
    replaying_ = false;
    std::fclose(head_);
    head_ = nullptr;
  }
  // A terminal's end of input is not asked for twice.
  if (!logEnded_) {
    const std::size_t more = std::fread(into + got, 1, wanted - got, file_);
    logEnded_ = more < wanted - got;
    got += more;
  }
  return got;
}

void LogReader::LookAhead() { lookingAhead_ = true; }

void LogReader::Leaving(std::size_t count) {
  if (!lookingAhead_ || count == 0) return;
  headLeft_ = true;
  if (regularFile_ || Failed()) return;
  if (head_ == nullptr) head_ = OpenScratchFile();
  if (head_ == nullptr || std::fwrite(buffer_.get(), 1, count, head_) != count)
    reason_ = std::string("temporary file: ") + std::strerror(errno);
}

bool LogReader::Rewind() {
  if (!Failed() && headLeft_) {
    if (regularFile_) {
      if (std::fseek(file_, 0, SEEK_SET) != 0) reason_ = std::strerror(errno);
      bytesRead_ = 0;
      logEnded_ = false;
    } else {
      // The rest of the head is what the buffer holds.
      Leaving(end_);
      if (!Failed() && (std::fflush(head_) != 0 || std::fseek(head_, 0, SEEK_SET) != 0))
        reason_ = std::string("temporary file: ") + std::strerror(errno);
      replaying_ = true;
    }
    end_ = 0;
    atEnd_ = false;
  }
  lookingAhead_ = false;
  headLeft_ = false;
  begin_ = 0;
  nextBlock_ = 0;
  ends_ = 0;
  inLongLine_ = false;
  if (Failed()) end_ = 0;  // no line is handed out after a failure
  return !Failed();
}

}  // namespace conversion
