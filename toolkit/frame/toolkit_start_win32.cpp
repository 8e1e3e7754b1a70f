#include <windows.h>

#include <array>
#include <string>

#include "toolkit/frame/error_boxes.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/start_sequence.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

DWORD Attributes(std::string_view name) {
  const std::string path(name);
  return GetFileAttributesA(path.c_str());
}

bool FileExists(std::string_view name) {
  const DWORD attributes = Attributes(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDriveRoot(std::string_view name) {
  return (name.size() == 2 || (name.size() == 3 && (name[2] == '\\' || name[2] == '/'))) && name[1] == ':';
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

void ReadDisplay(StartPlatform& platform) {
  const HWND desktop = GetDesktopWindow();
  const HDC dc = GetDC(desktop);
  platform.HorizontalResolution = GetDeviceCaps(dc, HORZRES);
  platform.VerticalResolution = GetDeviceCaps(dc, VERTRES);
  platform.ColourPlanes = GetDeviceCaps(dc, PLANES);
  platform.BitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(desktop, dc);
}

void ReadVersion(StartPlatform& platform) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  // Deprecated for its compatibility shims, which is what the toolkit asks
  // about: the version the system presents to this program.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  if (!known) return;
  platform.PlatformId = static_cast<std::int32_t>(version.dwPlatformId);
  platform.MajorVersion = static_cast<std::int32_t>(version.dwMajorVersion);
}

}  // namespace

void ToolkitStart(std::string_view configFileName) {
  if (State.StartedMarker == StartedMark) return;
  RegisterErrorBoxes();

  StartPlatform platform;
  ReadDisplay(platform);
  ReadVersion(platform);

  std::array<char, MAX_PATH + 1> current{};
  const DWORD currentLength = GetCurrentDirectoryA(static_cast<DWORD>(current.size()), current.data());
  platform.CurrentDirectoryKnown = currentLength > 0 && currentLength < current.size();
  if (!platform.CurrentDirectoryKnown) platform.CurrentDirectoryError = static_cast<std::int32_t>(GetLastError());
  platform.CurrentDirectory = {current.data(), platform.CurrentDirectoryKnown ? currentLength : 0};

  std::array<char, MAX_PATH + 1> system{};
  const UINT systemLength = GetSystemDirectoryA(system.data(), static_cast<UINT>(system.size()));
  platform.SystemDirectoryKnown = systemLength > 0 && systemLength < system.size();
  platform.SystemDirectory = {system.data(), platform.SystemDirectoryKnown ? systemLength : 0};

  platform.CommandLine = GetCommandLineA();
  platform.ReadVariable = IOsVariable;
  platform.FileExists = FileExists;
  platform.DirectoryExists = DirectoryExists;

  StartToolkit(platform, configFileName);
}

}  // namespace toolkit
