#include "transitions/Tveffect.h"

#include "tests/support/testing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using classlib::TBitmap;
using classlib::TPixelFormat;
using classlib::TRect;
using transitions::TVEffects;

constexpr std::uint32_t OldColour = 0x00204060;
constexpr std::uint32_t NewColour = 0x00C0A080;
constexpr std::uint32_t Rgb = 0x00FFFFFF;

std::unique_ptr<TBitmap> MakeBitmap(int Width, int Height, TPixelFormat Format = TPixelFormat::pf32bit) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(Format);
  bitmap->SetSize(Width, Height);
  return bitmap;
}

std::uint32_t* Row(TBitmap& Bitmap, int Y) { return static_cast<std::uint32_t*>(Bitmap.ScanLine(Y)); }

void Fill(TBitmap& Bitmap, const std::function<std::uint32_t(int, int)>& Pixel) {
  for (int y = 0; y < Bitmap.Height(); ++y) {
    std::uint32_t* row = Row(Bitmap, y);
    for (int x = 0; x < Bitmap.Width(); ++x) row[x] = Pixel(x, y);
  }
}

void FillSolid(TBitmap& Bitmap, std::uint32_t Colour) {
  for (int y = 0; y < Bitmap.Height(); ++y) std::fill_n(Row(Bitmap, y), Bitmap.Width(), Colour);
}

// A pixel that tells where it came from: the position, and whether it is the old or the new picture.
std::uint32_t Encoded(int X, int Y, bool Old) {
  return (Old ? 0x800000u : 0u) | (static_cast<std::uint32_t>(Y) << 12) | static_cast<std::uint32_t>(X);
}

void RunEffect(int Style, TBitmap& Display, TBitmap& Image, int Step, int Progress) {
  TVEffects(Style).Proc(Display, Image, TRect{0, 0, Image.Width(), Image.Height()}, Step, Progress);
}

// The pixels of Display showing the new colour, as a mask.
std::vector<bool> NewMask(TBitmap& Display) {
  std::vector<bool> mask;
  for (int y = 0; y < Display.Height(); ++y) {
    const std::uint32_t* row = Row(Display, y);
    for (int x = 0; x < Display.Width(); ++x) mask.push_back((row[x] & Rgb) == NewColour);
  }
  return mask;
}

std::vector<bool> MaskOf(int W, int H, std::initializer_list<TRect> Rects) {
  std::vector<bool> mask(static_cast<std::size_t>(W) * H, false);
  for (const TRect& r : Rects)
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, H); ++y)
      for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, W); ++x) mask[static_cast<std::size_t>(y) * W + x] = true;
  return mask;
}

std::string Where(const std::vector<bool>& Actual, const std::vector<bool>& Expected, int W) {
  for (std::size_t i = 0; i < Actual.size(); ++i)
    if (Actual[i] != Expected[i])
      return "first difference at (" + std::to_string(i % W) + ", " + std::to_string(i / W) + ")";
  return "same";
}

TEST(TveffectTable, KeepsTheStoredNames) {
  EXPECT_STREQ("Unven shred from bottom", TVEffects(76).Name);
  EXPECT_STREQ("Push and sqeeze down", TVEffects(134).Name);
  EXPECT_STREQ("Rectangles apear from left and disapear to right", TVEffects(145).Name);
  EXPECT_STREQ("Expand from bottom", TVEffects(18).Name);
  EXPECT_STREQ("Expand from bottom", TVEffects(33).Name);
  EXPECT_STREQ("Fade", TVEffects(118).Name);
  EXPECT_STREQ("Rotational star", TVEffects(150).Name);
  for (int style = 1; style <= transitions::EffectCount; ++style) {
    EXPECT_NE(nullptr, TVEffects(style).Proc);
    EXPECT_NE(std::string(), TVEffects(style).Name);
  }
  EXPECT_THROW(TVEffects(0), std::out_of_range);
  EXPECT_THROW(TVEffects(151), std::out_of_range);
}

TEST(TveffectGeometry, MulDivRoundsHalvesAwayFromZero) {
  struct Case {
    int A, B, C, Expected;
  } cases[] = {{45, 1, 90, 1},   {44, 1, 90, 0},          {640, 99, 100, 634},    {-45, 1, 90, -1},
               {45, -1, 90, -1}, {5, 1, -2, -3},          {7, 3, 0, -1},          {2000000000, 3, 4, 1500000000},
               {1, 1, 3, 0},     {-2000000000, 2, 3, -1333333333}};
  for (const Case& c : cases) EXPECT_EQ(c.Expected, transitions::MulDiv(c.A, c.B, c.C)) << c.A << " " << c.B << " " << c.C;
}

TEST(TveffectGeometry, CalcExtentsFollowsTheLongerSide) {
  struct Case {
    TRect R;
    int Step, Progress, W, H, X, Y, G;
  } cases[] = {{{0, 0, 800, 600}, 4, 50, 800, 600, 400, 300, 36},
               {{0, 0, 300, 600}, 1, 33, 300, 600, 99, 198, 7},
               {{0, 0, 40, 30}, 4, 50, 40, 30, 20, 15, 2},
               {{0, 0, 40, 30}, 1, 50, 40, 30, 20, 15, 0}};
  for (const Case& c : cases) {
    const transitions::TExtents e = transitions::CalcExtents(c.R, c.Step, c.Progress);
    EXPECT_EQ(c.W, e.W);
    EXPECT_EQ(c.H, e.H);
    EXPECT_EQ(c.X, e.X);
    EXPECT_EQ(c.Y, e.Y);
    EXPECT_EQ(c.G, e.G);
  }
}

// Every style over a whole run, at a size with a grain and at one without (G = 0 at Step 1): each
// frame ends, and shows only the two pictures' colours (the fade: their blend, everywhere).
class EveryStyleRun : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(EveryStyleRun, ShowsOnlyTheTwoColours) {
  const auto [width, height, step] = GetParam();
  auto display = MakeBitmap(width, height);
  auto image = MakeBitmap(width, height);
  FillSolid(*image, NewColour);
  for (int style = 1; style <= transitions::EffectCount; ++style)
    for (int progress = 1; progress <= 99; ++progress) {
      FillSolid(*display, OldColour);
      RunEffect(style, *display, *image, step, progress);
      std::uint32_t faded = 0;
      if (style == 118)
        for (int c = 0; c < 24; c += 8)
          faded |= ((((100 - progress) * ((OldColour >> c) & 0xFF) + progress * ((NewColour >> c) & 0xFF)) / 100) << c);
      for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = Row(*display, y);
        for (int x = 0; x < width; ++x) {
          const std::uint32_t pixel = row[x] & Rgb;
          const bool allowed = style == 118 ? pixel == faded : pixel == OldColour || pixel == NewColour;
          if (!allowed) {
            ADD_FAILURE() << "style " << style << " at " << progress << ": pixel " << std::hex << pixel << std::dec
                          << " at (" << x << ", " << y << ")";
            return;
          }
        }
      }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, EveryStyleRun,
                         ::testing::Values(std::make_tuple(800, 600, 4), std::make_tuple(40, 30, 4),
                                           std::make_tuple(40, 30, 1), std::make_tuple(33, 75, 100)));

// The new-coloured part of the frame where its shape is fixed by the extents.
TEST(TveffectFrames, NewPartMatchesTheRectangles) {
  static constexpr int W = 800, H = 600;
  struct Case {
    int Style, Step, Progress;
    std::vector<bool> Expected;
  };
  auto bands = [](int left, int right, int first) {
    std::vector<bool> mask(W * H, false);
    for (int i = first; i < H; i += 10)
      for (int y = i; y < std::min(i + 5, H); ++y)
        for (int x = left; x < right; ++x) mask[y * W + x] = true;
    return mask;
  };
  auto orMasks = [](std::vector<bool> a, const std::vector<bool>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = a[i] || b[i];
    return a;
  };
  std::vector<bool> slats(W * H, false);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) slats[y * W + x] = x % 22 < 11;
  const std::vector<Case> cases = {
      {1, 4, 50, MaskOf(W, H, {{400, 0, 800, 600}})},
      {3, 4, 50, MaskOf(W, H, {{400, 0, 800, 600}})},
      {9, 4, 50, MaskOf(W, H, {{0, 0, 800, 600}})},
      {12, 4, 1, MaskOf(W, H, {{0, 0, 5, 600}, {795, 0, 800, 600}})},
      {16, 4, 50, MaskOf(W, H, {{0, 0, 800, 600}})},
      {29, 4, 50, MaskOf(W, H, {{0, 0, 800, 151}, {0, 449, 800, 600}})},
      {35, 4, 50, MaskOf(W, H, {{400, 300, 800, 600}})},
      {41, 4, 50, MaskOf(W, H, {{0, 0, 400, 300}})},
      {54, 4, 50, MaskOf(W, H, {{0, 0, 800, 150}, {0, 450, 800, 600}, {0, 0, 200, 600}, {600, 0, 800, 600}})},
      {55, 4, 50, MaskOf(W, H, {{0, 0, 201, 151}, {0, 449, 201, 600}, {599, 449, 800, 600}, {599, 0, 800, 151}})},
      {128, 4, 50, MaskOf(W, H, {{0, 0, 400, 600}})},
      {133, 4, 25, MaskOf(W, H, {{0, 450, 800, 600}})},
      {60, 4, 20, bands(480, 800, 0)},
      {60, 4, 48, bands(0, 800, 0)},
      {60, 4, 75, orMasks(bands(0, 800, 0), bands(400, 800, 5))},
      {64, 4, 30, orMasks(bands(0, 240, 5), bands(560, 800, 0))},
      {136, 4, 50, slats},
      {138, 4, 1, MaskOf(W, H, {})},
      {140, 4, 50, [] {
         std::vector<bool> m(W * H, false);
         for (int y = 0; y < H; ++y)
           for (int x = 0; x < W; ++x) m[y * W + x] = y % 300 < 150;
         return m;
       }()},
      {142, 4, 50, [] {
         // X' = 400 div 36 = 11, Y' = 8; grid step 800 div 18 = 44 by 600 div 18 = 33.
         std::vector<bool> m(W * H, false);
         for (int c = 0; c <= 18; ++c)
           for (int d = 0; d <= 18; ++d)
             for (int y = std::max(c * 33 - 8, 0); y < std::min(c * 33 + 8, H); ++y)
               for (int x = std::max(d * 44 - 11, 0); x < std::min(d * 44 + 11, W); ++x) m[y * W + x] = true;
         return m;
       }()},
  };
  auto display = MakeBitmap(W, H);
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  for (const Case& c : cases) {
    FillSolid(*display, OldColour);
    RunEffect(c.Style, *display, *image, c.Step, c.Progress);
    const std::vector<bool> actual = NewMask(*display);
    EXPECT_TRUE(actual == c.Expected) << "style " << c.Style << " at " << c.Progress << ": "
                                      << Where(actual, c.Expected, W);
  }
}

// Pictures under 45 pixels have no grain at Step 1: the build-up styles show the uncovered part only.
TEST(TveffectFrames, BuildUpWithoutGrainShowsTheUncoveredPart) {
  constexpr int W = 40, H = 30;
  auto display = MakeBitmap(W, H);
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  const struct {
    int Style;
    TRect Expected;
  } cases[] = {{16, {0, 0, 20, 30}}, {17, {20, 0, 40, 30}}, {33, {0, 0, 40, 15}}, {34, {0, 15, 40, 30}}};
  for (const auto& c : cases) {
    FillSolid(*display, OldColour);
    RunEffect(c.Style, *display, *image, 1, 50);
    EXPECT_TRUE(NewMask(*display) == MaskOf(W, H, {c.Expected})) << "style " << c.Style;
  }
}

// Frames checked pixel by pixel against where each pixel must come from.
class EncodedFrame : public ::testing::Test {
protected:
  static constexpr int W = 800, H = 600;

  void Compose(int Style, int Progress) {
    Fill(*display, [](int x, int y) { return Encoded(x, y, true); });
    RunEffect(Style, *display, *image, 4, Progress);
  }
  std::uint32_t At(int X, int Y) { return Row(*display, Y)[X] & Rgb; }
  // Source position of a pixel from the new picture, or -1 for the old one.
  static int SourceX(std::uint32_t Pixel) { return Pixel & 0x800000 ? -1 : static_cast<int>(Pixel & 0xFFF); }
  static int SourceY(std::uint32_t Pixel) { return Pixel & 0x800000 ? -1 : static_cast<int>((Pixel >> 12) & 0x7FF); }

  // Every pixel of Area comes unscaled from the new picture, displaced by (DX, DY).
  void ExpectShifted(const TRect& Area, int DX, int DY) {
    for (int y = Area.top; y < Area.bottom; ++y)
      for (int x = Area.left; x < Area.right; ++x)
        if (At(x, y) != Encoded(x + DX, y + DY, false)) {
          ADD_FAILURE() << "at (" << x << ", " << y << ") " << std::hex << At(x, y);
          return;
        }
  }
  // Every pixel of Area comes from the new picture at about Origin + (x - Area.left, y - Area.top) * Scale.
  void ExpectScaled(const TRect& Area, double OriginX, double OriginY, double ScaleX, double ScaleY) {
    for (int y = Area.top; y < Area.bottom; ++y)
      for (int x = Area.left; x < Area.right; ++x) {
        const std::uint32_t pixel = At(x, y);
        const double sx = OriginX + (x - Area.left) * ScaleX;
        const double sy = OriginY + (y - Area.top) * ScaleY;
        if (SourceX(pixel) < sx - 1 || SourceX(pixel) > sx + ScaleX + 1 || SourceY(pixel) < sy - 1 ||
            SourceY(pixel) > sy + ScaleY + 1) {
          ADD_FAILURE() << "at (" << x << ", " << y << ") source " << SourceX(pixel) << ", " << SourceY(pixel);
          return;
        }
      }
  }
  void ExpectOld(const TRect& Area) { ExpectOldShifted(Area, 0, 0); }
  void ExpectOldShifted(const TRect& Area, int DX, int DY) {
    for (int y = Area.top; y < Area.bottom; ++y)
      for (int x = Area.left; x < Area.right; ++x)
        if (At(x, y) != Encoded(x + DX, y + DY, true)) {
          ADD_FAILURE() << "old expected at (" << x << ", " << y << ") " << std::hex << At(x, y);
          return;
        }
  }

  std::unique_ptr<TBitmap> display = MakeBitmap(W, H);
  std::unique_ptr<TBitmap> image = [] {
    auto bitmap = MakeBitmap(W, H);
    Fill(*bitmap, [](int x, int y) { return Encoded(x, y, false); });
    return bitmap;
  }();
};

TEST_F(EncodedFrame, OneAxisCopies) {
  Compose(1, 50);
  ExpectOld({0, 0, 400, 600});
  ExpectScaled({400, 0, 800, 600}, 0, 0, 2, 1);
  Compose(3, 50);
  ExpectOld({0, 0, 400, 600});
  ExpectShifted({400, 0, 800, 600}, -400, 0);
  // W 800, X 400: a roll 80 wide, showing the strip beyond it mirrored.
  Compose(14, 50);
  ExpectShifted({0, 0, 400, 600}, 0, 0);
  for (int x = 402; x < 478; ++x) {
    const int source = SourceX(At(x, 300));
    ASSERT_GE(source, 480) << x;
    ASSERT_LT(source, 560) << x;
    EXPECT_LT(source, SourceX(At(x - 1, 300)) + 1) << x;
  }
  // The mirrored roll reaches one pixel beyond either end of (400, 480).
  ExpectOld({482, 0, 800, 600});
}

TEST_F(EncodedFrame, CornerAndQuarterCopies) {
  Compose(35, 50);
  ExpectOld({0, 0, 800, 300});
  ExpectScaled({400, 300, 800, 600}, 0, 0, 2, 2);
  Compose(41, 50);
  ExpectShifted({0, 0, 400, 300}, 400, 300);
  ExpectOld({400, 0, 800, 600});
  Compose(51, 50);
  ExpectScaled({0, 0, 800, 600}, 300, 225, 0.25, 0.25);
  Compose(57, 50);
  // Quarter 1 lands at (-200, 0, 201, 301), unscaled; quarter 3 at (600, 299, 1000, 600).
  ExpectShifted({0, 0, 201, 301}, 200, 0);
  ExpectOld({201, 151, 399, 450});
  ExpectScaled({600, 299, 800, 600}, 401, 299, 399.0 / 400, 1);
}

TEST_F(EncodedFrame, PushesMoveTheWholeOldScreen) {
  Compose(128, 50);
  ExpectShifted({0, 0, 400, 600}, 400, 0);
  ExpectOldShifted({400, 0, 800, 600}, -400, 0);
  Compose(129, 25);
  ExpectOldShifted({0, 0, 600, 600}, 200, 0);
  ExpectShifted({600, 0, 800, 600}, -600, 0);
  Compose(132, 50);
  ExpectShifted({0, 0, 800, 300}, 0, 300);
  ExpectOldShifted({0, 300, 800, 600}, 0, -300);
  Compose(130, 50);
  ExpectShifted({0, 0, 400, 600}, 400, 0);
  for (int x = 400; x < 800; ++x) {
    const std::uint32_t pixel = At(x, 123);
    ASSERT_TRUE(pixel & 0x800000) << x;
    EXPECT_NEAR(2 * (x - 400), static_cast<int>(pixel & 0xFFF), 1) << x;
    EXPECT_EQ(123u, (pixel >> 12) & 0x7FF);
  }
}

TEST_F(EncodedFrame, RegionStylesShowTheNewPictureInPlace) {
  for (int style : {60, 65, 86, 99, 109, 123, 126, 136, 142, 145}) {
    Compose(style, 40);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        if (At(x, y) != Encoded(x, y, true) && At(x, y) != Encoded(x, y, false)) {
          ADD_FAILURE() << "style " << style << " at (" << x << ", " << y << ")";
          y = H;
          break;
        }
  }
}

// The raster drawing must give what drawing through the GDI region gives.
class AgainstRegion : public ::testing::TestWithParam<std::tuple<int, int, int, int, int>> {};

TEST_P(AgainstRegion, SamePixelsAsGdiClipping) {
  const auto [style, width, height, step, progress] = GetParam();
  auto display = MakeBitmap(width, height);
  auto image = MakeBitmap(width, height);
  FillSolid(*image, NewColour);
  FillSolid(*display, OldColour);
  RunEffect(style, *display, *image, step, progress);

  const transitions::TExtents e = transitions::CalcExtents(TRect{0, 0, width, height}, step, progress);
  const int W = e.W, H = e.H, X = e.X, Y = e.Y, cx = W / 2, cy = H / 2;
  HRGN region = nullptr;
  switch (style) {
    case 84: region = CreateRoundRectRgn(cx - X, cy - Y, cx + X, cy + Y, 9 * X / 5, 9 * Y / 5); break;
    case 58: region = CreateRoundRectRgn(-2 * W, -5, 2 * X, H + 5, 2 * W, 2 * W); break;
    case 116: {
      region = transitions::CreateTriangleRgn(cx, cy, 0, H, 0, H - Y);
      const int more[3][6] = {{0, 0, X, 0, cx, cy}, {W - X, H, cx, cy, W, H}, {cx, cy, W, 0, W, Y}};
      for (const auto& t : more) {
        HRGN part = transitions::CreateTriangleRgn(t[0], t[1], t[2], t[3], t[4], t[5]);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
      }
      break;
    }
    case 117: {
      const int half = e.G > 1 ? e.G / 2 : std::max(e.G, 1);
      const int rx = X / half, ry = Y / half, cw = W / half, ch = H / half;
      region = CreateRectRgn(0, 0, 0, 0);
      for (int c = half; c >= 0; --c)
        for (int d = half; d >= 0; --d) {
          HRGN part = transitions::CreateTriangleRgn(d * cw - rx, c * ch - ry, d * cw + rx, c * ch - ry, d * cw - rx,
                                                     c * ch + ry);
          CombineRgn(region, region, part, RGN_OR);
          DeleteObject(part);
        }
      break;
    }
  }
  ASSERT_NE(nullptr, region);
  auto reference = MakeBitmap(width, height);
  FillSolid(*reference, OldColour);
  HDC dc = reference->Canvas()->Handle();
  SelectClipRgn(dc, region);
  DeleteObject(region);
  reference->Canvas()->Draw(0, 0, image.get());
  SelectClipRgn(dc, nullptr);
  EXPECT_TRUE(NewMask(*display) == NewMask(*reference)) << Where(NewMask(*display), NewMask(*reference), width);
}

INSTANTIATE_TEST_SUITE_P(Shapes, AgainstRegion,
                         ::testing::Values(std::make_tuple(84, 800, 600, 4, 25), std::make_tuple(84, 800, 600, 4, 50),
                                           std::make_tuple(58, 800, 600, 4, 30), std::make_tuple(116, 640, 480, 4, 37),
                                           std::make_tuple(117, 800, 600, 4, 43), std::make_tuple(117, 40, 30, 1, 60),
                                           std::make_tuple(117, 333, 250, 9, 71)));

// A new picture of another pixel format is drawn as a blit through the region would draw it: every
// pixel is either the old one or what a plain blit of the new picture gives, fourth byte included.
TEST(TveffectFrames, RegionStylesConvertOtherFormats) {
  constexpr int W = 200, H = 100;
  auto image = MakeBitmap(W, H, TPixelFormat::pf24bit);
  std::uint32_t noise = 99;
  for (int y = 0; y < H; ++y) {
    auto* bytes = static_cast<std::uint8_t*>(image->ScanLine(y));
    for (int x = 0; x < W * 3; ++x) bytes[x] = static_cast<std::uint8_t>((noise = noise * 1103515245u + 12345u) >> 24);
  }
  for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pfDevice, TPixelFormat::pf24bit, TPixelFormat::pf16bit}) {
    auto blitted = MakeBitmap(W, H, format);
    blitted->Canvas()->Draw(0, 0, image.get());
    BITMAP info{};
    GetObjectW(blitted->Handle(), sizeof(info), &info);
    const int bytes = info.bmBitsPixel / 8;
    for (int style : {60, 136, 84}) {
      auto display = MakeBitmap(W, H, format);
      std::vector<std::uint8_t> old;
      for (int y = 0; y < H; ++y) {
        auto* row = static_cast<std::uint8_t*>(display->ScanLine(y));
        for (int x = 0; x < W * bytes; ++x) row[x] = static_cast<std::uint8_t>(0xF0 ^ x ^ y);
      }
      RunEffect(style, *display, *image, 4, 60);
      int shown = 0;
      for (int y = 0; y < H; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(display->ScanLine(y));
        const auto* expected = static_cast<const std::uint8_t*>(blitted->ScanLine(y));
        for (int x = 0; x < W; ++x) {
          bool isOld = true, isNew = true;
          for (int c = 0; c < bytes; ++c) {
            isOld = isOld && row[x * bytes + c] == static_cast<std::uint8_t>(0xF0 ^ (x * bytes + c) ^ y);
            isNew = isNew && row[x * bytes + c] == expected[x * bytes + c];
          }
          shown += isNew && !isOld;
          ASSERT_TRUE(isOld || isNew) << "style " << style << " format " << static_cast<int>(format) << " at (" << x
                                      << ", " << y << ")";
        }
      }
      EXPECT_GT(shown, W * H / 10) << style;
    }
  }
}

TEST(TveffectFade, BlendsTheColourBytesAndKeepsTheFourth) {
  constexpr int W = 7;  // odd: the last pixels take the plain path
  auto display = MakeBitmap(W, 2);
  auto image = MakeBitmap(W, 2);
  Fill(*display, [](int, int y) { return y == 0 ? 0x7FC8C8C8u : 0x11FFFFFFu; });
  Fill(*image, [](int, int y) { return y == 0 ? 0x33646464u : 0x22000000u; });
  RunEffect(118, *display, *image, 4, 25);
  for (int x = 0; x < W; ++x) EXPECT_EQ(0x7FAFAFAFu, Row(*display, 0)[x]) << x;  // 200/100 -> 175
  Fill(*display, [](int, int y) { return y == 0 ? 0x7FC8C8C8u : 0x11FFFFFFu; });
  RunEffect(118, *display, *image, 4, 1);
  for (int x = 0; x < W; ++x) EXPECT_EQ(0x11FCFCFCu, Row(*display, 1)[x]) << x;  // 255/0 -> 252
}

TEST(TveffectFade, ExactForEveryByteAndProgress) {
  constexpr int W = 256;
  const std::uint8_t news[] = {0, 1, 99, 128, 254, 255};
  auto display = MakeBitmap(W, 6);
  auto image = MakeBitmap(W, 6);
  Fill(*image, [&news](int, int y) { return news[y] * 0x010101u; });
  for (int progress = 1; progress <= 99; ++progress) {
    Fill(*display, [](int x, int) { return static_cast<std::uint32_t>(x) * 0x010101u; });
    RunEffect(118, *display, *image, 4, progress);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < W; ++x) {
        const std::uint32_t expected = ((100 - progress) * x + progress * news[y]) / 100;
        ASSERT_EQ(expected * 0x010101u, Row(*display, y)[x]) << progress << " " << x << " " << int(news[y]);
      }
  }
}

TEST(TveffectPivot, TurnsIntoPlace) {
  constexpr int W = 200, H = 150;
  auto display = MakeBitmap(W, H);
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  for (int style = 119; style <= 122; ++style) {
    FillSolid(*display, OldColour);
    RunEffect(style, *display, *image, 4, 1);
    const std::vector<bool> early = NewMask(*display);
    FillSolid(*display, OldColour);
    RunEffect(style, *display, *image, 4, 99);
    const std::vector<bool> late = NewMask(*display);
    const auto count = [](const std::vector<bool>& m) { return std::count(m.begin(), m.end(), true); };
    EXPECT_LT(count(early), W * H / 50) << style;
    EXPECT_GT(count(late), W * H * 9 / 10) << style;
  }
}

// A picture wider than 32767 pixels overflows 32-bit products of the turn.
TEST(TveffectPivot, WidePicturesTurnCorrectly) {
  constexpr int W = 33000, H = 560;
  auto display = MakeBitmap(W, H);
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  FillSolid(*display, OldColour);
  RunEffect(120, *display, *image, 4, 99);
  // Turned 0.9 degrees clockwise about the top-left corner, the far right end has dropped some 518
  // rows: the bottom rows there show the top of the new picture, the top rows the old screen.
  for (int x = W - 200; x < W; x += 37) {
    EXPECT_EQ(NewColour, Row(*display, H - 5)[x] & Rgb) << x;
    EXPECT_EQ(OldColour, Row(*display, 5)[x] & Rgb) << x;
  }
  EXPECT_EQ(NewColour, Row(*display, 10)[10] & Rgb);
}

TEST(TveffectRandom, SquaresOnceShownStay) {
  constexpr int W = 800, H = 600;
  auto display = MakeBitmap(W, H);
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  classlib::TRandomGenerator own(1234);
  transitions::TEffectRandomScope scope(own);
  FillSolid(*display, OldColour);
  RunEffect(127, *display, *image, 4, 30);
  const std::vector<bool> at30 = NewMask(*display);
  FillSolid(*display, OldColour);
  RunEffect(127, *display, *image, 4, 31);
  const std::vector<bool> at31 = NewMask(*display);
  bool subset = true;
  for (std::size_t i = 0; i < at30.size(); ++i) subset = subset && (!at30[i] || at31[i]);
  EXPECT_TRUE(subset);
  EXPECT_NE(at30, at31);
  EXPECT_EQ(1234u, own.Seed());  // the control's generator is not reseeded
}

TEST(TveffectRandom, ShredsDrawFromTheScopedGenerator) {
  constexpr int W = 300, H = 200;
  auto image = MakeBitmap(W, H);
  FillSolid(*image, NewColour);
  auto frame = [&](std::uint32_t seed, std::uint32_t* seedAfter) {
    auto display = MakeBitmap(W, H);
    FillSolid(*display, OldColour);
    classlib::TRandomGenerator generator(seed);
    transitions::TEffectRandomScope scope(generator);
    RunEffect(108, *display, *image, 4, 50);
    RunEffect(124, *display, *image, 4, 50);
    *seedAfter = generator.Seed();
    return NewMask(*display);
  };
  std::uint32_t after1 = 0, after2 = 0, after3 = 0;
  const auto first = frame(77, &after1);
  EXPECT_EQ(first, frame(77, &after2));
  EXPECT_NE(first, frame(78, &after3));
  EXPECT_NE(77u, after1);
  EXPECT_EQ(after1, after2);
}

TEST(TveffectRandom, GeneratorSequence) {
  classlib::TRandomGenerator random(1);
  EXPECT_EQ(0, random.Random(0));
  EXPECT_EQ(134775814u, random.Seed());
  const std::uint32_t next = 134775814u * 134775813u + 1u;
  EXPECT_EQ(static_cast<std::int32_t>((100ull * next) >> 32), random.Random(100));
  EXPECT_EQ(next, random.Seed());
}

TEST(TveffectGeometry, EmptyPicturesDrawNothing) {
  auto display = MakeBitmap(10, 10);
  FillSolid(*display, OldColour);
  TBitmap empty;
  for (int style = 1; style <= transitions::EffectCount; ++style)
    TVEffects(style).Proc(*display, empty, TRect{0, 0, 0, 10}, 4, 50);
  EXPECT_TRUE(NewMask(*display) == MaskOf(10, 10, {}));
}

TEST(TveffectGeometry, RotateAndSector) {
  classlib::TPoint points[] = {{110, 100}, {100, 90}};
  transitions::RotatePoints(points, 100, 100, 3.1415926535897932385L / 2);
  EXPECT_EQ(100, points[0].x);  // clockwise on the screen: right -> down
  EXPECT_EQ(110, points[0].y);
  EXPECT_EQ(110, points[1].x);
  EXPECT_EQ(100, points[1].y);
  // 143 at P 25: 24 steps of 3.6 degrees from 12 o'clock.
  HRGN sector = transitions::CreateSectorRgn(100, 100, 50, -3.1415926535897932385L / 2, 0, 25);
  EXPECT_TRUE(PtInRegion(sector, 120, 80));
  EXPECT_FALSE(PtInRegion(sector, 80, 80));
  EXPECT_FALSE(PtInRegion(sector, 120, 120));
  DeleteObject(sector);
}

}  // namespace
