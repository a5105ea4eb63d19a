// The wireless bitmap codec: layout, multi-byte sizes, ImageMagick in both directions, refusals.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <string>
#include <vector>

using image_test::Bytes;
using image_test::CheckDamagedFile;
using image_test::DamagedFile;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::CheckHostileFile;
using image_test::HostileFile;
using image_test::MagickColours;
using image_test::MagickSize;
using image_test::MakePattern;
using image_test::SamePixels;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;

TEST(WbmpCodec, RowsAreStoredTopFirst) {
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, Bytes().raw({0, 0, 16, 2, 0xAA, 0x0F, 0x01, 0x80}).str(), FMT_WBMP));
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.Bpp(), 1);
  EXPECT_EQ(image.RowBits(1)[0], 0xAA);  // the top row is the last stored one
  EXPECT_EQ(image.RowBits(1)[1], 0x0F);
  EXPECT_EQ(image.RowBits(0)[1], 0x80);
  EXPECT_EQ(PackColor(image.PaletteColor(1)) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(PackColor(image.PaletteColor(0)), 0u);
}

TEST(WbmpCodec, SizesAreMultiByteIntegers) {
  // 200 is written 0x81 0x48: seven bits per byte, the high bit on every byte but the last.
  PxImage image;
  ASSERT_TRUE(image.Create(200, 3, 1, 0));
  image.SetGrayPalette();
  image.Clear(0);
  image.SetPixelIndex(199, 2, 1);
  image.SetPixelIndex(0, 0, 1);
  const std::string bytes = EncodeBytes(image, FMT_WBMP);
  ASSERT_EQ(bytes.substr(0, 5), Bytes().raw({0, 0, 0x81, 0x48, 3}).str());
  EXPECT_EQ(bytes.size(), 5u + 3 * 25);
  PxImage decoded;
  ASSERT_TRUE(DecodeBytes(decoded, bytes, 0)) << decoded.LastError();
  EXPECT_EQ(decoded.FormatId(), static_cast<std::uint32_t>(FMT_WBMP));
  EXPECT_TRUE(SamePixels(image, decoded));
}

TEST(WbmpCodec, AgreesWithImageMagick) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  // Ours, read by ImageMagick.
  PxImage image;
  MakePattern(image, 150, 5, 1);
  image.SetGrayPalette();
  ASSERT_TRUE(image.SaveFile(dir.windowsFile("ours.wbmp").c_str(), FMT_WBMP)) << image.LastError();
  EXPECT_EQ(MagickSize(dir.unixFile("ours.wbmp")), "150 5");
  EXPECT_EQ(MagickColours(dir.unixFile("ours.wbmp")), TopDownColours(image));
  // ImageMagick's, read by us.
  ASSERT_EQ(RunTool("convert -size 131x9 pattern:checkerboard -threshold 50% '" + dir.unixFile("theirs.wbmp") + "'"), 0);
  PxImage theirs;
  ASSERT_TRUE(theirs.LoadFile(dir.windowsFile("theirs.wbmp").c_str(), FMT_WBMP)) << theirs.LastError();
  EXPECT_EQ(theirs.Width(), 131);
  EXPECT_EQ(TopDownColours(theirs), MagickColours(dir.unixFile("theirs.wbmp")));
}

TEST(WbmpCodec, EncoderRefusals) {
  for (const auto& size : {std::vector<std::uint32_t>{300, 10, 1}, {10, 256, 1}, {10, 10, 8}}) {
    PxImage image;
    ASSERT_TRUE(image.Create(size[0], size[1], size[2], 0));
    bool ok = true;
    EncodeBytes(image, FMT_WBMP, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(image.LastError(), "Can't save this image as WBMP");
  }
}

TEST(WbmpCodec, DamagedFilesFailCleanly) {
  const DamagedFile cases[] = {
      {"empty", "", false, "Not a WBMP"},
      {"type only", Bytes().raw({0}).str(), false, "Not a WBMP"},
      {"height missing", Bytes().raw({0, 0, 8}).str(), false, "Not a WBMP"},
      {"size cut inside a multi-byte integer", Bytes().raw({0, 0, 0x81}).str(), false, "Not a WBMP"},
      {"type 1", Bytes().raw({1, 0, 8, 8}).str(), false, "Unsupported WBMP type"},
      {"type too long", Bytes().raw({0x80, 0x80, 0x80, 0x80, 0x80, 0x80}).str(), false, "Unsupported WBMP type"},
      {"zero width", Bytes().raw({0, 0, 0, 8}).str(), false, "Corrupted WBMP"},
      {"zero height", Bytes().raw({0, 0, 8, 0}).str(), false, "Corrupted WBMP"},
      {"size beyond 32 bits", Bytes().raw({0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1}).str(), false, "Corrupted WBMP"},
      // Rows the file does not hold are refused before their block is made.
      {"rows cut", Bytes().raw({0, 0, 16, 4, 0xFF}).str(), false, "WBMP file truncated"},
      {"last byte missing", Bytes().raw({0, 0, 16, 2, 1, 2, 3}).str(), false, "WBMP file truncated"},
      {"trailing bytes", Bytes().raw({0, 0, 8, 2, 1, 2, 3}).str(), true, ""},
  };
  for (const DamagedFile& c : cases) CheckDamagedFile(c, FMT_WBMP);
}

TEST(WbmpCodec, HostileSizesAreRefusedBeforeAllocating) {
  const HostileFile cases[] = {
      // 92000 x 92000 in eight bytes: a gigabyte asked for, nothing given.
      {"8-byte file asking 1 GB", Bytes().raw({0, 0, 0x85, 0xCE, 0x60, 0x85, 0xCE, 0x60}).str(), "WBMP file truncated"},
      {"largest sizes", Bytes().raw({0, 0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}).str(),
       "WBMP file truncated"},
      {"wide line, one row", Bytes().raw({0, 0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0xFF}).str(), "WBMP file truncated"},
  };
  for (const HostileFile& c : cases) CheckHostileFile(c, FMT_WBMP);
}

// WBMP has no signature: a probe accepts it only when the file is exactly one picture, so damaged
// files of other formats whose first byte is 0 are reported as unknown, not read as noise.
TEST(WbmpCodec, ProbeNeedsTheWholeFileAsEvidence) {
  const std::string tgaHeader = Bytes().raw({0, 0, 99, 4, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0}).str();
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"JPEG whose marker was zeroed", Bytes().raw({0, 0, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0}).zeros(40).str()},
      {"TGA of an unknown image type", tgaHeader + std::string(48, '\x40')},
      {"fixed header byte not 0", Bytes().raw({0, 0x49, 8, 2, 0x55, 0xAA}).str()},
      {"bytes beyond the rows", Bytes().raw({0, 0, 8, 2, 0x55, 0xAA, 0x00}).str()},
  };
  for (const auto& c : cases) {
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_UNKNOWN)) << c.what << " decoded as format " << image.FormatId();
    EXPECT_STREQ(image.LastError(), "Decode: Unknown or wrong format") << c.what;
  }
  // The same picture without the extra byte is found.
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, Bytes().raw({0, 0, 8, 2, 0x55, 0xAA}).str(), FMT_UNKNOWN));
  EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_WBMP));
}
