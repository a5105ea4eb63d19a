#include "skin/plain/SkinPlainBars.h"

#include <cmath>

namespace skin {

using namespace classlib;

namespace {

// The bar's colours of the default look: the face of a dragged thumb and of the progress strip.
constexpr TColor DraggedButtonFace = 0xB59385;
constexpr TColor ProgressFace = 0xD2BDB6;

bool IsLoading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

// Above the maximum gives the maximum, else below the minimum the minimum.
int ClampValue(int Value, int MinValue, int MaxValue) {
  if (Value > MaxValue) return MaxValue;
  if (Value < MinValue) return MinValue;
  return Value;
}

// Where Value lies between the bounds, from 0 to 1; 0 when the bounds are equal.
double Fraction(int Value, int MinValue, int MaxValue) {
  if (MaxValue == MinValue) return 0;
  return (static_cast<double>(Value) - MinValue) / (static_cast<double>(MaxValue) - MinValue);
}

// The nearest integer, halves to the even neighbour (the default rounding mode).
int RoundEven(double Value) { return static_cast<int>(std::lrint(Value)); }

void FillFramed(TCanvas& Canvas, const TRect& Rect, TColor Face, TColor Frame) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Face);
  Canvas.FillRect(Rect);
  Canvas.Brush()->SetColor(Frame);
  Canvas.FrameRect(Rect);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinTrackBar

TskSkinTrackBar::TskSkinTrackBar(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 100, 20); }

bool TskSkinTrackBar::Loading() const { return IsLoading(*this); }

// While the form is read the bounds may come after the value; Loaded puts them right.
void TskSkinTrackBar::SetValue(int Value) {
  if (Loading()) {
    FValue = Value;
    return;
  }
  Value = ClampValue(Value, FMinValue, FMaxValue);
  if (Value == FValue) return;
  FValue = Value;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TskSkinTrackBar::SetMinValue(int Value) {
  FMinValue = Value;
  if (Loading()) return;
  if (FValue < FMinValue) FValue = FMinValue;
  Invalidate();
}

void TskSkinTrackBar::SetMaxValue(int Value) {
  FMaxValue = Value;
  if (Loading()) return;
  if (FValue > FMaxValue) FValue = FMaxValue;
  Invalidate();
}

void TskSkinTrackBar::SetVertical(bool Value) {
  if (Value == FVertical) return;
  FVertical = Value;
  Invalidate();
}

void TskSkinTrackBar::Loaded() {
  TCustomControl::Loaded();
  FValue = ClampValue(FValue, FMinValue, FMaxValue);
}

// The thumb travels inside the frame; a vertical bar has its minimum at the bottom.
TskSkinTrackBar::TButtonLayout TskSkinTrackBar::CalcButtonLayout() const {
  const TRect track = Rect(2, 2, Width() - 2, Height() - 2);
  const double f = Fraction(FValue, FMinValue, FMaxValue);
  TButtonLayout layout{};
  if (FVertical) {
    const int width = Width() - 4;
    const int height = (Width() - 4) / 2;
    layout.TravelStart = track.top + height / 2;
    layout.TravelEnd = track.bottom - height / 2;
    layout.Shift = RoundEven((layout.TravelEnd - layout.TravelStart) * f);
    const int top = layout.TravelEnd - layout.Shift - height / 2;
    const int left = track.left + (track.right - track.left) / 2 - width / 2;
    layout.Bounds = Rect(left, top, left + width, top + height);
  } else {
    const int height = Height() - 4;
    const int width = (Height() - 4) / 2;
    layout.TravelStart = track.left + width / 2;
    layout.TravelEnd = track.right - width / 2;
    layout.Shift = RoundEven((layout.TravelEnd - layout.TravelStart) * f);
    const int left = layout.TravelStart + layout.Shift - width / 2;
    const int top = track.top + (track.bottom - track.top) / 2 - height / 2;
    layout.Bounds = Rect(left, top, left + width, top + height);
  }
  return layout;
}

TRect TskSkinTrackBar::ButtonBounds() const { return CalcButtonLayout().Bounds; }

// The value for a thumb Offset pixels from the start of its travel.
int TskSkinTrackBar::CalcValue(int Offset) const {
  const TButtonLayout layout = CalcButtonLayout();
  const int travel = layout.TravelEnd - layout.TravelStart;
  double f = travel > 0 ? static_cast<double>(Offset) / travel : 0;
  f = std::fmin(std::fmax(f, 0.0), 1.0);
  return FMinValue + RoundEven((static_cast<double>(FMaxValue) - FMinValue) * f);
}

void TskSkinTrackBar::Paint() {
  TCanvas& canvas = Canvas();
  FillFramed(canvas, ClientRect(), clBtnFace, clBtnShadow);
  TRect groove = FVertical ? Rect(Width() / 2 - 1, 4, Width() / 2 + 1, Height() - 4)
                           : Rect(4, Height() / 2 - 1, Width() - 4, Height() / 2 + 1);
  // A one-pixel sunken edge: shadow at the top and left, highlight at the bottom and right.
  DrawEdge(canvas.Handle(), &groove, BDR_SUNKENOUTER, BF_RECT);
  const TRect button = ButtonBounds();
  if (FButtonDragging)
    FillFramed(canvas, button, DraggedButtonFace, clNavy);
  else
    FillFramed(canvas, button, clBtnFace, clBtnShadow);
}

// A press on the thumb (or the pixel right of and below it) starts a drag, with any mouse button.
void TskSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const TButtonLayout layout = CalcButtonLayout();
  TRect hit = layout.Bounds;
  hit.right += 1;
  hit.bottom += 1;
  if (!PtInRect(&hit, POINT{X, Y})) return;
  FDragAnchor = FVertical ? Y : X;
  FDragStartShift = layout.Shift;
  FButtonDragging = true;
  // The drag goes on when the pointer leaves the bar.
  if (HandleAllocated()) SetCapture(FHandle);
  Invalidate();
}

void TskSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  if (FButtonDragging)
    SetValue(CalcValue(FVertical ? FDragAnchor + FDragStartShift - Y : X + FDragStartShift - FDragAnchor));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  EndDrag();
}

void TskSkinTrackBar::EndDrag() {
  if (!FButtonDragging) return;
  FButtonDragging = false;
  if (HandleAllocated() && GetCapture() == FHandle) ReleaseCapture();
  Invalidate();
}

// A drag whose capture another window takes (a menu, a message box) ends there: the release
// would never reach the bar, and the thumb would follow a pointer with no button held.
void TskSkinTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(Message.LParam) != FHandle) EndDrag();
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinGauge

TskSkinGauge::TskSkinGauge(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 100, 20);
  Font().SetName("Arial");
  Font().SetHeight(14);
}

bool TskSkinGauge::Loading() const { return IsLoading(*this); }

int TskSkinGauge::Value() const {
  const std::lock_guard lock(FLock);
  return FValue;
}

int TskSkinGauge::MinValue() const {
  const std::lock_guard lock(FLock);
  return FMinValue;
}

int TskSkinGauge::MaxValue() const {
  const std::lock_guard lock(FLock);
  return FMaxValue;
}

String TskSkinGauge::ProgressText() const {
  const std::lock_guard lock(FLock);
  return FProgressText;
}

bool TskSkinGauge::ShowProgressText() const {
  const std::lock_guard lock(FLock);
  return FShowProgressText;
}

bool TskSkinGauge::ShowPercent() const {
  const std::lock_guard lock(FLock);
  return FShowPercent;
}

// Each setter changes the state under the lock and only then asks for a repaint, which the
// user-interface thread carries out.
void TskSkinGauge::SetValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    if (!Loading()) Value = ClampValue(Value, FMinValue, FMaxValue);
    if (Value == FValue) return;
    FValue = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetMinValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    FMinValue = Value;
    if (Loading()) return;
    if (FValue < FMinValue) FValue = FMinValue;
  }
  Invalidate();
}

void TskSkinGauge::SetMaxValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    FMaxValue = Value;
    if (Loading()) return;
    if (FValue > FMaxValue) FValue = FMaxValue;
  }
  Invalidate();
}

void TskSkinGauge::SetProgressText(const String& Value) {
  {
    const std::lock_guard lock(FLock);
    FProgressText = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetShowProgressText(bool Value) {
  {
    const std::lock_guard lock(FLock);
    FShowProgressText = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetShowPercent(bool Value) {
  {
    const std::lock_guard lock(FLock);
    FShowPercent = Value;
  }
  Invalidate();
}

void TskSkinGauge::Loaded() {
  TCustomControl::Loaded();
  const std::lock_guard lock(FLock);
  FValue = ClampValue(FValue, FMinValue, FMaxValue);
}

int TskSkinGauge::PercentLocked() const { return RoundEven(Fraction(FValue, FMinValue, FMaxValue) * 100); }

String TskSkinGauge::ShownText() const {
  const std::lock_guard lock(FLock);
  String text = FShowProgressText ? FProgressText : String();
  if (FShowPercent) text += std::to_string(PercentLocked()) + "%";
  return text;
}

void TskSkinGauge::Paint() {
  double f = 0;
  {
    const std::lock_guard lock(FLock);
    f = Fraction(FValue, FMinValue, FMaxValue);
  }
  const String text = ShownText();
  TCanvas& canvas = Canvas();
  FillFramed(canvas, ClientRect(), clWindow, clBtnShadow);
  TRect progress = Rect(1, 1, Width() - 1, Height() - 1);
  progress.right = progress.left + RoundEven((progress.right - progress.left) * f);
  if (progress.right > progress.left && progress.bottom > progress.top) {
    canvas.Brush()->SetColor(ProgressFace);
    canvas.FillRect(progress);
  }
  if (text.empty()) return;
  canvas.SetFont(Font());
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  const TSize size = canvas.TextExtent(text);
  canvas.TextOut(Width() / 2 - size.cx / 2, Height() / 2 - size.cy / 2, text);
}

}  // namespace skin
