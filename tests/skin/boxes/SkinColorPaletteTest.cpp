#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinColorPalette.h"
#include "tests/skin/support/Screen.h"

#include <cmath>
#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

TEST(PaletteGeometry, AnglesAndPoints) {
  struct Case {
    double X2, Y2, Angle;
  };
  // From the origin: 0 along +X, 90 down the screen, 180 along -X, 270 up.
  for (const Case& k : std::vector<Case>{{10, 0, 0}, {0, 10, 90}, {-10, 0, 180}, {0, -10, 270}, {5, 5, 45}, {-5, -5, 225}})
    EXPECT_NEAR(CalcAnglePoints(0, 0, k.X2, k.Y2), k.Angle, 1e-6) << k.X2 << "," << k.Y2;
  EXPECT_EQ(CalcAnglePoints(3, 3, 3, 3), 0);

  // Clockwise from the top of the centre (98, 98): the right side is 90, the bottom 180.
  EXPECT_NEAR(CalcAngle3Points(98, 0, 98, 98, 190, 98), 90, 1e-6);
  EXPECT_NEAR(CalcAngle3Points(98, 0, 98, 98, 98, 190), 180, 1e-6);
  EXPECT_NEAR(CalcAngle3Points(98, 0, 98, 98, 5, 98), 270, 1e-6);

  double a = -370;
  CalcAngle360(a);
  EXPECT_DOUBLE_EQ(a, 350);
  a = 720;
  CalcAngle360(a);
  EXPECT_DOUBLE_EQ(a, 0);

  for (const double angle : {0.0, 30.0, 90.0, 135.0, 180.0, 269.0, 270.0, 300.0}) {
    double x, y;
    CalcPointSurEllipse(10, 20, 50, 50, angle, x, y);
    EXPECT_NEAR(x, 10 + 50 * std::cos(angle * CalcRadian), 1e-6) << angle;
    EXPECT_NEAR(y, 20 + 50 * std::sin(angle * CalcRadian), 1e-6) << angle;
  }
  double x, y;
  CalcRotationPoint(97, 97, -90, 97, 10, x, y);
  EXPECT_NEAR(x, 10, 1e-6);
  EXPECT_NEAR(y, 97, 1e-6);
  EXPECT_NEAR(CalcArcSinRadians(1), std::acos(0.0), 1e-12);
  EXPECT_NEAR(CalcArcCosRadians(0.5) / CalcRadian, 60, 1e-6);
}

const char PaletteForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 300
  object P: TImage
    Left = 10
    Top = 10
    Width = 195
    Height = 195
  end
end)";

class SkinColorPaletteTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(PaletteForm);
    Image = dynamic_cast<TImage*>(Form->FindComponent("P"));
    ASSERT_NE(Image, nullptr);
    Palette = std::make_unique<TskColorPalette>(*Image);
    Palette->ChangeEdits = [this] { ++Changes; };
    Palette->PaletteColor.SetRGB({255, 0, 0});
    Palette->InitWheelPalette();
  }
  COLORREF Pixel(int X, int Y) { return static_cast<COLORREF>(Image->Picture().Bitmap()->Canvas()->Pixels(X, Y)); }
  static COLORREF Shade(const THSL& Hsl) {
    const TRGB c = TWheelColor::HSLToRGB(Hsl);
    return RGB(c.R, c.G, c.B);
  }
  // The 11 x 11 pixels about (X, Y), row by row.
  std::vector<COLORREF> Box(int X, int Y) {
    std::vector<COLORREF> pixels;
    for (int y = Y - 5; y <= Y + 5; ++y)
      for (int x = X - 5; x <= X + 5; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  }
  void Press(TMouseButton Button, int X, int Y) { Palette->PaletteWheelMouseDown(Image, Button, {}, X, Y); }

  std::unique_ptr<TForm> Form;
  TImage* Image = nullptr;
  std::unique_ptr<TskColorPalette> Palette;
  int Changes = 0;
};

}  // namespace

TEST_F(SkinColorPaletteTest, PictureAndCursors) {
  const TPoint ring = Palette->RingCursor(), square = Palette->SquareCursor();
  EXPECT_EQ(std::tie(ring.x, ring.y), std::make_tuple(97L, 10L));
  EXPECT_EQ(std::tie(square.x, square.y), std::make_tuple(150L, 97L));

  // Corners and the space between ring and square: button face; inside the square the colour
  // for (red, S, L); the top of the ring is hue entry 359, almost red again.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Pixel(1, 1), face);
  EXPECT_EQ(Pixel(193, 193), face);
  EXPECT_EQ(Pixel(38, 97), face);
  EXPECT_EQ(Pixel(44, 60), Shade({0, 0, 16.0 / 106}));
  EXPECT_EQ(Pixel(100, 70), Shade({0, 56.0 / 106, 26.0 / 106}));
  EXPECT_EQ(Pixel(120, 44), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(120, 150), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(98, 3), Shade({1.0, 1.0, 0.47}));
  // A quarter turn clockwise from the top is entry 359 - 90: the hue grows counter-clockwise.
  EXPECT_EQ(Pixel(190, 98), Shade({269 / 359.0, 1.0, 0.47}));

  // The cursors are XOR circles: drawn a second time they are gone.
  const std::vector<COLORREF> withCursor = Box(150, 97);
  Palette->DrawCursor();
  const std::vector<COLORREF> without = Box(150, 97);
  EXPECT_NE(without, withCursor);
  EXPECT_EQ(without[60], withCursor[60]);  // the centre is not on the circle
  Palette->DrawCursor();
  EXPECT_EQ(Box(150, 97), withCursor);

  // The picture is on the screen once the image has repainted.
  windowtesting::PumpFor(100);
  const TPoint p = Image->ClientToScreen(Point(120, 150));
  EXPECT_EQ(skintesting::ScreenPixel(p.x, p.y), RGB(255, 255, 255));
}

TEST_F(SkinColorPaletteTest, PressesOnTheRingAndSquare) {
  // The right side of the ring (T = 90) and its very top.
  Press(TMouseButton::mbLeft, 187, 97);
  EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPCircle);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue().H, 191);
  EXPECT_EQ(Changes, 1);
  EXPECT_NE(Pixel(100, 60), RGB(255, 0, 0));  // the square shows the new hue
  Press(TMouseButton::mbLeft, 97, 2);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue().H, 255);
  EXPECT_EQ(Changes, 2);
  // The same hue again: nothing happens.
  Press(TMouseButton::mbLeft, 97, 3);
  EXPECT_EQ(Changes, 2);

  // In the hole but outside the square, and outside the ring: no zone, no change.
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{30, 97}, {2, 2}, {194, 194}}) {
    Press(TMouseButton::mbLeft, x, y);
    EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPnone) << x << "," << y;
  }
  EXPECT_EQ(Changes, 2);

  // The right button records the zone only; its release clears it.
  Press(TMouseButton::mbRight, 60, 60);
  EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPCar);
  EXPECT_EQ(Changes, 2);
  Palette->PaletteWheelMouseUp(Image, TMouseButton::mbRight, {}, 60, 60);
  EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPnone);
}

TEST_F(SkinColorPaletteTest, DragsStayInTheirZone) {
  // A real drag from the square past its top-right corner pins saturation at 255 and lightness at 0.
  const TPoint from = Image->ClientToScreen(Point(100, 100));
  const TPoint past = Image->ClientToScreen(Point(185, 20));
  LeftPress(from.x, from.y);
  EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPCar);
  MouseTo(past.x, past.y);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue(), (THSLWheel{0, 255, 0}));
  LeftReleaseAt(past.x, past.y);
  EXPECT_EQ(Palette->ClickZone, TClickZoneWheel::czwheelPnone);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue(), (THSLWheel{0, 255, 0}));
  const TPoint square = Palette->SquareCursor();
  EXPECT_EQ(std::tie(square.x, square.y), std::make_tuple(150L, 44L));

  // A drag that starts on the ring follows the pointer's angle even through the square.
  const TPoint ring = Image->ClientToScreen(Point(187, 97));
  const TPoint inside = Image->ClientToScreen(Point(97, 130));
  LeftPress(ring.x, ring.y);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue().H, 191);
  LeftReleaseAt(inside.x, inside.y);
  EXPECT_EQ(Palette->PaletteColor.HSLWheelValue().H, 127);  // the bottom: 180 degrees
}

TEST_F(SkinColorPaletteTest, SkinnedBackgroundTilesThePanelPiece) {
  TskSkinData skin(nullptr);
  auto picture = std::make_unique<TBitmap>();
  picture->SetSize(40, 40);
  picture->Canvas()->Brush()->SetColor(RGB(0, 0, 200));
  picture->Canvas()->FillRect(Rect(0, 0, 40, 40));
  picture->Canvas()->Brush()->SetColor(RGB(0, 200, 0));
  picture->Canvas()->FillRect(Rect(10, 10, 30, 30));
  skin.ActivePictures.push_back(std::move(picture));
  auto panel = std::make_unique<TskDataSkinCustomControl>("panel");
  panel->PictureIndex = 0;
  panel->SkinRect = Rect(5, 5, 40, 40);
  panel->SkinClientRect = Rect(5, 5, 25, 25);  // the green square: 20 x 20 from (10, 10)
  TskDataSkinCustomControl* description = panel.get();
  skin.CtrlList.push_back(std::move(panel));
  skin.Empty = false;

  Palette->CtrlSkinData = &skin;
  Palette->InitWheelPalette();
  EXPECT_EQ(Pixel(1, 1), RGB(0, 200, 0));
  EXPECT_EQ(Pixel(194, 194), RGB(0, 200, 0));

  // A client piece without area cannot be tiled: button face instead of a division by zero.
  description->SkinClientRect = Rect(5, 5, 5, 25);
  Palette->InitWheelPalette();
  EXPECT_EQ(Pixel(1, 1), GetSysColor(COLOR_BTNFACE));
}
