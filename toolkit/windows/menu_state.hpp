#pragma once
// Check marks and enabled states of menu items, and of the toolbar buttons
// with the same command.

#include "toolkit/codes.hpp"

namespace toolkit {

// Kind is one of MenuItemKind; value 1 sets it, 0 clears it.
void MenuItemState(int item, int kind, int value);

}  // namespace toolkit
