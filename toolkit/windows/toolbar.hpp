#pragma once
// Toolbars built from a resource, at one of four places of a window.

#include "toolkit/codes.hpp"

namespace toolkit {

// Position is one of ToolbarPosition (anything else: the top). Resource 0
// removes the toolbar at that position.
void ToolbarCreate(int resource, int window = 0, int position = ToolbarPosition::Top);

}  // namespace toolkit
