// The skinned up-down control: two arrow buttons that step an integer between a minimum and a
// maximum, repeating while a button is held. The page and tab controls scroll their hidden tabs
// with it.
//
// Classes in this file: TskSkinUpDown.
#pragma once

#include "skin/controls/SkinButtonRepeat.h"
#include "skin/controls/SkinCustomControl.h"

namespace skin {

enum class TUDOrientation { udHorizontal, udVertical };

// An arrow button over R drawn from Skin's "resizebutton" description at any size, in its normal,
// hot or pressed look, with the arrow of DrawArrowImage's ArrowCode; a blank face when the skin
// has no such description or picture.
void DrawResizeArrowButton(classlib::TCanvas& Canvas, const TskSkinData& Skin, const classlib::TRect& R, bool Hot,
                           bool Pressed, int ArrowCode);

class TskSkinUpDown : public TskSkinCustomControl {
public:
  // Button 0 steps up, button 1 down.
  struct TArrowButton {
    classlib::TRect Rect{};
    bool Hot = false;
    bool Pressed = false;
  };

  explicit TskSkinUpDown(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnChange;
  classlib::TNotifyEvent OnUpButtonClick;
  classlib::TNotifyEvent OnDownButtonClick;

  // Attributes
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  int Position() const { return FPosition; }
  // A value outside Min..Max is ignored; any other fires OnChange, also when it is the same.
  void SetPosition(int Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  const TArrowButton& ArrowButton(int Index) const { return FArrowButtons[Index]; }
  int HotButton() const { return FHotButton; }
  bool Repeating() const { return FRepeat.Running(); }

  // Operations
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void SetControlRegion() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

private:
  void CalcRects();
  void TestActive(int X, int Y);
  void ButtonDown(int I);
  void ButtonUp(int I);
  void ButtonEnter(int I);
  void ButtonLeave(int I);
  void Step(int Direction);
  // The arrow code of DrawArrowImage for button I in this orientation.
  int ArrowCode(int I) const;

  TArrowButton FArrowButtons[2];
  int FHotButton = -1;
  int FPreviousHotButton = -1;
  int FCapturedButton = -1;
  TskButtonRepeat FRepeat{*this};  // steps 1 decrease, 2 increase
  bool FDescribed = false;  // the description is of the up-down kind
  classlib::TRect FUpButtonRect{}, FActiveUpButtonRect{}, FDownUpButtonRect{};
  classlib::TRect FDownButtonRect{}, FActiveDownButtonRect{}, FDownDownButtonRect{};
  bool FUseSkinSize = true;
  TUDOrientation FOrientation = TUDOrientation::udHorizontal;
  int FIncrement = 1;
  int FPosition = 0;
  int FMin = 0;
  int FMax = 100;
};

}  // namespace skin
