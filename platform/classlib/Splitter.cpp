#include "platform/classlib/Splitter.h"

#include "platform/classlib/ClassRegistry.h"

#include <algorithm>

namespace classlib {

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(TAlign::alLeft);
  SetBounds(0, 0, 3, 100);
  UpdateCursor();
}

void TSplitter::Loaded() {
  TGraphicControl::Loaded();
  UpdateCursor();
}

void TSplitter::UpdateCursor() { SetCursor(Horizontal() ? crSizeNS : crSizeWE); }

TControl* TSplitter::FindControl() const {
  if (!Parent()) return nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    bool touches = false;
    switch (Align()) {
      case TAlign::alLeft: touches = c->Left() + c->Width() == Left(); break;
      case TAlign::alRight: touches = c->Left() == Left() + Width(); break;
      case TAlign::alTop: touches = c->Top() + c->Height() == Top(); break;
      case TAlign::alBottom: touches = c->Top() == Top() + Height(); break;
      default: break;
    }
    if (touches) return c;
  }
  return nullptr;
}

int TSplitter::ParentPosition(int X, int Y) const { return Horizontal() ? Top() + Y : Left() + X; }

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FControl = FindControl();
  if (!FControl) return;
  UpdateCursor();
  FDownPosition = ParentPosition(X, Y);
  FStartSize = Horizontal() ? FControl->Height() : FControl->Width();
  // The splitter may move until what lies beyond it would be narrower than MinSize.
  const TRect client = Parent()->ClientRect();
  int beyond = 0;
  switch (Align()) {
    case TAlign::alLeft: beyond = client.right - (Left() + Width()); break;
    case TAlign::alRight: beyond = Left() - client.left; break;
    case TAlign::alTop: beyond = client.bottom - (Top() + Height()); break;
    case TAlign::alBottom: beyond = Top() - client.top; break;
    default: break;
  }
  FMaxSize = std::max(FMinSize, FStartSize + beyond - FMinSize);
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FControl || !Shift.Contains(TShiftStateItem::ssLeft)) return;
  int delta = ParentPosition(X, Y) - FDownPosition;
  if (Align() == TAlign::alRight || Align() == TAlign::alBottom) delta = -delta;
  const int size = std::clamp(FStartSize + delta, FMinSize, FMaxSize);
  if (Horizontal()) FControl->SetHeight(size);
  else FControl->SetWidth(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FControl || Button != TMouseButton::mbLeft) return;
  FControl = nullptr;
  if (OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(ClientRect());
}

void RegisterSplitter(TClassRegistry& Registry) {
  Registry.Register<TSplitter>("TSplitter", "TGraphicControl")
      .Integer("MinSize", &TSplitter::SetMinSize)
      .Event("OnMoved", &TSplitter::OnMoved);
}

}  // namespace classlib
