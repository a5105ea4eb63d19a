// The TV page live with the simulated TV card of the build's prefix: entering and leaving, the
// keypad and the channel display, routing and full-screen TV, read back from the card itself and
// from what the screen shows of the video.
#include "tests/app/TvTesting.h"
#include "tests/app/FakeCrossbar.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace classlib;
using namespace tvtesting;
using apptesting::IniValue;
using apptesting::TScreenShot;
using testing_support::WriteUnixFile;

namespace {

LONG RoutedToVideoDecoder() {
  TComPtr<IAMCrossbar> crossbar;
  CoCreateInstance(CLSID_TvCardCrossbar, nullptr, CLSCTX_INPROC_SERVER, IID_IAMCrossbar, crossbar.PutVoid());
  LONG input = -1;
  if (crossbar) crossbar->get_IsRoutedTo(0, &input);
  return input;
}

// The lines of a plain or a skinned combo box.
template <class TList>
std::vector<String> Lines(TList& List) {
  std::vector<String> lines;
  for (int index = 0; index < List.Items().Count(); ++index) lines.push_back(List.Items()[index]);
  return lines;
}

// Keys pressed on a window, as the keyboard would.
void PressKeys(HWND Window, std::initializer_list<WPARAM> Keys) {
  for (WPARAM key : Keys) {
    PostMessageW(Window, WM_KEYDOWN, key, 0);
    PostMessageW(Window, WM_KEYUP, key, 0xC0000000);
  }
}

// Runs its steps on this thread while something modal (full-screen TV) runs its own message loop:
// each step is tried every 100 ms until it returns true, then the next. After Timeout the steps
// give up and call GiveUp, which must end the modal loop.
class TModalScript {
public:
  TModalScript(std::vector<std::function<bool()>> Steps, std::function<void()> GiveUp)
      : FSteps(std::move(Steps)), FGiveUp(std::move(GiveUp)) {}

  // Runs Modal with the steps going on behind it; true when every step was done.
  bool Run(const std::function<void()>& Modal, DWORD Timeout = 20000) {
    FCurrent = this;
    FDeadline = GetTickCount64() + Timeout;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &TModalScript::Tick);
    Modal();
    KillTimer(nullptr, timer);
    FCurrent = nullptr;
    return FNext == FSteps.size();
  }
  // Whether the steps ran out of time and ended the modal loop themselves.
  bool GaveUp() const { return FNext > FSteps.size(); }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalScript* self = FCurrent;
    if (!self || self->FBusy || self->FNext == self->FSteps.size()) return;
    self->FBusy = true;
    if (self->FSteps[self->FNext]()) {
      ++self->FNext;
    } else if (GetTickCount64() > self->FDeadline) {
      self->FNext = self->FSteps.size() + 1;
      self->FGiveUp();
    }
    self->FBusy = false;
  }

  static inline TModalScript* FCurrent = nullptr;
  std::vector<std::function<bool()>> FSteps;
  std::function<void()> FGiveUp;
  size_t FNext = 0;
  bool FBusy = false;
  ULONGLONG FDeadline = 0;
};

class TvPage : public TTvPageFixture {
protected:
  // A key of the keypad pressed by its caption.
  void Press(const std::string& Key) {
    using THandler = void (TForm1::*)(TObject*);
    static const std::map<std::string, THandler> keys = {
        {"0", &TForm1::skSkinSpeedButton12Click}, {"1", &TForm1::skSkinSpeedButton10Click},
        {"2", &TForm1::skSkinSpeedButton2Click},  {"3", &TForm1::skSkinSpeedButton3Click},
        {"4", &TForm1::skSkinSpeedButton4Click},  {"5", &TForm1::skSkinSpeedButton5Click},
        {"6", &TForm1::skSkinSpeedButton6Click},  {"7", &TForm1::skSkinSpeedButton7Click},
        {"8", &TForm1::skSkinSpeedButton8Click},  {"9", &TForm1::skSkinSpeedButton9Click},
        {"/+", &TForm1::skSkinSpeedButton15Click}, {"+", &TForm1::skSkinSpeedButton11Click},
        {"-", &TForm1::skSkinSpeedButton13Click}};
    (Form.get()->*keys.at(Key))(nullptr);
  }
};

TEST_F(TvPage, EveryVisitListsTheCardAndPreviewsChannelFive) {
  for (int visit = 1; visit <= 2; ++visit) {
    SCOPED_TRACE(visit);
    TuneCard(9);  // the page starts on channel 5 whatever the card was left on
    Form->Label3Click(nullptr);
    ASSERT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet4);
    EXPECT_EQ(Lines(*Devices->skSkinComboBox1), std::vector<String>{kCard});
    EXPECT_EQ(Lines(*Devices->skSkinComboBox2), (std::vector<String>{"Video Tuner", "Video Composite", "S-Video"}));
    EXPECT_EQ(Lines(*Devices->skSkinComboBox3), std::vector<String>{kCardAudio});
    EXPECT_EQ(Lines(*Devices->skSkinComboBox4), (std::vector<String>{"Audio Tuner", "Audio Line"}));
    EXPECT_EQ(Devices->skSkinComboBox2->Text(), "Video Tuner");
    EXPECT_EQ(Lines(*Form->ComboBox3),
              (std::vector<String>{"Video Tuner", "Video Composite", "S-Video", "Audio Tuner", "Audio Line"}));
    EXPECT_EQ(TunedChannel(), 5);
    EXPECT_EQ(RoutedToVideoDecoder(), 0);
    EXPECT_TRUE(Shows(VideoPanel(), 5, kTunerInput));
    EXPECT_FALSE(Form->Panel6->Visible());

    // Home lets every filter of the card go: the preview's, the ones it brought and the probe's.
    Form->Homme1Click(nullptr);
    EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet1);
    EXPECT_FALSE(Form->TvGraph.GraphBuilder);
    EXPECT_FALSE(Form->TvGraph.Tuner);
    EXPECT_FALSE(Form->TvGraph.Crossbar);
    EXPECT_EQ(LiveFilters(), 0);
  }
}

TEST_F(TvPage, CaptureSourceRoutesTheCrossbar) {
  WriteConfig(kCard, "Video Composite");
  Form->Label3Click(nullptr);
  EXPECT_EQ(CaptureSourceName, "Video Composite") << "entering reads the settings again";
  EXPECT_EQ(Form->SlideShowFolder, "C:\\Pics\\\\");
  EXPECT_EQ(RoutedToVideoDecoder(), 1);
  EXPECT_TRUE(Shows(VideoPanel(), 5, kCompositeInput));

  // The source list routes as well; a name no input has leaves the routing as it is.
  Form->ComboBox3->SetItemIndex(2);
  Form->ComboBox3Change(nullptr);
  EXPECT_EQ(RoutedToVideoDecoder(), 2);
  EXPECT_TRUE(Shows(VideoPanel(), 5, kSVideoInput));
  Form->RouteCrossbar("Video RGB");
  EXPECT_EQ(RoutedToVideoDecoder(), 2);
}

// The route is taken whenever the video decoder's output and an input of the asked kind are found,
// whatever the crossbar reports of its present routing.
TEST_F(TvPage, RoutingNeedsBothPinsOnly) {
  struct Case {
    std::vector<LONG> inputs;
    const char* source;
    std::vector<std::pair<LONG, LONG>> routes;
  };
  const Case cases[] = {
      {{1, 2, 3}, "Video Composite", {{0, 1}}},
      {{1, 2, 3}, "S-Video", {{0, 2}}},  // an input index past the one output
      {{0x1000, 2, 2}, "Video Composite", {{0, 1}}},
      {{1, 2, 3}, "Audio Line", {}},
      {{1, 2, 3}, "", {}},
  };
  for (const Case& c : cases) {
    TFakeCrossbar crossbar(c.inputs);
    *Form->TvGraph.Crossbar.Put() = &crossbar;
    Form->RouteCrossbar(c.source);
    EXPECT_EQ(crossbar.Routes, c.routes) << c.source;
  }
  Form->TvGraph.Crossbar.Reset();
}

TEST_F(TvPage, KeypadTunesAndShowsTheNumberForFiveSeconds) {
  Form->Label3Click(nullptr);
  ASSERT_TRUE(Shows(VideoPanel(), 5, kTunerInput));
  struct Case {
    std::vector<std::string> keys;
    LONG channel;
    const char* text;
  };
  const Case cases[] = {
      {{"5"}, 5, "5"},
      {{"/+", "1", "2"}, 12, "12"},
      {{"/+", "0", "7"}, 7, "07"},
      {{"/+", "3", "+", "4"}, 34, "34"},  // a step in between does not end the two-digit entry
      {{"0", "-"}, 0, "-1"},              // the card has no channel -1: it stays, the display shows it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    for (const std::string& key : c.keys) Press(key);
    EXPECT_GT(TScreenShot(Form->Panel6->Handle()).WhitePixels(), 10) << "the number is drawn over the video";
    EXPECT_EQ(TunedChannel(), c.channel);
    EXPECT_EQ(Form->ChannelText, c.text);
    EXPECT_FALSE(Form->TwoDigitEntry);
    EXPECT_TRUE(Form->Panel6->Visible());
    EXPECT_TRUE(Shows(VideoPanel(), c.channel, kTunerInput));
    EXPECT_GT(TScreenShot(Form->Panel6->Handle()).WhitePixels(), 10) << "the number stays";
  }

  // The pad's labels step too, and each change keeps the number up for five seconds again.
  Form->Label11Click(nullptr);
  EXPECT_EQ(TunedChannel(), 1);
  Pump(3000);
  Form->Label9Click(nullptr);
  EXPECT_EQ(TunedChannel(), 0);
  EXPECT_EQ(Form->ChannelText, "0");
  Pump(3000);
  EXPECT_TRUE(Form->Panel6->Visible());
  Pump(2500);
  EXPECT_FALSE(Form->Panel6->Visible());
  EXPECT_FALSE(Form->Timer2->Enabled());
}

TEST_F(TvPage, FullScreenStepsWithPageKeysAndComesBack) {
  Form->Label3Click(nullptr);
  ASSERT_TRUE(Shows(VideoPanel(), 5, kTunerInput));
  // The full-screen form, rather than the main window, stays above the windows of tests running
  // beside this one while it is up (made so before it is shown: a form made topmost once shown
  // loses its size under Wine without a window manager).
  FullScreen->SetFormStyle(TFormStyle::fsStayOnTop);
  SetWindowPos(Form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND screen = FullScreen->Handle();
  HWND video = FullScreen->Panel1->Handle();
  bool filled = false, numberShown = false;
  TModalScript script(
      {[&] {
         return IsWindowVisible(screen) != FALSE;
       },
       [&] {
         LONG left = -1, top = -1, width = 0, height = 0;
         Form->TvGraph.VideoWindow->GetWindowPosition(&left, &top, &width, &height);
         RECT client;
         GetClientRect(video, &client);
         filled = left == 0 && top == 0 && width == client.right && height == client.bottom && client.right >= 640;
         if (!StripShows(video, 5, kTunerInput)) return false;
         PressKeys(screen, {VK_NEXT, VK_NEXT});
         return true;
       },
       [&] {
         if (Form->ChannelText != "7" || !FullScreen->Panel2->Visible() || !StripShows(video, 7, kTunerInput))
           return false;
         numberShown = TScreenShot(FullScreen->Panel2->Handle()).WhitePixels() > 10;
         PressKeys(screen, {VK_ESCAPE});
         return true;
       }},
      [&] { FullScreen->Close(); });
  EXPECT_TRUE(script.Run([&] { Form->Label18Click(nullptr); }));
  SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(filled) << "the video fills the full-screen form";
  EXPECT_TRUE(numberShown) << "the full-screen form shows the channel";
  EXPECT_EQ(TunedChannel(), 7);
  EXPECT_FALSE(FullScreen->Visible());
  EXPECT_FALSE(FullScreen->Panel2->Visible());

  // Back in the page: the video, the display and the caption clock work again.
  EXPECT_TRUE(Form->Panel1->Visible());
  EXPECT_TRUE(Shows(VideoPanel(), 7, kTunerInput));
  Press("+");
  EXPECT_TRUE(Form->Panel6->Visible());
  EXPECT_GT(TScreenShot(Form->Panel6->Handle()).WhitePixels(), 10);
  EXPECT_TRUE(Form->Timer1->Enabled());
  Form->LocalTime = [] {
    SYSTEMTIME time{};
    time.wYear = 2006;
    time.wMonth = 5;
    time.wDay = 7;
    time.wHour = 21;
    time.wMinute = 4;
    time.wSecond = 9;
    return time;
  };
  Pump(300);
  EXPECT_EQ(Form->Caption(), "21:04:09");
}

// The video window hands the form two plain presses for a double click: they leave full screen.
TEST_F(TvPage, DoubleClickOnTheVideoLeavesFullScreen) {
  Form->Label3Click(nullptr);
  FullScreen->SetFormStyle(TFormStyle::fsStayOnTop);
  SetWindowPos(Form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND video = FullScreen->Panel1->Handle();
  TModalScript script({[&] { return IsWindowVisible(video) && StripShows(video, 5, kTunerInput); },
                       [] {
                         INPUT inputs[5] = {};
                         for (INPUT& input : inputs) input.type = INPUT_MOUSE;
                         inputs[0].mi = {32768, 32768, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
                         inputs[1].mi.dwFlags = inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                         inputs[2].mi.dwFlags = inputs[4].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                         SendInput(5, inputs, sizeof(INPUT));
                         return true;
                       },
                       [] { return false; }},  // waits for the double click to end the loop
                      [&] { FullScreen->Close(); });
  script.Run([&] { Form->Label18Click(nullptr); }, 10000);
  EXPECT_FALSE(script.GaveUp()) << "the double click did not leave full screen";
  SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(Form->Panel1->Visible());
  EXPECT_TRUE(Shows(VideoPanel(), 5, kTunerInput));
}

// A configured device that is not installed: the page still opens, the keypad only shows numbers.
TEST_F(TvPage, DeviceNotInstalledShowsNumbersOnly) {
  WriteConfig("No Such Card", "Video Composite");
  TuneCard(9);
  Form->Label3Click(nullptr);
  ASSERT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet4);
  EXPECT_FALSE(Form->TvGraph.VideoCapture);
  EXPECT_FALSE(Form->TvGraph.Tuner);
  EXPECT_FALSE(Form->TvGraph.Crossbar);
  EXPECT_EQ(Lines(*Devices->skSkinComboBox1), std::vector<String>{kCard}) << "the settings still list the card";
  Press("3");
  EXPECT_EQ(Form->ChannelText, "3");
  EXPECT_TRUE(Form->Panel6->Visible());
  Press("+");
  EXPECT_EQ(TunedChannel(), 9) << "no tuner, no tuning";
  Form->ComboBox3Change(nullptr);
  EXPECT_EQ(RoutedToVideoDecoder(), 0);
  Form->Homme1Click(nullptr);
  EXPECT_EQ(LiveFilters(), 0);
}

TEST_F(TvPage, FirstStartDetectsTheCard) {
  WriteUnixFile(Dir.unixFile("config.ini"), "");
  Form->FormCreate(nullptr);
  const std::string file = Dir.windowsFile("config.ini");
  EXPECT_EQ(IniValue(file, "Device", "Video Device"), kCard);
  EXPECT_EQ(IniValue(file, "Device", "Capture Source"), "S-Video");
  EXPECT_EQ(IniValue(file, "Device", "Audio Device"), kCardAudio);
  EXPECT_EQ(IniValue(file, "Device", "Audio Source"), "");
  EXPECT_EQ(IniValue(file, "flag", "flag"), "0");
  EXPECT_TRUE(HasVideoDevice);
  EXPECT_EQ(Form->ComboBox1->Text(), kCard);
  EXPECT_EQ(Form->ComboBox2->Text(), kCardAudio);
  EXPECT_EQ(LiveFilters(), 0);
}

TEST_F(TvPage, PadHighlightsFollowTheMouse) {
  struct Case {
    void (TForm1::*enter)(TObject*);
    void (TForm1::*leave)(TObject*);
    const char* image;
  };
  const Case cases[] = {
      {&TForm1::Label9MouseEnter, &TForm1::Label9MouseLeave, "Image16"},
      {&TForm1::Label10MouseEnter, &TForm1::Label10MouseLeave, "Image14"},
      {&TForm1::Label11MouseEnter, &TForm1::Label11MouseLeave, "Image17"},
      {&TForm1::Label12MouseEnter, &TForm1::Label12MouseLeave, "Image15"},
      {&TForm1::Label18MouseEnter, &TForm1::Label18MouseLeave, "Image23"},
  };
  Form->FormCreate(nullptr);  // hides them
  for (const Case& c : cases) {
    auto* image = dynamic_cast<TImage*>(Form->FindComponent(c.image));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->Visible());
    (Form.get()->*c.enter)(nullptr);
    EXPECT_TRUE(image->Visible()) << c.image;
    (Form.get()->*c.leave)(nullptr);
    EXPECT_FALSE(image->Visible()) << c.image;
  }
}

}  // namespace
