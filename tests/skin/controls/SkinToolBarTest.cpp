#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinToolBar.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

// Five 60-pixel buttons (300 pixels) on a 200-pixel bar, and one on a bar they fit.
const char BarForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 500
  Height = 300
  object Bar: TskSkinToolBar
    Left = 10
    Top = 10
    Width = 200
    CanScroll = True
    object B1: TskSkinSpeedButton
      Left = 0
      Width = 60
      Caption = 'One'
    end
    object B2: TskSkinSpeedButton
      Left = 60
      Width = 60
    end
    object B3: TskSkinSpeedButton
      Left = 120
      Width = 60
    end
    object B4: TskSkinSpeedButton
      Left = 180
      Width = 60
    end
    object B5: TskSkinSpeedButton
      Left = 240
      Width = 60
    end
  end
  object Fits: TskSkinToolBar
    Left = 10
    Top = 100
    Width = 200
    CanScroll = True
    object F1: TskSkinSpeedButton
      Left = 0
      Width = 60
    end
  end
  object NoScroll: TskSkinToolBar
    Left = 10
    Top = 150
    Width = 100
    object N1: TskSkinSpeedButton
      Left = 0
      Width = 160
    end
  end
end)";

bool SameRect(const TRect& A, const TRect& B) { return EqualRect(&A, &B) != 0; }

// A menu speed button as the tool bar sees one.
class TTrackingButton : public TskSkinSpeedButton, public TskToolBarMenuButton {
public:
  TTrackingButton(TComponent* AOwner, bool Track) : TskSkinSpeedButton(AOwner), FTrack(Track) {}
  bool TrackButtonMode() const override { return FTrack; }

private:
  bool FTrack;
};

class SkinToolBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(BarForm);
    Bar = dynamic_cast<TskSkinToolBar*>(Form->FindComponent("Bar"));
    B1 = dynamic_cast<TskSkinSpeedButton*>(Form->FindComponent("B1"));
    ASSERT_TRUE(Bar && B1);
  }
  TskSkinToolBar& BarNamed(const char* Name) { return *dynamic_cast<TskSkinToolBar*>(Form->FindComponent(Name)); }
  // The answer to a hit test at a point of the bar's window.
  LRESULT HitAt(int X, int Y) {
    RECT w;
    GetWindowRect(Bar->Handle(), &w);
    return SendMessageW(Bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + X, w.top + Y));
  }
  void Click(LRESULT Hit) {
    PostMessageW(Bar->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(Hit), 0);
    PostMessageW(Bar->Handle(), WM_NCLBUTTONUP, static_cast<WPARAM>(Hit), 0);
    windowtesting::Pump();
  }
  COLORREF FramePixel(int X, int Y) {
    const HDC dc = GetWindowDC(Bar->Handle());
    SendMessageW(Bar->Handle(), WM_NCPAINT, 1, 0);
    const COLORREF pixel = GetPixel(dc, X, Y);
    ReleaseDC(Bar->Handle(), dc);
    return pixel;
  }

  std::unique_ptr<TForm> Form;
  TskSkinToolBar* Bar = nullptr;
  TskSkinSpeedButton* B1 = nullptr;
};

TEST_F(SkinToolBarTest, ArrowsOnlyWhenTheButtonsDoNotFit) {
  EXPECT_EQ(25, Bar->Height());
  ASSERT_TRUE(Bar->ArrowsVisible());
  EXPECT_EQ(200 - 2 * TskSkinToolBar::ArrowWidth, Bar->ClientWidth());
  EXPECT_PRED2(SameRect, Rect(0, 0, 12, 25), Bar->ArrowRect(0));
  EXPECT_PRED2(SameRect, Rect(188, 0, 200, 25), Bar->ArrowRect(1));
  EXPECT_EQ(299, Bar->RangeEnd());
  EXPECT_EQ(176, Bar->PageLength());
  struct Case {
    int X;
    LRESULT Hit;
  } cases[] = {{0, TskSkinToolBar::HTLeftArrow},   {11, TskSkinToolBar::HTLeftArrow},
               {12, HTCLIENT},                      {187, HTCLIENT},
               {188, TskSkinToolBar::HTRightArrow}, {199, TskSkinToolBar::HTRightArrow}};
  for (const Case& c : cases) EXPECT_EQ(c.Hit, HitAt(c.X, 10)) << c.X;

  TskSkinToolBar& fits = BarNamed("Fits");
  EXPECT_FALSE(fits.ArrowsVisible());
  EXPECT_EQ(200, fits.ClientWidth());
  TskSkinToolBar& noScroll = BarNamed("NoScroll");
  EXPECT_FALSE(noScroll.ArrowsVisible());
  EXPECT_EQ(100, noScroll.ClientWidth());
  noScroll.GetHRange();
  EXPECT_FALSE(noScroll.ArrowsVisible()) << "without CanScroll there are never arrows";
  noScroll.SetCanScroll(true);
  noScroll.GetHRange();
  EXPECT_TRUE(noScroll.ArrowsVisible());
  noScroll.SetCanScroll(false);
  EXPECT_FALSE(noScroll.ArrowsVisible());
  EXPECT_EQ(100, noScroll.ClientWidth());
}

TEST_F(SkinToolBarTest, HitTestsReadSignedScreenPoints) {
  // The bar's left arrow lies left of the screen's origin: read unsigned, the point would lie far
  // to the right and hit the right arrow.
  Form->SetLeft(-60);
  windowtesting::Pump();
  RECT w;
  GetWindowRect(Bar->Handle(), &w);
  ASSERT_LT(w.left, 0);
  EXPECT_EQ(TskSkinToolBar::HTLeftArrow, HitAt(5, 10));
  EXPECT_EQ(TskSkinToolBar::HTRightArrow, HitAt(195, 10));
}

TEST_F(SkinToolBarTest, EachStepMovesByTheClientWidthUntilTheContentsEnd) {
  Click(TskSkinToolBar::HTRightArrow);
  EXPECT_EQ(299 - 176 + 1, Bar->ScrollPosition()) << "the step stops at the content's end";
  EXPECT_EQ(-124, B1->Left());
  Click(TskSkinToolBar::HTRightArrow);
  EXPECT_EQ(124, Bar->ScrollPosition());
  EXPECT_EQ(-124, B1->Left());
  EXPECT_FALSE(Bar->ScrollTimerRunning());
  Click(TskSkinToolBar::HTLeftArrow);
  EXPECT_EQ(0, Bar->ScrollPosition());
  EXPECT_EQ(0, B1->Left());

  Bar->SetScrollOffset(50);
  Bar->SetScrollOffset(-5);
  EXPECT_EQ(50, Bar->ScrollOffset());
  Click(TskSkinToolBar::HTRightArrow);
  EXPECT_EQ(50, Bar->ScrollPosition());
  EXPECT_EQ(-50, B1->Left());
}

TEST_F(SkinToolBarTest, HoldingAnArrowStepsOnEveryTick) {
  Bar->SetScrollOffset(5);
  PostMessageW(Bar->Handle(), WM_NCLBUTTONDOWN, TskSkinToolBar::HTRightArrow, 0);
  windowtesting::PumpFor(250);
  EXPECT_TRUE(Bar->ScrollTimerRunning());
  EXPECT_TRUE(Bar->ArrowDown(1));
  const int held = Bar->ScrollPosition();
  EXPECT_GE(held, 10);
  PostMessageW(Bar->Handle(), WM_NCLBUTTONUP, TskSkinToolBar::HTRightArrow, 0);
  windowtesting::Pump();
  EXPECT_FALSE(Bar->ScrollTimerRunning());
  EXPECT_GE(Bar->ScrollPosition(), held + 5) << "the release makes one step more";
  EXPECT_EQ(-Bar->ScrollPosition(), B1->Left());
}

TEST_F(SkinToolBarTest, HotScrollRunsWhileThePointerRestsOnAnArrow) {
  Bar->SetHotScroll(true);
  Bar->SetScrollOffset(10);
  PostMessageW(Bar->Handle(), WM_NCMOUSEMOVE, TskSkinToolBar::HTRightArrow, 0);
  windowtesting::PumpFor(200);
  EXPECT_TRUE(Bar->ArrowHovered(1));
  EXPECT_GE(Bar->ScrollPosition(), 20);
  PostMessageW(Bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
  windowtesting::Pump();
  const int stopped = Bar->ScrollPosition();
  EXPECT_FALSE(Bar->ScrollTimerRunning());
  EXPECT_FALSE(Bar->ArrowHovered(1));
  windowtesting::PumpFor(150);
  EXPECT_EQ(stopped, Bar->ScrollPosition());
}

TEST_F(SkinToolBarTest, WideningAScrolledBarBringsTheButtonsBack) {
  Click(TskSkinToolBar::HTRightArrow);
  ASSERT_EQ(124, Bar->ScrollPosition());
  Bar->SetWidth(250);
  EXPECT_EQ(74, Bar->ScrollPosition());
  EXPECT_EQ(-74, B1->Left());
  EXPECT_TRUE(Bar->ArrowsVisible());
  // Wide enough for everything: back to the unscrolled place, and no arrows.
  Bar->SetWidth(400);
  EXPECT_EQ(0, Bar->ScrollPosition());
  EXPECT_EQ(0, B1->Left());
  EXPECT_FALSE(Bar->ArrowsVisible());
  EXPECT_EQ(400, Bar->ClientWidth());
}

TEST_F(SkinToolBarTest, ArrowLooksDefaultAndSkinned) {
  EXPECT_EQ(ColorToRGB(clBtnShadow), FramePixel(0, 0));
  EXPECT_EQ(ColorToRGB(clBtnFace), FramePixel(2, 2));
  PostMessageW(Bar->Handle(), WM_NCMOUSEMOVE, TskSkinToolBar::HTLeftArrow, 0);
  windowtesting::Pump();
  EXPECT_EQ(0x800000u, FramePixel(0, 0));
  EXPECT_EQ(0xD2BDB6u, FramePixel(2, 2));
  PostMessageW(Bar->Handle(), WM_NCLBUTTONDOWN, TskSkinToolBar::HTLeftArrow, 0);
  windowtesting::Pump();
  EXPECT_EQ(0xB59385u, FramePixel(2, 2));
  PostMessageW(Bar->Handle(), WM_NCLBUTTONUP, TskSkinToolBar::HTLeftArrow, 0);
  windowtesting::Pump();

  constexpr COLORREF ButtonColor = 0xC000C0, HotButtonColor = 0x00C0C0;
  auto picture = fixtureskin::Picture(80, 40, 0x404040);
  fixtureskin::Fill(*picture, Rect(40, 0, 52, 12), ButtonColor);
  fixtureskin::Fill(*picture, Rect(52, 0, 64, 12), HotButtonColor);
  fixtureskin::TFixtureSkin skin(fixtureskin::SkinIni(1, {"panel:panel", "resizebutton:button"}, R"([panel]
pictureindex=0
skinrect=0,0,40,40
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
[resizebutton]
pictureindex=0
skinrect=40,0,52,12
lefttoppoint=2,2
righttoppoint=10,2
leftbottompoint=2,10
rightbottompoint=10,10
clientrect=2,2,10,10
activeskinrect=52,0,64,12
)"),
                                 std::vector<const TBitmap*>{picture.get()});
  Bar->SetSkinDataName("panel");
  Bar->SetSkinData(&skin.Skin());
  windowtesting::Pump();
  EXPECT_EQ(&skin.Skin(), B1->SkinData()) << "the buttons follow the bar's skin";
  EXPECT_EQ(HotButtonColor, FramePixel(1, 1)) << "the left arrow is still pointed at";
  EXPECT_EQ(ButtonColor, FramePixel(198, 1));
  Bar->SetSkinData(nullptr);
  B1->SetSkinData(nullptr);
}

TEST_F(SkinToolBarTest, CaptionsAndWidthsSwitchTogether) {
  Bar->SetWidthWithCaptions(300);
  Bar->SetWidthWithoutCaptions(120);
  Bar->SetShowCaptions(true);
  EXPECT_EQ(300, Bar->Width());
  EXPECT_TRUE(B1->ShowCaption());
  Bar->SetShowCaptions(false);
  EXPECT_EQ(120, Bar->Width());
  EXPECT_TRUE(B1->ShowCaption()) << "the buttons keep their captions without AutoShowHideCaptions";
  Bar->SetAutoShowHideCaptions(true);
  Bar->SetShowCaptions(true);
  Bar->SetShowCaptions(false);
  EXPECT_FALSE(B1->ShowCaption());
  Bar->SetFlat(true);
  EXPECT_TRUE(B1->Flat());
}

TEST_F(SkinToolBarTest, ImageListsAndTheirRemoval) {
  auto images = std::make_unique<TImageList>(nullptr);
  auto hot = std::make_unique<TImageList>(nullptr);
  Bar->SetImages(images.get());
  Bar->SetHotImages(hot.get());
  Bar->SetDisabledImages(hot.get());
  EXPECT_EQ(images.get(), static_cast<TskToolBarImages*>(Bar)->Images());
  hot.reset();
  EXPECT_EQ(nullptr, Bar->HotImages());
  EXPECT_EQ(nullptr, Bar->DisabledImages());
  EXPECT_EQ(images.get(), Bar->Images());
  images.reset();
  EXPECT_EQ(nullptr, Bar->Images());
}

TEST_F(SkinToolBarTest, RenamingAtDesignTimeRenamesTheButtons) {
  TskSkinToolBar& bar = BarNamed("Fits");
  auto* plain = dynamic_cast<TskSkinSpeedButton*>(Form->FindComponent("F1"));
  auto* menu = new TTrackingButton(Form.get(), false);
  menu->SetParent(&bar);
  auto* track = new TTrackingButton(Form.get(), true);
  track->SetParent(&bar);
  auto* bevel = new TskSkinBevel(Form.get());
  bevel->SetParent(&bar);

  bar.SetSkinDataName("bigtoolpanel");
  EXPECT_EQ("toolbutton", plain->SkinDataName()) << "at run time the children keep their names";

  bar.SetComponentState(TComponentStateItem::csDesigning, true);
  struct Case {
    const char* Bar;
    const char* Plain;
    const char* Menu;
    const char* Track;
  } cases[] = {{"bigtoolpanel", "bigtoolbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"},
               {"panel", "resizebutton", "resizebutton", "resizebutton"},
               {"toolpanel", "toolbutton", "toolmenubutton", "toolmenutrackbutton"}};
  for (const Case& c : cases) {
    bar.SetSkinDataName(c.Bar);
    EXPECT_EQ(c.Plain, plain->SkinDataName()) << c.Bar;
    EXPECT_EQ(c.Menu, menu->SkinDataName()) << c.Bar;
    EXPECT_EQ(c.Track, track->SkinDataName()) << c.Bar;
  }
  EXPECT_EQ("bevel", bevel->SkinDataName());
  bar.SetComponentState(TComponentStateItem::csDesigning, false);
}

}  // namespace
