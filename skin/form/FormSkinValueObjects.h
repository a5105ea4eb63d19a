// The value and animation objects of a skinned form's frame: a track bar with a draggable thumb, a
// two-state switch, a gauge that fills with its value, a gauge and a turnable regulator shown as
// frames of a picture strip, a text label, a label of bitmap symbols and an animated picture that can
// act as a caption button. The application reads and sets them by name through the form component;
// changes made with the mouse go out through its events.
//
// Classes in this file: TskSkinTrackBarObject, TskSkinSwitchObject, TskSkinGaugeObject,
// TskSkinFrameObject, TskSkinFrameGaugeObject, TskSkinFrameRegulatorObject, TskSkinLabelObject,
// TskSkinBitLabelObject, TskSkinAnimateObject.
#pragma once

#include "skin/data/SkinValueObjectDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

namespace skin {

// Points given to the mouse operations are in the form's coordinates, like ObjectRect; the geometry
// of the track bar and the regulator is in the object's own (0, 0 at ObjectRect's top-left corner).
// A description whose minimum equals its maximum has no position fraction: such an object stays at
// its minimum end.
class TskSkinTrackBarObject : public TskActiveSkinObject {
public:
  TskSkinTrackBarObject(TskFormSkin* AParent, const TskDataSkinTrackBar* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseMove(int X, int Y) override;

  classlib::TRect CalcButtonRect(const classlib::TPoint& P) const;
  int CalcValue() const;
  classlib::TPoint CalcButtonPos() const;
  // Stores the value (clamped) and fires the change event, without drawing, even for the present value.
  void SimplySetValue(int AValue);
  // Nothing for the present value; else stores it, redraws and fires the change event.
  void SetValue(int AValue);
  void SetButtonPos(const classlib::TPoint& P);
  bool Vertical() const { return TrackOrientation == 1; }

  classlib::TPoint ThumbCentre{};
  classlib::TPoint PreviousThumbCentre{};
  int Value = 0;
  bool ThumbDragging = false;
  classlib::TPoint LastPointerPoint{};
  int TrackOrientation = 0;
  classlib::TRect ButtonRect{};
  classlib::TRect ActiveButtonRect{};
  classlib::TPoint BeginPoint{};
  classlib::TPoint EndPoint{};
  int MinValue = 0;
  int MaxValue = 0;
  bool MouseDownChangeValue = false;
  bool ButtonTransparent = false;
  classlib::TColor ButtonTransparentColor = 0;

private:
  void StoreValue(int AValue);
  classlib::TPoint ObjectPoint(int X, int Y) const;
};

// SkinRect is the off look, ActiveSkinRect the on look; Active holds exactly while it is on.
class TskSkinSwitchObject : public TskActiveSkinObject {
public:
  using TskActiveSkinObject::TskActiveSkinObject;

  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetState(TSwitchState AState);
  // The state without drawing or event: the next paint shows it.
  void SimpleSetState(TSwitchState AState);

  TSwitchState State = TSwitchState::swsOff;
};

// SkinRect is the empty gauge, ActiveSkinRect the full one; it fills from the left or the bottom.
class TskSkinGaugeObject : public TskActiveSkinObject {
public:
  TskSkinGaugeObject(TskFormSkin* AParent, const TskDataSkinGauge* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseEnter() override;
  void MouseLeave() override;

  classlib::TPoint CalcProgressPos() const;
  void SimplySetValue(int AValue);
  void SetValue(int AValue);

  classlib::TPoint ProgressPoint{};
  classlib::TPoint PreviousProgressPoint{};
  int Value = 0;
  int MinValue = 0;
  int MaxValue = 0;
  TGaugeKind Kind = TGaugeKind::gkHorizontal;
};

// CountFrames frames of FrameWidth x FrameHeight lie side by side (or one below the other) in
// ActiveSkinRect of the object's picture; Frame (from 1) is the one shown.
class TskSkinFrameObject : public TskActiveSkinObject {
public:
  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;

  int Frame = 1;
  int FrameWidth = 0;
  int FrameHeight = 0;
  int CountFrames = 0;
  TFramesPlacement FramesPlacement = TFramesPlacement::fpHorizontal;

protected:
  TskSkinFrameObject(TskFormSkin* AParent, const TskDataSkinObject* AData, int ACountFrames,
                     TFramesPlacement APlacement);
  // The frame for Value within MinValue..MaxValue.
  int FrameOf(int Value, int MinValue, int MaxValue) const;
};

class TskSkinFrameGaugeObject : public TskSkinFrameObject {
public:
  TskSkinFrameGaugeObject(TskFormSkin* AParent, const TskDataSkinFrameGaugeObject* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Both take only a value inside the range that differs from the present one.
  void SimplySetValue(int AValue);
  void SetValue(int AValue);
  int CalcFrame() const { return FrameOf(Value, MinValue, MaxValue); }

  int Value = 0;
  int MinValue = 0;
  int MaxValue = 0;
};

// Turned by dragging: right or up turns it up, one value step per pixel step.
class TskSkinFrameRegulatorObject : public TskSkinFrameObject {
public:
  TskSkinFrameRegulatorObject(TskFormSkin* AParent, const TskDataSkinFrameRegulatorObject* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseMove(int X, int Y) override;

  void CalcValue();
  // Both take only a value inside the range that differs from the present one, and fire the event.
  void SetValue(int AValue);
  void SimplySetValue(int AValue);
  int CalcFrame() const { return FrameOf(Value, MinValue, MaxValue); }

  int PixelsPerFrame = 1;
  int ValuePerFrame = 1;
  bool Down = false;
  int DragStart = 0;
  int DragCurrent = 0;
  int DragStartValue = 0;
  int Value = 0;
  int MinValue = 0;
  int MaxValue = 0;
  TRegulatorKind Kind = TRegulatorKind::rkRound;

private:
  int DragCoordinate(int X, int Y) const;
};

// A text on the normal or the active look; unlike the other objects it draws on every frame paint,
// since its text is not part of the frame picture.
class TskSkinLabelObject : public TskActiveSkinObject {
public:
  TskSkinLabelObject(TskFormSkin* AParent, const TskDataSkinLabel* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetTextValue(const classlib::String& Value, bool Redraw);

  classlib::String TextValue;
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight = 14;
  classlib::TColor FontColor = 0;
  classlib::TColor ActiveFontColor = 0;
  classlib::TAlignment Alignment = classlib::TAlignment::taLeftJustify;

private:
  void MakeImage(classlib::TBitmap& B, classlib::TBitmap* Picture, const classlib::TRect& Source,
                 classlib::TColor Color) const;
};

// Text drawn with cells cut from the symbol table (ActiveSkinRect of the object's picture): line r of
// Symbols lists the characters of table row r, the k-th standing in column k.
class TskSkinBitLabelObject : public TskActiveSkinObject {
public:
  TskSkinBitLabelObject(TskFormSkin* AParent, const TskDataSkinBitLabel* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;

  void SetTextValue(const classlib::String& Value, bool Redraw);

  classlib::String TextValue;
  int SymbolWidth = 0;
  int SymbolHeight = 0;
  // The description's list: shared, never freed here.
  const classlib::TStringList* Symbols = nullptr;
  bool Transparent = false;
  classlib::TColor TransparentColor = 0;
};

// Frames of SkinRect's size side by side in the object's picture from ActiveSkinRect's top-left
// corner, stepped by the form component's 25 ms animation timer. In button style it plays forward
// on hover and back on leave, and runs its command on click.
class TskSkinAnimateObject : public TskActiveSkinObject {
public:
  TskSkinAnimateObject(TskFormSkin* AParent, const TskDataSkinAnimate* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void DblClick() override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void DoMinToTray();
  void DoMax();
  void DoMin();
  void DoClose();
  void DoRollUp();
  void DoCommand();
  void TrackMenu();
  void SetFrame(int Value);
  void Start();
  void Stop();
  // One tick of the animation timer.
  void ChangeFrame();
  bool HasDownLook() const { return !IsNullRect(DownSkinRect); }

  bool MenuShown = false;
  int Frame = 1;
  int Inc = 25;
  int TimerInterval = 50;
  classlib::TMenuItem* MenuItem = nullptr;
  bool Down = false;
  bool OpenUpward = false;
  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  bool Increment = true;
  TStdCommand Command = TStdCommand::cmDefault;
  classlib::TRect DownSkinRect{};

private:
  void EnableTimer() const;
};

}  // namespace skin
