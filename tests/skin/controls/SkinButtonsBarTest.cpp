#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinButtonsBar.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

// Three sections of 25-pixel buttons on a bar whose frame leaves 275 pixels: the item panel between
// them is 200 high, room for three items of 60.
const char BarForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 400
  object Bar: TskSkinButtonsBar
    Align = alNone
    Left = 0
    Top = 0
    Width = 150
    Height = 277
    Sections = <
      item
        Text = 'Mail'
        Items = <
          item
            Text = 'Inbox'
          end>
      end
      item
        Text = 'Files'
        ImageIndex = 2
        Items = <
          item
            Text = 'One'
            Layout = blGlyphLeft
            Margin = 3
            Hint = 'first'
          end
          item
            Text = 'Two'
          end
          item
            Text = 'Three'
          end
          item
            Text = 'Four'
          end
          item
            Text = 'Five'
          end>
      end
      item
        Text = 'Tools'
        Items = <
          item
            Text = 'Hammer'
          end
          item
            Text = 'Saw'
          end>
      end>
    SectionIndex = 1
  end
end)";

bool SameRect(const TRect& A, const TRect& B) { return EqualRect(&A, &B) != 0; }

class SkinButtonsBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(BarForm);
    Bar = dynamic_cast<TskSkinButtonsBar*>(Form->FindComponent("Bar"));
    ASSERT_TRUE(Bar);
    for (int i = 0; i < Bar->Sections().Count(); ++i) {
      TskButtonBarSection* section = Bar->Sections().GetItem(i);
      section->OnClick = [this](TObject* Sender) {
        SectionClicks.push_back(dynamic_cast<TskButtonBarSection*>(Sender)->Text());
      };
    }
  }
  // The captions of the item buttons shown, top to bottom, each at its place.
  std::vector<String> ShownItems() {
    std::vector<String> shown;
    int y = 0;
    for (int i = 0; i < Bar->ItemButtonCount(); ++i) {
      TskSectionItem* item = Bar->ItemButton(i);
      if (!item->Visible()) continue;
      EXPECT_EQ(y, item->Top()) << item->Caption();
      EXPECT_EQ(Bar->ItemPanel().Width(), item->Width());
      shown.push_back(item->Caption());
      y += Bar->ItemHeight();
    }
    return shown;
  }
  void ClickAt(TWinControl& Parent, int X, int Y) {
    PostMessageW(Parent.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageW(Parent.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TskSkinButtonsBar* Bar = nullptr;
  std::vector<String> SectionClicks;
};

TEST_F(SkinButtonsBarTest, StoredSectionsAndItemsAreRead) {
  EXPECT_EQ(TAlign::alNone, Bar->Align());
  ASSERT_EQ(3, Bar->Sections().Count());
  TskButtonBarSection& files = *Bar->Sections().GetItem(1);
  EXPECT_EQ("Files", files.Text());
  EXPECT_EQ("Files", files.DisplayName());
  EXPECT_EQ(2, files.ImageIndex());
  EXPECT_EQ(-1, files.Margin());
  ASSERT_EQ(5, files.Items().Count());
  TskButtonBarItem& one = *files.Items().GetItem(0);
  EXPECT_EQ(TskButtonLayout::blGlyphLeft, one.Layout());
  EXPECT_EQ(3, one.Margin());
  EXPECT_EQ("first", one.Hint());
  EXPECT_EQ(TskButtonLayout::blGlyphTop, files.Items().GetItem(1)->Layout());
  EXPECT_EQ(1, Bar->SectionIndex());
  EXPECT_EQ(Bar->ItemButton(0)->Layout(), TskButtonLayout::blGlyphLeft);
  EXPECT_EQ(Bar->ItemButton(0)->Hint(), "first");
}

TEST_F(SkinButtonsBarTest, SectionButtonsStandAboveAndBelowTheOpenSection) {
  ASSERT_EQ(3, Bar->SectionButtonCount());
  EXPECT_EQ(1, Bar->SectionButton(0)->Top());
  EXPECT_EQ(26, Bar->SectionButton(1)->Top());
  EXPECT_EQ(251, Bar->SectionButton(2)->Top());
  EXPECT_EQ(51, Bar->ItemPanel().Top());
  EXPECT_EQ(200, Bar->ItemPanel().Height());

  // A click on the last section's button: it joins the top group and its items are listed.
  ClickAt(*Bar, 20, 260);
  EXPECT_EQ(2, Bar->SectionIndex());
  EXPECT_EQ(51, Bar->SectionButton(2)->Top());
  EXPECT_EQ(76, Bar->ItemPanel().Top());
  EXPECT_EQ((std::vector<String>{"Hammer", "Saw"}), ShownItems());
  EXPECT_EQ((std::vector<String>{"Tools"}), SectionClicks);
  // The open section's button again: its OnClick once more, nothing else moves.
  ClickAt(*Bar, 20, 60);
  EXPECT_EQ((std::vector<String>{"Tools", "Tools"}), SectionClicks);

  // Back to the first: the later buttons go to the bottom in their order.
  ClickAt(*Bar, 20, 10);
  EXPECT_EQ(0, Bar->SectionIndex());
  EXPECT_EQ(226, Bar->SectionButton(1)->Top());
  EXPECT_EQ(251, Bar->SectionButton(2)->Top());

  // Out of range or the open one: nothing happens.
  SectionClicks.clear();
  for (int index : {-1, 0, 3}) Bar->SetSectionIndex(index);
  EXPECT_EQ(0, Bar->SectionIndex());
  EXPECT_TRUE(SectionClicks.empty());
}

TEST_F(SkinButtonsBarTest, ItemsScrollOneAtATime) {
  EXPECT_EQ(3, Bar->VisibleItemCount());
  EXPECT_EQ((std::vector<String>{"One", "Two", "Three"}), ShownItems());
  EXPECT_EQ(nullptr, Bar->UpButton());
  ASSERT_NE(nullptr, Bar->DownButton());
  EXPECT_PRED2(SameRect, Rect(148 - 23, 200 - 23, 148 - 5, 200 - 5), Bar->DownButton()->BoundsRect());
  EXPECT_FALSE(Bar->DownButton()->CanFocused());

  Bar->ScrollDown();
  EXPECT_EQ((std::vector<String>{"Two", "Three", "Four"}), ShownItems());
  ASSERT_NE(nullptr, Bar->UpButton());
  EXPECT_PRED2(SameRect, Rect(125, 5, 143, 23), Bar->UpButton()->BoundsRect());
  ASSERT_NE(nullptr, Bar->DownButton());
  // The down button's own click takes it away at the end.
  ClickAt(*Bar->DownButton(), 9, 9);
  EXPECT_EQ((std::vector<String>{"Three", "Four", "Five"}), ShownItems());
  EXPECT_EQ(nullptr, Bar->DownButton());
  Bar->ScrollDown();
  EXPECT_EQ(2, Bar->TopIndex());

  // A taller panel pulls the first item back so that nothing is left empty below the last.
  Bar->SetHeight(277 + 60);
  EXPECT_EQ(4, Bar->VisibleItemCount());
  EXPECT_EQ(1, Bar->TopIndex());
  EXPECT_EQ((std::vector<String>{"Two", "Three", "Four", "Five"}), ShownItems());
  ClickAt(*Bar->UpButton(), 9, 9);
  EXPECT_EQ(0, Bar->TopIndex());
  EXPECT_EQ(nullptr, Bar->UpButton());
}

TEST_F(SkinButtonsBarTest, AHeldScrollButtonRepeats) {
  TskButtonBarItems& items = Bar->Sections().GetItem(1)->Items();
  for (int i = 0; i < 5; ++i) items.Add()->SetText("More");
  ASSERT_EQ(10, Bar->ItemButtonCount());
  TskSkinButton& down = *Bar->DownButton();
  EXPECT_EQ(11, down.Glyph().Width());
  EXPECT_EQ(RGB(128, 128, 0), GetPixel(down.Glyph().Canvas()->Handle(), 0, 10));
  EXPECT_EQ(RGB(0, 0, 0), GetPixel(down.Glyph().Canvas()->Handle(), 5, 7)) << "the point of the triangle";
  EXPECT_EQ(RGB(0, 0, 0), GetPixel(down.Glyph().Canvas()->Handle(), 1, 3));
  PostMessageW(down.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
  windowtesting::PumpFor(400);
  const int held = Bar->TopIndex();
  EXPECT_GE(held, 2);
  EXPECT_LE(held, 4);
  PostMessageW(down.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(9, 9));
  windowtesting::Pump();
}

TEST_F(SkinButtonsBarTest, ItemClicksReachTheirItems) {
  TskButtonBarItem& two = *Bar->Sections().GetItem(1)->Items().GetItem(1);
  std::vector<String> clicks;
  two.OnClick = [&clicks](TObject* Sender) { clicks.push_back(dynamic_cast<TskButtonBarItem*>(Sender)->Text()); };
  two.OnDblClick = [&clicks](TObject*) { clicks.push_back("double"); };
  ClickAt(Bar->ItemPanel(), 40, 90);
  EXPECT_EQ((std::vector<String>{"Two"}), clicks);
  PostMessageW(Bar->ItemPanel().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 90));
  PostMessageW(Bar->ItemPanel().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 90));
  windowtesting::Pump();
  EXPECT_EQ("double", clicks.at(1));
}

TEST_F(SkinButtonsBarTest, ChangesOfSectionsAndItemsShowAtOnce) {
  TskButtonBarSection& files = *Bar->Sections().GetItem(1);
  files.SetText("Documents");
  EXPECT_EQ("Documents", Bar->SectionButton(1)->Caption());
  files.Items().GetItem(0)->SetText("Uno");
  EXPECT_EQ("Uno", Bar->ItemButton(0)->Caption());
  Bar->Sections().Add()->SetText("Later");
  ASSERT_EQ(4, Bar->SectionButtonCount());
  EXPECT_EQ("Later", Bar->SectionButton(3)->Caption());
  EXPECT_EQ(251, Bar->SectionButton(3)->Top());

  Bar->SetShowButtons(false);
  EXPECT_EQ(0, Bar->SectionButtonCount());
  EXPECT_EQ(1, Bar->ItemPanel().Top());
  EXPECT_EQ((std::vector<String>{"Uno", "Two", "Three", "Four"}), ShownItems());
}

TEST_F(SkinButtonsBarTest, ImagesOnlyForIndexesInTheList) {
  auto images = std::make_unique<TImageList>(nullptr);
  images->SetWidth(4);
  images->SetHeight(4);
  TBitmap picture;
  picture.SetSize(8, 4);
  images->Add(&picture, nullptr);
  ASSERT_EQ(2, images->Count());
  TskButtonBarItems& items = Bar->Sections().GetItem(1)->Items();
  items.GetItem(0)->SetImageIndex(1);
  items.GetItem(1)->SetImageIndex(-1);
  items.GetItem(2)->SetImageIndex(2);
  Bar->SetItemImages(images.get());
  struct Case {
    int Item, ImageIndex;
    TImageList* List;
  } cases[] = {{0, 1, images.get()}, {1, -1, nullptr}, {2, -1, nullptr}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.ImageIndex, Bar->ItemButton(c.Item)->ImageIndex()) << c.Item;
    EXPECT_EQ(c.List, Bar->ItemButton(c.Item)->AssignedImages()) << c.Item;
  }
  // Section 1 names image 2, past the list; a list set later is checked again.
  Bar->SetSectionImages(images.get());
  EXPECT_EQ(-1, Bar->SectionButton(1)->ImageIndex());
  Bar->Sections().GetItem(1)->SetImageIndex(0);
  EXPECT_EQ(0, Bar->SectionButton(1)->ImageIndex());
  images.reset();
  EXPECT_EQ(nullptr, Bar->ItemImages());
  EXPECT_EQ(nullptr, Bar->SectionImages());
  EXPECT_EQ(nullptr, Bar->ItemButton(0)->AssignedImages());
}

TEST_F(SkinButtonsBarTest, CollectionsCopyWhatTheyShould) {
  TskButtonBarSections copy(nullptr);
  copy.Assign(Bar->Sections());
  ASSERT_EQ(3, copy.Count());
  TskButtonBarSection& files = *copy.GetItem(1);
  EXPECT_EQ("Files", files.Text());
  EXPECT_EQ(2, files.ImageIndex());
  EXPECT_EQ(0, files.Items().Count()) << "a section's copy leaves its items";
  TskButtonBarItems items(nullptr);
  items.Assign(Bar->Sections().GetItem(1)->Items());
  EXPECT_EQ(3, items.GetItem(0)->Margin());
  EXPECT_EQ(TskButtonLayout::blGlyphLeft, items.GetItem(0)->Layout());
  EXPECT_EQ("", items.GetItem(0)->Hint()) << "hints are not copied";
  items.GetItem(1)->SetText("");
  EXPECT_EQ("TskButtonBarItem", items.GetItem(1)->DisplayName());
}

}  // namespace
