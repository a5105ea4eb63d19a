#include "skin/controls/SkinImageLabels.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinLabel

TskSkinLabel::TskSkinLabel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "label";
  SetBounds(Left(), Top(), 75, 21);
}

void TskSkinLabel::SetUseSkinSize(bool Value) {
  if (Value == FUseSkinSize) return;
  FUseSkinSize = Value;
  if (Skinned()) ChangeSkinData();
}

void TskSkinLabel::SetBorderStyle(TskSkinBorderStyle Value) {
  FBorderStyle = Value;
  if (Skinned()) return;
  Invalidate();
  Realign();
}

void TskSkinLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TskSkinLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (FAutoSize) AdjustBounds();
}

void TskSkinLabel::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (!Skinned()) return;
  const auto* data =
      dynamic_cast<const TskDataSkinLabelControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FFontName = data->FontName;
  FFontColor = data->FontColor;
  FFontStyle = data->FontStyle;
  FFontHeight = data->FontHeight;
  // A skin piece of fixed size cannot follow the caption.
  if (SkinResizeMode == 0) FAutoSize = false;
}

void TskSkinLabel::PrepareFont(TCanvas& Canvas) {
  TFont& font = *Canvas.Font();
  font.Assign(*FDefaultFont);
  if (Skinned()) {
    if (FUseSkinFont) {
      font.SetName(FFontName);
      font.SetStyle(FFontStyle);
      font.SetHeight(FFontHeight);
    }
    font.SetColor(FFontColor);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
}

void TskSkinLabel::DrawLabelText(TCanvas& Canvas, const TRect& R) {
  PrepareFont(Canvas);
  const int tw = Canvas.TextWidth(Caption()), th = Canvas.TextHeight(Caption());
  const int y = R.top + RectHeight(R) / 2 - th / 2;
  int x = R.left;
  if (FAlignment == TAlignment::taRightJustify) x = R.right - tw;
  else if (FAlignment == TAlignment::taCenter) x = R.left + RectWidth(R) / 2 - tw / 2;
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.TextRect(R, x, y, Caption());
}

void TskSkinLabel::DrawBorder(TCanvas& Canvas) {
  const TRect r = ClientRect();
  switch (FBorderStyle) {
    case TskSkinBorderStyle::bvFrame: Frm3D(Canvas, r, clBtnShadow, clBtnShadow); break;
    case TskSkinBorderStyle::bvRaised: Frm3D(Canvas, r, clBtnHighlight, clBtnShadow); break;
    case TskSkinBorderStyle::bvLowered: Frm3D(Canvas, r, clBtnShadow, clBtnHighlight); break;
    case TskSkinBorderStyle::bvNone: break;
  }
}

void TskSkinLabel::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  DrawBorder(*B.Canvas());
  DrawLabelText(*B.Canvas(), Rect(2, 2, Width() - 2, Height() - 2));
}

void TskSkinLabel::CreateControlSkinImage(TBitmap& B) {
  if (FUseSkinSize || SkinResizeMode == 1) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    DrawLabelText(*B.Canvas(), RealClientRect);
    return;
  }
  // A free height: the piece is laid out in width only and stretched to the label's height.
  if (SkinBitmap && !SkinBitmap->Empty()) {
    TBitmap strip;
    CreateHSkinImage(SkinLeftTopPoint.x, RectWidth(SkinRect) - SkinRightTopPoint.x, strip, *SkinBitmap, SkinRect,
                     Width(), RectHeight(SkinRect), SkinStretchEffect);
    B.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &strip);
  }
  TRect r = RealClientRect;
  r.bottom += Height() - RectHeight(SkinRect);
  DrawLabelText(*B.Canvas(), r);
}

void TskSkinLabel::CalcSize(int& W, int& H) {
  const auto layout = [this](int& Width, int& Height) {
    if (FUseSkinSize || SkinResizeMode == 1) return TskSkinCustomControl::CalcSize(Width, Height);
    const int sw = RectWidth(SkinRect);
    RealLeftTopPoint = SkinLeftTopPoint;
    RealRightTopPoint = Point(Width + SkinRightTopPoint.x - sw, SkinRightTopPoint.y);
    RealClientRect = SkinClientRect;
    RealClientRect.right = Width + SkinClientRect.right - sw;
  };
  layout(W, H);
  if (!FAutoSize) return;
  const int offset = CalcWidthOffset();
  if (offset <= 0) return;
  W += offset;
  // The client piece follows the width the caption asked for (a fixed piece keeps its own).
  int w = W, h = H;
  layout(w, h);
}

int TskSkinLabel::CalcWidthOffset() {
  TBitmap measure;
  measure.SetSize(1, 1);
  TCanvas& canvas = *measure.Canvas();
  PrepareFont(canvas);
  const int width = canvas.TextWidth(Caption());
  if (!Skinned()) return width - Width() + 4;
  return SkinResizeMode != 0 ? width - RectWidth(RealClientRect) : 0;
}

void TskSkinLabel::AdjustBounds() {
  if (Align() == TAlign::alTop || Align() == TAlign::alBottom || Align() == TAlign::alClient) return;
  const int offset = CalcWidthOffset();
  if (offset != 0) SetWidth(Width() + offset);
}

void TskSkinLabel::SetControlRegion() {
  if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

void TskSkinLabel::TextChanged() {
  TskSkinCustomControl::TextChanged();
  if (FAutoSize) AdjustBounds();
  Invalidate();
}

void TskSkinLabel::Dispatch(TMessage& Message) {
  // Painted into a DC it is given (a parent drawing what lies behind a child of its own).
  if (Message.Msg == WM_ERASEBKGND && !FInWMPaint && Message.WParam) {
    PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinStatusPanel

TskSkinStatusPanel::TskSkinStatusPanel(TComponent* AOwner)
    : TskSkinLabel(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FSkinDataName = "statuspanel";
  SetWidth(120);
}

void TskSkinStatusPanel::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TskSkinStatusPanel::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 2);
  Invalidate();
}

int TskSkinStatusPanel::CalcWidthOffset() {
  TBitmap measure;
  measure.SetSize(1, 1);
  TCanvas& canvas = *measure.Canvas();
  PrepareFont(canvas);
  const int width = canvas.TextWidth(Caption()) + GlyphSpace();
  if (!Skinned()) return width - Width() + 4;
  return SkinResizeMode != 0 ? width - RectWidth(RealClientRect) : 0;
}

void TskSkinStatusPanel::CreateControlDefaultImage(TBitmap& B) {
  B.Canvas()->Brush()->SetColor(clBtnFace);
  B.Canvas()->FillRect(ClientRect());
  DrawBorder(*B.Canvas());
  TRect r = Rect(3, 3, Width() - 3, Height() - 3);
  if (!FGlyph->Empty()) {
    DrawGlyph(*B.Canvas(), 3, B.Height() / 2 - FGlyph->Height() / 2, *FGlyph, FNumGlyphs, GlyphFrame());
    r.left += GlyphWidth() + 2;
  }
  DrawLabelText(*B.Canvas(), r);
}

void TskSkinStatusPanel::CreateControlSkinImage(TBitmap& B) {
  CreateSkinControlImage(B, SkinBitmap, SkinRect);
  TRect r = RealClientRect;
  if (!FGlyph->Empty()) {
    DrawGlyph(*B.Canvas(), r.left, r.top + RectHeight(r) / 2 - FGlyph->Height() / 2, *FGlyph, FNumGlyphs,
              GlyphFrame());
    r.left += GlyphWidth() + 2;
  }
  DrawLabelText(*B.Canvas(), r);
}

void TskSkinStatusPanel::EnabledChanged() {
  TskSkinLabel::EnabledChanged();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TskSkinBitLabel

TskSkinBitLabel::TskSkinBitLabel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "bitlabel";
  SetBounds(Left(), Top(), 100, 20);
}

void TskSkinBitLabel::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinBitLabelControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FSkinTextRect = data->SkinTextRect;
  FSymbolWidth = data->SymbolWidth;
  FSymbolHeight = data->SymbolHeight;
  FSymbols = data->Symbols.get();
}

int TskSkinBitLabel::GetFixWidth() const {
  return SkinClientRect.left + FSymbolWidth * FFixLength + RectWidth(SkinRect) - SkinClientRect.right;
}

void TskSkinBitLabel::SetFixLength(int Value) {
  FFixLength = Value;
  if (FFixLength <= 0) return;
  FAutoSize = false;
  GetSkinData();
  if (FSkinControlIndex != -1) SetWidth(GetFixWidth());
}

void TskSkinBitLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
  Invalidate();
}

int TskSkinBitLabel::CellsOffset() const {
  return static_cast<int>(Caption().size()) * FSymbolWidth - RectWidth(RealClientRect);
}

void TskSkinBitLabel::AdjustBounds() {
  if (Align() != TAlign::alNone) return;
  GetSkinData();
  const int offset = FSkinControlIndex != -1 ? CellsOffset() : 0;
  if (offset != 0) SetWidth(Width() + offset);
}

void TskSkinBitLabel::CalcSize(int& W, int& H) {
  TskSkinCustomControl::CalcSize(W, H);
  if (FFixLength > 0) {
    if (FSkinControlIndex != -1) W = GetFixWidth();
  } else {
    const int offset = CellsOffset();
    if (offset > 0 || FAutoSize) W += offset;
  }
  if (FSkinControlIndex == -1) return;
  // The client piece follows the width the cells asked for (a fixed piece keeps its own).
  int w = W, h = H;
  TskSkinCustomControl::CalcSize(w, h);
}

void TskSkinBitLabel::TextChanged() {
  TskSkinCustomControl::TextChanged();
  if (FAutoSize) AdjustBounds();
  Invalidate();
}

void TskSkinBitLabel::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  canvas.TextRect(Rect(1, 1, Width() - 1, Height() - 1), 2, Height() / 2 - canvas.TextHeight(Caption()) / 2,
                  Caption());
}

void TskSkinBitLabel::CreateControlSkinImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlSkinImage(B);
  if (!SkinBitmap || SkinBitmap->Empty() || !FSymbols || FSymbolWidth <= 0) return;
  const int x0 = SkinClientRect.left;
  const int rightMargin = RectWidth(SkinRect) - SkinClientRect.right;
  const String& caption = Caption();
  for (int p = 1; p <= static_cast<int>(caption.size()); ++p) {
    // The part of the cell that would run into the right margin is cut off; a cell cut whole ends
    // the caption.
    const int cut = std::max(0, x0 + FSymbolWidth * p - (B.Width() - rightMargin));
    if (cut >= FSymbolWidth) break;
    const char c = caption[static_cast<size_t>(p - 1)];
    int row = -1;
    size_t col = String::npos;
    for (int i = 0; i < FSymbols->Count() && col == String::npos; ++i) {
      col = FSymbols->Strings(i).find(c);
      row = i;
    }
    if (col == String::npos) continue;
    const int sx = FSkinTextRect.left + FSymbolWidth * static_cast<int>(col);
    const int sy = FSkinTextRect.top + FSymbolHeight * row;
    B.Canvas()->CopyRect(Rect(x0 + FSymbolWidth * (p - 1), RealClientRect.top, x0 + FSymbolWidth * p - cut,
                              RealClientRect.top + FSymbolHeight),
                         *SkinBitmap->Canvas(), Rect(sx, sy, sx + FSymbolWidth - cut, sy + FSymbolHeight));
    if (cut > 0) break;
  }
}

}  // namespace skin
