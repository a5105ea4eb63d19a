// The date edit: the mask and key checks built from the user's short date picture (set for each
// test through the regional settings), the date following the text, and the drop-down calendar
// worked with the real pointer and keys.
#include "tests/skin/boxes/SkinBoxesTesting.h"
#include "tests/support/LocaleOverride.h"

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/LocaleNames.h"
#include "skin/boxes/SkinDateEdit.h"
#include "skin/data/Skutils.h"

#include <optional>
#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char DateForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 320
  Height = 140
  object D: TskSkinDateEdit
    Left = 10
    Top = 10
    Width = 120
  end
  object E: TskSkinEdit
    Left = 160
    Top = 10
    Width = 120
  end
end)";

std::tuple<int, int, int> Ymd(TDateTime Date) {
  WORD y, m, d;
  DecodeDate(Date, y, m, d);
  return {y, m, d};
}

class SkinDateEditTest : public ::testing::Test {
protected:
  // The picture is the user's before the form is read: the mask is built from it.
  explicit SkinDateEditTest(const WCHAR* Picture = L"dd.MM.yyyy") : FPicture(LOCALE_SSHORTDATE, Picture) {}

  void SetUp() override {
    ASSERT_TRUE(FPicture.Applied());
    MouseTo(1270, 1010);
    Form = ShowForm(DateForm);
    Edit = dynamic_cast<TskSkinDateEdit*>(Form->FindComponent("D"));
    Other = dynamic_cast<TskSkinEdit*>(Form->FindComponent("E"));
    ASSERT_NE(Edit, nullptr);
    ASSERT_NE(Other, nullptr);
    Edit->OnDateChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Edit);
      ++DateChanges;
    };
    Edit->SetFocus();
    windowtesting::Pump();
  }
  void Type(const char* Keys) {
    for (const char* c = Keys; *c; ++c) TypeChar(*c);
  }
  // Empties the text and puts the caret at its start.
  void Clear() {
    Edit->SetText("");
    Edit->SetSelStart(0);
  }
  void Click(TControl& Control, TPoint P) {
    const TPoint s = Control.ClientToScreen(P);
    LeftPress(s.x, s.y);
    LeftReleaseAt(s.x, s.y);
  }
  void ClickButton() {
    const TRect r = Edit->BoundsRect();
    const TPoint s = Form->ClientToScreen(Point(r.right - 8, r.top + RectHeight(r) / 2));
    LeftPress(s.x, s.y);
    LeftReleaseAt(s.x, s.y);
  }
  // A point of the open calendar's grid that shows Day.
  std::optional<TPoint> DayPoint(int Day) {
    TskPopupCalendar& calendar = Edit->Calendar();
    for (int y = 0; y < calendar.Height(); y += 3)
      for (int x = 0; x < calendar.Width(); x += 3)
        if (calendar.DayNumFromPoint(x, y) == Day) return Point(x + 4, y + 4);
    return std::nullopt;
  }

  testsupport::TLocaleOverride FPicture;
  std::unique_ptr<TForm> Form;
  TskSkinDateEdit* Edit = nullptr;
  TskSkinEdit* Other = nullptr;
  int DateChanges = 0;
};

}  // namespace

TEST_F(SkinDateEditTest, EveryKeyKeepsTheTextOnItsWayToADate) {
  EXPECT_EQ(TskSkinDateEdit::GetDateMask(), "!99/99/0000;1; ");
  EXPECT_EQ(Edit->Text(), "  .  .    ");
  EXPECT_EQ(Edit->Date(), Today());
  EXPECT_EQ(Edit->SkinDataName(), "buttonedit");
  EXPECT_TRUE(Edit->ButtonMode());
  struct Case {
    const char* Keys;
    const char* Text;
  };
  for (const Case& k : std::vector<Case>{
           {"4", "  .  .    "},            // no day begins with 4 to 9
           {"0", "0 .  .    "},
           {"35", "3 .  .    "},           // after 3 only 0 or 1
           {"31", "31.  .    "},
           {"012", "01.  .    "},          // no month begins with 2
           {"0101000", "01.01.00  "},      // a year of zeros, at most one place left
           {"1212200", "12.12.200 "},
       }) {
    Clear();
    Type(k.Keys);
    EXPECT_EQ(Edit->Text(), k.Text) << k.Keys;
  }
  // Control characters other than Enter and Backspace are refused: the paste shortcut does nothing.
  ASSERT_TRUE(SetClipboardText("12.12.2012"));
  Clear();
  skintesting::PressKeys({VK_CONTROL, 'V'});
  windowtesting::PumpFor(50);
  EXPECT_EQ(Edit->Text(), "  .  .    ");
  EXPECT_EQ(DateChanges, 0);
}

TEST_F(SkinDateEditTest, TheDateFollowsACompleteText) {
  Edit->SetDate(EncodeDate(2004, 3, 1));
  EXPECT_EQ(Edit->Text(), "01.03.2004");
  EXPECT_EQ(DateChanges, 1) << "SetDate reports";
  DateChanges = 0;
  Clear();
  Type("2902200");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2004, 3, 1)) << "not complete yet";
  Type("4");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2004, 2, 29));
  EXPECT_EQ(DateChanges, 1);
  // Typing the date held once more reports nothing.
  Clear();
  Type("29022004");
  EXPECT_EQ(Edit->Text(), "29.02.2004");
  EXPECT_EQ(DateChanges, 1);
  // A day its month lacks: the text stays, the date too, and nothing is raised.
  Clear();
  EXPECT_NO_THROW(Type("31042004"));
  EXPECT_EQ(Edit->Text(), "31.04.2004");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2004, 2, 29));
  EXPECT_EQ(DateChanges, 1);
  EXPECT_FALSE(Edit->IsValidText("31.13.2004"));
  EXPECT_FALSE(Edit->IsValidText("31.12.0000"));
  EXPECT_TRUE(Edit->IsDateInput());
  EXPECT_NO_THROW(Edit->ValidateEdit());
}

TEST_F(SkinDateEditTest, TheCalendarDropsDownAndADayClickedComesBack) {
  Edit->SetDate(EncodeDate(2004, 5, 10));
  DateChanges = 0;
  TskPopupCalendar& calendar = Edit->Calendar();
  ClickButton();
  ASSERT_TRUE(calendar.Visible());
  EXPECT_TRUE(IsWindowVisible(calendar.Handle()));
  EXPECT_EQ(GetActiveWindow(), Form->Handle()) << "the form stays active";
  const LONG_PTR style = GetWindowLongPtrW(calendar.Handle(), GWL_STYLE);
  EXPECT_TRUE((style & WS_POPUP) && !(style & WS_CHILD));
  EXPECT_EQ(GetWindowLongPtrW(calendar.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  RECT r;
  GetWindowRect(calendar.Handle(), &r);
  const TPoint corner = Form->ClientToScreen(Point(Edit->Left(), Edit->Top()));
  EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
            std::make_tuple(corner.x, corner.y + Edit->Height(), 200, 150));

  // The month buttons only browse.
  const TskSkinSpeedButton& next = calendar.Button(2);
  Click(calendar, Point(next.Left() + next.Width() / 2, next.Top() + next.Height() / 2));
  EXPECT_TRUE(calendar.Visible());
  EXPECT_EQ(Ymd(calendar.Date()), std::make_tuple(2004, 6, 10));
  EXPECT_EQ(Edit->Text(), "10.05.2004");
  EXPECT_EQ(DateChanges, 0);

  const std::optional<TPoint> day = DayPoint(17);
  ASSERT_TRUE(day);
  Click(calendar, *day);
  EXPECT_FALSE(calendar.Visible());
  EXPECT_EQ(Edit->Text(), "17.06.2004");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2004, 6, 17));
  EXPECT_EQ(DateChanges, 1);
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(SkinDateEditTest, AKeyOrAnotherControlClosesWithoutAcceptingAndTheButtonToggles) {
  Edit->SetDate(EncodeDate(2004, 5, 10));
  TskPopupCalendar& calendar = Edit->Calendar();
  ClickButton();
  ASSERT_TRUE(calendar.Visible());
  ClickButton();
  EXPECT_FALSE(calendar.Visible()) << "the button closes an open calendar";

  ClickButton();
  calendar.NextMButtonClick();
  TapKey(VK_RIGHT);
  EXPECT_FALSE(calendar.Visible());
  EXPECT_TRUE(Edit->Focused());

  DateChanges = 0;
  ClickButton();
  ASSERT_TRUE(calendar.Visible());
  Click(*Other, Point(20, 8));
  EXPECT_FALSE(calendar.Visible());
  EXPECT_TRUE(Other->Focused()) << "the click's control takes the focus";
  EXPECT_EQ(Edit->Text(), "10.05.2004");
  EXPECT_EQ(DateChanges, 0);
}

TEST_F(SkinDateEditTest, NearTheScreensBottomTheCalendarOpensAboveAndIsNeverMovedLeft) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Form->SetBounds(screenWidth - 60, screenHeight - 90, 320, 140);
  windowtesting::PumpFor(50);
  Edit->DropDown();
  RECT r;
  GetWindowRect(Edit->Calendar().Handle(), &r);
  const TPoint corner = Form->ClientToScreen(Point(Edit->Left(), Edit->Top()));
  EXPECT_EQ(std::make_tuple(r.left, r.top), std::make_tuple(corner.x, corner.y - 150));
  Edit->CloseUp(false);
}

TEST_F(SkinDateEditTest, TodayDefaultPutsBackTheDateHeldWhenTheEditIsLeft) {
  Edit->SetTodayDefault(true);
  EXPECT_EQ(Edit->Date(), Today());
  const String today = Edit->Text();
  Clear();
  Type("12");
  EXPECT_NE(Edit->Text(), today);
  Other->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Edit->Text(), today);
  EXPECT_EQ(Edit->Date(), Today());
}

namespace {

// Day, abbreviated month name, two-digit year.
class SkinDateEditMonthNameTest : public SkinDateEditTest {
protected:
  SkinDateEditMonthNameTest() : SkinDateEditTest(L"dd-MMM-yy") {}
};

// Month and day without leading zeros.
class SkinDateEditShortFieldsTest : public SkinDateEditTest {
protected:
  SkinDateEditShortFieldsTest() : SkinDateEditTest(L"M/d/yyyy") {}
};

}  // namespace

TEST_F(SkinDateEditMonthNameTest, TheMonthIsTypedAsTextInAnyCase) {
  EXPECT_EQ(TskSkinDateEdit::GetDateMask(), "!99/LLL/00;1; ");
  EXPECT_EQ(Edit->Text(), "  -   -  ");
  EXPECT_EQ(TskSkinDateEdit::ExtactMonth(EncodeDate(2004, 12, 1)), "Dec");
  EXPECT_EQ(TskSkinDateEdit::DecodeMonth("mAY"), 5);
  EXPECT_EQ(TskSkinDateEdit::DecodeMonth("xyz"), 1);
  // The day comes first and is typed as digits; the year takes its century as digit dates do.
  Clear();
  Type("07dEc05");
  EXPECT_EQ(Edit->Text(), "07-dEc-05");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2005, 12, 7));
  EXPECT_EQ(DateChanges, 1);
  Clear();
  Type("4");
  EXPECT_EQ(Edit->Text(), "  -   -  ");
  Type("31apr05");
  EXPECT_EQ(Edit->Text(), "31-apr-05");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2005, 12, 7)) << "no 31 April: the date stays";
  EXPECT_THROW(TskSkinDateEdit::MyStrToDate("31-apr-05"), EConvertError);
  EXPECT_EQ(TskSkinDateEdit::MyStrToDate("01-Jan-99"), EncodeDate(1999, 1, 1));
  Edit->SetDate(EncodeDate(2004, 2, 29));
  EXPECT_EQ(Edit->Text(), "29-Feb-04");
}

TEST_F(SkinDateEditShortFieldsTest, TheDatesTextFillsEveryPlaceOfTheMask) {
  EXPECT_EQ(TskSkinDateEdit::GetDateMask(), "!99/99/0000;1; ");
  Edit->SetDate(EncodeDate(2004, 2, 5));
  EXPECT_EQ(Edit->Text(), "02/05/2004");
  EXPECT_TRUE(Edit->IsDateInput());
  Edit->SetSelStart(3);
  Type("07");
  EXPECT_EQ(Ymd(Edit->Date()), std::make_tuple(2004, 2, 7));
}
