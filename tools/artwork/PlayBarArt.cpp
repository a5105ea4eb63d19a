#include "tools/artwork/PlayBarArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

constexpr int kSize = 16;

const Rgb kMagenta = Bytes(255, 0, 255);
const Rgb kWhite = Bytes(255, 255, 255);
const Rgb kBlack = Bytes(0, 0, 0);

// Both glyphs keep their bottom-left pixel magenta: the buttons take that pixel's colour as the
// one to cut away.

Canvas Play() {
  Canvas c(kSize, kSize, kMagenta);
  // Rows 2 to 13: the triangle's point reaches further right towards the middle rows, one pixel of
  // white around a black body.
  for (int y = 2; y <= 13; ++y) {
    const int reach = 4 + 2 * (y <= 7 ? y - 2 : 13 - y);
    for (int x = 4; x <= reach; ++x) {
      const bool edge = x == 4 || x == reach || y == 2 || y == 13 || x >= reach - 1;
      c.At(x, y) = edge ? kWhite : kBlack;
    }
  }
  return c;
}

Canvas Stop() {
  Canvas c(kSize, kSize, kMagenta);
  for (int y = 3; y <= 12; ++y)
    for (int x = 3; x <= 12; ++x) c.At(x, y) = (x == 3 || x == 12 || y == 3 || y == 12) ? kWhite : kBlack;
  return c;
}

}  // namespace

void WritePlayBarGlyphs(const std::string& folder) {
  Play().SaveBmp(folder + "/SK_PLAY.bmp", false);
  Stop().SaveBmp(folder + "/SK_STOP.bmp", false);
}

}  // namespace artwork
