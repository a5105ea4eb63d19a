// Paints the card's video frames: the picture of the routed input (the tuned channel in large
// digits, or a labelled pattern for Composite and S-Video), the readable strip of TvCardStrip.h, and
// a square that moves from frame to frame.
#pragma once

#include <windows.h>

namespace tvcard {

class TFramePainter {
public:
  TFramePainter();
  ~TFramePainter();
  TFramePainter(const TFramePainter&) = delete;
  TFramePainter& operator=(const TFramePainter&) = delete;

  // Frame number Index of the card's present state into Frame: 640 x 480 RGB32, bottom-up.
  void Paint(BYTE* Frame, LONGLONG Index);

private:
  void Redraw(LONG Channel, LONG Source);
  void DrawPicture(LONG Channel, LONG Source);
  void DrawLabel(const WCHAR* Text);
  void DrawStrip(LONG Channel, LONG Source);
  void Fill(int Left, int Top, int Right, int Bottom, COLORREF Colour);

  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  BYTE* FPixels = nullptr;
  HFONT FDigits = nullptr;
  HFONT FLabel = nullptr;
  bool FDrawn = false;  // the picture below matches FChannel and FSource
  LONG FChannel = 0;
  LONG FSource = 0;
};

}  // namespace tvcard
