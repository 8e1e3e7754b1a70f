#include <doctest/doctest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "text/wide_names.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

TEST_CASE("IOsVariable") {
  SetEnvironmentVariableA("PINWELL_FIT", std::string(8, 'f').c_str());
  SetEnvironmentVariableA("PINWELL_LONG", std::string(9, 'l').c_str());
  SetEnvironmentVariableA("PINWELL_HUGE", std::string(5000, 'h').c_str());
  ErrorQuery(1);
  text::FixedText<8> value("old");

  IOsVariable("  PINWELL_FIT and more", value.Span());
  CHECK(value.View() == "ffffffff");
  CHECK(ErrorQuery(1) == 0);

  IOsVariable("PINWELL_LONG", value.Span());
  CHECK(value.IsBlank());
  CHECK(ErrorQuery(1) == 65);

  value = "old";
  IOsVariable("PINWELL_HUGE", value.Span());
  CHECK(value.IsBlank());
  CHECK(ErrorQuery(1) == 65);

  value = "old";
  IOsVariable("PINWELL_ABSENT", value.Span());
  CHECK(value.IsBlank());
  CHECK(ErrorQuery(1) == 0);
}

TEST_CASE("ToolkitStart on the real platform") {
  const ScratchDirectory dir("toolkit-start");
  const std::string root = dir.Path.string();
  std::filesystem::create_directory(dir / "charsets");
  WriteFileBytes(dir / "kvt$$00.plt", "");
  WriteFileBytes(dir / "kestra.ini",
                 "PLNAME = wine plot.plt\r\n"
                 "LFNGEN\t=\t50\r\n"
                 "PRINTER=32\r\n"
                 "BROWSER=C:\\Program Files\\browser.exe\r\n");
  SetEnvironmentVariableA("KESTRA", root.c_str());
  SetEnvironmentVariableA("KIDE", nullptr);
  SetEnvironmentVariableA("KESTINIT", nullptr);
  SetEnvironmentVariableA("TEMP", root.c_str());
  SetEnvironmentVariableA("LUMCHDIR", std::string(300, 'c').c_str());
  SetEnvironmentVariableA("KESTDEBUG", nullptr);

  ToolkitStart(" ");

  const HDC screen = GetDC(nullptr);
  std::printf("device: %d planes, %d bits per pixel\n", GetDeviceCaps(screen, PLANES), GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&version);
#pragma GCC diagnostic pop
  std::printf("version %lu.%lu build %lu, platform %lu\n", version.dwMajorVersion, version.dwMinorVersion,
              version.dwBuildNumber, version.dwPlatformId);
  std::printf("screen %d x %d, colours %d, palette %d; platform NT=%d 9x=%d Win32s=%d, major %d\n",
              State.ScreenWidth, State.ScreenHeight, State.ColourCount, State.PaletteSize, State.IsWindowsNT,
              State.IsWindows9x, State.IsWin32s, State.OsMajorVersion);
  std::printf("system directory [%.*s]\ncurrent directory [%s]\ncommand line [%.*s]\n",
              static_cast<int>(State.SystemDirectory.Trimmed().size()), State.SystemDirectory.Trimmed().data(),
              std::filesystem::current_path().string().c_str(),
              static_cast<int>(State.CommandLine.Trimmed().size()), State.CommandLine.Trimmed().data());

  // The Xvfb screen that the Windows tests run on.
  CHECK(State.ScreenWidth == 1024);
  CHECK(State.ScreenHeight == 768);
  CHECK(State.ColourCount == 16777216);
  CHECK(State.PaletteSize == 256);
  CHECK(State.IsWindowsNT == 1);
  CHECK(State.IsWindows9x == 0);
  CHECK(State.OsMajorVersion >= 5);

  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  CHECK(State.SystemDirectory.Trimmed() == system);
  CHECK(State.CommandLine == text::FixedText<1024>(text::Utf8FromWide(std::wstring_view(GetCommandLineW()))));

  CHECK(State.RootDirectory.Trimmed() == root + "\\");
  CHECK(State.ConfigFileName.Trimmed() == "kestra.ini");
  CHECK(State.TempPlotFile.Trimmed() == root + "\\kvt$$01.plt");
  CHECK(State.CharDirectory.Trimmed() == root + "\\charsets\\");
  CHECK(State.PlotFileName.Trimmed() == "wine plot.plt");
  CHECK(State.BrowserCommand.Trimmed() == "C:\\Program Files\\browser.exe");
  CHECK(State.GeneralUnit == 50);
  CHECK(State.PrinterDriver == 32);
  CHECK(State.Hpgl2Mode == 2);
  CHECK(State.ErrorReportMode == 0);
  CHECK(State.ProductName.Trimmed() == "Kestrafolio");

  SUBCASE("a second call changes nothing, even with another file") {
    const ToolkitState first = State;
    WriteFileBytes(dir / "other.ini", "PLNAME=other.plt\r\n");
    SetEnvironmentVariableA("KESTRA", "Q:\\elsewhere");
    ToolkitStart("other.ini");
    CHECK(State == first);
  }
}

TEST_CASE("ToolkitStart in a folder that the ANSI code page cannot name") {
  // J\u00F6rg and \u5730\u56F3 (a map), as a user's folder and an installation's may be named.
  const ScratchDirectory scratch("toolkit-start-wide");
  const std::filesystem::path dir = scratch / u8"J\u00F6rg \u5730\u56F3";
  std::filesystem::create_directory(dir);
  const std::u8string named = dir.u8string();
  const std::string root(named.begin(), named.end());
  WriteFileBytes(dir / "kestra.ini", "PLNAME=wide.plt\r\n");
  SetEnvironmentVariableW(L"KESTRA", dir.wstring().c_str());
  SetEnvironmentVariableW(L"KESTINIT", (dir / "kestra.ini").wstring().c_str());
  SetEnvironmentVariableW(L"TEMP", dir.wstring().c_str());
  State.StartedMarker = 0;

  ToolkitStart(" ");

  CHECK(State.RootDirectory.Trimmed() == root + "\\");
  CHECK(State.ConfigFileName.Trimmed() == root + "\\kestra.ini");
  CHECK(State.PlotFileName.Trimmed() == "wide.plt");
  CHECK(State.TempPlotFile.Trimmed() == root + "\\kvt$$00.plt");
}
