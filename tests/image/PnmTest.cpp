// The simple formats of the JPEG-2000 family codec, PNM (P1 to P6) and Sun raster: files written by
// netpbm decode to the pixels ImageMagick and rasttopnm see, files Tavrel writes decode in those
// tools to the picture, and bad or damaged files fail cleanly.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using codec_test::ImageArgb;
using codec_test::LargestDifference;
using codec_test::MagickArgb;
using codec_test::MakeNetpbm;
using codec_test::MakeWithTool;
using codec_test::NetpbmArgb;
using codec_test::ParseNetpbm;
using codec_test::Shell;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

// A colour picture without symmetry; with `colours` set, only that many different colours.
std::vector<std::uint32_t> PatternSamples(int width, int height, int colours = 0) {
  std::vector<std::uint32_t> samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (colours > 0) {
        const int k = (x / 2 + y) % colours;
        samples.insert(samples.end(), {static_cast<std::uint32_t>(k * 40 % 256), static_cast<std::uint32_t>(255 - k * 20),
                                       static_cast<std::uint32_t>(k * 90 % 256)});
      } else {
        samples.insert(samples.end(), {static_cast<std::uint32_t>(x * 255 / (width - 1)),
                                       static_cast<std::uint32_t>(y * 255 / (height - 1)),
                                       static_cast<std::uint32_t>(((x / 3 + y / 2) % 4) * 80)});
      }
    }
  }
  return samples;
}

// A Sun raster header, big-endian.
std::string RasterHeader(std::uint32_t width, std::uint32_t height, std::uint32_t depth, std::uint32_t length,
                         std::uint32_t type, std::uint32_t mapType, std::uint32_t mapLength) {
  std::string bytes;
  for (const std::uint32_t v : {0x59A66A95u, width, height, depth, length, type, mapType, mapLength}) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((v >> shift) & 0xFF);
  }
  return bytes;
}

// --- Decoding what netpbm wrote -------------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  const char* make;  // makes {out} from the colour picture {in} (P6)
  std::uint16_t bpp;
  std::uint32_t id;
};

const ToolFileCase kToolFiles[] = {
    {"P6", "cp {in} {out}", 24, FMT_PNM},
    {"P5", "ppmtopgm {in} > {out}", 8, FMT_PNM},
    {"P4", "ppmtopgm {in} | pamthreshold | pamtopnm > {out}", 1, FMT_PNM},
    {"P3", "pnmtoplainpnm {in} > {out}", 24, FMT_PNM},
    {"P2", "ppmtopgm {in} | pnmtoplainpnm > {out}", 8, FMT_PNM},
    {"P1", "ppmtopgm {in} | pamthreshold | pamtopnm | pnmtoplainpnm > {out}", 1, FMT_PNM},
    // Deeper samples are brought to 8-bit sRGB.
    {"P6 16-bit", "pamdepth 65535 {in} > {out}", 24, FMT_PNM},
    {"P5 16-bit", "ppmtopgm {in} | pamdepth 65535 > {out}", 24, FMT_PNM},
    {"P5 from OpenJPEG, with a remark", "ppmtopgm {in} > {dir}/g.pgm && opj_compress -i {dir}/g.pgm -o {dir}/g.j2k -n 4 >/dev/null && opj_decompress -i {dir}/g.j2k -o {dir}/o.pgm >/dev/null && cp {dir}/o.pgm {out}", 8, FMT_PNM},
    {"raster 8-bit mapped, encoded", "pnmtorast {dir}/few.ppm > {out}", 24, FMT_RAS},
    {"raster 8-bit mapped, plain", "pnmtorast -standard {dir}/few.ppm > {out}", 24, FMT_RAS},
    {"raster 24-bit, encoded", "pnmtorast {in} > {out}", 24, FMT_RAS},
    {"raster 24-bit, plain", "pnmtorast -standard {in} > {out}", 24, FMT_RAS},
    {"raster gray", "ppmtopgm {in} | pnmtorast > {out}", 24, FMT_RAS},
    {"raster 1-bit", "ppmtopgm {in} | pamthreshold | pamtopnm | pnmtorast > {out}", 1, FMT_RAS},
};

TEST(PnmDecode, FilesOfNetpbmGiveTheirPixels) {
  if (!HasTool("pnmtorast") || !HasTool("pamthreshold") || !HasTool("convert") || !HasTool("opj_compress"))
    GTEST_SKIP() << "netpbm, ImageMagick or OpenJPEG tools missing";
  TempDir dir;
  // 37 pixels: bitmap rows end inside a byte, raster rows need padding.
  constexpr int kWidth = 37;
  constexpr int kHeight = 23;
  WriteUnixFile(dir.unixFile("in.ppm"), MakeNetpbm(kWidth, kHeight, 3, 255, PatternSamples(kWidth, kHeight)));
  WriteUnixFile(dir.unixFile("few.ppm"), MakeNetpbm(kWidth, kHeight, 3, 255, PatternSamples(kWidth, kHeight, 9)));
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string out = dir.unixFile("out.bin");
    ASSERT_TRUE(MakeWithTool(c.make, dir.unixFile("in.ppm"), out, dir));

    PxImage image;
    ASSERT_TRUE(image.LoadFile(dir.windowsFile("out.bin").c_str(), c.id)) << image.LastError();
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.FormatId(), c.id);
    EXPECT_EQ(image.Width(), kWidth);
    // ImageMagick reads PNM itself; rasters go through netpbm's rasttopnm.
    const std::vector<std::uint32_t> reference =
        c.id == FMT_PNM ? MagickArgb(out)
                        : NetpbmArgb(ParseNetpbm(ToolOutput("rasttopnm " + Shell(out) + " 2>/dev/null | ppmtoppm 2>/dev/null")));
    EXPECT_EQ(LargestDifference(ImageArgb(image), reference), 0);
  }
}

// Files of any maximum value read as netpbm brings them to 255: scaled by their own maximum and
// rounded to the nearest level, whether or not the maximum fills its bits.
TEST(PnmDecode, SamplesOfAnyMaximumAreScaledByIt) {
  if (!HasTool("pamdepth") || !HasTool("pnmtoplainpnm")) GTEST_SKIP() << "netpbm missing";
  const struct {
    const char* name;
    const char* make;  // makes {out} from the colour picture {in}
    std::uint16_t bpp;
  } cases[] = {
      {"P6, maximum 1000", "pamdepth 1000 {in} > {out}", 24},
      {"P6, maximum 300", "pamdepth 300 {in} > {out}", 24},
      {"P6, maximum 200", "pamdepth 200 {in} > {out}", 24},
      {"P6, maximum 4095", "pamdepth 4095 {in} > {out}", 24},
      {"P5, maximum 1000", "ppmtopgm {in} | pamdepth 1000 > {out}", 8},
      {"P5, maximum 60000", "ppmtopgm {in} | pamdepth 60000 > {out}", 8},
      {"P5, maximum 10", "ppmtopgm {in} | pamdepth 10 > {out}", 8},
      {"P3, maximum 99", "pamdepth 99 {in} | pnmtoplainpnm > {out}", 24},
      {"P2, maximum 5", "ppmtopgm {in} | pamdepth 5 | pnmtoplainpnm > {out}", 8},
  };
  TempDir dir;
  WriteUnixFile(dir.unixFile("in.ppm"), MakeNetpbm(37, 23, 3, 255, PatternSamples(37, 23)));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = dir.unixFile("out.pnm");
    ASSERT_TRUE(MakeWithTool(c.make, dir.unixFile("in.ppm"), out, dir));
    PxImage image;
    ASSERT_TRUE(image.LoadFile(dir.windowsFile("out.pnm").c_str(), FMT_PNM)) << image.LastError();
    EXPECT_EQ(image.Bpp(), c.bpp);
    const codec_test::Netpbm reference =
        ParseNetpbm(ToolOutput("pamdepth 255 " + Shell(out) + " 2>/dev/null"));
    ASSERT_EQ(reference.maximum, 255u);
    EXPECT_EQ(LargestDifference(ImageArgb(image), NetpbmArgb(reference)), 0);
  }
}

TEST(PnmDecode, HandMadeFiles) {
  struct HandCase {
    const char* name;
    std::string bytes;
    std::uint32_t id;
    std::vector<std::uint32_t> colours;  // 0xRRGGBB, top row first
  };
  const std::string pixels32 = std::string("\x00\x10\x20\x30", 4) + std::string("\x00\xA0\xB0\xC0", 4);
  const HandCase cases[] = {
      {"plain bitmap, digits run together, remarks", "P1\n# a remark\n3 2\n010\n1 1 0", FMT_PNM,
       {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF}},
      {"plain gray map, maximum 255", "P2 2 1 255 7 200", FMT_PNM, {0x070707, 0xC8C8C8}},
      // Other maxima scale by themselves: 302 of 1000 is 77, 100 of 200 is 128 (rounded up from 127.5).
      {"plain gray map, maximum 1000", "P2 2 1 1000 302 1000", FMT_PNM, {0x4D4D4D, 0xFFFFFF}},
      {"binary gray map, maximum 200", "P5 2 1 200\n\x64\xC8", FMT_PNM, {0x808080, 0xFFFFFF}},
      {"binary pixel map, remark before the maximum", "P6 1 1 # remark\n255\n\x01\x02\x03", FMT_PNM, {0x010203}},
      {"raster 24-bit in red, green, blue order", RasterHeader(2, 1, 24, 6, 3, 0, 0) + "\x10\x20\x30\x40\x50\x60",
       FMT_RAS, {0x102030, 0x405060}},
      {"raster 32-bit, standard (pad, blue, green, red)", RasterHeader(2, 1, 32, 8, 1, 0, 0) + pixels32, FMT_RAS,
       {0x302010, 0xC0B0A0}},
      {"raster 32-bit, red first", RasterHeader(2, 1, 32, 8, 3, 0, 0) + pixels32, FMT_RAS, {0x102030, 0xA0B0C0}},
      // Runs: 0x80 n v is n + 1 values v; 0x80 0 is 0x80 itself. Rows of 3 bytes padded to 4.
      {"raster run-length encoded gray", RasterHeader(3, 2, 8, 0, 2, 0, 0) + std::string("\x80\x02\x11\x00\x80\x00\x22\x33\x00", 9),
       FMT_RAS, {0x111111, 0x111111, 0x111111, 0x808080, 0x222222, 0x333333}},
  };
  for (const HandCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, c.bytes, c.id)) << image.LastError();
    EXPECT_EQ(image_test::TopDownColours(image), c.colours);
  }
}

// --- Encoding for netpbm --------------------------------------------------------------------------

TEST(PnmEncode, NetpbmSeesThePicture) {
  if (!HasTool("rasttopnm") || !HasTool("pnmtopnm")) GTEST_SKIP() << "netpbm missing";
  TempDir dir;
  struct EncodeCase {
    const char* name;
    std::uint32_t bpp;
    bool grayRamp;
    const char* kind;  // what netpbm reads: "P5" or "P6"
  };
  const EncodeCase cases[] = {
      {"RGB", 24, false, "P6"},
      {"gray ramp", 8, true, "P5"},
      {"colour palette", 8, false, "P6"},
      {"4-bit colour palette", 4, false, "P6"},
      {"black and white", 1, false, "P5"},
  };
  for (const std::uint32_t id : {FMT_PNM, FMT_RAS}) {
    for (const EncodeCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (id == FMT_PNM ? " PNM" : " raster"));
      PxImage image;
      image_test::MakePattern(image, 29, 11, c.bpp);
      if (c.grayRamp) image.SetGrayPalette();
      if (c.bpp == 1) {
        image.SetPaletteEntry(0, 0, 0, 0, 0);
        image.SetPaletteEntry(1, 255, 255, 255, 0);
      }
      PxImage before(image, true, false, false);
      bool ok = false;
      const std::string bytes = EncodeBytes(image, id, &ok);
      ASSERT_TRUE(ok) << image.LastError();
      EXPECT_TRUE(image_test::SamePixels(before, image));
      WriteUnixFile(dir.unixFile("t.bin"), bytes);
      const std::string convert = id == FMT_PNM ? "pnmtopnm " : "rasttopnm ";
      const std::string netpbm = ToolOutput(convert + Shell(dir.unixFile("t.bin")) + " 2>/dev/null");
      EXPECT_EQ(netpbm.substr(0, 2), c.kind);
      EXPECT_EQ(LargestDifference(ImageArgb(image), NetpbmArgb(ParseNetpbm(netpbm))), 0);
      PxImage again;
      ASSERT_TRUE(DecodeBytes(again, bytes, id)) << again.LastError();
      EXPECT_EQ(LargestDifference(ImageArgb(image), ImageArgb(again)), 0);
    }
  }
}

// --- Bad input ------------------------------------------------------------------------------------

TEST(PnmDecode, BadInputFailsCleanly) {
  const std::string ppm = MakeNetpbm(4, 3, 3, 255, PatternSamples(4, 3));
  const std::string raster = RasterHeader(4, 2, 8, 8, 1, 0, 0) + std::string(8, '\x40');
  struct BadCase {
    const char* name;
    std::string bytes;
  };
  const BadCase cases[] = {
      {"P7", "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nTUPLTYPE GRAYSCALE\nENDHDR\n\x01"},
      {"magic only", "P6"},
      {"no height", "P5 3\n"},
      {"width 0", "P5 0 2 255\n"},
      {"maximum 0", "P5 1 1 0\n\x00"},
      {"maximum above 65535", "P5 1 1 65536\n\x00\x00"},
      {"width past 32 bits", "P5 99999999999 1 255\n\x00"},
      {"huge size, little data", "P6 60000 60000 255\n" + std::string(100, 'x')},
      {"no blank after the maximum", "P5 2 1 255x\x01\x02"},
      {"binary data cut", ppm.substr(0, ppm.size() - 1)},
      {"sample above the maximum", "P5 2 1 100\n\x10\xF0"},
      {"plain sample above the maximum", "P2 2 1 100 5 101"},
      {"plain data cut", "P3 2 1 255 1 2 3 4 5"},
      {"plain bitmap with a 2", "P1 2 1 0 2"},
      {"raster header cut", raster.substr(0, 20)},
      {"raster data cut", raster.substr(0, raster.size() - 1)},
      {"raster depth 16", RasterHeader(4, 2, 16, 16, 1, 0, 0) + std::string(16, '\0')},
      {"raster depth 0", RasterHeader(4, 2, 0, 0, 1, 0, 0)},
      {"raster width 0", RasterHeader(0, 2, 8, 0, 1, 0, 0)},
      {"raster type 4", RasterHeader(4, 2, 8, 8, 4, 0, 0) + std::string(8, '\0')},
      {"raster raw colour map", RasterHeader(4, 2, 8, 8, 1, 2, 3) + std::string(11, '\0')},
      {"raster map not of whole colours", RasterHeader(4, 2, 8, 8, 1, 1, 4) + std::string(12, '\0')},
      {"raster map cut", RasterHeader(4, 2, 8, 8, 1, 1, 768) + std::string(100, '\0')},
      {"raster run cut", RasterHeader(4, 2, 8, 0, 2, 0, 0) + "\x80\x03"},
      {"raster runs too short", RasterHeader(4, 2, 8, 0, 2, 0, 0) + "\x80\x02\x11"},
      {"raster huge size", RasterHeader(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, 2, 0, 0) + "\x80\xFF\x00"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::uint32_t id : {FMT_PNM, FMT_RAS}) {
      PxImage image;
      image_test::MakePattern(image, 3, 3, 8);
      PxImage before(image, true, false, false);
      EXPECT_FALSE(DecodeBytes(image, c.bytes, id));
      EXPECT_STREQ(image.LastError(), "error: cannot load image data");
      EXPECT_TRUE(image_test::SamePixels(before, image));
    }
  }
}

TEST(PnmDecode, DamagedFilesNeverCrash) {
  PxImage colour;
  image_test::MakePattern(colour, 21, 9, 24);
  PxImage bilevel;
  image_test::MakePattern(bilevel, 21, 9, 1);
  const std::string files[] = {
      EncodeBytes(colour, FMT_PNM),
      EncodeBytes(colour, FMT_RAS),
      "P1 5 3 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1",
      "P3 2 2 255 1 2 3 4 5 6 7 8 9 10 11 12",
      RasterHeader(5, 3, 1, 0, 2, 1, 6) + "\x00\xFF\x10\xEF\x20\xDF" + "\x80\x04\xAA\x80\x00",
  };
  for (const std::string& file : files) {
    ASSERT_FALSE(file.empty());
    codec_test::DecodeCutAndDamaged(file, FMT_PNM, FMT_RAS, {8, 4242, 300, 2});
  }
}

}  // namespace
