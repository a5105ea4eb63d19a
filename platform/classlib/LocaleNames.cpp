#include "platform/classlib/LocaleNames.h"

#include "platform/classlib/WideText.h"

#include <cmath>

namespace classlib {

namespace {

String LocaleText(LCTYPE Type) {
  WCHAR text[128] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, Type, text, 128);
  return length > 0 ? FromWide(text) : String();
}

}  // namespace

String LongMonthName(int Month) { return LocaleText(LOCALE_SMONTHNAME1 + (Month - 1)); }

// The system counts its abbreviated day names from Monday.
String ShortDayName(int Day) { return LocaleText(Day == 1 ? LOCALE_SABBREVDAYNAME7 : LOCALE_SABBREVDAYNAME1 + (Day - 2)); }

int DayOfWeek(TDateTime Date) {
  // Day 0, 30 December 1899, was a Saturday.
  const auto days = static_cast<long long>(std::floor(Date));
  return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

TDateTime Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

}  // namespace classlib
