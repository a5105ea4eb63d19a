#include "tests/support/testing.h"

#include "skin/data/Skutils.h"
#include "tests/skin/data/SkutilsTesting.h"

#include <vector>

using namespace classlib;
using namespace skin;
using skintesting::MakeCoded;
using skintesting::SourceAt;
using skintesting::TSource;

namespace {

constexpr TSource kUntouched{-1, -1};

// A skin picture of 60 x 40 coded pixels; elements sit at an offset so that R's corner counts.
class SkinImages : public ::testing::Test {
protected:
  void SetUp() override { MakeCoded(FSkin, 60, 40); }
  // The source column of every pixel of row Row.
  std::vector<int> SourceColumns(TBitmap& B, int Row) {
    std::vector<int> columns;
    for (int x = 0; x < B.Width(); ++x) columns.push_back(SourceAt(B, x, Row).X);
    return columns;
  }
  TBitmap FSkin;
};

// Source column for each target column of CreateHSkinImage with LO 4, RO 6 and R starting at 5.
int ThreePartColumn(int x, int W) {
  if (x < 4) return 5 + x;
  if (x >= W - 6) return 5 + 14 + (x - (W - 6));
  return 5 + 4 + (x - 4) % 10;
}

TEST_F(SkinImages, HSkinImageTilesTheMiddleAndCutsTheLastTile) {
  const TRect R{5, 3, 25, 13};  // 20 x 10, middle 10 wide
  for (const int W : {35, 30, 14}) {
    TBitmap B;
    CreateHSkinImage(4, 6, B, FSkin, R, W, 99, false);
    ASSERT_EQ(B.Width(), W);
    ASSERT_EQ(B.Height(), 10);  // H is ignored
    std::vector<int> expected;
    for (int x = 0; x < W; ++x) expected.push_back(ThreePartColumn(x, W));
    EXPECT_EQ(SourceColumns(B, 0), expected) << "W " << W;
    EXPECT_EQ(SourceAt(B, 7, 9), (TSource{5 + 7, 3 + 9}));
  }
}

TEST_F(SkinImages, HSkinImageStretchScalesTheMiddleOnce) {
  TBitmap B;
  CreateHSkinImage(4, 6, B, FSkin, TRect{5, 3, 25, 13}, 35, 0, true);
  const std::vector<int> columns = SourceColumns(B, 2);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(columns[x], 5 + x);
  for (int x = 29; x < 35; ++x) EXPECT_EQ(columns[x], 19 + (x - 29));
  EXPECT_EQ(columns[4], 9);
  EXPECT_EQ(columns[28], 18);
  for (int x = 5; x < 29; ++x) {
    EXPECT_GE(columns[x], columns[x - 1]);
    EXPECT_LE(columns[x], 18);
  }
}

TEST_F(SkinImages, HSkinImage3AndHSkinImage2) {
  TBitmap B;
  CreateHSkinImage3(4, 6, B, FSkin, TRect{5, 3, 25, 13}, 25, 0, false);
  std::vector<int> expected;
  for (int x = 0; x < 25; ++x) expected.push_back(9 + x % 10);  // tiles 0-10, 10-20, 20-25
  EXPECT_EQ(SourceColumns(B, 0), expected);

  CreateHSkinImage2(4, 6, B, FSkin, TRect{5, 3, 25, 13}, 27, 0, false);
  expected.clear();
  for (int x = 0; x < 27; ++x) expected.push_back(x < 4 ? 5 + x : 9 + (x - 4) % 10);
  EXPECT_EQ(SourceColumns(B, 0), expected);
}

TEST_F(SkinImages, ThreePartBuildersSurviveAnEmptyMiddle) {
  TBitmap B;
  CreateHSkinImage(10, 10, B, FSkin, TRect{0, 0, 20, 5}, 35, 0, false);
  const std::vector<int> columns = SourceColumns(B, 0);
  for (int x = 0; x < 35; ++x) {
    if (x < 10) EXPECT_EQ(columns[x], x);
    else if (x >= 25) EXPECT_EQ(columns[x], 10 + x - 25);
    else EXPECT_EQ(columns[x], -1) << x;  // nothing to tile
  }
  TBitmap S;
  CreateHSkinImage3(10, 10, S, FSkin, TRect{0, 0, 20, 5}, 35, 0, true);
  EXPECT_EQ(SourceAt(S, 0, 0), kUntouched);

  TBitmap V;
  CreateVSkinImage(3, 4, V, FSkin, TRect{2, 2, 8, 9}, 0, 20, false);  // middle height 0
  ASSERT_EQ(V.Width(), 6);
  ASSERT_EQ(V.Height(), 20);
  EXPECT_EQ(SourceAt(V, 1, 2), (TSource{3, 4}));
  EXPECT_EQ(SourceAt(V, 1, 10), kUntouched);
  EXPECT_EQ(SourceAt(V, 1, 16), (TSource{3, 2 + 3}));
  EXPECT_EQ(SourceAt(V, 1, 19), (TSource{3, 8}));
}

TEST_F(SkinImages, VSkinImageTilesDownward) {
  TBitmap V;
  CreateVSkinImage(2, 3, V, FSkin, TRect{10, 5, 14, 15}, 0, 17, false);  // middle rows 2..7, 5 high
  const int expected[17] = {5, 6, 7, 8, 9, 10, 11, 7, 8, 9, 10, 11, 7, 8, 12, 13, 14};
  for (int y = 0; y < 17; ++y) EXPECT_EQ(SourceAt(V, 0, y).Y, expected[y]) << y;
}

// The geometry of a 36 x 26 element at (2, 2) of the skin picture.
struct TElement {
  TRect R{2, 2, 38, 28};
  TRect Cl{6, 5, 30, 20};
  TPoint LT{8, 7}, RT{28, 7}, LB{8, 18}, RB{28, 18};
};

TEST_F(SkinImages, NineParts_AtItsOwnSizeReproducesTheSkinRectangle) {
  const TElement e;
  TBitmap B;
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, e.RT, e.LB, e.RB, e.Cl, B, FSkin, e.R, 36, 26, true);
  ASSERT_EQ(B.Width(), 36);
  ASSERT_EQ(B.Height(), 26);
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < 36; ++x) ASSERT_EQ(SourceAt(B, x, y), (TSource{x + 2, y + 2})) << x << "," << y;
}

TEST_F(SkinImages, NineParts_GrownTargetKeepsCornersAndTilesEdges) {
  const TElement e;
  const int W = 36 + 25, H = 26 + 11;
  const TPoint NewRT{e.RT.x + 25, 7}, NewLB{8, e.LB.y + 11}, NewRB{e.RB.x + 25, e.RB.y + 11};
  const TRect NewCl{6, 5, 30 + 25, 20 + 11};
  TBitmap B;
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, NewRT, NewLB, NewRB, NewCl, B, FSkin, e.R, W, H, true);
  EXPECT_EQ(SourceAt(B, 0, 0), (TSource{2, 2}));
  EXPECT_EQ(SourceAt(B, W - 1, 0), (TSource{37, 2}));
  EXPECT_EQ(SourceAt(B, 0, H - 1), (TSource{2, 27}));
  EXPECT_EQ(SourceAt(B, W - 1, H - 1), (TSource{37, 27}));
  // Top band: tiles of the 20-wide middle from x 8, the second cut at 53.
  EXPECT_EQ(SourceAt(B, 8, 1), (TSource{10, 3}));
  EXPECT_EQ(SourceAt(B, 28, 1), (TSource{10, 3}));
  EXPECT_EQ(SourceAt(B, 52, 1), (TSource{14, 3}));
  EXPECT_EQ(SourceAt(B, 53, 1), (TSource{30, 3}));  // the right corner piece
  // Client: 24 x 15 tiles from NewCl's corner.
  EXPECT_EQ(SourceAt(B, 6, 5), (TSource{8, 7}));
  EXPECT_EQ(SourceAt(B, 30, 20), (TSource{8, 7}));
  EXPECT_EQ(SourceAt(B, 54, 30), (TSource{8, 7 + 10}));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) ASSERT_NE(SourceAt(B, x, y), kUntouched) << x << "," << y;
}

TEST_F(SkinImages, NineParts_StopsWithoutAMiddleAndKeepsTheClientWithoutDrawClient) {
  const TElement e;
  TBitmap B;
  const TPoint flatRB{e.LT.x, e.RB.y};
  CreateSkinImage(e.LT, e.RT, e.LB, flatRB, e.Cl, e.LT, e.RT, e.LB, flatRB, e.Cl, B, FSkin, e.R, 40, 30, true);
  ASSERT_EQ(B.Width(), 40);
  ASSERT_EQ(B.Height(), 30);
  for (int y = 0; y < 30; y += 3)
    for (int x = 0; x < 40; x += 3) ASSERT_EQ(SourceAt(B, x, y), kUntouched);

  skintesting::Fill(B, 36, 26, RGB(200, 0, 0));
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, e.RT, e.LB, e.RB, e.Cl, B, FSkin, e.R, 36, 26, false);
  EXPECT_EQ(skintesting::PixelAt(B, 10, 10), RGB(200, 0, 0));
  EXPECT_EQ(skintesting::PixelAt(B, 29, 19), RGB(200, 0, 0));
  EXPECT_EQ(SourceAt(B, 5, 10), (TSource{7, 12}));
  EXPECT_EQ(SourceAt(B, 30, 19), (TSource{32, 21}));
}

TEST_F(SkinImages, NineParts_StretchedEdgesAndTheBuilderWithoutARightEdge) {
  const TElement e;
  TBitmap B;
  const TPoint NewRT{e.RT.x + 20, 7}, NewRB{e.RB.x + 20, e.RB.y};
  const TRect NewCl{6, 5, 50, 20};
  CreateSkinImageBS(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, NewRT, e.LB, NewRB, NewCl, B, FSkin, e.R, 56, 26, true,
                    false, true, false, false);
  // The stretched top middle: 20 source columns over 40, each twice.
  EXPECT_EQ(SourceAt(B, 8, 0), (TSource{10, 2}));
  EXPECT_EQ(SourceAt(B, 9, 0), (TSource{10, 2}));
  EXPECT_EQ(SourceAt(B, 47, 0), (TSource{29, 2}));
  // The tiled bottom middle repeats instead.
  EXPECT_EQ(SourceAt(B, 28, 25), (TSource{10, 27}));

  CreateSkinImage2(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, NewRT, e.LB, NewRB, NewCl, B, FSkin, e.R, 56, 26, true);
  EXPECT_EQ(SourceAt(B, 55, 0), (TSource{10 + (55 - 8) % 20, 2}));
  EXPECT_EQ(SourceAt(B, 55, 25), (TSource{10 + (55 - 8) % 20, 27}));
  EXPECT_EQ(SourceAt(B, 55, 19), (TSource{8 + (55 - 6) % 24, 7 + 14}));
}

TEST_F(SkinImages, ZeroAndNegativeStepsDrawNoTilesAndNeverHang) {
  const TElement e;
  TBitmap B;
  // A top middle of no width, a bottom middle running backwards, an empty client piece.
  const TPoint flatRT{e.LT.x, 7}, backRB{e.LB.x - 3, 18};
  const TRect emptyCl{6, 5, 6, 5};
  CreateSkinImage(e.LT, flatRT, e.LB, backRB, emptyCl, e.LT, flatRT, e.LB, backRB, e.Cl, B, FSkin, e.R, 200, 100, true);
  CreateSkinImageBS(e.LT, flatRT, e.LB, backRB, emptyCl, e.LT, flatRT, e.LB, backRB, e.Cl, B, FSkin, e.R, 200, 100,
                    true, true, true, true, true);
  CreateSkinImage2(e.LT, e.RT, e.LB, TPoint{e.LT.x - 1, 18}, e.Cl, e.LT, e.RT, e.LB, e.RB, e.Cl, B, FSkin, e.R, 90,
                   50, true);
  TBitmap BG;
  CreateSkinBG(emptyCl, e.Cl, BG, FSkin, e.R, 30, 30);
  CreateSkinBG(TRect{5, 5, 3, 3}, e.Cl, BG, FSkin, e.R, 30, 30);
  EXPECT_EQ(SourceAt(BG, 0, 0), kUntouched);
  // A target smaller than the fixed parts.
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, TPoint{8, 7}, TPoint{4, 7}, TPoint{8, 3}, TPoint{4, 3},
                  TRect{6, 5, 2, 1}, B, FSkin, e.R, 10, 8, true);
  EXPECT_EQ(B.Width(), 10);
  TBitmap empty, fromEmpty;
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, e.RT, e.LB, e.RB, e.Cl, fromEmpty, empty, e.R, 36, 26, true);
  EXPECT_EQ(fromEmpty.Width(), 36);
  EXPECT_EQ(SourceAt(fromEmpty, 0, 0), kUntouched);
  CreateSkinImage(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, e.RT, e.LB, e.RB, e.Cl, B, FSkin, e.R, 0, 0, true);
  EXPECT_TRUE(B.Empty());
}

TEST_F(SkinImages, SkinBGTilesFromTheOrigin) {
  TBitmap B;
  CreateSkinBG(TRect{4, 2, 9, 5}, TRect{30, 30, 42, 37}, B, FSkin, TRect{10, 10, 30, 30}, 20, 12);
  ASSERT_EQ(B.Width(), 20);
  EXPECT_EQ(SourceAt(B, 0, 0), (TSource{14, 12}));
  EXPECT_EQ(SourceAt(B, 11, 6), (TSource{14 + 1, 12}));
  EXPECT_EQ(SourceAt(B, 12, 0), kUntouched);  // NewClRect is 12 x 7
  EXPECT_EQ(SourceAt(B, 0, 7), kUntouched);
}

TEST_F(SkinImages, StrechImageScalesNinePiecesIntoTheBitmapsOwnSize) {
  TBitmap B;
  skintesting::Fill(B, 50, 40, RGB(255, 255, 255));
  CreateStrechImage(B, FSkin, TRect{0, 0, 20, 20}, TRect{5, 5, 15, 15});
  EXPECT_EQ(SourceAt(B, 0, 0), (TSource{0, 0}));
  EXPECT_EQ(SourceAt(B, 49, 39), (TSource{19, 19}));
  EXPECT_EQ(SourceAt(B, 45, 35), (TSource{15, 15}));
  EXPECT_EQ(SourceAt(B, 44, 34), (TSource{14, 14}));
  EXPECT_EQ(SourceAt(B, 5, 5), (TSource{5, 5}));
}

TEST_F(SkinImages, BorderImagesWithoutATopBandKeepTheOldTopBitmap) {
  const TElement e;
  TBitmap left, top, right, bottom;
  skintesting::Fill(top, 7, 3, RGB(0, 200, 0));
  const TRect NewCl{6, 0, 50, 30};
  const TPoint NewRB{e.RB.x + 20, e.RB.y + 10}, NewLB{8, e.LB.y + 10}, NewRT{e.RT.x + 20, 7};
  CreateSkinBorderImages(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, NewRT, NewLB, NewRB, NewCl, left, top, right, bottom, FSkin,
                         e.R, 56, 36, false, false, false, false);
  EXPECT_EQ(top.Width(), 7);
  EXPECT_EQ(top.Height(), 3);
  EXPECT_EQ(skintesting::PixelAt(top, 0, 0), RGB(0, 200, 0));
  ASSERT_EQ(bottom.Width(), 56);
  ASSERT_EQ(bottom.Height(), 6);
  EXPECT_EQ(left.Height(), 36 - 6 - 3);  // the top bitmap's old height counts
  EXPECT_EQ(left.Width(), 6);
  EXPECT_EQ(right.Width(), 6);
  EXPECT_EQ(SourceAt(bottom, 0, 0), (TSource{2, 22}));
  EXPECT_EQ(SourceAt(bottom, 55, 5), (TSource{37, 27}));
  EXPECT_EQ(SourceAt(left, 0, 0), (TSource{2, 7}));  // rows CT..LT.Y come first
  EXPECT_EQ(SourceAt(left, 0, 2), (TSource{2, 11}));  // then the run, which starts at the band's top

  skintesting::Fill(top, 7, 3, RGB(0, 200, 0));
  const TRect GrownCl{6, 5, 50, 30};
  CreateSkinBorderImages(e.LT, e.RT, e.LB, e.RB, e.Cl, e.LT, NewRT, NewLB, NewRB, GrownCl, left, top, right, bottom,
                         FSkin, e.R, 56, 36, true, true, true, true);
  ASSERT_EQ(top.Width(), 56);
  ASSERT_EQ(top.Height(), 5);
  EXPECT_EQ(SourceAt(top, 0, 0), (TSource{2, 2}));
  EXPECT_EQ(SourceAt(top, 55, 4), (TSource{37, 6}));
  EXPECT_EQ(left.Height(), 36 - 6 - 5);
}

TEST(SkinGlyphs, DrawGlyphDrawsOneFrameWithItsBottomLeftColourLeftOut) {
  TBitmap strip;
  MakeCoded(strip, 30, 8);
  // Each frame's bottom-left pixel (and its twins) is the colour left out.
  const COLORREF key = RGB(1, 2, 3);
  for (const int x : {0, 10, 20}) {
    strip.Canvas()->SetPixels(x, 7, static_cast<TColor>(key));
    strip.Canvas()->SetPixels(x + 3, 3, static_cast<TColor>(key));
  }
  for (const int index : {1, 2}) {
    TBitmap target;
    skintesting::Fill(target, 20, 12, RGB(200, 0, 0));
    DrawGlyph(*target.Canvas(), 4, 2, strip, 3, index);
    const int first = (index - 1) * 10;
    EXPECT_EQ(SourceAt(target, 5, 2), (TSource{first + 1, 0})) << index;
    EXPECT_EQ(SourceAt(target, 13, 9), (TSource{first + 9, 7})) << index;
    EXPECT_EQ(skintesting::PixelAt(target, 7, 5), RGB(200, 0, 0)) << index;  // the key colour
    EXPECT_EQ(skintesting::PixelAt(target, 4, 9), RGB(200, 0, 0)) << index;
    EXPECT_EQ(skintesting::PixelAt(target, 14, 2), RGB(200, 0, 0)) << index;  // beyond the frame
  }
  TBitmap target, empty;
  skintesting::Fill(target, 20, 12, RGB(200, 0, 0));
  for (const int count : {0, -2}) DrawGlyph(*target.Canvas(), 0, 0, strip, count, 1);
  DrawGlyph(*target.Canvas(), 0, 0, strip, 3, 4);
  DrawGlyph(*target.Canvas(), 0, 0, strip, 40, 1);  // frames narrower than a pixel
  DrawGlyph(*target.Canvas(), 0, 0, empty, 3, 1);
  EXPECT_EQ(skintesting::PixelAt(target, 1, 1), RGB(200, 0, 0));
}

}  // namespace
