#include "toolkit/dialogs/field_rules.hpp"

namespace toolkit {

namespace {

// The platform's style bits (checked against its headers where they are used).
constexpr int ButtonTypeMask = 0x0F;
constexpr int CheckBox = 2;
constexpr int AutoCheckBox = 3;
constexpr int RadioButton = 4;
constexpr int ThreeState = 5;
constexpr int AutoThreeState = 6;
constexpr int AutoRadioButton = 9;
constexpr int ButtonIcon = 0x40;
constexpr int ButtonBitmap = 0x80;
constexpr int StaticTypeMask = 0x1F;
constexpr int StaticIcon = 0x03;
constexpr int StaticBitmap = 0x0E;
constexpr int MultiLine = 0x04;
constexpr int ComboTypeMask = 0x03;
constexpr int DropDownList = 0x03;
constexpr int ListMultiple = 0x08;
constexpr int ListExtended = 0x800;
constexpr int ListTabStops = 0x80;

bool IsCheckable(int style) {
  switch (style & ButtonTypeMask) {
    case CheckBox:
    case AutoCheckBox:
    case RadioButton:
    case ThreeState:
    case AutoThreeState:
    case AutoRadioButton: return true;
    default: return false;
  }
}

}  // namespace

int EditLimitFor(int style) { return (style & MultiLine) != 0 ? 65535 : 32767; }

int SelfCheckingStyle(int style) {
  switch (style & ButtonTypeMask) {
    case CheckBox:
    case ThreeState:
    case AutoThreeState: return (style & ~ButtonTypeMask) | AutoCheckBox;
    case RadioButton: return (style & ~ButtonTypeMask) | AutoRadioButton;
    default: return style;
  }
}

ImageKind ImageFor(ControlKind kind, int style) {
  if (kind == ControlKind::Button) {
    if ((style & ButtonBitmap) != 0) return ImageKind::Bitmap;
    if ((style & ButtonIcon) != 0) return ImageKind::Icon;
  } else if (kind == ControlKind::Static) {
    if ((style & StaticTypeMask) == StaticBitmap) return ImageKind::Bitmap;
    if ((style & StaticTypeMask) == StaticIcon) return ImageKind::Icon;
  }
  return ImageKind::None;
}

FieldCopy FieldCopyFor(ControlKind kind, int style) {
  FieldCopy copy;
  switch (kind) {
    case ControlKind::Spin:
      copy.Skip = true;
      copy.Text = false;
      break;
    case ControlKind::Button:
      copy.Check = IsCheckable(style);
      copy.ButtonImage = ImageFor(kind, style) != ImageKind::None;
      break;
    case ControlKind::Static: copy.StaticImage = ImageFor(kind, style) != ImageKind::None; break;
    case ControlKind::List:
      copy.ListItems = true;
      copy.MultipleSelection = (style & (ListMultiple | ListExtended)) != 0;
      copy.TabStops = (style & ListTabStops) != 0;
      break;
    case ControlKind::DropDown:
      copy.ComboItems = true;
      copy.Text = (style & ComboTypeMask) != DropDownList;
      break;
    case ControlKind::Tabs: copy.TabItems = true; break;
    case ControlKind::Progress: copy.Progress = true; break;
    case ControlKind::Trackbar: copy.Trackbar = true; break;
    case ControlKind::Grid:
      copy.Cells = true;
      copy.Text = false;
      break;
    default:
      copy.EditState = IsEditKind(kind);
      copy.TabStops = copy.EditState && (style & MultiLine) != 0;
      break;
  }
  return copy;
}

}  // namespace toolkit
