#include "flat/PlainUtils.h"

#include "flat/Hslutils.h"
#include "platform/classlib/StdCtrls.h"

#include <algorithm>
#include <cmath>

namespace flat {

using namespace classlib;

namespace {

// Where the mono source is white the brush lands, elsewhere the destination stays.
constexpr DWORD ROP_DSPDxax = 0x00E20746;

// A bitmap of its own selected into a memory DC of its own; both go with it.
class TWorkBitmap {
public:
  // A monochrome bitmap, or one in the format of Compatible.
  TWorkBitmap(HDC Compatible, int Width, int Height, bool Monochrome)
      : FDC(CreateCompatibleDC(Compatible)),
        FBitmap(Monochrome ? CreateBitmap(Width, Height, 1, 1, nullptr)
                           : CreateCompatibleBitmap(Compatible, Width, Height)) {
    if (!FDC || !FBitmap) {
      Free();
      throw EInvalidGraphicOperation("Out of system resources");
    }
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TWorkBitmap() { Free(); }
  TWorkBitmap(const TWorkBitmap&) = delete;
  TWorkBitmap& operator=(const TWorkBitmap&) = delete;

  HDC DC() const { return FDC; }

private:
  void Free() {
    if (FDC) {
      if (FOld) SelectObject(FDC, FOld);
      DeleteDC(FDC);
    }
    if (FBitmap) DeleteObject(FBitmap);
  }

  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld = nullptr;
};

// Copying monochrome pixels into colour: 0 bits become black (the text colour), 1 bits white.
void MonoToBlackAndWhite(HDC DC) {
  SetTextColor(DC, RGB(0, 0, 0));
  SetBkColor(DC, RGB(255, 255, 255));
}

// Copies Source into a monochrome bitmap: pixels of Color become 1, all others 0.
void MaskOf(HDC Mono, HDC Source, int Width, int Height, TColor Color) {
  const COLORREF old = SetBkColor(Source, ColorToRGB(Color));
  BitBlt(Mono, 0, 0, Width, Height, Source, 0, 0, SRCCOPY);
  SetBkColor(Source, old);
}

// Puts Color through the mono image at (X, Y) of DC: where the image is 1.
void StampMono(HDC DC, int X, int Y, int Width, int Height, HDC Mono, TColor Color) {
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  if (!brush) throw EInvalidGraphicOperation("Out of system resources");
  const HGDIOBJ old = SelectObject(DC, brush);
  MonoToBlackAndWhite(DC);
  BitBlt(DC, X, Y, Width, Height, Mono, 0, 0, ROP_DSPDxax);
  SelectObject(DC, old);
  DeleteObject(brush);
}

}  // namespace

TColor CalcAdvancedColor(TColor BaseColor, TColor FallbackColor, std::uint8_t Percent, TColorCalcType Kind) {
  if (Percent == 0) return FallbackColor;
  int h, s, l;
  RGBtoHSLRange(static_cast<TColor>(ColorToRGB(BaseColor)), h, s, l);
  l += 10;
  // Lightening stops at full lightness: a lower cap would turn light colours darker.
  l = Kind == TColorCalcType::darken ? std::max(l - Percent, 0) : std::min(l + Percent, HSLRange);
  return HSLRangeToRGB(h, s, l);
}

void DrawParentImage(TControl& Control, TCanvas& Dest) {
  TWinControl* parent = Control.Parent();
  if (!parent) return;
  const HDC dc = Dest.Handle();
  const int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - Control.Left(), origin.y - Control.Top(), nullptr);
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void Frame3DBorder(TCanvas& Canvas, TRect Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas.Pen()->SetWidth(1);
  --Rect.bottom;
  --Rect.right;
  for (; Width > 0; --Width) {
    Canvas.Pen()->SetColor(TopColor);
    Canvas.Polyline({Point(Rect.left, Rect.bottom), Point(Rect.left, Rect.top), Point(Rect.right, Rect.top)});
    Canvas.Pen()->SetColor(BottomColor);
    Canvas.Polyline({Point(Rect.right, Rect.top), Point(Rect.right, Rect.bottom), Point(Rect.left - 1, Rect.bottom)});
    InflateRect(&Rect, -1, -1);
  }
}

void DrawTransparentBmp(TCanvas& Canvas, int X, int Y, TBitmap& Bitmap, TColor TransparentColor) {
  if (Bitmap.Empty()) return;
  const int w = Bitmap.Width(), h = Bitmap.Height();
  const HDC dest = Canvas.Handle();
  const HDC source = Bitmap.Canvas()->Handle();
  TWorkBitmap mask(dest, w, h, true), inverted(dest, w, h, true), image(dest, w, h, false), back(dest, w, h, false);
  MaskOf(mask.DC(), source, w, h, TransparentColor);
  BitBlt(inverted.DC(), 0, 0, w, h, mask.DC(), 0, 0, NOTSRCCOPY);
  // The picture without its transparent pixels, and the canvas with holes where the picture shows.
  MonoToBlackAndWhite(image.DC());
  BitBlt(image.DC(), 0, 0, w, h, source, 0, 0, SRCCOPY);
  BitBlt(image.DC(), 0, 0, w, h, inverted.DC(), 0, 0, SRCAND);
  MonoToBlackAndWhite(back.DC());
  BitBlt(back.DC(), 0, 0, w, h, dest, X, Y, SRCCOPY);
  BitBlt(back.DC(), 0, 0, w, h, mask.DC(), 0, 0, SRCAND);
  BitBlt(back.DC(), 0, 0, w, h, image.DC(), 0, 0, SRCINVERT);
  BitBlt(dest, X, Y, w, h, back.DC(), 0, 0, SRCCOPY);
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(TBitmap& Source, TColor MaskColor, TColor BackColor,
                                              TColor HighlightColor, TColor ShadowColor, bool DrawHighlight) {
  auto result = std::make_unique<TBitmap>();
  if (Source.Empty()) return result;
  const int w = Source.Width(), h = Source.Height();
  result->SetSize(w, h);
  TCanvas& canvas = *result->Canvas();
  canvas.Brush()->SetColor(BackColor);
  canvas.FillRect(Rect(0, 0, w, h));

  // A monochrome source has no colours to compare with the mask colour: it is made colour first.
  TBitmap colour;
  colour.Assign(Source);
  if (colour.PixelFormat() == TPixelFormat::pf1bit) colour.SetPixelFormat(TPixelFormat::pf24bit);
  const HDC dc = canvas.Handle();
  TWorkBitmap mono(dc, w, h, true);
  MaskOf(mono.DC(), colour.Canvas()->Handle(), w, h, MaskColor);
  if (DrawHighlight) StampMono(dc, 1, 1, w, h, mono.DC(), HighlightColor);
  StampMono(dc, 0, 0, w, h, mono.DC(), ShadowColor);
  return result;
}

void CalcButtonLayout(TCanvas& Canvas, const TRect& Client, const TPoint& Offset, TButtonLayout Layout, int Spacing,
                      int Margin, TBitmap* Glyph, TNumGlyphs NumGlyphs, const String& Caption, TRect& TextBounds,
                      TPoint& GlyphPos) {
  const SIZE client{Client.right - Client.left, Client.bottom - Client.top};
  SIZE glyph{0, 0};
  if (Glyph && !Glyph->Empty()) glyph = {Glyph->Width() / std::max(NumGlyphs, 1), Glyph->Height()};
  TextBounds = Rect(0, 0, client.cx, 0);
  if (Caption.empty())
    TextBounds = Rect(0, 0, 0, 0);
  else
    DrawControlText(Canvas.Handle(), *Canvas.Font(), Caption, TextBounds, DT_CALCRECT | DT_SINGLELINE);
  const SIZE text{TextBounds.right - TextBounds.left, TextBounds.bottom - TextBounds.top};

  // The axis the two items share, and the one they are centred on.
  const bool across = Layout == TButtonLayout::blGlyphLeft || Layout == TButtonLayout::blGlyphRight;
  const int length = across ? client.cx : client.cy;
  const int glyphLength = across ? glyph.cx : glyph.cy;
  const int textLength = across ? text.cx : text.cy;
  TPoint textPos{0, 0};
  if (across) {
    GlyphPos.y = (client.cy - glyph.cy + 1) / 2;
    textPos.y = (client.cy - text.cy + 1) / 2;
  } else {
    GlyphPos.x = (client.cx - glyph.cx + 1) / 2;
    textPos.x = (client.cx - text.cx + 1) / 2;
  }

  if (text.cx == 0 || glyph.cx == 0) Spacing = 0;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (length - glyphLength - textLength) / 3;
      Spacing = Margin;
    } else {
      Margin = (length - glyphLength - Spacing - textLength + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (length - Margin - glyphLength - textLength) / 2;
  }

  int glyphAt = 0, textAt = 0;
  switch (Layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphTop:
      glyphAt = Margin;
      textAt = glyphAt + glyphLength + Spacing;
      break;
    case TButtonLayout::blGlyphRight:
    case TButtonLayout::blGlyphBottom:
      glyphAt = length - Margin - glyphLength;
      textAt = glyphAt - Spacing - textLength;
      break;
  }
  (across ? GlyphPos.x : GlyphPos.y) = glyphAt;
  (across ? textPos.x : textPos.y) = textAt;

  GlyphPos.x += Client.left + Offset.x;
  GlyphPos.y += Client.top + Offset.y;
  OffsetRect(&TextBounds, textPos.x + Client.left + Offset.x, textPos.y + Client.top + Offset.y);
}

WORD Min(WORD A, WORD B) { return B < A ? B : A; }

TEXTMETRICW GetFontMetrics(TFont& Font) {
  TEXTMETRICW metrics{};
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font.Handle());
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics;
}

int GetFontHeight(TFont& Font) {
  const LONG height = GetFontMetrics(Font).tmHeight;
  return static_cast<int>(std::nearbyint(height + height / 8.0));
}

bool RectInRect(const TRect& R1, const TRect& R2) {
  TRect overlap;
  return IntersectRect(&overlap, &R1, &R2) != FALSE;
}

}  // namespace flat
