// Palette, pixel access, alpha channel and selection.
#include "tests/support/testing.h"

#include "image/PxImage.h"

#include <cstring>

namespace {

std::uint32_t Rgb(RGBQUAD c) { return PackColor(c) & 0xFFFFFF; }

}  // namespace

TEST(PxImagePixels, IndexPackingAtEveryPaletteDepth) {
  for (const std::uint32_t bpp : {1u, 4u, 8u}) {
    PxImage image;
    ASSERT_TRUE(image.Create(11, 3, bpp, 0));
    std::memset(image.RowBits(0), 0, image.Header().biSizeImage);
    const std::uint32_t mask = image.NumColors() - 1;
    for (std::int32_t y = 0; y < 3; ++y)
      for (std::int32_t x = 0; x < 11; ++x) image.SetPixelIndex(x, y, static_cast<std::uint8_t>((x * 5 + y) & mask));
    for (std::int32_t y = 0; y < 3; ++y)
      for (std::int32_t x = 0; x < 11; ++x) EXPECT_EQ(image.PixelIndex(x, y), (x * 5 + y) & mask) << bpp;
    // Writes outside the image are ignored.
    image.SetPixelIndex(11, 0, 1);
    image.SetPixelIndex(-1, 0, 1);
  }
  // Bit order: column 0 in the most significant bit, the even column in the high nibble.
  PxImage one;
  ASSERT_TRUE(one.Create(9, 1, 1, 0));
  std::memset(one.RowBits(0), 0, one.Header().biSizeImage);
  one.SetPixelIndex(0, 0, 1);
  one.SetPixelIndex(8, 0, 3);  // only the low bit counts
  EXPECT_EQ(one.RowBits(0)[0], 0x80);
  EXPECT_EQ(one.RowBits(0)[1], 0x80);
  PxImage four;
  ASSERT_TRUE(four.Create(2, 1, 4, 0));
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x1C);
  EXPECT_EQ(four.RowBits(0)[0], 0xAC);
}

TEST(PxImagePixels, ReadsOutsideTheImage) {
  PxImage eight;
  ASSERT_TRUE(eight.Create(4, 2, 8, 0));
  std::memset(eight.RowBits(0), 0, eight.Header().biSizeImage);
  eight.SetPixelIndex(0, 0, 7);
  EXPECT_EQ(eight.PixelIndex(-1, 0), 7);
  eight.SetTransparentIndex(3);
  EXPECT_EQ(eight.PixelIndex(4, 0), 3);

  PxImage four;
  ASSERT_TRUE(four.Create(4, 2, 4, 0));
  std::memset(four.RowBits(0), 0, four.Header().biSizeImage);
  four.SetPixelIndex(0, 0, 0x2);
  four.SetPixelIndex(1, 0, 0x5);
  EXPECT_EQ(four.PixelIndex(-1, 0), 0x25);  // the whole first byte

  PxImage rgb;
  ASSERT_TRUE(rgb.Create(3, 3, 24, 0));
  std::memset(rgb.RowBits(0), 0, rgb.Header().biSizeImage);
  rgb.SetPixelColor(0, 0, MakeColor(1, 2, 3));
  EXPECT_EQ(Rgb(rgb.PixelColor(-5, 9, true)), 0x010203u);
  rgb.SetTransparentColor(MakeColor(9, 8, 7));
  rgb.SetTransparentIndex(0);
  EXPECT_EQ(Rgb(rgb.PixelColor(3, 0, true)), 0x090807u);

  const PxImage empty;
  EXPECT_EQ(empty.PixelIndex(0, 0), 0);
  EXPECT_EQ(PackColor(empty.PixelColor(0, 0, true)), 0u);
}

TEST(PxImagePixels, TrueColourPixelsAndAlpha) {
  PxImage image;
  ASSERT_TRUE(image.Create(2, 2, 24, 0));
  image.SetPixelColor(1, 1, RGBQUAD{10, 20, 30, 200}, true);  // no alpha channel: the fourth byte is dropped
  EXPECT_EQ(PackColor(image.PixelColor(1, 1, true)), 0x001E140Au);
  ASSERT_TRUE(image.AlphaCreate());
  EXPECT_EQ(image.AlphaGet(0, 0), 255);
  image.SetPixelColor(1, 1, RGBQUAD{10, 20, 30, 200}, true);
  EXPECT_EQ(PackColor(image.PixelColor(1, 1, true)), 0xC81E140Au);
  EXPECT_EQ(PackColor(image.BlindPixelColor(1, 1)), 0xC81E140Au);
  EXPECT_EQ(image.PixelColor(1, 1, false).rgbReserved, 0);
  const std::uint8_t* pixel = image.BlindPixelPointer(1, 1);
  EXPECT_EQ(pixel[0], 10);
  EXPECT_EQ(pixel[2], 30);
  image.SetPixelColorRef(0, 0, RGB(1, 2, 3));
  EXPECT_EQ(Rgb(image.PixelColor(0, 0, false)), 0x010203u);

  std::uint8_t row[7] = {1, 2, 3, 4, 5, 6, 7};
  image.SwapRedBlue(row, 7);  // whole triples of the first 7 bytes only
  EXPECT_EQ(row[0], 3);
  EXPECT_EQ(row[2], 1);
  EXPECT_EQ(row[3], 6);
  EXPECT_EQ(row[5], 4);
  EXPECT_EQ(row[6], 7);
}

TEST(PxImagePixels, NearestIndexSearchAndCache) {
  PxImage image;
  ASSERT_TRUE(image.Create(2, 1, 8, 0));
  image.SetPaletteEntry(3, 100, 100, 100, 0);
  image.SetPaletteEntry(4, 100, 100, 100, 0);
  image.SetPaletteEntry(9, 250, 0, 0, 0);
  EXPECT_EQ(image.NearestIndex(MakeColor(101, 99, 100)), 3);  // two equal entries: the lower index
  EXPECT_EQ(image.NearestIndex(MakeColor(200, 10, 0)), 9);
  image.SetPixelColor(1, 0, MakeColor(240, 5, 5));
  EXPECT_EQ(image.PixelIndex(1, 0), 9);
  // The cached answer belongs to the old palette: changing it must not reuse it.
  image.SetGrayPalette();
  EXPECT_EQ(image.NearestIndex(MakeColor(240, 5, 5)), 83);
  image.SetPaletteColor(200, MakeColor(240, 5, 5));
  EXPECT_EQ(image.NearestIndex(MakeColor(240, 5, 5)), 200);
}

TEST(PxImagePixels, PaletteOperations) {
  PxImage one;
  ASSERT_TRUE(one.Create(1, 1, 1, 0));
  one.SetGrayPalette();
  EXPECT_EQ(Rgb(one.PaletteColor(0)), 0u);
  EXPECT_EQ(Rgb(one.PaletteColor(1)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(one.PaletteColor(2)), 0u);  // beyond the palette
  PxImage four;
  ASSERT_TRUE(four.Create(1, 1, 4, 0));
  four.SetGrayPalette();
  for (std::uint8_t i = 0; i < 16; ++i) EXPECT_EQ(four.PaletteColor(i).rgbGreen, i * 17);
  EXPECT_FALSE(four.IsGrayScale());

  PxImage gray;
  ASSERT_TRUE(gray.Create(4, 1, 8, 0));
  gray.SetGrayPalette();
  EXPECT_TRUE(gray.IsGrayScale());
  EXPECT_FALSE(gray.HasPaletteAlpha());
  gray.SetPaletteEntry(7, 7, 7, 7, 1);
  EXPECT_TRUE(gray.HasPaletteAlpha());

  const std::uint8_t red[3] = {1, 2, 3};
  gray.SetPaletteRGB(3, red, nullptr, nullptr);  // green and blue default to the red array
  EXPECT_EQ(Rgb(gray.PaletteColor(2)), 0x030303u);
  const std::uint8_t triples[6] = {10, 20, 30, 40, 50, 60};
  gray.SetPaletteTriples(triples, 2);
  EXPECT_EQ(Rgb(gray.PaletteColor(1)), 0x28323Cu);
  std::uint8_t r = 0, g = 0, b = 0;
  EXPECT_TRUE(gray.PaletteRGB(1, r, g, b));
  EXPECT_EQ(r, 40);
  EXPECT_EQ(b, 60);

  // SwapIndex exchanges the entries and every pixel's index once.
  gray.SetPixelIndex(0, 0, 0);
  gray.SetPixelIndex(1, 0, 1);
  gray.SetPixelIndex(2, 0, 5);
  gray.SwapIndex(0, 1);
  EXPECT_EQ(gray.PixelIndex(0, 0), 1);
  EXPECT_EQ(gray.PixelIndex(1, 0), 0);
  EXPECT_EQ(gray.PixelIndex(2, 0), 5);
  EXPECT_EQ(Rgb(gray.PaletteColor(0)), 0x28323Cu);

  PxImage rgb;
  ASSERT_TRUE(rgb.Create(1, 1, 24, 0));
  EXPECT_EQ(rgb.Palette(), nullptr);
  EXPECT_EQ(rgb.PaletteSize(), 0u);
  EXPECT_EQ(rgb.NearestIndex(MakeColor(1, 1, 1)), 0);
}

TEST(PxImagePixels, ColourHelpers) {
  const RGBQUAD c = ColorRefToRgbQuad(0x00030201);
  EXPECT_EQ(c.rgbBlue, 3);
  EXPECT_EQ(c.rgbGreen, 2);
  EXPECT_EQ(c.rgbRed, 1);
  EXPECT_EQ(c.rgbReserved, 0);
  const std::uint8_t redPixel[3] = {0, 0, 255};
  const std::uint8_t whitePixel[3] = {255, 255, 255};
  EXPECT_EQ(CompareGray(redPixel, whitePixel), 76 - 255);
}

TEST(PxImagePixels, AlphaChannel) {
  PxImage image;
  ASSERT_TRUE(image.Create(3, 2, 24, 0));
  ASSERT_TRUE(image.AlphaCreate());
  for (std::int32_t y = 0; y < 2; ++y)
    for (std::int32_t x = 0; x < 3; ++x) image.AlphaSet(x, y, static_cast<std::uint8_t>(y * 3 + x));
  EXPECT_EQ(image.AlphaGet(3, 0), 0);
  EXPECT_EQ(image.AlphaPointer(0, 2), nullptr);
  ASSERT_TRUE(image.AlphaFlip());
  EXPECT_EQ(image.AlphaGet(0, 0), 3);
  EXPECT_EQ(image.AlphaGet(2, 1), 2);
  ASSERT_TRUE(image.AlphaMirror());
  EXPECT_EQ(image.AlphaGet(0, 0), 5);
  EXPECT_EQ(*image.AlphaPointer(2, 1), 0);

  PxImage other;
  ASSERT_TRUE(other.Create(3, 3, 24, 0));
  ASSERT_TRUE(other.AlphaCreate());
  EXPECT_FALSE(image.AlphaCopy(other));  // different size: nothing changes
  EXPECT_EQ(image.AlphaGet(0, 0), 5);
  PxImage same;
  ASSERT_TRUE(same.Create(3, 2, 8, 0));
  same.Info().alphaMax = 10;
  EXPECT_FALSE(same.AlphaCopy(other));
  ASSERT_TRUE(same.AlphaCopy(image));
  EXPECT_EQ(same.AlphaGet(0, 0), 5);
  EXPECT_EQ(same.Info().alphaMax, 255);

  image.AlphaClear();
  EXPECT_EQ(image.AlphaGet(1, 1), 0);
  image.AlphaDelete();
  EXPECT_FALSE(image.AlphaIsValid());
  EXPECT_FALSE(image.AlphaFlip());
}

TEST(PxImagePixels, SelectionWithoutAMaskSelectsEverything) {
  PxImage image;
  ASSERT_TRUE(image.Create(640, 480, 8, 0));
  EXPECT_TRUE(image.SelectionIsInside(639, 479));
  EXPECT_FALSE(image.SelectionIsInside(640, 0));
  EXPECT_TRUE(image.SelectionDelete());
  const RECT box = image.Info().selectionBox;
  EXPECT_EQ(box.left, 640);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 0);
  EXPECT_EQ(box.bottom, 480);
  PxImage other;
  ASSERT_TRUE(other.Create(640, 480, 8, 0));
  EXPECT_FALSE(other.SelectionCopy(image));  // there is no mask to copy
}
