#pragma once
// The toolkit's palette, for displays of 256 colours: the 16 basic colours,
// then the entries reserved for the program's own colours.

#include <windows.h>

namespace toolkit {

// Made when the root window opens on such a display; none elsewhere.
void CreateToolkitPalette(int colourReserve);
void DeleteToolkitPalette();
// Realises the palette in the root client's device context, if there is one.
void RealiseToolkitPalette();

}  // namespace toolkit
