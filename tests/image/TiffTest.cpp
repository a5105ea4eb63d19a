// The TIFF codec against independent tools: files written by ImageMagick and libtiff's tiffcp in
// every compression they offer (and a few hand-built ones for the compressions no tool writes)
// decode to the pixels ImageMagick sees; files Tavrel writes decode in ImageMagick to the picture's
// colours, with the tags tiffinfo reports. Then pages, orientation, resolution, the header-only
// request, pictures left untouched by the encoder, failed writes and bad input.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImageTIF.h"

#include "platform/UnixHeadersBegin.h"
#include <tiffio.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using codec_test::FullDisk;
using codec_test::ImageArgb;
using codec_test::LargestDifference;
using codec_test::MagickArgb;
using codec_test::MakeWithTool;
using codec_test::MeanDifference;
using codec_test::Shell;
using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::MagickColours;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

bool HaveTools() { return HasTool("convert") && HasTool("tiffcp") && HasTool("tiffinfo"); }

// A colour picture without symmetry, as a binary PPM: red across, green down, blue in stripes.
std::string SourcePpm(int width, int height) {
  std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ppm += static_cast<char>(x * 255 / (width - 1));
      ppm += static_cast<char>(y * 255 / (height - 1));
      ppm += static_cast<char>(((x / 3 + y / 2) % 4) * 80);
    }
  }
  return ppm;
}

// tiffinfo's report of a file, "Tag: value" lines for each page.
std::string TiffInfo(const std::string& unixPath) { return ToolOutput("tiffinfo " + Shell(unixPath) + " 2>/dev/null"); }

bool Loads(PxImage& image, const TempDir& dir, const std::string& name) {
  return image.LoadFile(dir.windowsFile(name).c_str(), FMT_TIF);
}

// A classic little-endian TIFF built by hand: one strip of the given bytes and the given tags,
// StripOffsets and StripByteCounts added unless given. Values longer than four bytes go after the directory.
struct Tag {
  std::uint16_t tag;
  std::uint16_t type;  // 3 SHORT, 4 LONG, 5 RATIONAL
  std::vector<std::uint32_t> values;
};

std::string HandTiff(std::vector<Tag> tags, const std::string& strip, std::uint32_t nextDirectory = 0) {
  auto has = [&](std::uint16_t tag) {
    return std::any_of(tags.begin(), tags.end(), [tag](const Tag& t) { return t.tag == tag; });
  };
  if (!has(273)) tags.push_back({273, 4, {8}});
  if (!has(279)) tags.push_back({279, 4, {static_cast<std::uint32_t>(strip.size())}});
  std::sort(tags.begin(), tags.end(), [](const Tag& a, const Tag& b) { return a.tag < b.tag; });
  const std::uint32_t directory = static_cast<std::uint32_t>(8 + strip.size() + (strip.size() & 1));
  std::uint32_t extra = directory + 2 + 12 * static_cast<std::uint32_t>(tags.size()) + 4;

  Bytes file;
  file.raw("II").u16(42).u32(directory).raw(strip);
  if (strip.size() & 1) file.u8(0);
  Bytes outOfLine;
  file.u16(static_cast<std::uint32_t>(tags.size()));
  for (const Tag& t : tags) {
    const std::uint32_t unit = t.type == 3 ? 2 : (t.type == 5 ? 8 : 4);
    const auto count = static_cast<std::uint32_t>(t.type == 5 ? t.values.size() / 2 : t.values.size());
    Bytes data;
    for (const std::uint32_t v : t.values) {
      if (t.type == 3) data.u16(v);
      else data.u32(v);
    }
    file.u16(t.tag).u16(t.type).u32(count);
    if (unit * count <= 4) {
      file.raw(data.str()).zeros(4 - data.size());
    } else {
      file.u32(extra + static_cast<std::uint32_t>(outOfLine.size()));
      outOfLine.raw(data.str());
    }
  }
  file.u32(nextDirectory).raw(outOfLine.str());
  return file.str();
}

// The tags of a one-sample page of the given depth, photometric and compression.
std::vector<Tag> GrayTags(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t photometric,
                          std::uint32_t compression) {
  return {{256, 4, {width}},      {257, 4, {height}}, {258, 3, {bits}}, {259, 3, {compression}},
          {262, 3, {photometric}}, {277, 3, {1}},      {278, 4, {height}}};
}

// Rows of 0/1 values (1 black, as a white-is-zero fax page stores it).
std::vector<std::string> kFaxRows = {"0000111111110000", "0000000011111111", "0011100001111111"};

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  const char* make;  // makes {out} from the colour picture {in} (a PPM); {dir} holds scratch files
  std::uint16_t bpp;
  int tolerance;     // against ImageMagick's decode of the same file
  bool alpha;
};

const ToolFileCase kToolFiles[] = {
    {"RGB none", "convert {in} {out}", 24, 0, false},
    {"RGB LZW", "convert {in} {dir}/b.tif && tiffcp -c lzw {dir}/b.tif {out}", 24, 0, false},
    {"RGB LZW predictor", "convert {in} {dir}/b.tif && tiffcp -c lzw:2 {dir}/b.tif {out}", 24, 0, false},
    {"RGB PackBits", "convert {in} {dir}/b.tif && tiffcp -c packbits {dir}/b.tif {out}", 24, 0, false},
    {"RGB Deflate", "convert {in} {dir}/b.tif && tiffcp -c zip {dir}/b.tif {out}", 24, 0, false},
    {"RGB Deflate, old code, strips of 3 rows", "pnmtotiff -flate -rowsperstrip=3 {in} > {out}", 24, 0, false},
    {"RGB JPEG YCbCr", "convert {in} {dir}/b.tif && tiffcp -c jpeg {dir}/b.tif {out}", 24, 3, false},
    {"RGB JPEG RGB", "convert {in} {dir}/b.tif && tiffcp -c jpeg:r {dir}/b.tif {out}", 24, 3, false},
    // Uncompressed tiles whose size is no multiple of 1 KiB (16 x 16 RGB: 768 bytes), which libtiff's
    // RGBA reader refuses unless it is handed a buffer of exactly one tile.
    {"RGB tiles", "convert {in} {dir}/b.tif && tiffcp -t -w 32 -l 32 {dir}/b.tif {out}", 24, 0, false},
    {"RGB uncompressed 16 x 16 tiles", "convert {in} {dir}/b.tif && tiffcp -c none -t -w 16 -l 16 {dir}/b.tif {out}", 24, 0, false},
    {"RGB uncompressed tiles, separate planes", "convert {in} {dir}/b.tif && tiffcp -c none -p separate -t -w 16 -l 16 {dir}/b.tif {out}", 24, 0, false},
    {"RGBA uncompressed tiles", "convert {in} -alpha set -channel A -fx '(i%3)/2' +channel {dir}/b.tif && tiffcp -c none -t -w 16 -l 32 {dir}/b.tif {out}", 24, 2, true},
    {"RGB 16-bit uncompressed tiles", "convert {in} -depth 16 {dir}/b.tif && tiffcp -c none -t -w 16 -l 16 {dir}/b.tif {out}", 24, 1, false},
    {"gray uncompressed tiles", "convert {in} -colorspace gray {dir}/b.tif && tiffcp -c none -t -w 16 -l 16 {dir}/b.tif {out}", 8, 0, false},
    {"RGB JPEG tiles", "convert {in} {dir}/b.tif && tiffcp -c jpeg -t -w 16 -l 16 {dir}/b.tif {out}", 24, 3, false},
    {"RGB separate planes", "convert {in} {dir}/b.tif && tiffcp -p separate {dir}/b.tif {out}", 24, 0, false},
    {"RGB 16-bit", "convert {in} -depth 16 {out}", 24, 1, false},
    {"RGBA", "convert {in} -alpha set -channel A -fx '(i%3)/2' +channel {out}", 24, 2, true},
    {"gray", "convert {in} -colorspace gray {out}", 8, 0, false},
    {"gray LZW tiles", "convert {in} -colorspace gray {dir}/b.tif && tiffcp -c lzw -t -w 16 -l 16 {dir}/b.tif {out}", 8, 0, false},
    {"gray Deflate", "convert {in} -colorspace gray {dir}/b.tif && tiffcp -c zip {dir}/b.tif {out}", 8, 0, false},
    {"gray PackBits, strips of 2 rows", "ppmtopgm {in} | pnmtotiff -packbits -rowsperstrip=2 > {out}", 8, 0, false},
    {"gray JPEG", "convert {in} -colorspace gray {dir}/b.tif && tiffcp -c jpeg {dir}/b.tif {out}", 8, 1, false},
    // One strip of 16-bit samples holds twice the bytes of the 8-bit picture it becomes.
    // 16-bit samples keep their high byte; ImageMagick rounds.
    {"gray 16-bit", "convert {in} -colorspace gray -depth 16 {out}", 8, 1, false},
    {"gray 4-bit", "convert {in} -colorspace gray -depth 4 {out}", 4, 0, false},
    {"gray 2-bit", "convert {in} -colorspace gray -depth 2 {out}", 8, 0, false},
    {"gray with alpha", "convert {in} -colorspace gray -alpha set -channel A -fx '(i%3)/2' +channel {out}", 8, 0, true},
    {"bilevel black-is-zero", "convert {in} -monochrome -depth 1 {out}", 1, 0, false},
    {"bilevel Group 4", "convert {in} -monochrome -depth 1 {dir}/b.tif && tiffcp -c g4 {dir}/b.tif {out}", 1, 0, false},
    {"bilevel Group 3", "convert {in} -monochrome -depth 1 {dir}/b.tif && tiffcp -c g3 {dir}/b.tif {out}", 1, 0, false},
    {"bilevel Group 3 2-D", "convert {in} -monochrome -depth 1 {dir}/b.tif && tiffcp -c g3:2d:fill {dir}/b.tif {out}", 1, 0, false},
    {"bilevel PackBits tiles", "convert {in} -monochrome -depth 1 {dir}/b.tif && tiffcp -c packbits -t -w 16 -l 16 {dir}/b.tif {out}", 1, 0, false},
    {"palette 8-bit", "convert {in} -colors 200 -type palette {out}", 8, 0, false},
    {"palette 4-bit LZW", "convert {in} -colors 16 -type palette {dir}/b.tif && tiffcp -c lzw {dir}/b.tif {out}", 4, 0, false},
    // Four samples make an alpha channel, opaque where the fourth is an ink.
    {"CMYK", "convert {in} -colorspace CMYK {out}", 24, 2, true},
    // ImageMagick converts CIELab its own way (white point, dark tones): close, not equal.
    {"CIELab", "convert {in} -colorspace Lab {out}", 24, 24, false},
};

TEST(TiffDecode, FilesOfOtherToolsGiveTheirPixels) {
  if (!HaveTools() || !HasTool("pnmtotiff")) GTEST_SKIP() << "ImageMagick, libtiff tools or netpbm missing";
  TempDir dir;
  // 37 is no multiple of the 16-pixel tiles: the last tile column reaches past the edge.
  constexpr int kWidth = 37;
  constexpr int kHeight = 23;
  const std::string in = dir.unixFile("in.ppm");
  WriteUnixFile(in, SourcePpm(kWidth, kHeight));
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string out = dir.unixFile("out.tif");
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));

    PxImage image;
    ASSERT_TRUE(Loads(image, dir, "out.tif")) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_TIF);
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    EXPECT_EQ(image.Info().frameCount, 1);
    EXPECT_LE(LargestDifference(ImageArgb(image), MagickArgb(out)), c.tolerance);
  }
}

// Colour pages come upright in every orientation, as gray pages do: plain 8-bit RGB strips go
// straight into the rows in every compression and strip height, the other colour pages through
// libtiff's RGBA reader, which knows only the flips, so the codec turns the transposed ones.
TEST(TiffDecode, ColourPagesGiveTheirPixelsInEveryOrientation) {
  if (!HaveTools() || !HasTool("tiffset")) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  struct OrientedCase {
    const char* name;
    const char* make;  // makes {out} from the colour picture {in}; {dir} holds scratch files
    int orientation;   // written with tiffset; 1 is the default the tools write
    int tolerance;     // against ImageMagick's decode of the same file
    bool alpha;
  };
  const OrientedCase cases[] = {
      {"none, strips of 1 row", "convert {in} -compress none -define tiff:rows-per-strip=1 {out}", 1, 0, false},
      {"LZW predictor, strips of 5 rows", "convert {in} {dir}/b.tif && tiffcp -c lzw:2 -r 5 {dir}/b.tif {out}", 2, 0,
       false},
      {"Deflate, strips of 7 rows", "convert {in} -compress zip -define tiff:rows-per-strip=7 {out}", 3, 0, false},
      {"PackBits, a strip longer than the picture", "convert {in} {dir}/b.tif && tiffcp -c packbits -r 100 {dir}/b.tif {out}",
       4, 0, false},
      {"LZW, strips of 4 rows", "convert {in} {dir}/b.tif && tiffcp -c lzw -r 4 {dir}/b.tif {out}", 5, 0, false},
      {"JPEG, strips of 8 rows", "convert {in} {dir}/b.tif && tiffcp -c jpeg:r -r 8 {dir}/b.tif {out}", 6, 0, false},
      {"JPEG, one strip", "convert {in} -compress jpeg {out}", 7, 0, false},
      {"none, strips of 3 rows", "convert {in} {dir}/b.tif && tiffcp -r 3 {dir}/b.tif {out}", 8, 0, false},
      // Through the RGBA reader; the alpha channel turns with the pixels.
      {"RGBA", "convert {in} -alpha set -channel A -fx '(i%3)/2' +channel {out}", 5, 2, true},
      {"JPEG YCbCr", "convert {in} {dir}/b.tif && tiffcp -c jpeg {dir}/b.tif {out}", 6, 3, false},
      {"RGB LZW tiles", "convert {in} {dir}/b.tif && tiffcp -c lzw -t -w 16 -l 16 {dir}/b.tif {out}", 7, 0, false},
      {"CMYK", "convert {in} -colorspace CMYK {out}", 8, 2, true},
  };
  // ImageMagick's names of the orientations, by tag value.
  const char* const kMagickOrientations[] = {"",        "TopLeft",  "TopRight",    "BottomRight", "BottomLeft",
                                             "LeftTop", "RightTop", "RightBottom", "LeftBottom"};
  TempDir dir;
  const std::string in = dir.unixFile("in.ppm");
  WriteUnixFile(in, SourcePpm(37, 23));
  for (const OrientedCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ", orientation " + std::to_string(c.orientation));
    const std::string out = dir.unixFile("out.tif");
    const std::string shown = dir.unixFile("shown.png");
    // ImageMagick reads some pages through the RGBA reader, which would flip them before it
    // turns them by the tag: it sees the file before the tag is set, and is told the orientation.
    ASSERT_TRUE(MakeWithTool(std::string(c.make) + " && convert {out} -orient " + kMagickOrientations[c.orientation] +
                                 " -auto-orient " + Shell(shown) + " && tiffset -s 274 " +
                                 std::to_string(c.orientation) + " {out}",
                             in, out, dir));

    PxImage image;
    ASSERT_TRUE(Loads(image, dir, "out.tif")) << image.LastError();
    EXPECT_EQ(image.Bpp(), 24);
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    EXPECT_EQ(image.Width(), c.orientation <= 4 ? 37 : 23);
    EXPECT_LE(LargestDifference(ImageArgb(image), MagickArgb(shown)), c.tolerance);
  }
}

// Compressions no tool here writes, built by hand: the fax codings, NeXT, ThunderScan and
// old-style JPEG. ImageMagick reads them through libtiff as well; both must see the same rows.
TEST(TiffDecode, HandBuiltCompressions) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;

  // Modified Huffman rows: white 4, black 8, white 4 / white 8, black 8 / white 2, black 3, white 4,
  // black 7; byte-aligned, and for the word-aligned variant padded to 32 bits as libtiff reads it.
  const std::string faxRows = std::string("\xB1\x6C") + "\x98\xA0" + "\x7A\xC6";
  const std::string wordRows = std::string("\xB1\x6C\0\0", 4) + std::string("\x98\xA0\0\0", 4) + std::string("\x7A\xC6\0\0", 4);
  // NeXT: a literal row (code 0) of 2-bit samples 0 1 2 3 3 2 1 0, then 3 0 3 0 1 1 2 2.
  const std::string nextRows = std::string("\x00\x1B\xE4", 3) + std::string("\x00\xCC\x5A", 3);
  // ThunderScan: raw 4-bit pixels (code 0xC0 plus the value), 0 5 10 15 and 15 3 7 1.
  const std::string thunderRows = "\xC0\xC5\xCA\xCF\xCF\xC3\xC7\xC1";

  struct HandCase {
    const char* name;
    std::string file;
    std::vector<std::uint32_t> expected;  // 0xRRGGBB, top row first
  };
  auto gray = [](std::initializer_list<int> levels) {
    std::vector<std::uint32_t> colours;
    for (const int v : levels) colours.push_back(static_cast<std::uint32_t>(v) * 0x010101u);
    return colours;
  };
  std::vector<std::uint32_t> fax;
  for (const std::string& row : kFaxRows)
    for (const char bit : row) fax.push_back(bit == '1' ? 0 : 0xFFFFFF);
  const std::vector<HandCase> cases = {
      {"CCITT RLE", HandTiff(GrayTags(16, 3, 1, 0, 2), faxRows), fax},
      {"CCITT RLE/W", HandTiff(GrayTags(16, 3, 1, 0, 32771), wordRows), fax},
      {"NeXT", HandTiff(GrayTags(8, 2, 2, 1, 32766), nextRows),
       gray({0, 85, 170, 255, 255, 170, 85, 0, 255, 0, 255, 0, 85, 85, 170, 170})},
      {"ThunderScan", HandTiff(GrayTags(4, 2, 4, 1, 32809), thunderRows),
       gray({0, 85, 170, 255, 255, 51, 119, 17})},
  };
  for (const HandCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteUnixFile(dir.unixFile("hand.tif"), c.file);
    PxImage image;
    ASSERT_TRUE(Loads(image, dir, "hand.tif")) << image.LastError();
    EXPECT_EQ(TopDownColours(image), c.expected);
    EXPECT_EQ(MagickColours(dir.unixFile("hand.tif")), c.expected);
  }
}

TEST(TiffDecode, OldStyleJpegPages) {
  if (!HaveTools() || !HasTool("pnmtojpeg") || !HasTool("tiff2rgba")) GTEST_SKIP() << "tools missing";
  TempDir dir;
  WriteUnixFile(dir.unixFile("in.ppm"), SourcePpm(32, 16));
  ASSERT_EQ(RunTool("pnmtojpeg --quality=95 " + Shell(dir.unixFile("in.ppm")) + " > " + Shell(dir.unixFile("in.jpg"))), 0);
  const std::string jpeg = ReadUnixFile(dir.unixFile("in.jpg"));
  // The strip is the whole JPEG interchange stream, which the JPEGInterchangeFormat tags point at.
  const auto length = static_cast<std::uint32_t>(jpeg.size());
  const std::vector<Tag> tags = {{256, 4, {32}},     {257, 4, {16}},     {258, 3, {8, 8, 8}}, {259, 3, {6}},
                                 {262, 3, {6}},      {277, 3, {3}},      {278, 4, {16}},      {284, 3, {1}},
                                 {513, 4, {8}},      {514, 4, {length}}, {530, 3, {2, 2}}};
  WriteUnixFile(dir.unixFile("old.tif"), HandTiff(tags, jpeg));

  PxImage image;
  ASSERT_TRUE(Loads(image, dir, "old.tif")) << image.LastError();
  EXPECT_EQ(image.Bpp(), 24);
  EXPECT_EQ(image.CodecOption(FMT_TIF), 6u);
  // ImageMagick takes these pages for YCbCr once more after libtiff converted them; libtiff's
  // own tiff2rgba is the reference.
  ASSERT_EQ(RunTool("tiff2rgba " + Shell(dir.unixFile("old.tif")) + " " + Shell(dir.unixFile("rgba.tif")) + " 2>/dev/null"), 0);
  EXPECT_LE(LargestDifference(ImageArgb(image), MagickArgb(dir.unixFile("rgba.tif"))), 0);
}

// SGI LogLuv pages hold real-valued XYZ colours; libtiff itself writes the file here.
TEST(TiffDecode, LogLuvPages) {
  if (!HasTool("tiff2rgba") || !HasTool("convert")) GTEST_SKIP() << "tools missing";
  TempDir dir;
  const std::string path = dir.unixFile("luv.tif");
  // XYZ of sRGB white, red, green and blue at full intensity.
  const float xyz[4][3] = {{0.9505f, 1.0f, 1.089f}, {0.4124f, 0.2126f, 0.0193f}, {0.3576f, 0.7152f, 0.1192f},
                           {0.1805f, 0.0722f, 0.9505f}};
  TIFF* out = TIFFOpen(path.c_str(), "w");
  ASSERT_NE(out, nullptr);
  TIFFSetField(out, TIFFTAG_IMAGEWIDTH, 4);
  TIFFSetField(out, TIFFTAG_IMAGELENGTH, 1);
  TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 32);
  TIFFSetField(out, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP);
  TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_LOGLUV);
  TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_SGILOG);
  TIFFSetField(out, TIFFTAG_SGILOGDATAFMT, SGILOGDATAFMT_FLOAT);
  TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, 1);
  float row[12];
  std::memcpy(row, xyz, sizeof(row));
  ASSERT_EQ(TIFFWriteScanline(out, row, 0, 0), 1);
  TIFFClose(out);

  PxImage image;
  ASSERT_TRUE(Loads(image, dir, "luv.tif")) << image.LastError();
  EXPECT_EQ(image.CodecOption(FMT_TIF), static_cast<std::uint32_t>(COMPRESSION_SGILOG));
  ASSERT_EQ(RunTool("tiff2rgba " + Shell(path) + " " + Shell(dir.unixFile("rgba.tif"))), 0);
  EXPECT_LE(LargestDifference(ImageArgb(image), MagickArgb(dir.unixFile("rgba.tif"))), 0);
  // White, red, green and blue come out as such.
  const std::vector<std::uint32_t> colours = TopDownColours(image);
  ASSERT_EQ(colours.size(), 4u);
  auto channel = [&](int pixel, int shift) { return (colours[static_cast<std::size_t>(pixel)] >> shift) & 0xFF; };
  EXPECT_GT(channel(0, 16) + channel(0, 8) + channel(0, 0), 3u * 0xD0);
  EXPECT_GT(channel(1, 16), 0xC0u);
  EXPECT_LT(channel(1, 8) + channel(1, 0), 0x60u);
  EXPECT_GT(channel(2, 8), 0xC0u);
  EXPECT_LT(channel(2, 16) + channel(2, 0), 0x60u);
  EXPECT_GT(channel(3, 0), 0xC0u);
  EXPECT_LT(channel(3, 16) + channel(3, 8), 0x60u);
}

TEST(TiffDecode, PagesAreChosenByFrameIndex) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  ASSERT_EQ(RunTool("convert -size 3x2 xc:red -size 5x4 xc:lime -size 7x6 xc:blue " + Shell(dir.unixFile("pages.tif"))), 0);
  struct PageCase {
    std::int32_t frame;
    std::int32_t width;
    std::uint32_t colour;
  };
  for (const PageCase& c : {PageCase{0, 3, 0xFF0000}, PageCase{1, 5, 0x00FF00}, PageCase{2, 7, 0x0000FF}}) {
    SCOPED_TRACE(c.frame);
    PxImage image;
    image.SelectFrame(c.frame);
    ASSERT_TRUE(Loads(image, dir, "pages.tif")) << image.LastError();
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Info().frameCount, 3);
    EXPECT_EQ(PackColor(image.PixelColor(0, 0, false)) & 0xFFFFFF, c.colour);
  }
  // A page past the last fails, and still tells how many pages there are.
  for (const std::int32_t frame : {3, -1}) {
    PxImage image;
    image.SelectFrame(frame);
    const std::string bytes = ReadUnixFile(dir.unixFile("pages.tif"));
    EXPECT_FALSE(DecodeBytes(image, bytes, FMT_TIF));
    EXPECT_STREQ(image.LastError(), "Error: page not present in TIFF file");
    EXPECT_EQ(image.Info().frameCount, 3);
    EXPECT_FALSE(image.IsValid());
  }
}

TEST(TiffDecode, OrientationTurnsThePictureUpright) {
  if (!HaveTools() || !HasTool("tiffset")) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  WriteUnixFile(dir.unixFile("in.ppm"), SourcePpm(5, 3));
  // Gray and RGB pages alike.
  for (const char* layout : {"-colorspace gray", ""}) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(std::string(layout) + " orientation " + std::to_string(orientation));
      const std::string file = dir.unixFile("o.tif");
      ASSERT_EQ(RunTool("convert " + Shell(dir.unixFile("in.ppm")) + " " + layout + " " + Shell(file) +
                        " && tiffset -s 274 " + std::to_string(orientation) + " " + Shell(file)),
                0);
      PxImage image;
      ASSERT_TRUE(Loads(image, dir, "o.tif")) << image.LastError();
      const std::string upright = dir.unixFile("upright.ppm");
      ASSERT_EQ(RunTool("convert " + Shell(file) + " -auto-orient -depth 8 " + Shell(upright)), 0);
      EXPECT_EQ(image.Width(), orientation <= 4 ? 5 : 3);
      EXPECT_EQ(TopDownColours(image), MagickColours(upright));
    }
  }
}

TEST(TiffDecode, ResolutionAndPosition) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  struct ResolutionCase {
    const char* options;
    std::int32_t dpiX;
    std::int32_t dpiY;
  };
  for (const ResolutionCase& c : {ResolutionCase{"-units PixelsPerCentimeter -density 118.11", 300, 300},
                                  ResolutionCase{"-units PixelsPerInch -density 72x150", 72, 150}}) {
    SCOPED_TRACE(c.options);
    ASSERT_EQ(RunTool(std::string("convert -size 4x4 xc:gray ") + c.options + " " + Shell(dir.unixFile("r.tif"))), 0);
    PxImage image;
    ASSERT_TRUE(Loads(image, dir, "r.tif")) << image.LastError();
    EXPECT_EQ(image.DpiX(), c.dpiX);
    EXPECT_EQ(image.DpiY(), c.dpiY);
  }
  const std::vector<Tag> tags = {{256, 4, {2}}, {257, 4, {1}},        {258, 3, {8}},        {259, 3, {1}},
                                 {262, 3, {1}}, {277, 3, {1}},        {278, 4, {1}},        {282, 5, {7, 2}},
                                 {283, 5, {9, 1}}, {286, 5, {25, 2}}, {287, 5, {3, 1}},     {296, 3, {2}}};
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, HandTiff(tags, "\x10\x20"), FMT_TIF)) << image.LastError();
  EXPECT_EQ(image.DpiX(), 3);
  EXPECT_EQ(image.DpiY(), 9);
  EXPECT_EQ(image.Info().offsetX, 12);
  EXPECT_EQ(image.Info().offsetY, 3);
}

TEST(TiffDecode, HeaderOnlyAndEscape) {
  const std::string file = HandTiff(GrayTags(6, 4, 8, 1, 1), std::string(24, '\x40'));
  PxImage header;
  header.Info().escape = -1;
  ASSERT_TRUE(DecodeBytes(header, file, FMT_TIF));
  EXPECT_EQ(header.Width(), 6);
  EXPECT_EQ(header.Height(), 4);
  EXPECT_FALSE(header.IsValid());
  EXPECT_STREQ(header.LastError(), "output dimensions returned");

  PxImage cancelled;
  cancelled.Info().escape = 1;
  EXPECT_FALSE(DecodeBytes(cancelled, file, FMT_TIF));
  EXPECT_STREQ(cancelled.LastError(), "Cancelled");
}

TEST(TiffDecode, PaletteAndGrayEntries) {
  // A white-is-zero bilevel page: entry 0 white, entry 1 black.
  PxImage bilevel;
  ASSERT_TRUE(DecodeBytes(bilevel, HandTiff(GrayTags(8, 1, 1, 0, 1), "\x0F"), FMT_TIF)) << bilevel.LastError();
  EXPECT_EQ(PackColor(bilevel.PaletteColor(0)) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(PackColor(bilevel.PaletteColor(1)) & 0xFFFFFF, 0u);
  EXPECT_EQ(bilevel.PixelIndex(7, 0), 1);

  // Colour maps of 8-bit values are taken as they are, 16-bit ones scaled.
  for (const std::uint32_t scale : {1u, 257u}) {
    SCOPED_TRACE(scale);
    std::vector<Tag> tags = GrayTags(2, 1, 1, 3, 1);
    tags.push_back({320, 3, {10 * scale, 200 * scale, 20 * scale, 100 * scale, 30 * scale, 255 * scale}});
    PxImage palette;
    ASSERT_TRUE(DecodeBytes(palette, HandTiff(tags, "\x40"), FMT_TIF)) << palette.LastError();
    EXPECT_EQ(palette.Bpp(), 1);
    EXPECT_EQ(TopDownColours(palette), (std::vector<std::uint32_t>{0x0A141E, 0xC864FF}));
  }
}

// --- Encoding for other tools ---------------------------------------------------------------------

TEST(TiffEncode, ToolsSeeThePictureAndItIsNotChanged) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  struct EncodeCase {
    const char* name;
    std::uint32_t bpp;
    bool gray;
    bool alpha;
    const char* photometric;  // as tiffinfo names it
    const char* compression;
    bool lossy;
  };
  const EncodeCase cases[] = {
      {"bilevel", 1, false, false, "min-is-white", "CCITT Group 4", false},
      {"palette 4-bit", 4, false, false, "palette color", "LZW", false},
      {"palette 8-bit", 8, false, false, "palette color", "LZW", false},
      {"gray ramp", 8, true, false, "min-is-black", "LZW", false},
      {"gray with alpha", 8, true, true, "min-is-black", "LZW", false},
      {"RGB", 24, false, false, "RGB color", "JPEG", true},
      // Alpha would not survive JPEG: pages with alpha are written losslessly.
      {"RGBA", 24, false, true, "RGB color", "LZW", false},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, 29, 19, c.bpp);
    if (c.gray) image.SetGrayPalette();
    if (c.bpp == 1) {
      // Entry 0 darker than entry 1: the file stores the inverted bits.
      image.SetPaletteEntry(0, 0, 0, 0, 0);
      image.SetPaletteEntry(1, 255, 255, 255, 0);
    }
    if (c.alpha) {
      ASSERT_TRUE(image.AlphaCreate());
      for (std::int32_t y = 0; y < image.Height(); ++y)
        for (std::int32_t x = 0; x < image.Width(); ++x) image.AlphaSet(x, y, static_cast<std::uint8_t>(140 + x * 4 + y));
    }
    PxImage before(image, true, false, true);

    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_TIF, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_TRUE(image_test::SamePixels(before, image));
    WriteUnixFile(dir.unixFile("t.tif"), bytes);

    const std::string report = TiffInfo(dir.unixFile("t.tif"));
    EXPECT_NE(report.find(std::string("Photometric Interpretation: ") + c.photometric), std::string::npos) << report;
    EXPECT_NE(report.find(std::string("Compression Scheme: ") + c.compression), std::string::npos) << report;
    EXPECT_NE(report.find("Resolution: 96, 96 pixels/inch"), std::string::npos) << report;
    if (c.alpha) {
      EXPECT_NE(report.find("unassoc-alpha"), std::string::npos) << report;
    }
    if (std::string(c.compression) == "LZW") {
      EXPECT_EQ(report.find("Predictor: horizontal differencing") != std::string::npos, c.bpp >= 8) << report;
    }
    // Lossless pages give back the picture; JPEG pages come close to it, and ImageMagick and
    // Tavrel read the same file alike.
    PxImage again;
    ASSERT_TRUE(DecodeBytes(again, bytes, FMT_TIF)) << again.LastError();
    EXPECT_EQ(again.AlphaIsValid(), c.alpha);
    const std::vector<std::uint32_t> magick = MagickArgb(dir.unixFile("t.tif"));
    if (c.lossy) {
      EXPECT_LE(MeanDifference(ImageArgb(image), ImageArgb(again)), 4.0);
      // ImageMagick hands JPEG pages with alpha over as libtiff's RGBA reader gives them, with
      // the colours multiplied by alpha: only the alpha is compared then.
      const std::uint32_t mask = c.alpha ? 0xFF000000u : 0xFFFFFFFFu;
      std::vector<std::uint32_t> ours = ImageArgb(again);
      std::vector<std::uint32_t> theirs = magick;
      for (std::uint32_t& v : ours) v &= mask;
      for (std::uint32_t& v : theirs) v &= mask;
      EXPECT_LE(LargestDifference(ours, theirs), 2);
    } else {
      EXPECT_EQ(LargestDifference(ImageArgb(image), magick), 0);
      EXPECT_EQ(ImageArgb(image), ImageArgb(again));
    }
  }
}

TEST(TiffEncode, JpegStripsAreWholeBlocks) {
  if (!HaveTools()) GTEST_SKIP() << "libtiff tools missing";
  TempDir dir;
  PxImage image;
  image_test::MakePattern(image, 333, 40, 24);
  WriteUnixFile(dir.unixFile("j.tif"), EncodeBytes(image, FMT_TIF));
  const std::string report = TiffInfo(dir.unixFile("j.tif"));
  const std::size_t at = report.find("Rows/Strip: ");
  ASSERT_NE(at, std::string::npos) << report;
  EXPECT_EQ(std::atoi(report.c_str() + at + 12) % 8, 0) << report;
}

TEST(TiffEncode, CompressionOfTheDecodedFileIsKept) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  WriteUnixFile(dir.unixFile("in.ppm"), SourcePpm(20, 10));
  ASSERT_EQ(RunTool("convert " + Shell(dir.unixFile("in.ppm")) + " " + Shell(dir.unixFile("b.tif")) +
                    " && tiffcp -c packbits " + Shell(dir.unixFile("b.tif")) + " " + Shell(dir.unixFile("p.tif"))),
            0);
  PxImage image;
  ASSERT_TRUE(Loads(image, dir, "p.tif")) << image.LastError();
  EXPECT_EQ(image.CodecOption(FMT_TIF), static_cast<std::uint32_t>(COMPRESSION_PACKBITS));
  ASSERT_TRUE(image.SaveFile(dir.windowsFile("again.tif").c_str(), FMT_TIF)) << image.LastError();
  EXPECT_NE(TiffInfo(dir.unixFile("again.tif")).find("Compression Scheme: PackBits"), std::string::npos);
  EXPECT_EQ(MagickColours(dir.unixFile("again.tif")), MagickColours(dir.unixFile("in.ppm")));
}

TEST(TiffEncode, AppendedPagesMakeOneFile) {
  if (!HaveTools()) GTEST_SKIP() << "libtiff tools missing";
  TempDir dir;
  PxMemFile file;
  ASSERT_TRUE(file.Open());
  PxImageTIF writer;
  for (const std::uint32_t width : {3u, 5u}) {
    PxImage page;
    image_test::MakePattern(page, width, 2, 8);
    writer.Ghost(&page);
    ASSERT_TRUE(writer.Encode(&file, true)) << writer.LastError();
  }
  WriteUnixFile(dir.unixFile("two.tif"), codec_test::Contents(file));
  const std::string report = ToolOutput("tiffinfo " + Shell(dir.unixFile("two.tif")) + " 2>/dev/null");
  EXPECT_NE(report.find("Page Number: 2-2"), std::string::npos) << report;
  EXPECT_NE(report.find("PageName: Page 2"), std::string::npos) << report;
  PxImage second;
  second.SelectFrame(1);
  ASSERT_TRUE(Loads(second, dir, "two.tif")) << second.LastError();
  EXPECT_EQ(second.Width(), 5);
  EXPECT_EQ(second.Info().frameCount, 2);
}

TEST(TiffEncode, AFullDiskFailsWithAMessage) {
  for (const std::uint32_t bpp : {1u, 8u, 24u}) {
    PxImage image;
    image_test::MakePattern(image, 300, 200, bpp);
    for (const std::size_t room : {0u, 7u, 100u, 3000u}) {
      SCOPED_TRACE(std::to_string(bpp) + " bits, room " + std::to_string(room));
      FullDisk disk(room);
      EXPECT_FALSE(image.Encode(&disk, FMT_TIF));
      const std::string message = image.LastError();
      EXPECT_TRUE(message == "Error saving TIFF file" || message == "initialization fail") << message;
    }
  }
}

// --- Bad input ------------------------------------------------------------------------------------

// Pages whose samples the file's bytes could not hold, coded as the page says, are refused before
// the picture or libtiff's raster is allocated.
TEST(TiffDecode, PagesPromisingMoreThanTheFileHoldsAreRefused) {
  const char* const refused = "TIFF: page larger than the file can hold";
  auto page = [](std::uint32_t width, std::uint32_t height, std::uint32_t samples, std::uint32_t bits,
                 std::uint32_t photometric, std::uint32_t compression) {
    std::vector<Tag> tags = GrayTags(width, height, bits, photometric, compression);
    for (Tag& t : tags) {
      if (t.tag == 277) t.values = {samples};
      if (t.tag == 258) t.values.assign(samples, bits);
    }
    return HandTiff(tags, std::string(10, '\x55'));
  };
  const image_test::HostileFile cases[] = {
      {"RGB, uncompressed, 432 MB", page(12000, 12000, 3, 8, 2, COMPRESSION_NONE), refused},
      {"gray, LZW, 256 MB", page(16000, 16000, 1, 8, 1, COMPRESSION_LZW), refused},
      {"RGB, Deflate, through the RGBA reader", page(8000, 8000, 3, 16, 2, COMPRESSION_ADOBE_DEFLATE), refused},
      {"bilevel, Group 4, 40000 rows", page(20000, 40000, 1, 1, 0, COMPRESSION_CCITTFAX4), refused},
      {"gray, PackBits", page(9000, 9000, 1, 8, 1, COMPRESSION_PACKBITS), refused},
  };
  for (const image_test::HostileFile& c : cases) image_test::CheckHostileFile(c, FMT_TIF);
}

TEST(TiffDecode, BadInputFailsCleanly) {
  const std::string strip(48, '\x55');
  const std::string good = HandTiff(GrayTags(8, 6, 8, 1, 1), strip);
  auto with = [&](std::uint16_t tag, std::uint16_t type, std::vector<std::uint32_t> values) {
    std::vector<Tag> tags = GrayTags(8, 6, 8, 1, 1);
    tags.erase(std::remove_if(tags.begin(), tags.end(), [&](const Tag& t) { return t.tag == tag; }), tags.end());
    tags.push_back({tag, type, std::move(values)});
    return HandTiff(tags, strip);
  };
  auto without = [&](std::uint16_t tag) {
    std::vector<Tag> tags = GrayTags(8, 6, 8, 1, 1);
    tags.erase(std::remove_if(tags.begin(), tags.end(), [&](const Tag& t) { return t.tag == tag; }), tags.end());
    return HandTiff(tags, strip);
  };
  const std::string selfLoop = HandTiff(GrayTags(8, 6, 8, 1, 1), strip, 56);
  // An RGB page of 4 x 4 pixels in two strips of 24 bytes, with some tags changed.
  auto rgb = [&](std::vector<Tag> changes) {
    std::vector<Tag> tags = {{256, 4, {4}}, {257, 4, {4}}, {258, 3, {8, 8, 8}}, {259, 3, {1}}, {262, 3, {2}},
                             {273, 4, {8, 32}}, {277, 3, {3}}, {278, 4, {2}}, {279, 4, {24, 24}}};
    for (Tag& change : changes) {
      std::replace_if(tags.begin(), tags.end(), [&](const Tag& t) { return t.tag == change.tag; }, change);
    }
    return HandTiff(tags, strip);
  };

  for (const std::string& sound : {good, rgb({})}) {
    PxImage sanity;
    ASSERT_TRUE(DecodeBytes(sanity, sound, FMT_TIF)) << sanity.LastError();
  }

  struct BadCase {
    const char* name;
    std::string bytes;
    const char* message;  // null: any message
  };
  const BadCase cases[] = {
      {"empty", "", "Error encountered while opening TIFF file"},
      {"text", "This is no picture at all.", "Error encountered while opening TIFF file"},
      {"header only", good.substr(0, 8), "Error encountered while opening TIFF file"},
      {"bad magic", "MM\x00\x2B" + good.substr(4), "Error encountered while opening TIFF file"},
      {"directory beyond the end", good.substr(0, 4) + "\xFF\xFF\x00\x00" + good.substr(8), "Error encountered while opening TIFF file"},
      {"directory cut", good.substr(0, good.size() - 30), nullptr},
      {"strip cut", good.substr(0, 30), "Error encountered while opening TIFF file"},
      {"strip beyond the end", with(273, 4, {0xFFF0}), "Corrupted TIFF file!"},
      {"no width", without(256), nullptr},
      {"no strip offsets", without(273), nullptr},
      {"zero height", with(257, 4, {0}), nullptr},
      {"huge picture", with(256, 4, {0x7FFFFFFF}), nullptr},
      {"bits per sample 0", with(258, 3, {0}), nullptr},
      {"bits per sample 40", with(258, 3, {40}), nullptr},
      {"bits per sample 12", with(258, 3, {12}), "TIFF: unsupported sample layout"},
      {"unknown compression", with(259, 3, {12345}), nullptr},
      {"unknown photometric", with(262, 3, {99}), "TIFF: unsupported sample layout"},
      {"palette without colour map", with(262, 3, {3}), nullptr},
      {"samples per pixel 0", with(277, 3, {0}), nullptr},
      {"rows per strip 0", with(278, 4, {0}), nullptr},
      {"rows per strip 1 with one strip", with(278, 4, {1}), nullptr},
      {"lzw of plain bytes", with(259, 3, {5}), "Corrupted TIFF file!"},
      {"directory loop", selfLoop, nullptr},
      // The bytes after a short strip are not its rows, though the file goes on.
      {"RGB strip shorter than its rows", rgb({{279, 4, {24, 20}}}), "Corrupted TIFF file!"},
      {"RGB strip beyond the end", rgb({{273, 4, {8, 0xFFF0}}}), "Corrupted TIFF file!"},
      {"RGB lzw of plain bytes", rgb({{259, 3, {5}}}), "Corrupted TIFF file!"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, 3, 3, 8);
    PxImage before(image, true, false, false);
    const bool decoded = DecodeBytes(image, c.bytes, FMT_TIF);
    if (!c.message && decoded) {
      // libtiff takes some damage in its stride; what it hands over must be a whole picture.
      EXPECT_TRUE(image.IsValid());
      continue;
    }
    EXPECT_FALSE(decoded);
    EXPECT_TRUE(image_test::SamePixels(before, image));
    if (c.message) EXPECT_STREQ(image.LastError(), c.message);
    else EXPECT_STRNE(image.LastError(), "");
  }
}

// Every prefix and a spread of single-byte changes of a few real files, under AddressSanitizer in
// the asan build: the decoder may fail but must never read or write outside its buffers.
TEST(TiffDecode, DamagedFilesNeverCrash) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or libtiff tools missing";
  TempDir dir;
  WriteUnixFile(dir.unixFile("in.ppm"), SourcePpm(19, 11));
  const char* makes[] = {
      "convert {in} -colorspace gray -depth 16 {out}",
      "convert {in} {dir}/b.tif && tiffcp -c lzw -t -w 16 -l 16 {dir}/b.tif {out}",
      "convert {in} -monochrome -depth 1 {dir}/b.tif && tiffcp -c g4 {dir}/b.tif {out}",
      "convert {in} {dir}/b.tif && tiffcp -c jpeg {dir}/b.tif {out}",
      "convert {in} {dir}/b.tif && tiffcp -c lzw -r 3 {dir}/b.tif {out}",
      "convert {in} -colors 16 -type palette {out}",
  };
  for (const char* make : makes) {
    SCOPED_TRACE(make);
    const std::string out = dir.unixFile("d.tif");
    ASSERT_TRUE(MakeWithTool(make, dir.unixFile("in.ppm"), out, dir));
    const std::string file = ReadUnixFile(out);
    codec_test::DecodeCutAndDamaged(file, FMT_TIF, FMT_TIF, {16, 12345, 300, 3});
  }
}

TEST(TiffDecode, ProbingFindsTiff) {
  const std::string file = HandTiff(GrayTags(4, 2, 8, 1, 1), std::string("\x00\x40\x80\xC0\xFF\xC0\x80\x40", 8));
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, file, FMT_UNKNOWN)) << image.LastError();
  EXPECT_EQ(image.FormatId(), FMT_TIF);
  EXPECT_EQ(TopDownColours(image)[1], 0x404040u);
}

}  // namespace
