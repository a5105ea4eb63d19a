// Helpers of the flat group box tests: bitmaps filled and read back pixel by pixel, and a live
// window printed into memory.
#pragma once

#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"

#include <memory>

namespace flattesting {

// A 24-bit bitmap of one colour.
inline std::unique_ptr<classlib::TBitmap> FilledBitmap(int Width, int Height, COLORREF Color) {
  auto bitmap = std::make_unique<classlib::TBitmap>();
  bitmap->SetPixelFormat(classlib::TPixelFormat::pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(static_cast<classlib::TColor>(Color));
  bitmap->Canvas()->FillRect(classlib::Rect(0, 0, Width, Height));
  return bitmap;
}

inline COLORREF PixelOf(classlib::TBitmap& Bitmap, int X, int Y) {
  return static_cast<COLORREF>(Bitmap.Canvas()->Pixels(X, Y));
}

// What a window paints of itself, asked for as the system's PrintWindow asks.
class TPrinted {
public:
  TPrinted(HWND Window, COLORREF Fill = RGB(1, 2, 3)) {
    RECT r;
    GetWindowRect(Window, &r);
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    FTarget = std::make_unique<windowtesting::TPaintTarget>(FWidth, FHeight, Fill);
    PrintWindow(Window, FTarget->DC(), 0);
  }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  COLORREF operator()(int X, int Y) const { return FTarget->Pixel(X, Y); }

private:
  int FWidth = 0, FHeight = 0;
  std::unique_ptr<windowtesting::TPaintTarget> FTarget;
};

}  // namespace flattesting
