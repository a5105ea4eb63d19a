#include "tools/artwork/ButtonsBarArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

constexpr int kSide = 11;
constexpr int kTriangleHeight = 5;
constexpr int kTop = (kSide - kTriangleHeight) / 2;

// Row `row` of the triangle counted from its point is 2 * row + 1 pixels wide.
Canvas Triangle(bool up) {
  Canvas c(kSide, kSide, Bytes(128, 128, 0));
  for (int row = 0; row < kTriangleHeight; ++row) {
    const int y = up ? kTop + row : kTop + kTriangleHeight - 1 - row;
    for (int x = kSide / 2 - row; x <= kSide / 2 + row; ++x) c.At(x, y) = Bytes(0, 0, 0);
  }
  return c;
}

}  // namespace

void WriteButtonsBarPictures(const std::string& folder) {
  Triangle(true).SaveBmp(folder + "/SK_BB_UP.bmp", false);
  Triangle(false).SaveBmp(folder + "/SK_BB_DOWN.bmp", false);
}

}  // namespace artwork
