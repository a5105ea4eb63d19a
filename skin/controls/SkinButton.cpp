#include "skin/controls/SkinButton.h"

#include "skin/controls/SkinSteps.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/WideText.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

bool NoShiftKeys() {
  return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

// Keeps the canvas's font selected in its DC while a glyph and caption are laid out and drawn, so
// that the text calls in between find it there and select nothing themselves.
class TCanvasFontHold {
public:
  explicit TCanvasFontHold(TCanvas& Canvas) : FDC(Canvas.Handle()) {
    const HFONT font = Canvas.Font()->Handle();
    if (GetCurrentObject(FDC, OBJ_FONT) != font) FOld = SelectObject(FDC, font);
  }
  ~TCanvasFontHold() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TCanvasFontHold(const TCanvasFontHold&) = delete;
  TCanvasFontHold& operator=(const TCanvasFontHold&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld = nullptr;
};

// Measures Text from an empty rectangle (no width limit) in the canvas's font.
TSize MeasureText(TCanvas& Canvas, const String& Text) {
  TRect r = Rect(0, 0, 0, 0);
  DrawControlText(Canvas.Handle(), *Canvas.Font(), Text, r, DT_CALCRECT);
  return TSize{r.right - r.left, r.bottom - r.top};
}

// The caption at (TX, TY), centred in its own measured box widened by two pixels.
void DrawCaption(TCanvas& Canvas, const String& Caption, int TX, int TY) {
  TRect r = Rect(TX, TY, TX, TY);
  DrawControlText(Canvas.Handle(), *Canvas.Font(), Caption, r, DT_CALCRECT);
  r.right += 2;
  DrawControlText(Canvas.Handle(), *Canvas.Font(), Caption, r, DT_CENTER | DT_VCENTER);
}

}  // namespace

TskGlyphTextPlace CalcGlyphTextLayout(TskButtonLayout Layout, const TRect& R, int GW, int GH, int TW, int TH,
                                      int Margin, int Spacing) {
  const int cx = R.left + (R.right - R.left) / 2;
  const int cy = R.top + (R.bottom - R.top) / 2;
  TskGlyphTextPlace p;
  if (Margin == -1) {
    const int hw = (TW + GW + Spacing) / 2;
    const int hh = (TH + GH + Spacing) / 2;
    switch (Layout) {
      case TskButtonLayout::blGlyphLeft:
        p = {cx - hw, cy - GH / 2, cx + hw - TW, cy - TH / 2};
        break;
      case TskButtonLayout::blGlyphRight:
        p = {cx + hw - GW, cy - GH / 2, cx - hw, cy - TH / 2};
        break;
      case TskButtonLayout::blGlyphTop:
        p = {cx - GW / 2, cy - hh, cx - TW / 2, cy + hh - TH};
        break;
      case TskButtonLayout::blGlyphBottom:
        p = {cx - GW / 2, cy + hh - GH, cx - TW / 2, cy - hh};
        break;
    }
    return p;
  }
  switch (Layout) {
    case TskButtonLayout::blGlyphLeft:
      p.GX = R.left + Margin;
      p.GY = cy - GH / 2;
      p.TX = p.GX + GW + Spacing;
      p.TY = cy - TH / 2;
      break;
    case TskButtonLayout::blGlyphRight:
      p.GX = R.right - GW - Margin;
      p.GY = cy - GH / 2;
      p.TX = p.GX - Spacing - TW;
      p.TY = cy - TH / 2;
      break;
    case TskButtonLayout::blGlyphTop:
      p.GY = R.top + Margin;
      p.GX = cx - GW / 2;
      p.TY = p.GY + GH + Spacing;
      p.TX = cx - TW / 2;
      break;
    case TskButtonLayout::blGlyphBottom:
      p.GY = R.bottom - GH - Margin;
      p.GX = cx - GW / 2;
      p.TY = p.GY - Spacing - TH;
      p.TX = cx - TW / 2;
      break;
  }
  return p;
}

void DrawGlyphAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                      const String& Caption, TBitmap& Glyph, int NumGlyphs, int GlyphNum, bool Pressed) {
  const TCanvasFontHold font(Canvas);
  const bool hasGlyph = !Glyph.Empty() && NumGlyphs > 0;
  const int gw = hasGlyph ? Glyph.Width() / NumGlyphs : 0;
  const int gh = hasGlyph ? Glyph.Height() : 0;
  const TSize text = MeasureText(Canvas, Caption);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  TskGlyphTextPlace p = CalcGlyphTextLayout(Layout, R, gw, gh, text.cx, text.cy, Margin, Spacing);
  if (Pressed) p = {p.GX + 1, p.GY + 1, p.TX + 1, p.TY + 1};
  DrawCaption(Canvas, Caption, p.TX, p.TY);
  if (hasGlyph) DrawGlyph(Canvas, p.GX, p.GY, Glyph, NumGlyphs, GlyphNum);
}

void DrawImageAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                      const String& Caption, int ImageIndex, TImageList* Images, bool Pressed, bool Enabled) {
  const TCanvasFontHold font(Canvas);
  const bool hasImage = Images && ImageIndex >= 0 && ImageIndex < Images->Count();
  const int gw = hasImage ? Images->Width() : 0;
  const int gh = hasImage ? Images->Height() : 0;
  const TSize text = MeasureText(Canvas, Caption);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  TskGlyphTextPlace p = CalcGlyphTextLayout(Layout, R, gw, gh, text.cx, text.cy, Margin, Spacing);
  if (Pressed) p = {p.GX + 1, p.GY + 1, p.TX + 1, p.TY + 1};
  DrawCaption(Canvas, Caption, p.TX, p.TY);
  if (gw != 0) Images->Draw(Canvas, p.GX, p.GY, ImageIndex, Enabled);
}

void CopyActionImage(const TCustomAction& Action, TBitmap& Glyph) {
  if (!Glyph.Empty() || !Action.ActionList()) return;
  TImageList* images = Action.ActionList()->Images();
  const int index = Action.ImageIndex();
  if (!images || index < 0 || index >= images->Count()) return;
  Glyph.SetSize(images->Width(), images->Height());
  TCanvas& canvas = *Glyph.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clFuchsia);
  canvas.FillRect(Rect(0, 0, Glyph.Width(), Glyph.Height()));
  images->Draw(canvas, 0, 0, index, true);
}

// ---------------------------------------------------------------------------------------------
// TskSkinButton

TskSkinButton::TskSkinButton(TComponent* AOwner) : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FSkinDataName = "button";
  TskSkinCustomControl::SetBounds(Left(), Top(), 75, 25);
}

TskSkinButton::~TskSkinButton() {
  FMorphingTimer.Stop();
  FAutoRepeatTimer.Stop();
  FAnimationTimer.Stop();
}

void TskSkinButton::SetDefault(bool Value) {
  FDefault = Value;
  if (!HandleAllocated() || !FCanFocused || Designing(*this)) return;
  if (TForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(TWinControl::FindControl(GetFocus())));
}

void TskSkinButton::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

void TskSkinButton::SetDown(bool Value) {
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

void TskSkinButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  if (Value != 0) SetCanFocused(false);
  Repaint();
}

void TskSkinButton::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Repaint();
}

void TskSkinButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Repaint();
}

void TskSkinButton::SetMargin(int Value) {
  if (Value < -1 || Value == FMargin) return;
  FMargin = Value;
  Repaint();
}

void TskSkinButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Repaint();
}

void TskSkinButton::SetLayout(TskButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Repaint();
}

bool TskSkinButton::IsFocused() { return FCanFocused && HandleAllocated() && GetFocus() == Handle(); }

bool TskSkinButton::EnableMorphing() const {
  return FMorphing && FSkinData && !FSkinData->Empty && FSkinData->EnableSkinEffects;
}

bool TskSkinButton::EnableAnimation() const { return FSkinData && !FSkinData->Empty && FSkinData->EnableSkinEffects; }

void TskSkinButton::ButtonClick() {
  if (FCanFocused)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  // The class library's rule: the button's own OnClick, or else its action.
  TskSkinCustomControl::Click();
}

// With an action the button clicks through ButtonClick alone, so that the action never runs twice.
void TskSkinButton::Click() {
  if (!ActionLink()) TskSkinCustomControl::Click();
}

void TskSkinButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TskSkinCustomControl::ActionChange(Sender, CheckDefaults);
  const auto* action = dynamic_cast<const TCustomAction*>(Sender);
  if (!action) return;
  CopyActionImage(*action, *FGlyph);
  Repaint();
}

void TskSkinButton::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) {
    FMorphing = false;
    FAnimateSkinRect = NullRect();
    return;
  }
  const auto* data = dynamic_cast<const TskDataSkinButtonControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (data) {
    // A stretched button has no window region.
    if (!FUseSkinSize && data->MaskPictureIndex != -1) SkinMaskPicture = nullptr;
    FFontName = data->FontName;
    FFontColor = data->FontColor;
    FActiveFontColor = data->ActiveFontColor;
    FDownFontColor = data->DownFontColor;
    FFontStyle = data->FontStyle;
    FFontHeight = data->FontHeight;
    FActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? SkinRect : data->ActiveSkinRect;
    FDownSkinRect = IsNullRect(data->DownSkinRect) ? FActiveSkinRect : data->DownSkinRect;
    FMorphing = data->Morphing;
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

TRect TskSkinButton::GetAnimationFrameRect() const {
  const int column = FFrameCount > 0 ? RectWidth(FAnimateSkinRect) / FFrameCount : 0;
  const int left = FAnimateSkinRect.left + (FShownFrame - 1) * column;
  return Rect(left, FAnimateSkinRect.top, left + column, FAnimateSkinRect.bottom);
}

void TskSkinButton::ChangeSkinData() {
  StopAnimate();
  StopMorph();
  TskSkinCustomControl::ChangeSkinData();
  if (EnableMorphing() && FSkinControlIndex != -1 && (IsFocused() || FHovered)) FMorphKf = 1;
}

void TskSkinButton::CalcSize(int& W, int& H) {
  if (FUseSkinSize || SkinResizeMode == 1) TskSkinCustomControl::CalcSize(W, H);
}

int TskSkinButton::GlyphNumber(bool ADown, bool AHot) const {
  if (ADown && AHot && FNumGlyphs > 2) return 3;
  if (AHot && FNumGlyphs > 3) return 4;
  if (!Enabled() && FNumGlyphs > 1) return 2;
  return 1;
}

void TskSkinButton::PrepareFont(TCanvas& Canvas, bool ADown, bool AHot) {
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
  if (!Enabled())
    font.SetColor(FDisabledFontColor);
  else if (ADown && AHot)
    font.SetColor(FDownFontColor);
  else if (AHot)
    font.SetColor(FActiveFontColor);
  else
    font.SetColor(FFontColor);
}

void TskSkinButton::CreateStrechButtonImage(TBitmap& B, const TRect& R, TRect& LayoutRect) {
  if (SkinBitmap && !SkinBitmap->Empty()) {
    if (SkinResizeMode == 0)
      B.Canvas()->CopyRect(Rect(0, 0, B.Width(), B.Height()), *SkinBitmap->Canvas(), R);
    else if (SkinResizeMode == 2 || SkinResizeMode == 3)
      CreateStrechImage(B, *SkinBitmap, R, SkinClientRect);
  }
  LayoutRect = SkinClientRect;
  LayoutRect.right += B.Width() - RectWidth(R);
  LayoutRect.bottom += B.Height() - RectHeight(R);
}

void TskSkinButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AHot) {
  TRect layout;
  if (!FUseSkinSize && SkinResizeMode != 1) {
    CreateStrechButtonImage(B, R, layout);
  } else {
    CreateSkinControlImage(B, SkinBitmap, R);
    layout = RealClientRect;
  }
  PrepareFont(*B.Canvas(), ADown, AHot);
  DrawGlyphAndText(*B.Canvas(), layout, FMargin, FSpacing, FLayout, Caption(), *FGlyph, FNumGlyphs,
                   GlyphNumber(ADown, AHot), ADown && AHot);
}

bool TskSkinButton::PressedLook() { return FDown && (FGroupIndex != 0 || FHovered || (IsFocused() && !FPressed)); }

void TskSkinButton::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  if (!Enabled()) canvas.Font()->SetColor(clBtnShadow);
  const bool pressed = PressedLook();
  const TRect r = ClientRect();
  TColor frame = clBtnShadow, face = clBtnFace;
  if (pressed) {
    frame = clNavy;
    face = 0xB59385;
  } else if (FHovered || IsFocused()) {
    frame = clNavy;
    face = 0xD2BDB6;
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(frame);
  canvas.FrameRect(r);
  canvas.Brush()->SetColor(face);
  canvas.FillRect(Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
  DrawGlyphAndText(canvas, r, FMargin, FSpacing, FLayout, Caption(), *FGlyph, FNumGlyphs, 1, pressed);
}

void TskSkinButton::Paint() {
  GetSkinData();
  if (FSkinControlIndex == -1) {
    TskSkinCustomControl::Paint();
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
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
  } else if (IsFocused() || FHovered || (EnableMorphing() && FMorphKf == 1)) {
    CreateButtonImage(image, FActiveSkinRect, false, true);
  } else {
    CreateButtonImage(image, SkinRect, false, false);
  }
  DrawControlImage(image);
}

void TskSkinButton::CreateWnd() {
  TskSkinCustomControl::CreateWnd();
  FActive = FDefault;
}

// ---------------------------------------------------------------------------------------------
// Timers

void TskSkinButton::StartMorph() { FMorphingTimer.Start(20, [this] { DoMorph(); }); }

void TskSkinButton::StopMorph() { FMorphingTimer.Stop(); }

void TskSkinButton::DoMorph() {
  const bool hot = FHovered || IsFocused();
  if (FSkinControlIndex == -1 || !EnableMorphing()) {
    FMorphKf = hot ? 1 : 0;
    StopMorph();
    return;
  }
  if (!StepMorph(FMorphKf, hot)) StopMorph();
  Repaint();
}

void TskSkinButton::StartAnimate(bool Forward) {
  if (FSkinControlIndex == -1 || !EnableAnimation() || IsNullRect(FAnimateSkinRect) || FFrameCount <= 0) return;
  StopAnimate();
  FAnimatingForward = Forward;
  FShownFrame = Forward ? 1 : FFrameCount;
  FAnimationTimer.Start(static_cast<unsigned>(std::max(FAnimateInterval, 1)), [this] { DoAnimate(); });
}

void TskSkinButton::StopAnimate() {
  FShownFrame = 0;
  FAnimationTimer.Stop();
}

void TskSkinButton::DoAnimate() {
  bool changed = false;
  const bool running = StepAnimation(FShownFrame, FFrameCount, FAnimatingForward, changed);
  if (changed) Repaint();
  if (!running) StopAnimate();
}

void TskSkinButton::StartRepeat() {
  FAutoRepeatTimer.Stop();
  FAutoRepeatTimer.Start(static_cast<unsigned>(std::max(FRepeatInterval, 1)), [this] { RepeatTimerProc(); });
}

void TskSkinButton::StopRepeat() { FAutoRepeatTimer.Stop(); }

void TskSkinButton::ReDrawControl() {
  if (EnableMorphing() && FSkinControlIndex != -1)
    StartMorph();
  else
    Repaint();
}

void TskSkinButton::DoAllUp() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TskSkinButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) other->SetDown(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  // The release must come back here even when it happens outside.
  if (HandleAllocated()) SetCapture(Handle());
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

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != TMouseButton::mbLeft) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    return;
  }
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
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
  if (HandleAllocated() && Visible()) TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  // While the button holds the mouse, the system reports no leave: follow the pointer here.
  if (!FPressed) return;
  const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (inside && !FHovered)
    MouseEntered();
  else if (!inside && FHovered)
    MouseLeft();
}

void TskSkinButton::MouseEntered() {
  FHovered = true;
  const bool redraw = (FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && !(IsFocused() && !FDown));
  if (redraw) {
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

void TskSkinButton::MouseLeft() {
  // An active default button stays hot while another kind of control has the focus.
  if (!(FCanFocused && FDefault && FActive && !Focused())) FHovered = false;
  const bool redraw = (FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && !(IsFocused() && !FDown));
  if (redraw) {
    StartAnimate(false);
    ReDrawControl();
  }
  if (FDown && FRepeatMode && FAutoRepeatTimer.Running() && FGroupIndex == 0) StopRepeat();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinButton::WndProc(TMessage& Message) {
  if (FCanFocused) {
    switch (Message.Msg) {
      case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
          SetDown(true);
          if (FRepeatMode) ButtonClick();
        } else if (Message.WParam == VK_RETURN) {
          ButtonClick();
        }
        break;
      case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
          SetDown(false);
          ButtonClick();
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (!Designing(*this) && !Focused()) {
          FTakingFocus = true;
          ::SetFocus(Handle());
          FTakingFocus = false;
          if (GetFocus() != Handle()) return;
        }
        break;
      case CN_COMMAND:
        if (FTakingFocus) return;
        break;
    }
  }
  TskSkinCustomControl::WndProc(Message);
}

void TskSkinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      if (FCanFocused) {
        StartAnimate(true);
        ReDrawControl();
      }
      return;
    case WM_KILLFOCUS:
      if (FRepeatMode) StopRepeat();
      if (FGroupIndex == 0 && FDown) FDown = false;
      TskSkinCustomControl::Dispatch(Message);
      if (FCanFocused) {
        StartAnimate(false);
        ReDrawControl();
      }
      return;
    case WM_ERASEBKGND:
      if (!FInWMPaint && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case CM_WANTSPECIALKEY:
      // Enter on a focused button is its own click; the form must not click the default button too.
      if (FCanFocused && Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_RETURN && FActive && Enabled()) {
        ButtonClick();
        Message.Result = 1;
        return;
      }
      if (Message.WParam == VK_ESCAPE && FCancel && FCanFocused && NoShiftKeys() && CanFocus()) {
        ButtonClick();
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (IsCaptionAccelerator(Message.WParam, Caption()) && CanFocus() && FCanFocused) {
        SetFocus();
        ButtonClick();
        Message.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED: {
      auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
      const bool senderIsButton = dynamic_cast<TskSkinButton*>(sender) != nullptr;
      FActive = senderIsButton ? sender == this : FDefault;
      if (FCanFocused && FDefault) {
        if (senderIsButton) {
          FHovered = false;
          ReDrawControl();
        } else {
          FHovered = true;
          if (EnableMorphing()) FMorphKf = 1;
          Repaint();
        }
      }
      break;
    }
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (EnableMorphing()) {
        StopMorph();
        FMorphKf = 0;
      }
      FHovered = false;
      Repaint();
      return;
    case CM_TEXTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (FSkinControlIndex != -1 || Designing(*this) || FDrawDefault) Repaint();
      return;
    case CM_MOUSEENTER:
      TskSkinCustomControl::Dispatch(Message);
      if (!Designing(*this)) MouseEntered();
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      if (!Designing(*this)) MouseLeft();
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
