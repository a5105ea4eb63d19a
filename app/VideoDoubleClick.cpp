#include "app/VideoDoubleClick.h"

#include <cstdlib>

using namespace classlib;

bool TVideoDoubleClick::Press(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != TMouseButton::mbLeft || Shift.Contains(TShiftStateItem::ssDouble)) {
    FPressed = false;
    return false;
  }
  const auto time = static_cast<DWORD>(GetMessageTime());
  const bool second = FPressed && time - FPressTime <= GetDoubleClickTime() &&
                      std::abs(X - FPressPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(Y - FPressPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  FPressed = !second;
  FPressTime = time;
  FPressPoint = {X, Y};
  return second;
}
