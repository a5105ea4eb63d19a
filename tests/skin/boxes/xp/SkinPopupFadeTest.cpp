// The drop-down list's blending and fade, run with the system reporting Windows 5.1 (the build sets
// the version for this program in the prefix).
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinComboBox.h"
#include "skin/data/Skutils.h"

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char ComboForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  object C: TskSkinComboBox
    Left = 10
    Top = 10
    Items.Strings = (
      'one'
      'two')
  end
end)";

BYTE Alpha(HWND Window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(Window, nullptr, &alpha, &flags);
  return alpha;
}

class SkinPopupFadeTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(CheckWXP()) << "the program must run as Windows 5.1";
    Form = ShowForm(ComboForm);
    Combo = dynamic_cast<TskSkinComboBox*>(Form->FindComponent("C"));
  }
  std::unique_ptr<TForm> Form;
  TskSkinComboBox* Combo = nullptr;
};

}  // namespace

TEST_F(SkinPopupFadeTest, AlphaIsAppliedOnceAndFollowsTheValue) {
  TskPopupListBox& list = Combo->DropDownList();
  EXPECT_TRUE(GetClassLongPtrW(list.Handle(), GCL_STYLE) & CS_DROPSHADOW);
  Combo->SetListBoxAlphaBlend(true);
  Combo->DropDown();
  const HWND window = list.Handle();
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(Alpha(window), 200);
  EXPECT_EQ(list.AppliedAlphaValue(), 200);
  Combo->CloseUp(false);
  Combo->SetListBoxAlphaBlendValue(150);
  Combo->DropDown();
  EXPECT_EQ(Alpha(window), 150);
  Combo->CloseUp(false);
  Combo->SetListBoxAlphaBlend(false);
  Combo->DropDown();
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
  Combo->CloseUp(false);
}

TEST_F(SkinPopupFadeTest, FadeEndsAtTheValueAndStartsOverEachTime) {
  TskPopupListBox& list = Combo->DropDownList();
  Combo->SetListBoxAlphaBlend(true);
  Combo->SetListBoxAlphaBlendAnimation(true);
  Combo->SetListBoxAlphaBlendValue(7);
  for (int show = 0; show < 2; ++show) {
    Combo->DropDown();
    EXPECT_EQ(Alpha(list.Handle()), 7);
    EXPECT_EQ(list.AppliedAlphaValue(), 0);
    Combo->CloseUp(false);
  }
}

TEST_F(SkinPopupFadeTest, HandlerFreeingTheComboBoxBeforeTheFade) {
  Combo->SetListBoxAlphaBlend(true);
  Combo->SetListBoxAlphaBlendAnimation(true);
  // A message waiting in the queue frees the combo box while the list shows itself.
  bool freed = false;
  TWinControl* combo = Combo;
  Form->OnClick = [&](TObject*) {
    delete combo;
    freed = true;
  };
  PostMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
  PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 150));
  Combo->DropDown();
  EXPECT_TRUE(freed);
  windowtesting::Pump();
}
