// What the list and combo box tests share: forms read from description text with the boxes'
// classes registered, window pictures taken with PrintWindow, and real pointer and key input.
#pragma once
#include "tests/classlib/WindowTesting.h"

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

// Real input through the system's queue: the pointer moved to a screen point, a button pressed
// or released there, a key pressed and released (with Alt held when asked).
void MoveTo(int X, int Y);
void Press(int X, int Y);
void Release(int X, int Y);
void TapKey(WORD Key, bool Alt = false);
void TypeChar(char C);

}  // namespace skinboxestesting
