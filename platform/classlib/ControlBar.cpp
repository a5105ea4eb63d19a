#include "platform/classlib/ControlBar.h"

#include "platform/classlib/ClassRegistry.h"

#include <algorithm>
#include <map>
#include <vector>

namespace classlib {

namespace {

constexpr int GripWidth = 11;
constexpr int BandMargin = 2;

bool IsBand(const TControl& Control) { return Control.Visible() && Control.Align() == TAlign::alNone; }

}  // namespace

TCustomControlBar::TCustomControlBar(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 100, 50); }

void TCustomControlBar::SetRowSize(int Value) {
  if (Value <= 0 || Value == FRowSize) return;
  FRowSize = Value;
  Realign();
  Invalidate();
}

TRect TCustomControlBar::BandRect(const TControl& Control) {
  const TRect r = Control.BoundsRect();
  return Rect(r.left - GripWidth, r.top - BandMargin, r.right + BandMargin, r.bottom + BandMargin);
}

TControl* TCustomControlBar::GripAt(int X, int Y) const {
  for (int i = ControlCount() - 1; i >= 0; --i) {
    TControl* c = Controls(i);
    if (!IsBand(*c)) continue;
    const TRect band = BandRect(*c);
    if (X >= band.left && X < band.left + GripWidth && Y >= band.top && Y < band.bottom) return c;
  }
  return nullptr;
}

void TCustomControlBar::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  // Rows by the bands' tops, kept in order and closed up; in a row, bands side by side by their
  // left edges.
  std::map<int, std::vector<TControl*>> rows;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (IsBand(*c)) rows[std::max(0, (c->Top() - Rect.top) / FRowSize)].push_back(c);
  }
  int row = 0;
  for (auto& [index, bands] : rows) {
    std::stable_sort(bands.begin(), bands.end(), [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
    int x = Rect.left;
    for (TControl* c : bands) {
      const int top = FRowSnap ? Rect.top + row * FRowSize + BandMargin : std::max(c->Top(), Rect.top + BandMargin);
      c->SetBounds(x + GripWidth, top, c->Width(), c->Height());
      x += GripWidth + c->Width() + BandMargin;
    }
    ++row;
  }
}

void TCustomControlBar::Loaded() {
  TCustomControl::Loaded();
  Realign();
}

void TCustomControlBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FAutoDrag) return;
  FDragControl = GripAt(X, Y);
  if (FDragControl) FDragOffset = X - FDragControl->Left();
}

void TCustomControlBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FDragControl) return;
  SetCursor(crSizeAll);
  // The band goes to the row under the pointer (one past the last makes a new row), placed before
  // the bands whose left edges lie beyond its own.
  TRect client = ClientRect();
  AdjustClientRect(client);
  const int row = std::max(0, (Y - client.top) / FRowSize);
  FDragControl->SetBounds(std::max(client.left, X - FDragOffset), client.top + row * FRowSize + BandMargin,
                          FDragControl->Width(), FDragControl->Height());
  Realign();
  Invalidate();
}

void TCustomControlBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FDragControl) return;
  TControl* moved = FDragControl;
  FDragControl = nullptr;
  SetCursor(crDefault);
  TRect band = BandRect(*moved);
  if (OnBandMove) OnBandMove(this, moved, band);
}

void TCustomControlBar::PaintControlFrame(TCanvas& Canvas, TControl* Control, const TRect& R) {
  TRect frame = R;
  DrawEdge(Canvas.Handle(), &frame, BDR_RAISEDINNER, BF_RECT);
  // Two raised lines make the grip.
  for (int x : {R.left + 3, R.left + 6}) {
    TRect grip = Rect(x, R.top + 3, x + 3, R.bottom - 3);
    DrawEdge(Canvas.Handle(), &grip, BDR_RAISEDINNER, BF_RECT);
  }
  TRect band = R;
  if (OnBandPaint) OnBandPaint(this, Control, Canvas, band);
}

void TCustomControlBar::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(ClientRect());
  for (int i = 0; i < ControlCount(); ++i)
    if (IsBand(*Controls(i))) PaintControlFrame(canvas, Controls(i), BandRect(*Controls(i)));
  if (OnPaint) OnPaint(this);
}

void TCustomControlBar::Dispatch(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (Message.Msg == WM_SIZE) Realign();
}

void RegisterControlBar(TClassRegistry& Registry) {
  Registry.Register<TCustomControlBar>("TCustomControlBar", "TCustomControl")
      .Integer("RowSize", &TCustomControlBar::SetRowSize)
      .Boolean("RowSnap", &TCustomControlBar::SetRowSnap)
      .Boolean("AutoDrag", &TCustomControlBar::SetAutoDrag)
      .Event("OnBandMove", &TCustomControlBar::OnBandMove)
      .Event("OnBandPaint", &TCustomControlBar::OnBandPaint)
      .Event("OnPaint", &TCustomControlBar::OnPaint);
  Registry.Register<TControlBar>("TControlBar", "TCustomControlBar");
}

}  // namespace classlib
