#pragma once
// Toolkit error reporting: toolkit operations never throw and return no error
// codes; a failure records a toolkit error number here and reports it as the
// error report mode says.

#include "toolkit/codes.hpp"

namespace toolkit {

void ErrorRaise(int number);
// Which is one of ErrorSlot (anything else reads the last); the slot is
// cleared.
int ErrorQuery(int which);
// Mode is one of ReportMode; any other number leaves the mode as it is.
void ErrorReportModeSet(int mode);

}  // namespace toolkit
