#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::Pump;
using windowtesting::ReadForm;
using windowtesting::TPaintTarget;

namespace {

const char* const ComForm = R"(object TestForm: TForm
  ClientWidth = 500
  ClientHeight = 400
  object Pages: TPageControl
    Width = 500
    Height = 300
    ActivePage = Sheet1
    object Sheet1: TTabSheet
      PageControl = Pages
      Caption = 'Home'
      OnShow = SheetShow
      OnHide = SheetHide
      object List: TListView
        Width = 300
        Height = 200
        ViewStyle = vsReport
        Checkboxes = True
        RowSelect = True
        Columns = <
          item
            Caption = 'Title'
            Width = 110
          end
          item
            Alignment = taCenter
            Caption = 'Track'
            Width = 125
          end>
        LargeImages = Images
        OnClick = ListClick
        OnDblClick = ListDblClick
      end
    end
    object Sheet2: TTabSheet
      PageControl = Pages
      Caption = 'Second'
      OnShow = SheetShow
      OnHide = SheetHide
      object Track: TTrackBar
        Position = 200
        Min = -255
        Max = 255
        OnChange = TrackChange
      end
      object Progress: TProgressBar
        Top = 60
        Max = 50
        Position = 20
      end
    end
    object Sheet3: TTabSheet
      PageControl = Pages
      Caption = 'Third'
      OnShow = SheetShow
      OnHide = SheetHide
    end
  end
  object Images: TImageList
    Width = 100
    Height = 100
    AllocBy = 10
  end
end
)";

String NameOf(TObject* Sender) { return dynamic_cast<TComponent*>(Sender)->Name(); }

// A form read from ComForm whose handlers record what they are told.
class ComControls : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(ComForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("SheetShow", [this](TObject* s) { Events.push_back(NameOf(s) + " show"); });
      form.RegisterHandler<TNotifyEvent>("SheetHide", [this](TObject* s) { Events.push_back(NameOf(s) + " hide"); });
      form.RegisterHandler<TNotifyEvent>("ListClick", [this](TObject* s) { Events.push_back(NameOf(s) + " click"); });
      form.RegisterHandler<TNotifyEvent>("ListDblClick",
                                         [this](TObject* s) { Events.push_back(NameOf(s) + " double click"); });
      form.RegisterHandler<TNotifyEvent>("TrackChange", [this](TObject* s) { Events.push_back(NameOf(s) + " change"); });
    });
    Pages = Find<TPageControl>("Pages");
    List = Find<TListView>("List");
    Track = Find<TTrackBar>("Track");
  }

  template <class T>
  T* Find(const char* Name) {
    auto* component = dynamic_cast<T*>(Form->FindComponent(Name));
    EXPECT_NE(component, nullptr) << Name;
    return component;
  }
  TTabSheet* Sheet(int Index) { return Pages->Pages(Index); }

  std::unique_ptr<TForm> Form;
  TPageControl* Pages = nullptr;
  TListView* List = nullptr;
  TTrackBar* Track = nullptr;
  std::vector<String> Events;
};

bool HasVisibleStyle(HWND Window) { return (GetWindowLongPtrW(Window, GWL_STYLE) & WS_VISIBLE) != 0; }

String TabText(HWND Tabs, int Index) {
  WCHAR text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(Tabs, TCM_GETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
  return FromWide(text);
}

String ItemText(HWND List, int Index, int SubItem) {
  WCHAR text[128] = {};
  LVITEMW item{};
  item.iSubItem = SubItem;
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(List, LVM_GETITEMTEXTW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
  return FromWide(text);
}

std::vector<String> WindowCaptions(HWND List) {
  std::vector<String> captions;
  const int count = static_cast<int>(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) captions.push_back(ItemText(List, i, 0));
  return captions;
}

std::vector<String> Captions(TListView& List) {
  std::vector<String> captions;
  for (int i = 0; i < List.Items().Count(); ++i) captions.push_back(List.Items().Item(i)->Caption());
  return captions;
}

TListItem* AddItem(TListView& List, const String& Caption, const String& SubItem = String()) {
  TListItem* item = List.Items().Add();
  item->SetCaption(Caption);
  if (!SubItem.empty()) item->SubItems().Add(SubItem);
  return item;
}

// ---------------------------------------------------------------------------------------------
// Page control

TEST_F(ComControls, PagesFromTheDescriptionShowTheActiveOne) {
  EXPECT_EQ(Pages->PageCount(), 3);
  EXPECT_EQ(Pages->ActivePage(), Sheet(0));
  const HWND tabs = Pages->Handle();
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(tabs, 1), "Second");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(HasVisibleStyle(Sheet(0)->Handle()));
  EXPECT_FALSE(HasVisibleStyle(Sheet(1)->Handle()));
  EXPECT_TRUE(Events.empty()) << "reading the form shows and hides nothing";

  RECT display;
  GetClientRect(tabs, &display);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Sheet(i)->Left(), display.left);
    EXPECT_EQ(Sheet(i)->Top(), display.top) << "every page fills the area below the tabs";
    EXPECT_EQ(Sheet(i)->Width(), display.right - display.left);
    EXPECT_EQ(Sheet(i)->Height(), display.bottom - display.top);
  }
}

TEST_F(ComControls, SwitchingPagesShowsTheNewOneThenHidesTheOld) {
  Pages->SetActivePage(Sheet(1));
  EXPECT_EQ(Events, (std::vector<String>{"Sheet2 show", "Sheet1 hide"})) << "also before the window exists";
  const HWND tabs = Pages->Handle();
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(HasVisibleStyle(Sheet(1)->Handle()));
  EXPECT_FALSE(HasVisibleStyle(Sheet(0)->Handle()));

  Events.clear();
  Sheet(2)->Show();
  EXPECT_EQ(Events, (std::vector<String>{"Sheet3 show", "Sheet2 hide"})) << "showing a sheet makes it active";
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);

  Events.clear();
  Pages->SetActivePage(Sheet(2));
  EXPECT_TRUE(Events.empty());

  // The user picks the first tab.
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  NMHDR header{tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(Events, (std::vector<String>{"Sheet1 show", "Sheet3 hide"}));
  EXPECT_EQ(Pages->ActivePage(), Sheet(0));

  TTabSheet other(nullptr);
  EXPECT_THROW(Pages->SetActivePage(&other), EComponentError);

  delete Sheet(2);
  EXPECT_EQ(Pages->PageCount(), 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ComControls, HiddenTabsLeaveTheRowAndTheUserMayBeStopped) {
  const HWND tabs = Pages->Handle();
  Sheet(0)->SetTabVisible(false);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(tabs, 0), "Second");
  EXPECT_EQ(Sheet(0)->TabIndex(), -1);
  EXPECT_EQ(Sheet(2)->TabIndex(), 1);
  EXPECT_EQ(Pages->ActivePage(), Sheet(0)) << "a page without a tab can still be shown";
  EXPECT_EQ(Pages->TabIndex(), -1);

  // Tab 1 is the third page now; a refusing OnChanging keeps the page.
  bool allow = false;
  int changes = 0;
  Pages->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
  Pages->OnChange = [&](TObject*) { ++changes; };
  NMHDR changing{tabs, 0, static_cast<UINT>(TCN_SELCHANGING)};
  EXPECT_EQ(SendMessageW(GetParent(tabs), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changing)), TRUE);
  allow = true;
  EXPECT_EQ(SendMessageW(GetParent(tabs), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changing)), FALSE);
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change{tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(Pages->ActivePage(), Sheet(2));
  EXPECT_EQ(changes, 1);

  Sheet(0)->SetTabVisible(true);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(tabs, 0), "Home");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  Pages->SetTabIndex(1);
  EXPECT_EQ(Pages->ActivePage(), Sheet(1));
}

TEST_F(ComControls, TabSettingsReachTheWindowStyle) {
  const HWND tabs = Pages->Handle();
  auto style = [&] { return static_cast<DWORD>(GetWindowLongPtrW(tabs, GWL_STYLE)); };
  Pages->SetTabPosition(TTabPosition::tpLeft);
  EXPECT_TRUE(Pages->MultiLine()) << "side tabs need several rows";
  EXPECT_EQ(style() & (TCS_VERTICAL | TCS_MULTILINE | TCS_RIGHT), static_cast<DWORD>(TCS_VERTICAL | TCS_MULTILINE));
  const TRect left = Pages->DisplayRect();
  EXPECT_GT(left.left, 10) << "the tabs take the left side";
  EXPECT_EQ(Sheet(0)->Left(), left.left);
  Pages->SetMultiLine(false);
  EXPECT_EQ(Pages->TabPosition(), TTabPosition::tpTop);
  Pages->SetTabPosition(TTabPosition::tpBottom);
  Pages->SetStyle(TTabStyle::tsFlatButtons);
  EXPECT_EQ(style() & (TCS_BOTTOM | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_VERTICAL),
            static_cast<DWORD>(TCS_BOTTOM | TCS_BUTTONS | TCS_FLATBUTTONS));
  Pages->SetTabWidth(70);
  Pages->SetTabHeight(30);
  EXPECT_TRUE(style() & TCS_FIXEDWIDTH);
  RECT item{};
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.bottom - item.top, 30);
}

TEST(TabControl, TabsFromTheStringsKeepTheSelection) {
  auto form = ReadForm(R"(object TestForm: TForm
  object Tabs: TTabControl
    Width = 300
    Height = 100
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 2
  end
end)");
  auto* control = dynamic_cast<TTabControl*>(form->FindComponent("Tabs"));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->TabIndex(), 2);
  const HWND tabs = control->Handle();
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(tabs, 1), "Two");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2) << "the selection read before the window existed";
  control->Tabs().SetString(1, "Deux");
  EXPECT_EQ(TabText(tabs, 1), "Deux");
  EXPECT_EQ(control->TabIndex(), 2);
  control->Tabs().Delete(2);
  EXPECT_EQ(control->TabIndex(), -1) << "the selected tab is gone";
  control->SetTabIndex(0);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
}

// ---------------------------------------------------------------------------------------------
// List view

TEST_F(ComControls, ListItemsReachTheWindowBeforeAndAfterItExists) {
  TListItem* first = AddItem(*List, "first", "C:\\first.bmp");
  first->SetChecked(true);
  AddItem(*List, "second")->SetImageIndex(3);
  EXPECT_EQ(List->ItemIndex(), -1);

  const HWND window = List->Handle();
  AddItem(*List, "third", "C:\\third.bmp");
  EXPECT_EQ(WindowCaptions(window), (std::vector<String>{"first", "second", "third"}));
  EXPECT_EQ(ItemText(window, 0, 1), "C:\\first.bmp");
  EXPECT_EQ(ItemText(window, 2, 1), "C:\\third.bmp");
  EXPECT_TRUE(List->Items().Item(0)->Checked());
  EXPECT_FALSE(List->Items().Item(2)->Checked());
  EXPECT_EQ(List->ItemIndex(), -1) << "nothing selected";

  List->Items().Item(2)->SubItems().SetString(0, "C:\\moved.bmp");
  EXPECT_EQ(ItemText(window, 2, 1), "C:\\moved.bmp");

  LVCOLUMNW column{};
  WCHAR text[32] = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = text;
  column.cchTextMax = 32;
  ASSERT_TRUE(SendMessageW(window, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column)));
  EXPECT_EQ(FromWide(text), "Track");
  EXPECT_EQ(column.cx, 125);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);

  List->SetItemIndex(1);
  EXPECT_EQ(SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  ASSERT_NE(List->Selected(), nullptr);
  EXPECT_EQ(List->Selected()->Caption(), "second");
  List->SetItemIndex(-1);
  EXPECT_EQ(List->Selected(), nullptr);
}

TEST_F(ComControls, SortingByCaptionKeepsTheSelection) {
  for (const char* caption : {"pear", "apple", "fig"}) AddItem(*List, caption);
  const HWND window = List->Handle();
  List->SetItemIndex(0);
  List->SetSortType(TSortType::stText);
  EXPECT_EQ(Captions(*List), (std::vector<String>{"apple", "fig", "pear"}));
  EXPECT_EQ(WindowCaptions(window), Captions(*List)) << "the window has the same order";
  EXPECT_EQ(List->Selected()->Caption(), "pear");

  AddItem(*List, "banana");
  EXPECT_EQ(WindowCaptions(window), (std::vector<String>{"apple", "banana", "fig", "pear"})) << "new items sort in";
  List->Items().Item(0)->SetCaption("zucchini");
  EXPECT_EQ(WindowCaptions(window), (std::vector<String>{"banana", "fig", "pear", "zucchini"}));

  List->SetMultiSelect(true);
  List->Items().Item(0)->SetSelected(true);
  List->DeleteSelected();
  EXPECT_EQ(WindowCaptions(window), (std::vector<String>{"fig", "zucchini"}));
  EXPECT_EQ(List->ItemIndex(), -1);
  List->Clear();
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ComControls, WhatTheUserSetSurvivesANewWindow) {
  AddItem(*List, "one");
  AddItem(*List, "two");
  const HWND window = List->Handle();
  // The user ticks the second item and selects it.
  LVITEMW state{};
  state.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED;
  state.state = INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED;
  SendMessageW(window, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_TRUE(List->Items().Item(1)->Checked());

  List->SetParent(nullptr);
  EXPECT_TRUE(List->Items().Item(1)->Checked());
  EXPECT_EQ(List->ItemIndex(), 1);
  List->SetParent(Sheet(0));
  EXPECT_EQ(WindowCaptions(List->Handle()), (std::vector<String>{"one", "two"}));
  EXPECT_TRUE(List->Items().Item(1)->Checked());
  EXPECT_FALSE(List->Items().Item(0)->Checked());
  EXPECT_EQ(List->ItemIndex(), 1);
}

TEST_F(ComControls, GridLinesHeadersDragAndScrolling) {
  // Set before the window exists and after.
  List->SetGridLines(true);
  List->SetShowColumnHeaders(false);
  List->Columns().Items(0)->SetImageIndex(2);
  const HWND window = List->Handle();
  const auto extended = [window] {
    return static_cast<DWORD>(SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  };
  const auto style = [window] { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); };
  EXPECT_TRUE(extended() & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended() & LVS_EX_CHECKBOXES) << "the other extended styles stay";
  EXPECT_TRUE(style() & LVS_NOCOLUMNHEADER);
  List->SetFullDrag(true);
  List->SetGridLines(false);
  List->SetShowColumnHeaders(true);
  EXPECT_TRUE(extended() & LVS_EX_HEADERDRAGDROP);
  EXPECT_FALSE(extended() & LVS_EX_GRIDLINES);
  EXPECT_FALSE(style() & LVS_NOCOLUMNHEADER);

  LVCOLUMNW column{};
  column.mask = LVCF_IMAGE | LVCF_FMT;
  ASSERT_TRUE(SendMessageW(window, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_EQ(column.iImage, 2);
  EXPECT_TRUE(column.fmt & LVCFMT_IMAGE);

  // The report view scrolls by the rows nearest to the pixels asked for.
  SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < 100; ++i) AddItem(*List, "item");
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageW(window, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  const int rowHeight = row.bottom - row.top;
  ASSERT_GT(rowHeight, 0);
  EXPECT_TRUE(List->Scroll(0, 3 * rowHeight + 1));
  EXPECT_EQ(SendMessageW(window, LVM_GETTOPINDEX, 0, 0), 3);
  EXPECT_TRUE(List->Scroll(0, -rowHeight));
  EXPECT_EQ(SendMessageW(window, LVM_GETTOPINDEX, 0, 0), 2);
  // The list view scrolls only sideways.
  List->SetViewStyle(TViewStyle::vsList);
  EXPECT_FALSE(List->Scroll(0, rowHeight));
}

TEST_F(ComControls, ListViewOptionsFromADescription) {
  auto form = ReadForm(R"(object TestForm: TForm
  object Channels: TListView
    ViewStyle = vsReport
    GridLines = True
    FullDrag = True
    ShowColumnHeaders = False
    Columns = <
      item
        Caption = 'Channel'
        ImageIndex = 1
      end>
  end
end
)");
  auto* view = dynamic_cast<TListView*>(form->FindComponent("Channels"));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->GridLines());
  EXPECT_TRUE(view->FullDrag());
  EXPECT_FALSE(view->ShowColumnHeaders());
  EXPECT_EQ(view->Columns().Items(0)->ImageIndex(), 1);
  TListView fresh(nullptr);
  EXPECT_FALSE(fresh.GridLines());
  EXPECT_FALSE(fresh.FullDrag());
  EXPECT_TRUE(fresh.ShowColumnHeaders());
}

TEST_F(ComControls, ClickingAnItemSelectsItAndClicks) {
  AddItem(*List, "one");
  AddItem(*List, "two");
  const HWND window = List->Handle();
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageW(window, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(Events, std::vector<String>{"List click"});
  EXPECT_EQ(List->ItemIndex(), 1);

  Events.clear();
  PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(std::count(Events.begin(), Events.end(), "List double click"), 1) << "once, not also from the list's notice";
}

TEST_F(ComControls, CustomDrawPaintsOnTheListCanvasFirst) {
  AddItem(*List, "one");
  TRect drawn{};
  List->OnCustomDraw = [&](TObject* Sender, const TRect& ARect, bool& DefaultDraw) {
    EXPECT_EQ(Sender, List);
    drawn = ARect;
    List->Canvas().Brush()->SetColor(clRed);
    List->Canvas().FillRect(Rect(0, 0, 20, 20));
    List->SetColor(clNone);
    DefaultDraw = false;
  };
  TPaintTarget target(300, 200, RGB(0, 0, 0));
  target.Paint(List->Handle());
  EXPECT_EQ(target.Pixel(10, 10), RGB(255, 0, 0));
  RECT client;
  GetClientRect(List->Handle(), &client);
  EXPECT_EQ(drawn.right, client.right);
  EXPECT_EQ(drawn.bottom, client.bottom);
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE))
      << "clNone makes the list draw no background";
}

// ---------------------------------------------------------------------------------------------
// Image list

TEST_F(ComControls, AnImageListTakesPicturesTheirCanvasesDrewInto) {
  auto* images = Find<TImageList>("Images");
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf24bit);
  picture.SetSize(105, 105);
  picture.Canvas()->Brush()->SetColor(clBlue);
  picture.Canvas()->FillRect(Rect(0, 0, 105, 105));
  EXPECT_EQ(images->Add(&picture, nullptr), 0);
  picture.Canvas()->Brush()->SetColor(clLime);
  picture.Canvas()->FillRect(Rect(0, 0, 105, 105));
  EXPECT_EQ(images->Add(&picture, nullptr), 1);
  EXPECT_EQ(images->Count(), 2);

  TPaintTarget target(200, 100, RGB(0, 0, 0));
  ImageList_Draw(images->Handle(), 0, target.DC(), 0, 0, ILD_NORMAL);
  ImageList_Draw(images->Handle(), 1, target.DC(), 100, 0, ILD_NORMAL);
  EXPECT_EQ(target.Pixel(50, 50), RGB(0, 0, 255));
  EXPECT_EQ(target.Pixel(150, 50), RGB(0, 255, 0));

  TCanvas canvas;
  canvas.SetHandle(target.DC());
  images->Draw(canvas, 0, 0, 1);
  EXPECT_EQ(target.Pixel(50, 50), RGB(0, 255, 0));
  images->Draw(canvas, 0, 0, 0, false);
  EXPECT_NE(target.Pixel(50, 50), RGB(0, 0, 255)) << "a disabled picture is drawn dimmed";
  EXPECT_NE(target.Pixel(50, 50), RGB(0, 255, 0));
  images->Draw(canvas, 100, 0, 2);
  EXPECT_EQ(target.Pixel(150, 50), RGB(0, 255, 0)) << "an index outside the list draws nothing";
  canvas.SetHandle(nullptr);

  TBitmap empty;
  EXPECT_THROW(images->Add(&empty, nullptr), EComponentError);
  images->Clear();
  EXPECT_EQ(images->Count(), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(List->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)),
            images->Handle())
      << "the list view draws from the image list";
  delete images;
  EXPECT_EQ(List->LargeImages(), nullptr) << "a freed image list is let go";
}

// ---------------------------------------------------------------------------------------------
// Track bar, progress bar

TEST_F(ComControls, TrackBarPositionStaysInItsRange) {
  EXPECT_EQ(Track->Position(), 200) << "limits read after the position still hold it";
  const HWND window = Track->Handle();
  EXPECT_EQ(SendMessageW(window, TBM_GETPOS, 0, 0), 200);
  EXPECT_EQ(SendMessageW(window, TBM_GETRANGEMIN, 0, 0), -255);

  Track->SetPosition(300);
  EXPECT_EQ(Track->Position(), 255);
  EXPECT_EQ(SendMessageW(window, TBM_GETPOS, 0, 0), 255);
  Track->SetPosition(255);
  EXPECT_EQ(Events, std::vector<String>{"Track change"}) << "only a new position is a change";

  Track->SetMax(100);
  EXPECT_EQ(Track->Position(), 100) << "a lower maximum pulls the position in";
  EXPECT_EQ(SendMessageW(window, TBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(Events.size(), 1u) << "quietly";

  SendMessageW(window, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(Track->Position(), 99) << "the user moves it";
  EXPECT_EQ(Events.size(), 2u);

  Track->SetMin(150);
  EXPECT_EQ(Track->Max(), 150);
  EXPECT_EQ(Track->Position(), 150);

  Track->SetOrientation(TTrackBarOrientation::trVertical);
  EXPECT_EQ(Track->Width(), 45);
  EXPECT_TRUE(GetWindowLongPtrW(Track->Handle(), GWL_STYLE) & TBS_VERT);
  EXPECT_EQ(SendMessageW(Track->Handle(), TBM_GETPOS, 0, 0), 150) << "the new window has the range";
}

TEST_F(ComControls, ProgressBarPositionStaysInItsRange) {
  auto* progress = Find<TProgressBar>("Progress");
  const HWND window = progress->Handle();
  EXPECT_EQ(SendMessageW(window, PBM_GETPOS, 0, 0), 20);
  EXPECT_EQ(SendMessageW(window, PBM_GETRANGE, FALSE, 0), 50);
  progress->SetPosition(80);
  EXPECT_EQ(progress->Position(), 50);
  EXPECT_EQ(SendMessageW(window, PBM_GETPOS, 0, 0), 50);
  progress->SetPosition(-5);
  EXPECT_EQ(progress->Position(), 0);
}

}  // namespace
