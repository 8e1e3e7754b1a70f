#pragma once
// The kinds of control a resource dialog's fields can be. No <windows.h>
// here: the rules that depend on the kind are tested without a window.

namespace toolkit {

enum class ControlKind {
  Other,
  Button,  // push button, check box, radio button, image button
  Static,  // text, icon or bitmap
  Edit,
  IntegerEdit,  // the toolkit's own edit classes
  IntegerSpin,
  RealEdit,
  DoubleEdit,
  List,
  DropDown,
  Trackbar,
  Tabs,
  Progress,
  Spin,
  Header,
  Grid,  // the toolkit's own table of cells
};

// Edit fields of every kind take texts and edit messages alike.
constexpr bool IsEditKind(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::IntegerEdit || kind == ControlKind::IntegerSpin ||
         kind == ControlKind::RealEdit || kind == ControlKind::DoubleEdit;
}

}  // namespace toolkit
