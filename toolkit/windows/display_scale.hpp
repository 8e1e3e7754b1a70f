#pragma once
// Sizes on displays of any scaling. The program asks for sizes as they are
// at 96 dots per inch (100 %); a display at 144 (150 %) or 192 (200 %) gets
// them 1.5 or 2 times as large, so that the window looks the same size and
// its text and pictures stay sharp. Positions on the screen and window
// units are not scaled: they already follow the screen and the window.

namespace toolkit {

inline constexpr int StandardDpi = 96;

// `pixels` at 96 dpi, on a display of `dpi`, to the nearest pixel.
int ScaledPixels(int pixels, int dpi);

// A pixel position kept from a display of `oldDpi`, moved to one of `newDpi`;
// negative values (to the right end) stay as they are.
int RescaledEdge(int edge, int oldDpi, int newDpi);

}  // namespace toolkit
