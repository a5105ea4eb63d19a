#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::ReadForm;
using windowtesting::TPaintTarget;

namespace {

const char* const StdForm = R"(object TestForm: TForm
  Left = 10
  Top = 10
  ClientWidth = 400
  ClientHeight = 300
  object Caption1: TLabel
    Left = 8
    Top = 8
    Caption = 'Hello'
    Font.Color = clYellow
  end
  object Button1: TButton
    Left = 8
    Top = 40
    Caption = 'OK'
    ModalResult = 1
    OnClick = ButtonClick
  end
  object Check1: TCheckBox
    Left = 8
    Top = 70
    Caption = 'Check'
    Checked = True
    OnClick = CheckClick
  end
  object Edit1: TEdit
    Left = 8
    Top = 100
    Text = 'abc'
    OnChange = EditChange
  end
  object Memo1: TMemo
    Left = 150
    Top = 8
    Lines.Strings = (
      'one'
      'two')
  end
  object List1: TListBox
    Left = 150
    Top = 110
    Sorted = True
    Items.Strings = (
      'b'
      'a')
    OnClick = ListClick
  end
  object Combo1: TComboBox
    Left = 8
    Top = 130
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      'red'
      'green')
    OnChange = ComboChange
    OnClick = ComboClick
  end
  object Group1: TGroupBox
    Left = 8
    Top = 170
    Caption = 'Group'
    object Inner: TLabel
      Left = 10
      Top = 30
      AutoSize = False
      Width = 40
      Height = 20
      Color = clRed
    end
  end
end
)";

// A form read from StdForm whose handlers count what they are told.
class StdControls : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(StdForm, [this](TForm& form) {
      for (const char* name : {"ButtonClick", "CheckClick", "EditChange", "ListClick", "ComboChange", "ComboClick"})
        form.RegisterHandler<TNotifyEvent>(name, [this, name](TObject*) { Events.push_back(name); });
    });
  }

  template <class T>
  T* Find(const char* Name) {
    auto* component = dynamic_cast<T*>(Form->FindComponent(Name));
    EXPECT_NE(component, nullptr) << Name;
    return component;
  }

  std::unique_ptr<TForm> Form;
  std::vector<String> Events;
};

String WindowString(HWND Window) {
  WCHAR text[256];
  const int length = GetWindowTextW(Window, text, 256);
  return FromWide(text, length);
}

String ListString(HWND Window, UINT Msg, int Index) {
  WCHAR text[256] = {};
  SendMessageW(Window, Msg, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text));
  return FromWide(text);
}

// Simulates the notification a system control sends its parent when the user acts.
void Notify(TWinControl& Control, WORD Code) {
  SendMessageW(GetParent(Control.Handle()), WM_COMMAND, MAKEWPARAM(0, Code), reinterpret_cast<LPARAM>(Control.Handle()));
}

TEST_F(StdControls, TheDescriptionReachesTheWindows) {
  Form->HandleNeeded();
  auto* label = Find<TLabel>("Caption1");
  EXPECT_GT(label->Width(), 10) << "AutoSize fits the caption";
  EXPECT_GT(label->Height(), 5);
  EXPECT_EQ(WindowString(Find<TButton>("Button1")->Handle()), "OK");
  EXPECT_EQ(SendMessageW(Find<TCheckBox>("Check1")->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowString(Find<TEdit>("Edit1")->Handle()), "abc");
  EXPECT_EQ(WindowString(Find<TMemo>("Memo1")->Handle()), "one\r\ntwo\r\n");

  const HWND list = Find<TListBox>("List1")->Handle();
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ListString(list, LB_GETTEXT, 0), "a") << "sorted";

  auto* combo = Find<TComboBox>("Combo1");
  EXPECT_EQ(combo->Text(), "green") << "the index read before the lines still selects";
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Events.empty()) << "reading a form fires no events";
}

TEST_F(StdControls, ALabelPaintsItsCaptionAndBackground) {
  Form->HandleNeeded();
  auto* label = Find<TLabel>("Caption1");
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 120, 40);
  label->SetColor(clRed);
  label->SetCaption("W");

  // The yellow caption's extent within the label's rectangle, and the colour of a corner.
  struct TInk {
    int Left = 1000, Right = -1, Top = 1000, Bottom = -1;
    COLORREF Corner = 0;
  };
  auto paint = [&] {
    TPaintTarget target(400, 300, RGB(0, 128, 0));
    target.Paint(Form->Handle());
    TInk ink;
    ink.Corner = target.Pixel(20 + 118, 20 + 1);
    for (int y = 20; y < 60; ++y)
      for (int x = 20; x < 140; ++x)
        if (target.Pixel(x, y) == RGB(255, 255, 0)) {
          ink.Left = std::min(ink.Left, x - 20);
          ink.Right = std::max(ink.Right, x - 20);
          ink.Top = std::min(ink.Top, y - 20);
          ink.Bottom = std::max(ink.Bottom, y - 20);
        }
    return ink;
  };

  TInk ink = paint();
  EXPECT_EQ(ink.Corner, RGB(255, 0, 0));
  ASSERT_GE(ink.Right, 0) << "the caption is drawn in the font's colour";
  EXPECT_LT(ink.Left, 10);
  EXPECT_LT(ink.Top, 10);

  label->SetAlignment(TAlignment::taRightJustify);
  label->SetLayout(TTextLayout::tlBottom);
  ink = paint();
  EXPECT_GT(ink.Right, 110);
  EXPECT_GT(ink.Bottom, 30);

  label->SetAlignment(TAlignment::taCenter);
  label->SetLayout(TTextLayout::tlCenter);
  ink = paint();
  EXPECT_NEAR((ink.Left + ink.Right) / 2, 60, 3);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 20, 4);

  label->SetTransparent(true);
  EXPECT_EQ(paint().Corner, RGB(0, 128, 0)) << "a transparent label leaves its parent's picture";

  label->SetEnabled(false);
  EXPECT_EQ(paint().Right, -1) << "disabled text is engraved, not in the font's colour";
}

TEST_F(StdControls, AGroupBoxPaintsTheControlsInIt) {
  auto* group = Find<TGroupBox>("Group1");
  TPaintTarget target(185, 105, RGB(0, 0, 0));
  target.Paint(group->Handle());
  EXPECT_EQ(target.Pixel(30, 45), RGB(255, 0, 0));
}

TEST_F(StdControls, ButtonsAndCheckBoxesReportClicks) {
  auto* button = Find<TButton>("Button1");
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Events, std::vector<String>{"ButtonClick"}) << "one click, from the button's notification";
  EXPECT_EQ(Form->ModalResult(), mrOk) << "the button's ModalResult goes to its form";

  auto* check = Find<TCheckBox>("Check1");
  Events.clear();
  SendMessageW(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->Checked());
  check->SetChecked(true);
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  check->SetChecked(true);
  EXPECT_EQ(Events, (std::vector<String>{"CheckClick", "CheckClick"})) << "only changes click";
}

TEST_F(StdControls, EditTextFollowsTheUserAndTheProgram) {
  auto* edit = Find<TEdit>("Edit1");
  edit->SetText("before window");
  EXPECT_EQ(Events, std::vector<String>{"EditChange"});

  SetWindowTextW(edit->Handle(), L"typed");
  EXPECT_EQ(edit->Text(), "typed");
  edit->SetText("set");
  EXPECT_EQ(WindowString(edit->Handle()), "set");
  EXPECT_EQ(Events.size(), 3u) << "every change once";

  auto* memo = Find<TMemo>("Memo1");
  memo->Lines().Add("three");
  memo->Lines().Insert(0, "zero");
  memo->Lines().Delete(1);
  EXPECT_EQ(WindowString(memo->Handle()), "zero\r\ntwo\r\nthree\r\n");
  // Typing: a multi-line edit reports only the user's changes.
  SendMessageW(memo->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x\r\ny"));
  ASSERT_EQ(memo->Lines().Count(), 2);
  EXPECT_EQ(memo->Lines().Strings(1), "y");
  memo->Lines().SetText("a\nb\rc");
  EXPECT_EQ(WindowString(memo->Handle()), "a\r\nb\r\nc\r\n") << "lines end in CR LF in the window";
  EXPECT_THROW(memo->Lines().Delete(5), EStringListError);
}

TEST_F(StdControls, MemoLimitsAndStyles) {
  auto* memo = Find<TMemo>("Memo1");
  memo->SetText("");
  ASSERT_NE(memo->Handle(), nullptr);  // the characters go to the window
  // Enter types a line break only while the memo wants returns.
  for (const WCHAR c : {L'a', L'\r', L'b'}) memo->Perform(WM_CHAR, c, 0);
  EXPECT_EQ(WindowString(memo->Handle()), "a\r\nb");
  memo->SetWantReturns(false);
  for (const WCHAR c : {L'\r', L'd'}) memo->Perform(WM_CHAR, c, 0);
  EXPECT_EQ(WindowString(memo->Handle()), "a\r\nbd");
  // Alignment and the kept selection are window styles: the window is made anew with them.
  memo->SetAlignment(TAlignment::taCenter);
  memo->SetHideSelection(false);
  const LONG style = GetWindowLongW(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_CENTER);
  EXPECT_TRUE(style & ES_NOHIDESEL);
  EXPECT_EQ(memo->Text(), "a\r\nbd");
  // The selection and the clipboard operations go through the window.
  SendMessageW(memo->Handle(), EM_SETSEL, 3, 5);
  EXPECT_EQ(memo->SelStart(), 3);
  EXPECT_EQ(memo->SelText(), "bd");
  memo->CutToClipboard();
  EXPECT_EQ(WindowString(memo->Handle()), "a\r\n");
  EXPECT_TRUE(memo->CanUndo());
  memo->Undo();
  EXPECT_EQ(WindowString(memo->Handle()), "a\r\nbd");
}

TEST_F(StdControls, ListBoxItemsLiveBeforeDuringAndAfterTheWindow) {
  auto* list = Find<TListBox>("List1");
  list->Items().Add("c");
  list->Items().Add("B");
  const HWND window = list->Handle();
  list->Items().Add("aa");
  ASSERT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ListString(window, LB_GETTEXT, i), list->Items().Strings(i));
  EXPECT_EQ(list->Items().Text(), "a\r\naa\r\nb\r\nB\r\nc\r\n") << "sorted without regard to case";
  EXPECT_THROW(list->Items().Insert(0, "x"), EStringListError);

  list->SetItemIndex(3);
  SendMessageW(window, LB_SETCURSEL, 1, 0);
  Notify(*list, LBN_SELCHANGE);
  EXPECT_EQ(Events, std::vector<String>{"ListClick"});
  EXPECT_EQ(list->ItemIndex(), 1);

  // A new window gets the lines and the selection back.
  list->SetParent(nullptr);
  EXPECT_FALSE(list->HandleAllocated());
  list->Items().Delete(4);
  list->SetParent(Form.get());
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(list->ItemIndex(), 1);

  list->SetSorted(false);
  list->Items().SetString(1, "changed");
  EXPECT_EQ(ListString(list->Handle(), LB_GETTEXT, 1), "changed");
  EXPECT_EQ(list->ItemIndex(), 1) << "changing the selected line keeps it selected";
  list->Clear();
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
}

// Lines added together end where one Add after another puts them, in the items and the window.
TEST_F(StdControls, ListBoxTakesManyLinesAtOnce) {
  const std::vector<String> names = {"b-2", "B1", "a'c", "ab", "10.txt", "9.txt", "_x", "Zeta", "zeta",
                                     "co-op", "coop", "A B", "ab", "[dir]", "x~1", "\xc3\xa9t\xc3\xa9", "ete"};
  TStringList batch;
  for (const String& name : names) batch.Add(name);
  for (const bool sorted : {true, false}) {
    SCOPED_TRACE(sorted ? "sorted" : "unsorted");
    auto* list = Find<TListBox>("List1");
    list->Clear();
    list->SetSorted(sorted);
    list->Items().Add("b");
    list->Items().Add("ab");
    TStringList oneByOne;
    oneByOne.Assign(list->Items());
    TListBox reference(nullptr);
    reference.SetSorted(sorted);
    reference.Items().Assign(oneByOne);
    for (const String& name : names) reference.Items().Add(name);

    list->Items().AddStrings(batch);
    EXPECT_EQ(list->Items().Text(), reference.Items().Text());
    const HWND window = list->Handle();
    ASSERT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), list->Count());
    for (int i = 0; i < list->Count(); ++i) EXPECT_EQ(ListString(window, LB_GETTEXT, i), list->Items().Strings(i));
    if (!sorted) continue;
    for (int i = 1; i < list->Count(); ++i)
      EXPECT_LE(AnsiCompareText(list->Items().Strings(i - 1), list->Items().Strings(i)), 0) << i;
  }
}

TEST_F(StdControls, ComboBoxTextFollowsTheChoice) {
  auto* combo = Find<TComboBox>("Combo1");
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Text(), "red");
  combo->SetText("green");
  EXPECT_EQ(combo->ItemIndex(), 1) << "a drop-down list selects the line with the text";
  combo->SetText("blue");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "") << "and shows nothing for text it does not hold";
  EXPECT_TRUE(Events.empty()) << "the program's changes fire nothing";

  SendMessageW(combo->Handle(), CB_SETCURSEL, 0, 0);
  Notify(*combo, CBN_SELCHANGE);
  EXPECT_EQ(combo->Text(), "red");
  EXPECT_EQ(Events, (std::vector<String>{"ComboClick", "ComboChange"}));

  combo->Items().Clear();
  EXPECT_EQ(combo->Text(), "red") << "emptying the lines keeps the text";

  RECT dropped{};
  SendMessageW(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, combo->Height() + 50) << "the list drops down below the field";
}

TEST_F(StdControls, ADropDownComboBoxTakesTypedText) {
  auto* combo = Find<TComboBox>("Combo1");
  combo->SetStyle(TComboBoxStyle::csDropDown);
  combo->SetText("free text");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  EXPECT_EQ(WindowString(info.hwndItem), "free text");

  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText("red");
  EXPECT_EQ(combo->ItemIndex(), 0) << "text equal to a line selects it";

  SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  for (const WCHAR c : {L'a', L'b'}) SendMessageW(info.hwndItem, WM_CHAR, c, 0);
  EXPECT_EQ(combo->Text(), "ab");
  EXPECT_EQ(Events, (std::vector<String>{"ComboChange", "ComboChange"})) << "each key typed changes the text";
  EXPECT_EQ(combo->Items().Count(), 2) << "a new window keeps the lines";
}

}  // namespace
