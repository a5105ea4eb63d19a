// A skinned edit that holds a number: an integer, or a value shown with a fixed number of
// decimals, optionally held to a range. Only number characters can be typed; the value follows the
// text while the user types, and a text that runs out of the range in a way further typing cannot
// mend is replaced at once. Leaving the edit shows the value in its own form.
//
// Classes in this file: TskSkinNumericEdit.
#pragma once

#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinNumberText.h"

#include <cstdint>

namespace skin {

class TskSkinNumericEdit : public TskSkinEdit {
public:
  explicit TskSkinNumericEdit(classlib::TComponent* AOwner);

  // Attributes
  TskValueType ValueType() const { return FValueType; }
  void SetValueType(TskValueType Value) { FValueType = Value; }
  double Value() const { return FValue; }
  // Clamps X into the range and writes the text anew (OnChange follows when the text changes).
  void SetValue(double X);
  // The range; equal bounds set no limit. Changing them leaves Value and the text as they are.
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value) { FMinValue = Value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value) { FMaxValue = Value; }
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  // Decimals shown for vtFloat, from the next write of the text on.
  std::uint8_t Decimal() const { return FDecimal; }
  void SetDecimal(std::uint8_t Value) { FDecimal = Value; }
  // Up and Down step Value by Increment.
  bool SupportUpDownKeys() const { return FSupportUpDownKeys; }
  void SetSupportUpDownKeys(bool Value) { FSupportUpDownKeys = Value; }

  // Operations
  double CheckValue(double X) const;
  bool IsNumText(const classlib::String& Text) const { return skin::IsNumText(Text, FValueType); }
  bool IsValidChar(char Ch) const { return IsValidNumberChar(Ch, FValueType, Text()); }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Change() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  // The text written from Value, the change it causes not parsed.
  void WriteValueText();

  bool FSettingText = false;  // the text is being written from Value
  bool FCorrecting = false;   // Change is replacing the text it has just read
  bool FSupportUpDownKeys = false;
  TskValueType FValueType = TskValueType::vtInteger;
  double FValue = 0;
  double FMinValue = 0;
  double FMaxValue = 0;
  double FIncrement = 1;
  std::uint8_t FDecimal = 2;
};

}  // namespace skin
