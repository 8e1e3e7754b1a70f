#include "toolkit/windows/window_font_win32.hpp"

#include <algorithm>
#include <array>

#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/display_scale.hpp"
#include "toolkit/windows/display_scale_win32.hpp"
#include "toolkit/windows/font_faces.hpp"
#include "toolkit/windows/gdi_holders_win32.hpp"

namespace toolkit {

namespace {

// At 100 % the text is in the system's own font, as it always was. That is
// a bitmap font, blocky when enlarged (and Wine does not enlarge it at all):
// at any other scaling the text takes the face Windows writes its messages
// in, as high as the system font is at 100 % (16 pixels), scaled, and as
// heavy.
HFONT SystemFontAt(int stock, int dpi) {
  constexpr int SystemFontHeight = 16;
  const auto font = static_cast<HFONT>(GetStockObject(stock));
  LOGFONTW shape{};
  if (dpi == StandardDpi || GetObjectW(font, sizeof shape, &shape) == 0) return font;
  shape.lfHeight = ScaledPixels(SystemFontHeight, dpi);
  shape.lfWidth = 0;
  shape.lfOutPrecision = OUT_TT_PRECIS;
  shape.lfQuality = DEFAULT_QUALITY;
  if (stock == SYSTEM_FONT) {
    const LOGFONTW message = WindowsFontsAt(dpi).lfMessageFont;
    std::copy(std::begin(message.lfFaceName), std::end(message.lfFaceName), shape.lfFaceName);
  }
  return CreateFontIndirectW(&shape);
}

HFONT CreateTextFont(const TextState& t, int dpi) {
  if (const auto face = FontFaceOf(t.FontFamily)) {
    return CreateFontA(t.CharHeight, t.CharWidth, 0, 0, t.Bold != 0 ? 700 : 400, t.Italic != 0, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       static_cast<BYTE>(face->PitchAndFamily), face->Name);
  }
  return SystemFontAt(t.FontFamily == 1 ? SYSTEM_FIXED_FONT : SYSTEM_FONT, dpi);
}

}  // namespace

// The font is made again only when one of its five attributes changed (or
// the window moved to a display of another scaling, which empties the
// cache); the size it really has becomes the wanted size.
void RefreshFont(TextState& t) {
  const std::array<std::int32_t, 5> wanted{t.FontFamily, t.Bold, t.Italic, t.CharWidth, t.CharHeight};
  if (Layer.TextFont != nullptr && wanted == State.FontCache) return;
  if (Layer.TextFont != nullptr && !Layer.TextFontIsStock) DeleteObject(Layer.TextFont);
  Layer.TextFont = CreateTextFont(t, Layer.Slots[0].Dpi);
  Layer.TextFontIsStock = Layer.TextFont == GetStockObject(SYSTEM_FONT) ||
                          Layer.TextFont == GetStockObject(SYSTEM_FIXED_FONT);
  TEXTMETRICA metrics{};
  {
    const Selection font(Layer.ClientDc, Layer.TextFont);
    GetTextMetricsA(Layer.ClientDc, &metrics);
  }
  t.CharHeight = metrics.tmHeight;
  t.CharWidth = metrics.tmAveCharWidth;
  State.FontCache = {t.FontFamily, t.Bold, t.Italic, t.CharWidth, t.CharHeight};
}

}  // namespace toolkit
