#include "skin/controls/SkinSlider.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cmath>

namespace skin {

using namespace classlib;

namespace {

constexpr UINT_PTR TrackTimer = 1;
constexpr UINT TrackInterval = 400;
const char* const ResourceNames[] = {"SK_HTB", "SK_HRL", "SK_VTB", "SK_VRL"};

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

// The nearest integer, halves going to the even neighbour.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

bool IsThumb(TskSliderImage Index) { return Index == TskSliderImage::siHThumb || Index == TskSliderImage::siVThumb; }

}  // namespace

TskSkinCustomSlider::TskSkinCustomSlider(TComponent* AOwner)
    : TskSkinControl(AOwner), FRulerBitmap(std::make_unique<TBitmap>()) {
  FSkinDataName = "slider";
  SetTabStop(true);
  for (int i = 0; i < 4; ++i) {
    FImages[i] = std::make_unique<TBitmap>();
    LoadBuiltInImage(static_cast<TskSliderImage>(i));
  }
  SetBounds(Left(), Top(), 150, 40);
  FCreating = false;
  AdjustElements();
}

TskSkinCustomSlider::~TskSkinCustomSlider() {
  OnChange = nullptr;
  OnChanged = nullptr;
  OnDrawPoints = nullptr;
}

bool TskSkinCustomSlider::Reading() const {
  return ComponentState().Contains(TComponentStateItem::csReading) ||
         ComponentState().Contains(TComponentStateItem::csLoading);
}

void TskSkinCustomSlider::LoadBuiltInImage(TskSliderImage Index) {
  TBitmap& image = *FImages[static_cast<int>(Index)];
  image.LoadFromResourceName(GetModuleHandleW(nullptr), ResourceNames[static_cast<int>(Index)]);
}

void TskSkinCustomSlider::SetImage(TskSliderImage Index, const TBitmap* Value) {
  if (Value) {
    FImages[static_cast<int>(Index)]->Assign(*Value);
    FUserImages.Include(Index);
  } else {
    LoadBuiltInImage(Index);
    FUserImages.Exclude(Index);
    if (!Reading()) {
      TskSliderOptions options = FOptions;
      options.Exclude(IsThumb(Index) ? TskSliderOption::soThumbOpaque : TskSliderOption::soRulerOpaque);
      FOptions = options;
      Invalidate();
    }
  }
  if (!FCreating) Sized();
}

void TskSkinCustomSlider::SetUserImagesData(const std::vector<std::uint8_t>& Bytes) {
  FUserImages = {};
  if (Bytes.empty()) return;
  for (int i = 0; i < 4; ++i)
    if (Bytes[0] & (1u << i)) FUserImages.Include(static_cast<TskSliderImage>(i));
}

std::vector<std::uint8_t> TskSkinCustomSlider::UserImagesData() const {
  std::uint8_t byte = 0;
  for (int i = 0; i < 4; ++i)
    if (FUserImages.Contains(static_cast<TskSliderImage>(i))) byte |= static_cast<std::uint8_t>(1u << i);
  return {byte};
}

void TskSkinCustomSlider::Loaded() {
  TskSkinControl::Loaded();
  // The layout follows the images the form gave.
  for (int i = 0; i < 4; ++i) {
    const auto index = static_cast<TskSliderImage>(i);
    if (!FUserImages.Contains(index)) continue;
    TBitmap copy;
    copy.Assign(*FImages[i]);
    SetImage(index, &copy);
  }
  AdjustElements();
}

void TskSkinCustomSlider::GetSkinData() {
  TskSkinControl::GetSkinData();
  FSkinPicture = nullptr;
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinSlider*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FSkinPicture = SkinPicture(*FSkinData, data->PictureIndex);
  FHRulerRect = data->HRulerRect;
  FHThumbRect = data->HThumbRect;
  FVRulerRect = data->VRulerRect;
  FVThumbRect = data->VThumbRect;
  FSkinEdgeSize = data->EdgeSize;
  FBGColor = data->BGColor;
  FPointsColor = data->PointsColor;
}

void TskSkinCustomSlider::ChangeSkinData() {
  TskSkinControl::ChangeSkinData();
  AdjustElements();
}

TRect TskSkinCustomSlider::ThumbSource() const {
  if (SkinThumb()) return Vertical() ? FVThumbRect : FHThumbRect;
  const TBitmap& image = *FImages[static_cast<int>(Vertical() ? TskSliderImage::siVThumb : TskSliderImage::siHThumb)];
  return Rect(0, 0, image.Width(), image.Height());
}

TSize TskSkinCustomSlider::ThumbSize() const {
  const TRect source = ThumbSource();
  return TSize{RectWidth(source) / ThumbStates(), RectHeight(source)};
}

int TskSkinCustomSlider::GetRulerLength() const {
  const int ruler = Vertical() ? FRulerBitmap->Height() : FRulerBitmap->Width();
  // A ruler shorter than the thumb still gives the thumb one place, and no division by zero.
  return std::max(1, ruler - ThumbLength());
}

void TskSkinCustomSlider::BuildRuler() {
  const TBitmap& image = *FImages[static_cast<int>(Vertical() ? TskSliderImage::siVRuler : TskSliderImage::siHRuler)];
  const TRect slider = GetSliderRect();
  const int length = std::max(0, (Vertical() ? RectHeight(slider) : RectWidth(slider)) - 12);
  const int imageLength = Vertical() ? image.Height() : image.Width();
  const int thickness = Vertical() ? image.Width() : image.Height();
  TBitmap& ruler = *FRulerBitmap;
  if (length == 0 || image.Empty()) {
    ruler.SetSize(0, 0);
    return;
  }
  if (Vertical()) ruler.SetSize(thickness, length);
  else ruler.SetSize(length, thickness);
  TCanvas& target = *ruler.Canvas();
  TCanvas& source = *const_cast<TBitmap&>(image).Canvas();
  // A piece of the image from `from` to `to` along the axis, placed at `at`.
  const auto copy = [&](int from, int to, int at) {
    if (to <= from) return;
    if (Vertical()) target.CopyRect(Rect(0, at, thickness, at + to - from), source, Rect(0, from, thickness, to));
    else target.CopyRect(Rect(at, 0, at + to - from, thickness), source, Rect(from, 0, to, thickness));
  };
  const int edge = std::min(FEdgeSize, imageLength / 2);
  const int middle = imageLength - 2 * edge;
  copy(0, imageLength - edge, 0);
  // The middle repeats up to the end cap, the last repeat cut short.
  for (int at = imageLength - edge; middle > 0 && at < length - edge; at += middle)
    copy(edge, edge + std::min(middle, length - edge - at), at);
  copy(imageLength - edge, imageLength, length - edge);
}

void TskSkinCustomSlider::BuildSkinRuler() {
  const TRect slider = GetSliderRect();
  const int length = std::max(0, (Vertical() ? RectHeight(slider) : RectWidth(slider)) - 12);
  if (!FSkinPicture || length == 0) {
    FRulerBitmap->SetSize(0, 0);
    return;
  }
  if (Vertical())
    CreateVSkinImage(FSkinEdgeSize, FSkinEdgeSize, *FRulerBitmap, *FSkinPicture, FVRulerRect, RectWidth(FVRulerRect),
                     length, false);
  else
    CreateHSkinImage(FSkinEdgeSize, FSkinEdgeSize, *FRulerBitmap, *FSkinPicture, FHRulerRect, length,
                     RectHeight(FHRulerRect), false);
}

void TskSkinCustomSlider::AdjustElements() {
  if (FCreating) return;
  GetSkinData();
  if (FSkinControlIndex != -1) BuildSkinRuler();
  else BuildRuler();
  const TRect r = GetSliderRect();
  const TSize thumb = ThumbSize();
  const int rw = FRulerBitmap->Width(), rh = FRulerBitmap->Height();
  if (!Vertical()) {
    if (rh < thumb.cy) {
      FThumbBounds = Rect(r.left + 6, r.top + 6, r.left + 6 + thumb.cx, r.top + 6 + thumb.cy);
      FRulerPos = Point(r.left + 6, r.top + (thumb.cy - rh) / 2 + 6);
    } else {
      FRulerPos = Point(r.left + 6, r.top + 6);
      const int top = r.top + (rh - thumb.cy) / 2 + 6;
      FThumbBounds = Rect(r.left + 6, top, r.left + 6 + thumb.cx, top + thumb.cy);
    }
    FPointsRect = Rect(FRulerPos.x, r.top + 6 + std::max<int>(thumb.cy, rh) + 7, FRulerPos.x + rw, r.bottom - r.top - 1);
  } else {
    if (rw < thumb.cx) {
      FThumbBounds = Rect(r.left + 6, r.top + 6, r.left + 6 + thumb.cx, r.top + 6 + thumb.cy);
      FRulerPos = Point(r.left + (thumb.cx - rw) / 2 + 6, r.top + 6);
    } else {
      FRulerPos = Point(r.left + 6, r.top + 6);
      const int left = r.left + (rw - thumb.cx) / 2 + 6;
      FThumbBounds = Rect(left, r.top + 6, left + thumb.cx, r.top + 6 + thumb.cy);
    }
    FPointsRect = Rect(r.left + 6 + std::max<int>(thumb.cx, rw) + 7, FRulerPos.y, r.right - r.left - 1, FRulerPos.y + rh);
  }
  SetThumbOffset(GetOffsetByValue(FValue));
  Invalidate();
}

int TskSkinCustomSlider::GetOffsetByValue(int Value) const {
  const int base = Base();
  const int range = FMaxValue - FMinValue;
  // A range of nothing (a form may store one) keeps the thumb at the start.
  int offset = base + (range > 0 ? RoundEven(static_cast<double>(GetRulerLength()) * (Value - FMinValue) / range) : 0);
  if (Vertical()) {
    const TRect r = GetSliderRect();
    offset = r.top + r.bottom - offset - ThumbSize().cy;
  }
  return std::max(base, offset);
}

int TskSkinCustomSlider::GetValueByOffset(int Offset) const {
  if (Vertical()) Offset = ClientHeight() - Offset - ThumbSize().cy;
  const int range = std::max(0, FMaxValue - FMinValue);
  int v = RoundEven(static_cast<double>(Offset - GetSliderRect().left - 6) * range / GetRulerLength());
  if (!FOptions.Contains(TskSliderOption::soSmooth) && FIncrement > 0)
    v = RoundEven(static_cast<double>(v) / FIncrement) * FIncrement;
  return std::min(FMinValue + std::max(0, v), std::max(FMinValue, FMaxValue));
}

TPoint TskSkinCustomSlider::GetThumbPosition(int Offset) const {
  const int base = Base(), last = base + GetRulerLength();
  Offset = std::clamp(Offset, base, last);
  Offset = std::min(GetOffsetByValue(GetValueByOffset(Offset)), last);
  return Vertical() ? Point(FThumbBounds.left, Offset) : Point(Offset, FThumbBounds.top);
}

void TskSkinCustomSlider::InvalidateThumb() {
  if (HandleAllocated()) InvalidateRect(Handle(), &FThumbBounds, FALSE);
}

void TskSkinCustomSlider::SetThumbOffset(int Offset) {
  const TPoint p = GetThumbPosition(Offset);
  InvalidateThumb();
  OffsetRect(&FThumbBounds, p.x - FThumbBounds.left, p.y - FThumbBounds.top);
  InvalidateThumb();
  if (!FThumbDragging) return;
  const int v = GetValueByOffset(Offset);
  if (v == FValue) return;
  FValue = v;
  Change();
}

void TskSkinCustomSlider::SetValue(int Value) {
  Value = std::clamp(Value, FMinValue, std::max(FMinValue, FMaxValue));
  const int old = FValue;
  FValue = Value;
  SetThumbOffset(GetOffsetByValue(Value));
  if (FValue != old) Change();
}

void TskSkinCustomSlider::SetRange(int AMin, int AMax) {
  if (AMin >= AMax && !Reading()) return;
  FMinValue = AMin;
  FMaxValue = AMax;
  if (!Reading() && AMax < AMin + FIncrement) FIncrement = AMax - AMin;
  if (FOptions.Contains(TskSliderOption::soShowPoints)) Invalidate();
  SetValue(FValue);
  RangeChanged();
}

void TskSkinCustomSlider::SetMinValue(int Value) {
  if (Value != FMinValue) SetRange(Value, FMaxValue);
}

void TskSkinCustomSlider::SetMaxValue(int Value) {
  if (Value != FMaxValue) SetRange(FMinValue, Value);
}

void TskSkinCustomSlider::SetIncrement(int Value) {
  if (Value <= 0 || Value == FIncrement) return;
  FIncrement = Value;
  SetValue(FValue);
  Invalidate();
}

void TskSkinCustomSlider::SetOrientation(TskSliderOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Sized();
  if (!Reading()) SetBounds(Left(), Top(), Height(), Width());
}

void TskSkinCustomSlider::SetOptions(TskSliderOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Invalidate();
}

void TskSkinCustomSlider::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TskSkinCustomSlider::SetUseSkinThumb(bool Value) {
  FUseSkinThumb = Value;
  AdjustElements();
}

void TskSkinCustomSlider::SetNumThumbStates(int Value) {
  Value = std::clamp(Value, 1, 2);
  if (Value == FNumThumbStates) return;
  FNumThumbStates = Value;
  AdjustElements();
}

void TskSkinCustomSlider::SetEdgeSize(int Value) {
  const TBitmap& ruler = *FImages[static_cast<int>(Vertical() ? TskSliderImage::siVRuler : TskSliderImage::siHRuler)];
  const int length = Vertical() ? ruler.Height() : ruler.Width();
  if (2 * Value >= length || Value == FEdgeSize) return;
  FEdgeSize = Value;
  Sized();
}

void TskSkinCustomSlider::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (!Value) return;
  StopTracking();
  if (FThumbDragging) ThumbMouseUp(TMouseButton::mbLeft, {}, 0, 0);
}

void TskSkinCustomSlider::Change() {
  if (OnChange) OnChange(this);
}

void TskSkinCustomSlider::Changed() {
  if (OnChanged) OnChanged(this);
}

void TskSkinCustomSlider::ThumbJump(TskJumpMode Mode) {
  int v = FValue;
  const int step = std::max(1, FIncrement);
  switch (Mode) {
    case TskJumpMode::jmHome: v = FMinValue; break;
    case TskJumpMode::jmEnd: v = FMaxValue; break;
    case TskJumpMode::jmNext: v = RoundEven(static_cast<double>(FValue) / step) * step + step; break;
    case TskJumpMode::jmPrior: v = RoundEven(static_cast<double>(FValue) / step) * step - step; break;
    case TskJumpMode::jmNone: return;
  }
  v = std::clamp(v, FMinValue, std::max(FMinValue, FMaxValue));
  if (v != FValue) SetValue(v);
}

TskJumpMode TskSkinCustomSlider::JumpTo(int X, int Y) const {
  if (Vertical()) {
    if (Y < FThumbBounds.top) return TskJumpMode::jmNext;
    if (Y >= FThumbBounds.bottom) return TskJumpMode::jmPrior;
  } else {
    if (X < FThumbBounds.left) return TskJumpMode::jmPrior;
    if (X >= FThumbBounds.right) return TskJumpMode::jmNext;
  }
  return TskJumpMode::jmNone;
}

void TskSkinCustomSlider::InternalDrawPoints(TCanvas& Canvas, int Step, int TickLength, int EndLength) {
  const int range = FMaxValue - FMinValue;
  if (Step <= 0 || range <= 0) return;
  const int ruler = GetRulerLength();
  int step = Step, count = 1;
  // Fewer ticks until they stand at least 4 pixels apart.
  for (int k = 1;; ++k) {
    step = Step * k;
    count = RoundEven(static_cast<double>(range) / step) + 1;
    const int spacing = count > 1 ? ruler / (count - 1) : ruler;
    if (spacing >= 4 || spacing >= ruler) break;
  }
  Canvas.Pen()->SetStyle(TPenStyle::psSolid);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetColor(FSkinControlIndex == -1 ? clWindowText : FPointsColor);
  const TSize thumb = ThumbSize();
  for (int i = 1; i <= count; ++i) {
    const int v = i == count ? FMaxValue : std::min(FMaxValue, FMinValue + (i - 1) * step);
    const int length = v == FMinValue || v == FMaxValue ? EndLength : TickLength;
    const int offset = GetOffsetByValue(v);
    if (Vertical()) {
      const int y = offset + thumb.cy / 2;
      Canvas.MoveTo(FPointsRect.left, y);
      Canvas.LineTo(FPointsRect.left + length, y);
    } else {
      const int x = offset + thumb.cx / 2;
      Canvas.MoveTo(x, FPointsRect.top);
      Canvas.LineTo(x, FPointsRect.top + length);
    }
  }
}

void TskSkinCustomSlider::DefaultDrawPoints(int Step, int TickLength, int EndLength) {
  InternalDrawPoints(Canvas(), Step, TickLength, EndLength);
}

void TskSkinCustomSlider::DrawThumb(TCanvas& Canvas, const TPoint& At, bool Pressed) {
  const TSize size = ThumbSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  TRect source = ThumbSource();
  if (ThumbStates() == 2 && Pressed) source.left += size.cx;
  TBitmap& picture = SkinThumb() ? *FSkinPicture
                                 : *FImages[static_cast<int>(Vertical() ? TskSliderImage::siVThumb : TskSliderImage::siHThumb)];
  if (picture.Empty()) return;
  TBitmap thumb;
  thumb.SetSize(size.cx, size.cy);
  thumb.Canvas()->CopyRect(Rect(0, 0, size.cx, size.cy), *picture.Canvas(),
                           Rect(source.left, source.top, source.left + size.cx, source.top + size.cy));
  thumb.SetTransparent(SkinThumb() || !FOptions.Contains(TskSliderOption::soThumbOpaque));
  Canvas.Draw(At.x, At.y, &thumb);
}

void TskSkinCustomSlider::Paint() {
  GetSkinData();
  const int w = ClientWidth(), h = ClientHeight();
  if (w <= 0 || h <= 0) return;
  // Drawn off-screen and copied in one block, so the thumb never flickers over the ruler.
  TBitmap buffer;
  buffer.SetSize(w, h);
  TCanvas& canvas = *buffer.Canvas();
  if (FTransparent) {
    GetParentImage(this, canvas);
  } else {
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(FSkinControlIndex == -1 ? Color() : FBGColor);
    canvas.FillRect(Rect(0, 0, w, h));
  }
  if (!FRulerBitmap->Empty()) {
    FRulerBitmap->SetTransparent(!(FOptions.Contains(TskSliderOption::soRulerOpaque) && FSkinControlIndex == -1));
    canvas.Draw(FRulerPos.x, FRulerPos.y, FRulerBitmap.get());
  }
  if (FOptions.Contains(TskSliderOption::soShowFocus) && FHasFocus && !Designing(*this)) {
    TRect focus = GetSliderRect();
    InflateRect(&focus, -2, -2);
    canvas.DrawFocusRect(focus);
  }
  if (FOptions.Contains(TskSliderOption::soShowPoints)) {
    if (OnDrawPoints) OnDrawPoints(this);
    else InternalDrawPoints(canvas, FIncrement, 3, 5);
  }
  const TPoint at = ControlState().Contains(TControlStateItem::csPaintCopy)
                        ? GetThumbPosition(GetOffsetByValue(GetSliderValue()))
                        : Point(FThumbBounds.left, FThumbBounds.top);
  DrawThumb(canvas, at, FThumbPressed || !Enabled());
  Canvas().Draw(0, 0, &buffer);
}

void TskSkinCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != TMouseButton::mbLeft || !CanModify() || FReadOnly) return;
  FThumbDragging = true;
  FThumbPressed = true;
  FHitOffset = Vertical() ? Y - FThumbBounds.top : X - FThumbBounds.left;
  InvalidateThumb();
}

void TskSkinCustomSlider::ThumbMouseMove(TShiftState, int X, int Y) {
  if (!CanModify() || FReadOnly) return;
  SetThumbOffset((Vertical() ? Y : X) - FHitOffset);
}

void TskSkinCustomSlider::ThumbMouseUp(TMouseButton Button, TShiftState, int, int) {
  if (Button != TMouseButton::mbLeft) return;
  FThumbDragging = false;
  FThumbPressed = false;
  InvalidateThumb();
  if (HandleAllocated()) UpdateWindow(Handle());
  if (CanModify() && !FReadOnly) Changed();
}

void TskSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || Shift.Contains(TShiftStateItem::ssDouble)) return;
  if (CanFocus() && !Focused()) SetFocus();
  const POINT p{X, Y};
  if (PtInRect(&FThumbBounds, p)) return ThumbMouseDown(Button, Shift, X, Y);
  TRect ruler = Rect(FRulerPos.x, FRulerPos.y, FRulerPos.x + FRulerBitmap->Width(), FRulerPos.y + FRulerBitmap->Height());
  if (Vertical()) InflateRect(&ruler, 3, 0);
  else InflateRect(&ruler, 0, 3);
  if (!PtInRect(&ruler, p) || !CanModify() || FReadOnly) return;
  SetCapture(Handle());
  FTracking = true;
  FTrackPoint = Point(X, Y);
  FTrackJump = JumpTo(X, Y);
  TimerTrack();
}

void TskSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseMove(Shift, X, Y);
  if (Shift.Contains(TShiftStateItem::ssLeft) && FThumbDragging) ThumbMouseMove(Shift, X, Y);
  else if (FTracking) FTrackPoint = Point(X, Y);
}

void TskSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  StopTracking();
  if (FThumbDragging) ThumbMouseUp(Button, Shift, X, Y);
  TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomSlider::TimerTrack() {
  if (JumpTo(FTrackPoint.x, FTrackPoint.y) != FTrackJump) return;
  ThumbJump(FTrackJump);
  if (!FTrackTimerActive && HandleAllocated()) FTrackTimerActive = SetTimer(Handle(), TrackTimer, TrackInterval, nullptr) != 0;
}

void TskSkinCustomSlider::StopTracking() {
  if (!FTracking) return;
  if (FTrackTimerActive && HandleAllocated()) KillTimer(Handle(), TrackTimer);
  FTrackTimerActive = false;
  FTracking = false;
  if (GetCapture() == (HandleAllocated() ? Handle() : nullptr)) ReleaseCapture();
  Changed();
}

void TskSkinCustomSlider::KeyDown(WORD& Key, TShiftState Shift) {
  TskJumpMode mode = TskJumpMode::jmNone;
  if (Shift.Empty()) {
    switch (Key) {
      case VK_HOME: mode = TskJumpMode::jmHome; break;
      case VK_END: mode = TskJumpMode::jmEnd; break;
      case VK_LEFT: if (!Vertical()) mode = TskJumpMode::jmPrior; break;
      case VK_RIGHT: if (!Vertical()) mode = TskJumpMode::jmNext; break;
      case VK_UP: if (Vertical()) mode = TskJumpMode::jmNext; break;
      case VK_DOWN: if (Vertical()) mode = TskJumpMode::jmPrior; break;
      default: break;
    }
  }
  if (mode != TskJumpMode::jmNone && CanModify() && !FReadOnly) {
    Key = 0;
    ThumbJump(mode);
    Changed();
  }
  TskSkinControl::KeyDown(Key, Shift);
}

void TskSkinCustomSlider::EnabledChanged() {
  TskSkinControl::EnabledChanged();
  InvalidateThumb();
}

void TskSkinCustomSlider::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case CM_WANTSPECIALKEY:
      Message.Result = (Message.WParam >= VK_END && Message.WParam <= VK_DOWN) ? 1 : 0;
      return;
    case WM_TIMER:
      if (Message.WParam == TrackTimer) {
        TimerTrack();
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TskSkinControl::Dispatch(Message);
      const bool focused = Message.Msg == WM_SETFOCUS;
      if (focused != FHasFocus) {
        FHasFocus = focused;
        if (FOptions.Contains(TskSliderOption::soShowFocus)) Invalidate();
      }
      return;
    }
    case WM_SIZE:
      TskSkinControl::Dispatch(Message);
      if (!Reading()) Sized();
      return;
    case WM_MOVE:
      TskSkinControl::Dispatch(Message);
      if (FTransparent) Invalidate();
      return;
  }
  TskSkinControl::Dispatch(Message);
}

}  // namespace skin
