#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"
#include "tests/skin/support/RealInput.h"

#include "skin/controls/SkinScrollPanel.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char PanelForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 400
  object Strip: TskSkinScrollPanel
    Left = 10
    Top = 10
    Width = 150
    Height = 30
    object Wide: TPanel
      Left = 10
      Top = 2
      Width = 390
      Height = 20
    end
  end
  object Column: TskSkinScrollPanel
    Left = 300
    Top = 10
    Width = 60
    Height = 100
    ScrollType = stVertical
    object Tall: TPanel
      Left = 2
      Top = 0
      Width = 40
      Height = 300
    end
  end
end)";

// A "panel" whose background index names no picture, and a "resizebutton".
const char PanelSections[] = R"([panel]
pictureindex=0
skinrect=0,0,40,40
clientrect=4,4,36,36
bgpictureindex=5
[resizebutton]
pictureindex=0
skinrect=40,0,52,12
lefttoppoint=2,2
righttoppoint=10,2
leftbottompoint=2,10
rightbottompoint=10,10
clientrect=2,2,10,10
activeskinrect=52,0,64,12
downskinrect=64,0,76,12
)";

constexpr COLORREF ClientColor = 0x408040, CornerColor = 0x0080FF, ButtonColor = 0xC000C0;

class SkinScrollPanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(PanelForm);
    Strip = dynamic_cast<TskSkinScrollPanel*>(Form->FindComponent("Strip"));
    Column = dynamic_cast<TskSkinScrollPanel*>(Form->FindComponent("Column"));
    Wide = dynamic_cast<TControl*>(Form->FindComponent("Wide"));
  }
  // The answer to a hit test at a point of the panel's window.
  LRESULT HitAt(TskSkinScrollPanel& P, int X, int Y) {
    RECT w;
    GetWindowRect(P.Handle(), &w);
    return SendMessageW(P.Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + X, w.top + Y));
  }
  void Click(TskSkinScrollPanel& P, LRESULT Hit) {
    PostMessageW(P.Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(Hit), 0);
    PostMessageW(P.Handle(), WM_NCLBUTTONUP, static_cast<WPARAM>(Hit), 0);
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TskSkinScrollPanel* Strip = nullptr;
  TskSkinScrollPanel* Column = nullptr;
  TControl* Wide = nullptr;
};

TEST_F(SkinScrollPanelTest, ButtonsAppearInTheNonClientAreaWhenChildrenReachBeyond) {
  ASSERT_TRUE(Strip->Button(0).Visible);
  ASSERT_TRUE(Strip->Button(1).Visible);
  EXPECT_EQ(150 - 24, Strip->ClientWidth());
  EXPECT_EQ(399, Strip->RangeEnd());
  struct Case {
    int X;
    LRESULT Hit;
  } cases[] = {{5, TskSkinScrollPanel::HitStart}, {11, TskSkinScrollPanel::HitStart}, {12, HTCLIENT},
               {137, HTCLIENT}, {138, TskSkinScrollPanel::HitEnd}, {149, TskSkinScrollPanel::HitEnd}};
  for (const Case& c : cases) EXPECT_EQ(c.Hit, HitAt(*Strip, c.X, 15)) << c.X;
}

TEST_F(SkinScrollPanelTest, EachStepMovesByTheClientLengthUntilTheContentsEnd) {
  // A quick click gives one step, at the release.
  Click(*Strip, TskSkinScrollPanel::HitEnd);
  EXPECT_EQ(126, Strip->Position());
  EXPECT_EQ(10 - 126, Wide->Left());
  Click(*Strip, TskSkinScrollPanel::HitEnd);
  EXPECT_EQ(252, Strip->Position());
  Click(*Strip, TskSkinScrollPanel::HitEnd);
  EXPECT_EQ(399 - 126 + 1, Strip->Position()) << "the last step stops at the content's end";
  Click(*Strip, TskSkinScrollPanel::HitEnd);
  EXPECT_EQ(274, Strip->Position());
  Click(*Strip, TskSkinScrollPanel::HitStart);
  EXPECT_EQ(274 - 126, Strip->Position());
  EXPECT_EQ(10 - 148, Wide->Left());

  // Children that fit again: back to the start, no buttons.
  Wide->SetWidth(50);
  Strip->GetScrollInfo();
  EXPECT_EQ(0, Strip->Position());
  EXPECT_EQ(10, Wide->Left());
  EXPECT_FALSE(Strip->Button(0).Visible);
  EXPECT_EQ(150, Strip->ClientWidth());
}

TEST_F(SkinScrollPanelTest, AnUprightPanelStepsByItsClientHeight) {
  ASSERT_TRUE(Column->Button(1).Visible);
  EXPECT_EQ(TskSkinScrollPanel::HitEnd, HitAt(*Column, 30, 95));
  Click(*Column, TskSkinScrollPanel::HitEnd);
  EXPECT_EQ(100 - 24, Column->Position());
  EXPECT_EQ(-76, dynamic_cast<TControl*>(Form->FindComponent("Tall"))->Top());
}

TEST_F(SkinScrollPanelTest, HotScrollRunsWhileThePointerRestsOnAButton) {
  Strip->SetHotScroll(true);
  Strip->SetScrollOffset(10);
  PostMessageW(Strip->Handle(), WM_NCMOUSEMOVE, TskSkinScrollPanel::HitEnd, 0);
  windowtesting::PumpFor(200);
  EXPECT_TRUE(Strip->TimerRunning());
  EXPECT_GE(Strip->Position(), 20);
  // Into the client area: the scrolling stops.
  PostMessageW(Strip->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
  windowtesting::Pump();
  const int stopped = Strip->Position();
  EXPECT_FALSE(Strip->TimerRunning());
  windowtesting::PumpFor(150);
  EXPECT_EQ(stopped, Strip->Position());
}

TEST_F(SkinScrollPanelTest, SkinnedBackgroundAndButtons) {
  auto picture = fixtureskin::Picture(80, 40, 0x404040);
  fixtureskin::Fill(*picture, Rect(4, 4, 36, 36), ClientColor);
  fixtureskin::Fill(*picture, Rect(4, 4, 5, 5), CornerColor);
  fixtureskin::Fill(*picture, Rect(40, 0, 52, 12), ButtonColor);
  fixtureskin::TFixtureSkin skin(fixtureskin::SkinIni(1, {"panel:panel", "resizebutton:button"}, PanelSections),
                                 std::vector<const TBitmap*>{picture.get()});
  Strip->SetSkinData(&skin.Skin());
  windowtesting::Pump();
  // A background index naming no picture: the client piece, tiled.
  EXPECT_EQ(CornerColor, WindowPixel(Strip->Handle(), 0, 0));
  EXPECT_EQ(CornerColor, WindowPixel(Strip->Handle(), 32, 0));
  EXPECT_EQ(ClientColor, WindowPixel(Strip->Handle(), 40, 10));
  const HDC dc = GetWindowDC(Strip->Handle());
  SendMessageW(Strip->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(ButtonColor, GetPixel(dc, 1, 1));
  EXPECT_EQ(ButtonColor, GetPixel(dc, 148, 1));
  ReleaseDC(Strip->Handle(), dc);
  Strip->SetSkinData(nullptr);
}

}  // namespace

TEST_F(SkinScrollPanelTest, LeavingTheFrameStopsHotScrolling) {
  Strip->SetHotScroll(true);
  Strip->SetScrollOffset(10);
  RECT w;
  GetWindowRect(Strip->Handle(), &w);
  // Real pointer moves, which the system watches: onto the end button, then straight off the
  // panel, never crossing its client area.
  skintesting::queued::MouseTo(w.right - 5, w.top + 15);
  windowtesting::PumpFor(120);
  ASSERT_TRUE(Strip->Button(1).Hovered);
  ASSERT_TRUE(Strip->TimerRunning());
  skintesting::queued::MouseTo(w.right + 5, w.bottom + 200);
  windowtesting::PumpFor(100);
  EXPECT_FALSE(Strip->Button(1).Hovered);
  EXPECT_FALSE(Strip->TimerRunning());
  const int stopped = Strip->Position();
  windowtesting::PumpFor(120);
  EXPECT_EQ(stopped, Strip->Position());
}
