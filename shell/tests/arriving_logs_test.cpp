#include "shell/arriving_logs.hpp"

#include <doctest/doctest.h>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/tests/test_files.hpp"
#include "shell/application_state.hpp"
#include "shell/main_program.hpp"
#include "shell/progress.hpp"
#include "shell/tests/recording_toolkit.hpp"

using namespace shell;
using conversion_tests::ReadFile;
using conversion_tests::WriteFile;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

struct Workspace {
  conversion_tests::TempFolder Folder{"arriving"};
  fs::path Previous = fs::current_path();
  testing::RecordingToolkit Toolkit;

  Workspace() {
    fs::current_path(Folder.Path);
    Application = {};
  }
  ~Workspace() { fs::current_path(Previous); }
};

std::string Drawn(int line, const std::string& text) {
  return "TextAt(100, " + std::to_string(1000 * line) + ", \"" + text + "\")";
}

}  // namespace

TEST_CASE("One log named on the command line is opened as Open would open it") {
  Workspace w;
  WriteFile("Trip.PGL", Gga);
  const std::vector<std::string> logs{"Trip.PGL"};
  w.Toolkit.Events = {{toolkit::EventType::CloseAsked}};
  RunPinwell(w.Toolkit, logs);

  const std::string full = (fs::current_path() / "Trip.PGL").string();
  const std::vector<std::string> calls = w.Toolkit.Take();
  REQUIRE(calls.size() == 10);
  CHECK(std::vector(calls.begin() + 7, calls.end()) ==
        std::vector<std::string>{"ClearClientArea()", Drawn(1, PathLine("Reading from ... ", FileName(full))),
                                 "CloseRootWindow()"});
  CHECK(Application.InputLogName.Trimmed() == full);
  CHECK(Application.OutputFileName.Trimmed() == (fs::current_path() / "Trip.txt").string());

  SUBCASE("one that cannot be read is told, and nothing changes") {
    Application.ProgressLineCount = 0;
    LogsArrived(w.Toolkit, std::vector<std::string>{"gone.pgl"});
    CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                  R"(MessageBoxShow(0, 1, 1, "gone.pgl: No such file or directory", "TomTom Log File"))"});
    CHECK(Application.InputLogName.Trimmed() == full);
    CHECK(Application.ProgressLineCount == 0);
  }
}

TEST_CASE("Several logs are converted in turn, each to its own name, a failure told between them") {
  Workspace w;
  WriteFile("a.pgl", std::string(Gga) + std::string(Gga) + std::string(Gga));
  WriteFile("b.PGL", Gga);
  WriteFile("b.txt", "kept");
  Application.InputLogName = "chosen.pgl";
  Application.NumberStyle = conversion::NumberStyle::Continental;
  Application.OneFixIn = 5;
  const std::vector<std::string> logs{"a.pgl", "missing.pgl", "folder/b.PGL"};
  fs::create_directory("folder");
  fs::rename("b.PGL", "folder/b.PGL");
  LogsArrived(w.Toolkit, logs);

  CHECK(w.Toolkit.Take() ==
        std::vector<std::string>{
            "ClearClientArea()",
            Drawn(1, "a.pgl: 2 records written to a.txt"),
            Drawn(2, "missing.pgl: not converted"),
            R"(MessageBoxShow(0, 1, 1, "missing.pgl: No such file or directory", "TomTom Log File"))",
            Drawn(3, "b.PGL: 1 records written to b.txt"),
        });
  conversion::ConvertLogFile({.Logs = {"a.pgl"},
                              .Output = "direct.txt",
                              .Style = conversion::NumberStyle::Continental,
                              .Kept = conversion::OneFixIn{5}});
  CHECK(ReadFile("a.txt") == ReadFile("direct.txt"));
  CHECK(ReadFile("b.txt") == "kept");
  CHECK(fs::exists("folder/b.txt"));
  CHECK(Application.InputLogName.IsBlank());
  CHECK(Application.ProgressLineCount == 3);

  SUBCASE("logs dropped onto the window arrive the same way") {
    w.Toolkit.Dropped = {"a.pgl", "folder/b.PGL"};
    w.Toolkit.Events = {{toolkit::EventType::FilesDropped, 2}, {toolkit::EventType::CloseAsked}};
    RunPinwell(w.Toolkit);
    const std::vector<std::string> calls = w.Toolkit.Take();
    REQUIRE(calls.size() == 11);
    CHECK(std::vector(calls.begin() + 7, calls.end()) ==
          std::vector<std::string>{"ClearClientArea()", Drawn(1, "a.pgl: 2 records written to a.txt"),
                                   Drawn(2, "b.PGL: 1 records written to b.txt"), "CloseRootWindow()"});
  }
  SUBCASE("more logs than lines: the earliest lines make room") {
    std::vector<std::string> many;
    for (int i = 1; i <= MaxProgressLines + 2; ++i) many.push_back("missing" + std::to_string(i) + ".pgl");
    LogsArrived(w.Toolkit, many);
    CHECK(Application.ProgressLineCount == MaxProgressLines);
    CHECK(Application.ProgressLines[0].Trimmed() == "missing3.pgl: not converted");
    CHECK(Application.ProgressLines.back().Trimmed() == many.back() + ": not converted");
  }
}
