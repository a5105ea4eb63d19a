// The skinned scroll bar: a windowed bar drawn wholly by the skin engine, never a native one. Lists,
// views and edits hide their own bars and drive one of these beside themselves with SetRange.
//
// Classes in this file: TskSkinScrollBar.
#pragma once

#include "platform/classlib/Forms.h"
#include "skin/controls/SkinCustomControl.h"

#include <array>

namespace skin {

class TskSkinScrollBar : public TskSkinCustomControl {
public:
  // The three parts, numbered so everywhere and hit-tested in this order. The up button steps
  // towards Max, the down button towards Min.
  static constexpr int ThumbPart = 0;
  static constexpr int UpButtonPart = 1;
  static constexpr int DownButtonPart = 2;

  // What a repeating press does at each tick of timer 1.
  enum TRepeatMode { rmIdle, rmDownButton, rmUpButton, rmPageToMin, rmPageToMax };

  struct TScrollBarPart {
    classlib::TRect R{};
    bool Hovered = false;
    bool Down = false;
  };

  explicit TskSkinScrollBar(classlib::TComponent* AOwner);

  // Data members that the bar's events call.
  classlib::TNotifyEvent OnChange;
  classlib::TNotifyEvent OnLastChange;
  // When assigned they replace the button's own step, at the press and at every repeat tick.
  classlib::TNotifyEvent OnUpButtonClick;
  classlib::TNotifyEvent OnDownButtonClick;
  classlib::TNotifyEvent OnPageUp;
  classlib::TNotifyEvent OnPageDown;

  // Attributes
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value);
  classlib::TScrollBarKind Kind() const { return FKind; }
  void SetKind(classlib::TScrollBarKind Value);
  bool Both() const { return FBoth; }
  void SetBoth(bool Value);
  int BothMarkerWidth() const { return FBothMarkerWidth; }
  void SetBothMarkerWidth(int Value);
  const classlib::String& BothSkinDataName() const { return FBothSkinDataName; }
  void SetBothSkinDataName(const classlib::String& Value) { FBothSkinDataName = Value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);

  const classlib::TRect& TrackRect() const { return FTrackRect; }
  const TScrollBarPart& Part(int Index) const { return FParts[static_cast<size_t>(Index)]; }
  int HotPart() const { return FHotPart; }
  int CapturedPart() const { return FCapturedPart; }
  TRepeatMode RepeatMode() const { return FRepeatMode; }
  // The interval timer 1 runs at, 0 while it is stopped.
  unsigned TimerInterval() const { return FTimerInterval; }
  bool ThumbDragging() const { return FThumbDragging; }
  int ThumbTravelStart() const { return FThumbTravelStart; }
  int ThumbTravelEnd() const { return FThumbTravelEnd; }
  int ThumbShift() const { return FThumbShift; }

  // Operations

  // Position within the range, without OnChange.
  void SimplySetPosition(int Value);
  // Sets the whole state at once, as the lists and views do; fires no event.
  void SetRange(int AMin, int AMax, int APosition, int APageSize);
  bool IsFocused();
  // The track, the three parts and the thumb's travel for the present size, state and look.
  void CalcRects();
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Paint() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  bool ClicksOnMouseUp() const override { return false; }
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;

  void DrawButton(classlib::TCanvas& Canvas, int Index);
  void TestActive(int X, int Y);
  void ButtonDown(int Index, int X, int Y);
  void ButtonUp(int Index, int X, int Y);
  void ButtonEnter(int Index);
  void ButtonLeave(int Index);
  // The first repeat tick came: from now on every 50 ms.
  void StartScroll();
  void StopTimer();
  // The position a thumb centre Offset pixels past the start of its travel stands for.
  int CalcValue(int Offset) const;

private:
  bool Horizontal() const { return FKind == classlib::TScrollBarKind::sbHorizontal; }
  // Position kept inside the range; the one rule of every setter.
  int Clamped(int Value) const;
  void StartTimer(unsigned Interval);
  void RepeatTick();
  // One page step towards Min (ToMin) or Max, with its event.
  void PageStep(bool ToMin);
  // Ends a press without events, for a bar that lost the mouse.
  void CancelPress();
  // Lays the thumb out along the track from its minimum length and thickness.
  void CalcThumb(int MinLength);
  void DrawSkinThumb(classlib::TCanvas& Canvas);

  // Kept from one paint to the next: a bar beside a list is drawn at every step of its paging, and
  // every fresh bitmap costs a DIB section and a memory DC (into which Wine's X11 driver selects a
  // font, reading the X resources again on a display that has none).
  classlib::TBitmap FImage;
  classlib::TBitmap FThumb;
  classlib::String FSavedSkinDataName;
  classlib::String FBothSkinDataName = "bothhscrollbar";
  int FThumbTravelStart = 0;
  int FThumbTravelEnd = 0;
  int FThumbShift = 0;
  classlib::TRect FTrackRect{};
  bool FThumbDragging = false;
  int FDragAnchor = 0;
  int FDragStartShift = 0;
  bool FRepeatDelayPending = false;
  int FLastMouseX = 0;
  int FLastMouseY = 0;
  bool FMouseIsDown = false;
  int FBothMarkerWidth = 0;
  bool FTakingFocus = false;
  bool FCanFocused = false;
  TRepeatMode FRepeatMode = rmIdle;
  unsigned FTimerInterval = 0;
  int FHotPart = -1;
  int FCapturedPart = -1;
  std::array<TScrollBarPart, 3> FParts{};
  int FMin = 0;
  int FMax = 100;
  int FSmallChange = 1;
  int FLargeChange = 1;
  int FPosition = 0;
  classlib::TScrollBarKind FKind = classlib::TScrollBarKind::sbHorizontal;
  int FPageSize = 0;
  bool FBoth = false;

  // Copied from a "scrollbar" skin description.
  classlib::TRect FTrackArea{};
  classlib::TRect FUpButtonRect{}, FActiveUpButtonRect{}, FDownUpButtonRect{};
  classlib::TRect FDownButtonRect{}, FActiveDownButtonRect{}, FDownDownButtonRect{};
  classlib::TRect FThumbRect{}, FActiveThumbRect{}, FDownThumbRect{};
  int FThumbOffset1 = 0;
  int FThumbOffset2 = 0;
  bool FThumbTransparent = false;
  classlib::TColor FThumbTransparentColor = 0;
  classlib::TRect FGlyphRect{}, FActiveGlyphRect{}, FDownGlyphRect{};
};

}  // namespace skin
