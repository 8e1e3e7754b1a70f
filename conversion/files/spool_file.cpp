#include "conversion/files/spool_file.hpp"

#include <cerrno>
#include <cstring>

#include "conversion/files/system_files.hpp"

namespace conversion {

namespace {

constexpr std::size_t BlockSize = std::size_t{1} << 16;

}  // namespace

SpoolFile::~SpoolFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool SpoolFile::Fail() {
  if (reason_.empty()) reason_ = std::string("temporary file: ") + std::strerror(errno);
  return false;
}

bool SpoolFile::Open() {
  file_ = OpenScratchFile();
  if (file_ == nullptr) return Fail();
  buffer_.reserve(BlockSize);
  return true;
}

bool SpoolFile::Drain() {
  if (!reason_.empty()) return false;
  const bool written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
  buffer_.clear();
  return written || Fail();
}

void SpoolFile::Write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > BlockSize && !Drain()) return;
  if (reason_.empty()) buffer_ += bytes;
}

bool SpoolFile::ReadBack(const std::function<bool(std::string_view)>& take) {
  if (!Drain() || std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) return Fail();
  buffer_.resize(BlockSize);
  for (;;) {
    const std::size_t read = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (read > 0 && !take({buffer_.data(), read})) return false;
    if (read < buffer_.size()) break;
  }
  if (std::ferror(file_)) return Fail();
  return true;
}

}  // namespace conversion
