#pragma once
// While a modal box is up the application hears nothing of what the box
// covers: each visible top-level toolkit window keeps an image of its client
// area, repaints from it, and gets it painted back when the last box closes.

#include <windows.h>

namespace toolkit {

void WindowImagesHold();
void WindowImagesRelease();
// Paints the held image of the client's slot into the area to update; false
// when the slot holds none.
bool PaintHeldImage(HWND client);

}  // namespace toolkit
