#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/Shell.h"
#include "skin/controls/SkinFontLabels.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;
using fixtureskin::ScanColour;

namespace {

const char LabelForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 400
  object Std: TskSkinStdLabel
    Left = 10
    Top = 10
    Caption = 'WWW'
    DefaultFont.Height = 30
  end
  object Empty: TskSkinStdLabel
    Left = 10
    Top = 60
    Caption = ''
  end
  object Lines: TskSkinTextLabel
    Left = 200
    Top = 10
    Lines.Strings = (
      'one'
      'two'
      'three')
  end
  object Bottom: TskSkinTextLabel
    Left = 200
    Top = 150
    Width = 100
    Height = 100
    AutoSize = False
    Layout = tlBottom
    Lines.Strings = (
      'WWW')
    DefaultFont.Height = 20
  end
  object Link: TskSkinLinkLabel
    Left = 10
    Top = 100
    Caption = 'WWWW'
    URL = 'http://example.invalid/'
    DefaultFont.Height = 30
  end
  object Glyphs: TskSkinButtonLabel
    Left = 10
    Top = 250
    NumGlyphs = 4
  end
end)";

const char LabelSections[] = R"([stdlabel]
fontname=Arial
fontheight=24
fontcolor=255
activefontcolor=65280
)";

constexpr COLORREF SkinFontColor = 0x0000FF, SkinActiveColor = 0x00FF00;
// The four frames of the button label's glyph strip.
constexpr COLORREF FrameColors[] = {0x800000, 0x008000, 0x000080, 0x808000};

class SkinFontLabelsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(LabelForm);
    ShellExecuteProc() = [this](HWND, const String& Verb, const String& File, const String& Parameters,
                                const String& Directory, int Show) {
      ShellCalls.push_back(Verb + "|" + File + "|" + Parameters + "|" + Directory + "|" + std::to_string(Show));
      return reinterpret_cast<HINSTANCE>(33);
    };
  }
  void TearDown() override { ShellExecuteProc() = Saved; }
  template <class T>
  T& Get(const char* Name) {
    return *dynamic_cast<T*>(Form->FindComponent(Name));
  }
  std::unique_ptr<fixtureskin::TFixtureSkin> MakeSkin() {
    auto picture = fixtureskin::Picture(4, 4, 0);
    return std::make_unique<fixtureskin::TFixtureSkin>(fixtureskin::SkinIni(1, {"stdlabel:stdlabel"}, LabelSections),
                                                       std::vector<const TBitmap*>{picture.get()});
  }
  fixtureskin::TColourScan Scan(const TControl& C, COLORREF Colour) {
    return ScanColour(Form->Handle(), C.BoundsRect(), Colour);
  }
  // Real mouse input on the form at a point of a windowless control.
  void Mouse(const TControl& C, UINT Msg, WPARAM Keys, int X, int Y) {
    // The form finds the control under the pointer where the system has it.
    const TPoint screen = Form->ClientToScreen(Point(C.Left() + X, C.Top() + Y));
    SetCursorPos(screen.x, screen.y);
    PostMessageW(Form->Handle(), Msg, Keys, MAKELPARAM(C.Left() + X, C.Top() + Y));
    windowtesting::Pump();
  }
  // The height of one line of Font.
  static int LineHeight(const TFont& Font) {
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->Font()->Assign(Font);
    return b.Canvas()->TextHeight("A");
  }

  std::unique_ptr<TForm> Form;
  std::vector<String> ShellCalls;
  TShellExecuteProc Saved = ShellExecuteProc();
};

TEST_F(SkinFontLabelsTest, DisabledTextIsDrawnTwiceHighlightOffsetByOne) {
  auto& label = Get<TskSkinStdLabel>("Std");
  const COLORREF text = ColorToRGB(label.DefaultFont().Color());
  EXPECT_GT(Scan(label, text).Count, 0);
  label.SetEnabled(false);
  windowtesting::Pump();
  const auto highlight = Scan(label, GetSysColor(COLOR_BTNHIGHLIGHT));
  const auto shadow = Scan(label, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(0, Scan(label, text).Count);
  ASSERT_GT(shadow.Count, 0);
  ASSERT_GT(highlight.Count, 0);
  // The shadow covers most of the highlight: what shows of it lies below and right of the shadow.
  EXPECT_EQ(shadow.Box.bottom + 1, highlight.Box.bottom);
  EXPECT_GT(highlight.Box.left, shadow.Box.left);
}

TEST_F(SkinFontLabelsTest, AutoSizeMeasuresInTheFontItDrawsWith) {
  auto& empty = Get<TskSkinStdLabel>("Empty");
  // An empty caption measures as a single blank.
  EXPECT_GT(empty.Width(), 0);
  EXPECT_EQ(LineHeight(empty.DefaultFont()), empty.Height());
  auto& label = Get<TskSkinStdLabel>("Std");
  EXPECT_EQ(LineHeight(label.DefaultFont()), label.Height());

  auto skin = MakeSkin();
  label.SetSkinData(&skin->Skin());
  windowtesting::Pump();
  TFont skinFont;
  skinFont.SetName("Arial");
  skinFont.SetHeight(24);
  EXPECT_EQ(LineHeight(skinFont), label.Height()) << "the skin's font sizes the label";
  EXPECT_GT(Scan(label, SkinFontColor).Count, 0);
  label.SetUseSkinFont(false);
  label.ChangeSkinData();
  windowtesting::Pump();
  EXPECT_EQ(LineHeight(label.Font()), label.Height()) << "without the skin's font: Font, in the skin's colour";
  EXPECT_GT(Scan(label, SkinFontColor).Count, 0);
}

TEST_F(SkinFontLabelsTest, TextLabelIsExactlyAsHighAsItsLines) {
  auto& lines = Get<TskSkinTextLabel>("Lines");
  const int line = LineHeight(lines.DefaultFont());
  EXPECT_EQ(3 * line, lines.Height());
  lines.Lines().Add("four");
  EXPECT_EQ(4 * line, lines.Height());
  EXPECT_EQ("one\r\ntwo\r\nthree\r\nfour\r\n", lines.GetLabelText());

  // A box taller than its text draws the text at the bottom.
  auto& bottom = Get<TskSkinTextLabel>("Bottom");
  EXPECT_EQ(100, bottom.Height());
  const auto text = Scan(bottom, ColorToRGB(bottom.DefaultFont().Color()));
  ASSERT_GT(text.Count, 0);
  EXPECT_GT(text.Box.top, bottom.Top() + 100 - LineHeight(bottom.DefaultFont()) - 1);
  EXPECT_LE(text.Box.bottom, bottom.Top() + 100);
}

TEST_F(SkinFontLabelsTest, LinkTakesTheActiveColourUnderThePointerAndOpensItsURL) {
  auto& link = Get<TskSkinLinkLabel>("Link");
  const COLORREF normal = ColorToRGB(link.DefaultFont().Color()), active = 0xFF0000;
  EXPECT_GT(Scan(link, normal).Count, 0);
  Mouse(link, WM_MOUSEMOVE, 0, 5, 5);
  EXPECT_TRUE(link.Hovered());
  EXPECT_EQ(0, Scan(link, normal).Count);
  EXPECT_GT(Scan(link, active).Count, 0);
  Mouse(link, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(link, WM_LBUTTONUP, 0, 5, 5);
  ASSERT_EQ(1u, ShellCalls.size());
  EXPECT_EQ("open|http://example.invalid/|||" + std::to_string(SW_SHOWNORMAL), ShellCalls[0]);
  Mouse(link, WM_MOUSEMOVE, 0, link.Width() + 50, 5);
  EXPECT_FALSE(link.Hovered());

  // Skinned: the description's two colours.
  auto skin = MakeSkin();
  link.SetSkinData(&skin->Skin());
  windowtesting::Pump();
  EXPECT_GT(Scan(link, SkinFontColor).Count, 0);
  Mouse(link, WM_MOUSEMOVE, 0, 5, 5);
  EXPECT_GT(Scan(link, SkinActiveColor).Count, 0);
  EXPECT_EQ(0, Scan(link, SkinFontColor).Count);

  // A link without an address still asks the shell.
  link.SetURL("");
  Mouse(link, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(link, WM_LBUTTONUP, 0, 5, 5);
  ASSERT_EQ(2u, ShellCalls.size());
  EXPECT_EQ("open||||" + std::to_string(SW_SHOWNORMAL), ShellCalls[1]);
}

TEST_F(SkinFontLabelsTest, LinkImageOpensItsURL) {
  TskSkinLinkImage image(nullptr);
  image.SetURL("mailto:someone@example.invalid");
  image.SetParent(Form.get());
  auto picture = fixtureskin::Picture(20, 10, 0x00FF00);
  image.Picture().SetGraphic(picture.get());
  EXPECT_EQ(20, image.Width()) << "AutoSize";
  Mouse(image, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(image, WM_LBUTTONUP, 0, 5, 5);
  ASSERT_EQ(1u, ShellCalls.size());
  EXPECT_EQ("open|mailto:someone@example.invalid|||" + std::to_string(SW_SHOWNORMAL), ShellCalls[0]);
  image.SetParent(nullptr);
}

TEST_F(SkinFontLabelsTest, ButtonLabelShowsTheGlyphFrameOfItsState) {
  auto& label = Get<TskSkinButtonLabel>("Glyphs");
  // Four 10 x 10 frames; their white bottom rows are left out as the glyph's transparent colour.
  auto strip = fixtureskin::Picture(40, 11, 0xFFFFFF);
  for (int i = 0; i < 4; ++i) fixtureskin::Fill(*strip, Rect(i * 10, 0, i * 10 + 10, 10), FrameColors[i]);
  label.SetGlyph(*strip);
  windowtesting::Pump();
  const auto shown = [&] {
    for (int i = 0; i < 4; ++i)
      if (Scan(label, FrameColors[i]).Count > 0) return i + 1;
    return 0;
  };
  EXPECT_EQ(1, shown()) << "normal";
  Mouse(label, WM_MOUSEMOVE, 0, 50, 25);
  EXPECT_EQ(4, shown()) << "under the pointer";
  Mouse(label, WM_LBUTTONDOWN, MK_LBUTTON, 50, 25);
  EXPECT_EQ(3, shown()) << "pressed under the pointer";
  Mouse(label, WM_LBUTTONUP, 0, 50, 25);
  Mouse(label, WM_MOUSEMOVE, 0, 150, 25);
  EXPECT_FALSE(label.Hovered());
  EXPECT_EQ(1, shown());
  label.SetEnabled(false);
  windowtesting::Pump();
  EXPECT_EQ(2, shown()) << "disabled";
  label.SetEnabled(true);
  label.SetNumGlyphs(1);
  auto single = fixtureskin::Picture(10, 11, 0xFFFFFF);
  fixtureskin::Fill(*single, Rect(0, 0, 10, 10), FrameColors[0]);
  label.SetGlyph(*single);
  Mouse(label, WM_MOUSEMOVE, 0, 50, 25);
  Mouse(label, WM_LBUTTONDOWN, MK_LBUTTON, 50, 25);
  EXPECT_EQ(1, shown()) << "a single picture in every state";
  Mouse(label, WM_LBUTTONUP, 0, 50, 25);
}

}  // namespace
