#include "tests/support/testing.h"

#include "flat/Hslutils.h"
#include "flat/PlainUtils.h"

using namespace classlib;
using namespace flat;

namespace {

struct TColorCase {
  COLORREF Color;
  int H, S, L;            // on the integer scale
  COLORREF Darkened50;    // CalcAdvancedColor(..., 50, darken)
};

const TColorCase ColorCases[] = {
    {RGB(192, 192, 192), 0, 0, 181, RGB(150, 150, 150)},
    {RGB(255, 0, 0), 0, 240, 120, RGB(170, 0, 0)},
    {RGB(212, 208, 200), 27, 29, 194, RGB(175, 168, 153)},
    {RGB(0, 0, 0), 0, 0, 0, RGB(0, 0, 0)},
    {RGB(255, 255, 255), 0, 0, 240, RGB(212, 212, 212)},  // 212.5 goes to the even neighbour
};

TEST(Hslutils, ColoursConvertToTheIntegerScaleAndDarken) {
  for (const TColorCase& c : ColorCases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Color);
    int h = -1, s = -1, l = -1;
    RGBtoHSLRange(static_cast<TColor>(c.Color), h, s, l);
    EXPECT_EQ(h, c.H);
    EXPECT_EQ(s, c.S);
    EXPECT_EQ(l, c.L);
    EXPECT_EQ(CalcAdvancedColor(static_cast<TColor>(c.Color), clNone, 50, TColorCalcType::darken),
              static_cast<TColor>(c.Darkened50));
  }
}

// Every colour of a grid survives the trip through fractional HSL unchanged.
TEST(Hslutils, FractionalHslGivesBackTheSameColour) {
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 5) {
        const TColor color = static_cast<TColor>(RGB(r, g, b));
        double h, s, l;
        RGBtoHSL(color, h, s, l);
        ASSERT_GE(h, 0.0);
        ASSERT_LT(h, 1.0);
        ASSERT_EQ(HSLtoRGB(h, s, l), color) << r << "," << g << "," << b;
      }
}

TEST(Hslutils, HuesOfThePrimariesAndGreys) {
  double h, s, l;
  RGBtoHSL(static_cast<TColor>(RGB(0, 255, 0)), h, s, l);
  EXPECT_DOUBLE_EQ(h, 1.0 / 3);
  RGBtoHSL(static_cast<TColor>(RGB(0, 0, 255)), h, s, l);
  EXPECT_DOUBLE_EQ(h, 2.0 / 3);
  RGBtoHSL(static_cast<TColor>(RGB(255, 0, 255)), h, s, l);  // below zero before the turn
  EXPECT_DOUBLE_EQ(h, 5.0 / 6);
  RGBtoHSL(static_cast<TColor>(RGB(77, 77, 77)), h, s, l);
  EXPECT_EQ(h, 0.0);
  EXPECT_EQ(s, 0.0);
  // Hue 1 is red as hue 0 is.
  EXPECT_EQ(HSLtoRGB(1.0, 1.0, 0.5), static_cast<TColor>(RGB(255, 0, 0)));
}

TEST(Hslutils, HalvesRoundToTheEvenNeighbour) {
  // Grey channels of exactly 2.5, 3.5 and 127.5.
  EXPECT_EQ(HSLtoRGB(0, 0, 2.5 / 255), static_cast<TColor>(RGB(2, 2, 2)));
  EXPECT_EQ(HSLtoRGB(0, 0, 3.5 / 255), static_cast<TColor>(RGB(4, 4, 4)));
  EXPECT_EQ(HSLtoRGB(0, 0, 0.5), static_cast<TColor>(RGB(128, 128, 128)));
}

TEST(Hslutils, CalcAdvancedColor) {
  // Percent 0 hands back the fallback untouched, whatever the base.
  EXPECT_EQ(CalcAdvancedColor(clRed, clBtnFace, 0, TColorCalcType::darken), clBtnFace);
  EXPECT_EQ(CalcAdvancedColor(clRed, 12345, 0, TColorCalcType::lighten), 12345);

  // A system colour is resolved before conversion; straight into RGBtoHSL only its low bytes count.
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(CalcAdvancedColor(clBtnFace, clNone, 30, TColorCalcType::darken),
            CalcAdvancedColor(face, clNone, 30, TColorCalcType::darken));
  int h, s, l;
  RGBtoHSLRange(clBtnFace, h, s, l);  // 0x8000000F: red 15, green and blue 0
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 240);
  EXPECT_EQ(l, 7);

  // Lightening a light colour never makes it darker; full lightness is white.
  for (COLORREF light : {RGB(212, 208, 200), RGB(192, 192, 192), RGB(255, 255, 200), RGB(255, 255, 255)}) {
    int h0, s0, l0, h1, s1, l1;
    RGBtoHSLRange(static_cast<TColor>(light), h0, s0, l0);
    const TColor lighter = CalcAdvancedColor(static_cast<TColor>(light), clNone, 50, TColorCalcType::lighten);
    RGBtoHSLRange(lighter, h1, s1, l1);
    EXPECT_GE(l1, l0) << std::hex << light;
    EXPECT_EQ(lighter, static_cast<TColor>(RGB(255, 255, 255))) << std::hex << light;
  }
  EXPECT_EQ(CalcAdvancedColor(static_cast<TColor>(RGB(128, 0, 0)), clNone, 40, TColorCalcType::lighten),
            HSLRangeToRGB(0, 240, 60 + 10 + 40));
}

}  // namespace
