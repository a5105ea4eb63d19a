#include "platform/classlib/ComCtrls.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <string>

namespace classlib {

namespace {

bool IsLoading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

bool SameName(const String& A, const String& B) { return !TNameLess{}(A, B) && !TNameLess{}(B, A); }

[[noreturn]] void ListIndexError(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

// Lends a DC of the system's own painting to a control's canvas for one notification.
class TCanvasDCScope {
public:
  TCanvasDCScope(TControlCanvas& Canvas, HDC DC) : FCanvas(Canvas) {
    FCanvas.FreeHandle();
    FCanvas.Lock();
    FCanvas.SetHandle(DC);
  }
  ~TCanvasDCScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
  }
  TCanvasDCScope(const TCanvasDCScope&) = delete;
  TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
  TControlCanvas& FCanvas;
};

const std::vector<std::pair<String, TAlignment>> AlignmentNames = {{"taLeftJustify", TAlignment::taLeftJustify},
                                                                   {"taRightJustify", TAlignment::taRightJustify},
                                                                   {"taCenter", TAlignment::taCenter}};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TImageList

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
  if (FHandle) ImageList_Destroy(FHandle);
}

void TImageList::SetWidth(int Value) {
  Value = std::max(1, Value);
  if (Value == FWidth) return;
  FWidth = Value;
  if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
}

void TImageList::SetHeight(int Value) {
  Value = std::max(1, Value);
  if (Value == FHeight) return;
  FHeight = Value;
  if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
}

void TImageList::SetAllocBy(int Value) { FAllocBy = std::max(1, Value); }

void TImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  if (FHandle) ImageList_SetBkColor(FHandle, Value == clNone ? CLR_NONE : ColorToRGB(Value));
}

HIMAGELIST TImageList::Handle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 0, FAllocBy);
    if (!FHandle) throw EComponentError("Cannot create an image list");
    if (FBkColor != clNone) ImageList_SetBkColor(FHandle, ColorToRGB(FBkColor));
  }
  return FHandle;
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) throw EComponentError("Unable to insert an image");
  // A bitmap stays selected in its canvas's DC, and GDI selects a bitmap into one DC at a time:
  // the image list copies from copies.
  TBitmap image;
  image.Assign(*Image);
  TBitmap mask;
  if (Mask) mask.Assign(*Mask);
  const int index = ImageList_Add(Handle(), image.Handle(), Mask ? mask.Handle() : nullptr);
  if (index < 0) throw EComponentError("Unable to insert an image");
  return index;
}

int TImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TImageList::Clear() {
  if (FHandle) ImageList_Remove(FHandle, -1);
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) {
  if (!FHandle || Index < 0 || Index >= Count()) return;
  if (Enabled) {
    ImageList_Draw(FHandle, Index, Canvas.Handle(), X, Y, ILD_TRANSPARENT);
    return;
  }
  // The system's disabled drawing: the picture's shape embossed in the shadow colours.
  HICON icon = ImageList_GetIcon(FHandle, Index, ILD_TRANSPARENT);
  if (!icon) return;
  DrawStateW(Canvas.Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, X, Y, 0, 0, DST_ICON | DSS_DISABLED);
  DestroyIcon(icon);
}

void TImageList::GetIcon(int Index, TIcon& Image) {
  if (!FHandle || Index < 0 || Index >= Count()) return;
  if (const HICON icon = ImageList_GetIcon(FHandle, Index, ILD_NORMAL)) Image.SetHandle(icon);
}

// ---------------------------------------------------------------------------------------------
// TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

DWORD TCustomTabControl::TabStyleBits() const {
  DWORD bits = 0;
  if (FMultiLine) bits |= TCS_MULTILINE;
  switch (FTabPosition) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: bits |= TCS_BOTTOM; break;
    case TTabPosition::tpLeft: bits |= TCS_VERTICAL; break;
    case TTabPosition::tpRight: bits |= TCS_VERTICAL | TCS_RIGHT; break;
  }
  if (FStyle == TTabStyle::tsButtons) bits |= TCS_BUTTONS;
  if (FStyle == TTabStyle::tsFlatButtons) bits |= TCS_BUTTONS | TCS_FLATBUTTONS;
  if (FHotTrack) bits |= TCS_HOTTRACK;
  if (FRaggedRight) bits |= TCS_RAGGEDRIGHT;
  if (FScrollOpposite) bits |= TCS_SCROLLOPPOSITE;
  if (FOwnerDraw) bits |= TCS_OWNERDRAWFIXED;
  if (FTabWidth > 0) bits |= TCS_FIXEDWIDTH;
  return bits;
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "SysTabControl32";
  Params.Style |= TabStyleBits();
}

void TCustomTabControl::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  if (FImages) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
  WriteItemSize();
}

void TCustomTabControl::UpdateStyle() {
  if (!FHandle) return;
  constexpr DWORD mask = TCS_MULTILINE | TCS_BOTTOM | TCS_VERTICAL | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_HOTTRACK |
                         TCS_RAGGEDRIGHT | TCS_SCROLLOPPOSITE | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  const LONG_PTR updated = (style & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(TabStyleBits());
  if (updated == style) return;
  SetWindowLongPtrW(FHandle, GWL_STYLE, updated);
  // The system lays the tabs out again at its next size; make that now.
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomTabControl::WriteItemSize() {
  if (FHandle) SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
}

void TCustomTabControl::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  if (!Value && (FTabPosition == TTabPosition::tpLeft || FTabPosition == TTabPosition::tpRight))
    FTabPosition = TTabPosition::tpTop;
  UpdateStyle();
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
  if (Value == FTabPosition) return;
  FTabPosition = Value;
  if (Value == TTabPosition::tpLeft || Value == TTabPosition::tpRight) FMultiLine = true;
  UpdateStyle();
}

void TCustomTabControl::SetStyle(TTabStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  UpdateStyle();
}

void TCustomTabControl::SetHotTrack(bool Value) {
  FHotTrack = Value;
  UpdateStyle();
}

void TCustomTabControl::SetRaggedRight(bool Value) {
  FRaggedRight = Value;
  UpdateStyle();
}

void TCustomTabControl::SetScrollOpposite(bool Value) {
  FScrollOpposite = Value;
  UpdateStyle();
}

void TCustomTabControl::SetOwnerDraw(bool Value) {
  FOwnerDraw = Value;
  UpdateStyle();
}

void TCustomTabControl::SetTabHeight(int Value) {
  if (Value == FTabHeight) return;
  FTabHeight = std::max(0, Value);
  WriteItemSize();
  Realign();
}

void TCustomTabControl::SetTabWidth(int Value) {
  if (Value == FTabWidth) return;
  FTabWidth = std::max(0, Value);
  UpdateStyle();
  WriteItemSize();
  Realign();
}

void TCustomTabControl::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  if (FHandle)
    SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) SetImages(nullptr);
}

int TCustomTabControl::TabIndex() const { return FTabIndex; }

void TCustomTabControl::SetTabIndex(int Value) { WriteTabIndex(Value); }

void TCustomTabControl::WriteTabIndex(int Value) {
  FTabIndex = Value;
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

TRect TCustomTabControl::DisplayRect() {
  TRect r = ClientRect();
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    switch (reinterpret_cast<const NMHDR*>(Message.LParam)->code) {
      case TCN_SELCHANGING:
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
      case TCN_SELCHANGE:
        FTabIndex = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
        Change();
        return;
    }
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TTabControl

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner), FTabs(std::make_unique<TStringList>()) {
  FTabs->OnChange = [this](TObject*) { WriteTabs(); };
}

void TTabControl::CreateHandleDone() {
  TCustomTabControl::CreateHandleDone();
  WriteTabs();
}

void TTabControl::WriteTabs() {
  if (!FHandle) return;
  const int selected = TabIndex();  // the system forgets it with its tabs
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FTabs->Count(); ++i) {
    WideString text = ToWide(FTabs->Strings(i));
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = i;
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  WriteTabIndex(selected < FTabs->Count() ? selected : -1);
  Realign();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  // Only the active page shows; the page control shows a sheet when it becomes active.
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (const TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  if (FPageControl && !Value) FPageControl->DeleteTab(TabIndex());
  FTabVisible = Value;
  if (FPageControl) FPageControl->TabVisibleChanged(this);
}

void TTabSheet::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  auto* pageControl = dynamic_cast<TPageControl*>(AParent);
  if (FPageControl && FPageControl != pageControl) FPageControl->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (pageControl && FPageControl != pageControl) pageControl->InsertPage(this);
}

void TTabSheet::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (IsLoading(*this)) return;
  if (!Visible()) {
    if (OnHide) OnHide(this);
    return;
  }
  if (OnShow) OnShow(this);
  if (FPageControl && FPageControl->FActivePage != this) FPageControl->SetActivePage(this);
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (FPageControl) FPageControl->UpdateTab(this);
}

// ---------------------------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
  // The sheets die with the control's children, after this: they must not call back.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TPageControl::CreateHandleDone() {
  TCustomTabControl::CreateHandleDone();
  for (const TTabSheet* page : FPages) InsertTab(page);
  SelectTab();
}

void TPageControl::InsertTab(const TTabSheet* Page) {
  const int index = Page->TabIndex();
  if (!FHandle || index < 0) return;
  WideString text = ToWide(Page->Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = Page->ImageIndex();
  SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::DeleteTab(int TabIndex) {
  if (FHandle && TabIndex >= 0) SendMessageW(FHandle, TCM_DELETEITEM, static_cast<WPARAM>(TabIndex), 0);
}

void TPageControl::UpdateTab(const TTabSheet* Page) {
  const int index = Page->TabIndex();
  if (!FHandle || index < 0) return;
  WideString text = ToWide(Page->Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = Page->ImageIndex();
  SendMessageW(FHandle, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::TabVisibleChanged(TTabSheet* Page) {
  if (Page->TabVisible()) InsertTab(Page);
  SelectTab();
  Realign();
  Invalidate();
}

void TPageControl::SelectTab() { WriteTabIndex(FActivePage ? FActivePage->TabIndex() : -1); }

TTabSheet* TPageControl::PageOfTab(int TabIndex) const {
  if (TabIndex < 0) return nullptr;
  for (TTabSheet* page : FPages)
    if (page->FTabVisible && TabIndex-- == 0) return page;
  return nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FHandle) return;
  InsertTab(Page);
  Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  DeleteTab(Page->TabIndex());
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) FActivePage = nullptr;
  SelectTab();
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EComponentError("page index out of bounds (" + std::to_string(Index) + ")");
  return FPages[static_cast<size_t>(Index)];
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) throw EComponentError(Page->Name() + " is not a page of " + Name());
  TTabSheet* previous = FActivePage;
  FActivePage = Page;
  if (Page) Page->SetVisible(true);
  if (previous && previous != Page) previous->SetVisible(false);
  SelectTab();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SetTabIndex(int Value) { SetActivePage(PageOfTab(Value)); }

void TPageControl::Change() {
  SetActivePage(PageOfTab(TabIndex()));
  TCustomTabControl::Change();
}

void TPageControl::AlignControls(TControl*, TRect& Rect) {
  if (!FHandle) return;
  Rect = DisplayRect();
  for (TTabSheet* page : FPages) page->SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
}

// ---------------------------------------------------------------------------------------------
// TListColumn, TListColumns

void TListColumn::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  FOwner.FOwner.WriteColumn(Index(), false);
}

int TListColumn::Width() const {
  const TListView& view = FOwner.FOwner;
  if (view.HandleAllocated() && view.ViewStyle() == TViewStyle::vsReport)
    return static_cast<int>(view.Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  FWidth = Value;
  FOwner.FOwner.Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(Index()), MAKELPARAM(Value, 0));
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  FOwner.FOwner.WriteColumn(Index(), false);
}

void TListColumn::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  FOwner.FOwner.WriteColumn(Index(), false);
}

int TListColumn::Index() const {
  const auto& columns = FOwner.FColumns;
  return static_cast<int>(std::find_if(columns.begin(), columns.end(), [this](const auto& c) { return c.get() == this; }) -
                          columns.begin());
}

TListColumn* TListColumns::Add() {
  FColumns.push_back(std::unique_ptr<TListColumn>(new TListColumn(*this)));
  FOwner.WriteColumn(Count() - 1, true);
  return FColumns.back().get();
}

void TListColumns::Clear() {
  for (int i = Count() - 1; i >= 0; --i) FOwner.Send(LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
  FColumns.clear();
}

TListColumn* TListColumns::Items(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
  return FColumns[static_cast<size_t>(Index)].get();
}

// ---------------------------------------------------------------------------------------------
// TListItem, TListItems

TListItem::TListItem(TListItems& Owner) : FOwner(Owner), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->OnChange = [this](TObject*) { ListView().WriteSubItems(*this); };
}

TListItem::~TListItem() = default;

TListView& TListItem::ListView() const { return FOwner.Owner(); }

int TListItem::Index() const { return FOwner.IndexOf(this); }

void TListItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  ListView().WriteItemText(*this);
  ListView().SortIfSorted();
}

void TListItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  ListView().WriteItemImage(*this);
}

bool TListItem::Checked() const {
  const TListView& view = ListView();
  if (view.HandleAllocated() && view.FCheckboxes)
    return view.ItemState(Index(), LVIS_STATEIMAGEMASK) == view.CheckState(true);
  return FChecked;
}

void TListItem::SetChecked(bool Value) {
  FChecked = Value;
  TListView& view = ListView();
  if (view.FCheckboxes) view.WriteItemState(Index(), view.CheckState(Value), LVIS_STATEIMAGEMASK);
}

bool TListItem::Selected() const {
  const TListView& view = ListView();
  if (view.HandleAllocated()) return view.ItemState(Index(), LVIS_SELECTED) != 0;
  return FSelected;
}

void TListItem::SetSelected(bool Value) {
  FSelected = Value;
  ListView().WriteItemState(Index(), Value ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void TListItem::Delete() { FOwner.Delete(Index()); }

TListItem* TListItems::Add() { return Insert(Stored()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Stored()) ListIndexError(Index);
  auto item = std::unique_ptr<TListItem>(new TListItem(*this));
  TListItem* inserted = item.get();
  FItems.insert(FItems.begin() + Index, std::move(item));
  FOwner.InsertItemIntoWindow(Index);
  return inserted;
}

void TListItems::Clear() {
  FOwner.Send(LVM_DELETEALLITEMS, 0, 0);
  FItems.clear();
  FDataCount = 0;
}

int TListItems::Count() const { return FOwner.FOwnerData ? FDataCount : Stored(); }

void TListItems::SetCount(int Value) {
  if (!FOwner.FOwnerData) return;
  FDataCount = std::max(Value, 0);
  FDataIndex = -1;
  FOwner.Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FDataCount), 0);
}

TListItem& TListItems::DataItem(int Index) const {
  if (!FDataItem) FDataItem.reset(new TListItem(const_cast<TListItems&>(*this)));
  FDataItem->FCaption.clear();
  FDataItem->FImageIndex = -1;
  FDataItem->FSubItems->Clear();
  FDataIndex = Index;
  return *FDataItem;
}

void TListItems::Delete(int Index) {
  if (Index < 0 || Index >= Stored()) ListIndexError(Index);
  FOwner.Send(LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  FItems.erase(FItems.begin() + Index);
}

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
  if (!FOwner.FOwnerData) return FItems[static_cast<size_t>(Index)].get();
  TListItem& item = DataItem(Index);
  FOwner.OwnerDataFetch(&item, {TItemRequestItem::irText, TItemRequestItem::irImage});
  return &item;
}

int TListItems::IndexOf(const TListItem* Item) const {
  if (Item && Item == FDataItem.get()) return FDataIndex;
  const auto it = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& i) { return i.get() == Item; });
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

// ---------------------------------------------------------------------------------------------
// TListView

namespace {

// The extended styles the properties set.
constexpr DWORD PropertyExtendedStyles =
    LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP;

DWORD ViewStyleBits(TViewStyle Style) {
  switch (Style) {
    case TViewStyle::vsSmallIcon: return LVS_SMALLICON;
    case TViewStyle::vsList: return LVS_LIST;
    case TViewStyle::vsReport: return LVS_REPORT;
    case TViewStyle::vsIcon: break;
  }
  return LVS_ICON;
}

int ColumnFormat(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taRightJustify: return LVCFMT_RIGHT;
    case TAlignment::taCenter: return LVCFMT_CENTER;
    case TAlignment::taLeftJustify: break;
  }
  return LVCFMT_LEFT;
}

}  // namespace

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(new TListItems(*this)),
      FColumns(new TListColumns(*this)),
      FCanvas(std::make_unique<TControlCanvas>(*this)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

LRESULT TListView::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

void TListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "SysListView32";
  // The image lists belong to their components, not to the window.
  Params.Style |= ViewStyleBits(FViewStyle) | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
  if (FOwnerData) Params.Style |= LVS_OWNERDATA;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

DWORD TListView::ExtendedStyle() const {
  return (FCheckboxes ? LVS_EX_CHECKBOXES : 0) | (FRowSelect ? LVS_EX_FULLROWSELECT : 0) |
         (FGridLines ? LVS_EX_GRIDLINES : 0) | (FFullDrag ? LVS_EX_HEADERDRAGDROP : 0);
}

void TListView::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, PropertyExtendedStyles, ExtendedStyle());
  WriteColors();
  WriteImageLists();
  for (int i = 0; i < FColumns->Count(); ++i) WriteColumn(i, true);
  for (int i = 0; i < FItems->Stored(); ++i) InsertItemIntoWindow(i);
  if (FOwnerData) Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->FDataCount), 0);
}

void TListView::DestroyWnd() {
  if (FHandle) {
    // What the user changed lives in the window: keep it for the next one.
    for (int i = 0; i < FItems->Stored(); ++i) {
      TListItem& item = *FItems->FItems[static_cast<size_t>(i)];
      item.FSelected = ItemState(i, LVIS_SELECTED) != 0;
      if (FCheckboxes) item.FChecked = ItemState(i, LVIS_STATEIMAGEMASK) == CheckState(true);
    }
    if (FViewStyle == TViewStyle::vsReport)
      for (int i = 0; i < FColumns->Count(); ++i)
        FColumns->FColumns[static_cast<size_t>(i)]->FWidth =
            static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
  }
  TWinControl::DestroyWnd();
}

void TListView::SetStyleBits(DWORD Mask, DWORD Bits) {
  if (!FHandle) return;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  const LONG_PTR updated = (style & ~static_cast<LONG_PTR>(Mask)) | static_cast<LONG_PTR>(Bits);
  if (updated == style) return;
  SetWindowLongPtrW(FHandle, GWL_STYLE, updated);
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
  FViewStyle = Value;
  SetStyleBits(LVS_TYPEMASK, ViewStyleBits(Value));
}

void TListView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  SetStyleBits(LVS_SHOWSELALWAYS, Value ? 0 : LVS_SHOWSELALWAYS);
}

void TListView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  SetStyleBits(LVS_SINGLESEL, Value ? 0 : LVS_SINGLESEL);
}

void TListView::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  SetStyleBits(LVS_EDITLABELS, Value ? 0 : LVS_EDITLABELS);
}

void TListView::SetRowSelect(bool Value) {
  if (Value == FRowSelect) return;
  FRowSelect = Value;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, Value ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::SetShowColumnHeaders(bool Value) {
  if (Value == FShowColumnHeaders) return;
  FShowColumnHeaders = Value;
  SetStyleBits(LVS_NOCOLUMNHEADER, Value ? 0 : LVS_NOCOLUMNHEADER);
}

void TListView::SetGridLines(bool Value) {
  if (Value == FGridLines) return;
  FGridLines = Value;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, Value ? LVS_EX_GRIDLINES : 0);
}

void TListView::SetFullDrag(bool Value) {
  if (Value == FFullDrag) return;
  FFullDrag = Value;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, Value ? LVS_EX_HEADERDRAGDROP : 0);
}

void TListView::SetOwnerData(bool Value) {
  if (Value == FOwnerData) return;
  FOwnerData = Value;
  FItems->FDataCount = 0;
  FItems->FDataIndex = -1;
  // The system list takes the mode only when its window is made.
  RecreateWnd();
}

TListItem* TListView::ItemFocused() const {
  if (!FHandle) return nullptr;
  const auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
  return index >= 0 && index < FItems->Count() ? FItems->Item(index) : nullptr;
}

void TListView::SetItemFocused(TListItem* Value) {
  if (Value) WriteItemState(Value->Index(), LVIS_FOCUSED, LVIS_FOCUSED);
  else WriteItemState(-1, 0, LVIS_FOCUSED);
}

bool TListView::IsEditing() const { return Send(LVM_GETEDITCONTROL, 0, 0) != 0; }

bool TListView::OwnerDataFetch(TListItem*, TItemRequest) { return false; }

int TListView::OwnerDataFind(TItemFind, const String&, const TPoint&, LPARAM, int, TSearchDirection, bool) {
  return -1;
}

void TListView::Edit(const LVITEMW& Item) {
  // The new caption goes in through the item (which may re-sort the list); the window's own update
  // would land on whatever item then has the edited one's index.
  if (Item.pszText && !FOwnerData) FItems->Item(Item.iItem)->SetCaption(FromWide(Item.pszText));
}

void TListView::GetDispInfo(NMLVDISPINFOW& Info) {
  LVITEMW& lv = Info.item;
  if (!FOwnerData || lv.iItem < 0 || lv.iItem >= FItems->Count()) return;
  TItemRequest request;
  if (lv.mask & LVIF_TEXT) request.Include(TItemRequestItem::irText);
  if (lv.mask & LVIF_IMAGE) request.Include(TItemRequestItem::irImage);
  if (lv.mask & LVIF_PARAM) request.Include(TItemRequestItem::irParam);
  if (lv.mask & LVIF_STATE) request.Include(TItemRequestItem::irState);
  if (lv.mask & LVIF_INDENT) request.Include(TItemRequestItem::irIndent);
  TListItem& item = FItems->DataItem(lv.iItem);
  if (!OwnerDataFetch(&item, request)) return;
  if ((lv.mask & LVIF_TEXT) && lv.pszText && lv.cchTextMax > 0) {
    String text;
    if (lv.iSubItem == 0) text = item.FCaption;
    else if (lv.iSubItem - 1 < item.FSubItems->Count()) text = item.FSubItems->Strings(lv.iSubItem - 1);
    const WideString wide = ToWide(text);
    lstrcpynW(lv.pszText, wide.c_str(), lv.cchTextMax);
  }
  if (lv.mask & LVIF_IMAGE) lv.iImage = item.FImageIndex;
}

LRESULT TListView::FindItem(const NMLVFINDITEMW& Find) {
  const UINT flags = Find.lvfi.flags;
  TItemFind kind = TItemFind::ifData;
  if (flags & LVFI_PARTIAL) kind = TItemFind::ifPartialString;
  else if (flags & LVFI_STRING) kind = TItemFind::ifExactString;
  else if (flags & LVFI_NEARESTXY) kind = TItemFind::ifNearest;
  TSearchDirection direction = TSearchDirection::sdAll;
  switch (Find.lvfi.vkDirection) {
    case VK_LEFT: direction = TSearchDirection::sdLeft; break;
    case VK_RIGHT: direction = TSearchDirection::sdRight; break;
    case VK_UP: direction = TSearchDirection::sdAbove; break;
    case VK_DOWN: direction = TSearchDirection::sdBelow; break;
  }
  const String text = (flags & (LVFI_PARTIAL | LVFI_STRING)) && Find.lvfi.psz ? FromWide(Find.lvfi.psz) : String();
  return OwnerDataFind(kind, text, Point(Find.lvfi.pt.x, Find.lvfi.pt.y), Find.lvfi.lParam, Find.iStart, direction,
                       (flags & LVFI_WRAP) != 0);
}

bool TListView::Scroll(int DX, int DY) { return Send(LVM_SCROLL, static_cast<WPARAM>(DX), DY) != 0; }

void TListView::SetCheckboxes(bool Value) {
  if (Value == FCheckboxes) return;
  if (!Value)
    for (int i = 0; i < FItems->Stored(); ++i) FItems->FItems[static_cast<size_t>(i)]->FChecked = FItems->Item(i)->Checked();
  FCheckboxes = Value;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, Value ? LVS_EX_CHECKBOXES : 0);
  if (Value)
    for (int i = 0; i < FItems->Stored(); ++i)
      WriteItemState(i, CheckState(FItems->FItems[static_cast<size_t>(i)]->FChecked), LVIS_STATEIMAGEMASK);
}

void TListView::SetSortType(TSortType Value) {
  if (Value == FSortType) return;
  FSortType = Value;
  SortIfSorted();
}

void TListView::Loaded() {
  TWinControl::Loaded();
  SortIfSorted();
}

void TListView::SortIfSorted() {
  if (FSortType == TSortType::stText && !FOwnerData && !IsLoading(*this)) AlphaSort();
}

int CALLBACK TListView::CompareSortRanks(LPARAM Item1, LPARAM Item2, LPARAM) {
  return reinterpret_cast<const TListItem*>(Item1)->FSortRank - reinterpret_cast<const TListItem*>(Item2)->FSortRank;
}

void TListView::AlphaSort() {
  auto& items = FItems->FItems;
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return lstrcmpW(ToWide(a->FCaption).c_str(), ToWide(b->FCaption).c_str()) < 0;
  });
  if (!FHandle) return;
  // The window keeps selection, focus and checks: it reorders its items to match rather than being refilled.
  for (size_t i = 0; i < items.size(); ++i) items[i]->FSortRank = static_cast<int>(i);
  Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareSortRanks));
}

void TListView::SetLargeImages(TImageList* Value) {
  if (Value == FLargeImages) return;
  FLargeImages = Value;
  if (Value) Value->FreeNotification(this);
  WriteImageLists();
}

void TListView::SetSmallImages(TImageList* Value) {
  if (Value == FSmallImages) return;
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
  WriteImageLists();
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  // Only the loss of one of its own lists touches the window's lists: they may have been set apart.
  if (AComponent != FLargeImages && AComponent != FSmallImages) return;
  if (AComponent == FLargeImages) FLargeImages = nullptr;
  if (AComponent == FSmallImages) FSmallImages = nullptr;
  WriteImageLists();
}

void TListView::WriteImageLists() {
  if (!FHandle) return;
  Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages ? FLargeImages->Handle() : nullptr));
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages ? FSmallImages->Handle() : nullptr));
}

void TListView::WriteColors() {
  if (!FHandle) return;
  // clNone lets whatever is drawn before the items show through their background.
  const COLORREF background = Color() == clNone ? CLR_NONE : ColorToRGB(Color());
  Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
  Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
  Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

void TListView::ColorChanged() {
  TWinControl::ColorChanged();
  WriteColors();
}

void TListView::FontChanged() {
  TWinControl::FontChanged();
  WriteColors();
}

void TListView::WriteColumn(int Index, bool Insert) {
  if (!FHandle) return;
  const TListColumn& column = *FColumns->FColumns[static_cast<size_t>(Index)];
  WideString text = ToWide(column.FCaption);
  LVCOLUMNW lv{};
  // An update leaves the width the user may have dragged the column to.
  lv.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | LVCF_IMAGE | (Insert ? LVCF_WIDTH : 0);
  lv.fmt = ColumnFormat(column.FAlignment) | (column.FImageIndex >= 0 ? LVCFMT_IMAGE : 0);
  lv.iImage = column.FImageIndex;
  lv.cx = column.FWidth;
  lv.pszText = text.data();
  lv.iSubItem = Index;
  Send(Insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&lv));
}

UINT TListView::CheckState(bool Checked) const { return INDEXTOSTATEIMAGEMASK(Checked ? 2 : 1); }

void TListView::InsertItemIntoWindow(int Index) {
  // An owner-data window asks for texts and pictures itself.
  if (!FHandle || FOwnerData) return;
  TListItem& item = *FItems->FItems[static_cast<size_t>(Index)];
  WideString text = ToWide(item.FCaption);
  LVITEMW lv{};
  lv.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  lv.iItem = Index;
  lv.pszText = text.data();
  lv.lParam = reinterpret_cast<LPARAM>(&item);
  lv.iImage = item.FImageIndex;
  lv.stateMask = LVIS_SELECTED;
  lv.state = item.FSelected ? LVIS_SELECTED : 0;
  Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv));
  // A new item of a list with check boxes starts unchecked whatever it is given: the check comes after.
  if (FCheckboxes) WriteItemState(Index, CheckState(item.FChecked), LVIS_STATEIMAGEMASK);
  item.FSubItemsShown = 0;
  WriteSubItems(item);
}

void TListView::WriteItemText(const TListItem& Item) {
  // An owner-data window asks for texts and pictures itself.
  if (!FHandle || FOwnerData) return;
  WideString text = ToWide(Item.FCaption);
  LVITEMW lv{};
  lv.iSubItem = 0;
  lv.pszText = text.data();
  Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(Item.Index()), reinterpret_cast<LPARAM>(&lv));
}

void TListView::WriteItemImage(const TListItem& Item) {
  // An owner-data window asks for texts and pictures itself.
  if (!FHandle || FOwnerData) return;
  LVITEMW lv{};
  lv.mask = LVIF_IMAGE;
  lv.iItem = Item.Index();
  lv.iImage = Item.FImageIndex;
  Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
}

void TListView::WriteSubItems(TListItem& Item) {
  // An owner-data window asks for texts and pictures itself.
  if (!FHandle || FOwnerData) return;
  const int index = Item.Index();
  if (index < 0) return;  // still being made
  const int count = Item.FSubItems->Count();
  // Texts of sub-items that are gone are emptied too.
  for (int i = 0; i < std::max(count, Item.FSubItemsShown); ++i) {
    WideString text = i < count ? ToWide(Item.FSubItems->Strings(i)) : WideString();
    LVITEMW lv{};
    lv.iSubItem = i + 1;
    lv.pszText = text.data();
    Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lv));
  }
  Item.FSubItemsShown = count;
}

void TListView::WriteItemState(int Index, UINT State, UINT Mask) {
  if (!FHandle) return;
  LVITEMW lv{};
  lv.stateMask = Mask;
  lv.state = State;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&lv));
}

UINT TListView::ItemState(int Index, UINT Mask) const {
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(Index), Mask));
}

int TListView::ItemIndex() const {
  if (FHandle) return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
  for (int i = 0; i < FItems->Stored(); ++i)
    if (FItems->FItems[static_cast<size_t>(i)]->FSelected) return i;
  return -1;
}

void TListView::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  for (int i = 0; i < FItems->Stored(); ++i) FItems->FItems[static_cast<size_t>(i)]->FSelected = i == Value;
  if (!FHandle) return;
  WriteItemState(-1, 0, LVIS_SELECTED);  // -1: every item
  if (Value < 0) return;
  WriteItemState(Value, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(Value), FALSE);
}

TListItem* TListView::Selected() const {
  const int index = ItemIndex();
  return index >= 0 ? FItems->Item(index) : nullptr;
}

void TListView::DeleteSelected() {
  for (int i = FItems->Stored() - 1; i >= 0; --i)
    if (FItems->Item(i)->Selected()) FItems->Delete(i);
}

LRESULT TListView::CustomDraw(const NMLVCUSTOMDRAW& Draw) {
  if (Draw.nmcd.dwDrawStage != CDDS_PREPAINT || !OnCustomDraw) return CDRF_DODEFAULT;
  bool defaultDraw = true;
  {
    TCanvasDCScope scope(*FCanvas, Draw.nmcd.hdc);
    FCanvas->SetFont(Font());
    FCanvas->SetBrush(Brush());
    OnCustomDraw(this, Draw.nmcd.rc, defaultDraw);
  }
  return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
}

void TListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
      case NM_CLICK:
        Click();
        return;
      case NM_CUSTOMDRAW:
        Message.Result = CustomDraw(*reinterpret_cast<const NMLVCUSTOMDRAW*>(Message.LParam));
        return;
      case LVN_ENDLABELEDITW:
        Edit(reinterpret_cast<const NMLVDISPINFOW*>(Message.LParam)->item);
        Message.Result = FALSE;
        return;
      case LVN_GETDISPINFOW:
        GetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(Message.LParam));
        return;
      case LVN_ODFINDITEMW:
        Message.Result = FindItem(*reinterpret_cast<const NMLVFINDITEMW*>(Message.LParam));
        return;
      case LVN_ITEMCHANGED:
        if (OnChange) OnChange(this);
        return;
    }
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TPositionRange

bool TPositionRange::SetMin(int Value, bool Loading) {
  if (Value == FMin) return false;
  FMin = Value;
  if (Loading) return false;
  FMax = std::max(FMax, FMin);
  FPosition = Clamped(FPosition);
  return true;
}

bool TPositionRange::SetMax(int Value, bool Loading) {
  if (Value == FMax) return false;
  FMax = Value;
  if (Loading) return false;
  FMin = std::min(FMin, FMax);
  FPosition = Clamped(FPosition);
  return true;
}

void TPositionRange::Settle() {
  FMax = std::max(FMax, FMin);
  FPosition = Clamped(FPosition);
}

int TPositionRange::Clamped(int Value) const { return std::clamp(Value, FMin, FMax); }

// ---------------------------------------------------------------------------------------------
// TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "msctls_trackbar32";
  Params.Style |= TBS_AUTOTICKS | (FOrientation == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  WriteRange();
}

void TTrackBar::WriteRange() {
  if (!FHandle) return;
  SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FRange.Min());
  SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, FRange.Max());
  SendMessageW(FHandle, TBM_SETPOS, TRUE, FRange.Position());
}

void TTrackBar::SetMin(int Value) {
  if (FRange.SetMin(Value, IsLoading(*this))) WriteRange();
}

void TTrackBar::SetMax(int Value) {
  if (FRange.SetMax(Value, IsLoading(*this))) WriteRange();
}

void TTrackBar::SetPosition(int Value) {
  if (IsLoading(*this)) {
    FRange.SetPosition(Value);
    return;
  }
  Value = FRange.Clamped(Value);
  if (Value == FRange.Position()) return;
  FRange.SetPosition(Value);
  if (FHandle) SendMessageW(FHandle, TBM_SETPOS, TRUE, Value);
  Changed();
}

void TTrackBar::Loaded() {
  TWinControl::Loaded();
  FRange.Settle();
  WriteRange();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (!IsLoading(*this)) SetBounds(Left(), Top(), Height(), Width());
  // The orientation of a track bar is fixed when its window is made.
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

void TTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    const int position = static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    if (position != FRange.Position()) {
      FRange.SetPosition(position);
      Changed();
    }
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "msctls_progress32";
}

void TProgressBar::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  WriteRange();
}

void TProgressBar::WriteRange() {
  if (!FHandle) return;
  SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FRange.Min()), FRange.Max());
  SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FRange.Position()), 0);
}

void TProgressBar::SetMin(int Value) {
  if (FRange.SetMin(Value, IsLoading(*this))) WriteRange();
}

void TProgressBar::SetMax(int Value) {
  if (FRange.SetMax(Value, IsLoading(*this))) WriteRange();
}

void TProgressBar::SetPosition(int Value) {
  if (!IsLoading(*this)) Value = FRange.Clamped(Value);
  if (Value == FRange.Position()) return;
  FRange.SetPosition(Value);
  if (FHandle) SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::Loaded() {
  TWinControl::Loaded();
  FRange.Settle();
  WriteRange();
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterComControls(TClassRegistry& Registry) {
  Registry.Register<TImageList>("TImageList", "TComponent")
      .Integer("Width", &TImageList::SetWidth)
      .Integer("Height", &TImageList::SetHeight)
      .Integer("AllocBy", &TImageList::SetAllocBy)
      .Color("BkColor", &TImageList::SetBkColor);
  Registry.Register<TCustomTabControl>("TCustomTabControl", "TWinControl")
      .Boolean("MultiLine", &TCustomTabControl::SetMultiLine)
      .Enum("TabPosition", &TCustomTabControl::SetTabPosition,
            {{"tpTop", TTabPosition::tpTop}, {"tpBottom", TTabPosition::tpBottom}, {"tpLeft", TTabPosition::tpLeft},
             {"tpRight", TTabPosition::tpRight}})
      .Enum("Style", &TCustomTabControl::SetStyle,
            {{"tsTabs", TTabStyle::tsTabs}, {"tsButtons", TTabStyle::tsButtons},
             {"tsFlatButtons", TTabStyle::tsFlatButtons}})
      .Boolean("HotTrack", &TCustomTabControl::SetHotTrack)
      .Boolean("RaggedRight", &TCustomTabControl::SetRaggedRight)
      .Boolean("ScrollOpposite", &TCustomTabControl::SetScrollOpposite)
      .Boolean("OwnerDraw", &TCustomTabControl::SetOwnerDraw)
      .Integer("TabHeight", &TCustomTabControl::SetTabHeight)
      .Integer("TabWidth", &TCustomTabControl::SetTabWidth)
      .Reference("Images", &TCustomTabControl::SetImages)
      .Integer("TabIndex", &TCustomTabControl::SetTabIndex)
      .Event("OnChange", &TCustomTabControl::OnChange)
      .Event("OnChanging", &TCustomTabControl::OnChanging);
  Registry.Register<TTabControl>("TTabControl", "TCustomTabControl")
      .Custom("Tabs.Strings", [](TTabControl& tabs, const TFormValue& v, TReadContext&) {
        TStringList lines;
        for (const String& line : formvalue::ToStrings(v)) lines.Add(line);
        tabs.SetTabs(lines);
      });
  Registry.Register<TTabSheet>("TTabSheet", "TWinControl")
      .Reference("PageControl", &TTabSheet::SetPageControl)
      .Boolean("TabVisible", &TTabSheet::SetTabVisible)
      .Integer("ImageIndex", &TTabSheet::SetImageIndex)
      .Event("OnShow", &TTabSheet::OnShow)
      .Event("OnHide", &TTabSheet::OnHide);
  Registry.Register<TPageControl>("TPageControl", "TCustomTabControl")
      .Reference("ActivePage", &TPageControl::SetActivePage);
  Registry.Register<TListView>("TListView", "TWinControl")
      .Enum("ViewStyle", &TListView::SetViewStyle,
            {{"vsIcon", TViewStyle::vsIcon}, {"vsSmallIcon", TViewStyle::vsSmallIcon}, {"vsList", TViewStyle::vsList},
             {"vsReport", TViewStyle::vsReport}})
      .Enum("SortType", &TListView::SetSortType, {{"stNone", TSortType::stNone}, {"stText", TSortType::stText}})
      .Boolean("HideSelection", &TListView::SetHideSelection)
      .Boolean("Checkboxes", &TListView::SetCheckboxes)
      .Boolean("ReadOnly", &TListView::SetReadOnly)
      .Boolean("RowSelect", &TListView::SetRowSelect)
      .Boolean("MultiSelect", &TListView::SetMultiSelect)
      .Boolean("ShowColumnHeaders", &TListView::SetShowColumnHeaders)
      .Boolean("GridLines", &TListView::SetGridLines)
      .Boolean("FullDrag", &TListView::SetFullDrag)
      .Reference("LargeImages", &TListView::SetLargeImages)
      .Reference("SmallImages", &TListView::SetSmallImages)
      .Event("OnCustomDraw", &TListView::OnCustomDraw)
      .Custom("Columns", [](TListView& view, const TFormValue& v, TReadContext&) {
        if (v.kind != TFormValue::Kind::Collection) throw EReadError("a collection is expected");
        view.Columns().Clear();
        for (const TFormItem& item : v.Collection) {
          TListColumn* column = view.Columns().Add();
          for (const TFormProperty& property : item.Properties) {
            if (SameName(property.Name, "Caption")) {
              column->SetCaption(formvalue::ToText(property.Value));
            } else if (SameName(property.Name, "Width")) {
              column->SetWidth(formvalue::ToInteger(property.Value));
            } else if (SameName(property.Name, "ImageIndex")) {
              column->SetImageIndex(formvalue::ToInteger(property.Value));
            } else if (SameName(property.Name, "Alignment")) {
              const String& name = formvalue::ToIdent(property.Value);
              const auto it = std::find_if(AlignmentNames.begin(), AlignmentNames.end(),
                                           [&name](const auto& entry) { return SameName(entry.first, name); });
              if (it == AlignmentNames.end()) throw EReadError("invalid value " + name);
              column->SetAlignment(it->second);
            } else {
              throw EReadError("unknown property " + property.Name + " of a column");
            }
          }
        }
      });
  Registry.Register<TTrackBar>("TTrackBar", "TWinControl")
      .Integer("Min", &TTrackBar::SetMin)
      .Integer("Max", &TTrackBar::SetMax)
      .Integer("Position", &TTrackBar::SetPosition)
      .Enum("Orientation", &TTrackBar::SetOrientation,
            {{"trHorizontal", TTrackBarOrientation::trHorizontal}, {"trVertical", TTrackBarOrientation::trVertical}})
      .Event("OnChange", &TTrackBar::OnChange);
  Registry.Register<TProgressBar>("TProgressBar", "TWinControl")
      .Integer("Min", &TProgressBar::SetMin)
      .Integer("Max", &TProgressBar::SetMax)
      .Integer("Position", &TProgressBar::SetPosition);
}

}  // namespace classlib
