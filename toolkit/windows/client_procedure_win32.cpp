// The client window of the root (class "KESTCLIENT"): paint, size, keys and
// mouse become events.

#include "toolkit/windows/client_procedure_win32.hpp"

#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/event_reports_win32.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/key_codes.hpp"
#include "toolkit/windows/palette_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Positions come as 16-bit values; beyond the screen they were negative.
int MouseCoordinate(LPARAM lParam, bool vertical) {
  const int value = vertical ? HIWORD(lParam) : LOWORD(lParam);
  const int screen = vertical ? State.ScreenHeight : State.ScreenWidth;
  return value > screen ? value - 65536 : value;
}

POINT CursorInClient(HWND client) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(client, &p);
  return p;
}

void ReportKey(HWND client, int code) {
  const POINT p = CursorInClient(client);
  ReportEvent(client, EventType::KeyPress, code, -1, 0, -1, p.x, p.y);
}

LRESULT OnPaint(HWND client, WPARAM wParam, LPARAM lParam) {
  RealiseToolkitPalette();
  if (Layer.ImagesHeld) {
    if (PaintHeldImage(client)) return 0;
    return DefWindowProcA(client, WM_PAINT, wParam, lParam);
  }
  RECT r{};
  GetUpdateRect(client, &r, TRUE);
  if (ReportEvent(client, EventType::Repaint, r.right - r.left, r.bottom - r.top, 0, -1, r.left,
                  r.top)) {
    DeferIfOutsideNextEvent(client, WM_PAINT, EventType::Repaint);
  }
  return DefWindowProcA(client, WM_PAINT, wParam, lParam);
}

LRESULT OnSize(HWND client, WPARAM kind, LPARAM lParam) {
  if (kind == SIZE_MINIMIZED) return 0;
  const int slot = SlotOfWindow(client);
  if (slot >= 0) {
    Layer.Slots[slot].ClientWidth = LOWORD(lParam);
    Layer.Slots[slot].ClientHeight = HIWORD(lParam);
  }
  if (!IsWindowVisible(client)) return 0;
  // Paint what the resize exposed now, so that its Repaint is superseded by
  // the SizeChange instead of following it.
  RedrawWindow(client, nullptr, nullptr, RDW_ERASENOW | RDW_UPDATENOW | RDW_NOCHILDREN);
  if (ReportEvent(client, EventType::SizeChange, LOWORD(lParam), HIWORD(lParam), -1, -1, -1, -1)) {
    DeferIfOutsideNextEvent(client, WM_SIZE, EventType::SizeChange);
  }
  return 0;
}

LRESULT OnKeyDown(HWND client, WPARAM virtualKey) {
  const int vk = static_cast<int>(virtualKey);
  const bool shift = KeyHeld(VK_SHIFT);
  MSG next;
  if (PeekMessageA(&next, client, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) && next.message == WM_CHAR) {
    PeekMessageA(&next, client, WM_CHAR, WM_CHAR, PM_REMOVE);
    ReportKey(client, KeyCodeWithCharacter(vk, static_cast<int>(next.wParam), shift));
    return 0;
  }
  if (const auto code = KeyCodeWithoutCharacter(vk, shift, KeyHeld(VK_CONTROL))) ReportKey(client, *code);
  return 0;
}

LRESULT OnButtonDown(HWND client, LPARAM lParam, int button) {
  SetCapture(client);
  ReportEvent(client, EventType::MouseButtonDown, button, static_cast<int>(GetMessageTime() / 10), 0,
              -1, MouseCoordinate(lParam, false), MouseCoordinate(lParam, true));
  const HWND frame = GetParent(client);
  BringWindowToTop(frame);
  SetFocus(frame);
  return 0;
}

LRESULT OnButtonUp(HWND client, LPARAM lParam, int button) {
  ReleaseCapture();
  ReportEvent(client, EventType::MouseButtonUp, button, static_cast<int>(GetMessageTime() / 10), 0,
              -1, MouseCoordinate(lParam, false), MouseCoordinate(lParam, true));
  return 0;
}

LRESULT OnMouseMove(HWND client, LPARAM lParam) {
  ReportEvent(client, EventType::MouseMotion, -1, static_cast<int>(GetMessageTime() / 10), 0, -1,
              MouseCoordinate(lParam, false), MouseCoordinate(lParam, true));
  return 0;
}

LRESULT OnFrameButton(HWND client, UINT message, WPARAM wParam, LPARAM lParam, int button) {
  ReportEvent(client, EventType::FrameButtonDown, button, -1, -1, -1, -1, -1);
  BringWindowToTop(GetParent(client));
  return DefWindowProcA(client, message, wParam, lParam);
}

// Raises the frame without activating it: activation would move the focus
// back here and round again.
LRESULT OnSetFocus(HWND client) {
  const int slot = SlotOfWindow(client);
  if (slot < 0) return 0;
  Layer.ActiveWindow = slot;
  Layer.RecentWindow = Layer.Slots[slot].Frame;
  Layer.ModelessDialog = nullptr;
  if (slot == 0 && Layer.RootHidden) return 0;
  SetWindowPos(Layer.Slots[slot].Frame, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return 0;
}

}  // namespace

LRESULT CALLBACK ClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return OnPaint(client, wParam, lParam);
    case WM_SIZE: return OnSize(client, wParam, lParam);
    case WM_KEYDOWN: return OnKeyDown(client, wParam);
    case WM_CHAR:
      ReportKey(client, static_cast<int>(wParam));
      return 0;
    case WM_MOUSEMOVE: return OnMouseMove(client, lParam);
    case WM_LBUTTONDOWN: return OnButtonDown(client, lParam, 1);
    case WM_MBUTTONDOWN: return OnButtonDown(client, lParam, 2);
    case WM_RBUTTONDOWN: return OnButtonDown(client, lParam, 3);
    case WM_LBUTTONUP: return OnButtonUp(client, lParam, 1);
    case WM_MBUTTONUP: return OnButtonUp(client, lParam, 2);
    case WM_RBUTTONUP: return OnButtonUp(client, lParam, 3);
    case WM_NCLBUTTONDOWN: return OnFrameButton(client, message, wParam, lParam, 1);
    case WM_NCMBUTTONDOWN: return OnFrameButton(client, message, wParam, lParam, 2);
    case WM_NCRBUTTONDOWN: return OnFrameButton(client, message, wParam, lParam, 3);
    case WM_SETFOCUS: return OnSetFocus(client);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(GetParent(client));
      return DefWindowProcA(client, message, wParam, lParam);
    case WM_TIMER:
      KillTimer(client, wParam);
      return 0;
    case WM_SYSCHAR: return SendMessageA(GetParent(client), message, wParam, lParam);
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wParam) != client) RealiseToolkitPalette();
      return 0;
    default: return DefWindowProcA(client, message, wParam, lParam);
  }
}

}  // namespace toolkit
