// The user's ways of writing dates and times, read from the system's locale settings at each call
// (so a change of the regional settings shows at once), and dates written and read in them.
#pragma once

#include "platform/classlib/SysUtils.h"

namespace classlib {

// The system's short date picture, e.g. "M/d/yyyy" or "dd.MM.yyyy".
String ShortDateFormat();
// The character between the fields of the short date picture ("/" when it has none).
char DateSeparator();
// The character between hours, minutes and seconds (":" when the system gives none).
char TimeSeparator();

// Date written by a picture of the system's kind: d and dd the day, ddd and dddd its weekday's
// abbreviated and full name, M and MM the month, MMM and MMMM its abbreviated and full name, y and
// yy the year's last two digits, yyyy the whole year in four digits, / the date separator, text
// in single quotes as it stands ('' a quote); the era (g) is left out, every other character
// stays.
String FormatDateTime(const String& Picture, TDateTime Date);
// Date in the short date picture.
String DateToStr(TDateTime Date);

// A year written with one or two digits, placed in the hundred years that begin fifty years
// before the current one (in 2026: 76 is 1976, 75 is 2075).
int ExpandTwoDigitYear(int Year);

// Three numbers between date separators, in the order of the short date picture; a year of one or
// two digits takes its century from ExpandTwoDigitYear. False for anything else or a date that
// does not exist.
bool TryStrToDate(const String& S, TDateTime& Date);
// As TryStrToDate; EConvertError "'S' is not a valid date" where that gives false.
TDateTime StrToDate(const String& S);

}  // namespace classlib
