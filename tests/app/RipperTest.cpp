// The ripper's WAV header and the checks its conversion makes of a WAV file before encoding.
#include "tests/app/AppTesting.h"

#include "app/Ripper.h"
#include "app/Unit1.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

using namespace classlib;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

std::uint32_t At32(const std::array<std::uint8_t, kWavHeaderSize>& Header, std::size_t Offset) {
  return Header[Offset] | (Header[Offset + 1] << 8) | (Header[Offset + 2] << 16) |
         (static_cast<std::uint32_t>(Header[Offset + 3]) << 24);
}
std::uint16_t At16(const std::array<std::uint8_t, kWavHeaderSize>& Header, std::size_t Offset) {
  return static_cast<std::uint16_t>(Header[Offset] | (Header[Offset + 1] << 8));
}
std::string Id(const std::array<std::uint8_t, kWavHeaderSize>& Header, std::size_t Offset) {
  return std::string(reinterpret_cast<const char*>(&Header[Offset]), 4);
}

TEST(RipperWavHeader, DescribesTheTrackWithOneSectorLess) {
  struct Case {
    std::uint32_t trackSectors;
    std::uint32_t dataSize;
    std::uint32_t riffSize;
  };
  // A 4:05.50 track of 18,425 sectors, a track of one 13-sector block plus one, an empty one.
  const Case cases[] = {{18425, 43333248, 43333286}, {15, 32928, 32966}, {1, 0, 38}};
  for (const Case& c : cases) {
    const auto header = WavHeader((c.trackSectors - 1) * kRawSectorSize);
    EXPECT_EQ(Id(header, 0), "RIFF");
    EXPECT_EQ(At32(header, 4), c.riffSize) << c.trackSectors;
    EXPECT_EQ(Id(header, 8), "WAVE");
    EXPECT_EQ(Id(header, 12), "fmt ");
    EXPECT_EQ(At32(header, 16), 18u);
    EXPECT_EQ(At16(header, 20), 1u);
    EXPECT_EQ(At16(header, 22), 2u);
    EXPECT_EQ(At32(header, 24), 44100u);
    EXPECT_EQ(At32(header, 28), 176400u);
    EXPECT_EQ(At16(header, 32), 4u);
    EXPECT_EQ(At16(header, 34), 16u);
    EXPECT_EQ(At16(header, 36), 0u);
    EXPECT_EQ(Id(header, 38), "data");
    EXPECT_EQ(At32(header, 42), c.dataSize) << c.trackSectors;
  }
}

// A WAV file's bytes: RIFF header, a format chunk, the given further chunks.
std::string Wav(std::uint16_t FormatTag, std::uint32_t Rate, const std::string& Chunks, const char* FormatId = "fmt ") {
  auto le = [](std::uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
  };
  return "RIFF" + le(0, 4) + "WAVE" + FormatId + le(16, 4) + le(FormatTag, 2) + le(2, 2) + le(Rate, 4) +
         le(Rate * 4, 4) + le(4, 2) + le(16, 2) + Chunks;
}

struct TShownMessage {
  String Text, Caption;
};

class RipperConversion : public ::testing::Test {
protected:
  void SetUp() override {
    Form1 = Form.get();
    RipFolder = Dir.windowsPath();
    RipWavFileName = Dir.windowsFile("0.wav");
    Ripping = true;
    RipMessageBox = [this](const String& Text, const String& Caption, UINT) {
      Shown.push_back({Text, Caption});
      return IDOK;
    };
  }
  void TearDown() override {
    Form1 = nullptr;
    Ripping = false;
    RipMessageBox = [](const String& Text, const String& Caption, UINT Flags) {
      return Application->MessageBox(Text, Caption, Flags);
    };
  }

  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
  TempDir Dir;
  std::vector<TShownMessage> Shown;
};

TEST_F(RipperConversion, RefusesWhatItCannotEncodeWithItsMessage) {
  const std::string fourSamples(16, '\0');
  const std::string list = std::string("LIST") + '\4' + std::string(3, '\0') + "INFO";
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"compressed", Wav(3, 44100, std::string("data\x10\0\0\0", 8) + fourSamples), "Cannot handle compressed Wave file"},
      {"22050 Hz", Wav(1, 22050, std::string("data\x10\0\0\0", 8) + fourSamples), "Unsuported sample rate"},
      {"no data chunk", Wav(1, 44100, list), "This is not a valid Wave file"},
      {"no format chunk", Wav(1, 44100, "", "junk"), "This is not a valid Wave file"},
      {"cut in its header", std::string("RIFF\0\0\0\0WAVEfmt ", 16), "This is not a valid Wave file"},
  };
  for (const Case& c : cases) {
    Shown.clear();
    WriteUnixFile(Dir.unixFile("0.wav"), c.bytes);
    cap job(true);
    EXPECT_EQ(job.ConvertWavToMp3(0), cap::TOutcome::Failed) << c.what;
    ASSERT_EQ(Shown.size(), 1u) << c.what;
    EXPECT_EQ(Shown[0].Text, c.message) << c.what;
    EXPECT_EQ(Shown[0].Caption, "Wav2Mp3 ERROR") << c.what;
    EXPECT_EQ(GetFileAttributesA(Dir.windowsFile("0.mp3").c_str()), INVALID_FILE_ATTRIBUTES) << c.what;
  }
}

// Loud frames whose count is known: a 441 Hz square wave at +-10000 on both channels.
std::string SquareWave(int Frames) {
  std::string bytes;
  for (int i = 0; i < Frames; ++i) {
    const char* frame = (i / 50) % 2 ? "\x10\x27\x10\x27" : "\xf0\xd8\xf0\xd8";
    bytes.append(frame, 4);
  }
  return bytes;
}

TEST_F(RipperConversion, EncodesOnlyTheDataChunksBytes) {
  if (!testing_support::HasTool("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  // Two whole encoder chunks of sound, then 100 silent frames that leave the last chunk short,
  // then a chunk after the data that is no sound at all.
  const int loudFrames = 2 * 1152;
  const std::string data = SquareWave(loudFrames) + std::string(100 * 4, '\0');
  const std::uint32_t size = static_cast<std::uint32_t>(data.size());
  std::string sizeBytes;
  for (int i = 0; i < 4; ++i) sizeBytes += static_cast<char>(size >> (8 * i));
  const std::string trailer = std::string("LIST\x10\0\0\0", 8) + SquareWave(4);
  WriteUnixFile(Dir.unixFile("0.wav"), Wav(1, 44100, "data" + sizeBytes + data + trailer));
  cap job(true);
  ASSERT_EQ(job.ConvertWavToMp3(0), cap::TOutcome::Done);
  EXPECT_TRUE(Shown.empty());

  const std::string pcm = testing_support::ToolOutput("ffmpeg -v error -i '" + Dir.unixFile("0.mp3") +
                                                      "' -f s16le -acodec pcm_s16le -");
  int loudSamples = 0;
  for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) {
    const int sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(pcm[i]) | (pcm[i + 1] << 8));
    if (sample > 3000 || sample < -3000) ++loudSamples;
  }
  // Stale bytes of the chunk before, or the bytes after the data, would be heard as more sound.
  EXPECT_GT(loudSamples, loudFrames * 2 * 8 / 10);
  EXPECT_LT(loudSamples, loudFrames * 2 + 300);
}

}  // namespace
