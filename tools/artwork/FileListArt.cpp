#include "tools/artwork/FileListArt.h"

#include "tools/artwork/Canvas.h"

namespace artwork {

namespace {

const Rgb kMagenta = Bytes(255, 0, 255);
const Rgb kOutline = Bytes(40, 40, 40);
const Rgb kGreyDark = Bytes(110, 110, 110);
const Rgb kGrey = Bytes(176, 176, 176);
const Rgb kGreyLight = Bytes(224, 224, 224);
const Rgb kLedGreen = Bytes(40, 220, 60);
const Rgb kFolderDark = Bytes(196, 148, 20);
const Rgb kFolderBack = Bytes(240, 200, 64);
const Rgb kFolderFront = Bytes(255, 232, 120);
const Rgb kArrowGreen = Bytes(24, 150, 40);

// Every picture keeps its bottom-left pixel magenta: the lists take that pixel's colour as the one
// to cut away.

void Rect(Canvas& c, int left, int top, int right, int bottom, Rgb colour) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) c.At(x, y) = colour;
}

// Paints every pixel whose centre lies inside the shape, with no blending at the edge.
void Stamp(Canvas& c, const ShapeDistance& shape, Rgb colour) {
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (shape({x + 0.5f, y + 0.5f}) <= 0) c.At(x, y) = colour;
}

// A drive's box seen from the front: outline, grey face and a lighter top edge.
void DriveBox(Canvas& c, int top, int bottom) {
  Rect(c, 0, top, 15, bottom, kOutline);
  Rect(c, 1, top + 1, 14, bottom - 1, kGrey);
  Rect(c, 1, top + 1, 14, top + 1, kGreyLight);
}

Canvas Floppy() {
  Canvas c(16, 16, kMagenta);
  DriveBox(c, 6, 14);
  Rect(c, 3, 9, 12, 10, kOutline);        // the slot
  Rect(c, 11, 12, 13, 12, kGreyDark);     // the eject button
  Rect(c, 2, 12, 3, 12, kLedGreen);
  return c;
}

Canvas Hard() {
  Canvas c(16, 16, kMagenta);
  DriveBox(c, 6, 13);
  Rect(c, 1, 11, 14, 12, kGreyDark);      // the lower shade of the case
  Rect(c, 2, 9, 3, 9, kLedGreen);
  return c;
}

Canvas Network() {
  Canvas c(16, 16, kMagenta);
  DriveBox(c, 2, 8);
  Rect(c, 2, 5, 3, 5, kLedGreen);
  // The cable from the drive's bottom to the network line across the picture.
  Rect(c, 7, 9, 8, 12, kOutline);
  Rect(c, 1, 13, 14, 14, Bytes(30, 60, 160));
  return c;
}

Canvas CDROM() {
  Canvas c(16, 16, kMagenta);
  DriveBox(c, 8, 14);
  Rect(c, 2, 11, 13, 11, kOutline);       // the tray's slot
  // The disc sliding out above the drive, its hole in the middle.
  Stamp(c, Circle({8, 6}, 5.5f), Bytes(200, 210, 230));
  Stamp(c, Circle({8, 6}, 4), Bytes(150, 190, 240));
  Stamp(c, Circle({8, 6}, 1.5f), kMagenta);
  c.At(0, 15) = kMagenta;
  return c;
}

Canvas RAM() {
  Canvas c(16, 11, kMagenta);
  Rect(c, 0, 1, 15, 8, Bytes(20, 110, 50));   // the board
  for (int i = 0; i < 4; ++i) Rect(c, 1 + i * 4, 3, 3 + i * 4, 6, kOutline);  // the chips
  for (int x = 1; x <= 14; x += 2) Rect(c, x, 9, x, 9, Bytes(230, 180, 40));  // the contacts
  return c;
}

// A closed folder: a tab at the top left, a dark outline and a lighter body.
void ClosedFolderAt(Canvas& c, int top) {
  Rect(c, 0, top, 5, top + 2, kFolderDark);
  Rect(c, 1, top + 1, 4, top + 2, kFolderBack);
  Rect(c, 0, top + 2, 14, top + 11, kFolderDark);
  Rect(c, 1, top + 3, 13, top + 10, kFolderBack);
  Rect(c, 1, top + 3, 13, top + 3, kFolderFront);
}

Canvas ClosedFolder() {
  Canvas c(16, 15, kMagenta);
  ClosedFolderAt(c, 2);
  c.At(0, 14) = kMagenta;
  return c;
}

Canvas OpenFolder() {
  Canvas c(16, 15, kMagenta);
  ClosedFolderAt(c, 2);
  // The open flap leans forward over the lower half.
  for (int y = 8; y <= 13; ++y)
    for (int x = 2 + (13 - y) / 2; x <= 15 - (13 - y) / 2; ++x)
      c.At(x, y) = (y == 8 || y == 13) ? kFolderDark : kFolderFront;
  // The green arrow pointing into the folder from above.
  Stamp(c, Segment({11.5f, 0.5f}, {11.5f, 5.5f}, 2), kArrowGreen);
  Stamp(c, Segment({11.5f, 6.5f}, {9, 4}, 1.6f), kArrowGreen);
  Stamp(c, Segment({11.5f, 6.5f}, {14, 4}, 1.6f), kArrowGreen);
  c.At(0, 14) = kMagenta;
  return c;
}

}  // namespace

void WriteFileListGlyphs(const std::string& folder) {
  Floppy().SaveBmp(folder + "/SK_FLOPPY.bmp", false);
  Hard().SaveBmp(folder + "/SK_HARD.bmp", false);
  Network().SaveBmp(folder + "/SK_NETWORK.bmp", false);
  CDROM().SaveBmp(folder + "/SK_CDROM.bmp", false);
  RAM().SaveBmp(folder + "/SK_RAM.bmp", false);
  ClosedFolder().SaveBmp(folder + "/SK_CLOSEDFOLDER.bmp", false);
  OpenFolder().SaveBmp(folder + "/SK_OPENFOLDER.bmp", false);
  OpenFolder().SaveBmp(folder + "/SK_CURRENTFOLDER.bmp", false);
}

}  // namespace artwork
