#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinCheckComboBox.h"

#include <algorithm>
#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char CheckComboForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object C: TskSkinCheckComboBox
    Left = 10
    Top = 10
    Items.Strings = (
      'red'
      'green'
      'blue')
  end
end)";

class SkinCheckComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(CheckComboForm);
    Combo = dynamic_cast<TskSkinCheckComboBox*>(Form->FindComponent("C"));
    ASSERT_NE(Combo, nullptr);
    Combo->OnChange = [this](TObject*) { Events += "change "; };
    Combo->OnClick = [this](TObject*) { Events += "click "; };
    Combo->OnCloseUp = [this](TObject*) { Events += "closeup "; };
  }
  void Click(const TPoint& P) {
    MouseTo(P.x, P.y);
    LeftPress(P.x, P.y);
    LeftReleaseAt(P.x, P.y);
  }
  void OpenByMouse() {
    Click(Combo->ClientToScreen(Point(30, 10)));
    ASSERT_TRUE(Combo->IsPopupVisible());
  }
  TPoint Row(int Index) const {
    return Combo->DropDownList().InnerList().ClientToScreen(Point(50, Index * 20 + 10));
  }

  std::unique_ptr<TForm> Form;
  TskSkinCheckComboBox* Combo = nullptr;
  std::string Events;
};

}  // namespace

TEST_F(SkinCheckComboBoxTest, TextIsTheTickedItems) {
  EXPECT_EQ(Combo->Text(), "");
  EXPECT_EQ(Combo->SkinDataName(), "combobox");
  Combo->SetChecked(2, true);
  Combo->SetChecked(1, true);
  EXPECT_EQ(Combo->Text(), "green,blue");
  Combo->SetChecked(1, false);
  Combo->SetChecked(2, false);
  EXPECT_EQ(Combo->Text(), "");
  // An empty first tick leaves no leading comma.
  Combo->Items().Insert(0, "");
  Combo->SetChecked(0, true);
  Combo->SetChecked(2, true);
  EXPECT_EQ(Combo->Text(), "green");
}

TEST_F(SkinCheckComboBoxTest, ClickedRowsToggleAndTheListStaysOpen) {
  OpenByMouse();
  EXPECT_EQ(Events, "");
  for (int row : {0, 2, 0}) Click(Row(row));
  EXPECT_TRUE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->Text(), "blue");
  EXPECT_EQ(Events, "change click change click change click ");
  Events.clear();
  TapKey(VK_RETURN);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Events, "closeup click ");
}

TEST_F(SkinCheckComboBoxTest, KeysMoveAndTick) {
  Combo->SetFocus();
  windowtesting::Pump();
  // Without a current item Space does nothing.
  TapKey(VK_SPACE);
  EXPECT_EQ(Combo->Text(), "");
  EXPECT_EQ(Events, "");
  Combo->DropDownList().SetItemIndex(0);
  TapKey(VK_DOWN);
  TapKey(VK_SPACE);
  EXPECT_EQ(Combo->Text(), "green");
  EXPECT_EQ(Events, "change click ");
  TapKey(VK_NEXT);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 2);
  TapKey(VK_UP);
  TapKey(VK_UP);
  TapKey(VK_UP);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 0);
  SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 1);
  // Alt+Down opens; Escape closes and keeps the ticks made while open.
  TapKey(VK_DOWN, true);
  ASSERT_TRUE(Combo->IsPopupVisible());
  TapKey(VK_SPACE);
  TapKey(VK_ESCAPE);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->Text(), "");
}

TEST_F(SkinCheckComboBoxTest, ListNeverBlendsAndEmptyNeverDrops) {
  Combo->SetAlphaBlend(true);
  Combo->SetAlphaBlendValue(100);
  Combo->SetAlphaBlendAnimation(true);
  Combo->DropDown();
  ASSERT_TRUE(Combo->IsPopupVisible());
  EXPECT_EQ(GetWindowLongPtrW(Combo->DropDownList().Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(Combo->DropDownList().RowCount(), 3);
  Combo->CloseUp(false);
  Combo->Items().Clear();
  Combo->DropDown();
  EXPECT_FALSE(Combo->IsPopupVisible());
}

TEST_F(SkinCheckComboBoxTest, ListTakesTheCheckListSkin) {
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  TskSkinData skin(nullptr);
  skin.LoadFromFile(path);
  Combo->SetSkinData(&skin);
  ASSERT_NE(Combo->SkinControlIndex(), -1);
  EXPECT_EQ(Combo->DropDownList().SkinDataName(), "checklistbox");
  Combo->SetListBoxCaptionMode(true);
  Combo->SetSkinData(&skin);
  EXPECT_EQ(Combo->DropDownList().SkinDataName(), "captionchecklistbox");
  Combo->SetSkinData(nullptr);
}

TEST_F(SkinCheckComboBoxTest, DefaultLook) {
  EXPECT_EQ(Combo->Width(), 120);
  EXPECT_EQ(Combo->Height(), 20);
  EXPECT_EQ(Combo->ItemAreaRect().right, 100);
  {
    TWindowPicture picture(Combo->Handle());
    EXPECT_EQ(picture.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(picture.Pixel(101, 2), GetSysColor(COLOR_BTNSHADOW));  // the button's frame
    EXPECT_EQ(picture.Pixel(90, 10), GetSysColor(COLOR_WINDOW));
  }
  Combo->SetFocus();
  windowtesting::Pump();
  TWindowPicture focused(Combo->Handle());
  EXPECT_EQ(focused.Pixel(90, 10), GetSysColor(COLOR_HIGHLIGHT));
}
