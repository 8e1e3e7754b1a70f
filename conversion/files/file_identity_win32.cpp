#include "conversion/files/file_identity.hpp"

#include <cstdint>
#include <filesystem>

#include <io.h>
#include <windows.h>

#include "conversion/constants.hpp"
#include "conversion/files/system_files.hpp"
#include "text/wide_names.hpp"

namespace fs = std::filesystem;

namespace conversion {

namespace {

// The volume and the number of a file on it, or of a folder when asked.
std::string VolumeAndNumber(HANDLE handle, bool folder) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &information)) return {};
  if (((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) return {};
  const std::uint64_t number = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
  return std::to_string(information.dwVolumeSerialNumber) + ":" + std::to_string(number);
}

std::string VolumeAndNumber(const fs::path& path, bool folder) {
  // No access asked for: only what the file is, even of a file another
  // program holds without sharing.
  const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::string identity = VolumeAndNumber(handle, folder);
  CloseHandle(handle);
  return identity;
}

// The name as the file system compares names: each unit in its upper case,
// whatever the language.
std::wstring Folded(const std::wstring& name) {
  std::wstring folded(name.size(), L'\0');
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(name.size()),
                              folded.data(), static_cast<int>(folded.size()), nullptr, nullptr, 0);
  return n == static_cast<int>(name.size()) ? folded : name;
}

// A file not there yet is the name it will have in the folder where it will
// be: the folder however reached, the name in any case.
std::string IdentityOfAbsent(const fs::path& path) {
  const fs::path name = path.filename();
  if (name.empty() || name == L"." || name == L"..") return {};
  const std::string folder = VolumeAndNumber(path.parent_path().empty() ? fs::path(L".") : path.parent_path(), true);
  if (folder.empty()) return {};
  return "name:" + folder + "/" + text::Utf8FromWide<wchar_t>(Folded(name.native()));
}

}  // namespace

std::string FileIdentity(NamedFile file) {
  const fs::path path = PathOf(file.Name);
  const std::string identity =
      file.Name == StandardStreamName
          ? VolumeAndNumber(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.StandardStream))), false)
          : VolumeAndNumber(path, false);
  if (!identity.empty()) return "file:" + identity;
  if (file.Name == StandardStreamName) return {};
  // Only a file not there yet, in a folder that is, may still be made.
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND) return {};
  return IdentityOfAbsent(path);
}

}  // namespace conversion
