#include "toolkit/state/error_messages.hpp"

#include <array>
#include <cstdio>

namespace toolkit {
namespace {

struct MessageEntry {
  int Number;
  std::string_view Text;
};

constexpr std::array<MessageEntry, 76> Messages{{
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
}};

}  // namespace

std::string_view ErrorMessage(int number) {
  for (const MessageEntry& entry : Messages) {
    if (entry.Number == number) return entry.Text;
  }
  return {};
}

text::FixedText<73> ErrorLine(int number) {
  char field[5] = "****";
  if (number >= -999 && number <= 9999) std::snprintf(field, sizeof field, "%4d", number);
  // Every message fits in the 62 columns after the 11-column prefix.
  char line[80];
  const int n = std::snprintf(line, sizeof line, "Error=%s:%.*s", field,
                              static_cast<int>(ErrorMessage(number).size()), ErrorMessage(number).data());
  return text::FixedText<73>(std::string_view(line, static_cast<std::size_t>(n)));
}

}  // namespace toolkit
