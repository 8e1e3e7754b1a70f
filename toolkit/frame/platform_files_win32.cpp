#include "toolkit/frame/platform_files_win32.hpp"

#include <windows.h>

#include <string>

#include "toolkit/state/platform_text_win32.hpp"

namespace toolkit {

namespace {

DWORD Attributes(std::string_view name) { return GetFileAttributesW(PlatformText(name).c_str()); }

bool IsDriveRoot(std::string_view name) {
  return (name.size() == 2 || (name.size() == 3 && (name[2] == '\\' || name[2] == '/'))) && name[1] == ':';
}

}  // namespace

bool FileExists(std::string_view name) {
  const DWORD attributes = Attributes(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(std::string_view name) {
  if (IsDriveRoot(name)) {
    const std::string root = std::string(name.substr(0, 2)) + "\\";
    const UINT type = GetDriveTypeA(root.c_str());
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
  }
  const DWORD attributes = Attributes(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::FILE* OpenForReading(std::string_view name) { return _wfopen(PlatformText(name).c_str(), L"rb"); }

}  // namespace toolkit
