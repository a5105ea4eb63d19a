// The spin edit: layout and looks (default, skinned at the skin's size, stretched), its buttons
// with their repeat, the arrow keys and the wheel, OnChange, and reading it from a description.
#include "tests/skin/boxes/SkinBoxesTesting.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinSpinEdit.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char SpinForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 200
  object S: TskSkinSpinEdit
    Left = 10
    Top = 10
  end
  object Other: TskSkinEdit
    Left = 10
    Top = 120
  end
end)";

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// The looks of the skin below, as flat colours of the picture.
constexpr COLORREF NormalColor = RGB(200, 0, 0);
constexpr COLORREF ActiveColor = RGB(0, 200, 0);
constexpr COLORREF HotUpColor = RGB(0, 0, 200);
constexpr COLORREF DownUpColor = RGB(200, 200, 0);
constexpr COLORREF ResizeColor = RGB(0, 200, 200);

// "spinedit": 60 x 20, growing in width from x = 40 on; its buttons in the right end.
// "resizebutton": a 20 x 20 button in one flat colour.
const char SpinSkinIni[] = R"([VERSION]
ver=2
skinname=Spin edit

[PICTURES]
picture=frame.bmp
activepicturescount=1
0=controls.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=2
0=spinedit:spinedit
1=resizebutton:button

[spinedit]
pictureindex=0
maskpictureindex=-1
cursorindex=-1
skinrect=0,0,60,20
activeskinrect=0,20,60,40
lefttoppoint=4,0
righttoppoint=40,0
leftbottompoint=0,0
rightbottompoint=0,0
clientrect=3,3,40,17
stretcheffect=0
fontname=Arial
fontheight=14
fontcolor=255
activefontcolor=65280
disabledfontcolor=8421504
upbuttonrect=42,2,58,10
downbuttonrect=42,10,58,18
activeupbuttonrect=60,0,76,8
downupbuttonrect=60,8,76,16
activedownbuttonrect=60,0,76,8

[resizebutton]
pictureindex=0
skinrect=0,40,20,60
activeskinrect=20,40,40,60
downskinrect=40,40,60,60
lefttoppoint=2,2
righttoppoint=18,2
leftbottompoint=2,18
rightbottompoint=18,18
clientrect=2,2,18,18
fontcolor=0
activefontcolor=0
downfontcolor=0
)";

class SkinSpinEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(SpinForm);
    Spin = dynamic_cast<TskSkinSpinEdit*>(Form->FindComponent("S"));
    Other = dynamic_cast<TskSkinEdit*>(Form->FindComponent("Other"));
    ASSERT_NE(Spin, nullptr);
    ASSERT_NE(Other, nullptr);
    Spin->OnChange = [this](TObject*) {
      ++Changes;
      Values.push_back(Spin->Value());
    };
  }

  // A point of the control on the screen.
  TPoint At(int X, int Y) const { return Spin->ClientToScreen(Point(X, Y)); }
  COLORREF PixelAt(int X, int Y) const {
    const TPoint p = At(X, Y);
    return skintesting::ScreenPixel(p.x, p.y);
  }
  void Redraw() {
    RedrawWindow(Spin->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    windowtesting::PumpFor(30);
  }
  void LoadSkin() {
    Skin.SavePicture("frame.bmp", *skintesting::Picture(20, 20, RGB(90, 90, 90)));
    auto picture = skintesting::Picture(80, 60, NormalColor);
    skintesting::Fill(*picture, Rect(0, 20, 60, 40), ActiveColor);
    skintesting::Fill(*picture, Rect(60, 0, 76, 8), HotUpColor);
    skintesting::Fill(*picture, Rect(60, 8, 76, 16), DownUpColor);
    skintesting::Fill(*picture, Rect(0, 40, 60, 60), ResizeColor);
    Skin.SavePicture("controls.bmp", *picture);
    Skin.Load(SpinSkinIni);
  }

  std::unique_ptr<TForm> Form;
  TskSkinSpinEdit* Spin = nullptr;
  TskSkinEdit* Other = nullptr;
  int Changes = 0;
  std::vector<double> Values;
  skintesting::TSkinFiles Skin;
};

}  // namespace

TEST_F(SkinSpinEditTest, ANewControlInTheDefaultLook) {
  EXPECT_EQ(Spin->Value(), 0);
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_EQ(Spin->Editor().Text(), "0");
  EXPECT_EQ(Spin->Width(), 120);
  EXPECT_EQ(Spin->Height(), 20);
  EXPECT_EQ(Spin->SkinDataName(), "spinedit");
  EXPECT_EQ(Text(Spin->ArrowButton(0).Rect), "103,2,118,10");
  EXPECT_EQ(Text(Spin->ArrowButton(1).Rect), "103,10,118,18");
  const TskSkinNumEdit& editor = Spin->Editor();
  EXPECT_EQ(editor.Left(), 2);
  EXPECT_EQ(editor.Width(), 101);
  EXPECT_EQ(editor.Top(), 10 - editor.Height() / 2) << "centred on the middle row";

  Redraw();
  EXPECT_EQ(PixelAt(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(119, 19), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(1, 1), Rgb(clBtnFace));
  EXPECT_EQ(PixelAt(103, 2), Rgb(clBtnFace)) << "a normal button has no frame";
  bool arrow = false;
  for (int y = 2; y < 10; ++y)
    for (int x = 103; x < 118; ++x) arrow = arrow || PixelAt(x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(arrow);
  // Under the pointer: a navy frame around the hot face.
  const TPoint up = At(110, 6);
  MouseTo(up.x, up.y);
  windowtesting::PumpFor(30);
  EXPECT_EQ(Spin->HotButton(), 0);
  EXPECT_EQ(PixelAt(103, 2), Rgb(clNavy));
  EXPECT_EQ(PixelAt(104, 3), 0xD2BDB6u);
  EXPECT_EQ(PixelAt(104, 11), Rgb(clBtnFace)) << "the other button stays normal";
}

TEST_F(SkinSpinEditTest, AClickStepsOnceOnReleaseOverTheButton) {
  const TPoint up = At(110, 6), down = At(110, 14), outside = At(50, 60);
  LeftPress(up.x, up.y);
  EXPECT_EQ(Spin->Value(), 0) << "nothing on the press";
  LeftReleaseAt(up.x, up.y);
  EXPECT_EQ(Spin->Value(), 1);
  EXPECT_EQ(Spin->Editor().Text(), "1");
  EXPECT_EQ(Changes, 1);
  LeftPress(up.x, up.y);
  MouseTo(down.x, down.y);
  LeftReleaseAt(down.x, down.y);
  EXPECT_EQ(Spin->Value(), 1) << "released over the other button";
  LeftPress(up.x, up.y);
  MouseTo(outside.x, outside.y);
  LeftReleaseAt(outside.x, outside.y);
  EXPECT_EQ(Spin->Value(), 1) << "released outside";
  LeftPress(down.x, down.y);
  LeftReleaseAt(down.x, down.y);
  EXPECT_EQ(Spin->Value(), 0);
  EXPECT_EQ(Changes, 2);
}

TEST_F(SkinSpinEditTest, AHeldButtonRepeatsAfterItsDelayAndStepsOnceMoreOnRelease) {
  const TPoint up = At(110, 6);
  std::vector<DWORD> times;
  const DWORD start = GetTickCount();
  Spin->OnChange = [&](TObject*) {
    times.push_back(GetTickCount() - start);
    Values.push_back(Spin->Value());
  };
  LeftPress(up.x, up.y);
  windowtesting::PumpFor(1050 - (GetTickCount() - start));
  const size_t held = Values.size();
  LeftReleaseAt(up.x, up.y);
  ASSERT_GE(held, 3u);
  EXPECT_LE(held, 6u);
  EXPECT_GE(times[0], 550u) << "the first step after the delay";
  EXPECT_LE(times[0], 800u);
  for (size_t i = 1; i < held; ++i) EXPECT_GE(times[i] - times[i - 1], 80u) << "then every 100 ms";
  ASSERT_EQ(Values.size(), held + 1) << "one more on the release";
  for (size_t i = 0; i < Values.size(); ++i) EXPECT_EQ(Values[i], static_cast<double>(i + 1));
  windowtesting::PumpFor(250);
  EXPECT_EQ(Values.size(), held + 1) << "the repeat ends with the release";
}

TEST_F(SkinSpinEditTest, ArrowKeysAndTheWheelStepWithinTheRange) {
  Spin->SetMaxValue(2);
  Spin->SetMinValue(-1);
  int otherKeys = 0;
  bool sawArrows = false;
  Spin->OnEditKeyDown = [&](TObject* Sender, WORD& Key, TShiftState) {
    EXPECT_EQ(Sender, Spin);
    if (Key == VK_UP || Key == VK_DOWN)
      sawArrows = true;
    else
      ++otherKeys;
  };
  Spin->Editor().SetFocus();
  windowtesting::Pump();
  for (int i = 0; i < 3; ++i) TapKey(VK_UP);
  EXPECT_EQ(Spin->Value(), 2);
  for (int i = 0; i < 4; ++i) TapKey(VK_DOWN);
  EXPECT_EQ(Spin->Value(), -1);
  EXPECT_FALSE(sawArrows) << "the arrows are the spin edit's";
  TapKey(VK_RIGHT);
  EXPECT_EQ(otherKeys, 1);

  // Over the editor, which has the focus: the wheel's message goes there whichever way the
  // system routes it.
  const TPoint over = At(50, 10);
  MouseTo(over.x, over.y);
  const auto wheel = [](int Delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(Delta);
    SendInput(1, &input, sizeof input);
    windowtesting::PumpFor(30);
  };
  wheel(-WHEEL_DELTA);
  EXPECT_EQ(Spin->Value(), 0) << "towards the user: up";
  wheel(WHEEL_DELTA);
  EXPECT_EQ(Spin->Value(), -1) << "away from the user: down";
}

TEST_F(SkinSpinEditTest, EditorEnabledOffStillSteps) {
  Spin->SetEditorEnabled(false);
  Spin->Editor().SetFocus();
  windowtesting::Pump();
  Spin->Editor().SetSelStart(1);
  for (char c : {'5', '-', '\b'}) TypeChar(c);
  EXPECT_EQ(Spin->Editor().Text(), "0");
  TapKey(VK_UP);
  EXPECT_EQ(Spin->Value(), 1);
  const TPoint up = At(110, 6);
  LeftPress(up.x, up.y);
  LeftReleaseAt(up.x, up.y);
  EXPECT_EQ(Spin->Value(), 2);
}

TEST_F(SkinSpinEditTest, ValueWritesAndOnChange) {
  Spin->SetValue(0);
  EXPECT_EQ(Changes, 1) << "also for the same value";
  Spin->SimpleSetValue(3);
  EXPECT_EQ(Spin->Editor().Text(), "3");
  EXPECT_EQ(Changes, 1) << "SimpleSetValue raises no OnChange";

  // A handler that writes the value again: the editor follows, no second OnChange.
  Spin->OnChange = [this](TObject*) {
    ++Changes;
    if (Spin->Value() > 5) Spin->SetValue(5);
  };
  Changes = 0;
  Spin->SetValue(8);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Spin->Value(), 5);
  EXPECT_EQ(Spin->Editor().Text(), "5");
  EXPECT_EQ(Spin->Text(), "5");
  // Also when it writes twice: the second write still finds the handler's guard on.
  Spin->OnChange = [this](TObject*) {
    ++Changes;
    if (Spin->Value() > 5) {
      Spin->SetValue(5);
      Spin->SetValue(4);
    }
  };
  Changes = 0;
  Spin->SetValue(9);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Spin->Value(), 4);
  EXPECT_EQ(Spin->Editor().Text(), "4");

  // With the maximum still 0, a minimum of 10 pins the value at the maximum 0.
  Spin->SetValue(0);
  Changes = 0;
  Spin->SetMinValue(10);
  EXPECT_EQ(Spin->Value(), 0);
  EXPECT_EQ(Changes, 1);
  Spin->SetMaxValue(100);
  EXPECT_EQ(Spin->Value(), 0);
}

TEST_F(SkinSpinEditTest, ValueTypeAndRange) {
  // Increments rounded to the even neighbour when switching to integers; 0 becomes 1.
  const std::pair<double, double> increments[] = {{2.5, 2}, {1.5, 2}, {0.5, 1}, {-2.5, -2}, {3.7, 4}};
  for (const auto& [increment, rounded] : increments) {
    Spin->SetValueType(TskValueType::vtFloat);
    Spin->SetIncrement(increment);
    EXPECT_EQ(Spin->Increment(), increment) << "floats keep it";
    Spin->SetValueType(TskValueType::vtInteger);
    EXPECT_EQ(Spin->Increment(), rounded) << increment;
  }
  // The text stays until the next write; leaving the editor writes it.
  Spin->SetValueType(TskValueType::vtFloat);
  Spin->SetValue(2.5);
  EXPECT_EQ(Spin->Editor().Text(), "2.50");
  Spin->SetValueType(TskValueType::vtInteger);
  Spin->SetDecimal(4);
  EXPECT_EQ(Spin->Editor().Text(), "2.50");
  Spin->Editor().SetFocus();
  windowtesting::Pump();
  Other->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Spin->Editor().Text(), "2");

  struct TCheck {
    double Min, Max, X, Expected;
  };
  const TCheck checks[] = {
      {0, 0, -1e9, -1e9}, {0, 0, 1e9, 1e9},  // both 0: no limit
      {5, 5, 7, 5},       {5, 5, -7, 5},     // equal bounds pin the value
      {1, 10, 0, 1},      {1, 10, 11, 10},  {1, 10, 4, 4},
      {10, 0, 5, 10},     {10, 0, 20, 0},    // the minimum is tested first
  };
  for (const TCheck& c : checks) {
    Spin->SetMinValue(0);
    Spin->SetMaxValue(0);
    Spin->SetMinValue(c.Min);
    Spin->SetMaxValue(c.Max);
    EXPECT_EQ(Spin->CheckValue(c.X), c.Expected) << c.Min << ".." << c.Max << " " << c.X;
  }
}

TEST_F(SkinSpinEditTest, SkinnedAtTheSkinsSize) {
  LoadSkin();
  Spin->SetSkinData(&Skin.Skin());
  ASSERT_NE(Spin->SkinControlIndex(), -1);
  EXPECT_EQ(Spin->Width(), 120);
  EXPECT_EQ(Spin->Height(), 20);
  // The buttons lie in the right end, which moves by 120 - 60.
  EXPECT_EQ(Text(Spin->ArrowButton(0).Rect), "102,2,118,10");
  EXPECT_EQ(Text(Spin->ArrowButton(1).Rect), "102,10,118,18");
  const TskSkinNumEdit& editor = Spin->Editor();
  EXPECT_EQ(editor.Left(), 3);
  EXPECT_EQ(editor.Width(), 97);
  EXPECT_EQ(editor.Top(), 3 + 7 - editor.Height() / 2);
  EXPECT_TRUE(editor.TransparentMode());
  EXPECT_EQ(editor.Font().Color(), 255) << "\"fontcolor\"";

  Redraw();
  EXPECT_EQ(PixelAt(1, 1), NormalColor);
  EXPECT_EQ(PixelAt(119, 19), NormalColor);
  // Focused: "activeskinrect" and "activefontcolor".
  Spin->Editor().SetFocus();
  windowtesting::Pump();
  EXPECT_TRUE(Spin->EditorFocused());
  EXPECT_EQ(editor.Font().Color(), 65280);
  Redraw();
  EXPECT_EQ(PixelAt(1, 1), ActiveColor);
  Other->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(editor.Font().Color(), 255);
  // A hot button shows "activeupbuttonrect", a pressed one "downupbuttonrect".
  const TPoint up = At(110, 6);
  MouseTo(up.x, up.y);
  Redraw();
  EXPECT_EQ(PixelAt(105, 4), HotUpColor);
  LeftPress(up.x, up.y);
  Redraw();
  EXPECT_EQ(PixelAt(105, 4), DownUpColor);
  LeftReleaseAt(up.x, up.y);
  EXPECT_EQ(Spin->Value(), 1);
  Spin->SetEnabled(false);
  EXPECT_EQ(editor.Font().Color(), 8421504) << "\"disabledfontcolor\"";
}

TEST_F(SkinSpinEditTest, SkinnedAtAnySize) {
  LoadSkin();
  Spin->SetUseSkinSize(false);
  Spin->SetSkinData(&Skin.Skin());
  Spin->SetBounds(Spin->Left(), Spin->Top(), 150, 40);
  EXPECT_EQ(Spin->Height(), 40);
  // Moved right by 90; the two halves of the grown column.
  EXPECT_EQ(Text(Spin->ArrowButton(0).Rect), "132,2,148,20");
  EXPECT_EQ(Text(Spin->ArrowButton(1).Rect), "132,20,148,38");
  EXPECT_EQ(Spin->Editor().Width(), 127);
  Redraw();
  EXPECT_EQ(PixelAt(1, 1), NormalColor) << "the picture stretched";
  EXPECT_EQ(PixelAt(148, 38), NormalColor);
  EXPECT_EQ(PixelAt(133, 3), ResizeColor) << "\"resizebutton\"";
  EXPECT_EQ(PixelAt(133, 36), ResizeColor);
}

TEST(SkinSpinEditRegistration, DescriptionsSetThePublishedPropertiesOverTheDefaults) {
  auto form = ShowForm(R"(object TestForm: TForm
  object Plain: TskSkinSpinEdit
  end
  object S: TskSkinSpinEdit
    UseSkinSize = False
    ValueType = vtFloat
    Decimal = 1
    MaxValue = 10.5
    Value = 2.25
    Increment = 0.5
    EditorEnabled = False
    MaxLength = 6
  end
end)");
  auto& plain = dynamic_cast<TskSkinSpinEdit&>(*form->FindComponent("Plain"));
  EXPECT_TRUE(plain.UseSkinSize());
  EXPECT_EQ(plain.ValueType(), TskValueType::vtInteger);
  EXPECT_EQ(plain.Decimal(), 2);
  EXPECT_EQ(plain.MinValue(), 0);
  EXPECT_EQ(plain.MaxValue(), 0);
  EXPECT_EQ(plain.Value(), 0);
  EXPECT_EQ(plain.Increment(), 1);
  EXPECT_TRUE(plain.EditorEnabled());
  EXPECT_EQ(plain.MaxLength(), 0);
  EXPECT_EQ(plain.Text(), "0");
  EXPECT_FALSE(plain.Editor().FloatMode());

  auto& s = dynamic_cast<TskSkinSpinEdit&>(*form->FindComponent("S"));
  EXPECT_FALSE(s.UseSkinSize());
  EXPECT_EQ(s.ValueType(), TskValueType::vtFloat);
  EXPECT_TRUE(s.Editor().FloatMode());
  EXPECT_EQ(s.Decimal(), 1);
  EXPECT_EQ(s.MaxValue(), 10.5);
  EXPECT_EQ(s.Value(), 2.25);
  EXPECT_EQ(s.Editor().Text(), "2.3") << "halves away from zero in the decimals";
  EXPECT_EQ(s.Increment(), 0.5);
  EXPECT_FALSE(s.EditorEnabled());
  EXPECT_EQ(s.MaxLength(), 6);
}
