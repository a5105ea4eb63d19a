#include "skin/shell/SkinFileListView.h"

#include "platform/classlib/ComObj.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Masks.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/data/ResourceStrData.h"
#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinShellComboBox.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace skin {

using namespace classlib;

namespace {

using TOwnedIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

// Raises a flag for one scope, also when an exception passes.
class TFlagScope {
public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

// The hourglass and no repainting while a folder is read; both undone also when an exception passes.
class TFillScope {
public:
  explicit TFillScope(HWND Window) : FCursor(Screen->Cursor()) {
    // Only a shown window is told: a hidden one would be shown by the system when drawing comes back.
    if (Window && IsWindowVisible(Window)) {
      FWindow = Window;
      SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0);
    }
    Screen->SetCursor(crHourGlass);
  }
  ~TFillScope() {
    Screen->SetCursor(FCursor);
    if (!FWindow) return;
    SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FWindow, nullptr, TRUE);
  }
  TFillScope(const TFillScope&) = delete;
  TFillScope& operator=(const TFillScope&) = delete;

private:
  TCursor FCursor;
  HWND FWindow = nullptr;
};

// An item's name in its folder on disk. A file-system item carries it in its list, which the
// shell reads back without going to the disk; the folder's parsing name serves any other item.
String FileSystemName(IShellFolder* Folder, LPCITEMIDLIST Item) {
  WIN32_FIND_DATAW data{};
  if (SUCCEEDED(SHGetDataFromIDListW(Folder, Item, SHGDFIL_FINDDATA, &data, sizeof data)) && data.cFileName[0])
    return FromWide(data.cFileName);
  return DisplayNameOf(Folder, Item, SHGDN_INFOLDER | SHGDN_FORPARSING);
}

HIMAGELIST SystemImageList(UINT Size) {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | Size));
}

// The mask's parts that can let a file through: split at ";" and "|", only those holding a ".".
std::vector<TMask> MaskParts(const String& Mask) {
  std::vector<TMask> parts;
  size_t start = 0;
  while (start <= Mask.size()) {
    const size_t end = std::min(Mask.find_first_of(";|", start), Mask.size());
    const String part = Mask.substr(start, end - start);
    if (part.find('.') != String::npos) parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

// The built-in report columns of a folder without detail columns of its own.
struct TBuiltInColumn {
  const char* Key;
  const char* Title;
  TAlignment Alignment;
  int Characters;
};
constexpr TBuiltInColumn kBuiltInColumns[] = {
    {"FLV_NAME", "Name", TAlignment::taLeftJustify, 25},
    {"FLV_SIZE", "Size", TAlignment::taRightJustify, 10},
    {"FLV_TYPE", "Type", TAlignment::taLeftJustify, 10},
    {"FLV_MODIFIED", "Modified", TAlignment::taLeftJustify, 14},
};

}  // namespace

TskCustomShellListView::TskCustomShellListView(TComponent* AOwner) : TskSkinCustomListView(AOwner) {
  SetOwnerData(true);
  SetReadOnly(true);
  FSmallImages = SystemImageList(SHGFI_SMALLICON);
  FLargeImages = SystemImageList(SHGFI_LARGEICON);
  SetHideSelection(false);
}

TskCustomShellListView::~TskCustomShellListView() {
  // The notifier goes first: no change may reach a view that is half gone.
  delete FNotifier;
  ClearItems();
}

bool TskCustomShellListView::Loading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

bool TskCustomShellListView::Destroying() const {
  return ComponentState().Contains(TComponentStateItem::csDestroying);
}

// ---------------------------------------------------------------------------------------------
// The window and the component's life

void TskCustomShellListView::CreateHandleDone() {
  TskSkinCustomListView::CreateHandleDone();
  // The system's lists are shared by every view of the process: the view never destroys them.
  SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages));
  SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages));
  CreateRoot();
  RootChanged();
}

void TskCustomShellListView::DestroyWnd() {
  ClearItems();
  TskSkinCustomListView::DestroyWnd();
}

void TskCustomShellListView::Loaded() {
  TskSkinCustomListView::Loaded();
  Populate();
  SetAutoRefresh(FAutoRefresh);
}

void TskCustomShellListView::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomListView::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FNotifier) FNotifier = nullptr;
  if (AComponent == FShellComboBox) FShellComboBox = nullptr;
  if (AComponent == FShellTreeView) FShellTreeView = nullptr;
}

void TskCustomShellListView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
    case WM_MEASUREITEM:
      ForwardContextMenuMessage(Message);
      break;
  }
  TskSkinCustomListView::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskCustomShellListView::SetRoot(const TRoot& Value) {
  if (SameText(Value, FRoot)) return;
  FOldRoot = FRoot;
  FRoot = Value;
  CreateRoot();
  FSettingRoot = true;
  RootChanged();
}

void TskCustomShellListView::CreateRoot() {
  // Made apart first: a bad Root leaves the shown folder and its items as they were.
  std::unique_ptr<TskShellFolder> root;
  ReplaceRootFolder(root, FOldRoot, FRoot);
  // The listed objects point to the old root: they go before it does.
  ClearItems();
  FRootFolder = std::move(root);
}

void TskCustomShellListView::SetMask(const String& Value) {
  if (Value == FMask) return;
  FMask = Value;
  RootChanged();
}

void TskCustomShellListView::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  RootChanged();
}

void TskCustomShellListView::SetObjectTypes(TShellObjectTypes Value) {
  FObjectTypes = Value;
  if (!Loading()) RootChanged();
}

void TskCustomShellListView::SetAutoRefresh(bool Value) {
  FAutoRefresh = Value;
  if (Loading()) return;
  delete FNotifier;
  FNotifier = nullptr;
  // Without a folder there is nothing to watch yet: the next RootChanged applies the value again.
  if (!Value || !FRootFolder) return;
  FNotifier = new TskShellChangeNotifier(this);
  FNotifier->SetWatchSubTree(false);
  FNotifier->SetRoot(FRootFolder->PathName());
  FNotifier->SetOnChange([this] { Refresh(); });
}

void TskCustomShellListView::SetComboBox(TskCustomShellComboBox* Value) {
  // The combo box links back through its own setter: that call finds the link being made.
  if (FLinking || Value == FShellComboBox) return;
  TFlagScope linking(FLinking);
  TskCustomShellComboBox* const old = FShellComboBox;
  FShellComboBox = Value;
  if (old) {
    old->RemoveFreeNotification(this);
    if (old->ShellListView() == this) old->SetListView(nullptr);
  }
  if (!Value) return;
  Value->SetRoot(FRoot);
  Value->FreeNotification(this);
  if (Value->ShellListView() != this) Value->SetListView(this);
}

void TskCustomShellListView::SetTreeView(TskCustomShellTreeView* Value) {
  // The tree links back through its own setter: that call finds the link being made.
  if (FLinking || Value == FShellTreeView) return;
  TFlagScope linking(FLinking);
  TskCustomShellTreeView* const old = FShellTreeView;
  FShellTreeView = Value;
  if (old) {
    old->RemoveFreeNotification(this);
    if (old->ShellListView() == this) old->SetListView(nullptr);
  }
  if (!Value) return;
  Value->SetRoot(FRoot);
  Value->FreeNotification(this);
  if (Value->ShellListView() != this) Value->SetListView(this);
}

void TskCustomShellListView::SetViewStyle(TViewStyle Value) {
  TskSkinCustomListView::SetViewStyle(Value);
  if (Value == TViewStyle::vsReport) EnumColumns();
}

// ---------------------------------------------------------------------------------------------
// The shown folder

String TskCustomShellListView::GetPath() const { return FRootFolder ? FRootFolder->PathName() : String(); }

void TskCustomShellListView::SetPath(const String& Value) {
  const String error = Format("Error setting path: \"%s\"", Value);
  try {
    WideString path = ToWide(Value);
    LPITEMIDLIST list = nullptr;
    const HRESULT result =
        GetDesktopShellFolder()->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, &list, nullptr);
    const TOwnedIDList owned(list);
    OleCheck(result);
    if (!list) throw EInvalidPath(error);
    SetPathFromID(list);
  } catch (const EOleSysError&) {
    throw EInvalidPath(error);
  }
}

void TskCustomShellListView::SetPathFromID(LPCITEMIDLIST ID) {
  if (FUpdating) return;
  if (FRootFolder && SameItemIDList(FRootFolder->AbsoluteID(), ID)) return;
  // The list may belong to a listed object, which goes with the items.
  const TOwnedIDList list(CopyItemIDList(ID));
  ClearItems();
  FRootFolder.reset();
  FSettingRoot = false;
  FRootFolder = FolderFromAbsoluteID(list.get());
  RootChanged();
  if (OnPathChange) OnPathChange(this);
}

void TskCustomShellListView::TreeUpdate(LPCITEMIDLIST ID) {
  if (FUpdating || (FRootFolder && SameItemIDList(FRootFolder->AbsoluteID(), ID))) return;
  SetPathFromID(ID);
}

void TskCustomShellListView::Back() {
  if (!FRootFolder) return;
  const TOwnedIDList parent(CopyItemIDList(FRootFolder->AbsoluteID()));
  StripLastItemID(parent.get());
  SetPathFromID(parent.get());
}

void TskCustomShellListView::Refresh() {
  // A change reported while the view is being filled is in the fill already.
  if (!FRootFolder || FUpdating) return;
  const int index = ItemIndex();
  SetItemIndex(-1);
  const TOwnedIDList shown(CopyItemIDList(FRootFolder->AbsoluteID()));
  ClearItems();
  FRootFolder.reset();
  SetPathFromID(shown.get());
  if (index >= 0 && index < Items().Count()) SetItemIndex(index);
}

void TskCustomShellListView::RootChanged() {
  if (FUpdating) return;
  TFlagScope updating(FUpdating);
  const bool autoRefresh = FAutoRefresh;
  SetAutoRefresh(false);
  try {
    SynchPaths();
    // The system list reworks every row for each column it is given: the columns come while it is empty.
    ClearItems();
    if (ViewStyle() == TViewStyle::vsReport) EnumColumns();
    Populate();
  } catch (...) {
    SetAutoRefresh(autoRefresh);
    throw;
  }
  SetAutoRefresh(autoRefresh);
}

void TskCustomShellListView::SynchPaths() {
  // A new Root reaches the combo box the other way (its Root travels to the view), never from here.
  if (FSettingRoot) {
    if (FShellTreeView) FShellTreeView->SetRoot(FRoot);
  } else if (FRootFolder) {
    if (FShellTreeView) FShellTreeView->SetPathFromID(FRootFolder->AbsoluteID());
    if (FShellComboBox) FShellComboBox->TreeUpdate(FRootFolder->AbsoluteID());
  }
  FSettingRoot = false;
}

// ---------------------------------------------------------------------------------------------
// The items

void TskCustomShellListView::ClearItems() {
  if (!Destroying()) Items().SetCount(0);
  FFolders.clear();
}

void TskCustomShellListView::Populate() {
  // A view read from a form before its root exists has nothing to list yet.
  if (!FRootFolder || (Loading() && !HandleAllocated())) return;
  TFillScope fill(FHandle);
  ClearItems();
  IShellFolder* const folder = FRootFolder->ShellFolder();
  if (!folder) return;
  TComRef<IEnumIDList> enumerator;
  if (folder->EnumObjects(Application->Handle(), EnumerationFlags(FObjectTypes), enumerator.Put()) != S_OK ||
      !enumerator)
    return;
  const std::vector<TMask> parts = MaskParts(FMask);
  std::vector<TSortEntry> order;  // what the sort goes by, item by item
  LPITEMIDLIST next = nullptr;
  while (enumerator->Next(1, &next, nullptr) == S_OK) {
    const TOwnedIDList item(next);
    // The folder's own answers about its item: the desktop would have to resolve the whole path.
    ULONG attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    LPCITEMIDLIST items[] = {item.get()};
    if (FAILED(folder->GetAttributesOf(1, items, &attributes))) attributes = 0;
    String name;
    if (attributes & SFGAO_FILESYSTEM) name = FileSystemName(folder, item.get());
    // A compressed archive the shell opens as a folder counts as a file.
    const bool isFolder = (attributes & SFGAO_FOLDER) && UpperCase(ExtractFileExt(name)) != ".ZIP";
    // Only what the shell calls a folder has a folder interface to bind; asking for the files' would
    // cost four failing shell calls each.
    TComRef<IShellFolder> bound;
    if (attributes & SFGAO_FOLDER) bound = BindShellFolder(folder, item.get(), nullptr);
    auto object = std::make_unique<TskShellFolder>(FRootFolder.get(), item.get(), bound.Get());
    bool canAdd = isFolder || std::any_of(parts.begin(), parts.end(), [&](const TMask& M) { return M.Matches(name); });
    if (OnAddFolder) OnAddFolder(this, object.get(), canAdd);
    if (canAdd) {
      if (FSorted) order.push_back({isFolder, (attributes & SFGAO_FOLDER) != 0, AnsiSortKeyText(name), FFolders.size()});
      FFolders.push_back({std::move(object), isFolder, String(), false});
    }
  }
  if (FSorted) SortFolders(std::move(order));
  Items().SetCount(static_cast<int>(FFolders.size()));
}

void TskCustomShellListView::SortFolders(std::vector<TSortEntry> Entries) {
  IShellFolder* const folder = FRootFolder->ShellFolder();
  const auto shellOrder = [folder](const TListed& A, const TListed& B) {
    if (A.IsFolder != B.IsFolder) return A.IsFolder;
    const HRESULT order = folder->CompareIDs(0, A.Folder->RelativeID(), B.Folder->RelativeID());
    return static_cast<short>(HRESULT_CODE(order)) < 0;
  };
  // Every comparison of a sort would be a shell call. The shell puts its folders before its files
  // and orders each by name as the locale does, without regard to case: the items are put in that
  // order first and the shell is asked only to confirm it, one call for each pair of neighbours. An
  // order it does not confirm (a shell comparing in some other way) is sorted by the shell after all.
  std::stable_sort(Entries.begin(), Entries.end(), [](const TSortEntry& A, const TSortEntry& B) {
    if (A.IsFolder != B.IsFolder) return A.IsFolder;
    if (A.ShellFolder != B.ShellFolder) return A.ShellFolder;
    return A.Key < B.Key;
  });
  std::vector<TListed> sorted;
  sorted.reserve(FFolders.size());
  for (const TSortEntry& entry : Entries) sorted.push_back(std::move(FFolders[entry.Index]));
  FFolders = std::move(sorted);
  // A merge sort asks the shell fewer times than a quick sort.
  if (!std::is_sorted(FFolders.begin(), FFolders.end(), shellOrder))
    std::stable_sort(FFolders.begin(), FFolders.end(), shellOrder);
}

TskShellFolder* TskCustomShellListView::GetFolder(int Index) const {
  if (Index < 0 || Index >= FolderCount()) throw EListError(Format("List index out of bounds (%d)", Index));
  return FFolders[static_cast<size_t>(Index)].Folder.get();
}

const String& TskCustomShellListView::ItemName(int Index) {
  TListed& listed = FFolders[static_cast<size_t>(Index)];
  if (!listed.HasName) {
    listed.Name = listed.Folder->DisplayName();
    listed.HasName = true;
  }
  return listed.Name;
}

int TskCustomShellListView::ItemImage(int Index) {
  TListed& listed = FFolders[static_cast<size_t>(Index)];
  const bool large = ViewStyle() == TViewStyle::vsIcon;
  if (listed.Image < 0 || listed.LargeImage != large) {
    listed.Image = listed.Folder->ImageIndex(large);
    listed.LargeImage = large;
  }
  return listed.Image;
}

TskShellFolder* TskCustomShellListView::SelectedFolder() const {
  const int index = ItemIndex();
  return index >= 0 && index < FolderCount() ? GetFolder(index) : nullptr;
}

String TskCustomShellListView::GetSelectedFile() const {
  const TskShellFolder* selected = SelectedFolder();
  return selected && !selected->IsFolder() ? selected->FullObjectName() : String();
}

void TskCustomShellListView::GetSelectedFiles(TStrings& Files) const {
  Files.Clear();
  if (!FHandle) return;
  int index = -1;
  while ((index = static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                                MAKELPARAM(LVNI_SELECTED, 0)))) >= 0) {
    if (index >= FolderCount()) break;
    const TskShellFolder* folder = GetFolder(index);
    if (!folder->IsFolder()) Files.Add(folder->FullObjectName());
  }
}

bool TskCustomShellListView::OwnerDataFetch(TListItem* Item, TItemRequest Request) {
  const int index = Item->Index();
  if (index < 0 || index >= FolderCount()) return true;
  TskShellFolder& folder = *GetFolder(index);
  if (Request.Contains(TItemRequestItem::irText)) Item->SetCaption(ItemName(index));
  if (Request.Contains(TItemRequestItem::irImage)) Item->SetImageIndex(ItemImage(index));
  if (ViewStyle() == TViewStyle::vsReport && Request.Contains(TItemRequestItem::irText) && !FColumnNumbers.empty()) {
    // Each column shows its own detail of the folder's, whatever titles were left out before it.
    folder.LoadColumnDetails(*FRootFolder, FHandle, *std::max_element(FColumnNumbers.begin(), FColumnNumbers.end()));
    for (const int number : FColumnNumbers) Item->SubItems().Add(folder.GetDetails(number));
  }
  return true;
}

int TskCustomShellListView::OwnerDataFind(TItemFind Find, const String& FindString, const TPoint&, LPARAM,
                                          int StartIndex, TSearchDirection, bool Wrap) {
  if (Find != TItemFind::ifPartialString && Find != TItemFind::ifExactString) return -1;
  const int count = FolderCount();
  if (count == 0) return -1;
  // The list asks from the item after the current one, which is past the end after the last one.
  int index = StartIndex >= 0 && StartIndex < count ? StartIndex : 0;
  const String wanted = AnsiUpperCase(FindString);
  for (int examined = 0; examined < count; ++examined) {
    if (AnsiUpperCase(ItemName(index)).rfind(wanted, 0) == 0) return index;
    if (++index == count) {
      if (!Wrap) break;
      index = 0;
    }
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// The report columns

void TskCustomShellListView::EnumColumns() {
  if (!FRootFolder || !FRootFolder->ShellFolder()) return;
  TStringList titles;
  titles.SetCaseSensitive(false);
  Columns().Clear();
  FColumnNumbers.clear();
  FRootFolder->ViewWindow = FHandle;
  Canvas().SetFont(Font());
  const int charWidth = Canvas().TextWidth("X");
  if (IShellFolder2* folder2 = FRootFolder->GetShellFolder2()) {
    bool seenDefault = false;
    for (int column = 0;; ++column) {
      SHELLDETAILS details{};
      if (FAILED(folder2->GetDetailsOf(nullptr, static_cast<UINT>(column), &details))) break;
      SHCOLSTATEF state = 0;
      if (FAILED(folder2->GetDefaultColumnState(static_cast<UINT>(column), &state))) state = 0;
      const bool shownByDefault = state & SHCOLSTATE_ONBYDEFAULT;
      seenDefault = seenDefault || shownByDefault;
      if (seenDefault && !shownByDefault) {
        StrRetToText(nullptr, details.str);
        break;
      }
      AddColumn(details, column, titles, charWidth);
    }
  } else if (IShellDetails* details = FRootFolder->GetShellDetails()) {
    for (int column = 0;; ++column) {
      SHELLDETAILS answer{};
      if (FAILED(details->GetDetailsOf(nullptr, static_cast<UINT>(column), &answer))) break;
      if (!AddColumn(answer, column, titles, charWidth)) break;
    }
  } else {
    AddBuiltInColumns(FRootFolder->Properties().Contains(TskShellFolderProperty::fpFileSystem) ? 4 : 1, charWidth);
  }
}

bool TskCustomShellListView::AddColumn(SHELLDETAILS& Details, int Number, TStringList& Titles, int CharWidth) {
  // A title in the offset form refers to an item, and there is none: it reads as empty.
  const String title = StrRetToText(nullptr, Details.str);
  if (title.empty()) return true;
  if (Titles.IndexOf(title) >= 0) return false;
  TListColumn* column = Columns().Add();
  column->SetCaption(title);
  switch (Details.fmt) {
    case LVCFMT_RIGHT: column->SetAlignment(TAlignment::taRightJustify); break;
    case LVCFMT_CENTER: column->SetAlignment(TAlignment::taCenter); break;
    default: break;
  }
  column->SetWidth(Details.cxChar * CharWidth);
  if (Columns().Count() > 1) FColumnNumbers.push_back(Number);
  Titles.Add(title);
  return true;
}

void TskCustomShellListView::AddBuiltInColumns(int Count, int CharWidth) {
  const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
  for (int k = 0; k < Count; ++k) {
    const TBuiltInColumn& builtIn = kBuiltInColumns[k];
    TListColumn* column = Columns().Add();
    column->SetCaption(strings ? strings->GetResStr(builtIn.Key) : String(builtIn.Title));
    column->SetAlignment(builtIn.Alignment);
    column->SetWidth(builtIn.Characters * CharWidth);
    if (k > 0) FColumnNumbers.push_back(k);
  }
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys, menus and renaming

void TskCustomShellListView::DblClick() {
  if (FAutoNavigate)
    if (const TskShellFolder* selected = SelectedFolder(); selected && selected->IsFolder())
      SetPathFromID(selected->AbsoluteID());
  TskSkinCustomListView::DblClick();
}

void TskCustomShellListView::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomListView::KeyDown(Key, Shift);
  if (!FAutoNavigate) return;
  switch (Key) {
    case VK_BACK:
      if (!IsEditing()) Back();
      break;
    case VK_RETURN:
      if (Shift.Contains(TShiftStateItem::ssAlt)) {
        InvokeVerb(SelectedFolder(), "properties");
        Key = 0;
      } else if (const TskShellFolder* selected = SelectedFolder(); selected && selected->IsFolder()) {
        SetPathFromID(selected->AbsoluteID());
      }
      break;
    case VK_F5:
      Refresh();
      break;
  }
}

void TskCustomShellListView::DoContextPopup(const TPoint& MousePos, bool& Handled) {
  TskShellFolder* selected = SelectedFolder();
  if (!FAutoContextMenus || !selected) {
    TskSkinCustomListView::DoContextPopup(MousePos, Handled);
    return;
  }
  TPoint at = MousePos;
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the selected item.
    RECT r{};
    r.left = LVIR_ICON;
    SendMessageW(FHandle, LVM_GETITEMRECT, static_cast<WPARAM>(ItemIndex()), reinterpret_cast<LPARAM>(&r));
    at = Point(r.left, r.bottom);
  }
  InvokeContextMenu(*this, selected, at.x, at.y);
  Handled = true;
}

void TskCustomShellListView::ExecuteCommand(const String& Verb, bool& Handled) {
  if (SameText(Verb, "rename")) {
    EditText();
    Handled = true;
  } else if (SameText(Verb, "open")) {
    EnterOpenedItemFolder(SelectedFolder(), FSavedDirectory);
  }
}

void TskCustomShellListView::CommandCompleted(const String& Verb, bool Succeeded) {
  if (SameText(Verb, "open")) RestoreOpenedItemFolder(FSavedDirectory);
  if (Succeeded && (SameText(Verb, "delete") || SameText(Verb, "paste"))) Refresh();
}

void TskCustomShellListView::EditText() {
  const int index = ItemIndex();
  if (index < 0 || !FHandle) return;
  if (!Focused()) SetFocus();
  // Wine's list edits labels only with the editing style, which a read-only view lacks: it has the
  // style for this one edit.
  FStyleLentForEdit = !(GetWindowLongPtrW(FHandle, GWL_STYLE) & LVS_EDITLABELS);
  if (FStyleLentForEdit) SetWindowLongPtrW(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) | LVS_EDITLABELS);
  if (!SendMessageW(FHandle, LVM_EDITLABELW, static_cast<WPARAM>(index), 0)) ReturnLentStyle();
}

void TskCustomShellListView::ReturnLentStyle() {
  if (!FStyleLentForEdit || !FHandle) return;
  FStyleLentForEdit = false;
  SetWindowLongPtrW(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_EDITLABELS));
}

void TskCustomShellListView::Edit(const LVITEMW& Item) {
  ReturnLentStyle();
  if (Item.iItem < 0 || Item.iItem >= FolderCount() || !Item.pszText) return;
  GetFolder(Item.iItem)->Rename(ToWide(FromWide(Item.pszText)));
  // A new extension can bring a new icon.
  TListed& renamed = FFolders[static_cast<size_t>(Item.iItem)];
  renamed.HasName = false;
  renamed.Image = -1;
  SendMessageW(FHandle, LVM_REDRAWITEMS, static_cast<WPARAM>(Item.iItem), Item.iItem);
  // A renamed folder may be below the tree's selected node, which shows the old name.
  if (FShellTreeView && FShellTreeView->Selected()) FShellTreeView->Refresh(FShellTreeView->Selected());
}

}  // namespace skin
