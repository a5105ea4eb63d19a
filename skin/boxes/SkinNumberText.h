// The rules the number fields share (the spin edit and the numeric edit): how a value is written,
// which texts hold a number, which characters may be typed, and when a typed text that runs out
// of the range is written back at once.
//
// Classes in this file: TskValueType, TskGuardOn.
#pragma once

#include "platform/classlib/Types.h"

namespace skin {

enum class TskValueType { vtInteger, vtFloat };

// vtFloat: fixed-point with Decimal decimals and the locale's separator; vtInteger: the nearest
// integer (halves to the even neighbour).
classlib::String FormatNumberValue(double Value, TskValueType ValueType, int Decimal);

// Not empty, not "-" alone; only digits, one leading "-" and, for vtFloat, one decimal separator
// that does not come first.
bool IsNumText(const classlib::String& S, TskValueType ValueType);

// Whether Ch may be typed into a field holding Text: digits, "-", the separator for vtFloat and the
// control characters but carriage return; never a second "-" or a second separator.
bool IsValidNumberChar(char Ch, TskValueType ValueType, const classlib::String& Text);

// The number of a number text. False when it does not fit (an integer beyond 32 bits): such a text
// is treated as no number at all.
bool NumberFromText(const classlib::String& S, TskValueType ValueType, double& X);

// Whether a typed X that the range turned into V must be replaced at once: it lies above the
// maximum or below a negative minimum, or its sign can never reach the range. A value below a
// positive minimum stays as typed, since more digits may follow.
bool NeedsCorrection(double X, double V, double MinValue);

// Holds a re-entry guard on for a scope and gives it back its earlier state at the end, also when
// an event handler raises on the way: a guard taken inside another stays on for the outer one.
class TskGuardOn {
public:
  explicit TskGuardOn(bool& Flag) : FFlag(Flag), FEarlier(Flag) { FFlag = true; }
  ~TskGuardOn() { FFlag = FEarlier; }
  TskGuardOn(const TskGuardOn&) = delete;
  TskGuardOn& operator=(const TskGuardOn&) = delete;

private:
  bool& FFlag;
  bool FEarlier;
};

}  // namespace skin
