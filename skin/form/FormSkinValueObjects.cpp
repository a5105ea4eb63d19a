#include "skin/form/FormSkinValueObjects.h"

#include "platform/classlib/WideText.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinPopupMenu.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TColor;
using classlib::TMouseButton;
using classlib::TPoint;
using classlib::TRect;

namespace {

// The integer nearest to V, halves going to the even one (the rounding mode in force is the default).
int Nearest(double V) { return static_cast<int>(std::lrint(V)); }

// Within Lo..Hi; a reversed range gives Lo, so a broken description cannot trip an assertion.
int Clamp(int V, int Lo, int Hi) { return std::max(Lo, std::min(V, Hi)); }

// Where Value lies between Min and Max, 0 at Min; 0 as well when the range is empty.
double Fraction(int Value, int Min, int Max) {
  if (Max == Min) return 0;
  return static_cast<double>(Value - Min) / (Max - Min);
}

bool HasLook(const TBitmap* Picture, const TRect& Source) {
  return Picture && !Picture->Empty() && !IsNullRect(Source);
}

// Width x Height of Source from (FromX, FromY) onto B at (X, Y), unscaled.
void Blit(TBitmap& B, int X, int Y, int Width, int Height, TBitmap& Picture, const TRect& Source, int FromX,
          int FromY) {
  if (Width <= 0 || Height <= 0) return;
  B.Canvas()->CopyRect(TRect{X, Y, X + Width, Y + Height}, *Picture.Canvas(),
                       TRect{Source.left + FromX, Source.top + FromY, Source.left + FromX + Width,
                             Source.top + FromY + Height});
}

void SizeLike(TBitmap& B, const TRect& R) {
  B.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  B.SetSize(RectWidth(R), RectHeight(R));
}

bool InObject(const TRect& R, int X, int Y) {
  const POINT p{X, Y};
  return PtInRect(&R, p) != FALSE;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinTrackBarObject

TskSkinTrackBarObject::TskSkinTrackBarObject(TskFormSkin* AParent, const TskDataSkinTrackBar* AData)
    : TskActiveSkinObject(AParent, AData) {
  Morphing = false;
  if (AData) {
    if (ObjectPicture) {
      ButtonRect = AData->ButtonRect;
      ActiveButtonRect = AData->ActiveButtonRect;
    }
    BeginPoint = AData->BeginPoint;
    EndPoint = AData->EndPoint;
    MinValue = AData->MinValue;
    MaxValue = AData->MaxValue;
    MouseDownChangeValue = AData->MouseDownChangeValue;
    ButtonTransparent = AData->ButtonTransparent;
    ButtonTransparentColor = AData->ButtonTransparentColor;
  }
  TrackOrientation = std::abs(EndPoint.y - BeginPoint.y) >= std::abs(EndPoint.x - BeginPoint.x) ? 1 : 0;
  Value = MinValue;
  ThumbCentre = PreviousThumbCentre = CalcButtonPos();
}

TPoint TskSkinTrackBarObject::CalcButtonPos() const {
  const double f = Fraction(Value, MinValue, MaxValue);
  if (!Vertical()) return TPoint{Nearest(f * (EndPoint.x - BeginPoint.x)) + BeginPoint.x, BeginPoint.y};
  return TPoint{BeginPoint.x, Nearest((1 - f) * (BeginPoint.y - EndPoint.y)) + EndPoint.y};
}

int TskSkinTrackBarObject::CalcValue() const {
  double f = 0;
  if (!Vertical() && EndPoint.x != BeginPoint.x)
    f = static_cast<double>(ThumbCentre.x - BeginPoint.x) / (EndPoint.x - BeginPoint.x);
  else if (Vertical() && BeginPoint.y != EndPoint.y)
    f = 1 - static_cast<double>(ThumbCentre.y - EndPoint.y) / (BeginPoint.y - EndPoint.y);
  return Nearest((MaxValue - MinValue) * f) + MinValue;
}

TRect TskSkinTrackBarObject::CalcButtonRect(const TPoint& P) const {
  const int w = RectWidth(ButtonRect), h = RectHeight(ButtonRect);
  return TRect{P.x - w / 2, P.y - h / 2, P.x - w / 2 + w, P.y - h / 2 + h};
}

void TskSkinTrackBarObject::StoreValue(int AValue) {
  Value = Clamp(AValue, MinValue, MaxValue);
  PreviousThumbCentre = ThumbCentre;
  ThumbCentre = CalcButtonPos();
}

void TskSkinTrackBarObject::SimplySetValue(int AValue) {
  StoreValue(AValue);
  Parent->TrackBarChangeValueEvent(IDName, Value);
}

void TskSkinTrackBarObject::SetValue(int AValue) {
  if (AValue == Value) return;
  StoreValue(AValue);
  Parent->DrawSkinObject(*this);
  Parent->TrackBarChangeValueEvent(IDName, Value);
}

void TskSkinTrackBarObject::SetButtonPos(const TPoint& P) {
  if (P.x == ThumbCentre.x && P.y == ThumbCentre.y) return;
  PreviousThumbCentre = ThumbCentre;
  ThumbCentre = P;
  Value = CalcValue();
  Parent->DrawSkinObject(*this);
  Parent->TrackBarChangeValueEvent(IDName, Value);
}

void TskSkinTrackBarObject::Draw(TCanvas& Canvas, bool) {
  if (IsNullRect(SkinRect) || !HasLook(SourcePicture, SkinRect)) return;
  TBitmap image;
  SizeLike(image, SkinRect);
  const int w = image.Width(), h = image.Height();
  const bool filled = HasLook(ObjectPicture, ActiveSkinRect);
  if (!filled) {
    Blit(image, 0, 0, w, h, *SourcePicture, SkinRect, 0, 0);
  } else if (!Vertical()) {
    const int split = Clamp(ThumbCentre.x, 0, w);
    Blit(image, 0, 0, std::min(split, RectWidth(ActiveSkinRect)), h, *ObjectPicture, ActiveSkinRect, 0, 0);
    Blit(image, split, 0, w - split, h, *SourcePicture, SkinRect, split, 0);
  } else {
    const int split = Clamp(ThumbCentre.y, 0, h);
    Blit(image, 0, 0, w, split, *SourcePicture, SkinRect, 0, 0);
    Blit(image, 0, split, w, std::min(h, RectHeight(ActiveSkinRect)) - split, *ObjectPicture, ActiveSkinRect, 0, split);
  }
  const TRect& thumb = ThumbDragging && !IsNullRect(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
  if (HasLook(ObjectPicture, thumb)) {
    const TRect place = CalcButtonRect(ThumbCentre);
    if (ButtonTransparent) {
      TBitmap button;
      SizeLike(button, thumb);
      Blit(button, 0, 0, button.Width(), button.Height(), *ObjectPicture, thumb, 0, 0);
      button.SetTransparentColor(ButtonTransparentColor);
      button.SetTransparent(true);
      image.Canvas()->Draw(place.left, place.top, &button);
    } else {
      image.Canvas()->CopyRect(place, *ObjectPicture->Canvas(), thumb);
    }
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

TPoint TskSkinTrackBarObject::ObjectPoint(int X, int Y) const {
  return TPoint{X - ObjectRect.left, Y - ObjectRect.top};
}

void TskSkinTrackBarObject::MouseDown(int X, int Y, TMouseButton Button) {
  const TPoint p = ObjectPoint(X, Y);
  if (Button == TMouseButton::mbLeft && InObject(CalcButtonRect(ThumbCentre), p.x, p.y)) {
    ThumbDragging = true;
    LastPointerPoint = p;
    if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(*this);
  } else if (Button == TMouseButton::mbLeft && MouseDownChangeValue) {
    if (!Vertical()) {
      const int lo = std::min(BeginPoint.x, EndPoint.x), hi = std::max(BeginPoint.x, EndPoint.x);
      SetButtonPos(TPoint{Clamp(p.x, lo, hi), BeginPoint.y});
    } else {
      const int lo = std::min(BeginPoint.y, EndPoint.y), hi = std::max(BeginPoint.y, EndPoint.y);
      SetButtonPos(TPoint{BeginPoint.x, Clamp(p.y, lo, hi)});
    }
  }
  TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinTrackBarObject::MouseMove(int X, int Y) {
  const TPoint p = ObjectPoint(X, Y);
  if (ThumbDragging) {
    if (!Vertical()) {
      const int c = p.x + ThumbCentre.x - LastPointerPoint.x;
      if (BeginPoint.x <= c && c <= EndPoint.x) SetButtonPos(TPoint{c, ThumbCentre.y});
    } else {
      const int c = p.y + ThumbCentre.y - LastPointerPoint.y;
      if (EndPoint.y <= c && c <= BeginPoint.y) SetButtonPos(TPoint{ThumbCentre.x, c});
    }
  }
  LastPointerPoint = p;
  TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinTrackBarObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (Button == TMouseButton::mbLeft && ThumbDragging) {
    ThumbDragging = false;
    if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(*this);
  }
  TskActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------------------------------------
// TskSkinSwitchObject

void TskSkinSwitchObject::SetState(TSwitchState AState) {
  State = AState;
  Active = AState == TSwitchState::swsOn;
  Redraw();
  Parent->SwitchChangeStateEvent(IDName, State);
}

void TskSkinSwitchObject::SimpleSetState(TSwitchState AState) {
  State = AState;
  Active = AState == TSwitchState::swsOn;
  // The fade's end of the new state, so that the next paint shows that look and not a fade toward it.
  MorphKf = Active ? 1 : 0;
}

void TskSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button) {
  if (Button == TMouseButton::mbLeft)
    SetState(State == TSwitchState::swsOff ? TSwitchState::swsOn : TSwitchState::swsOff);
  TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinSwitchObject::MouseEnter() {
  Hovered = true;
  Parent->MouseEnterEvent(IDName);
}

void TskSkinSwitchObject::MouseLeave() {
  Hovered = false;
  Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// TskSkinGaugeObject

TskSkinGaugeObject::TskSkinGaugeObject(TskFormSkin* AParent, const TskDataSkinGauge* AData)
    : TskActiveSkinObject(AParent, AData) {
  if (AData) {
    MinValue = AData->MinValue;
    MaxValue = AData->MaxValue;
    Kind = AData->Kind;
  }
  Value = MinValue;
  ProgressPoint = PreviousProgressPoint = CalcProgressPos();
}

TPoint TskSkinGaugeObject::CalcProgressPos() const {
  const double f = Fraction(Value, MinValue, MaxValue);
  if (Kind == TGaugeKind::gkHorizontal) return TPoint{Nearest(f * RectWidth(SkinRect)), 0};
  return TPoint{0, Nearest(RectHeight(SkinRect) * (1 - f))};
}

void TskSkinGaugeObject::SimplySetValue(int AValue) {
  if (AValue == Value) return;
  Value = Clamp(AValue, MinValue, MaxValue);
  PreviousProgressPoint = ProgressPoint;
  ProgressPoint = CalcProgressPos();
}

void TskSkinGaugeObject::SetValue(int AValue) {
  SimplySetValue(AValue);
  Parent->DrawSkinObject(*this);
}

void TskSkinGaugeObject::Draw(TCanvas& Canvas, bool UpDate) {
  // At its minimum the gauge looks as the frame picture shows it.
  if (Value == MinValue && !UpDate) return;
  if (IsNullRect(ObjectRect) || !HasLook(SourcePicture, SkinRect)) return;
  TBitmap image;
  SizeLike(image, ObjectRect);
  const int w = image.Width(), h = image.Height();
  if (!HasLook(ObjectPicture, ActiveSkinRect)) {
    Blit(image, 0, 0, w, h, *SourcePicture, SkinRect, 0, 0);
  } else if (Kind == TGaugeKind::gkHorizontal) {
    const int split = Clamp(ProgressPoint.x, 0, w);
    Blit(image, split, 0, w - split, h, *SourcePicture, SkinRect, split, 0);
    Blit(image, 0, 0, split, h, *ObjectPicture, ActiveSkinRect, 0, 0);
  } else {
    const int split = Clamp(ProgressPoint.y, 0, h);
    Blit(image, 0, 0, w, split, *SourcePicture, SkinRect, 0, 0);
    Blit(image, 0, split, w, h - split, *ObjectPicture, ActiveSkinRect, 0, split);
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

void TskSkinGaugeObject::MouseEnter() {
  Hovered = true;
  Active = true;
  Parent->MouseEnterEvent(IDName);
}

void TskSkinGaugeObject::MouseLeave() {
  Hovered = false;
  Active = false;
  Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFrameObject

TskSkinFrameObject::TskSkinFrameObject(TskFormSkin* AParent, const TskDataSkinObject* AData, int ACountFrames,
                                       TFramesPlacement APlacement)
    : TskActiveSkinObject(AParent, AData), CountFrames(ACountFrames), FramesPlacement(APlacement) {
  if (CountFrames <= 0) return;
  if (FramesPlacement == TFramesPlacement::fpHorizontal) {
    FrameWidth = RectWidth(ActiveSkinRect) / CountFrames;
    FrameHeight = RectHeight(ActiveSkinRect);
  } else {
    FrameWidth = RectWidth(ActiveSkinRect);
    FrameHeight = RectHeight(ActiveSkinRect) / CountFrames;
  }
}

int TskSkinFrameObject::FrameOf(int Value, int MinValue, int MaxValue) const {
  if (CountFrames < 2) return 1;
  const int step = (MaxValue - MinValue) / (CountFrames - 1);
  if (step == 0) return 1;
  // A range that the frames do not divide evenly could point past the strip.
  return std::min(std::abs(Value - MinValue) / step + 1, CountFrames);
}

void TskSkinFrameObject::Draw(TCanvas& Canvas, bool) {
  if (!HasLook(ObjectPicture, ActiveSkinRect) || FrameWidth <= 0 || FrameHeight <= 0) {
    // No strip to show: the normal look.
    CopyLook(Canvas, NormalPicture(), SkinRect);
    return;
  }
  const int n = Frame - 1;
  TRect source{ActiveSkinRect.left, ActiveSkinRect.top, ActiveSkinRect.left + FrameWidth,
               ActiveSkinRect.top + FrameHeight};
  if (FramesPlacement == TFramesPlacement::fpHorizontal) OffsetRect(&source, n * FrameWidth, 0);
  else OffsetRect(&source, 0, n * FrameHeight);
  CopyLook(Canvas, ObjectPicture, source);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFrameGaugeObject

TskSkinFrameGaugeObject::TskSkinFrameGaugeObject(TskFormSkin* AParent, const TskDataSkinFrameGaugeObject* AData)
    : TskSkinFrameObject(AParent, AData, AData ? AData->CountFrames : 0,
                         AData ? AData->FramesPlacement : TFramesPlacement::fpHorizontal) {
  if (AData) {
    MinValue = AData->MinValue;
    MaxValue = AData->MaxValue;
  }
}

void TskSkinFrameGaugeObject::SimplySetValue(int AValue) {
  if (AValue == Value || AValue < MinValue || AValue > MaxValue) return;
  Value = AValue;
}

void TskSkinFrameGaugeObject::SetValue(int AValue) {
  if (AValue == Value || AValue < MinValue || AValue > MaxValue) return;
  Value = AValue;
  Parent->DrawSkinObject(*this);
}

void TskSkinFrameGaugeObject::Draw(TCanvas& Canvas, bool UpDate) {
  Frame = CalcFrame();
  TskSkinFrameObject::Draw(Canvas, UpDate);
}

void TskSkinFrameGaugeObject::MouseEnter() {
  Hovered = true;
  Active = true;
  Parent->MouseEnterEvent(IDName);
}

void TskSkinFrameGaugeObject::MouseLeave() {
  Hovered = false;
  Active = false;
  Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFrameRegulatorObject

TskSkinFrameRegulatorObject::TskSkinFrameRegulatorObject(TskFormSkin* AParent,
                                                         const TskDataSkinFrameRegulatorObject* AData)
    : TskSkinFrameObject(AParent, AData, AData ? AData->CountFrames : 0,
                         AData ? AData->FramesPlacement : TFramesPlacement::fpHorizontal) {
  if (AData) {
    MinValue = AData->MinValue;
    MaxValue = AData->MaxValue;
    Kind = AData->Kind;
  }
  Value = Clamp(0, MinValue, MaxValue);
}

int TskSkinFrameRegulatorObject::DragCoordinate(int X, int Y) const {
  const int x = X - ObjectRect.left, y = Y - ObjectRect.top;
  switch (Kind) {
    case TRegulatorKind::rkRound: return x - y;
    case TRegulatorKind::rkHorizontal: return x;
    case TRegulatorKind::rkVertical: return -y;
  }
  return x;
}

void TskSkinFrameRegulatorObject::CalcValue() {
  int span = FrameHeight;
  if (Kind == TRegulatorKind::rkRound) span = std::min(FrameWidth, FrameHeight);
  else if (Kind == TRegulatorKind::rkHorizontal) span = FrameWidth;
  // Fewer than two frames give no step: one pixel turns it by one.
  const int steps = CountFrames - 1;
  PixelsPerFrame = steps > 0 ? span / steps : 1;
  if (PixelsPerFrame <= 0) PixelsPerFrame = 1;
  ValuePerFrame = steps > 0 ? (MaxValue - MinValue) / steps : 1;
  if (ValuePerFrame == 0) ValuePerFrame = 1;
  if (std::abs(DragCurrent - DragStart) < PixelsPerFrame) return;
  DragStartValue += DragCurrent < DragStart ? -ValuePerFrame : ValuePerFrame;
  DragStartValue = Clamp(DragStartValue, MinValue, MaxValue);
  DragStart = DragCurrent;
  SetValue(DragStartValue);
}

void TskSkinFrameRegulatorObject::SetValue(int AValue) {
  if (AValue == Value || AValue < MinValue || AValue > MaxValue) return;
  Value = AValue;
  Parent->DrawSkinObject(*this);
  Parent->FrameRegulatorChangeValueEvent(IDName, Value);
}

void TskSkinFrameRegulatorObject::SimplySetValue(int AValue) {
  if (AValue == Value || AValue < MinValue || AValue > MaxValue) return;
  Value = AValue;
  Parent->FrameRegulatorChangeValueEvent(IDName, Value);
}

void TskSkinFrameRegulatorObject::Draw(TCanvas& Canvas, bool UpDate) {
  Frame = CalcFrame();
  TskSkinFrameObject::Draw(Canvas, UpDate);
}

void TskSkinFrameRegulatorObject::MouseDown(int X, int Y, TMouseButton Button) {
  Down = true;
  DragStartValue = Value;
  DragStart = DragCoordinate(X, Y);
  TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinFrameRegulatorObject::MouseMove(int X, int Y) {
  if (Down) {
    DragCurrent = DragCoordinate(X, Y);
    CalcValue();
  }
  TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinFrameRegulatorObject::MouseUp(int X, int Y, TMouseButton Button) {
  Down = false;
  TskActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------------------------------------
// TskSkinLabelObject

TskSkinLabelObject::TskSkinLabelObject(TskFormSkin* AParent, const TskDataSkinLabel* AData)
    : TskActiveSkinObject(AParent, AData) {
  if (!AData) return;
  TextValue = AData->TextValue;
  FontName = AData->FontName;
  FontStyle = AData->FontStyle;
  FontHeight = AData->FontHeight;
  FontColor = AData->FontColor;
  ActiveFontColor = AData->ActiveFontColor;
  Alignment = AData->Alignment;
}

void TskSkinLabelObject::SetTextValue(const String& Value, bool Redraw) {
  TextValue = Value;
  if (Redraw) Parent->DrawSkinObject(*this);
}

void TskSkinLabelObject::MakeImage(TBitmap& B, TBitmap* Picture, const TRect& Source, TColor Color) const {
  SizeLike(B, ObjectRect);
  if (B.Empty()) return;
  if (HasLook(Picture, Source))
    B.Canvas()->CopyRect(TRect{0, 0, B.Width(), B.Height()}, *Picture->Canvas(), Source);
  TCanvas& c = *B.Canvas();
  auto& font = *c.Font();
  font.SetName(FontName);
  font.SetStyle(FontStyle);
  font.SetHeight(FontHeight);
  font.SetColor(Color);
  c.Brush()->SetStyle(classlib::TBrushStyle::bsClear);
  const int tw = c.TextWidth(TextValue), th = c.TextHeight(TextValue);
  int x = 0;
  if (Alignment == classlib::TAlignment::taRightJustify) x = B.Width() - tw;
  else if (Alignment == classlib::TAlignment::taCenter) x = B.Width() / 2 - tw / 2;
  c.TextOut(x, B.Height() / 2 - th / 2, TextValue);
}

void TskSkinLabelObject::Draw(TCanvas& Canvas, bool) {
  if (IsNullRect(ObjectRect)) return;
  const bool hasActive = HasLook(ObjectPicture, ActiveSkinRect);
  TBitmap* activePicture = hasActive ? ObjectPicture : NormalPicture();
  const TRect& activeRect = hasActive ? ActiveSkinRect : SkinRect;
  TBitmap image;
  if (EnableMorphing() && MorphRunning()) {
    TBitmap hot;
    MakeImage(image, NormalPicture(), SkinRect, FontColor);
    MakeImage(hot, activePicture, activeRect, ActiveFontColor);
    TskEffectBmp buffer(image.Handle());
    const TskEffectBmp hotBuffer(hot.Handle());
    MorphEffect(buffer, hotBuffer, MorphKind, MorphKf);
    buffer.Draw(Canvas.Handle(), ObjectRect.left, ObjectRect.top);
    return;
  }
  if (Active) MakeImage(image, activePicture, activeRect, ActiveFontColor);
  else MakeImage(image, NormalPicture(), SkinRect, FontColor);
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

void TskSkinLabelObject::MouseEnter() {
  Hovered = true;
  Active = true;
  if (!IsNullRect(ActiveSkinRect) || ActiveFontColor != FontColor) Redraw();
  Parent->MouseEnterEvent(IDName);
}

void TskSkinLabelObject::MouseLeave() {
  Hovered = false;
  Active = false;
  if (!IsNullRect(ActiveSkinRect) || ActiveFontColor != FontColor) Redraw();
  Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// TskSkinBitLabelObject

TskSkinBitLabelObject::TskSkinBitLabelObject(TskFormSkin* AParent, const TskDataSkinBitLabel* AData)
    : TskActiveSkinObject(AParent, AData) {
  Morphing = false;
  if (!AData) return;
  TextValue = AData->TextValue;
  SymbolWidth = AData->SymbolWidth;
  SymbolHeight = AData->SymbolHeight;
  Symbols = AData->Symbols.get();
  Transparent = AData->Transparent;
  TransparentColor = AData->TransparentColor;
}

void TskSkinBitLabelObject::SetTextValue(const String& Value, bool Redraw) {
  TextValue = Value;
  if (Redraw) Parent->DrawSkinObject(*this);
}

void TskSkinBitLabelObject::Draw(TCanvas& Canvas, bool) {
  if (IsNullRect(SkinRect) || !HasLook(SourcePicture, SkinRect)) return;
  TBitmap image;
  SizeLike(image, SkinRect);
  const int w = image.Width();
  Blit(image, 0, 0, w, image.Height(), *SourcePicture, SkinRect, 0, 0);
  if (SymbolWidth > 0 && SymbolHeight > 0 && Symbols && HasLook(ObjectPicture, ActiveSkinRect)) {
    std::vector<classlib::WideString> rows;
    for (int r = 0; r < Symbols->Count(); ++r) rows.push_back(classlib::ToWide(Symbols->Strings(r)));
    const classlib::WideString text = classlib::ToWide(TextValue);
    for (size_t i = 0; i < text.size(); ++i) {
      const int x = static_cast<int>(i) * SymbolWidth;
      if (x >= w) break;
      for (size_t r = 0; r < rows.size(); ++r) {
        const size_t k = rows[r].find(text[i]);
        if (k == classlib::WideString::npos) continue;
        Blit(image, x, 0, std::min(SymbolWidth, w - x), SymbolHeight, *ObjectPicture, ActiveSkinRect,
             static_cast<int>(k) * SymbolWidth, static_cast<int>(r) * SymbolHeight);
        break;
      }
      if (x + SymbolWidth > w) break;
    }
  }
  if (Transparent && SkinData && HasLook(SkinData->Picture.get(), SkinRect)) {
    TBitmap back;
    SizeLike(back, SkinRect);
    Blit(back, 0, 0, back.Width(), back.Height(), *SkinData->Picture, SkinRect, 0, 0);
    image.SetTransparentColor(TransparentColor);
    image.SetTransparent(true);
    back.Canvas()->Draw(0, 0, &image);
    Canvas.Draw(ObjectRect.left, ObjectRect.top, &back);
    return;
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

// ---------------------------------------------------------------------------------------------
// TskSkinAnimateObject

TskSkinAnimateObject::TskSkinAnimateObject(TskFormSkin* AParent, const TskDataSkinAnimate* AData)
    : TskActiveSkinObject(AParent, AData) {
  Morphing = false;
  if (!AData) return;
  CountFrames = AData->CountFrames;
  Cycle = AData->Cycle;
  ButtonStyle = AData->ButtonStyle;
  TimerInterval = std::max(AData->TimerInterval, 25);
  Command = AData->Command;
  if (ObjectPicture) DownSkinRect = AData->DownSkinRect;
}

void TskSkinAnimateObject::EnableTimer() const {
  if (Parent->AnimationTimer) Parent->AnimationTimer->SetEnabled(true);
}

void TskSkinAnimateObject::Start() {
  Inc = 25;
  Frame = 1;
  Active = true;
  EnableTimer();
}

void TskSkinAnimateObject::Stop() {
  SetFrame(1);
  Active = false;
  Inc = 25;
}

void TskSkinAnimateObject::SetFrame(int Value) {
  if (Increment) Frame = Value > CountFrames ? 1 : Value;
  else Frame = Value <= 0 ? CountFrames : Value;
  Parent->DrawSkinObject(*this);
}

void TskSkinAnimateObject::ChangeFrame() {
  if (Inc < TimerInterval) {
    Inc += 25;
    return;
  }
  Inc = 25;
  if (Increment) {
    SetFrame(Frame + 1);
    if (!Cycle && Frame == CountFrames) Active = false;
  } else {
    SetFrame(Frame - 1);
    if (Frame == 1) Active = false;
  }
}

void TskSkinAnimateObject::Draw(TCanvas& Canvas, bool) {
  if (!ObjectPicture || IsNullRect(ActiveSkinRect)) {
    // Without its strip the object has its normal look only.
    CopyLook(Canvas, NormalPicture(), SkinRect);
    return;
  }
  const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
  const auto frameRect = [&](int N) {
    const int n = Clamp(N, 1, std::max(CountFrames, 1)) - 1;
    return TRect{ActiveSkinRect.left + n * w, ActiveSkinRect.top, ActiveSkinRect.left + (n + 1) * w,
                 ActiveSkinRect.top + h};
  };
  TRect source;
  if (MenuShown) {
    if (HasDownLook()) {
      source = DownSkinRect;
    } else {
      Frame = CountFrames;
      source = frameRect(Frame);
    }
  } else if (!Parent->GetFormActive() && !IsNullRect(InActiveSkinRect)) {
    source = InActiveSkinRect;
  } else if (Down && Hovered && HasDownLook()) {
    source = DownSkinRect;
  } else {
    source = frameRect(Frame);
  }
  CopyLook(Canvas, ObjectPicture, source);
}

void TskSkinAnimateObject::MouseEnter() {
  Hovered = true;
  if (ButtonStyle) {
    Active = true;
    Increment = true;
    if (Down && HasDownLook()) Parent->DrawSkinObject(*this);
    else EnableTimer();
  }
  Parent->MouseEnterEvent(IDName);
}

void TskSkinAnimateObject::MouseLeave() {
  if (!Hovered) return;
  Hovered = false;
  if (ButtonStyle) {
    Active = true;
    Increment = false;
    if (Down && HasDownLook()) Parent->DrawSkinObject(*this);
    else EnableTimer();
  }
  Parent->MouseLeaveEvent(IDName);
}

void TskSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button) {
  TskActiveSkinObject::MouseDown(X, Y, Button);
  if (Button != TMouseButton::mbLeft) return;
  if (HasDownLook()) {
    Frame = CountFrames;
    Down = true;
    Parent->DrawSkinObject(*this);
  }
  // The system menu opens on the press, as the system's own does.
  if (Command == TStdCommand::cmSysMenu && ButtonStyle && InObject(ObjectRect, X, Y)) DoCommand();
}

void TskSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button) {
  TskActiveSkinObject::MouseUp(X, Y, Button);
  if (MenuShown || Button != TMouseButton::mbLeft) return;
  if (HasDownLook()) {
    Down = false;
    Parent->DrawSkinObject(*this);
    EnableTimer();
  }
  if (Command != TStdCommand::cmSysMenu && ButtonStyle && InObject(ObjectRect, X, Y)) DoCommand();
}

void TskSkinAnimateObject::DblClick() {
  if (Command == TStdCommand::cmSysMenu) DoClose();
}

void TskSkinAnimateObject::DoMinToTray() { Parent->MinimizeToTray(); }

void TskSkinAnimateObject::DoMax() {
  Parent->SetWindowState(Parent->WindowState == classlib::TWindowState::wsMaximized
                             ? classlib::TWindowState::wsNormal
                             : classlib::TWindowState::wsMaximized);
}

void TskSkinAnimateObject::DoMin() {
  if (Parent->SupportNCArea() && Parent->WindowState == classlib::TWindowState::wsMinimized)
    Parent->SetWindowState(classlib::TWindowState::wsNormal);
  else
    Parent->SetWindowState(classlib::TWindowState::wsMinimized);
}

void TskSkinAnimateObject::DoClose() { Parent->Form->Close(); }

void TskSkinAnimateObject::DoRollUp() { Parent->SetRollUpState(!Parent->RollUpState); }

void TskSkinAnimateObject::DoCommand() {
  switch (Command) {
    case TStdCommand::cmClose: DoClose(); break;
    case TStdCommand::cmMaximize: DoMax(); break;
    case TStdCommand::cmMinimize:
      if (Parent->AlwaysMinimizeToTray()) DoMinToTray();
      else DoMin();
      break;
    case TStdCommand::cmSysMenu:
      MenuItem = Parent->GetSystemMenu();
      TrackMenu();
      break;
    case TStdCommand::cmDefault:
      if (MenuItem) TrackMenu();
      break;
    case TStdCommand::cmRollUp: DoRollUp(); break;
    case TStdCommand::cmMinimizeToTray: DoMinToTray(); break;
  }
}

void TskSkinAnimateObject::TrackMenu() {
  if (!MenuItem || MenuItem->Count() == 0) return;
  const TRect r = ObjectScreenRect(*Parent, ObjectRect);
  MenuShown = true;
  // A skinned popup menu opens itself (its own skin, its close event); any other menu's items open
  // through the form's engine.
  if (auto* popup = dynamic_cast<TskSkinPopupMenu*>(MenuItem->GetParentMenu())) {
    popup->PopupFromRect(r, OpenUpward);
    return;
  }
  Parent->SkinMenuOpen();
  Parent->PopupSkinMenu(MenuItem, r, OpenUpward);
}

}  // namespace skin
