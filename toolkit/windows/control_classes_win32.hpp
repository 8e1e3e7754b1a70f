#pragma once
// The kinds of control a resource dialog's fields can be, known by the
// identity (class atom) of their window class.

#include <windows.h>

#include "toolkit/windows/control_kind.hpp"

namespace toolkit {

// Registers the toolkit's own edit and grid classes and records the identity
// of every class a field can have; done when the root window opens.
void RecordControlClasses();

ControlKind ControlKindOf(HWND control);

}  // namespace toolkit
