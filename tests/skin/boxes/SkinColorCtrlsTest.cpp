#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinColorCtrls.h"
#include "tests/skin/support/Screen.h"

#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

constexpr TColor Rgb(int R, int G, int B) { return R + 256 * G + 65536 * B; }

TEST(ColorModel, WheelColorForms) {
  TWheelColor c;
  c.SetRGB({255, 0, 0});
  EXPECT_DOUBLE_EQ(c.HSLValue().H, 0);
  EXPECT_DOUBLE_EQ(c.HSLValue().S, 1);
  EXPECT_DOUBLE_EQ(c.HSLValue().L, 0.5);
  // 0.5 x 255 = 127.5 rounds to the even 128.
  EXPECT_EQ(c.HSLWheelValue(), (THSLWheel{0, 255, 128}));

  c.SetRGB({128, 128, 128});
  EXPECT_DOUBLE_EQ(c.HSLValue().H, 0);
  EXPECT_DOUBLE_EQ(c.HSLValue().S, 0);
  EXPECT_DOUBLE_EQ(c.HSLValue().L, 128.0 / 255);

  // Blue is the maximum: the hue lies two thirds round; round trips come back exactly.
  c.SetRGB({0, 0, 255});
  EXPECT_NEAR(c.HSLValue().H, 2.0 / 3, 1e-12);
  for (const TRGB rgb : {TRGB{0, 0, 255}, TRGB{12, 200, 77}, TRGB{250, 250, 3}, TRGB{128, 66, 79}}) {
    c.SetRGB(rgb);
    TWheelColor back;
    back.SeTHSL(c.HSLValue());
    EXPECT_EQ(back.RGBValue(), rgb);
  }

  c.SeTHSLWheel({0, 0, 255});
  EXPECT_EQ(c.RGBValue(), (TRGB{255, 255, 255}));
  TWheelColor copy;
  copy.Assign(c);
  EXPECT_EQ(copy.HSLWheelValue(), c.HSLWheelValue());
}

TEST(ColorModel, DialogNumbers) {
  struct Case {
    int H, S, V;
    TRGB Expected;
  };
  for (const Case& k : std::vector<Case>{{0, 100, 100, {255, 0, 0}},
                                         {120, 100, 100, {0, 255, 0}},
                                         {0, 0, 50, {128, 128, 128}},
                                         {240, 100, 100, {0, 0, 255}},
                                         {300, 50, 100, {255, 128, 255}},
                                         {359, 100, 100, {255, 0, 4}}}) {
    std::uint8_t r, g, b;
    HSVToRGBValues(k.H, k.S, k.V, r, g, b);
    EXPECT_EQ((TRGB{r, g, b}), k.Expected) << k.H << " " << k.S << " " << k.V;
  }

  struct Back {
    TRGB In;
    int H, S, V;
  };
  for (const Back& k : std::vector<Back>{{{255, 0, 0}, 0, 100, 100},
                                         {{0, 0, 255}, 239, 100, 100},
                                         {{255, 128, 0}, 30, 100, 100},
                                         {{0, 64, 0}, 120, 100, 25}}) {
    int h = -1, s = -1, v = -1;
    RGBToDialogHSV(k.In.R, k.In.G, k.In.B, h, s, v);
    EXPECT_EQ(std::tie(h, s, v), std::tie(k.H, k.S, k.V)) << int(k.In.R) << " " << int(k.In.G) << " " << int(k.In.B);
  }
  // A grey has no hue: the caller's value stays.
  int h = 77, s = -1, v = -1;
  RGBToDialogHSV(128, 128, 128, h, s, v);
  EXPECT_EQ(std::tie(h, s, v), std::make_tuple(77, 0, 50));

  std::uint8_t r, g, b;
  ColorToBytes(Rgb(1, 2, 3), r, g, b);
  EXPECT_EQ((TRGB{r, g, b}), (TRGB{1, 2, 3}));
  EXPECT_EQ(BytesToColor(1, 2, 3), Rgb(1, 2, 3));
}

const char GridForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 640
  Height = 300
  object Basic: TskSkinColorGrid
    Left = 10
    Top = 10
  end
  object Custom: TskSkinCustomColorGrid
    Left = 300
    Top = 10
  end
  object Viewer: TskColorViewer
    Left = 10
    Top = 150
    Width = 40
    Height = 30
    ColorValue = clRed
  end
end)";

class SkinColorGridTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(GridForm);
    Basic = dynamic_cast<TskSkinColorGrid*>(Form->FindComponent("Basic"));
    Custom = dynamic_cast<TskSkinCustomColorGrid*>(Form->FindComponent("Custom"));
    ASSERT_NE(Basic, nullptr);
    ASSERT_NE(Custom, nullptr);
  }
  // A real left click at a point of Control.
  static void ClickAt(TControl& Control, int X, int Y) {
    const TPoint p = Control.ClientToScreen(Point(X, Y));
    LeftPress(p.x, p.y);
    LeftReleaseAt(p.x, p.y);
  }

  std::unique_ptr<TForm> Form;
  TskSkinColorGrid* Basic = nullptr;
  TskSkinCustomColorGrid* Custom = nullptr;
};

}  // namespace

TEST_F(SkinColorGridTest, DefaultsAndCells) {
  EXPECT_EQ(Basic->Width(), 280);
  EXPECT_EQ(Basic->Height(), 115);
  EXPECT_EQ(Basic->Caption(), "Basic colors");
  EXPECT_EQ(Basic->ColCount(), 12);
  EXPECT_EQ(Basic->RowCount(), 4);
  EXPECT_EQ(Custom->Caption(), "Custom colors");
  EXPECT_EQ(Custom->ColCount(), 6);
  EXPECT_EQ(Custom->RowCount(), 2);
  EXPECT_EQ(Custom->CustomColors[11], Rgb(255, 255, 255));

  const TRect client = Basic->GetSkinClientRect();
  EXPECT_EQ(std::tie(client.left, client.top, client.right, client.bottom), std::make_tuple(1L, 23L, 279L, 114L));
  const TRect first = Basic->CellRect(1), fifth = Basic->CellRect(5), thirteenth = Basic->CellRect(13);
  EXPECT_EQ(std::tie(first.left, first.top, first.right, first.bottom), std::make_tuple(2L, 24L, 23L, 44L));
  EXPECT_EQ(fifth.left, 2 + 4 * 23);
  EXPECT_EQ(thirteenth.top, 24 + 22);

  // Cell 5 is red inside its one-pixel margin; black (cell 1, the default value) carries the cursor.
  Basic->SetColorValue(Rgb(1, 2, 3));
  Basic->Repaint();
  const TWindowPicture picture(Basic->Handle());
  EXPECT_EQ(picture.Pixel(fifth.left + 1, fifth.top + 1), RGB(255, 0, 0));
  EXPECT_EQ(picture.Pixel(fifth.left, fifth.top), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(picture.Pixel(fifth.left + 10, fifth.top + 10), RGB(255, 0, 0));
}

TEST_F(SkinColorGridTest, ViewerOutlinesItsColour) {
  auto* viewer = dynamic_cast<TskColorViewer*>(Form->FindComponent("Viewer"));
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->ColorValue(), clRed);
  // The screen shows what was drawn once the window's surface is flushed, after messages are handled.
  auto at = [&](int X, int Y) {
    windowtesting::PumpFor(100);
    const TPoint p = viewer->ClientToScreen(Point(X, Y));
    return skintesting::ScreenPixel(p.x, p.y);
  };
  EXPECT_EQ(at(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(at(39, 29), RGB(0, 0, 0));
  EXPECT_EQ(at(20, 15), RGB(255, 0, 0));
  viewer->SetColorValue(Rgb(0, 0, 255));
  EXPECT_EQ(at(1, 1), RGB(0, 0, 255));
}

TEST_F(SkinColorGridTest, ColorValueMovesTheCursor) {
  int changes = 0;
  Basic->OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Basic);
    ++changes;
  };
  Basic->SetColorValue(Rgb(255, 0, 0));
  EXPECT_EQ(changes, 1);
  const TRect cell = Basic->CellRect(5);
  const int cx = cell.left + 10, cy = cell.top + 10;
  {
    const TWindowPicture picture(Basic->Handle());
    // The arms are inverted red, the open centre stays red.
    EXPECT_EQ(picture.Pixel(cx - 5, cy), RGB(0, 255, 255));
    EXPECT_EQ(picture.Pixel(cx, cy + 5), RGB(0, 255, 255));
    EXPECT_EQ(picture.Pixel(cx, cy), RGB(255, 0, 0));
    EXPECT_EQ(picture.Pixel(cx - 1, cy), RGB(255, 0, 0));
  }
  // Not a basic colour: stored, nothing fired.
  Basic->SetColorValue(Rgb(1, 2, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Basic->ColorValue(), Rgb(1, 2, 3));

  // On the grey cell the cursor is black.
  Basic->SetColorValue(Rgb(128, 128, 128));
  const TRect grey = Basic->CellRect(19);
  EXPECT_EQ(TWindowPicture(Basic->Handle()).Pixel(grey.left + 5, grey.top + 10), RGB(0, 0, 0));
}

TEST_F(SkinColorGridTest, CursorDrawnTwiceRestores) {
  TBitmap b;
  b.SetSize(21, 20);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(Rgb(10, 100, 200));
  c.FillRect(Rect(0, 0, 21, 20));
  TskSkinColorGridBase::DrawCursor(c, Rect(0, 0, 21, 20), true);
  // Arms: A = 20 div 2 - 2 = 8 about the centre (10, 10), the lower arm one shorter.
  EXPECT_EQ(c.Pixels(2, 10), Rgb(245, 155, 55));
  EXPECT_EQ(c.Pixels(1, 10), Rgb(10, 100, 200));
  EXPECT_EQ(c.Pixels(9, 10), Rgb(10, 100, 200));
  EXPECT_EQ(c.Pixels(10, 17), Rgb(245, 155, 55));
  EXPECT_EQ(c.Pixels(10, 18), Rgb(10, 100, 200));
  EXPECT_EQ(c.Pixels(10, 2), Rgb(245, 155, 55));
  TskSkinColorGridBase::DrawCursor(c, Rect(0, 0, 21, 20), true);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{2, 10}, {10, 17}, {10, 2}, {18, 10}})
    EXPECT_EQ(c.Pixels(x, y), Rgb(10, 100, 200));
}

TEST_F(SkinColorGridTest, ClicksSelectCells) {
  int changes = 0;
  Basic->OnChange = [&](TObject*) { ++changes; };
  const TRect fifth = Basic->CellRect(5);
  ClickAt(*Basic, fifth.left + 3, fifth.top + 3);
  EXPECT_EQ(Basic->ColorValue(), Rgb(255, 0, 0));
  EXPECT_EQ(changes, 1);
  // The gap between cells 5 and 6 hits nothing.
  ClickAt(*Basic, fifth.right, fifth.top + 3);
  EXPECT_EQ(Basic->ColorValue(), Rgb(255, 0, 0));
  EXPECT_EQ(changes, 1);

  int customChanges = 0;
  Custom->OnChange = [&](TObject*) { ++customChanges; };
  Custom->CustomColors[7] = Rgb(9, 8, 7);
  const TRect eighth = Custom->CellRect(8);
  ClickAt(*Custom, eighth.left + 2, eighth.bottom - 1);
  EXPECT_EQ(Custom->SelectedIndex, 8);
  EXPECT_EQ(Custom->ColorValue(), Rgb(9, 8, 7));
  EXPECT_EQ(customChanges, 1);
}

TEST_F(SkinColorGridTest, AddColorRingAndLargeGrids) {
  for (int i = 1; i <= 13; ++i) Custom->AddColor(Rgb(i, 0, 0));
  EXPECT_EQ(Custom->LastAddedIndex, 1);
  EXPECT_EQ(Custom->CustomColors[0], Rgb(13, 0, 0));
  EXPECT_EQ(Custom->CustomColors[1], Rgb(2, 0, 0));
  EXPECT_EQ(Custom->SelectedIndex, 0);

  // Counts of 0 or less are refused; cells beyond the twelve colours are background and hit nothing.
  Custom->SetColCount(0);
  Custom->SetRowCount(-1);
  EXPECT_EQ(Custom->ColCount(), 6);
  Custom->SetRowCount(3);
  const TRect extra = Custom->CellRect(15);
  EXPECT_EQ(TWindowPicture(Custom->Handle()).Pixel(extra.left + 4, extra.top + 4), GetSysColor(COLOR_BTNFACE));
  ClickAt(*Custom, extra.left + 4, extra.top + 4);
  EXPECT_EQ(Custom->SelectedIndex, 0);
}

TEST_F(SkinColorGridTest, EmptyControlLeavesItsAreaAlone) {
  auto* empty = new TskEmptyControl(Form.get());  // freed with the form
  empty->SetParent(Form.get());
  empty->SetBounds(400, 150, 50, 40);
  TBitmap b;
  b.SetSize(50, 40);
  b.Canvas()->Brush()->SetColor(Rgb(1, 2, 3));
  b.Canvas()->FillRect(Rect(0, 0, 50, 40));
  // Erasing is answered as done and nothing is drawn, not even by a full paint.
  EXPECT_EQ(SendMessageW(empty->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0), 1);
  SendMessageW(empty->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), PRF_CLIENT);
  EXPECT_EQ(b.Canvas()->Pixels(25, 20), Rgb(1, 2, 3));
}
