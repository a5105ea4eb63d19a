// The BMP codec: round trips at every depth, files of and for ImageMagick, the compressed and
// packed variants, and a table of damaged files.
#include "tests/support/testing.h"

#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"
#include "image/PxImageBMP.h"

#include <cstring>
#include <string>
#include <vector>

using codec_test::ImageArgb;
using codec_test::LargestDifference;
using codec_test::MagickArgb;
using image_test::BmpFile;
using image_test::Bytes;
using image_test::CheckDamagedFile;
using image_test::CheckHostileFile;
using image_test::DamagedFile;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::HostileFile;
using image_test::InfoHeader;
using image_test::MagickColours;
using image_test::MagickSize;
using image_test::MakePattern;
using image_test::SamePixels;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

// Indices of an 8-bit or 4-bit image, stored row 0 (the bottom) first.
std::vector<std::vector<int>> IndexRows(const PxImage& image) {
  std::vector<std::vector<int>> rows(static_cast<std::size_t>(image.Height()));
  for (std::int32_t y = 0; y < image.Height(); ++y)
    for (std::int32_t x = 0; x < image.Width(); ++x) rows[static_cast<std::size_t>(y)].push_back(image.PixelIndex(x, y));
  return rows;
}

std::string GrayPalette(int entries) {
  Bytes palette;
  for (int i = 0; i < entries; ++i) palette.u8(i).u8(i).u8(i).u8(0);
  return palette.str();
}

}  // namespace

TEST(BmpCodec, RoundTripsAtEveryDepth) {
  const struct {
    std::uint32_t width, height, bpp;
  } cases[] = {{1, 1, 1}, {13, 7, 1}, {33, 2, 1}, {1, 3, 4}, {13, 7, 4}, {13, 7, 8}, {4, 4, 8}, {13, 7, 24}, {1, 9, 24}};
  for (const auto& c : cases) {
    PxImage original;
    MakePattern(original, c.width, c.height, c.bpp);
    original.SetDpiX(300);
    bool ok = false;
    const std::string bytes = EncodeBytes(original, FMT_BMP, &ok);
    ASSERT_TRUE(ok) << original.LastError();
    EXPECT_EQ(bytes.size(), 14 + original.DibSize());
    PxImage decoded;
    ASSERT_TRUE(DecodeBytes(decoded, bytes, FMT_BMP)) << decoded.LastError();
    EXPECT_TRUE(SamePixels(original, decoded)) << c.width << "x" << c.height << "x" << c.bpp;
    EXPECT_EQ(decoded.FormatId(), static_cast<std::uint32_t>(FMT_BMP));
    EXPECT_EQ(decoded.DpiX(), 300);
  }
}

TEST(BmpCodec, WrittenFilesReadTheSameInImageMagick) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  for (const std::uint32_t bpp : {1u, 4u, 8u, 24u}) {
    PxImage original;
    MakePattern(original, 19, 6, bpp);
    const std::string name = "depth" + std::to_string(bpp) + ".bmp";
    ASSERT_TRUE(original.SaveFile(dir.windowsFile(name).c_str(), FMT_BMP)) << original.LastError();
    EXPECT_EQ(MagickSize(dir.unixFile(name)), "19 6");
    EXPECT_EQ(MagickColours(dir.unixFile(name)), TopDownColours(original)) << bpp;
  }
}

TEST(BmpCodec, ReadsImageMagickFilesIncludingRle8) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const struct {
    const char* name;
    const char* options;
  } cases[] = {
      {"true.bmp", "-type TrueColor BMP3:"},
      {"palette.bmp", "-colors 200 -type Palette BMP3:"},
      {"rle8.bmp", "-colors 200 -type Palette -compress RLE BMP3:"},
      {"gray16.bmp", "-colorspace Gray -colors 16 -type Palette BMP3:"},
      {"default.bmp", "-type TrueColor "},
  };
  for (const auto& c : cases) {
    const std::string target = dir.unixFile(c.name);
    ASSERT_EQ(RunTool("convert -seed 7 -size 37x11 plasma:fractal " + std::string(c.options) + "'" + target + "'"), 0);
    PxImage image;
    ASSERT_TRUE(image.LoadFile(dir.windowsFile(c.name).c_str(), FMT_BMP)) << c.name << ": " << image.LastError();
    EXPECT_EQ(image.Width(), 37);
    EXPECT_EQ(image.Height(), 11);
    EXPECT_EQ(TopDownColours(image), MagickColours(target)) << c.name;
  }
}

// ImageMagick writes the V5 header (124 bytes) for every depth, with bit fields at 16 and 32 bits;
// the V4 header (108 bytes) is the same file without the last 16 header bytes. Colours of fewer
// than 8 bits move up without repeating their top bits (ImageMagick scales them); alpha is scaled.
// (ImageMagick reads the 1-bit alpha of its own 1-5-5-5 files as 128: no reference for those.)
TEST(BmpCodec, ReadsTheNewerHeadersOfImageMagick) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  const struct {
    const char* name;
    const char* options;
    int tolerance;
    bool alpha;
    bool v4;
  } cases[] = {
      {"32 bits with alpha", "-alpha set -channel A -fx '(i+2*j)/60' +channel", 0, true, false},
      {"32 bits with alpha, V4", "-alpha set -channel A -fx '(i+2*j)/60' +channel", 0, true, true},
      {"16 bits 5-6-5", "-define bmp:subtype=RGB565", 7, false, false},
      {"16 bits 5-5-5", "-define bmp:subtype=RGB555", 7, false, false},
      {"16 bits 4-4-4-4 with alpha", "-alpha set -channel A -fx '(i+2*j)/60' +channel -define bmp:subtype=ARGB4444", 15, true, false},
      {"24 bits", "-type TrueColor", 0, false, false},
      {"8 bits, 100 colours", "-colors 100 -type Palette", 0, false, false},
      {"4 bits", "-colors 16 -type Palette", 0, false, true},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = dir.unixFile("new.bmp");
    ASSERT_EQ(RunTool("convert -seed 5 -size 31x13 plasma:fractal " + std::string(c.options) + " '" + target + "'"), 0);
    std::string bytes = ReadUnixFile(target);
    ASSERT_EQ(Bytes().u32(124).str(), bytes.substr(14, 4));
    if (c.v4) {
      bytes.erase(14 + 108, 16);
      bytes.replace(14, 4, Bytes().u32(108).str());
      bytes.replace(2, 4, Bytes().u32(static_cast<std::uint32_t>(bytes.size())).str());
      const std::uint32_t offBits = static_cast<std::uint8_t>(bytes[10]) | (static_cast<std::uint8_t>(bytes[11]) << 8);
      bytes.replace(10, 4, Bytes().u32(offBits - 16).str());
      WriteUnixFile(target, bytes);
    }
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_BMP)) << image.LastError();
    EXPECT_EQ(image.Width(), 31);
    EXPECT_EQ(image.Height(), 13);
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    EXPECT_LE(LargestDifference(ImageArgb(image), MagickArgb(target)), c.tolerance);
  }
}

// Headers that promise far more pixels than the file holds are refused before anything of that
// size is allocated; a file cut short is still read as far as it goes (see the damaged files).
TEST(BmpCodec, HeadersPromisingMoreThanTheFileHoldsAreRefused) {
  const char* const refused = "BMP: file too short for its size";
  const std::string core = Bytes().u32(12).u16(65535).u16(65535).u16(1).u16(24).zeros(30).str();
  const HostileFile cases[] = {
      {"61 bytes asking 1.8 GB", BmpFile(InfoHeader(30000, 20000, 24), "", std::string(7, '\0')), refused},
      {"32 bits asking 640 MB", BmpFile(InfoHeader(20000, 8000, 32), "", std::string(7, '\0')), refused},
      {"top-down 16 bits", BmpFile(InfoHeader(30000, -20000, 16), "", ""), refused},
      {"RLE8 asking 1 GB", BmpFile(InfoHeader(32768, 32768, 8, 1), GrayPalette(256), Bytes().raw({0, 1}).str()), refused},
      {"RLE4", BmpFile(InfoHeader(65535, 32768, 4, 2), GrayPalette(16), Bytes().raw({0, 1}).str()), refused},
      {"1 bit", BmpFile(InfoHeader(200000, 100000, 1), GrayPalette(2), ""), refused},
      {"unknown depth", BmpFile(InfoHeader(30000, 30000, 7), GrayPalette(128), ""), refused},
      // Depth 0 stores no bytes per row, but the picture still gets a block of 1-bit rows.
      {"depth 0", BmpFile(InfoHeader(4, 50000000, 0), "", ""), refused},
      {"depth 0 without file header", InfoHeader(1, 200000000, 0).str(), refused},
      {"no file header", InfoHeader(30000, 20000, 24).str(), refused},
      {"core header", core, refused},
      {"V5 header", BmpFile(Bytes().u32(124).i32(30000).i32(20000).u16(1).u16(32).u32(3).zeros(20).u32(0xFF0000)
                                .u32(0xFF00).u32(0xFF).u32(0xFF000000).zeros(68),
                            "", ""),
       refused},
  };
  for (const HostileFile& c : cases) CheckHostileFile(c, FMT_BMP);
  // Probing tries the BMP decoder on files of any kind, a header-less bitmap among them.
  CheckHostileFile({"depth 0 without file header, probed", InfoHeader(1, 200000000, 0).str(), nullptr}, FMT_UNKNOWN);
}

TEST(BmpCodec, TopDownBitmapsComeOutBottomUp) {
  // Two rows given top row first: 0 1 2 / 3 4 5.
  const std::string pixels8 = Bytes().raw({0, 1, 2, 0, 3, 4, 5, 0}).str();
  PxImage eight;
  ASSERT_TRUE(DecodeBytes(eight, BmpFile(InfoHeader(3, -2, 8), GrayPalette(256), pixels8), 0)) << eight.LastError();
  EXPECT_EQ(IndexRows(eight), (std::vector<std::vector<int>>{{3, 4, 5}, {0, 1, 2}}));

  const std::string pixels24 = Bytes().raw({1, 2, 3, 0}).raw({4, 5, 6, 0}).str();
  PxImage rgb;
  ASSERT_TRUE(DecodeBytes(rgb, BmpFile(InfoHeader(1, -2, 24), "", pixels24), FMT_BMP));
  EXPECT_EQ(TopDownColours(rgb), (std::vector<std::uint32_t>{0x030201, 0x060504}));
}

TEST(BmpCodec, Rle8RunsAreClippedAtTheRowEndAndDecodingGoesOn) {
  // 4 x 3, rows bottom first. Row 0: a run of 6 (clipped to 4). Row 1: an absolute run of 3 (odd,
  // so padded). Row 2: a delta of one column, a run of 1, then the end.
  const std::string stream = Bytes()
                                 .raw({6, 7, 0, 0})
                                 .raw({0, 3, 1, 2, 3, 0})
                                 .raw({0, 0})
                                 .raw({0, 2, 1, 0})
                                 .raw({1, 9, 0, 1})
                                 .str();
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, BmpFile(InfoHeader(4, 3, 8, 1), GrayPalette(256), stream), FMT_BMP))
      << image.LastError();
  EXPECT_EQ(IndexRows(image), (std::vector<std::vector<int>>{{7, 7, 7, 7}, {1, 2, 3, 0}, {0, 9, 0, 0}}));

  // Runs, absolute runs and deltas aimed outside the block write nothing there.
  const std::string wild = Bytes()
                               .raw({255, 1})
                               .raw({0, 255})
                               .raw(std::string(256, '\x02'))
                               .raw({0, 2, 255, 255})
                               .raw({200, 5})
                               .raw({0, 0, 0, 0, 0, 0, 0, 0, 3, 4})
                               .str();
  PxImage clipped;
  ASSERT_TRUE(DecodeBytes(clipped, BmpFile(InfoHeader(4, 3, 8, 1), GrayPalette(256), wild), FMT_BMP));
  EXPECT_EQ(IndexRows(clipped), (std::vector<std::vector<int>>{{1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}}));
}

TEST(BmpCodec, Rle4KeepsTheColourOrderOfOddRuns) {
  // Width 7: a run of 3 of (1, 2), then a run of 2 of (3, 4), then an absolute run of 2 (5, 6).
  const std::string stream = Bytes().raw({3, 0x12, 2, 0x34, 0, 3, 0x56, 0x70, 0, 0}).raw({0, 1}).str();
  const std::string file = BmpFile(InfoHeader(7, 1, 4, 2), GrayPalette(16), stream);
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, file, FMT_BMP)) << image.LastError();
  EXPECT_EQ(IndexRows(image), (std::vector<std::vector<int>>{{1, 2, 1, 3, 4, 5, 6}}));

  if (!HasTool("convert")) return;
  TempDir dir;
  WriteUnixFile(dir.unixFile("rle4.bmp"), file);
  EXPECT_EQ(MagickColours(dir.unixFile("rle4.bmp")), TopDownColours(image));
}

TEST(BmpCodec, PackedPixelFormats) {
  // 16 bits, default 5-5-5: 0x7FFF is white at 0xF8 per channel.
  PxImage five;
  ASSERT_TRUE(DecodeBytes(five, BmpFile(InfoHeader(2, 1, 16), "", Bytes().u16(0x7FFF).u16(0x001F).str()), FMT_BMP));
  EXPECT_EQ(five.Bpp(), 24);
  EXPECT_EQ(TopDownColours(five), (std::vector<std::uint32_t>{0xF8F8F8, 0x0000F8}));

  // 16 bits with 5-6-5 bit fields after the header.
  const std::string masks = Bytes().u32(0xF800).u32(0x07E0).u32(0x001F).str();
  const std::string pixels = Bytes().u16(0xF800).u16(0x07E0).str();
  PxImage six;
  ASSERT_TRUE(DecodeBytes(six, BmpFile(InfoHeader(2, 1, 16, 3), masks, pixels), FMT_BMP));
  EXPECT_EQ(TopDownColours(six), (std::vector<std::uint32_t>{0xF80000, 0x00FC00}));

  // 32 bits: blue, green, red, unused.
  PxImage wide;
  ASSERT_TRUE(DecodeBytes(wide, BmpFile(InfoHeader(2, 2, 32), "", Bytes().raw({1, 2, 3, 9, 4, 5, 6, 9, 7, 8, 9, 9, 10, 11, 12, 9}).str()), FMT_BMP));
  EXPECT_EQ(TopDownColours(wide), (std::vector<std::uint32_t>{0x090807, 0x0C0B0A, 0x030201, 0x060504}));
}

TEST(BmpCodec, CoreHeaderBareHeaderAndResolution) {
  // The 12-byte header with 3-byte palette entries; the file must hold at least 40 bytes.
  const std::string core = Bytes()
                               .u32(12).u16(3).u16(1).u16(1).u16(1)
                               .raw({10, 20, 30, 40, 50, 60})
                               .raw({0xA0, 0, 0, 0})
                               .zeros(24)
                               .str();
  PxImage oldStyle;
  ASSERT_TRUE(DecodeBytes(oldStyle, core, FMT_BMP)) << oldStyle.LastError();
  EXPECT_EQ(oldStyle.Width(), 3);
  EXPECT_EQ(IndexRows(oldStyle), (std::vector<std::vector<int>>{{1, 0, 1}}));
  EXPECT_EQ(PackColor(oldStyle.PaletteColor(1)), 0x003C3228u);

  // No file header: the pixels follow the palette.
  const std::string bare = InfoHeader(2, 1, 24, 0, 0, 0, 2835).raw({1, 2, 3, 4, 5, 6, 0, 0}).str();
  PxImage plain;
  ASSERT_TRUE(DecodeBytes(plain, bare, 0)) << plain.LastError();
  EXPECT_EQ(plain.FormatId(), static_cast<std::uint32_t>(FMT_BMP));
  EXPECT_EQ(TopDownColours(plain), (std::vector<std::uint32_t>{0x030201, 0x060504}));
  EXPECT_EQ(plain.DpiX(), 72);
  EXPECT_EQ(plain.DpiY(), 72);
}

TEST(BmpCodec, ColourCountsBeyondTheDepthAreSkipped) {
  // A 1-bit header announcing 300 colours, without file header: two are kept, the rest skipped,
  // and the pixels are found after all 300.
  Bytes palette;
  for (int i = 0; i < 300; ++i) palette.u8(i).u8(0).u8(0).u8(0);
  const std::string bare = InfoHeader(8, 1, 1, 0, 0, 300).raw(palette.str()).raw({0x0F, 0, 0, 0}).str();
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, bare, FMT_BMP)) << image.LastError();
  EXPECT_EQ(image.NumColors(), 2u);
  EXPECT_EQ(image.PaletteColor(1).rgbBlue, 1);
  EXPECT_EQ(IndexRows(image), (std::vector<std::vector<int>>{{0, 0, 0, 0, 1, 1, 1, 1}}));
}

TEST(BmpCodec, HeaderOnlyWhenAsked) {
  PxImage original;
  MakePattern(original, 21, 8, 8);
  const std::string bytes = EncodeBytes(original, FMT_BMP);
  PxImage image;
  image.Info().escape = -1;
  ASSERT_TRUE(DecodeBytes(image, bytes, FMT_BMP));
  EXPECT_EQ(image.Width(), 21);
  EXPECT_EQ(image.Height(), 8);
  EXPECT_FALSE(image.IsValid());
  EXPECT_STREQ(image.LastError(), "output dimensions returned");

  PxImage cancelled;
  cancelled.Info().escape = 1;
  EXPECT_FALSE(DecodeBytes(cancelled, bytes, FMT_BMP));
  EXPECT_STREQ(cancelled.LastError(), "Cancelled");
}

TEST(BmpCodec, DamagedFilesFailCleanly) {
  const std::string good = BmpFile(InfoHeader(4, 2, 8), GrayPalette(256), std::string(8, '\x05'));
  std::string badHeaderSize = good;
  badHeaderSize[14] = 20;
  const DamagedFile cases[] = {
      {"empty", "", false, "Not a BMP"},
      {"ten bytes", good.substr(0, 10), false, "Not a BMP"},
      {"file header only", good.substr(0, 14), false, "Error reading BMP info"},
      {"header cut", good.substr(0, 30), false, "Error reading BMP info"},
      {"header size 20", badHeaderSize, false, "Error reading BMP info"},
      {"V4 header cut", BmpFile(Bytes().u32(108).i32(4).i32(2).u16(1).u16(16).u32(3).zeros(20).u32(0xF800), "", ""),
       false, "Error reading BMP info"},
      {"huge header size", BmpFile(Bytes().u32(0xFFFFFFF0).i32(4).i32(2).u16(1).u16(8).u32(0).u32(8).zeros(16), "", ""),
       false, "Error reading BMP info"},
      {"negative width", BmpFile(InfoHeader(-4, 2, 8), "", ""), false, "Error reading BMP info"},
      {"lowest height", BmpFile(InfoHeader(4, static_cast<std::int32_t>(0x80000000u), 8), "", ""), false,
       "Error reading BMP info"},
      {"zero width", BmpFile(InfoHeader(0, 2, 24), "", ""), false, "Can't allocate memory"},
      {"oversized", BmpFile(InfoHeader(100000, 100000, 24), "", ""), false, "BMP: file too short for its size"},
      {"oversized top-down", BmpFile(InfoHeader(0x7FFFFFFF, -0x7FFFFFFF, 1), "", ""), false,
       "BMP: file too short for its size"},
      {"8-bit bit fields", BmpFile(InfoHeader(4, 2, 8, 3), "", ""), false, "compression type not supported"},
      {"24-bit RLE", BmpFile(InfoHeader(4, 2, 24, 1), "", ""), false, "unknown compression"},
      {"32-bit RLE", BmpFile(InfoHeader(4, 2, 32, 2), "", ""), false, "unknown compression"},
      {"huge colour count", InfoHeader(4, 2, 8, 0, 0, 0x7FFFFFFF).str(), false, "Error reading BMP info"},
      // Short pixel data is no error: the missing rows stay black.
      {"pixels cut", good.substr(0, good.size() - 5), true, ""},
      {"palette cut", good.substr(0, 100), true, ""},
      {"RLE8 cut", BmpFile(InfoHeader(4, 2, 8, 1), GrayPalette(256), Bytes().raw({3, 1, 0}).str()), true, ""},
      {"RLE4 past the row", BmpFile(InfoHeader(3, 2, 4, 2), GrayPalette(16), Bytes().raw({0, 255}).raw(std::string(128, '\x11')).raw({255, 0x22, 0, 2, 200, 200, 9, 0x33}).str()), true, ""},
      {"data offset past the end", BmpFile(InfoHeader(4, 2, 24), "", "").replace(10, 4, "\xFF\xFF\xFF\x7F"), true, ""},
      {"unknown depth", BmpFile(InfoHeader(4, 2, 7), GrayPalette(128), ""), true, ""},
  };
  for (const DamagedFile& c : cases) CheckDamagedFile(c, FMT_BMP);
}
