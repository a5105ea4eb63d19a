// A flat group box: a one-pixel frame in one colour around its children, broken at the top for the
// caption. It takes no skin; its look comes from its own properties, its font and its colour.
//
// Classes in this file: TPlainGroupBox.
#pragma once

#include "flat/PlainUtils.h"
#include "platform/classlib/Controls.h"

namespace flat {

// A control message the box answers that the class library does not number yet: a change of the
// system colours.
enum : UINT {
  CM_SYSCOLORCHANGE = classlib::CM_BASE + 36,
};

class TPlainGroupBox : public classlib::TCustomControl {
public:
  // 185 x 105, opaque, framed all round in colour 8623776 (red 160, green 150, blue 131), following
  // the parent's colour.
  explicit TPlainGroupBox(classlib::TComponent* AOwner);

  // Attributes

  // Paint the parent's background instead of Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  classlib::TColor ColorBorder() const { return FColorBorder; }
  void SetColorBorder(classlib::TColor Value) { SetColors(0, Value); }
  TGroupBoxBorder Border() const { return FBorder; }
  void SetBorder(TGroupBoxBorder Value);
  // How far (in lightness points of 240) the derived border colour lies below Color.
  TAdvColors AdvColorBorder() const { return FAdvColorBorder; }
  void SetAdvColorBorder(TAdvColors Value) { SetAdvColors(0, Value); }
  // Derive ColorBorder from Color by darkening; keeps ParentColor on with it.
  bool UseAdvColors() const { return FUseAdvColors; }
  void SetUseAdvColors(bool Value);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  // The indexed setters behind ColorBorder and AdvColorBorder (index 0); every index repaints.
  void SetColors(int Index, classlib::TColor Value);
  void SetAdvColors(int Index, TAdvColors Value);
  void CalcAdvColors();
  void Paint() override;

private:
  bool IsCaptionAccelerator(WPARAM Character) const;

  bool FTransparent = false;
  bool FUseAdvColors = false;
  TAdvColors FAdvColorBorder = 50;
  classlib::TColor FColorBorder = 8623776;
  TGroupBoxBorder FBorder = TGroupBoxBorder::brFull;
};

}  // namespace flat
