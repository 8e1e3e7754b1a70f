#pragma once
// The status bar of the current window.

#include <optional>
#include <span>
#include <string_view>

namespace toolkit {

// Widths in window units, -1 (last only) up to the right end; styles 0 no
// border, 1 sunken, 2 raised.
void StatusBarParts(std::span<const int> widths,
                    std::optional<std::span<const int>> styles = std::nullopt);

// Part is 1-based; trailing blanks of the text are dropped.
void StatusBarText(int part, std::string_view text);

}  // namespace toolkit
