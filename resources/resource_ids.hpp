#pragma once

// Numbers under which pinwell.rc files the program's resources, for the C++
// code that loads them or reacts to their commands. The resource script
// spells the same numbers out; the resources test checks that both agree.

namespace resources {

// Menu 30001 and its PopupLocatorTable (RCDATA of the same number).
inline constexpr int MainMenu = 30001;
// Toolbar layout (RCDATA) and its button images (BITMAP), one number for both.
inline constexpr int MainToolbar = 30101;
// The About box and its text field.
inline constexpr int AboutDialog = 101;
inline constexpr int AboutTextField = 1001;
// The window class icon is named, not numbered.
inline constexpr const char* ProgramIcon = "icon1";

// Identifiers the PopupLocatorTable gives to the popup menus.
inline constexpr int PopupFile = 40001;
inline constexpr int PopupHelp = 40006;
inline constexpr int PopupOptions = 40012;
inline constexpr int PopupResolution = 40013;

// Commands of menu items and toolbar buttons: one space for both.
inline constexpr int CommandOpen = 40002;
inline constexpr int CommandSave = 40003;
inline constexpr int CommandSaveAs = 40004;
inline constexpr int CommandExit = 40005;
inline constexpr int CommandAbout = 40007;
inline constexpr int CommandExitButton = 40010;
inline constexpr int CommandHelp = 40011;
inline constexpr int CommandResolution10 = 40014;
inline constexpr int CommandResolution5 = 40015;
inline constexpr int CommandResolution1 = 40018;
inline constexpr int CommandEnglishNumbers = 40019;
inline constexpr int CommandContinentalNumbers = 40020;

}  // namespace resources
