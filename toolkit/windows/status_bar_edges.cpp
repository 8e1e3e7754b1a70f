#include "toolkit/windows/status_bar_edges.hpp"

#include <cstdint>

#include "toolkit/windows/window_units.hpp"

namespace toolkit {

int NormalisedPartStyle(int code) {
  return code == PartStyle::NoBorder || code == PartStyle::Raised ? code : PartStyle::Sunken;
}

StatusBarLayout StatusBarEdges(int clientWidth, std::span<const int> widths,
                               std::optional<std::span<const int>> styles) {
  StatusBarLayout layout;
  const int count = static_cast<int>(widths.size());
  if (count < 1 || count > MaxStatusBarParts) return layout;
  if (styles && styles->size() < widths.size()) styles.reset();
  layout.Count = count;
  layout.RightEdges.fill(-1);
  layout.Styles.fill(PartStyle::Sunken);
  std::int64_t right = 0;
  for (int i = 0; i < count; ++i) {
    layout.Styles[i] = styles ? NormalisedPartStyle((*styles)[i]) : PartStyle::Sunken;
    layout.StyledCount = i + 1;
    if (widths[i] == ToRightEnd) break;
    right += std::int64_t{clientWidth - 1} * widths[i] / UnitsAcross;
    layout.RightEdges[i] = static_cast<int>(right);
  }
  return layout;
}

}  // namespace toolkit
