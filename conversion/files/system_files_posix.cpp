#include "conversion/files/system_files.hpp"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace conversion {

fs::path PathOf(std::string_view name) { return fs::path(std::string(name)); }
std::string NameOf(const fs::path& path) { return path.native(); }

std::FILE* OpenPath(const fs::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* OpenDescriptor(int descriptor) {
  const int copy = dup(descriptor);
  if (copy < 0) return nullptr;
  std::FILE* file = fdopen(copy, "wb");
  if (file == nullptr) {
    const int reason = errno;
    close(copy);
    errno = reason;
  }
  return file;
}

bool IsDeviceName(const fs::path&) { return false; }

bool FollowLinks(fs::path& path) {
  // The system's own limit on links in one name.
  constexpr int MostLinks = 40;
  std::error_code absent;  // no file there is no error here
  for (int hops = 0; fs::is_symlink(fs::symlink_status(path, absent)); ++hops) {
    std::error_code error;
    const fs::path next = fs::read_symlink(path, error);
    if (error || hops == MostLinks) {
      errno = error ? error.value() : ELOOP;
      return false;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return true;
}

std::FILE* CreateNewFile(const fs::path& path) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return nullptr;
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    const int reason = errno;
    close(descriptor);
    unlink(path.c_str());
    errno = reason;
  }
  return file;
}

void TakeOverAttributes(std::FILE* file, const fs::path& replaced, const fs::path&) {
  struct stat status {};
  if (stat(replaced.c_str(), &status) != 0) return;
  const int descriptor = fileno(file);
  [[maybe_unused]] const bool owned = fchown(descriptor, status.st_uid, status.st_gid) == 0 ||
                                      fchown(descriptor, static_cast<uid_t>(-1), status.st_gid) == 0;
  fchmod(descriptor, status.st_mode & 07777);
}

void StartWriteBack([[maybe_unused]] std::FILE* file, [[maybe_unused]] std::uint64_t offset,
                    [[maybe_unused]] std::uint64_t length) {
#ifdef __linux__
  // A hint: should it fail, the sync at the end still does all the work.
  sync_file_range(fileno(file), static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#endif
}

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool RenameOver(const fs::path& from, const fs::path& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

void SyncFolder(const fs::path& folder) {
  const int descriptor = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

std::FILE* OpenScratchFile() { return std::tmpfile(); }

int ProcessId() { return static_cast<int>(getpid()); }

}  // namespace conversion
