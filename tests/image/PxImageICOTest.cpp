// The icon codec: round trips, directories with several images, the AND mask turned into
// transparency, files for ImageMagick, and a table of damaged icons.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <cstring>
#include <string>
#include <vector>

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
using testing_support::TempDir;

namespace {

struct IconImage {
  int width, height, bitCount;
  std::string palette, pixels, mask;
};

// An icon file: directory, entries, then each image's header (height doubled), palette, pixels and mask.
std::string IconFile(const std::vector<IconImage>& images) {
  Bytes file;
  file.u16(0).u16(1).u16(static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    const std::uint32_t size = static_cast<std::uint32_t>(40 + image.palette.size() + image.pixels.size() + image.mask.size());
    file.u8(image.width).u8(image.height).u8(0).u8(0).u16(1).u16(image.bitCount).u32(size).u32(offset);
    offset += size;
  }
  for (const IconImage& image : images) {
    file.raw(InfoHeader(image.width, 2 * image.height, static_cast<std::uint16_t>(image.bitCount)).str());
    file.raw(image.palette).raw(image.pixels).raw(image.mask);
  }
  return file.str();
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
      {"entries cut", patched(4, {0xFF, 0xFF}), false, ""},
      {"offset past the end", patched(18, {0, 0, 1, 0}), false, ""},
      {"offset beyond 2 GB", patched(18, {0xFF, 0xFF, 0xFF, 0xFF}), false, ""},
      {"header cut", good.substr(0, 30), false, ""},
      {"zero width", patched(6, {0}), false, "PxImage::Create : width and height must be greater than zero"},
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
