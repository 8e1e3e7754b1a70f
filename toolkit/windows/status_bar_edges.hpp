#pragma once
// Where the parts of a status bar end, from widths in window units.

#include <array>
#include <optional>
#include <span>

namespace toolkit {

inline constexpr int MaxStatusBarParts = 255;

namespace PartStyle {
inline constexpr int NoBorder = 0;
inline constexpr int Sunken = 1;
inline constexpr int Raised = 2;
}  // namespace PartStyle

struct StatusBarLayout {
  int Count = 0;
  std::array<int, MaxStatusBarParts> RightEdges{};  // pixels; -1: to the right end
  // The first StyledCount parts take these styles; parts after a -1 keep
  // the ones they had.
  int StyledCount = 0;
  std::array<int, MaxStatusBarParts> Styles{};
};

// Any code other than 0 and 2 draws sunken.
int NormalisedPartStyle(int code);

// Right edges for `widths` (units, in which the client width is 9999; -1 means
// up to the right end) on a client area `clientWidth` pixels across. Nothing
// (Count 0) for fewer than 1 or more than 255 parts. Parts after a -1 reach
// the right end too, so no part is left with an undefined edge.
StatusBarLayout StatusBarEdges(int clientWidth, std::span<const int> widths,
                               std::optional<std::span<const int>> styles = std::nullopt);

}  // namespace toolkit
