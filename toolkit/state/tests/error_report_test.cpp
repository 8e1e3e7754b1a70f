#include <doctest/doctest.h>

#include <string>

#include "toolkit/state/abnormal_exit.hpp"
#include "toolkit/state/error_messages.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/error_screen.hpp"
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

TEST_CASE("ErrorMessage: the 76 texts, and a blank message for every other number") {
  struct Row {
    int Number;
    std::string_view Message;
  };
  // As the toolkit's documentation lists them for applications.
  const Row rows[] = {
      {1, "Error opening file or device"},
      {2, "Error reading/writing file or device"},
      {3, "Error closing file or device"},
      {4, "Number too large in string to numeric conversion"},
      {5, "Graphics not supported on requested printer"},
      {10, "No substring found"},
      {11, "More than one decimal point in number"},
      {12, "Invalid character detected"},
      {13, "Operating system command error in an OS routine"},
      {16, "X or Y graphics unit range is invalid"},
      {18, "Numeric to string conversion error"},
      {20, "Circle/ellipse radius <=0, height ratio<=0 or arc angle=0"},
      {21, "Length of axis-parallel side of a parallelogram is =<0"},
      {22, "Width/height=0 for a rectangle/triangle/parallelogram"},
      {23, "No program name specified to IOsExecute"},
      {24, "Too many data values specified for a cumulative plot"},
      {25, "Too many bytes in char set during conversion from ASCII"},
      {27, "Incompatible or unsupported image file in IGrLoadImage"},
      {28, "Borders cross in IGrPolygonSimple - unable to fill polygon"},
      {34, "Requested page size too large for raster image buffer"},
      {40, "Number of files matched by IOsDirInfo/List exceeds array size"},
      {42, "Unknown colour name/number specified to IGrColour/IGrColourN"},
      {43, "Contour heights must increase monotonically"},
      {44, "Invalid X and/or Y range in IGrArea/IGrViewport/IGrReplayArea"},
      {46, "No graphics hardcopy driver currently selected"},
      {49, "Fill too complex in IGrPolygonComplex"},
      {51, "A search box contains too many points in IPgXYZToGrid"},
      {53, "Cannot find substitute software font in IGrCharOut"},
      {54, "Mismatched driver/device in hardcopy options file"},
      {55, "Source and target file names same in copy command"},
      {58, "Min value greater than max value in IPgHighLow"},
      {63, "Windows printer not available"},
      {64, "Bit image transfer failed in IGrPrintImage"},
      {65, "Return buffer too small in IOsVariable"},
      {1001, "Invalid menu item"},
      {1002, "Unable to load menu from resource"},
      {1003, "Invalid window handle"},
      {1004, "General error in common dialog"},
      {1005, "No dialogs currently loaded"},
      {1006, "Invalid field identifier"},
      {1007, "Unable to load dialog from resource"},
      {1008, "Unable to select specified dialog"},
      {1009, "Attempt to store an out of range dialog field value"},
      {1010, "Field value undefined"},
      {1011, "Option number out of range"},
      {1012, "Invalid tab number specified"},
      {1013, "Invalid range specified for progress bar"},
      {1014, "Invalid dialog mode requested"},
      {1015, "Invalid bitmap/icon identifier"},
      {1016, "Unable to display window/dialog. Root window hidden"},
      {1017, "Cell co-ordinates out of range"},
      {1018, "Too many rows for grid field to hold"},
      {1019, "Invalid target drawing surface"},
      {1020, "Bitmap creation failed"},
      {1021, "Invalid bitmap handle"},
      {1022, "Only child windows can be converted into editors or viewers"},
      {1023, "Variable too small to receive text"},
      {1024, "Invalid editor mode requested"},
      {1025, "Editor can't have menu in InsideRoot child window"},
      {1026, "User menu not supported with modal editor"},
      {1027, "General problem initializing editor"},
      {1028, "Current window is not a text editor"},
      {1029, "Invalid range specified for trackbar"},
      {1030, "General help viewer error"},
      {1031, "Not a valid help file extension"},
      {1032, "Editor does not have a command line"},
      {1033, "Editor can't have command line in InsideRoot child window"},
      {1034, "External process timed out before completion"},
      {1035, "Failed to enable OpenGL graphics"},
      {1036, "Can't destroy bitmap while in use by bitmap viewer"},
      {1037, "Specified bitmap is already in use"},
      {1038, "Child window is already converted to a different type"},
      {1039, "Invalid bitmap viewer mode requested"},
      {1040, "General problem initializing bitmap viewer"},
      {1041, "X server modal dialog/window pixmap resources are low"},
      {1042, "X server modal dialog/window pixmap resources are exhausted"},
  };
  const Row* next = std::begin(rows);
  for (int number = -5; number <= 1100; ++number) {
    CAPTURE(number);
    const bool listed = next != std::end(rows) && next->Number == number;
    CHECK(ErrorMessage(number) == (listed ? next->Message : std::string_view()));
    if (listed) ++next;
  }
  CHECK(next == std::end(rows));
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

namespace {

// A status bar whose report fails in turn, as a box that cannot be shown
// would; armed for one test only, as the screen stays registered.
bool failingScreenArmed = false;
int reportsShown = 0;
int errorLeftByTheFailure = 0;

void FailingStatusBarLine(std::string_view) {
  if (!failingScreenArmed || ++reportsShown > 1) return;
  ErrorRaise(1004);
  errorLeftByTheFailure = State.LastError;
}

}  // namespace

TEST_CASE("An error raised while another is reported is recorded, never reported, and the first is left") {
  State = ToolkitState{};
  RegisterErrorScreen({.StatusBarLine = FailingStatusBarLine});
  failingScreenArmed = true;
  ErrorReportModeSet(3);
  ErrorRaise(1001);
  failingScreenArmed = false;
  CHECK(reportsShown == 1);
  CHECK(errorLeftByTheFailure == 1004);
  CHECK(State.ErrorReportMode == 3);
  CHECK(ErrorQuery(1) == 1001);
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
