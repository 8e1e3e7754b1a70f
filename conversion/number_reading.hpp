#pragma once
// Numbers in the fields of a log line. Blanks inside a field are ignored and
// a field that is empty or all blanks reads as 0; anything else that cannot be
// part of the number makes the field malformed (the functions return false).

#include <string_view>

namespace conversion {

// An optional sign followed by digits; false also when the value exceeds an int.
bool ReadInteger(std::string_view field, int& value);

// An optional sign, digits with an optional decimal point, and an optional
// exponent (E or e, optional sign, digits). The value is the float nearest to
// the number written; a value beyond the float range makes the field malformed.
bool ReadReal(std::string_view field, float& value);

}  // namespace conversion
