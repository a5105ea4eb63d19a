#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinGroups.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char GroupForm[] = R"(object TestForm: TForm
  Width = 600
  Height = 400
  object Radio: TskSkinRadioGroup
    Left = 10
    Top = 10
    Width = 300
    Height = 150
    Caption = 'Radio'
    Columns = 2
    Items.Strings = (
      'zero'
      'one'
      'two'
      'three'
      'four')
  end
  object Stored: TskSkinRadioGroup
    Left = 320
    Top = 10
    Width = 200
    Height = 120
    ItemIndex = 7
    Items.Strings = (
      'a'
      'b'
      'c')
  end
  object Checks: TskSkinCheckGroup
    Left = 10
    Top = 200
    Width = 200
    Height = 120
    Items.Strings = (
      'x'
      'y'
      'z')
  end
end)";

class SkinGroupsTest : public ::testing::Test {
protected:
  void SetUp() override { Form = ShowForm(GroupForm); }
  template <class T>
  T& Get(const char* Name) {
    return *dynamic_cast<T*>(Form->FindComponent(Name));
  }
  void Click(TskGroupButton& B) {
    const TPoint screen = B.ClientToScreen(Point(5, 5));
    SetCursorPos(screen.x, screen.y);
    PostMessageW(B.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageW(B.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(B.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    windowtesting::Pump();
  }
  static int Checked(const TskSkinButtonGroup& G) {
    int index = -1, count = 0;
    for (int i = 0; i < G.ButtonCount(); ++i)
      if (G.Buttons(i).Checked()) index = i, ++count;
    return count > 1 ? -2 : index;
  }

  std::unique_ptr<TForm> Form;
};

TEST_F(SkinGroupsTest, ButtonsFillTheColumnsTopToBottom) {
  auto& radio = Get<TskSkinRadioGroup>("Radio");
  ASSERT_EQ(5, radio.ButtonCount());
  const TRect r = radio.GetSkinClientRect();
  const int bw = (r.right - r.left) / 2 - 2, bh = (r.bottom - r.top) / 3;
  // Five items in two columns: three rows, the first column holding items 0-2.
  const int places[][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}};
  for (int i = 0; i < 5; ++i) {
    const TskGroupButton& b = radio.Buttons(i);
    EXPECT_EQ(places[i][0] * bw + r.left + 1, b.Left()) << i;
    EXPECT_EQ(places[i][1] * bh + r.top, b.Top()) << i;
    EXPECT_EQ(bw, b.Width()) << i;
    EXPECT_EQ(bh, b.Height()) << i;
    EXPECT_TRUE(b.Visible());
  }
  EXPECT_EQ("three", radio.Buttons(3).Caption());
  struct Case {
    int Asked, Kept;
  } cases[] = {{0, 1}, {20, 16}, {-3, 1}, {3, 3}};
  for (const Case& c : cases) {
    radio.SetColumns(c.Asked);
    EXPECT_EQ(c.Kept, radio.Columns()) << c.Asked;
  }
  // One column: every button below the last.
  radio.SetColumns(1);
  EXPECT_EQ(radio.Buttons(0).Left(), radio.Buttons(4).Left());
  EXPECT_GT(radio.Buttons(4).Top(), radio.Buttons(3).Top());
}

TEST_F(SkinGroupsTest, ItemIndexStaysOnAButtonThatExists) {
  auto& stored = Get<TskSkinRadioGroup>("Stored");
  EXPECT_EQ(2, stored.ItemIndex()) << "a stored index past the lines is clamped";
  EXPECT_EQ(2, Checked(stored));

  auto& radio = Get<TskSkinRadioGroup>("Radio");
  int clicks = 0;
  radio.OnClick = [&](TObject*) { ++clicks; };
  radio.SetItemIndex(4);
  EXPECT_EQ(1, clicks) << "checking from code fires OnClick";
  EXPECT_EQ(4, Checked(radio));
  // Deleting the checked line lowers the index to the new last line and checks that button.
  radio.Items().Delete(4);
  EXPECT_EQ(3, radio.ItemIndex());
  EXPECT_EQ(3, Checked(radio));
  radio.SetItemIndex(99);
  EXPECT_EQ(3, radio.ItemIndex());
  radio.SetItemIndex(-5);
  EXPECT_EQ(-1, radio.ItemIndex());
  EXPECT_EQ(-1, Checked(radio));

  Click(radio.Buttons(1));
  EXPECT_EQ(1, radio.ItemIndex());
  EXPECT_EQ(1, Checked(radio));
  Click(radio.Buttons(0));
  EXPECT_EQ(0, radio.ItemIndex());
  EXPECT_EQ(0, Checked(radio));
}

TEST_F(SkinGroupsTest, CheckGroupKeepsAStatePerLine) {
  auto& checks = Get<TskSkinCheckGroup>("Checks");
  int clicks = 0;
  checks.OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(-1, checks.ItemIndex());
  Click(checks.Buttons(2));
  EXPECT_TRUE(checks.GetCheckedStatus(2));
  EXPECT_EQ(2, checks.ItemIndex());
  Click(checks.Buttons(0));
  EXPECT_TRUE(checks.GetCheckedStatus(0));
  EXPECT_TRUE(checks.GetCheckedStatus(2)) << "check buttons are independent";
  Click(checks.Buttons(2));
  EXPECT_FALSE(checks.GetCheckedStatus(2));
  EXPECT_EQ(3, clicks);
  EXPECT_FALSE(checks.GetCheckedStatus(99));
  checks.SetCheckedStatus(99, true);
  checks.SetCheckedStatus(1, true);
  EXPECT_TRUE(checks.GetCheckedStatus(1));
  checks.SetEnabled(false);
  EXPECT_FALSE(checks.Buttons(1).Enabled());
}

}  // namespace

TEST_F(SkinGroupsTest, RightToLeftGroupsStartAtTheRight) {
  auto& radio = Get<TskSkinRadioGroup>("Radio");
  radio.SetBiDiMode(TBiDiMode::bdRightToLeft);
  radio.ArrangeButtons();
  const TRect r = radio.GetSkinClientRect();
  const int w = r.right - r.left, bw = w / 2 - 2;
  for (int i = 0; i < 5; ++i) {
    const TskGroupButton& b = radio.Buttons(i);
    EXPECT_EQ(TBiDiMode::bdRightToLeft, b.BiDiMode()) << i;
    EXPECT_EQ(w - ((i / 3) * bw + r.left + 1) - bw, b.Left()) << i;
  }
  EXPECT_GT(radio.Buttons(0).Left(), radio.Buttons(3).Left()) << "the first column stands at the right";
  // Reading order alone leaves the layout as it is.
  radio.SetBiDiMode(TBiDiMode::bdRightToLeftReadingOnly);
  radio.ArrangeButtons();
  EXPECT_EQ(r.left + 1, radio.Buttons(0).Left());
}
