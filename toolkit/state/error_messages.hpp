#pragma once
// The toolkit's error messages and the one-line form in which errors are
// reported.

#include <string_view>

#include "text/fixed_text.hpp"

namespace toolkit {

// The message of a toolkit error number; empty for numbers without one.
std::string_view ErrorMessage(int number);

// "Error=" + the number in four columns (asterisks when it does not fit) +
// ":" + the message, blank-padded.
text::FixedText<73> ErrorLine(int number);

}  // namespace toolkit
