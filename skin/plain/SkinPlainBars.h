// Plain stand-ins for the skinned track bar and gauge, drawn in the skin engine's default look.
//
// Classes in this file: TskSkinTrackBar, TskSkinGauge.
#pragma once

#include "platform/classlib/Controls.h"

#include <mutex>

namespace skin {

// A slider whose thumb moves between MinValue and MaxValue (a vertical bar has MinValue at the
// bottom). Dragging the thumb is handled in the bar's mouse handlers, which Dispatch reaches, so the
// bar keeps working when its WindowProc is replaced by one that hands every message to Dispatch.
class TskSkinTrackBar : public classlib::TCustomControl {
public:
  explicit TskSkinTrackBar(classlib::TComponent* AOwner);

  // Fires for every change of Value, by the user or by the program.
  classlib::TNotifyEvent OnChange;

  int Value() const { return FValue; }
  // Clamps to MinValue..MaxValue; a changed value repaints and fires OnChange.
  void SetValue(int Value);
  int MinValue() const { return FMinValue; }
  // Stores the bound and moves Value inside it without OnChange.
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  bool Vertical() const { return FVertical; }
  void SetVertical(bool Value);
  // True while the thumb is being dragged.
  bool ButtonDragging() const { return FButtonDragging; }
  // Where the thumb is drawn now, in client coordinates.
  classlib::TRect ButtonBounds() const;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  // The thumb's travel along the bar for the current size and value.
  struct TButtonLayout {
    int TravelStart;
    int TravelEnd;
    int Shift;
    classlib::TRect Bounds;
  };
  TButtonLayout CalcButtonLayout() const;
  int CalcValue(int Offset) const;
  bool Loading() const;
  void EndDrag();

  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  bool FVertical = false;
  bool FButtonDragging = false;
  int FDragAnchor = 0;
  int FDragStartShift = 0;
};

// A progress strip between MinValue and MaxValue with an optional text: ProgressText and the
// percentage. The ripping thread drives it from its own thread, so its state is guarded and the
// setters only ask the window to repaint.
class TskSkinGauge : public classlib::TCustomControl {
public:
  explicit TskSkinGauge(classlib::TComponent* AOwner);

  int Value() const;
  // Clamps to MinValue..MaxValue; a changed value repaints. No event.
  void SetValue(int Value);
  int MinValue() const;
  // Stores the bound and moves Value inside it.
  void SetMinValue(int Value);
  int MaxValue() const;
  void SetMaxValue(int Value);
  classlib::String ProgressText() const;
  void SetProgressText(const classlib::String& Value);
  bool ShowProgressText() const;
  void SetShowProgressText(bool Value);
  bool ShowPercent() const;
  void SetShowPercent(bool Value);
  // What the gauge writes on itself: ProgressText when shown, then the percentage and "%" when shown.
  classlib::String ShownText() const;

protected:
  void Paint() override;
  void Loaded() override;

private:
  bool Loading() const;
  int PercentLocked() const;

  mutable std::mutex FLock;
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  classlib::String FProgressText;
  bool FShowProgressText = false;
  bool FShowPercent = false;
};

}  // namespace skin
