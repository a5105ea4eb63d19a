#include "platform/classlib/DateFormats.h"

#include "platform/classlib/LocaleNames.h"
#include "platform/classlib/WideText.h"

#include <array>
#include <cctype>

namespace classlib {

namespace {

String LocaleText(LCTYPE Type) {
  WCHAR text[128] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, Type, text, 128);
  return length > 0 ? FromWide(text) : String();
}

bool IsPictureLetter(char C) { return C == 'd' || C == 'M' || C == 'y' || C == 'g'; }

// The weekday of Date for the system's day names, which count from Monday.
LCTYPE DayNameType(TDateTime Date, bool Abbreviated) {
  const int fromMonday = (DayOfWeek(Date) + 5) % 7;
  return (Abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + fromMonday;
}

String Padded(int Value, int Digits) {
  String text = IntToStr(Value);
  if (static_cast<int>(text.size()) < Digits) text.insert(0, static_cast<size_t>(Digits) - text.size(), '0');
  return text;
}

enum class TDatePart { Day, Month, Year };

// The order of day, month and year in the short date picture.
std::array<TDatePart, 3> DateOrder() {
  std::array<TDatePart, 3> order{};
  size_t found = 0;
  bool quoted = false;
  for (const char c : ShortDateFormat()) {
    if (c == '\'') quoted = !quoted;
    if (quoted || found == order.size()) continue;
    const TDatePart part = c == 'd' ? TDatePart::Day : c == 'M' ? TDatePart::Month : TDatePart::Year;
    if (c != 'd' && c != 'M' && c != 'y') continue;
    bool seen = false;
    for (size_t i = 0; i < found; ++i) seen = seen || order[i] == part;
    if (!seen) order[found++] = part;
  }
  if (found != order.size()) return {TDatePart::Month, TDatePart::Day, TDatePart::Year};
  return order;
}

}  // namespace

String ShortDateFormat() {
  const String picture = LocaleText(LOCALE_SSHORTDATE);
  return picture.empty() ? String("M/d/yyyy") : picture;
}

// Read from the picture itself: the separator the system reports apart may disagree with it,
// and the date edits split the written date at this character.
char DateSeparator() {
  bool quoted = false;
  for (const char c : ShortDateFormat()) {
    if (c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && !IsPictureLetter(c)) return c;
  }
  return '/';
}

char TimeSeparator() {
  const String separator = LocaleText(LOCALE_STIME);
  return separator.empty() ? ':' : separator[0];
}

String FormatDateTime(const String& Picture, TDateTime Date) {
  WORD year, month, day;
  DecodeDate(Date, year, month, day);
  String text;
  for (size_t i = 0; i < Picture.size();) {
    const char c = Picture[i];
    if (c == '\'' && i + 1 < Picture.size() && Picture[i + 1] == '\'') {
      text += '\'';
      i += 2;
      continue;
    }
    if (c == '\'') {
      for (++i; i < Picture.size(); ++i) {
        if (Picture[i] != '\'') {
          text += Picture[i];
        } else if (i + 1 < Picture.size() && Picture[i + 1] == '\'') {
          text += '\'';
          ++i;
        } else {
          break;
        }
      }
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < Picture.size() && Picture[i + run] == c) ++run;
    switch (c) {
      case 'd':
        if (run <= 2) text += Padded(day, static_cast<int>(run));
        else text += LocaleText(DayNameType(Date, run == 3));
        break;
      case 'M':
        if (run <= 2) text += Padded(month, static_cast<int>(run));
        else text += LocaleText((run == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + (month - 1));
        break;
      case 'y':
        text += run <= 2 ? Padded(year % 100, static_cast<int>(run)) : Padded(year, 4);
        break;
      case 'g':
        break;
      case '/':
        text += String(run, DateSeparator());
        break;
      default:
        text += String(run, c);
    }
    i += run;
  }
  return text;
}

String DateToStr(TDateTime Date) { return FormatDateTime(ShortDateFormat(), Date); }

int ExpandTwoDigitYear(int Year) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int first = now.wYear - 50;
  int year = first / 100 * 100 + Year;
  if (year < first) year += 100;
  return year;
}

bool TryStrToDate(const String& S, TDateTime& Date) {
  const char separator = DateSeparator();
  std::array<int, 3> numbers{};
  std::array<size_t, 3> digits{};
  size_t field = 0;
  size_t i = 0;
  for (; field < numbers.size(); ++field) {
    while (i < S.size() && S[i] == ' ') ++i;
    const size_t start = i;
    int value = 0;
    while (i < S.size() && std::isdigit(static_cast<unsigned char>(S[i])) && i - start < 5)
      value = value * 10 + (S[i++] - '0');
    if (i == start) return false;
    numbers[field] = value;
    digits[field] = i - start;
    while (i < S.size() && S[i] == ' ') ++i;
    if (field + 1 < numbers.size()) {
      if (i >= S.size() || S[i] != separator) return false;
      ++i;
    }
  }
  if (i != S.size()) return false;
  int year = 0, month = 0, day = 0;
  const std::array<TDatePart, 3> order = DateOrder();
  for (size_t k = 0; k < order.size(); ++k) {
    if (order[k] == TDatePart::Day) day = numbers[k];
    if (order[k] == TDatePart::Month) month = numbers[k];
    if (order[k] == TDatePart::Year) year = digits[k] <= 2 ? ExpandTwoDigitYear(numbers[k]) : numbers[k];
  }
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  try {
    Date = EncodeDate(static_cast<WORD>(year), static_cast<WORD>(month), static_cast<WORD>(day));
  } catch (const EConvertError&) {  // a day past its month's end
    return false;
  }
  return true;
}

TDateTime StrToDate(const String& S) {
  TDateTime date = 0;
  if (!TryStrToDate(S, date)) throw EConvertError("'" + S + "' is not a valid date");
  return date;
}

}  // namespace classlib
