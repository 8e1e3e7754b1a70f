#pragma once
// Check marks and enabled states of menu items, and of the toolbar buttons
// with the same command.

namespace toolkit {

// Kind 1 enables (value 1) or greys (0), kind 2 checks (1) or unchecks (0).
void MenuItemState(int item, int kind, int value);

}  // namespace toolkit
