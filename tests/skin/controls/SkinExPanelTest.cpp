#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinExPanel.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char PanelForm[] = R"(object TestForm: TForm
  Width = 600
  Height = 400
  object Panel: TskSkinExPanel
    Left = 10
    Top = 10
    Width = 200
    Height = 150
    Caption = 'Tools'
    object Inner: TPanel
      Align = alClient
    end
  end
  object Stored: TskSkinExPanel
    Left = 300
    Top = 10
    Width = 200
    RealHeight = 180
    RollState = True
  end
end)";

// The panel picture (100 x 60, a caption strip of 2..98 x 2..20), the strip of a vertical roll
// (100 x 20) and the buttons' pictures beside them.
const char ExPanelSections[] = R"([expanel]
pictureindex=0
skinrect=0,0,100,60
lefttoppoint=5,22
righttoppoint=95,22
leftbottompoint=5,55
rightbottompoint=95,55
clientrect=5,22,95,55
captionrect=2,2,98,20
closebuttonrect=100,0,112,12
closebuttonactiverect=112,0,124,12
closebuttondownrect=124,0,136,12
vrollbuttonrect=100,12,112,24
vrestorebuttonrect=112,12,124,24
rollvskinrect=0,60,100,80
rollvcaptionrect=2,2,98,18
rollleftoffset=2
rollrightoffset=2
fontcolor=16777215
)";

constexpr COLORREF CloseColor = 0x0000C0, CloseHotColor = 0x00C000, RollColor = 0xC00000, RestoreColor = 0xC0C000;

bool SameRect(const TRect& A, const TRect& B) { return EqualRect(&A, &B) != 0; }

class SkinExPanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    // The pointer away from the form, so that no button starts out hot.
    SetCursorPos(1000, 900);
    Form = ShowForm(PanelForm);
    Panel = dynamic_cast<TskSkinExPanel*>(Form->FindComponent("Panel"));
  }
  void Post(UINT Msg, WPARAM Keys, const TPoint& P) {
    const TPoint screen = Panel->ClientToScreen(P);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(Panel->Handle(), Msg, Keys, MAKELPARAM(P.x, P.y));
    windowtesting::Pump();
  }
  static TPoint Centre(const TRect& R) { return Point((R.left + R.right) / 2, (R.top + R.bottom) / 2); }
  void Paint() { WindowPixel(Panel->Handle(), 0, 0); }

  std::unique_ptr<TForm> Form;
  TskSkinExPanel* Panel = nullptr;
};

TEST_F(SkinExPanelTest, UnskinnedButtonsAndRolling) {
  Paint();
  EXPECT_PRED2(SameRect, Rect(200 - 17, 3, 198, 18), Panel->Button(0).Area);
  EXPECT_PRED2(SameRect, Rect(200 - 32, 3, 200 - 17, 18), Panel->Button(1).Area);
  // The children below the caption bar, inside the frame.
  EXPECT_PRED2(SameRect, Rect(1, 21, 199, 149), Panel->Controls(0)->BoundsRect());

  int changes = 0;
  Panel->OnChangeRollState = [&](TObject*) { ++changes; };
  Panel->SetRollState(true);
  EXPECT_EQ(21, Panel->Height());
  EXPECT_EQ(150, Panel->RealHeight());
  EXPECT_FALSE(Panel->Controls(0)->Visible());
  // While rolled the rolled side keeps its size; the other may change.
  Panel->SetBounds(Panel->Left(), Panel->Top(), 250, 300);
  EXPECT_EQ(21, Panel->Height());
  EXPECT_EQ(250, Panel->Width());
  Panel->SetRollState(false);
  EXPECT_EQ(150, Panel->Height()) << "the size kept at roll-up time";
  EXPECT_EQ(0, Panel->RealHeight());
  EXPECT_TRUE(Panel->Controls(0)->Visible());
  EXPECT_EQ(2, changes);

  Panel->SetRollKind(TskExPanelRollKind::rkRollHorizontal);
  Panel->SetRollState(true);
  EXPECT_EQ(21, Panel->Width());
  EXPECT_EQ(250, Panel->RealWidth());

  // A panel stored rolled reads its kept size first.
  auto* stored = dynamic_cast<TskSkinExPanel*>(Form->FindComponent("Stored"));
  EXPECT_EQ(21, stored->Height());
  stored->SetRollState(false);
  EXPECT_EQ(180, stored->Height());
}

TEST_F(SkinExPanelTest, TheRollButtonActsOnlyWhenReleasedOverIt) {
  Paint();
  const TPoint roll = Centre(Panel->Button(1).Area);
  Post(WM_MOUSEMOVE, 0, roll);
  EXPECT_TRUE(Panel->Button(1).Hovered);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, roll);
  EXPECT_TRUE(Panel->Button(1).Pressed);
  Post(WM_MOUSEMOVE, MK_LBUTTON, Point(20, 60));
  EXPECT_FALSE(Panel->Button(1).Hovered);
  Post(WM_LBUTTONUP, 0, Point(20, 60));
  EXPECT_FALSE(Panel->RollState()) << "released off the button";
  EXPECT_FALSE(Panel->Button(1).Pressed);

  Post(WM_MOUSEMOVE, 0, roll);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, roll);
  Post(WM_MOUSEMOVE, MK_LBUTTON, Point(20, 60));
  Post(WM_MOUSEMOVE, MK_LBUTTON, roll);
  Post(WM_LBUTTONUP, 0, roll);
  EXPECT_TRUE(Panel->RollState()) << "moved back before the release";
  EXPECT_EQ(21, Panel->Height());

  int closes = 0;
  Panel->OnClose = [&](TObject*) { ++closes; };
  Paint();
  const TPoint close = Centre(Panel->Button(0).Area);
  Post(WM_MOUSEMOVE, 0, close);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, close);
  Post(WM_LBUTTONUP, 0, close);
  EXPECT_FALSE(Panel->Visible());
  EXPECT_EQ(1, closes);
}

TEST_F(SkinExPanelTest, VerticalStripWritesItsCaptionUpwardAboveTheGlyph) {
  Panel->SetCaption("WWWW");
  auto glyph = fixtureskin::Picture(10, 11, 0xFFFFFF);
  fixtureskin::Fill(*glyph, Rect(0, 0, 10, 10), 0x00C0C0);
  Panel->SetGlyph(*glyph);
  Panel->SetRollKind(TskExPanelRollKind::rkRollHorizontal);
  Panel->SetRollState(true);
  windowtesting::Pump();
  const TRect area = Rect(0, 0, Panel->Width(), Panel->Height());
  const auto glyphScan = fixtureskin::ScanColour(Panel->Handle(), area, 0x00C0C0);
  const auto text = fixtureskin::ScanColour(Panel->Handle(), area, ColorToRGB(Panel->DefaultFont().Color()));
  ASSERT_GT(glyphScan.Count, 0);
  ASSERT_GT(text.Count, 0);
  EXPECT_EQ(Panel->Height() - 2, glyphScan.Box.bottom + 1) << "the glyph at the strip's bottom";
  EXPECT_LE(text.Box.bottom, glyphScan.Box.top) << "the caption above it";
  // Turned text is taller than it is wide.
  EXPECT_GT(text.Box.bottom - text.Box.top, text.Box.right - text.Box.left);
}

TEST_F(SkinExPanelTest, SkinnedButtonsAndCaptionArea) {
  auto picture = fixtureskin::Picture(140, 80, 0x404040);
  fixtureskin::Fill(*picture, Rect(100, 0, 112, 12), CloseColor);
  fixtureskin::Fill(*picture, Rect(112, 0, 124, 12), CloseHotColor);
  fixtureskin::Fill(*picture, Rect(100, 12, 112, 24), RollColor);
  fixtureskin::Fill(*picture, Rect(112, 12, 124, 24), RestoreColor);
  fixtureskin::TFixtureSkin skin(fixtureskin::SkinIni(1, {"expanel:expanel"}, ExPanelSections),
                                 std::vector<const TBitmap*>{picture.get()});
  Panel->SetSkinData(&skin.Skin());
  Paint();
  // The caption strip's right end (98 + 100) holds the close button, the roll button 2 before it.
  EXPECT_PRED2(SameRect, Rect(198 - 12, 2, 198, 14), Panel->Button(0).Area);
  EXPECT_PRED2(SameRect, Rect(198 - 12 - 2 - 12, 2, 198 - 12 - 2, 14), Panel->Button(1).Area);
  EXPECT_EQ(CloseColor, WindowPixel(Panel->Handle(), 190, 5));
  EXPECT_EQ(RollColor, WindowPixel(Panel->Handle(), 176, 5));
  EXPECT_EQ(Panel->Button(1).Area.left, Panel->CaptionArea().right);
  // With only the roll button the caption ends at its left edge, without a gap.
  Panel->SetShowCloseButton(false);
  Paint();
  EXPECT_PRED2(SameRect, Rect(198 - 12, 2, 198, 14), Panel->Button(1).Area);
  EXPECT_EQ(198 - 12, Panel->CaptionArea().right);
  // Rolled: the strip's height, and the restore picture.
  Panel->SetRollState(true);
  EXPECT_EQ(20, Panel->Height());
  EXPECT_EQ(RestoreColor, WindowPixel(Panel->Handle(), 190, 5));
  Panel->SetSkinData(nullptr);
}

}  // namespace
