// The frame window of the root (class "KESTRAFOLIO"): commands, close
// requests, timers and frame clicks become events; status bar, toolbars and
// client window are laid out here; toolbar tooltips come from here.

#include "toolkit/windows/frame_procedure_win32.hpp"

#include <algorithm>

#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/display_scale.hpp"
#include "toolkit/windows/display_scale_win32.hpp"
#include "toolkit/windows/dropped_files_win32.hpp"
#include "toolkit/windows/event_reports_win32.hpp"
#include "toolkit/windows/frame_layout.hpp"
#include "toolkit/windows/palette_win32.hpp"
#include "toolkit/windows/toolbar.hpp"
#include "toolkit/windows/tooltip_table.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

LRESULT OnClose(HWND frame) {
  ReportEvent(frame, EventType::CloseAsked, -1, -1, -1, -1, -1, -1);
  return 0;
}

LRESULT OnCommand(HWND frame, WPARAM wParam, LPARAM lParam) {
  const int notification = HIWORD(wParam);
  if (notification != 0 && notification != 1) return DefWindowProcA(frame, WM_COMMAND, wParam, lParam);
  ReportEvent(frame, EventType::MenuCommand, LOWORD(wParam), -1, -1, -1, -1, -1);
  const int slot = SlotOfWindow(frame);
  const HWND sender = reinterpret_cast<HWND>(lParam);
  if (slot >= 0 && ToolbarPlaceOf(Layer.Slots[slot], sender) >= 0) UpdateWindow(sender);
  return 0;
}

// The last record of the window's own table for the command wins over the
// string table. Tooltips run to 80 characters, more than the notification's
// own buffer holds.
void FillTooltip(HWND frame, NMTTDISPINFOA& info) {
  const int slot = SlotOfWindow(frame);
  if (slot < 0) return;
  const auto command = static_cast<std::int32_t>(info.hdr.idFrom);
  std::array<char, 81>& text = Layer.TooltipText;
  if (const auto own = TooltipFor(Layer.Slots[slot].TooltipTable, command)) {
    *std::copy(own->begin(), own->end(), text.begin()) = '\0';
  } else if (LoadStringA(ProgramInstance(), static_cast<UINT>(command), text.data(), text.size()) == 0) {
    return;
  }
  info.lpszText = text.data();
}

LRESULT OnNotify(HWND frame, const NMHDR& header) {
  if (header.code == TTN_NEEDTEXTA) {
    FillTooltip(frame, *reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header)));
  }
  return 0;
}

LRESULT OnTimer(HWND frame, WPARAM timer) {
  KillTimer(frame, timer);
  ReportEvent(frame, EventType::TimerTick, static_cast<int>(timer), -1, -1, -1, -1, -1);
  return DefWindowProcA(frame, WM_TIMER, timer, 0);
}

LRESULT OnFrameButton(HWND frame, UINT message, WPARAM hit, LPARAM lParam, int button) {
  if (hit != HTMINBUTTON) ReportEvent(frame, EventType::FrameButtonDown, button, -1, -1, -1, -1, -1);
  BringWindowToTop(frame);
  return DefWindowProcA(frame, message, hit, lParam);
}

LRESULT OnSize(HWND frame, WPARAM kind) {
  const int slot = SlotOfWindow(frame);
  if (slot < 0) return 0;
  WindowSlot& s = Layer.Slots[slot];
  if (kind == SIZE_MINIMIZED) {
    s.Minimised = true;
    return 0;
  }
  LayOutFrame(slot);
  // The client window keeps its size through minimising and restoring, so
  // it would not hear of the restore: tell it, so that the application
  // learns it as a SizeChange and redraws.
  if (s.Minimised && s.Client != nullptr) {
    s.Minimised = false;
    RECT area;
    GetClientRect(s.Client, &area);
    SendMessageA(s.Client, WM_SIZE, SIZE_RESTORED, MAKELPARAM(area.right, area.bottom));
  }
  return 0;
}

// The status bar takes the font of the new scaling (it sizes itself by it)
// and its parts keep their share of the window.
void RescaleStatusBar(WindowSlot& s, int oldDpi) {
  if (s.StatusFont != nullptr) DeleteObject(s.StatusFont);
  const LOGFONTW font = WindowsFontsAt(s.Dpi).lfStatusFont;
  s.StatusFont = CreateFontIndirectW(&font);
  SendMessageA(s.StatusBar, WM_SETFONT, reinterpret_cast<WPARAM>(s.StatusFont), FALSE);
  std::array<int, MaxStatusBarParts> edges{};
  const auto count = static_cast<int>(SendMessageA(s.StatusBar, SB_GETPARTS, edges.size(),
                                                   reinterpret_cast<LPARAM>(edges.data())));
  for (int i = 0; i < count; ++i) edges[i] = RescaledEdge(edges[i], oldDpi, s.Dpi);
  SendMessageA(s.StatusBar, SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges.data()));
}

// The frame moved to a display of another scaling, or the display's scaling
// changed: what the toolkit sized in pixels follows, and the frame takes the
// place and size the system proposes, which keep its client area's share of
// the display.
LRESULT OnDpiChanged(HWND frame, int dpi, const RECT& proposed) {
  const int slot = SlotOfWindow(frame);
  if (slot < 0) return 0;
  WindowSlot& s = Layer.Slots[slot];
  const int oldDpi = s.Dpi;
  s.Dpi = dpi;
  if (s.StatusBar != nullptr) RescaleStatusBar(s, oldDpi);
  if (slot == 0) State.FontCache.fill(-1);  // the text font is made again for the next text
  SetWindowPos(frame, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
               proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // In the order of ToolbarSide, whose positions count from 1.
  for (int side = 0; side < ToolbarPlaces; ++side) {
    const ToolbarPlace& place = s.Toolbars[side];
    if (place.Window != nullptr) ToolbarCreate(place.Resource, slot, side + 1);
  }
  return 0;
}

// Losing the activation to another program, every toolkit window and dialog
// draws its caption inactive (the platform does so only for the active one);
// regaining it, the palette is realised again.
LRESULT OnActivateApp(HWND frame, WPARAM active, LPARAM thread) {
  if (active != 0) {
    RealiseToolkitPalette();
  } else {
    for (int slot = 1; slot < WindowSlotCount; ++slot) {
      if (Layer.Slots[slot].Frame != nullptr) SendMessageA(Layer.Slots[slot].Frame, WM_NCACTIVATE, FALSE, 0);
    }
    if (Layer.DialogCaptionsInactive != nullptr) Layer.DialogCaptionsInactive();
  }
  return DefWindowProcA(frame, WM_ACTIVATEAPP, active, thread);
}

LRESULT OnSetFocus(HWND frame) {
  const int slot = SlotOfWindow(frame);
  if (slot >= 0 && Layer.Slots[slot].Client != nullptr) SetFocus(Layer.Slots[slot].Client);
  return 0;
}

LRESULT OnDestroy(HWND frame) {
  const int slot = SlotOfWindow(frame);
  if (slot < 0) return 0;
  WindowSlot& s = Layer.Slots[slot];
  s.Menu = nullptr;
  s.Accelerators = nullptr;
  s.PopupLocatorTable.clear();
  // The toolbars are destroyed after the frame; they must meet their end
  // with their own procedure, not the filter that has forgotten them.
  for (ToolbarPlace& place : s.Toolbars) UnhookToolbar(place);
  s.Toolbars = {};
  return 0;
}

}  // namespace

void LayOutFrame(int slot) {
  const WindowSlot& s = Layer.Slots[slot];
  // In the order of ToolbarSide.
  const ToolbarPlace& top = s.Toolbars[0];
  const ToolbarPlace& left = s.Toolbars[1];
  const ToolbarPlace& right = s.Toolbars[2];
  const ToolbarPlace& bottom = s.Toolbars[3];
  const auto heightOf = [](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return static_cast<int>(r.bottom - r.top);
  };
  FrameParts parts;
  if (s.StatusBar != nullptr) {
    InvalidateRect(s.StatusBar, nullptr, TRUE);
    SendMessageA(s.StatusBar, WM_SIZE, 0, 0);
    parts.StatusBarHeight = heightOf(s.StatusBar);
  }
  if (top.Window != nullptr) {
    SendMessageA(top.Window, TB_AUTOSIZE, 0, 0);
    parts.TopHeight = heightOf(top.Window);
  }
  if (bottom.Window != nullptr) parts.BottomHeight = heightOf(bottom.Window);
  if (left.Window != nullptr) parts.LeftWidth = left.SideWidth;
  if (right.Window != nullptr) parts.RightWidth = right.SideWidth;

  RECT area;
  GetClientRect(s.Frame, &area);
  const FrameLayout layout = LayOutFrameArea(area.right, area.bottom, parts);
  const auto place = [](HWND w, const Placement& p) {
    if (w != nullptr) SetWindowPos(w, nullptr, p.X, p.Y, p.Width, p.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(top.Window, layout.Top);
  place(bottom.Window, layout.Bottom);
  place(left.Window, layout.Left);
  place(right.Window, layout.Right);
  place(s.Client, layout.Client);
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: return OnClose(frame);
    case WM_COMMAND: return OnCommand(frame, wParam, lParam);
    case WM_SIZE: return OnSize(frame, wParam);
    case WM_NOTIFY: return OnNotify(frame, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER: return OnTimer(frame, wParam);
    case WM_NCLBUTTONDOWN: return OnFrameButton(frame, message, wParam, lParam, 1);
    case WM_NCMBUTTONDOWN: return OnFrameButton(frame, message, wParam, lParam, 2);
    case WM_NCRBUTTONDOWN: return OnFrameButton(frame, message, wParam, lParam, 3);
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
      BringWindowToTop(frame);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(frame);
      return DefWindowProcA(frame, message, wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus(frame);
    case WM_ACTIVATEAPP: return OnActivateApp(frame, wParam, lParam);
    case WM_PALETTECHANGED: {
      const int slot = SlotOfWindow(frame);
      if (slot >= 0 && Layer.Slots[slot].Client != nullptr) {
        SendMessageA(Layer.Slots[slot].Client, message, wParam, lParam);
      }
      return 0;
    }
    case WM_DROPFILES: return OnDropFiles(frame, reinterpret_cast<HDROP>(wParam));
    case WM_DPICHANGED: return OnDpiChanged(frame, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    case WM_DESTROY: return OnDestroy(frame);
    default: return DefWindowProcA(frame, message, wParam, lParam);
  }
}

}  // namespace toolkit
