#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/LocaleNames.h"
#include "skin/boxes/SkinCalendar.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinData.h"

#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char CalendarForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 260
  object C: TskSkinMonthCalendar
    Left = 10
    Top = 10
  end
end)";

class SkinCalendarTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(CalendarForm);
    Calendar = dynamic_cast<TskSkinMonthCalendar*>(Form->FindComponent("C"));
    ASSERT_NE(Calendar, nullptr);
  }
  static std::tuple<int, int, int> Ymd(TDateTime Date) {
    WORD y, m, d;
    DecodeDate(Date, y, m, d);
    return {y, m, d};
  }
  // The centre of the cell in row Row and column Col, in control coordinates.
  TPoint Cell(int Row, int Col) const {
    const TRect r = Calendar->GetSkinClientRect();
    const int base = Calendar->GridTop() + 3 + Row * Calendar->RowHeight();
    return Point(r.left + 1 + Col * Calendar->CellWidth() + Calendar->CellWidth() / 2,
                 base - Calendar->RowHeight() / 2);
  }
  void Click(TPoint P, bool Right = false) {
    const TPoint s = Calendar->ClientToScreen(P);
    if (Right) {
      MouseTo(s.x, s.y);
      skintesting::queued::RightClick(s.x, s.y);
      windowtesting::PumpFor(100);
      return;
    }
    LeftPress(s.x, s.y);
    LeftReleaseAt(s.x, s.y);
  }

  std::unique_ptr<TForm> Form;
  TskSkinMonthCalendar* Calendar = nullptr;
};

}  // namespace

TEST_F(SkinCalendarTest, DefaultsAndButtons) {
  EXPECT_EQ(Calendar->Width(), 200);
  EXPECT_EQ(Calendar->Height(), 150);
  EXPECT_EQ(Calendar->Date(), Today());
  EXPECT_EQ(Calendar->FirstDayOfWeek(), TskDaysOfWeek::Sun);
  const int lefts[4] = {2, 26, 151, 175};
  const int intervals[4] = {100, 250, 250, 100};
  for (int i = 0; i < 4; ++i) {
    const TskSkinSpeedButton& b = Calendar->Button(i);
    EXPECT_EQ(std::make_tuple(b.Left(), b.Top(), b.Width(), b.Height()), std::make_tuple(lefts[i], 2, 23, 23)) << i;
    EXPECT_EQ(b.RepeatInterval(), intervals[i]);
    EXPECT_TRUE(b.RepeatMode());
    EXPECT_EQ(const_cast<TskSkinSpeedButton&>(b).Glyph().Width(), 16);
  }
  // With the caption bar the buttons and the grid move below it.
  const int gridTop = Calendar->GridTop();
  Calendar->SetCaptionMode(true);
  EXPECT_EQ(Calendar->Button(0).Top(), 2 + 22);
  EXPECT_EQ(Calendar->GridTop(), gridTop + 22);
}

TEST_F(SkinCalendarTest, Steps) {
  struct Case {
    int Y, M, D;
    void (TskSkinMonthCalendar::*Step)();
    int EY, EM, ED;
  };
  using C = TskSkinMonthCalendar;
  for (const Case& k : std::vector<Case>{
           {2005, 1, 31, &C::NextMButtonClick, 2005, 2, 28},
           {2004, 1, 31, &C::NextMButtonClick, 2004, 2, 29},
           {2004, 12, 15, &C::NextMButtonClick, 2005, 1, 15},
           {2005, 1, 15, &C::PriorMButtonClick, 2004, 12, 15},
           {2004, 2, 29, &C::NextYButtonClick, 2005, 2, 28},
           {2004, 3, 31, &C::PriorMButtonClick, 2004, 2, 29},
           // The first and last years: a refused year step leaves the whole date alone.
           {1761, 1, 10, &C::PriorMButtonClick, 1761, 1, 10},
           {9999, 12, 10, &C::NextMButtonClick, 9999, 12, 10},
           {1761, 5, 10, &C::PriorYButtonClick, 1761, 5, 10},
           {9999, 5, 10, &C::NextYButtonClick, 9999, 5, 10},
           {1761, 2, 10, &C::PriorMButtonClick, 1761, 1, 10},
       }) {
    Calendar->SetDate(EncodeDate(k.Y, k.M, k.D));
    int clicks = 0;
    Calendar->OnClick = [&](TObject*) { ++clicks; };
    (Calendar->*k.Step)();
    EXPECT_EQ(Ymd(Calendar->Date()), std::make_tuple(k.EY, k.EM, k.ED)) << k.Y << "-" << k.M << "-" << k.D;
    EXPECT_EQ(clicks, 1);
  }
  // OffsetMonth alone wraps within the year.
  Calendar->SetDate(EncodeDate(2004, 12, 31));
  Calendar->OffsetMonth(1);
  EXPECT_EQ(Ymd(Calendar->Date()), std::make_tuple(2004, 1, 31));
}

TEST_F(SkinCalendarTest, GridPlacesTheFirstDay) {
  struct Case {
    int Y, M;
    TskDaysOfWeek First;
    int Offset;
  };
  // February 2004 began on a Sunday, May 2004 on a Saturday.
  for (const Case& k : std::vector<Case>{{2004, 2, TskDaysOfWeek::Sun, 1},
                                         {2004, 2, TskDaysOfWeek::Mon, -5},
                                         {2004, 5, TskDaysOfWeek::Sun, -5},
                                         {2004, 5, TskDaysOfWeek::Sat, 1},
                                         {2004, 5, TskDaysOfWeek::Mon, -4}}) {
    Calendar->SetFirstDayOfWeek(k.First);
    Calendar->SetDate(EncodeDate(k.Y, k.M, 1));
    EXPECT_EQ(Calendar->GetMonthOffset(), k.Offset) << k.M << " " << static_cast<int>(k.First);
  }
  // May 2004 from Sunday: day 1 alone in row 1 at column 6, day 31 in row 6.
  Calendar->SetFirstDayOfWeek(TskDaysOfWeek::Sun);
  const TPoint first = Cell(1, 6), last = Cell(6, 1), empty = Cell(1, 5), header = Cell(0, 3);
  EXPECT_EQ(Calendar->DayNumFromPoint(first.x, first.y), 1);
  EXPECT_EQ(Calendar->DayNumFromPoint(last.x, last.y), 31);
  EXPECT_EQ(Calendar->DayNumFromPoint(empty.x, empty.y), 0);
  EXPECT_EQ(Calendar->DayNumFromPoint(header.x, header.y), 0);
  EXPECT_EQ(Calendar->DayNumFromPoint(0, 0), 0);
}

TEST_F(SkinCalendarTest, ClickingADayPicksIt) {
  Calendar->SetDate(EncodeDate(2004, 5, 1));
  int picks = 0;
  Calendar->OnNumberClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Calendar);
    ++picks;
  };
  Click(Cell(3, 3));  // Wednesday of the third week
  EXPECT_EQ(Ymd(Calendar->Date()), std::make_tuple(2004, 5, 12));
  EXPECT_EQ(picks, 1);
  // Empty cells, the title and the right button change nothing.
  Click(Cell(1, 0));
  Click(Point(100, 8));
  Click(Cell(4, 4), true);
  EXPECT_EQ(Ymd(Calendar->Date()), std::make_tuple(2004, 5, 12));
  EXPECT_EQ(picks, 1);

  // The picked day is framed in the font's colour; the button steps through a real click.
  const TPoint day = Cell(3, 3);
  const TRect r = Calendar->GetSkinClientRect();
  const int frameLeft = r.left + 1 + 3 * Calendar->CellWidth();
  const TWindowPicture picture(Calendar->Handle());
  EXPECT_EQ(picture.Pixel(frameLeft, day.y), RGB(0, 0, 0));
  const TskSkinSpeedButton& next = Calendar->Button(2);
  Click(Point(next.Left() + 11, next.Top() + 11));
  EXPECT_EQ(Ymd(Calendar->Date()), std::make_tuple(2004, 6, 12));
}

TEST(LocaleNames, EnglishWords) {
  EXPECT_EQ(LongMonthName(1), "January");
  EXPECT_EQ(LongMonthName(12), "December");
  EXPECT_EQ(ShortDayName(1), "Sun");
  EXPECT_EQ(ShortDayName(2), "Mon");
  EXPECT_EQ(ShortDayName(7), "Sat");
  EXPECT_EQ(DayOfWeek(EncodeDate(2004, 2, 1)), 1);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1761, 1, 1)), 5);
}

TEST_F(SkinCalendarTest, SkinColoursComeFromTheLabelDescription) {
  TskSkinData noLabel(nullptr);
  noLabel.Empty = false;
  Calendar->SetSkinData(&noLabel);
  EXPECT_EQ(Calendar->DayTextColor(), clBlack);
  EXPECT_EQ(Calendar->Button(3).SkinData(), &noLabel);

  TskSkinData skin(nullptr);
  auto label = std::make_unique<TskDataSkinStdLabelControl>("stdlabel");
  label->FontColor = RGB(10, 20, 30);
  label->ActiveFontColor = RGB(40, 50, 60);
  skin.CtrlList.push_back(std::move(label));
  skin.Empty = false;
  Calendar->SetSkinData(&skin);
  EXPECT_EQ(Calendar->DayTextColor(), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(Calendar->TitleTextColor(), static_cast<TColor>(RGB(40, 50, 60)));

  // A description of another kind gives both the font's colour; a skin without one keeps them.
  TskSkinData other(nullptr);
  other.CtrlList.push_back(std::make_unique<TskDataSkinControl>("stdlabel"));
  other.Empty = false;
  Calendar->DefaultFont().SetColor(RGB(1, 2, 3));
  Calendar->SetSkinData(&other);
  EXPECT_EQ(Calendar->TitleTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  Calendar->SetSkinData(&noLabel);
  EXPECT_EQ(Calendar->DayTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  Calendar->SetSkinData(nullptr);
}
