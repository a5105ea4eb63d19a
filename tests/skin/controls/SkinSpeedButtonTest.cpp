#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinSpeedButton.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char ToolForm[] = R"(object TestForm: TForm
  Width = 300
  Height = 200
  Color = clRed
  object Plain: TskSkinSpeedButton
    Left = 10
    Top = 10
  end
  object FlatOne: TskSkinSpeedButton
    Left = 50
    Top = 10
    Flat = True
  end
  object G1: TskSkinSpeedButton
    Left = 10
    Top = 50
    GroupIndex = 1
    AllowAllUp = True
  end
  object G2: TskSkinSpeedButton
    Left = 50
    Top = 50
    GroupIndex = 1
    AllowAllUp = True
  end
end)";

class SkinSpeedButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(ToolForm);
    for (const char* name : {"Plain", "FlatOne", "G1", "G2"}) {
      auto* b = dynamic_cast<TskSkinSpeedButton*>(Form->FindComponent(name));
      ASSERT_TRUE(b) << name;
      b->OnClick = [this, b](TObject*) { Clicks.push_back(b->Name()); };
    }
  }
  TskSkinSpeedButton& Button(const char* Name) {
    return *dynamic_cast<TskSkinSpeedButton*>(Form->FindComponent(Name));
  }
  // A pixel of the form with its windowless children, at a point of the button; the form's face
  // is red below them.
  COLORREF Pixel(TskSkinSpeedButton& B, int X, int Y) {
    windowtesting::TPaintTarget target(Form->ClientWidth(), Form->ClientHeight(), 0x0000FF);
    target.Paint(Form->Handle());
    return target.Pixel(B.Left() + X, B.Top() + Y);
  }
  void ClickAt(TskSkinSpeedButton& B) {
    const LPARAM at = MAKELPARAM(B.Left() + 5, B.Top() + 5);
    PostMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, at);
    windowtesting::Pump();
  }
  std::unique_ptr<TForm> Form;
  std::vector<String> Clicks;
};

}  // namespace

TEST_F(SkinSpeedButtonTest, DefaultAndFlatLooks) {
  TskSkinSpeedButton& plain = Button("Plain");
  TskSkinSpeedButton& flat = Button("FlatOne");
  EXPECT_EQ(plain.Width(), 25);
  EXPECT_EQ(Pixel(plain, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(plain, 3, 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(flat, 3, 3), 0x0000FFu);  // flat and away: the parent shows through
  flat.Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(Pixel(flat, 0, 0), 0x800000u);
  EXPECT_EQ(Pixel(flat, 3, 3), 0xD2BDB6u);
  flat.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Pixel(flat, 3, 3), 0x0000FFu);
}

TEST_F(SkinSpeedButtonTest, SkinnedLooksAndFlatGroupedDown) {
  TTestSkin skin;
  TskSkinSpeedButton& g1 = Button("G1");
  g1.SetSkinDataName("button");
  g1.SetSkinData(&skin.Skin());
  EXPECT_EQ(Pixel(g1, 2, 2), NormalColor);
  g1.Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(Pixel(g1, 2, 2), HotColor);
  g1.Perform(CM_MOUSELEAVE, 0, 0);
  g1.SetFlat(true);
  EXPECT_EQ(Pixel(g1, 2, 2), 0x0000FFu);
  g1.SetDown(true);  // a flat grouped button that is down keeps its pressed look
  EXPECT_EQ(Pixel(g1, 2, 2), DownColor);
}

TEST_F(SkinSpeedButtonTest, GroupsAndClicksThroughTheParent) {
  TskSkinSpeedButton& g1 = Button("G1");
  TskSkinSpeedButton& g2 = Button("G2");
  ClickAt(g1);
  EXPECT_TRUE(g1.Down());
  ClickAt(g2);
  EXPECT_TRUE(g2.Down());
  EXPECT_FALSE(g1.Down());  // AllowAllUp never leaves two down
  ClickAt(g2);
  EXPECT_FALSE(g2.Down());
  EXPECT_EQ(Clicks, (std::vector<String>{"G1", "G2", "G2"}));
  ClickAt(Button("Plain"));
  EXPECT_EQ(Clicks.back(), "Plain");
  EXPECT_FALSE(Button("Plain").Down());
}

TEST_F(SkinSpeedButtonTest, ShowCaptionTakesItsWidth) {
  TskSkinSpeedButton& b = Button("Plain");
  b.SetWidthWithCaption(60);
  b.SetWidthWithoutCaption(25);
  b.SetShowCaption(false);
  EXPECT_EQ(b.Width(), 25);
  b.SetShowCaption(true);
  EXPECT_EQ(b.Width(), 60);
  b.SetWidthWithoutCaption(0);
  b.SetShowCaption(false);
  EXPECT_EQ(b.Width(), 60);
  WriteLooks("skinspeedbutton_looks", {Form->Handle()}, 120, 80);
}

TEST_F(SkinSpeedButtonTest, AnActionFillsAnEmptyGlyphAndRunsWhenNoOnClickIsSet) {
  TPictureAction pictured;
  int executed = 0;
  pictured.Action->OnExecute = [&](TObject*) { ++executed; };
  TskSkinSpeedButton& plain = Button("Plain");
  plain.SetAction(pictured.Action);
  ASSERT_EQ(plain.Glyph().Width(), 16);
  EXPECT_EQ(plain.Glyph().Canvas()->Pixels(12, 2), clBlue);
  EXPECT_EQ(plain.Glyph().Canvas()->Pixels(2, 2), clFuchsia);
  // Centred on the button, the blue half shows and the masked half lets the button's face through.
  EXPECT_EQ(Pixel(plain, 14, 12), 0xFF0000u);
  EXPECT_EQ(Pixel(plain, 6, 12), ColorToRGB(clBtnFace));
  ClickAt(plain);
  EXPECT_EQ(Clicks, (std::vector<String>{"Plain"}));  // the button's own OnClick replaces the action's
  EXPECT_EQ(executed, 0);
  plain.OnClick = nullptr;
  ClickAt(plain);
  EXPECT_EQ(executed, 1);
}
