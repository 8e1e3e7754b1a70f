#pragma once
// Toolbars built from a resource, at one of four places of a window.

namespace toolkit {

// Places: 1 top, 2 left, 3 right, 4 bottom (anything else: top). Resource 0
// removes the toolbar at that place.
void ToolbarCreate(int resource, int window = 0, int position = 1);

}  // namespace toolkit
