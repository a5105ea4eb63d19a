// The skinned spin edit: a number field with two stacked arrow buttons at its right end that step
// the value, repeating while one is held; the Up and Down keys and the wheel step it too. The
// number is typed into an inner editor that lets only number characters through.
//
// The value lives in three places kept in step: Value, the control's Text and the editor's text.
// Writing Value writes Text, which the editor copies; typing copies the editor's text into Text,
// which is read back into Value (and corrected when it runs out of the range for good).
//
// Classes in this file: TskSkinNumEdit, TskSkinSpinEdit.
#pragma once

#include "skin/boxes/SkinCustomEdit.h"
#include "skin/boxes/SkinNumberText.h"
#include "skin/controls/SkinButtonRepeat.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/Skutils.h"

#include <cstdint>

namespace skin {

// The spin edit's editor: filters the typed characters and hands the arrow keys and the wheel to
// its owner as up and down clicks. Its OnMouseEnter and OnMouseLeave follow the pointer.
class TskSkinNumEdit : public TskCustomEdit {
public:
  using TskCustomEdit::TskCustomEdit;

  classlib::TNotifyEvent OnUpClick;
  classlib::TNotifyEvent OnDownClick;

  // Attributes
  // Off: nothing can be typed or deleted, only the control characters (the clipboard keys) pass.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  // The owner's ValueType is vtFloat: the decimal separator may be typed.
  bool FloatMode() const { return FFloatMode; }
  void SetFloatMode(bool Value) { FFloatMode = Value; }

  // Operations
  bool IsValidChar(char Ch) const;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  bool FEditorEnabled = true;
  bool FFloatMode = false;
};

class TskSkinSpinEdit : public TskSkinCustomControl {
public:
  // Button 0 steps up, button 1 down.
  struct TArrowButton {
    classlib::TRect Rect{};
    bool Hot = false;
    bool Pressed = false;
  };

  explicit TskSkinSpinEdit(classlib::TComponent* AOwner);
  ~TskSkinSpinEdit() override;

  classlib::TNotifyEvent OnChange;
  // The editor's events, with the spin edit as Sender.
  classlib::TKeyEvent OnEditKeyDown;
  classlib::TKeyPressEvent OnEditKeyPress;
  classlib::TKeyEvent OnEditKeyUp;
  classlib::TNotifyEvent OnEditEnter;
  classlib::TNotifyEvent OnEditExit;

  // Attributes
  // Skinned: the description's height, region and picture; off, any size with the picture
  // stretched and the buttons drawn from the skin's "resizebutton".
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
  TskValueType ValueType() const { return FValueType; }
  // Switching to vtInteger rounds Increment (halves to even; 0 becomes 1). Value and the text stay.
  void SetValueType(TskValueType Value);
  // Decimals shown for vtFloat, from the next write of the value on.
  std::uint8_t Decimal() const { return FDecimal; }
  void SetDecimal(std::uint8_t Value) { FDecimal = Value; }
  // The range: both 0 for no limit. Narrowing it moves Value into it.
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value);
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value);
  double Value() const { return FValue; }
  // Clamps X, writes the text and raises OnChange, also when the value stays the same; from an
  // OnChange handler only the editor's text is written, and no second OnChange follows.
  void SetValue(double X);
  // Clamps X and writes the text, without OnChange.
  void SimpleSetValue(double X);
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  bool EditorEnabled() const { return FEditor->EditorEnabled(); }
  void SetEditorEnabled(bool Value) { FEditor->SetEditorEnabled(Value); }
  int MaxLength() const { return FEditor->MaxLength(); }
  void SetMaxLength(int Value) { FEditor->SetMaxLength(Value); }
  TskSkinNumEdit& Editor() const { return *FEditor; }
  const TArrowButton& ArrowButton(int Index) const { return FArrowButtons[Index]; }
  int HotButton() const { return FHotButton; }
  bool MouseInControl() const { return FMouseInControl; }
  bool EditorFocused() const { return FEditorFocused; }

  // Operations
  double CheckValue(double X) const;
  bool IsNumText(const classlib::String& S) const { return skin::IsNumText(S, FValueType); }
  void Invalidate() override;
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcSize(int& W, int& H) override;
  void CalcRects();
  void AdjustEditHeight();

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void DefaultFontChange() override;
  void SetControlRegion() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

  virtual void EditKeyDown(classlib::TObject* Sender, WORD& Key, classlib::TShiftState Shift);
  virtual void EditKeyUp(classlib::TObject* Sender, WORD& Key, classlib::TShiftState Shift);
  virtual void EditKeyPress(classlib::TObject* Sender, char& Key);
  virtual void EditEnter(classlib::TObject* Sender);
  virtual void EditExit(classlib::TObject* Sender);
  virtual void Change();

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  bool HasActiveLook() const { return Skinned() && !IsNullRect(FActiveSkinRect); }
  bool ColorsDiffer() const { return Skinned() && FActiveFontColor != FFontColor; }
  void SetEditorFontColor(classlib::TColor Color);
  // The editor's font colour for the enabled state and, when Hover counts, the pointer and focus.
  void ApplyStateFontColor(bool Hover);
  void WriteEditorText(const classlib::String& S);
  void UpClick(classlib::TObject* Sender);
  void DownClick(classlib::TObject* Sender);
  void EditChange(classlib::TObject* Sender);
  void EditMouseEnter(classlib::TObject* Sender);
  void EditMouseLeave(classlib::TObject* Sender);
  // Reads the editor's text into Value after a change of Text, correcting it when needed.
  void FollowEditor();
  // The editor painted into DC at its place, as the control's erase shows it.
  void PaintEditorInto(HDC DC);

  void TestActive(int X, int Y);
  void ButtonDown(int I);
  void ButtonUp(int I);
  void ButtonEnter(int I);
  void ButtonLeave(int I);
  void DrawButton(classlib::TCanvas& Canvas, int I);

  bool FUseSkinSize = true;
  bool FMouseInControl = false;
  bool FEditorFocused = false;
  bool FSettingText = false;  // the text is being written from Value, or OnChange runs
  std::uint8_t FDecimal = 2;
  double FMinValue = 0;
  double FMaxValue = 0;
  double FIncrement = 1;
  bool FEditChanging = false;  // the editor's text is being copied into Text
  TskValueType FValueType = TskValueType::vtInteger;
  double FValue = 0;
  int FPreviousHotButton = -1;
  int FHotButton = -1;
  int FCapturedButton = -1;
  TskButtonRepeat FRepeat{*this};  // steps 1 decrease, 2 increase
  TArrowButton FArrowButtons[2];
  // The description's values, copied by GetSkinData.
  classlib::TRect FActiveSkinRect{};
  classlib::String FFontName;
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 0;
  classlib::TColor FFontColor = 0, FDisabledFontColor = 0, FActiveFontColor = 0;
  classlib::TRect FUpButtonRect{}, FActiveUpButtonRect{}, FDownUpButtonRect{};
  classlib::TRect FDownButtonRect{}, FActiveDownButtonRect{}, FDownDownButtonRect{};
  int FSkinLeftOffset = 0, FSkinRightOffset = 0;
  TskSkinNumEdit* FEditor = nullptr;  // owned; made by the constructor, freed first by the destructor
};

}  // namespace skin
