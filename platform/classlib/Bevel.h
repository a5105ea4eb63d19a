// A windowless frame or line, lowered or raised: the usual divider of dialogs.
//
// Classes in this file: TBevel.
#pragma once

#include "platform/classlib/Controls.h"

namespace classlib {

class TClassRegistry;

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent* AOwner);

  // Attributes
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;
  // In the designer: draws a spacer's dotted outline and answers true (nothing more is drawn), or
  // readies the canvas for the other shapes. Outside the designer it only sets the pen width.
  bool PrepareDesignPaint();
  // Draws Shape in the two colours: First on the lit side of a box (the shadow of a lowered
  // bevel), Second on the other.
  void PaintShape(TColor First, TColor Second);
  // The box step: First along the left and top edges of R, Second along its right and bottom.
  void BevelRect(const TRect& R, TColor First, TColor Second);
  // One line from (X1, Y1) to (X2, Y2), the end point left out.
  void BevelLine(TColor Color, int X1, int Y1, int X2, int Y2);

private:
  TBevelShape FShape = TBevelShape::bsBox;
  TBevelStyle FStyle = TBevelStyle::bsLowered;
};

void RegisterBevel(TClassRegistry& Registry);

}  // namespace classlib
