#include "skin/boxes/SkinColorCtrls.h"

#include "skin/data/Skutils.h"

#include <algorithm>
#include <cmath>

namespace skin {

using namespace classlib;

namespace {

constexpr TColor Rgb(int R, int G, int B) { return R + 256 * G + 65536 * B; }

constexpr TColor GreyCell = Rgb(128, 128, 128);

std::uint8_t ToByte(double Value) { return static_cast<std::uint8_t>(std::clamp(RoundEven(Value), 0, 255)); }

double HueToChannel(double V1, double V2, double H) {
  if (H < 0)
    H += 1;
  else if (H > 1)
    H -= 1;
  if (6 * H < 1) return V1 + (V2 - V1) * 6 * H;
  if (2 * H < 1) return V2;
  if (3 * H < 2) return V1 + (V2 - V1) * (2.0 / 3 - H) * 6;
  return V1;
}

}  // namespace

const std::array<TColor, 48> BasicColors{
    Rgb(0, 0, 0),       Rgb(64, 0, 0),      Rgb(128, 0, 0),     Rgb(128, 64, 64),   Rgb(255, 0, 0),
    Rgb(255, 128, 128), Rgb(128, 128, 0),   Rgb(128, 64, 0),    Rgb(255, 128, 0),   Rgb(255, 128, 64),
    Rgb(255, 255, 0),   Rgb(255, 255, 128), Rgb(128, 128, 64),  Rgb(0, 64, 0),      Rgb(0, 128, 0),
    Rgb(0, 255, 0),     Rgb(128, 255, 0),   Rgb(128, 255, 128), Rgb(128, 128, 128), Rgb(0, 64, 64),
    Rgb(0, 128, 64),    Rgb(0, 128, 128),   Rgb(0, 255, 64),    Rgb(0, 255, 128),   Rgb(64, 128, 128),
    Rgb(0, 0, 128),     Rgb(0, 0, 255),     Rgb(0, 64, 128),    Rgb(0, 255, 255),   Rgb(128, 255, 255),
    Rgb(192, 192, 192), Rgb(0, 0, 64),      Rgb(0, 0, 160),     Rgb(128, 128, 255), Rgb(0, 128, 192),
    Rgb(0, 128, 255),   Rgb(64, 0, 64),     Rgb(128, 66, 79),   Rgb(128, 0, 128),   Rgb(128, 0, 64),
    Rgb(128, 128, 192), Rgb(255, 128, 192), Rgb(255, 255, 255), Rgb(64, 0, 128),    Rgb(128, 0, 255),
    Rgb(255, 0, 128),   Rgb(255, 0, 255),   Rgb(255, 128, 255)};

int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// ---------------------------------------------------------------------------------------------
// TWheelColor

THSL TWheelColor::RGBToHSL(const TRGB& Value) {
  const double r = Value.R / 255.0, g = Value.G / 255.0, b = Value.B / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  THSL result;
  result.L = (mx + mn) / 2;
  if (mx == mn) return result;
  const double d = mx - mn;
  result.S = result.L < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  double h;
  if (mx == r)
    h = (g - b) / d;
  else if (mx != g)
    h = (r - g) / d + 4;
  else
    h = (b - r) / d + 2;
  h /= 6;
  if (h < 0) h += 1;
  result.H = h;
  return result;
}

TRGB TWheelColor::HSLToRGB(const THSL& Value) {
  if (Value.S == 0) {
    const std::uint8_t grey = ToByte(Value.L * 255);
    return {grey, grey, grey};
  }
  const double v2 = Value.L <= 0.5 ? Value.L * (1 + Value.S) : Value.L + Value.S - Value.L * Value.S;
  const double v1 = 2 * Value.L - v2;
  return {ToByte(HueToChannel(v1, v2, Value.H + 1.0 / 3) * 255), ToByte(HueToChannel(v1, v2, Value.H) * 255),
          ToByte(HueToChannel(v1, v2, Value.H - 1.0 / 3) * 255)};
}

THSLWheel TWheelColor::HSLToHSLWheel() const {
  return {ToByte(FHSL.H * 255), ToByte(FHSL.S * 255), ToByte(FHSL.L * 255)};
}

THSL TWheelColor::HSLWheelToHSL() const { return {FHSLWheel.H / 255.0, FHSLWheel.S / 255.0, FHSLWheel.L / 255.0}; }

void TWheelColor::SetRGB(const TRGB& Value) {
  FRGB = Value;
  FHSL = RGBToHSL(Value);
  FHSLWheel = HSLToHSLWheel();
}

void TWheelColor::SeTHSL(const THSL& Value) {
  FHSL = Value;
  FRGB = HSLToRGB(Value);
  FHSLWheel = HSLToHSLWheel();
}

void TWheelColor::SeTHSLWheel(const THSLWheel& Value) {
  FHSLWheel = Value;
  FHSL = HSLWheelToHSL();
  FRGB = HSLToRGB(FHSL);
}

// ---------------------------------------------------------------------------------------------
// Conversions

void ColorToBytes(TColor Color, std::uint8_t& Red, std::uint8_t& Green, std::uint8_t& Blue) {
  Red = Color & 0xFF;
  Green = (Color >> 8) & 0xFF;
  Blue = (Color >> 16) & 0xFF;
}

TColor BytesToColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) { return Rgb(Red, Green, Blue); }

void RGBToHSLValues(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, double& H, double& S, double& L) {
  const THSL hsl = TWheelColor::RGBToHSL({Red, Green, Blue});
  H = hsl.H;
  S = hsl.S;
  L = hsl.L;
}

void RGBToHSVValues(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, int& Saturation, int& Value) {
  const int channels[3] = {Red, Green, Blue};
  int low = 0, high = 0;
  if (Green < Red) low = 1;
  if (Blue < channels[low]) low = 2;
  if (Green > Red) high = 1;
  if (Blue > channels[high]) high = 2;
  const int maximum = channels[high];
  const int d = maximum - channels[low];
  if (d == 0) {
    Saturation = 0;
    Value = RoundEven(Red * 100.0 / 255);
    return;
  }
  Saturation = RoundEven(static_cast<double>(d) / maximum * 100);
  Value = RoundEven(maximum / 255.0 * 100);
}

void RGBToDialogHSV(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, int& Hue, int& Saturation,
                    int& Value) {
  double h, s, l;
  RGBToHSLValues(Red, Green, Blue, h, s, l);
  RGBToHSVValues(Red, Green, Blue, Saturation, Value);
  if (Saturation != 0) Hue = RoundEven(h * 359);
}

void HSVToRGBValues(int Hue, int Saturation, int Value, std::uint8_t& Red, std::uint8_t& Green,
                    std::uint8_t& Blue) {
  const double s = Saturation / 100.0, v = Value * 255.0 / 100;
  if (s == 0) {
    Red = Green = Blue = ToByte(v);
    return;
  }
  const double f6 = Hue / 360.0 * 6;
  const int i = static_cast<int>(std::floor(f6));
  const double f = f6 - i;
  const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  double r, g, b;
  switch (i) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
  }
  Red = ToByte(r);
  Green = ToByte(g);
  Blue = ToByte(b);
}

// ---------------------------------------------------------------------------------------------
// TskSkinColorGridBase

TskSkinColorGridBase::TskSkinColorGridBase(TComponent* AOwner, const String& ACaption, int AColCount,
                                           int ARowCount)
    : TskSkinPanel(AOwner), FColCount(AColCount), FRowCount(ARowCount) {
  SetCaptionMode(true);
  SetCaption(ACaption);
  SetBorderStyle(TskSkinBorderStyle::bvFrame);
  SetBounds(Left(), Top(), 280, 115);
}

void TskSkinColorGridBase::SetColCount(int Value) {
  if (Value <= 0) return;
  FColCount = Value;
  Repaint();
}

void TskSkinColorGridBase::SetRowCount(int Value) {
  if (Value <= 0) return;
  FRowCount = Value;
  Repaint();
}

TRect TskSkinColorGridBase::CellRect(int Index) {
  const TRect r = GetSkinClientRect();
  const int cw = (RectWidth(r) - 2 * FColCount) / FColCount;
  const int ch = (RectHeight(r) - 2 * FRowCount) / FRowCount;
  const int row = (Index - 1) / FColCount, col = (Index - 1) % FColCount;
  const int x = r.left + 1 + col * (cw + 2), y = r.top + 1 + row * (ch + 2);
  return Rect(x, y, x + cw, y + ch);
}

void TskSkinColorGridBase::PaintGrid(TCanvas& Canvas) {
  const int cells = std::min(FColCount * FRowCount, ColorCount());
  for (int i = 1; i <= cells; ++i) {
    const TRect cell = CellRect(i);
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(CellColor(i));
    Canvas.FillRect(Rect(cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1));
    if (CellSelected(i)) DrawCursor(Canvas, cell, CellColor(i) != GreyCell);
  }
}

void TskSkinColorGridBase::DrawCursor(TCanvas& Canvas, const TRect& Cell, bool Invert) {
  const int w = RectWidth(Cell), h = RectHeight(Cell);
  const int cx = Cell.left + w / 2, cy = Cell.top + h / 2;
  const int arm = w > h ? h / 2 - 2 : w / 2 - 2;
  const TPenMode oldMode = Canvas.Pen()->Mode();
  const TColor oldColor = Canvas.Pen()->Color();
  if (Invert)
    Canvas.Pen()->SetMode(TPenMode::pmNot);
  else
    Canvas.Pen()->SetColor(clBlack);
  Canvas.MoveTo(cx - arm, cy);
  Canvas.LineTo(cx - 2, cy);
  Canvas.MoveTo(cx + 3, cy);
  Canvas.LineTo(cx + arm + 1, cy);
  Canvas.MoveTo(cx, cy - arm);
  Canvas.LineTo(cx, cy - 2);
  Canvas.MoveTo(cx, cy + 3);
  Canvas.LineTo(cx, cy + arm);
  Canvas.Pen()->SetMode(oldMode);
  Canvas.Pen()->SetColor(oldColor);
}

void TskSkinColorGridBase::CreateControlDefaultImage(TBitmap& B) {
  TskSkinPanel::CreateControlDefaultImage(B);
  PaintGrid(*B.Canvas());
}

void TskSkinColorGridBase::CreateControlSkinImage(TBitmap& B) {
  TskSkinPanel::CreateControlSkinImage(B);
  PaintGrid(*B.Canvas());
}

void TskSkinColorGridBase::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinPanel::MouseDown(Button, Shift, X, Y);
  const TPoint p = Point(X, Y);
  const int cells = std::min(FColCount * FRowCount, ColorCount());
  for (int i = 1; i <= cells; ++i)
    if (const TRect cell = CellRect(i); PtInRect(&cell, p)) {
      CellClicked(i);
      return;
    }
}

// ---------------------------------------------------------------------------------------------
// TskSkinColorGrid

TskSkinColorGrid::TskSkinColorGrid(TComponent* AOwner) : TskSkinColorGridBase(AOwner, "Basic colors", 12, 4) {}

bool TskSkinColorGrid::CheckColor(TColor Color) {
  return std::find(BasicColors.begin(), BasicColors.end(), Color) != BasicColors.end();
}

void TskSkinColorGrid::SetColorValue(TColor Value) {
  FColorValue = Value;
  if (!CheckColor(Value)) return;
  if (OnChange) OnChange(this);
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomColorGrid

TskSkinCustomColorGrid::TskSkinCustomColorGrid(TComponent* AOwner)
    : TskSkinColorGridBase(AOwner, "Custom colors", 6, 2) {
  CustomColors.fill(Rgb(255, 255, 255));
}

void TskSkinCustomColorGrid::AddColor(TColor Color) {
  if (LastAddedIndex >= static_cast<int>(CustomColors.size())) LastAddedIndex = 0;
  ++LastAddedIndex;
  CustomColors[LastAddedIndex - 1] = Color;
  Repaint();
}

void TskSkinCustomColorGrid::CellClicked(int Index) {
  FColorValue = CellColor(Index);
  SelectedIndex = Index;
  Repaint();
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TskColorViewer

TskColorViewer::TskColorViewer(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TskColorViewer::SetColorValue(TColor Value) {
  if (Value == FColorValue) return;
  FColorValue = Value;
  Repaint();
}

void TskColorViewer::Paint() {
  TBitmap buffer;
  buffer.SetSize(Width(), Height());
  TCanvas& c = *buffer.Canvas();
  c.Pen()->SetColor(clBlack);
  c.Brush()->SetColor(FColorValue);
  c.Rectangle(0, 0, Width(), Height());
  BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), c.Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TskEmptyControl

void TskEmptyControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

}  // namespace skin
