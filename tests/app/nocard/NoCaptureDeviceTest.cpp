// The program on a system without capture devices: these tests run in a Wine prefix of their own,
// where the TV card is not registered.
#include "tests/app/AppTesting.h"

#include "app/CaptureDevices.h"
#include "app/Settings.h"
#include "app/Unit1.h"

using namespace classlib;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

class NoCaptureDevice : public ::testing::Test {
protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_FALSE(FindFirstDevice(CLSID_VideoInputDeviceCategory).CategoryListed)
        << "this prefix must list no video capture device";
    Form->ConfigFile = Dir.windowsFile("config.ini");
  }
  void TearDown() override {
    UseSettings({});
    HasVideoDevice = true;
  }

  TempDir Dir;
  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
};

TEST_F(NoCaptureDevice, StartUpNotesItAndWritesNothing) {
  const std::string original = "[Device]\r\nVideo Device=Tuner Card\r\n[flag]\r\nflag=1\r\n";
  WriteUnixFile(Dir.unixFile("config.ini"), original);
  HasVideoDevice = true;
  Form->FormCreate(nullptr);
  EXPECT_FALSE(HasVideoDevice);
  EXPECT_EQ(Form->ComboBox1->Items().Count(), 0);
  EXPECT_EQ(VideoDeviceName, "") << "the detection found no video device";
  EXPECT_EQ(testing_support::ReadUnixFile(Dir.unixFile("config.ini")), original) << "nothing is written";
}

TEST_F(NoCaptureDevice, DetectionWritesNoFile) {
  VideoDeviceName = "Old Card";
  DetectCaptureDevices(Dir.windowsFile("config.ini"));
  EXPECT_EQ(VideoDeviceName, "");
  EXPECT_EQ(testing_support::RunTool("test -e '" + Dir.unixFile("config.ini") + "'"), 1)
      << "config.ini was written although no video capture device exists";
}

TEST_F(NoCaptureDevice, TvPageShowsTheWarningAloneAndStaysHome) {
  Form->FormCreate(nullptr);
  ASSERT_FALSE(HasVideoDevice);
  ASSERT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet1);
  std::vector<apptesting::TDialogSeen> messages;
  {
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->Label3Click(nullptr);
    messages = answerer.Seen();
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Caption, "Warring");
  EXPECT_EQ(messages[0].Text, "There's no Device can be build for session.\n ");
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet1);
  EXPECT_FALSE(Form->TvGraph.GraphBuilder) << "no graph is built";
}

}  // namespace
