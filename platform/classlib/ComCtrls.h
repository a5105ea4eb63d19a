// Common controls over the system's comctl32 window classes: rows of tabs alone or over pages, the
// list view, the track bar and the progress bar, and the image list that list views and tabs take
// their icons from.
//
// Classes in this file: TImageList, TCustomTabControl, TTabControl, TTabSheet, TPageControl,
// TListColumn, TListColumns, TListItem, TListItems, TListView, TTrackBar, TProgressBar.
#pragma once

#include "platform/classlib/Icon.h"
#include "platform/classlib/StdCtrls.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

namespace classlib {

class TBitmap;

// A row of equally sized pictures in a system image list (24-bit colour, with masks).
class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;

  // Changing the size of the pictures empties the list.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // How many pictures the list grows by at a time; it takes effect when the system list is made.
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int Value);
  // The colour drawn behind the pictures; clNone draws them through their masks.
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);

  // The system image list, made on first use. It stays the same for the life of this object.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  // Appends the pictures Image holds side by side (one for each Width pixels), masked by Mask where
  // given (its white pixels are left out); returns the index of the first.
  int Add(TBitmap* Image, TBitmap* Mask);
  int Count() const;
  void Clear();
  // Draws picture Index with its mask at X, Y; a disabled picture in the system's disabled look.
  // Nothing for an index outside the list.
  void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true);
  // Picture Index with its mask as an icon, given to Image; Image is left alone for an index outside
  // the list.
  void GetIcon(int Index, TIcon& Image);

private:
  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  TColor FBkColor = clNone;
};

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// The system tab control ("SysTabControl32") and the settings of its row of tabs that the tab
// control and the page control share.
class TCustomTabControl : public TWinControl {
public:
  explicit TCustomTabControl(TComponent* AOwner);

  // After the user selected another tab.
  TNotifyEvent OnChange;
  // Before the user selects another tab; clearing AllowChange keeps the selection.
  TTabChangingEvent OnChanging;

  // Attributes
  bool MultiLine() const { return FMultiLine; }
  // Tabs at the sides need several rows: turning them off moves side tabs to the top.
  void SetMultiLine(bool Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  // Tabs at the sides turn MultiLine on, as the system requires.
  void SetTabPosition(TTabPosition Value);
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool RaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool Value);
  bool ScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool Value);
  // The parent draws the tabs (WM_DRAWITEM).
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  // Fixed tab sizes; 0 lets the system size the tabs by their captions and the font.
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // The selected tab, -1 for none; kept here in step with the system's selection.
  int TabIndex() const;
  virtual void SetTabIndex(int Value);
  // The client area less the tabs and the frame, as the window's TCM_ADJUSTRECT answers it.
  TRect DisplayRect();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Whether the user may leave the selected tab (asks OnChanging).
  virtual bool CanChange();
  // The user selected another tab (fires OnChange).
  virtual void Change();
  // Selects tab Value in the system's control (when it exists) and here.
  void WriteTabIndex(int Value);

private:
  DWORD TabStyleBits() const;
  void UpdateStyle();
  void WriteItemSize();

  bool FMultiLine = false;
  TTabPosition FTabPosition = TTabPosition::tpTop;
  TTabStyle FStyle = TTabStyle::tsTabs;
  bool FHotTrack = false;
  bool FRaggedRight = false;
  bool FScrollOpposite = false;
  bool FOwnerDraw = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TImageList* FImages = nullptr;
  int FTabIndex = -1;
};

// A row of tabs named by a list of strings, without pages: the application reacts to OnChange.
// Tab i shows picture i of Images.
class TTabControl : public TCustomTabControl {
public:
  explicit TTabControl(TComponent* AOwner);

  TStrings& Tabs() { return *FTabs; }
  void SetTabs(const TStrings& Value) { FTabs->Assign(Value); }

protected:
  void CreateHandleDone() override;

private:
  // The system's tabs made anew from the list, keeping the selection where it still exists.
  void WriteTabs();

  std::unique_ptr<TStringList> FTabs;
};

class TPageControl;

// One page of a page control, shown while its tab is the selected one. OnShow and OnHide fire as
// the page control switches to and from the sheet.
class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  TPageControl* PageControl() const { return FPageControl; }
  // Makes the sheet a page (the last) of Value; its Caption is the tab's text.
  void SetPageControl(TPageControl* Value);
  int PageIndex() const;
  // A sheet without a tab stays a page that only code can show.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  // The sheet's tab among the tabs shown, -1 when it has none.
  int TabIndex() const;
  // The picture of the page control's Images shown on the tab.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  void SetParent(TWinControl* AParent) override;

protected:
  // Showing a sheet makes it the active page.
  void VisibleChanged() override;
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = 0;
};

// Tabs over a stack of tab sheets, of which only the active one shows.
class TPageControl : public TCustomTabControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows Page (firing its OnShow), then hides the page active before (firing its OnHide).
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  // Selecting a tab shows its page.
  void SetTabIndex(int Value) override;

protected:
  void CreateHandleDone() override;
  // Every page fills the area below the tabs.
  void AlignControls(TControl* AControl, TRect& Rect) override;
  // The page of the tab the user selected becomes active before OnChange.
  void Change() override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void InsertTab(const TTabSheet* Page);
  void DeleteTab(int TabIndex);
  void UpdateTab(const TTabSheet* Page);
  void TabVisibleChanged(TTabSheet* Page);
  void SelectTab();
  TTabSheet* PageOfTab(int TabIndex) const;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

class TListView;
class TListColumns;

// One column of a list view in report style.
class TListColumn {
public:
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // The width the user gave it, while the list view's window exists.
  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The picture beside the caption in the list view's small images; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int Index() const;

private:
  friend class TListColumns;
  friend class TListView;
  explicit TListColumn(TListColumns& Owner) : FOwner(Owner) {}

  TListColumns& FOwner;
  String FCaption;
  int FWidth = 50;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  int FImageIndex = -1;
};

class TListColumns : public TPersistent {
public:
  TListColumn* Add();
  void Clear();
  int Count() const { return static_cast<int>(FColumns.size()); }
  TListColumn* Items(int Index) const;
  TListView& Owner() const { return FOwner; }

private:
  friend class TListView;
  friend class TListColumn;
  explicit TListColumns(TListView& Owner) : FOwner(Owner) {}

  TListView& FOwner;
  std::vector<std::unique_ptr<TListColumn>> FColumns;
};

class TListItems;

// One item of a list view: its caption, the texts of its further columns and its picture.
// Selected and Checked live in the system list while its window exists.
class TListItem : public TPersistent {
public:
  ~TListItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // The texts of the report view's second and further columns.
  TStrings& SubItems() { return *FSubItems; }
  // The picture in the list view's image lists; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The check box's state; meaningful when the list view has Checkboxes.
  bool Checked() const;
  void SetChecked(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  int Index() const;
  TListView& ListView() const;
  // Removes the item from its list and frees it.
  void Delete();

private:
  friend class TListItems;
  friend class TListView;
  explicit TListItem(TListItems& Owner);

  TListItems& FOwner;
  String FCaption;
  std::unique_ptr<TStringList> FSubItems;
  int FImageIndex = -1;
  bool FChecked = false;   // while there is no window
  bool FSelected = false;  // while there is no window
  int FSubItemsShown = 0;  // sub-item texts last put into the window
  int FSortRank = 0;       // the item's place while the system list sorts
};

// In owner-data mode the list holds no items: Count is set by the owner of the data, and Item(i)
// hands out one shared item that the list view's OwnerDataFetch fills for index i (valid until the
// next call).
class TListItems : public TPersistent {
public:
  TListItem* Add();
  TListItem* Insert(int Index);
  void Clear();
  void Delete(int Index);
  int Count() const;
  // The number of items of an owner-data list view (nothing otherwise).
  void SetCount(int Value);
  // Raises EStringListError for an index out of range.
  TListItem* Item(int Index) const;
  int IndexOf(const TListItem* Item) const;
  TListView& Owner() const { return FOwner; }

private:
  friend class TListView;
  explicit TListItems(TListView& Owner) : FOwner(Owner) {}
  int Stored() const { return static_cast<int>(FItems.size()); }
  // The shared item of owner-data mode, emptied and given Index.
  TListItem& DataItem(int Index) const;

  TListView& FOwner;
  std::vector<std::unique_ptr<TListItem>> FItems;
  int FDataCount = 0;
  mutable std::unique_ptr<TListItem> FDataItem;
  mutable int FDataIndex = -1;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// stText keeps the items in the order of their captions as items come and captions change.
enum class TSortType { stNone, stText };

using TLVCustomDrawEvent = std::function<void(TObject* Sender, const TRect& ARect, bool& DefaultDraw)>;

// What an owner-data list view asks of its data for one item.
enum class TItemRequestItem { irText, irImage, irParam, irState, irIndent };
using TItemRequest = Set<TItemRequestItem>;
// The kind of an owner-data search: by data, by the start of a caption, by a whole caption, near a point.
enum class TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum class TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };

// The system list view. Items, columns and their state are kept here while there is no window, so a
// form can fill the list before it is shown. OnClick fires when the user clicks in the list,
// OnCustomDraw before each paint with Canvas drawing into the paint (DefaultDraw false leaves the
// items undrawn).
class TListView : public TWinControl {
public:
  explicit TListView(TComponent* AOwner);

  TLVCustomDrawEvent OnCustomDraw;
  // An item's selection, focus, text or image changed (the user's or the program's doing).
  TNotifyEvent OnChange;

  TListItems& Items() { return *FItems; }
  TListColumns& Columns() { return *FColumns; }
  TCanvas& Canvas() { return *FCanvas; }

  TViewStyle ViewStyle() const { return FViewStyle; }
  virtual void SetViewStyle(TViewStyle Value);
  // Owner-data (virtual) mode: the list keeps no items; it asks OwnerDataFetch for what it shows and
  // OwnerDataFind for what the user types. Changing it makes the window anew.
  bool OwnerData() const { return FOwnerData; }
  void SetOwnerData(bool Value);
  // The item with the focus rectangle; in owner-data mode the shared item (see TListItems).
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* Value);
  // Whether an item's caption is being edited in place.
  bool IsEditing() const;
  // The first selected item's index, -1 when none is selected.
  int ItemIndex() const;
  // Selects that item alone (and makes it the focused, visible one); -1 clears the selection.
  void SetItemIndex(int Value);
  TListItem* Selected() const;
  void DeleteSelected();
  void Clear() { FItems->Clear(); }
  // Scrolls the contents by DX, DY pixels; the report view scrolls whole rows, the nearest to DY,
  // and the list view (which scrolls by columns) only sideways. False when the window refuses.
  bool Scroll(int DX, int DY);
  // Sorts the items by caption (the system's string order), keeping equal ones in their order.
  void AlphaSort();

  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  // Whether the user may not rename items in place.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  // The column header of the report view.
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  // Whether the user may drag the report view's columns into another order.
  bool FullDrag() const { return FFullDrag; }
  void SetFullDrag(bool Value);
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  TImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TImageList* Value);
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  bool ClicksOnMouseUp() const override { return false; }
  // Fills Item (caption, picture, sub-item texts) for its index; false when there is nothing to show.
  virtual bool OwnerDataFetch(TListItem* Item, TItemRequest Request);
  // The index of the item a search finds, or -1.
  virtual int OwnerDataFind(TItemFind Find, const String& FindString, const TPoint& FindPosition, LPARAM FindData,
                            int StartIndex, TSearchDirection Direction, bool Wrap);
  // The end of an in-place edit: Item.pszText holds the new caption, or is null when it was cancelled.
  virtual void Edit(const LVITEMW& Item);

private:
  friend class TListItems;
  friend class TListItem;
  friend class TListColumns;
  friend class TListColumn;

  LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam) const;
  void SetStyleBits(DWORD Mask, DWORD Bits);
  DWORD ExtendedStyle() const;
  void WriteColors();
  void WriteImageLists();
  void WriteColumn(int Index, bool Insert);
  void InsertItemIntoWindow(int Index);
  void WriteItemText(const TListItem& Item);
  void WriteItemImage(const TListItem& Item);
  void WriteSubItems(TListItem& Item);
  void WriteItemState(int Index, UINT State, UINT Mask);
  UINT ItemState(int Index, UINT Mask) const;
  UINT CheckState(bool Checked) const;
  void SortIfSorted();
  LRESULT CustomDraw(const NMLVCUSTOMDRAW& Draw);
  static int CALLBACK CompareSortRanks(LPARAM Item1, LPARAM Item2, LPARAM);
  void GetDispInfo(NMLVDISPINFOW& Info);
  LRESULT FindItem(const NMLVFINDITEMW& Find);

  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TControlCanvas> FCanvas;
  TViewStyle FViewStyle = TViewStyle::vsIcon;
  bool FHideSelection = true;
  bool FCheckboxes = false;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FMultiSelect = false;
  bool FShowColumnHeaders = true;
  bool FGridLines = false;
  bool FFullDrag = false;
  bool FOwnerData = false;
  TSortType FSortType = TSortType::stNone;
  TImageList* FLargeImages = nullptr;
  TImageList* FSmallImages = nullptr;
};

enum class TTrackBarOrientation { trHorizontal, trVertical };

// Min, Max and a Position within them, as the bars below keep them. While a form is read the three
// may come in any order: they are taken as they come and settled when reading ends.
class TPositionRange {
public:
  explicit TPositionRange(int Max) : FMax(Max) {}

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  // Each answers whether the range changed outside reading, so that the window must hear of it;
  // narrowing the range moves Position quietly.
  bool SetMin(int Value, bool Loading);
  bool SetMax(int Value, bool Loading);
  // Max at least Min, Position within them.
  void Settle();
  int Clamped(int Value) const;
  void SetPosition(int Value) { FPosition = Value; }

private:
  int FMin = 0;
  int FMax;
  int FPosition = 0;
};

// The system track bar. Position stays within Min..Max as the system keeps it: narrowing the range
// moves it quietly; a new Position, from the user or the program, fires OnChange.
class TTrackBar : public TWinControl {
public:
  explicit TTrackBar(TComponent* AOwner);

  TNotifyEvent OnChange;

  int Min() const { return FRange.Min(); }
  void SetMin(int Value);
  int Max() const { return FRange.Max(); }
  void SetMax(int Value);
  int Position() const { return FRange.Position(); }
  void SetPosition(int Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  // Turning the bar also swaps its width and height.
  void SetOrientation(TTrackBarOrientation Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void Loaded() override;
  virtual void Changed();

private:
  void WriteRange();

  TPositionRange FRange{10};
  TTrackBarOrientation FOrientation = TTrackBarOrientation::trHorizontal;
};

// The system progress bar; Position stays within Min..Max.
class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent* AOwner);

  int Min() const { return FRange.Min(); }
  void SetMin(int Value);
  int Max() const { return FRange.Max(); }
  void SetMax(int Value);
  int Position() const { return FRange.Position(); }
  void SetPosition(int Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void Loaded() override;

private:
  void WriteRange();

  TPositionRange FRange{100};
};

// Registers the classes of this unit with the form reader. A TListView reads its Columns as a
// collection of items with Caption, Width and Alignment.
void RegisterComControls(TClassRegistry& Registry);

}  // namespace classlib
