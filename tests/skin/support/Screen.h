// The screen read back: what the display shows, windows above included.
#pragma once

#include "tests/classlib/WindowTesting.h"

namespace skintesting {

// The colour of the screen at a point, read now.
COLORREF ScreenPixel(int X, int Y);

// A copy of the whole screen at the moment it is made.
class TScreenCopy {
public:
  TScreenCopy();
  // The pixel at a screen point as a COLORREF.
  COLORREF Pixel(int X, int Y) const { return FTarget.Pixel(X, Y); }

private:
  windowtesting::TPaintTarget FTarget;
};

}  // namespace skintesting
