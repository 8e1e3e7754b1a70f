#pragma once
// The text of the fatal-error box that ends the program.

#include <string_view>

#include "text/fixed_text.hpp"

namespace toolkit {

// "Abnormal exit (code N) : message", cut at 255 characters.
text::FixedText<255> AbnormalExitText(std::string_view message, int code);

}  // namespace toolkit
