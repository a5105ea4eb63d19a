#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "skin/boxes/SkinScrollBox.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

// The bars sit right and below the box in a panel of their own, as a dialog places them.
const char ScrollBoxForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object Host: TPanel
    Left = 10
    Top = 10
    Width = 200
    Height = 200
    object VB: TskSkinScrollBar
      Kind = sbVertical
      Align = alRight
      Width = 19
    end
    object HB: TskSkinScrollBar
      Kind = sbHorizontal
      Align = alBottom
      Height = 19
    end
    object Box: TskSkinScrollBox
      Left = 0
      Top = 0
      VScrollBar = VB
      HScrollBar = HB
    end
  end
end)";

class SkinScrollBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(ScrollBoxForm);
    Box = dynamic_cast<TskSkinScrollBox*>(Form->FindComponent("Box"));
    ASSERT_NE(Box, nullptr);
    VBar = Box->VScrollBar();
    HBar = Box->HScrollBar();
    ASSERT_NE(VBar, nullptr);
    ASSERT_NE(HBar, nullptr);
  }
  TPanel* AddChild(int W, int H) {
    auto* child = new TPanel(Form.get());
    child->SetParent(Box);
    child->SetBounds(0, 0, W, H);
    Box->UpdateScrollRange();
    return child;
  }

  std::unique_ptr<TForm> Form;
  TskSkinScrollBox* Box = nullptr;
  TskSkinScrollBar* VBar = nullptr;
  TskSkinScrollBar* HBar = nullptr;
};

}  // namespace

TEST_F(SkinScrollBoxTest, FrameTakesAPixelEachSide) {
  EXPECT_EQ(Box->Width(), 150);
  EXPECT_EQ(Box->Height(), 150);
  EXPECT_EQ(Box->SkinDataName(), "scrollbox");
  EXPECT_EQ(Box->ClientWidth(), 148);
  EXPECT_EQ(Box->ClientHeight(), 148);
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
  // The frame is drawn outside the client area: read from the screen.
  RECT r;
  GetWindowRect(Box->Handle(), &r);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(r.left, r.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(skintesting::ScreenPixel(r.right - 1, r.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 70, r.top + 70), GetSysColor(COLOR_BTNFACE));
  // Raised looks sunken: shadow at the top left, highlight at the bottom right.
  Box->SetBorderStyle(TskSkinBorderStyle::bvRaised);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(r.left, r.top + 70), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(skintesting::ScreenPixel(r.right - 1, r.top + 70), GetSysColor(COLOR_BTNHIGHLIGHT));
  Box->SetBorderStyle(TskSkinBorderStyle::bvNone);
  EXPECT_EQ(Box->ClientWidth(), 150);
  EXPECT_EQ(Box->ClientHeight(), 150);
}

TEST_F(SkinScrollBoxTest, ChildrenSetTheRanges) {
  TPanel* child = AddChild(300, 200);
  EXPECT_TRUE(VBar->Visible());
  EXPECT_TRUE(HBar->Visible());
  EXPECT_EQ(VBar->Max(), 199);
  EXPECT_EQ(VBar->PageSize(), 148);
  EXPECT_EQ(HBar->Max(), 299);
  EXPECT_EQ(HBar->PageSize(), 148);
  // The horizontal bar leaves the corner to the vertical one from the next update on.
  Box->UpdateScrollRange();
  EXPECT_TRUE(HBar->Both());
  VBar->SetPosition(52);
  EXPECT_EQ(child->Top(), -52);
  HBar->SetPosition(10);
  EXPECT_EQ(child->Left(), -10);
  // Smaller content goes back to its place and the bar goes away.
  child->SetBounds(child->Left(), child->Top(), child->Width(), 100);
  Box->UpdateScrollRange();
  EXPECT_EQ(child->Top(), 0);
  EXPECT_FALSE(VBar->Visible());
  EXPECT_EQ(child->Left(), -10);
  Box->UpdateScrollRange();
  EXPECT_FALSE(HBar->Both());
}

TEST_F(SkinScrollBoxTest, AlignedBoxGrowingWhileScrolled) {
  Box->SetAlign(TAlign::alTop);
  TPanel* child = AddChild(100, 200);
  ASSERT_TRUE(VBar->Visible());
  VBar->SetPosition(52);
  ASSERT_EQ(child->Top(), -52);
  Box->SetHeight(Box->Height() + 20);
  EXPECT_EQ(VBar->Position(), 32);
  EXPECT_EQ(child->Top(), -32);
  EXPECT_EQ(VBar->PageSize(), 168);
}

TEST_F(SkinScrollBoxTest, ScrollMovesTheBarWithinItsRange) {
  TPanel* child = AddChild(100, 400);
  Box->VScroll(1000);
  EXPECT_EQ(VBar->Position(), 399 - 148);
  EXPECT_EQ(child->Top(), -(399 - 148));
  Box->HScroll(5);  // nothing to scroll sideways
  EXPECT_EQ(child->Left(), 0);
}

TEST_F(SkinScrollBoxTest, FocusingClick) {
  int downs = 0;
  Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  const TPoint p = Box->ClientToScreen(Point(70, 70));
  LeftPress(p.x, p.y);
  LeftReleaseAt(p.x, p.y);
  EXPECT_FALSE(Box->Focused());
  Box->SetCanFocused(true);
  LeftPress(p.x, p.y);
  LeftReleaseAt(p.x, p.y);
  EXPECT_TRUE(Box->Focused());
  EXPECT_EQ(downs, 2);
}

namespace {

// A 40 x 40 scroll box piece: a 4-pixel red frame around a green client.
const char ScrollSkinIni[] = R"([VERSION]
ver=2
skinname=Scroll box

[PICTURES]
picture=frame.bmp
activepicturescount=1
0=controls.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=1
0=scrollbox:scrollbox

[scrollbox]
pictureindex=0
maskpictureindex=-1
cursorindex=-1
skinrect=0,0,40,40
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
stretcheffect=0
bgpictureindex=-1
)";

}  // namespace

TEST_F(SkinScrollBoxTest, SkinnedFrameAndClient) {
  skintesting::TSkinFiles skin;
  skin.SavePicture("frame.bmp", *skintesting::Picture(20, 20, RGB(90, 90, 90)));
  auto controls = skintesting::Picture(40, 40, RGB(200, 0, 0));
  skintesting::Fill(*controls, Rect(4, 4, 36, 36), RGB(0, 160, 0));
  skin.SavePicture("controls.bmp", *controls);
  skin.Load(ScrollSkinIni);
  Box->SetSkinData(&skin.Skin());
  ASSERT_NE(Box->SkinControlIndex(), -1);
  EXPECT_EQ(Box->ClientWidth(), 142);
  EXPECT_EQ(Box->ClientHeight(), 142);
  AddChild(100, 300);
  EXPECT_EQ(VBar->PageSize(), 142);
  Box->Invalidate();
  windowtesting::Pump();
  RECT r;
  GetWindowRect(Box->Handle(), &r);
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 1, r.top + 1), RGB(200, 0, 0));
  EXPECT_EQ(skintesting::ScreenPixel(r.right - 2, r.bottom - 70), RGB(200, 0, 0));
  // Right of the child: the client's tiles.
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 4 + 120, r.top + 4 + 70), RGB(0, 160, 0));
  Box->SetSkinData(nullptr);
}
