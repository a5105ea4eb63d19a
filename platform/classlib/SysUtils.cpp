#include "platform/classlib/SysUtils.h"

#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace classlib {

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool TryStrToInt(const String& S, int& Value) {
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  bool negative = false;
  if (i < S.size() && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
  int base = 10;
  if (i < S.size() && S[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == S.size()) return false;
  // Hexadecimal spans the full 32 bits (two's complement); decimal must fit a signed integer.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : std::uint64_t{0x7FFFFFFF} + (negative ? 1 : 0);
  std::uint64_t magnitude = 0;
  for (; i < S.size(); ++i) {
    const int digit = DigitValue(S[i]);
    if (digit >= base) return false;
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > limit) return false;
  }
  const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
  Value = static_cast<int>(bits);
  return true;
}

int StrToInt(const String& S) {
  int value = 0;
  if (!TryStrToInt(S, value)) throw EConvertError("'" + S + "' is not a valid integer value");
  return value;
}

int StrToIntDef(const String& S, int Default) {
  int value = 0;
  return TryStrToInt(S, value) ? value : Default;
}

// ---------------------------------------------------------------------------------------------
// Format

namespace {

struct TFormatSpec {
  String Flags;
  int Width = -1;
  int Precision = -1;
  char Type = 0;
};

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CharacterCount(const String& S) {
  return static_cast<size_t>(std::count_if(S.begin(), S.end(), [](char c) { return !IsUtf8Continuation(c); }));
}

// The first Count characters of S (whole UTF-8 sequences).
String LeadingCharacters(const String& S, size_t Count) {
  size_t end = 0;
  for (size_t taken = 0; end < S.size() && taken < Count; ++taken) {
    ++end;
    while (end < S.size() && IsUtf8Continuation(S[end])) ++end;
  }
  return S.substr(0, end);
}

String PadText(String text, const TFormatSpec& spec) {
  if (spec.Precision >= 0) text = LeadingCharacters(text, static_cast<size_t>(spec.Precision));
  const size_t length = CharacterCount(text);
  if (spec.Width < 0 || length >= static_cast<size_t>(spec.Width)) return text;
  const String padding(static_cast<size_t>(spec.Width) - length, ' ');
  return spec.Flags.find('-') != String::npos ? text + padding : padding + text;
}

// Runs the C library's formatter on one conversion (numbers only: no text reaches it).
template <class T>
String PrintOne(const TFormatSpec& spec, const char* lengthAndType, T value) {
  String cFormat = "%" + spec.Flags;
  if (spec.Width >= 0) cFormat += std::to_string(spec.Width);
  if (spec.Precision >= 0) cFormat += "." + std::to_string(spec.Precision);
  cFormat += lengthAndType;
  const int size = std::snprintf(nullptr, 0, cFormat.c_str(), value);
  String result(static_cast<size_t>(size), '\0');
  std::snprintf(result.data(), result.size() + 1, cFormat.c_str(), value);
  return result;
}

// A negative integer given to an unsigned conversion is taken as the 32-bit two's complement when
// it fits 32 bits, as the integers the program formats are 32-bit ones.
std::uint64_t AsUnsignedBits(const TFormatArg& arg) {
  if (arg.Kind() == TFormatArg::TKind::Unsigned) return arg.AsUnsigned();
  const std::int64_t value = arg.AsSigned();
  if (value < 0 && value >= std::numeric_limits<std::int32_t>::min())
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
  return static_cast<std::uint64_t>(value);
}

bool IsInteger(const TFormatArg& arg) {
  return arg.Kind() == TFormatArg::TKind::Signed || arg.Kind() == TFormatArg::TKind::Unsigned;
}

class TFormatter {
public:
  TFormatter(const String& format, const std::vector<TFormatArg>& args) : FFormat(format), FArgs(args) {}

  String Run() {
    String out;
    while (FPos < FFormat.size()) {
      const char c = FFormat[FPos++];
      if (c != '%') {
        out += c;
      } else if (FPos < FFormat.size() && FFormat[FPos] == '%') {
        out += '%';
        ++FPos;
      } else {
        out += Convert(ParseSpec());
      }
    }
    return out;
  }

private:
  [[noreturn]] void Fail() const {
    throw EConvertError("Format '" + FFormat + "' invalid or incompatible with argument");
  }

  int ParseNumber() {
    int value = 0;
    while (FPos < FFormat.size() && FFormat[FPos] >= '0' && FFormat[FPos] <= '9') {
      value = value * 10 + (FFormat[FPos++] - '0');
      if (value > 100000) Fail();
    }
    return value;
  }

  TFormatSpec ParseSpec() {
    TFormatSpec spec;
    while (FPos < FFormat.size() && String("-+ 0#").find(FFormat[FPos]) != String::npos)
      spec.Flags += FFormat[FPos++];
    if (FPos < FFormat.size() && FFormat[FPos] >= '1' && FFormat[FPos] <= '9') spec.Width = ParseNumber();
    if (FPos < FFormat.size() && FFormat[FPos] == '.') {
      ++FPos;
      spec.Precision = ParseNumber();
    }
    if (FPos == FFormat.size()) Fail();
    spec.Type = FFormat[FPos++];
    return spec;
  }

  const TFormatArg& NextArg() {
    if (FArgIndex >= FArgs.size()) Fail();
    return FArgs[FArgIndex++];
  }

  String Convert(const TFormatSpec& spec) {
    const TFormatArg& arg = NextArg();
    using K = TFormatArg::TKind;
    switch (spec.Type) {
      case 'd': case 'D': case 'i':
        if (arg.Kind() == K::Signed) return PrintOne(spec, "lld", static_cast<long long>(arg.AsSigned()));
        if (arg.Kind() == K::Unsigned) return PrintOne(spec, "llu", static_cast<unsigned long long>(arg.AsUnsigned()));
        break;
      case 'u': case 'U':
        if (IsInteger(arg)) return PrintOne(spec, "llu", static_cast<unsigned long long>(AsUnsignedBits(arg)));
        break;
      case 'x':
        if (IsInteger(arg)) return PrintOne(spec, "llx", static_cast<unsigned long long>(AsUnsignedBits(arg)));
        break;
      case 'X':
        if (IsInteger(arg)) return PrintOne(spec, "llX", static_cast<unsigned long long>(AsUnsignedBits(arg)));
        break;
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
        if (arg.Kind() == K::Float) {
          const char type[2] = {spec.Type == 'F' ? 'f' : spec.Type, 0};
          return PrintOne(spec, type, arg.AsFloat());
        }
        break;
      case 's': case 'S':
        if (arg.Kind() == K::Text || arg.Kind() == K::Char) return PadText(arg.AsText(), spec);
        break;
      case 'c': case 'C':
        if (arg.Kind() == K::Char) return PadText(arg.AsText(), TFormatSpec{spec.Flags, spec.Width, -1, 'c'});
        break;
      case 'p': case 'P':
        if (arg.Kind() == K::Pointer) {
          const String digits = PrintOne(TFormatSpec{"0", static_cast<int>(2 * sizeof(void*)), -1, 'X'}, "llX",
                                         static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(arg.AsPointer())));
          return PadText(digits, TFormatSpec{spec.Flags, spec.Width, -1, 'p'});
        }
        break;
      default:
        break;
    }
    Fail();
  }

  const String& FFormat;
  const std::vector<TFormatArg>& FArgs;
  size_t FPos = 0;
  size_t FArgIndex = 0;
};

}  // namespace

String FormatArgs(const String& Format, const std::vector<TFormatArg>& Args) {
  return TFormatter(Format, Args).Run();
}

// ---------------------------------------------------------------------------------------------
// Text

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int Sign(int value) { return (value > 0) - (value < 0); }

int LocaleCompare(const String& S1, const String& S2, DWORD flags) {
  const WideString a = ToWide(S1);
  const WideString b = ToWide(S2);
  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3.
  return CompareStringW(LOCALE_USER_DEFAULT, flags, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

}  // namespace

String UpperCase(const String& S) {
  String result = S;
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

String LowerCase(const String& S) {
  String result = S;
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

int CompareStr(const String& S1, const String& S2) { return Sign(S1.compare(S2)); }

int CompareText(const String& S1, const String& S2) { return CompareStr(LowerCase(S1), LowerCase(S2)); }

bool SameText(const String& S1, const String& S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }

String AnsiUpperCase(const String& S) {
  WideString wide = ToWide(S);
  CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return FromWide(wide);
}

String AnsiLowerCase(const String& S) {
  WideString wide = ToWide(S);
  CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return FromWide(wide);
}

int AnsiCompareStr(const String& S1, const String& S2) { return LocaleCompare(S1, S2, 0); }

int AnsiCompareText(const String& S1, const String& S2) { return LocaleCompare(S1, S2, NORM_IGNORECASE); }

std::string AnsiSortKeyText(const String& S) {
  const WideString wide = ToWide(S);
  const auto mapInto = [&wide](std::string& Key) {
    return LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, wide.c_str(),
                        static_cast<int>(wide.size()), reinterpret_cast<LPWSTR>(Key.data()),
                        static_cast<int>(Key.size()));
  };
  // Most keys fit a few bytes for each character; the size is asked for only when one does not.
  std::string key(wide.size() * 6 + 16, '\0');
  int size = mapInto(key);
  if (size == 0) {
    std::string none;
    key.assign(static_cast<size_t>(std::max(mapInto(none), 0)), '\0');
    size = key.empty() ? 0 : mapInto(key);
  }
  key.resize(static_cast<size_t>(std::max(size, 0)));
  return key;
}

String Trim(const String& S) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(S.begin(), S.end(), isBlank);
  const auto last = std::find_if_not(S.rbegin(), S.rend(), isBlank).base();
  return first < last ? String(first, last) : String();
}

// ---------------------------------------------------------------------------------------------
// File names

namespace {

// Index just past the last folder separator or drive colon; 0 when there is none.
size_t NameStart(const String& FileName) {
  const size_t at = FileName.find_last_of("\\:");
  return at == String::npos ? 0 : at + 1;
}

// Index of the extension's dot in the name part, or npos.
size_t ExtensionDot(const String& FileName) {
  const size_t dot = FileName.rfind('.');
  return dot != String::npos && dot >= NameStart(FileName) ? dot : String::npos;
}

}  // namespace

String ExtractFilePath(const String& FileName) { return FileName.substr(0, NameStart(FileName)); }

String ExtractFileName(const String& FileName) { return FileName.substr(NameStart(FileName)); }

String ExtractFileExt(const String& FileName) {
  const size_t dot = ExtensionDot(FileName);
  return dot == String::npos ? String() : FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  return FileName.substr(0, ExtensionDot(FileName)) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  return !S.empty() && S.back() == '\\' ? S : S + "\\";
}

// ---------------------------------------------------------------------------------------------
// Files

namespace {

DWORD Attributes(const String& path) { return GetFileAttributesW(ToWide(path).c_str()); }

}  // namespace

bool FileExists(const String& FileName) {
  const DWORD attributes = Attributes(FileName);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& Directory) {
  const DWORD attributes = Attributes(Directory);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFile(const String& FileName) { return DeleteFileW(ToWide(FileName).c_str()) != FALSE; }

bool RenameFile(const String& OldName, const String& NewName) {
  return MoveFileW(ToWide(OldName).c_str(), ToWide(NewName).c_str()) != FALSE;
}

String GetCurrentDir() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  WideString buffer(size, 0);
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  return FromWide(buffer.c_str(), static_cast<int>(length));
}

bool ForceDirectories(const String& Dir) {
  String dir = Dir;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  const String parent = ExtractFilePath(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  // Another thread or process may have made it meanwhile: what counts is that it exists.
  return CreateDirectoryW(ToWide(dir).c_str(), nullptr) || DirectoryExists(dir);
}

// ---------------------------------------------------------------------------------------------
// Dates

void DecodeDate(TDateTime Date, WORD& Year, WORD& Month, WORD& Day) {
  constexpr double kMSecsPerDay = 86400000.0;
  constexpr long long kDaysBefore1970 = 25569;  // from 30 December 1899 to 1 January 1970
  // The day part truncates toward zero, so a negative date's fraction still lies within its day.
  const double ms = std::round(std::clamp(Date, -1e7, 1e7) * kMSecsPerDay);
  const long long days = static_cast<long long>(ms) / 86400000LL;
  // Days to a civil date, in eras of 400 years starting on 1 March.
  const long long z = days - kDaysBefore1970 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
  Day = static_cast<WORD>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  Month = static_cast<WORD>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  Year = static_cast<WORD>(yearOfEra + era * 400 + (Month <= 2 ? 1 : 0));
}

void DecodeTime(TDateTime Date, WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec) {
  constexpr long long kMSecsPerDay = 86400000LL;
  // As DecodeDate: the fraction counts forward into the day, on either side of day 0.
  long long ms = static_cast<long long>(std::round(std::clamp(Date, -1e7, 1e7) * kMSecsPerDay)) % kMSecsPerDay;
  if (ms < 0) ms = -ms;
  Hour = static_cast<WORD>(ms / 3600000);
  Min = static_cast<WORD>(ms / 60000 % 60);
  Sec = static_cast<WORD>(ms / 1000 % 60);
  MSec = static_cast<WORD>(ms % 1000);
}

TDateTime EncodeDate(WORD Year, WORD Month, WORD Day) {
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > kDaysInMonth[Month - 1] + (Month == 2 && leap ? 1 : 0))
    throw EConvertError("Invalid argument to date encode");
  // A civil date to days, in eras of 400 years starting on 1 March.
  const long long y = Year - (Month <= 2 ? 1 : 0);
  const long long era = y / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (Month > 2 ? Month - 3 : Month + 9) + 2) / 5 + Day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  constexpr long long kDaysBefore1970 = 25569;
  return static_cast<double>(era * 146097 + dayOfEra - 719468 + kDaysBefore1970);
}

TDateTime EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec) {
  if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) throw EConvertError("Invalid argument to time encode");
  return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
}

TDateTime FileDateToDateTime(int FileDate) {
  const auto date = static_cast<WORD>(static_cast<unsigned>(FileDate) >> 16);
  const auto time = static_cast<WORD>(FileDate & 0xFFFF);
  const TDateTime day = EncodeDate(static_cast<WORD>((date >> 9) + 1980), (date >> 5) & 15, date & 31);
  return day + EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
}

String DateTimeToStr(TDateTime Date) {
  SYSTEMTIME st{};
  DecodeDate(Date, st.wYear, st.wMonth, st.wDay);
  DecodeTime(Date, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  char text[128];
  String result = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text) ? text : "";
  if (st.wHour || st.wMinute || st.wSecond || st.wMilliseconds) {
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text)) result += String(" ") + text;
  }
  return result;
}

}  // namespace classlib
