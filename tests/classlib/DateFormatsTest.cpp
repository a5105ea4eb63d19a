// Dates written and read in the user's pictures, with the regional settings changed for each test.
#include "tests/classlib/WindowTesting.h"
#include "tests/support/LocaleOverride.h"

#include "platform/classlib/DateFormats.h"
#include "platform/classlib/Mask.h"

#include <tuple>
#include <vector>

using namespace classlib;
using testsupport::TLocaleOverride;

TEST(DateFormats, PicturesWriteDayMonthYearAndQuotedText) {
  const TDateTime date = EncodeDate(2005, 3, 7);  // a Monday
  struct Case {
    const char* Picture;
    const char* Text;
  };
  for (const Case& k : std::vector<Case>{{"dd.MM.yyyy", "07.03.2005"},
                                         {"d/M/yy", "7/3/05"},
                                         {"yyyy-MM-dd", "2005-03-07"},
                                         {"y", "5"},
                                         {"'Day' d, ''yy", "Day 7, '05"},
                                         {"ddd d MMM, MMMM", "Mon 7 Mar, March"},
                                         {"dddd", "Monday"}})
    EXPECT_EQ(FormatDateTime(k.Picture, date), k.Text) << k.Picture;
  EXPECT_EQ(FormatDateTime("dd.MM.yyyy", EncodeDate(5, 1, 2)), "02.01.0005");
}

TEST(DateFormats, TheShortPictureGivesTheSeparatorOrderAndCentury) {
  TLocaleOverride picture(LOCALE_SSHORTDATE, L"dd.MM.yyyy");
  ASSERT_TRUE(picture.Applied());
  EXPECT_EQ(ShortDateFormat(), "dd.MM.yyyy");
  EXPECT_EQ(DateSeparator(), '.');
  EXPECT_EQ(DateToStr(EncodeDate(2004, 2, 29)), "29.02.2004");
  EXPECT_EQ(ExpandTwoDigitYear(5), 2005);
  EXPECT_EQ(ExpandTwoDigitYear(99), 1999);
  struct Case {
    const char* Text;
    bool Valid;
    int Y = 0, M = 0, D = 0;
  };
  for (const Case& k : std::vector<Case>{{"29.02.2004", true, 2004, 2, 29},
                                         {" 1.2.05", true, 2005, 2, 1},
                                         {"31.12.99", true, 1999, 12, 31},
                                         {"31.12.0099", true, 99, 12, 31},
                                         {"31.04.2004", false},
                                         {"29.02.2005", false},
                                         {"1.13.2004", false},
                                         {"1.2", false},
                                         {"1/2/2004", false},
                                         {"1.2.2004x", false},
                                         {"0.1.2004", false},
                                         {"", false}}) {
    TDateTime date = -1;
    EXPECT_EQ(TryStrToDate(k.Text, date), k.Valid) << k.Text;
    if (!k.Valid) {
      EXPECT_THROW(StrToDate(k.Text), EConvertError) << k.Text;
      continue;
    }
    WORD y, m, d;
    DecodeDate(date, y, m, d);
    EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(k.Y, k.M, k.D)) << k.Text;
  }
  TLocaleOverride american(LOCALE_SSHORTDATE, L"M/d/yyyy");
  EXPECT_EQ(StrToDate("2/29/2004"), EncodeDate(2004, 2, 29)) << "month first";
}

TEST(DateFormats, MaskSeparatorsAreTheUsersAsTheMaskIsSet) {
  TLocaleOverride picture(LOCALE_SSHORTDATE, L"dd.MM.yyyy");
  TLocaleOverride time(LOCALE_STIME, L".");
  ASSERT_TRUE(picture.Applied() && time.Applied());
  TMaskEdit edit(nullptr);
  edit.SetEditMask("!99/99/0000 90:00;1;_");
  edit.SetText("01.02.2003 12.34");
  EXPECT_EQ(edit.Text(), "01.02.2003 12.34");
}
