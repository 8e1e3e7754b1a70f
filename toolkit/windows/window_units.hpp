#pragma once
// Window units: 0 to 9999 across the client area in each direction, y
// downwards. Text positions and status bar widths are given in them so that
// they follow the window's size.

namespace toolkit {

inline constexpr int UnitsAcross = 9999;

// Pixel position of a unit position in a client area `pixels` wide (or high).
int UnitsToPixels(int units, int pixels);

// Unit position of the centre of pixel `pixel`; 0 in an area of one pixel or less.
int PixelsToUnits(int pixel, int pixels);

}  // namespace toolkit
