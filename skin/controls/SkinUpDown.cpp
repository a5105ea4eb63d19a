#include "skin/controls/SkinUpDown.h"

#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

// The default look of the small arrow buttons (0x00BBGGRR).
constexpr TColor PressedFace = static_cast<TColor>(0xB59385);
constexpr TColor HotFace = static_cast<TColor>(0xD2BDB6);

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

bool Loading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

}  // namespace

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "hupdown";
  TskSkinCustomControl::SetBounds(Left(), Top(), 25, 50);
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value) {
  FOrientation = Value;
  if (Designing(*this) && !Loading(*this))
    FSkinDataName = Value == TUDOrientation::udVertical ? "vupdown" : "hupdown";
  Repaint();
}

void TskSkinUpDown::SetPosition(int Value) {
  if (Value > FMax || Value < FMin) return;
  FPosition = Value;
  if (!Designing(*this) && OnChange) OnChange(this);
}

void TskSkinUpDown::SetMin(int Value) {
  FMin = Value;
  if (FPosition < FMin) FPosition = FMin;
}

void TskSkinUpDown::SetMax(int Value) {
  FMax = Value;
  if (FPosition > FMax) FPosition = FMax;
}

void TskSkinUpDown::CalcRects() {
  if (FSkinControlIndex != -1 && FDescribed && FUseSkinSize) {
    FArrowButtons[0].Rect = FUpButtonRect;
    FArrowButtons[1].Rect = FDownButtonRect;
  } else if (FOrientation == TUDOrientation::udVertical) {
    FArrowButtons[0].Rect = Rect(0, 0, Width(), Height() / 2);
    FArrowButtons[1].Rect = Rect(0, Height() / 2, Width(), Height());
  } else {
    // Decrease on the left, increase on the right.
    FArrowButtons[1].Rect = Rect(0, 0, Width() / 2, Height());
    FArrowButtons[0].Rect = Rect(Width() / 2, 0, Width(), Height());
  }
}

void TskSkinUpDown::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  FDescribed = false;
  if (FSkinControlIndex != -1) {
    if (const auto* data = dynamic_cast<const TskDataSkinUpDownControl*>(
            FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get())) {
      FDescribed = true;
      FUpButtonRect = data->UpButtonRect;
      FActiveUpButtonRect = data->ActiveUpButtonRect;
      FDownUpButtonRect = IsNullRect(data->DownUpButtonRect) ? data->ActiveUpButtonRect : data->DownUpButtonRect;
      FDownButtonRect = data->DownButtonRect;
      FActiveDownButtonRect = data->ActiveDownButtonRect;
      FDownDownButtonRect =
          IsNullRect(data->DownDownButtonRect) ? data->ActiveDownButtonRect : data->DownDownButtonRect;
    }
  }
  CalcRects();
}

void TskSkinUpDown::CalcSize(int& W, int& H) {
  if (FUseSkinSize) TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinUpDown::SetControlRegion() {
  if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

int TskSkinUpDown::ArrowCode(int I) const {
  if (FOrientation == TUDOrientation::udVertical) return I == 0 ? 3 : 4;
  return I == 0 ? 2 : 1;
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap& B) {
  CalcRects();
  TCanvas& canvas = *B.Canvas();
  for (int i = 0; i < 2; ++i) {
    const TArrowButton& button = FArrowButtons[i];
    TRect r = button.Rect;
    TColor frame = clBtnShadow, face = clBtnFace;
    if (button.Pressed && button.Hot) {
      frame = clNavy;
      face = PressedFace;
    } else if (button.Hot) {
      frame = clNavy;
      face = HotFace;
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(frame);
    canvas.FrameRect(r);
    InflateRect(&r, -1, -1);
    canvas.Brush()->SetColor(face);
    canvas.FillRect(r);
    DrawArrowImage(canvas, button.Rect, clBlack, ArrowCode(i));
  }
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap& B) {
  if (!FUseSkinSize) {
    for (int i = 0; i < 2; ++i)
      DrawResizeArrowButton(*B.Canvas(), *FSkinData, FArrowButtons[i].Rect, FArrowButtons[i].Hot,
                            FArrowButtons[i].Pressed, ArrowCode(i));
    return;
  }
  TskSkinCustomControl::CreateControlSkinImage(B);
  if (!SkinBitmap || SkinBitmap->Empty()) return;
  for (int i = 0; i < 2; ++i) {
    const TArrowButton& button = FArrowButtons[i];
    TRect source{};
    if (button.Pressed && button.Hot)
      source = i == 0 ? FDownUpButtonRect : FDownDownButtonRect;
    else if (button.Hot)
      source = i == 0 ? FActiveUpButtonRect : FActiveDownButtonRect;
    if (!IsNullRect(source)) B.Canvas()->CopyRect(button.Rect, *SkinBitmap->Canvas(), source);
  }
}

void DrawResizeArrowButton(TCanvas& Canvas, const TskSkinData& Skin, const TRect& R, bool Hot, bool Pressed,
                           int ArrowCode) {
  const int bw = RectWidth(R), bh = RectHeight(R);
  if (bw <= 0 || bh <= 0) return;
  const int index = Skin.GetControlIndex("resizebutton");
  const auto* data =
      index == -1 ? nullptr
                  : dynamic_cast<const TskDataSkinButtonControl*>(Skin.CtrlList[static_cast<size_t>(index)].get());
  TBitmap* picture = data ? SkinPicture(Skin, data->PictureIndex) : nullptr;
  if (!picture || picture->Empty()) {
    // Without the skin's button picture the button stays blank, in the face colour.
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(R);
    return;
  }
  const TRect active = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  TRect source = data->SkinRect;
  TColor color = data->FontColor;
  if (Pressed && Hot) {
    source = IsNullRect(data->DownSkinRect) ? active : data->DownSkinRect;
    color = data->DownFontColor;
  } else if (Hot) {
    source = active;
    color = data->ActiveFontColor;
  }
  const int dw = bw - RectWidth(data->SkinRect), dh = bh - RectHeight(data->SkinRect);
  TRect client = data->SkinClientRect;
  client.right += dw;
  client.bottom += dh;
  TBitmap image;
  CreateSkinImage(data->SkinLeftTopPoint, data->SkinRightTopPoint, data->SkinLeftBottomPoint,
                  data->SkinRightBottomPoint, data->SkinClientRect, data->SkinLeftTopPoint,
                  Moved(data->SkinRightTopPoint, dw, 0), Moved(data->SkinLeftBottomPoint, 0, dh),
                  Moved(data->SkinRightBottomPoint, dw, dh), client, image, *picture, source, bw, bh, true);
  Canvas.Draw(R.left, R.top, &image);
  TRect arrow = R;
  if (Pressed && Hot) {
    arrow.left += 2;
    arrow.top += 2;
  }
  DrawArrowImage(Canvas, arrow, color, ArrowCode);
}

// ---------------------------------------------------------------------------------------------
// Mouse and repeat

void TskSkinUpDown::TestActive(int X, int Y) {
  FPreviousHotButton = FHotButton;
  FHotButton = -1;
  for (int i = 0; i < 2 && FHotButton == -1; ++i)
    if (PointInRect(FArrowButtons[i].Rect, Point(X, Y))) FHotButton = i;
  if (FCapturedButton != -1 && FHotButton != FCapturedButton) FHotButton = -1;
  if (FHotButton == FPreviousHotButton) return;
  if (FPreviousHotButton != -1) ButtonLeave(FPreviousHotButton);
  if (FHotButton != -1) ButtonEnter(FHotButton);
}

void TskSkinUpDown::MouseMove(TShiftState Shift, int X, int Y) {
  TestActive(X, Y);
  TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TestActive(X, Y);
  FArrowButtons[FHotButton == 0 ? 1 : 0].Hot = false;
  if (FHotButton != -1) {
    FCapturedButton = FHotButton;
    // The release counts wherever it happens.
    if (HandleAllocated()) SetCapture(Handle());
    ButtonDown(FHotButton);
  }
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int captured = FCapturedButton;
  FCapturedButton = -1;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (captured != -1) ButtonUp(captured);
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinUpDown::ButtonDown(int I) {
  FArrowButtons[I].Hot = true;
  FArrowButtons[I].Pressed = true;
  Repaint();
  if (FIncrement != 0) FRepeat.Start(I == 0 ? 2 : 1);
}

void TskSkinUpDown::ButtonEnter(int I) {
  FArrowButtons[1 - I].Hot = false;
  FArrowButtons[I].Hot = true;
  Repaint();
  if (FArrowButtons[I].Pressed) FRepeat.Resume();
}

void TskSkinUpDown::ButtonLeave(int I) {
  FArrowButtons[I].Hot = false;
  Repaint();
  if (FArrowButtons[I].Pressed) FRepeat.Pause();
}

void TskSkinUpDown::ButtonUp(int I) {
  FArrowButtons[I].Pressed = false;
  if (I != FHotButton) FArrowButtons[I].Hot = false;
  Repaint();
  FRepeat.Stop();
  if (I == 0) {
    if (FIncrement != 0) Step(2);
    if (OnUpButtonClick) OnUpButtonClick(this);
  } else {
    if (FIncrement != 0) Step(1);
    if (OnDownButtonClick) OnDownButtonClick(this);
  }
}

void TskSkinUpDown::Step(int Direction) { SetPosition(Direction == 2 ? FPosition + FIncrement : FPosition - FIncrement); }

void TskSkinUpDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      if (const int direction = FRepeat.Tick(Message.WParam)) Step(direction);
      return;
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      CalcRects();
      return;
    case CM_MOUSEENTER:
      FHotButton = -1;
      FPreviousHotButton = -1;
      TskSkinCustomControl::Dispatch(Message);
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      for (TArrowButton& button : FArrowButtons) button.Hot = false;
      Repaint();
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
