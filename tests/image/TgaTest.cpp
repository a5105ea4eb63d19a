// The TGA codec against independent tools: palette, gray, 16-, 24- and 32-bit files from
// ImageMagick and netpbm, uncompressed and run-length coded, from every corner, decode to the
// pixels (and alpha) netpbm's tgatoppm sees; files Tavrel writes decode there to the picture,
// without changing the picture. Then packets that run across rows, failed writes, and a table of
// truncated, oversized and corrupt files.
//
// ImageMagick (6.9.11) serves only as a writer: it stores rows top first under a header that says
// bottom first, and reads such files back the same way, so its reading of a standard bottom-up
// file is upside down.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImageTGA.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <vector>

namespace {

using codec_test::ExpectFullDisksFail;
using codec_test::MakeWithTool;
using codec_test::Shell;
using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::PatternPpm;
using image_test::TopDownAlpha;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

bool HaveTools() { return HasTool("convert") && HasTool("pamtotga") && HasTool("tgatoppm"); }

// The samples of a P5 or P6 picture, top row first, as bytes: a maxval of 2^n - 1 below 255
// (netpbm gives 31 for 5-bit channels) becomes the top n bits of the byte.
std::vector<std::uint8_t> PnmSamples(const std::string& pnm) {
  if (pnm.size() < 2 || pnm[0] != 'P' || (pnm[1] != '5' && pnm[1] != '6')) return {};
  std::size_t at = 2;
  int fields[3] = {};
  for (int& field : fields) {
    while (at < pnm.size() && std::isspace(static_cast<unsigned char>(pnm[at]))) ++at;
    while (at < pnm.size() && std::isdigit(static_cast<unsigned char>(pnm[at]))) field = field * 10 + (pnm[at++] - '0');
  }
  std::vector<std::uint8_t> samples;
  if (fields[2] <= 0 || fields[2] > 255) return samples;
  for (++at; at < pnm.size(); ++at)
    samples.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(pnm[at]) * 256 / (fields[2] + 1)));
  return samples;
}

// netpbm's view of a TGA file: 0xRRGGBB, top row first.
std::vector<std::uint32_t> NetpbmColours(const std::string& unixPath) {
  const std::vector<std::uint8_t> samples = PnmSamples(ToolOutput("tgatoppm " + Shell(unixPath) + " 2>/dev/null"));
  std::vector<std::uint32_t> colours;
  for (std::size_t i = 0; i + 2 < samples.size(); i += 3)
    colours.push_back((samples[i] << 16) | (samples[i + 1] << 8) | samples[i + 2]);
  return colours;
}

std::vector<std::uint8_t> NetpbmAlpha(const std::string& unixPath) {
  const std::string alphaFile = unixPath + ".alpha.pgm";
  RunTool("tgatoppm -alphaout=" + Shell(alphaFile) + " " + Shell(unixPath) + " >/dev/null 2>&1");
  return PnmSamples(ReadUnixFile(alphaFile));
}

// An 18-byte TGA header.
Bytes TgaHeader(int type, int width, int height, int depth, int descriptor = 0, int mapType = 0, int mapLength = 0,
                int mapEntrySize = 0, int idLength = 0) {
  Bytes b;
  b.u8(static_cast<std::uint32_t>(idLength))
      .u8(static_cast<std::uint32_t>(mapType))
      .u8(static_cast<std::uint32_t>(type));
  b.u16(0).u16(static_cast<std::uint32_t>(mapLength)).u8(static_cast<std::uint32_t>(mapEntrySize));
  b.u16(0).u16(0).u16(static_cast<std::uint32_t>(width)).u16(static_cast<std::uint32_t>(height));
  return b.u8(static_cast<std::uint32_t>(depth)).u8(static_cast<std::uint32_t>(descriptor));
}

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int colours;        // of the source picture (0: smooth true colour)
  const char* make;   // makes {out} from {in}
  int type, depth;    // as the tool wrote them
  std::uint16_t bpp;  // of the decoded image
  bool alpha;
};

const ToolFileCase kToolFiles[] = {
    {"ImageMagick 24-bit", 0, "convert {in} tga:{out}", 2, 24, 24, false},
    {"ImageMagick 24-bit run-length", 0, "convert {in} -compress RLE tga:{out}", 10, 24, 24, false},
    {"ImageMagick top-down", 0, "convert {in} -orient TopLeft tga:{out}", 2, 24, 24, false},
    {"ImageMagick 16-bit", 0, "convert {in} -depth 5 tga:{out}", 2, 16, 24, false},
    {"ImageMagick palette", 150, "convert {in} -type palette tga:{out}", 1, 8, 8, false},
    {"ImageMagick palette run-length", 150, "convert {in} -type palette -compress RLE tga:{out}", 9, 8, 8, false},
    {"ImageMagick gray", 0, "convert {in} -type grayscale tga:{out}", 3, 8, 8, false},
    {"ImageMagick gray run-length", 0, "convert {in} -type grayscale -compress RLE tga:{out}", 11, 8, 8, false},
    {"ImageMagick 32-bit", 0, "convert {in} -alpha set -channel A -fx '(i+2*j)/60' +channel tga:{out}", 2, 32, 24,
     true},
    {"ImageMagick 32-bit run-length, top-down", 0,
     "convert {in} -alpha set -channel A -fx '(i>j)' +channel -compress RLE -orient TopLeft tga:{out}", 10, 32, 24,
     true},
    {"netpbm palette run-length", 40, "pamtotga -cmap {in} > {out}", 9, 8, 8, false},
    {"netpbm palette", 40, "pamtotga -cmap -norle {in} > {out}", 1, 8, 8, false},
    {"netpbm 24-bit run-length", 0, "pamtotga -rgb {in} > {out}", 10, 24, 24, false},
    {"netpbm gray run-length", 0, "pamtotga -mono {in} > {out}", 11, 8, 8, false},
};

TEST(TgaDecode, FilesOfOtherToolsGiveTheirPixels) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  // Rows longer than one 128-pixel packet, and runs of equal pixels for the run-length packets.
  constexpr int kWidth = 150;
  constexpr int kHeight = 13;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string in = dir.unixFile("in.ppm");
    const std::string out = dir.unixFile("out.tga");
    WriteUnixFile(in, PatternPpm(kWidth, kHeight, c.colours));
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));
    const std::string bytes = ReadUnixFile(out);
    ASSERT_EQ(bytes[2], c.type);
    ASSERT_EQ(static_cast<std::uint8_t>(bytes[16]), c.depth);

    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_TGA)) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_TGA);
    EXPECT_EQ(image.Bpp(), c.bpp);
    ASSERT_EQ(image.Width(), kWidth);
    ASSERT_EQ(image.Height(), kHeight);
    EXPECT_EQ(TopDownColours(image), NetpbmColours(out));
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    if (c.alpha) {
      EXPECT_EQ(TopDownAlpha(image), NetpbmAlpha(out));
    }
  }
}

TEST(TgaDecode, EveryCornerOfOrigin) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  constexpr int kWidth = 9;
  constexpr int kHeight = 5;
  // A 32-bit picture stored bottom row first, left to right, with alpha rising along the file.
  std::string pixels;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    pixels += static_cast<char>(i * 5);
    pixels += static_cast<char>(200 - i);
    pixels += static_cast<char>(i * 11);
    pixels += static_cast<char>(i * 5 + 3);
  }
  for (const int descriptor : {0x08, 0x28, 0x18, 0x38}) {
    for (const int type : {2, 10}) {
      SCOPED_TRACE(std::to_string(descriptor) + ", type " + std::to_string(type));
      // Run-length files here hold one raw packet per row.
      std::string data;
      for (int row = 0; row < kHeight; ++row) {
        if (type == 10) data += static_cast<char>(kWidth - 1);
        data += pixels.substr(static_cast<std::size_t>(row) * kWidth * 4, kWidth * 4);
      }
      const std::string bytes = TgaHeader(type, kWidth, kHeight, 32, descriptor).str() + data;
      PxImage image;
      ASSERT_TRUE(DecodeBytes(image, bytes, FMT_TGA)) << image.LastError();
      // netpbm ignores the right-to-left bit: its view of the file without the bit, mirrored.
      const std::string file = dir.unixFile("corner.tga");
      WriteUnixFile(file, TgaHeader(type, kWidth, kHeight, 32, descriptor & ~0x10).str() + data);
      std::vector<std::uint32_t> colours = NetpbmColours(file);
      std::vector<std::uint8_t> alpha = NetpbmAlpha(file);
      ASSERT_EQ(colours.size(), static_cast<std::size_t>(kWidth * kHeight));
      ASSERT_EQ(alpha.size(), colours.size());
      for (int row = 0; row < kHeight && (descriptor & 0x10); ++row) {
        std::reverse(colours.begin() + row * kWidth, colours.begin() + (row + 1) * kWidth);
        std::reverse(alpha.begin() + row * kWidth, alpha.begin() + (row + 1) * kWidth);
      }
      EXPECT_EQ(TopDownColours(image), colours);
      EXPECT_EQ(TopDownAlpha(image), alpha);
    }
  }
}

TEST(TgaDecode, PacketsRunAcrossRows) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  // 6 x 2 pixels, 24-bit: 2 raw pixels, a repeat packet of 10 (4 pixels end row 0, 6 fill row 1).
  const std::string repeat =
      TgaHeader(10, 6, 2, 24).str() + std::string("\x01\x10\x20\x30\x40\x50\x60\x89\x01\x02\x03", 11);
  // A raw packet of 8 pixels: 6 in row 0, 2 in row 1, then a repeat packet of 4.
  std::string raw = TgaHeader(10, 6, 2, 24).str() + "\x07";
  for (int i = 0; i < 8; ++i)
    raw += std::string{static_cast<char>(i), static_cast<char>(2 * i), static_cast<char>(3 * i)};
  raw += std::string("\x83\x7F\x7F\x7F", 4);
  for (const std::string& bytes : {repeat, raw}) {
    const std::string file = dir.unixFile("packets.tga");
    WriteUnixFile(file, bytes);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_TGA)) << image.LastError();
    EXPECT_EQ(TopDownColours(image), NetpbmColours(file));
  }
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, repeat, FMT_TGA));
  // Row 0 is the bottom row of this bottom-up file.
  EXPECT_EQ(PackColor(image.PixelColor(2, 0, false)) & 0xFFFFFF, 0x030201u);
  EXPECT_EQ(PackColor(image.PixelColor(5, 1, false)) & 0xFFFFFF, 0x030201u);
  EXPECT_EQ(PackColor(image.PixelColor(1, 0, false)) & 0xFFFFFF, 0x605040u);
}

TEST(TgaDecode, SixteenBitPixelsAndColourMaps) {
  // 0x7FFF is white in 5 bits per channel: 248 each.
  PxImage white;
  ASSERT_TRUE(DecodeBytes(white, TgaHeader(2, 1, 1, 16).str() + std::string("\xFF\x7F", 2), FMT_TGA));
  EXPECT_EQ(PackColor(white.PixelColor(0, 0, false)) & 0xFFFFFF, 0xF8F8F8u);

  // Colour maps of 16-, 24- and 32-bit entries, starting at entry 2.
  struct Case {
    int entrySize;
    std::string entries;  // two entries
  };
  const Case cases[] = {{16, std::string("\x1F\x00\xE0\x03", 4)},
                        {24, std::string("\xFF\x00\x00\x00\xFF\x00", 6)},
                        {32, std::string("\xFF\x00\x00\x80\x00\xFF\x00\x80", 8)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entrySize);
    Bytes header = TgaHeader(1, 2, 1, 8, 0, 1, 2, c.entrySize);
    std::string bytes = header.str();
    bytes[3] = 2;  // first entry
    bytes += c.entries + std::string("\x02\x03", 2);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_TGA)) << image.LastError();
    EXPECT_EQ(PackColor(image.PixelColor(0, 0, false)) & 0xFFFFFF, c.entrySize == 16 ? 0x0000F8u : 0x0000FFu);
    EXPECT_EQ(PackColor(image.PixelColor(1, 0, false)) & 0xFFFFFF, c.entrySize == 16 ? 0x00F800u : 0x00FF00u);
  }
}

// --- Encoding --------------------------------------------------------------------------------------

TEST(TgaEncode, ToolsSeeThePictureAndItIsNotChanged) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  struct Case {
    const char* name;
    std::uint32_t bpp;
    bool alpha;
    std::uint8_t alphaMax;
    int type, depth;
  };
  const Case cases[] = {{"8-bit", 8, false, 255, 1, 8},
                        {"24-bit", 24, false, 255, 2, 24},
                        {"32-bit", 24, true, 255, 2, 32},
                        {"32-bit at half opacity", 24, true, 128, 2, 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, 45, 17, c.bpp);
    if (c.alpha) {
      ASSERT_TRUE(image.AlphaCreate());
      for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) image.AlphaSet(x, y, static_cast<std::uint8_t>(x * 5 + y));
      }
      image.Info().alphaMax = c.alphaMax;
    }
    PxImage before(image, true, false, true);
    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_TGA, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_TRUE(image_test::SamePixels(before, image));
    EXPECT_EQ(bytes[2], c.type);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[16]), c.depth);

    const std::string file = dir.unixFile("out.tga");
    WriteUnixFile(file, bytes);
    const std::vector<std::uint32_t> picture = TopDownColours(image);
    EXPECT_EQ(NetpbmColours(file), picture);

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, FMT_TGA)) << back.LastError();
    EXPECT_EQ(TopDownColours(back), picture);
    if (c.alpha) {
      std::vector<std::uint8_t> expected = TopDownAlpha(image);
      for (std::uint8_t& a : expected) a = static_cast<std::uint8_t>(a * c.alphaMax / 255);
      EXPECT_EQ(TopDownAlpha(back), expected);
      EXPECT_EQ(NetpbmAlpha(file), expected);
      EXPECT_EQ(TopDownAlpha(image), TopDownAlpha(before));
    }
  }
}

TEST(TgaEncode, RefusesSmallDepthsAndFailedWrites) {
  for (const std::uint32_t bpp : {1u, 4u}) {
    PxImage image;
    image_test::MakePattern(image, 8, 8, bpp);
    bool ok = true;
    EXPECT_TRUE(EncodeBytes(image, FMT_TGA, &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_STREQ(image.LastError(), "Bit depth must be 8 or 24");
  }

  for (const std::uint32_t bpp : {8u, 24u}) {
    PxImage image;
    image_test::MakePattern(image, 30, 20, bpp);
    const std::size_t full = EncodeBytes(image, FMT_TGA).size();
    SCOPED_TRACE(std::to_string(bpp) + " bits");
    ExpectFullDisksFail(image, FMT_TGA, {0, 17, 18, 500, full - 1}, "TGA: write error", full);
  }
}

// --- Bad input ---------------------------------------------------------------------------------

TEST(TgaDecode, BadFilesAreRefusedWithAReason) {
  const std::string pixels(4 * 3 * 2, '\x40');
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"empty", "", "Not a TGA"},
      {"header cut short", TgaHeader(2, 4, 2, 24).str().substr(0, 17), "Not a TGA"},
      {"no image", TgaHeader(0, 4, 2, 24).str() + pixels, "Unknown TGA image type"},
      {"type 4", TgaHeader(4, 4, 2, 24).str() + pixels, "Unknown TGA image type"},
      {"type 12", TgaHeader(12, 4, 2, 24).str() + pixels, "Unknown TGA image type"},
      {"type 32", TgaHeader(32, 4, 2, 24).str() + pixels, "Unknown TGA image type"},
      {"no width", TgaHeader(2, 0, 2, 24).str() + pixels, "bad TGA header"},
      {"no height", TgaHeader(2, 4, 0, 24).str() + pixels, "bad TGA header"},
      {"12-bit pixels", TgaHeader(2, 4, 2, 12).str() + pixels, "bad TGA header"},
      {"no pixel depth", TgaHeader(2, 4, 2, 0).str() + pixels, "bad TGA header"},
      {"colour map of 257", TgaHeader(1, 4, 2, 8, 0, 1, 257, 24).str() + pixels, "bad TGA header"},
      {"colour map of 8-bit entries", TgaHeader(1, 4, 2, 8, 0, 1, 2, 8).str() + pixels, "bad TGA header"},
      {"pixels cut short", TgaHeader(2, 4, 2, 24).str() + pixels.substr(0, 20), "corrupted TGA"},
      {"last row cut short", TgaHeader(2, 4, 2, 24).str() + pixels.substr(0, 23), "corrupted TGA"},
      {"colour map cut short", TgaHeader(1, 4, 2, 8, 0, 1, 200, 24).str() + pixels, "corrupted TGA"},
      {"identification past the end", TgaHeader(2, 4, 2, 24, 0, 0, 0, 0, 200).str() + pixels, "corrupted TGA"},
      {"run-length data cut short", TgaHeader(10, 4, 2, 24).str() + std::string("\x83\x01\x02\x03\x82", 5),
       "corrupted TGA"},
      {"repeat packet without its pixel", TgaHeader(10, 1, 1, 24).str() + std::string("\x80\x01", 2), "corrupted TGA"},
      {"huge picture in a small file", TgaHeader(2, 65535, 65535, 32).str() + pixels, "corrupted TGA"},
      {"huge run-length picture in a small file", TgaHeader(10, 65535, 65535, 24).str() + pixels, "corrupted TGA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_TGA));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_STREQ(image.LastError(), c.message);
    EXPECT_FALSE(image.IsValid());
  }

  // A run-length file that ends at a row end, with pixels promised for the rows after it.
  PxImage partial;
  EXPECT_FALSE(DecodeBytes(
      partial, TgaHeader(10, 4, 300, 24).str() + std::string("\x83\x01\x02\x03", 4) + std::string(200, '\x00'),
      FMT_TGA));
  EXPECT_STREQ(partial.LastError(), "corrupted TGA");
}

TEST(TgaDecode, TruncatedAndCorruptFilesNeverCrash) {
  std::vector<std::string> samples;
  for (const std::uint32_t bpp : {8u, 24u}) {
    PxImage image;
    image_test::MakePattern(image, 19, 7, bpp);
    samples.push_back(EncodeBytes(image, FMT_TGA));
  }
  // Run-length files of 16 and 32 bits, top-down and right-to-left, with packets across rows.
  for (const int depth : {16, 32}) {
    std::string bytes = TgaHeader(10, 7, 5, depth, 0x30).str();
    const std::size_t pixel = static_cast<std::size_t>(depth / 8);
    for (int packet = 0; packet < 6; ++packet) {
      bytes += static_cast<char>(packet % 2 ? 0x80 | (packet + 3) : packet + 2);
      const int pixels = packet % 2 ? 1 : packet + 3;
      for (int i = 0; i < pixels; ++i) bytes += std::string(pixel, static_cast<char>(packet * 40 + i));
    }
    samples.push_back(bytes);
  }
  codec_test::ExpectCutAndCorruptDecodeCleanly(samples, FMT_TGA, 18, 5);
}

}  // namespace
