#pragma once
// The kinds of control a resource dialog's fields can be, known by the
// identity (class atom) of their window class.

#include <windows.h>

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
};

// Registers the toolkit's own edit classes and records the identity of every
// class a field can have; done when the root window opens.
void RecordControlClasses();

ControlKind ControlKindOf(HWND control);

// Edit fields of every kind take texts and edit messages alike.
bool IsEditKind(ControlKind kind);

}  // namespace toolkit
