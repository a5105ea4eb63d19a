#include "tools/artwork/PictureDialogArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

constexpr int kSize = 16;

void Rect(Canvas& c, int left, int top, int right, int bottom, Rgb colour) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) c.At(x, y) = colour;
}

// The bottom-left pixel stays magenta: the button takes that pixel's colour as the one to cut away.
Canvas Stretch() {
  Canvas c(kSize, kSize, Bytes(255, 0, 255));
  Rect(c, 5, 5, 10, 10, Bytes(20, 60, 200));
  Rect(c, 6, 6, 9, 9, Bytes(255, 255, 255));
  const Rgb green = Bytes(24, 150, 40);
  // Each arrow: a two-pixel shaft from the frame outwards, a four-pixel bar behind a two-pixel tip.
  Rect(c, 7, 2, 8, 4, green);   // up
  Rect(c, 6, 1, 9, 1, green);
  Rect(c, 7, 0, 8, 0, green);
  Rect(c, 7, 11, 8, 13, green);  // down
  Rect(c, 6, 14, 9, 14, green);
  Rect(c, 7, 15, 8, 15, green);
  Rect(c, 2, 7, 4, 8, green);   // left
  Rect(c, 1, 6, 1, 9, green);
  Rect(c, 0, 7, 0, 8, green);
  Rect(c, 11, 7, 13, 8, green);  // right
  Rect(c, 14, 6, 14, 9, green);
  Rect(c, 15, 7, 15, 8, green);
  return c;
}

}  // namespace

void WritePictureDialogGlyphs(const std::string& folder) { Stretch().SaveBmp(folder + "/SK_STRETCH.bmp", false); }

}  // namespace artwork
