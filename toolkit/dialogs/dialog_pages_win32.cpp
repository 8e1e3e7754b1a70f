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

// The hidden instance of a loaded page that is a window inside another.
HWND PageWindow(int dialogId) {
  const int slot = dialogId != 0 ? Dialogs.Find(dialogId) : 0;
  const HWND page = slot != 0 ? Dialogs.Slots[slot].Window : nullptr;
  return page != nullptr && IsChildWindow(page) ? page : nullptr;
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
