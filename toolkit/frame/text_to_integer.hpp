#pragma once
// Integer conversion of configuration values, with the toolkit's error numbers.

#include <cstdint>
#include <string_view>

namespace toolkit {

// The first blank-delimited word of the text as a signed integer; returns
// whether it was one. On failure the result is 0 and the error is raised: 10
// when there is no word, 12 for a character that is not a digit, 4 when the
// number passes 2147483647.
bool TextToInteger(std::string_view text, std::int32_t& result);

}  // namespace toolkit
