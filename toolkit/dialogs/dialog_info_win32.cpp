// What a caller learns about the last dialog and the current one.

#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/window_table_win32.hpp"
#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

// Left, top, width and height in screen pixels; a dialog inside a window in
// units of that window's client area.
int Geometry(int code) {
  if (Dialogs.Current == 0) return 0;
  const HWND window = Dialogs.CurrentSlot().Window;
  RECT r{};
  GetWindowRect(window, &r);
  if (IsChildWindow(window)) {
    const HWND client = Layer.Slots[0].Client;
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    RECT area{};
    GetClientRect(client, &area);
    r = {PixelsToUnits(r.left, area.right), PixelsToUnits(r.top, area.bottom), PixelsToUnits(r.right, area.right),
         PixelsToUnits(r.bottom, area.bottom)};
  }
  switch (code) {
    case DialogInfoCode::Left: return r.left;
    case DialogInfoCode::Top: return r.top;
    case DialogInfoCode::Width: return r.right - r.left;
    default: return r.bottom - r.top;
  }
}

}  // namespace

int DialogInfo(int code) {
  const DialogStatus& s = State.Dialog;
  switch (code) {
    case DialogInfoCode::ExitField: return s.ExitField;
    case DialogInfoCode::PreviousField: return s.PreviousField;
    case DialogInfoCode::CurrentDialog: return s.CurrentDialogId;
    case DialogInfoCode::CommonResult: return s.CommonResult;
    case DialogInfoCode::EventDialog: return s.EventDialogId;
    case DialogInfoCode::Left:
    case DialogInfoCode::Top:
    case DialogInfoCode::Width:
    case DialogInfoCode::Height: return Geometry(code);
    default: return 0;
  }
}

}  // namespace toolkit
