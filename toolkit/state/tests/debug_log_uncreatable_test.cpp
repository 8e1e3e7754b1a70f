#include <doctest/doctest.h>

#include "toolkit/state/debug_log.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/scratch_directory.hpp"

using namespace toolkit;

TEST_CASE("A debug log that cannot be created is not tried again") {
  const ScratchDirectory dir("debug-uncreatable");
  for (const char* name : {"debug", "debug.txt", "debug.dat"}) std::filesystem::create_directory(dir / name);
  State = ToolkitState{};
  ErrorReportModeSet(2);

  ErrorRaise(1001);
  CHECK(ErrorQuery(1) == 1001);
  CHECK(State.ErrorReportMode == 2);

  for (const char* name : {"debug", "debug.txt", "debug.dat"}) std::filesystem::remove(dir / name);
  ErrorRaise(1002);
  DebugLogLine("later");
  CHECK(ErrorQuery(1) == 1002);
  CHECK(std::filesystem::is_empty(dir.Path));
}
