// The player page playing real files through the platform's DirectShow: a WAV the test writes, an
// MP3 and a short video that ffmpeg makes.
#include "tests/app/AppTesting.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/WideText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using namespace classlib;
using skin::TskSkinTrackBar;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

constexpr LONGLONG kUnitsPerSecond = 10000000;

// A 16-bit mono PCM WAV of a quiet tone.
std::string WavBytes(double Seconds) {
  const uint32_t rate = 8000;
  const auto samples = static_cast<uint32_t>(Seconds * rate);
  std::string bytes;
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes += static_cast<char>(v >> (8 * i)); };
  auto put16 = [&](uint16_t v) { bytes += static_cast<char>(v); bytes += static_cast<char>(v >> 8); };
  bytes += "RIFF";
  put32(36 + samples * 2);
  bytes += "WAVEfmt ";
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  bytes += "data";
  put32(samples * 2);
  for (uint32_t i = 0; i < samples; ++i) put16(static_cast<uint16_t>((i / 10 % 2) ? 2000 : -2000));
  return bytes;
}

// The main window, its play list and the full-screen form, made as the program makes them.
class Player : public ::testing::Test {
protected:
  void SetUp() override {
    Form1 = Main.get();
    Form2 = List.get();
    Form5 = Full.get();
  }
  void TearDown() override {
    Main->LeavePlayer();
    Form1 = nullptr;
    Form2 = nullptr;
    Form5 = nullptr;
  }

  std::string Wav(const std::string& Name, double Seconds) {
    WriteUnixFile(Dir.unixFile(Name), WavBytes(Seconds));
    return Dir.windowsFile(Name);
  }
  // A file ffmpeg makes from its test sources; empty when ffmpeg is missing or fails.
  std::string Made(const std::string& Name, const std::string& Input) {
    if (!HasTool("ffmpeg")) return "";
    const std::string command = "ffmpeg -v error -y " + Input + " '" + Dir.unixFile(Name) + "'";
    return RunTool(command) == 0 ? Dir.windowsFile(Name) : "";
  }
  void SetList(std::initializer_list<std::string> Paths, int Selected = 0) {
    TStringList files;
    for (const std::string& path : Paths) files.Add(path);
    List->skSkinListView1->Clear();
    List->AddPlayListFiles(files);
    List->skSkinListView1->SetItemIndex(Selected);
  }
  // Runs the message loop (and with it Timer3) until the condition holds or the time is up.
  bool PumpUntil(const std::function<bool()>& Condition, DWORD Milliseconds) {
    const DWORD start = GetTickCount();
    while (!Condition()) {
      if (GetTickCount() - start > Milliseconds) return false;
      Application->ProcessMessages();
      Sleep(10);
    }
    return true;
  }
  void Pump(DWORD Milliseconds) {
    PumpUntil([] { return false; }, Milliseconds);
  }
  LONGLONG Position() const {
    LONGLONG position = -1;
    if (Main->PlayerGraph.MediaSeeking) Main->PlayerGraph.MediaSeeking->GetCurrentPosition(&position);
    return position;
  }
  LONG GraphVolume() const {
    LONG volume = 1;
    Main->PlayerGraph.BasicAudio->get_Volume(&volume);
    return volume;
  }
  OAHWND VideoOwner() const {
    OAHWND owner = 0;
    Main->PlayerGraph.VideoWindow->get_Owner(&owner);
    return owner;
  }

  TempDir Dir;
  std::unique_ptr<TForm1> Main = apptesting::MakeForm<TForm1>();
  std::unique_ptr<TForm2> List = apptesting::MakeForm<TForm2>();
  std::unique_ptr<TForm5> Full = apptesting::MakeForm<TForm5>();
};

TEST_F(Player, NothingHappensWithoutASelectedExistingFile) {
  Main->PlaySelected();
  Main->PlayNext();
  Main->PlayPrevious();
  EXPECT_FALSE(Main->Playing);
  SetList({Dir.windowsFile("gone.wav")});
  Main->PlaySelected();
  EXPECT_FALSE(Main->Playing);
  EXPECT_FALSE(Main->PlayerGraph.GraphBuilder);
}

TEST_F(Player, PlaysPausesStopsAndPlaysAgain) {
  SetList({Wav("tone.wav", 3)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  EXPECT_EQ(Main->PlayState, 2);
  EXPECT_NEAR(static_cast<double>(Main->Duration), 3.0 * kUnitsPerSecond, 0.05 * kUnitsPerSecond);
  EXPECT_EQ(Main->skSkinTrackBar1->MaxValue(), 30);
  EXPECT_FALSE(Main->Image7->Visible());

  // Timer3 moves the seek bar and the position text along.
  ASSERT_TRUE(PumpUntil([&] { return Position() > kUnitsPerSecond; }, 3000));
  Pump(600);
  EXPECT_GE(Main->skSkinTrackBar1->Value(), 10);
  EXPECT_EQ(Main->Label20->Caption().substr(0, 5), "00m:0");

  Main->PausePlayback();
  EXPECT_EQ(Main->PlayState, 1);
  Pump(100);
  const LONGLONG paused = Position();
  Pump(400);
  EXPECT_NEAR(static_cast<double>(Position()), static_cast<double>(paused), 0.05 * kUnitsPerSecond);
  Main->PausePlayback();
  EXPECT_EQ(Main->PlayState, 2);

  Main->StopPlayback();
  EXPECT_FALSE(Main->Playing);
  EXPECT_TRUE(Main->PlayerGraph.GraphBuilder);  // kept, cued at the start
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Main->skSkinTrackBar1->Value(), 0);
  Main->PausePlayback();
  EXPECT_EQ(Main->PlayState, 2);  // stopped: Pause does nothing

  Main->PlaySelected();
  EXPECT_TRUE(Main->Playing);
  EXPECT_EQ(Main->PlayState, 2);
}

TEST_F(Player, SeekBarSeeksOnReleaseOnlyWhilePlaying) {
  SetList({Wav("long.wav", 10)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  Main->PausePlayback();
  Main->skSkinTrackBar1->SetValue(50);
  Main->skSkinTrackBar1->Perform(WM_LBUTTONUP, 0, 0);
  EXPECT_NEAR(static_cast<double>(Position()), 5.0 * kUnitsPerSecond, 0.3 * kUnitsPerSecond);
  EXPECT_EQ(Main->PlayState, 1);  // the bar runs the graph again, the state is left as it was

  Main->StopPlayback();
  Main->skSkinTrackBar1->SetValue(80);
  Main->skSkinTrackBar1->Perform(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Position(), 0);
}

// A slow drag: the position updates of Timer3 leave the held thumb alone, and the release seeks.
TEST_F(Player, HeldSeekThumbStaysWhereTheUserPutsIt) {
  SetList({Wav("long.wav", 10)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  TskSkinTrackBar& bar = *Main->skSkinTrackBar1;
  // Where the skinned thumb stands for the value now (the bar has not painted since the file began).
  const TRect thumb = bar.CalcButtonRect(bar.TrackRect());
  const int y = (thumb.top + thumb.bottom) / 2;
  int x = (thumb.left + thumb.right) / 2;
  bar.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ASSERT_TRUE(bar.ButtonDragging());
  for (const int step : {100, 120, 140}) {
    x += step;
    bar.Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    const int held = bar.Value();
    Pump(700);
    EXPECT_EQ(bar.Value(), held) << "the position update moved the held thumb";
  }
  const int released = bar.Value();
  EXPECT_GT(released, 60);
  bar.Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_NEAR(static_cast<double>(Position()), released / 100.0 * 10.0 * kUnitsPerSecond, 0.3 * kUnitsPerSecond);
}

TEST_F(Player, EndOfFileAdvancesAndWrapsAround) {
  SetList({Wav("one.wav", 0.6), Wav("two.wav", 0.6)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  ASSERT_TRUE(PumpUntil([&] { return Main->CurrentTrack == 1; }, 5000));
  EXPECT_EQ(List->skSkinListView1->ItemIndex(), 1);
  ASSERT_TRUE(PumpUntil([&] { return Main->CurrentTrack == 0; }, 5000));
  EXPECT_TRUE(Main->Playing);

  // Previous from the first entry goes to the last.
  Main->PlayPrevious();
  EXPECT_EQ(Main->CurrentTrack, 1);
  Main->PlayNext();
  EXPECT_EQ(Main->CurrentTrack, 0);
}

TEST_F(Player, VolumeBarAndMute) {
  SetList({Wav("tone.wav", 3)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  EXPECT_EQ(GraphVolume(), -2500);
  Main->Label13Click(nullptr);
  EXPECT_EQ(Main->skSkinTrackBar2->Value(), -2000);
  EXPECT_EQ(GraphVolume(), -2000);
  for (int i = 0; i < 6; ++i) Main->Label13Click(nullptr);
  EXPECT_EQ(Main->skSkinTrackBar2->Value(), 0);  // the bar clamps

  Main->Label14Click(nullptr);
  Main->MutePlayback();
  EXPECT_EQ(GraphVolume(), -5000);
  EXPECT_EQ(Main->skSkinTrackBar2->Value(), -5000);
  Main->MutePlayback();
  EXPECT_EQ(GraphVolume(), -500);
  EXPECT_EQ(Main->skSkinTrackBar2->Value(), -500);
}

TEST_F(Player, FirstMuteAtTheBottomDoesNotJumpToFullVolume) {
  SetList({Wav("tone.wav", 3)});
  Main->skSkinTrackBar2->SetValue(-5000);
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  Main->MutePlayback();
  EXPECT_EQ(GraphVolume(), -2500);
  EXPECT_EQ(Main->skSkinTrackBar2->Value(), -2500);
}

TEST_F(Player, PositionTextCountsMinutesPastAnHour) {
  SetList({Wav("tone.wav", 2)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  Main->ShowPlayPosition((75 * 60 + 3) * kUnitsPerSecond);
  EXPECT_EQ(Main->Label20->Caption(), "75m:03s");
  Main->ShowPlayPosition(59 * kUnitsPerSecond + 9999999);
  EXPECT_EQ(Main->Label20->Caption(), "00m:59s");
}

TEST_F(Player, UnplayableFileIsReportedAndSkipped) {
  WriteUnixFile(Dir.unixFile("broken.wav"), "this is no sound at all");
  const std::string broken = Dir.windowsFile("broken.wav");
  SetList({broken, Wav("good.wav", 3)});
  Main->PlaySelected();
  EXPECT_TRUE(Main->Playing);
  EXPECT_EQ(Main->CurrentTrack, 1);
  EXPECT_EQ(List->skSkinListView1->ItemIndex(), 1);

  // With nothing playable the player gives up after one round, reporting the file.
  SetList({broken});
  Main->PlaySelected();
  EXPECT_FALSE(Main->Playing);
  EXPECT_FALSE(Main->PlayerGraph.GraphBuilder);
  EXPECT_EQ(Main->Label20->Caption(), "Cannot play broken.wav");
}

// The formats the open dialogs offer, as ffmpeg makes them: each plays with its duration, a
// video size for video, and a clock that moves. MPEG program streams need GStreamer's demuxer
// from the "bad" plugins; RealMedia renders here but its clock stands still, so it is left out.
TEST_F(Player, PlaysTheOfferedFormats) {
  if (!HasTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg to make the files";
  const bool hasMpegDemuxer = RunTool("ls /usr/lib/*/gstreamer-1.0/libgstmpegpsdemux.so >/dev/null 2>&1") == 0;
  const std::string tone = "-f lavfi -i sine=frequency=440:duration=2 ";
  const std::string picture = "-f lavfi -i testsrc=duration=2:size=160x120:rate=25 ";
  struct Case {
    const char* name;
    std::string input;
    LONG width;
    bool mpegStream;
  };
  const Case cases[] = {
      {"tone.mp3", tone + "-ac 1", 0, false},
      {"tone.wma", tone + "-c:a wmav2", 0, false},
      {"clip.avi", picture + tone + "-c:v mjpeg -c:a pcm_s16le", 160, false},
      {"clip4.avi", picture + "-c:v mpeg4", 160, false},
      {"clip.wmv", picture + tone + "-c:v wmv2 -c:a wmav2", 160, false},
      {"clip.asf", picture + "-c:v msmpeg4v3", 160, false},
      {"clip.mov", picture + "-c:v mjpeg", 160, false},
      {"clip.mpg", picture + tone + "-c:v mpeg1video -c:a mp2", 160, true},
      {"clip.vob", picture + tone + "-c:v mpeg2video -c:a mp2 -f vob", 160, true},
      {"clip.dat", picture + tone + "-c:v mpeg1video -c:a mp2 -f mpeg", 160, true},
  };
  for (const Case& c : cases) {
    if (c.mpegStream && !hasMpegDemuxer) continue;
    const std::string file = Made(c.name, c.input);
    ASSERT_FALSE(file.empty()) << c.name;
    SetList({file});
    Main->PlaySelected();
    ASSERT_TRUE(Main->Playing) << c.name;
    EXPECT_NEAR(static_cast<double>(Main->Duration), 2.0 * kUnitsPerSecond, 0.3 * kUnitsPerSecond) << c.name;
    LONG width = 0;
    Main->PlayerGraph.BasicVideo->get_VideoWidth(&width);
    EXPECT_EQ(width, c.width) << c.name;
    EXPECT_TRUE(PumpUntil([&] { return Position() > kUnitsPerSecond / 2; }, 3000)) << c.name;
  }
}

// A user in front of the full-screen form, acting from inside its modal loop: each step runs on a
// timer tick until it says it is done; what the user saw is noted for the test to check.
class TFullScreenUser {
public:
  using TStep = std::function<bool()>;

  // Runs the steps while Show (which returns when the form closes) is under way. A user who is
  // stuck still gets out after a while (by the system's close), so the test does not hang.
  static void Run(std::vector<TStep> Steps, const std::function<void()>& Show) {
    FSteps = std::move(Steps);
    FNext = 0;
    FStarted = GetTickCount();
    FStuck = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &TFullScreenUser::Tick);
    Show();
    KillTimer(nullptr, timer);
  }
  static bool Stuck() { return FStuck; }
  static bool Done() { return FNext == FSteps.size(); }

  // The video window inside the form, if it is one visible child that fills it.
  static bool VideoFillsTheForm() {
    HWND video = GetWindow(Form5->Handle(), GW_CHILD);
    if (!video || !IsWindowVisible(video) || GetParent(video) != Form5->Handle()) return false;
    RECT child, form;
    GetWindowRect(video, &child);
    GetClientRect(Form5->Handle(), &form);
    return child.right - child.left == form.right && child.bottom - child.top == form.bottom;
  }

  // Real input, as the mouse and keyboard give it: a double click in the middle of the screen, a key.
  static void DoubleClickMiddle() {
    INPUT inputs[5] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi = {32768, 32768, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
    inputs[1].mi.dwFlags = inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = inputs[4].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(5, inputs, sizeof(INPUT));
  }
  static void PressKey(WORD Key) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = Key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (FNext < FSteps.size() && FSteps[FNext]()) ++FNext;
    if (GetTickCount() - FStarted > 15000 && Form5->Visible() && !FStuck) {
      FStuck = true;
      PostMessageW(Form5->Handle(), WM_CLOSE, 0, 0);
    }
  }
  static inline std::vector<TStep> FSteps;
  static inline size_t FNext = 0;
  static inline DWORD FStarted = 0;
  static inline bool FStuck = false;
};

// Full screen shows the video over the whole form, also for the entry that follows while it is up,
// and a double click or Escape leaves it whatever entry plays; the video returns to Panel2.
TEST_F(Player, FullScreenShowsEveryEntryAndTheUserCanLeave) {
  const std::string first = Made("first.avi", "-f lavfi -i testsrc=duration=1.5:size=160x120:rate=10 -c:v mjpeg");
  const std::string second = Made("second.avi", "-f lavfi -i testsrc=duration=8:size=160x120:rate=10 -c:v mjpeg");
  if (first.empty() || second.empty()) GTEST_SKIP() << "ffmpeg could not make the videos";
  SetList({first, second});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  EXPECT_EQ(VideoOwner(), reinterpret_cast<OAHWND>(Main->Panel2->Handle()));

  bool firstFilled = false, nextFilled = false;
  TFullScreenUser::Run({[&] { return firstFilled = TFullScreenUser::VideoFillsTheForm(); },
                        [&] { return Main->CurrentTrack == 1 && (nextFilled = TFullScreenUser::VideoFillsTheForm()); },
                        [] {
                          TFullScreenUser::DoubleClickMiddle();
                          return true;
                        }},
                       [&] { Main->ShowFullScreen(); });
  EXPECT_TRUE(firstFilled);
  EXPECT_TRUE(nextFilled) << "the next entry's video in full screen";
  EXPECT_TRUE(TFullScreenUser::Done());
  EXPECT_FALSE(TFullScreenUser::Stuck()) << "the double click did not leave full screen";
  EXPECT_FALSE(Main->VideoFullScreen);
  EXPECT_FALSE(Full->Visible());
  EXPECT_EQ(VideoOwner(), reinterpret_cast<OAHWND>(Main->Panel2->Handle()));
  // Shown in the panel again (the test's main window itself is never shown).
  const HWND video = GetWindow(Main->Panel2->Handle(), GW_CHILD);
  EXPECT_TRUE(video && (GetWindowLongW(video, GWL_STYLE) & WS_VISIBLE));
  EXPECT_EQ(Main->PlayState, 2);

  TFullScreenUser::Run({[] { return TFullScreenUser::VideoFillsTheForm(); },
                        [] {
                          TFullScreenUser::PressKey(VK_ESCAPE);
                          return true;
                        }},
                       [&] { Main->ShowFullScreen(); });
  EXPECT_TRUE(TFullScreenUser::Done());
  EXPECT_FALSE(TFullScreenUser::Stuck()) << "Escape did not leave full screen";
  EXPECT_FALSE(Main->VideoFullScreen);
  EXPECT_EQ(VideoOwner(), reinterpret_cast<OAHWND>(Main->Panel2->Handle()));
}

TEST_F(Player, AudioHasNoFullScreen) {
  SetList({Wav("tone.wav", 2)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  Main->ShowFullScreen();  // returns at once: no modal form
  EXPECT_FALSE(Main->VideoFullScreen);
}

TEST_F(Player, HomeReleasesTheGraphAndHidesThePlayList) {
  SetList({Wav("tone.wav", 2)});
  Main->Label2Click(nullptr);
  EXPECT_TRUE(List->Visible());
  SetList({Wav("tone.wav", 2)});
  Main->PlaySelected();
  ASSERT_TRUE(Main->Playing);
  Main->skSkinSpeedButton24Click(nullptr);
  EXPECT_FALSE(Main->Playing);
  EXPECT_FALSE(Main->PlayerGraph.GraphBuilder);
  EXPECT_FALSE(List->Visible());
  EXPECT_EQ(Main->skSkinPageControl1->ActivePage(), Main->skSkinTabSheet1);

  // A stopped graph stays until the next Play.
  Main->PlaySelected();
  Main->StopPlayback();
  Main->Return2Click(nullptr);
  EXPECT_TRUE(Main->PlayerGraph.GraphBuilder);
}

}  // namespace
