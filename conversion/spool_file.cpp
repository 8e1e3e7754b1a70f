#include "conversion/spool_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace conversion {

namespace {

constexpr std::size_t BlockSize = std::size_t{1} << 16;

std::FILE* OpenTemporaryFile() {
#ifdef _WIN32
  // The C library's tmpfile() writes to the root of the drive, which users may
  // not write to. "D" deletes the file when it is closed.
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) {
    errno = error.value();
    return nullptr;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path name = folder / ("pinwell-" + std::to_string(random()) + ".tmp");
    if (std::filesystem::exists(name, error)) continue;
    if (std::FILE* file = std::fopen(name.string().c_str(), "w+bTD")) return file;
  }
  return nullptr;
#else
  return std::tmpfile();
#endif
}

}  // namespace

SpoolFile::~SpoolFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool SpoolFile::Fail() {
  if (reason_.empty()) reason_ = std::string("temporary file: ") + std::strerror(errno);
  return false;
}

bool SpoolFile::Open() {
  file_ = OpenTemporaryFile();
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
