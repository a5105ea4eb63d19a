#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/ColorNames.h"
#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinFontColorComboBoxes.h"
#include "skin/boxes/SkinFontColorListBoxes.h"
#include "tests/skin/support/Screen.h"

#include <set>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

using S = TskColorBoxStyleItem;

const char BoxesForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 600
  Height = 400
  object ColorList: TskSkinColorListBox
    Left = 10
    Top = 10
  end
  object FontList: TskSkinFontListBox
    Left = 140
    Top = 10
    Width = 200
    Options = [foTrueTypeOnly]
  end
  object ColorCombo: TskSkinColorComboBox
    Left = 360
    Top = 10
  end
  object FontCombo: TskSkinFontComboBox
    Left = 360
    Top = 40
  end
  object SizeCombo: TskSkinFontSizeComboBox
    Left = 360
    Top = 70
  end
  object MRU: TskSkinMRUComboBox
    Left = 360
    Top = 100
  end
end)";

class SkinFontColorBoxesTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(BoxesForm);
    ColorList = Find<TskSkinColorListBox>("ColorList");
    FontList = Find<TskSkinFontListBox>("FontList");
    ColorCombo = Find<TskSkinColorComboBox>("ColorCombo");
    FontCombo = Find<TskSkinFontComboBox>("FontCombo");
    SizeCombo = Find<TskSkinFontSizeComboBox>("SizeCombo");
    MRU = Find<TskSkinMRUComboBox>("MRU");
  }
  template <class T>
  T* Find(const char* Name) {
    auto* c = dynamic_cast<T*>(Form->FindComponent(Name));
    EXPECT_NE(c, nullptr) << Name;
    return c;
  }
  static std::vector<String> Lines(const TStrings& Items) {
    std::vector<String> lines;
    for (int i = 0; i < Items.Count(); ++i) lines.push_back(Items[i]);
    return lines;
  }

  std::unique_ptr<TForm> Form;
  TskSkinColorListBox* ColorList = nullptr;
  TskSkinFontListBox* FontList = nullptr;
  TskSkinColorComboBox* ColorCombo = nullptr;
  TskSkinFontComboBox* FontCombo = nullptr;
  TskSkinFontSizeComboBox* SizeCombo = nullptr;
  TskSkinMRUComboBox* MRU = nullptr;
};

}  // namespace

TEST(ColorNames, TableAndPrettyNames) {
  std::vector<String> names;
  GetColorValues([&](const String& Name) { names.push_back(Name); });
  ASSERT_EQ(names.size(), 52u);
  EXPECT_EQ(names[16], "clMoneyGreen");
  EXPECT_EQ(StringToColor("clMoneyGreen"), 0xC0DCC0);
  EXPECT_EQ(StringToColor("clwindowtext"), clWindowText);
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_EQ(ColorToString(clNone), "clNone");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);

  for (const auto& [name, pretty] : std::vector<std::pair<String, String>>{
           {"clMoneyGreen", "Money Green"}, {"clBtnFace", "Btn Face"}, {"clNone", "None"},
           {"cl3DDkShadow", "3 D Dk Shadow"}, {"Plain", "Plain"}})
    EXPECT_EQ(PrettyColorName(name), pretty);
}

TEST(FontItems, TrueTypeGlyph) {
  TBitmap b;
  b.SetSize(20, 20);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(Rect(0, 0, 20, 20));
  DrawTT(*b.Canvas(), 2, 3, clBlack);
  // The bar, the stem two pixels wide, the foot; the ends of each line are left out.
  std::set<std::pair<int, int>> black;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (b.Canvas()->Pixels(x, y) == clBlack) black.insert({x, y});
  for (const auto& p : std::vector<std::pair<int, int>>{{2, 3}, {8, 3}, {9, 3}, {9, 5}, {2, 5}, {5, 10}, {6, 10}, {4, 11}, {7, 11}})
    EXPECT_TRUE(black.count(p)) << p.first << "," << p.second;
  for (const auto& p : std::vector<std::pair<int, int>>{{9, 6}, {2, 6}, {5, 12}, {8, 11}, {10, 3}})
    EXPECT_FALSE(black.count(p)) << p.first << "," << p.second;
}

TEST_F(SkinFontColorBoxesTest, ColourListStyles) {
  // The default: standard, extended and system colours without clNone and clDefault.
  ASSERT_EQ(ColorList->Items().Count(), 50);
  EXPECT_EQ(ColorList->GetColorName(0), "clBlack");
  EXPECT_EQ(ColorList->GetColorName(49), "clWindowText");
  EXPECT_EQ(ColorList->GetColor(49), clWindowText);
  EXPECT_EQ(ColorList->Items().IndexOfObject(NumberObject(clNone)), -1);
  EXPECT_EQ(ColorList->GetSelected(), clBlack);

  ColorList->SetExStyle({S::skcbStandardColors, S::skcbCustomColor, S::skcbPrettyNames});
  ASSERT_EQ(ColorList->Items().Count(), 17);
  EXPECT_EQ(ColorList->GetColorName(0), "Custom...");
  EXPECT_EQ(ColorList->GetColorName(1), "Black");
  EXPECT_EQ(ColorList->GetColorName(16), "White");

  // A colour not listed goes onto "Custom..."; the no-colour value selects nothing.
  ColorList->SetSelected(0x123456);
  EXPECT_EQ(ColorList->ItemIndex(), 0);
  EXPECT_EQ(ColorList->GetColor(0), 0x123456);
  EXPECT_EQ(ColorList->GetSelected(), 0x123456);
  ColorList->SetSelected(NoColorSelected);
  EXPECT_EQ(ColorList->ItemIndex(), -1);
  EXPECT_EQ(ColorList->GetSelected(), NoColorSelected);
  // A rebuild keeps the custom colour and the selection.
  ColorList->SetSelected(clRed);
  ColorList->SetExStyle({S::skcbStandardColors, S::skcbCustomColor});
  EXPECT_EQ(ColorList->GetColor(0), 0x123456);
  EXPECT_EQ(ColorList->GetSelected(), clRed);

  ColorList->SetExStyle({S::skcbIncludeNone, S::skcbIncludeDefault});
  EXPECT_EQ(ColorList->Items().Count(), 0);
  EXPECT_FALSE(ColorList->Enabled());
  ColorList->SetExStyle({S::skcbSystemColors, S::skcbIncludeNone});
  EXPECT_TRUE(ColorList->Enabled());
  EXPECT_EQ(ColorList->Items().Count(), 31);
}

TEST_F(SkinFontColorBoxesTest, ColourListDrawsSwatches) {
  ColorList->SetExStyle({S::skcbStandardColors});
  ColorList->SetSelected(clWhite);
  ColorList->SetSelected(clBlack);
  ColorList->SetTopIndex(0);
  ColorList->InnerList().Repaint();
  windowtesting::PumpFor(100);
  const TRect olive = ColorList->ItemRect(3);  // clOlive
  auto at = [&](int X, int Y) {
    const TPoint p = ColorList->InnerList().ClientToScreen(Point(X, Y));
    return skintesting::ScreenPixel(p.x, p.y);
  };
  // The swatch starts 2 pixels into the text area, which starts 2 pixels into the row.
  EXPECT_EQ(at(olive.left + 4, olive.top + 2), RGB(128, 128, 0));
  EXPECT_EQ(at(olive.left + 3, olive.top + 2), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(at(olive.left + 4 + 15, (olive.top + olive.bottom) / 2), RGB(128, 128, 0));
  // Past the swatch the row is background, apart from the name's letters.
  EXPECT_EQ(at(olive.right - 3, olive.top + 1), GetSysColor(COLOR_WINDOW));
}

TEST_F(SkinFontColorBoxesTest, ColourComboStyles) {
  EXPECT_EQ(ColorCombo->Items().Count(), 50);
  EXPECT_EQ(ColorCombo->ItemIndex(), 0);
  struct Case {
    TskColorBoxStyle Style;
    int Count;
    bool Enabled;
  };
  for (const Case& k : std::vector<Case>{{{S::skcbStandardColors}, 16, true},
                                         {{S::skcbStandardColors, S::skcbIncludeNone}, 16, true},
                                         {{S::skcbExtendedColors}, 4, true},
                                         {{S::skcbCustomColor}, 1, true},
                                         {{S::skcbIncludeNone}, 0, false}}) {
    ColorCombo->SetExStyle(k.Style);
    EXPECT_EQ(ColorCombo->Items().Count(), k.Count);
    EXPECT_EQ(ColorCombo->Enabled(), k.Enabled);
  }
  ColorCombo->SetExStyle({S::skcbExtendedColors, S::skcbPrettyNames});
  EXPECT_EQ(ColorCombo->GetColorName(0), "Money Green");
  ColorCombo->SetSelected(0x123456);
  EXPECT_EQ(ColorCombo->ItemIndex(), -1);
  EXPECT_EQ(ColorCombo->GetSelected(), NoColorSelected);
  ColorCombo->SetExStyle({S::skcbExtendedColors, S::skcbCustomColor});
  ColorCombo->SetSelected(0x123456);
  EXPECT_EQ(ColorCombo->ItemIndex(), 0);
  EXPECT_EQ(ColorCombo->GetSelected(), 0x123456);
}

TEST_F(SkinFontColorBoxesTest, FontListsAndSizes) {
  // Only TrueType families, each once, with the glyph flag.
  ASSERT_GT(FontList->Items().Count(), 0);
  std::set<String> seen;
  for (int i = 0; i < FontList->Items().Count(); ++i) {
    EXPECT_TRUE(ObjectNumber(FontList->Items().Objects(i)) & TRUETYPE_FONTTYPE) << FontList->Items()[i];
    EXPECT_TRUE(seen.insert(UpperCase(FontList->Items()[i])).second) << FontList->Items()[i];
  }
  ASSERT_NE(FontList->Items().IndexOf("Liberation Sans"), -1);

  // A row: the glyph's black letter at the left, then the name in its own typeface.
  TBitmap row;
  row.SetSize(200, 20);
  row.Canvas()->Brush()->SetColor(clWhite);
  row.Canvas()->FillRect(Rect(0, 0, 200, 20));
  TRect text = Rect(2, 0, 198, 20);
  FontList->DrawLBFontItem(*row.Canvas(), FontList->Items().IndexOf("Liberation Sans"), 200, 20, text, 0);
  EXPECT_EQ(row.Canvas()->Pixels(2 + 4 + 3, 0 + 20 / 2 - 7 + 4), clBlack);
  EXPECT_EQ(row.Canvas()->Pixels(2 + 3, 3), clGray);
  EXPECT_EQ(text.left, 17);
  EXPECT_EQ(row.Canvas()->Font()->Name(), "Liberation Sans");

  int clicks = 0;
  FontList->OnListBoxClick = [&](TObject*) { ++clicks; };
  FontList->SetFontName("liberation sans");
  EXPECT_EQ(FontList->GetFontName(), "Liberation Sans");
  EXPECT_EQ(clicks, 1);
  FontList->SetFontName("No Such Family");
  EXPECT_EQ(FontList->GetFontName(), "Liberation Sans");
  EXPECT_EQ(clicks, 2);
  // A wider filter keeps the family selected and says nothing, as the name is unchanged.
  FontList->SetTrueTypeOnly(false);
  EXPECT_GE(FontList->Items().Count(), static_cast<int>(seen.size()));
  EXPECT_EQ(FontList->GetFontName(), "Liberation Sans");
  EXPECT_EQ(clicks, 2);

  // The combo box finds the family in other letter case and takes its own text.
  FontCombo->SetFontName("LIBERATION SANS");
  EXPECT_EQ(FontCombo->Text(), "Liberation Sans");
  EXPECT_NE(FontCombo->Items().IndexOf("Liberation Serif"), -1);

  // A TrueType family gets the sixteen sizes; the typed size is selected and OnClick fires once.
  int sizeClicks = 0;
  SizeCombo->OnClick = [&](TObject*) { ++sizeClicks; };
  SizeCombo->SetText("14");
  SizeCombo->SetFontName("Liberation Sans");
  EXPECT_EQ(Lines(SizeCombo->Items()),
            (std::vector<String>{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36",
                                 "48", "72"}));
  EXPECT_EQ(SizeCombo->ItemIndex(), 5);
  EXPECT_EQ(sizeClicks, 1);
  EXPECT_EQ(SizeCombo->GetSizeValue(), 14);
  SizeCombo->SetItemIndex(-1);
  EXPECT_EQ(SizeCombo->GetSizeValue(), 0);
}

TEST_F(SkinFontColorBoxesTest, TypedSizes) {
  SizeCombo->SetStyle(TskSkinCustomComboBoxStyle::skcbEditStyle);
  for (const auto& [text, value] : std::vector<std::pair<String, int>>{
           {"12", 12}, {"-3", -3}, {"1-2", 0}, {"", 0}, {"-", 0}, {"1x", 0}, {"99999999999", 0}}) {
    SizeCombo->SetText(text);
    EXPECT_EQ(SizeCombo->GetSizeValue(), value) << text;
  }
}

TEST_F(SkinFontColorBoxesTest, RecentlyUsedGoesToTheTop) {
  MRU->AddMRUItem("one");
  MRU->AddMRUItem("two");
  MRU->AddMRUItem("");
  MRU->AddMRUItem("three");
  EXPECT_EQ(Lines(MRU->Items()), (std::vector<String>{"three", "two", "one"}));
  MRU->AddMRUItem("ONE");
  EXPECT_EQ(Lines(MRU->Items()), (std::vector<String>{"one", "three", "two"}));
}
