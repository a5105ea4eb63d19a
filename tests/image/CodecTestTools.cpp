#include "tests/image/CodecTestTools.h"

#include "tests/image/ImageFixtures.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <random>

namespace codec_test {

std::string Shell(const std::string& path) { return "'" + path + "'"; }

std::string FillCommand(std::string command, const std::map<std::string, std::string>& values) {
  for (const auto& [name, value] : values) {
    const std::string key = "{" + name + "}";
    for (std::size_t at = command.find(key); at != std::string::npos; at = command.find(key, at + value.size()))
      command.replace(at, key.size(), value);
  }
  return command;
}

::testing::AssertionResult MakeWithTool(const std::string& make, const std::string& in, const std::string& out,
                                        const testing_support::TempDir& dir) {
  const std::string command = FillCommand(make, {{"in", Shell(in)}, {"out", Shell(out)}, {"dir", dir.unixPath()}});
  if (testing_support::RunTool("(" + command + ") >/dev/null 2>&1") != 0)
    return ::testing::AssertionFailure() << "failed: " << command;
  return ::testing::AssertionSuccess();
}

Netpbm ParseNetpbm(const std::string& bytes) {
  Netpbm picture;
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return picture;
  std::size_t pos = 2;
  std::uint32_t fields[3] = {};
  for (std::uint32_t& field : fields) {
    for (;;) {
      while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
      if (pos < bytes.size() && bytes[pos] == '#') {
        while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
        continue;
      }
      break;
    }
    while (pos < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[pos])))
      field = field * 10 + static_cast<std::uint32_t>(bytes[pos++] - '0');
  }
  ++pos;  // the one blank after the maximum value
  const int channels = bytes[1] == '5' ? 1 : 3;
  const std::size_t sampleBytes = fields[2] > 255 ? 2 : 1;
  const std::size_t count = static_cast<std::size_t>(fields[0]) * fields[1] * channels;
  if (fields[2] == 0 || pos + count * sampleBytes > bytes.size()) return picture;
  picture.width = static_cast<int>(fields[0]);
  picture.height = static_cast<int>(fields[1]);
  picture.channels = channels;
  picture.maximum = fields[2];
  for (std::size_t i = 0; i < count; ++i) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data() + pos + i * sampleBytes);
    picture.samples.push_back(sampleBytes == 2 ? (s[0] << 8) | s[1] : s[0]);
  }
  return picture;
}

std::string MakeNetpbm(int width, int height, int channels, std::uint32_t maximum,
                       const std::vector<std::uint32_t>& samples) {
  std::string bytes = std::string(channels == 1 ? "P5\n" : "P6\n") + std::to_string(width) + " " +
                      std::to_string(height) + "\n" + std::to_string(maximum) + "\n";
  for (const std::uint32_t s : samples) {
    if (maximum > 255) bytes += static_cast<char>(s >> 8);
    bytes += static_cast<char>(s & 0xFF);
  }
  return bytes;
}

std::vector<std::uint32_t> ImageArgb(const PxImage& image) {
  std::vector<std::uint32_t> pixels;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const std::uint32_t a = image.AlphaIsValid() ? image.AlphaGet(x, y) : 255;
      pixels.push_back((a << 24) | (PackColor(image.PixelColor(x, y, false)) & 0xFFFFFF));
    }
  }
  return pixels;
}

std::vector<std::uint32_t> MagickArgb(const std::string& unixPath) {
  const std::string raw =
      testing_support::ToolOutput("convert " + Shell(unixPath + "[0]") + " -depth 8 rgba:- 2>/dev/null");
  std::vector<std::uint32_t> pixels;
  for (std::size_t i = 0; i + 3 < raw.size(); i += 4) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(raw[i + k])); };
    pixels.push_back((byte(3) << 24) | (byte(0) << 16) | (byte(1) << 8) | byte(2));
  }
  return pixels;
}

std::vector<std::uint32_t> NetpbmArgb(const Netpbm& picture) {
  std::vector<std::uint32_t> pixels;
  if (picture.channels != 1 && picture.channels != 3) return pixels;
  const auto eightBit = [&](std::uint32_t s) { return picture.maximum > 255 ? (s * 255 + 32767) / 65535 : s; };
  for (std::size_t i = 0; i + picture.channels <= picture.samples.size(); i += static_cast<std::size_t>(picture.channels)) {
    const std::uint32_t r = eightBit(picture.samples[i]);
    const std::uint32_t g = picture.channels == 3 ? eightBit(picture.samples[i + 1]) : r;
    const std::uint32_t b = picture.channels == 3 ? eightBit(picture.samples[i + 2]) : r;
    pixels.push_back(0xFF000000u | (r << 16) | (g << 8) | b);
  }
  return pixels;
}

namespace {

int ChannelDifference(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

}  // namespace

int LargestDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.size() != b.size() || a.empty()) return 256;
  int largest = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    // Colours of fully transparent pixels don't count.
    const bool transparent = (a[i] >> 24) == 0 && (b[i] >> 24) == 0;
    for (int shift = transparent ? 24 : 0; shift < 32; shift += 8) largest = std::max(largest, ChannelDifference(a[i], b[i], shift));
  }
  return largest;
}

double MeanDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.size() != b.size() || a.empty()) return 256;
  double total = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    for (int shift = 0; shift < 32; shift += 8) total += ChannelDifference(a[i], b[i], shift);
  return total / (4.0 * static_cast<double>(a.size()));
}

std::string Contents(PxMemFile& file) {
  const std::int32_t size = file.GetSize();
  if (size <= 0) return {};
  return std::string(reinterpret_cast<const char*>(file.Buffer(false)), static_cast<std::size_t>(size));
}

FullDisk::FullDisk(std::size_t room) : FRoom(room) { Open(); }

std::size_t FullDisk::Write(const void* buffer, std::size_t size, std::size_t count) {
  const std::size_t fit = size == 0 ? 0 : std::min(count, (FRoom - FUsed) / size);
  FUsed += fit * size;
  return fit == 0 ? 0 : PxMemFile::Write(buffer, size, fit);
}

void DecodeCutAndDamaged(const std::string& file, std::uint32_t cutId, std::uint32_t damagedId, const Damage& damage) {
  for (std::size_t length = 0; length < file.size(); length += 1 + length / damage.cutStep) {
    PxImage image;
    image_test::DecodeBytes(image, file.substr(0, length), cutId);
  }
  std::uint32_t seed = damage.seed;
  for (int round = 0; round < damage.rounds; ++round) {
    std::string damaged = file;
    for (int k = 0; k < damage.flips; ++k) {
      seed = seed * 1103515245u + 12345u;
      const std::size_t at = (seed >> 8) % damaged.size();
      damaged[at] = static_cast<char>(damaged[at] ^ (1 << ((seed >> 4) & 7)));
    }
    PxImage image;
    if (image_test::DecodeBytes(image, damaged, damagedId)) {
      EXPECT_TRUE(image.IsValid());
    }
  }
}

void ExpectFullDisksFail(PxImage& image, std::uint32_t id, std::initializer_list<std::size_t> rooms, const char* message,
                         std::size_t whole) {
  for (const std::size_t room : rooms) {
    SCOPED_TRACE("room " + std::to_string(room));
    FullDisk disk(room);
    EXPECT_FALSE(image.Encode(&disk, id));
    EXPECT_STREQ(image.LastError(), message);
  }
  FullDisk enough(whole);
  EXPECT_TRUE(image.Encode(&enough, id)) << image.LastError();
}

::testing::AssertionResult DecodesCleanly(const std::string& bytes, std::uint32_t id) {
  PxImage image;
  const auto start = std::chrono::steady_clock::now();
  const bool ok = image_test::DecodeBytes(image, bytes, id);
  if (std::chrono::steady_clock::now() - start > std::chrono::seconds(2))
    return ::testing::AssertionFailure() << "took too long";
  if (ok && (!image.IsValid() || image.Width() <= 0 || image.Height() <= 0))
    return ::testing::AssertionFailure() << "success without a picture";
  if (!ok && image.LastError()[0] == '\0') return ::testing::AssertionFailure() << "failure without a reason";
  return ::testing::AssertionSuccess();
}

void ExpectCutAndCorruptDecodeCleanly(const std::vector<std::string>& samples, std::uint32_t id, std::size_t headerSize,
                                      std::uint32_t seed) {
  std::mt19937 random(seed);
  for (const std::string& bytes : samples) {
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      SCOPED_TRACE(length);
      EXPECT_TRUE(DecodesCleanly(bytes.substr(0, length), id));
    }
    for (int trial = 0; trial < 150; ++trial) {
      std::string corrupt = bytes;
      for (int i = 0; i < 1 + trial % 6; ++i) {
        const std::size_t at = trial % 2 ? random() % headerSize : random() % corrupt.size();
        corrupt[at] = static_cast<char>(random());
      }
      SCOPED_TRACE(trial);
      EXPECT_TRUE(DecodesCleanly(corrupt, id));
    }
  }
}

}  // namespace codec_test
