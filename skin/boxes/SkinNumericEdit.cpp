#include "skin/boxes/SkinNumericEdit.h"

using namespace classlib;

namespace skin {

TskSkinNumericEdit::TskSkinNumericEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
  WriteValueText();
  SetBounds(Left(), Top(), 120, 20);
}

double TskSkinNumericEdit::CheckValue(double X) const {
  if (FMinValue == FMaxValue) return X;
  if (X < FMinValue) return FMinValue;
  if (X > FMaxValue) return FMaxValue;
  return X;
}

void TskSkinNumericEdit::SetValue(double X) {
  FValue = CheckValue(X);
  WriteValueText();
}

void TskSkinNumericEdit::WriteValueText() {
  TskGuardOn guard(FSettingText);
  SetText(FormatNumberValue(FValue, FValueType, FDecimal));
}

void TskSkinNumericEdit::Change() {
  if (FCorrecting) return;
  double x = 0;
  // A text too long for its kind of number counts as no number: the value stays.
  if (!FSettingText && IsNumText(Text()) && NumberFromText(Text(), FValueType, x)) {
    const double v = CheckValue(x);
    FValue = v;
    if (NeedsCorrection(x, v, FMinValue)) {
      TskGuardOn guard(FCorrecting);
      SetText(FormatNumberValue(v, FValueType, FDecimal));
    }
  }
  TskSkinEdit::Change();
}

void TskSkinNumericEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinEdit::KeyDown(Key, Shift);
  if (!FSupportUpDownKeys) return;
  if (Key == VK_UP)
    SetValue(FValue + FIncrement);
  else if (Key == VK_DOWN)
    SetValue(FValue - FIncrement);
}

void TskSkinNumericEdit::KeyPress(char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
  }
  TskSkinEdit::KeyPress(Key);
}

void TskSkinNumericEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      // Characters past ASCII never reach KeyPress, and none of them is a number character.
      if (Message.WParam >= 128 && !ReadOnly()) {
        MessageBeep(0);
        return;
      }
      break;
    case WM_KILLFOCUS:
      TskSkinEdit::Dispatch(Message);
      WriteValueText();
      return;
  }
  TskSkinEdit::Dispatch(Message);
}

}  // namespace skin
