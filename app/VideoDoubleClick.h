// The platform's video window takes no double clicks: it hands the form that drains its messages
// two plain presses, which count as one double click when they come as close together as the
// system's settings say. The full-screen forms pair the presses through this.
#pragma once

#include "platform/classlib/Controls.h"

class TVideoDoubleClick {
public:
  // Notes a press; true when it completes a double click. A real double click, which the form
  // itself gets as such, and other buttons start over.
  bool Press(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  void Reset() { FPressed = false; }

private:
  bool FPressed = false;  // a first press waits for its second
  DWORD FPressTime = 0;
  POINT FPressPoint{};
};
