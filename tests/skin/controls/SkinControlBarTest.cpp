#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinControlBar.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char BarForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 300
  object Bar: TskSkinControlBar
    Left = 10
    Top = 10
    Width = 200
    Height = 80
    object First: TPanel
      Left = 11
      Top = 2
      Width = 50
      Height = 22
    end
    object Second: TPanel
      Left = 100
      Top = 2
      Width = 40
      Height = 22
    end
    object Hidden: TPanel
      Left = 150
      Top = 2
      Width = 20
      Height = 22
      Visible = False
    end
  end
end)";

// The bar picture: 40 x 40 with a border of 4 around a client piece marked at its top-left pixel;
// the band picture beside it: a grip of 12 and edges of 3 around an inside of its own.
const char BarSections[] = R"([controlbar]
pictureindex=0
skinrect=0,0,40,40
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
itemrect=40,0,70,20
[bgbar]
pictureindex=0
skinrect=0,0,40,40
clientrect=4,4,36,36
itemrect=40,0,70,20
bgpictureindex=1
[farbar]
pictureindex=0
skinrect=0,0,40,40
clientrect=4,4,36,36
itemrect=40,0,70,20
bgpictureindex=9
)";

constexpr COLORREF BorderColor = 0x404080, ClientColor = 0x408040, CornerColor = 0x0080FF, GripColor = 0xC000C0,
                   EdgeColor = 0xC0C000, InsideColor = 0x00C0C0, BackgroundColor = 0x808000;

class SkinControlBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(BarForm);
    Bar = dynamic_cast<TskSkinControlBar*>(Form->FindComponent("Bar"));
    auto picture = fixtureskin::Picture(80, 40, BorderColor);
    fixtureskin::Fill(*picture, Rect(4, 4, 36, 36), ClientColor);
    fixtureskin::Fill(*picture, Rect(4, 4, 5, 5), CornerColor);
    fixtureskin::Fill(*picture, Rect(40, 0, 70, 20), EdgeColor);
    fixtureskin::Fill(*picture, Rect(40, 0, 52, 20), GripColor);
    fixtureskin::Fill(*picture, Rect(52, 3, 67, 17), InsideColor);
    auto background = fixtureskin::Picture(7, 5, BackgroundColor);
    Skin = std::make_unique<fixtureskin::TFixtureSkin>(
        fixtureskin::SkinIni(2, {"controlbar:controlbar", "bgbar:controlbar", "farbar:controlbar"}, BarSections),
        std::vector<const TBitmap*>{picture.get(), background.get()});
  }
  TRect Client() {
    TRect r;
    GetClientRect(Bar->Handle(), &r);
    return r;
  }
  COLORREF Pixel(int X, int Y) { return WindowPixel(Bar->Handle(), X, Y); }

  std::unique_ptr<TForm> Form;
  TskSkinControlBar* Bar = nullptr;
  std::unique_ptr<fixtureskin::TFixtureSkin> Skin;
};

TEST_F(SkinControlBarTest, BandsStandInRowsAndMoveByTheirGrips) {
  auto* first = dynamic_cast<TControl*>(Form->FindComponent("First"));
  auto* second = dynamic_cast<TControl*>(Form->FindComponent("Second"));
  // Side by side in the first row, each after its grip.
  EXPECT_EQ(11, first->Left());
  EXPECT_EQ(11 + 50 + 2 + 11, second->Left());
  EXPECT_EQ(2, second->Top());
  EXPECT_EQ(second, Bar->GripAt(second->Left() - 5, 10));
  EXPECT_EQ(nullptr, Bar->GripAt(second->Left() + 5, 10));
  // A drag of the second grip into the next row.
  const auto post = [&](UINT Msg, WPARAM Keys, int X, int Y) {
    PostMessageW(Bar->Handle(), Msg, Keys, MAKELPARAM(X, Y));
    windowtesting::Pump();
  };
  int moves = 0;
  Bar->OnBandMove = [&](TObject*, TControl* Control, TRect&) { moves += Control == second; };
  const int x = second->Left() - 5;
  post(WM_LBUTTONDOWN, MK_LBUTTON, x, 10);
  post(WM_MOUSEMOVE, MK_LBUTTON, x + 30, 10 + 26);
  post(WM_LBUTTONUP, 0, x + 30, 10 + 26);
  EXPECT_EQ(26 + 2, second->Top()) << "a row of RowSize below";
  EXPECT_EQ(11, second->Left()) << "first in its row";
  EXPECT_EQ(1, moves);
}

TEST_F(SkinControlBarTest, SkinnedBackgroundBandsAndBorder) {
  Bar->SetSkinData(&Skin->Skin());
  windowtesting::Pump();
  // Without SkinBevel the whole window is client area.
  EXPECT_EQ(200, Client().right);
  EXPECT_EQ(80, Client().bottom);
  // The client piece tiled from the top-left corner; each band framed from the band picture.
  EXPECT_EQ(CornerColor, Pixel(32 * 2, 32 * 2));
  EXPECT_EQ(ClientColor, Pixel(100, 60));
  EXPECT_EQ(GripColor, Pixel(2, 10)) << "the first band's grip";
  EXPECT_EQ(EdgeColor, Pixel(11 + 50, 10)) << "its right edge";
  auto* hidden = dynamic_cast<TControl*>(Form->FindComponent("Hidden"));
  EXPECT_NE(GripColor, Pixel(hidden->Left() - 5, 10)) << "a hidden control gets no band";

  // SkinBevel: the border in the non-client area, the client area inside it.
  Bar->SetSkinBevel(true);
  windowtesting::Pump();
  EXPECT_EQ(200 - 8, Client().right);
  EXPECT_EQ(80 - 8, Client().bottom);
  const HDC dc = GetWindowDC(Bar->Handle());
  UpdateWindow(Bar->Handle());
  SendMessageW(Bar->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(BorderColor, GetPixel(dc, 1, 40));
  EXPECT_EQ(BorderColor, GetPixel(dc, 198, 40));
  ReleaseDC(Bar->Handle(), dc);
}

TEST_F(SkinControlBarTest, BackgroundPictureOrClientPiece) {
  Bar->SetSkinDataName("bgbar");
  Bar->SetSkinData(&Skin->Skin());
  windowtesting::Pump();
  EXPECT_EQ(BackgroundColor, Pixel(100, 60));
  // A background index naming no picture shows the client piece.
  Bar->SetSkinDataName("farbar");
  Bar->ChangeSkinData();
  windowtesting::Pump();
  EXPECT_EQ(CornerColor, Pixel(32 * 3, 32));
  // A client area narrower than the tile: the tile is cut.
  Bar->SetBounds(Bar->Left(), Bar->Top(), 20, 80);
  windowtesting::Pump();
  EXPECT_EQ(ClientColor, Pixel(19, 10));
}

}  // namespace
