#include "skin/controls/SkinSpeedButton.h"

#include "skin/controls/SkinSteps.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner)
    : TskGraphicSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FSkinDataName = "toolbutton";
  TskGraphicSkinCustomControl::SetBounds(Left(), Top(), 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton() {
  FAutoRepeatTimer.Stop();
  FAnimationTimer.Stop();
  FMorphingTimer.Stop();
}

void TskSkinSpeedButton::SetAssignedImages(TImageList* Value) {
  if (FAssignedImages) FAssignedImages->RemoveFreeNotification(this);
  FAssignedImages = Value;
  if (FAssignedImages) FAssignedImages->FreeNotification(this);
  Repaint();
}

void TskSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TskGraphicSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FAssignedImages) FAssignedImages = nullptr;
}

void TskSkinSpeedButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (dynamic_cast<TskToolBarImages*>(Parent())) Repaint();
}

void TskSkinSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  Repaint();
}

void TskSkinSpeedButton::SetDown(bool Value) {
  FDown = Value;
  if (EnableMorphing()) {
    FMorphKf = 1;
    if (Value)
      StopMorph();
    else
      StartMorph();
  }
  Repaint();
  // Two buttons of a group are never down together; AllowAllUp only lets the last one go up.
  if (FGroupIndex != 0 && FDown) DoAllUp();
}

void TskSkinSpeedButton::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Repaint();
}

void TskSkinSpeedButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value) {
  if (Value < -1 || Value == FMargin) return;
  FMargin = Value;
  Repaint();
}

void TskSkinSpeedButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Repaint();
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Repaint();
}

void TskSkinSpeedButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  if (FWidthWithCaption > 0 && FWidthWithoutCaption > 0)
    SetWidth(Value ? FWidthWithCaption : FWidthWithoutCaption);
  else
    Repaint();
}

// The class library's rule: the button's own OnClick, or else its action.
void TskSkinSpeedButton::ButtonClick() { TskGraphicSkinCustomControl::Click(); }

void TskSkinSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TskGraphicSkinCustomControl::ActionChange(Sender, CheckDefaults);
  const auto* action = dynamic_cast<const TCustomAction*>(Sender);
  if (!action) return;
  CopyActionImage(*action, *FGlyph);
  Repaint();
}

bool TskSkinSpeedButton::EnableMorphing() const {
  return FMorphing && FSkinData && !FSkinData->Empty && FSkinData->EnableSkinEffects;
}

bool TskSkinSpeedButton::EnableAnimation() const {
  return FSkinData && !FSkinData->Empty && FSkinData->EnableSkinEffects;
}

void TskSkinSpeedButton::GetSkinData() {
  TskGraphicSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) {
    FMorphing = false;
    return;
  }
  const auto* data = dynamic_cast<const TskDataSkinButtonControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (data) {
    FFontName = data->FontName;
    FFontColor = data->FontColor;
    FActiveFontColor = data->ActiveFontColor;
    FDownFontColor = data->DownFontColor;
    FFontStyle = data->FontStyle;
    FFontHeight = data->FontHeight;
    FActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? SkinRect : data->ActiveSkinRect;
    FDownSkinRect = IsNullRect(data->DownSkinRect) ? FActiveSkinRect : data->DownSkinRect;
    FMorphing = data->Morphing && !FFlat;
    FMorphKind = data->MorphKind;
    FDisabledSkinRect = data->DisabledSkinRect;
    FDisabledFontColor = data->DisabledFontColor;
    FAnimateSkinRect = data->AnimateSkinRect;
    FFrameCount = data->FrameCount;
    FAnimateInterval = data->AnimateInterval;
  }
  if (EnableAnimation() && FAnimationTimer.Running() && FShownFrame >= 1 && FShownFrame <= FFrameCount) {
    if (FAnimatingForward)
      FActiveSkinRect = GetAnimationFrameRect();
    else
      SkinRect = GetAnimationFrameRect();
  }
}

TRect TskSkinSpeedButton::GetAnimationFrameRect() const {
  const int column = FFrameCount > 0 ? RectWidth(FAnimateSkinRect) / FFrameCount : 0;
  const int left = FAnimateSkinRect.left + (FShownFrame - 1) * column;
  return Rect(left, FAnimateSkinRect.top, left + column, FAnimateSkinRect.bottom);
}

void TskSkinSpeedButton::ChangeSkinData() {
  StopAnimate();
  StopMorph();
  TskGraphicSkinCustomControl::ChangeSkinData();
  if (EnableMorphing() && FSkinControlIndex != -1 && FHovered) FMorphKf = 1;
}

void TskSkinSpeedButton::CalcSize(int& W, int& H) {
  if (FUseSkinSize || SkinResizeMode == 1) TskGraphicSkinCustomControl::CalcSize(W, H);
}

int TskSkinSpeedButton::GlyphNumber(bool ADown, bool AHot) const {
  if (ADown && AHot && FNumGlyphs > 2) return 3;
  if (AHot && FNumGlyphs > 3) return 4;
  if (!Enabled() && FNumGlyphs > 1) return 2;
  return 1;
}

void TskSkinSpeedButton::PrepareSkinFont(TCanvas& Canvas, bool ADown, bool AHot, bool AlwaysSkinFont) {
  TFont& font = *Canvas.Font();
  if (FUseSkinFont || AlwaysSkinFont) {
    font.SetName(FFontName);
    font.SetHeight(FFontHeight);
    font.SetStyle(FFontStyle);
  } else {
    font.Assign(*FDefaultFont);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
  if (!Enabled())
    font.SetColor(FDisabledFontColor);
  else if (ADown && AHot)
    font.SetColor(FDownFontColor);
  else if (AHot)
    font.SetColor(FActiveFontColor);
  else
    font.SetColor(FFontColor);
}

void TskSkinSpeedButton::PrepareDefaultFont(TCanvas& Canvas) {
  Canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) Canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  if (!Enabled()) Canvas.Font()->SetColor(clBtnShadow);
}

void TskSkinSpeedButton::DrawContent(TCanvas& Canvas, const TRect& LayoutRect, TPictureMode Mode, bool ADown,
                                     bool AHot, bool APressed, int GlyphNum) {
  const String caption = ShownCaption();
  const auto* toolBar = dynamic_cast<const TskToolBarImages*>(Parent());
  if (FGlyph->Empty() && toolBar) {
    TImageList* disabled = toolBar->DisabledImages();
    TImageList* list = toolBar->Images();
    bool drawEnabled = Enabled();
    if (!Enabled() && disabled) {
      list = disabled;
      drawEnabled = true;
    } else if (Mode != TPictureMode::Transparent && (ADown || AHot) && toolBar->HotImages()) {
      list = toolBar->HotImages();
      drawEnabled = true;
    }
    DrawImageAndText(Canvas, LayoutRect, FMargin, FSpacing, FLayout, caption, FImageIndex, list, APressed, drawEnabled);
  } else if (FGlyph->Empty() && FAssignedImages) {
    DrawImageAndText(Canvas, LayoutRect, FMargin, FSpacing, FLayout, caption, FImageIndex, FAssignedImages, APressed,
                     Enabled());
  } else {
    DrawGlyphAndText(Canvas, LayoutRect, FMargin, FSpacing, FLayout, caption, *FGlyph, FNumGlyphs, GlyphNum, APressed);
  }
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AHot) {
  TRect layout;
  if (!FUseSkinSize && SkinResizeMode != 1) {
    if (SkinBitmap && !SkinBitmap->Empty()) {
      if (SkinResizeMode == 0)
        B.Canvas()->CopyRect(Rect(0, 0, B.Width(), B.Height()), *SkinBitmap->Canvas(), R);
      else if (SkinResizeMode == 2 || SkinResizeMode == 3)
        CreateStrechImage(B, *SkinBitmap, R, SkinClientRect);
    }
    layout = SkinClientRect;
    layout.right += B.Width() - RectWidth(R);
    layout.bottom += B.Height() - RectHeight(R);
  } else {
    CreateSkinControlImage(B, SkinBitmap, R);
    layout = RealClientRect;
  }
  PrepareSkinFont(*B.Canvas(), ADown, AHot, false);
  DrawContent(*B.Canvas(), layout, TPictureMode::Skinned, ADown, AHot, ADown && AHot, GlyphNumber(ADown, AHot));
}

void TskSkinSpeedButton::CreateControlDefaultImage(TBitmap& B) {
  TskGraphicSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  const bool pressed = PressedLook();
  const TRect r = Rect(0, 0, Width(), Height());
  TColor frame = clBtnShadow, face = clBtnFace;
  if (pressed) {
    frame = clNavy;
    face = 0xB59385;
  } else if (FHovered) {
    frame = clNavy;
    face = 0xD2BDB6;
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(frame);
  canvas.FrameRect(r);
  canvas.Brush()->SetColor(face);
  canvas.FillRect(Rect(1, 1, r.right - 1, r.bottom - 1));
  PrepareDefaultFont(canvas);
  const int glyph = GlyphNumber(FDown, FHovered);
  // Image lists take pressed from Down and Hovered, the glyph from the pressed look.
  const bool listPressed = FGlyph->Empty() && (dynamic_cast<TskToolBarImages*>(Parent()) || FAssignedImages);
  DrawContent(canvas, r, TPictureMode::Default, FDown, FHovered, listPressed ? FDown && FHovered : pressed, glyph);
}

void TskSkinSpeedButton::Paint() {
  GetSkinData();
  if (Width() <= 0 || Height() <= 0) return;
  if (FSkinControlIndex == -1) {
    if (PressedLook() || FHovered || !FFlat) {
      TskGraphicSkinCustomControl::Paint();
      return;
    }
    PrepareDefaultFont(Canvas());
    DrawContent(Canvas(), Rect(0, 0, Width(), Height()), TPictureMode::Transparent, false, false, false,
                GlyphNumber(false, false));
    return;
  }
  if (FFlat && !FHovered && !(FDown && FGroupIndex != 0)) {
    PrepareSkinFont(Canvas(), false, false, true);
    if (Enabled()) Canvas().Font()->SetColor(FFontColor);
    DrawContent(Canvas(), RealClientRect, TPictureMode::Transparent, false, false, false, GlyphNumber(false, false));
    return;
  }
  TBitmap image;
  image.SetSize(Width(), Height());
  if (EnableMorphing() && FMorphKf != 0 && FMorphKf != 1 && Enabled()) {
    CreateButtonImage(image, SkinRect, false, false);
    TBitmap hot;
    hot.SetSize(Width(), Height());
    CreateButtonImage(hot, FActiveSkinRect, false, true);
    FMorphBuffers.Mix(image, hot, FMorphKind, FMorphKf);
  } else if (!Enabled() && !IsNullRect(FDisabledSkinRect)) {
    CreateButtonImage(image, FDisabledSkinRect, false, false);
  } else if (PressedLook()) {
    CreateButtonImage(image, FDownSkinRect, true, true);
  } else if (FHovered || (EnableMorphing() && FMorphKf == 1)) {
    CreateButtonImage(image, FActiveSkinRect, false, true);
  } else {
    CreateButtonImage(image, SkinRect, false, false);
  }
  DrawControlImage(image);
}

// ---------------------------------------------------------------------------------------------
// Timers

void TskSkinSpeedButton::StartMorph() { FMorphingTimer.Start(20, [this] { DoMorph(); }); }

void TskSkinSpeedButton::DoMorph() {
  const bool hot = FHovered;
  if (FSkinControlIndex == -1 || !EnableMorphing()) {
    FMorphKf = hot ? 1 : 0;
    StopMorph();
    return;
  }
  if (!StepMorph(FMorphKf, hot)) StopMorph();
  Repaint();
}

void TskSkinSpeedButton::StartAnimate(bool Forward) {
  if (FSkinControlIndex == -1 || !EnableAnimation() || IsNullRect(FAnimateSkinRect) || FFrameCount <= 0) return;
  StopAnimate();
  FAnimatingForward = Forward;
  FShownFrame = Forward ? 1 : FFrameCount;
  FAnimationTimer.Start(static_cast<unsigned>(std::max(FAnimateInterval, 1)), [this] { DoAnimate(); });
}

void TskSkinSpeedButton::StopAnimate() {
  FShownFrame = 0;
  FAnimationTimer.Stop();
}

void TskSkinSpeedButton::DoAnimate() {
  bool changed = false;
  const bool running = StepAnimation(FShownFrame, FFrameCount, FAnimatingForward, changed);
  if (changed) Repaint();
  if (!running) StopAnimate();
}

void TskSkinSpeedButton::StartRepeat() {
  FAutoRepeatTimer.Stop();
  FAutoRepeatTimer.Start(static_cast<unsigned>(std::max(FRepeatInterval, 1)), [this] { RepeatTimerProc(); });
}

void TskSkinSpeedButton::ReDrawControl() {
  if (EnableMorphing() && FSkinControlIndex != -1)
    StartMorph();
  else
    Repaint();
}

void TskSkinSpeedButton::DoAllUp() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TskSkinSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) other->SetDown(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  StopAnimate();
  FPressed = true;
  if (!FDown) {
    FHovered = true;
    SetDown(true);
    if (FRepeatMode && FGroupIndex == 0)
      StartRepeat();
    else if (FGroupIndex != 0)
      ButtonClick();
    FPressedWhileDown = false;
  } else if (FGroupIndex != 0) {
    FPressedWhileDown = true;
  }
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    FPressed = false;
    if (FGroupIndex == 0) {
      if (FHovered) {
        SetDown(false);
        StopRepeat();
        ButtonClick();
      } else {
        FDown = false;
        StopRepeat();
      }
    } else if (FDown && FAllowAllUp && FPressedWhileDown && FHovered) {
      SetDown(false);
      ButtonClick();
    }
  }
  TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TskGraphicSkinCustomControl::MouseMove(Shift, X, Y);
  // While the parent holds the mouse for this button, follow the pointer here.
  if (!FPressed) return;
  const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (inside && !FHovered)
    MouseEntered();
  else if (!inside && FHovered)
    MouseLeft();
}

void TskSkinSpeedButton::MouseEntered() {
  FHovered = true;
  if (!(FGroupIndex != 0 && FDown)) {
    if (FDown) {
      if (EnableMorphing()) FMorphKf = 1;
      Repaint();
    } else {
      StartAnimate(true);
      ReDrawControl();
    }
  }
  if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
}

void TskSkinSpeedButton::MouseLeft() {
  FHovered = false;
  if (!(FGroupIndex != 0 && FDown)) {
    StartAnimate(false);
    ReDrawControl();
  }
  if (FDown && FRepeatMode && FAutoRepeatTimer.Running() && FGroupIndex == 0) StopRepeat();
}

void TskSkinSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      TskGraphicSkinCustomControl::Dispatch(Message);
      if (EnableMorphing()) {
        StopMorph();
        FMorphKf = 0;
      }
      FHovered = false;
      Repaint();
      return;
    case CM_TEXTCHANGED:
      TskGraphicSkinCustomControl::Dispatch(Message);
      if (FSkinControlIndex != -1 || Designing(*this) || FDrawDefault) Repaint();
      return;
    case CM_MOUSEENTER:
      TskGraphicSkinCustomControl::Dispatch(Message);
      if (!Designing(*this)) MouseEntered();
      return;
    case CM_MOUSELEAVE:
      TskGraphicSkinCustomControl::Dispatch(Message);
      if (!Designing(*this)) MouseLeft();
      return;
  }
  TskGraphicSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
