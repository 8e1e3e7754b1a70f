#include "toolkit/windows/window_units.hpp"

#include <cstdint>

namespace toolkit {

int UnitsToPixels(int units, int pixels) {
  // Units far outside 0..9999 are allowed (the text is then clipped); the wide
  // product keeps them from overflowing before the division.
  const std::int64_t product = std::int64_t{pixels - 1} * units;
  return static_cast<int>(product / UnitsAcross);
}

int PixelsToUnits(int pixel, int pixels) {
  if (pixels <= 1) return 0;
  return static_cast<int>((pixel + 0.5) * static_cast<double>(UnitsAcross) / pixels);
}

}  // namespace toolkit
