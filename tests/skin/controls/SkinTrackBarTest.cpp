#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinValues.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char BarsForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 300
  Color = clRed
  object Seek: TskSkinTrackBar
    Left = 10
    Top = 10
    Width = 200
    Value = 0
  end
  object Volume: TskSkinTrackBar
    Left = 300
    Top = 10
    Width = 20
    Height = 200
    Value = -2500
    MinValue = -5000
    MaxValue = 0
    Vertical = True
  end
  object Jump: TskSkinTrackBar
    Left = 10
    Top = 50
    Width = 200
    JumpWhenClick = True
  end
  object Keys: TskSkinTrackBar
    Left = 10
    Top = 90
    Width = 200
    CanFocused = True
  end
end)";

class SkinTrackBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(BarsForm);
    for (const char* name : {"Seek", "Volume", "Jump", "Keys"}) {
      auto* bar = dynamic_cast<TskSkinTrackBar*>(Form->FindComponent(name));
      ASSERT_TRUE(bar) << name;
      bar->OnChange = [this, bar](TObject*) { Events.push_back(bar->Name() + " " + std::to_string(bar->Value())); };
      bar->OnLastChange = [this, bar](TObject*) { Events.push_back(bar->Name() + " last"); };
      bar->OnStartDragButton = [this, bar](TObject*) { Events.push_back(bar->Name() + " drag"); };
    }
  }
  TskSkinTrackBar& Bar(const char* Name) { return *dynamic_cast<TskSkinTrackBar*>(Form->FindComponent(Name)); }
  static void Send(TskSkinTrackBar& B, UINT Msg, int X, int Y) {
    SendMessageW(B.Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
  }

  std::unique_ptr<TForm> Form;
  std::vector<String> Events;
};

}  // namespace

TEST(SkinValues, ScaledLengthsRoundHalvesToEven) {
  struct Case {
    std::int64_t Length, Part, Whole;
    int Want;
  } cases[] = {
      {100, 1, 8, 12},  {100, 3, 8, 38},   {100, 1, 200, 0},  {100, 3, 200, 2},    {188, 47, 188, 47},
      {188, 1, 2, 94},  {5, 1, 2, 2},      {7, 1, 2, 4},      {100, 5, 0, 0},      {100, -1, 8, -12},
      {100, 1, -8, -12}, {100, -3, -8, 38}, {-5000, 141, 188, -3750},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleRounded(c.Length, c.Part, c.Whole), c.Want) << c.Length << " * " << c.Part << " / " << c.Whole;
}

TEST_F(SkinTrackBarTest, DefaultsAndRanges) {
  TskSkinTrackBar fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 100);
  EXPECT_EQ(fresh.Height(), 20);
  EXPECT_EQ(fresh.SkinDataName(), "htrackbar");
  EXPECT_EQ(fresh.Value(), 50);
  EXPECT_EQ(fresh.MaxValue(), 100);
  EXPECT_TRUE(fresh.MouseSupport());
  EXPECT_FALSE(fresh.CanFocused());
  EXPECT_FALSE(fresh.TabStop());
  EXPECT_TRUE(Bar("Keys").TabStop());

  // Read in any order, the value ends inside its bounds, and reading reports nothing.
  EXPECT_EQ(Bar("Volume").Value(), -2500);
  TskSkinTrackBar& seek = Bar("Seek");
  seek.SetValue(150);
  EXPECT_EQ(seek.Value(), 100);
  // A bound below the value moves it without OnChange.
  seek.SetMaxValue(30);
  EXPECT_EQ(seek.Value(), 30);
  seek.SetMinValue(40);
  EXPECT_EQ(seek.Value(), 40);
  EXPECT_EQ(Events, (std::vector<String>{"Seek 100"}));

  // Equal bounds: the button stands at the start of its travel and a drag gives the minimum.
  seek.SetMaxValue(40);
  Form->Repaint();
  EXPECT_EQ(seek.ButtonBounds().left, 2);
  Send(seek, WM_LBUTTONDOWN, 4, 10);
  Send(seek, WM_MOUSEMOVE, 150, 10);
  Send(seek, WM_LBUTTONUP, 150, 10);
  EXPECT_EQ(seek.Value(), 40);
}

// The player hands every message of the seek bar, after its own look at the release, to Dispatch.
TEST_F(SkinTrackBarTest, ADragWorksThroughDispatchWhenTheWindowProcIsReplaced) {
  TskSkinTrackBar& seek = Bar("Seek");
  int valueAtRelease = -1;
  seek.WindowProc = [&seek, &valueAtRelease](TMessage& Message) {
    if (Message.Msg == WM_LBUTTONUP) valueAtRelease = seek.Value();
    seek.Dispatch(Message);
  };
  // 200 x 20: the button is 8 x 16 and its centre travels from x 6 to x 194.
  Send(seek, WM_LBUTTONDOWN, 6, 10);
  EXPECT_TRUE(seek.ButtonDragging());
  EXPECT_EQ(GetCapture(), seek.Handle());
  EXPECT_EQ(WindowPixel(seek.Handle(), 6, 10), RGB(133, 147, 181));  // the pressed face
  Send(seek, WM_MOUSEMOVE, 53, 10);
  Send(seek, WM_MOUSEMOVE, 100, 12);
  Send(seek, WM_LBUTTONUP, 100, 12);
  EXPECT_FALSE(seek.ButtonDragging());
  EXPECT_NE(GetCapture(), seek.Handle());
  EXPECT_EQ(valueAtRelease, 50);
  EXPECT_EQ(Events, (std::vector<String>{"Seek drag", "Seek 25", "Seek 50", "Seek last"}));
  EXPECT_EQ(WindowPixel(seek.Handle(), 100, 10), ColorToRGB(clBtnFace));

  // Beyond the end of the travel the value stops at the maximum.
  Send(seek, WM_LBUTTONDOWN, seek.ButtonBounds().left + 4, 10);
  Send(seek, WM_MOUSEMOVE, 500, 10);
  Send(seek, WM_LBUTTONUP, 500, 10);
  EXPECT_EQ(seek.Value(), 100);

  // A window that takes the capture during a drag ends it.
  Events.clear();
  Send(seek, WM_LBUTTONDOWN, seek.ButtonBounds().left + 4, 10);
  SendMessageW(seek.Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(Form->Handle()));
  EXPECT_FALSE(seek.ButtonDragging());
  Send(seek, WM_MOUSEMOVE, 6, 10);
  EXPECT_EQ(seek.Value(), 100);
  EXPECT_EQ(Events, (std::vector<String>{"Seek drag", "Seek last"}));

  // A press beside the button without JumpWhenClick changes nothing.
  Events.clear();
  Send(seek, WM_LBUTTONDOWN, 50, 10);
  Send(seek, WM_MOUSEMOVE, 60, 10);
  Send(seek, WM_LBUTTONUP, 60, 10);
  EXPECT_EQ(seek.Value(), 100);
  EXPECT_TRUE(Events.empty());

  // Without MouseSupport the button stays where it is.
  seek.SetMouseSupport(false);
  Send(seek, WM_LBUTTONDOWN, seek.ButtonBounds().left + 4, 10);
  EXPECT_FALSE(seek.ButtonDragging());
}

TEST_F(SkinTrackBarTest, AVerticalBarHasItsMaximumAtTheTop) {
  TskSkinTrackBar& volume = Bar("Volume");
  HWND h = volume.Handle();
  // 20 x 200 at -2500 of -5000..0: the button (16 x 8) is centred at y 100.
  EXPECT_EQ(volume.ButtonBounds().top, 96);
  volume.SetValue(0);
  EXPECT_EQ(volume.ButtonBounds().top, 2);
  EXPECT_EQ(WindowPixel(h, 9, 6), ColorToRGB(clBtnFace));  // the button's face over the groove
  volume.SetValue(-5000);
  EXPECT_EQ(volume.ButtonBounds().top, 190);
  EXPECT_EQ(WindowPixel(h, 9, 6), ColorToRGB(clBtnShadow));  // the groove's shadow side

  // Dragging upward raises the value.
  volume.SetValue(-2500);
  Events.clear();
  Send(volume, WM_LBUTTONDOWN, 10, 100);
  Send(volume, WM_MOUSEMOVE, 10, 53);
  Send(volume, WM_LBUTTONUP, 10, 53);
  EXPECT_EQ(volume.Value(), -1250);
  EXPECT_EQ(Events, (std::vector<String>{"Volume drag", "Volume -1250", "Volume last"}));
}

TEST_F(SkinTrackBarTest, WheelAndArrowKeysStepAFocusedBar) {
  TskSkinTrackBar& keys = Bar("Keys");
  // A press takes the focus for a bar that may have it.
  PostMessageW(keys.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
  PostMessageW(keys.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
  windowtesting::Pump();
  ASSERT_EQ(GetFocus(), keys.Handle());
  EXPECT_EQ(WindowPixel(keys.Handle(), 100, 10), RGB(182, 189, 210));  // the focused face

  struct Case {
    bool Vertical;
    UINT Msg;
    int Key;  // wheel delta or virtual key
    int Step;
  } cases[] = {
      {false, WM_MOUSEWHEEL, 120, -1}, {false, WM_MOUSEWHEEL, -120, 1}, {true, WM_MOUSEWHEEL, 120, 1},
      {true, WM_MOUSEWHEEL, -120, -1}, {false, WM_KEYDOWN, VK_LEFT, -1}, {false, WM_KEYDOWN, VK_DOWN, -1},
      {false, WM_KEYDOWN, VK_UP, 1},   {false, WM_KEYDOWN, VK_RIGHT, 1},
  };
  for (const Case& c : cases) {
    keys.SetVertical(c.Vertical);
    keys.SetValue(50);
    Events.clear();
    const WPARAM w = c.Msg == WM_MOUSEWHEEL ? MAKEWPARAM(0, static_cast<WORD>(c.Key)) : static_cast<WPARAM>(c.Key);
    SendMessageW(keys.Handle(), c.Msg, w, 0);
    EXPECT_EQ(keys.Value(), 50 + c.Step) << c.Vertical << " " << c.Msg << " " << c.Key;
    EXPECT_EQ(Events, (std::vector<String>{"Keys " + std::to_string(50 + c.Step), "Keys last"}));
  }
  EXPECT_EQ(keys.Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 1);

  // A bar that may not take the focus ignores both.
  TskSkinTrackBar& seek = Bar("Seek");
  SendMessageW(seek.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  SendMessageW(seek.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(seek.Value(), 0);
  EXPECT_EQ(seek.Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 0);
}

TEST_F(SkinTrackBarTest, JumpWhenClickCentresTheButtonOnTheRelease) {
  TskSkinTrackBar& jump = Bar("Jump");
  // 200 x 20: the value is the click less half the button (4) less the track start (2), in 188 steps.
  struct Case {
    int X;
    int Want;
  } cases[] = {{53, 25}, {190, 98}, {1, 0}, {199, 100}};
  for (const Case& c : cases) {
    jump.SetValue(50);
    Events.clear();
    Send(jump, WM_LBUTTONDOWN, c.X, 10);
    EXPECT_EQ(jump.Value(), 50) << c.X;  // the press alone moves nothing
    Send(jump, WM_LBUTTONUP, c.X, 10);
    EXPECT_EQ(jump.Value(), c.Want) << c.X;
    // A jump reports the change only: no drag and no end of gesture.
    EXPECT_EQ(Events, (std::vector<String>{"Jump " + std::to_string(c.Want)})) << c.X;
  }
}

TEST_F(SkinTrackBarTest, SkinnedLooksFollowTheDescription) {
  TTestSkin skin;
  TskSkinTrackBar& seek = Bar("Seek");
  seek.SetSkinData(&skin.Skin());
  // "htrackbar" grows in width: 200 x 20, its track 2..198, the button 10 x 16 from x 2 at 0.
  EXPECT_EQ(seek.Width(), 200);
  EXPECT_EQ(seek.TrackRect().right, 198);
  HWND h = seek.Handle();
  EXPECT_EQ(WindowPixel(h, 5, 10), ButtonColor);
  EXPECT_EQ(WindowPixel(h, 100, 10), TrackColor);
  Send(seek, WM_LBUTTONDOWN, 5, 10);
  EXPECT_EQ(WindowPixel(h, 5, 10), ActiveButtonColor);
  Send(seek, WM_MOUSEMOVE, 98, 10);
  Send(seek, WM_LBUTTONUP, 98, 10);
  // The centre travels 7..193: 93 of 186 is a half.
  EXPECT_EQ(seek.Value(), 50);
  EXPECT_EQ(WindowPixel(h, 100, 10), ButtonColor);

  // A bar made horizontal takes the orientation its description gives.
  TskSkinTrackBar& jump = Bar("Jump");
  jump.SetBounds(jump.Left(), jump.Top(), 40, 100);
  jump.SetSkinDataName("trackbar");
  jump.SetSkinData(&skin.Skin());
  EXPECT_TRUE(jump.Vertical());
  EXPECT_EQ(jump.Width(), 20);
  EXPECT_EQ(jump.Height(), 100);
  // 16 x 10 button, centre travelling 93..7 upward: at 50 its top is at 45.
  EXPECT_EQ(WindowPixel(jump.Handle(), 10, 50), ButtonColor);
  EXPECT_EQ(jump.ButtonBounds().top, 45);
  EXPECT_EQ(WindowPixel(jump.Handle(), 10, 20), TrackColor);
  jump.SetValue(100);
  EXPECT_EQ(WindowPixel(jump.Handle(), 10, 5), ButtonColor);

  WriteLooks("skintrackbar_looks", {h, Bar("Keys").Handle(), Bar("Volume").Handle(), jump.Handle()}, 200, 200);
}
