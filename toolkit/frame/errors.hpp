#pragma once
// Toolkit error reporting: toolkit operations never throw and return no error
// codes; a failure records a toolkit error number here and reports it as the
// error report mode says.

#include <string_view>

namespace toolkit {

void ErrorRaise(int number);
int ErrorQuery(int which);
void ErrorReportModeSet(int mode);
[[noreturn]] void AbnormalExit(std::string_view message, int code);
void DebugLogLine(std::string_view text);
void DebugLogValue(std::string_view name, int value);

}  // namespace toolkit
