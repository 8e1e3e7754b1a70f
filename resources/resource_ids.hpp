#pragma once
// The numbers of the program's resources for the C++ code, under the names
// and in the namespace of the rest of the code; the numbers themselves come
// from resource_ids.h, which the resource script includes too.

#include "resources/resource_ids.h"

namespace resources {

inline constexpr int MainMenu = IDR_MAIN_MENU;
inline constexpr int MainToolbar = IDR_TOOLBAR;
// The toolkit finds a toolbar's larger images under its number plus their size.
static_assert(IDR_TOOLBAR_24 == IDR_TOOLBAR + 24 && IDR_TOOLBAR_32 == IDR_TOOLBAR + 32);
inline constexpr int AboutDialog = IDD_ABOUT;
inline constexpr int AboutTextField = IDC_ABOUT_TEXT;
// The window class icon is named, not numbered.
inline constexpr const char* ProgramIcon = "icon1";

inline constexpr int PopupFile = IDM_POPUP_FILE;
inline constexpr int PopupHelp = IDM_POPUP_HELP;
inline constexpr int PopupOptions = IDM_POPUP_OPTIONS;
inline constexpr int PopupResolution = IDM_POPUP_RESOLUTION;

inline constexpr int CommandOpen = IDM_OPEN;
inline constexpr int CommandSave = IDM_SAVE;
inline constexpr int CommandSaveAs = IDM_SAVE_AS;
inline constexpr int CommandExit = IDM_EXIT;
inline constexpr int CommandAbout = IDM_ABOUT;
inline constexpr int CommandExitButton = IDM_EXIT_BUTTON;
inline constexpr int CommandHelp = IDM_HELP;
inline constexpr int CommandResolution10 = IDM_RESOLUTION_10;
inline constexpr int CommandResolution5 = IDM_RESOLUTION_5;
inline constexpr int CommandResolution1 = IDM_RESOLUTION_1;
inline constexpr int CommandEnglishNumbers = IDM_ENGLISH_NUMBERS;
inline constexpr int CommandContinentalNumbers = IDM_CONTINENTAL_NUMBERS;
inline constexpr int CommandFixesOnly = IDM_FIXES_ONLY;
inline constexpr int CommandLocalTime = IDM_LOCAL_TIME;

}  // namespace resources
