#include "toolkit/windows/display_scale_win32.hpp"

#include <initializer_list>

#include "toolkit/windows/display_scale.hpp"

namespace toolkit {

namespace {

// Looked up rather than linked, so that the program still starts on Windows 7.
template <typename Function>
Function User32Call(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : StandardDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto forWindow = User32Call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const int dpi = window != nullptr && forWindow != nullptr ? static_cast<int>(forWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

void AdjustFrameRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto forDpi = User32Call<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (forDpi == nullptr || !forDpi(&rect, style, menu, exStyle, dpi)) AdjustWindowRectEx(&rect, style, menu, exStyle);
}

NONCLIENTMETRICSW WindowsFontsAt(int dpi) {
  static const auto forDpi = User32Call<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  for (LOGFONTW* font : {&metrics.lfStatusFont, &metrics.lfMessageFont}) {
    font->lfHeight = MulDiv(font->lfHeight, dpi, SystemDpi());
  }
  return metrics;
}

}  // namespace toolkit
