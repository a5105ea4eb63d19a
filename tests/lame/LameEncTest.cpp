#include "tests/support/testing.h"

#include "platform/lame/LameEnc.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

using namespace testing_support;

namespace {

// The DLL as a program binds it: loaded beside the executable, entry points by ordinal.
class LameEnc : public ::testing::Test {
protected:
  void SetUp() override {
    FModule = LoadLibraryW(L"LAME_ENC.dll");
    ASSERT_NE(FModule, nullptr) << "LAME_ENC.dll beside the test executable, error " << GetLastError();
    InitStream = Bind<BEINITSTREAM>(BE_ORDINAL_INIT_STREAM);
    EncodeChunk = Bind<BEENCODECHUNK>(BE_ORDINAL_ENCODE_CHUNK);
    DeinitStream = Bind<BEDEINITSTREAM>(BE_ORDINAL_DEINIT_STREAM);
    CloseStream = Bind<BECLOSESTREAM>(BE_ORDINAL_CLOSE_STREAM);
    ASSERT_TRUE(InitStream && EncodeChunk && DeinitStream && CloseStream);
  }
  void TearDown() override {
    if (FModule) FreeLibrary(FModule);
  }

  template <typename Function>
  Function Bind(WORD ordinal) {
    // Through void(*)(), the one pointer type a function pointer may pass through unwarned.
    const FARPROC proc = GetProcAddress(FModule, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
  }

  static BE_CONFIG Mp3Config(std::uint32_t rate, std::uint8_t mode, std::uint16_t bitrate) {
    BE_CONFIG config;
    std::memset(&config, 0, sizeof config);
    config.dwConfig = BE_CONFIG_MP3;
    config.format.mp3.dwSampleRate = rate;
    config.format.mp3.byMode = mode;
    config.format.mp3.wBitrate = bitrate;
    return config;
  }

  // Encodes interleaved samples chunk by chunk as a program does, and returns the MP3 bytes.
  std::string Encode(BE_CONFIG config, const std::vector<SHORT>& pcm) {
    DWORD samples = 0, bufferSize = 0;
    HBE_STREAM stream = 0;
    EXPECT_EQ(InitStream(&config, &samples, &bufferSize, &stream), BE_ERR_SUCCESSFUL);
    std::string mp3;
    std::vector<BYTE> output(bufferSize);
    std::vector<SHORT> chunk(samples);
    for (std::size_t done = 0; done < pcm.size(); done += samples) {
      const DWORD count = static_cast<DWORD>(std::min<std::size_t>(samples, pcm.size() - done));
      std::copy_n(pcm.begin() + static_cast<std::ptrdiff_t>(done), count, chunk.begin());
      DWORD written = 0;
      EXPECT_EQ(EncodeChunk(stream, count, chunk.data(), output.data(), &written), BE_ERR_SUCCESSFUL);
      EXPECT_LE(written, bufferSize);
      mp3.append(reinterpret_cast<const char*>(output.data()), written);
    }
    DWORD written = 0;
    EXPECT_EQ(DeinitStream(stream, output.data(), &written), BE_ERR_SUCCESSFUL);
    mp3.append(reinterpret_cast<const char*>(output.data()), written);
    EXPECT_EQ(CloseStream(stream), BE_ERR_SUCCESSFUL);
    return mp3;
  }

  BEINITSTREAM InitStream = nullptr;
  BEENCODECHUNK EncodeChunk = nullptr;
  BEDEINITSTREAM DeinitStream = nullptr;
  BECLOSESTREAM CloseStream = nullptr;

private:
  HMODULE FModule = nullptr;
};

// Interleaved 16-bit tones, one frequency per channel.
std::vector<SHORT> Tone(int rate, double seconds, const std::vector<double>& frequencies) {
  const std::size_t frames = static_cast<std::size_t>(rate * seconds);
  std::vector<SHORT> pcm;
  pcm.reserve(frames * frequencies.size());
  for (std::size_t i = 0; i < frames; ++i)
    for (double frequency : frequencies)
      pcm.push_back(static_cast<SHORT>(10000 * std::sin(2 * std::numbers::pi * frequency * i / rate)));
  return pcm;
}

// Frequency of one channel of decoded interleaved samples, from its rising zero crossings.
double DominantFrequency(const std::string& s16le, int channels, int channel, int rate) {
  const std::size_t frames = s16le.size() / 2 / channels;
  auto sample = [&](std::size_t frame) {
    std::int16_t value;
    std::memcpy(&value, s16le.data() + (frame * channels + channel) * 2, 2);
    return value;
  };
  // The middle of the signal, clear of the encoder's start and end.
  const std::size_t first = frames / 4, last = frames * 3 / 4;
  int rising = 0;
  for (std::size_t i = first + 1; i < last; ++i)
    if (sample(i - 1) < 0 && sample(i) >= 0) ++rising;
  return rising * static_cast<double>(rate) / static_cast<double>(last - first);
}

std::string Probe(const std::string& file, const std::string& entries) {
  return ToolOutput("ffprobe -v error -show_entries " + entries + " -of default=noprint_wrappers=1 '" + file + "'");
}

TEST_F(LameEnc, TwoSecondsOfStereoBecomeA224kMp3ThatDecodesToTheSameTones) {
  if (!HasTool("ffprobe") || !HasTool("ffmpeg")) GTEST_SKIP() << "needs ffmpeg";
  const BE_CONFIG config = Mp3Config(44100, BE_MP3_MODE_STEREO, 224);
  DWORD samples = 0, bufferSize = 0;
  HBE_STREAM stream = 0;
  BE_CONFIG copy = config;
  ASSERT_EQ(InitStream(&copy, &samples, &bufferSize, &stream), BE_ERR_SUCCESSFUL);
  EXPECT_EQ(samples, 1152u * 2);  // one MPEG-1 frame of both channels
  EXPECT_GE(bufferSize, 7200u);
  EXPECT_EQ(CloseStream(stream), BE_ERR_SUCCESSFUL);

  TempDir dir;
  const std::string mp3File = dir.unixFile("tone.mp3");
  WriteUnixFile(mp3File, Encode(config, Tone(44100, 2.0, {440, 1000})));

  const std::string info = Probe(mp3File, "format=duration:stream=codec_name,sample_rate,channels,bit_rate");
  EXPECT_NE(info.find("codec_name=mp3"), std::string::npos) << info;
  EXPECT_NE(info.find("sample_rate=44100"), std::string::npos) << info;
  EXPECT_NE(info.find("channels=2"), std::string::npos) << info;
  EXPECT_NE(info.find("bit_rate=224000"), std::string::npos) << info;
  const std::size_t at = info.find("duration=");
  ASSERT_NE(at, std::string::npos) << info;
  const double frame = 1152.0 / 44100;
  // The encoder's start delay and its padding of the last frame add up to about two frames.
  EXPECT_NEAR(std::stod(info.substr(at + 9)), 2.0 + frame, 1.5 * frame) << info;

  const std::string pcmFile = dir.unixFile("tone.raw");
  ASSERT_EQ(RunTool("ffmpeg -v error -y -i '" + mp3File + "' -f s16le -acodec pcm_s16le '" + pcmFile + "'"), 0);
  const std::string decoded = ReadUnixFile(pcmFile);
  EXPECT_NEAR(DominantFrequency(decoded, 2, 0, 44100), 440, 5);
  EXPECT_NEAR(DominantFrequency(decoded, 2, 1, 44100), 1000, 5);
}

// The record's other layouts reach the encoder: mono input, and the LAME form's resampling.
TEST_F(LameEnc, MonoAndResampledConfigurationsComeOutAsAsked) {
  if (!HasTool("ffprobe")) GTEST_SKIP() << "needs ffprobe";
  TempDir dir;
  const std::string monoFile = dir.unixFile("mono.mp3");
  WriteUnixFile(monoFile, Encode(Mp3Config(48000, BE_MP3_MODE_MONO, 128), Tone(48000, 1.0, {440})));
  const std::string mono = Probe(monoFile, "stream=sample_rate,channels,bit_rate");
  EXPECT_NE(mono.find("sample_rate=48000"), std::string::npos) << mono;
  EXPECT_NE(mono.find("channels=1"), std::string::npos) << mono;
  EXPECT_NE(mono.find("bit_rate=128000"), std::string::npos) << mono;

  BE_CONFIG lame;
  std::memset(&lame, 0, sizeof lame);
  lame.dwConfig = BE_CONFIG_LAME;
  lame.format.LHV1.dwStructVersion = CURRENT_STRUCT_VERSION;
  lame.format.LHV1.dwStructSize = sizeof lame;
  lame.format.LHV1.dwSampleRate = 44100;
  lame.format.LHV1.dwReSampleRate = 22050;
  lame.format.LHV1.nMode = BE_MP3_MODE_JSTEREO;
  lame.format.LHV1.dwBitrate = 64;
  const std::string lameFile = dir.unixFile("lame.mp3");
  WriteUnixFile(lameFile, Encode(lame, Tone(44100, 1.0, {440, 660})));
  const std::string resampled = Probe(lameFile, "stream=sample_rate,channels,bit_rate");
  EXPECT_NE(resampled.find("sample_rate=22050"), std::string::npos) << resampled;
  EXPECT_NE(resampled.find("channels=2"), std::string::npos) << resampled;
  EXPECT_NE(resampled.find("bit_rate=64000"), std::string::npos) << resampled;
}

TEST_F(LameEnc, RefusesConfigurationsItCannotEncode) {
  auto withConfig = [](std::uint32_t kind) {
    BE_CONFIG config = Mp3Config(44100, BE_MP3_MODE_STEREO, 224);
    config.dwConfig = kind;
    return config;
  };
  BE_CONFIG lameVbr;
  std::memset(&lameVbr, 0, sizeof lameVbr);
  lameVbr.dwConfig = BE_CONFIG_LAME;
  lameVbr.format.LHV1.dwSampleRate = 44100;
  lameVbr.format.LHV1.dwBitrate = 128;
  lameVbr.format.LHV1.bEnableVBR = 1;
  BE_CONFIG lameBadBitrate = lameVbr;
  lameBadBitrate.format.LHV1.bEnableVBR = 0;
  lameBadBitrate.format.LHV1.dwReSampleRate = 22050;  // MPEG-2 output, which stops at 160 kbit/s
  lameBadBitrate.format.LHV1.dwBitrate = 192;

  const struct {
    const char* what;
    BE_CONFIG config;
    BE_ERR expected;
  } cases[] = {
      {"MP3 form at 22050", Mp3Config(22050, BE_MP3_MODE_STEREO, 224), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"sample rate 0", Mp3Config(0, BE_MP3_MODE_STEREO, 224), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"bit rate 225", Mp3Config(44100, BE_MP3_MODE_STEREO, 225), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"bit rate 0", Mp3Config(44100, BE_MP3_MODE_STEREO, 0), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"mode 7", Mp3Config(44100, 7, 224), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"dual channel", Mp3Config(44100, BE_MP3_MODE_DUALCHANNEL, 224), BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"unknown kind", withConfig(5), BE_ERR_INVALID_FORMAT},
      {"LAME form asking for VBR", lameVbr, BE_ERR_INVALID_FORMAT_PARAMETERS},
      {"LAME form, bit rate the output's MPEG version lacks", lameBadBitrate, BE_ERR_INVALID_FORMAT_PARAMETERS},
  };
  for (const auto& c : cases) {
    BE_CONFIG config = c.config;
    DWORD samples = 12345, bufferSize = 12345;
    HBE_STREAM stream = 777;
    EXPECT_EQ(InitStream(&config, &samples, &bufferSize, &stream), c.expected) << c.what;
    EXPECT_EQ(stream, 777u) << c.what << ": no stream handed out";
  }
  DWORD samples = 0, bufferSize = 0;
  HBE_STREAM stream = 0;
  EXPECT_EQ(InitStream(nullptr, &samples, &bufferSize, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS);
}

TEST_F(LameEnc, StreamsAreCheckedByHandleAndChunkSize) {
  BE_CONFIG config = Mp3Config(44100, BE_MP3_MODE_STEREO, 224);
  DWORD samples = 0, bufferSize = 0;
  HBE_STREAM stream = 0;
  ASSERT_EQ(InitStream(&config, &samples, &bufferSize, &stream), BE_ERR_SUCCESSFUL);
  std::vector<SHORT> input(samples + 2);
  std::vector<BYTE> output(bufferSize);
  DWORD written = 0;
  // More than a chunk could overrun the output buffer the caller sized from beInitStream.
  EXPECT_EQ(EncodeChunk(stream, samples + 2, input.data(), output.data(), &written), BE_ERR_BUFFER_TOO_SMALL);
  // Half a stereo sample pair.
  EXPECT_EQ(EncodeChunk(stream, 3, input.data(), output.data(), &written), BE_ERR_INVALID_FORMAT_PARAMETERS);
  EXPECT_EQ(EncodeChunk(stream, samples, input.data(), output.data(), &written), BE_ERR_SUCCESSFUL);
  EXPECT_EQ(CloseStream(stream), BE_ERR_SUCCESSFUL);

  EXPECT_EQ(EncodeChunk(stream, samples, input.data(), output.data(), &written), BE_ERR_INVALID_HANDLE);
  EXPECT_EQ(DeinitStream(stream, output.data(), &written), BE_ERR_INVALID_HANDLE);
  EXPECT_EQ(CloseStream(stream), BE_ERR_INVALID_HANDLE);
  EXPECT_EQ(CloseStream(0), BE_ERR_INVALID_HANDLE);
}

}  // namespace
