#include "conversion/files/system_files.hpp"

#include <cerrno>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>

#include "text/text_utilities.hpp"
#include "text/wide_names.hpp"

namespace fs = std::filesystem;

namespace conversion {

namespace {

// The C library's reasons, so that messages read alike whichever call failed.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
      return EINVAL;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

bool Failed() {
  errno = ErrnoOf(GetLastError());
  return false;
}

}  // namespace

fs::path PathOf(std::string_view name) { return fs::path(text::WideFromUtf8<wchar_t>(name)); }
std::string NameOf(const fs::path& path) { return text::Utf8FromWide<wchar_t>(path.native()); }

std::FILE* OpenPath(const fs::path& path, const char* mode) {
  return _wfopen(path.c_str(), text::WideFromUtf8<wchar_t>(mode).c_str());
}

std::FILE* OpenDescriptor(int) {
  errno = EBADF;
  return nullptr;
}

bool IsDeviceName(const fs::path& path) {
  std::string filename = NameOf(path.filename());
  std::string name = filename.substr(0, filename.find('.'));
  text::UpperCaseString(name);
  for (const std::string_view device : {"NUL", "CON", "PRN", "AUX", "CONIN$", "CONOUT$"})
    if (name == device) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' && name[3] <= '9';
}

bool FollowLinks(fs::path& path) {
  // A link that leads nowhere yet is left as it is: the file system finds
  // the end of a link only for a file that is there.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
  const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
  if (length >= final.size()) {
    final.resize(length);
    length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
  }
  CloseHandle(file);
  if (length == 0 || length >= final.size()) return Failed();
  final.resize(length);
  path = final;
  return true;
}

std::FILE* CreateNewFile(const fs::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    DeleteFileW(path.c_str());
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) {
    const int reason = errno;
    _close(descriptor);
    DeleteFileW(path.c_str());
    errno = reason;
  }
  return file;
}

void TakeOverAttributes(std::FILE*, const fs::path& replaced, const fs::path& replacing) {
  std::error_code ignored;
  fs::permissions(replacing, fs::status(replaced, ignored).permissions(), ignored);
}

// Windows has no request that starts a range's write-back without waiting
// for it (FlushFileBuffers waits, for the whole file and the disk's own cache),
// and none is needed: the cache manager's lazy writer already writes a file's
// written pages in the background within a second or so, while the log is read.
void StartWriteBack(std::FILE*, std::uint64_t, std::uint64_t) {}

bool SyncFile(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) || Failed();
}

bool RenameOver(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) || Failed();
}

void SyncFolder(const fs::path&) {}

std::FILE* OpenScratchFile() {
  // The C library's tmpfile() writes to the root of the drive, which users may
  // not write to. "D" deletes the file when it is closed, "T" keeps it in
  // memory while it can.
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) {
    errno = error.value();
    return nullptr;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path name = folder / ("pinwell-" + std::to_string(random()) + ".tmp");
    if (fs::exists(name, error)) continue;
    if (std::FILE* file = _wfopen(name.c_str(), L"w+bTD")) return file;
  }
  return nullptr;
}

int ProcessId() { return _getpid(); }

}  // namespace conversion
