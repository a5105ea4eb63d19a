// Everyday helpers of the class library: number and text conversion, Format, case and
// file-name handling, and file-system queries through the W functions with Windows paths.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/Types.h"

#include <concepts>
#include <cstdint>
#include <string_view>
#include <vector>

// <windows.h> maps DeleteFile to DeleteFileA or DeleteFileW; the class library's DeleteFile takes
// its place (program code calls the W functions by their full names).
#undef DeleteFile

namespace classlib {

// A conversion that failed: "'x' is not a valid integer value", a bad Format string...
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Numbers

template <std::integral T>
  requires(!std::same_as<T, bool>)
String IntToStr(T Value) {
  return std::to_string(Value);
}

// Decimal with an optional sign, or hexadecimal after "$" or "0x" (up to 8 digits, so "$FFFFFFFF"
// is -1); leading blanks are skipped. Anything else, or a value beyond 32 bits, raises
// EConvertError "'S' is not a valid integer value".
int StrToInt(const String& S);
int StrToIntDef(const String& S, int Default);
bool TryStrToInt(const String& S, int& Value);

// ---------------------------------------------------------------------------------------------
// Format

// One argument of Format: an integer, a floating-point number, a text, a character or a pointer.
class TFormatArg {
public:
  enum class TKind { Signed, Unsigned, Float, Text, Char, Pointer };

  template <std::signed_integral T>
    requires(!std::same_as<T, char>)
  TFormatArg(T Value) : FKind(TKind::Signed), FSigned(Value) {}
  template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>)
  TFormatArg(T Value) : FKind(TKind::Unsigned), FUnsigned(Value) {}
  TFormatArg(char Value) : FKind(TKind::Char), FText(1, Value) {}
  TFormatArg(double Value) : FKind(TKind::Float), FFloat(Value) {}
  TFormatArg(const char* Value) : FKind(TKind::Text), FText(Value ? Value : "") {}
  TFormatArg(std::string_view Value) : FKind(TKind::Text), FText(Value) {}
  TFormatArg(const String& Value) : FKind(TKind::Text), FText(Value) {}
  TFormatArg(const void* Value) : FKind(TKind::Pointer), FPointer(Value) {}
  TFormatArg(bool) = delete;

  TKind Kind() const { return FKind; }
  std::int64_t AsSigned() const { return FSigned; }
  std::uint64_t AsUnsigned() const { return FUnsigned; }
  double AsFloat() const { return FFloat; }
  const String& AsText() const { return FText; }
  const void* AsPointer() const { return FPointer; }

private:
  TKind FKind;
  std::int64_t FSigned = 0;
  std::uint64_t FUnsigned = 0;
  double FFloat = 0;
  String FText;
  const void* FPointer = nullptr;
};

// printf-style formatting: "%[flags][width][.precision]type" with the flags "-", "+", " ", "0", "#"
// and the types d/i, u, x, X, c, s, f, e, E, g, G, p and "%%". As in the class library of old, the
// types d, u, s, c, f and p may also be written in capitals ("%2S:%02S" is "%2s:%02s"). Widths and
// precisions of texts count characters, not bytes. A type that does not fit its argument, a
// missing argument or an unknown type raises EConvertError "Format 'F' invalid or incompatible
// with argument".
String FormatArgs(const String& Format, const std::vector<TFormatArg>& Args);

template <class... A>
String Format(const String& Fmt, const A&... Args) {
  return FormatArgs(Fmt, std::vector<TFormatArg>{TFormatArg(Args)...});
}

// ---------------------------------------------------------------------------------------------
// Text

// Case conversion and comparison of the ASCII letters only (the classic UpperCase, CompareText).
String UpperCase(const String& S);
String LowerCase(const String& S);
int CompareStr(const String& S1, const String& S2);
int CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// The same for every letter, by the user's locale (through the W functions).
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
// Bytes that order as AnsiCompareText orders the strings they are made from: made once for each
// string, they sort many strings without asking the locale for every pair.
std::string AnsiSortKeyText(const String& S);
// Without the blanks and control characters at both ends.
String Trim(const String& S);

// ---------------------------------------------------------------------------------------------
// File names ("\" separates folders, ":" ends a drive)

String ExtractFilePath(const String& FileName);  // up to and with the last "\" or ":"
String ExtractFileName(const String& FileName);  // after it
String ExtractFileExt(const String& FileName);   // from the last "." of the name part, with the dot
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);

// ---------------------------------------------------------------------------------------------
// Files (Windows paths)

bool FileExists(const String& FileName);  // an existing file, not a folder
bool DirectoryExists(const String& Directory);
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
String GetCurrentDir();
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool ForceDirectories(const String& Dir);

// ---------------------------------------------------------------------------------------------
// Dates

// Whole days since 30 December 1899; the fraction is the time of day. A negative value counts
// back from that day, its fraction still forward into the day (-1.25 is 29 December 1899, 6:00).
using TDateTime = double;

// The calendar date of Date (proleptic Gregorian), to the nearest millisecond.
void DecodeDate(TDateTime Date, WORD& Year, WORD& Month, WORD& Day);
// The time of day of Date, to the nearest millisecond.
void DecodeTime(TDateTime Date, WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec);
// The day of a calendar date; EConvertError for a date that does not exist.
TDateTime EncodeDate(WORD Year, WORD Month, WORD Day);
// The fraction of a day of a time; EConvertError for a time that does not exist.
TDateTime EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec);
// A date and time packed the way DOS and FAT store them (the date in the high word).
TDateTime FileDateToDateTime(int FileDate);
// Date in the user's short date format, followed by the time in the user's time format unless it
// is midnight.
String DateTimeToStr(TDateTime Date);

}  // namespace classlib
