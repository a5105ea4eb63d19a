#include "skin/boxes/SkinNumberText.h"

#include "platform/classlib/FloatText.h"
#include "platform/classlib/SysUtils.h"

#include <cmath>
#include <cstdio>

using namespace classlib;

namespace skin {

String FormatNumberValue(double Value, TskValueType ValueType, int Decimal) {
  if (ValueType == TskValueType::vtFloat) return FloatToStrF(Value, TFloatFormat::ffFixed, 15, Decimal);
  // nearbyint rounds halves to the even neighbour; adding 0 turns -0 into 0. Written from the
  // double itself, so that no value is beyond an integer type's range.
  const double rounded = std::nearbyint(Value) + 0.0;
  if (!std::isfinite(rounded)) return FloatToStrF(rounded, TFloatFormat::ffFixed, 15, 0);
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", rounded);
  return text;
}

bool IsNumText(const String& S, TskValueType ValueType) {
  if (S.empty() || S == "-") return false;
  const bool isFloat = ValueType == TskValueType::vtFloat;
  const char separator = DecimalSeparator();
  int separators = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    const char c = S[i];
    if (c == '-') {
      if (i != 0) return false;
    } else if (isFloat && c == separator) {
      if (i == 0 || ++separators > 1) return false;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

bool IsValidNumberChar(char Ch, TskValueType ValueType, const String& Text) {
  const char separator = DecimalSeparator();
  if (static_cast<unsigned char>(Ch) < ' ') return Ch != '\r';
  if (Ch == '-') return Text.find('-') == String::npos;
  if (ValueType == TskValueType::vtFloat && Ch == separator) return Text.find(separator) == String::npos;
  return Ch >= '0' && Ch <= '9';
}

bool NumberFromText(const String& S, TskValueType ValueType, double& X) {
  if (ValueType == TskValueType::vtFloat) return TryStrToFloat(S, X);
  int value = 0;
  if (!TryStrToInt(S, value)) return false;
  X = value;
  return true;
}

bool NeedsCorrection(double X, double V, double MinValue) {
  const bool outOfRange = X < 0 && V < 0 ? V > X : V < X;
  return outOfRange || (MinValue > 0 && X < 0) || (MinValue < 0 && X > 0);
}

}  // namespace skin
