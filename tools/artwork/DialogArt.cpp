#include "tools/artwork/DialogArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

constexpr int kSize = 16;

const Rgb kMagenta = Bytes(255, 0, 255);
const Rgb kFolderDark = Bytes(196, 148, 20);
const Rgb kFolderBack = Bytes(240, 200, 64);
const Rgb kFolderFront = Bytes(255, 232, 120);
const Rgb kArrowGreen = Bytes(24, 150, 40);

// Every glyph keeps its bottom-left pixel magenta: the buttons take that pixel's colour as the one
// to cut away.

// Paints every pixel whose centre lies inside the shape, with no blending at the edge.
void Stamp(Canvas& c, const ShapeDistance& shape, Rgb colour) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (shape({x + 0.5f, y + 0.5f}) <= 0) c.At(x, y) = colour;
}

void Rect(Canvas& c, int left, int top, int right, int bottom, Rgb colour) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) c.At(x, y) = colour;
}

// A closed folder: a tab at the top left, a dark outline and a lighter body, from (left, top).
void Folder(Canvas& c, int left, int top, int right, int bottom) {
  Rect(c, left, top, left + 5, top + 2, kFolderDark);
  Rect(c, left + 1, top + 1, left + 4, top + 2, kFolderBack);
  Rect(c, left, top + 2, right, bottom, kFolderDark);
  Rect(c, left + 1, top + 3, right - 1, bottom - 1, kFolderBack);
  Rect(c, left + 1, top + 3, right - 1, top + 3, kFolderFront);
}

Canvas Back() {
  Canvas c(kSize, kSize, kMagenta);
  Stamp(c, Circle({8, 8}, 7.5f), Bytes(16, 110, 30));
  Stamp(c, Circle({8, 8}, 6.5f), Bytes(60, 180, 70));
  Stamp(c, Circle({7, 6}, 3), Bytes(110, 210, 110));  // the light catching the top left
  Stamp(c, Segment({4.5f, 8}, {11.5f, 8}, 2), Bytes(255, 255, 255));
  Stamp(c, Segment({4.5f, 8}, {8, 4.5f}, 2), Bytes(255, 255, 255));
  Stamp(c, Segment({4.5f, 8}, {8, 11.5f}, 2), Bytes(255, 255, 255));
  return c;
}

Canvas Up() {
  Canvas c(kSize, kSize, kMagenta);
  Folder(c, 0, 4, 13, 14);
  // The open flap leans forward over the lower half.
  for (int y = 9; y <= 14; ++y)
    for (int x = 1 + (14 - y) / 2; x <= 14 - (14 - y) / 2; ++x)
      c.At(x, y) = (y == 9 || y == 14) ? kFolderDark : kFolderFront;
  // The arrow runs right along the folder's top, then bends up to a head at the top right.
  Stamp(c, Segment({6, 7}, {12, 7}, 2), kArrowGreen);
  Stamp(c, Segment({12, 7}, {12, 2}, 2), kArrowGreen);
  Stamp(c, Segment({12, 1.5f}, {9.5f, 4}, 2), kArrowGreen);
  Stamp(c, Segment({12, 1.5f}, {14.5f, 4}, 2), kArrowGreen);
  return c;
}

Canvas NewFolder() {
  Canvas c(kSize, kSize, kMagenta);
  Folder(c, 0, 4, 12, 14);
  const Rgb spark = Bytes(255, 140, 0);
  Stamp(c, Segment({12.5f, 0.5f}, {12.5f, 6.5f}, 1.2f), spark);
  Stamp(c, Segment({9.5f, 3.5f}, {15.5f, 3.5f}, 1.2f), spark);
  Stamp(c, Segment({10.5f, 1.5f}, {14.5f, 5.5f}, 1), spark);
  Stamp(c, Segment({14.5f, 1.5f}, {10.5f, 5.5f}, 1), spark);
  c.At(12, 3) = Bytes(255, 230, 80);  // the spark's bright heart
  return c;
}

Canvas ListStyle() {
  Canvas c(kSize, kSize, kMagenta);
  const Rgb frame = Bytes(20, 60, 200);
  Rect(c, 1, 2, 14, 14, frame);           // frame and title bar
  Rect(c, 2, 5, 13, 13, Bytes(255, 255, 255));
  const Rgb tiles[6] = {Bytes(220, 40, 40), Bytes(40, 170, 60), Bytes(250, 200, 30),
                        Bytes(30, 160, 220), Bytes(150, 70, 200), Bytes(240, 120, 30)};
  for (int i = 0; i < 6; ++i) {
    const int left = 3 + (i % 3) * 4, top = 6 + (i / 3) * 4;
    Rect(c, left, top, left + 2, top + 2, tiles[i]);
  }
  return c;
}

}  // namespace

void WriteDialogGlyphs(const std::string& folder) {
  Back().SaveBmp(folder + "/SK_BACK.bmp", false);
  Up().SaveBmp(folder + "/SK_UP.bmp", false);
  NewFolder().SaveBmp(folder + "/SK_NEWFOLDER.bmp", false);
  ListStyle().SaveBmp(folder + "/SK_LVSTYLE.bmp", false);
}

}  // namespace artwork
