#include "toolkit/frame/start_sequence.hpp"

#include <algorithm>
#include <string>

#include "toolkit/frame/configuration_file.hpp"
#include "toolkit/frame/hardcopy_requests.hpp"
#include "toolkit/state/abnormal_exit.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

template <std::size_t N>
text::FixedText<N> Variable(const StartPlatform& platform, std::string_view name) {
  text::FixedText<N> value;
  platform.ReadVariable(name, value.Span());
  return value;
}

// Texts from the platform end at their terminator.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

void SetDisplayAndSystem(const StartPlatform& platform) {
  State.ScreenWidth = platform.HorizontalResolution;
  State.ScreenHeight = platform.VerticalResolution;
  State.ColourCount = ColourCountFor(platform.ColourPlanes, platform.BitsPerPixel);
  State.PaletteSize = PaletteSizeFor(State.ColourCount);
  State.IsWin32s = platform.PlatformId == 0 ? 1 : 0;
  State.IsWindows9x = platform.PlatformId == 1 ? 1 : 0;
  State.IsWindowsNT = platform.PlatformId == 2 ? 1 : 0;
  State.OsMajorVersion = platform.MajorVersion;
}

void SetDefaults() {
  State.RootWindowOpen = 0;
  State.DialogLoaded = 0;
  State.Dialog = {};
  State.LastError = 0;
  State.ErrorSlot2 = 0;
  State.ErrorSlot3 = 0;
  State.ErrorReportMode = 0;
  State.FontCache.fill(-1);
  State.PathSeparator = "\\";
  State.ErrorBeep = 1;
  State.GeneralUnit = 40;
  State.PlotOutputUnit = 41;
  State.PlotInputUnit = 42;
  State.ProductName = "Kestrafolio";
}

// Returns whether the root directory came from KESTRA.
bool SetRootDirectory(const StartPlatform& platform) {
  const text::FixedText<140> kestra = Variable<140>(platform, "KESTRA");
  if (!kestra.IsBlank()) {
    State.RootDirectory = RootFromKestra(kestra.View());
    return true;
  }
  const text::FixedText<140> kide = Variable<140>(platform, "KIDE");
  if (!kide.IsBlank()) {
    State.RootDirectory = RootFromKide(kide.View());
    return false;
  }
  if (!platform.CurrentDirectoryKnown) {
    State.ErrorSlot3 = platform.CurrentDirectoryError;
    ErrorRaise(ErrorNumber::OsCommandFailed);
  }
  State.RootDirectory = RootFromDrive(platform.CurrentDirectoryKnown ? platform.CurrentDirectory : "");
  return false;
}

void FindConfigurationFile(const StartPlatform& platform, bool rootFromKestra) {
  State.ConfigFileName = "";
  const text::FixedText<160> kestinit = Variable<160>(platform, "KESTINIT");
  if (!kestinit.IsBlank() && platform.FileExists(kestinit.Trimmed())) {
    State.ConfigFileName = kestinit;
  } else if (platform.FileExists("kestra.ini")) {
    State.ConfigFileName = "kestra.ini";
  } else if (rootFromKestra) {
    const std::string candidate = std::string(State.RootDirectory.Trimmed()) + "kestra.ini";
    if (candidate.size() <= 160 && platform.FileExists(candidate)) State.ConfigFileName = candidate;
  }
}

void SetTempPlotFile(const StartPlatform& platform) {
  const text::FixedText<140> temp = Variable<140>(platform, "TEMP");
  text::FixedText<140> tmp;
  if (temp.IsBlank()) tmp = Variable<140>(platform, "TMP");
  State.TempPlotFile = TempPlotFileName(temp.View(), tmp.View(), platform.FileExists);
  State.SecondTempFile = "";
}

void ReadConfiguration(const StartPlatform& platform, std::string_view configFileName,
                       ConfigurationRequests& requests) {
  const std::string_view named = text::TrimTrailing(configFileName);
  if (!named.empty() && ReadConfigurationFile(named, requests, platform.OpenForReading)) return;
  if (!State.ConfigFileName.IsBlank()) {
    ReadConfigurationFile(State.ConfigFileName.Trimmed(), requests, platform.OpenForReading);
  }
}

}  // namespace

std::int32_t ColourCountFor(std::int32_t planes, std::int32_t bitsPerPixel) {
  const std::int32_t bits = std::clamp(planes * std::min(bitsPerPixel, 24), 0, 24);
  return std::int32_t{1} << bits;
}

std::int32_t PaletteSizeFor(std::int32_t colourCount) {
  switch (colourCount) {
    case 2:
      return 2;
    case 16:
      return 8;
    case 256:
      return 16;
    default:
      return 256;
  }
}

void StartToolkit(const StartPlatform& platform, std::string_view configFileName) {
  if (State.StartedMarker == StartedMark) return;
  State.StartedMarker = StartedMark;

  SetDisplayAndSystem(platform);
  SetDefaults();
  const bool rootFromKestra = SetRootDirectory(platform);
  FindConfigurationFile(platform, rootFromKestra);
  State.DumpFileName = "lumendra.dmp";
  State.PlotFileName = "lumendra.plt";
  State.CharSetFile = "standard.chr";
  SetTempPlotFile(platform);
  State.CharDirectory = StrokeFontDirectory(Variable<140>(platform, "LUMCHDIR").View(),
                                            State.RootDirectory.View(), platform.DirectoryExists);
  State.SystemDirectory = platform.SystemDirectoryKnown ? UpToNul(platform.SystemDirectory) : "";

  ErrorReportModeSet(Variable<1>(platform, "KESTDEBUG")[0] - '0');
  State.BrowserCommand = "netscape";
  State.CommandLine = UpToNul(platform.CommandLine);

  ConfigurationRequests requests;
  ReadConfiguration(platform, configFileName, requests);
  if (!State.CharDirectory.IsBlank()) State.CharDirectory = WithSeparator(State.CharDirectory.View());
  ApplyHardcopyRequests(requests);

  if (requests.VersionRequested) AbnormalExit(VersionText, 0);
}

}  // namespace toolkit
