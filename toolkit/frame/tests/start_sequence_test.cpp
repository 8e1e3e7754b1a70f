#include <doctest/doctest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/start_sequence.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

namespace {

// The platform a test describes: its environment, and the files and
// directories that exist besides those really on disk.
std::map<std::string, std::string, std::less<>> environment;
std::set<std::string, std::less<>> files;
std::set<std::string, std::less<>> directories;

void ReadVariable(std::string_view name, std::span<char> value) {
  const auto found = environment.find(FirstWord(name));
  StoreVariableValue(found == environment.end() ? std::nullopt : std::optional<std::string_view>(found->second),
                     value);
}

// A "\" between directory and name is a path separator here too.
std::filesystem::path HostPath(std::string_view name) {
  std::string path(name);
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

bool FileExists(std::string_view name) {
  return files.contains(name) || std::filesystem::is_regular_file(HostPath(name));
}

bool DirectoryExists(std::string_view name) { return directories.contains(name); }

StartPlatform Platform() {
  StartPlatform platform;
  platform.HorizontalResolution = 1024;
  platform.VerticalResolution = 768;
  platform.ColourPlanes = 1;
  platform.BitsPerPixel = 24;
  platform.PlatformId = 2;
  platform.MajorVersion = 6;
  platform.CurrentDirectoryKnown = true;
  platform.CurrentDirectory = "E:\\work\\logs";
  platform.SystemDirectoryKnown = true;
  platform.SystemDirectory = std::string_view("C:\\windows\\system32\0junk", 24);
  platform.CommandLine = "pinwell.exe";
  platform.ReadVariable = ReadVariable;
  platform.FileExists = FileExists;
  platform.DirectoryExists = DirectoryExists;
  return platform;
}

void Start(const StartPlatform& platform = Platform(), std::string_view configFileName = " ") {
  State = ToolkitState{};
  StartToolkit(platform, configFileName);
}

}  // namespace

TEST_CASE("StartToolkit") {
  const ScratchDirectory dir("start");
  environment.clear();
  files.clear();
  directories.clear();

  SUBCASE("built-in defaults") {
    Start();
    CHECK(State.StartedMarker == -9999);
    CHECK(State.ScreenWidth == 1024);
    CHECK(State.ScreenHeight == 768);
    CHECK(State.ColourCount == 16777216);
    CHECK(State.PaletteSize == 256);
    CHECK(State.IsWindowsNT == 1);
    CHECK(State.IsWindows9x == 0);
    CHECK(State.IsWin32s == 0);
    CHECK(State.OsMajorVersion == 6);
    CHECK(State.PathSeparator.View() == "\\");
    CHECK(State.ErrorBeep == 1);
    CHECK(State.GeneralUnit == 40);
    CHECK(State.PlotOutputUnit == 41);
    CHECK(State.PlotInputUnit == 42);
    CHECK(State.ProductName.Trimmed() == "Kestrafolio");
    CHECK(State.RootDirectory.Trimmed() == "E:\\kest\\");
    CHECK(State.ConfigFileName.IsBlank());
    CHECK(State.DumpFileName.Trimmed() == "lumendra.dmp");
    CHECK(State.PlotFileName.Trimmed() == "lumendra.plt");
    CHECK(State.CharSetFile.Trimmed() == "standard.chr");
    CHECK(State.TempPlotFile.Trimmed() == "C:\\kvt$$00.plt");
    CHECK(State.SecondTempFile.IsBlank());
    CHECK(State.CharDirectory.IsBlank());
    CHECK(State.SystemDirectory.Trimmed() == "C:\\windows\\system32");
    CHECK(State.ErrorReportMode == 0);
    CHECK(State.BrowserCommand.Trimmed() == "netscape");
    CHECK(State.CommandLine.Trimmed() == "pinwell.exe");
    CHECK(State.PrinterDriver == 28);
    CHECK(State.PlotterDriver == 1);
    CHECK(State.Hpgl2Mode == 1);
    CHECK(State.FontCache == std::array<std::int32_t, 5>{-1, -1, -1, -1, -1});
    CHECK(State.RootWindowOpen == 0);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("colour count and palette size from planes and bits per pixel") {
    struct Row {
      std::int32_t Planes, Bits, Colours, Palette;
    };
    for (const Row row : {Row{1, 1, 2, 2}, Row{1, 4, 16, 8}, Row{4, 1, 16, 8}, Row{1, 8, 256, 16},
                          Row{1, 16, 65536, 256}, Row{1, 32, 16777216, 256}, Row{2, 24, 16777216, 256}}) {
      CAPTURE(row.Planes);
      CAPTURE(row.Bits);
      CHECK(ColourCountFor(row.Planes, row.Bits) == row.Colours);
      CHECK(PaletteSizeFor(row.Colours) == row.Palette);
    }
  }
  SUBCASE("root directory from KESTRA, with the separator added once") {
    environment["KESTRA"] = "D:\\tools\\kest";
    Start();
    CHECK(State.RootDirectory.Trimmed() == "D:\\tools\\kest\\");
    environment["KESTRA"] = "D:\\tools\\kest\\";
    Start();
    CHECK(State.RootDirectory.Trimmed() == "D:\\tools\\kest\\");
  }
  SUBCASE("root directory from KIDE: the directory above its last KIDE, any case") {
    environment["KIDE"] = "C:\\Kest\\Kide\\bin";
    files.insert("C:\\Kest\\kestra.ini");
    Start();
    CHECK(State.RootDirectory.Trimmed() == "C:\\Kest\\");
    CHECK(State.ConfigFileName.IsBlank());
    environment["KIDE"] = "C:\\kide\\tools\\KIDE";
    Start();
    CHECK(State.RootDirectory.Trimmed() == "C:\\kide\\tools\\");
    environment["KIDE"] = "C:\\devtools";
    Start();
    CHECK(State.RootDirectory.Trimmed() == "C:\\devtools");
  }
  SUBCASE("a current directory that cannot be read: error 13 and no drive; the configuration's lines clear slot 1") {
    WriteFileBytes("kestra.ini", "LFNGEN=50\r\n");
    StartPlatform platform = Platform();
    platform.CurrentDirectoryKnown = false;
    platform.CurrentDirectoryError = 5;
    Start(platform);
    CHECK(State.GeneralUnit == 50);
    CHECK(State.RootDirectory.Trimmed() == "  \\kest\\");
    CHECK(ErrorQuery(1) == 0);
    CHECK(ErrorQuery(3) == 5);
  }
  SUBCASE("configuration file search order") {
    environment["KESTRA"] = "D:\\kest";
    files.insert("D:\\kest\\kestra.ini");
    Start();
    CHECK(State.ConfigFileName.Trimmed() == "D:\\kest\\kestra.ini");
    WriteFileBytes("kestra.ini", "");
    Start();
    CHECK(State.ConfigFileName.Trimmed() == "kestra.ini");
    environment["KESTINIT"] = "D:\\elsewhere\\my.ini";
    Start();
    CHECK(State.ConfigFileName.Trimmed() == "kestra.ini");
    files.insert("D:\\elsewhere\\my.ini");
    Start();
    CHECK(State.ConfigFileName.Trimmed() == "D:\\elsewhere\\my.ini");
  }
  SUBCASE("the file named by the caller comes before the one found") {
    WriteFileBytes("kestra.ini", "PLNAME=found.plt\n");
    WriteFileBytes("named.ini", "PLNAME=named.plt\n");
    Start(Platform(), "named.ini  ");
    CHECK(State.PlotFileName.Trimmed() == "named.plt");
    CHECK(State.ConfigFileName.Trimmed() == "kestra.ini");
    Start(Platform(), "absent.ini");
    CHECK(State.PlotFileName.Trimmed() == "found.plt");
  }
  SUBCASE("settings of the configuration file, applied after the defaults") {
    WriteFileBytes("kestra.ini", "CHARDIR=X:\\fonts\nPLOTTER=12\nLFNGEN=50\nDEBUG=3\n");
    Start();
    CHECK(State.CharDirectory.Trimmed() == "X:\\fonts\\");
    CHECK(State.PlotterDriver == 1);
    CHECK(State.Hpgl2Mode == 2);
    CHECK(State.GeneralUnit == 50);
    CHECK(State.ErrorReportMode == 3);
  }
  SUBCASE("temporary plot file: TEMP, else TMP, else C:\\") {
    environment["TMP"] = "D:\\tmp\\";
    Start();
    CHECK(State.TempPlotFile.Trimmed() == "D:\\tmp\\kvt$$00.plt");
    environment["TEMP"] = "C:\\temp";
    files.insert("C:\\temp\\kvt$$00.plt");
    files.insert("C:\\temp\\kvt$$01.plt");
    files.insert("C:\\temp\\kvt$$03.plt");
    Start();
    CHECK(State.TempPlotFile.Trimmed() == "C:\\temp\\kvt$$02.plt");
  }
  SUBCASE("with all hundred names taken the last one is used") {
    const std::filesystem::path temp = dir / "temp";
    std::filesystem::create_directory(temp);
    for (int i = 0; i < 100; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "kvt$$%02d.plt", i);
      WriteFileBytes(temp / name, "");
    }
    environment["TEMP"] = temp.string();
    Start();
    CHECK(State.TempPlotFile.Trimmed() == temp.string() + "\\kvt$$99.plt");
    std::filesystem::remove(temp / "kvt$$57.plt");
    Start();
    CHECK(State.TempPlotFile.Trimmed() == temp.string() + "\\kvt$$57.plt");
  }
  SUBCASE("environment values too long for their fields: error 65, value blank") {
    environment["TEMP"] = std::string(141, 't');
    environment["TMP"] = "D:\\tmp";
    environment["KESTRA"] = std::string(200, 'k');
    environment["KESTDEBUG"] = "12";
    Start();
    CHECK(State.TempPlotFile.Trimmed() == "D:\\tmp\\kvt$$00.plt");
    CHECK(State.RootDirectory.Trimmed() == "E:\\kest\\");
    CHECK(State.ErrorReportMode == 0);
    CHECK(ErrorQuery(1) == 65);
    environment["TEMP"] = std::string(140, 't');
    Start();
    CHECK(State.TempPlotFile.Trimmed() == std::string(140, 't') + "\\kvt$$00.plt");
  }
  SUBCASE("stroke-font directory: LUMCHDIR, else the root's charsets if it exists") {
    environment["KESTRA"] = "D:\\kest";
    Start();
    CHECK(State.CharDirectory.IsBlank());
    directories.insert("D:\\kest\\charsets");
    Start();
    CHECK(State.CharDirectory.Trimmed() == "D:\\kest\\charsets\\");
    environment["LUMCHDIR"] = "F:\\chars\\";
    Start();
    CHECK(State.CharDirectory.Trimmed() == "F:\\chars\\");
  }
  SUBCASE("KESTDEBUG offers its first character as the report mode") {
    for (const auto& [value, mode] : {std::pair{"3", 3}, std::pair{"7", 0}, std::pair{"x", 0}, std::pair{" ", 0}}) {
      CAPTURE(value);
      environment["KESTDEBUG"] = value;
      Start();
      CHECK(State.ErrorReportMode == mode);
    }
  }
  SUBCASE("the command line: 1024 characters at most, blank from a NUL on") {
    StartPlatform platform = Platform();
    const std::string longLine(2000, 'c');
    platform.CommandLine = longLine;
    Start(platform);
    CHECK(State.CommandLine.View() == longLine.substr(0, 1024));
    platform.CommandLine = std::string_view("prog.exe\0rest", 13);
    Start(platform);
    CHECK(State.CommandLine.Trimmed() == "prog.exe");
    platform.SystemDirectoryKnown = false;
    Start(platform);
    CHECK(State.SystemDirectory.IsBlank());
  }
  SUBCASE("a second start changes nothing") {
    WriteFileBytes("kestra.ini", "PLNAME=first.plt\n");
    WriteFileBytes("other.ini", "PLNAME=second.plt\n");
    Start();
    const ToolkitState first = State;
    environment["KESTRA"] = "Q:\\other";
    StartPlatform platform = Platform();
    platform.HorizontalResolution = 640;
    StartToolkit(platform, "other.ini");
    CHECK(State.PlotFileName.Trimmed() == "first.plt");
    CHECK(State.RootDirectory == first.RootDirectory);
    CHECK(State.ScreenWidth == 1024);
  }
}
