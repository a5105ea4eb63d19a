#include "tests/support/testing.h"

#include "platform/classlib/SysUtils.h"

#include <cstdint>
#include <vector>

using namespace classlib;
using testing_support::TempDir;

namespace {

TEST(SysUtils, StrToIntAcceptsDecimalAndHexadecimalWithin32Bits) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"0", 0},           {"42", 42},
      {"   42", 42},      {"-17", -17},
      {"+5", 5},          {"$FF", 255},
      {"$ff", 255},       {"0x1f", 31},
      {"0X10", 16},       {"-$10", -16},
      {"$FFFFFFFF", -1},  {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN}, {"007", 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrToInt(c.text), c.value);
    EXPECT_EQ(StrToIntDef(c.text, 99), c.value);
  }
}

TEST(SysUtils, StrToIntRejectsWhatIsNoIntegerWithTheClassicMessage) {
  for (const char* text : {"", " ", "12a", "4 ", "1.5", "2147483648", "-2147483649", "$100000000", "0x", "$",
                           "-", "+", "x12", "1 2"}) {
    SCOPED_TRACE(text);
    try {
      StrToInt(text);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + String(text) + "' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef(text, 99), 99);
  }
}

TEST(SysUtils, IntToStrTakesEveryIntegerType) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(std::uint32_t{4000000000u}), "4000000000");
  EXPECT_EQ(IntToStr(std::int64_t{-9000000000}), "-9000000000");
}

TEST(SysUtils, FormatFillsTheConversionsAsThePrintfFamily) {
  const struct {
    String expected;
    String actual;
  } cases[] = {
      {"09:05:03", Format("%2S:%02S:%02S", "09", "05", "03")},
      {" 9: 5:03", Format("%2S:%02S:%02S", "9", String("5"), "03")},
      {"75m:03s", Format("%02dm:%02ds", 75, 3)},
      {"01:02:03.004", Format("%2.2d:%2.2d:%2.2d.%3.3d", 1, 2, 3, 4)},
      {"C:", Format("%s:", "C")},
      {"C:", Format("%s:", 'C')},
      {"d: Data", Format("%s: %s", "d", "Data")},
      {"[ab   ]", Format("[%-5s]", "ab")},
      {"[   ab]", Format("[%5s]", "ab")},
      {"[abc]", Format("[%.3s]", "abcdef")},
      {"[   äö]", Format("[%5s]", "äö")},  // width counts characters, not UTF-8 bytes
      {"[ä]", Format("[%.1s]", "äö")},
      {"ff FF", Format("%x %X", 255, 255u)},
      {"Error code $80004005", Format("Error code $%x", static_cast<std::int32_t>(0x80004005))},
      {"4294967295", Format("%u", -1)},
      {"-9000000000", Format("%d", std::int64_t{-9000000000})},
      {"+7 | 7|7  ", Format("%+d |%2d|%-3d", 7, 7, 7)},
      {"100%", Format("%d%%", 100)},
      {"rate=0.900", Format("rate=%.3f", 90 * 0.01)},
      {"1.5e+03", Format("%.1e", 1500.0)},
      {"0.25", Format("%g", 0.25)},
      {"Printing: 3 document(s) waiting", Format("Printing: %d document(s) waiting", 3)},
      {"x", Format("%c", 'x')},
      {"no conversion", Format("no conversion")},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(SysUtils, FormatRaisesOnAFormatThatDoesNotFitItsArguments) {
  const auto invalid = [](auto call, const String& format) {
    try {
      call();
      ADD_FAILURE() << format << ": no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Format '" + format + "' invalid or incompatible with argument");
    }
  };
  invalid([] { Format("%d", "text"); }, "%d");
  invalid([] { Format("%s", 5); }, "%s");
  invalid([] { Format("%f", 5); }, "%f");
  invalid([] { Format("%d and %d", 5); }, "%d and %d");
  invalid([] { Format("%q", 5); }, "%q");
  invalid([] { Format("100%", 5); }, "100%");
}

TEST(SysUtils, CaseTrimAndComparison) {
  EXPECT_EQ(UpperCase("abc-xyz äö"), "ABC-XYZ äö");  // ASCII letters only
  EXPECT_EQ(LowerCase("ABC Ä"), "abc Ä");
  EXPECT_EQ(AnsiUpperCase("abc äö"), "ABC ÄÖ");
  EXPECT_EQ(AnsiLowerCase("ABC ÄÖ"), "abc äö");
  EXPECT_TRUE(SameText("Config.INI", "config.ini"));
  EXPECT_FALSE(SameText("config.ini", "config.in"));
  EXPECT_EQ(CompareText("abc", "ABD"), -1);
  EXPECT_EQ(CompareStr("abc", "ABC"), 1);
  EXPECT_EQ(AnsiCompareText("äbc", "ÄBC"), 0);
  EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
  EXPECT_NE(AnsiCompareStr("abc", "ABC"), 0);
  EXPECT_EQ(Trim("\t  a b \r\n"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("x"), "x");
}

TEST(SysUtils, FileNamePartsFollowBackslashColonAndTheLastDot) {
  const struct {
    const char* name;
    const char* path;
    const char* file;
    const char* ext;
  } cases[] = {
      {"C:\\a\\b.txt", "C:\\a\\", "b.txt", ".txt"},
      {"C:b.txt", "C:", "b.txt", ".txt"},
      {"C:\\my.pics\\photo", "C:\\my.pics\\", "photo", ""},
      {"archive.tar.gz", "", "archive.tar.gz", ".gz"},
      {"C:\\dir\\", "C:\\dir\\", "", ""},
      {"name.", "", "name.", "."},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
  }
  EXPECT_EQ(ChangeFileExt("C:\\rip\\0.wav", ".mp3"), "C:\\rip\\0.mp3");
  EXPECT_EQ(ChangeFileExt("C:\\my.pics\\photo", ".bmp"), "C:\\my.pics\\photo.bmp");
  EXPECT_EQ(ChangeFileExt("a.tar.gz", ""), "a.tar");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
}

TEST(SysUtils, FileFunctionsWorkOnWindowsPaths) {
  TempDir dir;
  testing_support::WriteUnixFile(dir.unixFile("a.txt"), "x");
  const String file = dir.windowsFile("a.txt");

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.windowsPath()));  // a folder is no file
  EXPECT_FALSE(FileExists(dir.windowsFile("missing.txt")));
  EXPECT_TRUE(DirectoryExists(dir.windowsPath()));
  EXPECT_FALSE(DirectoryExists(file));

  const String renamed = dir.windowsFile("b.txt");
  EXPECT_TRUE(RenameFile(file, renamed));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(FileExists(renamed));
  EXPECT_TRUE(DeleteFile(renamed));
  EXPECT_FALSE(FileExists(renamed));
  EXPECT_FALSE(DeleteFile(renamed));

  const String nested = dir.windowsFile("one\\two\\three\\");
  EXPECT_TRUE(ForceDirectories(nested));
  EXPECT_TRUE(DirectoryExists(dir.windowsFile("one\\two\\three")));
  EXPECT_TRUE(ForceDirectories(nested));  // already there
  testing_support::WriteUnixFile(dir.unixFile("blocker"), "");
  EXPECT_FALSE(ForceDirectories(dir.windowsFile("blocker\\sub")));

  EXPECT_TRUE(DirectoryExists(GetCurrentDir()));
}

TEST(SysUtils, DatesAndTimesEncodeAndDecode) {
  const struct {
    WORD Year, Month, Day, Hour, Min, Sec;
    TDateTime Value;
  } cases[] = {{1899, 12, 30, 0, 0, 0, 0.0},     {1899, 12, 29, 6, 0, 0, -1.25},  {2000, 2, 29, 12, 0, 0, 36585.5},
               {1980, 1, 1, 0, 0, 0, 29221.0},   {9999, 12, 31, 0, 0, 0, 2958465.0}};
  for (const auto& c : cases) {
    WORD year, month, day, hour, min, sec, msec;
    DecodeDate(c.Value, year, month, day);
    DecodeTime(c.Value, hour, min, sec, msec);
    EXPECT_EQ((std::vector<WORD>{year, month, day, hour, min, sec}),
              (std::vector<WORD>{c.Year, c.Month, c.Day, c.Hour, c.Min, c.Sec}))
        << c.Value;
    if (c.Value >= 0) {
      EXPECT_DOUBLE_EQ(EncodeDate(c.Year, c.Month, c.Day) + EncodeTime(c.Hour, c.Min, c.Sec, 0), c.Value);
    }
  }
  EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  // 2006-11-01 10:15:30 as DOS packs it: seconds in steps of two.
  const int dos = ((2006 - 1980) << 25) | (11 << 21) | (1 << 16) | (10 << 11) | (15 << 5) | 15;
  EXPECT_DOUBLE_EQ(FileDateToDateTime(dos), EncodeDate(2006, 11, 1) + EncodeTime(10, 15, 30, 0));
}

TEST(SysUtils, DateTimeToStrLeavesMidnightOut) {
  const String day = DateTimeToStr(EncodeDate(2006, 11, 1));
  EXPECT_NE(day.find("2006"), String::npos);
  EXPECT_EQ(day.find(':'), String::npos);
  const String withTime = DateTimeToStr(EncodeDate(2006, 11, 1) + EncodeTime(10, 15, 30, 0));
  EXPECT_EQ(withTime.substr(0, day.size() + 1), day + " ");
  EXPECT_NE(withTime.find("15"), String::npos);
  EXPECT_NE(DateTimeToStr(-1.0).find("1899"), String::npos);
}

}  // namespace
