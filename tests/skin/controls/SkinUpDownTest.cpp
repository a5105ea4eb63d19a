#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinUpDown.h"
#include "skin/data/Skutils.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char UpDownForm[] = R"(object TestForm: TForm
  Width = 300
  Height = 200
  object UpDown: TskSkinUpDown
    Left = 10
    Top = 10
  end
  object Vertical: TskSkinUpDown
    Left = 60
    Top = 10
    Width = 20
    Height = 40
    Orientation = udVertical
  end
end)";

class SkinUpDownTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(UpDownForm);
    Control = dynamic_cast<TskSkinUpDown*>(Form->FindComponent("UpDown"));
    ASSERT_TRUE(Control);
    Control->OnChange = [this](TObject*) { ++Changes; };
    Control->OnUpButtonClick = [this](TObject*) { ++UpClicks; };
    Control->OnDownButtonClick = [this](TObject*) { ++DownClicks; };
  }
  void Send(UINT Msg, WPARAM W, int X, int Y) { SendMessageW(Control->Handle(), Msg, W, MAKELPARAM(X, Y)); }
  // The middle of button I.
  POINT Middle(int I) const {
    const TRect& r = Control->ArrowButton(I).Rect;
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Press(int I) { Send(WM_LBUTTONDOWN, MK_LBUTTON, Middle(I).x, Middle(I).y); }
  void Release(int I) { Send(WM_LBUTTONUP, 0, Middle(I).x, Middle(I).y); }
  void Tick() { Send(WM_TIMER, 1, 0, 0); }

  std::unique_ptr<TForm> Form;
  TskSkinUpDown* Control = nullptr;
  int Changes = 0, UpClicks = 0, DownClicks = 0;
};

}  // namespace

TEST_F(SkinUpDownTest, DefaultSizeAndHalvesWithTheSharedColumnCountingUp) {
  EXPECT_EQ(Control->SkinDataName(), "hupdown");
  EXPECT_EQ(Control->Width(), 25);
  EXPECT_EQ(Control->Height(), 50);
  EXPECT_EQ(Control->Min(), 0);
  EXPECT_EQ(Control->Max(), 100);
  EXPECT_EQ(Control->Increment(), 1);
  EXPECT_TRUE(EqRects(Control->ArrowButton(1).Rect, Rect(0, 0, 12, 50)));
  EXPECT_TRUE(EqRects(Control->ArrowButton(0).Rect, Rect(12, 0, 25, 50)));
  Send(WM_MOUSEMOVE, 0, 12, 20);
  EXPECT_EQ(Control->HotButton(), 0);
  Send(WM_MOUSEMOVE, 0, 11, 20);
  EXPECT_EQ(Control->HotButton(), 1);

  auto& vertical = *dynamic_cast<TskSkinUpDown*>(Form->FindComponent("Vertical"));
  EXPECT_TRUE(EqRects(vertical.ArrowButton(0).Rect, Rect(0, 0, 20, 20)));
  EXPECT_TRUE(EqRects(vertical.ArrowButton(1).Rect, Rect(0, 20, 20, 40)));
}

TEST_F(SkinUpDownTest, ClicksStepOnReleaseWithinTheRange) {
  struct Case {
    const char* Name;
    int Position, Max, Increment;
    int Pressed, Released;  // the button pressed, the one the mouse is released over
    int WantPosition, WantChanges, WantUp, WantDown;
  } cases[] = {
      {"up", 10, 100, 1, 0, 0, 11, 1, 1, 0},
      {"down", 10, 100, 1, 1, 1, 9, 1, 0, 1},
      {"past the maximum: no step, no change, still the click", 98, 100, 5, 0, 0, 98, 0, 1, 0},
      {"below the minimum", 0, 100, 1, 1, 1, 0, 0, 0, 1},
      {"no increment: only the click", 10, 100, 0, 0, 0, 10, 0, 1, 0},
      {"released over the other button: the pressed one steps", 10, 100, 1, 0, 1, 11, 1, 1, 0},
  };
  for (const Case& c : cases) {
    Control->SetMax(c.Max);
    Control->SetPosition(c.Position);
    Control->SetIncrement(c.Increment);
    Changes = UpClicks = DownClicks = 0;
    Press(c.Pressed);
    EXPECT_TRUE(Control->ArrowButton(c.Pressed).Pressed) << c.Name;
    EXPECT_EQ(Control->Repeating(), c.Increment != 0) << c.Name;
    EXPECT_EQ(Control->Position(), c.Position) << c.Name << ": nothing steps on the press";
    if (c.Released != c.Pressed) Send(WM_MOUSEMOVE, MK_LBUTTON, Middle(c.Released).x, Middle(c.Released).y);
    Release(c.Released);
    EXPECT_EQ(Control->Position(), c.WantPosition) << c.Name;
    EXPECT_EQ(Changes, c.WantChanges) << c.Name;
    EXPECT_EQ(UpClicks, c.WantUp) << c.Name;
    EXPECT_EQ(DownClicks, c.WantDown) << c.Name;
    EXPECT_FALSE(Control->ArrowButton(c.Pressed).Pressed) << c.Name;
    EXPECT_FALSE(Control->Repeating()) << c.Name;
  }
}

TEST_F(SkinUpDownTest, RangeSettersMoveThePositionQuietlyAndTheValueSetterAlwaysFires) {
  Control->SetPosition(80);
  EXPECT_EQ(Changes, 1);
  Control->SetMax(50);
  EXPECT_EQ(Control->Position(), 50);
  Control->SetMin(60);  // the minimum is not checked against the maximum
  EXPECT_EQ(Control->Position(), 60);
  EXPECT_EQ(Changes, 1);
  Control->SetMin(0);
  Control->SetMax(100);
  Control->SetPosition(60);  // the same value fires again
  EXPECT_EQ(Changes, 2);
  Control->SetPosition(101);
  Control->SetPosition(-1);
  EXPECT_EQ(Control->Position(), 60);
  EXPECT_EQ(Changes, 2);
}

TEST_F(SkinUpDownTest, HeldButtonWaitsOneTickThenStepsEachTickAndOnceMoreOnRelease) {
  Control->SetPosition(10);
  Changes = 0;
  Press(1);
  Tick();  // the end of the first delay only speeds the timer up
  EXPECT_EQ(Control->Position(), 10);
  for (int want = 9; want >= 5; --want) {
    Tick();
    EXPECT_EQ(Control->Position(), want);
  }
  Release(1);
  EXPECT_EQ(Control->Position(), 4);
  EXPECT_EQ(Changes, 6);
  Tick();  // the timer is gone with the release
  EXPECT_EQ(Control->Position(), 4);
}

TEST_F(SkinUpDownTest, HeldButtonRepeatsOnItsOwnTimer) {
  Control->SetPosition(50);
  Press(0);
  windowtesting::PumpFor(300);
  EXPECT_EQ(Control->Position(), 50) << "no step during the first delay";
  windowtesting::PumpFor(1000);
  EXPECT_GT(Control->Position(), 52);
  Release(0);
}

TEST_F(SkinUpDownTest, DefaultAndSkinnedLooks) {
  const HWND h = Control->Handle();
  const POINT up = Middle(0);
  EXPECT_EQ(WindowPixel(h, up.x + 4, 4), GetSysColor(COLOR_BTNFACE));
  Send(WM_MOUSEMOVE, 0, up.x, up.y);
  EXPECT_EQ(WindowPixel(h, up.x + 4, 4), 0xD2BDB6u);
  Press(0);
  EXPECT_EQ(WindowPixel(h, up.x + 4, 4), 0xB59385u);
  EXPECT_EQ(WindowPixel(h, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  Release(0);
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);

  TTestSkin skin;
  Control->SetSkinData(&skin.Skin());
  EXPECT_EQ(Control->Width(), 40);
  EXPECT_EQ(Control->Height(), 20);
  EXPECT_TRUE(EqRects(Control->ArrowButton(0).Rect, Rect(20, 0, 40, 20)));
  EXPECT_EQ(WindowPixel(h, 30, 10), NormalColor);
  Send(WM_MOUSEMOVE, 0, 30, 10);
  EXPECT_EQ(WindowPixel(h, 30, 10), HotColor);
  EXPECT_EQ(WindowPixel(h, 10, 10), NormalColor);
  Press(0);
  EXPECT_EQ(WindowPixel(h, 30, 10), DownColor);
  WriteLooks("skinupdown_looks", {h}, 40, 20);
  Release(0);
  // The down button has no pressed look of its own: it shows its hot one.
  Press(1);
  EXPECT_EQ(WindowPixel(h, 10, 10), HotColor);
  Release(1);

  // Off the skin's size the halves are drawn from the skin's resizable button.
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  Control->SetUseSkinSize(false);
  Control->SetBounds(10, 10, 60, 30);
  EXPECT_EQ(Control->Width(), 60);
  EXPECT_TRUE(EqRects(Control->ArrowButton(0).Rect, Rect(30, 0, 60, 30)));
  EXPECT_EQ(WindowPixel(h, 2, 2), NormalColor);
  Send(WM_MOUSEMOVE, 0, 45, 15);
  EXPECT_EQ(WindowPixel(h, 32, 2), HotColor);
  EXPECT_EQ(WindowPixel(h, 2, 2), NormalColor);
  EXPECT_EQ(WindowPixel(h, 44, 15), 0xFFFFFFu) << "the arrow in the hot font colour";
}
