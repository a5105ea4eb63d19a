// The GIF codec against independent tools: files written by ImageMagick, netpbm and giflib's
// gifbuild decode to the pixels ImageMagick sees (interlaced, transparent, animated ones
// included); files Tavrel writes with each of its three coders decode in ImageMagick and giflib
// to the picture; true-colour mosaics of every shape come back whole. Then odd frames, extension
// handling, failed writes, and truncated and corrupt input.
#include "tests/image/CodecTestTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImageGIF.h"

#include <algorithm>
#include <chrono>
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
using image_test::MagickColours;
using image_test::PatternPpm;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

bool HaveTools() { return HasTool("convert") && HasTool("gifbuild") && HasTool("gif2rgb") && HasTool("pamtogif"); }

// Packed 0xRRGGBB colours of raw RGB (or, with 4 channels, RGBA) samples.
std::vector<std::uint32_t> Packed(const std::string& raw, int channels = 3) {
  std::vector<std::uint32_t> colours;
  for (std::size_t i = 0; i + channels <= raw.size(); i += channels) {
    colours.push_back((static_cast<std::uint8_t>(raw[i]) << 16) | (static_cast<std::uint8_t>(raw[i + 1]) << 8) |
                      static_cast<std::uint8_t>(raw[i + 2]));
  }
  return colours;
}

// giflib's view of a single-frame file: 0xRRGGBB, top row first.
std::vector<std::uint32_t> GiflibColours(const std::string& unixPath) {
  return Packed(ToolOutput("gif2rgb -1 " + Shell(unixPath) + " 2>/dev/null"));
}

// The structure of a GIF stream, as its blocks lay it out.
struct GifFrameLayout {
  std::size_t offset = 0;  // of the image descriptor's ","
  int left = 0, top = 0, width = 0, height = 0;
  std::uint8_t flags = 0;
  int minimumCodeSize = 0;
  std::string data;  // the coded bytes of all sub-blocks
  std::size_t largestSubBlock = 0;
  std::string control;  // the 4 bytes of the graphic control extension before it, if any
};

struct GifLayout {
  int width = 0, height = 0;
  std::uint8_t flags = 0;
  std::size_t globalColours = 0;
  std::vector<GifFrameLayout> frames;
  bool terminated = false;
};

int Word(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

GifLayout ParseGif(const std::string& bytes) {
  GifLayout layout;
  if (bytes.size() < 13 || bytes.compare(0, 4, "GIF8") != 0) return layout;
  layout.width = Word(bytes, 6);
  layout.height = Word(bytes, 8);
  layout.flags = static_cast<std::uint8_t>(bytes[10]);
  std::size_t at = 13;
  if (layout.flags & 0x80) {
    layout.globalColours = 2u << (layout.flags & 7);
    at += 3 * layout.globalColours;
  }
  std::string control;
  auto subBlocks = [&](std::string* data, std::size_t* largest) {
    while (at < bytes.size()) {
      const std::size_t length = static_cast<std::uint8_t>(bytes[at++]);
      if (length == 0) return;
      if (data) data->append(bytes, at, length);
      if (largest) *largest = std::max(*largest, length);
      at += length;
    }
  };
  while (at < bytes.size()) {
    const char introducer = bytes[at++];
    if (introducer == ';') {
      layout.terminated = true;
      break;
    }
    if (introducer == '!') {
      const std::uint8_t label = static_cast<std::uint8_t>(bytes[at++]);
      std::string extension;
      subBlocks(&extension, nullptr);
      if (label == 0xF9) control = extension;
      continue;
    }
    if (introducer != ',' || at + 9 > bytes.size()) break;
    GifFrameLayout frame;
    frame.offset = at - 1;
    frame.left = Word(bytes, at);
    frame.top = Word(bytes, at + 2);
    frame.width = Word(bytes, at + 4);
    frame.height = Word(bytes, at + 6);
    frame.flags = static_cast<std::uint8_t>(bytes[at + 8]);
    at += 9;
    if (frame.flags & 0x80) at += 3 * (2u << (frame.flags & 7));
    frame.minimumCodeSize = static_cast<std::uint8_t>(bytes[at++]);
    subBlocks(&frame.data, &frame.largestSubBlock);
    frame.control = control;
    control.clear();
    layout.frames.push_back(frame);
  }
  return layout;
}

// A gifbuild description with a 4-colour global map (red, blue, green, white).
std::string GifbuildScreen(int width, int height) {
  return "screen width " + std::to_string(width) + "\nscreen height " + std::to_string(height) +
         "\nscreen colors 4\nscreen background 0\npixel aspect byte 0\n\nscreen map\n"
         "\trgb 255 000 000 is 0\n\trgb 000 000 255 is 1\n\trgb 000 255 000 is 2\n\trgb 255 255 255 is 3\nend\n\n";
}

std::string GifbuildControl(int disposal, int transparent) {
  return "graphics control\n\tdisposal mode " + std::to_string(disposal) +
         "\n\tuser input flag off\n\tdelay 7\n"
         "\ttransparent index " +
         std::to_string(transparent) + "\nend\n\n";
}

std::string GifbuildImage(int left, int top, const std::vector<std::string>& rows, bool interlaced = false,
                          const std::string& localMap = "") {
  std::string text = "image\nimage left " + std::to_string(left) + "\nimage top " + std::to_string(top) + "\n";
  if (interlaced) text += "image interlaced\n";
  if (!localMap.empty()) text += "image map\n" + localMap + "end\n";
  text += "image bits " + std::to_string(rows[0].size()) + " by " + std::to_string(rows.size()) + "\n";
  for (const std::string& row : rows) text += row + "\n";
  return text + "\n";
}

std::string Gifbuild(const TempDir& dir, const std::string& description) {
  const std::string text = dir.unixFile("build.txt");
  const std::string gif = dir.unixFile("build.gif");
  WriteUnixFile(text, description);
  if (RunTool("gifbuild " + Shell(text) + " > " + Shell(gif) + " 2>/dev/null") != 0) return {};
  return ReadUnixFile(gif);
}

// ImageMagick's composed frames (-coalesce) as RGBA: colour, and whether the pixel is opaque.
struct ComposedFrame {
  std::vector<std::uint32_t> colours;
  std::vector<bool> opaque;
};

ComposedFrame MagickComposedFrame(const std::string& unixPath, int frame, std::size_t pixels) {
  const std::string raw = ToolOutput("convert " + Shell(unixPath) + " -coalesce -depth 8 rgba:- 2>/dev/null");
  ComposedFrame result;
  const std::size_t start = static_cast<std::size_t>(frame) * pixels * 4;
  if (raw.size() < start + pixels * 4) return result;
  const std::string part = raw.substr(start, pixels * 4);
  result.colours = Packed(part, 4);
  for (std::size_t i = 0; i < pixels; ++i) result.opaque.push_back(static_cast<std::uint8_t>(part[4 * i + 3]) == 255);
  return result;
}

// Pixel indices of a palette image, top row first.
std::vector<int> TopDownIndices(const PxImage& image) {
  std::vector<int> indices;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) indices.push_back(image.PixelIndex(x, y));
  }
  return indices;
}

// Decodes frame `frame` with the dispatcher, as the application does.
bool DecodeFrame(PxImage& image, const std::string& bytes, int frame) {
  image.SelectFrame(frame);
  return DecodeBytes(image, bytes, FMT_GIF);
}

// --- Decoding what other tools wrote --------------------------------------------------------------

struct ToolFileCase {
  const char* name;
  int colours;        // of the source picture
  const char* make;   // makes {out} from {in}
  std::uint16_t bpp;  // of the decoded image
};

const ToolFileCase kToolFiles[] = {
    {"ImageMagick 8-bit", 200, "convert {in} {out}", 8},
    {"ImageMagick 4-bit", 16, "convert {in} {out}", 4},
    {"ImageMagick 1-bit", 2, "convert {in} {out}", 1},
    {"ImageMagick interlaced", 200, "convert {in} -interlace GIF {out}", 8},
    {"netpbm 8-bit", 256, "pamtogif {in} > {out}", 8},
    {"netpbm interlaced 4-bit", 11, "pamtogif -interlace {in} > {out}", 4},
    {"netpbm interlaced 1-bit", 2, "pamtogif -interlace {in} > {out}", 1},
};

TEST(GifDecode, FilesOfOtherToolsGiveTheirPixels) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  constexpr int kWidth = 61;
  constexpr int kHeight = 37;
  for (const ToolFileCase& c : kToolFiles) {
    SCOPED_TRACE(c.name);
    const std::string in = dir.unixFile("in.ppm");
    const std::string out = dir.unixFile("out.gif");
    WriteUnixFile(in, PatternPpm(kWidth, kHeight, c.colours));
    ASSERT_TRUE(MakeWithTool(c.make, in, out, dir));

    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, ReadUnixFile(out), FMT_GIF)) << image.LastError();
    EXPECT_EQ(image.FormatId(), FMT_GIF);
    EXPECT_EQ(image.Bpp(), c.bpp);
    EXPECT_EQ(image.Info().frameCount, 1);
    ASSERT_EQ(image.Width(), kWidth);
    ASSERT_EQ(image.Height(), kHeight);
    EXPECT_EQ(TopDownColours(image), MagickColours(out));
  }
}

TEST(GifDecode, InterlacedFramesOfEveryHeightKeepTheirRows) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // 1 and 2 rows leave passes empty; up to 17 rows every pass has a different number of rows.
  for (int height = 1; height <= 17; ++height) {
    SCOPED_TRACE(height);
    const std::string in = dir.unixFile("in.ppm");
    const std::string out = dir.unixFile("out.gif");
    WriteUnixFile(in, PatternPpm(5, height, 100));
    ASSERT_EQ(RunTool("pamtogif -interlace " + Shell(in) + " > " + Shell(out) + " 2>/dev/null"), 0);
    ASSERT_NE(ParseGif(ReadUnixFile(out)).frames.at(0).flags & 0x40, 0);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, ReadUnixFile(out), FMT_GIF)) << image.LastError();
    EXPECT_EQ(TopDownColours(image), MagickColours(out));
  }
}

TEST(GifDecode, TransparentPixelsAreThoseOtherToolsSeeThrough) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  const std::string in = dir.unixFile("in.ppm");
  WriteUnixFile(in, PatternPpm(23, 19, 9));
  // Colour 4 of the pattern: (148, 211, 100).
  const char* makes[] = {"convert {in} -transparent 'rgb(148,211,100)' {out}",
                         "pamtogif -transparent==rgb:94/d3/64 {in} > {out}"};
  for (const char* make : makes) {
    SCOPED_TRACE(make);
    const std::string out = dir.unixFile("out.gif");
    ASSERT_TRUE(MakeWithTool(make, in, out, dir));

    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, ReadUnixFile(out), FMT_GIF)) << image.LastError();
    ASSERT_TRUE(image.IsTransparent());
    const std::string alphaMask = ToolOutput("convert " + Shell(out) + " -alpha extract -depth 8 gray:- 2>/dev/null");
    const std::vector<std::uint32_t> magick = MagickColours(out);
    const std::vector<int> indices = TopDownIndices(image);
    ASSERT_EQ(alphaMask.size(), indices.size());
    ASSERT_EQ(magick.size(), indices.size());
    std::size_t transparent = 0;
    for (std::size_t i = 0; i < indices.size(); ++i) {
      const bool seeThrough = alphaMask[i] == 0;
      EXPECT_EQ(indices[i] == image.TransparentIndex(), seeThrough) << "pixel " << i;
      // ImageMagick writes its own colour into the transparent entry; both readers agree on it.
      if (seeThrough) {
        EXPECT_EQ(PackColor(image.TransparentColor()) & 0xFFFFFF, magick[i]);
      }
      transparent += seeThrough;
    }
    EXPECT_GT(transparent, 10u);
  }
}

TEST(GifDecode, FramesAreComposedAsImageMagickComposesThem) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // Frame 0 fills the screen; frame 1 draws over part of it with transparent pixels (index 2) and is
  // then disposed to the background; frame 2 draws elsewhere; frame 3 is interlaced.
  const std::string description =
      GifbuildScreen(7, 6) + GifbuildControl(1, 2) +
      GifbuildImage(0, 0, {"0011001", "1100110", "0303030", "3030303", "0000111", "1110000"}) + GifbuildControl(2, 2) +
      GifbuildImage(2, 1, {"2132", "1222", "3312"}) + GifbuildControl(1, 2) + GifbuildImage(4, 3, {"332", "213"}) +
      GifbuildControl(1, 2) + GifbuildImage(1, 0, {"31", "13", "22", "30", "03", "11"}, true);
  const std::string bytes = Gifbuild(dir, description);
  ASSERT_FALSE(bytes.empty());
  const std::string file = dir.unixFile("anim.gif");
  WriteUnixFile(file, bytes);

  for (int frame = 0; frame < 4; ++frame) {
    SCOPED_TRACE(frame);
    PxImage image;
    ASSERT_TRUE(DecodeFrame(image, bytes, frame)) << image.LastError();
    EXPECT_EQ(image.Info().frameCount, 4);
    ASSERT_EQ(image.Width(), 7);
    ASSERT_EQ(image.Height(), 6);
    EXPECT_EQ(image.Info().frameDelay, 7u);
    const ComposedFrame magick = MagickComposedFrame(file, frame, 42);
    ASSERT_EQ(magick.colours.size(), 42u);
    const std::vector<std::uint32_t> ours = TopDownColours(image);
    const std::vector<int> indices = TopDownIndices(image);
    for (std::size_t i = 0; i < ours.size(); ++i) {
      if (magick.opaque[i])
        EXPECT_EQ(ours[i], magick.colours[i]) << "pixel " << i;
      else
        EXPECT_EQ(indices[i], image.TransparentIndex()) << "pixel " << i;
    }
  }
}

TEST(GifDecode, LaterFramesTakeTheirOwnColourTableAndDepth) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // Frame 0 has a 2-colour local table; frame 1 none, so the 4-colour global one: it needs the
  // full index range on a canvas that frame 0 made. Frame 2 has its own table again.
  const std::string localMap = "\trgb 010 020 030 is 0\n\trgb 040 050 060 is 1\n";
  const std::string description =
      GifbuildScreen(4, 3) + GifbuildControl(1, -1) + GifbuildImage(0, 0, {"0110", "1001", "0101"}, false, localMap) +
      GifbuildControl(1, -1) + GifbuildImage(0, 0, {"0123", "3210", "2301"}) + GifbuildControl(1, -1) +
      GifbuildImage(0, 0, {"1100", "0011", "1010"}, false, localMap);
  const std::string bytes = Gifbuild(dir, description);
  ASSERT_FALSE(bytes.empty());
  const std::string file = dir.unixFile("anim.gif");
  WriteUnixFile(file, bytes);
  for (int frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(frame);
    PxImage image;
    ASSERT_TRUE(DecodeFrame(image, bytes, frame)) << image.LastError();
    EXPECT_FALSE(image.IsTransparent());
    EXPECT_EQ(TopDownColours(image), MagickComposedFrame(file, frame, 12).colours);
  }
}

// Whether a decoded pixel shows: alpha in a picture composed in true colour, the transparent index
// in one that kept its palette.
bool Shows(const PxImage& image, std::int32_t x, std::int32_t y) {
  if (image.AlphaIsValid()) return image.AlphaGet(x, y) != 0;
  return !image.IsTransparent() || image.PixelIndex(x, y) != image.TransparentIndex();
}

// Each composed frame against ImageMagick's: the colour of every pixel it shows, and which it shows.
void ExpectComposedAsImageMagick(const std::string& bytes, const std::string& unixPath, int frames) {
  for (int frame = 0; frame < frames; ++frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    PxImage image;
    ASSERT_TRUE(DecodeFrame(image, bytes, frame)) << image.LastError();
    const std::size_t pixels = static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height());
    const ComposedFrame magick = MagickComposedFrame(unixPath, frame, pixels);
    ASSERT_EQ(magick.colours.size(), pixels);
    const std::vector<std::uint32_t> ours = TopDownColours(image);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
      const auto x = static_cast<std::int32_t>(i % static_cast<std::size_t>(image.Width()));
      const auto y = image.Height() - 1 - static_cast<std::int32_t>(i / static_cast<std::size_t>(image.Width()));
      const bool shows = Shows(image, x, y);
      wrong += shows != magick.opaque[i] || (shows && ours[i] != magick.colours[i]);
    }
    EXPECT_EQ(wrong, 0u) << "of " << pixels << " pixels";
  }
}

// Frames with colour tables of their own keep their colours on the frames before them: ImageMagick's
// optimised animations (each frame cropped to what changed, with its own table), and frames with
// local tables, transparency and each disposal ("restore to previous" among them).
TEST(GifDecode, FramesWithTheirOwnColourTablesKeepTheirColours) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  const std::string optimised = dir.unixFile("optimised.gif");
  ASSERT_EQ(RunTool("convert -seed 4 -size 40x30 plasma:fractal \\( +clone -fill 'rgb(250,20,30)' -draw 'circle 20,15 "
                    "26,19' \\) \\( +clone -fill 'rgb(20,40,250)' -draw 'rectangle 2,2 12,8' \\) -loop 0 "
                    "-layers OptimizeFrame " + Shell(optimised) + " >/dev/null 2>&1"),
            0);
  const std::string bytes = ReadUnixFile(optimised);
  const GifLayout layout = ParseGif(bytes);
  ASSERT_EQ(layout.frames.size(), 3u);
  ASSERT_NE(layout.frames[1].flags & 0x80, 0) << "frame 1 has no local table";
  ASSERT_LT(layout.frames[1].width, 40) << "frame 1 was not cropped";
  ExpectComposedAsImageMagick(bytes, optimised, 3);

  // Frame 0 takes the global table with index 2 transparent and is restored to the background;
  // frame 1 has a local table and no transparency; frame 2 another local table, index 0
  // transparent, restored to the background before frame 3 (the global table again); frame 4 is
  // restored to what was there before it, so frame 5 draws over frame 3.
  const std::string map1 = "\trgb 200 100 000 is 0\n\trgb 000 100 200 is 1\n\trgb 050 050 050 is 2\n\trgb 250 250 000 is 3\n";
  const std::string map2 = "\trgb 009 009 009 is 0\n\trgb 120 000 120 is 1\n";
  const std::string described = Gifbuild(
      dir, GifbuildScreen(7, 6) + GifbuildControl(2, 2) +
               GifbuildImage(0, 0, {"0012001", "1100110", "0323232", "3230303", "0000111", "1112200"}) +
               GifbuildControl(1, -1) + GifbuildImage(2, 1, {"2130", "1223", "3312"}, false, map1) +
               GifbuildControl(2, 0) + GifbuildImage(3, 2, {"101", "010", "110", "001"}, true, map2) +
               GifbuildControl(1, 1) + GifbuildImage(0, 4, {"3311", "1133"}) + GifbuildControl(3, -1) +
               GifbuildImage(1, 0, {"00000", "33333", "11111"}, false, map1) + GifbuildControl(1, -1) +
               GifbuildImage(4, 3, {"22", "22"}));
  ASSERT_FALSE(described.empty());
  const std::string file = dir.unixFile("described.gif");
  WriteUnixFile(file, described);
  ExpectComposedAsImageMagick(described, file, 6);

  // "Restore to previous" on a canvas that keeps its indices (one table for all frames).
  const std::string indexed = Gifbuild(
      dir, GifbuildScreen(5, 4) + GifbuildControl(1, -1) + GifbuildImage(0, 0, {"01230", "12301", "23012", "30123"}) +
               GifbuildControl(3, 3) + GifbuildImage(1, 1, {"333", "000"}) + GifbuildControl(1, -1) +
               GifbuildImage(2, 2, {"11", "11"}));
  ASSERT_FALSE(indexed.empty());
  WriteUnixFile(file, indexed);
  ExpectComposedAsImageMagick(indexed, file, 3);
}

TEST(GifDecode, FrameChoiceAndCount) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // The middle frame is larger than the screen: it is neither counted nor decoded.
  const std::string bytes =
      Gifbuild(dir, GifbuildScreen(3, 2) + GifbuildImage(0, 0, {"012", "321"}) + GifbuildImage(1, 0, {"33", "33"}) +
                        GifbuildImage(0, 0, {"1111", "1111"}) + GifbuildImage(0, 1, {"000"}));
  ASSERT_FALSE(bytes.empty());

  PxImage image;
  ASSERT_TRUE(DecodeFrame(image, bytes, 2)) << image.LastError();
  EXPECT_EQ(image.Info().frameCount, 3);
  // Frame 0, then frame 1's white square at column 1, then frame 3's red row at the bottom.
  EXPECT_EQ(TopDownColours(image),
            (std::vector<std::uint32_t>{0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFF0000, 0xFF0000, 0xFF0000}));

  for (const int frame : {3, -1, 100}) {
    SCOPED_TRACE(frame);
    PxImage fails;
    fails.SelectFrame(frame);
    EXPECT_FALSE(DecodeBytes(fails, bytes, FMT_GIF));
    EXPECT_FALSE(fails.IsValid());
    EXPECT_EQ(fails.Info().frameCount, 3);
    EXPECT_STRNE(fails.LastError(), "");
  }

  // Only the header is asked for: the logical screen's size, no pixels.
  PxImage header;
  header.Info().escape = -1;
  ASSERT_TRUE(DecodeBytes(header, bytes, FMT_GIF));
  EXPECT_FALSE(header.IsValid());
  EXPECT_EQ(header.Width(), 3);
  EXPECT_EQ(header.Height(), 2);

  // Escape stops the walk and leaves the caller's message alone.
  PxImage escaped;
  escaped.Info().escape = 1;
  std::strcpy(escaped.Info().lastError, "before");
  EXPECT_FALSE(DecodeBytes(escaped, bytes, FMT_GIF));
  EXPECT_STREQ(escaped.LastError(), "before");
}

TEST(GifDecode, FramesWithoutWidthOrHeightAreSkipped) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // A frame with data whose descriptor then loses its width or height; the frame after it is read.
  const std::string original = Gifbuild(dir, GifbuildScreen(4, 3) + GifbuildImage(0, 0, {"3333", "3333", "3333"}) +
                                                 GifbuildImage(0, 0, {"0123", "1230", "2301"}));
  ASSERT_EQ(ParseGif(original).frames.size(), 2u);
  const std::size_t descriptor = ParseGif(original).frames[0].offset;

  struct Case {
    const char* name;
    std::size_t field;  // offset of width (5) or height (7) in the descriptor
    bool interlaced;
  };
  const Case cases[] = {{"no width", 5, false},
                        {"no height", 7, false},
                        {"no width, interlaced", 5, true},
                        {"no height, interlaced", 7, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = original;
    bytes[descriptor + c.field] = 0;
    bytes[descriptor + c.field + 1] = 0;
    if (c.interlaced) bytes[descriptor + 9] = static_cast<char>(bytes[descriptor + 9] | 0x40);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, FMT_GIF)) << image.LastError();
    EXPECT_EQ(image.Info().frameCount, 1);
    EXPECT_EQ(TopDownColours(image),
              (std::vector<std::uint32_t>{0xFF0000, 0x0000FF, 0x00FF00, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFFFFFF,
                                          0xFF0000, 0x00FF00, 0xFFFFFF, 0xFF0000, 0x0000FF}));
  }
}

TEST(GifDecode, ExtensionsBelongToTheirFrame) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  // Frame 0 is opaque; only frame 1 has a transparent index. Frame 0 must not inherit it from the
  // pass that counts the frames, nor frame 2 from frame 1.
  const std::string bytes = Gifbuild(dir, GifbuildScreen(2, 1) + GifbuildControl(0, -1) + GifbuildImage(0, 0, {"01"}) +
                                              GifbuildControl(0, 0) + GifbuildImage(0, 0, {"10"}) +
                                              GifbuildControl(0, -1) + GifbuildImage(1, 0, {"0"}));
  ASSERT_FALSE(bytes.empty());
  PxImage first;
  ASSERT_TRUE(DecodeFrame(first, bytes, 0)) << first.LastError();
  EXPECT_FALSE(first.IsTransparent());
  PxImage last;
  ASSERT_TRUE(DecodeFrame(last, bytes, 2)) << last.LastError();
  // Frame 2 draws its opaque red (index 0) over frame 1's blue.
  EXPECT_EQ(TopDownColours(last), (std::vector<std::uint32_t>{0x0000FF, 0xFF0000}));

  // An empty comment is a complete extension: the frame after it is read.
  const GifLayout layout = ParseGif(bytes);
  std::string commented = bytes.substr(0, layout.frames[0].offset - 8);  // before frame 0's control block
  commented += std::string("\x21\xFE\x00", 3);
  commented += bytes.substr(layout.frames[0].offset - 8);
  PxImage image;
  ASSERT_TRUE(DecodeFrame(image, commented, 0)) << image.LastError();
  EXPECT_EQ(TopDownColours(image), (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
}

// --- Encoding --------------------------------------------------------------------------------------

struct EncodeCase {
  const char* name;
  std::uint32_t width, height, bpp;
  std::uint32_t option;  // FMT_GIF codec option: 0 LZW, 1 one code per pixel, 2 run-length codes
  int pattern;           // 0 patterned, 1 random, 2 long runs, 3 one colour
};

void Paint(PxImage& image, std::uint32_t width, std::uint32_t height, std::uint32_t bpp, int pattern) {
  image_test::MakePattern(image, width, height, bpp);
  std::mt19937 random(7);
  const std::uint32_t colours = image.NumColors();
  for (std::uint32_t y = 0; y < height && pattern != 0; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint32_t index = 0;
      if (pattern == 1) index = random() % colours;
      if (pattern == 2) index = ((y * width + x) / (1 + (y * 37 + x / 13) % 300)) % colours;
      image.SetPixelIndex(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), static_cast<std::uint8_t>(index));
    }
  }
}

const EncodeCase kEncodeCases[] = {
    {"8-bit LZW", 61, 37, 8, 0, 0},
    {"8-bit LZW, table refills", 300, 200, 8, 0, 1},
    {"4-bit LZW", 33, 20, 4, 0, 0},
    {"1-bit LZW", 70, 9, 1, 0, 1},
    {"8-bit uncompressed", 150, 100, 8, 1, 1},
    {"4-bit uncompressed", 31, 7, 4, 1, 0},
    {"1-bit uncompressed", 200, 30, 1, 1, 1},
    {"8-bit run-length, patterned", 61, 37, 8, 2, 0},
    {"8-bit run-length, random", 200, 100, 8, 2, 1},
    {"8-bit run-length, runs", 300, 200, 8, 2, 2},
    {"8-bit run-length, one colour", 500, 400, 8, 2, 3},
    {"4-bit run-length, runs", 300, 100, 4, 2, 2},
    {"4-bit run-length, random", 64, 64, 4, 2, 1},
    {"1-bit run-length, runs", 257, 90, 1, 2, 2},
    {"1-bit run-length, random", 100, 50, 1, 2, 1},
    {"1-bit run-length, one colour", 999, 20, 1, 2, 3},
};

TEST(GifEncode, EveryCoderIsReadByOtherDecoders) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  for (const EncodeCase& c : kEncodeCases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    Paint(image, c.width, c.height, c.bpp, c.pattern);
    image.SetCodecOption(c.option, FMT_GIF);
    const std::vector<std::uint32_t> picture = TopDownColours(image);
    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_GIF, &ok);
    ASSERT_TRUE(ok) << image.LastError();
    EXPECT_EQ(TopDownColours(image), picture);  // the caller's image is untouched

    const GifLayout layout = ParseGif(bytes);
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_TRUE(layout.terminated);
    EXPECT_EQ(layout.frames[0].minimumCodeSize, std::max<int>(static_cast<int>(c.bpp), 2));
    EXPECT_LE(layout.frames[0].largestSubBlock, c.option == 2 ? 255u : 254u);

    const std::string file = dir.unixFile("out.gif");
    WriteUnixFile(file, bytes);
    EXPECT_EQ(MagickColours(file), picture);
    EXPECT_EQ(GiflibColours(file), picture);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, FMT_GIF)) << back.LastError();
    EXPECT_TRUE(image_test::SamePixels(image, back));
  }
}

TEST(GifEncode, HeaderTableAndControlBlock) {
  struct Case {
    std::uint32_t bpp;
    std::uint8_t flags;
    std::size_t colours;
    int transparent;
  };
  const Case cases[] = {{8, 0xF7, 256, -1}, {4, 0xB3, 16, 5}, {1, 0x80, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bpp);
    PxImage image;
    image_test::MakePattern(image, 9, 4, c.bpp);
    image.SetTransparentIndex(c.transparent);
    image.Info().frameDelay = 25;
    const std::string bytes = EncodeBytes(image, FMT_GIF);
    ASSERT_EQ(bytes.compare(0, 6, "GIF89a"), 0);
    const GifLayout layout = ParseGif(bytes);
    EXPECT_EQ(layout.width, 9);
    EXPECT_EQ(layout.height, 4);
    EXPECT_EQ(layout.flags, c.flags);
    EXPECT_EQ(layout.globalColours, c.colours);
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_EQ(layout.frames[0].flags, 0);
    ASSERT_EQ(layout.frames[0].control.size(), 4u);
    EXPECT_EQ(layout.frames[0].control[0], c.transparent >= 0 ? 1 : 0);
    EXPECT_EQ(Word(layout.frames[0].control, 1), 25);
    if (c.transparent >= 0) {
      EXPECT_EQ(layout.frames[0].control[3], c.transparent);
    }
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, FMT_GIF));
    EXPECT_EQ(back.TransparentIndex(), c.transparent);
  }
}

TEST(GifEncode, OnePixelIsClearPixelEnd) {
  PxImage image;
  ASSERT_TRUE(image.Create(1, 1, 1, 0));
  image.SetPixelIndex(0, 0, 1);
  const GifLayout layout = ParseGif(EncodeBytes(image, FMT_GIF));
  ASSERT_EQ(layout.frames.size(), 1u);
  // Codes of 3 bits: clear 4, pixel 1, end 5.
  EXPECT_EQ(layout.frames[0].data, std::string("\x4C\x01", 2));
}

TEST(GifEncode, TrueColourMosaicsComeBackWhole) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick, netpbm or giflib missing";
  TempDir dir;
  struct Size {
    std::uint32_t width, height;
    std::size_t tiles;
  };
  // Small pictures have a first tile as wide or as high as the picture itself.
  const Size sizes[] = {{40, 20, 6}, {17, 40, 3}, {10, 31, 3}, {50, 15, 3}, {35, 4, 3},
                        {18, 16, 4}, {17, 15, 1}, {10, 10, 1}, {1, 1, 1},   {100, 61, 30}};
  for (const Size& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    PxImage image;
    image_test::MakePattern(image, size.width, size.height, 24);
    const std::vector<std::uint32_t> picture = TopDownColours(image);
    bool ok = false;
    const std::string bytes = EncodeBytes(image, FMT_GIF, &ok);
    ASSERT_TRUE(ok) << image.LastError();

    const GifLayout layout = ParseGif(bytes);
    EXPECT_EQ(layout.flags, 0x11);
    EXPECT_EQ(layout.globalColours, 0u);
    ASSERT_EQ(layout.frames.size(), size.tiles);
    for (const GifFrameLayout& tile : layout.frames) {
      EXPECT_EQ(tile.flags, 0x87);
      EXPECT_EQ(tile.left % 17, 0);
      EXPECT_EQ(tile.top % 15, 0);
      EXPECT_EQ(tile.width, std::min<int>(17, static_cast<int>(size.width) - tile.left));
      EXPECT_EQ(tile.height, std::min<int>(15, static_cast<int>(size.height) - tile.top));
    }

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, FMT_GIF)) << back.LastError();
    EXPECT_EQ(back.Bpp(), size.tiles > 1 ? 24 : 8);
    EXPECT_EQ(back.Info().frameCount, static_cast<std::int32_t>(size.tiles));
    EXPECT_EQ(TopDownColours(back), picture);

    // ImageMagick's last composed frame holds every tile.
    const std::string file = dir.unixFile("mosaic.gif");
    WriteUnixFile(file, bytes);
    const std::string frames = ToolOutput("convert " + Shell(file) + " -coalesce -depth 8 rgb:- 2>/dev/null");
    const std::size_t frameBytes = picture.size() * 3;
    ASSERT_GE(frames.size(), frameBytes);
    EXPECT_EQ(Packed(frames.substr(frames.size() - frameBytes)), picture);
  }
}

TEST(GifEncode, TrueColourTransparencyTravelsInEveryTile) {
  PxImage image;
  image_test::MakePattern(image, 30, 20, 24);
  const RGBQUAD key = MakeColor(1, 2, 3);
  for (std::int32_t x = 0; x < 30; ++x) image.SetPixelColor(x, 7, key);
  image.SetTransparentIndex(0);
  image.SetTransparentColor(key);
  const std::string bytes = EncodeBytes(image, FMT_GIF);
  for (const GifFrameLayout& tile : ParseGif(bytes).frames) {
    ASSERT_EQ(tile.control.size(), 4u);
    EXPECT_EQ(tile.control[0], 1);
    EXPECT_EQ(tile.control[3], 0);
  }
  PxImage back;
  ASSERT_TRUE(DecodeBytes(back, bytes, FMT_GIF)) << back.LastError();
  EXPECT_EQ(back.Bpp(), 24);
  EXPECT_EQ(back.TransparentIndex(), 0);
  EXPECT_TRUE(SameRgb(back.TransparentColor(), key));
  EXPECT_EQ(TopDownColours(back), TopDownColours(image));
}

TEST(GifEncode, FailedWritesFailWithAMessage) {
  PxImage palette;
  image_test::MakePattern(palette, 120, 80, 8);
  PxImage trueColour;
  image_test::MakePattern(trueColour, 60, 40, 24);
  for (PxImage* image : {&palette, &trueColour}) {
    const std::size_t full = EncodeBytes(*image, FMT_GIF).size();
    SCOPED_TRACE(std::to_string(image->Bpp()) + " bits");
    ExpectFullDisksFail(*image, FMT_GIF, {0, 6, 13, 800, full - 1}, "Write Error in GIF file", full);
  }
}

// --- Bad input ---------------------------------------------------------------------------------

// Whatever the input, a decode ends quickly with a valid image or with a reason.
::testing::AssertionResult DecodesCleanly(const std::string& bytes) {
  PxImage image;
  const auto start = std::chrono::steady_clock::now();
  const bool ok = DecodeBytes(image, bytes, FMT_GIF);
  const auto took = std::chrono::steady_clock::now() - start;
  if (took > std::chrono::seconds(2)) return ::testing::AssertionFailure() << "took too long";
  if (ok && (!image.IsValid() || image.Width() <= 0 || image.Height() <= 0))
    return ::testing::AssertionFailure() << "success without a picture";
  if (!ok && image.IsValid()) return ::testing::AssertionFailure() << "failure changed the image";
  if (!ok && image.LastError()[0] == '\0') return ::testing::AssertionFailure() << "failure without a reason";
  return ::testing::AssertionSuccess();
}

std::string SampleAnimation() {
  PxImage frame;
  image_test::MakePattern(frame, 23, 17, 8);
  frame.SetTransparentIndex(3);
  std::string bytes = EncodeBytes(frame, FMT_GIF);
  // A second, interlaced frame: the first frame's descriptor and data again, flagged interlaced.
  const GifLayout layout = ParseGif(bytes);
  std::string second = bytes.substr(layout.frames[0].offset, bytes.size() - 1 - layout.frames[0].offset);
  second[9] = static_cast<char>(second[9] | 0x40);
  bytes.insert(bytes.size() - 1, second);
  return bytes;
}

TEST(GifDecode, TruncatedFilesFailOrKeepWhatWasRead) {
  const std::string bytes = SampleAnimation();
  PxImage whole;
  whole.SelectFrame(1);
  ASSERT_TRUE(DecodeBytes(whole, bytes, FMT_GIF)) << whole.LastError();
  ASSERT_EQ(whole.Info().frameCount, 2);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_TRUE(DecodesCleanly(bytes.substr(0, length)));
  }
  // Cut inside the header or its colour table: nothing to show.
  for (const std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{12}, std::size_t{400}}) {
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, bytes.substr(0, length), FMT_GIF));
  }
}

TEST(GifDecode, CorruptFilesNeverCrashOrHang) {
  const std::string bytes = SampleAnimation();
  std::mt19937 random(2024);
  for (int trial = 0; trial < 400; ++trial) {
    std::string corrupt = bytes;
    const int flips = 1 + trial % 8;
    for (int i = 0; i < flips; ++i) {
      // Most flips hit the coded data; some the header, tables and descriptors. The logical
      // screen's size stays: a larger screen is a valid file that merely takes longer.
      std::size_t at = trial % 3 == 0 ? random() % 40 : random() % corrupt.size();
      if (at >= 6 && at < 10) at += 4;
      corrupt[at] = static_cast<char>(random());
    }
    SCOPED_TRACE(trial);
    EXPECT_TRUE(DecodesCleanly(corrupt));
  }
  // Coded data of pure noise, with each minimum code size.
  const GifLayout layout = ParseGif(bytes);
  for (int codeSize = 0; codeSize < 13; ++codeSize) {
    std::string noisy = bytes.substr(0, layout.frames[0].offset + 10);
    noisy += static_cast<char>(codeSize);
    for (int block = 0; block < 40; ++block) {
      noisy += static_cast<char>(255);
      for (int i = 0; i < 255; ++i) noisy += static_cast<char>(random());
    }
    noisy += std::string("\0;", 2);
    SCOPED_TRACE(codeSize);
    EXPECT_TRUE(DecodesCleanly(noisy));
  }
}

// A logical screen larger than the file's data could ever fill (a byte of LZW codes gives at most
// 2731 pixels) is refused before the canvas is made.
TEST(GifDecode, ScreensPromisingMoreThanTheFileHoldsAreRefused) {
  const char* const refused = "GIF: logical screen too large for the file";
  const std::string frame = std::string(",\0\0\0\0\x01\0\x01\0\0", 10) + std::string("\x02\x02\x4C\x01\x00", 5) + ";";
  auto screen = [](int width, int height, bool globalTable) {
    std::string bytes = "GIF89a";
    bytes += static_cast<char>(width & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(height >> 8);
    bytes += std::string(globalTable ? "\x80\0\0" : "\0\0\0", 3);
    if (globalTable) bytes += std::string(6, '\x7F');
    return bytes;
  };
  std::string eightyBytes = screen(65535, 32768, true) + frame;
  eightyBytes.insert(eightyBytes.size() - 1, std::string(80 - eightyBytes.size(), '\0'));
  ASSERT_EQ(eightyBytes.size(), 80u);
  const image_test::HostileFile cases[] = {
      {"80 bytes asking 2 GB", eightyBytes, refused},
      {"mosaic of two tiles", screen(40000, 30000, false) + frame.substr(0, frame.size() - 1) + frame, refused},
      {"wide and low", screen(65535, 100, true) + frame, refused},
  };
  for (const image_test::HostileFile& c : cases) image_test::CheckHostileFile(c, FMT_GIF);

  // A screen somewhat larger than its frames is no fault.
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, screen(1000, 1000, true) + frame, FMT_GIF)) << image.LastError();
  EXPECT_EQ(image.Width(), 1000);
}

TEST(GifDecode, HeadersThatCannotBeShownAreRefused) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::string screen = std::string("GIF89a\x04\x00\x02\x00\x80\x00\x00", 13) + std::string(6, '\x7F');
  const std::string data = std::string("\x02\x02\x4C\x01\x00", 5);
  const Case cases[] = {
      {"empty", ""},
      {"not a GIF", "GIF7 is not the signature of anything"},
      {"no frames", screen + ";"},
      {"frame wider than the screen", screen + std::string(",\0\0\0\0\x05\0\x01\0\0", 10) + data + ";"},
      {"frame below the screen", screen + std::string(",\0\0\x02\0\x01\0\x01\0\0", 10) + data + ";"},
      {"unreadable extension before the frame",
       screen + std::string("!\xF9\x05\0\0\0\0\0\0", 9) + std::string(",\0\0\0\0\x01\0\x01\0\0", 10) + data + ";"},
      {"descriptor cut short", screen + std::string(",\0\0\0", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_GIF));
    EXPECT_FALSE(image.IsValid());
    EXPECT_STRNE(image.LastError(), "");
  }
}

}  // namespace
