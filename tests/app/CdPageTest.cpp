// The CD ripper page: the track list read from a table of contents, and whole ripping jobs from a
// disc image that the CD device layer shows as a CD-ROM drive.
#include "tests/app/AppTesting.h"

#include "app/Ripper.h"
#include "app/Unit1.h"
#include "platform/cdimage/CdDrive.h"
#include "tests/support/DiscImage.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

using namespace classlib;
using testing_support::TempDir;

namespace {

// A table of contents with tracks starting at the given sectors (counted from the first addressed
// sector) and the lead-out; Entries limits what its length field says it holds.
CDROM_TOC MakeToc(int FirstTrack, int LastTrack, const std::vector<int>& Starts, int Entries) {
  CDROM_TOC toc{};
  toc.FirstTrack = static_cast<UCHAR>(FirstTrack);
  toc.LastTrack = static_cast<UCHAR>(LastTrack);
  for (std::size_t i = 0; i < Starts.size(); ++i) {
    const int address = Starts[i] + 150;
    toc.TrackData[i].Address[1] = static_cast<UCHAR>(address / 4500);
    toc.TrackData[i].Address[2] = static_cast<UCHAR>(address / 75 % 60);
    toc.TrackData[i].Address[3] = static_cast<UCHAR>(address % 75);
  }
  const int length = 2 + 8 * Entries;
  toc.Length[0] = static_cast<UCHAR>(length >> 8);
  toc.Length[1] = static_cast<UCHAR>(length & 0xFF);
  return toc;
}

std::vector<std::string> Row(const TTrackRow& Row) {
  std::vector<std::string> texts{Row.Caption};
  texts.insert(texts.end(), Row.SubItems.begin(), Row.SubItems.end());
  return texts;
}

TEST(CdPageTracks, CaptionsSizesAndLengthsFromTheTable) {
  // Twelve tracks: the second is 4:05.50 long (18,425 sectors); the others a minute and 7 frames.
  std::vector<int> starts{0};
  for (int track = 1; track <= 12; ++track) starts.push_back(starts.back() + (track == 2 ? 18425 : 4507));
  const auto rows = TrackRows(MakeToc(1, 12, starts, 13));
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(Row(rows[0]), (std::vector<std::string>{"#Track1", "1", "10", "1:0", "10", "10"}));
  EXPECT_EQ(Row(rows[1]), (std::vector<std::string>{"#Track2", "2", "41", "4:5", "41", "41"}));
  EXPECT_EQ(rows[11].Caption, "#Track12");
}

TEST(CdPageTracks, StayInsideTheTableAndCountFromItsFirstTrack) {
  struct Case {
    const char* what;
    CDROM_TOC toc;
    std::size_t count;
    const char* first;
  };
  const Case cases[] = {
      {"disc starting at track 3", MakeToc(3, 4, {0, 4500, 9000}, 3), 2, "#Track3"},
      {"last track beyond the entries held", MakeToc(1, 99, {0, 4500, 9000}, 3), 2, "#Track1"},
      // 99 tracks and the lead-out fill the record, whatever its numbers claim.
      {"last track beyond the record", MakeToc(1, 255, {0, 4500}, 255), 99, "#Track1"},
      {"no lead-out entry", MakeToc(1, 2, {0, 4500}, 2), 1, "#Track1"},
      {"empty record", MakeToc(1, 5, {}, 0), 0, ""},
  };
  for (const Case& c : cases) {
    const auto rows = TrackRows(c.toc);
    ASSERT_EQ(rows.size(), c.count) << c.what;
    if (c.count > 0) {
      EXPECT_EQ(rows[0].Caption, c.first) << c.what;
    }
  }
  const auto fromThree = TrackRows(MakeToc(3, 4, {0, 4500, 9000}, 3));
  EXPECT_EQ(Row(fromThree[1]), (std::vector<std::string>{"#Track4", "4", "10", "1:0", "10", "10"}));
}

struct TShownMessage {
  String Text, Caption;
};

// A whole job on a disc image of short tone tracks, ripped into a folder of its own.
class CdRipping : public ::testing::Test {
protected:
  void SetUp() override {
    Form1 = Form.get();
    SetEnvironmentVariableW(L"TAVREL_CD_DRIVE", L"R");
    Form->ChooseFolder = [this] { return String(Out.windowsPath()); };
  }
  void TearDown() override {
    if (RipThread) WaitForJob();
    RipThread.reset();
    if (CdDrive != INVALID_HANDLE_VALUE) CdCloseHandle(CdDrive);
    CdDrive = INVALID_HANDLE_VALUE;
    SetEnvironmentVariableW(L"TAVREL_CD_IMAGE", nullptr);
    SetEnvironmentVariableW(L"TAVREL_CD_DRIVE", nullptr);
    RipMessageBox = [](const String& Text, const String& Caption, UINT Flags) {
      return Application->MessageBox(Text, Caption, Flags);
    };
    Form1 = nullptr;
  }

  // Makes the disc, enters the page and reads the table as the page's timer does.
  void InsertDisc(const std::vector<std::uint32_t>& Sectors) {
    const auto disc = testing_support::WriteToneDisc(DiscDir.unixPath(), Sectors);
    const std::string cue = testing_support::UnixToWindowsPath(disc.CuePath);
    SetEnvironmentVariableA("TAVREL_CD_IMAGE", cue.c_str());
    Form->CDripper1Click(nullptr);
    ASSERT_EQ(Form->skSkinComboBox1->Text(), "R:");
    ASSERT_TRUE(Form->Timer5->Enabled());
    Form->Timer5Timer(nullptr);
    ASSERT_FALSE(Form->Timer5->Enabled());
    ASSERT_EQ(Form->skSkinListView2->Items().Count(), static_cast<int>(Sectors.size()));
  }

  void CheckAll() {
    for (int i = 0; i < Form->skSkinListView2->Items().Count(); ++i) Form->skSkinListView2->Items().Item(i)->SetChecked(true);
  }

  // Answers the job's messages itself: No to every overwrite question, OK to the rest; OnMessage
  // runs first, on the ripping thread.
  void AnswerMessages(std::function<void(const String&)> OnMessage = nullptr) {
    RipMessageBox = [this, OnMessage](const String& Text, const String& Caption, UINT) {
      if (OnMessage) OnMessage(Text);
      const std::lock_guard lock(ShownLock);
      Shown.push_back({Text, Caption});
      return Text == "the file is already exist do you want to cover?" ? IDNO : IDOK;
    };
  }

  // Waits for the thread, then handles the end it posted to the window, as the message loop would.
  void WaitForJob() {
    RipThread->WaitFor();
    Application->ProcessMessages();
  }

  bool Exists(const char* Name) const {
    return GetFileAttributesA(Out.windowsFile(Name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::vector<std::string> ShownTexts() {
    const std::lock_guard lock(ShownLock);
    std::vector<std::string> texts;
    for (const TShownMessage& m : Shown) texts.push_back(m.Text);
    return texts;
  }

  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
  TempDir DiscDir, Out;
  std::mutex ShownLock;
  std::vector<TShownMessage> Shown;
};

double Mp3Seconds(const std::string& UnixFile) {
  return std::atof(testing_support::ToolOutput("ffprobe -v error -show_entries format=duration -of csv=p=0 '" +
                                               UnixFile + "'").c_str());
}

TEST_F(CdRipping, RipsEveryTrackToAnMp3OfItsLengthAndSaysComplete) {
  if (!testing_support::HasTool("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
  const std::vector<std::uint32_t> sectors{301, 151, 226};
  InsertDisc(sectors);
  EXPECT_EQ(Form->skSkinListView2->Items().Item(2)->Caption(), "#Track3");
  CheckAll();
  {
    // The job's messages come from its own thread as real message boxes.
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->skSkinButton2Click(nullptr);
    EXPECT_FALSE(Form->skSkinButton2->Enabled());
    RipThread->WaitFor();
    // The thread has touched no control but the gauge: it posted its end to the window.
    EXPECT_FALSE(Form->skSkinButton2->Enabled());
    EXPECT_FALSE(Form->skSkinListView2->Enabled());
    EXPECT_TRUE(Form->skSkinListView2->Items().Item(0)->Checked());
    Application->ProcessMessages();
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Caption, "Tavrel");
    EXPECT_EQ(answerer.Seen()[0].Text, "Complete");
  }
  for (std::size_t i = 0; i < sectors.size(); ++i) {
    const std::string index = std::to_string(i);
    EXPECT_FALSE(Exists((index + ".wav").c_str()));
    ASSERT_TRUE(Exists((index + ".mp3").c_str())) << i;
    // The WAV file holds all sectors of the track but its last.
    const double expected = (sectors[i] - 1) / 75.0;
    EXPECT_NEAR(Mp3Seconds(Out.unixFile(index + ".mp3")), expected, 0.06) << i;
  }
  EXPECT_TRUE(Form->skSkinButton2->Enabled());
  EXPECT_TRUE(Form->skSkinListView2->Enabled());
  EXPECT_TRUE(Form->skSkinComboBox1->Enabled());
  EXPECT_FALSE(Form->skSkinListView2->Items().Item(0)->Checked());
  EXPECT_EQ(Form->skSkinGauge1->Value(), 0);
  EXPECT_FALSE(Ripping);
}

TEST_F(CdRipping, StartDoesNothingWithoutCheckedTrackOrFolder) {
  InsertDisc({100, 100});
  AnswerMessages();
  Form->skSkinButton2Click(nullptr);
  EXPECT_FALSE(RipThread);
  CheckAll();
  Form->ChooseFolder = [] { return String(); };
  Form->skSkinButton2Click(nullptr);
  EXPECT_FALSE(RipThread);
  EXPECT_TRUE(Form->skSkinButton2->Enabled());
  EXPECT_FALSE(Ripping);
  EXPECT_TRUE(ShownTexts().empty());
}

// A stopped job has not completed and does not say so.
TEST_F(CdRipping, StopLeavesNoFileOfTheTrackInWorkKeepsTheUsersFilesAndClaimsNothing) {
  // A long second track, so that the stop lands while it is read or converted.
  InsertDisc({100, 6000, 100});
  testing_support::WriteUnixFile(Out.unixFile("2.mp3"), "the user's own");
  testing_support::WriteUnixFile(Out.unixFile("keep.wav"), "the user's own");
  AnswerMessages();
  CheckAll();
  Form->skSkinButton2Click(nullptr);
  // Stop as soon as the second track's WAV file appears, serving the thread meanwhile.
  while (!Exists("1.wav") && Ripping) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(1);
  }
  Form->skSkinButton3Click(nullptr);
  WaitForJob();
  EXPECT_TRUE(Exists("0.mp3"));
  EXPECT_FALSE(Exists("0.wav"));
  EXPECT_FALSE(Exists("1.wav"));
  EXPECT_FALSE(Exists("1.mp3"));
  EXPECT_EQ(testing_support::ReadUnixFile(Out.unixFile("2.mp3")), "the user's own");
  EXPECT_TRUE(Exists("keep.wav"));
  EXPECT_TRUE(ShownTexts().empty());
  EXPECT_FALSE(Form->skSkinListView2->Items().Item(2)->Checked());
  EXPECT_TRUE(Form->skSkinButton2->Enabled());
}

TEST_F(CdRipping, OverwriteAnsweredNoKeepsTheFileAndAStopThenDeletesNothingOfTheUsers) {
  InsertDisc({100, 100, 100});
  testing_support::WriteUnixFile(Out.unixFile("0.wav"), "the user's own wave");
  testing_support::WriteUnixFile(Out.unixFile("1.wav"), "another of the user's");
  testing_support::WriteUnixFile(Out.unixFile("1.mp3"), "the user's own mp3");
  int questions = 0;
  // The second question comes while the user presses "Stop".
  AnswerMessages([&questions](const String& Text) {
    if (Text == "the file is already exist do you want to cover?" && ++questions == 2) Ripping = false;
  });
  CheckAll();
  Form->skSkinButton2Click(nullptr);
  WaitForJob();
  EXPECT_EQ(testing_support::ReadUnixFile(Out.unixFile("0.wav")), "the user's own wave");
  EXPECT_FALSE(Exists("0.mp3"));
  EXPECT_EQ(testing_support::ReadUnixFile(Out.unixFile("1.wav")), "another of the user's");
  EXPECT_EQ(testing_support::ReadUnixFile(Out.unixFile("1.mp3")), "the user's own mp3");
  EXPECT_FALSE(Exists("2.wav"));
  EXPECT_FALSE(Exists("2.mp3"));
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"the file is already exist do you want to cover?",
                                                    "the file is already exist do you want to cover?"}));
  EXPECT_EQ(Shown[0].Caption, "Tavrel");
}

TEST_F(CdRipping, AFailedReadIsReportedAndTheJobSaysItFailed) {
  InsertDisc({100, 100});
  // The disc goes away after its table was read.
  CdCloseHandle(CdDrive);
  CdDrive = INVALID_HANDLE_VALUE;
  AnswerMessages();
  CheckAll();
  Form->skSkinButton2Click(nullptr);
  WaitForJob();
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"Cannot read track 1 of the CD", "Cannot read track 2 of the CD",
                                                    "Some tracks could not be ripped"}));
  EXPECT_FALSE(Exists("0.wav"));
  EXPECT_FALSE(Exists("0.mp3"));
  EXPECT_FALSE(Exists("1.wav"));
  EXPECT_TRUE(Form->skSkinButton2->Enabled());
}

}  // namespace
