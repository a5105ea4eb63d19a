#include "tools/artwork/CalendarArt.h"

#include "tools/artwork/Canvas.h"

#include <array>
#include <cstdlib>

namespace artwork {

namespace {

constexpr int kSize = 16;
using Mask = std::array<std::array<bool, kSize>, kSize>;

// An arrow head pointing right with its tip at column tip, rows 4 to 12.
void RightHead(Mask& m, int tip) {
  for (int y = 4; y <= 12; ++y) {
    const int depth = 4 - std::abs(y - 8);  // 0 at the top and bottom rows, 4 in the middle
    for (int x = tip - 4; x <= tip - 4 + depth; ++x) m[y][x] = true;
  }
}

bool Touches(const Mask& m, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && m[ny][nx]) return true;
    }
  return false;
}

void Write(const std::string& folder, const char* name, bool doubled, bool left) {
  Mask head{};
  if (doubled) {
    RightHead(head, 8);
    RightHead(head, 13);
  } else {
    RightHead(head, 10);
  }
  Canvas glyph(kSize, kSize, Bytes(255, 0, 255));
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int px = left ? kSize - 1 - x : x;
      if (head[y][x])
        glyph.At(px, y) = Bytes(0, 0, 0);
      else if (Touches(head, x, y))
        glyph.At(px, y) = Bytes(255, 255, 255);
    }
  glyph.SaveBmp(folder + "/" + name + ".bmp", false);
}

}  // namespace

void WriteCalendarGlyphs(const std::string& folder) {
  Write(folder, "SK_PRIORYEAR", true, true);
  Write(folder, "SK_PRIORMONTH", false, true);
  Write(folder, "SK_NEXTMONTH", false, false);
  Write(folder, "SK_NEXTYEAR", true, false);
}

}  // namespace artwork
