// A container whose children are movable bands laid out in rows of RowSize pixels: each band is
// its control with a grip of 11 pixels before it and 2 pixels around the rest; dragging a grip
// moves the band along its row or to another row.
//
// Classes in this file: TCustomControlBar, TControlBar.
#pragma once

#include "platform/classlib/Controls.h"

#include <functional>

namespace classlib {

class TClassRegistry;

// Control: the band moved.
using TBandMoveEvent = std::function<void(TObject* Sender, TControl* Control, TRect& ARect)>;
using TBandPaintEvent = std::function<void(TObject* Sender, TControl* Control, TCanvas& Canvas, TRect& ARect)>;

class TCustomControlBar : public TCustomControl {
public:
  explicit TCustomControlBar(TComponent* AOwner);

  TBandMoveEvent OnBandMove;
  TBandPaintEvent OnBandPaint;
  TNotifyEvent OnPaint;

  // Attributes
  int RowSize() const { return FRowSize; }
  void SetRowSize(int Value);
  // Bands keep to their rows' tops.
  bool RowSnap() const { return FRowSnap; }
  void SetRowSnap(bool Value) { FRowSnap = Value; }
  // A press on a band's grip drags it.
  bool AutoDrag() const { return FAutoDrag; }
  void SetAutoDrag(bool Value) { FAutoDrag = Value; }
  // The band of a control: its bounds with the grip before it and the frame around the rest.
  static TRect BandRect(const TControl& Control);
  // The control whose grip lies under the client point, or null.
  TControl* GripAt(int X, int Y) const;

  void Dispatch(TMessage& Message) override;

protected:
  // Draws the frame and grip of one band around Control in R.
  virtual void PaintControlFrame(TCanvas& Canvas, TControl* Control, const TRect& R);
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Loaded() override;

private:
  int FRowSize = 26;
  bool FRowSnap = true;
  bool FAutoDrag = true;
  TControl* FDragControl = nullptr;
  int FDragOffset = 0;
};

class TControlBar : public TCustomControlBar {
public:
  using TCustomControlBar::TCustomControlBar;
};

void RegisterControlBar(TClassRegistry& Registry);

}  // namespace classlib
