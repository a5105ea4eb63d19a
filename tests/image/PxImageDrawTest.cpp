// Drawing into a memory device context, read back from its DIB section; and the interpolating reader.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <cstring>
#include <vector>

using image_test::MakePattern;

namespace {

// A memory DC over a 24-bit top-down DIB section, prefilled with one colour.
class Canvas {
public:
  Canvas(int width, int height, COLORREF fill) : FWidth(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    FDC = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint8_t*>(bits);
    FOld = SelectObject(FDC, FBitmap);
    FRowBytes = ((width * 24 + 31) / 32) * 4;
    HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(FDC, &all, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  ~Canvas() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  HDC dc() const { return FDC; }
  // 0xRRGGBB at (x, y) from the top.
  std::uint32_t at(int x, int y) const {
    GdiFlush();
    const std::uint8_t* p = FBits + y * FRowBytes + 3 * x;
    return (p[2] << 16) | (p[1] << 8) | p[0];
  }
  int width() const { return FWidth; }

private:
  int FWidth;
  int FRowBytes = 0;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  std::uint8_t* FBits = nullptr;
};

std::uint32_t Rgb(RGBQUAD c) { return PackColor(c) & 0xFFFFFF; }

// Colour of image pixel (x, y) counted from the top.
std::uint32_t ImageAt(const PxImage& image, int x, int yFromTop) {
  return Rgb(image.PixelColor(x, image.Height() - 1 - yFromTop, false));
}

}  // namespace

TEST(DrawToDC, NaturalSizeCopiesEveryPixel) {
  for (const std::uint32_t bpp : {1u, 4u, 8u, 24u}) {
    PxImage image;
    MakePattern(image, 13, 7, bpp);
    Canvas canvas(20, 10, RGB(1, 2, 3));
    ASSERT_TRUE(image.DrawToDC(canvas.dc(), 2, 1, -1, -1));
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(canvas.at(x + 2, y + 1), ImageAt(image, x, y)) << bpp << ": " << x << "," << y;
    EXPECT_EQ(canvas.at(0, 0), 0x010203u);
    EXPECT_EQ(canvas.at(15, 8), 0x010203u);
    EXPECT_EQ(canvas.at(1, 3), 0x010203u);
  }
}

TEST(DrawToDC, RefusalsAndTargetsOutside) {
  PxImage image;
  MakePattern(image, 4, 4, 24);
  Canvas canvas(8, 8, RGB(9, 9, 9));
  EXPECT_FALSE(image.DrawToDC(canvas.dc(), 0, 0, 0, 4));
  EXPECT_FALSE(image.DrawToDC(nullptr, 0, 0, -1, -1));
  image.Info().enabled = false;
  EXPECT_FALSE(image.DrawToDC(canvas.dc(), 0, 0, -1, -1));
  image.Info().enabled = true;
  EXPECT_EQ(canvas.at(0, 0), 0x090909u);
  // Entirely outside the clip box: nothing to draw, which is no failure.
  EXPECT_TRUE(image.DrawToDC(canvas.dc(), 50, 50, -1, -1));
  EXPECT_TRUE(image.DrawToDC(canvas.dc(), -10, 2, 4, 4));
  const PxImage empty;
  EXPECT_FALSE(empty.DrawToDC(canvas.dc(), 0, 0, -1, -1));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(canvas.at(x, y), 0x090909u);
}

TEST(DrawToDC, ScalingSamplesSourcePixels) {
  PxImage image;
  MakePattern(image, 100, 100, 24);
  Canvas canvas(50, 50, RGB(0, 0, 0));
  ASSERT_TRUE(image.DrawToDC(canvas.dc(), 0, 0, 50, 50));
  // Columns from the left, rows from the bottom: screen row y shows source row 2y + 1 from the top.
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(canvas.at(x, y), ImageAt(image, 2 * x, 2 * y + 1)) << x << "," << y;

  // Enlarged twice: each source pixel covers two by two.
  PxImage source;
  MakePattern(source, 5, 4, 8);
  Canvas big(10, 8, RGB(0, 0, 0));
  ASSERT_TRUE(source.DrawToDC(big.dc(), 0, 0, 10, 8));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(big.at(x, y), ImageAt(source, x / 2, y / 2)) << x << "," << y;

  // Smoothing a uniform picture keeps it uniform.
  PxImage flat;
  ASSERT_TRUE(flat.Create(6, 6, 24, 0));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) flat.SetPixelColor(x, y, MakeColor(40, 80, 120));
  Canvas smooth(15, 9, RGB(0, 0, 0));
  ASSERT_TRUE(flat.DrawToDC(smooth.dc(), 0, 0, 15, 9, nullptr, true));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 15; ++x) EXPECT_EQ(smooth.at(x, y), 0x285078u) << x << "," << y;
}

TEST(DrawToDC, TransparencyLeavesTheDeviceContent) {
  PxImage palette;
  MakePattern(palette, 9, 5, 8);
  palette.SetTransparentIndex(palette.PixelIndex(3, 2));
  Canvas canvas(9, 5, RGB(7, 7, 7));
  ASSERT_TRUE(palette.DrawToDC(canvas.dc(), 0, 0, -1, -1));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 9; ++x) {
      const bool clear = palette.PixelIndex(x, 4 - y) == palette.TransparentIndex();
      EXPECT_EQ(canvas.at(x, y), clear ? 0x070707u : ImageAt(palette, x, y)) << x << "," << y;
    }
  }

  PxImage rgb;
  MakePattern(rgb, 9, 5, 24);
  rgb.SetTransparentColor(rgb.PixelColor(4, 4, false));
  rgb.SetTransparentIndex(0);
  Canvas second(9, 5, RGB(7, 7, 7));
  ASSERT_TRUE(rgb.DrawToDC(second.dc(), 0, 0, -1, -1));
  EXPECT_EQ(second.at(4, 0), 0x070707u);
  EXPECT_EQ(second.at(5, 0), ImageAt(rgb, 5, 0));
}

TEST(DrawToDC, AlphaBlendsOverTheDevice) {
  PxImage image;
  ASSERT_TRUE(image.Create(3, 1, 24, 0));
  for (int x = 0; x < 3; ++x) image.SetPixelColor(x, 0, MakeColor(200, 100, 0));
  ASSERT_TRUE(image.AlphaCreate());
  image.AlphaSet(0, 0, 0);
  image.AlphaSet(1, 0, 128);
  image.Info().alphaMax = 127;
  Canvas canvas(3, 1, RGB(0, 0, 200));
  ASSERT_TRUE(image.DrawToDC(canvas.dc(), 0, 0, -1, -1));
  EXPECT_EQ(canvas.at(0, 0), 0x0000C8u);
  // a = 128 * 128 >> 8 = 64; channel = (device * 191 + colour * 64) >> 8.
  EXPECT_EQ(canvas.at(1, 0), ((200 * 64 >> 8) << 16) | ((100 * 64 >> 8) << 8) | (200 * 191 >> 8));
  // a = 255 * 128 >> 8 = 127.
  EXPECT_EQ(canvas.at(2, 0), ((200 * 127 >> 8) << 16) | ((100 * 127 >> 8) << 8) | (200 * 128 >> 8));
}

TEST(DrawToDC, ClipRectangleLimitsTheDrawingAndIsUndone) {
  PxImage image;
  MakePattern(image, 10, 10, 24);
  Canvas canvas(10, 10, RGB(5, 5, 5));
  const RECT clip{2, 3, 6, 8};
  ASSERT_TRUE(image.DrawToDC(canvas.dc(), 0, 0, -1, -1, &clip));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
      EXPECT_EQ(canvas.at(x, y), inside ? ImageAt(image, x, y) : 0x050505u) << x << "," << y;
    }
  }
  ASSERT_TRUE(image.DrawToDC(canvas.dc(), 0, 0, -1, -1));
  EXPECT_EQ(canvas.at(0, 0), ImageAt(image, 0, 0));
  EXPECT_EQ(canvas.at(9, 9), ImageAt(image, 9, 9));
}

TEST(Interpolation, OverflowRules) {
  PxImage image;
  MakePattern(image, 5, 4, 24);
  std::int32_t x = -1, y = 4;
  image.OverflowCoordinates(x, y, 6);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 3);
  x = 5;
  y = -6;
  image.OverflowCoordinates(x, y, 6);
  EXPECT_EQ(x, 4);
  EXPECT_EQ(y, 2);
  x = -1;
  y = 9;
  image.OverflowCoordinates(x, y, 4);
  EXPECT_EQ(x, 4);
  EXPECT_EQ(y, 1);
  x = -7;
  y = 9;
  image.OverflowCoordinates(x, y, 5);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 3);
  float fx = -1.5f, fy = 2.0f;
  image.OverflowCoordinates(fx, fy, 6);
  EXPECT_FLOAT_EQ(fx, 1.5f);

  const RGBQUAD green = MakeColor(0, 255, 0);
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(-1, 0, 0)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(-1, 0, 1, &green)), 0x00FF00u);
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(-1, 0, 5)), Rgb(image.PixelColor(0, 0, false)));
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(7, 0, 4)), Rgb(image.PixelColor(2, 0, false)));
  image.SetTransparentColor(MakeColor(1, 2, 3));
  image.SetTransparentIndex(0);
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(-1, 0, 2)), 0x010203u);
  EXPECT_EQ(Rgb(image.PixelColorWithOverflow(-1, 0, 3)), 0x010203u);
  ASSERT_TRUE(image.AlphaCreate());
  EXPECT_EQ(PackColor(image.PixelColorWithOverflow(-1, 0, 3, &green)), 0x0000FF00u);
}

TEST(Interpolation, MethodsAtPixelCentresAndBetween) {
  PxImage image;
  MakePattern(image, 9, 9, 24);
  // Kernels that are 1 at 0 and 0 at every other integer give back the pixel itself.
  for (const std::uint8_t method : {1, 2, 4, 5, 6, 8, 10, 16}) {
    const RGBQUAD c = image.PixelColorInterpolated(4, 5, method, 5);
    const RGBQUAD expected = image.PixelColor(4, 5, false);
    EXPECT_NEAR(c.rgbRed, expected.rgbRed, 1) << int(method);
    EXPECT_NEAR(c.rgbGreen, expected.rgbGreen, 1) << int(method);
    EXPECT_NEAR(c.rgbBlue, expected.rgbBlue, 1) << int(method);
  }
  // Half way between two pixels, bilinear takes the mean.
  PxImage pair;
  ASSERT_TRUE(pair.Create(2, 1, 24, 0));
  pair.SetPixelColor(0, 0, MakeColor(0, 100, 200));
  pair.SetPixelColor(1, 0, MakeColor(100, 200, 0));
  const RGBQUAD mid = pair.PixelColorInterpolated(0.5f, 0, 2, 5);
  EXPECT_EQ(Rgb(mid), 0x329664u);
  // Far outside with a background overflow: the replacement colour.
  const RGBQUAD grey = MakeColor(9, 9, 9);
  for (const std::uint8_t method : {2, 3, 6, 13}) EXPECT_EQ(Rgb(pair.PixelColorInterpolated(-50, -50, method, 1, &grey)), 0x090909u);
  // A uniform picture stays uniform under every normalised kernel near its middle.
  PxImage flat;
  ASSERT_TRUE(flat.Create(20, 20, 8, 0));
  flat.Clear(0);
  flat.SetPaletteEntry(0, 50, 60, 70, 0);
  for (const std::uint8_t method : {3, 4, 5, 14, 16}) {
    const RGBQUAD c = flat.PixelColorInterpolated(9.3f, 10.6f, method, 5);
    EXPECT_NEAR(c.rgbRed, 50, 1) << int(method);
    EXPECT_NEAR(c.rgbBlue, 70, 1) << int(method);
  }
}
