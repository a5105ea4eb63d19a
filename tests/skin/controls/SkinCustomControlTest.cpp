#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinButton.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

TskSkinGeometry Geometry(TPoint LT, TPoint RT, TPoint LB, TPoint RB) {
  TskSkinGeometry g;
  g.SkinRect = Rect(0, 0, 40, 20);
  g.SkinClientRect = Rect(4, 4, 36, 16);
  g.SkinLeftTopPoint = LT;
  g.SkinRightTopPoint = RT;
  g.SkinLeftBottomPoint = LB;
  g.SkinRightBottomPoint = RB;
  g.SkinResizeMode = g.GetResizeMode();
  return g;
}

}  // namespace

TEST(SkinGeometry, ResizeModesAndSizes) {
  struct Case {
    TPoint LT, RT, LB, RB;
    int Mode;
    int W, H;  // asked for 60 x 30
  } cases[] = {
      {{4, 4}, {36, 4}, {4, 16}, {36, 16}, 1, 60, 30},
      {{4, 0}, {36, 0}, {0, 0}, {0, 0}, 2, 60, 20},
      // "rightbottompoint" (0, 5) grows nothing; "leftbottompoint" (3, 0) makes it tall only.
      {{0, 0}, {0, 0}, {3, 0}, {0, 5}, 3, 40, 30},
      {{0, 0}, {0, 0}, {0, 0}, {0, 0}, 0, 40, 20},
  };
  for (const Case& c : cases) {
    TskSkinGeometry g = Geometry(c.LT, c.RT, c.LB, c.RB);
    EXPECT_EQ(g.SkinResizeMode, c.Mode);
    int w = 60, h = 30;
    g.CalcGeometry(w, h);
    EXPECT_EQ(w, c.W) << "mode " << c.Mode;
    EXPECT_EQ(h, c.H) << "mode " << c.Mode;
  }
  TskSkinGeometry empty;
  EXPECT_EQ(empty.GetResizeMode(), -1);
}

TEST(SkinGeometry, ModeOneMovesTheRightAnchorsAndTheClientEdge) {
  TskSkinGeometry g = Geometry({4, 4}, {36, 4}, {4, 16}, {36, 16});
  int w = 50, h = 20;
  g.CalcGeometry(w, h);
  EXPECT_EQ(g.RealClientRect.right, 46);
  EXPECT_EQ(g.RealClientRect.left, 4);
  EXPECT_EQ(g.RealRightTopPoint.x, 46);
  EXPECT_EQ(g.RealRightBottomPoint.x, 46);
  EXPECT_EQ(g.RealLeftTopPoint.x, 4);
  EXPECT_EQ(g.RealLeftBottomPoint.x, 4);
}

TEST(SkinGeometry, NewRectOverTheCornerAreas) {
  const TskSkinGeometry g = Geometry({10, 6}, {30, 6}, {10, 14}, {30, 14});
  struct Case {
    TRect In, Out;
  } cases[] = {
      {Rect(1, 1, 5, 5), Rect(1, 1, 5, 5)},          // top-left: unchanged
      {Rect(32, 1, 38, 5), Rect(52, 1, 58, 5)},      // top-right: moved across
      {Rect(1, 15, 5, 19), Rect(1, 25, 5, 29)},      // bottom-left: moved down
      {Rect(32, 15, 38, 19), Rect(52, 25, 58, 29)},  // bottom-right: moved both ways
      {Rect(2, 2, 35, 18), Rect(2, 2, 55, 28)},      // top-left to bottom-right: grows both ways
      {Rect(2, 2, 35, 4), Rect(2, 2, 55, 4)},        // along the top: grows in width
      {Rect(2, 2, 4, 18), Rect(2, 2, 4, 28)},        // down the left: grows in height
      {Rect(12, 8, 20, 12), Rect(12, 8, 20, 12)},    // the middle: unchanged
  };
  for (const Case& c : cases) {
    const TRect r = g.GetNewRect(c.In, 60, 30);
    EXPECT_TRUE(EqualRect(&r, &c.Out)) << c.In.left << "," << c.In.top << " -> " << r.left << "," << r.top << ","
                                       << r.right << "," << r.bottom;
  }
  const TskSkinGeometry wide = Geometry({10, 0}, {30, 0}, {0, 0}, {0, 0});
  TRect r = wide.GetNewRect(Rect(5, 2, 35, 8), 60, 20);
  EXPECT_EQ(r.right, 55);
  r = wide.GetNewRect(Rect(32, 2, 38, 8), 60, 20);
  EXPECT_EQ(r.left, 52);
}

TEST(SkinCustomControl, SetBoundsFollowsTheResizeMode) {
  TTestSkin skin;
  auto form = ShowForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object Free: TskSkinButton
    Left = 10
    Top = 10
  end
  object Fixed: TskSkinButton
    Left = 10
    Top = 50
    SkinDataName = 'maskbutton'
  end
end)");
  auto* free = dynamic_cast<TskSkinButton*>(form->FindComponent("Free"));
  auto* fixed = dynamic_cast<TskSkinButton*>(form->FindComponent("Fixed"));
  ASSERT_TRUE(free && fixed);
  free->SetSkinData(&skin.Skin());
  fixed->SetSkinData(&skin.Skin());
  free->SetBounds(10, 10, 100, 30);
  EXPECT_EQ(free->Width(), 100);
  EXPECT_EQ(free->Height(), 30);
  EXPECT_EQ(free->RealClientRect.right, 96);
  fixed->SetBounds(10, 50, 90, 44);
  EXPECT_EQ(fixed->Width(), 40);
  EXPECT_EQ(fixed->Height(), 20);

  // A skinned control keeps its size when DefaultWidth changes; without the skin it takes it.
  free->SetDefaultWidth(120);
  EXPECT_EQ(free->Width(), 100);
  free->SetSkinDataName("nosuchbutton");
  free->ChangeSkinData();
  EXPECT_EQ(free->Width(), 120);
}

TEST(SkinCustomControl, MaskShapesTheWindowAndLetsClicksThrough) {
  TTestSkin skin;
  auto form = ShowForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object Masked: TskSkinButton
    Left = 10
    Top = 10
    SkinDataName = 'maskbutton'
  end
end)");
  auto* button = dynamic_cast<TskSkinButton*>(form->FindComponent("Masked"));
  ASSERT_TRUE(button);
  button->SetSkinData(&skin.Skin());
  windowtesting::Pump();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(button->Handle(), region), SIMPLEREGION);  // the mask's black rectangle
  EXPECT_FALSE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 20, 10));
  DeleteObject(region);
  POINT corner{1, 1};
  ClientToScreen(button->Handle(), &corner);
  EXPECT_EQ(WindowFromPoint(corner), form->Handle());
  POINT middle{20, 10};
  ClientToScreen(button->Handle(), &middle);
  EXPECT_EQ(WindowFromPoint(middle), button->Handle());

  // Without the skin the region goes.
  button->SetSkinData(nullptr);
  button->ChangeSkinData();
  region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(button->Handle(), region), ERROR);
  DeleteObject(region);
}
