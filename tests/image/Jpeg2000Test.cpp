// The JPEG-2000 family codec on JPEG-2000 files, code streams and PGX: files written by OpenJPEG's
// opj_compress decode to the pixels opj_decompress gives; files Tavrel writes decode in
// opj_decompress to the picture. Then components as frames, deep components, the encoder's
// choice of planes (palette pictures included), pictures left untouched, failed writes, and bad
// input.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using codec_test::FullDisk;
using codec_test::ImageArgb;
using codec_test::LargestDifference;
using codec_test::MakeNetpbm;
using codec_test::MakeWithTool;
using codec_test::NetpbmArgb;
using codec_test::ParseNetpbm;
using codec_test::Shell;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

bool HaveTools() { return HasTool("opj_compress") && HasTool("opj_decompress"); }

// Samples of a picture without symmetry, top row first, up to `maximum`.
std::vector<std::uint32_t> PatternSamples(int width, int height, int channels, std::uint32_t maximum) {
  std::vector<std::uint32_t> samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v[3] = {static_cast<std::uint32_t>(x * 255 / (width - 1)), static_cast<std::uint32_t>(y * 255 / (height - 1)),
                                  static_cast<std::uint32_t>(((x / 3 + y / 2) % 4) * 80)};
      for (int c = 0; c < channels; ++c) {
        const std::uint32_t level = channels == 1 ? (v[0] + v[1] + v[2]) / 3 : v[c];
        samples.push_back(level * maximum / 255);
      }
    }
  }
  return samples;
}

// What opj_decompress makes of a file, as a netpbm picture.
codec_test::Netpbm OpenJpegView(const TempDir& dir, const std::string& file, int channels) {
  const std::string out = dir.unixFile(channels == 1 ? "view.pgm" : "view.ppm");
  RunTool("rm -f " + Shell(out) + " && opj_decompress -i " + Shell(file) + " -o " + Shell(out) + " >/dev/null 2>&1");
  return ParseNetpbm(ReadUnixFile(out));
}

// A PGX file: header line, then big-endian samples of one or two bytes.
std::string MakePgx(int width, int height, int precision, bool isSigned, const std::vector<std::int32_t>& samples,
                    bool bigEndian = true) {
  std::string bytes = std::string("PG ") + (bigEndian ? "ML" : "LM") + (isSigned ? " - " : " + ") +
                      std::to_string(precision) + " " + std::to_string(width) + " " + std::to_string(height) + "\n";
  for (const std::int32_t s : samples) {
    const auto v = static_cast<std::uint32_t>(s);
    if (precision > 8 && bigEndian) bytes += static_cast<char>(v >> 8);
    bytes += static_cast<char>(v & 0xFF);
    if (precision > 8 && !bigEndian) bytes += static_cast<char>(v >> 8);
  }
  return bytes;
}

// --- Decoding what OpenJPEG wrote -----------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int channels;
  const char* make;  // makes {out} from the netpbm picture {in}
  const char* file;  // output name; the extension chooses the format
  std::uint16_t bpp;
};

const ToolFileCase kToolFiles[] = {
    {"RGB file, lossless", 3, "opj_compress -i {in} -o {out}", "a.jp2", 24},
    {"RGB code stream, 20:1", 3, "opj_compress -i {in} -o {out} -r 20", "a.j2k", 24},
    {"RGB irreversible, three layers", 3, "opj_compress -i {in} -o {out} -I -r 40,20,10", "a.jp2", 24},
    {"RGB tiles, RPCL order, markers", 3, "opj_compress -i {in} -o {out} -t 32,32 -p RPCL -SOP -EPH -b 16,16", "a.j2k", 24},
    {"RGB precincts, no colour transform", 3, "opj_compress -i {in} -o {out} -c [64,64] -mct 0", "a.jp2", 24},
    {"gray file", 1, "opj_compress -i {in} -o {out}", "g.jp2", 8},
    {"gray code stream, 10:1", 1, "opj_compress -i {in} -o {out} -r 10", "g.j2k", 8},
};

TEST(Jpeg2000Decode, FilesOfOpenJpegGiveItsPixels) {
  if (!HaveTools()) GTEST_SKIP() << "OpenJPEG tools missing";
  TempDir dir;
  constexpr int kWidth = 67;
  constexpr int kHeight = 45;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string in = dir.unixFile(c.channels == 1 ? "in.pgm" : "in.ppm");
    const std::vector<std::uint32_t> samples = PatternSamples(kWidth, kHeight, c.channels, 255);
    WriteUnixFile(in, MakeNetpbm(kWidth, kHeight, c.channels, 255, samples));
    const std::string out = dir.unixFile(c.file);
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));

    PxImage image;
    ASSERT_TRUE(image.LoadFile(dir.windowsFile(c.file).c_str(), FMT_JP2)) << image.LastError();
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.FormatId(), FMT_JP2);
    if (c.bpp == 8) {
      EXPECT_TRUE(image.IsGrayScale());
      EXPECT_EQ(image.Info().frameCount, 1);
    }
    const codec_test::Netpbm view = OpenJpegView(dir, out, c.channels);
    ASSERT_EQ(view.width, kWidth);
    EXPECT_EQ(LargestDifference(ImageArgb(image), NetpbmArgb(view)), 0);
    if (std::string(c.make).find("-r ") == std::string::npos) {
      EXPECT_EQ(LargestDifference(ImageArgb(image), NetpbmArgb({kWidth, kHeight, c.channels, 255, samples})), 0);
    }
  }
}

TEST(Jpeg2000Decode, ComponentsOtherThanThreeAreFrames) {
  if (!HaveTools()) GTEST_SKIP() << "OpenJPEG tools missing";
  TempDir dir;
  // Two planes of 64 x 48, then a plane of 64 x 48 and one of 32 x 24 (subsampled): raw planes
  // one after the other.
  std::string two;
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 64 * 48; ++i) two += static_cast<char>((i % 64) * 3 + (i / 64) + c * 100);
  std::string subsampled(64 * 48, '\x20');
  subsampled += std::string(32 * 24, '\x60') + std::string(32 * 24, '\x90');
  WriteUnixFile(dir.unixFile("two.raw"), two);
  WriteUnixFile(dir.unixFile("sub.raw"), subsampled);
  ASSERT_EQ(RunTool("opj_compress -i " + Shell(dir.unixFile("two.raw")) + " -o " + Shell(dir.unixFile("two.j2k")) +
                    " -F 64,48,2,8,u >/dev/null 2>&1"),
            0);
  ASSERT_EQ(RunTool("opj_compress -i " + Shell(dir.unixFile("sub.raw")) + " -o " + Shell(dir.unixFile("sub.j2k")) +
                    " -F 64,48,3,8,u@1x1:2x2:2x2 -n 4 >/dev/null 2>&1"),
            0);

  for (const std::int32_t frame : {0, 1}) {
    SCOPED_TRACE(frame);
    PxImage image;
    image.SelectFrame(frame);
    ASSERT_TRUE(image.LoadFile(dir.windowsFile("two.j2k").c_str(), FMT_JPC)) << image.LastError();
    EXPECT_EQ(image.Bpp(), 8);
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_EQ(image.Info().frameCount, 2);
    // Top row, pixel 5: (5 * 3 + 0 + frame * 100).
    EXPECT_EQ(image.PixelIndex(5, image.Height() - 1), 15 + frame * 100);
    EXPECT_EQ(image.PixelIndex(0, 0), 47 + frame * 100);
  }
  PxImage past;
  past.SelectFrame(2);
  EXPECT_FALSE(past.LoadFile(dir.windowsFile("two.j2k").c_str(), FMT_JPC));
  EXPECT_STREQ(past.LastError(), "wrong frame!");

  // Three planes of different sizes are no colour picture: each is a frame of its own size.
  PxImage chroma;
  chroma.SelectFrame(2);
  ASSERT_TRUE(chroma.LoadFile(dir.windowsFile("sub.j2k").c_str(), FMT_JPC)) << chroma.LastError();
  EXPECT_EQ(chroma.Width(), 32);
  EXPECT_EQ(chroma.Height(), 24);
  EXPECT_EQ(chroma.PixelIndex(3, 3), 0x90);
  EXPECT_EQ(chroma.Info().frameCount, 3);
}

TEST(Jpeg2000Decode, DeepComponentsBecomeSrgb) {
  if (!HaveTools()) GTEST_SKIP() << "OpenJPEG tools missing";
  TempDir dir;
  // A 12-bit gray PGX made into a code stream by OpenJPEG, and a 16-bit colour picture.
  std::vector<std::int32_t> levels;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 40; ++x) levels.push_back((x * 100 + y * 7) % 4096);
  WriteUnixFile(dir.unixFile("deep.pgx"), MakePgx(40, 32, 12, false, levels));
  ASSERT_EQ(RunTool("opj_compress -i " + Shell(dir.unixFile("deep.pgx")) + " -o " + Shell(dir.unixFile("deep.j2k")) +
                    " >/dev/null 2>&1"),
            0);
  PxImage gray;
  ASSERT_TRUE(gray.LoadFile(dir.windowsFile("deep.j2k").c_str(), FMT_JPC)) << gray.LastError();
  ASSERT_EQ(gray.Bpp(), 24);
  for (const int x : {0, 7, 39}) {
    const auto expected = static_cast<std::uint8_t>((levels[static_cast<std::size_t>(x)] * 255 + 2047) / 4095);
    EXPECT_EQ(PackColor(gray.PixelColor(x, gray.Height() - 1, false)) & 0xFFFFFF, expected * 0x010101u) << x;
  }

  const std::vector<std::uint32_t> wide = PatternSamples(48, 40, 3, 65535);
  WriteUnixFile(dir.unixFile("wide.ppm"), MakeNetpbm(48, 40, 3, 65535, wide));
  ASSERT_EQ(RunTool("opj_compress -i " + Shell(dir.unixFile("wide.ppm")) + " -o " + Shell(dir.unixFile("wide.jp2")) +
                    " >/dev/null 2>&1"),
            0);
  PxImage colour;
  ASSERT_TRUE(colour.LoadFile(dir.windowsFile("wide.jp2").c_str(), FMT_JP2)) << colour.LastError();
  EXPECT_EQ(colour.Bpp(), 24);
  EXPECT_EQ(LargestDifference(ImageArgb(colour), NetpbmArgb({48, 40, 3, 65535, wide})), 0);
}

TEST(Jpeg2000Decode, PgxFiles) {
  // Unsigned 8-bit, big-endian 16-bit, little-endian 12-bit and signed 8-bit planes.
  struct PgxCase {
    const char* name;
    std::string file;
    std::uint16_t bpp;
    std::uint32_t topLeft;  // 0xRRGGBB
  };
  const std::vector<std::int32_t> levels = {0, 100, 200, 255, 7, 9};
  const PgxCase cases[] = {
      {"8-bit", MakePgx(3, 2, 8, false, levels), 8, 0x000000},
      {"16-bit big-endian", MakePgx(3, 2, 16, false, {65535, 0, 0, 0, 0, 0}), 24, 0xFFFFFF},
      {"12-bit little-endian", MakePgx(3, 2, 12, false, {2048, 0, 0, 0, 0, 0}, false), 24, 0x808080},
      // Signed samples keep their low byte: -1 is 255.
      {"signed 8-bit", MakePgx(3, 2, 8, true, {-1, 0, 1, 2, 3, 4}), 8, 0xFFFFFF},
  };
  for (const PgxCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, c.file, FMT_PGX)) << image.LastError();
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.FormatId(), FMT_PGX);
    EXPECT_EQ(PackColor(image.PixelColor(0, 1, false)) & 0xFFFFFF, c.topLeft);
  }
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, cases[0].file, FMT_PGX));
  EXPECT_EQ(image_test::TopDownColours(image),
            (std::vector<std::uint32_t>{0, 100 * 0x010101u, 200 * 0x010101u, 255 * 0x010101u, 7 * 0x010101u, 9 * 0x010101u}));
}

// --- Encoding for OpenJPEG ------------------------------------------------------------------------

TEST(Jpeg2000Encode, OpenJpegSeesThePicture) {
  if (!HaveTools()) GTEST_SKIP() << "OpenJPEG tools missing";
  TempDir dir;
  struct EncodeCase {
    const char* name;
    std::uint32_t bpp;
    bool grayRamp;
    std::uint32_t id;
    int channels;  // planes written
  };
  const EncodeCase cases[] = {
      {"RGB file", 24, false, FMT_JP2, 3},
      {"RGB code stream", 24, false, FMT_JPC, 3},
      {"gray ramp", 8, true, FMT_JP2, 1},
      // Palette pictures are written through their palette: colour ones as RGB, gray ones as gray.
      {"colour palette", 8, false, FMT_JP2, 3},
      {"4-bit colour palette", 4, false, FMT_JPC, 3},
      {"black and white", 1, false, FMT_JPC, 1},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, 41, 37, c.bpp);
    if (c.grayRamp) image.SetGrayPalette();
    if (c.bpp == 1) {
      image.SetPaletteEntry(0, 255, 255, 255, 0);
      image.SetPaletteEntry(1, 0, 0, 0, 0);
    }
    image.Info().jpegQuality = 100;  // lossless
    PxImage before(image, true, false, false);

    bool ok = false;
    const std::string bytes = EncodeBytes(image, c.id, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_TRUE(image_test::SamePixels(before, image));
    const std::string file = dir.unixFile(c.id == FMT_JP2 ? "t.jp2" : "t.j2k");
    WriteUnixFile(file, bytes);
    const std::string dump = ToolOutput("opj_dump -i " + Shell(file) + " 2>/dev/null");
    EXPECT_NE(dump.find("numcomps=" + std::to_string(c.channels)), std::string::npos) << dump;

    const codec_test::Netpbm view = OpenJpegView(dir, file, c.channels);
    EXPECT_EQ(view.width, 41);
    EXPECT_EQ(LargestDifference(ImageArgb(image), NetpbmArgb(view)), 0);
    PxImage again;
    ASSERT_TRUE(DecodeBytes(again, bytes, c.id)) << again.LastError();
    EXPECT_EQ(LargestDifference(ImageArgb(image), ImageArgb(again)), 0);
  }
}

TEST(Jpeg2000Encode, QualitySetsTheRate) {
  PxImage image;
  image_test::MakePattern(image, 120, 90, 24);
  const std::size_t raw = 120u * 90u * 3u;
  for (const std::uint8_t quality : {50, 10}) {
    SCOPED_TRACE(static_cast<int>(quality));
    image.Info().jpegQuality = quality;
    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_JPC, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    // The rate bounds the code stream; its main header comes on top.
    EXPECT_LE(bytes.size(), raw * quality / 100 + 100);
    EXPECT_GT(bytes.size(), raw * quality / 100 / 2);
  }
}

TEST(Jpeg2000Encode, PgxTakesOnlyGrayPictures) {
  if (!HaveTools()) GTEST_SKIP() << "OpenJPEG tools missing";
  TempDir dir;
  PxImage gray;
  image_test::MakePattern(gray, 33, 32, 8);
  gray.SetGrayPalette();
  bool ok = false;
  const std::string bytes = EncodeBytes(gray, FMT_PGX, &ok);
  ASSERT_TRUE(ok) << gray.LastError();
  EXPECT_EQ(bytes.substr(0, 16), "PG ML + 8 33 32\n");
  WriteUnixFile(dir.unixFile("g.pgx"), bytes);
  // OpenJPEG reads the file as it stands.
  ASSERT_EQ(RunTool("opj_compress -i " + Shell(dir.unixFile("g.pgx")) + " -o " + Shell(dir.unixFile("g.j2k")) +
                    " >/dev/null 2>&1"),
            0);
  EXPECT_EQ(LargestDifference(ImageArgb(gray), NetpbmArgb(OpenJpegView(dir, dir.unixFile("g.j2k"), 1))), 0);

  for (const std::uint32_t bpp : {24u, 8u}) {
    SCOPED_TRACE(bpp);
    PxImage colour;
    image_test::MakePattern(colour, 8, 8, bpp);
    EXPECT_FALSE(EncodeBytes(colour, FMT_PGX, &ok).size());
    EXPECT_FALSE(ok);
    EXPECT_STREQ(colour.LastError(), "PGX can save only GrayScale images");
  }
}

TEST(Jpeg2000Encode, AFullDiskFailsWithAMessage) {
  PxImage image;
  image_test::MakePattern(image, 64, 64, 24);
  for (const std::uint32_t id : {FMT_JP2, FMT_JPC, FMT_PGX, FMT_PNM, FMT_RAS}) {
    if (id == FMT_PGX) image.GrayScale();
    for (const std::size_t room : {0u, 10u, 200u}) {
      SCOPED_TRACE(std::to_string(id) + ", room " + std::to_string(room));
      FullDisk disk(room);
      EXPECT_FALSE(image.Encode(&disk, id));
      EXPECT_STREQ(image.LastError(), "error: cannot encode image\n");
    }
  }
}

// --- Probing and bad input ------------------------------------------------------------------------

TEST(Jpeg2000Decode, TheDataDecidesTheFormat) {
  PxImage source;
  image_test::MakePattern(source, 40, 40, 24);
  source.Info().jpegQuality = 100;
  const std::string jp2 = EncodeBytes(source, FMT_JP2);
  ASSERT_FALSE(jp2.empty()) << source.LastError();
  // A JPEG-2000 file asked for as PNM is read all the same, and takes the id it was asked for.
  PxImage asPnm;
  ASSERT_TRUE(DecodeBytes(asPnm, jp2, FMT_PNM)) << asPnm.LastError();
  EXPECT_EQ(asPnm.FormatId(), FMT_PNM);
  EXPECT_TRUE(image_test::SamePixels(source, asPnm));
  // A probe finds it last of all formats.
  PxImage probed;
  ASSERT_TRUE(DecodeBytes(probed, jp2, FMT_UNKNOWN)) << probed.LastError();
  EXPECT_TRUE(image_test::SamePixels(source, probed));
}

TEST(Jpeg2000Decode, BadInputFailsCleanly) {
  PxImage source;
  image_test::MakePattern(source, 40, 40, 24);
  const std::string jp2 = EncodeBytes(source, FMT_JP2);
  const std::string jpc = EncodeBytes(source, FMT_JPC);
  ASSERT_FALSE(jp2.empty());
  ASSERT_FALSE(jpc.empty());
  // The SIZ marker follows SOC: Lsiz, Rsiz, then Xsiz and Ysiz (big-endian) at bytes 8 and 12.
  auto patched = [](std::string bytes, std::size_t at, std::initializer_list<int> values) {
    for (const int v : values) bytes[at++] = static_cast<char>(v);
    return bytes;
  };
  std::string manyComponents;
  if (HaveTools()) {
    TempDir dir;
    WriteUnixFile(dir.unixFile("many.raw"), std::string(64 * 48 * 65, '\x07'));
    RunTool("opj_compress -i " + Shell(dir.unixFile("many.raw")) + " -o " + Shell(dir.unixFile("many.j2k")) +
            " -F 64,48,65,8,u >/dev/null 2>&1");
    manyComponents = ReadUnixFile(dir.unixFile("many.j2k"));
  }

  struct BadCase {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const char* kCannotLoad = "error: cannot load image data";
  std::vector<BadCase> cases = {
      {"empty", "", kCannotLoad},
      {"text", "Just some words.", kCannotLoad},
      {"file signature only", jp2.substr(0, 12), kCannotLoad},
      {"file cut in its header", jp2.substr(0, 60), kCannotLoad},
      {"file cut in its data", jp2.substr(0, jp2.size() / 2), kCannotLoad},
      {"file without its last byte", jp2.substr(0, jp2.size() - 1), kCannotLoad},
      {"stream markers only", jpc.substr(0, 4), kCannotLoad},
      {"stream cut", jpc.substr(0, jpc.size() * 2 / 3), kCannotLoad},
      {"stream of width 0", patched(jpc, 8, {0, 0, 0, 0}), kCannotLoad},
      {"stream of a huge picture", patched(jpc, 8, {0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF}), kCannotLoad},
      {"PGX of precision 0", MakePgx(2, 2, 0, false, {1, 2, 3, 4}), kCannotLoad},
      {"PGX of precision 17", MakePgx(2, 2, 17, false, {1, 2, 3, 4}), kCannotLoad},
      {"PGX of width 0", MakePgx(0, 2, 8, false, {}), kCannotLoad},
      {"PGX of a huge size", "PG ML + 8 2000000000 2000000000\n" + std::string(16, 'x'), kCannotLoad},
      {"PGX cut", MakePgx(3, 3, 16, false, std::vector<std::int32_t>(9, 5)).substr(0, 25), kCannotLoad},
      {"PGX of a bad byte order", "PG XY + 8 2 1\n\x01\x02", kCannotLoad},
      {"PGX without a line end", "PG ML + 8 2 1 \x01\x02", kCannotLoad},
  };
  if (!manyComponents.empty()) cases.push_back({"65 components", manyComponents, "error: too much components"});

  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    image_test::MakePattern(image, 3, 3, 8);
    PxImage before(image, true, false, false);
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_JP2));
    EXPECT_STREQ(image.LastError(), c.message);
    EXPECT_TRUE(image_test::SamePixels(before, image));
  }
}

// Every prefix and a spread of single-bit changes of a few files, under AddressSanitizer in the
// asan build: decoding may fail but must never read or write outside its buffers.
TEST(Jpeg2000Decode, DamagedFilesNeverCrash) {
  PxImage source;
  image_test::MakePattern(source, 48, 40, 24);
  source.Info().jpegQuality = 30;
  PxImage gray;
  image_test::MakePattern(gray, 20, 10, 8);
  gray.SetGrayPalette();
  const std::string files[] = {EncodeBytes(source, FMT_JP2), EncodeBytes(source, FMT_JPC), EncodeBytes(gray, FMT_PGX)};
  for (const std::string& file : files) {
    ASSERT_FALSE(file.empty());
    codec_test::DecodeCutAndDamaged(file, FMT_JP2, FMT_JP2, {8, 777, 200, 2});
  }
}

}  // namespace

// --- Hostile sizes -------------------------------------------------------------------------------

namespace {

void PutBigEndian32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A tiny real code stream or JP2 file of a gray picture whose SIZ marker (and JP2 header box)
// declare `side` x `side` pixels in tiles of `tile` x `tile`.
std::string WithDeclaredSize(std::uint32_t id, std::uint32_t side, std::uint32_t tile) {
  PxImage gray;
  image_test::MakePattern(gray, 16, 16, 8);
  gray.SetGrayPalette();
  std::string bytes = EncodeBytes(gray, id);
  const std::size_t siz = bytes.find(std::string("\xFF\x4F\xFF\x51", 4));
  EXPECT_NE(siz, std::string::npos);
  if (siz == std::string::npos) return bytes;
  PutBigEndian32(bytes, siz + 8, side);    // Xsiz
  PutBigEndian32(bytes, siz + 12, side);   // Ysiz
  PutBigEndian32(bytes, siz + 24, tile);   // XTsiz
  PutBigEndian32(bytes, siz + 28, tile);   // YTsiz
  const std::size_t ihdr = bytes.find("ihdr");
  if (ihdr != std::string::npos && ihdr < siz) {
    PutBigEndian32(bytes, ihdr + 4, side);
    PutBigEndian32(bytes, ihdr + 8, side);
  }
  return bytes;
}

void PutBigEndian16(std::string& bytes, std::uint16_t value) {
  bytes += static_cast<char>(value >> 8);
  bytes += static_cast<char>(value & 0xFF);
}

// A valid code stream of a blank gray picture in 60 bytes: one tile, no wavelet levels, one layer,
// and one empty packet. The decoder still builds and shifts every sample of it.
std::string BlankCodeStream(std::uint32_t width, std::uint32_t height) {
  std::string s("\xFF\x4F\xFF\x51", 4);
  PutBigEndian16(s, 41);  // Lsiz
  PutBigEndian16(s, 0);   // Rsiz
  for (const std::uint32_t v : {width, height, 0u, 0u, width, height, 0u, 0u}) {
    s += std::string(4, '\0');
    PutBigEndian32(s, s.size() - 4, v);
  }
  PutBigEndian16(s, 1);                        // one component
  s += std::string("\x07\x01\x01", 3);        // 8-bit unsigned, not subsampled
  s += std::string("\xFF\x52\x00\x0C\x00\x00\x00\x01\x00\x00\x04\x04\x00\x01", 14);  // COD
  s += std::string("\xFF\x5C\x00\x04\x40\x40", 6);  // QCD: reversible, one band
  s += std::string("\xFF\x90\x00\x0A\x00\x00\x00\x00\x00\x0F\x00\x01", 12);  // SOT, 15 bytes of tile
  s += std::string("\xFF\x93\x00\xFF\xD9", 5);  // SOD, the empty packet, EOC
  return s;
}

}  // namespace

// Streams of a kilobyte that declare pictures of a hundred megapixels or millions of tiles kept the
// decoder busy for seconds and claimed hundreds of megabytes; each is refused before decoding.
TEST(Jpeg2000Decode, HostileSizesAreRefusedBeforeDecoding) {
  const std::string sunHeader = std::string("\x59\xA6\x6A\x95", 4);
  const auto sun = [&](std::uint32_t side, std::uint32_t type) {
    std::string bytes = sunHeader + std::string(28, '\0');
    PutBigEndian32(bytes, 4, side);
    PutBigEndian32(bytes, 8, side);
    PutBigEndian32(bytes, 12, 24);
    PutBigEndian32(bytes, 20, type);
    return bytes + std::string(200, '\x80');
  };
  const struct {
    std::uint32_t id;
    image_test::HostileFile file;
  } cases[] = {
      {FMT_JPC, {"blank stream of 12000 x 8000", BlankCodeStream(12000, 8000), nullptr}},
      {FMT_JPC, {"blank stream of 4000 x 3000", BlankCodeStream(4000, 3000), nullptr}},
      {FMT_JPC, {"code stream of 12000 x 12000 in one tile", WithDeclaredSize(FMT_JPC, 12000, 12000), nullptr}},
      {FMT_JPC, {"code stream of 2.25 million tiles", WithDeclaredSize(FMT_JPC, 12000, 8), nullptr}},
      {FMT_JPC, {"code stream of 65536 x 65536", WithDeclaredSize(FMT_JPC, 65536, 65536), nullptr}},
      // Under OpenJPEG's own limit of 65535 tiles, whose parameters it sets up while reading the header.
      {FMT_JPC, {"code stream of 65025 tiles", WithDeclaredSize(FMT_JPC, 2550, 10), nullptr}},
      {FMT_JP2, {"JP2 file of 65025 tiles", WithDeclaredSize(FMT_JP2, 2550, 10), nullptr}},
      {FMT_JP2, {"JP2 file of 12000 x 12000", WithDeclaredSize(FMT_JP2, 12000, 12000), nullptr}},
      {FMT_PGX, {"PGX of 12000 x 12000", "PG ML + 8 12000 12000\n" + std::string(300, '\x10'), nullptr}},
      {FMT_RAS, {"Sun raster of 20000 x 20000", sun(20000, 1), nullptr}},
      {FMT_RAS, {"run-length Sun raster of 20000 x 20000", sun(20000, 2), nullptr}},
  };
  for (const auto& c : cases) {
    image_test::CheckHostileFile(c.file, c.id);
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, c.file.bytes, c.id));
    EXPECT_STREQ(image.LastError(), "error: cannot load image data") << c.file.what;
  }
  // The streams the sizes were put into are sound: small pictures of the kind decode.
  PxImage tiny;
  EXPECT_TRUE(DecodeBytes(tiny, WithDeclaredSize(FMT_JPC, 16, 16), FMT_JPC)) << tiny.LastError();
  PxImage blank;
  ASSERT_TRUE(DecodeBytes(blank, BlankCodeStream(1000, 700), FMT_JPC)) << blank.LastError();
  EXPECT_EQ(blank.Width(), 1000);
  EXPECT_EQ(blank.PixelIndex(500, 300), 128);
}
