// The two skinned memos: the external bars following the text, the memo's own read-only mode, the
// edit menu, and the looks without a skin and in a small skin of flat colours.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinMemo2.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;
using skintesting::PressKeys;

namespace {

const char MemoForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 500
  Height = 400
  Color = clGreen
  object VB: TskSkinScrollBar
    Left = 200
    Top = 10
    Width = 19
    Height = 150
    Kind = sbVertical
  end
  object M: TskSkinMemo
    Left = 10
    Top = 10
    Width = 185
    Height = 150
    VScrollBar = VB
  end
  object VB2: TskSkinScrollBar
    Left = 460
    Top = 10
    Width = 19
    Height = 150
    Kind = sbVertical
  end
  object HB2: TskSkinScrollBar
    Left = 250
    Top = 165
    Width = 200
    Height = 19
  end
  object M2: TskSkinMemo2
    Left = 250
    Top = 10
    Width = 200
    Height = 150
    WordWrap = False
    VScrollBar = VB2
    HScrollBar = HB2
  end
end)";

// The memo's frame is a 40 x 40 piece with borders of 3 ("clientrect" 3,3,37,37) whose client part
// has a colour of its own; the active piece sits beside it. The edit is an 80 x 21 strip.
const char MemoSkinIni[] = R"([VERSION]
ver=2
skinname=Memos

[PICTURES]
picture=frame.bmp
activepicturescount=1
0=controls.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=2
0=memo:memo
1=edit:edit

[memo]
pictureindex=0
maskpictureindex=-1
cursorindex=-1
skinrect=0,0,40,40
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=3,3,37,37
stretcheffect=0
activeskinrect=40,0,80,40
fontname=Arial
fontheight=16
fontstyle=
fontcolor=255
activefontcolor=65280
disabledfontcolor=8421504
bgcolor=16711680
activebgcolor=65535

[edit]
pictureindex=0
maskpictureindex=-1
cursorindex=-1
skinrect=0,40,80,61
lefttoppoint=4,4
righttoppoint=76,4
leftbottompoint=4,17
rightbottompoint=76,17
clientrect=3,3,77,18
stretcheffect=0
activeskinrect=80,40,160,61
fontname=Arial
fontheight=14
fontstyle=
fontcolor=255
activefontcolor=65280
disabledfontcolor=8421504
)";

constexpr COLORREF FrameColor = RGB(90, 20, 20), ClientColor = RGB(20, 90, 20);
constexpr COLORREF ActiveFrameColor = RGB(20, 20, 90), ActiveClientColor = RGB(90, 90, 20);
constexpr COLORREF EditColor = RGB(40, 40, 120), ActiveEditColor = RGB(120, 40, 40);

class MemoSkin : public skintesting::TSkinFiles {
public:
  MemoSkin() {
    SavePicture("frame.bmp", *skintesting::Picture(20, 20, RGB(90, 90, 90)));
    auto controls = skintesting::Picture(160, 61, FrameColor);
    skintesting::Fill(*controls, Rect(3, 3, 37, 37), ClientColor);
    skintesting::Fill(*controls, Rect(40, 0, 80, 40), ActiveFrameColor);
    skintesting::Fill(*controls, Rect(43, 3, 77, 37), ActiveClientColor);
    skintesting::Fill(*controls, Rect(0, 40, 80, 61), EditColor);
    skintesting::Fill(*controls, Rect(80, 40, 160, 61), ActiveEditColor);
    SavePicture("controls.bmp", *controls);
    Load(MemoSkinIni);
  }
};

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// Lines "Line 0" .. "Line N-1".
String NumberedLines(int Count) {
  String text;
  for (int i = 0; i < Count; ++i) text += "Line " + IntToStr(i) + (i + 1 < Count ? "\r\n" : "");
  return text;
}

void Wheel(int Notches) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(Notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof(input));
  windowtesting::PumpFor(50);
}

class SkinMemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(MemoForm);
    Memo = dynamic_cast<TskSkinMemo*>(Form->FindComponent("M"));
    Memo2 = dynamic_cast<TskSkinMemo2*>(Form->FindComponent("M2"));
    ASSERT_NE(Memo, nullptr);
    ASSERT_NE(Memo2, nullptr);
    Bar = Memo->VScrollBar();
    ASSERT_NE(Bar, nullptr);
    Memo->SetFocus();
    windowtesting::Pump();
  }
  // Makes the memo show exactly Lines whole lines.
  void ShowLines(TMemo& M, int Lines) {
    const int lineHeight = M.ClientHeight() / MemoVisibleLines(M);
    M.SetHeight(M.Height() - M.ClientHeight() + Lines * lineHeight + lineHeight / 2);
    ASSERT_EQ(MemoVisibleLines(M), Lines);
  }
  static int FirstLine(TMemo& M) { return static_cast<int>(SendMessageW(M.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
  static String WindowText(TMemo& M) {
    const int length = GetWindowTextLengthW(M.Handle());
    std::vector<WCHAR> text(static_cast<size_t>(length) + 1);
    GetWindowTextW(M.Handle(), text.data(), length + 1);
    return FromWide(text.data(), length);
  }
  // The captions and enabled states of the edit menu, "-" for a separator, "*" after an enabled entry.
  static std::vector<std::string> MenuEntries(TskSkinPopupMenu* Menu) {
    std::vector<std::string> entries;
    TMenuItem* items = Menu->Items();
    for (int i = 0; i < items->Count(); ++i) {
      const TMenuItem* item = items->Items(i);
      entries.push_back(item->Caption() + (item->IsLine() || !item->Enabled() ? "" : "*"));
    }
    return entries;
  }
  TPoint ScreenPoint(TControl& Control, int X, int Y) { return Control.ClientToScreen(Point(X, Y)); }

  std::unique_ptr<TForm> Form;
  TskSkinMemo* Memo = nullptr;
  TskSkinMemo2* Memo2 = nullptr;
  TskSkinScrollBar* Bar = nullptr;
};

}  // namespace

TEST_F(SkinMemoTest, TheBarFollowsTheText) {
  ShowLines(*Memo, 10);
  Memo->SetText("a\r\nb\r\nc");
  EXPECT_FALSE(Bar->Enabled());
  EXPECT_EQ(Bar->Max(), 0);
  EXPECT_EQ(Bar->PageSize(), 0);

  Memo->SetText(NumberedLines(100));
  EXPECT_TRUE(Bar->Enabled());
  EXPECT_EQ(Bar->Min(), 0);
  EXPECT_EQ(Bar->Max(), 100);
  EXPECT_EQ(Bar->PageSize(), 11);
  EXPECT_EQ(Bar->Position(), 0);

  // Typing at the end scrolls the text; the bar follows.
  PressKeys({VK_CONTROL, VK_END});
  TypeChar('x');
  EXPECT_EQ(FirstLine(*Memo), 90);
  EXPECT_EQ(Bar->Position(), 90);
  // One line per wheel message, whatever the turn.
  const TPoint inside = ScreenPoint(*Memo, 20, 20);
  MouseTo(inside.x, inside.y);
  Wheel(3);
  EXPECT_EQ(FirstLine(*Memo), 89);
  EXPECT_EQ(Bar->Position(), 89);
  Wheel(-1);
  EXPECT_EQ(Bar->Position(), 90);
  // While a selection is dragged, each move brings the bar in line with the text.
  SendMessageW(Memo->Handle(), EM_LINESCROLL, 0, -5);
  ASSERT_EQ(Bar->Position(), 90);
  Memo->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  Memo->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 30));
  EXPECT_EQ(Bar->Position(), 85);
  Memo->Perform(WM_LBUTTONUP, 0, MAKELPARAM(20, 30));

  // The bar moves the text.
  Bar->SetPosition(40);
  EXPECT_EQ(FirstLine(*Memo), 40);
  EXPECT_EQ(Bar->Position(), 40);
}

TEST_F(SkinMemoTest, TheBarReachesTheLastOfManyLines) {
  Memo->SetWordWrap(false);
  ShowLines(*Memo, 10);
  Memo->SetText(NumberedLines(100000));
  EXPECT_EQ(Bar->Max(), 100000);
  // Past the reach of a 16-bit thumb position the text still goes where the bar says.
  Bar->SetPosition(70000);
  EXPECT_EQ(FirstLine(*Memo), 70000);
  Bar->SetPosition(Bar->Max());
  EXPECT_EQ(FirstLine(*Memo), 100000 - 10);
  EXPECT_EQ(Bar->Position(), 100000 - 10);
}

TEST_F(SkinMemoTest, ReadOnlyKeepsTheTextButCopies) {
  Memo->SetText("hello");
  Memo->SetReadOnly(true);
  ASSERT_TRUE(SetClipboardText("pasted"));
  SendMessageW(Memo->Handle(), EM_SETSEL, 5, 5);
  TypeChar('x');
  TapKey(VK_BACK);
  TapKey(VK_RETURN);
  TapKey(VK_HOME);
  EXPECT_EQ(Memo->SelStart(), 0) << "the caret still moves";
  TapKey(VK_DELETE);
  PressKeys({VK_CONTROL, 'V'});
  PressKeys({VK_SHIFT, VK_INSERT});
  SendMessageW(Memo->Handle(), EM_SETSEL, 0, 2);
  PressKeys({VK_CONTROL, 'X'});
  PressKeys({VK_SHIFT, VK_DELETE});
  PressKeys({VK_CONTROL, 'Z'});
  for (UINT message : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO}) SendMessageW(Memo->Handle(), message, 0, 0);
  EXPECT_EQ(WindowText(*Memo), "hello");
  PressKeys({VK_CONTROL, 'C'});
  EXPECT_EQ(ClipboardText(), "he") << "the copy key copies";
  Memo->CreateSysPopupMenu();
  EXPECT_EQ(MenuEntries(Memo->EditMenu()),
            (std::vector<std::string>{"Undo", "-", "Cut", "Copy*", "Paste", "Delete", "-", "Select All*"}));

  Memo->SetReadOnly(false);
  SendMessageW(Memo->Handle(), EM_SETSEL, 5, 5);
  TypeChar('x');
  EXPECT_EQ(WindowText(*Memo), "hellox");
}

TEST_F(SkinMemoTest, EditMenuFollowsTheState) {
  struct Case {
    const char* Text;
    int SelStart, SelEnd;
    const char* Clipboard;
    std::vector<std::string> Entries;
  };
  const std::vector<Case> cases = {
      {"", 0, 0, "clip", {"Undo", "-", "Cut", "Copy", "Paste*", "Delete", "-", "Select All"}},
      {"hello", 0, 5, "", {"Undo", "-", "Cut*", "Copy*", "Paste", "Delete*", "-", "Select All"}},
      {"hello", 1, 3, "clip", {"Undo", "-", "Cut*", "Copy*", "Paste*", "Delete*", "-", "Select All*"}},
      {"hello", 2, 2, "clip", {"Undo", "-", "Cut", "Copy", "Paste*", "Delete", "-", "Select All*"}},
  };
  for (TMemo* memo : {static_cast<TMemo*>(Memo), static_cast<TMemo*>(Memo2)}) {
    for (const Case& c : cases) {
      memo->SetText(c.Text);
      SendMessageW(memo->Handle(), EM_SETSEL, c.SelStart, c.SelEnd);
      ASSERT_TRUE(SetClipboardText(c.Clipboard));
      TskSkinPopupMenu* menu = nullptr;
      if (memo == Memo) {
        Memo->CreateSysPopupMenu();
        menu = Memo->EditMenu();
      } else {
        Memo2->CreateSysPopupMenu();
        menu = Memo2->EditMenu();
      }
      EXPECT_EQ(MenuEntries(menu), c.Entries) << memo->Name() << " " << c.Text << " " << c.SelStart << "-" << c.SelEnd;
    }
  }
  // The window's own read-only state rules the second memo's menu.
  Memo2->SetReadOnly(true);
  Memo2->CreateSysPopupMenu();
  EXPECT_EQ(MenuEntries(Memo2->EditMenu())[2], "Cut");
  // Choosing an entry runs its command; the menu goes once the command has run.
  Memo->SetText("abc");
  SendMessageW(Memo->Handle(), EM_SETSEL, 1, 1);
  Memo->CreateSysPopupMenu();
  Memo->EditMenu()->Items()->Items(7)->Click();
  EXPECT_EQ(Memo->SelLength(), 3);
  Memo->Perform(WM_AFTERDISPATCH, 0, 0);
  EXPECT_EQ(Memo->EditMenu(), nullptr);
}

TEST_F(SkinMemoTest, EditMenuTextsComeFromTheMemosOwnSkin) {
  MemoSkin skin;
  auto* table = new TskResourceStrData(&skin.Skin());
  TStringList lines;
  lines.Add("EDIT_UNDO=Back");
  table->SetResStrs(lines);
  skin.Skin().SetResourceStrData(table);
  Memo->SetSkinData(&skin.Skin());
  Memo->CreateSysPopupMenu();
  const std::vector<std::string> entries = MenuEntries(Memo->EditMenu());
  EXPECT_EQ(entries[0], "Back");
  EXPECT_EQ(entries[2], "") << "a table without the key gives an empty text";
}

TEST_F(SkinMemoTest, DefaultLook) {
  EXPECT_EQ(Memo->SkinControlIndex(), -1);
  EXPECT_EQ(Memo->ClientWidth(), 185 - 4);
  EXPECT_EQ(Memo->ClientHeight(), 150 - 4);
  RECT r;
  GetWindowRect(Memo->Handle(), &r);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(r.left, r.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(skintesting::ScreenPixel(r.right - 1, r.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 1, r.top + 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 100, r.bottom - 2), GetSysColor(COLOR_BTNFACE));
  // The picture background without a skin is the window colour.
  Memo->SetColor(clYellow);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 100, r.bottom - 10), Rgb(clYellow));
  Memo->SetBitMapBG(true);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 100, r.bottom - 10), Rgb(clWindow));
  // The second memo has neither frame nor native bars.
  EXPECT_EQ(Memo2->ClientWidth(), 200);
  EXPECT_EQ(Memo2->ClientHeight(), 150);
}

TEST_F(SkinMemoTest, SkinnedLookAndActiveColours) {
  MemoSkin skin;
  ::SetFocus(Form->Handle());
  Memo->SetSkinData(&skin.Skin());
  windowtesting::Pump();
  ASSERT_NE(Memo->SkinControlIndex(), -1);
  EXPECT_EQ(Memo->ClientWidth(), 185 - 6);
  EXPECT_EQ(Memo->Font().Height(), 16);
  EXPECT_EQ(Memo->Font().Color(), 255);
  EXPECT_EQ(Memo->Color(), 16711680);
  RECT r;
  GetWindowRect(Memo->Handle(), &r);
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 1, r.top + 1), FrameColor);
  EXPECT_EQ(skintesting::ScreenPixel(r.right - 2, r.bottom - 2), FrameColor);

  // The focus with the mouse elsewhere: the active colours and frame.
  Memo->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Memo->Font().Color(), 65280);
  EXPECT_EQ(Memo->Color(), 65535);
  EXPECT_EQ(skintesting::ScreenPixel(r.left + 1, r.top + 1), ActiveFrameColor);
  // The mouse in and out while focused changes nothing but the events.
  int entered = 0, left = 0;
  Memo->OnMouseEnter = [&](TObject*) { ++entered; };
  Memo->OnMouseLeave = [&](TObject*) { ++left; };
  // The class library's notices of the pointer coming and going.
  Memo->Perform(CM_MOUSEENTER, 0, 0);
  Memo->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(Memo->Color(), 65535);
  ::SetFocus(Form->Handle());
  windowtesting::Pump();
  EXPECT_EQ(Memo->Color(), 16711680);
  EXPECT_EQ(Memo->Font().Color(), 255);

  // The skin's client picture behind the text, blended with the form's green by AlphaBlendValue.
  Memo->SetBitMapBG(true);
  windowtesting::Pump();
  const int x = r.left + 150, y = r.bottom - 10;
  EXPECT_EQ(skintesting::ScreenPixel(x, y), ClientColor);
  Memo->SetTransparent(true);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(x, y), Rgb(clGreen)) << "AlphaBlendValue 0: the parent alone";
  Memo->SetAlphaBlendValue(255);
  windowtesting::Pump();
  EXPECT_EQ(skintesting::ScreenPixel(x, y), ClientColor);
}

TEST_F(SkinMemoTest, SecondMemoDrivesBothBars) {
  TskSkinScrollBar* vbar = Memo2->VScrollBar();
  TskSkinScrollBar* hbar = Memo2->HScrollBar();
  ASSERT_NE(vbar, nullptr);
  ASSERT_NE(hbar, nullptr);
  Memo2->SetText("short\r\nlines");
  EXPECT_FALSE(hbar->Enabled());
  EXPECT_FALSE(vbar->Enabled());
  String wide(300, 'w');
  Memo2->SetText(wide + "\r\n" + NumberedLines(60));
  EXPECT_TRUE(hbar->Enabled());
  EXPECT_TRUE(vbar->Enabled());
  EXPECT_EQ(hbar->PageSize(), hbar->Width() + 1);
  EXPECT_EQ(vbar->PageSize(), MemoVisibleLines(*Memo2) + 1);
  int min = 0, max = 0;
  GetScrollRange(Memo2->Handle(), SB_HORZ, &min, &max);
  EXPECT_EQ(hbar->Max(), max);

  // The bars move the text: sideways to the bar's position, down by lines.
  hbar->SetPosition(120);
  EXPECT_EQ(GetScrollPos(Memo2->Handle(), SB_HORZ), 120);
  vbar->SetPosition(20);
  EXPECT_EQ(FirstLine(*Memo2), 20);

  // Disabled, both bars are; enabled again, they come back with their ranges.
  Memo2->SetEnabled(false);
  EXPECT_FALSE(hbar->Enabled());
  EXPECT_FALSE(vbar->Enabled());
  Memo2->SetEnabled(true);
  EXPECT_TRUE(hbar->Enabled());
  EXPECT_TRUE(vbar->Enabled());

  // The window's own read-only state refuses typing.
  Memo2->SetText("abc");
  Memo2->SetReadOnly(true);
  Memo2->SetFocus();
  TypeChar('x');
  EXPECT_EQ(WindowText(*Memo2), "abc");
}

TEST_F(SkinMemoTest, TheFormsSkinChangeReachesOnlyTheFirstMemo) {
  MemoSkin skin;
  auto* frame = new TskFormSkin(Form.get());
  frame->SetSkinData(&skin.Skin());
  Memo->SetSkinData(&skin.Skin());
  Memo2->SetSkinData(&skin.Skin());
  ::SetFocus(Form->Handle());
  windowtesting::Pump();
  EXPECT_EQ(Memo2->Font().Color(), 255);
  EXPECT_EQ(Memo2->Color(), 16711680);
  // Loading the skin again, each takes the skin's colours afresh: the first memo through the form's
  // walk; the second only when it is given the skin again.
  Memo->Font().SetColor(clBlack);
  Memo2->Font().SetColor(clBlack);
  skin.Reload();
  windowtesting::Pump();
  EXPECT_EQ(Memo->Font().Color(), 255);
  EXPECT_EQ(Memo2->Font().Color(), clBlack);
  Memo2->SetSkinData(&skin.Skin());
  EXPECT_EQ(Memo2->Font().Color(), 255);
  delete frame;
}
