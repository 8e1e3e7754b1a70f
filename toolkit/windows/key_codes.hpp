#pragma once
// Key codes of KeyPress events: a key that types a character gives the
// character's code; other keys and the numeric keypad give the toolkit's own
// codes (above 255 where they would clash with characters).

#include <optional>

namespace toolkit {

// Code of a key that produced no character, with its Shift and Ctrl state
// (Ctrl taking precedence); nothing for the modifier and lock keys.
std::optional<int> KeyCodeWithoutCharacter(int virtualKey, bool shift, bool ctrl);

// Code of a key that produced `character`: the character, except for the
// keypad (its own codes) and Shift+Tab.
int KeyCodeWithCharacter(int virtualKey, int character, bool shift);

}  // namespace toolkit
