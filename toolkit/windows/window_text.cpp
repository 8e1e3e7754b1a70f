// Clearing the client area and drawing text lines at window-unit positions.

#include <array>

#include "toolkit/frame/toolkit_state.hpp"
#include "toolkit/windows/window_layer.hpp"

#include "toolkit/windows/gdi_holders.hpp"
#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

struct FontFace {
  const char* Name;
  BYTE PitchAndFamily;
};

// Families 2 to 6; 1 is the system's fixed-pitch font, anything else its
// proportional one.
constexpr std::array<FontFace, 5> Faces{{
    {"Times New Roman", 18}, {"Arial", 34}, {"Courier New", 50}, {"Symbol", 2}, {"Wingdings", 2}}};

HFONT CreateTextFont(const TextState& t) {
  if (t.FontFamily >= 2 && t.FontFamily <= 6) {
    const FontFace& face = Faces[t.FontFamily - 2];
    return CreateFontA(t.CharHeight, t.CharWidth, 0, 0, t.Bold != 0 ? 700 : 400, t.Italic != 0, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       face.PitchAndFamily, face.Name);
  }
  return static_cast<HFONT>(GetStockObject(t.FontFamily == 1 ? SYSTEM_FIXED_FONT : SYSTEM_FONT));
}

// On a 256-colour display a basic colour may not be one the device shows.
COLORREF DeviceColour(HDC dc, int index) { return GetNearestColor(dc, Layer.BasicColours[index]); }

}  // namespace

// The font is made again only when one of its five attributes changed; the
// size it really has becomes the wanted size.
void RefreshFont(TextState& t) {
  const std::array<std::int32_t, 5> wanted{t.FontFamily, t.Bold, t.Italic, t.CharWidth, t.CharHeight};
  if (Layer.TextFont != nullptr && wanted == State.FontCache) return;
  if (Layer.TextFont != nullptr && !Layer.TextFontIsStock) DeleteObject(Layer.TextFont);
  Layer.TextFont = CreateTextFont(t);
  Layer.TextFontIsStock = !(t.FontFamily >= 2 && t.FontFamily <= 6);
  TEXTMETRICA metrics{};
  {
    const Selection font(Layer.ClientDc, Layer.TextFont);
    GetTextMetricsA(Layer.ClientDc, &metrics);
  }
  t.CharHeight = metrics.tmHeight;
  t.CharWidth = metrics.tmAveCharWidth;
  State.FontCache = {t.FontFamily, t.Bold, t.Italic, t.CharWidth, t.CharHeight};
}

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
  TextOutA(dc, 0, 0, text.data(), static_cast<int>(text.size()));
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
