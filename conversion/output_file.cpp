#include "conversion/output_file.hpp"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "conversion/convert_log_file.hpp"
#include "conversion/standard_streams.hpp"
#include "text/text_utilities.hpp"

namespace fs = std::filesystem;

namespace conversion {

namespace {

// Windows reaches its devices through reserved names in any folder and with
// any extension ("nul", "C:\out\con.txt"); they are no files to replace.
bool IsDeviceName([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  const std::string filename = path.filename().string();
  std::string name = filename.substr(0, filename.find('.'));
  text::UpperCaseString(name);
  for (const std::string_view device : {"NUL", "CON", "PRN", "AUX", "CONIN$", "CONOUT$"})
    if (name == device) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' && name[3] <= '9';
#else
  return false;
#endif
}

// A name beside the target that no file has yet.
fs::path TemporaryName(const fs::path& target) {
  for (int attempt = 0;; ++attempt) {
    fs::path candidate = target;
    candidate += ".tmp" + std::to_string(attempt);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
}

}  // namespace

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Fail(std::string reason) {
  reason_ = std::move(reason);
  Abandon();
  return false;
}

void OutputFile::Abandon() {
  if (ownsFile_ && file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    temporary_.clear();
  }
}

bool OutputFile::Open(std::string_view name) {
  if (name == StandardStreamName) {
    file_ = BinaryStandardOutput();
    return true;
  }
  target_ = fs::path(std::string(name));
  std::error_code error;
  // Replacing a link would put a file in its place: write to what it leads to.
  if (fs::is_symlink(fs::symlink_status(target_, error))) {
    target_ = fs::weakly_canonical(target_, error);
    if (error) return Fail(error.message());
  }
  const fs::file_status status = fs::status(target_, error);
  const bool replacing = fs::is_regular_file(status);
  const bool direct = IsDeviceName(target_) || (fs::exists(status) && !replacing);
  if (replacing) {
    // Renaming over a file gets round its own protection; a file that could
    // not be written in place is not replaced either.
    std::FILE* probe = std::fopen(target_.string().c_str(), "ab");
    if (probe == nullptr) return Fail(std::strerror(errno));
    std::fclose(probe);
  }
  if (!direct) temporary_ = TemporaryName(target_);

  file_ = std::fopen((direct ? target_ : temporary_).string().c_str(), "wb");
  if (file_ == nullptr) {
    const std::string reason = std::strerror(errno);
    temporary_.clear();  // nothing was created
    return Fail(reason);
  }
  ownsFile_ = true;
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the caller hands over large blocks
  if (replacing) fs::permissions(temporary_, status.permissions(), error);
  return true;
}

bool OutputFile::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
  return Fail(std::strerror(errno));
}

bool OutputFile::Commit() {
  const int closed = ownsFile_ ? std::fclose(file_) : std::fflush(file_);
  file_ = nullptr;
  if (closed != 0) return Fail(std::strerror(errno));
  if (temporary_.empty()) return true;
  std::error_code error;
  fs::rename(temporary_, target_, error);
  if (error) return Fail(error.message());
  temporary_.clear();
  return true;
}

bool SameFile(std::string_view first, std::string_view second) {
  const fs::path a(std::string{first});
  const fs::path b(std::string{second});
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const fs::path resolvedA = fs::weakly_canonical(a, error);
  if (error) return false;
  const fs::path resolvedB = fs::weakly_canonical(b, error);
  return !error && resolvedA == resolvedB;
}

}  // namespace conversion
