// The skinned track bar: a windowed slider whose button moves along a track between MinValue and
// MaxValue, drawn from a "htrackbar" or "trackbar" description or in a default look of its own.
//
// Classes in this file: TskSkinTrackBar.
#pragma once

#include "skin/controls/SkinCustomControl.h"

namespace skin {

// The mouse is handled in the mouse handlers that Dispatch reaches, so the bar keeps working when a
// program puts its own WindowProc in front and hands every message to Dispatch.
class TskSkinTrackBar : public TskSkinCustomControl {
public:
  explicit TskSkinTrackBar(classlib::TComponent* AOwner);

  // Fires for every change of Value made through SetValue.
  classlib::TNotifyEvent OnChange;
  // The end of a user gesture: a drag released, or a key or wheel step.
  classlib::TNotifyEvent OnLastChange;
  // The button was pressed for a drag.
  classlib::TNotifyEvent OnStartDragButton;

  // Attributes
  bool JumpWhenClick() const { return FJumpWhenClick; }
  void SetJumpWhenClick(bool Value) { FJumpWhenClick = Value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  bool MouseSupport() const { return FMouseSupport; }
  void SetMouseSupport(bool Value) { FMouseSupport = Value; }
  int MinValue() const { return FMinValue; }
  // Stores the bound and moves Value inside it without OnChange.
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Value() const { return FValue; }
  // Clamps to MinValue..MaxValue; a changed value repaints and fires OnChange.
  void SetValue(int Value);
  bool Vertical() const { return FVertical; }
  void SetVertical(bool Value);
  bool ButtonDragging() const { return FButtonDragging; }
  // The button as last laid out, in client coordinates.
  const classlib::TRect& ButtonBounds() const { return FButtonBounds; }
  // The track area laid out for the control's size (skinned look).
  const classlib::TRect& TrackRect() const { return FTrackRect; }
  bool IsFocused();

  // Operations
  // Lays the button out in Track for the current value and returns it.
  classlib::TRect CalcButtonRect(const classlib::TRect& Track);
  // The value for a button centre Offset pixels from the start of its travel.
  int CalcValue(int Offset) const;
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;

private:
  bool Loading() const;
  // The track of the look in use: TrackRect when skinned, else inside the one-pixel frame.
  classlib::TRect CurrentTrack() const;
  // The button's size in the look in use.
  classlib::TSize ButtonSize() const;
  void StepValue(int Delta);
  void EndDrag();
  void LastChange();

  bool FTakingFocus = false;
  bool FCanFocused = false;
  int FButtonTravelStart = 0;
  int FButtonTravelEnd = 0;
  int FButtonShift = 0;
  classlib::TRect FButtonBounds{};
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  bool FVertical = false;
  bool FMouseSupport = true;
  bool FButtonDragging = false;
  int FDragAnchor = 0;
  int FDragStartShift = 0;
  bool FJumpWhenClick = false;
  classlib::TRect FTrackArea{};
  classlib::TRect FTrackRect{};
  classlib::TRect FButtonRect{};
  classlib::TRect FActiveButtonRect{};
  bool FButtonTransparent = false;
  classlib::TColor FButtonTransparentColor = 0;
};

}  // namespace skin
