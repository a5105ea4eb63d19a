// Pictures for the skin utility tests: coordinate-coded skin pictures whose every pixel names the
// place it came from, and pixel access to class-library bitmaps.
#pragma once

#include "platform/classlib/Bitmap.h"

#include <functional>

namespace skintesting {

// Blue of every coded pixel: white (a new bitmap's colour) and the test colours never carry it.
constexpr int kCodedBlue = 0x55;

// A 24-bit bitmap of the given size, every pixel Color.
inline void Fill(classlib::TBitmap& Bitmap, int Width, int Height, COLORREF Color) {
  Bitmap.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  Bitmap.SetSize(Width, Height);
  Bitmap.Canvas()->Brush()->SetColor(static_cast<classlib::TColor>(Color));
  Bitmap.Canvas()->FillRect(classlib::TRect{0, 0, Width, Height});
}

// Pixel (x, y) holds red x, green y and blue kCodedBlue.
inline void MakeCoded(classlib::TBitmap& Bitmap, int Width, int Height) {
  Fill(Bitmap, Width, Height, RGB(255, 255, 255));
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Bitmap.ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      row[3 * x] = kCodedBlue;
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = static_cast<std::uint8_t>(x);
    }
  }
}

// A picture drawn by a rule: Color(x, y) as a COLORREF.
inline void MakePicture(classlib::TBitmap& Bitmap, int Width, int Height, const std::function<COLORREF(int, int)>& Color) {
  Fill(Bitmap, Width, Height, RGB(255, 255, 255));
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Bitmap.ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      const COLORREF c = Color(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
}

inline COLORREF PixelAt(classlib::TBitmap& Bitmap, int X, int Y) {
  return static_cast<COLORREF>(Bitmap.Canvas()->Pixels(X, Y));
}

struct TSource {
  int X, Y;  // -1, -1: not a coded pixel
  bool operator==(const TSource&) const = default;
};

// Where a pixel of a coded picture came from.
inline TSource SourceAt(classlib::TBitmap& Bitmap, int X, int Y) {
  const COLORREF c = PixelAt(Bitmap, X, Y);
  if (GetBValue(c) != kCodedBlue) return TSource{-1, -1};
  return TSource{GetRValue(c), GetGValue(c)};
}

}  // namespace skintesting
