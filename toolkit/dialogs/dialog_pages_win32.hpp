#pragma once
// Tab pages: dialogs of their own (loaded beside the dialog whose tab control
// names them) that are embedded in the tab's display area while the dialog
// is shown.

#include <windows.h>

#include <vector>

namespace toolkit {

// The page dialogs of the tab controls of `dialog`, by identifier.
std::vector<int> PagesOf(HWND dialog);

// Moves the loaded pages into the display areas of `host`'s tab controls;
// only the selected page of each is visible.
void EmbedPages(HWND host);

// Gives the pages embedded in `host` back to the root's client window, hidden.
void ReturnPages(HWND host);

// The page of the tab control's selected tab is shown, the others hidden.
void ShowSelectedPage(HWND tabs);

}  // namespace toolkit
