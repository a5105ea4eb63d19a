#include "skin/controls/SkinTrackBar.h"

#include "skin/controls/SkinValues.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

// The default look's button faces: pressed for a drag, and focused.
constexpr TColor DraggedButtonFace = 0xB59385;
constexpr TColor FocusedButtonFace = 0xD2BDB6;

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

void FillFramed(TCanvas& Canvas, const TRect& R, TColor Face, TColor Frame) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Face);
  Canvas.FillRect(R);
  Canvas.Brush()->SetColor(Frame);
  Canvas.FrameRect(R);
}

}  // namespace

TskSkinTrackBar::TskSkinTrackBar(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "htrackbar";
  TskSkinCustomControl::SetBounds(Left(), Top(), 100, 20);
}

bool TskSkinTrackBar::Loading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

// While a form is read its bounds may come after the value; Loaded brings the value inside them.
void TskSkinTrackBar::SetValue(int Value) {
  if (Loading()) {
    FValue = Value;
    return;
  }
  Value = ClampValue(Value, FMinValue, FMaxValue);
  if (Value == FValue) return;
  FValue = Value;
  Repaint();
  if (OnChange) OnChange(this);
}

void TskSkinTrackBar::SetMinValue(int Value) {
  FMinValue = Value;
  if (Loading()) return;
  if (FValue < FMinValue) FValue = FMinValue;
  Repaint();
}

void TskSkinTrackBar::SetMaxValue(int Value) {
  FMaxValue = Value;
  if (Loading()) return;
  if (FValue > FMaxValue) FValue = FMaxValue;
  Repaint();
}

void TskSkinTrackBar::Loaded() {
  TskSkinCustomControl::Loaded();
  FValue = ClampValue(FValue, FMinValue, FMaxValue);
}

void TskSkinTrackBar::SetVertical(bool Value) {
  FVertical = Value;
  Repaint();
  if (Designing(*this) && !Loading()) FSkinDataName = Value ? "trackbar" : "htrackbar";
}

void TskSkinTrackBar::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

bool TskSkinTrackBar::IsFocused() { return FCanFocused && HandleAllocated() && GetFocus() == Handle(); }

// The description decides the orientation at run time.
void TskSkinTrackBar::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinTrackBarControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FVertical = data->Vertical;
  FButtonRect = data->ButtonRect;
  FActiveButtonRect = IsNullRect(data->ActiveButtonRect) ? data->ButtonRect : data->ActiveButtonRect;
  FTrackArea = data->TrackArea;
  FButtonTransparent = data->ButtonTransparent;
  FButtonTransparentColor = data->ButtonTransparentColor;
}

void TskSkinTrackBar::CalcSize(int& W, int& H) {
  TskSkinCustomControl::CalcSize(W, H);
  FTrackRect = FTrackArea;
  if (SkinResizeMode <= 0) return;
  if (FVertical)
    FTrackRect.bottom += H - RectHeight(SkinRect);
  else
    FTrackRect.right += W - RectWidth(SkinRect);
}

TRect TskSkinTrackBar::CurrentTrack() const {
  return FSkinControlIndex != -1 ? FTrackRect : Rect(2, 2, Width() - 2, Height() - 2);
}

TSize TskSkinTrackBar::ButtonSize() const {
  if (FSkinControlIndex != -1) return TSize{RectWidth(FButtonRect), RectHeight(FButtonRect)};
  if (FVertical) return TSize{Width() - 4, (Width() - 4) / 2};
  return TSize{(Height() - 4) / 2, Height() - 4};
}

TRect TskSkinTrackBar::CalcButtonRect(const TRect& Track) {
  const TSize size = ButtonSize();
  const int bw = size.cx, bh = size.cy;
  const std::int64_t part = static_cast<std::int64_t>(FValue) - FMinValue;
  const std::int64_t whole = static_cast<std::int64_t>(FMaxValue) - FMinValue;
  if (FVertical) {
    FButtonTravelStart = Track.top + bh / 2;
    FButtonTravelEnd = Track.bottom - bh / 2;
    FButtonShift = ScaleRounded(FButtonTravelEnd - FButtonTravelStart, part, whole);
    const int top = FButtonTravelEnd - FButtonShift - bh / 2;
    const int left = Track.left + RectWidth(Track) / 2 - bw / 2;
    FButtonBounds = Rect(left, top, left + bw, top + bh);
  } else {
    FButtonTravelStart = Track.left + bw / 2;
    FButtonTravelEnd = Track.right - bw / 2;
    FButtonShift = ScaleRounded(FButtonTravelEnd - FButtonTravelStart, part, whole);
    const int left = FButtonTravelStart + FButtonShift - bw / 2;
    const int top = Track.top + RectHeight(Track) / 2 - bh / 2;
    FButtonBounds = Rect(left, top, left + bw, top + bh);
  }
  return FButtonBounds;
}

int TskSkinTrackBar::CalcValue(int Offset) const {
  const int travel = FButtonTravelEnd - FButtonTravelStart;
  if (travel <= 0) return FMinValue;
  const int clamped = ClampValue(Offset, 0, travel);
  return FMinValue + ScaleRounded(static_cast<std::int64_t>(FMaxValue) - FMinValue, clamped, travel);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinTrackBar::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetColor(clBtnShadow);
  canvas.FrameRect(ClientRect());
  RECT groove = FVertical ? Rect(Width() / 2 - 1, 4, Width() / 2 + 1, Height() - 4)
                          : Rect(4, Height() / 2 - 1, Width() - 4, Height() / 2 + 1);
  // A one-pixel sunken edge: shadow at the top and left, highlight at the bottom and right.
  DrawEdge(canvas.Handle(), &groove, BDR_SUNKENOUTER, BF_RECT);
  const TRect button = CalcButtonRect(CurrentTrack());
  if (FButtonDragging)
    FillFramed(canvas, button, DraggedButtonFace, clNavy);
  else if (IsFocused())
    FillFramed(canvas, button, FocusedButtonFace, clNavy);
  else
    FillFramed(canvas, button, clBtnFace, clBtnShadow);
}

void TskSkinTrackBar::CreateControlSkinImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlSkinImage(B);
  const TRect button = CalcButtonRect(FTrackRect);
  if (!SkinBitmap || SkinBitmap->Empty() || IsNullRect(button)) return;
  const int bw = RectWidth(button), bh = RectHeight(button);
  TBitmap piece;
  piece.SetPixelFormat(TPixelFormat::pf24bit);
  piece.SetSize(bw, bh);
  const TRect source = FButtonDragging || IsFocused() ? FActiveButtonRect : FButtonRect;
  piece.Canvas()->CopyRect(Rect(0, 0, bw, bh), *SkinBitmap->Canvas(), source);
  if (FAlphaBlend && !FButtonTransparent) {
    TBitmap under;
    under.SetPixelFormat(TPixelFormat::pf24bit);
    under.SetSize(bw, bh);
    under.Canvas()->CopyRect(Rect(0, 0, bw, bh), *B.Canvas(), button);
    TskEffectBmp blended(piece.Handle());
    blended.Morph(TskEffectBmp(under.Handle()), 1.0 - FAlphaBlendValue / 255.0);
    blended.Draw(B.Canvas()->Handle(), button.left, button.top);
    return;
  }
  if (FButtonTransparent) {
    piece.SetTransparentColor(FButtonTransparentColor);
    piece.SetTransparent(true);
  }
  B.Canvas()->Draw(button.left, button.top, &piece);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

void TskSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (!FMouseSupport) return;
  // Laid out afresh: a value set since the last paint has moved the button.
  TRect hit = CalcButtonRect(CurrentTrack());
  hit.right += 1;
  hit.bottom += 1;
  if (!PtInRect(&hit, POINT{X, Y})) return;
  FDragAnchor = FVertical ? Y : X;
  FDragStartShift = FButtonShift;
  FButtonDragging = true;
  // The drag goes on while the pointer is outside the bar.
  if (HandleAllocated()) SetCapture(FHandle);
  Repaint();
  if (OnStartDragButton) OnStartDragButton(this);
}

void TskSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  if (FMouseSupport && FButtonDragging)
    SetValue(CalcValue(FVertical ? FDragAnchor + FDragStartShift - Y : X + FDragStartShift - FDragAnchor));
  TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FMouseSupport) return;
  if (FButtonDragging) {
    EndDrag();
    return;
  }
  if (!FJumpWhenClick) return;
  const TSize size = ButtonSize();
  CalcButtonRect(CurrentTrack());
  const int start = FSkinControlIndex != -1 ? (FVertical ? FTrackRect.top : FTrackRect.left) : 2;
  SetValue(CalcValue(FVertical ? Height() - Y - size.cy / 2 - start : X - size.cx / 2 - start));
}

// A drag ends at the release, or when another window takes the capture (a menu, a message box):
// the release would then never reach the bar.
void TskSkinTrackBar::EndDrag() {
  if (!FButtonDragging) return;
  FButtonDragging = false;
  if (HandleAllocated() && GetCapture() == FHandle) ReleaseCapture();
  Repaint();
  LastChange();
}

void TskSkinTrackBar::LastChange() {
  if (OnLastChange) OnLastChange(this);
}

void TskSkinTrackBar::StepValue(int Delta) {
  SetValue(FValue + Delta);
  LastChange();
}

void TskSkinTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomControl::KeyDown(Key, Shift);
  if (!FCanFocused) return;
  switch (Key) {
    case VK_LEFT:
    case VK_DOWN:
      StepValue(-1);
      break;
    case VK_UP:
    case VK_RIGHT:
      StepValue(1);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinTrackBar::WndProc(TMessage& Message) {
  if (FCanFocused) {
    switch (Message.Msg) {
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

void TskSkinTrackBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (!FInWMPaint && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      Repaint();
      return;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(Message.LParam) != FHandle) EndDrag();
      break;
    case WM_MOUSEWHEEL:
      if (FCanFocused && IsFocused()) {
        const bool up = GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0;
        StepValue(FVertical == up ? 1 : -1);
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      TskSkinCustomControl::Dispatch(Message);
      if (FCanFocused && Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) Message.Result = 1;
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
