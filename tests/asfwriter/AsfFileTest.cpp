// The writer's encoding driven directly: every picture layout and PCM shape it takes, the times it
// keeps, and the files it must not leave behind.
#include "tests/support/testing.h"

#include "platform/asfwriter/AsfFile.h"
#include "tests/asfwriter/AsfProbe.h"

#include <cmath>
#include <numbers>

using asfwriter::TAsfFile;
using asfwriter::TAudioSource;
using asfwriter::TPixelLayout;
using asfwriter::TVideoSource;
using testing_support::TempDir;

namespace {

constexpr int64_t kSecond = 10'000'000;
constexpr int64_t kFrameTime = kSecond / 25;

std::u16string Wide(const std::string& Text) { return std::u16string(Text.begin(), Text.end()); }
const WCHAR* W(const std::u16string& Text) { return reinterpret_cast<const WCHAR*>(Text.c_str()); }

bool Exists(const std::u16string& Path) { return GetFileAttributesW(W(Path)) != INVALID_FILE_ATTRIBUTES; }

struct TRgb {
  int R, G, B;
};

// The test picture's quadrants, top left, top right, bottom left, bottom right, and their YUV
// (BT.601, limited range).
constexpr TRgb kQuadrants[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
constexpr TRgb kQuadrantsYuv[] = {{82, 90, 240}, {145, 54, 34}, {41, 240, 110}, {235, 128, 128}};

int Quadrant(int X, int Y, int Width, int Height) { return (Y < Height / 2 ? 0 : 2) + (X < Width / 2 ? 0 : 1); }

// The quadrant picture laid out as Source describes, rows padded to four bytes.
std::vector<uint8_t> Picture(const TVideoSource& Source) {
  const int bits = Source.Layout == TPixelLayout::Bgr32 ? 32 : Source.Layout == TPixelLayout::Bgr24 ? 24 : 16;
  const int stride = (Source.Width * bits + 31) / 32 * 4;
  std::vector<uint8_t> data(static_cast<std::size_t>(stride) * Source.Height);
  for (int y = 0; y < Source.Height; ++y) {
    uint8_t* row = &data[static_cast<std::size_t>(stride) * (Source.BottomUp ? Source.Height - 1 - y : y)];
    for (int x = 0; x < Source.Width; ++x) {
      const int quadrant = Quadrant(x, y, Source.Width, Source.Height);
      const TRgb& c = kQuadrants[quadrant];
      if (Source.Layout == TPixelLayout::Yuy2) {
        const TRgb& yuv = kQuadrantsYuv[quadrant];
        row[x * 2] = static_cast<uint8_t>(yuv.R);
        row[x * 2 + 1] = static_cast<uint8_t>(x % 2 == 0 ? yuv.G : yuv.B);
      } else {
        uint8_t* pixel = row + x * bits / 8;
        pixel[0] = static_cast<uint8_t>(c.B);
        pixel[1] = static_cast<uint8_t>(c.G);
        pixel[2] = static_cast<uint8_t>(c.R);
      }
    }
  }
  return data;
}

// Count sample frames of a 1 kHz tone in the PCM shape Source describes, from frame First on.
std::vector<uint8_t> Tone(const TAudioSource& Source, int64_t First, int64_t Count) {
  const int bytes = Source.Bits / 8;
  std::vector<uint8_t> data(static_cast<std::size_t>(Count * Source.Channels * bytes));
  uint8_t* out = data.data();
  for (int64_t i = 0; i < Count; ++i) {
    const double value = 0.3 * std::sin(2 * std::numbers::pi * 1000.0 * static_cast<double>(First + i) / Source.Rate);
    for (int channel = 0; channel < Source.Channels; ++channel) {
      if (bytes == 1) {
        *out = static_cast<uint8_t>(128 + std::lround(value * 127));
      } else {
        const auto sample = static_cast<int32_t>(std::lround(value * (bytes == 2 ? 32767.0 : 2147483647.0)));
        std::memcpy(out, &sample, bytes);  // little-endian: the low bytes
      }
      out += bytes;
    }
  }
  return data;
}

// Writes Seconds of pictures and tone into File, a buffer of each every 1/25 s.
HRESULT WriteSeconds(TAsfFile& File, const TVideoSource& Video, const TAudioSource& Audio, int Seconds) {
  const std::vector<uint8_t> picture = Picture(Video);
  const int64_t perFrame = Audio.Rate / 25;
  for (int64_t frame = 0; frame < 25 * Seconds; ++frame) {
    if (HRESULT written = File.WriteVideo(picture.data(), static_cast<long>(picture.size()), frame * kFrameTime);
        FAILED(written))
      return written;
    const std::vector<uint8_t> sound = Tone(Audio, frame * perFrame, perFrame);
    if (HRESULT written = File.WriteAudio(sound.data(), static_cast<long>(sound.size()), frame * kFrameTime);
        FAILED(written))
      return written;
  }
  return S_OK;
}

TEST(AsfFile, EveryPictureLayoutAndPcmShapeGivesAPlayableFile) {
  struct TCase {
    const char* Name;
    TVideoSource Video;
    TAudioSource Audio;
  };
  const TCase cases[] = {
      {"rgb32 bottom-up, 16-bit stereo", {TPixelLayout::Bgr32, 320, 240, true, kFrameTime}, {44100, 2, 16}},
      {"rgb24 top-down odd size, 16-bit mono", {TPixelLayout::Bgr24, 161, 121, false, kFrameTime}, {22050, 1, 16}},
      {"rgb24 bottom-up, 32-bit stereo", {TPixelLayout::Bgr24, 160, 120, true, kFrameTime}, {48000, 2, 32}},
      {"yuy2, 8-bit mono", {TPixelLayout::Yuy2, 320, 240, false, kFrameTime}, {8000, 1, 8}},
  };
  TempDir dir;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::u16string path = Wide(dir.windowsFile("take.wmv"));
    std::unique_ptr<TAsfFile> file;
    ASSERT_EQ(TAsfFile::Create(W(path), c.Video, c.Audio, file), S_OK);
    ASSERT_EQ(WriteSeconds(*file, c.Video, c.Audio, 2), S_OK);
    ASSERT_EQ(file->Finish(), S_OK);

    const std::string unixPath = dir.unixFile("take.wmv");
    const int width = c.Video.Width & ~1, height = c.Video.Height & ~1;
    EXPECT_EQ(asfprobe::Streams(unixPath),
              "wmv2,video," + std::to_string(width) + "," + std::to_string(height) + "\nwmav2,audio,44100,2\nasf\n");
    EXPECT_NEAR(asfprobe::Duration(unixPath), 2.0, 0.25);
    EXPECT_TRUE(asfprobe::HasIndex(unixPath));

    // The picture the right way up, in its colours.
    const std::string picture = asfprobe::Picture(unixPath, 1.0);
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(width) * height * 3);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
      const int x = width / 4 + (quadrant % 2) * width / 2, y = height / 4 + (quadrant / 2) * height / 2;
      const auto* p = reinterpret_cast<const unsigned char*>(&picture[(static_cast<std::size_t>(y) * width + x) * 3]);
      EXPECT_NEAR(p[0], kQuadrants[quadrant].R, 40) << "quadrant " << quadrant;
      EXPECT_NEAR(p[1], kQuadrants[quadrant].G, 40) << "quadrant " << quadrant;
      EXPECT_NEAR(p[2], kQuadrants[quadrant].B, 40) << "quadrant " << quadrant;
    }
    // The tone at its pitch, whatever the source's rate and channels.
    const std::vector<int16_t> sound = asfprobe::Sound(unixPath);
    EXPECT_NEAR(sound.size() / 44100.0, 2.0, 0.15);
    EXPECT_NEAR(asfprobe::Pitch(sound), 1000, 20);
  }
}

// The packets' times in seconds, of the file's stream Kind ("v" or "a").
std::vector<double> PacketTimes(const std::string& UnixPath, const char* Kind) {
  std::vector<double> times;
  const std::string lines = testing_support::ToolOutput(std::string("ffprobe -v error -select_streams ") + Kind +
                                                        " -show_entries packet=pts_time -of csv=p=0 " +
                                                        asfprobe::Quoted(UnixPath));
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = lines.find('\n', at);
    times.push_back(std::atof(lines.substr(at, end - at).c_str()));
    at = end == std::string::npos ? lines.size() : end + 1;
  }
  return times;
}

double Loudest(const std::vector<int16_t>& Sound, double From, double To) {
  int loudest = 0;
  for (auto i = static_cast<std::size_t>(From * 44100); i < static_cast<std::size_t>(To * 44100) && i < Sound.size(); ++i)
    loudest = std::max(loudest, std::abs(int{Sound[i]}));
  return loudest;
}

TEST(AsfFile, TimesComeFromTheSamples) {
  // Pictures five times a second from a source of 25 a second; sound for the first second, none
  // for the next, and then again for the third.
  const TVideoSource video{TPixelLayout::Bgr32, 160, 120, true, kFrameTime};
  const TAudioSource audio{44100, 2, 16};
  TempDir dir;
  const std::u16string path = Wide(dir.windowsFile("times.wmv"));
  std::unique_ptr<TAsfFile> file;
  ASSERT_EQ(TAsfFile::Create(W(path), video, audio, file), S_OK);
  const std::vector<uint8_t> picture = Picture(video);
  for (int64_t frame = 0; frame < 75; ++frame) {
    if (frame % 5 == 0) {
      ASSERT_EQ(file->WriteVideo(picture.data(), static_cast<long>(picture.size()), frame * kFrameTime), S_OK);
    }
    if (frame >= 25 && frame < 50) continue;
    const std::vector<uint8_t> sound = Tone(audio, frame * 1764, 1764);
    ASSERT_EQ(file->WriteAudio(sound.data(), static_cast<long>(sound.size()), frame * kFrameTime), S_OK);
  }
  ASSERT_EQ(file->Finish(), S_OK);

  const std::string unixPath = dir.unixFile("times.wmv");
  const std::vector<double> times = PacketTimes(unixPath, "v");
  ASSERT_EQ(times.size(), 15u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_NEAR(times[i] - times[i - 1], 0.2, 0.002) << i;
  const std::vector<int16_t> sound = asfprobe::Sound(unixPath);
  EXPECT_NEAR(sound.size() / 44100.0, 3.0, 0.15);
  EXPECT_GT(Loudest(sound, 0.2, 0.8), 5000);
  EXPECT_LT(Loudest(sound, 1.2, 1.8), 100);
  EXPECT_GT(Loudest(sound, 2.2, 2.8), 5000);
}

TEST(AsfFile, LeavesNoFileItCouldNotFinish) {
  TempDir dir;
  const TVideoSource video{TPixelLayout::Bgr32, 160, 120, true, kFrameTime};
  std::unique_ptr<TAsfFile> file;

  // A folder that is not there.
  const std::u16string missing = Wide(dir.windowsFile("gone\\take.wmv"));
  EXPECT_EQ(TAsfFile::Create(W(missing), video, std::nullopt, file), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(file);
  EXPECT_FALSE(Exists(Wide(dir.windowsFile("gone"))));

  // A file dropped before it was finished is removed, not left looking complete.
  const std::u16string dropped = Wide(dir.windowsFile("dropped.wmv"));
  ASSERT_EQ(TAsfFile::Create(W(dropped), video, std::nullopt, file), S_OK);
  const std::vector<uint8_t> picture = Picture(video);
  ASSERT_EQ(file->WriteVideo(picture.data(), static_cast<long>(picture.size()), 0), S_OK);
  EXPECT_TRUE(Exists(dropped));
  file.reset();
  EXPECT_FALSE(Exists(dropped));

  // Nothing to write makes no file.
  EXPECT_EQ(TAsfFile::Create(W(dropped), std::nullopt, std::nullopt, file), E_INVALIDARG);
  EXPECT_FALSE(Exists(dropped));
}

}  // namespace
