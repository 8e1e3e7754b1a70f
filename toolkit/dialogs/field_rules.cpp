#include "toolkit/dialogs/field_rules.hpp"

namespace toolkit {

using namespace PlatformStyle;

namespace {

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
