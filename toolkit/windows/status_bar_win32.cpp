// Status bar parts and texts of the current window.

#include "toolkit/windows/status_bar.hpp"

#include <array>
#include <string>

#include "text/text_utilities.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

WPARAM StyleFlag(int style) {
  switch (style) {
    case PartStyle::NoBorder: return SBT_NOBORDERS;
    case PartStyle::Raised: return SBT_POPOUT;
    default: return 0;
  }
}

void RepaintNow(HWND bar, const RECT* area) {
  InvalidateRect(bar, area, TRUE);
  UpdateWindow(bar);
}

}  // namespace

void StatusBarParts(std::span<const int> widths, std::optional<std::span<const int>> styles) {
  WindowSlot& slot = Layer.Slots[Layer.CurrentWindow];
  const StatusBarLayout layout = StatusBarEdges(slot.ScaleWidth, widths, styles);
  if (layout.Count == 0) return;
  for (int i = 0; i < layout.StyledCount; ++i) slot.PartStyles[i] = layout.Styles[i];
  if (slot.StatusBar == nullptr) return;
  std::array<int, MaxStatusBarParts> edges = layout.RightEdges;
  SendMessageA(slot.StatusBar, SB_SETPARTS, layout.Count, reinterpret_cast<LPARAM>(edges.data()));
  // Existing texts survive and take their part's new style.
  std::array<wchar_t, 512> text{};
  for (int part = 0; part < layout.Count; ++part) {
    const LRESULT result = SendMessageW(slot.StatusBar, SB_GETTEXTLENGTHW, part, 0);
    if (LOWORD(result) >= text.size()) continue;
    SendMessageW(slot.StatusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    SendMessageW(slot.StatusBar, SB_SETTEXTW, part | StyleFlag(slot.PartStyles[part]),
                 reinterpret_cast<LPARAM>(text.data()));
  }
  RepaintNow(slot.StatusBar, nullptr);
}

void StatusBarText(int part, std::string_view text) {
  if (part < 1 || part > MaxStatusBarParts) return;
  const std::wstring shown = PlatformText(text::TrimTrailing(text));
  const WindowSlot& slot = Layer.Slots[Layer.CurrentWindow];
  if (slot.StatusBar == nullptr) return;
  const int index = part - 1;
  SendMessageW(slot.StatusBar, SB_SETTEXTW, index | StyleFlag(slot.PartStyles[index]),
               reinterpret_cast<LPARAM>(shown.c_str()));
  RECT area{};
  SendMessageA(slot.StatusBar, SB_GETRECT, index, reinterpret_cast<LPARAM>(&area));
  RepaintNow(slot.StatusBar, &area);
}

}  // namespace toolkit
