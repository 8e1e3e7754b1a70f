#pragma once
// Ending the program with a fatal message.

#include <string_view>

#include "text/fixed_text.hpp"

namespace toolkit {

// "Abnormal exit (code N) : message", cut at 255 characters.
text::FixedText<255> AbnormalExitText(std::string_view message, int code);

// Shows that text, unless the message is blank, and ends the process with
// the code.
[[noreturn]] void AbnormalExit(std::string_view message, int code);

}  // namespace toolkit
