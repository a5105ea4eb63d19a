#include "tools/artwork/SliderArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

const Rgb kClear = Bytes(255, 0, 255);
const Rgb kOutline = Bytes(64, 64, 64);
const Rgb kShadow = Bytes(128, 128, 128);
const Rgb kLight = Bytes(255, 255, 255);
const Rgb kFace = Bytes(212, 208, 200);
const Rgb kPressedFace = Bytes(176, 176, 176);

// A thumb pointing down: a body `w` wide and `body` high, then a point narrowing to the bottom row;
// lit from the top left. Drawn with its left edge at x0.
void DownThumb(Canvas& c, int x0, int w, int h, int body, Rgb face) {
  for (int y = 0; y < h; ++y) {
    // Half-width of the row: the whole body, then one pixel less per row of the point.
    const int inset = y < body ? 0 : (y - body + 1) * (w / 2) / (h - body);
    for (int x = inset; x < w - inset; ++x) {
      Rgb colour = face;
      if (x == inset || (y == 0)) colour = kLight;
      if (x == w - 1 - inset || y == h - 1) colour = kOutline;
      else if (x == w - 2 - inset) colour = kShadow;
      c.At(x0 + x, y) = colour;
    }
  }
}

// The same thumb pointing right, for upright sliders: the body `body` wide and `h` high.
void RightThumb(Canvas& c, int x0, int w, int h, int body, Rgb face) {
  for (int x = 0; x < w; ++x) {
    const int inset = x < body ? 0 : (x - body + 1) * (h / 2) / (w - body);
    for (int y = inset; y < h - inset; ++y) {
      Rgb colour = face;
      if (y == inset || x == 0) colour = kLight;
      if (y == h - 1 - inset || x == w - 1) colour = kOutline;
      else if (y == h - 2 - inset) colour = kShadow;
      c.At(x0 + x, y) = colour;
    }
  }
}

}  // namespace

void WriteSliderPictures(const std::string& folder) {
  Canvas hThumb(18, 17, kClear);
  DownThumb(hThumb, 0, 9, 17, 11, kFace);
  DownThumb(hThumb, 9, 9, 17, 11, kPressedFace);
  hThumb.SaveBmp(folder + "/SK_HTB.bmp", false);

  Canvas vThumb(38, 9, kClear);
  RightThumb(vThumb, 0, 19, 9, 13, kFace);
  RightThumb(vThumb, 19, 19, 9, 13, kPressedFace);
  vThumb.SaveBmp(folder + "/SK_VTB.bmp", false);

  // A sunken groove across the middle of the ruler, its ends rounded off over the edge pixels.
  Canvas hRuler(10, 8, kClear);
  for (int x = 0; x < 10; ++x) {
    const bool end = x == 0 || x == 9;
    hRuler.At(x, 2) = end ? kClear : kShadow;
    hRuler.At(x, 3) = kOutline;
    hRuler.At(x, 4) = kFace;
    hRuler.At(x, 5) = end ? kClear : kLight;
  }
  hRuler.SaveBmp(folder + "/SK_HRL.bmp", false);

  Canvas vRuler(8, 10, kClear);
  for (int y = 0; y < 10; ++y) {
    const bool end = y == 0 || y == 9;
    vRuler.At(2, y) = end ? kClear : kShadow;
    vRuler.At(3, y) = kOutline;
    vRuler.At(4, y) = kFace;
    vRuler.At(5, y) = end ? kClear : kLight;
  }
  vRuler.SaveBmp(folder + "/SK_VRL.bmp", false);
}

}  // namespace artwork
