// The PCX codec against independent tools: files of every layout netpbm's ppmtopcx and
// ImageMagick write (1-bit planes, packed pixels, palettes, 24-bit planes, alpha) decode to the
// pixels pcxtoppm and ImageMagick see; files Tavrel writes decode in those tools to the picture,
// without changing the picture. Then the run-length bytes themselves, failed writes, and a table
// of truncated, oversized and corrupt files.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImagePCX.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <vector>

namespace {

using codec_test::FullDisk;
using codec_test::MakeWithTool;
using codec_test::Shell;
using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::MagickColours;
using image_test::TopDownAlpha;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

bool HaveTools() { return HasTool("convert") && HasTool("ppmtopcx") && HasTool("pcxtoppm"); }

// The shared pattern picture, except that two colours are pure black and white, the picture a
// single 1-bit plane stands for.
std::string PatternPpm(int width, int height, int colours) {
  if (colours != 2) return image_test::PatternPpm(width, height, colours);
  std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) ppm += std::string(3, static_cast<char>((x * 7 + y * y * 3 + (x * y) % 5) % 2 * 255));
  }
  return ppm;
}

// The colours of a P6 picture (maxval 255) as 0xRRGGBB, top row first.
std::vector<std::uint32_t> P6Colours(const std::string& ppm) {
  std::size_t at = 2;
  int fields[3] = {};
  if (ppm.compare(0, 2, "P6") != 0) return {};
  for (int& field : fields) {
    while (at < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[at]))) ++at;
    while (at < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[at]))) field = field * 10 + (ppm[at++] - '0');
  }
  ++at;  // the single whitespace after maxval
  std::vector<std::uint32_t> colours;
  for (; at + 2 < ppm.size() && colours.size() < static_cast<std::size_t>(fields[0]) * fields[1]; at += 3) {
    colours.push_back((static_cast<std::uint8_t>(ppm[at]) << 16) | (static_cast<std::uint8_t>(ppm[at + 1]) << 8) |
                      static_cast<std::uint8_t>(ppm[at + 2]));
  }
  return colours;
}

std::vector<std::uint32_t> NetpbmColours(const std::string& unixPath) {
  return P6Colours(ToolOutput("pcxtoppm " + Shell(unixPath) + " 2>/dev/null"));
}

std::vector<std::uint8_t> MagickAlpha(const std::string& unixPath) {
  const std::string raw = ToolOutput("convert " + Shell(unixPath) + " -alpha extract -depth 8 gray:- 2>/dev/null");
  return std::vector<std::uint8_t>(raw.begin(), raw.end());
}

struct Header {
  int bits = 0, planes = 0, bytesPerLine = 0;
};

Header HeaderOf(const std::string& pcx) {
  return Header{static_cast<std::uint8_t>(pcx[3]), static_cast<std::uint8_t>(pcx[65]),
                static_cast<std::uint8_t>(pcx[66]) | (static_cast<std::uint8_t>(pcx[67]) << 8)};
}

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int colours;        // of the source picture (0: smooth true colour)
  const char* make;   // makes {out} from {in}
  int bits, planes;   // as the tool wrote them
  std::uint16_t bpp;  // of the decoded image
};

// ImageMagick reads a single 1-bit plane with set bits black, whatever the file's colour map says;
// netpbm and Tavrel take set bits as colour 1, white. Those files are checked against netpbm only.
bool MagickAgrees(int bits, int planes) { return bits * planes != 1; }

const ToolFileCase kToolFiles[] = {
    {"netpbm 1 plane of 1 bit", 2, "ppmtopcx {in} > {out}", 1, 1, 1},
    {"netpbm 2 planes", 4, "ppmtopcx {in} > {out}", 1, 2, 4},
    {"netpbm 3 planes", 8, "ppmtopcx {in} > {out}", 1, 3, 4},
    {"netpbm 4 planes", 16, "ppmtopcx {in} > {out}", 1, 4, 4},
    {"netpbm packed 2-bit", 4, "ppmtopcx -packed {in} > {out}", 2, 1, 4},
    {"netpbm packed 4-bit", 16, "ppmtopcx -packed {in} > {out}", 4, 1, 4},
    {"netpbm 8-bit palette", 200, "ppmtopcx {in} > {out}", 8, 1, 8},
    {"netpbm 24-bit", 0, "ppmtopcx -24bit {in} > {out}", 8, 3, 24},
    {"ImageMagick 24-bit", 0, "convert {in} pcx:{out}", 8, 3, 24},
    {"ImageMagick palette", 16, "convert {in} -type palette pcx:{out}", 8, 1, 8},
};

TEST(PcxDecode, FilesOfOtherToolsGiveTheirPixels) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  // An odd width leaves bits and bytes of padding at the end of every plane row.
  constexpr int kWidth = 37;
  constexpr int kHeight = 13;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string in = dir.unixFile("in.ppm");
    const std::string out = dir.unixFile("out.pcx");
    WriteUnixFile(in, PatternPpm(kWidth, kHeight, c.colours));
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));
    const std::string bytes = ReadUnixFile(out);
    ASSERT_EQ(HeaderOf(bytes).bits, c.bits);
    ASSERT_EQ(HeaderOf(bytes).planes, c.planes);

    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_PCX)) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_PCX);
    EXPECT_EQ(image.Bpp(), c.bpp);
    ASSERT_EQ(image.Width(), kWidth);
    ASSERT_EQ(image.Height(), kHeight);
    const std::vector<std::uint32_t> colours = TopDownColours(image);
    EXPECT_EQ(colours, NetpbmColours(out));
    if (MagickAgrees(c.bits, c.planes)) {
      EXPECT_EQ(colours, MagickColours(out));
    }
  }
}

TEST(PcxDecode, FourPlanesCarryAlpha) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  const std::string in = dir.unixFile("in.ppm");
  const std::string out = dir.unixFile("out.pcx");
  WriteUnixFile(in, PatternPpm(21, 9, 0));
  ASSERT_EQ(RunTool("convert " + Shell(in) + " -alpha set -channel A -fx '(i+j)/30' +channel pcx:" + Shell(out) +
                    " 2>/dev/null"),
            0);
  const std::string bytes = ReadUnixFile(out);
  ASSERT_EQ(HeaderOf(bytes).planes, 4);
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, bytes, FMT_PCX)) << image.LastError();
  EXPECT_EQ(image.Bpp(), 24);
  ASSERT_TRUE(image.AlphaIsValid());
  EXPECT_EQ(TopDownColours(image), MagickColours(out));
  EXPECT_EQ(TopDownAlpha(image), MagickAlpha(out));
}

// --- Encoding --------------------------------------------------------------------------------------

struct EncodeCase {
  const char* name;
  std::uint32_t width, height, bpp;
  bool whiteFirst;   // 1-bit: entry 0 white, entry 1 black
  bool alpha;        // 24-bit: with an alpha channel
  int bits, planes;  // expected in the file
};

const EncodeCase kEncodeCases[] = {
    {"1-bit", 37, 11, 1, false, false, 1, 1},
    {"1-bit, white first", 37, 11, 1, true, false, 1, 1},
    {"4-bit", 29, 10, 4, false, false, 1, 4},
    {"8-bit", 33, 12, 8, false, false, 8, 1},
    {"24-bit, odd width", 33, 12, 24, false, false, 8, 3},
    {"24-bit, even width", 64, 5, 24, false, false, 8, 3},
    {"24-bit with alpha", 31, 7, 24, false, true, 8, 4},
};

TEST(PcxEncode, ToolsSeeThePictureAndItIsNotChanged) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  TempDir dir;
  for (const EncodeCase& c : kEncodeCases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, c.width, c.height, c.bpp);
    if (c.bpp == 1) {
      image.SetPaletteEntry(0, c.whiteFirst ? 255 : 0, c.whiteFirst ? 255 : 0, c.whiteFirst ? 255 : 0, 0);
      image.SetPaletteEntry(1, c.whiteFirst ? 0 : 255, c.whiteFirst ? 0 : 255, c.whiteFirst ? 0 : 255, 0);
    }
    if (c.alpha) {
      ASSERT_TRUE(image.AlphaCreate());
      for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) image.AlphaSet(x, y, static_cast<std::uint8_t>(x * 8 + y));
      }
    }
    image.SetDpiX(300);
    image.SetDpiY(150);
    PxImage before(image, true, false, true);

    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_PCX, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_TRUE(image_test::SamePixels(before, image));
    const Header header = HeaderOf(bytes);
    EXPECT_EQ(header.bits, c.bits);
    EXPECT_EQ(header.planes, c.planes);
    EXPECT_EQ(header.bytesPerLine % 2, 0);

    const std::string file = dir.unixFile("out.pcx");
    WriteUnixFile(file, bytes);
    const std::vector<std::uint32_t> picture = TopDownColours(image);
    if (MagickAgrees(c.bits, c.planes)) {
      EXPECT_EQ(MagickColours(file), picture);
    }
    if (!c.alpha) {
      EXPECT_EQ(NetpbmColours(file), picture);  // netpbm knows no alpha plane
    }

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, FMT_PCX)) << back.LastError();
    EXPECT_EQ(TopDownColours(back), picture);
    EXPECT_EQ(back.DpiX(), 300);
    EXPECT_EQ(back.DpiY(), 150);
    if (c.alpha) {
      EXPECT_EQ(TopDownAlpha(back), TopDownAlpha(image));
      EXPECT_EQ(MagickAlpha(file), TopDownAlpha(image));
    }
  }
}

TEST(PcxEncode, RunLengthBytes) {
  struct Case {
    const char* name;
    std::uint32_t width;
    std::uint8_t index;
    std::string data;  // one row: the codes, then the padding byte of an odd width
  };
  const Case cases[] = {
      {"run of 100", 100, 7, std::string("\xFF\x07\xE5\x07", 4)},
      {"run of 63", 63, 9, std::string("\xFF\x09\x00", 3)},
      {"single byte of the count range", 1, 0xC5, std::string("\xC1\xC5\x00", 3)},
      {"single plain byte", 1, 0x41, std::string("\x41\x00", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    ASSERT_TRUE(image.Create(c.width, 1, 8, 0));
    for (std::uint32_t x = 0; x < c.width; ++x) image.SetPixelIndex(static_cast<std::int32_t>(x), 0, c.index);
    const std::string bytes = EncodeBytes(image, FMT_PCX);
    ASSERT_EQ(bytes.size(), 128 + c.data.size() + 1 + 768);
    EXPECT_EQ(bytes.substr(128, c.data.size()), c.data);
    EXPECT_EQ(bytes[128 + c.data.size()], 12);
  }
}

TEST(PcxEncode, FailedWritesAndUnsavablePictures) {
  PxImage image;
  image_test::MakePattern(image, 50, 30, 24);
  const std::size_t full = EncodeBytes(image, FMT_PCX).size();
  struct Case {
    std::size_t room;
    const char* message;
  };
  const Case cases[] = {{0, "cannot write PCX header"},
                        {127, "cannot write PCX header"},
                        {128, "PCX: write error"},
                        {full - 1, "PCX: write error"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.room);
    FullDisk disk(c.room);
    EXPECT_FALSE(image.Encode(&disk, FMT_PCX));
    EXPECT_STREQ(image.LastError(), c.message);
  }
  FullDisk enough(full);
  EXPECT_TRUE(image.Encode(&enough, FMT_PCX)) << image.LastError();
}

// --- Bad input ---------------------------------------------------------------------------------

Bytes PcxHeader(int bits, int planes, int width, int height, int bytesPerLine, int manufacturer = 10,
                int encoding = 1) {
  Bytes b;
  b.u8(static_cast<std::uint32_t>(manufacturer)).u8(5).u8(static_cast<std::uint32_t>(encoding));
  b.u8(static_cast<std::uint32_t>(bits)).u16(0).u16(0);
  b.u16(static_cast<std::uint32_t>(width - 1)).u16(static_cast<std::uint32_t>(height - 1)).u16(72).u16(72);
  b.zeros(48)
      .u8(0)
      .u8(static_cast<std::uint32_t>(planes))
      .u16(static_cast<std::uint32_t>(bytesPerLine))
      .u16(1)
      .zeros(58);
  return b;
}

// The bytes with a 16-bit field replaced.
std::string Patched(std::string bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
  return bytes;
}

TEST(PcxDecode, BadFilesAreRefusedWithAReason) {
  PxImage source;
  image_test::MakePattern(source, 40, 20, 8);
  const std::string good8 = EncodeBytes(source, FMT_PCX);
  const std::string data8 = good8.substr(128, good8.size() - 128 - 769);

  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"empty", "", "Can't read PCX image"},
      {"header cut short", good8.substr(0, 127), "Can't read PCX image"},
      {"not a PCX", PcxHeader(8, 1, 40, 20, 40, 11).str() + data8, "Error: Not a PCX file"},
      {"unknown encoding", PcxHeader(8, 1, 40, 20, 40, 10, 2).str() + data8, "PCX file has unknown encoding scheme"},
      {"five planes", PcxHeader(1, 5, 40, 20, 6).str() + data8, "Can't handle image with more than 4 planes"},
      {"no planes", PcxHeader(8, 0, 40, 20, 40).str() + data8, "corrupted PCX"},
      {"8 bits in two planes", PcxHeader(8, 2, 40, 20, 40).str() + data8, "Can't handle more than 1 bit per pixel"},
      {"4 bits in two planes", PcxHeader(4, 2, 40, 20, 20).str() + data8, "Can't handle more than 1 bit per pixel"},
      {"3 bits per pixel", PcxHeader(3, 1, 40, 20, 20).str() + data8,
       "Can't handle PCX with this number of bits per pixel"},
      {"bytes per line below the width", PcxHeader(8, 1, 40, 20, 39).str() + data8,
       "PCX bytes per line too small for the width"},
      {"1-bit bytes per line below the width", PcxHeader(1, 1, 40, 20, 4).str() + data8,
       "PCX bytes per line too small for the width"},
      {"Xmax before Xmin", Patched(PcxHeader(8, 1, 40, 20, 40).str() + data8, 4, 41), "corrupted PCX"},
      {"Ymax before Ymin", Patched(PcxHeader(8, 1, 40, 20, 40).str() + data8, 6, 20), "corrupted PCX"},
      {"data cut short", good8.substr(0, 128 + data8.size() / 2), "corrupted PCX"},
      {"run past the picture", PcxHeader(8, 1, 2, 1, 2).str() + std::string("\xC5\x01", 2),
       "repeat count spans end of image"},
      {"palette without its mark", good8.substr(0, 128 + data8.size()) + std::string(769, '\x01'),
       "bad color map signature"},
      {"palette cut short", good8.substr(0, good8.size() - 10), "corrupted PCX"},
      {"huge picture in a small file", PcxHeader(8, 3, 65535, 65535, 65535).str() + data8, "corrupted PCX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_PCX));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_STREQ(image.LastError(), c.message);
    EXPECT_FALSE(image.IsValid());
  }
}

TEST(PcxDecode, TruncatedAndCorruptFilesNeverCrash) {
  std::vector<std::string> samples;
  for (const std::uint32_t bpp : {1u, 4u, 8u, 24u}) {
    PxImage image;
    image_test::MakePattern(image, 19, 7, bpp);
    if (bpp == 24) image.AlphaCreate();
    samples.push_back(EncodeBytes(image, FMT_PCX));
  }
  codec_test::ExpectCutAndCorruptDecodeCleanly(samples, FMT_PCX, 128, 99);
}

}  // namespace
