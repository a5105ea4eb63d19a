#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/boxes/SkinComboBox.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

// A combo box that writes its events down, Change included.
class TRecordingComboBox : public TskSkinComboBox {
public:
  explicit TRecordingComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner) {
    OnChange = [this](TObject*) { Events.push_back("OnChange " + Text()); };
    OnClick = [this](TObject*) { Events.push_back("OnClick"); };
    OnCloseUp = [this](TObject*) { Events.push_back("OnCloseUp"); };
    OnDropDown = [this](TObject*) { Events.push_back("OnDropDown"); };
  }
  std::vector<std::string> Events;

protected:
  void Change() override { Events.push_back("Change"); }
};

const char ComboForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object C: TRecordingComboBox
    Left = 10
    Top = 10
  end
  object Other: TskSkinComboBox
    Left = 200
    Top = 10
  end
end)";

class SkinComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      RegisterSkinBoxClasses();
      TClassRegistry::Instance().Register<TRecordingComboBox>("TRecordingComboBox", "TskSkinComboBox");
      return true;
    }();
    (void)registered;
    MouseTo(1270, 1010);
    Form = ShowForm(ComboForm);
    Combo = dynamic_cast<TRecordingComboBox*>(Form->FindComponent("C"));
    ASSERT_NE(Combo, nullptr);
    Combo->SetFocus();
    windowtesting::Pump();
  }
  void TearDown() override {
    if (Combo) Combo->CloseUp(false);
  }
  void Fill(int Count) {
    for (int i = 0; i < Count; ++i) Combo->Items().Add("Item " + IntToStr(i));
  }
  TPoint Screen(int X, int Y) const { return Combo->ClientToScreen(Point(X, Y)); }
  // A point of a visible row of the open list, on the screen.
  TPoint Row(int Visible) const {
    TskListBox& inner = Combo->DropDownList().InnerList();
    return inner.ClientToScreen(Point(20, Visible * inner.ItemHeight() + inner.ItemHeight() / 2));
  }

  std::unique_ptr<TForm> Form;
  TRecordingComboBox* Combo = nullptr;
};

}  // namespace

TEST_F(SkinComboBoxTest, DefaultsAndAreas) {
  EXPECT_EQ(Combo->Width(), 120);
  EXPECT_EQ(Combo->Height(), 20);
  EXPECT_EQ(Combo->SkinDataName(), "combobox");
  EXPECT_EQ(Combo->DropDownCount(), 8);
  EXPECT_EQ(Combo->ListBoxAlphaBlendValue(), 200);
  EXPECT_TRUE(Combo->TabStop());
  EXPECT_EQ(Combo->Style(), TskSkinCustomComboBoxStyle::skcbFixedStyle);
  EXPECT_EQ(Text(Combo->ButtonAreaRect()), "101,2,118,18");
  EXPECT_EQ(Text(Combo->ItemAreaRect()), "2,2,100,18");
  Combo->SetDropDownCount(0);
  EXPECT_EQ(Combo->DropDownCount(), 8);
}

TEST_F(SkinComboBoxTest, UnskinnedPixels) {
  Combo->Items().Add("apple");
  Combo->SetItemIndex(0);
  auto& other = *dynamic_cast<TskSkinComboBox*>(Form->FindComponent("Other"));
  other.Items().Add("pear");
  other.SetItemIndex(0);
  windowtesting::Pump();
  const TWindowPicture unfocused(other.Handle());
  EXPECT_EQ(unfocused.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));      // frame
  EXPECT_EQ(unfocused.Pixel(119, 19), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(unfocused.Pixel(1, 10), GetSysColor(COLOR_BTNFACE));       // ring inside the frame
  EXPECT_EQ(unfocused.Pixel(101, 2), GetSysColor(COLOR_BTNSHADOW));    // button frame
  EXPECT_EQ(unfocused.Pixel(103, 4), GetSysColor(COLOR_BTNFACE));      // button face
  EXPECT_EQ(unfocused.Pixel(109, 10), RGB(0, 0, 0));                   // the arrow's tip row
  EXPECT_EQ(unfocused.Pixel(90, 10), GetSysColor(COLOR_WINDOW));       // item area
  const TWindowPicture focused(Combo->Handle());
  EXPECT_EQ(focused.Pixel(90, 10), GetSysColor(COLOR_HIGHLIGHT));

  // Hot, then pressed, under the real pointer.
  const TPoint button = Screen(109, 10);
  MouseTo(button.x, button.y);
  EXPECT_TRUE(Combo->ButtonHot());
  EXPECT_EQ(TWindowPicture(Combo->Handle()).Pixel(103, 4), RGB(182, 189, 210));
  EXPECT_EQ(TWindowPicture(Combo->Handle()).Pixel(101, 2), RGB(0, 0, 128));
  LeftPress(button.x, button.y);
  EXPECT_EQ(TWindowPicture(Combo->Handle()).Pixel(103, 4), RGB(133, 147, 181));
  LeftReleaseAt(button.x, button.y);
  EXPECT_FALSE(Combo->ButtonPressed());
}

TEST_F(SkinComboBoxTest, DropDownSize) {
  struct Case {
    int Items, Width, ListHeight, ListWidth;
  } cases[] = {{20, 0, 8 * 20 + 4, 120}, {3, 0, 3 * 20 + 4, 120}, {3, 200, 64, 200}};
  for (const Case& c : cases) {
    Combo->Items().Clear();
    Fill(c.Items);
    Combo->SetListBoxWidth(c.Width);
    Combo->DropDown();
    EXPECT_TRUE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->DropDownList().Height(), c.ListHeight) << c.Items;
    EXPECT_EQ(Combo->DropDownList().Width(), c.ListWidth) << c.Items;
    RECT r;
    GetWindowRect(Combo->DropDownList().Handle(), &r);
    const TPoint below = Screen(0, 20);
    EXPECT_EQ(r.left, below.x);
    EXPECT_EQ(r.top, below.y);
    Combo->CloseUp(false);
    EXPECT_FALSE(Combo->IsPopupVisible());
  }
  Combo->Items().Clear();
  Combo->DropDown();
  EXPECT_FALSE(Combo->IsPopupVisible());
}

TEST_F(SkinComboBoxTest, OpensAboveAtTheWorkAreaBottom) {
  Fill(20);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Form->SetBounds(Form->Left(), work.bottom - 100, Form->Width(), Form->Height());
  windowtesting::Pump();
  Combo->DropDown();
  RECT r;
  GetWindowRect(Combo->DropDownList().Handle(), &r);
  EXPECT_EQ(r.bottom, Screen(0, 0).y);
}

TEST_F(SkinComboBoxTest, PressDragReleaseSelects) {
  Fill(10);
  Combo->SetItemIndex(0);
  Combo->Events.clear();
  const TPoint item = Screen(30, 10);
  MouseTo(item.x, item.y);
  LeftPress(item.x, item.y);
  ASSERT_TRUE(Combo->IsPopupVisible());
  // The item area keeps the selection made before the list opened.
  MouseTo(Row(1).x, Row(1).y);
  const TPoint third = Row(2);
  MouseTo(third.x, third.y);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 2);
  EXPECT_EQ(Combo->SavedItemIndex(), 0);
  LeftReleaseAt(third.x, third.y);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->ItemIndex(), 2);
  const std::vector<std::string> expected{"OnDropDown", "OnChange Item 2", "OnClick", "Change", "OnCloseUp"};
  EXPECT_EQ(Combo->Events, expected);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(GetFocus(), Combo->Handle());
}

TEST_F(SkinComboBoxTest, ClickOpensAndAClickOnARowAccepts) {
  Fill(10);
  const TPoint item = Screen(30, 10);
  MouseTo(item.x, item.y);
  LeftPress(item.x, item.y);
  LeftReleaseAt(item.x, item.y);
  ASSERT_TRUE(Combo->IsPopupVisible());
  const TPoint row = Row(3);
  MouseTo(row.x, row.y);
  LeftPress(row.x, row.y);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  LeftReleaseAt(row.x, row.y);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->Text(), "Item 3");
  EXPECT_EQ(GetFocus(), Combo->Handle());
}

TEST_F(SkinComboBoxTest, DragBelowScrollsEvery25ms) {
  Fill(30);
  Combo->SetItemIndex(0);
  const TPoint item = Screen(30, 10);
  MouseTo(item.x, item.y);
  LeftPress(item.x, item.y);
  MouseTo(Row(7).x, Row(7).y);
  ASSERT_EQ(Combo->DropDownList().ItemIndex(), 7);
  RECT list;
  GetWindowRect(Combo->DropDownList().Handle(), &list);
  MouseTo(Row(7).x, list.bottom + 20);
  // Scrolling starts; then one row a tick at most, measured against the time that really passed,
  // which a loaded machine stretches.
  for (DWORD start = GetTickCount(); Combo->DropDownList().ItemIndex() == 7 && GetTickCount() - start < 1000;)
    windowtesting::PumpFor(5);
  const int from = Combo->DropDownList().ItemIndex();
  EXPECT_GT(from, 7);
  const DWORD start = GetTickCount();
  windowtesting::PumpFor(250);
  const int ticks = static_cast<int>(GetTickCount() - start) / 25;
  EXPECT_LE(Combo->DropDownList().ItemIndex() - from, ticks + 2);
  windowtesting::PumpFor(800);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 29);
  // Back in the list the scrolling stops; released outside, the list closes unchanged.
  MouseTo(Row(2).x, Row(2).y);
  const int inside = Combo->DropDownList().ItemIndex();
  windowtesting::PumpFor(100);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), inside);
  MouseTo(Row(2).x, list.bottom + 20);
  LeftReleaseAt(Row(2).x, list.bottom + 20);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->ItemIndex(), 0);
  windowtesting::PumpFor(100);
  EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST_F(SkinComboBoxTest, Keys) {
  struct Case {
    int From;
    bool Open;
    WORD Key;
    bool Alt;
    int Index;
    bool OpenAfter;
  } cases[] = {
      {3, false, VK_DOWN, false, 4, false},   {3, false, VK_RIGHT, false, 4, false},
      {3, false, VK_UP, false, 2, false},     {3, false, VK_LEFT, false, 2, false},
      {0, false, VK_UP, false, 0, false},     {29, false, VK_DOWN, false, 29, false},
      {-1, false, VK_DOWN, false, 0, false},  {20, false, VK_PRIOR, false, 11, false},
      {11, false, VK_NEXT, false, 18, false}, {-1, false, VK_PRIOR, false, 0, false},
      {-1, false, VK_NEXT, false, 6, false},  {28, false, VK_NEXT, false, 29, false},
      {3, false, VK_DOWN, true, 3, true},     {3, true, VK_UP, true, 3, false},
      {3, true, VK_DOWN, false, 4, true},     {3, true, VK_RETURN, false, 3, false},
      {3, false, VK_RETURN, false, 3, false}, {3, true, VK_ESCAPE, false, 3, false},
  };
  Fill(30);
  for (const Case& c : cases) {
    Combo->SetItemIndex(c.From);
    if (c.Open) Combo->DropDown();
    TapKey(c.Key, c.Alt);
    EXPECT_EQ(Combo->ItemIndex(), c.Index) << c.From << " key " << c.Key << " alt " << c.Alt;
    EXPECT_EQ(Combo->IsPopupVisible(), c.OpenAfter) << c.From << " key " << c.Key << " alt " << c.Alt;
    Combo->CloseUp(false);
  }
}

TEST_F(SkinComboBoxTest, EscapeAfterHoverRestoresTheSelection) {
  Fill(10);
  Combo->SetItemIndex(1);
  Combo->DropDown();
  // The open list starts at the selected item.
  MouseTo(Row(4).x, Row(4).y);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 5);
  TapKey(VK_ESCAPE);
  EXPECT_FALSE(Combo->IsPopupVisible());
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "Item 1");
}

TEST_F(SkinComboBoxTest, TypedPrefix) {
  for (const char* item : {"apple", "banana", "blueberry"}) Combo->Items().Add(item);
  struct Case {
    bool AutoComplete;
    DWORD Gap;
    const char* After;
  } cases[] = {{true, 0, "banana"}, {true, 600, "blueberry"}, {false, 0, "blueberry"}};
  for (const Case& c : cases) {
    Combo->SetItemIndex(0);
    Combo->SetAutoComplete(c.AutoComplete);
    windowtesting::PumpFor(600);  // a fresh prefix
    TypeChar('b');
    EXPECT_EQ(Combo->Text(), "banana");
    if (c.Gap) windowtesting::PumpFor(c.Gap);
    TypeChar('b');
    EXPECT_EQ(Combo->Text(), c.After) << c.AutoComplete << " " << c.Gap;
  }
}

TEST_F(SkinComboBoxTest, WheelMovesTheSelection) {
  Fill(10);
  Combo->SetItemIndex(4);
  Combo->Events.clear();
  SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(Combo->ItemIndex(), 5);
  EXPECT_EQ(Combo->Text(), "Item 5");
  Combo->DropDown();
  SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 4);
  EXPECT_EQ(Combo->Text(), "Item 5");
}

TEST_F(SkinComboBoxTest, TextAndSelectionEvents) {
  Fill(3);
  Combo->Events.clear();
  Combo->SetText("free text");
  Combo->SetText("free text");
  EXPECT_EQ(Combo->Events, std::vector<std::string>{"OnChange free text"});
  Combo->Events.clear();
  Combo->SetItemIndex(-1);
  EXPECT_EQ(Combo->Text(), "free text");
  EXPECT_EQ(Combo->Events, (std::vector<std::string>{"OnClick", "Change"}));
}

TEST_F(SkinComboBoxTest, PressElsewhereClosesTheList) {
  Fill(10);
  Combo->DropDown();
  auto& other = *dynamic_cast<TskSkinComboBox*>(Form->FindComponent("Other"));
  const TPoint p = other.ClientToScreen(Point(30, 10));
  MouseTo(p.x, p.y);
  LeftPress(p.x, p.y);
  LeftReleaseAt(p.x, p.y);
  EXPECT_FALSE(Combo->IsPopupVisible());
}

TEST_F(SkinComboBoxTest, EditStyle) {
  for (const char* item : {"apple", "banana", "blueberry"}) Combo->Items().Add(item);
  Combo->SetStyle(TskSkinCustomComboBoxStyle::skcbEditStyle);
  TskCustomEdit* editor = Combo->Editor();
  ASSERT_NE(editor, nullptr);
  // Setting the style again keeps the one editor.
  Combo->SetStyle(TskSkinCustomComboBoxStyle::skcbEditStyle);
  EXPECT_EQ(Combo->Editor(), editor);
  int editors = 0;
  for (int i = 0; i < Combo->ControlCount(); ++i) editors += dynamic_cast<TskCustomEdit*>(Combo->Controls(i)) != nullptr;
  EXPECT_EQ(editors, 1);
  EXPECT_FALSE(Combo->TabStop());
  EXPECT_TRUE(editor->TabStop());
  EXPECT_EQ(editor->Left(), Combo->ItemAreaRect().left);

  editor->SetFocus();
  windowtesting::PumpFor(250);
  // Completion waits for a key release 200 ms after the one before.
  TypeChar('b');
  TypeChar('a');
  windowtesting::PumpFor(250);
  TypeChar('n');
  EXPECT_EQ(Combo->DropDownList().ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "banana");
  EXPECT_EQ(Combo->GetSelStart(), 3);
  EXPECT_EQ(Combo->GetSelLength(), 3);

  TapKey(VK_UP);
  EXPECT_EQ(editor->Text(), "apple");
  EXPECT_EQ(Combo->GetSelLength(), 5);

  Combo->SetStyle(TskSkinCustomComboBoxStyle::skcbFixedStyle);
  EXPECT_EQ(Combo->Editor(), nullptr);
}
