#include "toolkit/windows/window_font_win32.hpp"

#include <array>

#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/gdi_holders_win32.hpp"

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

}  // namespace toolkit
