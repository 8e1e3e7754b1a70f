#pragma once
// The root window and its event loop, as the application sees them: no
// <windows.h> here, only the toolkit's own records and operations.

#include <optional>
#include <span>
#include <string_view>

#include "toolkit/windows/event_record.hpp"
#include "toolkit/windows/window_layout.hpp"

namespace toolkit {

inline constexpr int WindowSlotCount = 21;  // slot 0 is the root window

void OpenRootWindow(const WindowSpec& window, std::optional<int> colourReserve = std::nullopt);
void CloseRootWindow();

// Widths in window units, -1 (last only) up to the right end; styles 0 no
// border, 1 sunken, 2 raised.
void StatusBarParts(std::span<const int> widths,
                    std::optional<std::span<const int>> styles = std::nullopt);

// Places: 1 top, 2 left, 3 right, 4 bottom (anything else: top). Resource 0
// removes the toolbar at that place.
void ToolbarCreate(int resource, int window = 0, int position = 1);

// Blocks until an event is available.
void NextEvent(int& type, EventRecord& record);
void EventEnable(int type, int on);

// Part is 1-based; trailing blanks of the text are dropped.
void StatusBarText(int part, std::string_view text);
// Kind 1 enables (value 1) or greys (0), kind 2 checks (1) or unchecks (0).
void MenuItemState(int item, int kind, int value);
void ClearClientArea();
void TextAt(int x, int y, std::string_view text);

}  // namespace toolkit
