// Clearing the client area and drawing text lines at window-unit positions.

#include "toolkit/windows/window_text.hpp"

#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/windows/gdi_holders_win32.hpp"
#include "toolkit/windows/window_font_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"
#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

// On a 256-colour display a basic colour may not be one the device shows.
COLORREF DeviceColour(HDC dc, int index) { return GetNearestColor(dc, Layer.BasicColours[index]); }

}  // namespace

void ClearClientArea() {
  const WindowSlot& slot = Layer.Slots[Layer.CurrentWindow];
  const HDC dc = Layer.ClientDc;
  if (dc == nullptr) return;
  const OwnedObject brush(CreateSolidBrush(DeviceColour(dc, slot.Text.Background)));
  const Selection pen(dc, GetStockObject(NULL_PEN));
  const Selection fill(dc, brush.get());
  const int oldMode = SetROP2(dc, R2_COPYPEN);
  Rectangle(dc, 0, 0, slot.ScaleWidth + 1, slot.ScaleHeight + 1);
  SetROP2(dc, oldMode);
}

void TextAt(int x, int y, std::string_view text) {
  WindowSlot& slot = Layer.Slots[Layer.CurrentWindow];
  const HDC dc = Layer.ClientDc;
  if (dc == nullptr) return;
  TextState& t = slot.Text;
  const int px = UnitsToPixels(x, slot.ScaleWidth);
  const int py = UnitsToPixels(y, slot.ScaleHeight);
  RefreshFont(t);

  const COLORREF foreground = DeviceColour(dc, t.Foreground);
  const Selection font(dc, Layer.TextFont);
  const int oldMode = SetBkMode(dc, OPAQUE);
  const COLORREF oldBack = SetBkColor(dc, DeviceColour(dc, t.Background));
  const COLORREF oldText = SetTextColor(dc, foreground);
  const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_UPDATECP);
  MoveToEx(dc, px, py, nullptr);
  const std::wstring shown = PlatformText(text);
  TextOutW(dc, 0, 0, shown.data(), static_cast<int>(shown.size()));
  POINT end{};
  GetCurrentPositionEx(dc, &end);
  if (t.Underline) {
    const OwnedObject pen(CreatePen(PS_SOLID, 1, foreground));
    const Selection line(dc, pen.get());
    MoveToEx(dc, px, py + 2, nullptr);
    LineTo(dc, end.x, end.y + 2);
  }
  SetTextAlign(dc, oldAlign);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  t.TextX = PixelsToUnits(end.x, slot.ScaleWidth);
  t.TextY = PixelsToUnits(end.y, slot.ScaleHeight);
}

}  // namespace toolkit
