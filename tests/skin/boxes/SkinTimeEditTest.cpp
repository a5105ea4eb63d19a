// The time edit: typed digits are taken only while the text stays a time of day; the layouts and
// the conversions between the text and numbers.
#include "tests/skin/boxes/SkinBoxesTesting.h"
#include "tests/support/LocaleOverride.h"

#include "skin/boxes/SkinTimeEdit.h"

#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char TimeForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 120
  object T: TskSkinTimeEdit
    Left = 10
    Top = 10
  end
end)";

class SkinTimeEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(TimeForm);
    Edit = dynamic_cast<TskSkinTimeEdit*>(Form->FindComponent("T"));
    ASSERT_NE(Edit, nullptr);
    Edit->SetFocus();
    windowtesting::Pump();
  }
  std::unique_ptr<TForm> Form;
  TskSkinTimeEdit* Edit = nullptr;
};

}  // namespace

TEST_F(SkinTimeEditTest, DigitsAreTakenOnlyWhileTheTextIsATime) {
  struct Case {
    bool Milliseconds;
    const char* Start;
    int Caret;  // -1: the whole text selected
    const char* Keys;
    const char* Text;
  };
  for (const Case& k : std::vector<Case>{
           {false, "00:00:00", 0, "25", "20:00:00"},  // 25 hours
           {false, "00:00:00", 0, "24", "24:00:00"},  // the end of the day
           {false, "00:30:00", 0, "24", "20:30:00"},  // 24 only with zeros after it
           {false, "00:00:00", 0, "3", "00:00:00"},   // at least 30 hours
           {false, "00:00:00", 3, "65", "00:50:00"},  // 60 minutes
           {false, "00:00:00", 6, "7", "00:00:00"},   // 70 seconds
           {false, "12:04:56", 2, "3", "12:34:56"},   // on the separator: the next place
           {false, "12:34:56", -1, "0", "02:34:56"},  // a whole selection: only its first place
           {false, "12:34:56", 0, "x", "12:34:56"},
           {true, "00:00:00.001", 0, "24", "20:00:00.001"},
           {true, "00:00:00.000", 9, "987", "00:00:00.987"},
       }) {
    Edit->SetShowMilliseconds(k.Milliseconds);
    Edit->SetTime(k.Start);
    ASSERT_EQ(Edit->Text(), k.Start);
    if (k.Caret < 0) {
      Edit->SelectAll();
    } else {
      Edit->SetSelStart(k.Caret);
    }
    for (const char* c = k.Keys; *c; ++c) TypeChar(*c);
    EXPECT_EQ(Edit->Text(), k.Text) << k.Start << " at " << k.Caret << " typing " << k.Keys;
  }
  // Backspace passes unchecked (the masked edit blanks the place), and blanks read as zeros.
  Edit->SetShowMilliseconds(false);
  Edit->SetTime("12:34:56");
  Edit->SetSelStart(2);
  TapKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "1 :34:56");
  EXPECT_EQ(Edit->Milliseconds(), 10 * 3600000 + 34 * 60000 + 56 * 1000);
}

TEST_F(SkinTimeEditTest, LayoutsAndConversions) {
  EXPECT_EQ(Edit->EditMask(), "!90:00:00;1; ");
  EXPECT_EQ(Edit->Text(), "00:00:00");
  // Every switch writes zeros; the flags always say which fields are shown.
  struct Switch {
    void (TskSkinTimeEdit::*Set)(bool);
    bool Value;
    const char* Mask;
    const char* Text;
    bool Seconds, Milliseconds;
  };
  using E = TskSkinTimeEdit;
  for (const Switch& k : std::vector<Switch>{
           {&E::SetShowMilliseconds, true, "!90:00:00.000;1; ", "00:00:00.000", true, true},
           {&E::SetShowSeconds, false, "!90:00;1; ", "00:00", false, true},
           {&E::SetShowMilliseconds, false, "!90:00:00;1; ", "00:00:00", true, false},
           {&E::SetShowSeconds, false, "!90:00;1; ", "00:00", false, false},
           {&E::SetShowMilliseconds, true, "!90:00:00.000;1; ", "00:00:00.000", true, true},
       }) {
    Edit->SetTime("12:34:56.789");
    (Edit->*k.Set)(k.Value);
    EXPECT_EQ(std::make_tuple(Edit->EditMask(), Edit->Text(), Edit->ShowSeconds(), Edit->ShowMilliseconds()),
              std::make_tuple(String(k.Mask), String(k.Text), k.Seconds, k.Milliseconds));
  }

  const int count = ((1 * 60 + 2) * 60 + 3) * 1000 + 4;
  EXPECT_EQ(count, 3723004);
  Edit->SetMilliseconds(count);
  EXPECT_EQ(Edit->Text(), "01:02:03.004");
  EXPECT_EQ(Edit->Milliseconds(), count);
  Edit->SetShowMilliseconds(false);
  Edit->SetMilliseconds(count);
  EXPECT_EQ(Edit->Text(), "01:02:03");
  EXPECT_EQ(Edit->Milliseconds(), count - 4) << "milliseconds not shown count 0";
  for (const int refused : {-1, 100 * 3600000}) {
    Edit->SetMilliseconds(refused);
    EXPECT_EQ(Edit->Text(), "00:00:00") << refused;
  }

  // SetTime: blanks are zeros, no range check, anything else is zeros.
  struct Time {
    const char* Given;
    const char* Text;
  };
  for (const Time& k : std::vector<Time>{
           {"1 :2 :3 ", "10:20:30"},
           {"99:99:99", "99:99:99"},
           {"ab:cd:ef", "00:00:00"},
           {"12:3", "00:00:00"},
           {"", "00:00:00"}}) {
    Edit->SetTime(k.Given);
    EXPECT_EQ(Edit->Time(), k.Text) << k.Given;
  }
  WORD h, m, s, ms;
  Edit->DecodeTime(h, m, s, ms);
  EXPECT_EQ(std::make_tuple(h, m, s, ms), std::make_tuple(0, 0, 0, 0));
  Edit->SetTime("99:99:99");
  Edit->DecodeTime(h, m, s, ms);
  EXPECT_EQ(std::make_tuple(h, m, s, ms), std::make_tuple(23, 59, 59, 0)) << "held to the ranges";

  Edit->EncodeTime(1, 2, 3, 4);
  EXPECT_EQ(Edit->Text(), "01:02:03");
  Edit->EncodeTime(24, 0, 0, 1);
  EXPECT_EQ(Edit->Text(), "01:02:03") << "no time of day: left alone";
  Edit->EncodeTime(24, 0, 0, 0);
  EXPECT_EQ(Edit->Text(), "24:00:00");
  EXPECT_TRUE(TskSkinTimeEdit::IsValidTime(23, 59, 59, 999));
  EXPECT_FALSE(TskSkinTimeEdit::IsValidTime(23, 60, 0, 0));
  EXPECT_FALSE(TskSkinTimeEdit::IsValidTime(0, 0, 0, 1000));
  EXPECT_NO_THROW(Edit->ValidateEdit());
}

TEST_F(SkinTimeEditTest, TheUsersTimeSeparator) {
  testsupport::TLocaleOverride separator(LOCALE_STIME, L".");
  ASSERT_TRUE(separator.Applied());
  TskSkinTimeEdit edit(Form.get());
  edit.SetParent(Form.get());
  EXPECT_EQ(edit.Text(), "00.00.00");
  edit.SetMilliseconds(3723004);
  EXPECT_EQ(edit.Text(), "01.02.03");
  EXPECT_EQ(edit.Milliseconds(), 3723000);
}
