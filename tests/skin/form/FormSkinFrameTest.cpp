// The default and the skinned frame as the screen shows them: their hit tests, pixels and region.
#include "tests/skin/form/FormSkinTesting.h"

#include "skin/form/FormSkinObjects.h"

using namespace classlib;
using namespace formskintesting;
using skin::TskFormSkin;

namespace {

struct HitCase {
  int X, Y;
  LRESULT Code;
};

LRESULT HitTest(TForm& Form, int X, int Y) {
  return SendMessageW(Form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form.Left() + X, Form.Top() + Y));
}

COLORREF FormPixel(TForm& Form, int X, int Y) { return ScreenPixel(Form.Left() + X, Form.Top() + Y); }

}  // namespace

TEST(FormSkinFrame, DefaultFrameHitTests) {
  auto form = ShowFrameForm(nullptr);
  const HitCase cases[] = {{0, 0, HTTOPLEFT},       {2, 100, HTLEFT},      {3, 100, HTCLIENT},
                           {297, 199, HTBOTTOMRIGHT}, {150, 10, HTCAPTION}, {299, 0, HTTOPRIGHT},
                           {0, 199, HTBOTTOMLEFT},  {150, 1, HTTOP},       {299, 100, HTRIGHT},
                           {150, 198, HTBOTTOM},    {150, 40, HTCLIENT}};
  for (const HitCase& c : cases) EXPECT_EQ(HitTest(*form, c.X, c.Y), c.Code) << c.X << "," << c.Y;
  // The close button (x 280 to 297) belongs to the frame, not to the system.
  EXPECT_EQ(HitTest(*form, 288, 10), 19);
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetSizeable(false);
  fs.ActiveObject = -1;
  EXPECT_EQ(HitTest(*form, 0, 0), 19);
  EXPECT_EQ(HitTest(*form, 150, 10), HTCAPTION);
}

TEST(FormSkinFrame, DefaultFrameDrawsBordersCaptionAndButtons) {
  auto form = ShowFrameForm(nullptr);
  EXPECT_EQ(FormPixel(*form, 0, 100), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(FormPixel(*form, 299, 100), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(FormPixel(*form, 1, 100), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(FormPixel(*form, 2, 100), GetSysColor(COLOR_BTNFACE));
  // The caption bar's first grip line, left of the caption text.
  EXPECT_EQ(FormPixel(*form, 3 + 40, 3 + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(FormPixel(*form, 3 + 40, 3 + 3), GetSysColor(COLOR_BTNSHADOW));
  // The client area keeps the form's face colour.
  EXPECT_EQ(FormPixel(*form, 150, 100), GetSysColor(COLOR_BTNFACE));
}

TEST(FormSkinFrame, SkinnedFrameHitTests) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  FormSkinOf(*form).ActiveObject = -1;
  // 300 x 200 against the 160 x 80 picture: the right edge moves by 140, the bottom by 120.
  const HitCase cases[] = {{100, 10, HTCAPTION},   {150, 100, HTCLIENT},     {1, 100, HTLEFT},
                           {298, 100, HTRIGHT},    {150, 198, HTBOTTOM},     {150, 1, HTTOP},
                           {298, 198, HTBOTTOMRIGHT}, {8, 3, HTTOPLEFT},      {2, 198, HTBOTTOMLEFT},
                           {250, 21, 19},          {290, 12, 19}};
  for (const HitCase& c : cases) {
    FormSkinOf(*form).ActiveObject = -1;
    EXPECT_EQ(HitTest(*form, c.X, c.Y), c.Code) << c.X << "," << c.Y;
  }
}

TEST(FormSkinFrame, SkinnedFrameShowsThePiecesLaidOutForItsSize) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  const RECT insets = [&] {
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    return RECT{origin.x - form->Left(), origin.y - form->Top(), 0, 0};
  }();
  EXPECT_EQ(insets.left, 4);
  EXPECT_EQ(insets.top, 24);
  EXPECT_EQ(FormPixel(*form, 150, 1), FrameColor);
  EXPECT_EQ(FormPixel(*form, 22, 4), CaptionColor);
  EXPECT_EQ(FormPixel(*form, 10, 12), SysMenuColor);
  EXPECT_EQ(FormPixel(*form, 290, 12), CloseColor);
  EXPECT_EQ(FormPixel(*form, 276, 12), MaxColor);
  EXPECT_EQ(FormPixel(*form, 150, 100), ClientColor);
  EXPECT_EQ(FormPixel(*form, 2, 100), FrameColor);
  EXPECT_EQ(FormPixel(*form, 150, 198), FrameColor);
}

TEST(FormSkinFrame, RegionCutsTheCornersSoThePointerFindsTheWindowBelow) {
  TFrameSkin skin;
  auto below = ShowFrameForm(nullptr, 50, 50, 400, 300);
  auto form = ShowFrameForm(&skin.Skin());
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
  for (const POINT& cut : {POINT{1, 1}, POINT{298, 1}, POINT{1, 198}, POINT{298, 198}}) {
    EXPECT_FALSE(PtInRegion(region, cut.x, cut.y)) << cut.x << "," << cut.y;
    EXPECT_EQ(WindowFromPoint(POINT{form->Left() + cut.x, form->Top() + cut.y}), below->Handle());
  }
  EXPECT_TRUE(PtInRegion(region, 6, 6));
  EXPECT_TRUE(PtInRegion(region, 150, 100));
  EXPECT_EQ(WindowFromPoint(POINT{form->Left() + 6, form->Top() + 6}), form->Handle());
  DeleteObject(region);
  // A point-in-mask probe past the pieces lies outside the shape.
  TskFormSkin& fs = FormSkinOf(*form);
  EXPECT_FALSE(fs.PtInMask(Point(-2, 100)));
  EXPECT_FALSE(fs.PtInMask(Point(150, 203)));
  EXPECT_TRUE(fs.PtInMask(Point(1, 100)));
  EXPECT_FALSE(fs.PtInMask(Point(1, 1)));
}

TEST(FormSkinFrame, ClearingTheSkinRemovesTheRegionAndBringsTheDefaultFrameBack) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetSkinData(nullptr);
  windowtesting::PumpFor(50);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR);
  DeleteObject(region);
  EXPECT_FALSE(fs.SkinActive);
  EXPECT_EQ(fs.FrameObjects.size(), 6u);  // the default painter's buttons
  EXPECT_EQ(FormPixel(*form, 0, 100), GetSysColor(COLOR_3DLIGHT));
}

TEST(FormSkinFrame, FreeingTheSkinBringsTheDefaultFrameBack) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  skin.Release().reset();
  windowtesting::PumpFor(50);
  EXPECT_EQ(fs.SkinData(), nullptr);
  EXPECT_FALSE(fs.SkinActive);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR);
  DeleteObject(region);
  // Painting and hit testing no longer reach the freed pictures.
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FormPixel(*form, 0, 100), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(HitTest(*form, 150, 10), HTCAPTION);
}

TEST(FormSkinFrame, ResizeStepsInEachDirectionRepaintTheFrameForTheNewSize) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  struct Step {
    int Width, Height;
  };
  for (const Step& step : {Step{360, 200}, Step{360, 260}, Step{320, 260}, Step{320, 230}}) {
    SCOPED_TRACE(testing::Message() << step.Width << " x " << step.Height);
    form->SetBounds(form->Left(), form->Top(), step.Width, step.Height);
    windowtesting::PumpFor(50);
    const int w = step.Width, h = step.Height;
    EXPECT_EQ(FormPixel(*form, w - 2, h / 2), FrameColor);
    EXPECT_EQ(FormPixel(*form, 2, h / 2), FrameColor);
    EXPECT_EQ(FormPixel(*form, w / 2, h - 2), FrameColor);
    EXPECT_EQ(FormPixel(*form, w - 10, 12), CloseColor);
    EXPECT_EQ(FormPixel(*form, w / 2, h - 20), ClientColor);
    // The region follows: the cut corner at the new bottom right lies outside.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, w - 2, h - 2));
    EXPECT_TRUE(PtInRegion(region, w - CornerCut - 1, h - CornerCut - 1));
    DeleteObject(region);
  }
}
