// The date, track and time edits in Tavrel's main skin: their drop-downs take the edit's skin.
#include "tests/skin/boxes/SkinBoxesTesting.h"
#include "tests/support/LocaleOverride.h"

#include "skin/boxes/SkinDateEdit.h"
#include "skin/boxes/SkinTimeEdit.h"
#include "skin/boxes/SkinTrackEdit.h"

#include <algorithm>
#include <string>
#include <tuple>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char EditsForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 420
  Height = 260
  object D: TskSkinDateEdit
    Left = 10
    Top = 10
  end
  object T: TskSkinTrackEdit
    Left = 150
    Top = 10
  end
  object M: TskSkinTimeEdit
    Left = 280
    Top = 10
  end
end)";

class SkinDateTrackSkinTest : public ::testing::Test {
protected:
  SkinDateTrackSkinTest() : FPicture(LOCALE_SSHORTDATE, L"dd.MM.yyyy") {}

  void SetUp() override {
    ASSERT_TRUE(FPicture.Applied());
    MouseTo(1270, 1010);
    std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
    std::replace(path.begin(), path.end(), '/', '\\');
    Skin = std::make_unique<TskSkinData>(nullptr);
    Skin->LoadFromFile(path);
    Form = ShowForm(EditsForm);
    Date = dynamic_cast<TskSkinDateEdit*>(Form->FindComponent("D"));
    Track = dynamic_cast<TskSkinTrackEdit*>(Form->FindComponent("T"));
    Time = dynamic_cast<TskSkinTimeEdit*>(Form->FindComponent("M"));
    ASSERT_TRUE(Date && Track && Time);
    for (TskSkinCustomEdit* edit : {static_cast<TskSkinCustomEdit*>(Date), static_cast<TskSkinCustomEdit*>(Track),
                                    static_cast<TskSkinCustomEdit*>(Time)})
      edit->SetSkinData(Skin.get());
    windowtesting::Pump();
  }

  testsupport::TLocaleOverride FPicture;
  std::unique_ptr<TskSkinData> Skin;
  std::unique_ptr<TForm> Form;
  TskSkinDateEdit* Date = nullptr;
  TskSkinTrackEdit* Track = nullptr;
  TskSkinTimeEdit* Time = nullptr;
};

}  // namespace

TEST_F(SkinDateTrackSkinTest, TheDropDownsTakeTheEditsSkin) {
  EXPECT_NE(Date->SkinControlIndex(), -1) << "buttonedit";
  EXPECT_NE(Track->SkinControlIndex(), -1) << "buttonedit";
  EXPECT_NE(Time->SkinControlIndex(), -1) << "edit";
  EXPECT_EQ(Time->SkinDataName(), "edit");

  Date->DropDown();
  TskPopupCalendar& calendar = Date->Calendar();
  EXPECT_EQ(calendar.SkinData(), Skin.get());
  EXPECT_NE(calendar.SkinControlIndex(), -1) << "panel";
  Date->CloseUp(false);

  Track->DropDown();
  TskSkinPopupTrackBar& bar = Track->TrackBar();
  EXPECT_EQ(bar.SkinData(), Skin.get());
  EXPECT_NE(bar.SkinControlIndex(), -1) << "htrackbar";
  EXPECT_EQ(bar.Width(), Track->Width());
  Track->CloseUp();

  // Typing works the same in the skinned look.
  Date->SetFocus();
  Date->SetText("");
  Date->SetSelStart(0);
  for (const char c : std::string("05062007")) TypeChar(c);
  WORD y, m, d;
  DecodeDate(Date->Date(), y, m, d);
  EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2007, 6, 5));
}
