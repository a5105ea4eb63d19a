#include "skin/controls/SkinCheckRadioBox.h"

#include "skin/controls/SkinSteps.h"
#include "platform/classlib/ActnList.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

TRect Centred(const TRect& Area, int W, int H) {
  const int left = Area.left + RectWidth(Area) / 2 - W / 2;
  const int top = Area.top + RectHeight(Area) / 2 - H / 2;
  return Rect(left, top, left + W, top + H);
}

}  // namespace

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "checkbox";
  TskSkinCustomControl::SetBounds(Left(), Top(), 150, 25);
}

TskSkinCheckRadioBox::~TskSkinCheckRadioBox() { FMorphingTimer.Stop(); }

void TskSkinCheckRadioBox::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value) {
  FImageIndex = Value;
  Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value) {
  FFlat = Value;
  Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

void TskSkinCheckRadioBox::SetRadio(bool Value) {
  FRadio = Value;
  if ((FSkinControlIndex == -1 && FDrawDefault) || Designing(*this)) Repaint();
  if (Designing(*this) && !ComponentState().Contains(TComponentStateItem::csLoading)) {
    FSkinDataName = Value ? "radiobox" : "checkbox";
    FGroupIndex = Value ? 1 : 0;
  }
}

void TskSkinCheckRadioBox::SetChecked(bool Value) {
  FChecked = Value;
  Repaint();
  if (FChecked && FGroupIndex != 0) UnCheckAll();
  if (OnClick && (!FRadio || FChecked)) OnClick(this);
}

void TskSkinCheckRadioBox::ActionChange(TObject* Sender, bool CheckDefaults) {
  TskSkinCustomControl::ActionChange(Sender, CheckDefaults);
  const auto* action = dynamic_cast<const TCustomAction*>(Sender);
  // Taken only when it differs: every change of the action (its caption too) comes here, and
  // SetChecked fires OnClick on each call.
  if (action && (!CheckDefaults || !FChecked) && action->Checked() != FChecked) SetChecked(action->Checked());
}

void TskSkinCheckRadioBox::UnCheckAll() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TskSkinCheckRadioBox*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FChecked) other->SetChecked(false);
  }
}

void TskSkinCheckRadioBox::SetCheckState() {
  if (!FRadio)
    SetChecked(!FChecked);
  else if (!FChecked)
    SetChecked(true);
}

bool TskSkinCheckRadioBox::IsFocused() { return FCanFocused && HandleAllocated() && GetFocus() == Handle(); }

bool TskSkinCheckRadioBox::EnableMorphing() const {
  return FMorphing && FSkinData && !FSkinData->Empty && FSkinData->EnableSkinEffects;
}

void TskSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) SetImages(nullptr);
}

void TskSkinCheckRadioBox::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) {
    FMorphing = false;
    FMorphKf = 0;
    return;
  }
  const auto* data = dynamic_cast<const TskDataSkinCheckRadioControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FFontName = data->FontName;
  FFontStyle = data->FontStyle;
  FFontHeight = data->FontHeight;
  FFontColor = data->FontColor;
  FActiveFontColor = data->ActiveFontColor;
  FFrameFontColor = data->FrameFontColor;
  FUnEnabledFontColor = data->UnEnabledFontColor;
  FActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? SkinRect : data->ActiveSkinRect;
  FCheckImageArea = data->CheckImageArea;
  FTextArea = data->TextArea;
  FCheckImageRect = data->CheckImageRect;
  FUnCheckImageRect = data->UnCheckImageRect;
  FActiveCheckImageRect = IsNullRect(data->ActiveCheckImageRect) ? FCheckImageRect : data->ActiveCheckImageRect;
  FUnEnabledCheckImageRect = IsNullRect(data->UnEnabledCheckImageRect) ? FCheckImageRect : data->UnEnabledCheckImageRect;
  FActiveUnCheckImageRect = IsNullRect(data->ActiveUnCheckImageRect) ? FUnCheckImageRect : data->ActiveUnCheckImageRect;
  FUnEnabledUnCheckImageRect =
      IsNullRect(data->UnEnabledUnCheckImageRect) ? FUnCheckImageRect : data->UnEnabledUnCheckImageRect;
  FMorphing = data->Morphing;
  FMorphKind = data->MorphKind;
  if (FFlat) {
    FMorphing = false;
    SkinMaskPicture = nullptr;
  }
}

void TskSkinCheckRadioBox::CalcSize(int& W, int& H) {
  if (FFlat) return;
  TskSkinCustomControl::CalcSize(W, H);
  const int dx = W - RectWidth(SkinRect);
  FLaidOutTextArea = FTextArea;
  FLaidOutTextArea.right += dx;
  TRect area = FCheckImageArea;
  if (FTextArea.right < FCheckImageArea.right) {
    area.left += dx;
    area.right += dx;
  }
  FLaidOutCheckRect = Centred(area, RectWidth(FCheckImageRect), RectHeight(FCheckImageRect));
}

void TskSkinCheckRadioBox::ChangeSkinData() {
  if (FFlat) {
    GetSkinData();
    Repaint();
    return;
  }
  StopMorph();
  TskSkinCustomControl::ChangeSkinData();
  if (EnableMorphing() && FSkinControlIndex != -1 && (IsFocused() || FHovered)) FMorphKf = 1;
}

TRect TskSkinCheckRadioBox::CheckPicture() const {
  if (!Enabled()) return FChecked ? FUnEnabledCheckImageRect : FUnEnabledUnCheckImageRect;
  if (FHovered) return FChecked ? FActiveCheckImageRect : FActiveUnCheckImageRect;
  return FChecked ? FCheckImageRect : FUnCheckImageRect;
}

void TskSkinCheckRadioBox::SkinDrawCheckImage(int X, int Y, TCanvas& Canvas, const TRect& R) {
  if (!SkinBitmap || SkinBitmap->Empty() || IsNullRect(R)) return;
  TBitmap piece;
  piece.SetPixelFormat(TPixelFormat::pf24bit);
  piece.SetSize(RectWidth(R), RectHeight(R));
  piece.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), *SkinBitmap->Canvas(), R);
  DrawGlyph(Canvas, X, Y, piece, 1, 1);
}

void TskSkinCheckRadioBox::PrepareSkinFont(TCanvas& Canvas) {
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
}

void TskSkinCheckRadioBox::CreateImage(TBitmap& B, const TRect& R, bool Active) {
  CreateSkinControlImage(B, SkinBitmap, R);
  SkinDrawCheckImage(FLaidOutCheckRect.left,
                     FLaidOutCheckRect.top + RectHeight(FLaidOutCheckRect) / 2 - RectHeight(FCheckImageRect) / 2,
                     *B.Canvas(), CheckPicture());
  TCanvas& canvas = *B.Canvas();
  PrepareSkinFont(canvas);
  canvas.Font()->SetColor(!Enabled() ? FUnEnabledFontColor : Active ? FActiveFontColor : FFontColor);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText(canvas, Caption(), FLaidOutTextArea);
}

void TskSkinCheckRadioBox::DrawDefaultBox(TCanvas& Canvas) {
  const int middle = Height() / 2;
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(FHovered ? clNavy : clBtnShadow);
  Canvas.FrameRect(Rect(3, middle - 7, 17, middle + 7));
  if (!FChecked) return;
  const TColor tick = Enabled() ? clBlack : clBtnShadow;
  if (FRadio)
    DrawRadioImage(Canvas, 7, middle - 3, tick);
  else
    DrawCheckImage(Canvas, 7, middle - 4, tick);
}

void TskSkinCheckRadioBox::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  if (IsFocused() || FHovered) {
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FrameRect(ClientRect());
  }
  canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  if (!Enabled()) canvas.Font()->SetColor(clBtnShadow);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText(canvas, Caption(), Rect(19, 0, Width(), Height()));
  DrawDefaultBox(canvas);
}

void TskSkinCheckRadioBox::PaintFlat() {
  TBitmap image;
  image.SetSize(Width(), Height());
  TCanvas& canvas = *image.Canvas();
  GetParentImage(this, canvas);
  const int middle = Height() / 2;
  TRect text = Rect(0, 0, 0, 0);
  if (FSkinControlIndex != -1) {
    SkinDrawCheckImage(3, middle - RectHeight(FCheckImageRect) / 2, canvas, CheckPicture());
    PrepareSkinFont(canvas);
    DrawControlText(canvas.Handle(), *canvas.Font(), Caption(), text, DT_CALCRECT);
    const int th = RectHeight(text), tw = RectWidth(text);
    text = Rect(RectWidth(FCheckImageRect) + 7, middle - th / 2, RectWidth(FCheckImageRect) + 7 + tw, middle - th / 2 + th);
    canvas.Font()->SetColor(Enabled() ? FFrameFontColor : FUnEnabledFontColor);
  } else {
    canvas.Font()->Assign(*FDefaultFont);
    if (FSkinData && FSkinData->ResourceStrData()) canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
    DrawControlText(canvas.Handle(), *canvas.Font(), Caption(), text, DT_CALCRECT);
    const int th = RectHeight(text), tw = RectWidth(text);
    text = Rect(22, middle - th / 2, 22 + tw, middle - th / 2 + th);
    if (!Enabled()) canvas.Font()->SetColor(clBtnShadow);
  }
  text.right = std::min<LONG>(text.right, Width() - 2);
  const bool image_shown = FImages && FImageIndex >= 0 && FImageIndex < FImages->Count();
  TRect imageRect{};
  if (image_shown) {
    imageRect = Rect(text.left, middle - FImages->Height() / 2, text.left + FImages->Width(),
                     middle - FImages->Height() / 2 + FImages->Height());
    FImages->Draw(canvas, imageRect.left, imageRect.top, FImageIndex, Enabled());
    text.left += FImages->Width() + 5;
    text.right += FImages->Width() + 5;
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText(canvas, Caption(), text);
  if (FSkinControlIndex == -1) DrawDefaultBox(canvas);
  text = Rect(text.left - 2, text.top - 1, text.right + 3, text.bottom + 1);
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  if (FSkinControlIndex == -1) canvas.Brush()->SetColor(clBtnFace);
  if (IsFocused()) {
    if (!Caption().empty())
      canvas.DrawFocusRect(text);
    else if (image_shown)
      canvas.DrawFocusRect(Rect(imageRect.left - 1, imageRect.top - 1, imageRect.right + 1, imageRect.bottom + 1));
  }
  BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

void TskSkinCheckRadioBox::Paint() {
  GetSkinData();
  if (Width() <= 0 || Height() <= 0) return;
  if (FFlat) {
    PaintFlat();
    return;
  }
  if (FSkinControlIndex == -1) {
    TskSkinCustomControl::Paint();
    return;
  }
  TBitmap image;
  image.SetSize(Width(), Height());
  if (EnableMorphing() && FMorphKf != 0 && FMorphKf != 1) {
    CreateImage(image, SkinRect, false);
    TBitmap active;
    active.SetSize(Width(), Height());
    CreateImage(active, FActiveSkinRect, true);
    FMorphBuffers.Mix(image, active, FMorphKind, FMorphKf);
  } else if (FHovered || IsFocused()) {
    CreateImage(image, FActiveSkinRect, true);
  } else {
    CreateImage(image, SkinRect, false);
  }
  DrawControlImage(image);
}

void TskSkinCheckRadioBox::ReDrawControl() {
  if (EnableMorphing() && FSkinControlIndex != -1)
    StartMorph();
  else
    Invalidate();
}

void TskSkinCheckRadioBox::StartMorph() { FMorphingTimer.Start(20, [this] { DoMorph(); }); }

void TskSkinCheckRadioBox::StopMorph() { FMorphingTimer.Stop(); }

void TskSkinCheckRadioBox::DoMorph() {
  const bool hot = FHovered || IsFocused();
  if (FSkinControlIndex == -1 || !EnableMorphing()) {
    FMorphKf = hot ? 1 : 0;
    StopMorph();
    return;
  }
  if (!StepMorph(FMorphKf, hot)) StopMorph();
  Repaint();
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FHovered) {
    FHovered = true;
    ReDrawControl();
  }
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && FHovered) SetCheckState();
}

void TskSkinCheckRadioBox::WndProc(TMessage& Message) {
  if (FCanFocused) {
    switch (Message.Msg) {
      case WM_KEYUP:
        if (Message.WParam == VK_SPACE && IsFocused()) SetCheckState();
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

void TskSkinCheckRadioBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      if (FCanFocused) ReDrawControl();
      return;
    case WM_ERASEBKGND:
      if (!FInWMPaint && !FFlat && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_MOVE:
      TskSkinCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (IsCaptionAccelerator(Message.WParam, Caption()) && CanFocus() && FCanFocused) {
        SetFocus();
        SetCheckState();
        Message.Result = 1;
        return;
      }
      break;
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
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      if (!Designing(*this)) {
        FHovered = Message.Msg == CM_MOUSEENTER;
        ReDrawControl();
      }
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
