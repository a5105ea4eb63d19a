#include "skin/controls/SkinFrameControls.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

std::unique_ptr<TTimer> MakeTimer(std::function<void()> Tick) {
  auto timer = std::make_unique<TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(50);
  timer->OnTimer = [Tick = std::move(Tick)](TObject*) { Tick(); };
  return timer;
}

// The frame a value shows: one step of the value range per frame after the first.
int ValueFrame(int Value, int MinValue, int MaxValue, int FramesCount, int& ValueStep) {
  const int steps = std::max(1, FramesCount - 1);
  ValueStep = std::max(1, (MaxValue - MinValue) / steps);
  return std::abs(Value - MinValue) / ValueStep + 1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskFrameSkinControl

TskFrameSkinControl::TskFrameSkinControl(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefaultImage(std::make_unique<TBitmap>()), FDefaultMask(std::make_unique<TBitmap>()) {}

void TskFrameSkinControl::CalcFrameSize(int Width, int Height) {
  if (FFramesPlacement == TFramesPlacement::fpHorizontal) {
    FFrameWidth = Width / FFramesCount;
    FFrameHeight = Height;
  } else {
    FFrameWidth = Width;
    FFrameHeight = Height / FFramesCount;
  }
}

void TskFrameSkinControl::GetSkinData() {
  TskSkinControl::GetSkinData();
  SkinBitmap = nullptr;
  SkinMaskPicture = nullptr;
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinFrameControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  SkinRect = data->SkinRect;
  FSkinCursorIndex = data->CursorIndex;
  SkinBitmap = SkinPicture(*FSkinData, data->PictureIndex);
  SkinMaskPicture = SkinPicture(*FSkinData, data->MaskPictureIndex);
  // A strip of one frame could not show two states.
  FFramesCount = std::max(2, data->FramesCount);
  FFramesPlacement = data->FramesPlacement;
  CalcFrameSize(RectWidth(SkinRect), RectHeight(SkinRect));
}

void TskFrameSkinControl::CalcDefaultFrameSize() {
  if (FDefaultImage->Empty()) return;
  FFramesCount = FDefaultFramesCount;
  FFramesPlacement = FDefaultFramesPlacement;
  CalcFrameSize(FDefaultImage->Width(), FDefaultImage->Height());
}

void TskFrameSkinControl::SetDefaultImage(const TBitmap& Value) {
  FDefaultImage->Assign(Value);
  FShownFrame = 1;
  CalcDefaultFrameSize();
  if (!FDefaultImage->Empty()) TakeFrameSize();
  Invalidate();
}

void TskFrameSkinControl::SetDefaultMask(const TBitmap& Value) {
  FDefaultMask->Assign(Value);
  SetControlRegion();
  Invalidate();
}

void TskFrameSkinControl::SetDefaultFramesCount(int Value) {
  FDefaultFramesCount = std::max(1, Value);
  CalcDefaultFrameSize();
  if (!FDefaultImage->Empty()) TakeFrameSize();
  Invalidate();
}

void TskFrameSkinControl::SetDefaultFramesPlacement(TFramesPlacement Value) {
  FDefaultFramesPlacement = Value;
  CalcDefaultFrameSize();
  if (!FDefaultImage->Empty()) TakeFrameSize();
  Invalidate();
}

void TskFrameSkinControl::SetFrame(int N) {
  if (!HasStrip()) return;
  N = std::clamp(N, 1, FFramesCount);
  if (N == FShownFrame) return;
  FShownFrame = N;
  Invalidate();
}

void TskFrameSkinControl::Loaded() {
  TskSkinControl::Loaded();
  CalcDefaultFrameSize();
  if (FSkinControlIndex == -1 && !FSkinData) SetControlRegion();
}

void TskFrameSkinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  bool framed = false;
  if ((AWidth != Width() || AHeight != Height()) && HasStrip() && FFrameWidth > 0 && FFrameHeight > 0) {
    AWidth = FFrameWidth;
    AHeight = FFrameHeight;
    framed = AWidth != Width() || AHeight != Height();
  }
  TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!framed) return;
  SetControlRegion();
  Invalidate();
}

void TskFrameSkinControl::CreateHandleDone() {
  TskSkinControl::CreateHandleDone();
  FFrameRegion = nullptr;
  GetSkinData();
  SetControlRegion();
}

void TskFrameSkinControl::SetControlRegion() {
  if (!HandleAllocated()) return;  // set when the window is made
  TBitmap* mask = nullptr;
  if (FSkinControlIndex == -1 && !FDefaultMask->Empty()) mask = FDefaultMask.get();
  else if (FSkinControlIndex != -1 && SkinMaskPicture && !SkinMaskPicture->Empty()) mask = SkinMaskPicture;
  if (!mask) {
    if (FFrameRegion) SetWindowRgn(Handle(), nullptr, TRUE);
    FFrameRegion = nullptr;
    return;
  }
  HRGN region = nullptr;
  CreateSkinSimplyRegion(region, *mask);
  // The system owns a region once it is set, and frees the one it replaces.
  if (region && !SetWindowRgn(Handle(), region, TRUE)) {
    DeleteObject(region);
    region = nullptr;
  }
  FFrameRegion = region;
}

void TskFrameSkinControl::ChangeSkinData() {
  GetSkinData();
  if (FSkinControlIndex == -1 && !FDefaultImage->Empty()) {
    CalcDefaultFrameSize();
    SetControlRegion();
    TakeFrameSize();
    Invalidate();
    return;
  }
  if (FSkinControlIndex != -1) FShownFrame = std::min(FShownFrame, FFramesCount);
  if (FUseSkinCursor) SetCursor(SkinCursor(FSkinData, FSkinControlIndex == -1 ? -1 : FSkinCursorIndex));
  if (FSkinControlIndex != -1 && (FFrameWidth != Width() || FFrameHeight != Height())) {
    TakeFrameSize();  // the resize has re-regioned and repainted
    return;
  }
  SetControlRegion();
  Invalidate();
}

void TskFrameSkinControl::CreateControlSkinImage(TBitmap& B) {
  B.SetSize(FFrameWidth, FFrameHeight);
  if (!SkinBitmap || SkinBitmap->Empty()) return;
  const int x = SkinRect.left + (FFramesPlacement == TFramesPlacement::fpHorizontal ? (FShownFrame - 1) * FFrameWidth : 0);
  const int y = SkinRect.top + (FFramesPlacement == TFramesPlacement::fpVertical ? (FShownFrame - 1) * FFrameHeight : 0);
  B.Canvas()->CopyRect(Rect(0, 0, FFrameWidth, FFrameHeight), *SkinBitmap->Canvas(),
                       Rect(x, y, x + FFrameWidth, y + FFrameHeight));
}

void TskFrameSkinControl::CreateControlDefaultImage(TBitmap& B) {
  if (FDefaultImage->Empty()) {
    B.Canvas()->Brush()->SetColor(clBtnFace);
    B.Canvas()->FillRect(ClientRect());
    Frm3D(*B.Canvas(), ClientRect(), clBtnShadow, clBtnShadow);
    return;
  }
  CalcDefaultFrameSize();
  B.SetSize(FFrameWidth, FFrameHeight);
  const int x = FFramesPlacement == TFramesPlacement::fpHorizontal ? (FShownFrame - 1) * FFrameWidth : 0;
  const int y = FFramesPlacement == TFramesPlacement::fpVertical ? (FShownFrame - 1) * FFrameHeight : 0;
  B.Canvas()->CopyRect(Rect(0, 0, FFrameWidth, FFrameHeight), *FDefaultImage->Canvas(),
                       Rect(x, y, x + FFrameWidth, y + FFrameHeight));
}

void TskFrameSkinControl::Dispatch(TMessage& Message) {
  // Painted into a DC it is given (a parent drawing what lies behind a child of its own).
  if (Message.Msg == WM_ERASEBKGND && !FInWMPaint && Message.WParam) {
    PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TskSkinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinSwitch

TskSkinSwitch::TskSkinSwitch(TComponent* AOwner)
    : TskFrameSkinControl(AOwner), FTimer(MakeTimer([this] { DoAnimate(); })) {
  FSkinDataName = "switch";
  SetBounds(Left(), Top(), 25, 50);
}

void TskSkinSwitch::SetState(TskSkinSwitchState Value) {
  FState = Value;
  ChangeState();
  if (OnChange && !Designing(*this)) OnChange(this);
}

void TskSkinSwitch::ChangeState() {
  if (!HasStrip()) return Invalidate();
  if (FFramesCount == 2) SetFrame(FState == TskSkinSwitchState::swOn ? 2 : 1);
  else Start();
}

void TskSkinSwitch::DoAnimate() {
  if (!HasStrip()) return;
  if (FState == TskSkinSwitchState::swOn) {
    if (FShownFrame < FFramesCount) SetFrame(FShownFrame + 1);
    else Stop();
  } else {
    if (FShownFrame > 1) SetFrame(FShownFrame - 1);
    else Stop();
  }
}

void TskSkinSwitch::ChangeSkinData() {
  TskFrameSkinControl::ChangeSkinData();
  if (HasStrip()) SetFrame(FState == TskSkinSwitchState::swOn ? FFramesCount : 1);
}

void TskSkinSwitch::Dispatch(TMessage& Message) {
  TskFrameSkinControl::Dispatch(Message);
  if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && !Designing(*this))
    FHovered = Message.Msg == CM_MOUSEENTER;
}

void TskSkinSwitch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && FHovered)
    SetState(FState == TskSkinSwitchState::swOn ? TskSkinSwitchState::swOff : TskSkinSwitchState::swOn);
  TskFrameSkinControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// TskSkinAnimate

TskSkinAnimate::TskSkinAnimate(TComponent* AOwner)
    : TskFrameSkinControl(AOwner), FTimer(MakeTimer([this] { DoAnimate(); })) {
  FSkinDataName = "animate";
  SetBounds(Left(), Top(), 50, 50);
}

void TskSkinAnimate::SetActive(bool Value) {
  FActive = Value;
  if (!HasStrip()) return;
  if (Value) Start();
  else Stop();
}

void TskSkinAnimate::Start() {
  if (!FCycleMode && !FButtonMode) SetFrame(1);
  FTimer->SetEnabled(true);
  if (OnStart) OnStart(this);
}

void TskSkinAnimate::Stop() {
  FTimer->SetEnabled(false);
  if (OnStop) OnStop(this);
}

void TskSkinAnimate::DoAnimate() {
  if (!HasStrip()) return;
  if (FButtonMode && !FHovered) {
    if (FShownFrame > 1) SetFrame(FShownFrame - 1);
    else Stop();
    return;
  }
  if (FShownFrame < FFramesCount) return SetFrame(FShownFrame + 1);
  if (FCycleMode) SetFrame(1);
  else Stop();
}

void TskSkinAnimate::Dispatch(TMessage& Message) {
  TskFrameSkinControl::Dispatch(Message);
  if ((Message.Msg != CM_MOUSEENTER && Message.Msg != CM_MOUSELEAVE) || Designing(*this) || !HasStrip()) return;
  FHovered = Message.Msg == CM_MOUSEENTER;
  if (FButtonMode) Start();
}

// ---------------------------------------------------------------------------------------------
// TskSkinFrameGauge

TskSkinFrameGauge::TskSkinFrameGauge(TComponent* AOwner) : TskFrameSkinControl(AOwner) {
  FSkinDataName = "framegauge";
  SetBounds(Left(), Top(), 50, 50);
}

void TskSkinFrameGauge::SetValue(int Value) {
  if (Value == FValue || Value < FMinValue || Value > FMaxValue) return;
  FValue = Value;
  if (HasStrip()) CalcFrame();
}

void TskSkinFrameGauge::SetMinValue(int Value) {
  FMinValue = Value;
  if (!HasStrip()) return;
  FValue = std::max(FValue, FMinValue);
  CalcFrame();
}

void TskSkinFrameGauge::SetMaxValue(int Value) {
  FMaxValue = Value;
  if (!HasStrip()) return;
  FValue = std::min(FValue, FMaxValue);
  CalcFrame();
}

void TskSkinFrameGauge::CalcFrame() {
  int step = 1;
  SetFrame(ValueFrame(FValue, FMinValue, FMaxValue, FFramesCount, step));
}

void TskSkinFrameGauge::ChangeSkinData() {
  TskFrameSkinControl::ChangeSkinData();
  if (HasStrip()) CalcFrame();
}

// ---------------------------------------------------------------------------------------------
// TskSkinFrameRegulator

TskSkinFrameRegulator::TskSkinFrameRegulator(TComponent* AOwner) : TskFrameSkinControl(AOwner) {
  FSkinDataName = "frameregulator";
  SetBounds(Left(), Top(), 50, 50);
}

void TskSkinFrameRegulator::SetValue(int Value) {
  if (Value == FValue || Value < FMinValue || Value > FMaxValue) return;
  FValue = Value;
  if (HasStrip()) CalcFrame();
  if (OnChange) OnChange(this);
}

void TskSkinFrameRegulator::SetMinValue(int Value) {
  FMinValue = Value;
  if (!HasStrip()) return;
  FValue = std::max(FValue, FMinValue);
  CalcFrame();
}

void TskSkinFrameRegulator::SetMaxValue(int Value) {
  FMaxValue = Value;
  if (!HasStrip()) return;
  FValue = std::min(FValue, FMaxValue);
  CalcFrame();
}

void TskSkinFrameRegulator::SetDefaultKind(TRegulatorKind Value) {
  FDefaultKind = Value;
  FKind = Value;
}

void TskSkinFrameRegulator::GetSkinData() {
  TskFrameSkinControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  if (const auto* data = dynamic_cast<const TskDataSkinFrameRegulator*>(
          FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get()))
    FKind = data->Kind;
}

void TskSkinFrameRegulator::CalcDefaultFrameSize() {
  TskFrameSkinControl::CalcDefaultFrameSize();
  if (!FDefaultImage->Empty()) FKind = FDefaultKind;
}

void TskSkinFrameRegulator::ChangeSkinData() {
  TskFrameSkinControl::ChangeSkinData();
  if (HasStrip()) CalcFrame();
}

void TskSkinFrameRegulator::CalcFrame() {
  if (!FDefaultImage->Empty() && FSkinControlIndex == -1) CalcDefaultFrameSize();
  SetFrame(ValueFrame(FValue, FMinValue, FMaxValue, FFramesCount, FValueStep));
}

int TskSkinFrameRegulator::AxisPosition(int X, int Y) const {
  switch (FKind) {
    case TRegulatorKind::rkRound: return X - Y;
    case TRegulatorKind::rkHorizontal: return X;
    case TRegulatorKind::rkVertical: break;
  }
  return -Y;
}

void TskSkinFrameRegulator::CalcValue() {
  if (!FDefaultImage->Empty() && FSkinControlIndex == -1) CalcDefaultFrameSize();
  int size = FFrameHeight;
  if (FKind == TRegulatorKind::rkRound) size = std::min(FFrameWidth, FFrameHeight);
  else if (FKind == TRegulatorKind::rkHorizontal) size = FFrameWidth;
  FPixelsPerStep = std::max(1, size / Steps());
  FValueStep = std::max(1, (FMaxValue - FMinValue) / Steps());
  if (std::abs(FCurPos - FLastPos) < FPixelsPerStep) return;
  // One step per qualifying move, however far the pointer went.
  FDragValue += FCurPos >= FLastPos ? FValueStep : -FValueStep;
  FDragValue = std::clamp(FDragValue, FMinValue, std::max(FMinValue, FMaxValue));
  FLastPos = FCurPos;
  SetValue(FDragValue);
}

void TskSkinFrameRegulator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDragInProgress = true;
  FDragValue = FValue;
  FLastPos = AxisPosition(X, Y);
  TskFrameSkinControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinFrameRegulator::MouseMove(TShiftState Shift, int X, int Y) {
  if (FDragInProgress && HasStrip()) {
    FCurPos = AxisPosition(X, Y);
    CalcValue();
  }
  TskFrameSkinControl::MouseMove(Shift, X, Y);
}

void TskSkinFrameRegulator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDragInProgress = false;
  TskFrameSkinControl::MouseUp(Button, Shift, X, Y);
}

}  // namespace skin
