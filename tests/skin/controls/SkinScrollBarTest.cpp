#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinScrollBar.h"

#include <functional>
#include <string>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char BarForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 400
  object H: TskSkinScrollBar
    Left = 10
    Top = 10
  end
  object V: TskSkinScrollBar
    Left = 250
    Top = 10
    Width = 19
    Height = 200
    DefaultWidth = 19
    DefaultHeight = 0
    Kind = sbVertical
    SkinDataName = 'vscrollbar'
  end
  object SH: TskSkinScrollBar
    Left = 10
    Top = 40
  end
  object SV: TskSkinScrollBar
    Left = 300
    Top = 10
    Width = 19
    Height = 200
    DefaultWidth = 19
    DefaultHeight = 0
    Kind = sbVertical
    SkinDataName = 'vscrollbar'
  end
  object F: TskSkinScrollBar
    Left = 10
    Top = 80
    Max = 50
    Position = 20
    SmallChange = 2
    CanFocused = True
  end
end)";

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

class SkinScrollBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Moves of the real pointer must not hover the bars.
    SetCursorPos(1270, 1010);
    Form = ShowForm(BarForm);
    Bar("SH").SetSkinData(&Skin.Skin());
    Bar("SV").SetSkinData(&Skin.Skin());
    for (const char* name : {"H", "V", "SH", "SV", "F"}) {
      TskSkinScrollBar& bar = Bar(name);
      bar.OnChange = [this](TObject*) { ++Changes; };
      bar.OnPageUp = [this](TObject*) { ++PageUps; };
      bar.OnPageDown = [this](TObject*) { ++PageDowns; };
      bar.OnLastChange = [this](TObject*) { ++LastChanges; };
    }
  }
  TskSkinScrollBar& Bar(const char* Name) { return *dynamic_cast<TskSkinScrollBar*>(Form->FindComponent(Name)); }
  static void Send(TskSkinScrollBar& B, UINT Msg, WPARAM W, int X, int Y) {
    SendMessageW(B.Handle(), Msg, W, MAKELPARAM(X, Y));
  }
  // A press where the pointer already is, as a real mouse gives it.
  static void Press(TskSkinScrollBar& B, int X, int Y) {
    Send(B, WM_MOUSEMOVE, 0, X, Y);
    Send(B, WM_LBUTTONDOWN, MK_LBUTTON, X, Y);
  }
  static void Tick(TskSkinScrollBar& B) { SendMessageW(B.Handle(), WM_TIMER, 1, 0); }

  TTestSkin Skin;
  std::unique_ptr<TForm> Form;
  int Changes = 0, PageUps = 0, PageDowns = 0, LastChanges = 0;
};

}  // namespace

TEST_F(SkinScrollBarTest, ConstructedAndStreamed) {
  TskSkinScrollBar bar(nullptr);
  EXPECT_EQ(bar.Width(), 200);
  EXPECT_EQ(bar.Height(), 19);
  EXPECT_EQ(bar.DefaultHeight(), 19);
  EXPECT_EQ(bar.SkinDataName(), "hscrollbar");
  EXPECT_EQ(bar.BothSkinDataName(), "bothhscrollbar");
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.SmallChange(), 1);
  EXPECT_EQ(bar.LargeChange(), 1);
  EXPECT_EQ(bar.TabOrder(), -1);
  EXPECT_FALSE(bar.TabStop());
  EXPECT_EQ(bar.Kind(), TScrollBarKind::sbHorizontal);

  TskSkinScrollBar& f = Bar("F");
  EXPECT_EQ(f.Max(), 50);
  EXPECT_EQ(f.Position(), 20);
  EXPECT_TRUE(f.TabStop());
  EXPECT_EQ(Bar("V").Kind(), TScrollBarKind::sbVertical);
  EXPECT_EQ(Bar("SV").Height(), 200);
}

TEST_F(SkinScrollBarTest, Layouts) {
  struct Case {
    const char* What;
    const char* Name;
    int Min, Max, Position, PageSize;
    const char *Track, *Up, *Down, *Thumb;
    int BothMarker = -1;
  } cases[] = {
      {"default at Min", "H", 0, 100, 0, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,33,18"},
      {"default halfway", "H", 0, 100, 50, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "92,1,108,18"},
      {"default at Max", "H", 0, 100, 100, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "167,1,183,18"},
      // Travel 150: a quarter is 37.5 and goes to 38, three quarters 112.5 to 112.
      {"shift halves to even (up)", "H", 0, 4, 1, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "55,1,71,18"},
      {"shift halves to even (down)", "H", 0, 4, 3, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "129,1,145,18"},
      // 150 * 7 / 100 is 10.5 exactly, however 7 / 100 is written in binary.
      {"exact half of the travel", "H", 0, 100, 7, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "27,1,43,18"},
      // Track 166: a page of 40 of 100 is 66.4 long, travelling 100 - 33 ... 150.
      {"proportional", "H", 0, 99, 30, 40, "17,1,183,18", "183,1,199,18", "1,1,17,18", "67,1,133,18"},
      // A quarter of 166 is 41.5 and goes to 42, three quarters 124.5 to 124.
      {"length halves to even (up)", "H", 0, 3, 0, 1, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,59,18"},
      {"length halves to even (down)", "H", 0, 3, 0, 3, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,141,18"},
      {"thumb minimum", "H", 0, 999, 0, 10, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,33,18"},
      {"page above the range", "H", 0, 9, 5, 20, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,183,18"},
      {"Min = Max", "H", 7, 7, 7, 0, "17,1,183,18", "183,1,199,18", "1,1,17,18", "17,1,33,18"},
      {"both marker", "H", 0, 100, 100, 0, "17,1,164,18", "164,1,180,18", "1,1,17,18", "148,1,164,18", 19},
      {"default vertical", "V", 0, 100, 0, 0, "1,17,18,183", "1,183,18,199", "1,1,18,17", "1,17,18,33"},
      {"default vertical at Max", "V", 0, 100, 100, 0, "1,17,18,183", "1,183,18,199", "1,1,18,17", "1,167,18,183"},
      // The skin thumb is 16 long and 15 thick, centred across the 19-pixel track.
      {"skinned at Min", "SH", 0, 100, 0, 0, "19,0,181,19", "181,0,200,19", "0,0,19,19", "19,2,35,17"},
      {"skinned at Max", "SH", 0, 100, 100, 0, "19,0,181,19", "181,0,200,19", "0,0,19,19", "165,2,181,17"},
      {"skinned page above the range", "SH", 0, 9, 5, 20, "19,0,181,19", "181,0,200,19", "0,0,19,19", "19,2,181,17"},
      {"skinned vertical", "SV", 0, 100, 0, 0, "0,19,19,181", "0,181,19,200", "0,0,19,19", "2,19,17,35"},
      {"skinned vertical at Max", "SV", 0, 100, 100, 0, "0,19,19,181", "0,181,19,200", "0,0,19,19", "2,165,17,181"},
  };
  for (const Case& c : cases) {
    TskSkinScrollBar& bar = Bar(c.Name);
    bar.SetBoth(c.BothMarker >= 0);
    bar.SetBothMarkerWidth(std::max(c.BothMarker, 0));
    bar.SetRange(c.Min, c.Max, c.Position, c.PageSize);
    bar.CalcRects();
    EXPECT_EQ(Text(bar.TrackRect()), c.Track) << c.What;
    EXPECT_EQ(Text(bar.Part(TskSkinScrollBar::UpButtonPart).R), c.Up) << c.What;
    EXPECT_EQ(Text(bar.Part(TskSkinScrollBar::DownButtonPart).R), c.Down) << c.What;
    EXPECT_EQ(Text(bar.Part(TskSkinScrollBar::ThumbPart).R), c.Thumb) << c.What;
  }
}

// Whatever the setter, Position stays within Min .. Max - PageSize + 1 (Max without a page, Min
// when the page is larger than the range); only SetPosition tells OnChange.
TEST_F(SkinScrollBarTest, SettersKeepThePositionInRange) {
  struct Case {
    const char* What;
    int Min, Max, Position, PageSize;
    std::function<void(TskSkinScrollBar&)> Do;
    int WantPosition, WantPageSize, WantChanges;
  } cases[] = {
      {"above Max", 0, 100, 0, 0, [](auto& b) { b.SetPosition(150); }, 100, 0, 1},
      {"below Min", 0, 100, 50, 0, [](auto& b) { b.SetPosition(-5); }, 0, 0, 1},
      {"unchanged", 0, 100, 50, 0, [](auto& b) { b.SetPosition(50); }, 50, 0, 0},
      {"past the last page", 0, 100, 0, 10, [](auto& b) { b.SetPosition(95); }, 91, 10, 1},
      {"simply", 0, 100, 0, 0, [](auto& b) { b.SimplySetPosition(250); }, 100, 0, 0},
      {"range with a page above it", 0, 0, 0, 0, [](auto& b) { b.SetRange(0, 9, 5, 20); }, 0, 20, 0},
      {"range below the position", 0, 100, 0, 0, [](auto& b) { b.SetRange(0, 50, 70, 0); }, 50, 0, 0},
      {"range above the position", 0, 100, 0, 0, [](auto& b) { b.SetRange(10, 20, 0, 0); }, 10, 0, 0},
      {"range with a negative page", 0, 100, 0, 0, [](auto& b) { b.SetRange(0, 10, 20, -5); }, 10, 0, 0},
      {"Min above the position", 0, 100, 10, 0, [](auto& b) { b.SetMin(30); }, 30, 0, 0},
      {"Max below the position", 0, 100, 80, 0, [](auto& b) { b.SetMax(40); }, 40, 0, 0},
      // From 20: the last page starts at 81, not at the range length less the page.
      {"Max with a page and Min", 20, 100, 85, 10, [](auto& b) { b.SetMax(90); }, 81, 10, 0},
      {"page that fits from the position", 20, 100, 85, 0, [](auto& b) { b.SetPageSize(16); }, 85, 16, 0},
      {"page past Max", 20, 100, 85, 0, [](auto& b) { b.SetPageSize(17); }, 85, 0, 0},
      {"negative page", 0, 100, 0, 5, [](auto& b) { b.SetPageSize(-1); }, 0, 5, 0},
  };
  TskSkinScrollBar& bar = Bar("H");
  for (const Case& c : cases) {
    bar.SetRange(c.Min, c.Max, c.Position, c.PageSize);
    Changes = 0;
    c.Do(bar);
    EXPECT_EQ(bar.Position(), c.WantPosition) << c.What;
    EXPECT_EQ(bar.PageSize(), c.WantPageSize) << c.What;
    EXPECT_EQ(Changes, c.WantChanges) << c.What;
  }
}

TEST_F(SkinScrollBarTest, HeldButtonStepsThenRepeats) {
  TskSkinScrollBar& bar = Bar("H");
  bar.SetRange(0, 100, 10, 0);
  Press(bar, 190, 9);
  EXPECT_EQ(bar.Position(), 11) << "a step at once";
  EXPECT_EQ(bar.RepeatMode(), TskSkinScrollBar::rmUpButton);
  EXPECT_EQ(bar.TimerInterval(), 500u);
  Tick(bar);
  EXPECT_EQ(bar.Position(), 11) << "the first tick only ends the delay";
  EXPECT_EQ(bar.TimerInterval(), 50u);
  Tick(bar);
  Tick(bar);
  EXPECT_EQ(bar.Position(), 13);
  // Sliding off pauses the repeat, sliding back resumes it at 50 ms.
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 100, 40);
  EXPECT_EQ(bar.TimerInterval(), 0u);
  EXPECT_FALSE(bar.Part(TskSkinScrollBar::UpButtonPart).Hovered);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 190, 9);
  EXPECT_EQ(bar.TimerInterval(), 50u);
  Tick(bar);
  EXPECT_EQ(bar.Position(), 14);
  Send(bar, WM_LBUTTONUP, 0, 190, 9);
  EXPECT_EQ(bar.TimerInterval(), 0u);
  EXPECT_EQ(bar.RepeatMode(), TskSkinScrollBar::rmIdle);
  EXPECT_FALSE(bar.Part(TskSkinScrollBar::UpButtonPart).Down);

  // The down button steps towards Min; an assigned click event replaces the step, repeats included.
  int downClicks = 0;
  bar.OnDownButtonClick = [&](TObject*) { ++downClicks; };
  Press(bar, 8, 9);
  Tick(bar);
  Tick(bar);
  Send(bar, WM_LBUTTONUP, 0, 8, 9);
  EXPECT_EQ(downClicks, 2);
  EXPECT_EQ(bar.Position(), 14);
  bar.OnDownButtonClick = nullptr;
  Press(bar, 8, 9);
  Send(bar, WM_LBUTTONUP, 0, 8, 9);
  EXPECT_EQ(bar.Position(), 13);
}

TEST_F(SkinScrollBarTest, TrackPressPagesUntilTheThumbReachesThePointer) {
  TskSkinScrollBar& bar = Bar("H");
  bar.SetRange(0, 100, 0, 0);
  bar.SetLargeChange(10);
  // The thumb's right edge is 33 + 1.5 * Position: the pointer at 120 is reached at 60.
  Press(bar, 120, 9);
  EXPECT_EQ(bar.Position(), 10);
  EXPECT_EQ(PageDowns, 1);
  EXPECT_EQ(bar.TimerInterval(), 500u);
  for (int i = 0; i < 20 && bar.RepeatMode() != TskSkinScrollBar::rmIdle; ++i) Tick(bar);
  EXPECT_EQ(bar.Position(), 60);
  EXPECT_EQ(PageDowns, 6);
  EXPECT_EQ(bar.TimerInterval(), 0u) << "stopped by itself";
  Send(bar, WM_LBUTTONUP, 0, 120, 9);
  EXPECT_EQ(Changes, 6);

  // Towards Min, the thumb's left edge (17 + 1.5 * Position) passes the pointer at 40 from 10 on.
  bar.SetPosition(100);
  Press(bar, 40, 9);
  for (int i = 0; i < 20 && bar.RepeatMode() != TskSkinScrollBar::rmIdle; ++i) Tick(bar);
  EXPECT_EQ(bar.Position(), 10);
  EXPECT_EQ(PageUps, 9);
  // The release stops paging that has not reached the pointer yet.
  Send(bar, WM_LBUTTONUP, 0, 40, 9);
  Press(bar, 120, 9);
  Send(bar, WM_LBUTTONUP, 0, 120, 9);
  EXPECT_EQ(bar.RepeatMode(), TskSkinScrollBar::rmIdle);
  EXPECT_EQ(bar.TimerInterval(), 0u);
}

TEST_F(SkinScrollBarTest, ThumbDrag) {
  TskSkinScrollBar& bar = Bar("H");
  bar.SetRange(0, 100, 0, 0);
  Press(bar, 25, 9);
  EXPECT_TRUE(bar.ThumbDragging());
  EXPECT_EQ(bar.TimerInterval(), 0u);
  // Half of the 150-pixel travel; far beyond the end, Max.
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 100, 9);
  EXPECT_EQ(bar.Position(), 50);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 400, 9);
  EXPECT_EQ(bar.Position(), 100);
  EXPECT_EQ(LastChanges, 0);
  Send(bar, WM_LBUTTONUP, 0, 400, 9);
  EXPECT_FALSE(bar.ThumbDragging());
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(LastChanges, 1);

  // With a page the drag covers Min .. Max - PageSize + 1; with Min = Max it stays at Min.
  bar.SetRange(0, 99, 0, 40);
  Press(bar, 60, 9);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 110, 9);
  Send(bar, WM_LBUTTONUP, 0, 110, 9);
  EXPECT_EQ(bar.Position(), 30);
  bar.SetRange(5, 5, 5, 0);
  Press(bar, 25, 9);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 150, 9);
  Send(bar, WM_LBUTTONUP, 0, 150, 9);
  EXPECT_EQ(bar.Position(), 5);
}

TEST_F(SkinScrollBarTest, PressEndsWhenTheBarLosesTheMouse) {
  TskSkinScrollBar& bar = Bar("H");
  Press(bar, 190, 9);
  bar.SetEnabled(false);
  EXPECT_EQ(bar.TimerInterval(), 0u);
  EXPECT_EQ(bar.RepeatMode(), TskSkinScrollBar::rmIdle);
  EXPECT_FALSE(bar.Part(TskSkinScrollBar::UpButtonPart).Down);
  bar.SetEnabled(true);
  Press(bar, 190, 9);
  ReleaseCapture();
  EXPECT_EQ(bar.TimerInterval(), 0u);
  EXPECT_EQ(bar.CapturedPart(), -1);
}

TEST_F(SkinScrollBarTest, KeysAndWheelOnlyWhenFocused) {
  TskSkinScrollBar& f = Bar("F");
  TskSkinScrollBar& h = Bar("H");
  h.SetPosition(50);
  h.SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(f.Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 1);
  EXPECT_EQ(f.Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  EXPECT_EQ(h.Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 0);
  // Not focused: the wheel does nothing.
  SendMessageW(f.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(f.Position(), 20);

  f.SetFocus();
  windowtesting::Pump();
  ASSERT_TRUE(f.IsFocused());
  struct Step {
    UINT Msg;
    WPARAM W;
    int Want;
  } steps[] = {
      {WM_KEYDOWN, VK_RIGHT, 22},      {WM_KEYDOWN, VK_DOWN, 24},
      {WM_KEYDOWN, VK_LEFT, 22},       {WM_KEYDOWN, VK_UP, 20},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 18},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 20},
  };
  for (const Step& s : steps) {
    SendMessageW(f.Handle(), s.Msg, s.W, 0);
    EXPECT_EQ(f.Position(), s.Want) << s.Msg << " " << s.W;
  }
  // A focused bar shows its thumb pressed.
  const int thumb = f.Part(TskSkinScrollBar::ThumbPart).R.left;
  EXPECT_EQ(WindowPixel(f.Handle(), thumb, 9), 0x800000u);
  EXPECT_EQ(WindowPixel(f.Handle(), thumb + 3, 9), 0xB59385u);

  // A bar that may not take the focus ignores the keys even with the focus.
  h.SetFocus();
  windowtesting::Pump();
  SendMessageW(h.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(h.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(h.Position(), 50);
  EXPECT_EQ(WindowPixel(f.Handle(), thumb, 9), ColorToRGB(clBtnShadow));
}

TEST_F(SkinScrollBarTest, DefaultLooks) {
  TskSkinScrollBar& bar = Bar("H");
  HWND h = bar.Handle();
  const COLORREF face = ColorToRGB(clBtnFace);
  // Up button 183..199, thumb 17..33.
  EXPECT_EQ(WindowPixel(h, 183, 9), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(h, 185, 3), face);
  EXPECT_EQ(WindowPixel(h, 191, 9), 0x000000u) << "the arrow";
  EXPECT_EQ(WindowPixel(h, 17, 9), ColorToRGB(clBtnShadow)) << "the thumb";
  EXPECT_EQ(WindowPixel(h, 0, 0), face);
  Send(bar, WM_MOUSEMOVE, 0, 190, 9);
  EXPECT_EQ(WindowPixel(h, 183, 9), 0x800000u);
  EXPECT_EQ(WindowPixel(h, 185, 3), 0xD2BDB6u);
  Send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 190, 9);
  EXPECT_EQ(WindowPixel(h, 185, 3), 0xB59385u);
  Send(bar, WM_LBUTTONUP, 0, 190, 9);
  bar.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(h, 185, 3), face);
  // A disabled bar has no thumb.
  bar.SetPosition(0);
  bar.SetEnabled(false);
  EXPECT_EQ(WindowPixel(h, 17, 9), face);
  EXPECT_EQ(WindowPixel(h, 183, 9), ColorToRGB(clBtnShadow));
  bar.SetEnabled(true);
}

TEST_F(SkinScrollBarTest, SkinnedLooks) {
  TskSkinScrollBar& sh = Bar("SH");
  TskSkinScrollBar& sv = Bar("SV");
  HWND h = sh.Handle();
  // Thumb 19..35 x 2..17 with its glyph at 25..29 x 7..11; up button 181..200.
  struct Step {
    const char* What;
    std::function<void()> Do;
    int X, Y;
    COLORREF Want;
  } steps[] = {
      {"track", [] {}, 100, 9, NormalColor},
      {"thumb", [] {}, 20, 9, ThumbColor},
      {"thumb edge", [] {}, 20, 1, NormalColor},
      {"glyph", [] {}, 27, 9, GlyphColor},
      {"hot thumb", [&] { Send(sh, WM_MOUSEMOVE, 0, 22, 9); }, 20, 9, HotColor},
      {"pressed thumb", [&] { Send(sh, WM_LBUTTONDOWN, MK_LBUTTON, 22, 9); }, 20, 9, DownColor},
      {"released thumb", [&] { Send(sh, WM_LBUTTONUP, 0, 22, 9); }, 20, 9, HotColor},
      {"normal up button", [&] { Send(sh, WM_MOUSEMOVE, 0, 100, 9); }, 190, 9, NormalColor},
      {"hot up button", [&] { Send(sh, WM_MOUSEMOVE, 0, 190, 9); }, 190, 9, HotColor},
      {"pressed up button", [&] { Send(sh, WM_LBUTTONDOWN, MK_LBUTTON, 190, 9); }, 190, 9, DownColor},
      {"released up button", [&] { Send(sh, WM_LBUTTONUP, 0, 190, 9); }, 190, 9, HotColor},
      {"disabled", [&] { sh.SetPosition(0); sh.SetEnabled(false); }, 20, 9, NormalColor},
      {"both", [&] { sh.SetEnabled(true); sh.SetBoth(true); }, 100, 9, DisabledColor},
      {"not both", [&] { sh.SetBoth(false); }, 100, 9, NormalColor},
  };
  for (const Step& s : steps) {
    s.Do();
    EXPECT_EQ(WindowPixel(h, s.X, s.Y), s.Want) << s.What;
  }
  EXPECT_EQ(sh.SkinDataName(), "hscrollbar");

  // The vertical twin: thumb 2..17 x 19..35, the down button's looks fall back to the active one.
  HWND v = sv.Handle();
  EXPECT_EQ(WindowPixel(v, 9, 20), ThumbColor);
  EXPECT_EQ(WindowPixel(v, 9, 27), GlyphColor);
  Press(sv, 9, 9);
  EXPECT_EQ(WindowPixel(v, 9, 9), HotColor);
  Send(sv, WM_LBUTTONUP, 0, 9, 9);
  sv.SetEnabled(false);
  EXPECT_EQ(WindowPixel(v, 9, 20), NormalColor);
  sv.SetEnabled(true);

  Send(sh, WM_MOUSEMOVE, 0, 100, 9);
  sv.Perform(CM_MOUSELEAVE, 0, 0);
  Bar("H").SetPosition(30);
  Bar("V").SetRange(0, 100, 60, 30);
  sv.SetRange(0, 100, 60, 30);
  WriteLooks("skinscrollbar_looks", {Bar("H").Handle(), h, Bar("V").Handle(), v}, 200, 200);
}

TEST_F(SkinScrollBarTest, DesignTimeKindAndBoth) {
  TskSkinScrollBar bar(nullptr);
  bar.SetComponentState(TComponentStateItem::csDesigning, true);
  bar.SetKind(TScrollBarKind::sbVertical);
  EXPECT_EQ(bar.SkinDataName(), "vscrollbar");
  EXPECT_EQ(bar.Width(), 19);
  EXPECT_EQ(bar.Height(), 200);
  EXPECT_EQ(bar.DefaultWidth(), 19);
  EXPECT_EQ(bar.DefaultHeight(), 0);
  bar.SetKind(TScrollBarKind::sbHorizontal);
  EXPECT_EQ(bar.SkinDataName(), "hscrollbar");
  EXPECT_EQ(bar.Width(), 200);
  EXPECT_EQ(bar.DefaultHeight(), 19);
  bar.SetBoth(true);
  EXPECT_EQ(bar.SkinDataName(), "hscrollbar");

  // At run time the kind alone changes.
  TskSkinScrollBar running(nullptr);
  running.SetKind(TScrollBarKind::sbVertical);
  EXPECT_EQ(running.SkinDataName(), "hscrollbar");
  EXPECT_EQ(running.Width(), 200);
  running.SetBoth(true);
  EXPECT_EQ(running.SkinDataName(), "bothhscrollbar");
  running.SetBoth(false);
  EXPECT_EQ(running.SkinDataName(), "hscrollbar");
}
