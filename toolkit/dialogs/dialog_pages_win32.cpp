#include "toolkit/dialogs/dialog_pages_win32.hpp"

#include <commctrl.h>

#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

template <typename Action>
void ForEachTabControl(HWND dialog, Action action) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlKindOf(child) == ControlKind::Tabs) action(child);
  }
}

int PageIdOf(HWND tabs, LRESULT index) {
  TCITEMA item{};
  item.mask = TCIF_PARAM;
  if (!SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<int>(item.lParam);
}

// The hidden instance of a loaded page.
HWND PageWindow(int dialogId) {
  const int slot = dialogId != 0 ? Dialogs.Find(dialogId) : 0;
  return slot != 0 ? Dialogs.Slots[slot].Window : nullptr;
}

// A page designed as a window of its own becomes a window inside the
// dialog, without the frame it had: a page is a part of its dialog.
void MakeChild(HWND page) {
  const LONG style = GetWindowLongA(page, GWL_STYLE);
  if ((style & WS_CHILD) != 0) return;
  constexpr LONG Frame = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  SetWindowLongA(page, GWL_STYLE, (style & ~Frame) | WS_CHILD);
  SetWindowLongA(page, GWL_EXSTYLE, GetWindowLongA(page, GWL_EXSTYLE) & ~(WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME));
}

void Embed(HWND host, HWND tabs) {
  RECT area{};
  GetWindowRect(tabs, &area);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&area), 2);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const auto count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const HWND page = PageWindow(PageIdOf(tabs, i));
    if (page == nullptr) continue;
    MakeChild(page);
    SetParent(page, host);
    SetWindowPos(page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  ShowSelectedPage(tabs);
}

}  // namespace

std::vector<int> PagesOf(HWND dialog) {
  std::vector<int> pages;
  ForEachTabControl(dialog, [&pages](HWND tabs) {
    const auto count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      if (const int id = PageIdOf(tabs, i); id != 0) pages.push_back(id);
    }
  });
  return pages;
}

void EmbedPages(HWND host) {
  // The tab control draws beneath its pages, not over them.
  ForEachTabControl(host, [host](HWND tabs) {
    SetWindowLongA(tabs, GWL_STYLE, GetWindowLongA(tabs, GWL_STYLE) | WS_CLIPSIBLINGS);
    Embed(host, tabs);
  });
}

void ReturnPages(HWND host) {
  const HWND root = Layer.Slots[0].Client;
  HWND child = GetWindow(host, GW_CHILD);
  while (child != nullptr) {
    const HWND next = GetWindow(child, GW_HWNDNEXT);
    if (Dialogs.IndexOf(child) != 0) {
      ShowWindow(child, SW_HIDE);
      SetParent(child, root);
    }
    child = next;
  }
}

void ShowSelectedPage(HWND tabs) {
  const HWND host = GetParent(tabs);
  const auto selected = SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
  const auto count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const HWND page = PageWindow(PageIdOf(tabs, i));
    if (page != nullptr && GetParent(page) == host) ShowWindow(page, i == selected ? SW_SHOWNA : SW_HIDE);
  }
}

}  // namespace toolkit
