#include "toolkit/windows/display_scale.hpp"

namespace toolkit {

int ScaledPixels(int pixels, int dpi) { return (pixels * dpi + StandardDpi / 2) / StandardDpi; }

int RescaledEdge(int edge, int oldDpi, int newDpi) {
  if (edge < 0 || oldDpi <= 0) return edge;
  return (edge * newDpi + oldDpi / 2) / oldDpi;
}

}  // namespace toolkit
