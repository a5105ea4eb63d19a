#include "transitions/Tveffect.h"

#include "platform/classlib/ExtendedPrecision.h"
#include "transitions/TveffectFamilies.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace transitions {

using namespace classlib;

namespace {

thread_local TRandomGenerator* ScopedRandom = nullptr;

// The names as the slide show and stored settings know them, spelling included.
constexpr std::array<const char*, EffectCount> Names = {
    "Expand from right", "Expand from left", "Slide in from right", "Slide in from left", "Reveal from left",
    "Reveal from right", "Expand in from right", "Expand in from left", "Expand in to middle",
    "Expand out from middle", "Reveal out from middle", "Reveal in from sides", "Expand in from sides",
    "Unroll from left", "Unroll from right", "Build up from right", "Build up from left", "Expand from bottom",
    "Expand from top", "Slide in from bottom", "Slide in from top", "Reveal from top", "Reveal from bottom",
    "Expand in from bottom", "Expand in from top", "Expand in to middle (horiz)", "Expand out from middle (horiz)",
    "Reveal from middle (horiz)", "Slide in from top / bottom", "Expand in from top / bottom", "Unroll from top",
    "Unroll from bottom", "Expand from bottom", "Expand in from top", "Expand from bottom right",
    "Expand from top right", "Expand from top left", "Expand from bottom left", "Slide in from bottom right",
    "Slide in from top right", "Slide in from top left", "Slide in from bottom left", "Reveal from top left",
    "Reveal from bottom left", "Reveal from bottom right", "Reveal from top right",
    "Appear and Contract to top left", "Appear and Contract to bottom left", "Appear and Contract to bottom right",
    "Appear and Contract to top right", "Appear and Contract to middle", "Expand out from centre",
    "Reveal out from centre", "Reveal in to centre", "Quarters Reveal in to middle", "Quarters Expand to middle",
    "Quarters Slide in to middle", "Curved Reveal from left", "Curved Reveal from right", "Bars in from right",
    "Bars in from left", "Bars left then right", "Bars right then left", "Bars from both sides",
    "Uneven shred from right", "Uneven shred from left", "Uneven shred out from middle (horiz)",
    "Uneven shred in to middle (horiz)", "Curved Reveal from top", "Curved Reveal from bottom", "Bars from bottom",
    "Bars from top", "Bars top then bottom", "Bars bottom then top", "Bars from top and bottom",
    "Unven shred from bottom", "Uneven shred from top", "Uneven shred from horizon", "Uneven shred in to horizon",
    "Curved reveal from top left", "Curved reveal from top right", "Curved reveal from bottom left",
    "Curved reveal from bottom right", "Circular reveal from centre", "Circular reveal to centre",
    "Criss Cross reveal from bottom right", "Criss Cross reveal from top right",
    "Criss Cross reveal from bottom left", "Criss Cross reveal from top left",
    "Criss Cross reveal bounce from top left", "Criss Cross reveal bounce from bottom left",
    "Criss Cross reveal bounce from top right", "Criss Cross reveal bounce from bottom right",
    "Criss Cross reveal from right top and bottom", "Criss Cross reveal from left top and bottom",
    "Criss Cross reveal from left right and bottom", "Criss Cross reveal from left right and top",
    "Criss Cross reveal from top left right and bottom", "Criss Cross reveal from bottom left top right",
    "Uneven shred from bottom and right", "Uneven shred from top and right", "Uneven shred from bottom and left",
    "Uneven shred from top and left", "Uneven shred from horiz and right", "Uneven shred from horiz and left",
    "Uneven shred from bottom and vert middle", "Uneven shred from top and vert middle",
    "Uneven shred from centre", "Uneven shred to centre", "Reveal diagonal from top left",
    "Reveal diagonal from top right", "Reveal diagonal from bottom left", "Reveal diagonal from bottom right",
    "Diagonal sweep from top left bottom right anticlockwise",
    "Diagonal sweep from top left bottom right clockwise", "Starburst clockwise from center",
    "Triangular shred to top left", "Fade", "Pivot from top left", "Pivot from bottom left",
    "Pivot from top right", "Pivot from bottom right", "Speckle appear from right", "Speckle appear from left",
    "Speckle appear from bottom", "Speckle appear from top", "Random squares appear", "Push right", "Push left",
    "Push and squeeze right", "Push and squeeze left", "Push down", "Push up", "Push and sqeeze down",
    "Push and sqeeze up", "Blind vertically", "Blind horizontally", "Uneven blind from left",
    "Uneven blind from right", "Uneven blind from top", "Uneven blind from bottom", "Rectangular shred",
    "Sweep clockwise", "Sweep anticlockwise", "Rectangles apear from left and disapear to right",
    "Rectangles apear from right and disapear to left", "Rectangles apear from up and disapear to bottom",
    "Rectangles apear from bottom and disapear to up", "Rotational rectangle", "Rotational star"};

bool IsPixelStyle(int Style) { return Style >= 118 && Style <= 122; }
bool IsCopyStyle(int Style) { return Style <= 57 || (Style >= 128 && Style <= 135); }
bool IsStripStyle(int Style) {
  return (Style >= 60 && Style <= 68) || (Style >= 71 && Style <= 79) || (Style >= 86 && Style <= 109) ||
         (Style >= 123 && Style <= 126);
}

void Compose(int Style, TBitmap& Display, TBitmap& Image, const TRect& R, int Step, int Progress) {
  const TExtents extents = CalcExtents(R, Step, Progress);
  // An empty picture has nothing to show (and its extents would be MulDiv's -1).
  if (extents.W <= 0 || extents.H <= 0 || Display.Empty() || Image.Empty()) return;
  TFrame frame(Display, Image, extents, Step, Progress);
  if (IsPixelStyle(Style))
    ComposePixels(frame, Style);
  else if (IsCopyStyle(Style))
    ComposeCopy(frame, Style);
  else if (IsStripStyle(Style))
    ComposeStrips(frame, Style);
  else
    ComposeShape(frame, Style);
}

template <int Style>
void EffectProc(TBitmap& Display, TBitmap& Image, const TRect& R, int Step, int Progress) {
  Compose(Style, Display, Image, R, Step, Progress);
}

template <std::size_t... I>
constexpr std::array<TEffect, EffectCount> MakeTable(std::index_sequence<I...>) {
  return {TEffect{Names[I], &EffectProc<static_cast<int>(I) + 1>}...};
}

constexpr std::array<TEffect, EffectCount> Table = MakeTable(std::make_index_sequence<EffectCount>());

}  // namespace

const TEffect& TVEffects(int Style) {
  if (Style < 1 || Style > EffectCount) throw std::out_of_range("transition style out of range");
  return Table[Style - 1];
}

TEffectRandomScope::TEffectRandomScope(TRandomGenerator& Generator) : FPrevious(ScopedRandom) {
  ScopedRandom = &Generator;
}

TEffectRandomScope::~TEffectRandomScope() { ScopedRandom = FPrevious; }

TRandomGenerator& EffectRandom() {
  if (ScopedRandom) return *ScopedRandom;
  thread_local TRandomGenerator threadDefault;
  return threadDefault;
}

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(A) * B;
  std::int64_t quotient = product / C;
  const std::int64_t remainder = product % C;
  // Halves away from zero: twice the remainder against the divisor, both as magnitudes.
  const std::int64_t divisor = C < 0 ? -static_cast<std::int64_t>(C) : C;
  if (2 * (remainder < 0 ? -remainder : remainder) >= divisor) quotient += ((product < 0) != (C < 0)) ? -1 : 1;
  return static_cast<int>(quotient);
}

TExtents CalcExtents(const TRect& R, int Step, int Progress) {
  TExtents e;
  e.W = R.right - R.left;
  e.H = R.bottom - R.top;
  if (e.W >= e.H) {
    e.X = MulDiv(e.W, Progress, 100);
    e.Y = MulDiv(e.X, e.H, e.W);
    e.G = MulDiv(e.W, Step, 90);
  } else {
    e.Y = MulDiv(e.H, Progress, 100);
    e.X = MulDiv(e.Y, e.W, e.H);
    e.G = MulDiv(e.H, Step, 90);
  }
  return e;
}

void MirrorCopyRect(TCanvas& Canvas, TRect D, TBitmap& Bitmap, TRect S, bool Horz, bool Vert) {
  const TRect bounds{0, 0, Bitmap.Width(), Bitmap.Height()};
  if (!IntersectRect(&S, &S, &bounds)) return;
  if (Horz) {
    const int left = D.left;
    D.left = D.right + 1;
    D.right = left - 1;
  }
  if (Vert) {
    const int top = D.top;
    D.top = D.bottom + 1;
    D.bottom = top - 1;
  }
  HDC target = Canvas.Handle();
  const int saved = SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, D.left, D.top, D.right - D.left, D.bottom - D.top, Bitmap.Canvas()->Handle(), S.left, S.top,
             S.right - S.left, S.bottom - S.top, SRCCOPY);
  if (saved) SetStretchBltMode(target, saved);
}

void RotatePoints(std::span<TPoint> Points, int CX, int CY, long double Angle) {
  TExtendedPrecision precision;
  const long double cs = cosl(Angle);
  const long double sn = sinl(Angle);
  for (TPoint& p : Points) {
    const long double dx = p.x - CX;
    const long double dy = p.y - CY;
    p.x = CX + static_cast<LONG>(rintl(dx * cs - dy * sn));
    p.y = CY + static_cast<LONG>(rintl(dx * sn + dy * cs));
  }
}

HRGN CreateTriangleRgn(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  const POINT points[3] = {{X1, Y1}, {X2, Y2}, {X3, Y3}};
  return CreatePolygonRgn(points, 3, WINDING);
}

HRGN CreateSectorRgn(int CX, int CY, int Radius, long double StartAngle, long double EndAngle, int Count) {
  if (Count < 1) return CreateRectRgn(0, 0, 0, 0);
  std::vector<POINT> points(static_cast<std::size_t>(Count) + 1);
  points[0] = POINT{CX, CY};
  {
    TExtendedPrecision precision;
    const long double d = (EndAngle - StartAngle) / Count;
    long double a = StartAngle;
    for (int i = 1; i <= Count; ++i) {
      points[i] = POINT{CX + static_cast<LONG>(rintl(Radius * cosl(a))), CY + static_cast<LONG>(rintl(Radius * sinl(a)))};
      a += d;
    }
  }
  return CreatePolygonRgn(points.data(), Count + 1, WINDING);
}

}  // namespace transitions
