#pragma once
// Environment variables as fixed-length texts.

#include <optional>
#include <span>
#include <string_view>

namespace toolkit {

// The value of the variable named by the first word of name, blank-padded
// into value. An absent variable leaves value blank; one longer than value
// leaves it blank as well and raises error 65. Reads the process environment
// as Windows holds it, so it sees changes made after the program started.
void IOsVariable(std::string_view name, std::span<char> value);

// The rule of IOsVariable for a variable found with the given text, or not
// found (nullopt).
void StoreVariableValue(std::optional<std::string_view> found, std::span<char> value);

// The first blank-delimited word of a text.
std::string_view FirstWord(std::string_view text);

}  // namespace toolkit
