#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinFrameControls.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char FrameForm[] = R"(object TestForm: TForm
  Width = 600
  Height = 300
  object Switch: TskSkinSwitch
    Left = 10
    Top = 10
  end
  object Animate: TskSkinAnimate
    Left = 60
    Top = 10
  end
  object Gauge: TskSkinFrameGauge
    Left = 110
    Top = 10
  end
  object Regulator: TskSkinFrameRegulator
    Left = 200
    Top = 10
  end
  object Plain: TskSkinFrameGauge
    Left = 10
    Top = 150
    Width = 70
    Height = 20
  end
end)";

// Row 0: ten frames of 30 x 40; row 1: eleven frames of 20 x 40; row 2: eleven frames of 40 x 40.
const char FrameSections[] = R"([switch]
pictureindex=0
skinrect=0,0,300,40
framescount=10
[twoframes]
pictureindex=0
skinrect=0,0,60,40
framescount=2
[oneframe]
pictureindex=0
skinrect=0,0,60,40
framescount=1
[framegauge]
pictureindex=0
skinrect=0,40,220,80
framescount=11
[frameregulator]
pictureindex=0
skinrect=0,80,440,120
framescount=11
kind=rkhorizontal
)";

COLORREF FrameColor(int Row, int Frame) { return RGB(10 + 20 * Frame, 0x40 * Row + 0x20, 0x40); }

class SkinFrameControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(FrameForm);
    auto picture = fixtureskin::Picture(440, 120, 0xFFFFFF);
    const int widths[] = {30, 20, 40};
    for (int row = 0; row < 3; ++row)
      for (int f = 0; f < 11; ++f)
        fixtureskin::Fill(*picture, Rect(f * widths[row], row * 40, (f + 1) * widths[row], row * 40 + 40),
                          FrameColor(row, f + 1));
    Skin = std::make_unique<fixtureskin::TFixtureSkin>(
        fixtureskin::SkinIni(1,
                             {"switch:switch", "twoframes:switch", "oneframe:framegauge", "framegauge:framegauge",
                              "frameregulator:frameregulator"},
                             FrameSections),
        std::vector<const TBitmap*>{picture.get()});
  }
  template <class T>
  T& Get(const char* Name, const char* Description = nullptr) {
    T& c = *dynamic_cast<T*>(Form->FindComponent(Name));
    if (Description) {
      c.SetSkinDataName(Description);
      c.SetSkinData(&Skin->Skin());
      windowtesting::Pump();
    }
    return c;
  }
  void Post(TWinControl& C, UINT Msg, WPARAM Keys, int X, int Y) {
    const TPoint screen = C.ClientToScreen(Point(X, Y));
    SetCursorPos(screen.x, screen.y);
    PostMessageW(C.Handle(), Msg, Keys, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  std::unique_ptr<fixtureskin::TFixtureSkin> Skin;
};

TEST_F(SkinFrameControlsTest, TheControlIsOneFrameLarge) {
  auto& sw = Get<TskSkinSwitch>("Switch", "switch");
  EXPECT_EQ(30, sw.Width());
  EXPECT_EQ(40, sw.Height());
  sw.SetBounds(sw.Left(), sw.Top(), 100, 100);
  EXPECT_EQ(30, sw.Width()) << "whatever size it is given";
  EXPECT_EQ(40, sw.Height());
  EXPECT_EQ(FrameColor(0, 1), WindowPixel(sw.Handle(), 1, 1));

  // A count of one frame is read as two.
  auto& gauge = Get<TskSkinFrameGauge>("Gauge", "oneframe");
  EXPECT_EQ(2, gauge.FramesCount());
  EXPECT_EQ(30, gauge.Width());

  // Without a skin and without a default image: a plain face of any size that ignores frames.
  auto& plain = Get<TskSkinFrameGauge>("Plain");
  EXPECT_EQ(70, plain.Width());
  plain.SetFrame(3);
  EXPECT_EQ(1, plain.ShownFrame());
  EXPECT_EQ(ColorToRGB(clBtnShadow), WindowPixel(plain.Handle(), 0, 0));
  EXPECT_EQ(ColorToRGB(clBtnFace), WindowPixel(plain.Handle(), 5, 5));
}

TEST_F(SkinFrameControlsTest, GaugeShowsItsValueAsAFrame) {
  auto& gauge = Get<TskSkinFrameGauge>("Gauge", "framegauge");
  struct Case {
    int MaxValue, Value, Frame;
  } cases[] = {{100, 50, 6}, {100, 100, 11}, {100, 0, 1}, {100, 37, 4}, {5, 5, 6}, {5, 1, 2}};
  for (const Case& c : cases) {
    gauge.SetMaxValue(c.MaxValue);
    gauge.SetValue(c.Value);
    windowtesting::Pump();
    EXPECT_EQ(c.Frame, gauge.ShownFrame()) << c.MaxValue << " " << c.Value;
    EXPECT_EQ(FrameColor(1, c.Frame), WindowPixel(gauge.Handle(), 1, 1)) << c.MaxValue << " " << c.Value;
  }
  // Outside the range, or the same value: nothing.
  gauge.SetValue(7);
  EXPECT_EQ(1, gauge.Value());
}

TEST_F(SkinFrameControlsTest, RegulatorStepsOnceForEachDragOfItsPixelsPerStep) {
  auto& reg = Get<TskSkinFrameRegulator>("Regulator", "frameregulator");
  EXPECT_EQ(TRegulatorKind::rkHorizontal, reg.Kind());
  EXPECT_EQ(40, reg.Width());
  int changes = 0;
  reg.OnChange = [&](TObject*) { ++changes; };
  Post(reg, WM_LBUTTONDOWN, MK_LBUTTON, 2, 5);
  Post(reg, WM_MOUSEMOVE, MK_LBUTTON, 5, 5);
  EXPECT_EQ(50, reg.Value()) << "3 pixels: less than a step";
  Post(reg, WM_MOUSEMOVE, MK_LBUTTON, 6, 5);
  EXPECT_EQ(60, reg.Value());
  Post(reg, WM_MOUSEMOVE, MK_LBUTTON, 30, 5);
  EXPECT_EQ(70, reg.Value()) << "one step however far the pointer went";
  Post(reg, WM_MOUSEMOVE, MK_LBUTTON, 26, 5);
  EXPECT_EQ(60, reg.Value());
  Post(reg, WM_LBUTTONUP, 0, 26, 5);
  Post(reg, WM_MOUSEMOVE, 0, 2, 5);
  EXPECT_EQ(60, reg.Value()) << "released";
  EXPECT_EQ(3, changes);
  EXPECT_EQ(7, reg.ShownFrame());
  EXPECT_EQ(FrameColor(2, 7), WindowPixel(reg.Handle(), 1, 1));
}

TEST_F(SkinFrameControlsTest, SwitchChangesAtOnceWithTwoFramesAndStepsWithMore) {
  auto& sw = Get<TskSkinSwitch>("Switch", "twoframes");
  int changes = 0;
  sw.OnChange = [&](TObject*) { ++changes; };
  Post(sw, WM_MOUSEMOVE, 0, 5, 5);
  Post(sw, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Post(sw, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(TskSkinSwitchState::swOn, sw.State());
  EXPECT_EQ(2, sw.ShownFrame());
  EXPECT_FALSE(sw.Animating());
  EXPECT_EQ(1, changes);

  sw.SetSkinDataName("switch");
  sw.ChangeSkinData();
  EXPECT_EQ(10, sw.ShownFrame()) << "a switch that is on shows the last frame";
  sw.SetState(TskSkinSwitchState::swOff);
  EXPECT_TRUE(sw.Animating());
  windowtesting::PumpFor(140);
  EXPECT_GT(sw.ShownFrame(), 1);
  EXPECT_LT(sw.ShownFrame(), 10);
  windowtesting::PumpFor(1000);
  EXPECT_EQ(1, sw.ShownFrame());
  EXPECT_FALSE(sw.Animating());
  sw.SetState(TskSkinSwitchState::swOn);
  windowtesting::PumpFor(1000);
  EXPECT_EQ(10, sw.ShownFrame());
  EXPECT_EQ(FrameColor(0, 10), WindowPixel(sw.Handle(), 1, 1));
}

TEST_F(SkinFrameControlsTest, AnimationStopsAtItsLastFrameUnlessItCycles) {
  auto& anim = Get<TskSkinAnimate>("Animate", "switch");
  int starts = 0, stops = 0;
  anim.OnStart = [&](TObject*) { ++starts; };
  anim.OnStop = [&](TObject*) { ++stops; };
  anim.SetActive(true);
  windowtesting::PumpFor(1000);
  EXPECT_EQ(10, anim.ShownFrame());
  EXPECT_FALSE(anim.Running());
  EXPECT_EQ(1, starts);
  EXPECT_EQ(1, stops);

  anim.SetCycleMode(true);
  anim.SetActive(true);
  windowtesting::PumpFor(1000);
  EXPECT_TRUE(anim.Running());
  EXPECT_EQ(1, stops) << "a cycle never stops by itself";
  anim.SetActive(false);
  EXPECT_EQ(2, stops);
}

TEST_F(SkinFrameControlsTest, DefaultImageServesWithoutASkin) {
  auto& gauge = Get<TskSkinFrameGauge>("Plain");
  auto strip = fixtureskin::Picture(300, 40, 0);
  for (int f = 0; f < 10; ++f) fixtureskin::Fill(*strip, Rect(f * 30, 0, f * 30 + 30, 40), FrameColor(0, f + 1));
  gauge.SetDefaultFramesCount(10);
  gauge.SetDefaultImage(*strip);
  EXPECT_EQ(30, gauge.Width());
  EXPECT_EQ(40, gauge.Height());
  gauge.SetValue(100);
  windowtesting::Pump();
  EXPECT_EQ(10, gauge.ShownFrame());
  EXPECT_EQ(FrameColor(0, 10), WindowPixel(gauge.Handle(), 1, 1));

  // The mask's black pixels make the window's region.
  auto mask = fixtureskin::Picture(30, 40, 0xFFFFFF);
  fixtureskin::Fill(*mask, Rect(5, 5, 25, 35), 0);
  gauge.SetDefaultMask(*mask);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(SIMPLEREGION, GetWindowRgn(gauge.Handle(), region));
  RECT box;
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(5, box.left);
  EXPECT_EQ(35, box.bottom);
}

}  // namespace
