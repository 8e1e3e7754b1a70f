#include "conversion/output_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

#include "conversion/convert_log_file.hpp"
#include "conversion/standard_streams.hpp"
#include "conversion/temporary_file_cleanup.hpp"
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

// Where a chain of links ends, whether or not a file is there yet: replacing
// a link would put a file in its place.
fs::path FollowLinks(fs::path path, std::error_code& error) {
  std::error_code absent;  // no file there is no error here
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, absent)); ++hops) {
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

int ProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

// Creates a new file beside the target, its name showing the program and the
// process that writes it and never longer than a file name may be.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary) {
  constexpr std::size_t LongestFileName = 255;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string ending = ".pinwell-";
    ending += std::to_string(ProcessId());
    if (attempt > 0) {
      ending += '-';
      ending += std::to_string(attempt);
    }
    ending += ".tmp";
    fs::path::string_type name = target.filename().native();
    name.resize(std::min(name.size(), LongestFileName - ending.size()));
    temporary = target.parent_path() / name;
    temporary += ending;
    // Noted before it exists: a signal that comes as soon as it is made must
    // find it. A file of this name left by an earlier process of this number
    // was one of ours too.
    NoteTemporaryFile(temporary);
#ifdef _WIN32
    const int descriptor =
        _open(temporary.string().c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
#else
    const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    std::FILE* file = descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
#endif
    if (file != nullptr) return file;
    const int reason = errno;
    if (descriptor >= 0) {
      close(descriptor);
      std::remove(temporary.string().c_str());
    }
    ForgetTemporaryFile();
    errno = reason;
    if (reason != EEXIST) return nullptr;
  }
  return nullptr;
}

// The new file takes the permissions of the one it replaces and, where the
// process may give it away (root may; anyone may keep a group they are in),
// its owner and group.
void TakeOverAttributes([[maybe_unused]] std::FILE* file, const fs::path& replaced,
                        [[maybe_unused]] const fs::path& replacing) {
#ifdef _WIN32
  std::error_code ignored;
  fs::permissions(replacing, fs::status(replaced, ignored).permissions(), ignored);
#else
  struct stat status {};
  if (stat(replaced.c_str(), &status) != 0) return;
  const int descriptor = fileno(file);
  [[maybe_unused]] const bool owned = fchown(descriptor, status.st_uid, status.st_gid) == 0 ||
                                      fchown(descriptor, static_cast<uid_t>(-1), status.st_gid) == 0;
  fchmod(descriptor, status.st_mode & 07777);
#endif
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
    ForgetTemporaryFile();
    temporary_.clear();
  }
}

bool OutputFile::Open(std::string_view name) {
  failedFile_ = name;
  if (name == StandardStreamName) {
    file_ = BinaryStandardOutput();
    return true;
  }
#ifndef _WIN32
  // Opening such a name anew would truncate a file that the shell opened for
  // appending (>>): it is written through the descriptor itself.
  if (const int descriptor = DescriptorOfName(name); descriptor >= 0) {
    const int copy = dup(descriptor);
    if (copy < 0) return Fail(std::strerror(errno));
    file_ = fdopen(copy, "wb");
    if (file_ == nullptr) {
      close(copy);
      return Fail(std::strerror(errno));
    }
    ownsFile_ = true;
    return true;
  }
#endif

  // Devices, pipes and anything else that is no regular file (a link to one
  // included) are written as they are; a file replaces a regular file or
  // appears only when complete.
  const fs::path named(std::string{name});
  std::error_code absent;  // a file not there yet is made
  const fs::file_status status = fs::status(named, absent);
  if (IsDeviceName(named) || (fs::exists(status) && !fs::is_regular_file(status))) {
    file_ = std::fopen(named.string().c_str(), "wb");
    if (file_ == nullptr) return Fail(std::strerror(errno));
    ownsFile_ = true;
    return true;
  }
  std::error_code error;
  target_ = FollowLinks(named, error);
  if (error) return Fail(error.message());
  const bool replacing = fs::is_regular_file(status);
  if (replacing) {
    // Renaming over a file gets round its own protection; a file that could
    // not be written in place is not replaced either.
    std::FILE* probe = std::fopen(target_.string().c_str(), "ab");
    if (probe == nullptr) return Fail(std::strerror(errno));
    std::fclose(probe);
  }

  file_ = CreateTemporary(target_, temporary_);
  if (file_ == nullptr) {
    const std::string reason = std::strerror(errno);
    temporary_.clear();  // nothing was created
    // The file itself may be written: what refused is its folder.
    if (replacing) failedFile_ = ((target_.parent_path().empty() ? fs::path(".") : target_.parent_path()) / "").string();
    return Fail(reason);
  }
  ownsFile_ = true;
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the caller hands over large blocks
  if (replacing) TakeOverAttributes(file_, target_, temporary_);
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
  ForgetTemporaryFile();
  temporary_.clear();
  return true;
}

}  // namespace conversion
