#include "tests/support/testing.h"

#include "skin/data/Skeffbmp.h"
#include "tests/skin/data/SkutilsTesting.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace skin;

namespace {

// A buffer of Width x Height pixels, every channel of pixel (x, y) from Value(x, y).
TskEffectBmp Filled(int Width, int Height, int (*Value)(int, int)) {
  TskEffectBmp bmp(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const int v = Value(x, y) & 0xFF;
      bmp.SetPixel(x, y, v | v << 8 | v << 16);
    }
  return bmp;
}

TskEffectBmp Plain(int Width, int Height, int Color) {
  TskEffectBmp bmp(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) bmp.SetPixel(x, y, Color);
  return bmp;
}

int Red(const TskEffectBmp& Bmp, int X, int Y) { return (Bmp.GetPixel(X, Y) >> 16) & 0xFF; }
int Blue(const TskEffectBmp& Bmp, int X, int Y) { return Bmp.GetPixel(X, Y) & 0xFF; }

// The red channel of every pixel of row Y.
std::vector<int> Reds(const TskEffectBmp& Bmp, int Y = 0) {
  std::vector<int> reds;
  for (int x = 0; x < Bmp.Width(); ++x) reds.push_back(Red(Bmp, x, Y));
  return reds;
}

std::uint16_t ControlWord() {
  std::uint16_t word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

TEST(EffectBmp, ConstructionAndPixelAccess) {
  TskEffectBmp bmp(5, 3);
  EXPECT_EQ(bmp.Size(), (5 * 3 + 5 % 4) * 3);
  bmp.SetPixel(4, 2, 0x7F102030);
  EXPECT_EQ(bmp.GetPixel(4, 2) & 0xFFFFFF, 0x102030);
  EXPECT_EQ(bmp.GetLine(2)[12], 0x30);  // blue first
  bmp.SetPixel(5, 0, 0xFFFFFF);  // outside: ignored
  EXPECT_EQ(bmp.GetPixel(-1, 0), 0);
  std::uint8_t row[15];
  bmp.GetScanLine(2, row);
  row[0] = 0x11;
  bmp.SetLine(1, row);
  EXPECT_EQ(bmp.GetPixel(0, 1) & 0xFF, 0x11);
  EXPECT_EQ(bmp.GetPixel(4, 1) & 0xFFFFFF, 0x102030);

  const TskEffectBmp copy(bmp);
  EXPECT_EQ(copy.GetPixel(4, 2) & 0xFFFFFF, 0x102030);
  TskEffectBmp empty(0, 4);
  EXPECT_EQ(empty.Width(), 0);
  empty.Invert();
  empty.Morph(bmp, 0.5);
  empty.SplitBlur(3);
  empty.Mosaic(2);

  classlib::TBitmap picture;
  skintesting::MakeCoded(picture, 7, 4);
  TskEffectBmp fromBitmap(picture.Handle());
  ASSERT_EQ(fromBitmap.Width(), 7);
  ASSERT_EQ(fromBitmap.Height(), 4);
  EXPECT_EQ(fromBitmap.GetPixel(6, 3) & 0xFFFFFF, 6 << 16 | 3 << 8 | skintesting::kCodedBlue);

  // Read again into the same buffer, only from a bitmap of its size.
  fromBitmap.Invert();
  EXPECT_TRUE(fromBitmap.Load(picture.Handle()));
  EXPECT_EQ(fromBitmap.GetPixel(6, 3) & 0xFFFFFF, 6 << 16 | 3 << 8 | skintesting::kCodedBlue);
  classlib::TBitmap wider;
  skintesting::MakeCoded(wider, 8, 4);
  fromBitmap.Invert();
  EXPECT_FALSE(fromBitmap.Load(wider.Handle()));
  EXPECT_FALSE(fromBitmap.Load(nullptr));
  EXPECT_FALSE(empty.Load(picture.Handle()));
  EXPECT_NE(fromBitmap.GetPixel(6, 3) & 0xFFFFFF, 6 << 16 | 3 << 8 | skintesting::kCodedBlue);
  fromBitmap.Invert();

  // Drawn back at its own size and stretched.
  classlib::TBitmap target;
  skintesting::Fill(target, 20, 10, RGB(255, 255, 255));
  fromBitmap.Draw(target.Canvas()->Handle(), 2, 1);
  EXPECT_EQ(skintesting::SourceAt(target, 8, 4), (skintesting::TSource{6, 3}));
  fromBitmap.Stretch(target.Canvas()->Handle(), 0, 0, 14, 8);
  EXPECT_EQ(skintesting::SourceAt(target, 13, 7), (skintesting::TSource{6, 3}));
}

TEST(EffectBmp, MorphRoundsHalvesToEvenAndClampsTheFactor) {
  const struct {
    int own, src;
    double kf;
    int expected;
  } rows[] = {{10, 11, 0.5, 10}, {11, 12, 0.5, 12}, {0, 255, 1.7, 255}, {0, 255, -1, 0},
              {0, 255, std::numeric_limits<double>::quiet_NaN(), 0}, {100, 200, 0.25, 125}};
  for (const auto& row : rows) {
    TskEffectBmp own = Plain(2, 2, row.own << 16);
    const TskEffectBmp src = Plain(2, 2, row.src << 16);
    own.Morph(src, row.kf);
    EXPECT_EQ(Red(own, 1, 1), row.expected) << row.own << " over " << row.src << " at " << row.kf;
  }
  TskEffectBmp own = Plain(3, 2, 0);
  const TskEffectBmp narrower = Plain(2, 2, 0xFFFFFF);
  own.Morph(narrower, 0.5);
  EXPECT_EQ(own.GetPixel(0, 0), 0);
}

TEST(EffectBmp, BrightnessDarknessAndGreyRoundInExtendedPrecision) {
  const std::uint16_t before = ControlWord();
  TskEffectBmp bmp = Plain(2, 1, 0);
  bmp.SetPixel(1, 0, 0xFFFFFF);
  bmp.ChangeBrightness(0.5);
  EXPECT_EQ(Red(bmp, 0, 0), 128);
  EXPECT_EQ(Red(bmp, 1, 0), 255);

  TskEffectBmp dark = Plain(1, 1, 0xFFFFFF);
  dark.ChangeDarkness(0.5);
  EXPECT_EQ(Red(dark, 0, 0), 128);
  TskEffectBmp darker = Plain(1, 1, 0xFFFFFF);
  darker.ChangeDarkness(0.3);
  EXPECT_EQ(Red(darker, 0, 0), 179);  // 178.50000000000000283 in 64 bits
  EXPECT_EQ(ControlWord(), before);   // the thread's precision comes back

  TskEffectBmp grey = Plain(3, 1, 0xFFFFFF);
  grey.SetPixel(1, 0, 0);
  grey.SetPixel(2, 0, 0x0000FF);
  grey.GrayScale();
  EXPECT_EQ(grey.GetPixel(0, 0) & 0xFFFFFF, 0xFFFFFF);
  EXPECT_EQ(grey.GetPixel(1, 0) & 0xFFFFFF, 0);
  EXPECT_EQ(grey.GetPixel(2, 0) & 0xFFFFFF, 0x1C1C1C);  // 0.11 * 255 = 28.05

  TskEffectBmp inverted = Plain(1, 1, 0x102030);
  inverted.Invert();
  EXPECT_EQ(inverted.GetPixel(0, 0) & 0xFFFFFF, 0xEFDFCF);
}

DWORD WINAPI DarkenOnWorker(LPVOID Result) {
  TskEffectBmp bmp = Plain(1, 1, 0xFFFFFF);
  bmp.ChangeDarkness(0.3);
  *static_cast<int*>(Result) = Red(bmp, 0, 0);
  return 0;
}

TEST(EffectBmp, ExtendedPrecisionHoldsOnAWorkerThreadToo) {
  int result = -1;
  const HANDLE thread = CreateThread(nullptr, 0, DarkenOnWorker, &result, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(result, 179);
}

int Column(int x, int) { return x; }
int Column100(int x, int) { return 100 + x; }

TEST(EffectBmp, PushAndSlides) {
  TskEffectBmp own = Filled(10, 2, Column);
  const TskEffectBmp src = Filled(10, 2, Column100);
  own.MorphPush(src, 0.5);
  EXPECT_EQ(Reds(own, 1), (std::vector<int>{104, 105, 106, 107, 108, 109, 0, 1, 2, 3}));

  const TskEffectBmp row = Filled(10, 1, Column100);
  TskEffectBmp left = Filled(10, 1, Column);
  left.MorphLeftSlide(row, 0.5);
  EXPECT_EQ(Reds(left), (std::vector<int>{105, 106, 107, 108, 109, 5, 6, 7, 8, 9}));
  TskEffectBmp right = Filled(10, 1, Column);
  right.MorphRightSlide(row, 0.5);
  EXPECT_EQ(Reds(right), (std::vector<int>{0, 1, 2, 3, 4, 100, 101, 102, 103, 104}));
  TskEffectBmp full = Filled(10, 1, Column);
  full.MorphLeftSlide(row, 1);
  EXPECT_EQ(Reds(full), (std::vector<int>{101, 102, 103, 104, 105, 106, 107, 108, 109, 9}));
  TskEffectBmp pushedAll = Filled(10, 1, Column);
  pushedAll.MorphPush(row, 5);
  EXPECT_EQ(Reds(pushedAll), (std::vector<int>{100, 101, 102, 103, 104, 105, 106, 107, 108, 109}));
}

TEST(EffectBmp, Gradients) {
  const TskEffectBmp black = Plain(10, 1, 0);
  const TskEffectBmp white = Plain(10, 1, 0xFA0000);  // red 250
  TskEffectBmp leftGrad = Plain(10, 1, 0);
  leftGrad.MorphLeftGrad(white, 0);
  EXPECT_EQ(Reds(leftGrad), (std::vector<int>{250, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  TskEffectBmp hGrad = Plain(10, 1, 0);
  hGrad.MorphHGrad(white, 0);  // column 5 opens; weights step by 1/5 to both sides
  EXPECT_EQ(Reds(hGrad), (std::vector<int>{0, 50, 100, 150, 200, 250, 200, 150, 100, 50}));

  TskEffectBmp rightGrad = Plain(10, 1, 0);
  rightGrad.MorphRightGrad(white, 0.5);  // columns 9 down to 5, weights 0 .. 4/5
  EXPECT_EQ(Reds(rightGrad), (std::vector<int>{0, 0, 0, 0, 0, 50, 100, 150, 200, 250}));

  TskEffectBmp tall = Plain(1, 10, 0);
  const TskEffectBmp tallSrc = Plain(1, 10, 0xFA0000);
  tall.MorphGrad(tallSrc, 1);  // taller than wide: the rows open
  EXPECT_EQ(Red(tall, 0, 5), 250);
  for (const double kf : {-3.0, 7.0, std::numeric_limits<double>::quiet_NaN(), 1e300}) {
    TskEffectBmp any = Plain(10, 1, 0);
    any.MorphHGrad(white, kf);
    any.MorphVGrad(white, kf);
    any.MorphLeftGrad(white, kf);
    any.MorphRightGrad(white, kf);
    any.MorphPush(white, kf);
    any.MorphLeftSlide(white, kf);
    any.MorphRightSlide(white, kf);
  }
  TskEffectBmp one = Plain(1, 1, 0);
  one.MorphLeftGrad(white, 0.5);
  one.MorphLeftSlide(Plain(1, 1, 0xFF), 0.5);
  (void)black;
}

TEST(EffectBmp, RectanglesCopyInclusiveMixExclusiveAndStayInside) {
  const TskEffectBmp src = Plain(4, 4, 0xC80000);  // red 200
  TskEffectBmp copied = Plain(4, 4, 0);
  copied.CopyRect(src, TRect{0, 0, 1, 1}, 0, 0);
  int changed = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) changed += Red(copied, x, y) != 0;
  EXPECT_EQ(changed, 4);

  TskEffectBmp mixed = Plain(4, 4, 0);
  mixed.MorphRect(src, 0.5, TRect{0, 0, 1, 1}, 0, 0);
  changed = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) changed += Red(mixed, x, y) != 0;
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(Red(mixed, 0, 0), 100);

  // Far outside either buffer: writes clipped, reads taken from Src's nearest edge.
  TskEffectBmp edge = Plain(4, 4, 0);
  TskEffectBmp gradient = Filled(4, 4, Column100);
  edge.CopyRect(gradient, TRect{-5, -5, 50, 50}, 30, -30);
  EXPECT_EQ(Red(edge, 0, 0), 103);
  edge.MorphRect(gradient, 1, TRect{-100, 2, 100, 3}, -1000, 1000);
  EXPECT_EQ(Red(edge, 3, 2), 100);
  EXPECT_EQ(Red(edge, 3, 1), 103);
}

TEST(EffectBmp, TurnsFlipsAndResize) {
  TskEffectBmp ab(2, 1);
  ab.SetPixel(0, 0, 0xA);
  ab.SetPixel(1, 0, 0xB);
  TskEffectBmp turned(1, 2);
  ab.Rotate90_1(turned);
  EXPECT_EQ(Blue(turned, 0, 0), 0xB);
  EXPECT_EQ(Blue(turned, 0, 1), 0xA);
  ab.Rotate90_2(turned);
  EXPECT_EQ(Blue(turned, 0, 0), 0xA);
  EXPECT_EQ(Blue(turned, 0, 1), 0xB);

  TskEffectBmp wide(4, 1);
  ab.Resize(wide);  // blocks of 3 at columns 0 and 2: the second reaches past the last column
  EXPECT_EQ(Blue(wide, 0, 0), 0xA);
  EXPECT_EQ(Blue(wide, 1, 0), 0xA);
  EXPECT_EQ(Blue(wide, 2, 0), 0xB);
  EXPECT_EQ(Blue(wide, 3, 0), 0xB);

  TskEffectBmp column = Filled(1, 3, [](int, int y) { return y + 1; });
  TskEffectBmp flipped(1, 3);
  column.FlipVert(flipped);
  EXPECT_EQ(Blue(flipped, 0, 0), 3);
  EXPECT_EQ(Blue(flipped, 0, 2), 1);

  // Targets of the wrong size take what fits and nothing more.
  TskEffectBmp big = Filled(9, 7, Column), narrow(2, 2), tiny(1, 1);
  big.Rotate90_1(narrow);
  big.Rotate90_2(narrow);
  big.FlipVert(narrow);
  big.Resize(tiny);
  tiny.Resize(big);
  EXPECT_EQ(Blue(big, 8, 6), Blue(tiny, 0, 0));
}

TEST(EffectBmp, MosaicBlocksAreCutAtTheBorder) {
  TskEffectBmp bmp = Filled(7, 7, [](int x, int y) { return 10 * y + x; });
  bmp.Mosaic(3);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Blue(bmp, x, y), 10 * (y / 3 * 3) + x / 3 * 3) << x << "," << y;
  TskEffectBmp unchanged = Filled(3, 3, [](int x, int y) { return 10 * y + x; });
  unchanged.Mosaic(1);
  unchanged.Mosaic(-4);
  EXPECT_EQ(Blue(unchanged, 2, 2), 22);
}

TEST(EffectBmp, SplitBlurTakesTheEdgeRowAndStaysInside) {
  // 3 x 3, blurred in place from the top left; the bottom row's lower neighbour is the bottom row
  // itself (not row H - y = 1), and likewise for the last column.
  TskEffectBmp bmp = Filled(3, 3, [](int x, int y) { return 40 * y + 4 * x; });
  TskEffectBmp expected = Filled(3, 3, [](int x, int y) { return 40 * y + 4 * x; });
  auto neighbours = [](int i, int side, int& low, int& high) {
    low = i - 1 < 0 ? i : i - 1;
    high = i + 1 >= side ? side - 1 : i + 1;
  };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      int up, down, left, right;
      neighbours(y, 3, up, down);
      neighbours(x, 3, left, right);
      const int v = (Blue(expected, left, up) + Blue(expected, left, down) + Blue(expected, right, up) +
                     Blue(expected, right, down)) / 4;
      expected.SetPixel(x, y, v | v << 8 | v << 16);
    }
  bmp.SplitBlur(1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Blue(bmp, x, y), Blue(expected, x, y)) << x << "," << y;

  for (const int amount : {3, 4, 1000, -1, -1000}) {
    TskEffectBmp any = Filled(3, 3, [](int x, int y) { return 40 * y + 4 * x; });
    any.SplitBlur(amount);
  }
  TskEffectBmp flat = Plain(5, 4, 0x808080);
  flat.SplitBlur(50);
  EXPECT_EQ(flat.GetPixel(4, 3) & 0xFFFFFF, 0x808080);
}

TEST(EffectBmp, NoiseShiftsChannelsWithinItsAmount) {
  TskEffectBmp mono = Plain(20, 20, 0x808080);
  mono.AddMonoNoise(21);
  bool varied = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const int p = mono.GetPixel(x, y);
      const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
      EXPECT_TRUE(b == g && g == r);
      EXPECT_GE(b, 128 - 10);
      EXPECT_LE(b, 128 + 10);
      varied |= b != 128;
    }
  EXPECT_TRUE(varied);

  TskEffectBmp colour = Plain(20, 20, 0xFFFFFF);
  colour.AddColorNoise(9);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_GE(Blue(colour, x, y), 255 - 4);
  for (const int amount : {0, 1, -7}) {
    TskEffectBmp same = Plain(3, 3, 0x404040);
    same.AddMonoNoise(amount);
    same.AddColorNoise(amount);
    EXPECT_EQ(same.GetPixel(1, 1) & 0xFFFFFF, 0x404040) << amount;
  }
}

}  // namespace
