#include "skin/boxes/SkinColorPalette.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

void TskColorPalette::SetPixel(int X, int Y, const TRGB& Color) {
  TBitmap& picture = Picture();
  if (X < 0 || Y < 0 || X >= picture.Width() || Y >= picture.Height()) return;
  auto* pixel = static_cast<std::uint8_t*>(picture.ScanLine(Y)) + 4 * X;
  pixel[0] = Color.B;
  pixel[1] = Color.G;
  pixel[2] = Color.R;
}

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
  const int centre = PaletteSize / 2 + 1;
  for (int y = 0; y < PaletteSize; ++y)
    for (int x = 0; x < PaletteSize; ++x) {
      if (!PtInRegion(ring.Handle(), outer.left + x, outer.top + y)) continue;
      const int w = RoundedAngle(CalcAngle3Points(centre, 0, centre, centre, x, y));
      SetPixel(CircleLeft + x, outer.top + y, FHueTable[359 - w]);
    }
}

void TskColorPalette::PaintSquare() {
  const double hue = PaletteColor.HSLValue().H;
  for (int y = RectWheel.top; y <= RectWheel.bottom; ++y)
    for (int x = RectWheel.left; x <= RectWheel.right; ++x)
      SetPixel(CarLeft + x, y,
               TWheelColor::HSLToRGB({hue, static_cast<double>(x - RectWheel.left) / SquareSpan,
                                      static_cast<double>(y - RectWheel.top) / SquareSpan}));
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
