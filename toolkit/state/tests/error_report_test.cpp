#include <doctest/doctest.h>

#include <string>

#include "toolkit/state/abnormal_exit.hpp"
#include "toolkit/state/error_messages.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/tests/captured_output.hpp"

using namespace toolkit;

TEST_CASE("ErrorLine") {
  struct Row {
    int Number;
    std::string_view Line;
  };
  const Row rows[] = {
      {1001, "Error=1001:Invalid menu item"},
      {65, "Error=  65:Return buffer too small in IOsVariable"},
      {1, "Error=   1:Error opening file or device"},
      {7, "Error=   7:"},
      {0, "Error=   0:"},
      {-999, "Error=-999:"},
      {9999, "Error=9999:"},
      {-1000, "Error=****:"},
      {12345, "Error=****:"},
      {1042, "Error=1042:X server modal dialog/window pixmap resources are exhausted"},
      {40, "Error=  40:Number of files matched by IOsDirInfo/List exceeds array size"},
      {20, "Error=  20:Circle/ellipse radius <=0, height ratio<=0 or arc angle=0"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Number);
    CHECK(ErrorLine(row.Number).Trimmed() == row.Line);
  }
}

TEST_CASE("ErrorMessage table") {
  int count = 0;
  std::size_t longest = 0;
  for (int number = -5; number <= 1100; ++number) {
    const std::string_view message = ErrorMessage(number);
    if (message.empty()) continue;
    ++count;
    longest = std::max(longest, message.size());
    CAPTURE(number);
    CHECK(((number >= 1 && number <= 65) || (number >= 1001 && number <= 1042)));
  }
  CHECK(count == 76);
  CHECK(longest <= 62);
  CHECK(ErrorMessage(66).empty());
  CHECK(ErrorMessage(1043).empty());
  CHECK(ErrorMessage(13) == "Operating system command error in an OS routine");
  CHECK(ErrorMessage(1025) == "Editor can't have menu in InsideRoot child window");
  CHECK(ErrorMessage(1016) == "Unable to display window/dialog. Root window hidden");
}

TEST_CASE("Error numbers by name carry their messages") {
  struct Row {
    int Number;
    std::string_view Message;
  };
  using namespace ErrorNumber;
  const Row rows[] = {
      {NumberTooLarge, "Number too large in string to numeric conversion"},
      {NoSubstring, "No substring found"},
      {InvalidCharacter, "Invalid character detected"},
      {OsCommandFailed, "Operating system command error in an OS routine"},
      {ReturnBufferTooSmall, "Return buffer too small in IOsVariable"},
      {InvalidMenuItem, "Invalid menu item"},
      {MenuResourceNotLoaded, "Unable to load menu from resource"},
      {InvalidWindowHandle, "Invalid window handle"},
      {CommonDialogFailed, "General error in common dialog"},
      {NoDialogLoaded, "No dialogs currently loaded"},
      {InvalidFieldIdentifier, "Invalid field identifier"},
      {DialogResourceNotLoaded, "Unable to load dialog from resource"},
      {DialogNotSelectable, "Unable to select specified dialog"},
      {FieldValueOutOfRange, "Attempt to store an out of range dialog field value"},
      {InvalidDialogMode, "Invalid dialog mode requested"},
      {HelpViewerFailed, "General help viewer error"},
      {InvalidHelpFileExtension, "Not a valid help file extension"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Number);
    CHECK(ErrorMessage(row.Number) == row.Message);
  }
}

TEST_CASE("ErrorRaise and ErrorQuery") {
  State = ToolkitState{};

  SUBCASE("mode 0 records the number; a query reads and clears it") {
    const std::string out = CapturedOutput([] { ErrorRaise(1001); });
    CHECK(out.empty());
    CHECK(ErrorQuery(1) == 1001);
    CHECK(ErrorQuery(1) == 0);
  }
  SUBCASE("a later error overwrites the slot") {
    ErrorRaise(12);
    ErrorRaise(4);
    CHECK(ErrorQuery(1) == 4);
  }
  SUBCASE("which selects the slot; anything but 1 and 2 reads slot 3") {
    State.ErrorSlot2 = 22;
    State.ErrorSlot3 = 33;
    ErrorRaise(13);
    CHECK(ErrorQuery(7) == 33);
    CHECK(ErrorQuery(3) == 0);
    CHECK(ErrorQuery(2) == 22);
    CHECK(ErrorQuery(2) == 0);
    CHECK(ErrorQuery(1) == 13);
  }
  SUBCASE("the report mode takes 0 to 4 only") {
    ErrorReportModeSet(3);
    ErrorReportModeSet(5);
    CHECK(State.ErrorReportMode == 3);
    ErrorReportModeSet(-1);
    CHECK(State.ErrorReportMode == 3);
    ErrorReportModeSet(0);
    CHECK(State.ErrorReportMode == 0);
  }
  SUBCASE("mode 1 writes the line to standard output after one blank") {
    ErrorReportModeSet(1);
    const std::string out = CapturedOutput([] {
      ErrorRaise(65);
      ErrorRaise(7);
    });
    CHECK(out == " Error=  65:Return buffer too small in IOsVariable\n"
                     " Error=   7:\n");
    CHECK(State.ErrorReportMode == 1);
    CHECK(ErrorQuery(1) == 7);
  }
  SUBCASE("mode 3 without a status bar shows nothing and still records") {
    ErrorReportModeSet(3);
    const std::string out = CapturedOutput([] { ErrorRaise(1003); });
    CHECK(out.empty());
    CHECK(State.ErrorReportMode == 3);
    CHECK(ErrorQuery(1) == 1003);
  }
}

TEST_CASE("AbnormalExitText") {
  struct Row {
    int Code;
    std::string_view Message;
    std::string_view Text;
  };
  const Row rows[] = {
      {3, "disk full", "Abnormal exit (code 3) : disk full"},
      {0, "Kestrafolio version 2.30e", "Abnormal exit (code 0) : Kestrafolio version 2.30e"},
      {42, "x", "Abnormal exit (code 42) : x"},
      {9999, "x", "Abnormal exit (code 9999) : x"},
      {-5, "x", "Abnormal exit (code -5) : x"},
      {-999, "x", "Abnormal exit (code -999) : x"},
      {10000, "x", "Abnormal exit (code ****) : x"},
      {-1000, "x", "Abnormal exit (code ****) : x"},
      {1, std::string_view("  padded  \0\0", 12), "Abnormal exit (code 1) :   padded"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Code);
    CHECK(AbnormalExitText(row.Message, row.Code).Trimmed() == row.Text);
  }

  SUBCASE("the text is cut at 255 characters") {
    const std::string message(300, 'm');
    const text::FixedText<255> text = AbnormalExitText(message, 7);
    CHECK(text.View() == "Abnormal exit (code 7) : " + std::string(255 - 25, 'm'));
  }
  SUBCASE("a character that does not fit whole is left out whole") {
    const std::string message = std::string(229, 'm') + "\xC3\xA9";  // the e acute's second byte at 256
    const text::FixedText<255> text = AbnormalExitText(message, 7);
    CHECK(text.View() == "Abnormal exit (code 7) : " + std::string(229, 'm') + " ");
  }
}
