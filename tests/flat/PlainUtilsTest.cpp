#include "tests/flat/FlatTesting.h"

#include "flat/PlainUtils.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib;
using namespace flat;
using flattesting::FilledBitmap;
using flattesting::PixelOf;

namespace {

TEST(PlainUtils, DrawParentImageWithoutParentDrawsNothing) {
  windowtesting::InitApplication();
  TLabel orphan(nullptr);
  orphan.SetBounds(3, 4, 20, 10);
  auto target = FilledBitmap(30, 30, RGB(10, 20, 30));
  DrawParentImage(orphan, *target->Canvas());
  for (int y = 0; y < 30; y += 3)
    for (int x = 0; x < 30; x += 3) ASSERT_EQ(PixelOf(*target, x, y), RGB(10, 20, 30)) << x << "," << y;
}

TEST(PlainUtils, RectInRectMeansOverlap) {
  struct {
    TRect A, B;
    bool Expected;
  } cases[] = {
      {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), false},  // sharing only an edge
      {Rect(0, 0, 10, 10), Rect(0, 10, 10, 20), false},
      {Rect(0, 0, 10, 10), Rect(9, 9, 20, 20), true},
      {Rect(0, 0, 10, 10), Rect(2, 2, 5, 5), true},  // one inside the other
      {Rect(0, 0, 10, 10), Rect(20, 20, 30, 30), false},
      {Rect(0, 0, 10, 10), Rect(5, 5, 5, 9), false},  // an empty rectangle overlaps nothing
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RectInRect(c.A, c.B), c.Expected) << c.B.left << "," << c.B.top << "," << c.B.right << "," << c.B.bottom;
    EXPECT_EQ(RectInRect(c.B, c.A), c.Expected);
  }
}

TEST(PlainUtils, Frame3DBorderDrawsNestedFrames) {
  auto bitmap = FilledBitmap(10, 8, RGB(0, 0, 0));
  const COLORREF top = RGB(255, 255, 255), bottom = RGB(128, 128, 128);
  Frame3DBorder(*bitmap->Canvas(), Rect(0, 0, 10, 8), static_cast<TColor>(top), static_cast<TColor>(bottom), 2);
  struct {
    int X, Y;
    COLORREF Expected;
  } pixels[] = {
      {0, 0, top},    {5, 0, top},    {0, 4, top},    {1, 1, top},    {5, 1, top},     // top and left
      {9, 0, bottom}, {9, 4, bottom}, {0, 7, bottom}, {5, 7, bottom}, {8, 3, bottom},  // right and bottom
      {5, 6, bottom}, {2, 2, RGB(0, 0, 0)},           {7, 5, RGB(0, 0, 0)},            // inside untouched
  };
  for (const auto& p : pixels) EXPECT_EQ(PixelOf(*bitmap, p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST(PlainUtils, DrawTransparentBmpLetsTheCanvasShowThrough) {
  const COLORREF magenta = RGB(255, 0, 255), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  auto picture = FilledBitmap(4, 4, magenta);
  picture->Canvas()->SetPixels(1, 1, static_cast<TColor>(red));
  picture->Canvas()->SetPixels(3, 0, static_cast<TColor>(RGB(0, 0, 0)));  // black is no hole
  auto canvas = FilledBitmap(10, 10, blue);
  DrawTransparentBmp(*canvas->Canvas(), 2, 3, *picture, clFuchsia);
  EXPECT_EQ(PixelOf(*canvas, 3, 4), red);
  EXPECT_EQ(PixelOf(*canvas, 5, 3), RGB(0, 0, 0));
  for (auto [x, y] : {std::pair{2, 3}, {4, 5}, {5, 6}, {0, 0}, {6, 3}, {9, 9}})
    EXPECT_EQ(PixelOf(*canvas, x, y), blue) << x << "," << y;
}

TEST(PlainUtils, CreateDisabledBitmapEtchesThePixelsOfTheMaskColour) {
  const COLORREF back = RGB(200, 200, 200), light = RGB(255, 255, 255), shadow = RGB(100, 100, 100);
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf1bit}) {
    auto source = FilledBitmap(6, 6, RGB(255, 255, 255));
    source->Canvas()->SetPixels(2, 2, clBlack);
    source->Canvas()->SetPixels(3, 2, clBlack);
    source->SetPixelFormat(format);
    for (bool highlight : {true, false}) {
      SCOPED_TRACE(testing::Message() << "1-bit source " << (format == TPixelFormat::pf1bit) << ", highlight "
                                      << highlight);
      auto result = CreateDisabledBitmap(*source, clBlack, static_cast<TColor>(back), static_cast<TColor>(light),
                                         static_cast<TColor>(shadow), highlight);
      ASSERT_EQ(result->Width(), 6);
      ASSERT_EQ(result->Height(), 6);
      EXPECT_EQ(PixelOf(*result, 2, 2), shadow);
      EXPECT_EQ(PixelOf(*result, 3, 2), shadow);
      EXPECT_EQ(PixelOf(*result, 3, 3), highlight ? light : back);
      EXPECT_EQ(PixelOf(*result, 4, 3), highlight ? light : back);
      EXPECT_EQ(PixelOf(*result, 0, 0), back);
      EXPECT_EQ(PixelOf(*result, 5, 5), back);
    }
  }
}

TEST(PlainUtils, CalcButtonLayoutPlacesGlyphAndCaption) {
  auto canvasBitmap = FilledBitmap(1, 1, 0);
  TCanvas& canvas = *canvasBitmap->Canvas();
  const TSize text = canvas.TextExtent("OK");
  TBitmap glyph;
  glyph.SetSize(32, 16);  // two pictures of 16 x 16
  const TRect client = Rect(10, 20, 110, 60);  // 100 x 40
  const TPoint offset = Point(1, 2);
  TRect bounds;
  TPoint at;

  // Glyph left, margin shared out: everything centred as one block.
  CalcButtonLayout(canvas, client, offset, TButtonLayout::blGlyphLeft, 4, -1, &glyph, 2, "OK", bounds, at);
  const int margin = (100 - 16 - 4 - text.cx + 1) / 2;
  EXPECT_EQ(at.x, 10 + 1 + margin);
  EXPECT_EQ(at.y, 20 + 2 + 12);
  EXPECT_EQ(bounds.left, at.x + 16 + 4);
  EXPECT_EQ(bounds.right - bounds.left, text.cx);
  EXPECT_EQ(bounds.top, 20 + 2 + (40 - text.cy + 1) / 2);

  // Glyph right at margin 2, spacing shared out: the caption halfway between the left edge and the glyph.
  CalcButtonLayout(canvas, client, offset, TButtonLayout::blGlyphRight, -1, 2, &glyph, 2, "OK", bounds, at);
  const int spacing = (100 - 2 - 16 - text.cx) / 2;
  EXPECT_EQ(at.x, 10 + 1 + 100 - 2 - 16);
  EXPECT_EQ(bounds.right, at.x - spacing);

  // Glyph on top, no caption: the spacing drops to 0, so the glyph is centred.
  CalcButtonLayout(canvas, client, offset, TButtonLayout::blGlyphTop, -1, -1, &glyph, 2, "", bounds, at);
  EXPECT_EQ(at.x, 10 + 1 + (100 - 16 + 1) / 2);
  EXPECT_EQ(at.y, 20 + 2 + (40 - 16 + 1) / 2);
  EXPECT_EQ(bounds.right - bounds.left, 0);

  // Both shared out: margin and spacing a third each of what is left.
  CalcButtonLayout(canvas, client, offset, TButtonLayout::blGlyphLeft, -1, -1, &glyph, 2, "OK", bounds, at);
  const int third = (100 - 16 - text.cx) / 3;
  EXPECT_EQ(at.x, 10 + 1 + third);
  EXPECT_EQ(bounds.left, at.x + 16 + third);

  // Glyph at the bottom without a glyph: the caption sits at the bottom margin.
  CalcButtonLayout(canvas, client, offset, TButtonLayout::blGlyphBottom, 5, 3, nullptr, 1, "OK", bounds, at);
  EXPECT_EQ(bounds.bottom, 20 + 2 + 40 - 3);
}

TEST(PlainUtils, FontHeightIsNineEighthsOfTheCellRounded) {
  windowtesting::InitApplication();
  for (auto [cell, expected] : {std::pair{12, 14}, {16, 18}, {20, 22}, {28, 32}}) {
    TFont font;
    font.SetHeight(cell);
    ASSERT_EQ(GetFontMetrics(font).tmHeight, cell);
    EXPECT_EQ(GetFontHeight(font), expected) << cell;  // 13.5 -> 14, 22.5 -> 22, 31.5 -> 32
  }
  EXPECT_EQ(Min(3, 7), 3);
  EXPECT_EQ(Min(65535, 2), 2);
}

}  // namespace
