#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinHeaderControl.h"

#include <vector>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char HeaderForm[] = R"(object TestForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Header: TskSkinHeaderControl
    Left = 0
    Top = 0
    Width = 400
    Height = 24
    Align = alNone
    Sections = <
      item
        Text = 'Title'
        Width = 100
      end
      item
        Alignment = taCenter
        Text = 'Track'
        Width = 120
      end>
  end
end)";

class SkinHeaderControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(HeaderForm);
    Header = dynamic_cast<TskSkinHeaderControl*>(Form->FindComponent("Header"));
    ASSERT_TRUE(Header);
    Header->OnSkinSectionClick = [this](THeaderControl*, THeaderSection* Section) {
      Clicks.push_back(Section->Index());
    };
  }
  void Skin() {
    Header->SetSkinDataName("headerbutton");
    Header->SetSkinData(&TestSkin.Skin());
    windowtesting::Pump();
  }
  COLORREF Pixel(int X, int Y) { return WindowPixel(Header->Handle(), X, Y); }
  void Post(UINT Msg, int X, int Y) {
    const TPoint screen = Header->ClientToScreen(Point(X, Y));
    SetCursorPos(screen.x, screen.y);
    PostMessageW(Header->Handle(), Msg, Msg == WM_LBUTTONDOWN || (Msg == WM_MOUSEMOVE && Pressing) ? MK_LBUTTON : 0,
                 MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  void Press(int X, int Y) {
    Pressing = true;
    Post(WM_LBUTTONDOWN, X, Y);
  }
  void Release(int X, int Y) {
    Pressing = false;
    Post(WM_LBUTTONUP, X, Y);
  }

  TTestSkin TestSkin;
  std::unique_ptr<TForm> Form;
  TskSkinHeaderControl* Header = nullptr;
  std::vector<int> Clicks;
  bool Pressing = false;
};

}  // namespace

TEST_F(SkinHeaderControlTest, HeightFollowsAThreePartSkinOrDefaultHeight) {
  EXPECT_EQ(24, Header->Height()) << "no skin, no DefaultHeight: as asked";
  Header->SetDefaultHeight(30);
  EXPECT_EQ(30, Header->Height());
  Header->SetHeight(40);
  EXPECT_EQ(30, Header->Height());

  Skin();
  EXPECT_EQ(20, Header->Height()) << "the height of the strip";
  Header->SetHeight(44);
  EXPECT_EQ(20, Header->Height());
}

TEST_F(SkinHeaderControlTest, SectionsAndTheSpaceAfterThemAreDrawnFromTheSkin) {
  // Without a skin: clBtnFace inside clBtnShadow frames.
  EXPECT_EQ(ColorToRGB(clBtnShadow), Pixel(0, 5));
  EXPECT_EQ(ColorToRGB(clBtnFace), Pixel(3, 3));
  EXPECT_EQ(ColorToRGB(clBtnFace), Pixel(300, 3));

  Skin();
  EXPECT_EQ(NormalColor, Pixel(2, 2));
  EXPECT_EQ(NormalColor, Pixel(102, 2));
  EXPECT_EQ(NormalColor, Pixel(390, 2)) << "the space after the last section";

  // Over the second section it turns active, and back when the pointer moves on.
  Post(WM_MOUSEMOVE, 150, 10);
  EXPECT_EQ(1, Header->HotSection());
  EXPECT_EQ(HotColor, Pixel(102, 2));
  EXPECT_EQ(NormalColor, Pixel(2, 2));
  Post(WM_MOUSEMOVE, 50, 10);
  EXPECT_EQ(0, Header->HotSection());
  EXPECT_EQ(HotColor, Pixel(2, 2));
  EXPECT_EQ(NormalColor, Pixel(102, 2));

  // Held down, it shows pressed.
  Press(50, 10);
  EXPECT_TRUE(Header->HeaderPressed());
  EXPECT_EQ(DownColor, Pixel(2, 2));
  Release(50, 10);
  EXPECT_FALSE(Header->HeaderPressed());
}

TEST_F(SkinHeaderControlTest, AClickFiresOnceAndADividerPressNothing) {
  Skin();
  Post(WM_MOUSEMOVE, 150, 10);
  Press(150, 10);
  Release(150, 10);
  EXPECT_EQ(std::vector<int>{1}, Clicks);

  // On the divider between the two sections: a resize, no click, no pressed look.
  Clicks.clear();
  Post(WM_MOUSEMOVE, 99, 10);
  Press(99, 10);
  EXPECT_FALSE(Header->HeaderPressed());
  Release(99, 10);
  EXPECT_TRUE(Clicks.empty());

  // A flat header has no buttons to click.
  Header->SetStyle(THeaderStyle::hsFlat);
  Post(WM_MOUSEMOVE, 50, 10);
  Press(50, 10);
  Release(50, 10);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SkinHeaderControlTest, CustomDrawingReplacesCaptionAndPicture) {
  // A nine-part description: the height stays as asked and the caption goes inside its client part.
  Header->SetSkinData(&TestSkin.Skin());
  EXPECT_EQ(24, Header->Height());
  std::vector<std::pair<int, TRect>> drawn;
  Header->OnDrawSkinSection = [&drawn](THeaderControl*, THeaderSection* Section, TRect& R, bool, bool, TCanvas& C) {
    drawn.emplace_back(Section->Index(), R);
    C.Brush()->SetColor(clBlack);
    C.FillRect(R);
  };
  Header->Invalidate();
  windowtesting::Pump();
  EXPECT_EQ(0x000000u, Pixel(50, 10));
  EXPECT_EQ(NormalColor, Pixel(1, 1)) << "the background stays the skin's";
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(0, drawn.front().first);
  // The client part (4, 4, 36, 16) of a 40 x 20 picture, grown with the section.
  const TRect& r = drawn.front().second;
  EXPECT_EQ((std::vector<LONG>{4, 4, 100 - 4, 24 - 4}), (std::vector<LONG>{r.left, r.top, r.right, r.bottom}));

  // Dragged into another order: sections are drawn in the order shown, the second one first.
  Header->SetDragReorder(true);
  int order[2] = {1, 0};
  SendMessageW(Header->Handle(), HDM_SETORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  drawn.clear();
  Header->Invalidate();
  windowtesting::Pump();
  ASSERT_GE(drawn.size(), 2u);
  EXPECT_EQ(1, drawn[0].first);
  EXPECT_EQ(0, Header->GetSkinItemRect(0).left);
  EXPECT_EQ(120, Header->GetSkinItemRect(1).left);
}
