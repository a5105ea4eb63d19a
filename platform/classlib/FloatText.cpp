#include "platform/classlib/FloatText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <windows.h>

namespace classlib {

char DecimalSeparator() {
  WCHAR text[8] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
  // The length counts the terminating zero.
  if (length == 2 && text[0] > L' ' && text[0] < 128) return static_cast<char>(text[0]);
  return '.';
}

String FloatToStrF(double Value, TFloatFormat, int Precision, int Digits) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  Precision = std::clamp(Precision, 1, 17);
  Digits = std::clamp(Digits, 0, 18);

  // The Precision significant digits and the power of ten of the first: "-d.ddde+XX".
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", Precision - 1, Value);
  const char* p = buffer;
  const bool negative = *p == '-';
  if (negative) ++p;
  String significant;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') significant += *p;
  const int exponent = *p ? std::atoi(p + 1) : 0;
  const char separator = DecimalSeparator();

  if (exponent + 1 > Precision) {
    String text = negative ? "-" : "";
    text += significant[0];
    text += separator;
    text += significant.substr(1);
    return text + "E+" + std::to_string(exponent);
  }

  // The places from the highest integer one (at least the units) down to the last decimal.
  const int high = std::max(exponent, 0);
  const auto digitAt = [&](int Index) {
    return Index >= 0 && Index < static_cast<int>(significant.size()) ? significant[static_cast<size_t>(Index)] - '0'
                                                                      : 0;
  };
  std::vector<int> places;
  for (int power = high; power >= -Digits; --power) places.push_back(digitAt(exponent - power));
  // Rounded half away from zero on the decimal digits.
  if (digitAt(exponent + Digits + 1) >= 5) {
    size_t i = places.size();
    while (i > 0 && places[i - 1] == 9) places[--i] = 0;
    if (i > 0)
      ++places[i - 1];
    else
      places.insert(places.begin(), 1);
  }

  const size_t integerPlaces = places.size() - static_cast<size_t>(Digits);
  String text;
  for (size_t i = 0; i < places.size(); ++i) {
    if (i == integerPlaces) text += separator;
    text += static_cast<char>('0' + places[i]);
  }
  const bool zero = std::all_of(places.begin(), places.end(), [](int d) { return d == 0; });
  return negative && !zero ? "-" + text : text;
}

bool TryStrToFloat(const String& S, double& Value) {
  const char separator = DecimalSeparator();
  size_t i = 0, end = S.size();
  while (i < end && S[i] == ' ') ++i;
  while (end > i && S[end - 1] == ' ') --end;
  const auto isDigit = [](char C) { return C >= '0' && C <= '9'; };

  // Rewritten in the form the standard conversion reads: "-", digits, ".", "e".
  String text;
  if (i < end && (S[i] == '+' || S[i] == '-')) {
    if (S[i] == '-') text += '-';
    ++i;
  }
  bool digits = false, point = false;
  for (; i < end; ++i) {
    if (isDigit(S[i])) {
      text += S[i];
      digits = true;
    } else if (S[i] == separator && !point) {
      text += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < end && (S[i] == 'E' || S[i] == 'e')) {
    text += 'e';
    ++i;
    if (i < end && (S[i] == '+' || S[i] == '-')) text += S[i++];
    const size_t first = i;
    for (; i < end && isDigit(S[i]); ++i) text += S[i];
    if (i == first) return false;
  }
  if (i != end) return false;

  double result = 0;
  const char* last = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), last, result);
  if (error != std::errc() || stop != last) return false;
  Value = result;
  return true;
}

}  // namespace classlib
