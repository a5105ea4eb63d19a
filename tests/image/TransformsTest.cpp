// Gray scale, flip, mirror, negative and the rotations, on small hand-made images.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using image_test::Make24;
using image_test::MaskedImage;
using image_test::Rgb;
using image_test::RgbOf;
using image_test::StoredRows;

std::vector<std::vector<int>> Indices(const PxImage& image) {
  std::vector<std::vector<int>> rows(image.Height(), std::vector<int>(image.Width()));
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) rows[y][x] = image.PixelIndex(x, y);
  }
  return rows;
}

// An image of any depth with a varied pattern, a colour palette and zero row padding; the pattern
// has no symmetry, so a turn or flip in the wrong direction cannot pass for the right one.
void MakeAsymmetricPattern(PxImage& image, std::uint32_t width, std::uint32_t height, std::uint32_t bpp, bool withAlpha = false) {
  ASSERT_TRUE(image.Create(width, height, bpp, 0));
  std::memset(image.RowBits(0), 0, static_cast<std::size_t>(image.RowBytes()) * height);
  for (std::uint32_t i = 0; i < image.NumColors(); ++i) {
    image.SetPaletteEntry(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 7 + 3),
                          static_cast<std::uint8_t>(i * 13), static_cast<std::uint8_t>(255 - i), 0);
  }
  if (withAlpha) {
    ASSERT_TRUE(image.AlphaCreate());
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t v = (x * 31 + y * 17 + x * y * 7 + (x > y ? 3 : 0)) % 251;
      const auto sx = static_cast<std::int32_t>(x);
      const auto sy = static_cast<std::int32_t>(y);
      if (bpp == 24) {
        image.SetPixelColor(sx, sy, MakeColor(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v * 3),
                                              static_cast<std::uint8_t>(x ^ y)));
      } else {
        image.SetPixelIndex(sx, sy, static_cast<std::uint8_t>(v % (1u << bpp)));
      }
      if (withAlpha) image.AlphaSet(sx, sy, static_cast<std::uint8_t>(v + 1));
    }
  }
}

// The pixel block (with its row padding), palette and alpha, for comparing whole images.
struct Snapshot {
  std::int32_t width, height;
  std::uint16_t bpp;
  std::vector<std::uint8_t> pixels, palette, alpha;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Snap(const PxImage& image) {
  Snapshot snap{image.Width(), image.Height(), image.Bpp(), {}, {}, {}};
  if (!image.IsValid()) return snap;
  const std::uint8_t* pixels = image.RowBits(0);
  snap.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.RowBytes()) * image.Height());
  const auto* palette = reinterpret_cast<const std::uint8_t*>(image.Palette());
  if (palette) snap.palette.assign(palette, palette + image.PaletteSize());
  for (std::int32_t y = 0; image.AlphaIsValid() && y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) snap.alpha.push_back(image.AlphaGet(x, y));
  }
  return snap;
}

const std::uint32_t kDepths[] = {1, 4, 8, 24};

}  // namespace

TEST(Transforms, EveryTransformRefusesAnImageWithoutPixels) {
  PxImage empty;
  EXPECT_FALSE(empty.GrayScale());
  EXPECT_FALSE(empty.Flip());
  EXPECT_FALSE(empty.Mirror());
  EXPECT_FALSE(empty.Negative());
  EXPECT_FALSE(empty.RotateLeft());
  EXPECT_FALSE(empty.RotateRight());
  EXPECT_FALSE(empty.Rotate(30));
  EXPECT_FALSE(empty.IsValid());
}

// Four quarter turns either way, a turn and its reverse, two flips and two mirrors each restore the
// picture exactly, alpha included, at every depth; sizes cross the 64-pixel tiles and end mid-byte.
TEST(Transforms, IdentitiesAcrossBitDepths) {
  struct Identity {
    const char* name;
    void (*apply)(PxImage&);
  };
  const Identity identities[] = {
      {"four left turns", [](PxImage& i) { for (int n = 0; n < 4; ++n) ASSERT_TRUE(i.RotateLeft()); }},
      {"four right turns", [](PxImage& i) { for (int n = 0; n < 4; ++n) ASSERT_TRUE(i.RotateRight()); }},
      {"left then right", [](PxImage& i) { ASSERT_TRUE(i.RotateLeft()); ASSERT_TRUE(i.RotateRight()); }},
      {"two flips", [](PxImage& i) { ASSERT_TRUE(i.Flip()); ASSERT_TRUE(i.Flip()); }},
      {"two mirrors", [](PxImage& i) { ASSERT_TRUE(i.Mirror()); ASSERT_TRUE(i.Mirror()); }},
  };
  const struct { std::uint32_t width, height; } sizes[] = {{17, 5}, {70, 131}, {1, 9}};
  for (const std::uint32_t bpp : kDepths) {
    for (const auto& size : sizes) {
      for (const Identity& identity : identities) {
        SCOPED_TRACE(testing::Message() << identity.name << ", " << bpp << " bpp, " << size.width << "x"
                                        << size.height);
        PxImage image;
        MakeAsymmetricPattern(image, size.width, size.height, bpp, bpp == 24);
        const Snapshot before = Snap(image);
        identity.apply(image);
        EXPECT_TRUE(Snap(image) == before);
      }
    }
  }
}

// One quarter turn moves every pixel where the screen turn puts it: new (x, y) = old (y, H - 1 - x)
// to the left, old (W - 1 - y, x) to the right, with rows counted from the bottom.
TEST(Transforms, QuarterTurnsMapPixelsAtEveryDepth) {
  for (const std::uint32_t bpp : kDepths) {
    SCOPED_TRACE(testing::Message() << bpp << " bpp");
    PxImage source;
    MakeAsymmetricPattern(source, 17, 5, bpp, true);
    PxImage left, right;
    ASSERT_TRUE(source.RotateLeft(&left));
    ASSERT_TRUE(source.RotateRight(&right));
    ASSERT_EQ(left.Width(), 5);
    ASSERT_EQ(left.Height(), 17);
    ASSERT_EQ(right.Width(), 5);
    ASSERT_EQ(right.Height(), 17);
    EXPECT_EQ(source.Width(), 17) << "a destination leaves the source alone";
    for (std::int32_t y = 0; y < 17; ++y) {
      for (std::int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(RgbOf(left, x, y), RgbOf(source, y, 4 - x));
        EXPECT_EQ(left.AlphaGet(x, y), source.AlphaGet(y, 4 - x));
        EXPECT_EQ(RgbOf(right, x, y), RgbOf(source, 16 - y, x));
        EXPECT_EQ(right.AlphaGet(x, y), source.AlphaGet(16 - y, x));
      }
    }
  }

  // The same by hand on a 3 x 2 picture (A B C at the bottom, D E F above).
  PxImage image;
  ASSERT_TRUE(image.Create(3, 2, 8, 0));
  const std::uint8_t A = 1, B = 2, C = 3, D = 4, E = 5, F = 6;
  const std::uint8_t cells[2][3] = {{A, B, C}, {D, E, F}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) image.SetPixelIndex(x, y, cells[y][x]);
  }
  PxImage left, right;
  ASSERT_TRUE(image.RotateLeft(&left));
  ASSERT_TRUE(image.RotateRight(&right));
  EXPECT_EQ(Indices(left), (std::vector<std::vector<int>>{{D, A}, {E, B}, {F, C}}));
  EXPECT_EQ(Indices(right), (std::vector<std::vector<int>>{{C, F}, {B, E}, {A, D}}));
}

TEST(Transforms, FlipReversesRowsAndDropsTheSelectionMask) {
  MaskedImage image;
  MakeAsymmetricPattern(image, 5, 3, 24);
  image.Select({{1, 1}, {2, 1}});
  const auto rows = StoredRows(image);
  ASSERT_TRUE(image.Flip());
  EXPECT_EQ(StoredRows(image), (std::vector<std::vector<std::uint32_t>>{rows[2], rows[1], rows[0]}));
  EXPECT_FALSE(image.HasSelection());
  EXPECT_EQ(image.Info().selectionBox.right, 3) << "the box itself is carried over";
}

TEST(Transforms, MirrorKeepsTheByteOrderOfEachPixel) {
  PxImage image;
  Make24(image, {{0x112233, 0x445566, 0x778899}});
  ASSERT_TRUE(image.Mirror());
  EXPECT_EQ(StoredRows(image), (std::vector<std::vector<std::uint32_t>>{{0x778899, 0x445566, 0x112233}}));
  const std::uint8_t* row = image.RowBits(0);
  EXPECT_EQ(row[9] | row[10] | row[11], 0) << "row padding";

  PxImage packed;
  ASSERT_TRUE(packed.Create(5, 1, 4, 0));
  for (int x = 0; x < 5; ++x) packed.SetPixelIndex(x, 0, static_cast<std::uint8_t>(x + 1));
  ASSERT_TRUE(packed.Mirror());
  EXPECT_EQ(Indices(packed), (std::vector<std::vector<int>>{{5, 4, 3, 2, 1}}));
}

TEST(Transforms, NegativeOfTrueColourInvertsEveryByteAndTheTransparentColour) {
  PxImage image;
  Make24(image, {{0x00FF10, 0x808080}});  // 6 pixel bytes and 2 padding bytes
  image.SetTransparentColor(Rgb(0x102030));
  ASSERT_TRUE(image.Negative());
  EXPECT_EQ(StoredRows(image), (std::vector<std::vector<std::uint32_t>>{{0xFF00EF, 0x7F7F7F}}));
  EXPECT_EQ(image.RowBits(0)[6], 0xFF);
  EXPECT_EQ(image.RowBits(0)[7], 0xFF);
  EXPECT_EQ(PackColor(image.TransparentColor()) & 0xFFFFFF, 0xEFDFCFu);
}

TEST(Transforms, NegativeOfPaletteImages) {
  // Gray ramp: the indices turn over and the ramp stays.
  PxImage gray;
  ASSERT_TRUE(gray.Create(3, 1, 8, 0));
  gray.SetGrayPalette();
  gray.SetPixelIndex(0, 0, 0);
  gray.SetPixelIndex(1, 0, 100);
  gray.SetPixelIndex(2, 0, 255);
  ASSERT_TRUE(gray.Negative());
  EXPECT_EQ(Indices(gray), (std::vector<std::vector<int>>{{255, 155, 0}}));
  EXPECT_TRUE(gray.IsGrayScale());

  // Colour palette: only the palette changes.
  PxImage colour;
  MakeAsymmetricPattern(colour, 4, 2, 8);
  const auto indices = Indices(colour);
  const RGBQUAD entry = colour.PaletteColor(9);
  ASSERT_TRUE(colour.Negative());
  EXPECT_EQ(Indices(colour), indices);
  EXPECT_EQ(colour.PaletteColor(9).rgbRed, 255 - entry.rgbRed);
  EXPECT_EQ(colour.PaletteColor(9).rgbGreen, 255 - entry.rgbGreen);
  EXPECT_EQ(colour.PaletteColor(9).rgbBlue, 255 - entry.rgbBlue);
}

TEST(Transforms, NegativeInvertsOnlyTheSelection) {
  MaskedImage image;
  Make24(image, {{0x000000, 0x000000, 0x000000}, {0x000000, 0x000000, 0x000000}});
  image.Select({{1, 1}, {2, 0}});
  ASSERT_TRUE(image.Negative());
  EXPECT_EQ(StoredRows(image), (std::vector<std::vector<std::uint32_t>>{{0, 0, 0xFFFFFF}, {0, 0xFFFFFF, 0}}));
}

TEST(Transforms, GrayScaleOfTrueColour) {
  PxImage image;
  Make24(image, {{0xFF0000, 0xFFFFFF, 0x00FF00}, {0x0000FF, 0x000000, 0x102030}});
  ASSERT_TRUE(image.AlphaCreate());
  image.AlphaSet(2, 1, 7);
  ASSERT_TRUE(image.GrayScale());
  ASSERT_EQ(image.Bpp(), 8);
  EXPECT_TRUE(image.IsGrayScale());
  // gray = (117 blue + 601 green + 306 red) >> 10
  EXPECT_EQ(Indices(image), (std::vector<std::vector<int>>{{76, 255, 149}, {29, 0, 29}}));
  EXPECT_EQ(image.AlphaGet(2, 1), 7);
}

TEST(Transforms, GrayScaleOfPaletteImages) {
  // 8 bpp stays 8 bpp; each pixel becomes the gray level of its old colour.
  PxImage eight;
  ASSERT_TRUE(eight.Create(2, 1, 8, 0));
  eight.SetPaletteColor(5, Rgb(0xFF0000));
  eight.SetPaletteColor(6, Rgb(0x00FF00));
  eight.SetPixelIndex(0, 0, 5);
  eight.SetPixelIndex(1, 0, 6);
  eight.SetTransparentIndex(6);
  ASSERT_TRUE(eight.GrayScale());
  EXPECT_EQ(eight.Bpp(), 8);
  EXPECT_TRUE(eight.IsGrayScale());
  EXPECT_EQ(Indices(eight), (std::vector<std::vector<int>>{{76, 149}}));
  EXPECT_EQ(eight.TransparentIndex(), 149) << "the transparent pixels stay transparent";

  // 1 and 4 bpp become 8-bit gray images.
  for (const std::uint32_t bpp : {1u, 4u}) {
    PxImage packed;
    ASSERT_TRUE(packed.Create(3, 1, bpp, 0));
    packed.SetPaletteColor(0, Rgb(0x0000FF));
    packed.SetPaletteColor(1, Rgb(0xFFFFFF));
    packed.SetPixelIndex(0, 0, 1);
    packed.SetPixelIndex(1, 0, 0);
    packed.SetPixelIndex(2, 0, 1);
    ASSERT_TRUE(packed.GrayScale());
    EXPECT_EQ(packed.Bpp(), 8);
    EXPECT_TRUE(packed.IsGrayScale());
    EXPECT_EQ(Indices(packed), (std::vector<std::vector<int>>{{255, 29, 255}})) << bpp << " bpp";
  }
}

// A true-colour image names its transparent colour by transparentColor with any index >= 0; in the
// gray image the index must be that colour's gray level, not index 0 (black).
TEST(Transforms, GrayScaleKeepsTheTransparentColourOfTrueColour) {
  PxImage image;
  Make24(image, {{0xFF0000, 0x000000}});
  image.SetTransparentIndex(0);
  image.SetTransparentColor(Rgb(0xFF0000));
  ASSERT_TRUE(image.GrayScale());
  EXPECT_EQ(image.TransparentIndex(), 76);
  EXPECT_EQ(PackColor(image.TransparentColor()) & 0xFFFFFF, 0x4C4C4Cu);

  PxImage opaque;
  Make24(opaque, {{0xFF0000}});
  ASSERT_TRUE(opaque.GrayScale());
  EXPECT_EQ(opaque.TransparentIndex(), -1);
}

// Rotate by 0: one more column and row on the low side (duplicating column and row 0) and an
// outside column and row on the high side, filled like pixels beyond the picture read.
TEST(Transforms, RotateByZeroAndNinetyDegrees) {
  const std::uint32_t A = 0x102030, B = 0x405060, C = 0x708090, D = 0xA0B0C0, E = 0xD0E0F0, F = 0x0A0B0C;
  PxImage image;
  Make24(image, {{A, B, C}, {D, E, F}});

  PxImage still;
  ASSERT_TRUE(image.Rotate(0, &still));
  EXPECT_EQ(StoredRows(still), (std::vector<std::vector<std::uint32_t>>{
                               {A, A, B, C, A}, {A, A, B, C, A}, {D, D, E, F, A}, {A, A, A, A, A}}));

  PxImage turned;
  ASSERT_TRUE(image.Rotate(90, &turned));
  EXPECT_EQ(StoredRows(turned), (std::vector<std::vector<std::uint32_t>>{
                                {C, C, F, A}, {B, B, E, A}, {A, A, D, A}, {A, A, D, A}, {A, A, A, A}}));

  // With a transparent colour set, the uncovered area takes it; with alpha it is transparent.
  image.SetTransparentIndex(0);
  image.SetTransparentColor(Rgb(0x00FF00));
  ASSERT_TRUE(image.AlphaCreate());
  ASSERT_TRUE(image.Rotate(0));
  EXPECT_EQ(RgbOf(image, 4, 0), 0x00FF00u);
  EXPECT_EQ(RgbOf(image, 0, 3), 0x00FF00u);
  EXPECT_EQ(RgbOf(image, 3, 2), F);
  EXPECT_EQ(image.AlphaGet(4, 0), 0);
  EXPECT_EQ(image.AlphaGet(3, 2), 255);
}

TEST(Transforms, RotatePaletteImagesFillWithTheOutsideIndex) {
  PxImage eight;
  ASSERT_TRUE(eight.Create(2, 1, 8, 0));
  eight.SetPixelIndex(0, 0, 7);
  eight.SetPixelIndex(1, 0, 9);
  PxImage still;
  ASSERT_TRUE(eight.Rotate(0, &still));
  EXPECT_EQ(Indices(still), (std::vector<std::vector<int>>{{7, 7, 9, 7}, {7, 7, 9, 7}, {7, 7, 7, 7}}));
  eight.SetTransparentIndex(200);
  ASSERT_TRUE(eight.Rotate(0, &still));
  EXPECT_EQ(Indices(still), (std::vector<std::vector<int>>{{7, 7, 9, 200}, {7, 7, 9, 200}, {200, 200, 200, 200}}));

  // At 4 bpp the outside reads the first pixel byte, of which a pixel keeps the low nibble: pixel (1, 0).
  PxImage four;
  ASSERT_TRUE(four.Create(2, 1, 4, 0));
  four.SetPixelIndex(0, 0, 3);
  four.SetPixelIndex(1, 0, 5);
  ASSERT_TRUE(four.Rotate(0));
  EXPECT_EQ(Indices(four), (std::vector<std::vector<int>>{{3, 3, 5, 5}, {3, 3, 5, 5}, {5, 5, 5, 5}}));
}

TEST(Transforms, RotateByNinetyMatchesTheRightTurnInsideItsMargin) {
  PxImage image;
  MakeAsymmetricPattern(image, 100, 50, 24);
  PxImage turned, right;
  ASSERT_TRUE(image.Rotate(90, &turned));
  ASSERT_TRUE(image.RotateRight(&right));
  ASSERT_EQ(turned.Width(), 52);
  ASSERT_EQ(turned.Height(), 102);
  for (std::int32_t y = 0; y < 100; ++y) {
    for (std::int32_t x = 0; x < 50; ++x) ASSERT_EQ(RgbOf(turned, x + 1, y), RgbOf(right, x, y)) << x << "," << y;
  }
}

TEST(Transforms, RotateByAnAngleOnHandComputedPixels) {
  // 45 degrees on a 2 x 2 picture: c = cos(-45) = 0.7071, s = -0.7071. The turned corners (0, 0),
  // (1, -2), (1, 1), (2, 0) span x 0..2 and y -2..1, so the result is 4 x 5. New (newX, newY), at
  // x = newX and y = newY - 2, shows old (trunc(0.7071 (x - y) - 0.5), trunc(0.7071 (x + y) - 0.5));
  // positions that turn back outside the picture show the bottom-left pixel (1).
  PxImage image;
  Make24(image, {{0x000001, 0x000002}, {0x000003, 0x000004}});
  ASSERT_TRUE(image.Rotate(45));
  ASSERT_EQ(image.Width(), 4);
  ASSERT_EQ(image.Height(), 5);
  EXPECT_EQ(StoredRows(image), (std::vector<std::vector<std::uint32_t>>{
                               {1, 1, 1, 1}, {1, 1, 2, 1}, {1, 1, 1, 4}, {1, 1, 3, 1}, {1, 1, 1, 1}}));
}

// A rotation whose new image cannot be made reports it and leaves the picture (and the destination) alone.
TEST(Transforms, RotationThatCannotCreateItsImageLeavesThePicture) {
  PxImage line;
  ASSERT_TRUE(line.Create(100000, 1, 24, 0));
  line.RowBits(0)[0] = 0x5A;
  PxImage destination;
  MakeAsymmetricPattern(destination, 3, 3, 8);
  const Snapshot destinationBefore = Snap(destination);
  EXPECT_FALSE(line.Rotate(45, &destination));  // about 70712 x 70712 at 24 bpp: over the size limit
  EXPECT_STREQ(line.LastError(), "PXIMAGE_MAX_MEMORY exceeded");
  EXPECT_TRUE(Snap(destination) == destinationBefore);
  EXPECT_FALSE(line.Rotate(45));
  EXPECT_EQ(line.Width(), 100000);
  EXPECT_EQ(line.Height(), 1);
  EXPECT_EQ(line.RowBits(0)[0], 0x5A);

  // A 1-bit line of 2^30 pixels takes 128 MB; standing up it would need 4 bytes a row, 4 GB in all.
  PxImage wide;
  ASSERT_TRUE(wide.Create(1u << 30, 1, 1, 0));
  wide.RowBits(0)[0] = 0x80;
  for (const bool left : {true, false}) {
    EXPECT_FALSE(left ? wide.RotateLeft() : wide.RotateRight());
    EXPECT_STREQ(wide.LastError(), "PXIMAGE_MAX_MEMORY exceeded");
    EXPECT_EQ(wide.Width(), 1 << 30);
    EXPECT_EQ(wide.Height(), 1);
    EXPECT_EQ(wide.RowBits(0)[0], 0x80);
  }
}

// A 1 x 65535 gray TGA of 1 KB (run-length packets of 128 pixels) turned by 45 degrees would need its
// whole rotated box, 46342 x 46342: two gigabytes. The rotation is refused and the picture kept.
TEST(Transforms, RotationBeyondTheSizeLimitIsRefused) {
  image_test::Bytes tga;
  tga.u8(0).u8(0).u8(11).u16(0).u16(0).u8(0).u16(0).u16(0).u16(1).u16(65535).u8(8).u8(0);
  for (std::uint32_t left = 65535; left > 0;) {
    const std::uint32_t run = std::min<std::uint32_t>(left, 128);
    tga.u8(0x80 | (run - 1)).u8(left > 30000 ? 200 : 30);
    left -= run;
  }
  PxImage tall;
  ASSERT_TRUE(image_test::DecodeBytes(tall, tga.str(), FMT_TGA)) << tall.LastError();
  ASSERT_EQ(tall.Height(), 65535);
  const std::vector<std::vector<std::uint32_t>> before = StoredRows(tall);
  for (const float angle : {45.0f, 30.0f, -135.0f}) {
    EXPECT_FALSE(tall.Rotate(angle)) << angle;
    EXPECT_STREQ(tall.LastError(), "PXIMAGE_MAX_MEMORY exceeded");
    EXPECT_EQ(tall.Width(), 1);
    EXPECT_EQ(tall.Height(), 65535);
    EXPECT_TRUE(StoredRows(tall) == before);
  }
  // A quarter turn needs no more than the picture itself.
  EXPECT_TRUE(tall.RotateRight());
  EXPECT_EQ(tall.Width(), 65535);
}

// A 1-bit picture of 2^30 pixels (128 MB) would make an 8-bit gray picture of a gigabyte and more:
// refused with the palette and pixels as they were.
TEST(Transforms, GrayScaleBeyondTheSizeLimitLeavesThePicture) {
  PxImage wide;
  ASSERT_TRUE(wide.Create(1u << 15, 1u << 15, 1, 0));
  wide.SetPaletteEntry(1, 200, 10, 10, 0);
  wide.RowBits(0)[0] = 0xA5;
  EXPECT_FALSE(wide.GrayScale());
  EXPECT_STREQ(wide.LastError(), "PXIMAGE_MAX_MEMORY exceeded");
  EXPECT_EQ(wide.Bpp(), 1);
  EXPECT_EQ(PackColor(wide.PaletteColor(1)), PackColor(MakeColor(200, 10, 10)));
  EXPECT_EQ(wide.RowBits(0)[0], 0xA5);
}
