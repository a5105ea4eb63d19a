// What the list and combo box tests share: forms read from description text with the boxes'
// classes registered, window pictures taken with PrintWindow, and real pointer and key input.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/RealInput.h"

#include <memory>
#include <string>

namespace skinboxestesting {

// A form read from description text, shown and active.
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text);

// The window's picture (PrintWindow, frame included for a top-level window) and one of its pixels
// in window coordinates.
class TWindowPicture {
public:
  explicit TWindowPicture(HWND Window);
  COLORREF Pixel(int X, int Y) const { return FTarget->Pixel(X, Y); }

private:
  std::unique_ptr<windowtesting::TPaintTarget> FTarget;
};

// Real input, shared with the other skin tests.
using skintesting::stepped::LeftPress;
using skintesting::stepped::LeftReleaseAt;
using skintesting::stepped::MouseTo;
using skintesting::stepped::TapKey;
using skintesting::stepped::TypeChar;

}  // namespace skinboxestesting
