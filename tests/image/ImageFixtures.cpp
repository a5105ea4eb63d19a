#include "tests/image/ImageFixtures.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace image_test {

using testing_support::RunTool;
using testing_support::ToolOutput;

Bytes& Bytes::u8(std::uint32_t v) {
  FData.push_back(static_cast<char>(v & 0xFF));
  return *this;
}

Bytes& Bytes::u16(std::uint32_t v) { return u8(v).u8(v >> 8); }

Bytes& Bytes::u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }

Bytes& Bytes::raw(const std::string& bytes) {
  FData += bytes;
  return *this;
}

Bytes& Bytes::raw(std::initializer_list<int> bytes) {
  for (const int b : bytes) u8(static_cast<std::uint32_t>(b));
  return *this;
}

Bytes InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t compression,
                 std::uint32_t sizeImage, std::uint32_t colorsUsed, std::int32_t pixelsPerMetre) {
  Bytes b;
  b.u32(40).i32(width).i32(height).u16(1).u16(bitCount).u32(compression).u32(sizeImage);
  b.i32(pixelsPerMetre).i32(pixelsPerMetre).u32(colorsUsed).u32(0);
  return b;
}

std::string BmpFile(const Bytes& infoHeader, const std::string& palette, const std::string& pixels) {
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + infoHeader.size() + palette.size());
  Bytes file;
  file.raw("BM").u32(offset + static_cast<std::uint32_t>(pixels.size())).u16(0).u16(0).u32(offset);
  return file.raw(infoHeader.str()).raw(palette).raw(pixels).str();
}

RGBQUAD Rgb(std::uint32_t rrggbb) {
  return MakeColor(static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                   static_cast<std::uint8_t>(rrggbb));
}

std::uint32_t RgbOf(const PxImage& image, std::int32_t x, std::int32_t y) {
  return PackColor(image.PixelColor(x, y, false)) & 0xFFFFFF;
}

void Make24(PxImage& image, const std::vector<std::vector<std::uint32_t>>& rows) {
  ASSERT_TRUE(image.Create(static_cast<std::uint32_t>(rows[0].size()), static_cast<std::uint32_t>(rows.size()), 24, 0));
  std::memset(image.RowBits(0), 0, static_cast<std::size_t>(image.RowBytes()) * image.Height());
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) image.SetPixelColor(x, y, Rgb(rows[y][x]));
  }
}

std::vector<std::vector<std::uint32_t>> StoredRows(const PxImage& image) {
  std::vector<std::vector<std::uint32_t>> rows(image.Height(), std::vector<std::uint32_t>(image.Width()));
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) rows[y][x] = RgbOf(image, x, y);
  }
  return rows;
}

void MakePattern(PxImage& image, std::uint32_t width, std::uint32_t height, std::uint32_t bpp) {
  ASSERT_TRUE(image.Create(width, height, bpp, 0)) << image.LastError();
  std::memset(image.RowBits(0), 0, static_cast<std::size_t>(image.RowBytes()) * height);
  for (std::uint32_t i = 0; i < image.NumColors(); ++i) {
    image.SetPaletteEntry(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 37 + 11),
                          static_cast<std::uint8_t>(255 - i * 5), static_cast<std::uint8_t>(i * 91), 0);
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t v = x * 7 + y * y * 3 + (x * y) % 5;
      if (image.IsIndexed()) {
        image.SetPixelIndex(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                            static_cast<std::uint8_t>(v % image.NumColors()));
      } else {
        image.SetPixelColor(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                            MakeColor(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(x * 17),
                                      static_cast<std::uint8_t>(y * 29 + x)));
      }
    }
  }
}

std::string PatternPpm(int width, int height, int colours) {
  std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (colours == 0) {
        ppm += static_cast<char>(x * 255 / width);
        ppm += static_cast<char>(y * 255 / height);
        ppm += static_cast<char>((x * y * 7) % 256);
        continue;
      }
      const int c = (x * 7 + y * y * 3 + (x * y) % 5) % colours;
      ppm += static_cast<char>(c * 37 % 256);
      ppm += static_cast<char>(255 - c * 11 % 256);
      ppm += static_cast<char>(c * 89 % 256);
    }
  }
  return ppm;
}

::testing::AssertionResult SamePixels(const PxImage& expected, const PxImage& actual) {
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height() || expected.Bpp() != actual.Bpp())
    return ::testing::AssertionFailure() << "size or depth differs: " << actual.Width() << "x" << actual.Height() << "x"
                                         << actual.Bpp() << " instead of " << expected.Width() << "x"
                                         << expected.Height() << "x" << expected.Bpp();
  for (std::uint32_t i = 0; i < expected.NumColors(); ++i) {
    const RGBQUAD a = expected.PaletteColor(static_cast<std::uint8_t>(i));
    const RGBQUAD b = actual.PaletteColor(static_cast<std::uint8_t>(i));
    if (!SameRgb(a, b)) return ::testing::AssertionFailure() << "palette entry " << i << " differs";
  }
  for (std::int32_t y = 0; y < expected.Height(); ++y) {
    for (std::int32_t x = 0; x < expected.Width(); ++x) {
      const bool same = expected.IsIndexed() ? expected.PixelIndex(x, y) == actual.PixelIndex(x, y)
                                             : SameRgb(expected.PixelColor(x, y, false), actual.PixelColor(x, y, false));
      if (!same) return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
    }
  }
  return ::testing::AssertionSuccess();
}

std::vector<std::uint32_t> TopDownColours(const PxImage& image) {
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) colours.push_back(PackColor(image.PixelColor(x, y, false)) & 0xFFFFFF);
  }
  return colours;
}

std::vector<std::uint8_t> TopDownAlpha(const PxImage& image) {
  std::vector<std::uint8_t> alpha;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) alpha.push_back(image.AlphaGet(x, y));
  }
  return alpha;
}

bool DecodeBytes(PxImage& image, const std::string& bytes, std::uint32_t id) {
  std::string copy = bytes;
  PxMemFile file(reinterpret_cast<std::uint8_t*>(copy.data()), static_cast<std::int32_t>(copy.size()));
  return image.Decode(&file, id);
}

std::string EncodeBytes(PxImage& image, std::uint32_t id, bool* ok) {
  PxMemFile file;
  file.Open();
  const bool encoded = image.Encode(&file, id);
  if (ok) *ok = encoded;
  if (!encoded) return {};
  return std::string(reinterpret_cast<const char*>(file.Buffer(false)), static_cast<std::size_t>(file.GetSize()));
}

std::vector<std::uint32_t> MagickColours(const std::string& unixPath) {
  const std::string raw = ToolOutput("convert '" + unixPath + "[0]' -depth 8 rgb:- 2>/dev/null");
  std::vector<std::uint32_t> colours;
  for (std::size_t i = 0; i + 2 < raw.size(); i += 3) {
    colours.push_back((static_cast<std::uint8_t>(raw[i]) << 16) | (static_cast<std::uint8_t>(raw[i + 1]) << 8) |
                      static_cast<std::uint8_t>(raw[i + 2]));
  }
  return colours;
}

std::string MagickSize(const std::string& unixPath) {
  return ToolOutput("identify -format '%w %h' '" + unixPath + "[0]' 2>/dev/null");
}

void CheckDamagedFile(const DamagedFile& file, std::uint32_t id) {
  PxImage image;
  MakePattern(image, 2, 2, 24);
  PxImage before;
  MakePattern(before, 2, 2, 24);
  std::strcpy(image.Info().lastError, "");
  EXPECT_EQ(DecodeBytes(image, file.bytes, id), file.result) << file.what;
  if (!file.result) {
    EXPECT_STREQ(image.LastError(), file.error) << file.what;
    EXPECT_TRUE(SamePixels(before, image)) << file.what;
  }
}

namespace {

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when it cannot be read.
long long ProcessMemoryKb(const char* field) {
  const std::string status = testing_support::ReadUnixFile("/proc/self/status");
  const std::size_t at = status.find(std::string(field) + ":");
  if (at == std::string::npos) return -1;
  return std::atoll(status.c_str() + at + std::strlen(field) + 1);
}

}  // namespace

void CheckHostileFile(const HostileFile& file, std::uint32_t id) {
  PxImage image;
  MakePattern(image, 2, 2, 24);
  PxImage before;
  MakePattern(before, 2, 2, 24);
  // Writing 5 here resets the peak to what the process holds now.
  testing_support::WriteUnixFile("/proc/self/clear_refs", "5");
  const long long start = ProcessMemoryKb("VmRSS");
  const auto begun = std::chrono::steady_clock::now();
  EXPECT_FALSE(DecodeBytes(image, file.bytes, id)) << file.what;
  const auto took = std::chrono::steady_clock::now() - begun;
  const long long peak = ProcessMemoryKb("VmHWM");
  if (file.error) {
    EXPECT_STREQ(image.LastError(), file.error) << file.what;
  }
  EXPECT_STRNE(image.LastError(), "") << file.what;
  EXPECT_TRUE(SamePixels(before, image)) << file.what;
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 1000) << file.what;
  if (start > 0 && peak > 0) {
    EXPECT_LT(peak - start, 64 * 1024) << file.what << ": peak memory in kB";
  }
}

void MaskedImage::Select(const std::vector<std::pair<std::int32_t, std::int32_t>>& pixels) {
  delete[] selection;
  selection = new std::uint8_t[static_cast<std::size_t>(Width()) * Height()]();
  RECT box{Width(), 0, 0, Height()};
  for (const auto& [x, y] : pixels) {
    selection[y * Width() + x] = 1;
    box = RECT{std::min<LONG>(box.left, x), std::max<LONG>(box.top, y + 1), std::max<LONG>(box.right, x + 1),
               std::min<LONG>(box.bottom, y)};
  }
  info.selectionBox = box;
}

}  // namespace image_test
