#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinBevel.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char BevelForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 200
  Color = clRed
  object Raised: TskSkinBevel
    Left = 10
    Top = 10
    Width = 40
    Height = 30
    Style = bsRaised
  end
  object Lowered: TskSkinBevel
    Left = 60
    Top = 10
    Width = 40
    Height = 30
  end
  object Divider: TskSkinBevel
    Left = 110
    Top = 10
    Width = 40
    Height = 30
    DividerMode = True
  end
  object Line: TskSkinBevel
    Left = 160
    Top = 10
    Width = 40
    Height = 30
    Shape = bsTopLine
    DividerMode = True
  end
end)";

const char BevelSections[] = R"([bevel]
lightcolor=65280
darkcolor=16711680
[blackbevel]
)";

// What a paint leaves where nothing is drawn (the form's own background is not erased into the picture).
constexpr COLORREF Light = 0x00FF00, Dark = 0xFF0000, FormColor = 0xFF00FF;

class SkinBevelTest : public ::testing::Test {
protected:
  void SetUp() override { Form = ShowForm(BevelForm); }
  TskSkinBevel& Bevel(const char* Name) { return *dynamic_cast<TskSkinBevel*>(Form->FindComponent(Name)); }
  COLORREF Pixel(int X, int Y) { return WindowPixel(Form->Handle(), X, Y); }
  std::unique_ptr<fixtureskin::TFixtureSkin> MakeSkin() {
    auto picture = fixtureskin::Picture(4, 4, 0);
    return std::make_unique<fixtureskin::TFixtureSkin>(
        fixtureskin::SkinIni(1, {"bevel:bevel", "blackbevel:bevel"}, BevelSections),
        std::vector<const TBitmap*>{picture.get()});
  }

  std::unique_ptr<TForm> Form;
};

TEST_F(SkinBevelTest, UnskinnedBoxesAreLitFromTheirStyle) {
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  // The raised box: highlight along the left and top edges, shadow along the right and bottom.
  EXPECT_EQ(highlight, Pixel(10, 20));
  EXPECT_EQ(highlight, Pixel(30, 10));
  EXPECT_EQ(shadow, Pixel(49, 20));
  EXPECT_EQ(shadow, Pixel(30, 39));
  EXPECT_EQ(FormColor, Pixel(30, 20));
  EXPECT_EQ(shadow, Pixel(60, 20));
  EXPECT_EQ(highlight, Pixel(99, 20));
}

TEST_F(SkinBevelTest, DividerModeDrawsAGrooveThroughTheMiddle) {
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  // A box in divider mode is a vertical groove at W div 2 - 1 and W div 2, from y 2 to H - 2.
  EXPECT_EQ(FormColor, Pixel(110, 20)) << "no box edge";
  EXPECT_EQ(FormColor, Pixel(130, 10));
  EXPECT_EQ(shadow, Pixel(110 + 19, 20));
  EXPECT_EQ(highlight, Pixel(110 + 20, 20));
  EXPECT_EQ(FormColor, Pixel(110 + 19, 10 + 1));
  // A top line in divider mode is a horizontal groove at H div 2 - 1 and H div 2.
  EXPECT_EQ(FormColor, Pixel(170, 10));
  EXPECT_EQ(shadow, Pixel(170, 10 + 14));
  EXPECT_EQ(highlight, Pixel(170, 10 + 15));
}

TEST_F(SkinBevelTest, TakesTheColoursOfItsDescriptionAndDropsThem) {
  auto skin = MakeSkin();
  TskSkinBevel& raised = Bevel("Raised");
  raised.SetSkinData(&skin->Skin());
  windowtesting::Pump();
  EXPECT_EQ(Light, Pixel(10, 20));
  EXPECT_EQ(Dark, Pixel(49, 20));
  TskSkinBevel& lowered = Bevel("Lowered");
  lowered.SetSkinDataName("blackbevel");
  lowered.SetSkinData(&skin->Skin());
  windowtesting::Pump();
  EXPECT_EQ(0u, Pixel(60, 20)) << "a description without colours draws black lines";
  EXPECT_EQ(0u, Pixel(99, 20));

  raised.SetSkinData(nullptr);
  windowtesting::Pump();
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), Pixel(10, 20)) << "no skin: the system colours at once";
  EXPECT_EQ(-1, raised.SkinControlIndex());
}

TEST_F(SkinBevelTest, ForgetsASkinThatIsFreed) {
  auto fixture = MakeSkin();
  TskSkinBevel& raised = Bevel("Raised");
  raised.SetSkinData(&fixture->Skin());
  EXPECT_EQ(Light, raised.LightColor());
  fixture->Release().reset();
  EXPECT_EQ(nullptr, raised.SkinData());
  EXPECT_EQ(clBtnHighlight, raised.LightColor());
  windowtesting::Pump();
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), Pixel(10, 20));
}

}  // namespace
