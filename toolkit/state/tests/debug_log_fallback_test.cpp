#include <doctest/doctest.h>

#include "toolkit/state/debug_log.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

TEST_CASE("Debug log under the next name that can be created") {
  // The log stays open until the process ends, and Windows removes no open
  // file: the folder is made in the test's build folder.
  const ScratchDirectory dir(std::filesystem::current_path(), "debug-fallback");
  std::filesystem::create_directory(dir / "debug");
  std::filesystem::create_directory(dir / "debug.txt");
  State = ToolkitState{};
  ErrorReportModeSet(2);

  ErrorRaise(12);
  DebugLogLine("second");
  CHECK(FileBytes(dir / "debug.dat") == "Error=  12:Invalid character detected\r\nsecond\r\n");
}
