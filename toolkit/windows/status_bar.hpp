#pragma once
// The status bar of the current window.

#include <optional>
#include <span>
#include <string_view>

#include "toolkit/codes.hpp"

namespace toolkit {

// Widths in window units, or ToRightEnd (the last only); styles are PartStyle.
void StatusBarParts(std::span<const int> widths,
                    std::optional<std::span<const int>> styles = std::nullopt);

// Part is 1-based; trailing blanks of the text are dropped.
void StatusBarText(int part, std::string_view text);

}  // namespace toolkit
