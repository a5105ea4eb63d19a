#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinImageLabels.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char LabelForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 300
  object Plain: TskSkinLabel
    Left = 10
    Top = 10
    Caption = 'Some text'
    AutoSize = True
  end
  object Top: TskSkinLabel
    Align = alTop
    Caption = 'Aligned'
    AutoSize = True
  end
  object Status: TskSkinStatusPanel
    Left = 10
    Top = 60
    NumGlyphs = 2
  end
  object Bits: TskSkinBitLabel
    Left = 10
    Top = 100
    Caption = '12:30'
  end
  object Fixed: TskSkinBitLabel
    Left = 10
    Top = 140
    Caption = '1234'
  end
end)";

// The label piece: caps of 5 around a middle of 50; the bit label piece: margins of 2 around a
// client of 36 x 12; below them the character grid, one colour per cell.
const char LabelSections[] = R"([label]
pictureindex=0
skinrect=0,0,60,20
lefttoppoint=5,0
righttoppoint=55,0
clientrect=5,2,55,18
fontname=Arial
fontheight=14
fontcolor=16777215
[fixedlabel]
pictureindex=0
skinrect=0,0,60,20
clientrect=5,2,55,18
fontcolor=16777215
[bitlabel]
pictureindex=0
skinrect=0,20,40,36
lefttoppoint=2,0
righttoppoint=38,0
clientrect=2,2,38,14
skintextrect=0,40,60,60
symbolwidth=6
symbolheight=10
symbolslinecount=2
symbolsline0=0123456789
symbolsline1=:
)";

constexpr COLORREF CapColor = 0x404080, MiddleColor = 0x408040, BitMarginColor = 0x202020, BitClientColor = 0x606060;

COLORREF CellColor(int Col, int Row) { return RGB(20 * (Col + 1), 40 * Row + 10, 200); }

class SkinImageLabelsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(LabelForm);
    auto picture = fixtureskin::Picture(100, 60, 0xFFFFFF);
    fixtureskin::Fill(*picture, Rect(0, 0, 60, 20), CapColor);
    fixtureskin::Fill(*picture, Rect(5, 0, 55, 20), MiddleColor);
    fixtureskin::Fill(*picture, Rect(0, 20, 40, 36), BitMarginColor);
    fixtureskin::Fill(*picture, Rect(2, 22, 38, 34), BitClientColor);
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 10; ++col)
        fixtureskin::Fill(*picture, Rect(col * 6, 40 + row * 10, col * 6 + 6, 50 + row * 10), CellColor(col, row));
    Skin = std::make_unique<fixtureskin::TFixtureSkin>(
        fixtureskin::SkinIni(1, {"label:label", "fixedlabel:label", "bitlabel:bitlabel"}, LabelSections),
        std::vector<const TBitmap*>{picture.get()});
  }
  template <class T>
  T& Get(const char* Name) {
    return *dynamic_cast<T*>(Form->FindComponent(Name));
  }
  template <class T>
  T& Skinned(const char* Name, const char* Description) {
    T& c = Get<T>(Name);
    c.SetSkinDataName(Description);
    c.SetSkinData(&Skin->Skin());
    windowtesting::Pump();
    return c;
  }
  static int TextWidth(const TFont& Font, const String& Text) {
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->Font()->Assign(Font);
    return b.Canvas()->TextWidth(Text);
  }

  std::unique_ptr<TForm> Form;
  std::unique_ptr<fixtureskin::TFixtureSkin> Skin;
};

TEST_F(SkinImageLabelsTest, AutoSizeFollowsTheCaptionUnlessAligned) {
  auto& plain = Get<TskSkinLabel>("Plain");
  EXPECT_EQ(TextWidth(plain.DefaultFont(), "Some text") + 4, plain.Width());
  plain.SetCaption("A much longer text");
  EXPECT_EQ(TextWidth(plain.DefaultFont(), "A much longer text") + 4, plain.Width());
  auto& top = Get<TskSkinLabel>("Top");
  EXPECT_EQ(Form->ClientWidth(), top.Width());
  top.SetCaption("Another");
  EXPECT_EQ(Form->ClientWidth(), top.Width());
}

TEST_F(SkinImageLabelsTest, SkinnedLabelGrowsInWidthWithItsCaption) {
  auto& plain = Skinned<TskSkinLabel>("Plain", "label");
  EXPECT_EQ(20, plain.Height());
  // The caps keep 5 pixels each, the client piece takes the caption's width.
  TFont font;
  font.SetName("Arial");
  font.SetHeight(14);
  EXPECT_EQ(TextWidth(font, "Some text") + 10, plain.Width());
  EXPECT_EQ(CapColor, WindowPixel(plain.Handle(), 1, 1));
  EXPECT_EQ(CapColor, WindowPixel(plain.Handle(), plain.Width() - 2, 1));
  EXPECT_EQ(MiddleColor, WindowPixel(plain.Handle(), 6, 1));
  EXPECT_TRUE(plain.AutoSize());

  // A piece of fixed size cannot follow its caption: AutoSize is dropped at the lookup.
  plain.SetSkinDataName("fixedlabel");
  plain.ChangeSkinData();
  EXPECT_FALSE(plain.AutoSize());
  EXPECT_EQ(60, plain.Width());
  plain.SetCaption("A caption far too long for the piece");
  EXPECT_EQ(60, plain.Width());
}

TEST_F(SkinImageLabelsTest, StatusPanelShowsItsDisabledGlyph) {
  auto& status = Get<TskSkinStatusPanel>("Status");
  auto glyph = fixtureskin::Picture(20, 11, 0xFFFFFF);
  fixtureskin::Fill(*glyph, Rect(0, 0, 10, 10), 0xC00000);
  fixtureskin::Fill(*glyph, Rect(10, 0, 20, 10), 0x00C000);
  status.SetGlyph(*glyph);
  windowtesting::Pump();
  const int y = status.Height() / 2 - 11 / 2 + 2;
  EXPECT_EQ(0xC00000u, WindowPixel(status.Handle(), 5, y));
  status.SetEnabled(false);
  windowtesting::Pump();
  EXPECT_EQ(0x00C000u, WindowPixel(status.Handle(), 5, y));
}

TEST_F(SkinImageLabelsTest, BitLabelCutsItsCharactersFromTheGrid) {
  auto& bits = Skinned<TskSkinBitLabel>("Bits", "bitlabel");
  // "12:30": cells (1,0), (2,0), (0,1), (3,0), (0,0), each 6 wide from the client's left edge.
  const int cells[][2] = {{1, 0}, {2, 0}, {0, 1}, {3, 0}, {0, 0}};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(CellColor(cells[p][0], cells[p][1]), WindowPixel(bits.Handle(), 2 + 6 * p, 2)) << p;
    EXPECT_EQ(CellColor(cells[p][0], cells[p][1]), WindowPixel(bits.Handle(), 2 + 6 * p + 5, 11)) << p;
  }
  EXPECT_EQ(BitClientColor, WindowPixel(bits.Handle(), 2 + 30, 5)) << "past the caption";
  EXPECT_EQ(BitMarginColor, WindowPixel(bits.Handle(), 1, 5));

  // Three cells and the side margins; the fourth character would lie in the right margin.
  auto& fixed = Get<TskSkinBitLabel>("Fixed");
  fixed.SetFixLength(3);
  fixed.SetSkinDataName("bitlabel");
  fixed.SetSkinData(&Skin->Skin());
  windowtesting::Pump();
  EXPECT_EQ(2 + 18 + 2, fixed.Width());
  EXPECT_EQ(CellColor(3, 0), WindowPixel(fixed.Handle(), 2 + 12 + 5, 5));
  EXPECT_EQ(BitMarginColor, WindowPixel(fixed.Handle(), 20, 5)) << "no cell runs into the margin";
  EXPECT_EQ(BitMarginColor, WindowPixel(fixed.Handle(), 21, 5));
}

TEST_F(SkinImageLabelsTest, BitLabelAutoSizeTakesTheCellsWidth) {
  auto& bits = Skinned<TskSkinBitLabel>("Bits", "bitlabel");
  bits.SetAutoSize(true);
  EXPECT_EQ(2 + 5 * 6 + 2, bits.Width());
  bits.SetCaption("1");
  EXPECT_EQ(2 + 6 + 2, bits.Width());
  bits.SetCaption("0123456789");
  EXPECT_EQ(2 + 60 + 2, bits.Width());
}

}  // namespace
