#pragma once
// The font text output draws with.

#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

// Brings the window text font up to date with the text state, creating it
// when one of its attributes changed.
void RefreshFont(TextState& text);

}  // namespace toolkit
