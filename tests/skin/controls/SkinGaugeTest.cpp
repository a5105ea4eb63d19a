#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/Threads.h"
#include "skin/controls/SkinGauge.h"
#include "skin/data/Skutils.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char GaugeForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 300
  Color = clRed
  object Plain: TskSkinGauge
    Left = 10
    Top = 10
    ShowPercent = True
  end
  object Upright: TskSkinGauge
    Left = 10
    Top = 40
    Width = 20
    Height = 100
    Vertical = True
  end
  object Skinned: TskSkinGauge
    Left = 150
    Top = 10
    Value = 100
  end
  object Stretched: TskSkinGauge
    Left = 150
    Top = 40
    Width = 200
    Height = 40
    UseSkinSize = False
    Value = 100
  end
end)";

// Where the pixels of one colour lie in a window, and how many there are.
struct TColourScan {
  TRect Box;
  int Count = 0;
  bool Empty() const { return Count == 0; }
};

TColourScan ScanColour(HWND Window, int Width, int Height, COLORREF Colour) {
  windowtesting::TPaintTarget target(Width, Height, 0xFF00FF);
  target.Paint(Window);
  TColourScan scan{Rect(Width, Height, 0, 0), 0};
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      if (target.Pixel(x, y) != Colour) continue;
      ++scan.Count;
      scan.Box = Rect(std::min<int>(scan.Box.left, x), std::min<int>(scan.Box.top, y),
                      std::max<int>(scan.Box.right, x + 1), std::max<int>(scan.Box.bottom, y + 1));
    }
  return scan;
}

int CentreX(const TRect& R) { return (R.left + R.right) / 2; }
int CentreY(const TRect& R) { return (R.top + R.bottom) / 2; }

class SkinGaugeTest : public ::testing::Test {
protected:
  void SetUp() override { Form = ShowForm(GaugeForm); }
  TskSkinGauge& Gauge(const char* Name) { return *dynamic_cast<TskSkinGauge*>(Form->FindComponent(Name)); }
  // Gives a gauge a description of the test skin.
  TskSkinGauge& Skin(const char* Name, const char* Description) {
    TskSkinGauge& g = Gauge(Name);
    g.SetSkinDataName(Description);
    g.SetSkinData(&TestSkin.Skin());
    return g;
  }

  TTestSkin TestSkin;
  std::unique_ptr<TForm> Form;
};

}  // namespace

TEST_F(SkinGaugeTest, TheTextIsTheProgressTextAndThePercentage) {
  TskSkinGauge fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 100);
  EXPECT_EQ(fresh.Height(), 20);
  EXPECT_EQ(fresh.SkinDataName(), "gauge");
  EXPECT_EQ(fresh.Value(), 50);
  EXPECT_EQ(fresh.TextAlphaBlendValue(), 200);
  EXPECT_TRUE(fresh.UseSkinSize());

  struct Case {
    bool ShowText;
    const char* Text;
    bool ShowPercent;
    int Min, Max, Value;
    const char* Want;
  } cases[] = {
      {true, "Track 1 ", true, 0, 100, 50, "Track 1 50%"},
      {true, "Doing", false, 0, 100, 50, "Doing"},
      {false, "Doing", true, 0, 8, 1, "12%"},  // 12.5
      {false, "", true, 0, 8, 3, "38%"},       // 37.5
      {false, "", true, 0, 200, 1, "0%"},      // 0.5
      {false, "", true, 0, 200, 3, "2%"},      // 1.5
      {false, "", true, -5000, 0, -2500, "50%"},
      {false, "", true, 5, 5, 5, "0%"},  // equal bounds
      {true, "", false, 0, 100, 50, ""},
      {false, "Doing", false, 0, 100, 50, ""},
  };
  for (const Case& c : cases) {
    fresh.SetShowProgressText(c.ShowText);
    fresh.SetProgressText(c.Text);
    fresh.SetShowPercent(c.ShowPercent);
    fresh.SetMinValue(-10000);
    fresh.SetMaxValue(c.Max);
    fresh.SetMinValue(c.Min);
    fresh.SetValue(c.Value);
    EXPECT_EQ(fresh.ShownText(), c.Want) << c.Min << ".." << c.Max << " at " << c.Value;
  }
  // Bounds move the value inside them; the value stays inside its bounds.
  fresh.SetMinValue(0);
  fresh.SetMaxValue(100);
  fresh.SetValue(150);
  EXPECT_EQ(fresh.Value(), 100);
  fresh.SetMaxValue(30);
  EXPECT_EQ(fresh.Value(), 30);
}

TEST_F(SkinGaugeTest, DefaultLookGrowsAlongItsAxisWithItsTextCentred) {
  TskSkinGauge& plain = Gauge("Plain");
  HWND h = plain.Handle();
  // 50 of 0..100: the strip covers 49 of the 98 inner pixels from x 1.
  EXPECT_EQ(WindowPixel(h, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(h, 5, 3), RGB(182, 189, 210));
  EXPECT_EQ(WindowPixel(h, 49, 3), RGB(182, 189, 210));
  EXPECT_EQ(WindowPixel(h, 50, 3), ColorToRGB(clWindow));
  const TColourScan text = ScanColour(h, 100, 20, ColorToRGB(clWindowText));
  ASSERT_FALSE(text.Empty());
  EXPECT_GT(RectWidth(text.Box), RectHeight(text.Box));
  EXPECT_NEAR(CentreX(text.Box), 50, 3);
  EXPECT_NEAR(CentreY(text.Box), 10, 3);

  // Upright: the strip grows from the bottom and the text runs upward, centred.
  TskSkinGauge& upright = Gauge("Upright");
  HWND v = upright.Handle();
  upright.SetValue(30);
  EXPECT_EQ(WindowPixel(v, 10, 97), RGB(182, 189, 210));
  EXPECT_EQ(WindowPixel(v, 10, 70), RGB(182, 189, 210));  // 99 - 29
  EXPECT_EQ(WindowPixel(v, 10, 69), ColorToRGB(clWindow));
  upright.SetShowProgressText(true);
  upright.SetProgressText("Rip ");
  upright.SetShowPercent(true);
  const TColourScan vertical = ScanColour(v, 20, 100, ColorToRGB(clWindowText));
  ASSERT_FALSE(vertical.Empty());
  EXPECT_GT(RectHeight(vertical.Box), 2 * RectWidth(vertical.Box));
  EXPECT_NEAR(CentreX(vertical.Box), 10, 3);
  EXPECT_NEAR(CentreY(vertical.Box), 50, 3);
  windowtesting::Pump();
  WriteLooks("skingauge_default_looks", {h, v}, 100, 100);
}

TEST_F(SkinGaugeTest, SkinnedStripKeepsItsCapsAtBothEnds) {
  struct Case {
    const char* Description;
    int Max, Value;
    int X;
    COLORREF Want;
  } cases[] = {
      // Full: the area 2..98 holds a cap of 4, four tiles of 22 (each starting with the mark), a cap of 4.
      {"gauge", 100, 100, 1, GaugeColor},
      {"gauge", 100, 100, 2, BeginCapColor},
      {"gauge", 100, 100, 5, BeginCapColor},
      {"gauge", 100, 100, 6, MarkColor},
      {"gauge", 100, 100, 7, MiddleColor},
      {"gauge", 100, 100, 28, MarkColor},
      {"gauge", 100, 100, 50, MarkColor},
      {"gauge", 100, 100, 72, MarkColor},
      {"gauge", 100, 100, 93, MiddleColor},
      {"gauge", 100, 100, 94, EndCapColor},
      {"gauge", 100, 100, 97, EndCapColor},
      {"gauge", 100, 100, 98, GaugeColor},
      // Half: 48 pixels, the last tile cut, the end cap after it.
      {"gauge", 100, 50, 28, MarkColor},
      {"gauge", 100, 50, 45, MiddleColor},
      {"gauge", 100, 50, 46, EndCapColor},
      {"gauge", 100, 50, 49, EndCapColor},
      {"gauge", 100, 50, 50, GaugeColor},
      // Shorter than the two caps (6 pixels): the begin cap, then the end cap over its last pixels.
      {"gauge", 96, 6, 3, BeginCapColor},
      {"gauge", 96, 6, 4, EndCapColor},
      {"gauge", 96, 6, 7, EndCapColor},
      {"gauge", 96, 6, 8, GaugeColor},
      // Stretched: the middle of 22 scaled to 88, its mark 4 pixels wide.
      {"stretchgauge", 100, 100, 9, MarkColor},
      {"stretchgauge", 100, 100, 10, MiddleColor},
      {"stretchgauge", 100, 100, 28, MiddleColor},
      {"stretchgauge", 100, 100, 94, EndCapColor},
      // At the minimum there is no strip.
      {"gauge", 100, 0, 3, GaugeColor},
  };
  TskSkinGauge& g = Skin("Skinned", "gauge");
  for (const Case& c : cases) {
    g.SetSkinDataName(c.Description);
    g.SetMaxValue(c.Max);
    g.SetValue(c.Value);
    EXPECT_EQ(WindowPixel(g.Handle(), c.X, 10), c.Want)
        << c.Description << " " << c.Value << "/" << c.Max << " at x " << c.X;
  }
}

// "capgauge" has caps and no middle to tile: the caps and the text are still drawn.
TEST_F(SkinGaugeTest, AProgressPictureWithoutAMiddleStillShowsCapsAndText) {
  TskSkinGauge& g = Skin("Skinned", "capgauge");
  HWND h = g.Handle();
  EXPECT_EQ(WindowPixel(h, 50, 3), GaugeColor);  // nothing tiled between the caps
  g.SetShowPercent(true);
  EXPECT_EQ(WindowPixel(h, 3, 3), BeginCapColor);
  EXPECT_EQ(WindowPixel(h, 96, 3), EndCapColor);
  const TColourScan text = ScanColour(h, 100, 20, 0xFFFFFF);
  ASSERT_FALSE(text.Empty()) << "the text is missing";
  EXPECT_NEAR(CentreX(text.Box), 50, 3);
  windowtesting::Pump();
  WriteLooks("skingauge_cap_looks", {h}, 100, 20);
  // Without a strip at all the text still shows.
  g.SetValue(0);
  EXPECT_EQ(WindowPixel(h, 3, 3), GaugeColor);
  EXPECT_FALSE(ScanColour(h, 100, 20, 0xFFFFFF).Empty()) << "no 0%";

  // A description naming no picture draws no strip and still writes its text (in green).
  g.SetSkinDataName("nopicturegauge");
  g.SetValue(40);
  EXPECT_EQ(g.ShownText(), "40%");
  EXPECT_FALSE(ScanColour(h, 100, 20, 0x00FF00).Empty());
}

TEST_F(SkinGaugeTest, AnUprightSkinnedGaugeGrowsFromTheBottom) {
  TskSkinGauge& g = Skin("Upright", "vgauge");
  EXPECT_TRUE(g.Vertical());
  EXPECT_EQ(g.Width(), 20);
  g.SetValue(50);
  HWND h = g.Handle();
  // Area 2..98, half of it from y 50: the begin cap on top, tiles from the bottom upward (each
  // ending in the mark, the top one cut), the end cap at the bottom.
  EXPECT_EQ(WindowPixel(h, 10, 49), GaugeColor);
  EXPECT_EQ(WindowPixel(h, 10, 50), BeginCapColor);
  EXPECT_EQ(WindowPixel(h, 10, 55), MiddleColor);
  EXPECT_EQ(WindowPixel(h, 10, 71), MarkColor);
  EXPECT_EQ(WindowPixel(h, 10, 80), MiddleColor);
  EXPECT_EQ(WindowPixel(h, 10, 93), MarkColor);
  EXPECT_EQ(WindowPixel(h, 10, 94), EndCapColor);
  EXPECT_EQ(WindowPixel(h, 10, 97), EndCapColor);

  g.SetShowPercent(true);
  g.SetValue(100);
  const TColourScan text = ScanColour(h, 20, 100, 0xFFFFFF);
  ASSERT_FALSE(text.Empty());
  EXPECT_GT(RectHeight(text.Box), RectWidth(text.Box));
  EXPECT_NEAR(CentreY(text.Box), 50, 3);
  windowtesting::Pump();
  WriteLooks("skingauge_upright_looks", {h}, 20, 100);
}

// A gauge of its own size stretches the skin image but keeps the size of its text.
TEST_F(SkinGaugeTest, UseSkinSizeOffStretchesThePictureNotTheText) {
  TskSkinGauge& own = Skin("Stretched", "gauge");
  TskSkinGauge& pinned = Skin("Skinned", "gauge");
  EXPECT_EQ(own.Width(), 200);
  EXPECT_EQ(own.Height(), 40);
  HWND h = own.Handle();
  // The picture grows to 200 wide (area 2..198) and is stretched to 40 high.
  EXPECT_EQ(WindowPixel(h, 5, 5), BeginCapColor);
  EXPECT_EQ(WindowPixel(h, 5, 35), BeginCapColor);
  EXPECT_EQ(WindowPixel(h, 5, 3), GaugeColor);
  EXPECT_EQ(WindowPixel(h, 195, 20), EndCapColor);
  EXPECT_EQ(WindowPixel(h, 198, 20), GaugeColor);
  for (TskSkinGauge* g : {&own, &pinned}) {
    g->SetShowProgressText(true);
    g->SetProgressText("Hg");
  }
  const TColourScan ownText = ScanColour(h, 200, 40, 0xFFFFFF);
  const TColourScan pinnedText = ScanColour(pinned.Handle(), 100, 20, 0xFFFFFF);
  ASSERT_FALSE(ownText.Empty());
  ASSERT_FALSE(pinnedText.Empty());
  EXPECT_NEAR(RectHeight(ownText.Box), RectHeight(pinnedText.Box), 1);
  EXPECT_NEAR(ownText.Count, pinnedText.Count, pinnedText.Count / 10);
  EXPECT_NEAR(CentreX(ownText.Box), 100, 3);
  windowtesting::Pump();
  WriteLooks("skingauge_stretched_looks", {h}, 200, 40);
}

TEST_F(SkinGaugeTest, BlendedTextShowsWithItsOpacity) {
  TskSkinGauge& g = Skin("Skinned", "gauge");
  HWND h = g.Handle();
  const int bare = ScanColour(h, 100, 20, MiddleColor).Count;
  g.SetShowPercent(true);
  g.SetTextAlphaBlend(true);
  struct Case {
    std::uint8_t Opacity;
    bool White;    // pure white text pixels
    bool Covered;  // fewer strip pixels than without text
  } cases[] = {{255, true, true}, {200, false, true}, {0, false, false}};
  for (const Case& c : cases) {
    g.SetTextAlphaBlendValue(c.Opacity);
    EXPECT_EQ(!ScanColour(h, 100, 20, 0xFFFFFF).Empty(), c.White) << int(c.Opacity);
    EXPECT_EQ(ScanColour(h, 100, 20, MiddleColor).Count < bare, c.Covered) << int(c.Opacity);
  }
}

namespace {

// The ripping job's way with the gauge: many setter calls from a worker thread.
class TSetterThread : public TThread {
public:
  explicit TSetterThread(TskSkinGauge& Gauge) : TThread(true), FGauge(Gauge) {}
  ~TSetterThread() override { TerminateAndWait(); }

protected:
  void Execute() override {
    for (int i = 0; i < 10000; ++i) {
      switch (i % 3) {
        case 0: FGauge.SetMaxValue(100 + i % 50); break;
        case 1: FGauge.SetValue(i % 120); break;
        default: FGauge.SetProgressText("Track " + IntToStr(i) + " "); break;
      }
    }
    FGauge.SetMaxValue(200);
    FGauge.SetValue(100);
    FGauge.SetProgressText("Done ");
  }

private:
  TskSkinGauge& FGauge;
};

}  // namespace

TEST_F(SkinGaugeTest, AWorkerThreadDrivesTheGaugeWhileTheWindowPaints) {
  TskSkinGauge& g = Skin("Skinned", "gauge");
  g.SetShowProgressText(true);
  g.SetShowPercent(true);
  HWND h = g.Handle();

  // The setters never wait for the window thread: the worker finishes while this thread does not
  // handle a single message.
  {
    TSetterThread worker(g);
    worker.Start();
    ASSERT_EQ(WaitForSingleObject(worker.Handle(), 30000), WAIT_OBJECT_0) << "a setter waited for the window thread";
  }
  EXPECT_EQ(g.ShownText(), "Done 50%");

  // The window thread paints all along while the worker sets.
  g.SetValue(0);
  g.SetProgressText("");
  TSetterThread worker(g);
  worker.Start();
  int paints = 0;
  const DWORD start = GetTickCount();
  while (!worker.Finished() && GetTickCount() - start < 30000) {
    windowtesting::Pump();
    WindowPixel(h, 3, 3);
    ++paints;
  }
  worker.WaitFor();
  EXPECT_GT(paints, 0);
  EXPECT_EQ(g.ShownText(), "Done 50%");
  EXPECT_FALSE(ScanColour(h, 100, 20, 0xFFFFFF).Empty());
  g.SetShowPercent(false);
  g.SetShowProgressText(false);
  // 100 of 0..200: 48 pixels from x 2, the end cap at 46..49.
  EXPECT_EQ(WindowPixel(h, 3, 3), BeginCapColor);
  EXPECT_EQ(WindowPixel(h, 49, 3), EndCapColor);
  EXPECT_EQ(WindowPixel(h, 50, 3), GaugeColor);
}
