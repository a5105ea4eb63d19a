// Plain stand-ins for the skinned push button, speed button and check box.
//
// Classes in this file: TskSkinButton, TskSkinSpeedButton, TskSkinCheckRadioBox.
#pragma once

#include "platform/classlib/StdCtrls.h"

namespace skin {

// The class library's push button: Caption, Enabled and OnClick as the application uses them.
class TskSkinButton : public classlib::TButton {
public:
  explicit TskSkinButton(classlib::TComponent* AOwner);
};

// A windowless button that clicks on release of the left button inside it; it never takes the focus.
class TskSkinSpeedButton : public classlib::TGraphicControl {
public:
  explicit TskSkinSpeedButton(classlib::TComponent* AOwner);

  bool Pressed() const { return FPressed; }

protected:
  void Paint() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  bool FPressed = false;
};

// A check box (the check-box look of the skinned check and radio box): Checked, OnClick.
class TskSkinCheckRadioBox : public classlib::TCheckBox {
public:
  explicit TskSkinCheckRadioBox(classlib::TComponent* AOwner);
};

}  // namespace skin
