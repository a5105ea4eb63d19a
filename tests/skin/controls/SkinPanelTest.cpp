#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

// P: a 150 x 150 panel with an aligned child A and a hidden child B.
const char PanelForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 300
  object P: TskSkinPanel
    Left = 10
    Top = 10
    Caption = 'Hello'
    object A: TPanel
      Align = alClient
    end
    object B: TPanel
      Left = 20
      Top = 40
      Width = 30
      Height = 30
      Visible = False
    end
  end
end)";

class SkinPanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(PanelForm);
    P = dynamic_cast<TskSkinPanel*>(Form->FindComponent("P"));
    A = dynamic_cast<TControl*>(Form->FindComponent("A"));
    B = dynamic_cast<TControl*>(Form->FindComponent("B"));
    ASSERT_TRUE(P && A && B);
  }
  void UseSkin(const char* Name) {
    P->SetSkinDataName(Name);
    P->SetSkinData(&Skin.Skin());
    windowtesting::Pump();
  }
  COLORREF Pixel(int X, int Y) { return WindowPixel(P->Handle(), X, Y); }
  // How many pixels of R show Color, from one painting of the panel.
  int Count(const TRect& R, COLORREF Color) {
    windowtesting::TPaintTarget target(P->Width(), P->Height(), 0xFF00FF);
    target.Paint(P->Handle());
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) n += target.Pixel(x, y) == Color;
    return n;
  }
  void Click(int X, int Y) {
    PostMessageW(P->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageW(P->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  static std::string Text(const TRect& R) {
    return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
           std::to_string(R.bottom);
  }

  TTestSkin Skin;
  std::unique_ptr<TForm> Form;
  TskSkinPanel* P = nullptr;
  TControl* A = nullptr;
  TControl* B = nullptr;
};

const COLORREF Shadow = ColorToRGB(clBtnShadow);
const COLORREF Highlight = ColorToRGB(clBtnHighlight);
const COLORREF Face = ColorToRGB(clBtnFace);

}  // namespace

TEST_F(SkinPanelTest, DefaultLookFramesByBorderStyleAndCaptionStrip) {
  EXPECT_EQ(P->Width(), 150);
  EXPECT_EQ(P->Height(), 150);
  struct Case {
    TskSkinBorderStyle Style;
    COLORREF TopLeft, BottomRight;
  } cases[] = {
      {TskSkinBorderStyle::bvFrame, Shadow, Shadow},
      {TskSkinBorderStyle::bvRaised, Highlight, Shadow},
      {TskSkinBorderStyle::bvLowered, Shadow, Highlight},
      {TskSkinBorderStyle::bvNone, Face, Face},
  };
  for (const Case& c : cases) {
    P->SetBorderStyle(c.Style);
    EXPECT_EQ(Pixel(0, 0), c.TopLeft) << static_cast<int>(c.Style);
    EXPECT_EQ(Pixel(149, 149), c.BottomRight) << static_cast<int>(c.Style);
    EXPECT_EQ(Pixel(75, 75), Face) << static_cast<int>(c.Style);
    // No caption strip and no caption without caption mode.
    EXPECT_EQ(Pixel(75, 21), Face) << static_cast<int>(c.Style);
  }
  EXPECT_EQ(Count(Rect(2, 2, 148, 22), 0), 0);

  // The strip inside a raised border: sunken, then raised.
  P->SetBorderStyle(TskSkinBorderStyle::bvRaised);
  P->SetCaptionMode(true);
  EXPECT_EQ(Pixel(75, 1), Shadow);
  EXPECT_EQ(Pixel(75, 2), Highlight);
  EXPECT_EQ(Pixel(75, 20), Shadow);
  EXPECT_EQ(Pixel(75, 21), Highlight);
  EXPECT_GT(Count(Rect(2, 2, 148, 22), 0), 0);  // the caption, in black
  // Inside a frame: a shadow frame round the strip, with a highlight inside it.
  P->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  EXPECT_EQ(Pixel(75, 21), Shadow);
  EXPECT_EQ(Pixel(75, 1), Highlight);
  EXPECT_EQ(Pixel(75, 22), Face);

  // Checked mode: a 14 x 14 box at x 5 with a tick while checked; the roll-up arrow at the right.
  P->SetCheckedMode(true);
  EXPECT_EQ(Pixel(5, 10), Shadow);
  EXPECT_EQ(Pixel(10, 12), Face);
  P->SetChecked(true);
  EXPECT_EQ(Pixel(10, 12), ColorToRGB(clBtnText));
  P->SetRollUpMode(true);
  EXPECT_GT(Count(Rect(138, 2, 148, 20), ColorToRGB(clBtnText)), 0);
}

TEST_F(SkinPanelTest, SkinnedLookShowsTheCaptionWithoutCaptionMode) {
  UseSkin("panel");
  EXPECT_EQ(Pixel(0, 0), PanelFrameColor);
  EXPECT_EQ(Pixel(140, 10), PanelCaptionColor);
  EXPECT_EQ(Pixel(100, 100), PanelClientColor);
  EXPECT_EQ(Pixel(5, 25), PanelClientCornerColor);
  EXPECT_EQ(Text(P->LaidOutCaptionRect()), Text(Rect(5, 2, 145, 20)));
  const TRect caption = Rect(5, 2, 145, 20);
  EXPECT_GT(Count(caption, 0xFFFFFF), 0);  // "fontcolor" white
  P->SetCaption("");
  EXPECT_EQ(Count(caption, 0xFFFFFF), 0);
  P->SetCaption("Hello");
  EXPECT_GT(Count(caption, 0xFFFFFF), 0);

  // Checked mode takes the check pictures from the skin; roll-up mode the mark.
  P->SetCheckedMode(true);
  EXPECT_EQ(Pixel(10, 8), PanelUncheckColor);
  P->SetChecked(true);
  EXPECT_EQ(Pixel(10, 8), PanelCheckColor);
  EXPECT_EQ(Pixel(10, 16), PanelCaptionColor);  // the pictures' white bottom row is left out
  P->SetRollUpMode(true);
  EXPECT_EQ(Pixel(134, 3), PanelMarkColor);
}

TEST_F(SkinPanelTest, ChildAreaByLookAndBorder) {
  struct Case {
    const char* Skin;  // none: unskinned
    TskSkinBorderStyle Style;
    bool CaptionMode;
    int CaptionHeight;
    bool Designing;
    TRect Want;
  } cases[] = {
      {nullptr, TskSkinBorderStyle::bvFrame, false, 22, false, Rect(1, 1, 149, 149)},
      {nullptr, TskSkinBorderStyle::bvNone, false, 22, false, Rect(0, 0, 150, 150)},
      {nullptr, TskSkinBorderStyle::bvFrame, true, 22, false, Rect(1, 23, 149, 149)},
      {nullptr, TskSkinBorderStyle::bvLowered, true, 30, false, Rect(1, 31, 149, 149)},
      {nullptr, TskSkinBorderStyle::bvNone, true, 22, false, Rect(0, 22, 150, 150)},
      {"panel", TskSkinBorderStyle::bvFrame, false, 22, false, Rect(5, 25, 145, 145)},
      {"panel", TskSkinBorderStyle::bvNone, false, 22, false, Rect(0, 0, 150, 150)},
      {"panel", TskSkinBorderStyle::bvNone, true, 22, false, Rect(5, 25, 145, 145)},
      {"tiledpanel", TskSkinBorderStyle::bvFrame, true, 22, false, Rect(0, 0, 150, 150)},
      {"farbgpanel", TskSkinBorderStyle::bvFrame, false, 22, false, Rect(5, 25, 145, 145)},
      {"noclientpanel", TskSkinBorderStyle::bvNone, false, 22, false, Rect(0, 0, 150, 150)},
      // While designing, children are placed as without a skin.
      {"panel", TskSkinBorderStyle::bvFrame, true, 22, true, Rect(1, 23, 149, 149)},
  };
  for (const Case& c : cases) {
    P->SetComponentState(TComponentStateItem::csDesigning, c.Designing);
    P->SetSkinDataName(c.Skin ? c.Skin : "nosuchpanel");
    P->SetSkinData(c.Skin ? &Skin.Skin() : nullptr);
    P->ChangeSkinData();
    P->SetDefaultCaptionHeight(c.CaptionHeight);
    P->SetBorderStyle(c.Style);
    P->SetCaptionMode(c.CaptionMode);
    const TRect area = P->GetSkinClientRect();
    const TRect child = A->BoundsRect();
    const std::string what = std::string(c.Skin ? c.Skin : "unskinned") + " style " +
                             std::to_string(static_cast<int>(c.Style)) + " caption " + std::to_string(c.CaptionMode);
    EXPECT_EQ(Text(area), Text(c.Want)) << what;
    EXPECT_EQ(Text(child), Text(c.Want)) << what;
  }
}

TEST_F(SkinPanelTest, RollUpUnskinnedKeepsRealHeightAndShowsChildrenAgain) {
  int changes = 0;
  P->OnChangeRollUpState = [&](TObject*) { ++changes; };
  P->SetRollUpState(true);  // roll-up mode off
  EXPECT_FALSE(P->RollUpState());
  EXPECT_EQ(P->Height(), 150);
  EXPECT_EQ(changes, 0);

  P->SetRollUpMode(true);
  P->SetRollUpState(true);
  EXPECT_EQ(P->Height(), 23);
  EXPECT_EQ(P->RealHeight(), 150);
  EXPECT_FALSE(A->Visible());
  EXPECT_EQ(changes, 1);
  P->DoRollUp(true);  // a second roll-up keeps the first height
  EXPECT_EQ(P->RealHeight(), 150);
  EXPECT_EQ(P->Height(), 23);

  P->SetRollUpState(false);
  EXPECT_EQ(P->Height(), 150);
  EXPECT_EQ(P->RealHeight(), -1);
  EXPECT_TRUE(A->Visible());
  EXPECT_TRUE(B->Visible());  // hidden before the roll-up, shown all the same
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Text(A->BoundsRect()), Text(Rect(1, 1, 149, 149)));

  // A click on the caption strip rolls the panel in caption mode.
  P->SetCaptionMode(true);
  Click(30, 10);
  EXPECT_TRUE(P->RollUpState());
  EXPECT_EQ(P->Height(), 23);
}

TEST_F(SkinPanelTest, RollUpSkinnedFollowsTheSkinAndAlignsAgainAfterwards) {
  UseSkin("panel");
  P->SetRollUpMode(true);
  P->SetRollUpState(true);
  EXPECT_EQ(P->Height(), 30);  // the frame without its 120-pixel client area
  EXPECT_EQ(P->RealHeight(), 150);
  // A skin change while rolled up rolls up again and keeps the real height.
  P->ChangeSkinData();
  EXPECT_EQ(P->Height(), 30);
  EXPECT_EQ(P->RealHeight(), 150);
  P->SetRollUpState(false);
  EXPECT_EQ(P->Height(), 150);
  EXPECT_TRUE(A->Visible());
  // Aligning is back on after two roll-ups and one unroll.
  P->SetBounds(10, 10, 200, 200);
  EXPECT_EQ(Text(A->BoundsRect()), Text(Rect(5, 25, 195, 195)));
}

TEST_F(SkinPanelTest, CheckedModeEnablesChildrenAndReportsEveryAssignment) {
  int checks = 0;
  P->OnChecked = [&](TObject*) { ++checks; };
  P->SetChecked(true);  // outside checked mode: reported, children untouched
  EXPECT_EQ(checks, 1);
  P->SetChecked(false);
  EXPECT_TRUE(A->Enabled());

  P->SetCheckedMode(true);
  P->SetChecked(false);
  EXPECT_FALSE(A->Enabled());
  EXPECT_FALSE(B->Enabled());
  P->SetChecked(true);
  EXPECT_TRUE(A->Enabled());
  EXPECT_TRUE(B->Enabled());
  P->SetChecked(true);  // the same value is reported too
  EXPECT_EQ(checks, 5);

  P->SetAutoEnabledControls(false);
  P->SetChecked(false);
  EXPECT_TRUE(A->Enabled());
}

TEST_F(SkinPanelTest, ClickOnTheCaptionUpToItsBottomEdgeToggles) {
  P->SetCheckedMode(true);
  Click(30, 10);  // caption mode off: no toggling
  EXPECT_FALSE(P->Checked());
  P->SetCaptionMode(true);
  Click(30, 22);  // the strip's bottom edge, y = DefaultCaptionHeight
  EXPECT_TRUE(P->Checked());
  Click(30, 23);
  EXPECT_TRUE(P->Checked());
  Click(1, 1);
  EXPECT_FALSE(P->Checked());

  // Skinned: the laid-out caption rectangle, both edges included.
  UseSkin("panel");
  Click(145, 20);
  EXPECT_TRUE(P->Checked());
  Click(146, 20);
  EXPECT_TRUE(P->Checked());
}

TEST_F(SkinPanelTest, BackgroundPictureTilesAndAnIndexPastTheListDrawsTheOrdinaryLook) {
  UseSkin("tiledpanel");
  P->SetCaptionMode(true);
  for (const auto& [x, y] : {std::pair{0, 0}, {7, 5}, {140, 145}, {147, 145}})
    EXPECT_EQ(Pixel(x, y), TileCornerColor) << x << "," << y;
  EXPECT_EQ(Pixel(8, 6), TileColor);
  EXPECT_EQ(Pixel(149, 149), TileColor);

  UseSkin("farbgpanel");
  EXPECT_EQ(Pixel(0, 0), PanelFrameColor);
  EXPECT_EQ(Pixel(100, 100), PanelClientColor);

  // A picture without pixels at the index: the ordinary look as well.
  Skin.Skin().ActivePictures[3] = std::make_unique<TBitmap>();
  UseSkin("tiledpanel");
  EXPECT_EQ(Pixel(0, 0), PanelFrameColor);
  EXPECT_EQ(Text(P->GetSkinClientRect()), Text(Rect(5, 25, 145, 145)));
}

TEST_F(SkinPanelTest, BorderlessPanelIsTheTiledClientPiece) {
  P->SetBorderStyle(TskSkinBorderStyle::bvNone);
  UseSkin("panel");
  for (const auto& [x, y] : {std::pair{0, 0}, {50, 0}, {0, 30}, {100, 120}})
    EXPECT_EQ(Pixel(x, y), PanelClientCornerColor) << x << "," << y;
  EXPECT_EQ(Pixel(1, 1), PanelClientColor);
  EXPECT_EQ(Pixel(149, 149), PanelClientColor);
  EXPECT_EQ(Text(A->BoundsRect()), Text(Rect(0, 0, 150, 150)));

  // A client piece of no width leaves nothing to tile: the skin's frame is drawn instead.
  UseSkin("noclientpanel");
  EXPECT_EQ(Pixel(2, 30), PanelFrameColor);
  EXPECT_EQ(Text(A->BoundsRect()), Text(Rect(0, 0, 150, 150)));
}

TEST(SkinPanelKinds, GroupBoxStatusBarPaintPanelAndStoredProperties) {
  TTestSkin skin;
  auto form = ShowForm(R"(object TestForm: TForm
  Width = 400
  Height = 300
  object Group: TskSkinGroupBox
    Left = 10
    Top = 10
  end
  object Painted: TskSkinPaintPanel
    Left = 200
    Top = 10
    Width = 100
    Height = 100
  end
  object Bar: TskSkinStatusBar
    object Button: TskSkinButton
      Left = 2
      Top = 1
    end
  end
  object Stored: TskSkinPanel
    Left = 10
    Top = 170
    Width = 120
    Height = 80
    AutoEnabledControls = False
    CheckedMode = True
    Checked = True
    NumGlyphs = 2
    Spacing = 4
    DefaultAlignment = taRightJustify
    DefaultCaptionHeight = 30
    BorderStyle = bvLowered
    CaptionMode = True
    RollUpMode = True
    RollUpState = True
  end
end)");
  auto* group = dynamic_cast<TskSkinGroupBox*>(form->FindComponent("Group"));
  auto* painted = dynamic_cast<TskSkinPaintPanel*>(form->FindComponent("Painted"));
  auto* bar = dynamic_cast<TskSkinStatusBar*>(form->FindComponent("Bar"));
  auto* button = dynamic_cast<TskSkinButton*>(form->FindComponent("Button"));
  auto* stored = dynamic_cast<TskSkinPanel*>(form->FindComponent("Stored"));
  ASSERT_TRUE(group && painted && bar && button && stored);

  // A panel as the constructor leaves it, and one read with every property of its own set.
  EXPECT_EQ(painted->SkinDataName(), "panel");
  EXPECT_EQ(painted->RealHeight(), -1);
  EXPECT_TRUE(painted->AutoEnabledControls());
  EXPECT_FALSE(painted->CheckedMode() || painted->Checked() || painted->CaptionMode() || painted->RollUpMode() ||
               painted->RollUpState());
  EXPECT_TRUE(painted->Glyph().Empty());
  EXPECT_EQ(painted->NumGlyphs(), 1);
  EXPECT_EQ(painted->Spacing(), 2);
  EXPECT_EQ(painted->DefaultAlignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(painted->DefaultCaptionHeight(), 22);
  EXPECT_EQ(painted->BorderStyle(), TskSkinBorderStyle::bvFrame);
  EXPECT_FALSE(stored->AutoEnabledControls());
  EXPECT_TRUE(stored->CheckedMode() && stored->Checked() && stored->CaptionMode() && stored->RollUpMode());
  EXPECT_EQ(stored->NumGlyphs(), 2);
  EXPECT_EQ(stored->Spacing(), 4);
  EXPECT_EQ(stored->DefaultAlignment(), TAlignment::taRightJustify);
  EXPECT_EQ(stored->BorderStyle(), TskSkinBorderStyle::bvLowered);
  EXPECT_TRUE(stored->RollUpState());
  EXPECT_EQ(stored->Height(), 31);
  EXPECT_EQ(stored->RealHeight(), 80);

  EXPECT_EQ(group->SkinDataName(), "groupbox");
  EXPECT_TRUE(group->CaptionMode());
  EXPECT_EQ(group->GetSkinClientRect().top, 23);

  EXPECT_EQ(bar->SkinDataName(), "statusbar");
  EXPECT_EQ(bar->Align(), TAlign::alBottom);
  EXPECT_EQ(bar->Height(), 21);
  EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
  EXPECT_EQ(bar->BorderStyle(), TskSkinBorderStyle::bvNone);
  bar->SetSkinData(&skin.Skin());
  EXPECT_EQ(button->SkinData(), &skin.Skin());

  // The owner paints the child area over the panel's face, on screen and when asked to erase.
  TRect given{};
  painted->OnPanelPaint = [&](TCanvas& Cnvs, const TRect& R) {
    given = R;
    Cnvs.Brush()->SetColor(clRed);
    Cnvs.FillRect(R);
  };
  EXPECT_EQ(WindowPixel(painted->Handle(), 50, 50), 0x0000FFu);
  EXPECT_EQ(WindowPixel(painted->Handle(), 0, 0), Shadow);
  EXPECT_TRUE(given.left == 1 && given.top == 1 && given.right == 99 && given.bottom == 99);
  windowtesting::TPaintTarget erased(100, 100, 0xFFFFFF);
  SendMessageW(painted->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.DC()), 0);
  EXPECT_EQ(erased.Pixel(50, 50), 0x0000FFu);
}

TEST(SkinPanelKinds, LooksForAPerson) {
  TTestSkin skin;
  auto form = ShowForm(R"(object TestForm: TForm
  Width = 1100
  Height = 200
  object Raised: TskSkinPanel
    Left = 0
    Width = 160
    Height = 90
    Caption = 'Default'
    BorderStyle = bvRaised
    CaptionMode = True
    CheckedMode = True
    Checked = True
    RollUpMode = True
  end
  object Framed: TskSkinPanel
    Left = 170
    Width = 160
    Height = 90
    Caption = 'Centred'
    CaptionMode = True
    DefaultAlignment = taCenter
  end
  object Skinned: TskSkinPanel
    Left = 340
    Width = 160
    Height = 90
    Caption = 'Skinned'
    CaptionMode = True
    CheckedMode = True
    Checked = True
    RollUpMode = True
  end
  object FrameCaption: TskSkinPanel
    Left = 510
    Width = 160
    Height = 90
    Caption = 'Framed'
    SkinDataName = 'framepanel'
  end
  object Tiled: TskSkinPanel
    Left = 680
    Width = 160
    Height = 90
    SkinDataName = 'tiledpanel'
  end
  object Piece: TskSkinPanel
    Left = 850
    Width = 160
    Height = 90
    BorderStyle = bvNone
  end
end)");
  std::vector<HWND> windows;
  for (const char* name : {"Raised", "Framed", "Skinned", "FrameCaption", "Tiled", "Piece"}) {
    auto* panel = dynamic_cast<TskSkinPanel*>(form->FindComponent(name));
    ASSERT_TRUE(panel) << name;
    if (panel->Left() >= 340) panel->SetSkinData(&skin.Skin());
    windows.push_back(panel->Handle());
  }
  windowtesting::Pump();
  auto* framed = dynamic_cast<TskSkinPanel*>(form->FindComponent("FrameCaption"));
  // The centred caption sits in its frame picture, whose middle is tiled to the text's width.
  EXPECT_EQ(WindowPixel(framed->Handle(), 80, 3), PanelCaptionFrameColor);
  EXPECT_EQ(WindowPixel(framed->Handle(), 8, 10), PanelCaptionColor);
  WriteLooks("skinpanel_looks", windows, 160, 90);
}
