#include <windows.h>

#include <array>
#include <string>

#include "toolkit/frame/error_boxes.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/platform_files_win32.hpp"
#include "toolkit/frame/start_sequence.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

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

  // Wide, then UTF-8 as every name inside the toolkit.
  std::array<wchar_t, MAX_PATH + 1> current{};
  const DWORD currentLength = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  platform.CurrentDirectoryKnown = currentLength > 0 && currentLength < current.size();
  if (!platform.CurrentDirectoryKnown) platform.CurrentDirectoryError = static_cast<std::int32_t>(GetLastError());
  const std::string currentDirectory =
      TextFromPlatform({current.data(), platform.CurrentDirectoryKnown ? currentLength : 0});
  platform.CurrentDirectory = currentDirectory;

  std::array<wchar_t, MAX_PATH + 1> system{};
  const UINT systemLength = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
  platform.SystemDirectoryKnown = systemLength > 0 && systemLength < system.size();
  const std::string systemDirectory = TextFromPlatform({system.data(), platform.SystemDirectoryKnown ? systemLength : 0});
  platform.SystemDirectory = systemDirectory;

  const std::string commandLine = TextFromPlatform(GetCommandLineW());
  platform.CommandLine = commandLine;
  platform.ReadVariable = IOsVariable;
  platform.FileExists = FileExists;
  platform.DirectoryExists = DirectoryExists;
  platform.OpenForReading = OpenForReading;

  StartToolkit(platform, configFileName);
}

}  // namespace toolkit
