// The picture-show control's transitions: a table of 150 named procedures, each composing one frame
// of the change from the old picture to the new one, and the geometry they share.
//
// A procedure is called with Display holding the old screen, Image the new picture of the same size,
// R = (0, 0, W, H), Step in 1..100 and 0 < Progress < 100. It draws parts of Image over Display and
// keeps no state between calls; only the random families also depend on the generator of the
// calling thread (see TEffectRandomScope).
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Random.h"
#include "platform/classlib/Types.h"

#include <span>

namespace transitions {

using TEffectProc = void (*)(classlib::TBitmap& Display, classlib::TBitmap& Image, const classlib::TRect& R,
                             int Step, int Progress);

struct TEffect {
  const char* Name;
  TEffectProc Proc;
};

constexpr int EffectCount = 150;

// Style 1..150; anything else throws std::out_of_range.
const TEffect& TVEffects(int Style);

// The generator the random families (shreds, speckles, random squares) draw from on the calling
// thread. A control installs its own generator for the duration of each frame it composes; without a
// scope the thread's own default generator is used.
class TEffectRandomScope {
public:
  explicit TEffectRandomScope(classlib::TRandomGenerator& Generator);
  ~TEffectRandomScope();

  TEffectRandomScope(const TEffectRandomScope&) = delete;
  TEffectRandomScope& operator=(const TEffectRandomScope&) = delete;

private:
  classlib::TRandomGenerator* FPrevious;
};

classlib::TRandomGenerator& EffectRandom();

// Win32's MulDiv: a*b in 64 bits divided by c, rounded to nearest with halves away from zero;
// c = 0 gives -1.
int MulDiv(int A, int B, int C);

// The extents every transition starts from: the picture's size, the horizontal and vertical extents
// reached at Progress (the longer side exact, the shorter in proportion) and the step grain G.
struct TExtents {
  int W = 0;
  int H = 0;
  int X = 0;
  int Y = 0;
  int G = 0;
};
TExtents CalcExtents(const classlib::TRect& R, int Step, int Progress);

// Stretching copy of S (clipped to Bitmap) onto D of Canvas; Horz / Vert mirror along that axis.
void MirrorCopyRect(classlib::TCanvas& Canvas, classlib::TRect D, classlib::TBitmap& Bitmap, classlib::TRect S,
                    bool Horz, bool Vert);

// Turns the points about (CX, CY) by Angle radians (clockwise on the screen for a positive angle),
// rounding to nearest even in extended precision.
void RotatePoints(std::span<classlib::TPoint> Points, int CX, int CY, long double Angle);

// Polygon regions with winding fill; the caller owns the region.
HRGN CreateTriangleRgn(int X1, int Y1, int X2, int Y2, int X3, int Y3);
// The centre and Count points of the arc from StartAngle in steps of (EndAngle - StartAngle) / Count
// (so the arc stops one step short of EndAngle).
HRGN CreateSectorRgn(int CX, int CY, int Radius, long double StartAngle, long double EndAngle, int Count);

}  // namespace transitions
