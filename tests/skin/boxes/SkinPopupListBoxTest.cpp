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
    ListBoxAlphaBlend = True
    Items.Strings = (
      'one'
      'two')
  end
end)";

}  // namespace

TEST(SkinPopupListBoxTest, ToolWindowThatNeverActivates) {
  MouseTo(1270, 1010);
  auto form = ShowForm(ComboForm);
  auto& combo = *dynamic_cast<TskSkinComboBox*>(form->FindComponent("C"));
  TskPopupListBox& list = combo.DropDownList();
  EXPECT_FALSE(list.Visible());
  combo.DropDown();
  const HWND window = list.Handle();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_BORDER), WS_POPUP);
  const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ(SendMessageW(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  // Blending is for the systems 5.0 to 5.2 only; elsewhere Show only places the window.
  if (!CheckW2KWXP()) {
    EXPECT_FALSE(ex & WS_EX_LAYERED);
    EXPECT_FALSE(list.AppliedAlphaBlend());
  }
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  RECT shown;
  GetWindowRect(window, &shown);
  list.Hide();
  EXPECT_FALSE(list.Visible());
  EXPECT_FALSE(IsWindowVisible(window));
  RECT hidden;
  GetWindowRect(window, &hidden);
  EXPECT_TRUE(EqualRect(&shown, &hidden));
}
