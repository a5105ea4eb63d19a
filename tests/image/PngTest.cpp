// The PNG codec against independent tools: files written by netpbm (pnmtopng, pamtopng) in every
// colour type, depth and interlacing decode to the pictures they were made from; files Tavrel
// writes decode in netpbm to the picture's colours and alpha, with the chunks the picture calls
// for. Hand-built files pin down transparency, resolution and background; failed writes and bad,
// cut and corrupted files fail cleanly.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImagePNG.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using codec_test::ExpectFullDisksFail;
using codec_test::MakeWithTool;
using codec_test::Shell;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

std::string BigEndian(std::uint32_t v, int size) {
  std::string out;
  for (int i = size - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// --- Pictures as samples, top row first ----------------------------------------------------------

// A picture of `channels` samples per pixel (1 gray, 2 gray and alpha, 3 RGB, 4 RGBA) at maxval.
struct Samples {
  int width = 0;
  int height = 0;
  int channels = 0;
  int maxval = 255;
  std::vector<int> values;
  int at(int x, int y, int c) const { return values[(static_cast<std::size_t>(y) * width + x) * channels + c]; }
};

// A pattern of `colours` distinct colours (any number when colours is 0), alpha in steps that
// include fully transparent and fully opaque pixels.
Samples MakeSamples(int width, int height, int channels, int maxval, int colours = 0) {
  Samples s{width, height, channels, maxval, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const long k = static_cast<long>(x) * 37 + y * 101 + x * y * 13;
      for (int c = 0; c < channels; ++c) {
        const bool isAlpha = (channels == 2 && c == 1) || (channels == 4 && c == 3);
        long v = 0;
        if (isAlpha) v = ((x + 2 * y) % 5) * maxval / 4;
        else if (colours) v = ((k % colours) * (53 + 40 * c) + 17 * c) % (maxval + 1);
        else v = (k + c * 59) * (maxval > 255 ? 257 : 1) % (maxval + 1);
        s.values.push_back(static_cast<int>(v));
      }
    }
  }
  return s;
}

// The netpbm file of a picture: PGM or PPM, or PAM when it has alpha.
std::string NetpbmFile(const Samples& s) {
  std::string header;
  if (s.channels == 1 || s.channels == 3) {
    header = std::string(s.channels == 1 ? "P5\n" : "P6\n") + std::to_string(s.width) + " " + std::to_string(s.height) + "\n" +
             std::to_string(s.maxval) + "\n";
  } else {
    header = "P7\nWIDTH " + std::to_string(s.width) + "\nHEIGHT " + std::to_string(s.height) + "\nDEPTH " +
             std::to_string(s.channels) + "\nMAXVAL " + std::to_string(s.maxval) + "\nTUPLTYPE " +
             (s.channels == 2 ? "GRAYSCALE_ALPHA" : "RGB_ALPHA") + "\nENDHDR\n";
  }
  std::string body;
  for (const int v : s.values) body += s.maxval > 255 ? BigEndian(static_cast<std::uint32_t>(v), 2) : std::string(1, static_cast<char>(v));
  return header + body;
}

// A decoded netpbm file (P5 or P6, maxval 255) as samples.
Samples ParseNetpbm(const std::string& bytes) {
  Samples s;
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return s;
  std::size_t pos = 2;
  int fields[3] = {};
  for (int& field : fields) {
    while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
    while (pos < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[pos]))) field = field * 10 + (bytes[pos++] - '0');
  }
  ++pos;
  const int channels = bytes[1] == '5' ? 1 : 3;
  const std::size_t count = static_cast<std::size_t>(fields[0]) * fields[1] * channels;
  if (fields[2] != 255 || pos + count > bytes.size()) return s;
  s = Samples{fields[0], fields[1], channels, 255, {}};
  for (std::size_t i = 0; i < count; ++i) s.values.push_back(static_cast<std::uint8_t>(bytes[pos + i]));
  return s;
}

// The decoded image as RGBA samples (alpha 255 without an alpha channel).
Samples ImageRgba(const PxImage& image) {
  Samples s{image.Width(), image.Height(), 4, 255, {}};
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const RGBQUAD c = image.PixelColor(x, y, false);
      s.values.insert(s.values.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, image.AlphaIsValid() ? image.AlphaGet(x, y) : 255});
    }
  }
  return s;
}

// The largest difference between a decoded image and expected RGBA samples (1000 on a size mismatch).
int LargestDifference(const Samples& actual, const Samples& expected) {
  if (actual.width != expected.width || actual.height != expected.height || actual.values.size() != expected.values.size())
    return 1000;
  int largest = 0;
  for (std::size_t i = 0; i < actual.values.size(); ++i) largest = std::max(largest, std::abs(actual.values[i] - expected.values[i]));
  return largest;
}

int To8(int v, int maxval) { return maxval == 65535 ? v >> 8 : v * 255 / maxval; }

// What the decoder should give for a source picture: samples at 8 bits, partial transparency
// composited over the background where the picture keeps no alpha.
Samples Expected(const Samples& source, bool keepsAlpha, int background = 192) {
  Samples e{source.width, source.height, 4, 255, {}};
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      const bool gray = source.channels <= 2;
      const bool hasAlpha = source.channels == 2 || source.channels == 4;
      int rgb[3];
      for (int c = 0; c < 3; ++c) rgb[c] = To8(source.at(x, y, gray ? 0 : c), source.maxval);
      int alpha = hasAlpha ? To8(source.at(x, y, source.channels - 1), source.maxval) : 255;
      if (hasAlpha && !keepsAlpha) {
        // Composited at the file's precision, then taken to 8 bits.
        const double a = static_cast<double>(source.at(x, y, source.channels - 1)) / source.maxval;
        for (int c = 0; c < 3; ++c) {
          const double fg = static_cast<double>(source.at(x, y, gray ? 0 : c)) / source.maxval;
          rgb[c] = static_cast<int>((fg * a + background / 255.0 * (1 - a)) * 255 + 0.5);
        }
        alpha = 255;
      }
      e.values.insert(e.values.end(), {rgb[0], rgb[1], rgb[2], alpha});
    }
  }
  return e;
}

// --- PNG files by hand and by chunk -----------------------------------------------------------------

std::string Chunk(const std::string& type, const std::string& data) {
  std::string body = type + data;
  const auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
  return BigEndian(static_cast<std::uint32_t>(data.size()), 4) + body + BigEndian(crc, 4);
}

std::string Ihdr(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, int interlace = 0) {
  return BigEndian(width, 4) + BigEndian(height, 4) + std::string{static_cast<char>(bitDepth), static_cast<char>(colorType), 0, 0,
                                                                   static_cast<char>(interlace)};
}

// A non-interlaced PNG: IHDR, the extra chunks, one IDAT of the given packed rows (filter 0 each).
std::string PngFile(const std::string& ihdr, const std::string& extra, const std::vector<std::string>& rows) {
  std::string raw;
  for (const std::string& row : rows) raw += '\0' + row;
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(size);
  return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", ihdr) + extra + Chunk("IDAT", packed) + Chunk("IEND", "");
}

struct ChunkView {
  std::string type;
  std::string data;
};

std::vector<ChunkView> Chunks(const std::string& png) {
  std::vector<ChunkView> chunks;
  for (std::size_t pos = 8; pos + 12 <= png.size();) {
    const std::uint32_t length = (static_cast<std::uint8_t>(png[pos]) << 24) | (static_cast<std::uint8_t>(png[pos + 1]) << 16) |
                                 (static_cast<std::uint8_t>(png[pos + 2]) << 8) | static_cast<std::uint8_t>(png[pos + 3]);
    if (pos + 12 + length > png.size()) break;
    chunks.push_back({png.substr(pos + 4, 4), png.substr(pos + 8, length)});
    pos += 12 + length;
  }
  return chunks;
}

const ChunkView* Find(const std::vector<ChunkView>& chunks, const std::string& type) {
  for (const ChunkView& c : chunks) {
    if (c.type == type) return &c;
  }
  return nullptr;
}

// Gives every chunk a correct CRC again, after its data were changed.
std::string FixCrcs(const std::string& png) {
  std::string fixed = png.substr(0, 8);
  for (const ChunkView& c : Chunks(png)) fixed += Chunk(c.type, c.data);
  return fixed;
}

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int width, height, channels, maxval, colours;
  const char* make;         // makes {out} from the netpbm file {in}
  std::uint16_t bpp;        // of the decoded image
  bool keepsAlpha;          // an alpha channel instead of compositing
  bool interlaced;
};

const ToolFileCase kToolFiles[] = {
    {"gray 1-bit", 23, 9, 1, 1, 0, "pnmtopng {in} > {out}", 1, false, false},
    {"gray 2-bit", 23, 9, 1, 3, 0, "pnmtopng {in} > {out}", 4, false, false},
    {"gray 2-bit interlaced", 23, 9, 1, 3, 0, "pnmtopng -interlace {in} > {out}", 4, false, true},
    {"gray 4-bit", 23, 9, 1, 15, 0, "pnmtopng {in} > {out}", 4, false, false},
    {"gray 8-bit", 23, 9, 1, 255, 0, "pnmtopng {in} > {out}", 8, false, false},
    {"gray 16-bit", 23, 9, 1, 65535, 0, "pnmtopng {in} > {out}", 8, false, false},
    {"palette 2-bit", 30, 17, 3, 255, 3, "pnmtopng {in} > {out}", 4, false, false},
    {"palette 2-bit interlaced", 30, 17, 3, 255, 3, "pnmtopng -interlace {in} > {out}", 4, false, true},
    {"palette 4-bit", 30, 17, 3, 255, 11, "pnmtopng {in} > {out}", 4, false, false},
    {"palette 8-bit", 30, 17, 3, 255, 40, "pnmtopng {in} > {out}", 8, false, false},
    {"palette 8-bit interlaced", 30, 17, 3, 255, 40, "pnmtopng -interlace {in} > {out}", 8, false, true},
    {"RGB 8-bit", 30, 17, 3, 255, 0, "pnmtopng -force {in} > {out}", 24, false, false},
    {"RGB interlaced", 30, 17, 3, 255, 0, "pnmtopng -force -interlace {in} > {out}", 24, false, true},
    {"RGB interlaced 1 x 1", 1, 1, 3, 255, 0, "pnmtopng -force -interlace {in} > {out}", 24, false, true},
    {"RGB interlaced 5 x 2", 5, 2, 3, 255, 0, "pnmtopng -force -interlace {in} > {out}", 24, false, true},
    {"RGB 16-bit", 30, 17, 3, 65535, 0, "pnmtopng {in} > {out}", 24, false, false},
    {"RGBA 8-bit", 30, 17, 4, 255, 0, "pamtopng {in} > {out}", 24, true, false},
    {"RGBA interlaced", 30, 17, 4, 255, 0, "pamtopng -interlace {in} > {out}", 24, true, true},
    {"RGBA 16-bit", 30, 17, 4, 65535, 0, "pamtopng {in} > {out}", 24, false, false},
    {"gray and alpha 8-bit", 30, 17, 2, 255, 0, "pamtopng {in} > {out}", 8, false, false},
    {"gray and alpha 16-bit", 30, 17, 2, 65535, 0, "pamtopng {in} > {out}", 24, true, false},
};

TEST(PngDecode, FilesOfOtherToolsGiveTheirPictures) {
  if (!HasTool("pnmtopng") || !HasTool("pamtopng")) GTEST_SKIP() << "netpbm missing";
  TempDir dir;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const Samples source = MakeSamples(c.width, c.height, c.channels, c.maxval, c.colours);
    const std::string in = dir.unixFile(c.channels == 1 ? "in.pgm" : c.channels == 3 ? "in.ppm" : "in.pam");
    const std::string out = dir.unixFile("out.png");
    WriteUnixFile(in, NetpbmFile(source));
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));

    PxImage image;
    image.SetCodecOption(7, FMT_PNG);
    ASSERT_TRUE(image.LoadFile(testing_support::UnixToWindowsPath(out).c_str(), FMT_PNG)) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_PNG);
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.AlphaIsValid(), c.keepsAlpha || (c.channels == 4 && c.maxval == 65535));
    EXPECT_EQ(image.CodecOption(FMT_PNG), c.interlaced ? 1u : 0u);
    const int largest = LargestDifference(ImageRgba(image), Expected(source, c.keepsAlpha));
    EXPECT_LE(largest, c.channels % 2 == 0 && !c.keepsAlpha ? 1 : 0);
  }
}

TEST(PngDecode, GrayPalettesByDepth) {
  struct Case {
    int bitDepth;
    std::uint16_t bpp;
    std::vector<int> levels;  // the first palette entries
  };
  const Case cases[] = {{1, 1, {0, 255}}, {2, 4, {0, 0x55, 0xAA, 0xFF}}, {4, 4, {0, 17, 34, 51}}, {8, 8, {0, 1, 2, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitDepth);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, PngFile(Ihdr(8, 1, c.bitDepth, 0), "", {std::string(static_cast<std::size_t>(c.bitDepth), '\0')}), FMT_PNG))
        << image.LastError();
    EXPECT_EQ(image.Bpp(), c.bpp);
    for (std::size_t i = 0; i < c.levels.size(); ++i) EXPECT_EQ(image.PaletteColor(static_cast<std::uint8_t>(i)).rgbGreen, c.levels[i]);
  }
}

TEST(PngDecode, PaletteTransparencyAndResolution) {
  const std::string plte = Chunk("PLTE", std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 9));
  const std::string row("\x00\x01\x02", 3);
  struct Case {
    const char* name;
    std::string extra;
    std::int32_t transparentIndex;
    bool alphaPalette;
    std::vector<int> alphas;  // fourth bytes of entries 0..2
    std::int32_t dpiX, dpiY;
  };
  const Case cases[] = {
      {"no tRNS, no pHYs", plte, -1, false, {0, 0, 0}, 96, 96},
      {"tRNS (0)", plte + Chunk("tRNS", std::string("\x00", 1)), 0, false, {0, 0, 0}, 96, 96},
      {"tRNS (0, 128)", plte + Chunk("tRNS", std::string("\x00\x80", 2)), -1, true, {0, 128, 255}, 96, 96},
      {"tRNS (200)", plte + Chunk("tRNS", std::string("\xC8", 1)), -1, true, {200, 255, 255}, 96, 96},
      {"96 dpi", Chunk("pHYs", BigEndian(3780, 4) + BigEndian(3780, 4) + '\x01') + plte, -1, false, {0, 0, 0}, 96, 96},
      {"300 x 150 dpi", Chunk("pHYs", BigEndian(11811, 4) + BigEndian(5906, 4) + '\x01') + plte, -1, false, {0, 0, 0}, 300, 150},
      {"aspect ratio only", Chunk("pHYs", BigEndian(2, 4) + BigEndian(1, 4) + '\x00') + plte, -1, false, {0, 0, 0}, 96, 96},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, PngFile(Ihdr(3, 1, 8, 3), c.extra, {row}), FMT_PNG)) << image.LastError();
    EXPECT_EQ(image.TransparentIndex(), c.transparentIndex);
    EXPECT_EQ(image.Info().alphaPaletteEnabled, c.alphaPalette);
    for (std::uint8_t i = 0; i < 3; ++i) EXPECT_EQ(image.PaletteColor(i).rgbReserved, c.alphas[i]) << static_cast<int>(i);
    EXPECT_EQ(image.PaletteColor(1).rgbGreen, 0xFF);
    EXPECT_EQ(image.PixelIndex(2, 0), 2);
    EXPECT_EQ(image.DpiX(), c.dpiX);
    EXPECT_EQ(image.DpiY(), c.dpiY);
  }
}

TEST(PngDecode, BackgroundOfTheFile) {
  // Half-transparent white and opaque black in gray and alpha: composited over the file's bKGD.
  const std::string row("\xFF\x80\x00\xFF", 4);
  PxImage composited;
  ASSERT_TRUE(DecodeBytes(composited, PngFile(Ihdr(2, 1, 8, 4), Chunk("bKGD", BigEndian(0, 2)), {row}), FMT_PNG))
      << composited.LastError();
  EXPECT_EQ(composited.Bpp(), 8);
  EXPECT_NEAR(composited.PixelColor(0, 0, false).rgbGreen, 128, 1);
  EXPECT_EQ(composited.PixelColor(1, 0, false).rgbGreen, 0);

  // 8-bit RGBA keeps its alpha; its bKGD becomes the transparent colour.
  PxImage kept;
  const std::string rgba("\x10\x20\x30\x40", 4);
  ASSERT_TRUE(DecodeBytes(kept, PngFile(Ihdr(1, 1, 8, 6), Chunk("bKGD", BigEndian(1, 2) + BigEndian(2, 2) + BigEndian(3, 2)), {rgba}), FMT_PNG))
      << kept.LastError();
  EXPECT_EQ(PackColor(kept.PixelColor(0, 0, true)), 0x40102030u);
  EXPECT_EQ(PackColor(kept.Info().transparentColor), 0x010203u);
}

TEST(PngDecode, HeaderOnlyAndEscapeFailWithoutAMessage) {
  const std::string png = PngFile(Ihdr(2, 2, 8, 0), "", {std::string(2, '\0'), std::string(2, '\0')});
  for (const std::int32_t escape : {-1, 1}) {
    PxImage image;
    std::strcpy(image.Info().lastError, "before");
    image.Info().escape = escape;
    EXPECT_FALSE(DecodeBytes(image, png, FMT_PNG));
    EXPECT_STREQ(image.LastError(), "before");
  }
}

// --- Encoding for other tools ----------------------------------------------------------------------

// A copy of the caller-visible state an encoder must leave alone.
std::string Snapshot(const PxImage& image) {
  std::string s(reinterpret_cast<const char*>(image.RowBits(0)) - image.PaletteSize(),
                image.PaletteSize() + static_cast<std::size_t>(image.RowBytes()) * image.Height());
  s += std::to_string(image.TransparentIndex()) + "/" + std::to_string(image.AlphaIsValid());
  return s;
}

// What netpbm decodes of a PNG file, as RGBA samples.
Samples NetpbmRgba(const std::string& file) {
  const Samples rgb = ParseNetpbm(ToolOutput("pngtopnm " + Shell(file) + " 2>/dev/null | ppmtoppm 2>/dev/null"));
  const Samples alpha = ParseNetpbm(ToolOutput("pngtopnm -alpha " + Shell(file) + " 2>/dev/null | pgmtopgm 2>/dev/null"));
  Samples s{rgb.width, rgb.height, 4, 255, {}};
  if (rgb.channels != 3 || alpha.values.size() * 3 != rgb.values.size()) return s;
  for (std::size_t i = 0; i < alpha.values.size(); ++i)
    s.values.insert(s.values.end(), {rgb.values[3 * i], rgb.values[3 * i + 1], rgb.values[3 * i + 2], alpha.values[i]});
  return s;
}

struct EncodeCase {
  const char* name;
  std::uint32_t bpp;
  std::uint32_t width, height;
  void (*prepare)(PxImage&);
  int colorType, bitDepth, interlace;
};

void Plain(PxImage&) {}
void Interlaced(PxImage& image) { image.SetCodecOption(1, FMT_PNG); }
void GrayRamp(PxImage& image) { image.SetGrayPalette(); }
void WithAlpha(PxImage& image) {
  ASSERT_TRUE(image.AlphaCreate());
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) image.AlphaSet(x, y, static_cast<std::uint8_t>(x * 9 + y * 5));
  }
}
void WithAlphaHalved(PxImage& image) {
  WithAlpha(image);
  image.Info().alphaMax = 128;
}

const EncodeCase kEncodeCases[] = {
    {"24-bit", 24, 37, 21, Plain, 2, 8, 0},
    {"24-bit interlaced", 24, 37, 21, Interlaced, 2, 8, 1},
    {"8-bit palette", 8, 37, 21, Plain, 3, 8, 0},
    {"8-bit gray ramp", 8, 37, 21, GrayRamp, 3, 8, 0},
    {"4-bit palette interlaced", 4, 37, 21, Interlaced, 3, 4, 1},
    {"1-bit", 1, 37, 21, Plain, 3, 1, 0},
    {"24-bit with alpha", 24, 37, 21, WithAlpha, 6, 8, 0},
    {"24-bit with alpha at half opacity", 24, 37, 21, WithAlphaHalved, 6, 8, 0},
    {"8-bit palette with alpha", 8, 37, 21, WithAlpha, 6, 8, 0},
};

TEST(PngEncode, ToolsSeeThePictureAndItIsNotChanged) {
  if (!HasTool("pngtopnm")) GTEST_SKIP() << "netpbm missing";
  TempDir dir;
  for (const EncodeCase& c : kEncodeCases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, c.width, c.height, c.bpp);
    c.prepare(image);
    const std::string before = Snapshot(image);
    bool ok = false;
    const std::string png = EncodeBytes(image, FMT_PNG, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_EQ(Snapshot(image), before);

    const std::vector<ChunkView> chunks = Chunks(png);
    ASSERT_FALSE(chunks.empty());
    ASSERT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, Ihdr(c.width, c.height, c.bitDepth, c.colorType, c.interlace));
    EXPECT_EQ(chunks.back().type, "IEND");

    const std::string file = dir.unixFile("out.png");
    WriteUnixFile(file, png);
    Samples expected = ImageRgba(image);
    for (std::size_t i = 3; i < expected.values.size(); i += 4) expected.values[i] = expected.values[i] * image.Info().alphaMax / 255;
    EXPECT_EQ(LargestDifference(NetpbmRgba(file), expected), 0);

    PxImage again;
    ASSERT_TRUE(DecodeBytes(again, png, FMT_PNG)) << again.LastError();
    EXPECT_EQ(LargestDifference(ImageRgba(again), expected), 0);
    EXPECT_EQ(again.CodecOption(FMT_PNG), static_cast<std::uint32_t>(c.interlace));
  }
}

TEST(PngEncode, SmallPicturesWriteOnlyTheColoursTheyUse) {
  PxImage image;
  ASSERT_TRUE(image.Create(100, 100, 8, 0));
  for (std::int32_t y = 0; y < 100; ++y) {
    for (std::int32_t x = 0; x < 100; ++x) image.SetPixelIndex(x, y, static_cast<std::uint8_t>((x + y) % 10));
  }
  const std::vector<ChunkView> chunks = Chunks(EncodeBytes(image, FMT_PNG));
  ASSERT_NE(Find(chunks, "PLTE"), nullptr);
  EXPECT_EQ(Find(chunks, "PLTE")->data.size(), 30u);
  EXPECT_EQ(Find(chunks, "tRNS"), nullptr);
}

TEST(PngEncode, TransparentIndexGoesFirstInTheFileOnly) {
  PxImage image;
  image_test::MakePattern(image, 40, 20, 8);
  image.SetTransparentIndex(7);
  const std::string before = Snapshot(image);
  const std::string png = EncodeBytes(image, FMT_PNG);
  EXPECT_EQ(Snapshot(image), before);
  EXPECT_EQ(image.TransparentIndex(), 7);

  const std::vector<ChunkView> chunks = Chunks(png);
  ASSERT_NE(Find(chunks, "tRNS"), nullptr);
  EXPECT_EQ(Find(chunks, "tRNS")->data, std::string(1, '\0'));
  const std::string& plte = Find(chunks, "PLTE")->data;
  const RGBQUAD seven = image.PaletteColor(7);
  const RGBQUAD zero = image.PaletteColor(0);
  auto rgb = [](RGBQUAD c) { return std::string{static_cast<char>(c.rgbRed), static_cast<char>(c.rgbGreen), static_cast<char>(c.rgbBlue)}; };
  EXPECT_EQ(plte.substr(0, 3), rgb(seven));
  EXPECT_EQ(plte.substr(21, 3), rgb(zero));

  // Read back, the same colours are where they were, and entry 0 is the transparent one.
  PxImage again;
  ASSERT_TRUE(DecodeBytes(again, png, FMT_PNG)) << again.LastError();
  EXPECT_EQ(again.TransparentIndex(), 0);
  for (std::int32_t y = 0; y < 20; ++y) {
    for (std::int32_t x = 0; x < 40; ++x) {
      ASSERT_TRUE(SameRgb(again.PixelColor(x, y, false), image.PixelColor(x, y, false)));
      ASSERT_EQ(again.PixelIndex(x, y) == 0, image.PixelIndex(x, y) == 7);
    }
  }
}

TEST(PngEncode, PaletteAlphaAndTransparentColour) {
  // Per-entry alpha goes to tRNS.
  PxImage palette;
  image_test::MakePattern(palette, 8, 8, 4);
  for (std::uint8_t i = 0; i < 16; ++i) {
    RGBQUAD entry = palette.PaletteColor(i);
    entry.rgbReserved = static_cast<BYTE>(i * 16);
    palette.SetPaletteColor(i, entry);
  }
  palette.Info().alphaPaletteEnabled = true;
  const std::vector<ChunkView> chunks = Chunks(EncodeBytes(palette, FMT_PNG));
  ASSERT_NE(Find(chunks, "tRNS"), nullptr);
  const std::string& trns = Find(chunks, "tRNS")->data;
  ASSERT_EQ(trns.size(), Find(chunks, "PLTE")->data.size() / 3);
  for (std::size_t i = 0; i < trns.size(); ++i) EXPECT_EQ(static_cast<std::uint8_t>(trns[i]), i * 16);

  // A 24-bit picture with a transparent colour: alpha 0 exactly there, the picture left without alpha.
  PxImage rgb;
  image_test::MakePattern(rgb, 30, 10, 24);
  const RGBQUAD key = rgb.PixelColor(3, 4, false);
  rgb.SetTransparentColor(key);
  rgb.SetTransparentIndex(0);
  const std::string before = Snapshot(rgb);
  const std::string png = EncodeBytes(rgb, FMT_PNG);
  EXPECT_EQ(Snapshot(rgb), before);
  EXPECT_FALSE(rgb.AlphaIsValid());
  EXPECT_EQ(static_cast<std::uint8_t>(Chunks(png)[0].data[9]), 6);
  const std::string bkgd = Find(Chunks(png), "bKGD")->data;
  EXPECT_EQ(bkgd, BigEndian(key.rgbRed, 2) + BigEndian(key.rgbGreen, 2) + BigEndian(key.rgbBlue, 2));
  PxImage again;
  ASSERT_TRUE(DecodeBytes(again, png, FMT_PNG)) << again.LastError();
  ASSERT_TRUE(again.AlphaIsValid());
  for (std::int32_t y = 0; y < 10; ++y) {
    for (std::int32_t x = 0; x < 30; ++x) EXPECT_EQ(again.AlphaGet(x, y), SameRgb(rgb.PixelColor(x, y, false), key) ? 0 : 255);
  }
}

TEST(PngEncode, WritesResolutionAndBackground) {
  PxImage image;
  image_test::MakePattern(image, 4, 4, 24);
  image.SetDpiX(300);
  image.SetDpiY(72);
  const std::vector<ChunkView> chunks = Chunks(EncodeBytes(image, FMT_PNG));
  ASSERT_NE(Find(chunks, "pHYs"), nullptr);
  EXPECT_EQ(Find(chunks, "pHYs")->data, BigEndian(11811, 4) + BigEndian(2835, 4) + '\x01');
  EXPECT_EQ(Find(chunks, "bKGD")->data, BigEndian(255, 2) + BigEndian(255, 2) + BigEndian(255, 2));
}

TEST(PngEncode, AFullDiskFailsWithAMessage) {
  PxImage image;
  image_test::MakePattern(image, 90, 70, 24);
  const std::size_t whole = EncodeBytes(image, FMT_PNG).size();
  ExpectFullDisksFail(image, FMT_PNG, {0, 8, 100, whole - 1}, "Error saving PNG file", whole);
}

// --- Bad and hostile input -------------------------------------------------------------------------

TEST(PngDecode, BadInputFailsCleanly) {
  const std::string good = PngFile(Ihdr(16, 8, 8, 2), "", std::vector<std::string>(8, std::string(48, '\x55')));
  const std::size_t idat = good.find("IDAT");
  std::string badCrc = good;
  badCrc[29] ^= 1;  // last byte of IHDR's CRC
  std::string garbageIdat = good;
  for (std::size_t i = idat + 4; i < idat + 20; ++i) garbageIdat[i] = 'z';
  garbageIdat = FixCrcs(garbageIdat);
  const std::vector<std::string> eightRows(8, std::string(48, '\0'));
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"empty", "", "Read Error"},
      {"text", "This is not a picture at all.", "Not a PNG file"},
      {"signature only", good.substr(0, 8), "Read Error"},
      {"cut in IHDR", good.substr(0, 20), "Read Error"},
      {"cut in IDAT", good.substr(0, idat + 10), "Read Error"},
      {"no IEND", good.substr(0, good.size() - 12), "Read Error"},
      {"IHDR CRC", badCrc, "IHDR: CRC error"},
      {"IDAT not zlib", garbageIdat, ""},
      {"width 0", PngFile(Ihdr(0, 8, 8, 2), "", eightRows), ""},
      {"too wide", PngFile(Ihdr(0x7FFFFFFF, 8, 8, 2), "", eightRows), ""},
      {"16-bit palette", PngFile(Ihdr(16, 8, 16, 3), "", eightRows), ""},
      {"rows missing", PngFile(Ihdr(16, 8, 8, 2), "", {std::string(48, '\0')}), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_PNG));
    EXPECT_FALSE(image.IsValid());
    EXPECT_STRNE(image.LastError(), "");
    EXPECT_EQ(std::string(image.LastError()).rfind(c.message, 0), 0u) << image.LastError();
  }
}

TEST(PngDecode, CorruptedFilesNeverCrash) {
  PxImage picture;
  image_test::MakePattern(picture, 40, 30, 24);
  picture.SetCodecOption(1, FMT_PNG);
  const std::string interlaced = EncodeBytes(picture, FMT_PNG);
  PxImage indexed;
  image_test::MakePattern(indexed, 40, 30, 4);
  const std::string palette = EncodeBytes(indexed, FMT_PNG);
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = round % 2 ? interlaced : palette;
    // Changes after the header, with the CRCs made right again, reach the decompressor and filters.
    const int flips = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < flips; ++i) bytes[33 + random() % (bytes.size() - 33)] = static_cast<char>(random());
    bytes = FixCrcs(bytes);
    if (random() % 4 == 0) bytes.resize(random() % bytes.size());
    PxImage image;
    if (!DecodeBytes(image, bytes, FMT_PNG)) {
      EXPECT_STRNE(image.LastError(), "");
    }
  }
}

}  // namespace

// Deflate packs at most 1032 bytes into one: a file too short for the rows its header promises is
// refused before their block is made. Metadata chunks are never claimed whole.
TEST(PngDecode, HostileSizesAreRefusedBeforeAllocating) {
  const std::vector<std::string> rows(2, std::string(90000, '\x7F'));
  const std::string signature("\x89PNG\r\n\x1A\n", 8);
  // A text chunk stating 1.5 GB in a file without pixels.
  const std::string hugeText = signature + Chunk("IHDR", Ihdr(19, 13, 8, 2)) + BigEndian(0x5E000025, 4) + "tEXtdate" +
                               std::string(40, '1');
  const image_test::HostileFile cases[] = {
      {"30000 x 30000 colour", PngFile(Ihdr(30000, 30000, 8, 2), "", rows), "PNG file too short for its picture size"},
      {"1000000 x 1000000 gray", PngFile(Ihdr(1000000, 1000000, 8, 0), "", rows),
       "PNG file too short for its picture size"},
      {"interlaced 20000 x 20000 with alpha", PngFile(Ihdr(20000, 20000, 16, 6, 1), "", rows),
       "PNG file too short for its picture size"},
      {"text chunk of 1.5 GB", hugeText, nullptr},
  };
  for (const image_test::HostileFile& c : cases) image_test::CheckHostileFile(c, FMT_PNG);

  // A blank picture compresses almost as far as deflate goes, and still decodes.
  const std::vector<std::string> blank(3000, std::string(4000 * 3, '\0'));
  PxImage image;
  EXPECT_TRUE(DecodeBytes(image, PngFile(Ihdr(4000, 3000, 8, 2), "", blank), FMT_PNG)) << image.LastError();
}
