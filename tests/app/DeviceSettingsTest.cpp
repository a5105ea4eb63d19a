// "Device Settings": OK stores the four device keys and says so, Cancel stores nothing.
#include "tests/app/AppTesting.h"

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

TEST_F(DeviceSettings, OkWithEmptyBoxesWritesEmptyValues) {
  for (auto* box : {Form->skSkinComboBox1, Form->skSkinComboBox2, Form->skSkinComboBox3, Form->skSkinComboBox4})
    box->SetText("");
  apptesting::TDialogAnswerer answerer(IDOK);
  Form->skSkinButton1Click(nullptr);
  for (const char* key : {"Video Device", "Capture Source", "Audio Device", "Audio Source"})
    EXPECT_EQ(IniValue(Dir.windowsFile("config.ini"), "Device", key), "") << key;
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
