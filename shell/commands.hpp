#pragma once
// Menu items and toolbar buttons share one space of commands: a button does
// what the menu item with its command does.

#include <string_view>

#include "shell/toolkit_interface.hpp"

namespace shell {

// The status bar's parts: the number style, then the resolution.
inline constexpr int NumberStylePart = 1;
inline constexpr int ResolutionPart = 2;

// The status bar texts the program starts with.
inline constexpr std::string_view EnglishNumbersText = " Output format: English style numbers";
inline constexpr std::string_view OneSecondText = " Resolution: 1 second";

// Commands the program does not know do nothing.
void DispatchCommand(Toolkit& toolkit, int command, bool& exitRequested);

void AboutBox(Toolkit& toolkit);

}  // namespace shell
