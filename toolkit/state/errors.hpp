#pragma once
// Toolkit error reporting: toolkit operations never throw and return no error
// codes; a failure records a toolkit error number here and reports it as the
// error report mode says.

namespace toolkit {

void ErrorRaise(int number);
int ErrorQuery(int which);
void ErrorReportModeSet(int mode);

}  // namespace toolkit
