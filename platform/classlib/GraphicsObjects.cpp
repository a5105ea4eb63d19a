#include "platform/classlib/GraphicsObjects.h"

#include "platform/classlib/WideText.h"

#include <algorithm>
#include <utility>

namespace classlib {

// ---- TGraphicsObject ----

TGraphicsObject::~TGraphicsObject() {
  if (FHandle) DeleteObject(FHandle);
}

HGDIOBJ TGraphicsObject::ObjectHandle() {
  if (!FHandle) FHandle = CreateObject();
  return FHandle;
}

void TGraphicsObject::Changed() {
  HGDIOBJ old = std::exchange(FHandle, nullptr);
  if (OnChange) OnChange(this);
  if (old) DeleteObject(old);
}

// ---- TFont ----

void TFont::Assign(const TPersistent& Source) {
  const auto* font = dynamic_cast<const TFont*>(&Source);
  if (!font) return TPersistent::Assign(Source);
  FName = font->FName;
  FHeight = font->FHeight;
  FColor = font->FColor;
  FStyle = font->FStyle;
  FCharset = font->FCharset;
  FPitch = font->FPitch;
  Changed();
}

void TFont::SetName(const String& Value) {
  // A font needs a face; an empty name would leave the choice to the font mapper.
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::PixelsPerInch() {
  static const int pixelsPerInch = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return pixelsPerInch;
}

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch()); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, PixelsPerInch(), 72)); }

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

HGDIOBJ TFont::CreateObject() const {
  LOGFONTW lf{};
  lf.lfHeight = FHeight;
  lf.lfWeight = FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = FStyle.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (FPitch) {
    case TFontPitch::fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
    case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
  }
  // Face names longer than LF_FACESIZE - 1 characters are cut, as GDI would.
  const WideString face = ToWide(FName);
  const size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), length, lf.lfFaceName);
  return CreateFontIndirectW(&lf);
}

// ---- TPen ----

void TPen::Assign(const TPersistent& Source) {
  const auto* pen = dynamic_cast<const TPen*>(&Source);
  if (!pen) return TPersistent::Assign(Source);
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Changed();
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

int TPen::Rop2() const {
  // TPenMode has an order of its own, not the numbering of the R2_x codes.
  static constexpr int codes[] = {
      R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
      R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN, R2_NOTXORPEN};
  return codes[static_cast<int>(FMode)];
}

HGDIOBJ TPen::CreateObject() const {
  int style = PS_SOLID;
  switch (FStyle) {
    case TPenStyle::psSolid: style = PS_SOLID; break;
    case TPenStyle::psDash: style = PS_DASH; break;
    case TPenStyle::psDot: style = PS_DOT; break;
    case TPenStyle::psDashDot: style = PS_DASHDOT; break;
    case TPenStyle::psDashDotDot: style = PS_DASHDOTDOT; break;
    case TPenStyle::psClear: style = PS_NULL; break;
    case TPenStyle::psInsideFrame: style = PS_INSIDEFRAME; break;
  }
  return CreatePen(style, FWidth, ColorToRGB(FColor));
}

// ---- TBrush ----

void TBrush::Assign(const TPersistent& Source) {
  const auto* brush = dynamic_cast<const TBrush*>(&Source);
  if (!brush) return TPersistent::Assign(Source);
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

HGDIOBJ TBrush::CreateObject() const {
  LOGBRUSH lb{};
  lb.lbColor = ColorToRGB(FColor);
  switch (FStyle) {
    case TBrushStyle::bsSolid: lb.lbStyle = BS_SOLID; break;
    case TBrushStyle::bsClear: lb.lbStyle = BS_NULL; break;
    case TBrushStyle::bsHorizontal: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_HORIZONTAL; break;
    case TBrushStyle::bsVertical: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_VERTICAL; break;
    case TBrushStyle::bsFDiagonal: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_FDIAGONAL; break;
    case TBrushStyle::bsBDiagonal: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_BDIAGONAL; break;
    case TBrushStyle::bsCross: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_CROSS; break;
    case TBrushStyle::bsDiagCross: lb.lbStyle = BS_HATCHED; lb.lbHatch = HS_DIAGCROSS; break;
  }
  // A null brush comes back as the stock object, which DeleteObject leaves alone.
  return CreateBrushIndirect(&lb);
}

}  // namespace classlib
