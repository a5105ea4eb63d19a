// Windowed controls that show one frame of a picture strip at a time, taken from a skin
// description or from a default image: a two-state switch animating between its end frames, a
// free-running or hover-driven animation, a gauge showing a value as a frame, and a regulator
// dragged to change its value. A control with a strip is always exactly one frame large.
//
// Classes in this file: TskFrameSkinControl, TskSkinSwitch, TskSkinAnimate, TskSkinFrameGauge,
// TskSkinFrameRegulator.
#pragma once

#include "platform/classlib/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinPanelDescriptions.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskFrameSkinControl : public TskSkinControl {
public:
  explicit TskFrameSkinControl(classlib::TComponent* AOwner);

  // Attributes
  classlib::TBitmap& DefaultImage() { return *FDefaultImage; }
  void SetDefaultImage(const classlib::TBitmap& Value);
  classlib::TBitmap& DefaultMask() { return *FDefaultMask; }
  void SetDefaultMask(const classlib::TBitmap& Value);
  int DefaultFramesCount() const { return FDefaultFramesCount; }
  void SetDefaultFramesCount(int Value);
  TFramesPlacement DefaultFramesPlacement() const { return FDefaultFramesPlacement; }
  void SetDefaultFramesPlacement(TFramesPlacement Value);
  int ShownFrame() const { return FShownFrame; }
  int FramesCount() const { return FFramesCount; }
  TFramesPlacement FramesPlacement() const { return FFramesPlacement; }
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }

  // Operations
  // Shows frame N (held to 1..FramesCount); nothing without a strip.
  void SetFrame(int N);
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  // The strip's measures from DefaultImage, when it holds one.
  virtual void CalcDefaultFrameSize();
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void CreateHandleDone() override;
  void Loaded() override;
  void SetControlRegion();
  // A skin entry, or a default image: the control shows frames.
  bool HasStrip() const { return FSkinControlIndex != -1 || !FDefaultImage->Empty(); }
  void TakeFrameSize() { SetBounds(Left(), Top(), FFrameWidth, FFrameHeight); }

  HRGN FFrameRegion = nullptr;
  int FShownFrame = 1;
  int FFrameWidth = 0;
  int FFrameHeight = 0;
  classlib::TBitmap* SkinBitmap = nullptr;
  classlib::TBitmap* SkinMaskPicture = nullptr;
  std::unique_ptr<classlib::TBitmap> FDefaultImage;
  std::unique_ptr<classlib::TBitmap> FDefaultMask;
  int FDefaultFramesCount = 1;
  TFramesPlacement FDefaultFramesPlacement = TFramesPlacement::fpHorizontal;
  classlib::TRect SkinRect{};
  int FFramesCount = 1;
  TFramesPlacement FFramesPlacement = TFramesPlacement::fpHorizontal;

private:
  // Frame size of a strip of Width x Height holding FramesCount frames placed as FramesPlacement.
  void CalcFrameSize(int Width, int Height);
};

enum class TskSkinSwitchState : std::uint8_t { swOff, swOn };

// Toggled by a click; with a strip of more than two frames it steps through them on a timer.
class TskSkinSwitch : public TskFrameSkinControl {
public:
  explicit TskSkinSwitch(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnChange;

  // Attributes
  TskSkinSwitchState State() const { return FState; }
  void SetState(TskSkinSwitchState Value);
  unsigned TimerInterval() const { return FTimer->Interval(); }
  void SetTimerInterval(unsigned Value) { FTimer->SetInterval(Value); }
  bool Animating() const { return FTimer->Enabled(); }

  // Operations
  void Start() { FTimer->SetEnabled(true); }
  void Stop() { FTimer->SetEnabled(false); }
  void ChangeSkinData() override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void ChangeState();
  void DoAnimate();

private:
  std::unique_ptr<classlib::TTimer> FTimer;
  TskSkinSwitchState FState = TskSkinSwitchState::swOff;
  bool FHovered = false;
};

// Runs through its frames on a timer: once, in a cycle, or (ButtonMode) forward while the pointer
// is over it and back to the first frame when it leaves.
class TskSkinAnimate : public TskFrameSkinControl {
public:
  explicit TskSkinAnimate(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnStart;
  classlib::TNotifyEvent OnStop;

  // Attributes
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool CycleMode() const { return FCycleMode; }
  void SetCycleMode(bool Value) { FCycleMode = Value; }
  bool ButtonMode() const { return FButtonMode; }
  void SetButtonMode(bool Value) { FButtonMode = Value; }
  unsigned TimerInterval() const { return FTimer->Interval(); }
  void SetTimerInterval(unsigned Value) { FTimer->SetInterval(Value); }
  bool Running() const { return FTimer->Enabled(); }

  // Operations
  void Start();
  void Stop();
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void DoAnimate();

private:
  std::unique_ptr<classlib::TTimer> FTimer;
  bool FCycleMode = false;
  bool FButtonMode = false;
  bool FHovered = false;
  bool FActive = false;
};

// Shows Value as frame |Value - MinValue| div step + 1.
class TskSkinFrameGauge : public TskFrameSkinControl {
public:
  explicit TskSkinFrameGauge(classlib::TComponent* AOwner);

  // Attributes
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Value() const { return FValue; }
  void SetValue(int Value);

  // Operations
  void ChangeSkinData() override;
  void CalcFrame();

private:
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
};

// A knob or slider: each drag of PixelsPerStep along its axis changes the value by one step.
class TskSkinFrameRegulator : public TskFrameSkinControl {
public:
  explicit TskSkinFrameRegulator(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnChange;

  // Attributes
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Value() const { return FValue; }
  void SetValue(int Value);
  TRegulatorKind DefaultKind() const { return FDefaultKind; }
  void SetDefaultKind(TRegulatorKind Value);
  TRegulatorKind Kind() const { return FKind; }

  // Operations
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcFrame();

protected:
  void CalcDefaultFrameSize() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void CalcValue();

private:
  // The pointer's place along the kind's axis: x - y turns a round knob.
  int AxisPosition(int X, int Y) const;
  int Steps() const { return FFramesCount - 1 > 0 ? FFramesCount - 1 : 1; }

  int FPixelsPerStep = 1;
  int FValueStep = 1;
  bool FDragInProgress = false;
  int FLastPos = 0;
  int FCurPos = 0;
  int FDragValue = 0;
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  TRegulatorKind FDefaultKind = TRegulatorKind::rkRound;
  TRegulatorKind FKind = TRegulatorKind::rkRound;
};

}  // namespace skin
