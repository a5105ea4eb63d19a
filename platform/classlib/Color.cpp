#include "platform/classlib/Types.h"

namespace classlib {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

}  // namespace classlib
