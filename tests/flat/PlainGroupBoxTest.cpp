#include "tests/flat/FlatTesting.h"

#include "flat/FlatRegistration.h"
#include "flat/PlainGroupBox.h"
#include "platform/classlib/StdCtrls.h"

#include <functional>

using namespace classlib;
using namespace flat;
using flattesting::TPrinted;

namespace {

constexpr COLORREF FormColor = RGB(230, 235, 240);
constexpr COLORREF DefaultBorder = RGB(160, 150, 131);

// A form of one colour holding one box; the form's window exists but is not shown.
class PlainGroupBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    windowtesting::InitApplication();
    Form->SetBorderStyle(TFormBorderStyle::bsNone);
    Form->SetBounds(0, 0, 400, 300);
    Form->SetColor(static_cast<TColor>(FormColor));
    Form->Font().SetName("Arial");
    Form->Font().SetHeight(-12);
    Form->Font().SetColor(clBlack);
    Box->SetParent(Form.get());
    Box->SetBounds(20, 30, 185, 105);
    Box->SetCaption("Video Source");
    Form->HandleNeeded();
  }

  // The caption's extent as the box measures it.
  TSize Caption() {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->SetFont(Box->Font());
    return bitmap.Canvas()->TextExtent(Box->Caption());
  }

  // Whether the box's window waits for a repaint, after validating it, doing Change.
  bool Invalidates(const std::function<void()>& Change) {
    ValidateRect(Box->Handle(), nullptr);
    Change();
    RECT update;
    return GetUpdateRect(Box->Handle(), &update, FALSE) != FALSE;
  }

  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TPlainGroupBox* Box = new TPlainGroupBox(Form.get());
};

// The first and last columns with caption ink (neither background nor border) in rows Top..Bottom - 1.
std::pair<int, int> InkColumns(const TPrinted& P, int Top, int Bottom, COLORREF Background) {
  int first = -1, last = -1;
  for (int x = 0; x < P.Width(); ++x)
    for (int y = Top; y < Bottom; ++y)
      if (P(x, y) != Background && P(x, y) != DefaultBorder) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

TEST_F(PlainGroupBoxTest, StartsAsTheOriginalDoes) {
  TPlainGroupBox fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 185);
  EXPECT_EQ(fresh.Height(), 105);
  EXPECT_EQ(fresh.ColorBorder(), 8623776);
  EXPECT_EQ(fresh.ColorBorder(), static_cast<TColor>(DefaultBorder));
  EXPECT_EQ(fresh.AdvColorBorder(), 50);
  EXPECT_EQ(fresh.Border(), TGroupBoxBorder::brFull);
  EXPECT_FALSE(fresh.Transparent());
  EXPECT_FALSE(fresh.UseAdvColors());
  EXPECT_EQ(fresh.Color(), clWindow);
  EXPECT_TRUE(fresh.ParentColor());
  // On a form it takes the form's colour.
  EXPECT_EQ(Box->Color(), static_cast<TColor>(FormColor));
  EXPECT_TRUE(Box->ParentColor());
}

TEST_F(PlainGroupBoxTest, FullBorderWithAGapForTheCaption) {
  const TSize text = Caption();
  const int y = text.cy / 2, r = 185, b = 105;
  TPrinted p(Box->Handle());
  ASSERT_EQ(p.Width(), r);
  ASSERT_EQ(p.Height(), b);
  // Corners and sides.
  for (auto [x, yy] : {std::pair{0, y}, {0, b - 1}, {r - 1, b - 1}, {r - 1, y}, {0, 60}, {r - 1, 60}, {90, b - 1},
                       {3, y}, {5, y}, {text.cx + 13, y}, {r - 2, y}})
    EXPECT_EQ(p(x, yy), DefaultBorder) << x << "," << yy;
  // The gap runs from x = 5 to TW + 12, and the caption starts at x = 10.
  for (int x : {6, 7, 8, 9, text.cx + 11, text.cx + 12}) EXPECT_EQ(p(x, y), FormColor) << x;
  const auto [first, last] = InkColumns(p, 0, text.cy, FormColor);
  EXPECT_GE(first, 10);
  EXPECT_LE(first, 11);
  EXPECT_LE(last, 10 + text.cx);
  // Inside, the box's colour (its parent's); above the top line too.
  EXPECT_EQ(p(90, 60), FormColor);
  EXPECT_EQ(p(r - 5, 0), FormColor);
  EXPECT_EQ(p(1, b - 2), FormColor);
}

TEST_F(PlainGroupBoxTest, OnlyTopLineDrawsTheTwoTopPiecesAlone) {
  Box->SetBorder(TGroupBoxBorder::brOnlyTopLine);
  const TSize text = Caption();
  const int y = text.cy / 2;
  TPrinted p(Box->Handle());
  for (int x : {1, 5, text.cx + 13, 100, 183, 184}) EXPECT_EQ(p(x, y), DefaultBorder) << x;
  for (auto [x, yy] : {std::pair{0, 60}, {184, 60}, {90, 104}, {0, 104}, {184, 104}, {8, y}})
    EXPECT_EQ(p(x, yy), FormColor) << x << "," << yy;
}

TEST_F(PlainGroupBoxTest, DisabledCaptionIsEtchedAndTheBorderStays) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  const TSize text = Caption();
  const int y = text.cy / 2;
  TPrinted enabled(Box->Handle());
  Box->SetEnabled(false);
  TPrinted disabled(Box->Handle());

  // The shadow lies where the enabled caption was; the highlight one pixel down and right.
  int shadows = 0;
  for (int yy = 0; yy < text.cy; ++yy)
    for (int x = 10; x < 10 + text.cx; ++x) {
      if (yy == y) continue;
      if (enabled(x, yy) == RGB(0, 0, 0)) {
        EXPECT_EQ(disabled(x, yy), dark) << x << "," << yy;
        ++shadows;
        if (enabled(x + 1, yy + 1) == FormColor && yy + 1 != y) {
          EXPECT_EQ(disabled(x + 1, yy + 1), light) << x + 1 << "," << yy + 1;
        }
      }
      EXPECT_NE(disabled(x, yy), RGB(0, 0, 0)) << x << "," << yy;
    }
  EXPECT_GT(shadows, 20);
  for (auto [x, yy] : {std::pair{0, y}, {0, 104}, {184, 104}, {184, y}, {text.cx + 13, y}})
    EXPECT_EQ(disabled(x, yy), DefaultBorder) << x << "," << yy;
}

TEST_F(PlainGroupBoxTest, TransparentBoxShowsItsParent) {
  // The form paints a blue square where the box's point (30, 50) lies.
  Form->OnPaint = [this](TObject*) {
    Form->Canvas().Brush()->SetColor(clBlue);
    Form->Canvas().FillRect(Rect(20 + 25, 30 + 45, 20 + 35, 30 + 55));
  };
  Box->SetParentColor(false);
  Box->SetColor(clWhite);
  EXPECT_EQ(TPrinted(Box->Handle())(90, 60), RGB(255, 255, 255));
  Box->SetTransparent(true);
  TPrinted p(Box->Handle());
  EXPECT_EQ(p(90, 60), FormColor);
  EXPECT_EQ(p(30, 50), RGB(0, 0, 255));
  EXPECT_EQ(p(24, 50), FormColor);
  EXPECT_EQ(p(0, 60), DefaultBorder);  // the frame on top of the parent's image
}

TEST_F(PlainGroupBoxTest, UseAdvColorsDarkensTheParentsColour) {
  Form->SetColor(static_cast<TColor>(RGB(192, 192, 192)));
  Box->SetParentColor(false);
  Box->SetColor(clRed);
  Box->SetUseAdvColors(true);
  EXPECT_TRUE(Box->ParentColor());
  EXPECT_EQ(Box->ColorBorder(), static_cast<TColor>(RGB(150, 150, 150)));
  TPrinted p(Box->Handle());
  EXPECT_EQ(p(0, 104), RGB(150, 150, 150));
  EXPECT_EQ(p(90, 60), RGB(192, 192, 192));

  // Percentage 0 keeps whatever border colour there is.
  Box->SetColorBorder(clLime);
  Box->SetAdvColorBorder(0);
  EXPECT_EQ(Box->ColorBorder(), clLime);
  Box->SetAdvColorBorder(50);
  EXPECT_EQ(Box->ColorBorder(), static_cast<TColor>(RGB(150, 150, 150)));

  // Setting Color alone derives nothing; a change of the parent's colour does.
  Box->SetColor(clBlack);
  EXPECT_EQ(Box->ColorBorder(), static_cast<TColor>(RGB(150, 150, 150)));
  Form->SetColor(static_cast<TColor>(RGB(212, 208, 200)));
  Box->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  EXPECT_TRUE(Box->ParentColor());
  EXPECT_EQ(Box->Color(), static_cast<TColor>(RGB(212, 208, 200)));
  EXPECT_EQ(Box->ColorBorder(), static_cast<TColor>(RGB(175, 168, 153)));

  // So does a change of the system colours, which also puts the box back on its parent's colour.
  Box->SetColor(static_cast<TColor>(RGB(255, 0, 0)));
  Form->SetColor(static_cast<TColor>(RGB(192, 192, 192)));
  Box->Perform(CM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(Box->Color(), static_cast<TColor>(RGB(192, 192, 192)));
  EXPECT_EQ(Box->ColorBorder(), static_cast<TColor>(RGB(150, 150, 150)));

  // Without UseAdvColors neither message touches the border.
  Box->SetUseAdvColors(false);
  EXPECT_FALSE(Box->ParentColor());
  Box->SetColorBorder(clNavy);
  Box->Perform(CM_SYSCOLORCHANGE, 0, 0);
  Box->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  EXPECT_EQ(Box->ColorBorder(), clNavy);
}

TEST_F(PlainGroupBoxTest, WideCaptionIsClippedTenPixelsFromTheRight) {
  Box->SetBounds(20, 30, 80, 60);
  Box->SetCaption("A caption much wider than its box");
  const TSize text = Caption();
  ASSERT_GT(text.cx, 80);
  TPrinted p(Box->Handle());
  const auto [first, last] = InkColumns(p, 0, text.cy, FormColor);
  EXPECT_GE(first, 10);
  EXPECT_LT(last, 80 - 10 + 1);
  EXPECT_GE(last, 80 - 10 - 3);
  for (int yy = 0; yy < text.cy; ++yy)
    for (int x = 70; x < 79; ++x)
      if (yy != text.cy / 2) {
        EXPECT_EQ(p(x, yy), FormColor) << x << "," << yy;
      }
}

TEST_F(PlainGroupBoxTest, CaptionAcceleratorFocusesTheBoxItself) {
  Box->SetCaption("&Video Source");
  auto* inside = new TEdit(Form.get());
  inside->SetParent(Box);
  inside->SetBounds(10, 30, 100, 21);
  auto* elsewhere = new TEdit(Form.get());
  elsewhere->SetParent(Form.get());
  elsewhere->SetBounds(250, 30, 100, 21);
  Form->Show();
  windowtesting::Pump();
  elsewhere->SetFocus();
  ASSERT_EQ(GetFocus(), elsewhere->Handle());

  const LPARAM altDown = LPARAM{1} << 29;
  EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'x', altDown), 0);
  EXPECT_EQ(GetFocus(), elsewhere->Handle());
  EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'v', altDown), 1);
  EXPECT_EQ(GetFocus(), Box->Handle());

  // A doubled ampersand is a plain one; the next single one marks the key.
  elsewhere->SetFocus();
  Box->SetCaption("R&&D &Inputs");
  EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'D', altDown), 0);
  EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'I', altDown), 1);
  EXPECT_EQ(GetFocus(), Box->Handle());

  // A disabled box cannot take the focus.
  elsewhere->SetFocus();
  Box->SetEnabled(false);
  EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'i', altDown), 0);
  EXPECT_EQ(GetFocus(), elsewhere->Handle());
  Form->Hide();
}

TEST_F(PlainGroupBoxTest, WhatRepaintsTheBox) {
  Form->Show();
  windowtesting::Pump();
  EXPECT_TRUE(Invalidates([&] { Box->SetTransparent(false); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetBorder(TGroupBoxBorder::brFull); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetColorBorder(Box->ColorBorder()); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetAdvColorBorder(Box->AdvColorBorder()); }));
  EXPECT_FALSE(Invalidates([&] { Box->SetUseAdvColors(false); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetCaption("Audio Source"); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetEnabled(false); }));
  // Moving: an opaque box keeps its picture, a transparent one paints its new background.
  EXPECT_FALSE(Invalidates([&] { Box->SetBounds(25, 30, 185, 105); }));
  Box->SetTransparent(true);
  EXPECT_TRUE(Invalidates([&] { Box->SetBounds(30, 30, 185, 105); }));
  EXPECT_TRUE(Invalidates([&] { Box->SetBounds(30, 30, 180, 100); }));
  Form->Hide();
}

TEST(PlainGroupBoxReading, ADescriptionSetsThePublishedProperties) {
  RegisterFlatClasses();
  RegisterFlatClasses();  // a second call changes nothing
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  Color = clSilver
  object Plain: TPlainGroupBox
    Left = 16
    Top = 8
    Width = 385
    Height = 129
    Caption = 'Video Source'
    object Label1: TLabel
      Left = 16
      Top = 36
      Caption = 'Video Device'
    end
  end
  object Styled: TPlainGroupBox
    Transparent = True
    ColorBorder = clRed
    Border = brOnlyTopLine
    AdvColorBorder = 20
    UseAdvColors = True
  end
end
)");
  auto* plain = dynamic_cast<TPlainGroupBox*>(form->FindComponent("Plain"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->BoundsRect().left, 16);
  EXPECT_EQ(plain->Height(), 129);
  EXPECT_EQ(plain->Color(), clSilver);  // defaults: following the parent, opaque, framed
  EXPECT_EQ(plain->ColorBorder(), 8623776);
  EXPECT_EQ(form->FindComponent("Label1")->ClassName(), "TLabel");
  EXPECT_EQ(dynamic_cast<TControl*>(form->FindComponent("Label1"))->Parent(), plain);

  auto* styled = dynamic_cast<TPlainGroupBox*>(form->FindComponent("Styled"));
  ASSERT_NE(styled, nullptr);
  EXPECT_TRUE(styled->Transparent());
  EXPECT_EQ(styled->Border(), TGroupBoxBorder::brOnlyTopLine);
  EXPECT_EQ(styled->AdvColorBorder(), 20);
  EXPECT_TRUE(styled->UseAdvColors());
  EXPECT_EQ(styled->ColorBorder(), CalcAdvancedColor(clSilver, clRed, 20, TColorCalcType::darken));

  for (const char* bad : {"AdvColorBorder = 101", "AdvColorBorder = -1", "Border = brNone"}) {
    const String text = String("object TestForm: TForm\n  object B: TPlainGroupBox\n    ") + bad + "\n  end\nend\n";
    EXPECT_THROW(windowtesting::ReadForm(text), EReadError) << bad;
  }
}

}  // namespace
