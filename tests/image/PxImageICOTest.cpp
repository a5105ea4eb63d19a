// The icon codec: round trips, directories with several images, the AND mask turned into
// transparency, short palettes, 256-pixel and PNG entries, files for and of ImageMagick, and a
// table of damaged icons.
#include "tests/support/testing.h"

#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using codec_test::LargestDifference;
using codec_test::Shell;
using image_test::Bytes;
using image_test::CheckDamagedFile;
using image_test::DamagedFile;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::InfoHeader;
using image_test::MagickColours;
using image_test::MagickSize;
using image_test::MakePattern;
using image_test::SamePixels;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

namespace {

struct IconImage {
  int width, height, bitCount;
  std::string palette, pixels, mask;
};

// An icon file: directory, entries, then each image's header (height doubled), palette, pixels and
// mask. A palette shorter than the depth allows is announced in the header's colour count; a side
// of 256 is stored as 0 in the directory.
std::string IconFile(const std::vector<IconImage>& images) {
  Bytes file;
  file.u16(0).u16(1).u16(static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    const std::uint32_t size = static_cast<std::uint32_t>(40 + image.palette.size() + image.pixels.size() + image.mask.size());
    file.u8(image.width & 0xFF).u8(image.height & 0xFF).u8(0).u8(0).u16(1).u16(image.bitCount).u32(size).u32(offset);
    offset += size;
  }
  for (const IconImage& image : images) {
    const std::uint32_t entries = static_cast<std::uint32_t>(image.palette.size() / 4);
    const bool shortPalette = image.bitCount <= 8 && entries < (1u << image.bitCount);
    file.raw(InfoHeader(image.width, 2 * image.height, static_cast<std::uint16_t>(image.bitCount), 0, 0,
                        shortPalette ? entries : 0)
                 .str());
    file.raw(image.palette).raw(image.pixels).raw(image.mask);
  }
  return file.str();
}

// Rows padded to 32 bits, bottom row first: each pixel's bits from value(x, y) at `bits` a pixel
// (1, 4 or 8), or the bytes (blue, green, red, and alpha at 32 bits) of 0xAARRGGBB value(x, y).
std::string PackedRows(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& value) {
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  std::string rows(static_cast<std::size_t>(rowBytes * height), '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      char* row = rows.data() + y * rowBytes;
      if (bits >= 24) {
        for (int k = 0; k < bits / 8; ++k) row[bits / 8 * x + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
      } else {
        const int perByte = 8 / bits;
        row[x / perByte] = static_cast<char>(row[x / perByte] | (v << ((perByte - 1 - x % perByte) * bits)));
      }
    }
  }
  return rows;
}

// What a viewer shows of a decoded icon, as 0xAARRGGBB top row first: the alpha channel, the
// transparent palette index or the transparent colour, whichever the decoder chose.
std::vector<std::uint32_t> ShownArgb(const PxImage& image) {
  std::vector<std::uint32_t> pixels;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const RGBQUAD colour = image.PixelColor(x, y, false);
      bool clear = image.AlphaIsValid() && image.AlphaGet(x, y) == 0;
      if (image.IsTransparent()) {
        clear = clear || (image.IsIndexed() ? image.PixelIndex(x, y) == image.TransparentIndex()
                                            : SameRgb(colour, image.TransparentColor()));
      }
      const std::uint32_t alpha = clear ? 0 : (image.AlphaIsValid() ? image.AlphaGet(x, y) : 255);
      pixels.push_back((alpha << 24) | (PackColor(colour) & 0xFFFFFF));
    }
  }
  return pixels;
}

// ImageMagick's view of one picture of a file, the same way.
std::vector<std::uint32_t> MagickFrameArgb(const std::string& unixPath, int frame) {
  const std::string raw = ToolOutput("convert " + Shell(unixPath + "[" + std::to_string(frame) + "]") +
                                     " -depth 8 rgba:- 2>/dev/null");
  std::vector<std::uint32_t> pixels;
  for (std::size_t i = 0; i + 3 < raw.size(); i += 4) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(raw[i + k])); };
    pixels.push_back((byte(3) << 24) | (byte(0) << 16) | (byte(1) << 8) | byte(2));
  }
  return pixels;
}

std::string ColourPalette(int entries) {
  Bytes palette;
  for (int i = 0; i < entries; ++i) palette.u8(i * 3).u8(255 - i).u8(i * 7).u8(0);
  return palette.str();
}

}  // namespace

TEST(IcoCodec, RoundTripsAtEveryDepth) {
  for (const std::uint32_t bpp : {1u, 4u, 8u, 24u}) {
    PxImage original;
    MakePattern(original, 13, 7, bpp);
    bool ok = false;
    const std::string bytes = EncodeBytes(original, FMT_ICO, &ok);
    ASSERT_TRUE(ok) << original.LastError();
    PxImage decoded;
    ASSERT_TRUE(DecodeBytes(decoded, bytes, FMT_ICO)) << bpp;
    EXPECT_TRUE(SamePixels(original, decoded)) << bpp;
    EXPECT_EQ(decoded.TransparentIndex(), -1) << bpp;
    EXPECT_FALSE(decoded.AlphaIsValid()) << bpp;
    EXPECT_EQ(decoded.Info().frameCount, 1);
  }
}

TEST(IcoCodec, TrueColourWithAlphaIsWrittenAs32Bits) {
  PxImage original;
  MakePattern(original, 5, 3, 24);
  ASSERT_TRUE(original.AlphaCreate());
  original.AlphaSet(1, 2, 0);
  original.AlphaSet(4, 0, 128);
  const std::string bytes = EncodeBytes(original, FMT_ICO);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[12]), 32);                   // entry bit count
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[22 + 14]), 32);              // header bit count
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[22 + 20]), 5 * 3 * 4);       // header image size
  EXPECT_EQ(bytes.size(), 22u + 40 + 60 + 3 * 4);
  PxImage decoded;
  ASSERT_TRUE(DecodeBytes(decoded, bytes, FMT_ICO));
  EXPECT_TRUE(SamePixels(original, decoded));
  EXPECT_EQ(decoded.AlphaGet(1, 2), 0);
  EXPECT_EQ(decoded.AlphaGet(4, 0), 128);
  EXPECT_EQ(decoded.AlphaGet(0, 0), 255);
}

TEST(IcoCodec, WrittenIconsReadTheSameInImageMagick) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  for (const std::uint32_t bpp : {4u, 8u, 24u}) {
    PxImage original;
    MakePattern(original, 16, 16, bpp);
    const std::string name = "icon" + std::to_string(bpp) + ".ico";
    ASSERT_TRUE(original.SaveFile(dir.windowsFile(name).c_str(), FMT_ICO)) << original.LastError();
    EXPECT_EQ(MagickSize(dir.unixFile(name)), "16 16");
    EXPECT_EQ(MagickColours(dir.unixFile(name)), TopDownColours(original)) << bpp;
  }
}

TEST(IcoCodec, ChoosesTheRequestedEntry) {
  const IconImage first{8, 1, 1, ColourPalette(2), Bytes().raw({0xF0, 0, 0, 0}).str(), std::string(4, '\0')};
  const IconImage second{1, 2, 24, "", Bytes().raw({1, 2, 3, 0, 4, 5, 6, 0}).str(), std::string(8, '\0')};
  const std::string file = IconFile({first, second});

  PxImage image;
  image.SelectFrame(1);
  ASSERT_TRUE(DecodeBytes(image, file, FMT_ICO));
  EXPECT_EQ(image.Info().frameCount, 2);
  EXPECT_EQ(image.Bpp(), 24);
  EXPECT_EQ(TopDownColours(image), (std::vector<std::uint32_t>{0x060504, 0x030201}));

  // A frame that does not exist fails, but the caller learns how many there are.
  PxImage missing;
  missing.SelectFrame(2);
  EXPECT_FALSE(DecodeBytes(missing, file, FMT_ICO));
  EXPECT_EQ(missing.Info().frameCount, 2);
  EXPECT_FALSE(missing.IsValid());
}

TEST(IcoCodec, OneMaskedColourBecomesTheTransparentColour) {
  // 2 x 2, rows bottom first; the masked pixels (one per row) are both (9, 9, 9).
  const std::string pixels = Bytes().raw({1, 2, 3, 9, 9, 9, 0, 0, 9, 9, 9, 4, 5, 6, 0, 0}).str();
  const std::string mask = Bytes().raw({0x40, 0, 0, 0, 0x80, 0, 0, 0}).str();
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, IconFile({{2, 2, 24, "", pixels, mask}}), FMT_ICO));
  EXPECT_EQ(image.TransparentIndex(), 0);
  EXPECT_EQ(PackColor(image.TransparentColor()), 0x090909u);
  EXPECT_FALSE(image.AlphaIsValid());

  // Different colours under the mask keep an alpha channel instead.
  const std::string mixed = Bytes().raw({1, 2, 3, 9, 9, 9, 0, 0, 8, 8, 8, 4, 5, 6, 0, 0}).str();
  PxImage alpha;
  ASSERT_TRUE(DecodeBytes(alpha, IconFile({{2, 2, 24, "", mixed, mask}}), FMT_ICO));
  EXPECT_EQ(alpha.TransparentIndex(), -1);
  ASSERT_TRUE(alpha.AlphaIsValid());
  EXPECT_EQ(alpha.AlphaGet(1, 0), 0);
  EXPECT_EQ(alpha.AlphaGet(0, 1), 0);
  EXPECT_EQ(alpha.AlphaGet(0, 0), 255);
}

TEST(IcoCodec, MaskedPaletteIconsTakeAFreeIndex) {
  // 4 x 1 at 4 bits using indices 0..3; pixel 2 is masked and takes index 4, the lowest free one.
  PxImage four;
  ASSERT_TRUE(DecodeBytes(four, IconFile({{4, 1, 4, ColourPalette(16), Bytes().raw({0x01, 0x23, 0, 0}).str(),
                                           Bytes().raw({0x20, 0, 0, 0}).str()}}),
                          FMT_ICO));
  EXPECT_EQ(four.TransparentIndex(), 4);
  EXPECT_EQ(four.PixelIndex(2, 0), 4);
  EXPECT_EQ(four.PixelIndex(3, 0), 3);
  EXPECT_FALSE(four.AlphaIsValid());

  // All 256 indices in use: the mask stays an alpha channel.
  Bytes pixels;
  for (int i = 0; i < 256; ++i) pixels.u8(i);
  std::string mask(16 * 4, '\0');
  mask[0] = '\x80';
  PxImage eight;
  ASSERT_TRUE(DecodeBytes(eight, IconFile({{16, 16, 8, ColourPalette(256), pixels.str(), mask}}), FMT_ICO));
  EXPECT_EQ(eight.TransparentIndex(), -1);
  ASSERT_TRUE(eight.AlphaIsValid());
  EXPECT_EQ(eight.AlphaGet(0, 0), 0);
  EXPECT_EQ(eight.AlphaGet(1, 0), 255);
}

TEST(IcoCodec, AFullMaskInvertsThePicture) {
  const std::string palette = Bytes().raw({0, 0, 0, 0, 0, 0, 255, 0}).str();  // black, red
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, IconFile({{8, 1, 1, palette, Bytes().raw({0x0F, 0, 0, 0}).str(),
                                            Bytes().raw({0xFF, 0xFF, 0xFF, 0xFF}).str()}}),
                          FMT_ICO));
  EXPECT_EQ(image.TransparentIndex(), 0);
  EXPECT_EQ(PackColor(image.PaletteColor(1)) & 0xFFFFFF, 0x00FFFFu);
  EXPECT_EQ(image.PixelIndex(7, 0), 1);
}

TEST(IcoCodec, EncoderWritesTheMaskAndRefusesLargeImages) {
  PxImage image;
  MakePattern(image, 9, 2, 8);
  image.SetPixelIndex(0, 0, 3);
  image.SetPixelIndex(8, 1, 3);
  image.SetPaletteEntry(3, 1, 2, 3, 0);
  image.SetTransparentIndex(3);
  const std::string bytes = EncodeBytes(image, FMT_ICO);
  ASSERT_FALSE(bytes.empty());
  // Mask rows of 4 bytes at the end, bottom row first.
  const std::string mask = bytes.substr(bytes.size() - 8);
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 9; ++x) {
      const bool bit = (static_cast<std::uint8_t>(mask[static_cast<std::size_t>(y) * 4 + x / 8]) >> (7 - x % 8)) & 1;
      EXPECT_EQ(bit, image.PixelIndex(x, y) == 3) << x << "," << y;
    }
  }

  PxImage large;
  ASSERT_TRUE(large.Create(300, 200, 8, 0));
  bool ok = true;
  EncodeBytes(large, FMT_ICO, &ok);
  EXPECT_FALSE(ok);
  EXPECT_STREQ(large.LastError(), "Can't save this image as icon");
}

// Icons written by the test (no tool here writes these variants), each read as ImageMagick reads it:
// palettes shorter than the depth allows, whose pixels follow the last entry the header counts, and
// 24-bit pictures whose visible black must not vanish with the black under the mask.
TEST(IcoCodec, MaskedIconsShowWhatImageMagickShows) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  const auto pattern = [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 3) % 11); };
  const auto masked = [](int x, int y) { return static_cast<std::uint32_t>((x + 2 * y) % 5 == 0); };
  const auto eightBit = [](int x, int y) { return static_cast<std::uint32_t>((x * 13 + y * 29) % 200); };
  // Black where (x + y) % 4 is 0, masked or not; the masked pixels are all black.
  const auto blackAndColours = [&](int x, int y) {
    return masked(x, y) || (x + y) % 4 == 0 ? 0u : 0x102030u * static_cast<std::uint32_t>(1 + (x + y) % 5);
  };
  // Nothing visible is black: the black under the mask may stand for transparency.
  const auto colours = [&](int x, int y) { return masked(x, y) ? 0u : 0x123456u + 0x010101u * static_cast<std::uint32_t>(x); };
  // Translucent pixels, and a mask over those below half opacity, as writers set it: the alpha
  // channel is what shows.
  const auto translucent = [&](int x, int y) {
    return (static_cast<std::uint32_t>(x * 29 + y * 17) % 256) << 24 | colours(x, y) | 0x000080u;
  };
  const auto belowHalf = [&](int x, int y) { return static_cast<std::uint32_t>(translucent(x, y) >> 24 < 128); };
  const struct {
    const char* name;
    IconImage icon;
  } cases[] = {
      {"8 bits, 200 colours", {21, 9, 8, ColourPalette(200), PackedRows(21, 9, 8, eightBit), PackedRows(21, 9, 1, masked)}},
      {"4 bits, 11 colours", {13, 6, 4, ColourPalette(11), PackedRows(13, 6, 4, pattern), PackedRows(13, 6, 1, masked)}},
      {"24 bits, black drawn and masked", {9, 7, 24, "", PackedRows(9, 7, 24, blackAndColours), PackedRows(9, 7, 1, masked)}},
      {"24 bits, black only masked", {9, 7, 24, "", PackedRows(9, 7, 24, colours), PackedRows(9, 7, 1, masked)}},
      {"32 bits, translucent", {9, 7, 32, "", PackedRows(9, 7, 32, translucent), PackedRows(9, 7, 1, belowHalf)}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = IconFile({c.icon});
    WriteUnixFile(dir.unixFile("icon.ico"), file);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, file, FMT_ICO)) << image.LastError();
    EXPECT_EQ(LargestDifference(ShownArgb(image), MagickFrameArgb(dir.unixFile("icon.ico"), 0)), 0);
  }
}

// Icons of the time before alpha: 32 bits whose fourth byte is 0 everywhere show what the mask leaves.
TEST(IcoCodec, ThirtyTwoBitIconsWithoutAlphaTakeTheMask) {
  const std::string pixels = Bytes().raw({1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}).str();
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, IconFile({{2, 2, 32, "", pixels, Bytes().raw({0x40, 0, 0, 0, 0, 0, 0, 0}).str()}}),
                          FMT_ICO));
  EXPECT_EQ(ShownArgb(image), (std::vector<std::uint32_t>{0xFF090807, 0xFF0C0B0A, 0xFF030201, 0x00060504}));
}

// Entries of 256 pixels a side, stored as 0 in the directory, as bitmaps or (as ImageMagick and
// Windows write them) PNG files; the encoder writes 256 the same way.
TEST(IcoCodec, EntriesOf256PixelsAndPngEntries) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  // ImageMagick: a PNG entry of 256 (8-bit RGBA), bitmap entries of 48 and 16, from a picture with
  // soft alpha.
  const std::string made = dir.unixFile("made.ico");
  ASSERT_EQ(testing_support::RunTool("convert -seed 3 -size 256x256 plasma:fractal -alpha set -channel A -fx '(i+j)/511' "
                                     "+channel -depth 8 -define icon:auto-resize=256,48,16 " + Shell(made) + " >/dev/null 2>&1"),
            0);
  const std::string bytes = ReadUnixFile(made);
  ASSERT_GE(bytes.size(), 6u + 3 * 16);
  ASSERT_EQ(bytes.substr(6, 2), std::string(2, '\0'));  // the first entry's width and height: 256
  ASSERT_EQ(bytes.substr(static_cast<std::uint8_t>(bytes[18]) | (static_cast<std::uint8_t>(bytes[19]) << 8), 4), "\x89PNG");
  const int sides[] = {256, 48, 16};
  for (int frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(frame);
    PxImage image;
    image.SelectFrame(frame);
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_ICO)) << image.LastError();
    EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_ICO));
    EXPECT_EQ(image.Info().frameCount, 3);
    EXPECT_EQ(image.Width(), sides[frame]);
    EXPECT_EQ(image.Height(), sides[frame]);
    EXPECT_EQ(LargestDifference(ShownArgb(image), MagickFrameArgb(made, frame)), 0);
  }

  // A 256 x 256 bitmap entry written by the test.
  const auto pattern = [](int x, int y) { return static_cast<std::uint32_t>((x / 3 + y / 5) % 2); };
  const auto masked = [](int x, int y) { return static_cast<std::uint32_t>(x < 10 && y > 200); };
  const std::string bitmap =
      IconFile({{256, 256, 1, ColourPalette(2), PackedRows(256, 256, 1, pattern), PackedRows(256, 256, 1, masked)}});
  WriteUnixFile(dir.unixFile("bitmap.ico"), bitmap);
  PxImage large;
  ASSERT_TRUE(DecodeBytes(large, bitmap, FMT_ICO)) << large.LastError();
  EXPECT_EQ(large.Width(), 256);
  EXPECT_EQ(large.Height(), 256);
  EXPECT_EQ(LargestDifference(ShownArgb(large), MagickFrameArgb(dir.unixFile("bitmap.ico"), 0)), 0);

  // Saved at 256, with 0 in the directory; 257 is refused.
  PxImage original;
  MakePattern(original, 256, 256, 8);
  bool ok = false;
  const std::string written = EncodeBytes(original, FMT_ICO, &ok);
  ASSERT_TRUE(ok) << original.LastError();
  EXPECT_EQ(written.substr(6, 2), std::string(2, '\0'));
  WriteUnixFile(dir.unixFile("written.ico"), written);
  EXPECT_EQ(MagickSize(dir.unixFile("written.ico")), "256 256");
  EXPECT_EQ(MagickColours(dir.unixFile("written.ico")), TopDownColours(original));
  PxImage back;
  ASSERT_TRUE(DecodeBytes(back, written, FMT_ICO));
  EXPECT_TRUE(SamePixels(original, back));
  PxImage tooLarge;
  MakePattern(tooLarge, 257, 256, 8);
  EncodeBytes(tooLarge, FMT_ICO, &ok);
  EXPECT_FALSE(ok);
  EXPECT_STREQ(tooLarge.LastError(), "Can't save this image as icon");
}

// Counts and sizes an icon's few bytes cannot back are refused before anything of their size is
// allocated; a PNG entry is held to the PNG codec's own check.
TEST(IcoCodec, HeadersPromisingMoreThanTheFileHoldsAreRefused) {
  // A PNG signature and an IHDR chunk of the given size (with its CRC), nothing more.
  auto pngHeader = [](std::uint32_t width, std::uint32_t height) {
    Bytes chunk;
    chunk.raw("IHDR");
    for (const std::uint32_t v : {width, height}) chunk.u8(v >> 24).u8((v >> 16) & 0xFF).u8((v >> 8) & 0xFF).u8(v & 0xFF);
    chunk.raw({8, 2, 0, 0, 0});
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : chunk.str()) {
      crc ^= static_cast<std::uint8_t>(c);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    crc = ~crc;
    return Bytes().raw("\x89PNG\r\n\x1A\n").raw({0, 0, 0, 13}).raw(chunk.str())
        .u8(crc >> 24).u8((crc >> 16) & 0xFF).u8((crc >> 8) & 0xFF).u8(crc & 0xFF).str();
  };
  const std::string directory = Bytes().u16(0).u16(1).u16(1).u8(0).u8(0).u8(0).u8(0).u16(1).u16(32).u32(0).u32(22).str();
  const image_test::HostileFile cases[] = {
      {"65535 entries in 22 bytes", Bytes().u16(0).u16(1).u16(65535).zeros(16).str(), "ICO: directory longer than the file"},
      {"palette of a billion colours",
       directory + InfoHeader(16, 32, 8, 0, 0, 0x40000000).str() + std::string(64, '\0'), "ICO: palette larger than the file"},
      {"PNG entry of 16000 x 16000", directory + pngHeader(16000, 16000), nullptr},
  };
  for (const image_test::HostileFile& c : cases) image_test::CheckHostileFile(c, FMT_ICO);
}

TEST(IcoCodec, DamagedIconsFailCleanly) {
  const IconImage tiny{8, 1, 1, ColourPalette(2), Bytes().raw({0xF0, 0, 0, 0}).str(), std::string(4, '\0')};
  const std::string good = IconFile({tiny});
  auto patched = [&](std::size_t at, std::initializer_list<int> bytes) {
    std::string copy = good;
    for (const int b : bytes) copy[at++] = static_cast<char>(b);
    return copy;
  };
  const DamagedFile cases[] = {
      {"empty", "", false, ""},
      {"directory cut", good.substr(0, 4), false, ""},
      {"reserved set", patched(0, {1}), false, ""},
      {"type 3", patched(2, {3}), false, ""},
      {"no entries", patched(4, {0, 0}), false, ""},
      {"entries cut", patched(4, {0xFF, 0xFF}), false, "ICO: directory longer than the file"},
      {"offset past the end", patched(18, {0, 0, 1, 0}), false, ""},
      {"offset beyond 2 GB", patched(18, {0xFF, 0xFF, 0xFF, 0xFF}), false, ""},
      {"header cut", good.substr(0, 30), false, ""},
      // 0 in the directory means 256: the pixels the file lacks stay black.
      {"zero width", patched(6, {0}), true, ""},
      {"palette count beyond the file", patched(22 + 32, {0, 0, 0, 0x40}), false, "ICO: palette larger than the file"},
      {"PNG entry cut", good.substr(0, 22) + std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16), false, "Read Error"},
      // Pixel or mask data missing is no error: what was read stays.
      {"mask cut", good.substr(0, good.size() - 2), true, ""},
      {"pixels cut", good.substr(0, good.size() - 7), true, ""},
      {"huge 32-bit entry without data", IconFile({{255, 255, 32, "", "", ""}}), true, ""},
      {"header wider than the entry", IconFile({{1, 1, 8, ColourPalette(256), std::string(4, '\x01'), std::string(4, '\0')}})
                                          .replace(22 + 4, 4, "\x00\x10\x00\x00", 4),
       true, ""},
  };
  for (const DamagedFile& c : cases) CheckDamagedFile(c, FMT_ICO);
}
