#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinCheckRadioBox.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char BoxForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 200
  Color = clRed
  object Preview: TskSkinCheckRadioBox
    Left = 10
    Top = 10
    Width = 105
    Caption = 'Enable Preview'
    CanFocused = True
    TabStop = True
    Checked = True
  end
  object R1: TskSkinCheckRadioBox
    Left = 10
    Top = 40
    Radio = True
    GroupIndex = 1
  end
  object R2: TskSkinCheckRadioBox
    Left = 10
    Top = 70
    Radio = True
    GroupIndex = 1
  end
  object C1: TskSkinCheckRadioBox
    Left = 200
    Top = 40
    GroupIndex = 2
  end
  object C2: TskSkinCheckRadioBox
    Left = 200
    Top = 70
    GroupIndex = 2
  end
end)";

class SkinCheckRadioBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(BoxForm);
    for (const char* name : {"Preview", "R1", "R2", "C1", "C2"}) {
      auto* box = dynamic_cast<TskSkinCheckRadioBox*>(Form->FindComponent(name));
      ASSERT_TRUE(box) << name;
      box->OnClick = [this, box](TObject*) { Clicks.push_back(box->Name()); };
    }
  }
  TskSkinCheckRadioBox& Box(const char* Name) {
    return *dynamic_cast<TskSkinCheckRadioBox*>(Form->FindComponent(Name));
  }
  void ClickAt(TskSkinCheckRadioBox& B) {
    PostMessageW(B.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(B.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    windowtesting::Pump();
  }
  std::unique_ptr<TForm> Form;
  std::vector<String> Clicks;
};

}  // namespace

TEST_F(SkinCheckRadioBoxTest, GroupsCheckOneAtATime) {
  TskSkinCheckRadioBox& r1 = Box("R1");
  TskSkinCheckRadioBox& r2 = Box("R2");
  ClickAt(r1);
  EXPECT_TRUE(r1.Checked());
  ClickAt(r2);
  EXPECT_TRUE(r2.Checked());
  EXPECT_FALSE(r1.Checked());
  // The radio box that went off fires nothing; a checked radio box stays checked.
  EXPECT_EQ(Clicks, (std::vector<String>{"R1", "R2"}));
  ClickAt(r2);
  EXPECT_TRUE(r2.Checked());
  EXPECT_EQ(Clicks.size(), 2u);

  // Check boxes of a group behave alike, the one unchecked firing its OnClick too.
  Clicks.clear();
  Box("C1").SetChecked(true);
  Box("C2").SetChecked(true);
  EXPECT_FALSE(Box("C1").Checked());
  EXPECT_EQ(Clicks, (std::vector<String>{"C1", "C1", "C2"}));
}

TEST_F(SkinCheckRadioBoxTest, SpaceTogglesAFocusedCheckBox) {
  TskSkinCheckRadioBox& preview = Box("Preview");
  EXPECT_TRUE(preview.Checked());
  preview.SetFocus();
  windowtesting::Pump();
  PostMessageW(preview.Handle(), WM_KEYUP, VK_SPACE, 0);
  windowtesting::Pump();
  EXPECT_FALSE(preview.Checked());
  ClickAt(preview);
  EXPECT_TRUE(preview.Checked());
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(SkinCheckRadioBoxTest, FlatAndDefaultLooks) {
  TskSkinCheckRadioBox& preview = Box("Preview");
  HWND h = preview.Handle();
  // Flat: the parent's red shows around a clBtnShadow box with a black tick.
  EXPECT_EQ(WindowPixel(h, 1, 1), 0x0000FFu);
  EXPECT_EQ(WindowPixel(h, 3, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(h, 8, 14), 0x000000u);
  preview.Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(WindowPixel(h, 3, 10), 0x800000u);
  preview.SetChecked(false);
  EXPECT_NE(WindowPixel(h, 8, 14), 0x000000u);
  // Not flat: the control's own face.
  preview.SetFlat(false);
  preview.SetChecked(true);
  EXPECT_EQ(WindowPixel(h, 1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(WindowPixel(h, 8, 14), 0x000000u);
  preview.SetEnabled(false);
  EXPECT_EQ(WindowPixel(h, 8, 14), ColorToRGB(clBtnShadow));
  preview.SetEnabled(true);
  Box("R1").SetChecked(true);
  WriteLooks("skincheckradiobox_looks", {h, Box("R1").Handle(), Box("C1").Handle()}, 150, 25);
}

TEST_F(SkinCheckRadioBoxTest, ActionCheckedStateIsTakenUnlessADefaultIsKept) {
  const struct {
    bool Loading;  // the action is still being read from a form: defaults are checked
    bool BoxChecked;
    bool ActionChecked;
    bool Want;
  } cases[] = {
      {false, false, true, true},  {false, true, false, false},
      {true, false, true, true},   {true, true, false, true},  // a checked box is not a default
  };
  TskSkinCheckRadioBox& box = Box("C1");
  for (const auto& c : cases) {
    box.SetAction(nullptr);
    box.SetChecked(c.BoxChecked);
    TAction action(nullptr);
    action.SetChecked(c.ActionChecked);
    action.SetComponentState(TComponentStateItem::csLoading, c.Loading);
    box.SetAction(&action);
    EXPECT_EQ(box.Checked(), c.Want) << c.Loading << c.BoxChecked << c.ActionChecked;
    box.SetAction(nullptr);
  }

  // Later changes of the action's state reach the box; a change of anything else leaves the box
  // and its OnClick alone.
  TAction action(nullptr);
  box.SetChecked(false);
  box.SetAction(&action);
  Clicks.clear();
  action.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  action.SetCaption("Preview");
  EXPECT_EQ(box.Caption(), "Preview");
  EXPECT_EQ(Clicks, (std::vector<String>{"C1"}));
  box.SetAction(nullptr);
}
