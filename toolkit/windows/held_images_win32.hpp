#pragma once
// While a modal box is up the application hears nothing of what the box
// covers: each visible top-level toolkit window keeps an image of its client
// area, repaints from it, and gets it painted back when the last box closes.

#include <windows.h>

namespace toolkit {

void WindowImagesHold();
void WindowImagesRelease();
// A window beside the slots (a shown dialog whose fields the program draws)
// holds its image the same way, children and all; returns how many boxes
// still hold it after a release. Released at last, it is drawn afresh by
// its own windows: no event of the application's is at stake there, and
// what changed in its fields meanwhile must show.
void HoldWindowImage(HWND window);
int ReleaseWindowImage(HWND window);
// A window that goes while held lets its image go with it.
void DropWindowImage(HWND window);

// While images are held: paints the held image of the client's slot (or of
// the window holding one that contains it) into the area to update; false
// when there is none, or no image is held.
bool PaintHeldImage(HWND window);

}  // namespace toolkit
