#include "skin/controls/SkinPanel.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

// A one-pixel 3-D frame on R, which then shrinks by one pixel on every side.
void Frame(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor) {
  Frm3D(Canvas, R, TopColor, BottomColor);
  InflateRect(&R, -1, -1);
}

// Tiles Picture over Canvas from the origin up to Width x Height; the last column and row are cut.
void TilePicture(TCanvas& Canvas, TBitmap& Picture, const TRect& Source, int Width, int Height) {
  const int w = RectWidth(Source), h = RectHeight(Source);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < Height; y += h)
    for (int x = 0; x < Width; x += w)
      BitBlt(Canvas.Handle(), x, y, std::min(w, Width - x), std::min(h, Height - y), Picture.Canvas()->Handle(),
             Source.left, Source.top, SRCCOPY);
}

}  // namespace

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FSkinDataName = "panel";
  TskSkinCustomControl::SetBounds(Left(), Top(), 150, 150);
}

TskSkinPanel::~TskSkinPanel() = default;

// ---------------------------------------------------------------------------------------------
// Attributes

void TskSkinPanel::SetCheckedMode(bool Value) {
  FCheckedMode = Value;
  Repaint();
}

void TskSkinPanel::SetChecked(bool Value) {
  FChecked = Value;
  if (FCheckedMode) {
    Repaint();
    if (FAutoEnabledControls)
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(FChecked);
  }
  if (OnChecked) OnChecked(this);
}

void TskSkinPanel::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 2);
  Repaint();
}

void TskSkinPanel::SetSpacing(int Value) {
  FSpacing = Value;
  Repaint();
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value) {
  FDefaultAlignment = Value;
  if (!Skinned() && FCaptionMode) Repaint();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value) {
  FDefaultCaptionHeight = Value;
  if (!Skinned() && FCaptionMode) {
    Repaint();
    Realign();
  }
}

// The skinned look depends on the border too (a borderless panel may show only the client
// piece, and its children then take the whole area), so both looks are refreshed.
void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value) {
  FBorderStyle = Value;
  Repaint();
  Realign();
}

void TskSkinPanel::SetCaptionMode(bool Value) {
  FCaptionMode = Value;
  Repaint();
  Realign();
}

// The skinned caption shows the roll-up arrow as well, so it is refreshed whenever it shows.
void TskSkinPanel::SetRollUpMode(bool Value) {
  FRollUpMode = Value;
  if (Skinned() || FCaptionMode) Repaint();
}

void TskSkinPanel::SetRollUpState(bool Value) {
  if (Value == FRollUpState) return;
  if (!FRollUpMode) {
    FRollUpState = false;
    return;
  }
  FRollUpState = Value;
  DoRollUp(Value);
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

// ---------------------------------------------------------------------------------------------
// Roll-up and the children

void TskSkinPanel::DoRollUp(bool Up) {
  if (Up) {
    if (FRealHeight != -1) return;
    FRealHeight = Height();
    HideControls();
    SetHeight(Skinned() ? Height() - GetRealClientHeight() : FDefaultCaptionHeight + 1);
  } else {
    if (FRealHeight == -1) return;
    SetHeight(FRealHeight);
    FRealHeight = -1;
    ShowControls();
  }
}

void TskSkinPanel::HideControls() {
  if (!FAlignHeld) {
    DisableAlign();
    FAlignHeld = true;
  }
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
}

void TskSkinPanel::ShowControls() {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
  if (FAlignHeld) {
    FAlignHeld = false;
    EnableAlign();
  }
}

TRect TskSkinPanel::GetSkinClientRect() {
  TRect r = Rect(0, 0, Width(), Height());
  AdjustClientRect(r);
  return r;
}

void TskSkinPanel::AdjustClientRect(TRect& Rect) {
  if (!Skinned() || Designing(*this)) {
    if (FBorderStyle != TskSkinBorderStyle::bvNone) InflateRect(&Rect, -1, -1);
    if (FCaptionMode) Rect.top += FDefaultCaptionHeight;
    return;
  }
  if (BackgroundPicture() ||
      (FBorderStyle == TskSkinBorderStyle::bvNone && !FCaptionMode && SkinResizeMode == 1))
    return;
  Rect = RealClientRect;
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinPanel::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  FBGPictureIndex = -1;
  if (!Skinned()) return;
  const auto* data =
      dynamic_cast<const TskDataSkinPanelControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FCaptionRect = data->CaptionRect;
  FAlignment = data->Alignment;
  FFontName = data->FontName;
  FFontColor = data->FontColor;
  FFontStyle = data->FontStyle;
  FFontHeight = data->FontHeight;
  FBGPictureIndex = data->BGPictureIndex;
  FCheckImageRect = data->CheckImageRect;
  FUnCheckImageRect = data->UnCheckImageRect;
  FMarkFrameRect = data->MarkFrameRect;
  FFrameRect = data->FrameRect;
  FFrameTextRect = data->FrameTextRect;
  FFrameLeftOffset = data->FrameLeftOffset;
  FFrameRightOffset = data->FrameRightOffset;
}

// An index past the skin's pictures, or a picture without pixels, counts as no background:
// the panel then draws its ordinary look instead of tiling nothing.
TBitmap* TskSkinPanel::BackgroundPicture() const {
  if (!Skinned() || !FSkinData) return nullptr;
  TBitmap* picture = SkinPicture(*FSkinData, FBGPictureIndex);
  if (!picture || picture->Empty() || picture->Width() < 1 || picture->Height() < 1) return nullptr;
  return picture;
}

bool TskSkinPanel::ClientPieceOnly() const {
  return FBorderStyle == TskSkinBorderStyle::bvNone && SkinResizeMode == 1 && !FCaptionMode;
}

void TskSkinPanel::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  if (FRealHeight == -1) {
    Realign();
    return;
  }
  // Rolled up: roll up again so that the rolled height follows the new skin's frame.
  const int realHeight = FRealHeight;
  FRealHeight = -1;
  DoRollUp(true);
  FRealHeight = realHeight;
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!Skinned()) Repaint();
}

void TskSkinPanel::CreateParams(TCreateParams& Params) {
  TskSkinCustomControl::CreateParams(Params);
  // The panel repaints itself where its size changes; a redraw of the whole window on every
  // resize would only flicker.
  Params.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinPanel::Paint() {
  GetSkinData();
  TBitmap* background = BackgroundPicture();
  if (!background) {
    TskSkinCustomControl::Paint();
    return;
  }
  if (Width() < 1 || Height() < 1) return;
  TilePicture(Canvas(), *background, Rect(0, 0, background->Width(), background->Height()), Width(), Height());
}

int TskSkinPanel::CaptionWidth(TCanvas& Canvas) {
  int width = Canvas.TextWidth(Caption());
  if (!FGlyph->Empty()) width += GlyphWidth() + FSpacing;
  return width;
}

void TskSkinPanel::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  switch (FBorderStyle) {
    case TskSkinBorderStyle::bvFrame: Frame(canvas, r, clBtnShadow, clBtnShadow); break;
    case TskSkinBorderStyle::bvRaised: Frame(canvas, r, clBtnHighlight, clBtnShadow); break;
    case TskSkinBorderStyle::bvLowered: Frame(canvas, r, clBtnShadow, clBtnHighlight); break;
    case TskSkinBorderStyle::bvNone: break;
  }
  if (!FCaptionMode) return;

  if (FBorderStyle != TskSkinBorderStyle::bvFrame) {
    r = Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
    Frame(canvas, r, clBtnShadow, clBtnHighlight);
    Frame(canvas, r, clBtnHighlight, clBtnShadow);
  } else {
    r = Rect(0, 0, Width(), FDefaultCaptionHeight);
    Frame(canvas, r, clBtnShadow, clBtnShadow);
    Frame(canvas, r, clBtnHighlight, clBtnFace);
  }
  if (FCheckedMode) r.left += 20;
  if (FRollUpMode) r.right -= 10;

  canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  const int cw = CaptionWidth(canvas);
  const int ty = r.top + RectHeight(r) / 2 - canvas.TextHeight(Caption()) / 2;
  int tx = r.left + 2;
  if (FDefaultAlignment == TAlignment::taRightJustify)
    tx = r.right - cw;
  else if (FDefaultAlignment == TAlignment::taCenter)
    tx = (r.left + 2) + RectWidth(r) / 2 - cw / 2;

  if (FCheckedMode) {
    const int top = r.top + RectHeight(r) / 2 - 7;
    Frm3D(canvas, Rect(5, top, 19, top + 14), clBtnShadow, clBtnShadow);
    if (FChecked) DrawCheckImage(canvas, 9, top + 3, clBtnText);
  }
  const int gx = tx;
  const int gy = r.top + RectHeight(r) / 2 - FGlyph->Height() / 2;
  if (!FGlyph->Empty()) tx += GlyphWidth() + FSpacing;

  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  canvas.TextRect(r, tx, ty, Caption());
  DrawGlyph(canvas, gx, gy, *FGlyph, FNumGlyphs, GlyphFrame());

  if (FRollUpMode) DrawArrowImage(canvas, Rect(r.right, r.top, r.right + 10, r.bottom), clBtnText, FRollUpState ? 4 : 3);
}

void TskSkinPanel::PrepareSkinFont(TCanvas& Canvas) {
  TFont& font = *Canvas.Font();
  if (FUseSkinFont) {
    font.SetName(FFontName);
    font.SetHeight(FFontHeight);
    font.SetStyle(FFontStyle);
  } else {
    font.Assign(*FDefaultFont);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
  font.SetColor(FFontColor);
}

// The caption's frame picture, as wide as the text plus the frame's own margins.
void TskSkinPanel::DrawCaptionFrame(TCanvas& Canvas, int& TextX, int& GlyphX) {
  if (IsNullRect(FFrameRect) || !SkinBitmap || SkinBitmap->Empty()) return;
  const int extra = RectWidth(FFrameRect) - RectWidth(FFrameTextRect);
  TBitmap frame;
  CreateHSkinImage(FFrameLeftOffset, FFrameRightOffset, frame, *SkinBitmap, FFrameRect,
                   Canvas.TextWidth(Caption()) + extra, RectHeight(FFrameRect), false);
  if (FAlignment == TAlignment::taLeftJustify) {
    Canvas.Draw(TextX, FCaptionRect.top, &frame);
    TextX += FFrameTextRect.left;
  } else {
    Canvas.Draw(TextX - extra, FCaptionRect.top, &frame);
    TextX = TextX - extra + FFrameTextRect.left;
    GlyphX -= extra;
  }
}

void TskSkinPanel::CreateControlSkinImage(TBitmap& B) {
  if (ClientPieceOnly()) {
    TRect piece = SkinClientRect;
    OffsetRect(&piece, SkinRect.left, SkinRect.top);
    // Without a client piece there is nothing to tile: the ordinary skinned look stands in.
    if (SkinBitmap && !SkinBitmap->Empty() && !IsNullRect(piece)) {
      TilePicture(*B.Canvas(), *SkinBitmap, piece, Width(), Height());
      return;
    }
  }
  TskSkinCustomControl::CreateControlSkinImage(B);
  FLaidOutCaptionRect = SkinResizeMode < 1 ? FCaptionRect : GetNewRect(FCaptionRect);
  if (Caption().empty() || IsNullRect(FCaptionRect)) return;

  TCanvas& canvas = *B.Canvas();
  TRect cr = FLaidOutCaptionRect;
  if (FRollUpMode) cr.right -= 12;
  const bool picture = SkinBitmap && !SkinBitmap->Empty();
  if (FCheckedMode) {
    const int w = RectWidth(FCheckImageRect), h = RectHeight(FCheckImageRect);
    const TRect& source = FChecked ? FCheckImageRect : FUnCheckImageRect;
    if (picture)
      SkinDrawCheckImage(cr.left, cr.top + RectHeight(cr) / 2 - h / 2, canvas,
                         Rect(source.left, source.top, source.left + w, source.top + h), *SkinBitmap->Canvas());
    cr.left += w + 2;
  }
  PrepareSkinFont(canvas);
  const int cw = CaptionWidth(canvas);
  const int ty = cr.top + RectHeight(cr) / 2 - canvas.TextHeight(Caption()) / 2;
  int tx = cr.left;
  if (FAlignment == TAlignment::taRightJustify)
    tx = cr.right - cw;
  else if (FAlignment == TAlignment::taCenter)
    tx = cr.left + RectWidth(cr) / 2 - cw / 2;
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);

  int gx = tx;
  const int gy = cr.top + RectHeight(cr) / 2 - FGlyph->Height() / 2;
  if (!FGlyph->Empty()) tx += GlyphWidth() + FSpacing;

  if (FRollUpMode) {
    const TRect cell = Rect(cr.right, cr.top, cr.right + 10, cr.bottom);
    if (picture && !IsNullRect(FMarkFrameRect))
      canvas.CopyRect(Rect(cell.left, cell.top, cell.left + RectWidth(FMarkFrameRect),
                           FCaptionRect.top + RectHeight(FMarkFrameRect)),
                      *SkinBitmap->Canvas(), FMarkFrameRect);
    DrawArrowImage(canvas, cell, FFontColor, FRollUpState ? 4 : 3);
  }
  DrawCaptionFrame(canvas, tx, gx);

  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  canvas.TextRect(cr, tx, ty, Caption());
  DrawGlyph(canvas, gx, gy, *FGlyph, FNumGlyphs, GlyphFrame());
}

void TskSkinPanel::SkinDrawCheckImage(int X, int Y, TCanvas& Cnvs, const TRect& R, TCanvas& SourceCanvas) {
  if (IsNullRect(R)) return;
  TBitmap piece;
  piece.SetPixelFormat(TPixelFormat::pf24bit);
  piece.SetSize(RectWidth(R), RectHeight(R));
  piece.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), SourceCanvas, R);
  DrawGlyph(Cnvs, X, Y, piece, 1, 1);
}

// ---------------------------------------------------------------------------------------------
// Mouse and messages

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == TMouseButton::mbLeft) {
    const TRect area = Skinned() ? FLaidOutCaptionRect : Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
    if (PointInRect(area, Point(X, Y))) {
      if (FCheckedMode) SetChecked(!FChecked);
      if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
  }
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    TskSkinCustomControl::Dispatch(Message);
    // A skinned caption rectangle shows the caption without caption mode as well.
    if (FCaptionMode || (Skinned() && !IsNullRect(FCaptionRect))) Repaint();
    return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinPaintPanel

void TskSkinPaintPanel::CreateControlDefaultImage(TBitmap& B) {
  TskSkinPanel::CreateControlDefaultImage(B);
  if (OnPanelPaint) OnPanelPaint(*B.Canvas(), GetSkinClientRect());
}

void TskSkinPaintPanel::CreateControlSkinImage(TBitmap& B) {
  TskSkinPanel::CreateControlSkinImage(B);
  if (OnPanelPaint) OnPanelPaint(*B.Canvas(), GetSkinClientRect());
}

void TskSkinPaintPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    if (!FInWMPaint && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TskSkinPanel::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinGroupBox

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner) {
  FSkinDataName = "groupbox";
  SetCaptionMode(true);
}

// ---------------------------------------------------------------------------------------------
// TskSkinStatusBar

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
  FSkinDataName = "statusbar";
  SetAlign(TAlign::alBottom);
  SetDefaultHeight(21);
  SetBorderStyle(TskSkinBorderStyle::bvNone);
}

void TskSkinStatusBar::SetSkinData(TskSkinData* Value) {
  TskSkinPanel::SetSkinData(Value);
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* control = dynamic_cast<TskSkinControl*>(Controls(i))) control->SetSkinData(Value);
}

}  // namespace skin
