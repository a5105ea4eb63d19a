// Snapping a moved form to the edges of its work area, and the two point tests of the hit tests.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"

using namespace classlib;

namespace skin {

namespace {

// Whether the pixel at X, Y of Piece is MaskColor; a point outside the piece is outside the shape.
bool MaskPixel(TBitmap& Piece, int X, int Y, TColor MaskColor) {
  if (X < 0 || Y < 0 || X >= Piece.Width() || Y >= Piece.Height()) return false;
  return (Piece.Canvas()->Pixels(X, Y) & 0xFFFFFF) == (MaskColor & 0xFFFFFF);
}

}  // namespace

void TskFormSkin::DoMagnetic(int& L, int& T, int W, int H) {
  const int m = FMagneticSize;
  TRect a;
  if (IsMDIChild() && Application->MainForm()) {
    a = GetMDIWorkArea();
    const TPoint origin = Application->MainForm()->ClientOrigin();
    OffsetRect(&a, origin.x, origin.y);
  } else {
    a = GetMonitorWorkArea(Form->HandleAllocated() ? Form->Handle() : nullptr, true);
  }
  if (a.left - m < L && L < a.left + m) L = a.left;
  if (a.top - m < T && T < a.top + m) T = a.top;
  const int r = L + W;
  if (a.right - m < r && r < a.right + m) L = a.right - W;
  const int b = T + H;
  if (a.bottom - m < b && b < a.bottom + m) T = a.bottom - H;
}

bool TskFormSkin::InForm(const TPoint& P) const {
  return Form->HandleAllocated() && WindowFromPoint(P) == Form->Handle();
}

bool TskFormSkin::PtInMask(const TPoint& P) const {
  const TRect& ir = NewMaskRectArea;
  if (PtInRect(&ir, P)) return true;
  if (P.y <= ir.top) return MaskPixel(*TopMask, P.x, P.y, MaskColor);
  if (P.y >= ir.bottom) return MaskPixel(*BottomMask, P.x, P.y - ir.bottom, MaskColor);
  if (P.x <= ir.left) return MaskPixel(*LeftMask, P.x, P.y - ir.top, MaskColor);
  return MaskPixel(*RightMask, P.x - ir.right, P.y - ir.top, MaskColor);
}

}  // namespace skin
