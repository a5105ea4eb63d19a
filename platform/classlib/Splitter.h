// A windowless bar between aligned controls: dragging it resizes the control aligned just before
// it on the same side.
//
// Classes in this file: TSplitter.
#pragma once

#include "platform/classlib/Controls.h"

namespace classlib {

class TClassRegistry;

class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent* AOwner);

  // Fired after a drag resized the control.
  TNotifyEvent OnMoved;

  // Attributes
  // The control is never made smaller than this.
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value > 0 ? Value : 1; }
  // The control a drag resizes: the visible sibling aligned to the same side whose edge touches
  // the splitter; null when there is none.
  TControl* FindControl() const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Loaded() override;

private:
  bool Horizontal() const { return Align() == TAlign::alTop || Align() == TAlign::alBottom; }
  // The pointer's place along the drag axis in the parent's coordinates.
  int ParentPosition(int X, int Y) const;
  void UpdateCursor();

  int FMinSize = 30;
  TControl* FControl = nullptr;
  int FDownPosition = 0;
  int FStartSize = 0;
  int FMaxSize = 0;
};

void RegisterSplitter(TClassRegistry& Registry);

}  // namespace classlib
