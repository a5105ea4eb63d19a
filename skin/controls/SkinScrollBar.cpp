#include "skin/controls/SkinScrollBar.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace skin {

using namespace classlib;

namespace {

constexpr UINT_PTR RepeatTimerId = 1;
constexpr unsigned RepeatDelay = 500;
constexpr unsigned RepeatInterval = 50;
constexpr int DefaultButtonLength = 17;
constexpr int DefaultMinThumbLength = 16;

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

bool Loading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

// The nearest integer, halves going to the even neighbour (the default rounding mode).
int RoundHalfEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

bool Inside(const TRect& R, int X, int Y) {
  const POINT p{X, Y};
  return PtInRect(&R, p) != FALSE;
}

TRect OrElse(const TRect& R, const TRect& Fallback) { return IsNullRect(R) ? Fallback : R; }

TRect OffsetBy(const TRect& R, int DX, int DY) { return Rect(R.left + DX, R.top + DY, R.right + DX, R.bottom + DY); }

}  // namespace

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "hscrollbar";
  FDefaultHeight = 19;
  SetTabOrder(-1);
  TskSkinCustomControl::SetBounds(Left(), Top(), 200, 19);
}

// ---------------------------------------------------------------------------------------------
// Range and position

int TskSkinScrollBar::Clamped(int Value) const {
  // A page larger than the range leaves only Min; no page lets the thumb reach Max itself.
  const long long last = FPageSize > 0 ? static_cast<long long>(FMax) - FPageSize + 1 : FMax;
  const long long high = std::max<long long>(FMin, last);
  return static_cast<int>(std::clamp<long long>(Value, FMin, high));
}

void TskSkinScrollBar::SetPosition(int Value) {
  const int position = Clamped(Value);
  if (position == FPosition) return;
  FPosition = position;
  Repaint();
  if (OnChange) OnChange(this);
}

void TskSkinScrollBar::SimplySetPosition(int Value) {
  const int position = Clamped(Value);
  if (position == FPosition) return;
  FPosition = position;
  Repaint();
}

void TskSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize) {
  const int min = FMin, max = FMax, pageSize = FPageSize, position = FPosition;
  FMin = AMin;
  FMax = AMax;
  FPageSize = std::max(APageSize, 0);
  FPosition = Clamped(APosition);
  // A view brings its bars into line at every paint of its own; a bar already there is not drawn again.
  if (FMin != min || FMax != max || FPageSize != pageSize || FPosition != position) Repaint();
}

void TskSkinScrollBar::SetMin(int Value) {
  FMin = Value;
  FPosition = Clamped(FPosition);
  Repaint();
}

void TskSkinScrollBar::SetMax(int Value) {
  FMax = Value;
  FPosition = Clamped(FPosition);
  Repaint();
}

void TskSkinScrollBar::SetPageSize(int Value) {
  // A page that would run past Max from the present position is refused.
  if (Value >= 0 && static_cast<long long>(FPosition) + Value - 1 <= FMax) FPageSize = Value;
  FPosition = Clamped(FPosition);
  Repaint();
}

// The steps do not show, so setting them draws nothing.
void TskSkinScrollBar::SetSmallChange(int Value) { FSmallChange = Value; }

void TskSkinScrollBar::SetLargeChange(int Value) { FLargeChange = Value; }

// ---------------------------------------------------------------------------------------------
// Kind, both and focus

void TskSkinScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  if (Designing(*this) && !Loading(*this)) {
    const bool vertical = FKind == TScrollBarKind::sbVertical;
    FSkinDataName = vertical ? "vscrollbar" : "hscrollbar";
    if (vertical ? Width() > Height() : Height() > Width()) SetBounds(Left(), Top(), Height(), Width());
    if (vertical) {
      FDefaultWidth = FDefaultHeight;
      FDefaultHeight = 0;
    } else {
      FDefaultHeight = FDefaultWidth;
      FDefaultWidth = 0;
    }
  }
  Repaint();
}

void TskSkinScrollBar::SetBoth(bool Value) {
  if (Value == FBoth) return;
  FBoth = Value;
  if (!Designing(*this)) {
    if (FBoth) {
      FSavedSkinDataName = FSkinDataName;
      FSkinDataName = FBothSkinDataName;
    } else if (!FSavedSkinDataName.empty()) {
      FSkinDataName = FSavedSkinDataName;
    }
  }
  // The other name may have a description of another size, or none at all.
  if (FSkinData && !FSkinData->Empty)
    ChangeSkinData();
  else
    Repaint();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value) {
  if (Value < 0) return;
  FBothMarkerWidth = Value;
  if (FSkinControlIndex == -1) Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

bool TskSkinScrollBar::IsFocused() { return FCanFocused && HandleAllocated() && GetFocus() == Handle(); }

// ---------------------------------------------------------------------------------------------
// Skin and layout

void TskSkinScrollBar::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinScrollBarControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FTrackArea = data->TrackArea;
  FUpButtonRect = data->UpButtonRect;
  FActiveUpButtonRect = data->ActiveUpButtonRect;
  FDownUpButtonRect = OrElse(data->DownUpButtonRect, FActiveUpButtonRect);
  FDownButtonRect = data->DownButtonRect;
  FActiveDownButtonRect = data->ActiveDownButtonRect;
  FDownDownButtonRect = OrElse(data->DownDownButtonRect, FActiveDownButtonRect);
  FThumbRect = data->ThumbRect;
  FActiveThumbRect = OrElse(data->ActiveThumbRect, FThumbRect);
  FDownThumbRect = OrElse(data->DownThumbRect, FActiveThumbRect);
  FThumbOffset1 = data->ThumbOffset1;
  FThumbOffset2 = data->ThumbOffset2;
  FThumbTransparent = data->ThumbTransparent;
  FThumbTransparentColor = data->ThumbTransparentColor;
  FGlyphRect = data->GlyphRect;
  FActiveGlyphRect = OrElse(data->ActiveGlyphRect, FGlyphRect);
  FDownGlyphRect = OrElse(data->DownGlyphRect, FActiveGlyphRect);
}

void TskSkinScrollBar::CalcSize(int& W, int& H) {
  TskSkinCustomControl::CalcSize(W, H);
  CalcRects();
}

void TskSkinScrollBar::CalcRects() {
  TRect& up = FParts[UpButtonPart].R;
  TRect& down = FParts[DownButtonPart].R;
  TRect& thumb = FParts[ThumbPart].R;
  if (FSkinControlIndex == -1) {
    const int w = FBoth && Horizontal() ? Width() - FBothMarkerWidth : Width();
    const int h = Height();
    const int b = DefaultButtonLength;
    if (Horizontal()) {
      down = Rect(1, 1, b, h - 1);
      up = Rect(w - b, 1, w - 1, h - 1);
      FTrackRect = Rect(b, 1, w - b, h - 1);
    } else {
      down = Rect(1, 1, Width() - 1, b);
      up = Rect(1, h - b, Width() - 1, h - 1);
      FTrackRect = Rect(1, b, Width() - 1, h - b);
    }
    CalcThumb(DefaultMinThumbLength);
    // The default thumb spans the track's whole thickness.
    if (Horizontal()) {
      thumb.top = FTrackRect.top;
      thumb.bottom = FTrackRect.bottom;
    } else {
      thumb.left = FTrackRect.left;
      thumb.right = FTrackRect.right;
    }
    return;
  }
  const int dx = Width() - RectWidth(SkinRect);
  const int dy = Height() - RectHeight(SkinRect);
  FTrackRect = FTrackArea;
  up = FUpButtonRect;
  down = FDownButtonRect;
  // The buttons beyond the stretching middle of the skin piece move with the control's far end.
  if (Horizontal()) {
    FTrackRect.right += dx;
    if (up.left > SkinRightTopPoint.x) up = OffsetBy(up, dx, 0);
    if (down.left > SkinRightTopPoint.x) down = OffsetBy(down, dx, 0);
    CalcThumb(RectWidth(FThumbRect));
    const int thickness = RectHeight(FThumbRect);
    thumb.top = FTrackRect.top + RectHeight(FTrackRect) / 2 - thickness / 2;
    thumb.bottom = thumb.top + thickness;
  } else {
    FTrackRect.bottom += dy;
    if (up.top > SkinLeftBottomPoint.y) up = OffsetBy(up, 0, dy);
    if (down.top > SkinLeftBottomPoint.y) down = OffsetBy(down, 0, dy);
    CalcThumb(RectHeight(FThumbRect));
    const int thickness = RectWidth(FThumbRect);
    thumb.left = FTrackRect.left + RectWidth(FTrackRect) / 2 - thickness / 2;
    thumb.right = thumb.left + thickness;
  }
}

void TskSkinScrollBar::CalcThumb(int MinLength) {
  const int start = Horizontal() ? FTrackRect.left : FTrackRect.top;
  const int end = Horizontal() ? FTrackRect.right : FTrackRect.bottom;
  const int trackLength = end - start;
  int length = MinLength;
  // The fraction of the travel, kept as a quotient so that each rounding divides only once and an
  // exact half stays exact.
  double part = 0, whole = 1;
  if (FPageSize == 0) {
    if (FMax != FMin) {
      part = static_cast<double>(FPosition) - FMin;
      whole = static_cast<double>(FMax) - FMin;
    }
  } else {
    const double range = static_cast<double>(FMax) - FMin + 1;
    const int proportional = range == 0 ? 0 : RoundHalfEven(static_cast<double>(trackLength) * FPageSize / range);
    // A page larger than the range gives a thumb as long as the track, never one over the buttons.
    length = std::max(MinLength, std::min(proportional, trackLength));
    const double last = static_cast<double>(FMax) - FPageSize + 1;
    if (last > FMin) {
      part = static_cast<double>(FPosition) - FMin;
      whole = last - FMin;
    } else if (FSkinControlIndex == -1) {
      part = 1;
    }
  }
  FThumbTravelStart = start + length / 2;
  FThumbTravelEnd = end - length / 2;
  FThumbShift = RoundHalfEven((FThumbTravelEnd - FThumbTravelStart) * part / whole);
  const int centre = FThumbTravelStart + FThumbShift;
  TRect& thumb = FParts[ThumbPart].R;
  if (Horizontal()) {
    thumb.left = centre - length / 2;
    thumb.right = centre + length / 2;
  } else {
    thumb.top = centre - length / 2;
    thumb.bottom = centre + length / 2;
  }
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinScrollBar::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  FImage.SetSize(Width(), Height());
  // As white as a new bitmap, wherever the look leaves a part undrawn.
  TCanvas& canvas = *FImage.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  if (FSkinControlIndex != -1)
    CreateControlSkinImage(FImage);
  else if (FDrawDefault)
    CreateControlDefaultImage(FImage);
  DrawControlImage(FImage);
}

void TskSkinScrollBar::CreateControlDefaultImage(TBitmap& B) {
  CalcRects();
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  // A disabled bar has nothing to drag.
  for (int part = Enabled() ? ThumbPart : UpButtonPart; part <= DownButtonPart; ++part) DrawButton(canvas, part);
}

void TskSkinScrollBar::CreateControlSkinImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlSkinImage(B);
  CalcRects();
  DrawButton(*B.Canvas(), UpButtonPart);
  DrawButton(*B.Canvas(), DownButtonPart);
  if (Enabled()) DrawButton(*B.Canvas(), ThumbPart);
}

void TskSkinScrollBar::DrawButton(TCanvas& Canvas, int Index) {
  const TScrollBarPart& part = FParts[static_cast<size_t>(Index)];
  if (FSkinControlIndex == -1) {
    bool pressed = part.Down && part.Hovered;
    if (Index == ThumbPart) pressed = pressed || part.Down || IsFocused();
    TColor frame = clBtnShadow, face = clBtnFace;
    if (pressed) {
      frame = clNavy;
      face = 0xB59385;
    } else if (part.Hovered) {
      frame = clNavy;
      face = 0xD2BDB6;
    }
    const TRect& r = part.R;
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(frame);
    Canvas.FrameRect(r);
    Canvas.Brush()->SetColor(face);
    Canvas.FillRect(Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
    // Arrow codes: 1 left, 2 right, 3 up, 4 down.
    if (Index == UpButtonPart) DrawArrowImage(Canvas, r, clBlack, Horizontal() ? 2 : 4);
    if (Index == DownButtonPart) DrawArrowImage(Canvas, r, clBlack, Horizontal() ? 1 : 3);
    return;
  }
  if (Index == ThumbPart) {
    DrawSkinThumb(Canvas);
    return;
  }
  // The normal look of the buttons is part of the skin piece already.
  const bool up = Index == UpButtonPart;
  TRect source{};
  if (part.Down && part.Hovered)
    source = up ? FDownUpButtonRect : FDownDownButtonRect;
  else if (part.Hovered)
    source = up ? FActiveUpButtonRect : FActiveDownButtonRect;
  if (!SkinBitmap || SkinBitmap->Empty() || IsNullRect(source)) return;
  Canvas.CopyRect(part.R, *SkinBitmap->Canvas(), source);
}

void TskSkinScrollBar::DrawSkinThumb(TCanvas& Canvas) {
  const TScrollBarPart& part = FParts[ThumbPart];
  const int w = RectWidth(part.R);
  const int h = RectHeight(part.R);
  if (!SkinBitmap || SkinBitmap->Empty() || w <= 0 || h <= 0) return;
  const bool down = part.Down || IsFocused();
  const TRect source = down ? FDownThumbRect : part.Hovered ? FActiveThumbRect : FThumbRect;
  TBitmap& thumb = FThumb;
  thumb.SetPixelFormat(TPixelFormat::pf24bit);
  if (FPageSize != 0) {
    if (Horizontal())
      CreateHSkinImage(FThumbOffset1, FThumbOffset2, thumb, *SkinBitmap, source, w, h, false);
    else
      CreateVSkinImage(FThumbOffset1, FThumbOffset2, thumb, *SkinBitmap, source, w, h, false);
  } else {
    thumb.SetSize(w, h);
    thumb.Canvas()->CopyRect(Rect(0, 0, w, h), *SkinBitmap->Canvas(), source);
  }
  const TRect glyph = down ? FDownGlyphRect : part.Hovered ? FActiveGlyphRect : FGlyphRect;
  if (!IsNullRect(glyph)) {
    const int gx = thumb.Width() / 2 - RectWidth(glyph) / 2;
    const int gy = thumb.Height() / 2 - RectHeight(glyph) / 2;
    thumb.Canvas()->CopyRect(Rect(gx, gy, gx + RectWidth(glyph), gy + RectHeight(glyph)), *SkinBitmap->Canvas(),
                             glyph);
  }
  if (FAlphaBlend) {
    TBitmap below;
    below.SetPixelFormat(TPixelFormat::pf24bit);
    below.SetSize(thumb.Width(), thumb.Height());
    below.Canvas()->CopyRect(Rect(0, 0, thumb.Width(), thumb.Height()), Canvas,
                             Rect(part.R.left, part.R.top, part.R.left + thumb.Width(), part.R.top + thumb.Height()));
    TskEffectBmp blended(thumb.Handle());
    blended.Morph(TskEffectBmp(below.Handle()), 1 - FAlphaBlendValue / 255.0);
    blended.Draw(thumb.Canvas()->Handle(), 0, 0);
  }
  thumb.SetTransparentColor(FThumbTransparentColor);
  thumb.SetTransparent(FThumbTransparent);
  Canvas.Draw(part.R.left, part.R.top, &thumb);
}

// ---------------------------------------------------------------------------------------------
// Mouse and repeat

void TskSkinScrollBar::TestActive(int X, int Y) {
  int hit = -1;
  for (int i = ThumbPart; i <= DownButtonPart && hit == -1; ++i)
    if (Inside(FParts[static_cast<size_t>(i)].R, X, Y)) hit = i;
  if (FCapturedPart != -1 && hit != FCapturedPart) hit = -1;
  if (hit == FHotPart) return;
  const int previous = FHotPart;
  FHotPart = hit;
  if (previous != -1) ButtonLeave(previous);
  if (hit != -1) ButtonEnter(hit);
}

void TskSkinScrollBar::ButtonEnter(int Index) {
  TScrollBarPart& part = FParts[static_cast<size_t>(Index)];
  part.Hovered = true;
  Repaint();
  // Sliding back onto a held button resumes its repeat.
  if (Index != ThumbPart && part.Down) StartTimer(RepeatInterval);
}

void TskSkinScrollBar::ButtonLeave(int Index) {
  TScrollBarPart& part = FParts[static_cast<size_t>(Index)];
  part.Hovered = false;
  Repaint();
  // Sliding off a held button pauses its repeat; the mode stays for the way back.
  if (Index != ThumbPart && part.Down && HandleAllocated()) {
    KillTimer(Handle(), RepeatTimerId);
    FTimerInterval = 0;
  }
}

void TskSkinScrollBar::ButtonDown(int Index, int X, int Y) {
  FParts[static_cast<size_t>(Index)].Down = true;
  Repaint();
  switch (Index) {
    case UpButtonPart:
      if (OnUpButtonClick)
        OnUpButtonClick(this);
      else
        SetPosition(FPosition + FSmallChange);
      FRepeatMode = rmUpButton;
      StartTimer(RepeatDelay);
      break;
    case DownButtonPart:
      if (OnDownButtonClick)
        OnDownButtonClick(this);
      else
        SetPosition(FPosition - FSmallChange);
      FRepeatMode = rmDownButton;
      StartTimer(RepeatDelay);
      break;
    default:
      FDragAnchor = Horizontal() ? X : Y;
      FDragStartShift = FThumbShift;
      FThumbDragging = true;
      Repaint();
      break;
  }
}

void TskSkinScrollBar::ButtonUp(int Index, int, int) {
  TScrollBarPart& part = FParts[static_cast<size_t>(Index)];
  part.Down = false;
  if (Index != FHotPart) part.Hovered = false;
  Repaint();
  if (Index == ThumbPart)
    FThumbDragging = false;
  else
    StopTimer();
}

void TskSkinScrollBar::StartTimer(unsigned Interval) {
  if (!HandleAllocated()) return;
  KillTimer(Handle(), RepeatTimerId);
  SetTimer(Handle(), RepeatTimerId, Interval, nullptr);
  FTimerInterval = Interval;
}

void TskSkinScrollBar::StartScroll() { StartTimer(RepeatInterval); }

void TskSkinScrollBar::StopTimer() {
  if (HandleAllocated()) KillTimer(Handle(), RepeatTimerId);
  FTimerInterval = 0;
  FRepeatMode = rmIdle;
}

void TskSkinScrollBar::PageStep(bool ToMin) {
  if (ToMin) {
    SetPosition(FPosition - FLargeChange);
    if (OnPageUp) OnPageUp(this);
  } else {
    SetPosition(FPosition + FLargeChange);
    if (OnPageDown) OnPageDown(this);
  }
}

void TskSkinScrollBar::RepeatTick() {
  if (FRepeatDelayPending) {
    FRepeatDelayPending = false;
    StartScroll();
    return;
  }
  switch (FRepeatMode) {
    case rmDownButton:
      if (OnDownButtonClick)
        OnDownButtonClick(this);
      else
        SetPosition(FPosition - FSmallChange);
      break;
    case rmUpButton:
      if (OnUpButtonClick)
        OnUpButtonClick(this);
      else
        SetPosition(FPosition + FSmallChange);
      break;
    case rmPageToMin:
    case rmPageToMax: {
      TestActive(FLastMouseX, FLastMouseY);
      CalcRects();
      const TRect& thumb = FParts[ThumbPart].R;
      const int pointer = Horizontal() ? FLastMouseX : FLastMouseY;
      // Paging goes on until the thumb reaches the pointer.
      const bool toMin = FRepeatMode == rmPageToMin;
      const bool short_of_pointer = toMin ? pointer < (Horizontal() ? thumb.left : thumb.top)
                                          : pointer > (Horizontal() ? thumb.right : thumb.bottom);
      if (short_of_pointer)
        PageStep(toMin);
      else
        StopTimer();
      break;
    }
    case rmIdle:
      break;
  }
}

int TskSkinScrollBar::CalcValue(int Offset) const {
  const int travel = FThumbTravelEnd - FThumbTravelStart;
  const double range = static_cast<double>(FMax) - FMin;
  const double span = FPageSize == 0 ? range : range - FPageSize + 1;
  double steps = 0;
  if (travel > 0) steps = span * std::clamp(Offset, 0, travel) / travel;
  return static_cast<int>(std::clamp<double>(FMin + std::nearbyint(steps), INT_MIN, INT_MAX));
}

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  // The release and the moves of a drag must come back here even outside the bar.
  if (HandleAllocated()) SetCapture(Handle());
  FMouseIsDown = true;
  // A press with no move before it still gives paging a pointer to reach.
  FLastMouseX = X;
  FLastMouseY = Y;
  CalcRects();
  FRepeatMode = rmIdle;
  FRepeatDelayPending = true;
  for (int i = ThumbPart; i <= DownButtonPart; ++i) {
    if (!Inside(FParts[static_cast<size_t>(i)].R, X, Y)) continue;
    FCapturedPart = i;
    ButtonDown(i, X, Y);
    return;
  }
  if (!Inside(FTrackRect, X, Y)) return;
  const TRect& thumb = FParts[ThumbPart].R;
  const bool toMin = (Horizontal() ? X : Y) < (Horizontal() ? thumb.left : thumb.top);
  if (toMin) {
    SetPosition(FPosition - FLargeChange);
    FRepeatMode = rmPageToMin;
    StartTimer(RepeatDelay);
    if (OnPageUp) OnPageUp(this);
  } else {
    SetPosition(FPosition + FLargeChange);
    FRepeatMode = rmPageToMax;
    StartTimer(RepeatDelay);
    if (OnPageDown) OnPageDown(this);
  }
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMouseX = X;
  FLastMouseY = Y;
  TestActive(X, Y);
  if (FThumbDragging) {
    const int pointer = Horizontal() ? X : Y;
    SetPosition(CalcValue(pointer - FDragAnchor + FDragStartShift));
  }
  TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  FMouseIsDown = false;
  if (FRepeatMode == rmPageToMin || FRepeatMode == rmPageToMax) StopTimer();
  const int captured = FCapturedPart;
  if (captured != -1) ButtonUp(captured, X, Y);
  FCapturedPart = -1;
  if (Button == TMouseButton::mbLeft && HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (Button == TMouseButton::mbLeft && captured == ThumbPart && OnLastChange) OnLastChange(this);
}

void TskSkinScrollBar::CancelPress() {
  StopTimer();
  FMouseIsDown = false;
  FThumbDragging = false;
  if (FCapturedPart != -1) FParts[static_cast<size_t>(FCapturedPart)].Down = false;
  FCapturedPart = -1;
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// Keyboard and messages

void TskSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomControl::KeyDown(Key, Shift);
  if (!FCanFocused) return;
  if (Key == VK_LEFT || Key == VK_UP)
    SetPosition(FPosition - FSmallChange);
  else if (Key == VK_RIGHT || Key == VK_DOWN)
    SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::WndProc(TMessage& Message) {
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

void TskSkinScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (!FInWMPaint && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      // A focused bar shows its thumb pressed.
      if (FCanFocused) Repaint();
      return;
    case WM_MOUSEWHEEL:
      if (IsFocused())
        SetPosition(FPosition + (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? -FSmallChange : FSmallChange));
      return;
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      if (Message.WParam == RepeatTimerId) RepeatTick();
      return;
    case WM_CAPTURECHANGED:
      TskSkinCustomControl::Dispatch(Message);
      // Another window took the mouse, or the bar was disabled: no release will come to end the
      // press, which would otherwise repeat on for ever.
      if ((FMouseIsDown || FCapturedPart != -1 || FRepeatMode != rmIdle) &&
          reinterpret_cast<HWND>(Message.LParam) != Handle())
        CancelPress();
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      if (!Designing(*this) && FHotPart != -1 && FCapturedPart == -1 && !FThumbDragging) {
        FParts[static_cast<size_t>(FHotPart)].Hovered = false;
        Repaint();
        FHotPart = -1;
      }
      return;
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      Repaint();
      return;
    case CM_WANTSPECIALKEY:
      TskSkinCustomControl::Dispatch(Message);
      if (FCanFocused && Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) Message.Result = 1;
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
