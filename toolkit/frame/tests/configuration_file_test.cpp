#include <doctest/doctest.h>

#include <string>

#include "toolkit/frame/configuration_file.hpp"
#include "toolkit/frame/hardcopy_requests.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/captured_output.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

namespace {

void ResetSettings() {
  State = ToolkitState{};
  State.GeneralUnit = 40;
  State.PlotOutputUnit = 41;
  State.PlotInputUnit = 42;
  State.BrowserCommand = "netscape";
  State.PlotFileName = "lumendra.plt";
}

ConfigurationRequests Apply(std::initializer_list<std::string_view> lines) {
  ConfigurationRequests requests;
  for (const std::string_view line : lines) ApplyConfigurationLine(line, requests);
  return requests;
}

}  // namespace

TEST_CASE("Configuration lines") {
  ResetSettings();

  SUBCASE("integer keys: any case, blanks around the equals sign, one word") {
    Apply({"  lfngen =  50 and more"});
    CHECK(State.GeneralUnit == 50);
    Apply({"LFNGEN\t=\t60\t"});
    CHECK(State.GeneralUnit == 60);
  }
  SUBCASE("a logical file number already taken is refused") {
    Apply({"LFNGEN=41", "LFNGEN=42", "LFNPLOTI=40", "LFNPLOTI=41", "LFNPLOTO=40", "LFNPLOTO=42"});
    CHECK(State.GeneralUnit == 40);
    CHECK(State.PlotOutputUnit == 41);
    CHECK(State.PlotInputUnit == 42);
    Apply({"LFNGEN=43", "LFNPLOTO=40", "LFNPLOTI=41"});
    CHECK(State.GeneralUnit == 43);
    CHECK(State.PlotOutputUnit == 40);
    CHECK(State.PlotInputUnit == 41);
  }
  SUBCASE("a value that is no number leaves an integer key alone") {
    Apply({"LFNGEN=50", "LFNGEN=abc", "LFNGEN=2147483648", "LFNGEN=1.5"});
    CHECK(State.GeneralUnit == 50);
    Apply({"LFNGEN=2147483647"});
    CHECK(State.GeneralUnit == 2147483647);
    Apply({"LFNGEN=-"});
    CHECK(State.GeneralUnit == 0);
  }
  SUBCASE("each line leaves error slot 1 clear; an error from before does not cost a good number") {
    State.LastError = 13;
    Apply({"LFNGEN=50"});
    CHECK(State.GeneralUnit == 50);
    CHECK(State.LastError == 0);
    Apply({"BROWSER=C:\\Program Files\\browser.exe"});
    CHECK(ErrorQuery(1) == 0);
    Apply({"LFNGEN=x", "PLNAME=a.plt"});
    CHECK(State.GeneralUnit == 50);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("text keys keep inner blanks and case, drop trailing blanks") {
    Apply({"PLNAME = my plot.plt   ", "charset=\tFonts\tA.chr", "BROWSER=a=b", "CHARDIR=12"});
    CHECK(State.PlotFileName.Trimmed() == "my plot.plt");
    CHECK(State.CharSetFile.Trimmed() == "Fonts A.chr");
    CHECK(State.BrowserCommand.Trimmed() == "a=b");
    CHECK(State.CharDirectory.Trimmed() == "12");
  }
  SUBCASE("a text longer than its field is cut") {
    const std::string value(160, 'd');
    Apply({"CHARDIR=" + value});
    CHECK(State.CharDirectory.View() == value.substr(0, 140));
  }
  SUBCASE("lines without key, equals sign or value are passed over") {
    Apply({"PLNAME", "=x", "PLNAME=", "PLNAME=    \t", "   =x", "", "PLNAME x"});
    CHECK(State.PlotFileName.Trimmed() == "lumendra.plt");
  }
  SUBCASE("keys count by their first 8 characters, and need 3") {
    Apply({"LFNPLOTOX=50", "PR=5", "CHARSETS=other.chr", "PLNAME extra = x.plt"});
    CHECK(State.PlotOutputUnit == 50);
    CHECK(State.CharSetFile.IsBlank());
    CHECK(State.PlotFileName.Trimmed() == "x.plt");
    const ConfigurationRequests requests = Apply({"PR=5"});
    CHECK(requests.Printer == 0);
  }
  SUBCASE("any key starting with VER asks for the version, with or without a value") {
    CHECK(Apply({"VERSION="}).VersionRequested);
    CHECK(Apply({"verbose=1"}).VersionRequested);
    CHECK(Apply({"VER"}).VersionRequested == false);
    CHECK(Apply({"VE=1"}).VersionRequested == false);
    CHECK(Apply({"XVERSION=1"}).VersionRequested == false);
  }
  SUBCASE("DEBUG takes 0 to 4 only") {
    Apply({"DEBUG=2"});
    CHECK(State.ErrorReportMode == 2);
    Apply({"DEBUG=5", "DEBUG=-1", "DEBUG=x"});
    CHECK(State.ErrorReportMode == 2);
    Apply({"DEBUG=-0"});
    CHECK(State.ErrorReportMode == 0);
  }
  SUBCASE("columns after 170 never count") {
    Apply({"PLNAME" + std::string(163, ' ') + "=x.plt"});
    CHECK(State.PlotFileName.Trimmed() == "lumendra.plt");
    Apply({"BROWSER=" + std::string(162, 'a') + "PLNAME=b"});
    CHECK(State.BrowserCommand.Trimmed() == std::string(162, 'a'));
    Apply({"PLNAME" + std::string(162, ' ') + "=y"});
    CHECK(State.PlotFileName.Trimmed() == "y");
    // An "=" in column 170 makes the line one to ignore, version request and all.
    CHECK(Apply({"VER" + std::string(166, ' ') + "="}).VersionRequested == false);
    CHECK(Apply({"VER" + std::string(165, ' ') + "=x"}).VersionRequested);
  }
  SUBCASE("with report mode 1 each value that is no number is reported") {
    Apply({"DEBUG=1"});
    const std::string out = CapturedOutput([] { Apply({"LFNGEN=abc", "BROWSER=", "PLNAME=a b", "LFNGEN=7"}); });
    CHECK(out == " Error=  12:Invalid character detected\n"
                     " Error=  12:Invalid character detected\n");
    CHECK(State.PlotFileName.Trimmed() == "a b");
    CHECK(State.GeneralUnit == 7);
    CHECK(ErrorQuery(1) == 0);
  }
}

TEST_CASE("Hardcopy requests") {
  // The drivers and mode taken, and whether each was chosen (1) or is a
  // default (0).
  struct Row {
    ConfigurationRequests Requests;
    std::int32_t Printer, Plotter, Hpgl2;
    std::int32_t PrinterChosen, PlotterChosen, Hpgl2Chosen;
  };
  const Row rows[] = {
      {{false, 0, 0, 0}, 28, 1, 1, 0, 0, 0},
      {{false, 5, 0, 0}, 5, 1, 1, 1, 0, 0},
      {{false, 1, 0, 0}, 1, 1, 1, 1, 0, 0},
      {{false, 39, 0, 0}, 28, 1, 1, 0, 0, 0},
      {{false, 32, 0, 0}, 32, 1, 2, 1, 0, 0},
      {{false, 35, 0, 0}, 35, 1, 2, 1, 0, 0},
      {{false, 29, 0, 0}, 29, 1, 3, 1, 0, 0},
      {{false, 38, 0, 0}, 38, 1, 5, 1, 0, 0},
      {{false, 0, 1, 0}, 28, 1, 1, 0, 1, 0},
      {{false, 0, 10, 0}, 28, 10, 1, 0, 1, 0},
      {{false, 0, 16, 0}, 28, 1, 1, 0, 0, 0},
      {{false, 0, 11, 0}, 28, 1, 1, 0, 0, 1},
      {{false, 0, 12, 0}, 28, 1, 2, 0, 0, 1},
      {{false, 0, 12, 4}, 28, 1, 4, 0, 0, 1},
      {{false, 0, 15, 9}, 28, 1, 1, 0, 0, 1},
      {{false, 29, 0, 9}, 29, 1, 3, 1, 0, 0},
      {{false, 0, 0, 5}, 28, 1, 5, 0, 0, 1},
      {{false, 0, 0, 1}, 28, 1, 1, 0, 0, 1},
      {{false, 0, 0, 6}, 28, 1, 1, 0, 0, 0},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Requests.Printer);
    CAPTURE(row.Requests.Plotter);
    CAPTURE(row.Requests.Hpgl2);
    State = ToolkitState{};
    ApplyHardcopyRequests(row.Requests);
    CHECK(State.PrinterDriver == row.Printer);
    CHECK(State.PlotterDriver == row.Plotter);
    CHECK(State.Hpgl2Mode == row.Hpgl2);
    CHECK(State.PrinterDriverChosen == row.PrinterChosen);
    CHECK(State.PlotterDriverChosen == row.PlotterChosen);
    CHECK(State.Hpgl2ModeChosen == row.Hpgl2Chosen);
  }
}

TEST_CASE("Configuration file") {
  const ScratchDirectory dir("configuration");
  ResetSettings();
  ConfigurationRequests requests;

  SUBCASE("line ends of either kind, and a last line without one") {
    WriteFileBytes("kestra.ini", "PRINTER=7\r\nPLOTTER = 3\nPLNAME=out.plt\r");
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(requests.Printer == 7);
    CHECK(requests.Plotter == 3);
    CHECK(State.PlotFileName.Trimmed() == "out.plt");
  }
  SUBCASE("a carriage return inside a line is part of it") {
    WriteFileBytes("kestra.ini", "PLNAME=a\rb\r\n");
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(State.PlotFileName.Trimmed() == "a\rb");
  }
  SUBCASE("a very long line is cut, and its tail is not a line of its own") {
    WriteFileBytes("kestra.ini", "BROWSER=" + std::string(100000, 'a') + "PLNAME=evil\nLFNGEN=50\n");
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(State.BrowserCommand.Trimmed() == std::string(162, 'a'));
    CHECK(State.PlotFileName.Trimmed() == "lumendra.plt");
    CHECK(State.GeneralUnit == 50);
  }
  SUBCASE("binary bytes neither stop nor confuse the parse") {
    using namespace std::string_literals;
    std::string bytes = "\x00\xff\x1a\x7f=\x01\n"s;
    bytes += "LFN\0GEN=5\n"s;
    bytes += "PLNAME=\xe9t\xe9\0\n"s;
    bytes += "\x1a\x1a\x1a\n"s;
    bytes += "LFNGEN=45\n";
    WriteFileBytes("kestra.ini", bytes);
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(State.PlotFileName.Trimmed() == "\xe9t\xe9");
    CHECK(State.GeneralUnit == 45);
  }
  SUBCASE("thousands of lines: the last accepted value holds") {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += "LFNGEN=" + std::to_string(100 + i) + "\nnoise line " + std::to_string(i) + "\n";
    bytes += "LFNGEN=junk\n";
    WriteFileBytes("kestra.ini", bytes);
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(State.GeneralUnit == 20099);
  }
  SUBCASE("an empty file changes nothing") {
    WriteFileBytes("kestra.ini", "");
    CHECK(ReadConfigurationFile("kestra.ini", requests));
    CHECK(State.GeneralUnit == 40);
  }
  SUBCASE("a file that cannot be read changes nothing") {
    CHECK_FALSE(ReadConfigurationFile("missing.ini", requests));
    std::filesystem::create_directory("folder.ini");
    ReadConfigurationFile("folder.ini", requests);
    CHECK(State.GeneralUnit == 40);
    CHECK(State.PlotFileName.Trimmed() == "lumendra.plt");
  }
}
