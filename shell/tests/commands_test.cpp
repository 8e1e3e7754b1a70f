#include "shell/commands.hpp"

#include <doctest/doctest.h>

#include "conversion/tests/test_files.hpp"
#include "shell/application_state.hpp"
#include "shell/main_program.hpp"
#include "shell/tests/recording_toolkit.hpp"

using namespace shell;
using toolkit::EventType::CloseAsked;
using toolkit::EventType::MenuCommand;

namespace {

std::vector<std::string> Dispatch(int command, bool& exitRequested) {
  testing::RecordingToolkit toolkit;
  DispatchCommand(toolkit, command, exitRequested);
  return toolkit.Take();
}

}  // namespace

TEST_CASE("DispatchCommand") {
  Application = {};
  bool exitRequested = false;

  SUBCASE("resolutions move the check mark and the status text") {
    struct Row {
      int Command;
      int Seconds;
      std::vector<std::string> Calls;
    };
    const Row rows[] = {
        {40015, 5, {"MenuItemState(40018, 2, 0)", "MenuItemState(40015, 2, 1)", "MenuItemState(40014, 2, 0)",
                    R"(StatusBarText(2, " Resolution: 5 seconds"))"}},
        {40014, 10, {"MenuItemState(40018, 2, 0)", "MenuItemState(40015, 2, 0)", "MenuItemState(40014, 2, 1)",
                     R"(StatusBarText(2, " Resolution: 10 seconds"))"}},
        {40018, 1, {"MenuItemState(40018, 2, 1)", "MenuItemState(40015, 2, 0)", "MenuItemState(40014, 2, 0)",
                    R"(StatusBarText(2, " Resolution: 1 second"))"}},
    };
    for (const Row& row : rows) {
      CAPTURE(row.Command);
      CHECK(Dispatch(row.Command, exitRequested) == row.Calls);
      CHECK(Application.OneFixIn == row.Seconds);
    }
  }
  SUBCASE("number styles move their check mark and change the state and status part 1") {
    CHECK(Dispatch(40020, exitRequested) ==
          std::vector<std::string>{"MenuItemState(40019, 2, 0)", "MenuItemState(40020, 2, 1)",
                                   R"(StatusBarText(1, " Output format: Continental style numbers"))"});
    CHECK(Application.NumberStyle == conversion::NumberStyle::Continental);
    CHECK(Dispatch(40019, exitRequested) ==
          std::vector<std::string>{"MenuItemState(40019, 2, 1)", "MenuItemState(40020, 2, 0)",
                                   R"(StatusBarText(1, " Output format: English style numbers"))"});
    CHECK(Application.NumberStyle == conversion::NumberStyle::English);
  }
  SUBCASE("only real fixes and local time: each choice turns it over, with its check mark") {
    for (const auto& [command, option] : {std::pair{40021, &ApplicationState::FixesOnly},
                                          std::pair{40022, &ApplicationState::LocalTime}}) {
      CAPTURE(command);
      const std::string id = std::to_string(command);
      CHECK(Dispatch(command, exitRequested) == std::vector<std::string>{"MenuItemState(" + id + ", 2, 1)"});
      CHECK(Application.*option);
      CHECK(Dispatch(command, exitRequested) == std::vector<std::string>{"MenuItemState(" + id + ", 2, 0)"});
      CHECK_FALSE(Application.*option);
    }
  }
  SUBCASE("help, and both exits close the help viewer first") {
    CHECK(Dispatch(40011, exitRequested) == std::vector<std::string>{R"(HelpShow("Pinwell.hlp"))"});
    CHECK_FALSE(exitRequested);
    for (int exitCommand : {40005, 40010}) {
      exitRequested = false;
      CHECK(Dispatch(exitCommand, exitRequested) == std::vector<std::string>{R"(HelpShow(" "))"});
      CHECK(exitRequested);
    }
  }
  SUBCASE("help that cannot open says what is missing: the page, or a program for it") {
    const conversion_tests::TempFolder folder("help");
    const std::string page = folder / "Pinwell.htm";
    conversion_tests::WriteFile(page, "<html></html>");
    const struct {
      int Error;
      std::string Page;
      std::vector<std::string> Calls;
    } rows[] = {
        {0, page, {R"(HelpShow("Pinwell.hlp"))"}},
        {1, folder / "gone.htm",
         {R"(HelpShow("Pinwell.hlp"))", R"(MessageBoxShow(0, 3, 1, "The help cannot be shown: )" + folder / "gone.htm" +
                                             R"( is missing.", "Pinwell Help"))"}},
        {1030, page,
         {R"(HelpShow("Pinwell.hlp"))", R"(MessageBoxShow(0, 3, 1, "The help cannot be shown: Windows has no program )"
                                        R"(that opens .htm files ()" + page + R"().", "Pinwell Help"))"}},
    };
    for (const auto& row : rows) {
      CAPTURE(row.Error);
      testing::RecordingToolkit toolkit;
      toolkit.HelpError = row.Error;
      toolkit.HelpPage = row.Page;
      DispatchCommand(toolkit, 40011, exitRequested);
      CHECK(toolkit.Take() == row.Calls);
    }
  }
  SUBCASE("popup identifiers and unknown commands do nothing") {
    for (int command : {0, 40001, 40006, 40008, 40009, 40012, 40013, 40016, 40017, 40023}) {
      CAPTURE(command);
      CHECK(Dispatch(command, exitRequested).empty());
    }
    CHECK_FALSE(exitRequested);
    CHECK(Application.OneFixIn == 1);
    CHECK(Application.NumberStyle == conversion::NumberStyle::English);
  }
}

TEST_CASE("RunPinwell") {
  Application = {};
  testing::RecordingToolkit toolkit;
  const std::vector<std::string> start{
      R"(ToolkitStart(" "))",
      R"(OpenRootWindow(103, -1, -1, 512, 256, 30001, "REZ Log file to Microsoft Pushpin conversion"[80]))",
      "StatusBarParts(7000, -1)",
      R"(StatusBarText(1, " Output format: English style numbers"))",
      R"(StatusBarText(2, " Resolution: 1 second"))",
      "ToolbarCreate(30101)",
      "EventEnable(16, 1)",
  };

  SUBCASE("repaints redraw, other events are ignored, the close box ends the loop") {
    toolkit.Events = {{toolkit::EventType::SizeChange}, {toolkit::EventType::KeyPress, 13},
                      {toolkit::EventType::Repaint}, {toolkit::EventType::TimerTick, 999}, {CloseAsked}};
    CHECK(RunPinwell(toolkit) == 0);
    std::vector<std::string> expected = start;
    expected.insert(expected.end(), {"ClearClientArea()", "ClearClientArea()", "CloseRootWindow()"});
    CHECK(toolkit.Take() == expected);
  }
  SUBCASE("Exit ends the loop before the next event") {
    toolkit.Events = {{MenuCommand, 40010}, {MenuCommand, 40011}};
    CHECK(RunPinwell(toolkit) == 0);
    std::vector<std::string> expected = start;
    expected.insert(expected.end(), {R"(HelpShow(" "))", "CloseRootWindow()"});
    CHECK(toolkit.Take() == expected);
    CHECK(toolkit.Events.size() == 1);
  }
}
