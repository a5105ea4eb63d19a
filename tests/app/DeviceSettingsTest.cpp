// "Device Settings": OK stores the four device keys and says so, Cancel stores nothing.
#include "tests/app/AppTesting.h"

#include "app/Settings.h"
#include "app/Unit10.h"
#include "platform/classlib/IniFiles.h"

using namespace classlib;
using apptesting::IniValue;
using testing_support::TempDir;

namespace {

class DeviceSettings : public ::testing::Test {
protected:
  void SetUp() override {
    Form->ConfigFile = Dir.windowsFile("config.ini");
    Form->skSkinComboBox1->SetText("Tuner Card");
    Form->skSkinComboBox2->SetText("S-Video");
    Form->skSkinComboBox3->SetText("Sound Card");
    Form->skSkinComboBox4->SetText("Audio Line");
  }

  TempDir Dir;
  std::unique_ptr<TForm10> Form = apptesting::MakeForm<TForm10>();
};

TEST_F(DeviceSettings, OkWritesTheFourDeviceKeysAndSaysSo) {
  std::vector<apptesting::TDialogSeen> messages;
  {
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->skSkinButton1Click(nullptr);
    messages = answerer.Seen();
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Caption, "Information");
  EXPECT_EQ(messages[0].Text, "The settings has been saved. Please restart the programm.");
  const std::string file = Dir.windowsFile("config.ini");
  EXPECT_EQ(IniValue(file, "Device", "Video Device"), "Tuner Card");
  EXPECT_EQ(IniValue(file, "Device", "Capture Source"), "S-Video");
  EXPECT_EQ(IniValue(file, "Device", "Audio Device"), "Sound Card");
  EXPECT_EQ(IniValue(file, "Device", "Audio Source"), "Audio Line");
  EXPECT_EQ(IniValue(file, "flag", "flag"), "<missing>");
}

// What the first start detected stays unless the user picks something else: an empty list (no
// device, or the TV page not visited yet) does not wipe it, and the form still says it saved.
TEST_F(DeviceSettings, EmptyChoiceKeepsTheStoredValue) {
  const std::string file = Dir.windowsFile("config.ini");
  WriteDeviceSettings(file, {"Found Card", "Video Composite", "Found Sound", "Line In"});
  Form->skSkinComboBox2->SetText("");
  Form->skSkinComboBox3->SetText("");
  std::vector<apptesting::TDialogSeen> messages;
  {
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->skSkinButton1Click(nullptr);
    messages = answerer.Seen();
  }
  EXPECT_EQ(IniValue(file, "Device", "Video Device"), "Tuner Card");
  EXPECT_EQ(IniValue(file, "Device", "Capture Source"), "Video Composite");
  EXPECT_EQ(IniValue(file, "Device", "Audio Device"), "Found Sound");
  EXPECT_EQ(IniValue(file, "Device", "Audio Source"), "Audio Line");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Caption, "Information");
  EXPECT_EQ(messages[0].Text, "The settings has been saved. Please restart the programm.");
}

TEST_F(DeviceSettings, CancelWritesNothing) {
  Form->skSkinButton2Click(nullptr);
  EXPECT_EQ(testing_support::RunTool("test -e '" + Dir.unixFile("config.ini") + "'"), 1);
}

TEST_F(DeviceSettings, RefusedWriteIsNotReportedAsSaved) {
  Form->ConfigFile = Dir.windowsPath() + "\\missing\\config.ini";
  apptesting::TDialogAnswerer answerer(IDOK);
  EXPECT_THROW(Form->skSkinButton1Click(nullptr), EIniFileException);
  EXPECT_TRUE(answerer.Seen().empty());
}

}  // namespace
