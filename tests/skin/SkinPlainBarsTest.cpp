#include "tests/classlib/WindowTesting.h"

#include "skin/plain/PlainRegistration.h"
#include "skin/plain/SkinPlainBars.h"

#include <memory>
#include <vector>

using namespace classlib;
using namespace skin;
using windowtesting::TPaintTarget;

namespace {

TEST(PlainTrackBar, SetValueClampsAndReportsOnlyRealChanges) {
  struct Case {
    int minValue, maxValue, start, set;
    int expected;
    bool changed;
  };
  const Case cases[] = {
      {0, 100, 0, 40, 40, true},          // a change by the program runs the handler
      {0, 100, 40, 40, 40, false},        // the same value: nothing
      {0, 100, 40, 250, 100, true},       // above the maximum
      {0, 100, 100, 250, 100, false},     // clamped onto the value it has
      {-5000, 0, -2500, -9000, -5000, true},
      {-255, 255, 0, -255, -255, true},
      {-180, 180, -180, -181, -180, false},
  };
  for (const Case& c : cases) {
    TskSkinTrackBar bar(nullptr);
    bar.SetMinValue(c.minValue);
    bar.SetMaxValue(c.maxValue);
    bar.SetValue(c.start);
    int changes = 0;
    bar.OnChange = [&](TObject* sender) {
      EXPECT_EQ(sender, &bar);
      EXPECT_EQ(bar.Value(), c.expected);  // the handler sees the new value
      ++changes;
    };
    bar.SetValue(c.set);
    EXPECT_EQ(bar.Value(), c.expected) << c.minValue << ".." << c.maxValue << " set " << c.set;
    EXPECT_EQ(changes, c.changed ? 1 : 0) << c.minValue << ".." << c.maxValue << " set " << c.set;
  }
}

TEST(PlainTrackBar, NewBoundsMoveTheValueSilently) {
  TskSkinTrackBar bar(nullptr);
  EXPECT_EQ(bar.MinValue(), 0);
  EXPECT_EQ(bar.MaxValue(), 100);
  EXPECT_EQ(bar.Value(), 50);
  int changes = 0;
  bar.OnChange = [&](TObject*) { ++changes; };
  bar.SetMaxValue(30);  // the seek bar gets the file's length this way
  EXPECT_EQ(bar.Value(), 30);
  bar.SetMaxValue(600);
  EXPECT_EQ(bar.Value(), 30);
  bar.SetMinValue(40);
  EXPECT_EQ(bar.Value(), 40);
  EXPECT_EQ(changes, 0);
  bar.SetValue(600);
  EXPECT_EQ(bar.Value(), 600);
  EXPECT_EQ(changes, 1);
}

TEST(PlainGauge, SetValueClampsAndBoundsMoveTheValue) {
  struct Case {
    int minValue, maxValue, start, set;
    int expected;
  };
  const Case cases[] = {
      {0, 100, 0, 40, 40},
      {0, 100, 40, 101, 100},
      {0, 100, 40, -3, 0},
      {0, 43333248 / 2, 0, 43333248 / 4, 43333248 / 4},  // the ripper's first half of a track
  };
  for (const Case& c : cases) {
    TskSkinGauge gauge(nullptr);
    gauge.SetMinValue(c.minValue);
    gauge.SetMaxValue(c.maxValue);
    gauge.SetValue(c.start);
    gauge.SetValue(c.set);
    EXPECT_EQ(gauge.Value(), c.expected) << c.set;
  }
  TskSkinGauge gauge(nullptr);
  gauge.SetValue(90);
  gauge.SetMaxValue(20);
  EXPECT_EQ(gauge.Value(), 20);
  EXPECT_EQ(gauge.MaxValue(), 20);
}

TEST(PlainGauge, ShowsTheProgressTextAndThePercentage) {
  struct Case {
    bool showText, showPercent;
    int value, maxValue;
    const char* expected;
  };
  const Case cases[] = {
      {true, true, 50, 100, "Doing job 1 of 2 50%"},
      {true, false, 50, 100, "Doing job 1 of 2 "},
      {false, true, 1, 3, "33%"},
      {false, true, 1, 8, "12%"},  // 12.5 goes to the even neighbour
      {false, true, 3, 8, "38%"},  // 37.5 likewise
      {false, true, 0, 0, "0%"},   // equal bounds
      {false, false, 50, 100, ""},
  };
  for (const Case& c : cases) {
    TskSkinGauge gauge(nullptr);
    gauge.SetProgressText("Doing job 1 of 2 ");
    gauge.SetShowProgressText(c.showText);
    gauge.SetShowPercent(c.showPercent);
    gauge.SetMaxValue(c.maxValue);
    gauge.SetValue(c.value);
    EXPECT_EQ(gauge.ShownText(), c.expected);
  }
}

// A form with the player's two bars and the CD page's gauge, as live windows.
const char* const BarsForm = R"(object TestForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Seek: TskSkinTrackBar
    Left = 10
    Top = 10
    Width = 200
    Height = 20
    Value = 0
    OnChange = BarChange
  end
  object Volume: TskSkinTrackBar
    Left = 250
    Top = 10
    Width = 20
    Height = 200
    Value = -2500
    MinValue = -5000
    MaxValue = 0
    Vertical = True
    OnChange = BarChange
  end
  object Gauge: TskSkinGauge
    Left = 10
    Top = 250
    Width = 100
    Height = 20
  end
end
)";

class PlainBars : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterPlainSkinClasses();
    Form = windowtesting::ReadForm(BarsForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("BarChange", [this](TObject* sender) {
        auto* bar = dynamic_cast<TskSkinTrackBar*>(sender);
        Changes.push_back(bar->Name() + " " + std::to_string(bar->Value()));
      });
    });
    Seek = dynamic_cast<TskSkinTrackBar*>(Form->FindComponent("Seek"));
    Volume = dynamic_cast<TskSkinTrackBar*>(Form->FindComponent("Volume"));
    Gauge = dynamic_cast<TskSkinGauge*>(Form->FindComponent("Gauge"));
    ASSERT_TRUE(Seek && Volume && Gauge);
  }

  static void Send(TskSkinTrackBar& Bar, UINT Msg, int X, int Y) {
    SendMessageW(Bar.Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
  }

  std::unique_ptr<TForm> Form;
  TskSkinTrackBar* Seek = nullptr;
  TskSkinTrackBar* Volume = nullptr;
  TskSkinGauge* Gauge = nullptr;
  std::vector<String> Changes;
};

TEST_F(PlainBars, ValuesReadInAnyOrderEndInsideTheirBounds) {
  EXPECT_EQ(Volume->Value(), -2500);
  EXPECT_EQ(Volume->MinValue(), -5000);
  EXPECT_EQ(Seek->Value(), 0);
  EXPECT_TRUE(Changes.empty());  // reading the form reports nothing
}

// The player hands every message of the seek bar, after its own look at the release, to Dispatch.
TEST_F(PlainBars, ADragWorksThroughDispatchWhenTheWindowProcIsReplaced) {
  int valueAtRelease = -1;
  Seek->WindowProc = [this, &valueAtRelease](TMessage& Message) {
    if (Message.Msg == WM_LBUTTONUP) valueAtRelease = Seek->Value();
    Seek->Dispatch(Message);
  };
  // 200 x 20: the thumb is 8 x 16 and its centre travels from x 6 to x 194.
  EXPECT_EQ(Seek->ButtonBounds().left, 2);
  Send(*Seek, WM_LBUTTONDOWN, 6, 10);
  EXPECT_TRUE(Seek->ButtonDragging());
  Send(*Seek, WM_MOUSEMOVE, 53, 10);
  Send(*Seek, WM_MOUSEMOVE, 100, 12);
  Send(*Seek, WM_LBUTTONUP, 100, 12);
  EXPECT_FALSE(Seek->ButtonDragging());
  EXPECT_EQ(Seek->Value(), 50);
  EXPECT_EQ(valueAtRelease, 50);
  EXPECT_EQ(Changes, (std::vector<String>{"Seek 25", "Seek 50"}));
  EXPECT_NE(GetCapture(), Seek->Handle());

  // Beyond the end of the travel the value stops at the maximum.
  const TRect thumb = Seek->ButtonBounds();
  Send(*Seek, WM_LBUTTONDOWN, thumb.left + 4, 10);
  Send(*Seek, WM_MOUSEMOVE, 500, 10);
  Send(*Seek, WM_LBUTTONUP, 500, 10);
  EXPECT_EQ(Seek->Value(), 100);

  // A window that takes the capture during a drag ends it.
  Send(*Seek, WM_LBUTTONDOWN, Seek->ButtonBounds().left + 4, 10);
  SendMessageW(Seek->Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(Form->Handle()));
  EXPECT_FALSE(Seek->ButtonDragging());
  Send(*Seek, WM_MOUSEMOVE, 6, 10);
  EXPECT_EQ(Seek->Value(), 100);
}

TEST_F(PlainBars, APressBesideTheThumbChangesNothing) {
  Send(*Seek, WM_LBUTTONDOWN, 150, 10);
  Send(*Seek, WM_MOUSEMOVE, 160, 10);
  Send(*Seek, WM_LBUTTONUP, 160, 10);
  EXPECT_EQ(Seek->Value(), 0);
  EXPECT_TRUE(Changes.empty());
}

TEST_F(PlainBars, AVerticalBarRisesWhenDraggedUpward) {
  // 20 x 200 at -2500 of -5000..0: the thumb (16 x 8) is centred at y 100.
  const TRect thumb = Volume->ButtonBounds();
  EXPECT_EQ(thumb.top, 96);
  Send(*Volume, WM_LBUTTONDOWN, 10, 100);
  Send(*Volume, WM_MOUSEMOVE, 10, 53);
  Send(*Volume, WM_LBUTTONUP, 10, 53);
  EXPECT_EQ(Volume->Value(), -1250);
  EXPECT_EQ(Changes, (std::vector<String>{"Volume -1250"}));
}

TEST_F(PlainBars, TheGaugeDrawsItsProgressStrip) {
  Gauge->SetValue(50);
  TPaintTarget target(100, 20, RGB(255, 0, 255));
  target.Paint(Gauge->Handle());
  EXPECT_EQ(target.Pixel(10, 10), RGB(182, 189, 210));  // the strip: 98 pixels wide at 50 %, from x 1
  EXPECT_EQ(target.Pixel(49, 10), RGB(182, 189, 210));
  EXPECT_EQ(target.Pixel(51, 10), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(target.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace
