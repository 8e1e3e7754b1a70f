#pragma once
// The progress lines of the main window: kept in the application state so
// that every repaint can draw them again.

#include <string>
#include <string_view>

#include "shell/application_state.hpp"
#include "shell/toolkit_interface.hpp"

namespace shell {

inline constexpr int PathWidth = 50;

// A path that fits in width characters is kept whole; a longer one loses its
// leading folders and shows "...\" after its first three characters (the
// drive prefix, "C:\"), or, when no folder is left to drop, it loses just
// those three characters. The width counts the bytes of UTF-8, so that a
// line with a shortened path still fits its stored 128 after a repaint.
FileName AbbreviatePath(std::string_view path, int width);

// prefix followed by the shortened path, without trailing blanks.
std::string PathLine(std::string_view prefix, const FileName& path);

// Draws the line below the last one and adds it to the list, which keeps no
// more than its five lines (a sixth would be drawn, not kept).
void AddProgressLine(Toolkit& toolkit, std::string_view line);

// The same, except that a full list makes room: its first line goes and the
// others move up, for a run that reports more lines than the list holds.
void AddRollingLine(Toolkit& toolkit, std::string_view line);

void RedrawProgress(Toolkit& toolkit);

}  // namespace shell
