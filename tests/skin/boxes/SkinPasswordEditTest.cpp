// The password edit: cells and glyphs, keys, mouse, the clipboard (in only), and the window text
// that never holds the password; the default look and Tavrel's main skin.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/Clipbrd.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "tests/skin/support/Screen.h"

#include <algorithm>
#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;
using skintesting::PressKeys;

namespace {

const char PasswordForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  object P: TskSkinPasswordEdit
    Left = 10
    Top = 10
    PasswordKind = pkRect
  end
  object Other: TskSkinPasswordEdit
    Left = 10
    Top = 60
  end
end)";

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

class SkinPasswordEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(PasswordForm);
    Edit = dynamic_cast<TskSkinPasswordEdit*>(Form->FindComponent("P"));
    Other = dynamic_cast<TskSkinPasswordEdit*>(Form->FindComponent("Other"));
    ASSERT_NE(Edit, nullptr);
    ASSERT_NE(Other, nullptr);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Edit->SetFocus();
    windowtesting::Pump();
  }
  void Type(const std::string& Keys) {
    for (char c : Keys) TypeChar(c);
  }
  // Pixel (X, Y) of the edit, read from the screen.
  COLORREF Pixel(TControl& Control, int X, int Y) {
    windowtesting::Pump();
    const TPoint p = Control.ClientToScreen(Point(X, Y));
    return skintesting::ScreenPixel(p.x, p.y);
  }
  void ClickAt(int X, int Y) {
    const TPoint p = Edit->ClientToScreen(Point(X, Y));
    LeftPress(p.x, p.y);
    LeftReleaseAt(p.x, p.y);
  }

  std::unique_ptr<TForm> Form;
  TskSkinPasswordEdit* Edit = nullptr;
  TskSkinPasswordEdit* Other = nullptr;
  int Changes = 0;
};

}  // namespace

TEST_F(SkinPasswordEditTest, CellsGlyphsAndScrolling) {
  EXPECT_EQ(Edit->Width(), 121);
  EXPECT_EQ(Edit->Height(), 21);
  EXPECT_EQ(Text(Edit->GetEditRect()), "2,2,119,19");
  EXPECT_EQ(Edit->GetPasswordCharWidth(), 11);
  Type("abcdefghij");
  EXPECT_EQ(Edit->FirstVisibleChar(), 1);
  // The first cell is (2, 2, 13, 19); its 7 x 7 square starts at (4, 7).
  ::SetFocus(Form->Handle());
  EXPECT_EQ(Pixel(*Edit, 4, 7), Rgb(clWindowText));
  EXPECT_EQ(Pixel(*Edit, 10, 13), Rgb(clWindowText));
  EXPECT_EQ(Pixel(*Edit, 3, 7), Rgb(clWindow));
  EXPECT_EQ(Pixel(*Edit, 11, 13), Rgb(clWindow));
  EXPECT_EQ(Pixel(*Edit, 10, 14), Rgb(clWindow));
  EXPECT_EQ(Pixel(*Edit, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(*Edit, 1, 1), Rgb(clBtnFace));
  // Keyboard focus selects all, the caret at the start: glyphs in the highlight colours.
  Edit->SetFocus();
  EXPECT_EQ(Edit->GetSelStart(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 10);
  EXPECT_EQ(Edit->CaretPosition(), 0);
  EXPECT_EQ(Pixel(*Edit, 4, 7), Rgb(clHighlightText));
  EXPECT_EQ(Pixel(*Edit, 3, 7), Rgb(clHighlight));
  // The eleventh character scrolls the second into first place.
  TapKey(VK_END);
  TypeChar('k');
  EXPECT_EQ(Edit->FirstVisibleChar(), 2);
  EXPECT_EQ(Edit->Text(), "abcdefghijk");
}

TEST_F(SkinPasswordEditTest, EditingKeys) {
  Type("abcd");
  EXPECT_EQ(Changes, 4);
  TapKey(VK_DELETE);  // at the end
  TapKey(VK_HOME);
  TapKey(VK_BACK);  // at the start
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Edit->Text(), "abcd");
  TapKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "bcd");
  TapKey(VK_END);
  TapKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "bc");

  // Shift+Right three times from position 1 selects the second to the fourth; Shift+Left shrinks.
  Edit->SetText("abcdef");
  TapKey(VK_HOME);
  TapKey(VK_RIGHT);
  for (int i = 0; i < 3; ++i) PressKeys({VK_SHIFT, VK_RIGHT});
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3);
  PressKeys({VK_SHIFT, VK_LEFT});
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 2);
  TypeChar('X');  // typing replaces the selection
  EXPECT_EQ(Edit->Text(), "aXdef");
  EXPECT_EQ(Edit->CaretPosition(), 2);

  // Words: Ctrl+arrows and the double click.
  Edit->SetText("ab cd");
  TapKey(VK_HOME);
  PressKeys({VK_CONTROL, VK_RIGHT});
  EXPECT_EQ(Edit->CaretPosition(), 3);
  PressKeys({VK_CONTROL, VK_RIGHT});
  EXPECT_EQ(Edit->CaretPosition(), 5);
  PressKeys({VK_CONTROL, VK_LEFT});
  EXPECT_EQ(Edit->CaretPosition(), 3);
  const TPoint between = Edit->ClientToScreen(Point(Edit->GetCharX(4) + 1, 10));
  skintesting::LeftDoubleClick(between.x, between.y);
  EXPECT_EQ(Edit->GetSelStart(), 3);
  EXPECT_EQ(Edit->GetSelLength(), 2);
  EXPECT_EQ(Edit->CaretPosition(), 5);

  // Upper case is stored; going back to normal keeps it.
  Edit->SetText("");
  Edit->SetCharCase(TEditCharCase::ecUpperCase);
  Type("ab");
  Edit->SetCharCase(TEditCharCase::ecNormal);
  Type("c");
  EXPECT_EQ(Edit->Text(), "ABc");

  Edit->SetReadOnly(true);
  TapKey(VK_BACK);
  TypeChar('z');
  EXPECT_EQ(Edit->Text(), "ABc");
}

TEST_F(SkinPasswordEditTest, TheClipboardGoesInOnly) {
  Edit->SetText("secret");
  Edit->SelectAll();
  ASSERT_TRUE(SetClipboardText("before"));
  PressKeys({VK_CONTROL, 'C'});
  PressKeys({VK_CONTROL, VK_INSERT});
  PressKeys({VK_CONTROL, 'X'});
  SendMessageW(Edit->Handle(), WM_COPY, 0, 0);
  SendMessageW(Edit->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_EQ(Edit->Text(), "secret");
  // Neither the window text nor its length gives the password away.
  WCHAR text[64] = {};
  EXPECT_EQ(GetWindowTextW(Edit->Handle(), text, 64), 0);
  EXPECT_EQ(GetWindowTextLengthW(Edit->Handle()), 0);
  // A text given as the caption becomes the password and leaves the window text.
  static_cast<TControl*>(Edit)->SetText("given");
  EXPECT_EQ(Edit->Text(), "given");
  EXPECT_EQ(GetWindowTextLengthW(Edit->Handle()), 0);

  // Shift+Insert and Ctrl+V paste the clipboard's text, characters past the code page kept.
  Edit->SetText("");
  ASSERT_TRUE(SetClipboardText("p\xC3\xA4\xE2\x82\xAC"));  // "pä€"
  PressKeys({VK_SHIFT, VK_INSERT});
  EXPECT_EQ(Edit->Text(), "p\xC3\xA4\xE2\x82\xAC");
  EXPECT_EQ(Edit->CaretPosition(), 3);
  ASSERT_TRUE(SetClipboardText("xy"));
  PressKeys({VK_CONTROL, 'V'});
  EXPECT_EQ(Edit->Text(), "p\xC3\xA4\xE2\x82\xACxy");

  // MaxLength 5 with 4 characters: one typed character goes in, a two-character paste does not.
  Edit->SetText("abcd");
  Edit->SetMaxLength(5);
  TapKey(VK_END);
  PressKeys({VK_CONTROL, 'V'});
  EXPECT_EQ(Edit->Text(), "abcd");
  TypeChar('e');
  EXPECT_EQ(Edit->Text(), "abcde");
  TypeChar('f');
  EXPECT_EQ(Edit->Text(), "abcde");

  EXPECT_EQ(SendMessageW(Edit->Handle(), WM_GETDLGCODE, 0, 0), 129);
}

TEST_F(SkinPasswordEditTest, MouseAndAlignment) {
  Edit->SetText("abc");
  Edit->SetTextAlignment(TAlignment::taRightJustify);
  ::SetFocus(Form->Handle());
  // Three 11-pixel cells against the right edge of the edit rectangle (119).
  EXPECT_EQ(Edit->GetCharX(0), 119 - 33);
  EXPECT_EQ(Pixel(*Edit, 119 - 33 + 2, 10), Rgb(clWindowText));
  EXPECT_EQ(Pixel(*Edit, 119 - 33 - 2, 10), Rgb(clWindow));
  // A click left of them puts the caret at 0 (after the focus's select-all).
  ClickAt(20, 10);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->CaretPosition(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 0);
  // A drag from the first glyph to past the right end selects all three.
  const TPoint from = Edit->ClientToScreen(Point(119 - 33 + 1, 10));
  const TPoint to = Edit->ClientToScreen(Point(125, 10));
  LeftPress(from.x, from.y);
  MouseTo(to.x, to.y);
  LeftReleaseAt(to.x, to.y);
  EXPECT_EQ(Edit->GetSelStart(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 3);

  // The caret belongs to the focused control: a font change elsewhere leaves it alone.
  POINT caret{};
  GetCaretPos(&caret);
  Other->Font().SetHeight(20);
  POINT after{};
  GetCaretPos(&after);
  EXPECT_EQ(after.x, caret.x);
}

TEST_F(SkinPasswordEditTest, TakesTheMainSkinsEditLook) {
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  TskSkinData skin(nullptr);
  skin.LoadFromFile(path);
  ::SetFocus(Form->Handle());
  Edit->SetSkinData(&skin);
  ASSERT_NE(Edit->SkinControlIndex(), -1);
  ASSERT_NE(Edit->SkinBitmap, nullptr);
  EXPECT_EQ(Edit->Height(), 21) << "the skin's height";
  EXPECT_EQ(Text(Edit->GetEditRect()), "3,3,118,18");
  Edit->SetText("ab");
  auto skinPixel = [&](int X, int Y) { return static_cast<COLORREF>(Edit->SkinBitmap->Canvas()->Pixels(X, Y)); };
  // "skinrect" 0,107,80,128; "activeskinrect" 80,107,160,128 (the middle tiled from x 4).
  EXPECT_EQ(Pixel(*Edit, 0, 10), skinPixel(0, 117));
  EXPECT_EQ(Pixel(*Edit, 100, 10), skinPixel(4 + (100 - 4) % 72, 117));
  // Glyphs in "fontcolor", and "activefontcolor" with the focus (the selection cleared).
  EXPECT_EQ(Pixel(*Edit, Edit->GetCharX(0) + 4, 10), static_cast<COLORREF>(16116450));
  Edit->SetFocus();
  TapKey(VK_END);
  EXPECT_EQ(Pixel(*Edit, 0, 10), skinPixel(80, 117));
  EXPECT_EQ(Pixel(*Edit, Edit->GetCharX(0) + 4, 10), static_cast<COLORREF>(16777215));
  Edit->SetSkinData(nullptr);
}
