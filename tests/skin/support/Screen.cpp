#include "tests/skin/support/Screen.h"

namespace skintesting {

COLORREF ScreenPixel(int X, int Y) {
  const HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(nullptr, dc);
  return c;
}

TScreenCopy::TScreenCopy() : FTarget(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0xFF00FF) {
  const HDC screen = GetDC(nullptr);
  BitBlt(FTarget.DC(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

}  // namespace skintesting
