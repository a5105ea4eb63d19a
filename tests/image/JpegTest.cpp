// The JPEG codec against independent tools: files made by netpbm's pnmtojpeg and ImageMagick decode
// to the pixels jpegtopnm and ImageMagick see; files Tavrel writes decode in those tools to the
// picture's colours. Then resolution, scaling, the header-only request, palette pictures, a
// picture left untouched by its encoder, failed writes, and bad and hostile input.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImageJPG.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

// A netpbm picture (P5 gray or P6 colour, maxval 255): samples top row first.
struct Pnm {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<std::uint8_t> samples;
};

Pnm ParsePnm(const std::string& bytes) {
  Pnm pnm;
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return pnm;
  std::size_t pos = 2;
  int fields[3] = {};
  for (int& field : fields) {
    while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
    while (pos < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[pos]))) field = field * 10 + (bytes[pos++] - '0');
  }
  ++pos;  // the single whitespace after maxval
  pnm.channels = bytes[1] == '5' ? 1 : 3;
  const std::size_t count = static_cast<std::size_t>(fields[0]) * fields[1] * pnm.channels;
  if (fields[2] != 255 || pos + count > bytes.size()) return pnm;
  pnm.width = fields[0];
  pnm.height = fields[1];
  pnm.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                     bytes.begin() + static_cast<std::ptrdiff_t>(pos + count));
  return pnm;
}

std::string MakePnm(int width, int height, int channels, const std::vector<std::uint8_t>& samples) {
  return std::string(channels == 1 ? "P5\n" : "P6\n") + std::to_string(width) + " " + std::to_string(height) +
         "\n255\n" + std::string(samples.begin(), samples.end());
}

// A smooth picture with some texture: red across, green down, blue in a diagonal ripple.
std::vector<std::uint8_t> SourceSamples(int width, int height, int channels) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int r = x * 255 / (width - 1);
      const int g = y * 255 / (height - 1);
      const int b = 128 + static_cast<int>(100 * std::sin((x + y) * 0.15));
      if (channels == 1) samples.push_back(static_cast<std::uint8_t>((r + g + b) / 3));
      else samples.insert(samples.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)});
    }
  }
  return samples;
}

// The decoded picture as samples in the tool's layout: one gray or three colour samples per pixel.
std::vector<std::uint8_t> ImageSamples(const PxImage& image, int channels) {
  std::vector<std::uint8_t> samples;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const RGBQUAD c = image.PixelColor(x, y, false);
      if (channels == 1) samples.push_back(c.rgbRed);
      else samples.insert(samples.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    }
  }
  return samples;
}

struct Difference {
  int largest = 0;
  double mean = 0;
};

Difference Compare(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  Difference d;
  if (a.size() != b.size() || a.empty()) return Difference{256, 256};
  long long total = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const int diff = std::abs(a[i] - b[i]);
    d.largest = std::max(d.largest, diff);
    total += diff;
  }
  d.mean = static_cast<double>(total) / static_cast<double>(a.size());
  return d;
}

// A 24-bit picture encoded by Tavrel at quality 90, for tests that need some valid JPEG bytes.
std::string SmallJpeg(std::uint32_t width = 40, std::uint32_t height = 24, std::uint32_t options = 0) {
  PxImage image;
  image_test::MakePattern(image, width, height, 24);
  image.SetCodecOption(options, FMT_JPG);
  return EncodeBytes(image, FMT_JPG);
}

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int channels;          // of the source picture (1 gray, 3 colour)
  const char* make;      // makes {out} from the netpbm picture {in}
  std::uint16_t bpp;     // of the decoded image
  int tolerance;         // against jpegtopnm, which runs the same library with the same settings
  double meanTolerance;  // against ImageMagick's own decode
};

const ToolFileCase kToolFiles[] = {
    {"baseline 4:2:0", 3, "pnmtojpeg --quality=85 {in} > {out}", 24, 0, 1.0},
    {"4:4:4", 3, "pnmtojpeg --quality=95 --sample=1x1,1x1,1x1 {in} > {out}", 24, 0, 1.0},
    {"progressive", 3, "pnmtojpeg --progressive {in} > {out}", 24, 0, 1.0},
    {"restart intervals", 3, "pnmtojpeg --restart=1 {in} > {out}", 24, 0, 1.0},
    {"gray", 1, "pnmtojpeg {in} > {out}", 8, 0, 1.0},
    {"gray progressive", 1, "pnmtojpeg --progressive {in} > {out}", 8, 0, 1.0},
    {"ImageMagick", 3, "convert {in} -quality 70 {out}", 24, 0, 1.0},
    {"ImageMagick CMYK", 3, "convert {in} -colorspace CMYK {out}", 24, 2, 3.0},
};

TEST(JpegDecode, FilesOfOtherToolsGiveTheirPixels) {
  if (!HasTool("pnmtojpeg") || !HasTool("jpegtopnm") || !HasTool("convert")) GTEST_SKIP() << "netpbm or ImageMagick missing";
  TempDir dir;
  // Odd sizes leave partial blocks at the right and bottom edges.
  constexpr int kWidth = 53;
  constexpr int kHeight = 37;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string in = dir.unixFile(c.channels == 1 ? "in.pgm" : "in.ppm");
    const std::string out = dir.unixFile("out.jpg");
    WriteUnixFile(in, MakePnm(kWidth, kHeight, c.channels, SourceSamples(kWidth, kHeight, c.channels)));
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));

    PxImage image;
    ASSERT_TRUE(image.LoadFile(testing_support::UnixToWindowsPath(out).c_str(), FMT_JPG)) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_JPG);
    ASSERT_EQ(image.Width(), kWidth);
    ASSERT_EQ(image.Height(), kHeight);
    EXPECT_EQ(image.Bpp(), c.bpp);
    if (c.bpp == 8) {
      EXPECT_TRUE(image.IsGrayScale());
    }

    const Pnm reference = ParsePnm(ToolOutput("jpegtopnm " + Shell(out) + " 2>/dev/null"));
    ASSERT_EQ(reference.channels, c.channels);
    const Difference fromNetpbm = Compare(ImageSamples(image, reference.channels), reference.samples);
    EXPECT_LE(fromNetpbm.largest, c.tolerance);

    std::vector<std::uint8_t> magick;
    for (const std::uint32_t rgb : image_test::MagickColours(out)) {
      if (c.channels == 1) magick.push_back(static_cast<std::uint8_t>(rgb));
      else magick.insert(magick.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)});
    }
    EXPECT_LE(Compare(ImageSamples(image, c.channels), magick).mean, c.meanTolerance);
  }
}

TEST(JpegDecode, CmykPixelsFollowTheInvertedInks) {
  // A 2 x 1 Adobe CMYK file by ImageMagick: white and black.
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick missing";
  TempDir dir;
  const std::string in = dir.unixFile("in.ppm");
  const std::string out = dir.unixFile("out.jpg");
  WriteUnixFile(in, MakePnm(2, 1, 3, {255, 255, 255, 0, 0, 0}));
  ASSERT_EQ(RunTool("convert " + Shell(in) + " -colorspace CMYK -quality 100 " + Shell(out)), 0);
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, ReadUnixFile(out), FMT_JPG)) << image.LastError();
  ASSERT_EQ(image.Bpp(), 24);
  const std::vector<std::uint8_t> samples = ImageSamples(image, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_GE(samples[i], 250);
    EXPECT_LE(samples[3 + i], 5);
  }
}

TEST(JpegDecode, HeaderOnlyAndScaledSizes) {
  const std::string jpeg = SmallJpeg(50, 30);
  struct Case {
    std::uint8_t scale;
    std::int32_t width, height;
  };
  // The library scales by 1/2, 1/4 or 1/8, rounding up; other denominators round down to those.
  const Case cases[] = {{0, 50, 30}, {1, 50, 30}, {2, 25, 15}, {3, 25, 15}, {4, 13, 8}, {8, 7, 4}, {200, 7, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.scale));
    PxImage header;
    header.Info().jpegScale = c.scale;
    header.Info().escape = -1;
    ASSERT_TRUE(DecodeBytes(header, jpeg, FMT_JPG)) << header.LastError();
    EXPECT_EQ(header.Width(), c.width);
    EXPECT_EQ(header.Height(), c.height);
    EXPECT_FALSE(header.IsValid());

    PxImage full;
    full.Info().jpegScale = c.scale;
    ASSERT_TRUE(DecodeBytes(full, jpeg, FMT_JPG)) << full.LastError();
    EXPECT_EQ(full.Width(), c.width);
    EXPECT_EQ(full.Height(), c.height);
  }
}

TEST(JpegDecode, EscapeStopsWithoutAMessage) {
  PxImage image;
  std::strcpy(image.Info().lastError, "before");
  image.Info().escape = 1;
  EXPECT_FALSE(DecodeBytes(image, SmallJpeg(), FMT_JPG));
  EXPECT_STREQ(image.LastError(), "before");
  EXPECT_FALSE(image.IsValid());
}

// The JFIF header's unit and densities, patched into a file Tavrel wrote.
TEST(JpegDecode, ResolutionFromTheJfifHeader) {
  std::string jpeg = SmallJpeg();
  ASSERT_EQ(jpeg.substr(6, 5), std::string("JFIF\0", 5));
  struct Case {
    std::uint8_t unit;
    std::uint16_t x, y;
    std::int32_t dpiX, dpiY;
  };
  const Case cases[] = {
      {1, 300, 150, 300, 150},  // dots per inch as they stand
      {2, 38, 118, 97, 300},    // dots per centimetre, rounded
      {1, 0, 72, 96, 72},       // no density: the default
      {0, 1, 1, 96, 96},        // unit 0 gives an aspect ratio, not a resolution
      {0, 3, 2, 96, 96},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.unit) * 100000 + c.x);
    jpeg[13] = static_cast<char>(c.unit);
    jpeg[14] = static_cast<char>(c.x >> 8);
    jpeg[15] = static_cast<char>(c.x);
    jpeg[16] = static_cast<char>(c.y >> 8);
    jpeg[17] = static_cast<char>(c.y);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, jpeg, FMT_JPG)) << image.LastError();
    EXPECT_EQ(image.DpiX(), c.dpiX);
    EXPECT_EQ(image.DpiY(), c.dpiY);
  }
}

// --- Encoding for other tools ----------------------------------------------------------------------

enum class Kind { Rgb, GrayRamp, InvertedGray, Colours, Colours16, BlackWhite };

// The picture of each kind: 16-pixel squares (whole chroma blocks) of one colour or level each.
void MakePicture(PxImage& image, Kind kind, std::uint32_t width, std::uint32_t height) {
  const std::uint32_t bpp = kind == Kind::Rgb ? 24 : kind == Kind::Colours16 ? 4 : kind == Kind::BlackWhite ? 1 : 8;
  ASSERT_TRUE(image.Create(width, height, bpp, 0));
  std::memset(image.RowBits(0), 0, static_cast<std::size_t>(image.RowBytes()) * height);
  for (std::uint32_t i = 0; i < image.NumColors(); ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    switch (kind) {
      case Kind::GrayRamp: image.SetPaletteEntry(v, v, v, v, 0); break;
      case Kind::InvertedGray: image.SetPaletteEntry(v, 255 - v, 255 - v, 255 - v, 0); break;
      case Kind::BlackWhite: image.SetPaletteEntry(v, i ? 255 : 0, i ? 255 : 0, i ? 255 : 0, 0); break;
      default: image.SetPaletteEntry(v, static_cast<std::uint8_t>(i * 53), static_cast<std::uint8_t>(255 - i * 29), static_cast<std::uint8_t>(i * 97), 0);
    }
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t square = (x / 16) * 5 + (y / 16) * 3;
      const auto sx = static_cast<std::int32_t>(x);
      const auto sy = static_cast<std::int32_t>(y);
      if (kind == Kind::Rgb) {
        image.SetPixelColor(sx, sy, MakeColor(static_cast<std::uint8_t>(square * 40), static_cast<std::uint8_t>(255 - square * 23), static_cast<std::uint8_t>(square * 71)));
      } else {
        image.SetPixelIndex(sx, sy, static_cast<std::uint8_t>((square * 37) % image.NumColors()));
      }
    }
  }
}

struct EncodeCase {
  const char* name;
  Kind kind;
  std::uint32_t options;
  int channels;           // of the written file
  const char* interlace;  // ImageMagick's name of the scan layout
};

const EncodeCase kEncodeCases[] = {
    {"24-bit", Kind::Rgb, 0, 3, "None"},
    {"24-bit progressive", Kind::Rgb, PxImageJPG::kOptionProgressive, 3, "JPEG"},
    {"24-bit optimised", Kind::Rgb, PxImageJPG::kOptionOptimize, 3, "None"},
    {"24-bit as gray", Kind::Rgb, PxImageJPG::kOptionGrayOutput, 1, "None"},
    {"gray ramp", Kind::GrayRamp, 0, 1, "None"},
    {"inverted gray palette", Kind::InvertedGray, 0, 1, "None"},
    {"8-bit colours", Kind::Colours, 0, 3, "None"},
    {"4-bit colours", Kind::Colours16, 0, 3, "None"},
    {"1-bit black and white", Kind::BlackWhite, 0, 1, "None"},
};

TEST(JpegEncode, ToolsSeeThePictureAndItIsNotChanged) {
  if (!HasTool("jpegtopnm") || !HasTool("identify")) GTEST_SKIP() << "netpbm or ImageMagick missing";
  TempDir dir;
  for (const EncodeCase& c : kEncodeCases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    MakePicture(image, c.kind, 64, 48);
    image.SetCodecOption(c.options, FMT_JPG);
    const std::string before(reinterpret_cast<const char*>(image.RowBits(0)) - image.PaletteSize(),
                             image.PaletteSize() + static_cast<std::size_t>(image.RowBytes()) * image.Height());

    bool ok = false;
    const std::string jpeg = EncodeBytes(image, FMT_JPG, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.RowBits(0)) - image.PaletteSize(), before.size()), before)
        << "the encoder changed the caller's picture";

    const std::string file = dir.unixFile("out.jpg");
    WriteUnixFile(file, jpeg);
    EXPECT_EQ(ToolOutput("identify -format '%w %h %[interlace]' " + Shell(file)), std::string("64 48 ") + c.interlace);
    const Pnm decoded = ParsePnm(ToolOutput("jpegtopnm " + Shell(file) + " 2>/dev/null"));
    ASSERT_EQ(decoded.channels, c.channels);
    std::vector<std::uint8_t> expected = ImageSamples(image, 3);
    if (c.channels == 1) {
      std::vector<std::uint8_t> gray;
      for (std::size_t i = 0; i < expected.size(); i += 3) gray.push_back(GrayLevel(expected[i + 2], expected[i + 1], expected[i]));
      expected = gray;
    }
    // Colour bleeds a pixel or two across the squares' edges (chroma is upsampled smoothly); inside
    // them the colour is the picture's.
    EXPECT_LE(Compare(decoded.samples, expected).mean, 6.0);
    std::vector<std::uint8_t> insideDecoded;
    std::vector<std::uint8_t> insideExpected;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        if (x % 16 < 4 || x % 16 > 11 || y % 16 < 4 || y % 16 > 11) continue;
        for (int ch = 0; ch < c.channels; ++ch) {
          const std::size_t i = (static_cast<std::size_t>(y) * 64 + x) * c.channels + ch;
          insideDecoded.push_back(decoded.samples[i]);
          insideExpected.push_back(expected[i]);
        }
      }
    }
    EXPECT_LE(Compare(insideDecoded, insideExpected).largest, 8);
  }
}

TEST(JpegEncode, WritesTheResolutionInTheJfifHeader) {
  PxImage image;
  MakePicture(image, Kind::Rgb, 16, 16);
  image.SetDpiX(300);
  image.SetDpiY(72);
  const std::string jpeg = EncodeBytes(image, FMT_JPG);
  ASSERT_GE(jpeg.size(), 18u);
  EXPECT_EQ(jpeg.substr(0, 11), std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\0", 11));
  EXPECT_EQ(jpeg.substr(13, 5), std::string("\x01\x01\x2C\x00\x48", 5));
}

TEST(JpegEncode, QualitySetsTheSize) {
  PxImage image;
  image_test::MakePattern(image, 64, 64, 24);
  image.Info().jpegQuality = 20;
  const std::size_t lowQuality = EncodeBytes(image, FMT_JPG).size();
  image.Info().jpegQuality = 98;
  const std::size_t highQuality = EncodeBytes(image, FMT_JPG).size();
  EXPECT_GT(lowQuality, 0u);
  EXPECT_GT(highQuality, lowQuality * 2);
}

TEST(JpegEncode, AFullDiskFailsWithAMessage) {
  PxImage image;
  image_test::MakePattern(image, 640, 480, 24);
  const std::size_t whole = EncodeBytes(image, FMT_JPG).size();
  ASSERT_GT(whole, 64u * 1024);
  // Room for nothing, for part of the first buffer the codec writes, for exactly that buffer, and for
  // all but the tail.
  ExpectFullDisksFail(image, FMT_JPG, {0, 100, 64 * 1024, whole - 1}, "Output file write error --- out of disk space?",
                      whole);
}

// --- Bad and hostile input -------------------------------------------------------------------------

TEST(JpegDecode, BadInputFailsCleanly) {
  const std::string good = SmallJpeg(64, 48);
  std::size_t scan = good.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  std::string zeroWidth = good;
  const std::size_t frame = good.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  zeroWidth[frame + 7] = 0;
  zeroWidth[frame + 8] = 0;
  std::string noComponents = good;
  noComponents[frame + 9] = 0;
  std::string badMarkerLength = good;
  badMarkerLength[frame + 2] = 0;
  badMarkerLength[frame + 3] = 1;

  struct Case {
    const char* name;
    std::string bytes;
    bool decodes;
    const char* message;  // start of lastError after a failure
  };
  const Case cases[] = {
      {"empty", "", false, "Empty input file"},
      {"text", "hello, world", false, "Not a JPEG file: starts with 0x68 0x65"},
      {"start of image only", "\xFF\xD8", false, ""},
      {"cut in the headers", good.substr(0, scan / 2), false, ""},
      {"cut before the scan", good.substr(0, scan), false, ""},
      {"cut in the scan", good.substr(0, scan + (good.size() - scan) / 2), true, nullptr},
      {"no end of image", good.substr(0, good.size() - 2), true, nullptr},
      {"zero width", zeroWidth, false, ""},
      {"no components", noComponents, false, ""},
      {"frame length 1", badMarkerLength, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    std::strcpy(image.Info().lastError, "untouched");
    EXPECT_EQ(DecodeBytes(image, c.bytes, FMT_JPG), c.decodes) << image.LastError();
    if (c.decodes) {
      EXPECT_EQ(image.Width(), 64);
      EXPECT_STREQ(image.LastError(), "untouched");
    } else {
      EXPECT_FALSE(image.IsValid());
      EXPECT_EQ(std::string(image.LastError()).rfind(c.message, 0), 0u) << image.LastError();
      EXPECT_STRNE(image.LastError(), "untouched");
    }
  }
}

TEST(JpegDecode, CorruptedFilesNeverCrash) {
  const std::string good = SmallJpeg(48, 32);
  const std::string progressive = SmallJpeg(48, 32, PxImageJPG::kOptionProgressive);
  std::mt19937 random(20240611);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = round % 2 ? good : progressive;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) {
      // Mostly in the headers, where the lengths and tables are.
      const std::size_t limit = random() % 3 ? std::min<std::size_t>(bytes.size(), 700) : bytes.size();
      bytes[random() % limit] = static_cast<char>(random());
    }
    if (random() % 3 == 0) bytes.resize(random() % bytes.size());
    PxImage image;
    if (!DecodeBytes(image, bytes, FMT_JPG)) {
      EXPECT_STRNE(image.LastError(), "");
    }
  }
}

// A progressive file whose first scan is repeated thousands of times would make the decoder walk its
// coefficients thousands of times; it is refused once it passes any real file's count of scans.
TEST(JpegDecode, EndlessScansAreRefused) {
  const std::string progressive = SmallJpeg(32, 32, PxImageJPG::kOptionProgressive);
  const std::size_t first = progressive.find("\xFF\xDA");
  ASSERT_NE(first, std::string::npos);
  // The scan runs to the next marker that is neither stuffing nor a restart marker.
  std::size_t end = first + 2;
  while (end + 1 < progressive.size()) {
    const auto next = static_cast<std::uint8_t>(progressive[end + 1]);
    if (static_cast<std::uint8_t>(progressive[end]) == 0xFF && next != 0 && (next < 0xD0 || next > 0xD7) && end > first + 2) break;
    ++end;
  }
  const std::string scan = progressive.substr(first, end - first);
  std::string endless = progressive.substr(0, end);
  for (int i = 0; i < 3000; ++i) endless += scan;
  endless += progressive.substr(end);

  PxImage image;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(DecodeBytes(image, endless, FMT_JPG));
  EXPECT_STREQ(image.LastError(), "Too many scans in JPEG file");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

  std::string some = progressive.substr(0, end) + scan + scan + progressive.substr(end);
  EXPECT_TRUE(DecodeBytes(image, some, FMT_JPG)) << image.LastError();
}

TEST(JpegDecode, ProbingFindsJpegAndWrongIdsFallBack) {
  TempDir dir;
  const std::string file = dir.unixFile("picture.bmp");
  WriteUnixFile(file, SmallJpeg());
  PxImage image;
  ASSERT_TRUE(image.LoadFile(testing_support::UnixToWindowsPath(file).c_str(), FMT_BMP)) << image.LastError();
  EXPECT_EQ(image.FormatId(), FMT_JPG);
  EXPECT_EQ(image.Width(), 40);
}

}  // namespace

// A JPEG header can promise gigabytes in a few bytes; every 8 x 8 block takes at least one bit of
// the file, so a file too short for its blocks is refused before anything is allocated.
TEST(JpegDecode, HostileSizesAreRefusedBeforeAllocating) {
  PxImage tiny;
  image_test::MakePattern(tiny, 16, 16, 24);
  const std::string jpeg = EncodeBytes(tiny, FMT_JPG);
  const std::size_t sof = jpeg.find(std::string("\xFF\xC0", 2));
  ASSERT_NE(sof, std::string::npos);
  const auto withSize = [&](std::uint16_t width, std::uint16_t height) {
    std::string bytes = jpeg;
    bytes[sof + 5] = static_cast<char>(height >> 8);
    bytes[sof + 6] = static_cast<char>(height & 0xFF);
    bytes[sof + 7] = static_cast<char>(width >> 8);
    bytes[sof + 8] = static_cast<char>(width & 0xFF);
    return bytes;
  };
  const image_test::HostileFile cases[] = {
      {"30000 x 30000", withSize(30000, 30000), "JPEG file too short for its picture size"},
      {"65500 x 65500", withSize(65500, 65500), "JPEG file too short for its picture size"},
      {"65500 x 400", withSize(65500, 400), "JPEG file too short for its picture size"},
  };
  for (const image_test::HostileFile& c : cases) image_test::CheckHostileFile(c, FMT_JPG);
  // The sizes a file can hold still decode, the missing rows filled in.
  PxImage cut;
  EXPECT_TRUE(DecodeBytes(cut, withSize(64, 64), FMT_JPG)) << cut.LastError();
  EXPECT_EQ(cut.Width(), 64);
}
