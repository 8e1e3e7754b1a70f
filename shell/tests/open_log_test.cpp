#include "shell/open_log.hpp"

#include <doctest/doctest.h>

#include "shell/tests/recording_toolkit.hpp"

using namespace shell;

TEST_CASE("Open shows the chosen log and proposes the output's name") {
  Application = {};
  testing::RecordingToolkit toolkit;
  toolkit.FileAnswers = {R"(C:\Logs\Trip.PGL)"};
  Application.ProgressLineCount = 4;
  OpenLogCommand(toolkit);

  CHECK(toolkit.Take() == std::vector<std::string>{
                              R"(FileSelect("Log files (*.pgl)|*.pgl|", 2, ""[256], "Open File"))",
                              "ClearClientArea()",
                              R"(TextAt(100, 1000, "Reading from ... C:\Logs\Trip.PGL"))",
                          });
  CHECK(Application.InputLogName.Trimmed() == R"(C:\Logs\Trip.PGL)");
  CHECK(Application.OutputFileName.Trimmed() == R"(C:\Logs\Trip.txt)");
  CHECK(Application.ProgressLineCount == 1);

  SUBCASE("a cancelled dialog goes on with the name chosen before") {
    toolkit.FileAnswers = {std::nullopt};
    OpenLogCommand(toolkit);
    CHECK(toolkit.Take()[2] == R"(TextAt(100, 1000, "Reading from ... C:\Logs\Trip.PGL"))");
    CHECK(Application.ProgressLineCount == 1);
  }
  SUBCASE("after a conversion, cancelling leaves no log chosen") {
    Application.InputLogName = "";
    toolkit.FileAnswers = {std::nullopt};
    OpenLogCommand(toolkit);
    CHECK(toolkit.Take()[2] == R"(TextAt(100, 1000, "Reading from ..."))");
    CHECK(Application.InputLogName.IsBlank());
    CHECK(Application.OutputFileName.Trimmed() == ".txt");
  }
}
