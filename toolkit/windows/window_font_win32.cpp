#include "toolkit/windows/window_font_win32.hpp"

#include <array>

#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/font_faces.hpp"
#include "toolkit/windows/gdi_holders_win32.hpp"

namespace toolkit {

namespace {

HFONT CreateTextFont(const TextState& t) {
  if (const auto face = FontFaceOf(t.FontFamily)) {
    return CreateFontA(t.CharHeight, t.CharWidth, 0, 0, t.Bold != 0 ? 700 : 400, t.Italic != 0, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       static_cast<BYTE>(face->PitchAndFamily), face->Name);
  }
  return static_cast<HFONT>(GetStockObject(t.FontFamily == 1 ? SYSTEM_FIXED_FONT : SYSTEM_FONT));
}

}  // namespace

// The font is made again only when one of its five attributes changed; the
// size it really has becomes the wanted size.
void RefreshFont(TextState& t) {
  const std::array<std::int32_t, 5> wanted{t.FontFamily, t.Bold, t.Italic, t.CharWidth, t.CharHeight};
  if (Layer.TextFont != nullptr && wanted == State.FontCache) return;
  if (Layer.TextFont != nullptr && !Layer.TextFontIsStock) DeleteObject(Layer.TextFont);
  Layer.TextFont = CreateTextFont(t);
  Layer.TextFontIsStock = !FontFaceOf(t.FontFamily);
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
