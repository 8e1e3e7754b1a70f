#include "toolkit/windows/palette_win32.hpp"

#include <vector>

#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

// The reserved entries start black and may be changed while shown (they
// are the program's to animate); the basic colours are never merged with
// another program's entries, so that they stay exact.
void CreateToolkitPalette(int colourReserve) {
  DeleteToolkitPalette();
  const std::size_t count = Layer.BasicColours.size() + static_cast<std::size_t>(colourReserve);
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    PALETTEENTRY& e = palette->palPalEntry[i];
    if (i < Layer.BasicColours.size()) {
      const COLORREF c = Layer.BasicColours[i];
      e = {GetRValue(c), GetGValue(c), GetBValue(c), PC_NOCOLLAPSE};
    } else {
      e = {0, 0, 0, PC_RESERVED};
    }
  }
  Layer.Palette = CreatePalette(palette);
}

void DeleteToolkitPalette() {
  if (Layer.Palette == nullptr) return;
  if (Layer.ClientDc != nullptr) SelectPalette(Layer.ClientDc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  DeleteObject(Layer.Palette);
  Layer.Palette = nullptr;
}

void RealiseToolkitPalette() {
  if (Layer.Palette == nullptr || Layer.ClientDc == nullptr) return;
  SelectPalette(Layer.ClientDc, Layer.Palette, FALSE);
  RealizePalette(Layer.ClientDc);
}

}  // namespace toolkit
