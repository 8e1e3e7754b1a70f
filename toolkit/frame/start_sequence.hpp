#pragma once
// What ToolkitStart does once the platform has answered its questions: the
// platform's facts come in, toolkit::State comes out.

#include <cstdint>
#include <span>
#include <string_view>

#include "toolkit/frame/configuration_file.hpp"
#include "toolkit/frame/start_paths.hpp"

namespace toolkit {

inline constexpr std::string_view VersionText = "Kestrafolio version 2.30e";

struct StartPlatform {
  std::int32_t HorizontalResolution = 0;
  std::int32_t VerticalResolution = 0;
  std::int32_t ColourPlanes = 0;
  std::int32_t BitsPerPixel = 0;
  std::int32_t PlatformId = 0;  // 0 Win32s, 1 Windows 9x, 2 Windows NT
  std::int32_t MajorVersion = 0;
  bool CurrentDirectoryKnown = false;
  std::int32_t CurrentDirectoryError = 0;  // the system's code when it is not known
  std::string_view CurrentDirectory;
  bool SystemDirectoryKnown = false;
  std::string_view SystemDirectory;  // may hold its terminator and what follows
  std::string_view CommandLine;
  void (*ReadVariable)(std::string_view name, std::span<char> value) = nullptr;  // as IOsVariable
  ExistsTest FileExists = nullptr;
  ExistsTest DirectoryExists = nullptr;
  FileOpener OpenForReading = OpenByBytes;
};

std::int32_t ColourCountFor(std::int32_t planes, std::int32_t bitsPerPixel);
std::int32_t PaletteSizeFor(std::int32_t colourCount);

// Every step of ToolkitStart after the platform queries. Does nothing once
// State is marked started; a version request in the configuration file ends
// the process through AbnormalExit.
void StartToolkit(const StartPlatform& platform, std::string_view configFileName);

}  // namespace toolkit
