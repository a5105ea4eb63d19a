// Recording from the TV page, live with the simulated TV card and the project's ASF writer in the
// build's prefix: the files are read back with Debian's ffprobe and ffmpeg, which stand for the
// players, and the video on screen through the card's strip.
#include "tests/app/TvTesting.h"
#include "tests/asfwriter/AsfProbe.h"

#include "app/TvRecording.h"
#include "platform/asfwriter/AsfWriter.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace tvtesting;
using apptesting::TDialogAnswerer;
using apptesting::TDialogSeen;

namespace {

LONG LiveWriters() {
  HMODULE module = GetModuleHandleW(kAsfWriterModule);
  if (!module) return 0;
  const auto count = reinterpret_cast<TAsfWriterLiveFilters>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, kAsfWriterLiveFilters)));
  return count ? count() : -1;
}

SYSTEMTIME At(WORD Year, WORD Month, WORD Day, WORD Hour, WORD Minute) {
  SYSTEMTIME time{};
  time.wYear = Year;
  time.wMonth = Month;
  time.wDay = Day;
  time.wHour = Hour;
  time.wMinute = Minute;
  return time;
}

// The channel shown by the picture at Seconds into the file; -1 when none can be read.
int RecordedChannel(const std::string& UnixPath, double Seconds) {
  const std::string picture = asfprobe::Picture(UnixPath, Seconds);
  if (picture.size() != static_cast<std::size_t>(tvcard::kFrameWidth) * tvcard::kFrameHeight * 3) return -1;
  const auto reading = tvcard::ReadStrip([&](int x, int y) {
    const auto* p = reinterpret_cast<const unsigned char*>(
        &picture[(static_cast<std::size_t>(y) * tvcard::kFrameWidth + static_cast<std::size_t>(x)) * 3]);
    return static_cast<COLORREF>(RGB(p[0], p[1], p[2]));
  });
  return reading ? reading->Channel : -1;
}

constexpr char kBothStreams[] = "wmv2,video,640,480\nwmav2,audio,44100,2\nasf\n";

class TvRecording : public TTvPageFixture {
protected:
  void SetUp() override {
    TTvPageFixture::SetUp();
    ASSERT_NE(LiveWriters(), -1);
    CreateDirectoryW(ToWide(Dir.windowsFile("Rec")).c_str(), nullptr);
    UseCaptureFolder(Dir.windowsFile("Rec") + "\\");
    Form->LocalTime = [] { return At(2006, 5, 7, 9, 5); };
    // Start-up lists the first capture devices, which the recordings use.
    Form->FormCreate(nullptr);
    ASSERT_EQ(Form->ComboBox2->Text(), kCardAudio);
  }

  // The capture folder as the settings file gives it; entering the page reads it.
  void UseCaptureFolder(const String& Folder) { WriteConfig(kCard, "Video Tuner", "TV Capture=" + Folder + "\r\n"); }

  // Enters the page and tunes channel 12 with the keypad.
  void EnterOnTwelve() {
    Form->Label3Click(nullptr);
    Form->skSkinSpeedButton15Click(nullptr);  // "/+"
    Form->skSkinSpeedButton10Click(nullptr);  // "1"
    Form->skSkinSpeedButton2Click(nullptr);   // "2"
    ASSERT_TRUE(Shows(VideoPanel(), 12, kTunerInput));
  }

  std::string Recorded(const std::string& Name) const { return Dir.unixFile("Rec/" + Name); }
};

TEST_F(TvRecording, RecordsTheChannelWithItsSoundAndPreviewsItAgain) {
  EnterOnTwelve();
  Form->skSkinSpeedButton14Click(nullptr);
  EXPECT_TRUE(Form->Recording);
  EXPECT_EQ(TunedChannel(), 12);
  EXPECT_TRUE(Shows(VideoPanel(), 12, kTunerInput)) << "the picture stays on screen while recording";
  EXPECT_EQ(LiveWriters(), 1);
  Pump(2500);
  Form->skSkinSpeedButton16Click(nullptr);
  EXPECT_FALSE(Form->Recording);
  EXPECT_EQ(LiveWriters(), 0) << "the recording graph let its writer go";
  EXPECT_EQ(TunedChannel(), 12);
  EXPECT_TRUE(Shows(VideoPanel(), 12, kTunerInput)) << "the preview runs again on the same channel";
  EXPECT_TRUE(Form->TvGraph.MediaControl);

  const std::string file = Recorded("20065795.wmv");
  EXPECT_EQ(asfprobe::Streams(file), kBothStreams);
  const double duration = asfprobe::Duration(file);
  EXPECT_GE(duration, 2.5);
  EXPECT_LE(duration, 4.0);
  EXPECT_EQ(RecordedChannel(file, 1.5), 12);
}

TEST_F(TvRecording, RecAndStopOutOfTurnOnlySayWhy) {
  struct Case {
    bool recording;
    void (TForm1::*click)(TObject*);
    const char* text;
  };
  const Case cases[] = {
      {true, &TForm1::skSkinSpeedButton14Click, "you have already in record mode"},
      {true, &TForm1::Recoder1Click, "you have already in record mode"},
      {false, &TForm1::skSkinSpeedButton16Click, "you are not in record mode"},
      {false, &TForm1::Stop2Click, "you are not in record mode"},
  };
  Form->Label3Click(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.recording != Form->Recording) c.recording ? Form->Recoder1Click(nullptr) : Form->Stop2Click(nullptr);
    ASSERT_EQ(Form->Recording, c.recording);
    IGraphBuilder* const graph = Form->TvGraph.GraphBuilder.Get();
    std::vector<TDialogSeen> seen;
    {
      TDialogAnswerer answerer(IDOK);
      (Form.get()->*c.click)(nullptr);
      seen = answerer.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "information");
    EXPECT_EQ(seen[0].Text, c.text);
    EXPECT_EQ(Form->Recording, c.recording);
    EXPECT_EQ(Form->TvGraph.GraphBuilder.Get(), graph) << "the graph stays";
  }
  EXPECT_EQ(asfprobe::Streams(Recorded("20065795.wmv")), kBothStreams);
  EXPECT_EQ(asfprobe::Streams(Recorded("20065795 (2).wmv")), "") << "one recording, one file";
}

TEST_F(TvRecording, FileNamesRunTheNumbersTogetherAndNeverReplaceAFile) {
  struct Case {
    SYSTEMTIME time;
    const char* name;
  };
  // A minute of 0 is "0": no number is padded. 1 November and 11 January meet.
  const Case cases[] = {
      {At(2006, 5, 7, 9, 5), "D:\\Rec\\20065795.wmv"},
      {At(2006, 11, 12, 14, 30), "D:\\Rec\\200611121430.wmv"},
      {At(2006, 11, 1, 10, 0), "D:\\Rec\\2006111100.wmv"},
      {At(2006, 1, 11, 10, 0), "D:\\Rec\\2006111100.wmv"},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordingFileName("D:\\Rec\\", c.time), c.name);

  const String taken = Dir.windowsFile("Rec") + "\\1.wmv";
  EXPECT_EQ(FreeRecordingFileName(taken), taken);
  testing_support::WriteUnixFile(Recorded("1.wmv"), "x");
  testing_support::WriteUnixFile(Recorded("1 (2).wmv"), "x");
  EXPECT_EQ(FreeRecordingFileName(taken), Dir.windowsFile("Rec") + "\\1 (3).wmv");

  // A second recording in the same minute keeps the first.
  Form->Label3Click(nullptr);
  Form->Recoder1Click(nullptr);
  Pump(1500);
  Form->Stop2Click(nullptr);
  const std::string first = testing_support::ReadUnixFile(Recorded("20065795.wmv"));
  ASSERT_FALSE(first.empty());
  Form->Recoder1Click(nullptr);
  Pump(1500);
  Form->Stop2Click(nullptr);
  EXPECT_EQ(testing_support::ReadUnixFile(Recorded("20065795.wmv")), first);
  EXPECT_EQ(asfprobe::Streams(Recorded("20065795 (2).wmv")), kBothStreams);
}

TEST_F(TvRecording, AFolderThatIsMissingSaysSoAndKeepsThePreview) {
  const String folder = Dir.windowsFile("Missing") + "\\";
  UseCaptureFolder(folder);
  EnterOnTwelve();
  std::vector<TDialogSeen> seen;
  {
    TDialogAnswerer answerer(IDOK);
    Form->skSkinSpeedButton14Click(nullptr);
    seen = answerer.Seen();
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Caption, "information");
  EXPECT_EQ(seen[0].Text, "Cannot record to " + folder + "20065795.wmv");
  EXPECT_FALSE(Form->Recording);
  EXPECT_EQ(LiveWriters(), 0);
  EXPECT_EQ(TunedChannel(), 12);
  EXPECT_TRUE(Shows(VideoPanel(), 12, kTunerInput)) << "the preview is back";
}

TEST_F(TvRecording, WithoutASoundDeviceThePictureIsRecordedAlone) {
  Form->ComboBox2->Items().Clear();
  Form->ComboBox2->Items().Add("No Such Sound");
  Form->ComboBox2->SetItemIndex(0);
  Form->Label3Click(nullptr);
  Form->skSkinSpeedButton14Click(nullptr);
  EXPECT_TRUE(Form->Recording);
  Pump(1500);
  Form->skSkinSpeedButton16Click(nullptr);
  EXPECT_EQ(asfprobe::Streams(Recorded("20065795.wmv")), "wmv2,video,640,480\nasf\n");
}

TEST_F(TvRecording, HomeWhileRecordingFinishesTheFile) {
  Form->Label3Click(nullptr);
  Form->skSkinSpeedButton14Click(nullptr);
  Pump(2000);
  Form->Homme1Click(nullptr);
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet1);
  EXPECT_FALSE(Form->Recording);
  EXPECT_FALSE(Form->TvGraph.GraphBuilder);
  EXPECT_EQ(LiveWriters(), 0);
  EXPECT_EQ(LiveFilters(), 0);
  EXPECT_GE(asfprobe::Duration(Recorded("20065795.wmv")), 1.5);
}

}  // namespace
