#pragma once
// Where the parts of a status bar end, from widths in window units.

#include <array>
#include <optional>
#include <span>

#include "toolkit/codes.hpp"

namespace toolkit {

inline constexpr int MaxStatusBarParts = 255;

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

// Right edges for `widths` (units, in which the client width is 9999; or
// ToRightEnd) on a client area `clientWidth` pixels across. Nothing
// (Count 0) for fewer than 1 or more than 255 parts. Parts after a -1 reach
// the right end too, so no part is left with an undefined edge.
StatusBarLayout StatusBarEdges(int clientWidth, std::span<const int> widths,
                               std::optional<std::span<const int>> styles = std::nullopt);

}  // namespace toolkit
