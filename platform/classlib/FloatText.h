// Floating-point numbers as text the way the user's regional settings write them: the decimal
// separator is read from the locale at each call, so that a change of the settings shows at once.
#pragma once

#include "platform/classlib/Types.h"

namespace classlib {

// The user's decimal separator; "." when the locale's is not a single ASCII character.
char DecimalSeparator();

enum class TFloatFormat {
  // Fixed-point: Digits decimals, no thousands separators. A value with more integer digits than
  // Precision is written in scientific notation instead ("1.00000000000000E+20").
  ffFixed
};

// Value rounded to Precision significant digits (1..17), then written as Format says; the digits
// past the Precision are written as zeros. NAN, INF and -INF for the values that are no numbers.
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);

// Blanks, an optional sign, digits with at most one decimal separator (at least one digit), an
// optional exponent ("E" or "e", a sign, digits), blanks. False for any other text and for a value
// beyond the range of a double.
bool TryStrToFloat(const String& S, double& Value);

}  // namespace classlib
