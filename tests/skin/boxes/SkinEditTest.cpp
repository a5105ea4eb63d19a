// The edit base (read-only guard, Enter and Escape, the edit menu) and the skinned edits in the
// default look and in Tavrel's main skin.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Shell.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char EditForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object E: TskSkinEdit
    Left = 10
    Top = 10
    Width = 120
  end
  object B: TskSkinEdit
    Left = 10
    Top = 50
    Width = 120
    ButtonMode = True
  end
  object U: TskSkinURLEdit
    Left = 10
    Top = 90
    Width = 200
  end
end)";

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

class SkinEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(EditForm);
    Edit = dynamic_cast<TskSkinEdit*>(Form->FindComponent("E"));
    ButtonEdit = dynamic_cast<TskSkinEdit*>(Form->FindComponent("B"));
    URLEdit = dynamic_cast<TskSkinURLEdit*>(Form->FindComponent("U"));
    ASSERT_NE(Edit, nullptr);
    ASSERT_NE(ButtonEdit, nullptr);
    ASSERT_NE(URLEdit, nullptr);
    Edit->SetFocus();
    windowtesting::Pump();
  }
  void TearDown() override { ShellExecuteProc() = SavedShell; }

  // The control's whole picture as DrawSkinEdit paints it.
  static std::unique_ptr<TBitmap> Picture(TskSkinCustomEdit& E) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(E.Width(), E.Height());
    E.DrawSkinEdit(*b->Canvas(), false);
    return b;
  }
  static COLORREF Pixel(TBitmap& B, int X, int Y) { return static_cast<COLORREF>(B.Canvas()->Pixels(X, Y)); }
  // The captions and enabled states of the edit menu, "-" for a separator, "*" after an enabled entry.
  static std::vector<std::string> MenuEntries(TskCustomEdit& E) {
    std::vector<std::string> entries;
    TMenuItem* items = E.EditMenu()->Items();
    for (int i = 0; i < items->Count(); ++i) {
      const TMenuItem* item = items->Items(i);
      entries.push_back(item->Caption() + (item->IsLine() || !item->Enabled() ? "" : "*"));
    }
    return entries;
  }
  String WindowText(TskCustomEdit& E) {
    WCHAR text[256];
    const int length = GetWindowTextW(E.Handle(), text, 256);
    return FromWide(text, length);
  }

  TShellExecuteProc SavedShell = ShellExecuteProc();
  std::unique_ptr<TForm> Form;
  TskSkinEdit* Edit = nullptr;
  TskSkinEdit* ButtonEdit = nullptr;
  TskSkinURLEdit* URLEdit = nullptr;
};

}  // namespace

TEST_F(SkinEditTest, ReadOnlyDropsEveryEdit) {
  Edit->SetText("hello");
  Edit->SetReadOnly(true);
  Edit->SetSelStart(5);
  TypeChar('x');
  TapKey(VK_BACK);
  TapKey(VK_HOME);
  EXPECT_EQ(Edit->SelStart(), 0) << "the caret still moves";
  TapKey(VK_DELETE);
  EXPECT_EQ(WindowText(*Edit), "hello");
  ASSERT_TRUE(SetClipboardText("pasted"));
  for (UINT message : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO}) {
    SendMessageW(Edit->Handle(), EM_SETSEL, 0, 2);
    SendMessageW(Edit->Handle(), message, 0, 0);
    EXPECT_EQ(WindowText(*Edit), "hello") << message;
  }
  Edit->CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "he") << "copying is not guarded";

  Edit->SetReadOnly(false);
  Edit->SetSelStart(5);
  TypeChar('x');
  TapKey(VK_DELETE);
  Edit->SetSelStart(0);
  TapKey(VK_DELETE);
  EXPECT_EQ(WindowText(*Edit), "ellox");
}

TEST_F(SkinEditTest, EnterAndEscapeReachOnlyOnKeyPress) {
  std::vector<int> pressed;
  Edit->OnKeyPress = [&](TObject* Sender, char& Key) {
    EXPECT_EQ(Sender, Edit);
    pressed.push_back(Key);
    Key = 'z';  // a change here must not reach the window
  };
  Edit->SetText("ab");
  Edit->SetSelStart(1);
  for (const bool readOnly : {false, true}) {
    Edit->SetReadOnly(readOnly);
    TapKey(VK_RETURN);
    TapKey(VK_ESCAPE);
  }
  EXPECT_EQ(WindowText(*Edit), "ab");
  EXPECT_EQ(pressed, (std::vector<int>{13, 27, 13, 27}));
  EXPECT_TRUE(Form->Visible()) << "Escape does not close the form";
}

TEST_F(SkinEditTest, EditMenuEntriesFollowTheState) {
  struct Case {
    const char* Text;
    int SelStart, SelEnd;
    bool ReadOnly;
    const char* Clipboard;
    std::vector<std::string> Entries;
  };
  const std::vector<Case> cases = {
      {"", 0, 0, false, "clip", {"Undo", "-", "Cut", "Copy", "Paste*", "Delete", "-", "Select All"}},
      {"hello", 0, 5, false, "", {"Undo", "-", "Cut*", "Copy*", "Paste", "Delete*", "-", "Select All"}},
      {"hello", 1, 3, true, "clip", {"Undo", "-", "Cut", "Copy*", "Paste", "Delete", "-", "Select All*"}},
      {"hello", 2, 2, false, "clip", {"Undo", "-", "Cut", "Copy", "Paste*", "Delete", "-", "Select All*"}},
  };
  for (const Case& c : cases) {
    Edit->SetReadOnly(c.ReadOnly);
    Edit->SetText(c.Text);
    SendMessageW(Edit->Handle(), EM_SETSEL, c.SelStart, c.SelEnd);
    ASSERT_TRUE(SetClipboardText(c.Clipboard));
    Edit->CreateSysPopupMenu();
    EXPECT_EQ(MenuEntries(*Edit), c.Entries) << c.Text << " " << c.SelStart << "-" << c.SelEnd;
  }
  // Undo once the window has something to undo; choosing an entry runs its command.
  Edit->SetReadOnly(false);
  Edit->SetText("ab");
  Edit->SetSelStart(2);
  TypeChar('c');
  Edit->CreateSysPopupMenu();
  EXPECT_EQ(MenuEntries(*Edit).front(), "Undo*");
  Edit->EditMenu()->Items()->Items(7)->Click();
  EXPECT_EQ(Edit->SelLength(), 3) << "Select All";
}

TEST_F(SkinEditTest, EditMenuTextsComeFromTheFormSkinsStringTable) {
  TskSkinData skin(Form.get());
  auto* table = new TskResourceStrData(&skin);
  TStringList lines;
  lines.Add("EDIT_UNDO=Back");
  lines.Add("EDIT_COPY=Take");
  table->SetResStrs(lines);
  skin.SetResourceStrData(table);
  auto* frame = new TskFormSkin(Form.get());
  frame->SetSkinData(&skin);
  Edit->CreateSysPopupMenu();
  const std::vector<std::string> entries = MenuEntries(*Edit);
  EXPECT_EQ(entries[0], "Back");
  EXPECT_EQ(entries[2], "") << "a table without the key gives an empty text";
  EXPECT_EQ(entries[3].substr(0, 4), "Take");
  delete frame;
}

TEST_F(SkinEditTest, TheMenuGoesWithItsCommandOrANewBuild) {
  auto menus = [&] {
    int count = 0;
    for (int i = 0; i < Edit->ComponentCount(); ++i) count += dynamic_cast<TskSkinPopupMenu*>(Edit->Components(i)) != nullptr;
    return count;
  };
  Edit->CreateSysPopupMenu();
  Edit->CreateSysPopupMenu();
  ASSERT_NE(Edit->EditMenu(), nullptr);
  EXPECT_EQ(menus(), 1) << "the earlier menu is freed";
  Edit->Perform(WM_AFTERDISPATCH, 0, 0);
  EXPECT_EQ(Edit->EditMenu(), nullptr);
  EXPECT_EQ(menus(), 0);
}

TEST_F(SkinEditTest, DefaultLook) {
  windowtesting::Pump();
  EXPECT_EQ(Edit->SkinControlIndex(), -1);
  EXPECT_EQ(Edit->Height(), 20);
  const TRect client = Edit->ClientRect();
  EXPECT_EQ(client.right, 116);
  EXPECT_EQ(client.bottom, 16);
  auto plain = Picture(*Edit);
  EXPECT_EQ(Pixel(*plain, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(*plain, 119, 19), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(*plain, 1, 1), Rgb(clBtnFace));
  EXPECT_EQ(Pixel(*plain, 118, 10), Rgb(clBtnFace));

  // The button: a square at the right end; navy framed and lighter while hot, darker while pressed.
  ButtonEdit->CalcRects();
  EXPECT_EQ(ButtonEdit->ButtonBounds().left, 100);
  EXPECT_EQ(ButtonEdit->ClientRect().right, 120 - 20 - 4);
  struct Look {
    bool Hot, Pressed;
    COLORREF Frame, Fill;
  };
  for (const Look& look : {Look{false, false, Rgb(clBtnShadow), Rgb(clBtnFace)},
                           Look{true, false, Rgb(clNavy), RGB(182, 189, 210)},
                           Look{true, true, Rgb(clNavy), RGB(133, 147, 181)}}) {
    const TPoint p = ButtonEdit->ClientToScreen(Point(0, 0));
    const TRect window = ButtonEdit->BoundsRect();
    const TPoint button = Form->ClientToScreen(Point(window.right - 10, window.top + 10));
    MouseTo(look.Hot ? button.x : p.x + 20, look.Hot ? button.y : p.y + 5);
    if (look.Pressed) LeftPress(button.x, button.y);
    EXPECT_EQ(ButtonEdit->ButtonHot(), look.Hot);
    EXPECT_EQ(ButtonEdit->ButtonPressed(), look.Pressed);
    auto b = Picture(*ButtonEdit);
    EXPECT_EQ(Pixel(*b, 100, 0), look.Frame);
    EXPECT_EQ(Pixel(*b, 110, 10), look.Fill);
    if (look.Pressed) LeftReleaseAt(button.x, button.y);
  }
}

TEST_F(SkinEditTest, TheButtonClicksOnAReleaseOverIt) {
  int clicks = 0;
  ButtonEdit->OnButtonClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, ButtonEdit);
    ++clicks;
  };
  const TRect window = ButtonEdit->BoundsRect();
  const TPoint button = Form->ClientToScreen(Point(window.right - 10, window.top + 10));
  const TPoint text = Form->ClientToScreen(Point(window.left + 20, window.top + 10));
  MouseTo(button.x, button.y);
  EXPECT_EQ(SendMessageW(ButtonEdit->Handle(), WM_NCHITTEST, 0, MAKELPARAM(button.x, button.y)), HTHSCROLL);
  LeftPress(button.x, button.y);
  LeftReleaseAt(button.x, button.y);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(ButtonEdit->Focused()) << "the click focuses the edit";
  LeftPress(button.x, button.y);
  MouseTo(text.x, text.y);
  LeftReleaseAt(text.x, text.y);
  EXPECT_EQ(clicks, 1) << "released over the text";
}

TEST_F(SkinEditTest, URLEditOpensOnlyWebAddressesOnALeftClick) {
  std::vector<std::string> opened;
  ShellExecuteProc() = [&](HWND Window, const String& Verb, const String& File, const String& Parameters,
                           const String& Directory, int Show) -> HINSTANCE {
    EXPECT_EQ(Window, Form->Handle());
    EXPECT_EQ(Verb, "Open");
    EXPECT_TRUE(Parameters.empty() && Directory.empty());
    EXPECT_EQ(Show, SW_SHOWNORMAL);
    opened.push_back(File);
    return reinterpret_cast<HINSTANCE>(33);
  };
  const TPoint text = URLEdit->ClientToScreen(Point(4, 8));
  const TPoint away = Form->ClientToScreen(Point(300, 200));
  auto click = [&](const char* Text, TskURLLinkType Type, bool Right = false) {
    URLEdit->SetText(Text);
    URLEdit->SetLinkType(Type);
    MouseTo(away.x, away.y);
    MouseTo(text.x, text.y);
    MouseTo(text.x + 1, text.y);
    if (Right) {
      skintesting::queued::RightClick(text.x + 1, text.y);
      windowtesting::PumpFor(50);
      TapKey(VK_ESCAPE);
    } else {
      LeftPress(text.x + 1, text.y);
      LeftReleaseAt(text.x + 1, text.y);
    }
  };
  click("HTTPS://example.org", TskURLLinkType::skltHTTP);
  EXPECT_EQ(URLEdit->State(), TskURLState::skstIN);
  EXPECT_TRUE(URLEdit->Font().Style().Contains(TFontStyle::fsUnderline));
  click("http://example.org", TskURLLinkType::skltHTTP, true);
  click("notepad.exe", TskURLLinkType::skltHTTP);
  click("nobody", TskURLLinkType::skltMail);
  click("a@b.c", TskURLLinkType::skltMail);
  EXPECT_EQ(opened, (std::vector<std::string>{"HTTPS://example.org", "mailto:a@b.c"}));
  URLEdit->Perform(CM_MOUSELEAVE, 0, 0);  // the class library's notice that the pointer went
  EXPECT_EQ(URLEdit->State(), TskURLState::skstOUT);
  EXPECT_FALSE(URLEdit->Font().Style().Contains(TFontStyle::fsUnderline));
}

// Tavrel's main skin has the "edit" and "buttonedit" descriptions.
class SkinEditSkinTest : public SkinEditTest {
protected:
  void SetUp() override {
    SkinEditTest::SetUp();
    std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
    std::replace(path.begin(), path.end(), '/', '\\');
    Skin = std::make_unique<TskSkinData>(nullptr);
    Skin->LoadFromFile(path);
  }
  std::unique_ptr<TskSkinData> Skin;
};

TEST_F(SkinEditSkinTest, AWideEditKeepsBothCaps) {
  Edit->SetWidth(200);
  Edit->SetSkinData(Skin.get());
  Edit->SetHeight(40);
  ASSERT_NE(Edit->SkinControlIndex(), -1);
  EXPECT_EQ(Edit->Height(), 21) << "the skin's height";
  EXPECT_EQ(Edit->ClientRect().right, 200 - 80 + 74);
  EXPECT_EQ(Edit->ClientRect().bottom, 15);
  Form->SetFocus();  // unfocused and the pointer away: "skinrect"
  windowtesting::Pump();
  TBitmap& skin = *SkinPicture(*Skin, 1);
  auto b = Picture(*Edit);
  // Left cap from (0, 107), right cap from (76, 107) of the picture, whatever the width.
  EXPECT_EQ(Pixel(*b, 1, 10), static_cast<COLORREF>(skin.Canvas()->Pixels(1, 117)));
  EXPECT_EQ(Pixel(*b, 198, 10), static_cast<COLORREF>(skin.Canvas()->Pixels(78, 117)));
  EXPECT_EQ(Pixel(*b, 199, 20), static_cast<COLORREF>(skin.Canvas()->Pixels(79, 127)));

  ButtonEdit->SetSkinDataName("buttonedit");
  ButtonEdit->SetSkinData(Skin.get());
  ButtonEdit->SetWidth(150);
  ButtonEdit->CalcRects();
  EXPECT_EQ(ButtonEdit->ButtonBounds().left, 62 + 70) << "a button in the right cap moves with the right edge";
  // Disabled, the button shows "unenabledbuttonrect" (32, 128 in the picture).
  auto enabled = Picture(*ButtonEdit);
  ButtonEdit->SetEnabled(false);
  auto disabled = Picture(*ButtonEdit);
  EXPECT_NE(Pixel(*disabled, 132 + 8, 2 + 8), Pixel(*enabled, 132 + 8, 2 + 8));
  EXPECT_EQ(Pixel(*disabled, 132 + 8, 2 + 8), static_cast<COLORREF>(skin.Canvas()->Pixels(32 + 8, 128 + 8)));
}

TEST_F(SkinEditSkinTest, TheEditMenuOpensThroughTheFormsMenusAndGoesAfterTheChosenCommand) {
  auto* frame = new TskFormSkin(Form.get());
  frame->SetSkinData(Skin.get());
  SetForegroundWindow(Form->Handle());
  Edit->SetFocus();
  Edit->SetText("hello");
  Edit->SetSelStart(2);
  windowtesting::PumpFor(50);
  auto menuPlace = [&] {
    RECT r{};
    if (frame->SkinMenu->IsOpen && !frame->SkinMenu->PopupWindows.empty())
      GetWindowRect(frame->SkinMenu->PopupWindows[0]->Handle(), &r);
    return Point(r.left, r.top);
  };

  // A right click opens it at the pointer.
  const TPoint click = Edit->ClientToScreen(Point(30, 5));
  MouseTo(click.x, click.y);
  skintesting::queued::RightClick(click.x, click.y);
  windowtesting::PumpFor(100);
  ASSERT_NE(Edit->EditMenu(), nullptr);
  EXPECT_EQ(menuPlace().x, click.x);
  EXPECT_EQ(menuPlace().y, click.y);
  // Closed without a choice, the menu stays until the next build.
  PostMessageW(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  windowtesting::Pump();
  EXPECT_NE(Edit->EditMenu(), nullptr);

  // A request from the keyboard opens it at the middle of the control (the pointer away, so that it
  // lights no entry).
  MouseTo(1270, 1010);
  ASSERT_TRUE(SetClipboardText(""));
  Edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit->Handle()), MAKELPARAM(-1, -1));
  windowtesting::Pump();
  const TPoint middle = Edit->ClientToScreen(Point(0, 0));
  EXPECT_EQ(menuPlace().x, middle.x + Edit->Width() / 2);
  EXPECT_EQ(menuPlace().y, middle.y + Edit->Height() / 2);
  // The last entry, Select All, chosen with the keys: it runs, then the menu is freed.
  PostMessageW(Form->Handle(), WM_KEYDOWN, VK_UP, 0);
  PostMessageW(Form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  windowtesting::PumpFor(50);
  EXPECT_EQ(WindowText(*Edit), "hello");
  EXPECT_EQ(Edit->SelLength(), 5);
  EXPECT_EQ(Edit->EditMenu(), nullptr);
  delete frame;
}

TEST_F(SkinEditSkinTest, HeightFollowsTheSkinOrTheFont) {
  const auto textHeight = [](TskSkinCustomEdit& E) {
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(E.Font());
    return b.Canvas()->TextHeight("Wg");
  };
  Edit->SetHeight(33);
  EXPECT_EQ(Edit->Height(), 33) << "default look with the skin font: any height";
  Edit->SetUseSkinFont(false);
  Edit->AdjustEditHeight();
  EXPECT_EQ(Edit->Height(), textHeight(*Edit) + 4);

  Edit->SetSkinData(Skin.get());
  EXPECT_EQ(Edit->Height(), textHeight(*Edit) + 21 - 15) << "skinned without the skin font: text and skin frame";
  Edit->SetUseSkinFont(true);
  Edit->SetHeight(50);
  EXPECT_EQ(Edit->Height(), 21);
}

TEST_F(SkinEditSkinTest, HoverAndFocusTakeTheActiveColours) {
  Edit->SetSkinData(Skin.get());
  ButtonEdit->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Edit->Font().Color(), 16116450) << "\"fontcolor\"";
  // The class library's notices of the pointer coming and going.
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(Edit->MouseOver());
  EXPECT_EQ(Edit->Font().Color(), 16777215) << "\"activefontcolor\" under the pointer";
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Edit->MouseOver());
  EXPECT_EQ(Edit->Font().Color(), 16116450);
  Edit->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Edit->Font().Color(), 16777215) << "and while focused";
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Edit->Font().Color(), 16777215) << "the focus keeps it when the pointer goes";
  Edit->SetEnabled(false);
  EXPECT_EQ(Edit->Font().Color(), 7102040) << "\"disabledfontcolor\"";
}

TEST_F(SkinEditTest, AlphaBlendMixesTheFrameWithTheParent) {
  Form->SetColor(static_cast<TColor>(RGB(0, 200, 0)));
  Edit->SetAlphaBlend(true);
  const TPoint corner = Edit->ClientToScreen(Point(-2, -2));  // the frame's top-left pixel
  const auto screenPixel = [&] {
    RedrawWindow(Edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    windowtesting::PumpFor(50);
    const HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, corner.x, corner.y);
    ReleaseDC(nullptr, dc);
    return c;
  };
  Edit->SetAlphaBlendValue(0);
  EXPECT_EQ(screenPixel(), RGB(0, 200, 0)) << "the parent alone";
  Edit->SetAlphaBlendValue(255);
  EXPECT_EQ(screenPixel(), Rgb(clBtnShadow)) << "the control alone";
}


TEST(SkinEditRegistration, DescriptionsSetThePublishedPropertiesOverTheDefaults) {
  auto form = ShowForm(R"(object TestForm: TForm
  object Plain: TskSkinEdit
  end
  object Date: TskSkinMaskEdit
    EditMask = '!99/99/0000;1;_'
    ReadOnly = True
    ButtonMode = True
    SkinDataName = 'buttonedit'
    Alignment = taCenter
    AlphaBlend = True
    AlphaBlendValue = 128
    UseSkinFont = False
    DefaultFont.Height = 20
  end
  object Link: TskSkinURLEdit
    LinkType = skltMail
    Execute = False
  end
end)");
  auto& plain = dynamic_cast<TskSkinEdit&>(*form->FindComponent("Plain"));
  EXPECT_EQ(plain.SkinDataName(), "edit");
  EXPECT_TRUE(plain.UseSkinFont());
  EXPECT_FALSE(plain.ButtonMode());
  EXPECT_FALSE(plain.ReadOnly());
  EXPECT_FALSE(plain.AlphaBlend());
  EXPECT_EQ(plain.AlphaBlendValue(), 0);
  EXPECT_EQ(plain.Alignment(), TAlignment::taLeftJustify);
  EXPECT_TRUE(plain.AutoSelect());
  EXPECT_EQ(plain.DefaultFont().Name(), "Arial");
  EXPECT_EQ(plain.DefaultFont().Height(), 14);
  EXPECT_EQ(plain.Height(), 20);

  auto& date = dynamic_cast<TskSkinMaskEdit&>(*form->FindComponent("Date"));
  EXPECT_EQ(date.EditText(), "__/__/____");
  EXPECT_TRUE(date.ReadOnly());
  EXPECT_TRUE(date.ButtonMode());
  EXPECT_EQ(date.SkinDataName(), "buttonedit");
  EXPECT_EQ(date.Alignment(), TAlignment::taCenter);
  EXPECT_TRUE(date.AlphaBlend());
  EXPECT_EQ(date.AlphaBlendValue(), 128);
  EXPECT_FALSE(date.UseSkinFont());
  EXPECT_EQ(date.DefaultFont().Height(), 20);
  EXPECT_EQ(date.Font().Height(), 20) << "the default look takes the default font";

  auto& link = dynamic_cast<TskSkinURLEdit&>(*form->FindComponent("Link"));
  EXPECT_EQ(link.LinkType(), TskURLLinkType::skltMail);
  EXPECT_FALSE(link.Execute());
  EXPECT_EQ(link.State(), TskURLState::skstOUT);
}
