// config.ini as the program reads and writes it.
#include "tests/app/AppTesting.h"

#include "app/Settings.h"

using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

// All seven values, one by one, so that a failure names the key that differs.
void ExpectSettings(const TSettings& actual, const TSettings& expected) {
  EXPECT_EQ(actual.Devices.VideoDevice, expected.Devices.VideoDevice);
  EXPECT_EQ(actual.Devices.CaptureSource, expected.Devices.CaptureSource);
  EXPECT_EQ(actual.Devices.AudioDevice, expected.Devices.AudioDevice);
  EXPECT_EQ(actual.Devices.AudioSource, expected.Devices.AudioSource);
  EXPECT_EQ(actual.TvCapture, expected.TvCapture);
  EXPECT_EQ(actual.DefaultPic, expected.DefaultPic);
  EXPECT_EQ(actual.Flag, expected.Flag);
}

TEST(Settings, MissingFileReadsAsDefaults) {
  TempDir dir;
  ExpectSettings(ReadSettings(dir.windowsFile("config.ini")), TSettings{});
}

TEST(Settings, ReadsTheKeysPresentAndDefaultsTheOthers) {
  TempDir dir;
  WriteUnixFile(dir.unixFile("config.ini"),
                "[Device]\r\nVideo Device=Tuner Card\r\nAudio Source=Audio Line\r\n"
                "[work Path]\r\nDefault Pic=C:\\Pics\\\r\n[flag]\r\nflag=0\r\n");
  ExpectSettings(ReadSettings(dir.windowsFile("config.ini")),
                 TSettings{{"Tuner Card", "", "", "Audio Line"}, "", "C:\\Pics\\", 0});
}

TEST(Settings, FlagThatIsNoIntegerReadsAsOne) {
  struct Case {
    const char* stored;
    int expected;
  };
  const Case cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"abc", 1}, {"", 1}, {"0x", 1}, {"1.5", 1}};
  for (const Case& c : cases) {
    TempDir dir;
    WriteUnixFile(dir.unixFile("config.ini"), std::string("[flag]\r\nflag=") + c.stored + "\r\n");
    EXPECT_EQ(ReadSettings(dir.windowsFile("config.ini")).Flag, c.expected) << "flag=" << c.stored;
  }
}

TEST(Settings, UnreadableFileReadsAsDefaults) {
  TempDir dir;
  // A folder where the file should be: the platform cannot read it as a file.
  ASSERT_EQ(testing_support::RunTool("mkdir '" + dir.unixFile("config.ini") + "'"), 0);
  ExpectSettings(ReadSettings(dir.windowsFile("config.ini")), TSettings{});
}

TEST(Settings, DeviceKeysAreWrittenInTheirOrderAndReadBack) {
  TempDir dir;
  const std::string file = dir.windowsFile("config.ini");
  WriteDeviceSettings(file, {"Tuner Card", "S-Video", "Sound Card", "Audio Line"});
  WriteFirstRunFlag(file, 0);
  WriteDefaultPic(file, "C:\\Pics\\");
  WriteTvCapture(file, "D:\\Rec\\");

  const std::string text = ReadUnixFile(dir.unixFile("config.ini"));
  const size_t video = text.find("Video Device=Tuner Card"), source = text.find("Capture Source=S-Video"),
               audio = text.find("Audio Device=Sound Card"), audioSource = text.find("Audio Source=Audio Line");
  ASSERT_NE(audioSource, std::string::npos) << text;
  EXPECT_LT(video, source);
  EXPECT_LT(source, audio);
  EXPECT_LT(audio, audioSource);

  ExpectSettings(ReadSettings(file),
                 TSettings{{"Tuner Card", "S-Video", "Sound Card", "Audio Line"}, "D:\\Rec\\", "C:\\Pics\\", 0});
}

TEST(Settings, DoubledSeparatorOfThePathIsAccepted) {
  TempDir dir;
  const std::string doubled = dir.windowsPath() + "\\\\config.ini";
  WriteFirstRunFlag(doubled, 0);
  EXPECT_EQ(apptesting::IniValue(dir.windowsFile("config.ini"), "flag", "flag"), "0");
  EXPECT_EQ(ReadSettings(doubled).Flag, 0);
}

}  // namespace
