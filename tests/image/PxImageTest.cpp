// The image object: block layout, limits, defaults, copies, ghosts and transfers.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <cstring>
#include <memory>

using image_test::MakePattern;
using image_test::SamePixels;

TEST(PxImageObject, NewObjectDefaults) {
  const PxImage image;
  EXPECT_FALSE(image.IsValid());
  EXPECT_EQ(image.JpegQuality(), 90);
  EXPECT_EQ(image.Info().alphaMax, 255);
  EXPECT_EQ(image.TransparentIndex(), -1);
  EXPECT_TRUE(image.Info().enabled);
  EXPECT_EQ(image.DpiX(), 96);
  EXPECT_EQ(image.DpiY(), 96);
  EXPECT_EQ(image.Header().biXPelsPerMeter, 3780);
  EXPECT_EQ(image.Header().biYPelsPerMeter, 3780);
  EXPECT_STREQ(image.LastError(), "");
}

TEST(PxImageObject, CreateLaysOutTheBlock) {
  PxImage image;
  ASSERT_NE(image.Create(3, 2, 1, 0), nullptr);
  EXPECT_EQ(image.RowBytes(), 4u);
  EXPECT_EQ(image.Header().biSizeImage, 8u);
  EXPECT_EQ(image.NumColors(), 2u);
  EXPECT_EQ(image.DibSize(), 56u);
  EXPECT_EQ(PackColor(image.PaletteColor(0)), 0u);
  EXPECT_EQ(PackColor(image.PaletteColor(1)), 0u);
  EXPECT_EQ(image.RowBits(1), image.RowBits(0) + 4);
  EXPECT_EQ(image.RowBits(2), nullptr);
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(image.Palette()) + 8, image.RowBits(0));
}

TEST(PxImageObject, CreateRoundsTheBitDepth) {
  const struct {
    std::uint32_t asked, made, colors;
  } cases[] = {{0, 1, 2}, {1, 1, 2}, {2, 4, 16}, {4, 4, 16}, {5, 8, 256}, {16, 24, 0}, {32, 24, 0}};
  for (const auto& c : cases) {
    PxImage image;
    ASSERT_TRUE(image.Create(5, 3, c.asked, 0)) << c.asked;
    EXPECT_EQ(image.Bpp(), c.made) << c.asked;
    EXPECT_EQ(image.NumColors(), c.colors) << c.asked;
    EXPECT_EQ(image.RowBytes(), ((5 * c.made + 31) / 32) * 4) << c.asked;
  }
}

TEST(PxImageObject, CreateRefusalsLeaveTheImageEmpty) {
  const struct {
    std::uint32_t width, height, bpp;
    const char* error;
  } cases[] = {
      {0, 5, 8, "PxImage::Create : width and height must be greater than zero"},
      {5, 0, 24, "PxImage::Create : width and height must be greater than zero"},
      {100000, 100000, 24, "PXIMAGE_MAX_MEMORY exceeded"},
      {0xFFFFFFFFu, 0xFFFFFFFFu, 32, "PXIMAGE_MAX_MEMORY exceeded"},
      // Within the pixel limit, but beyond what the header's 32-bit size fields can describe.
      {200000, 200000, 1, "PXIMAGE_MAX_MEMORY exceeded"},
      {0x80000000u, 1, 1, "PXIMAGE_MAX_MEMORY exceeded"},
      // Beyond the library's limit of 1 GiB, though far within what the header fields can describe.
      {20000, 20000, 24, "PXIMAGE_MAX_MEMORY exceeded"},
      {32768, 32768, 8, "PXIMAGE_MAX_MEMORY exceeded"},
      // 160 MB of bits, but an alpha channel or selection of 1.6 GB.
      {40000, 40000, 1, "PXIMAGE_MAX_MEMORY exceeded"},
  };
  for (const auto& c : cases) {
    PxImage image;
    ASSERT_TRUE(image.Create(4, 4, 8, 0));
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.Create(c.width, c.height, c.bpp, 0), nullptr) << c.width << "x" << c.height;
    EXPECT_STREQ(image.LastError(), c.error);
    EXPECT_FALSE(image.IsValid());
    EXPECT_FALSE(image.AlphaIsValid());
  }
}

// The limit covers the whole block (header, palette, padded rows) and one byte per pixel.
TEST(PxImageObject, SizeLimitIsOneGibibyte) {
  EXPECT_EQ(PXIMAGE_MAX_MEMORY, 1ull << 30);
  const struct {
    std::uint64_t width, height;
    std::uint32_t bpp;
    bool fits;
  } cases[] = {
      {16000, 16000, 24, true},   {20000, 20000, 24, false},  {32768, 32767, 8, true},
      {32768, 32768, 8, false},   {32768, 32767, 1, true},    {1u << 30, 1, 1, true},
      {(1u << 30) + 1, 1, 1, false}, {1u << 31, 1u << 31, 24, false}, {~0ull, ~0ull, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PxImage::FitsSizeLimit(c.width, c.height, c.bpp), c.fits) << c.width << "x" << c.height << "x" << c.bpp;
  }
}

TEST(PxImageObject, DpiSetters) {
  PxImage image;
  image.SetDpiX(0);
  EXPECT_EQ(image.DpiX(), 96);
  image.SetDpiX(-5);
  EXPECT_EQ(image.DpiX(), 96);
  image.SetDpiX(300);
  EXPECT_EQ(image.DpiX(), 300);
  EXPECT_EQ(image.Header().biXPelsPerMeter, 11811);
  image.SetDpiY(72);
  EXPECT_EQ(image.Header().biYPelsPerMeter, 2835);
}

TEST(PxImageObject, ClearFillsWholeBytesPerDepth) {
  PxImage one;
  ASSERT_TRUE(one.Create(9, 2, 1, 0));
  one.Clear(1);
  for (std::uint32_t i = 0; i < one.Header().biSizeImage; ++i) EXPECT_EQ(one.RowBits(0)[i], 255);
  PxImage four;
  ASSERT_TRUE(four.Create(3, 3, 4, 0));
  four.Clear(3);
  for (std::uint32_t i = 0; i < four.Header().biSizeImage; ++i) EXPECT_EQ(four.RowBits(0)[i], 0x33);
}

TEST(PxImageObject, TransferMovesBuffersSettingsAndMessage) {
  PxImage from;
  MakePattern(from, 7, 5, 8);
  ASSERT_TRUE(from.AlphaCreate());
  from.AlphaSet(2, 3, 17);
  from.SetTransparentIndex(4);
  ASSERT_EQ(from.Create(0, 1, 8, 0), nullptr);  // leaves a message and an empty image
  MakePattern(from, 7, 5, 8);
  ASSERT_TRUE(from.AlphaCreate());
  from.AlphaSet(2, 3, 17);
  PxImage reference;
  MakePattern(reference, 7, 5, 8);

  PxImage target;
  MakePattern(target, 3, 3, 24);
  ASSERT_TRUE(target.Transfer(from));
  EXPECT_TRUE(SamePixels(reference, target));
  EXPECT_EQ(target.AlphaGet(2, 3), 17);
  EXPECT_EQ(target.TransparentIndex(), 4);
  EXPECT_STREQ(target.LastError(), "PxImage::Create : width and height must be greater than zero");
  EXPECT_FALSE(from.IsValid());
  EXPECT_FALSE(from.AlphaIsValid());
  EXPECT_STREQ(from.LastError(), "");
  EXPECT_EQ(from.Width(), 0);
}

TEST(PxImageObject, GhostBorrowsAndFreesNothing) {
  PxImage source;
  MakePattern(source, 6, 4, 24);
  PxImage reference;
  MakePattern(reference, 6, 4, 24);
  {
    auto ghost = std::make_unique<PxImage>();
    ghost->Ghost(&source);
    EXPECT_EQ(ghost->RowBits(0), source.RowBits(0));
    EXPECT_FALSE(ghost->Destroy());
    EXPECT_TRUE(ghost->IsValid());
    std::strcpy(ghost->Info().lastError, "kept");
    EXPECT_EQ(ghost->Create(2, 2, 8, 0), nullptr);
    EXPECT_STREQ(ghost->LastError(), "kept");
    PxImage other;
    MakePattern(other, 2, 2, 8);
    EXPECT_FALSE(ghost->Transfer(other));
    EXPECT_TRUE(other.IsValid());
  }
  EXPECT_TRUE(source.IsValid());
  EXPECT_TRUE(SamePixels(reference, source));
}

TEST(PxImageObject, WorkingCopies) {
  PxImage source;
  MakePattern(source, 9, 4, 4);
  ASSERT_TRUE(source.AlphaCreate());
  source.AlphaSet(1, 1, 9);
  source.Info().jpegQuality = 40;

  const PxImage full(source, true, true, true);
  EXPECT_TRUE(SamePixels(source, full));
  EXPECT_EQ(full.AlphaGet(1, 1), 9);
  EXPECT_EQ(full.JpegQuality(), 40);

  const PxImage paletteOnly(source, false, false, false);
  EXPECT_EQ(paletteOnly.Width(), 9);
  EXPECT_EQ(PackColor(paletteOnly.PaletteColor(5)), PackColor(source.PaletteColor(5)));
  EXPECT_FALSE(paletteOnly.AlphaIsValid());

  // CopyInfo only reaches an image that has no block yet.
  PxImage empty;
  empty.CopyInfo(source);
  EXPECT_EQ(empty.JpegQuality(), 40);
  PxImage valid;
  MakePattern(valid, 2, 2, 8);
  valid.CopyInfo(source);
  EXPECT_EQ(valid.JpegQuality(), 90);
}

TEST(PxImageObject, SettingsAccessors) {
  PxImage image(FMT_PNG);
  EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_PNG));
  EXPECT_TRUE(image.SetCodecOption(7));
  EXPECT_EQ(image.CodecOption(FMT_PNG), 7u);
  EXPECT_EQ(image.CodecOption(), 7u);
  EXPECT_FALSE(image.SetCodecOption(1, 16));
  EXPECT_EQ(image.CodecOption(16), 0u);

  image.SetTransparentColor(RGBQUAD{1, 2, 3, 4});
  EXPECT_EQ(PackColor(image.TransparentColor()), 0x00030201u);
  ASSERT_TRUE(image.Create(2, 2, 8, FMT_PNG));
  image.SetPaletteEntry(5, 10, 20, 30, 0);
  image.SetTransparentIndex(5);
  EXPECT_TRUE(image.IsTransparent());
  EXPECT_EQ(PackColor(image.TransparentColor()), PackColor(MakeColor(10, 20, 30)));
  EXPECT_EQ(image.ColorType(), 1);
  ASSERT_TRUE(image.AlphaCreate());
  EXPECT_EQ(image.ColorType(), 4);
}
