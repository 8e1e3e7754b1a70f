// The debug log is created once per process: each scenario of its creation is
// its own test program.
#include <doctest/doctest.h>

#include <string>

#include "toolkit/state/debug_log.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

TEST_CASE("Debug log in report mode 2") {
  // The log stays open until the process ends, and Windows removes no open
  // file: the folder is made in the test's build folder.
  const ScratchDirectory dir(std::filesystem::current_path(), "debug-log");
  WriteFileBytes(dir / "debug", "left over from an earlier run\r\n");
  State = ToolkitState{};
  ErrorReportModeSet(2);

  ErrorRaise(1001);
  CHECK(FileBytes(dir / "debug") == "Error=1001:Invalid menu item\r\n");
  CHECK(ErrorQuery(1) == 1001);
  CHECK(State.ErrorReportMode == 2);

  ErrorRaise(65);
  DebugLogValue("count", -42);
  DebugLogLine(std::string(600, 'x'));
  DebugLogValue(std::string(600, 'n'), 7);
  DebugLogLine(std::string_view("cut\0here", 8));
  DebugLogLine("");

  CHECK(FileBytes(dir / "debug") == "Error=1001:Invalid menu item\r\n"
                                    "Error=  65:Return buffer too small in IOsVariable\r\n"
                                    "count = -42\r\n" +
                                        std::string(511, 'x') + "\r\n" + std::string(511, 'n') +
                                        "\r\n"
                                        "cut\r\n"
                                        "\r\n");
  CHECK_FALSE(std::filesystem::exists(dir / "debug.txt"));
}
