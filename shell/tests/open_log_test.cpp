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
                              R"(FileSelect("Log files (*.pgl)|*.pgl|", 2, "", "Open File"))",
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

TEST_CASE("Every name Windows allows is held whole; a longer one changes nothing") {
  // 256 characters of three bytes each, and a path of 259 characters.
  std::string japanese;
  for (int i = 0; i < 252; ++i) japanese += "\u5730";
  const std::string deep = "C:\\" + std::string(250, 'a') + ".pgl";
  const std::string tooLong = "C:\\" + std::string(NameBytes, 'b') + ".pgl";
  const struct {
    std::string Chosen;
    bool Held;
  } rows[] = {
      {"C:\\" + japanese + ".pgl", true},
      {deep, true},
      {tooLong, false},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Chosen.size());
    Application = {};
    Application.InputLogName = "C:\\open.pgl";
    testing::RecordingToolkit toolkit;
    toolkit.FileAnswers = {row.Chosen};
    OpenLogCommand(toolkit);
    const std::vector<std::string> calls = toolkit.Take();
    if (row.Held) {
      CHECK(Application.InputLogName.Trimmed() == row.Chosen);
      CHECK(Application.OutputFileName.Trimmed() == row.Chosen.substr(0, row.Chosen.size() - 3) + "txt");
    } else {
      CHECK(std::vector(calls.begin() + 1, calls.end()) ==
            std::vector<std::string>{"MessageBoxShow(0, 1, 1, \"" + tooLong +
                                     ": the name is too long: Pinwell holds names of up to 1024 bytes (256 characters "
                                     "of any script, or any path of up to 259 characters)\", \"TomTom Log File\")"});
      CHECK(Application.InputLogName.Trimmed() == "C:\\open.pgl");
    }
  }
}
