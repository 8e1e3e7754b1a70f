// Which button of a message box is the default, and what its answers report.

#include <doctest/doctest.h>

#include "toolkit/dialogs/message_box_rules.hpp"

using namespace toolkit;

TEST_CASE("FittedDefaultButton") {
  struct Case {
    int ButtonType;
    int Asked;
    int Default;
  };
  const Case cases[] = {
      {0, 3, 1}, {0, 1, 1}, {9, 2, 1},   // OK alone
      {3, 0, 2}, {3, 1, 1}, {3, 2, 2},   // Yes, No: anything but 1 is No
      {1, 5, 2}, {2, -1, 2},
      {4, 2, 2}, {4, 3, 3}, {4, 0, 3},   // Yes, No, Cancel
      {5, 7, 3}, {5, 1, 1},              // Abort, Retry, Ignore
  };
  for (const Case& c : cases) {
    CAPTURE(c.ButtonType);
    CAPTURE(c.Asked);
    CHECK(FittedDefaultButton(c.ButtonType, c.Asked) == c.Default);
  }
}

TEST_CASE("AnswerCode") {
  using namespace PlatformAnswer;
  const int answers[][2] = {{Ok, 1},     {Retry, 1},  {Yes, 1}, {No, 2}, {Abort, 2},
                            {Cancel, 0}, {Ignore, 0}, {None, 0}};
  for (const auto& [answer, code] : answers) {
    CAPTURE(answer);
    CHECK(AnswerCode(answer) == code);
  }
}
