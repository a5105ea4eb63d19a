#include "platform/classlib/Bevel.h"

#include "platform/classlib/ClassRegistry.h"

namespace classlib {

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::BevelRect(const TRect& R, TColor First, TColor Second) {
  TCanvas& canvas = Canvas();
  canvas.Pen()->SetColor(First);
  canvas.Polyline({Point(R.left, R.bottom), Point(R.left, R.top), Point(R.right, R.top)});
  canvas.Pen()->SetColor(Second);
  canvas.Polyline({Point(R.right, R.top), Point(R.right, R.bottom), Point(R.left, R.bottom)});
}

void TBevel::BevelLine(TColor Color, int X1, int Y1, int X2, int Y2) {
  TCanvas& canvas = Canvas();
  canvas.Pen()->SetColor(Color);
  canvas.MoveTo(X1, Y1);
  canvas.LineTo(X2, Y2);
}

void TBevel::PaintShape(TColor First, TColor Second) {
  const int w = Width(), h = Height();
  switch (FShape) {
    case TBevelShape::bsBox:
      BevelRect(Rect(0, 0, w - 1, h - 1), First, Second);
      break;
    case TBevelShape::bsFrame:
      BevelRect(Rect(1, 1, w - 1, h - 1), Second, Second);
      BevelRect(Rect(0, 0, w - 2, h - 2), First, First);
      break;
    case TBevelShape::bsTopLine:
      BevelLine(First, 0, 0, w, 0);
      BevelLine(Second, 0, 1, w, 1);
      break;
    case TBevelShape::bsBottomLine:
      BevelLine(First, 0, h - 2, w, h - 2);
      BevelLine(Second, 0, h - 1, w, h - 1);
      break;
    case TBevelShape::bsLeftLine:
      BevelLine(First, 0, 0, 0, h);
      BevelLine(Second, 1, 0, 1, h);
      break;
    case TBevelShape::bsRightLine:
      BevelLine(First, w - 2, 0, w - 2, h);
      BevelLine(Second, w - 1, 0, w - 1, h);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}

bool TBevel::PrepareDesignPaint() {
  TCanvas& canvas = Canvas();
  if (ComponentState().Contains(TComponentStateItem::csDesigning)) {
    // A spacer shows only in the designer, as a dotted outline drawn over whatever lies below.
    if (FShape == TBevelShape::bsSpacer) {
      canvas.Pen()->SetStyle(TPenStyle::psDot);
      canvas.Pen()->SetMode(TPenMode::pmXor);
      canvas.Pen()->SetColor(static_cast<TColor>(0xFFD8CE));
      canvas.Brush()->SetStyle(TBrushStyle::bsClear);
      canvas.Rectangle(0, 0, ClientWidth(), ClientHeight());
      return true;
    }
    canvas.Pen()->SetStyle(TPenStyle::psSolid);
    canvas.Pen()->SetMode(TPenMode::pmCopy);
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  }
  canvas.Pen()->SetWidth(1);
  return false;
}

void TBevel::Paint() {
  if (PrepareDesignPaint()) return;
  const bool lowered = FStyle == TBevelStyle::bsLowered;
  PaintShape(lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow);
}

void RegisterBevel(TClassRegistry& Registry) {
  Registry.Register<TBevel>("TBevel", "TGraphicControl")
      .Enum("Shape", &TBevel::SetShape,
            {{"bsBox", TBevelShape::bsBox},
             {"bsFrame", TBevelShape::bsFrame},
             {"bsTopLine", TBevelShape::bsTopLine},
             {"bsBottomLine", TBevelShape::bsBottomLine},
             {"bsLeftLine", TBevelShape::bsLeftLine},
             {"bsRightLine", TBevelShape::bsRightLine},
             {"bsSpacer", TBevelShape::bsSpacer}})
      .Enum("Style", &TBevel::SetStyle, {{"bsLowered", TBevelStyle::bsLowered}, {"bsRaised", TBevelStyle::bsRaised}});
}

}  // namespace classlib
