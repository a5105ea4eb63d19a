// Brightness and contrast, the mean gray level, the viewer's convolution kernels, erosion, dilation
// and colour offsets, on small hand-made images with hand-computed results.
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
using Table = std::vector<std::vector<std::uint32_t>>;

// Rows of palette indices, in stored order.
Table Indices(const PxImage& image) {
  Table rows(image.Height(), std::vector<std::uint32_t>(image.Width()));
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) rows[y][x] = image.PixelIndex(x, y);
  }
  return rows;
}

// An image of palette indices at the given depth, bottom row first. The palette is the gray ramp at
// 8 bpp when gray is set; otherwise entry 0 is black, entry 1 white and the others an odd colour each.
void MakeIndexed(PxImage& image, std::uint32_t bpp, bool gray, const Table& rows) {
  const auto width = static_cast<std::uint32_t>(rows[0].size());
  ASSERT_TRUE(image.Create(width, static_cast<std::uint32_t>(rows.size()), bpp, 0));
  std::memset(image.RowBits(0), 0, static_cast<std::size_t>(image.RowBytes()) * image.Height());
  if (gray) {
    image.SetGrayPalette();
  } else {
    for (std::uint32_t i = 2; i < image.NumColors(); ++i) {
      image.SetPaletteEntry(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), 40, 90, 0);
    }
    image.SetPaletteColor(1, Rgb(0xFFFFFF));
  }
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) image.SetPixelIndex(x, y, static_cast<std::uint8_t>(rows[y][x]));
  }
}

// The picture viewer's five 3 x 3 kernels, rows listed from kernel row 0.
struct ViewerKernel {
  const char* name;
  std::int32_t weights[9];
  std::int32_t divisor;
  std::int32_t offset;
};

const ViewerKernel kBlur{"Blur", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0};
const ViewerKernel kSoften{"Soften", {1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0};
const ViewerKernel kSharpen{"Sharpen", {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0};
const ViewerKernel kEdge{"Edge", {-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0};
const ViewerKernel kEmboss{"Emboss", {-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127};

bool Apply(PxImage& image, const ViewerKernel& kernel) {
  return image.ApplyKernel(kernel.weights, 3, kernel.divisor, kernel.offset);
}

// Levels without symmetry (bottom row first), so a kernel read upside down or mirrored gives
// another result: the sum is 745 and the centre 100.
const Table kLevels = {{10, 200, 30}, {0, 100, 250}, {60, 5, 90}};

}  // namespace

TEST(Filters, EveryFilterRefusesAnImageWithoutPixels) {
  PxImage empty;
  const std::uint8_t table[256] = {};
  EXPECT_FALSE(empty.BrightContrast(20, 0));
  EXPECT_FALSE(empty.ApplyTable(table));
  EXPECT_EQ(empty.AverageLevel(), 0.0f);
  EXPECT_FALSE(Apply(empty, kBlur));
  EXPECT_FALSE(empty.Erode(2));
  EXPECT_FALSE(empty.Dilate(2));
  EXPECT_FALSE(empty.OffsetRGB(1, 2, 3));

  PxImage image;
  Make24(image, {{0x102030}});
  EXPECT_FALSE(image.ApplyTable(nullptr));
  EXPECT_FALSE(image.ApplyKernel(nullptr, 3, 1, 0));
}

// On an 8-bit gray image only pixels whose whole window lies inside are filtered; a divisor of 0
// counts as 1. Sums of the centre: blur 745 / 9, soften (645 + 800) / 16, sharpen (1500 - 645) / 7,
// edge 800 - 645, emboss 90 - 10 + 127 (kernel row 0 is the lowest row of the window).
TEST(Filters, ViewerKernelsOnAGrayImage) {
  const struct {
    const ViewerKernel& kernel;
    std::uint32_t centre;
  } cases[] = {{kBlur, 82}, {kSoften, 90}, {kSharpen, 122}, {kEdge, 155}, {kEmboss, 207}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.kernel.name);
    PxImage image;
    MakeIndexed(image, 8, true, kLevels);
    ASSERT_TRUE(Apply(image, test.kernel));
    Table expected = kLevels;
    expected[1][1] = test.centre;
    EXPECT_EQ(Indices(image), expected);
    EXPECT_TRUE(image.IsGrayScale());
  }
}

// On a 24-bit image every pixel is filtered per channel; the window beyond the border reads the
// bottom-left pixel. Blue holds the levels above, green 255 minus them, red 250 at the centre and 0
// elsewhere, so both clamps show (edge green -155 -> 0, sharpen red 3750 / 7 -> 255).
TEST(Filters, ViewerKernelsOnATrueColourImage) {
  Table rows(3, std::vector<std::uint32_t>(3));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint32_t red = (x == 1 && y == 1) ? 250 : 0;
      rows[y][x] = red << 16 | (255 - kLevels[y][x]) << 8 | kLevels[y][x];
    }
  }
  const auto rgb = [](std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red << 16 | green << 8 | blue;
  };
  const struct {
    const ViewerKernel& kernel;
    std::uint32_t centre;
  } cases[] = {{kBlur, rgb(27, 172, 82)},
               {kSoften, rgb(125, 164, 90)},
               {kSharpen, rgb(255, 132, 122)},
               {kEdge, rgb(255, 0, 155)},
               {kEmboss, rgb(127, 47, 207)}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.kernel.name);
    PxImage image;
    Make24(image, rows);
    ASSERT_TRUE(Apply(image, test.kernel));
    EXPECT_EQ(RgbOf(image, 1, 1), test.centre);
  }

  // Blur at two corners: four pixels of the picture and five copies of the bottom-left pixel
  // (blue 10, green 245, red 0).
  PxImage image;
  Make24(image, rows);
  ASSERT_TRUE(Apply(image, kBlur));
  EXPECT_EQ(RgbOf(image, 2, 2), rgb(27, (575 + 5 * 245) / 9, (445 + 5 * 10) / 9));
  EXPECT_EQ(RgbOf(image, 0, 0), rgb(27, (710 + 5 * 245) / 9, (310 + 5 * 10) / 9));
}

// Whole rows of a larger picture go through the row-at-a-time path; every pixel, border or
// interior, must match the window sum taken pixel by pixel (outside reads the bottom-left pixel),
// for kernels with negative weights and divisors, big offsets, and weights large enough to need
// 32-bit and 64-bit sums.
TEST(Filters, KernelOnAWidePictureMatchesThePixelByPixelSum) {
  const ViewerKernel wide[] = {kBlur, kSoften, kSharpen, kEdge, kEmboss,
                               {"negative divisor", {3, -1, 2, 0, -5, 1, 2, 2, -1}, -3, 40},
                               {"huge offset", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, -2000000000},
                               {"32-bit sums", {200, 1, 1, 1, -300, 1, 1, 1, 200}, 13, 100},
                               {"64-bit sums", {9000000, 1, 1, 1, -9000000, 1, 1, 1, 9000000}, 70000, 0}};
  constexpr std::int32_t kWidth = 37, kHeight = 6;
  Table rows(kHeight, std::vector<std::uint32_t>(kWidth));
  std::uint32_t noise = 99;
  for (auto& row : rows) {
    for (auto& pixel : row) pixel = (noise = noise * 1103515245u + 12345u) >> 8 & 0xFFFFFF;
  }
  PxImage source;
  Make24(source, rows);
  for (const ViewerKernel& kernel : wide) {
    SCOPED_TRACE(kernel.name);
    PxImage image(source, true, false, false);
    ASSERT_TRUE(Apply(image, kernel));
    for (std::int32_t y = 0; y < kHeight; ++y) {
      for (std::int32_t x = 0; x < kWidth; ++x) {
        std::uint32_t expected = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          std::int64_t sum = 0;
          for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
              const std::int32_t column = x - 1 + c, row = y - 1 + r;
              const bool inside = column >= 0 && row >= 0 && column < kWidth && row < kHeight;
              sum += std::int64_t{kernel.weights[3 * r + c]} * (rows[inside ? row : 0][inside ? column : 0] >> shift & 255);
            }
          }
          const std::int64_t level = (kernel.divisor ? sum / kernel.divisor : sum) + kernel.offset;
          expected |= static_cast<std::uint32_t>(std::clamp<std::int64_t>(level, 0, 255)) << shift;
        }
        ASSERT_EQ(RgbOf(image, x, y), expected) << "at " << x << ", " << y;
      }
    }
  }
}

TEST(Filters, KernelOnAPaletteImageTakesTheNearestEntry) {
  // Blurring a white pixel on black gives (28, 28, 28) wherever the window holds it (everywhere in
  // a 3 x 3 picture); the entry closest to that dark gray is the one each pixel gets.
  PxImage image;
  MakeIndexed(image, 8, false, {{0, 0, 0}, {0, 1, 0}, {0, 0, 0}});
  image.SetPaletteColor(5, Rgb(0x1E1E1E));
  ASSERT_TRUE(Apply(image, kBlur));
  EXPECT_EQ(Indices(image), (Table{{5, 5, 5}, {5, 5, 5}, {5, 5, 5}}));
}

// What an escape leaves: the rows not yet filtered keep their pixels.
TEST(Filters, EscapedKernelLeavesTheRestAsItWas) {
  PxImage image;
  MakeIndexed(image, 8, true, kLevels);
  image.Info().escape = 1;
  ASSERT_TRUE(Apply(image, kBlur));
  EXPECT_EQ(Indices(image), kLevels);
  image.Info().escape = 0;
  Make24(image, {{0x000000, 0xFFFFFF}, {0x123456, 0x654321}});
  image.Info().escape = 1;
  ASSERT_TRUE(Apply(image, kSharpen));
  EXPECT_EQ(StoredRows(image), (Table{{0x000000, 0xFFFFFF}, {0x123456, 0x654321}}));
}

// f = (100 + contrast) / 100; level i becomes trunc((i - 128) f + brightness + 128), clamped.
TEST(Filters, BrightnessAndContrastTable) {
  const struct {
    std::int32_t brightness, contrast;
    std::vector<std::pair<int, int>> levels;  // (before, after)
  } cases[] = {
      {0, 0, {{0, 0}, {1, 1}, {127, 127}, {200, 200}, {255, 255}}},
      {20, 0, {{0, 20}, {100, 120}, {235, 255}, {240, 255}, {255, 255}}},
      {-20, 0, {{0, 0}, {20, 0}, {21, 1}, {255, 235}}},
      {0, 100, {{0, 0}, {64, 0}, {128, 128}, {191, 254}, {192, 255}}},
      {10, 120, {{60, 0}, {100, 76}, {128, 138}, {150, 186}, {255, 255}}},
      {0, -100, {{0, 128}, {255, 128}}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(testing::Message() << "BrightContrast(" << test.brightness << ", " << test.contrast << ")");
    PxImage image;
    ASSERT_TRUE(image.Create(256, 1, 24, 0));
    for (int i = 0; i < 256; ++i) image.SetPixelColor(i, 0, MakeColor(static_cast<std::uint8_t>(i), 0, 0));
    ASSERT_TRUE(image.BrightContrast(test.brightness, test.contrast));
    for (const auto& [before, after] : test.levels) EXPECT_EQ(image.PixelColor(before, 0).rgbRed, after) << before;
  }
}

TEST(Filters, BrightnessMapsTrueColourPaddingAndGrayPalettes) {
  // True colour: every byte of the block, the row padding too.
  PxImage one;
  Make24(one, {{0x0A141E}});
  ASSERT_TRUE(one.BrightContrast(20, 0));
  EXPECT_EQ(RgbOf(one, 0, 0), 0x1E2832u);
  EXPECT_EQ(one.RowBits(0)[3], 20);

  // Gray image: the palette changes, the indices stay.
  PxImage gray;
  MakeIndexed(gray, 8, true, {{0, 100, 250}});
  ASSERT_TRUE(gray.BrightContrast(20, 0));
  EXPECT_EQ(Indices(gray), (Table{{0, 100, 250}}));
  EXPECT_EQ(StoredRows(gray), (Table{{0x141414, 0x787878, 0xFFFFFF}}));
}

TEST(Filters, AverageLevel) {
  PxImage red;
  Make24(red, {{0xFF0000, 0xFF0000}, {0xFF0000, 0xFF0000}});
  EXPECT_EQ(red.AverageLevel(), 76.0f);

  PxImage mixed;
  Make24(mixed, {{0xFFFFFF, 0x000000}});
  EXPECT_EQ(mixed.AverageLevel(), 127.5f);

  // Palette images average the gray levels of their colours: blue 29, white 255.
  PxImage packed;
  MakeIndexed(packed, 4, false, {{1, 2, 2}});
  packed.SetPaletteColor(2, Rgb(0x0000FF));
  EXPECT_FLOAT_EQ(packed.AverageLevel(), (255 + 29 + 29) / 3.0f);

  // With a selection only its box counts.
  MaskedImage boxed;
  Make24(boxed, {{0xFFFFFF, 0x000000, 0x000000}});
  boxed.Select({{0, 0}});
  EXPECT_EQ(boxed.AverageLevel(), 255.0f);
}

// Four million pixels of level 200: a single-precision running sum passes 2^29 half way and from
// there rounds every added 200 to a multiple of 64, so only an integer sum gives 200.
TEST(Filters, AverageLevelOfAPhotoSizedImageIsExact) {
  PxImage image;
  ASSERT_TRUE(image.Create(2000, 2000, 8, 0));
  image.SetGrayPalette();
  image.Clear(200);
  EXPECT_EQ(image.AverageLevel(), 200.0f);

  PxImage wide;
  ASSERT_TRUE(wide.Create(3000, 1500, 24, 0));
  wide.Clear(255);
  EXPECT_EQ(wide.AverageLevel(), 255.0f);
}

// Size 2: the window is the pixel, its left neighbour, the one below and the one below-left. Each
// kind of image goes its own way (bytes, gray indices, nearest palette entry) to the same result.
TEST(Filters, ErodeAndDilateOfASingleWhitePixel) {
  const Table single = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}};
  const Table grown = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 1}, {0, 0, 1, 1}};
  const Table none(4, std::vector<std::uint32_t>(4, 0));
  const struct {
    const char* kind;
    std::uint32_t bpp;
    bool gray;
  } kinds[] = {{"24 bpp", 24, false}, {"8-bit gray", 8, true}, {"8-bit colour", 8, false}, {"4 bpp", 4, false}};
  const auto make = [](PxImage& image, std::uint32_t bpp, bool gray, const Table& ones) {
    Table cells = ones;
    for (auto& row : cells) {
      for (auto& cell : row) cell = bpp == 24 ? cell * 0xFFFFFF : gray ? cell * 255 : cell;
    }
    if (bpp == 24) {
      Make24(image, cells);
    } else {
      MakeIndexed(image, bpp, gray, cells);
    }
  };
  const auto white = [](const PxImage& image) {
    Table cells(4, std::vector<std::uint32_t>(4));
    for (std::int32_t y = 0; y < 4; ++y) {
      for (std::int32_t x = 0; x < 4; ++x) cells[y][x] = RgbOf(image, x, y) == 0xFFFFFF ? 1 : 0;
    }
    return cells;
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.kind);
    PxImage eroded, dilated;
    make(eroded, kind.bpp, kind.gray, single);
    make(dilated, kind.bpp, kind.gray, single);
    ASSERT_TRUE(eroded.Erode(2));
    ASSERT_TRUE(dilated.Dilate(2));
    EXPECT_EQ(white(eroded), none);
    EXPECT_EQ(white(dilated), grown);
    EXPECT_EQ(eroded.Bpp(), kind.bpp);

    // Beyond the border the window reads the bottom-left pixel: white there spreads along row 0
    // and column 0 (and to (1, 1), which sees it below-left); black there eats into a white image.
    PxImage corner, whiteCorner;
    make(corner, kind.bpp, kind.gray, {{1, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    ASSERT_TRUE(corner.Dilate(2));
    const Table edges = {{1, 1, 1, 1}, {1, 1, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}};
    EXPECT_EQ(white(corner), edges);
    make(whiteCorner, kind.bpp, kind.gray, {{0, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}});
    ASSERT_TRUE(whiteCorner.Erode(2));
    const Table inner = {{0, 0, 0, 0}, {0, 0, 1, 1}, {0, 1, 1, 1}, {0, 1, 1, 1}};
    EXPECT_EQ(white(whiteCorner), inner);
  }
}

TEST(Filters, ErodeAndDilateWorkPerChannel) {
  // Red beside green: the right pixel's window holds both (below it, outside, reads the red corner).
  PxImage image;
  Make24(image, {{0xFF0000, 0x00FF00}});
  ASSERT_TRUE(image.Dilate(2));
  EXPECT_EQ(StoredRows(image), (Table{{0xFF0000, 0xFFFF00}}));
  Make24(image, {{0xFFFF00, 0x00FFFF}});
  ASSERT_TRUE(image.Erode(2));
  EXPECT_EQ(StoredRows(image), (Table{{0xFFFF00, 0x00FF00}}));
}

TEST(Filters, OffsetRGB) {
  PxImage palette;
  MakeIndexed(palette, 8, false, {{1, 2}});
  palette.SetPaletteColor(2, Rgb(0x204060));
  ASSERT_TRUE(palette.OffsetRGB(300, 0, -300));
  EXPECT_EQ(StoredRows(palette), (Table{{0xFFFF00, 0xFF4000}}));
  EXPECT_EQ(palette.PaletteColor(0).rgbRed, 255);

  PxImage colour;
  Make24(colour, {{0xFA0A00, 0x102030}});
  ASSERT_TRUE(colour.OffsetRGB(10, -20, 300));
  EXPECT_EQ(StoredRows(colour), (Table{{0xFF00FF, 0x1A0CFF}}));
  EXPECT_EQ(colour.RowBits(0)[6] | colour.RowBits(0)[7], 0) << "row padding stays";
}

// Only selected pixels change, also inside the selection's box.
TEST(Filters, SelectionLimitsTheFilters) {
  const Table black(3, std::vector<std::uint32_t>(3, 0x000000));

  MaskedImage offset;
  Make24(offset, black);
  offset.Select({{1, 1}, {2, 2}});
  ASSERT_TRUE(offset.OffsetRGB(10, 20, 30));
  EXPECT_EQ(StoredRows(offset), (Table{{0, 0, 0}, {0, 0x0A141E, 0}, {0, 0, 0x0A141E}}));

  // (2, 2) lies in the box and its window holds the white pixel, but it is not selected.
  MaskedImage dilated;
  Make24(dilated, {{0, 0, 0}, {0, 0xFFFFFF, 0}, {0, 0, 0}});
  dilated.Select({{2, 1}, {1, 2}});
  ASSERT_TRUE(dilated.Dilate(2));
  EXPECT_EQ(StoredRows(dilated), (Table{{0, 0, 0}, {0, 0xFFFFFF, 0xFFFFFF}, {0, 0xFFFFFF, 0}}));

  MaskedImage blurred;
  Make24(blurred, {{0, 0, 0}, {0, 0x900000, 0}, {0, 0, 0}});
  blurred.Select({{0, 0}});
  ASSERT_TRUE(Apply(blurred, kBlur));
  EXPECT_EQ(StoredRows(blurred), (Table{{0x100000, 0, 0}, {0, 0x900000, 0}, {0, 0, 0}}));

  // Gray: of the two interior pixels only the selected one is filtered.
  MaskedImage grayBlurred;
  MakeIndexed(grayBlurred, 8, true, {{0, 0, 0, 0}, {0, 90, 90, 0}, {0, 0, 0, 0}});
  grayBlurred.Select({{1, 1}, {2, 0}});
  ASSERT_TRUE(Apply(grayBlurred, kBlur));
  EXPECT_EQ(Indices(grayBlurred), (Table{{0, 0, 0, 0}, {0, 20, 90, 0}, {0, 0, 0, 0}}));

  // On a gray image with a selection the table maps the selected indices, not the palette.
  MaskedImage gray;
  MakeIndexed(gray, 8, true, {{10, 10, 10}});
  gray.Select({{0, 0}, {2, 0}});
  ASSERT_TRUE(gray.BrightContrast(20, 0));
  EXPECT_EQ(Indices(gray), (Table{{30, 10, 30}}));
  EXPECT_TRUE(gray.IsGrayScale());
}

// The viewer blurs after lightening: the nearest-colour answers of the old palette must not survive
// a palette change. Each query is first answered from the old palette.
TEST(Filters, PaletteChangesForgetNearestColours) {
  const struct {
    const char* name;
    bool (*change)(PxImage&);
    std::uint32_t query;
    std::uint8_t before, after;
  } cases[] = {
      // Entry 55 is (55, 40, 90); white becomes (55, 55, 55).
      {"OffsetRGB", [](PxImage& i) { return i.OffsetRGB(-200, -200, -200); }, 0x373737, 55, 1},
      {"BrightContrast", [](PxImage& i) { return i.BrightContrast(-200, 0); }, 0x373737, 55, 1},
      // Black and white change places.
      {"Negative", [](PxImage& i) { return i.Negative(); }, 0x000000, 0, 1},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    PxImage image;
    MakeIndexed(image, 8, false, {{0, 1}});
    EXPECT_EQ(image.NearestIndex(Rgb(test.query)), test.before);
    ASSERT_TRUE(test.change(image));
    EXPECT_EQ(image.NearestIndex(Rgb(test.query)), test.after);
  }
}
