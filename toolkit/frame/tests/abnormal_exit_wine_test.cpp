#include <doctest/doctest.h>

#include "box_helper_runner.hpp"
#include "scratch_directory.hpp"

namespace {

struct Outcome {
  HelperRun Run;
  std::string Record;
};

Outcome RunIn(const std::filesystem::path& dir, const std::string& arguments) {
  const std::filesystem::path record = dir / "record.txt";
  std::filesystem::remove(record);
  Outcome outcome;
  outcome.Run = RunBoxHelper(arguments, dir.string());
  outcome.Record = FileBytes(record);
  return outcome;
}

}  // namespace

TEST_CASE("AbnormalExit") {
  const std::filesystem::path dir = EnterScratchDirectory("abnormal-exit");
  const std::string record = (dir / "record.txt").string();

  SUBCASE("the box names the code and the message, and the exit code is the code") {
    const Outcome outcome = RunIn(dir, "abnormal \"" + record + "\" 3 \"disk full\"");
    REQUIRE(outcome.Run.Finished);
    CHECK(outcome.Run.ExitCode == 3);
    CHECK(outcome.Record == "Kestrafolio|Abnormal exit (code 3) : disk full\n");
  }
  SUBCASE("trailing blanks of the message are dropped; a long code keeps its digits") {
    const Outcome outcome = RunIn(dir, "abnormal \"" + record + "\" 1234 \"no room   \"");
    REQUIRE(outcome.Run.Finished);
    CHECK(outcome.Run.ExitCode == 1234);
    CHECK(outcome.Record == "Kestrafolio|Abnormal exit (code 1234) : no room\n");
  }
  SUBCASE("a blank message ends the process without a box") {
    const Outcome outcome = RunIn(dir, "abnormal \"" + record + "\" 5 \"   \"");
    REQUIRE(outcome.Run.Finished);
    CHECK(outcome.Run.ExitCode == 5);
    CHECK(outcome.Record.empty());
  }
}

TEST_CASE("Version request in the configuration file") {
  const std::filesystem::path dir = EnterScratchDirectory("version");
  const std::string record = (dir / "record.txt").string();

  SUBCASE("a VER key shows the version box and ends the start with exit code 0") {
    WriteFileBytes(dir / "kestra.ini", "PLNAME=x.plt\r\nVersion=\r\nLFNGEN=50\r\n");
    const Outcome outcome = RunIn(dir, "start \"" + record + "\"");
    REQUIRE(outcome.Run.Finished);
    CHECK(outcome.Run.ExitCode == 0);
    CHECK(outcome.Record == "Kestrafolio|Abnormal exit (code 0) : Kestrafolio version 2.30e\n");
  }
  SUBCASE("VE is no version request") {
    WriteFileBytes(dir / "kestra.ini", "VE=1\n");
    const Outcome outcome = RunIn(dir, "start \"" + record + "\"");
    REQUIRE(outcome.Run.Finished);
    CHECK(outcome.Run.ExitCode == 0);
    CHECK(outcome.Record == "returned\n");
  }
}

TEST_CASE("Error report mode 4") {
  const std::filesystem::path dir = EnterScratchDirectory("error-box");
  const std::string record = (dir / "record.txt").string();

  const Outcome outcome = RunIn(dir, "errorbox \"" + record + "\"");
  REQUIRE(outcome.Run.Finished);
  CHECK(outcome.Run.ExitCode == 0);
  CHECK(outcome.Record ==
        "Library Error|Error=1001:Invalid menu item\n"
        "continued 1001 answer 1\n"
        "Library Error|Error=  12:Invalid character detected\n");
}
