// The user's calendar words and today's date, read from the system's locale settings at each call
// so that a change of the regional settings shows at once.
#pragma once

#include "platform/classlib/SysUtils.h"

namespace classlib {

// Month 1 (January) .. 12.
String LongMonthName(int Month);
// Day 1 (Sunday) .. 7 (Saturday).
String ShortDayName(int Day);
// The weekday of Date, 1 for Sunday .. 7 for Saturday.
int DayOfWeek(TDateTime Date);
// Today at midnight.
TDateTime Today();

}  // namespace classlib
