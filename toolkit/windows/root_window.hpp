#pragma once
// Opening and closing the root window, as the application sees them: no
// <windows.h> here, only the toolkit's own records.

#include <optional>

#include "toolkit/windows/window_layout.hpp"

namespace toolkit {

void OpenRootWindow(const WindowSpec& window, std::optional<int> colourReserve = std::nullopt);
void CloseRootWindow();

}  // namespace toolkit
