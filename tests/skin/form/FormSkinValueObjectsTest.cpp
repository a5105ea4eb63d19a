// The value and animation objects of the frame, and the application's way to them by name, on a skin
// of flat colours: one pixel tells which part of which picture an object drew.
#include "tests/skin/form/FormSkinObjectsTesting.h"

#include "skin/form/FormSkinValueObjects.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace formskinobjectstesting;

namespace {

constexpr COLORREF EmptyColor = 0x303030;
constexpr COLORREF FilledColor = 0x00A000;
constexpr COLORREF ThumbColor = 0xA00000;
constexpr COLORREF ThumbHotColor = 0xA000A0;
constexpr COLORREF OnColor = 0x00A0A0;
constexpr COLORREF BackColor = 0x505000;
constexpr COLORREF SheetColor = 0xF0F0F0;

// Frame n (from 1) of the 11-frame strip, symbol k (from 0) of the bit label's table, frame n of
// the animation.
COLORREF StripColor(int N) { return RGB(N * 20, 0, 100); }
COLORREF SymbolColor(int K) { return RGB(0, 40 * K + 20, 200); }
COLORREF AnimColor(int N) { return RGB(200, N * 40, 0); }

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Value objects

[PICTURES]
picture=frame.bmp
activepicturescount=1
0=sheet.bmp

[FORMINFO]
lefttoppoint=20,20
righttoppoint=180,20
leftbottompoint=20,130
rightbottompoint=180,130
clientrect=4,20,196,136

[SKINAREAS]
count=0

[SKINOBJECTS]
count=20
0=dup:gauge
1=track:trackbar
2=vtrack:trackbar
3=gauge:gauge
4=flat:trackbar
5=flatgauge:gauge
6=fgauge:framegauge
7=reg:frameregulator
8=switch:switch
9=label:label
10=bits:bitlabel
11=anim:animate
12=cycle:animate
13=dup:trackbar
14=lost:framegauge
15=losttrack:trackbar
16=animmax:animate
17=user:userobject
18=btn:button
19=cap:caption

[dup]
skinrect=150,140,160,150

[track]
activepictureindex=0
skinrect=10,30,130,40
activeskinrect=0,0,120,10
buttonrect=120,0,130,10
activebuttonrect=130,0,140,10
beginpoint=10,5
endpoint=110,5
minvalue=0
maxvalue=100
mousedownchangevalue=1

[vtrack]
activepictureindex=0
skinrect=150,20,160,130
activeskinrect=140,0,150,110
buttonrect=120,0,130,10
beginpoint=5,105
endpoint=5,5
minvalue=0
maxvalue=100

[gauge]
activepictureindex=0
skinrect=10,50,110,60
activeskinrect=0,10,100,20
minvalue=0
maxvalue=100
kind=gkhorizontal

[flat]
activepictureindex=0
skinrect=10,30,130,40
activeskinrect=0,0,120,10
buttonrect=120,0,130,10
beginpoint=10,5
endpoint=110,5
minvalue=5
maxvalue=5

[flatgauge]
activepictureindex=0
skinrect=10,50,110,60
activeskinrect=0,10,100,20
minvalue=5
maxvalue=5

[fgauge]
activepictureindex=0
skinrect=10,70,20,80
activeskinrect=0,20,110,30
countframes=11
minvalue=0
maxvalue=100

[reg]
activepictureindex=0
skinrect=30,70,40,80
activeskinrect=0,20,110,30
countframes=11
minvalue=0
maxvalue=100
kind=rkround

[switch]
activepictureindex=0
skinrect=50,70,60,80
activeskinrect=100,10,110,20

[label]
skinrect=10,90,110,105
fontName=Arial
fontheight=14
fontcolor=0
activefontcolor=255
alignment=taleftjustify
textvalue=Hi

[bits]
activepictureindex=0
skinrect=120,90,170,100
activeskinrect=0,30,30,50
symbolwidth=10
symbolheight=10
symbolslinecount=2
symbolsline0=012
symbolsline1=345

[anim]
activepictureindex=0
skinrect=60,90,70,100
activeskinrect=0,50,40,60
countframes=4
buttonstyle=1
command=cmdefault
timerinterval=50

[cycle]
activepictureindex=0
skinrect=80,90,90,100
activeskinrect=0,50,40,60
countframes=4
cycle=1
timerinterval=25

[lost]
activepictureindex=5
skinrect=100,70,110,80
activeskinrect=0,20,110,30
countframes=11
minvalue=0
maxvalue=100

[losttrack]
activepictureindex=5
skinrect=10,30,130,40
activeskinrect=0,0,120,10
buttonrect=120,0,130,10
beginpoint=10,5
endpoint=110,5
minvalue=0
maxvalue=100

[animmax]
activepictureindex=0
skinrect=100,90,110,100
activeskinrect=0,50,40,60
countframes=4
buttonstyle=1
command=cmmaximize

[user]
skinrect=120,110,140,120

[btn]
activepictureindex=0
skinrect=150,110,160,120
downrect=100,10,110,20

[cap]
skinrect=20,2,180,18
textrect=0,0,160,16

[SKINCONTROLS]
count=0
)";

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

class TValueSkin {
public:
  TValueSkin() {
    testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), SkinIni);
    auto frame = Picture(200, 160, FrameColor);
    Fill(*frame, Rect(10, 30, 130, 40), EmptyColor);
    Fill(*frame, Rect(150, 20, 160, 130), EmptyColor);
    Fill(*frame, Rect(10, 50, 110, 60), EmptyColor);
    Fill(*frame, Rect(50, 70, 60, 80), NormalColor);
    Fill(*frame, Rect(120, 90, 170, 100), BackColor);
    frame->SaveToFile(FDir.windowsFile("frame.bmp"));
    auto sheet = Picture(150, 110, SheetColor);
    Fill(*sheet, Rect(0, 0, 120, 10), FilledColor);
    Fill(*sheet, Rect(120, 0, 130, 10), ThumbColor);
    Fill(*sheet, Rect(130, 0, 140, 10), ThumbHotColor);
    Fill(*sheet, Rect(140, 0, 150, 110), FilledColor);
    Fill(*sheet, Rect(0, 10, 100, 20), FilledColor);
    Fill(*sheet, Rect(100, 10, 110, 20), OnColor);
    for (int n = 1; n <= 11; ++n) Fill(*sheet, Rect((n - 1) * 10, 20, n * 10, 30), StripColor(n));
    for (int k = 0; k < 6; ++k) Fill(*sheet, Rect(k % 3 * 10, 30 + k / 3 * 10, k % 3 * 10 + 10, 40 + k / 3 * 10), SymbolColor(k));
    for (int n = 1; n <= 4; ++n) Fill(*sheet, Rect((n - 1) * 10, 50, n * 10, 60), AnimColor(n));
    sheet->SaveToFile(FDir.windowsFile("sheet.bmp"));
    windowtesting::InitApplication();
    FSkin = std::make_unique<TskSkinData>(nullptr);
    FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  }
  TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<TskSkinData> FSkin;
};

class ValueObjectsTest : public ::testing::Test {
protected:
  void SetUp() override {
    F().AlwaysActive = true;
    F().OnTrackBarChangeValueEvent = [this](const String& Name, int Value) { Events.push_back(Name + "=" + std::to_string(Value)); };
    F().OnFrameRegulatorChangeValueEvent = F().OnTrackBarChangeValueEvent;
    F().OnSwitchChangeStateEvent = [this](const String& Name, TSwitchState State) {
      Events.push_back(Name + (State == TSwitchState::swsOn ? " on" : " off"));
    };
    F().SetSkinData(&Skin.Skin());
    // The form has the picture's size: the objects stand where the skin puts them.
    for (const auto& object : F().FrameObjects) object->ObjectRect = object->SkinRect;
  }

  TskFormSkin& F() { return *Skinned.FormSkin; }
  template <class T>
  T& As(const char* Name) {
    const int index = F().GetIndex(Name);
    EXPECT_NE(index, -1) << Name;
    return dynamic_cast<T&>(*F().FrameObjects.at(static_cast<size_t>(index)));
  }
  // The object drawn on a sheet of SheetColor's complement, read at a point of its own coordinates.
  static COLORREF LookAt(TskActiveSkinObject& O, int X, int Y, bool UpDate = true) {
    auto sheet = Picture(200, 160, 0xFFFFFF);
    O.Draw(*sheet->Canvas(), UpDate);
    return BitmapPixel(*sheet, O.ObjectRect.left + X, O.ObjectRect.top + Y);
  }
  // The left button pressed, moved and released on an object, in its own coordinates.
  static void Press(TskActiveSkinObject& O, int X, int Y) { O.MouseDown(O.ObjectRect.left + X, O.ObjectRect.top + Y, TMouseButton::mbLeft); }
  static void Move(TskActiveSkinObject& O, int X, int Y) { O.MouseMove(O.ObjectRect.left + X, O.ObjectRect.top + Y); }
  static void Release(TskActiveSkinObject& O, int X, int Y) { O.MouseUp(O.ObjectRect.left + X, O.ObjectRect.top + Y, TMouseButton::mbLeft); }
  void Animate(int Ticks) {
    for (int i = 0; i < Ticks; ++i) F().TestAnimate(nullptr);
  }

  TValueSkin Skin;
  TSkinnedForm Skinned{200, 160, "Values", false};
  std::vector<std::string> Events;
};

}  // namespace

TEST_F(ValueObjectsTest, TrackBarPlacesItsThumbByValue) {
  auto& track = As<TskSkinTrackBarObject>("track");
  EXPECT_FALSE(track.Vertical());
  EXPECT_EQ(track.ThumbCentre.x, 10);
  track.SetValue(50);
  EXPECT_EQ(track.ThumbCentre.x, 60);
  EXPECT_EQ(track.ThumbCentre.y, 5);
  // Filled left of the thumb, empty right of it, the thumb at its centre.
  EXPECT_EQ(LookAt(track, 30, 5), FilledColor);
  EXPECT_EQ(LookAt(track, 90, 5), EmptyColor);
  EXPECT_EQ(LookAt(track, 60, 5), ThumbColor);
  track.SetValue(250);
  EXPECT_EQ(track.Value, 100);
  EXPECT_EQ(track.ThumbCentre.x, 110);

  // A vertical bar has its minimum at the bottom and fills below the thumb.
  auto& vtrack = As<TskSkinTrackBarObject>("vtrack");
  EXPECT_TRUE(vtrack.Vertical());
  EXPECT_EQ(vtrack.ThumbCentre.y, 105);
  vtrack.SetValue(100);
  EXPECT_EQ(vtrack.ThumbCentre.y, 5);
  vtrack.SetValue(25);
  EXPECT_EQ(vtrack.ThumbCentre.y, 80);
  EXPECT_EQ(LookAt(vtrack, 5, 100), FilledColor);
  EXPECT_EQ(LookAt(vtrack, 5, 40), EmptyColor);
}

TEST_F(ValueObjectsTest, TrackBarEventsFollowTheSetters) {
  auto& track = As<TskSkinTrackBarObject>("track");
  track.SetValue(40);
  track.SetValue(40);
  // The quiet setter stores and tells even an unchanged value.
  track.SimplySetValue(40);
  EXPECT_EQ(Events, (std::vector<std::string>{"track=40", "track=40"}));
}

TEST_F(ValueObjectsTest, DraggingTheThumbStopsAtTheEnds) {
  auto& track = As<TskSkinTrackBarObject>("track");
  track.SetValue(50);
  Events.clear();
  Press(track, 60, 5);
  EXPECT_TRUE(track.ThumbDragging);
  EXPECT_EQ(LookAt(track, 60, 5), ThumbHotColor);
  for (int x = 70; x <= 200; x += 10) Move(track, x, 5);
  Release(track, 200, 5);
  EXPECT_FALSE(track.ThumbDragging);
  EXPECT_EQ(track.ThumbCentre.x, 110);
  EXPECT_EQ(track.Value, 100);
  EXPECT_EQ(Events.back(), "track=100");
  // A press beside the thumb moves it there.
  Press(track, 30, 5);
  Release(track, 30, 5);
  EXPECT_EQ(track.Value, 20);
}

TEST_F(ValueObjectsTest, EmptyRangeStaysAtTheMinimumWithoutDividing) {
  auto& flat = As<TskSkinTrackBarObject>("flat");
  flat.SetValue(7);
  EXPECT_EQ(flat.Value, 5);
  EXPECT_EQ(flat.ThumbCentre.x, 10);
  Press(flat, 10, 5);
  Move(flat, 50, 5);
  EXPECT_EQ(flat.Value, 5);
  auto& gauge = As<TskSkinGaugeObject>("flatgauge");
  gauge.SetValue(9);
  EXPECT_EQ(gauge.ProgressPoint.x, 0);
  EXPECT_EQ(LookAt(gauge, 50, 5), EmptyColor);
}

TEST_F(ValueObjectsTest, ObjectsWithoutTheirPictureKeepTheirNormalLook) {
  auto& gauge = As<TskSkinFrameGaugeObject>("lost");
  gauge.SetValue(50);
  EXPECT_EQ(LookAt(gauge, 5, 5), FrameColor);
  auto& track = As<TskSkinTrackBarObject>("losttrack");
  track.SetValue(50);
  // The empty track, and no thumb to show.
  EXPECT_EQ(LookAt(track, 30, 5), EmptyColor);
  EXPECT_EQ(LookAt(track, 60, 5), EmptyColor);
}

TEST_F(ValueObjectsTest, GaugeFillsFromTheLeftAndSkipsWholeFramePaintsAtItsMinimum) {
  auto& gauge = As<TskSkinGaugeObject>("gauge");
  // At its minimum the frame picture shows it: a whole-frame paint leaves it out, a redraw does not.
  EXPECT_EQ(LookAt(gauge, 50, 5, false), 0xFFFFFFu);
  EXPECT_EQ(LookAt(gauge, 50, 5, true), EmptyColor);
  gauge.SetValue(50);
  EXPECT_EQ(gauge.ProgressPoint.x, 50);
  EXPECT_EQ(LookAt(gauge, 20, 5, false), FilledColor);
  EXPECT_EQ(LookAt(gauge, 80, 5, false), EmptyColor);
}

TEST_F(ValueObjectsTest, FrameGaugeShowsTheFrameOfItsValue) {
  auto& gauge = As<TskSkinFrameGaugeObject>("fgauge");
  EXPECT_EQ(gauge.FrameWidth, 10);
  struct Case {
    int Set, Value, Frame;
  } cases[] = {{55, 55, 6}, {150, 55, 6}, {-1, 55, 6}, {100, 100, 11}, {0, 0, 1}, {9, 9, 1}, {10, 10, 2}};
  for (const auto& c : cases) {
    gauge.SetValue(c.Set);
    EXPECT_EQ(gauge.Value, c.Value) << c.Set;
    EXPECT_EQ(LookAt(gauge, 5, 5), StripColor(c.Frame)) << c.Set;
  }
}

TEST_F(ValueObjectsTest, RegulatorTurnsOneStepPerPixelStep) {
  auto& reg = As<TskSkinFrameRegulatorObject>("reg");
  Press(reg, 5, 5);
  Move(reg, 6, 5);  // right: up one step
  EXPECT_EQ(reg.Value, 10);
  Move(reg, 6, 4);  // up: up one step
  EXPECT_EQ(reg.Value, 20);
  Move(reg, 4, 4);  // two pixels left: one step down, at most one per move
  EXPECT_EQ(reg.Value, 10);
  Release(reg, 4, 4);
  Move(reg, 30, 4);  // released: nothing
  EXPECT_EQ(reg.Value, 10);
  EXPECT_EQ(Events, (std::vector<std::string>{"reg=10", "reg=20", "reg=10"}));
  EXPECT_EQ(LookAt(reg, 5, 5), StripColor(2));
}

TEST_F(ValueObjectsTest, SwitchTogglesOnClicksAndQuietlyWhenSet) {
  auto& sw = As<TskSkinSwitchObject>("switch");
  EXPECT_EQ(sw.State, TSwitchState::swsOff);
  Press(sw, 5, 5);
  EXPECT_EQ(sw.State, TSwitchState::swsOn);
  EXPECT_EQ(LookAt(sw, 5, 5), OnColor);
  Press(sw, 5, 5);
  EXPECT_EQ(sw.State, TSwitchState::swsOff);
  EXPECT_EQ(Events, (std::vector<std::string>{"switch on", "switch off"}));
  sw.SimpleSetState(TSwitchState::swsOn);
  EXPECT_EQ(Events.size(), 2u);
  EXPECT_EQ(LookAt(sw, 5, 5), OnColor);
  sw.SimpleSetState(TSwitchState::swsOff);
  EXPECT_EQ(LookAt(sw, 5, 5), NormalColor);
  // Activating the form or moving it leaves a switch that is on showing on.
  F().SwitchSetState("switch", TSwitchState::swsOn);
  F().UpDateActiveObjects();
  EXPECT_EQ(LookAt(sw, 5, 5), OnColor);
}

TEST_F(ValueObjectsTest, BitLabelDrawsItsSymbolsAndLeavesGapsForMissingOnes) {
  auto& bits = As<TskSkinBitLabelObject>("bits");
  bits.SetTextValue("0a35", false);
  const COLORREF expected[] = {SymbolColor(0), BackColor, SymbolColor(3), SymbolColor(5), BackColor};
  for (int cell = 0; cell < 5; ++cell) EXPECT_EQ(LookAt(bits, cell * 10 + 5, 5), expected[cell]) << cell;
  // A text longer than the label is cut at its edge.
  bits.SetTextValue("1111111", false);
  EXPECT_EQ(LookAt(bits, 45, 5), SymbolColor(1));
}

TEST_F(ValueObjectsTest, LabelDrawsItsTextInTheHoverColour) {
  auto& label = As<TskSkinLabelObject>("label");
  const auto hasColour = [&](COLORREF Colour) {
    auto sheet = Picture(200, 160, 0xFFFFFF);
    label.Draw(*sheet->Canvas(), false);
    for (int x = label.ObjectRect.left; x < label.ObjectRect.left + 30; ++x)
      for (int y = label.ObjectRect.top; y < label.ObjectRect.bottom; ++y)
        if (BitmapPixel(*sheet, x, y) == Colour) return true;
    return false;
  };
  EXPECT_TRUE(hasColour(0x000000));
  label.MouseEnter();
  EXPECT_TRUE(hasColour(0x0000FF));
  EXPECT_FALSE(hasColour(0x000000));
  label.SetTextValue("", false);
  label.MouseLeave();
  EXPECT_FALSE(hasColour(0x000000));
}

TEST_F(ValueObjectsTest, ButtonStyleAnimationPlaysForwardOnHoverAndBackOnLeave) {
  auto& anim = As<TskSkinAnimateObject>("anim");
  EXPECT_EQ(LookAt(anim, 5, 5), AnimColor(1));
  anim.MouseEnter();
  EXPECT_TRUE(F().AnimationTimer->Enabled());
  // A frame lasts two 25 ms ticks at the interval of 50 ms.
  Animate(2);
  EXPECT_EQ(anim.Frame, 2);
  Animate(10);
  EXPECT_EQ(anim.Frame, 4);
  EXPECT_FALSE(anim.Active);
  EXPECT_EQ(LookAt(anim, 5, 5), AnimColor(4));
  Animate(1);
  EXPECT_FALSE(F().AnimationTimer->Enabled());
  anim.MouseLeave();
  Animate(12);
  EXPECT_EQ(anim.Frame, 1);
  EXPECT_FALSE(anim.Active);
  // Leaving twice plays nothing.
  anim.MouseLeave();
  EXPECT_FALSE(anim.Active);
}

TEST_F(ValueObjectsTest, CyclingAnimationLoopsUntilStopped) {
  F().AnimateStart("cycle");
  auto& cycle = As<TskSkinAnimateObject>("cycle");
  std::vector<int> frames;
  for (int i = 0; i < 6; ++i) {
    Animate(1);
    frames.push_back(cycle.Frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 1, 2, 3}));
  EXPECT_TRUE(cycle.Active);
  F().AnimateStop("cycle");
  EXPECT_EQ(cycle.Frame, 1);
  Animate(2);
  EXPECT_EQ(cycle.Frame, 1);
}

TEST_F(ValueObjectsTest, ObjectsByNameReachOnlyTheFirstOfTheirClass) {
  F().TrackBarSetValue("track", 30);
  EXPECT_EQ(F().TrackBarGetValue("track"), 30);
  F().GaugeSetValue("gauge", 70);
  F().FrameGaugeSetValue("fgauge", 20);
  F().FrameRegulatorSetValue("reg", 40);
  F().SwitchSetState("switch", TSwitchState::swsOn);
  EXPECT_EQ(As<TskSkinGaugeObject>("gauge").Value, 70);
  EXPECT_EQ(As<TskSkinFrameGaugeObject>("fgauge").Value, 20);
  EXPECT_EQ(F().FrameRegulatorGetValue("reg"), 40);
  EXPECT_EQ(F().SwitchGetState("switch"), TSwitchState::swsOn);
  F().LabelSetText("label", "Changed");
  F().BitLabelSetText("bits", "54");
  EXPECT_EQ(As<TskSkinLabelObject>("label").TextValue, "Changed");
  EXPECT_EQ(As<TskSkinBitLabelObject>("bits").TextValue, "54");
  EXPECT_EQ(Events, (std::vector<std::string>{"track=30", "reg=40", "switch on"}));

  // Wrong classes, other letter cases and missing names give the defaults and change nothing.
  EXPECT_EQ(F().TrackBarGetValue("gauge"), 0);
  EXPECT_EQ(F().TrackBarGetValue("Track"), 0);
  EXPECT_EQ(F().FrameRegulatorGetValue("track"), 0);
  EXPECT_EQ(F().SwitchGetState("track"), TSwitchState::swsOff);
  EXPECT_FALSE(F().ButtonGetDown("switch"));
  F().TrackBarSetValue("Track", 90);
  F().GaugeSetValue("track", 90);
  F().TrackBarSetValue("nothing", 90);
  EXPECT_EQ(F().TrackBarGetValue("track"), 30);
  // Two objects named "dup": the first, a gauge, hides the track bar behind it.
  F().TrackBarSetValue("dup", 60);
  EXPECT_EQ(F().TrackBarGetValue("dup"), 0);

  F().SetEnabled("switch", false);
  EXPECT_FALSE(As<TskSkinSwitchObject>("switch").Enabled);

  F().ButtonSetDown("btn", true);
  EXPECT_TRUE(F().ButtonGetDown("btn"));
  F().CaptionSetText("cap", "Title");
  EXPECT_EQ(As<TskSkinCaptionObject>("cap").TextValue, "Title");
  std::vector<std::string> painted;
  F().OnPaintEvent = [&painted](const String& Name, TCanvas&, const TRect& R) {
    painted.push_back(Name + " " + std::to_string(R.left) + "," + std::to_string(R.top));
  };
  F().UserObjectDraw("user");
  F().UserObjectDraw("btn");
  EXPECT_EQ(painted, (std::vector<std::string>{"user 120,110"}));
}

TEST_F(ValueObjectsTest, LinkMenuReachesButtonStyleAnimationsOnly) {
  TPopupMenu menu(nullptr);
  F().LinkMenu("anim", &menu, true);
  EXPECT_EQ(As<TskSkinAnimateObject>("anim").MenuItem, menu.Items());
  EXPECT_TRUE(As<TskSkinAnimateObject>("anim").OpenUpward);
  F().LinkMenu("cycle", &menu, true);
  EXPECT_EQ(As<TskSkinAnimateObject>("cycle").MenuItem, nullptr);
  EXPECT_FALSE(As<TskSkinAnimateObject>("cycle").OpenUpward);
}

TEST_F(ValueObjectsTest, ValuesSetWhileTheSkinIsAppliedAreKept) {
  // The objects are made anew by a skin change; the application sets them again from its handler.
  F().OnChangeSkinData = [this](TObject*) {
    EXPECT_TRUE(F().SkinChanging);
    F().TrackBarSetValue("track", 70);
    F().SwitchSetState("switch", TSwitchState::swsOn);
  };
  Events.clear();
  F().SetSkinData(nullptr);
  F().SetSkinData(&Skin.Skin());
  EXPECT_EQ(F().TrackBarGetValue("track"), 70);
  EXPECT_EQ(F().SwitchGetState("switch"), TSwitchState::swsOn);
  // The track bar tells its value even while stored quietly; the switch does not.
  EXPECT_EQ(Events, (std::vector<std::string>{"track=70"}));
}

TEST_F(ValueObjectsTest, ButtonStyleAnimationFollowsTheBorderIconsAndGetsTheBuiltInHint) {
  EXPECT_TRUE(As<TskSkinAnimateObject>("animmax").Enabled);
  EXPECT_EQ(As<TskSkinAnimateObject>("animmax").Hint, "Maximize");
  F().SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu});
  F().LoadObjects();
  F().CheckObjects();
  auto& animmax = As<TskSkinAnimateObject>("animmax");
  EXPECT_FALSE(animmax.Enabled);
  // Its normal look is part of the frame picture (no "skinrectinapicture"): it stays there, dead.
  EXPECT_TRUE(animmax.Visible);
  // An animation without a command is no caption button: it stays.
  EXPECT_TRUE(As<TskSkinAnimateObject>("anim").Enabled);
}

TEST_F(ValueObjectsTest, AnimationWhoseMenuClosedPlaysBack) {
  TPopupMenu menu(nullptr);
  F().LinkMenu("anim", &menu, false);
  auto& anim = As<TskSkinAnimateObject>("anim");
  anim.MenuShown = true;  // as its menu opened
  anim.Down = true;
  F().SkinMenuClose();
  EXPECT_FALSE(anim.MenuShown);
  EXPECT_FALSE(anim.Down);
  EXPECT_TRUE(anim.Active);
  EXPECT_EQ(anim.Frame, 4);
  EXPECT_TRUE(F().AnimationTimer->Enabled());
  Animate(12);
  EXPECT_EQ(anim.Frame, 1);
  // Frame changes while the form is activated or moved go back to the first frame.
  anim.Frame = 3;
  anim.Hovered = anim.Active = true;
  F().UpDateActiveObjects();
  EXPECT_EQ(anim.Frame, 1);
  EXPECT_FALSE(anim.Hovered);
  EXPECT_FALSE(anim.Active);
}
