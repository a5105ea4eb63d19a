#include "skin/boxes/SkinColorPalette.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

constexpr int PaletteSize = 195;
// The middle of the ring, from the centre of the square.
constexpr int RingRadius = (PaletteSize - PaletteRingWidth) / 2;
constexpr int SquareSpan = 106;

// Owns a GDI region.
class TRegion {
public:
  explicit TRegion(HRGN Handle) : FHandle(Handle) {}
  ~TRegion() { DeleteObject(FHandle); }
  TRegion(const TRegion&) = delete;
  TRegion& operator=(const TRegion&) = delete;
  HRGN Handle() const { return FHandle; }

private:
  HRGN FHandle;
};

// The ellipse Outer without the ellipse Inner.
HRGN RingRegion(const TRect& Outer, const TRect& Inner) {
  HRGN ring = CreateEllipticRgn(Outer.left, Outer.top, Outer.right, Outer.bottom);
  const TRegion hole(CreateEllipticRgn(Inner.left, Inner.top, Inner.right, Inner.bottom));
  CombineRgn(ring, ring, hole.Handle(), RGN_DIFF);
  return ring;
}

// An angle of 359.5 or more rounds to 360, which is the top again.
int RoundedAngle(double Angle) {
  const int a = RoundEven(Angle);
  return a == 360 ? 0 : a;
}

// The rectangles that make up Region: exactly the pixels PtInRegion accepts, without asking for
// each one.
std::vector<RECT> RegionRects(HRGN Region) {
  const DWORD size = GetRegionData(Region, 0, nullptr);
  if (size == 0) return {};
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(Region, size, data) == 0) return {};
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return {rects, rects + data->rdh.nCount};
}

// The rows of a picture of two rows or more, found by flushing GDI's drawing for the first two
// rows only rather than for every row written.
class TRows {
public:
  explicit TRows(TBitmap& Picture)
      : FFirst(static_cast<std::uint8_t*>(Picture.ScanLine(0))),
        FStride(static_cast<std::uint8_t*>(Picture.ScanLine(1)) - FFirst) {}
  std::uint8_t* operator[](int Y) const { return FFirst + Y * FStride; }

private:
  std::uint8_t* FFirst;
  std::ptrdiff_t FStride;
};

void PutPixel(std::uint8_t* Row, int X, const TRGB& Color) {
  std::uint8_t* pixel = Row + 4 * X;
  pixel[0] = Color.B;
  pixel[1] = Color.G;
  pixel[2] = Color.R;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry

void CalcAngle360(double& Angle) {
  while (Angle < 0) Angle += 360;
  while (Angle >= 360) Angle -= 360;
}

double CalcDistancePoints(double X1, double Y1, double X2, double Y2) {
  return std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
}

double CalcArcSinRadians(double X) {
  const double c = std::sqrt(1 - X * X);
  if (std::fabs(c) < CalcEpsilon) return X > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
  return std::atan(X / c);
}

double CalcArcCosRadians(double X) { return std::numbers::pi / 2 - CalcArcSinRadians(X); }

double CalcArcTan(double X) { return std::atan(X) / CalcRadian; }

double CalcAnglePoints(double X1, double Y1, double X2, double Y2) {
  const double d = CalcDistancePoints(X1, Y1, X2, Y2);
  if (std::fabs(d) < CalcEpsilon) return 0;
  // A rounding error can put the ratio a hair above 1, outside the arc cosine's domain.
  double a = CalcArcCosRadians(std::min(1.0, std::fabs(X1 - X2) / d));
  if (std::fabs(Y1 - Y2) >= CalcEpsilon && Y2 < Y1) a = -a;
  if (std::fabs(X1 - X2) >= CalcEpsilon && X2 < X1) a = std::numbers::pi - a;
  if (std::fabs(a) < CalcEpsilon) a = 0;
  if (a < 0) a += 2 * std::numbers::pi;
  return a / CalcRadian;
}

double CalcAngle3Points(double X1, double Y1, double XC, double YC, double X2, double Y2) {
  double a = CalcAnglePoints(XC, YC, X2, Y2) - CalcAnglePoints(XC, YC, X1, Y1);
  CalcAngle360(a);
  return a;
}

void CalcPointSurEllipse(double CX, double CY, double RX, double RY, double Angle, double& X, double& Y) {
  CalcAngle360(Angle);
  const double t = 90 - Angle;
  const double a = RX * std::cos(t * CalcRadian);
  const double b = RY * std::sin(t * CalcRadian);
  double g;
  if (std::fabs(b) < CalcEpsilon) {
    g = std::fabs(Angle - 90) < 1e-7 ? 90 : 270;
  } else {
    g = CalcArcTan(a / b);
    if (Angle >= 90 && Angle < 270) g += 180;
  }
  X = CX + RX * std::cos(g * CalcRadian);
  Y = CY + RY * std::sin(g * CalcRadian);
}

void CalcRotationPoint(double CX, double CY, double Angle, double PX, double PY, double& X, double& Y) {
  const double a0 = CalcAnglePoints(CX, CY, PX, PY);
  const double d = CalcDistancePoints(CX, CY, PX, PY);
  CalcPointSurEllipse(CX, CY, d, d, a0 + Angle, X, Y);
}

// ---------------------------------------------------------------------------------------------
// TskColorPalette

TskColorPalette::TskColorPalette(TImage& Image) : FImage(Image) {
  TBitmap& picture = Picture();
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(PaletteSize, PaletteSize);
  FImage.OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    PaletteWheelMouseDown(Sender, Button, Shift, X, Y);
  };
  FImage.OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) {
    PaletteWheelMouseMove(Sender, Shift, X, Y);
  };
  FImage.OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    PaletteWheelMouseUp(Sender, Button, Shift, X, Y);
  };
}

TBitmap& TskColorPalette::Picture() { return *FImage.Picture().Bitmap(); }

void TskColorPalette::InitWheelPalette() {
  for (int i = 0; i < static_cast<int>(FHueTable.size()); ++i)
    FHueTable[i] = TWheelColor::HSLToRGB({i / 359.0, 1.0, 0.47});
  PaintBackground();
  PaintRing();
  PaintSquare();
  TCanvas& canvas = *Picture().Canvas();
  canvas.Pen()->SetColor(clWhite);
  canvas.Pen()->SetMode(TPenMode::pmXor);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  DrawCursor();
  FImage.Invalidate();
}

// The "panel" description's client piece tiled from the top-left corner. A piece without area
// cannot be tiled, so such a skin gets the plain button-face fill too.
void TskColorPalette::PaintBackground() {
  TBitmap& picture = Picture();
  TCanvas& canvas = *picture.Canvas();
  if (CtrlSkinData && !CtrlSkinData->Empty) {
    const int index = CtrlSkinData->GetControlIndex("panel");
    const auto* data = index == -1 ? nullptr
                                   : dynamic_cast<const TskDataSkinCustomControl*>(
                                         CtrlSkinData->CtrlList[static_cast<size_t>(index)].get());
    TBitmap* source = data ? SkinPicture(*CtrlSkinData, data->PictureIndex) : nullptr;
    if (data && source && !source->Empty()) {
      const int w = RectWidth(data->SkinClientRect), h = RectHeight(data->SkinClientRect);
      if (w > 0 && h > 0) {
        const int sx = data->SkinRect.left + data->SkinClientRect.left;
        const int sy = data->SkinRect.top + data->SkinClientRect.top;
        for (int i = 0; i <= PaletteSize / w; ++i)
          for (int j = 0; j <= PaletteSize / h; ++j) {
            const int x = i * w, y = j * h;
            if (x >= PaletteSize || y >= PaletteSize) continue;
            BitBlt(canvas.Handle(), x, y, std::min(w, PaletteSize - x), std::min(h, PaletteSize - y),
                   source->Canvas()->Handle(), sx, sy, SRCCOPY);
          }
        return;
      }
    }
  }
  canvas.Pen()->SetColor(clBtnFace);
  canvas.Brush()->SetColor(clBtnFace);
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.FillRect(Rect(0, 0, PaletteSize, PaletteSize));
}

void TskColorPalette::PaintRing() {
  const TRect& outer = PaletteWheelCoord;
  const TRegion ring(RingRegion(outer, Rect(outer.left + PaletteRingWidth, outer.top + PaletteRingWidth,
                                            outer.right - PaletteRingWidth, outer.bottom - PaletteRingWidth)));
  TBitmap& picture = Picture();
  const int centre = PaletteSize / 2 + 1;
  // The angle of every pixel is measured from the top of the ring.
  const double topAngle = CalcAnglePoints(centre, centre, centre, 0);
  const int left = outer.left, top = outer.top;
  const TRows rows(picture);
  // The region's rectangles hold exactly the ring's pixels, row by row.
  for (const RECT& r : RegionRects(ring.Handle()))
    for (int y = std::max(0, int(r.top) - top); y < std::min(PaletteSize, int(r.bottom) - top); ++y) {
      const int row = top + y;
      if (row < 0 || row >= picture.Height()) continue;
      std::uint8_t* bits = rows[row];
      const int first = std::max({0, int(r.left) - left, -CircleLeft});
      const int last = std::min({PaletteSize, int(r.right) - left, picture.Width() - CircleLeft});
      for (int x = first; x < last; ++x) {
        double angle = CalcAnglePoints(centre, centre, x, y) - topAngle;
        CalcAngle360(angle);
        PutPixel(bits, CircleLeft + x, FHueTable[359 - RoundedAngle(angle)]);
      }
    }
}

void TskColorPalette::PaintSquare() {
  TBitmap& picture = Picture();
  const double hue = PaletteColor.HSLValue().H;
  const int first = std::max(static_cast<int>(RectWheel.left), -CarLeft);
  const int last = std::min(static_cast<int>(RectWheel.right), picture.Width() - 1 - CarLeft);
  const TRows rows(picture);
  for (int y = RectWheel.top; y <= std::min(static_cast<int>(RectWheel.bottom), picture.Height() - 1); ++y) {
    std::uint8_t* bits = rows[y];
    const double lightness = static_cast<double>(y - RectWheel.top) / SquareSpan;
    for (int x = first; x <= last; ++x)
      PutPixel(bits, CarLeft + x,
               TWheelColor::HSLToRGB({hue, static_cast<double>(x - RectWheel.left) / SquareSpan, lightness}));
  }
}

void TskColorPalette::DrawWheelPalette() {
  PaintSquare();
  DrawCursor();
  FImage.Invalidate();
}

TPoint TskColorPalette::SquareCursor() const {
  const THSL& hsl = PaletteColor.HSLValue();
  return Point(RoundEven(SquareSpan * hsl.S + CarLeft + RectWheel.left), RoundEven(SquareSpan * hsl.L + RectWheel.top));
}

TPoint TskColorPalette::RingCursor() const {
  const double cx = CarLeft + 97, cy = 97;
  const int angle = RoundEven(PaletteColor.HSLValue().H * 360);
  double x, y;
  CalcRotationPoint(cx, cy, -angle, cx, cy - RingRadius, x, y);
  return Point(RoundEven(x), RoundEven(y));
}

void TskColorPalette::DrawCursor() {
  TCanvas& canvas = *Picture().Canvas();
  for (const TPoint p : {SquareCursor(), RingCursor()}) canvas.Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
}

void TskColorPalette::Track(TClickZoneWheel Zone, int X, int Y) {
  const THSLWheel current = PaletteColor.HSLWheelValue();
  switch (Zone) {
    case TClickZoneWheel::czwheelPCircle: {
      const int cx = CarLeft + 97;
      const int t = RoundedAngle(CalcAngle3Points(cx, 0, cx, 97, X, Y));
      const auto hue = static_cast<std::uint8_t>(RoundEven((359.0 - t) / 359 * 255));
      if (hue == current.H) return;
      DrawCursor();
      PaletteColor.SeTHSLWheel({hue, current.S, current.L});
      if (ChangeEdits) ChangeEdits();
      DrawWheelPalette();
      return;
    }
    case TClickZoneWheel::czwheelPCar: {
      const int x = std::clamp(X, CarLeft + RectWheel.left, CarLeft + RectWheel.right);
      const int y = std::clamp(Y, static_cast<int>(RectWheel.top), static_cast<int>(RectWheel.bottom));
      const auto s = static_cast<std::uint8_t>(RoundEven(static_cast<double>(x - CarLeft - RectWheel.left) / SquareSpan * 255));
      const auto l = static_cast<std::uint8_t>(RoundEven(static_cast<double>(y - RectWheel.top) / SquareSpan * 255));
      DrawCursor();
      PaletteColor.SeTHSLWheel({current.H, s, l});
      if (ChangeEdits) ChangeEdits();
      DrawCursor();
      FImage.Invalidate();
      return;
    }
    case TClickZoneWheel::czwheelPnone:
      return;
  }
}

void TskColorPalette::PaletteWheelMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  const TRect square = Rect(CarLeft + RectWheel.left, RectWheel.top, CarLeft + RectWheel.right, RectWheel.bottom);
  const TRegion ring(RingRegion(Rect(CircleLeft, 0, CircleLeft + PaletteSize, PaletteSize),
                                Rect(CircleLeft + PaletteRingWidth, PaletteRingWidth,
                                     CircleLeft + PaletteSize - PaletteRingWidth - 1,
                                     PaletteSize - PaletteRingWidth - 1)));
  const TPoint p = Point(X, Y);
  if (PtInRect(&square, p))
    ClickZone = TClickZoneWheel::czwheelPCar;
  else if (PtInRegion(ring.Handle(), X, Y))
    ClickZone = TClickZoneWheel::czwheelPCircle;
  else
    ClickZone = TClickZoneWheel::czwheelPnone;
  if (Button != TMouseButton::mbLeft) return;
  Track(ClickZone, X, Y);
}

void TskColorPalette::PaletteWheelMouseMove(TObject*, TShiftState Shift, int X, int Y) {
  if (Shift.Contains(TShiftStateItem::ssLeft)) Track(ClickZone, X, Y);
}

void TskColorPalette::PaletteWheelMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button == TMouseButton::mbLeft) Track(ClickZone, X, Y);
  ClickZone = TClickZoneWheel::czwheelPnone;
}

}  // namespace skin
