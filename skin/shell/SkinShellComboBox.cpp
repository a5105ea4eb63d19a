#include "skin/shell/SkinShellComboBox.h"

#include "platform/classlib/ComObj.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinFileListView.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

using TOwnedIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

// The system image list of small icons; the list is the system's and is never destroyed here.
HIMAGELIST SmallSystemImageList() {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// Runs Step with Flag on, and turns it off however Step ends.
template <class F>
void WithFlag(bool& Flag, F&& Step) {
  Flag = true;
  try {
    Step();
  } catch (...) {
    Flag = false;
    throw;
  }
  Flag = false;
}

// Runs Step inside an update of Items, ended however Step ends.
template <class F>
void InUpdate(TCollection& Items, F&& Step) {
  Items.BeginUpdate();
  try {
    Step();
  } catch (...) {
    Items.EndUpdate();
    throw;
  }
  Items.EndUpdate();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskItemEx, TskItemsEx

TskItemEx::TskItemEx(TCollection* Collection) : TCollectionItem(Collection) {}

TskItemEx::~TskItemEx() = default;

void TskItemEx::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TskItemEx*>(&Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (source == this) return;
  FCaption = source->FCaption;
  FIndent = source->FIndent;
  FImageIndex = source->FImageIndex;
  FSelectedImageIndex = source->FSelectedImageIndex;
  // A folder object belongs to one entry: the copy names the same item through an object of its own.
  FFolder = source->FFolder ? FolderFromAbsoluteID(source->FFolder->AbsoluteID()) : nullptr;
}

TskItemEx* TskItemsEx::AddItem(const String& Caption, int ImageIndex, int SelectedImageIndex, int Indent,
                               std::unique_ptr<TskShellFolder> Folder) {
  TskItemEx* item = Add();
  item->SetCaption(Caption);
  item->SetImageIndex(ImageIndex);
  item->SetSelectedImageIndex(SelectedImageIndex);
  item->SetIndent(Indent);
  item->SetFolder(std::move(Folder));
  return item;
}

std::unique_ptr<TCollectionItem> TskItemsEx::CreateItem() { return std::make_unique<TskItemEx>(nullptr); }

// ---------------------------------------------------------------------------------------------
// TskCustomShellComboBox

TskCustomShellComboBox::TskCustomShellComboBox(TComponent* AOwner)
    : TskSkinCustomComboBox(AOwner), FImageList(SmallSystemImageList()) {
  SetUseShellImages(true);
  SetListBoxDrawItem([this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                            TOwnerDrawState State) { DrawItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); });
  OnComboBoxDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                              TOwnerDrawState State) { ComboDrawItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); };
}

TskCustomShellComboBox::~TskCustomShellComboBox() {
  // The entries' objects go before the root object their parent chains lead to.
  FItemsEx.Clear();
}

void TskCustomShellComboBox::SetItemsEx(const TskItemsEx& Value) { FItemsEx.Assign(Value); }

void TskCustomShellComboBox::SetUseShellImages(bool Value) {
  FUseShellImages = Value;
  FImageWidth = FImageHeight = 16;
  if (Value && FImageList) ImageList_GetIconSize(FImageList, &FImageWidth, &FImageHeight);
}

void TskCustomShellComboBox::CreateWnd() {
  TskSkinCustomComboBox::CreateWnd();
  SetUseShellImages(FUseShellImages);
  if (FItemsEx.Count() == 0) CreateRoot();
  CheckItems();
}

void TskCustomShellComboBox::DestroyWnd() {
  ClearItemsEx();
  TskSkinCustomComboBox::DestroyWnd();
}

void TskCustomShellComboBox::Loaded() {
  TskSkinCustomComboBox::Loaded();
  CreateRoot();
}

void TskCustomShellComboBox::ClearItemsEx() {
  FItemsEx.Clear();
  CheckItems();
}

void TskCustomShellComboBox::CheckItems() {
  TStrings& items = Items();
  items.BeginUpdate();
  try {
    items.Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i) items.Add(FItemsEx[i]->Caption());
  } catch (...) {
    items.EndUpdate();
    throw;
  }
  items.EndUpdate();
}

void TskCustomShellComboBox::CreateRoot() {
  if (ComponentState().Contains(TComponentStateItem::csLoading)) return;
  InUpdate(FItemsEx, [this] {
    // The new root is made before the entries go, so that a bad Root leaves them as they were.
    std::unique_ptr<TskShellFolder> root;
    ReplaceRootFolder(root, FPreviousRoot, FRoot);
    ClearItemsEx();
    FRootFolder = std::move(root);
    auto entry = std::make_unique<TskShellFolder>(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
    const int image = GetShellImageIndex(entry.get());
    const String caption = entry->DisplayName();
    FItemsEx.AddItem(caption, image, image, 0, std::move(entry));
    Init();
    CheckItems();
    SetItemIndex(0);
  });
  if (FUseShellImages) {
    SetUseShellImages(false);
    SetUseShellImages(true);
  }
}

void TskCustomShellComboBox::Init() {
  InUpdate(FItemsEx, [this] {
    AddItemsEx(0, FRootFolder.get());
    if (FRoot != "rfDesktop") return;
    LPITEMIDLIST drives = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) || !drives) return;
    const TOwnedIDList owned(drives);
    const int index = IndexFromID(owned.get());
    if (index >= 0) AddItemsEx(index, FItemsEx[index]->Folder());
  });
}

void TskCustomShellComboBox::AddItemsEx(int Index, TskShellFolder* Parent) {
  if (!Parent || !Parent->ShellFolder()) return;
  IShellFolder* folder = Parent->ShellFolder();
  TComRef<IEnumIDList> enumerator;
  OleCheck(folder->EnumObjects(nullptr, EnumerationFlags(FObjectTypes), enumerator.Put()));
  // S_FALSE without an enumerator: nothing to list.
  if (!enumerator) return;
  std::vector<TOwnedIDList> lists;
  LPITEMIDLIST list = nullptr;
  ULONG fetched = 0;
  while (enumerator->Next(1, &list, &fetched) == S_OK && fetched == 1) lists.emplace_back(list);
  // A stable merge never reads outside the range, whatever order the folder answers.
  std::stable_sort(lists.begin(), lists.end(), [folder](const TOwnedIDList& A, const TOwnedIDList& B) {
    return static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, A.get(), B.get()))) < 0;
  });
  InUpdate(FItemsEx, [&] {
    for (size_t k = 0; k < lists.size(); ++k) InsertEntry(Index + 1 + static_cast<int>(k), InitItem(Parent, lists[k].get()));
  });
}

std::unique_ptr<TskShellFolder> TskCustomShellComboBox::InitItem(TskShellFolder* Parent, LPCITEMIDLIST RelativeID) {
  TComRef<IShellFolder> folder = BindShellFolder(Parent->ShellFolder(), RelativeID, nullptr);
  return std::make_unique<TskShellFolder>(Parent, RelativeID, folder.Get());
}

void TskCustomShellComboBox::InsertEntry(int Index, std::unique_ptr<TskShellFolder> Folder) {
  TskItemEx* item = FItemsEx.Insert(Index);
  const int image = GetShellImageIndex(Folder.get());
  item->SetCaption(Folder->DisplayName());
  item->SetIndent(Folder->Depth());
  item->SetImageIndex(image);
  item->SetSelectedImageIndex(image);
  item->SetFolder(std::move(Folder));
}

int TskCustomShellComboBox::IndexFromID(LPCITEMIDLIST AbsoluteID) const {
  for (int i = FItemsEx.Count() - 1; i >= 0; --i) {
    const TskShellFolder* folder = FItemsEx[i]->Folder();
    if (folder && SameItemIDList(AbsoluteID, folder->AbsoluteID())) return i;
  }
  return -1;
}

TskShellFolder* TskCustomShellComboBox::GetFolder(int Index) const {
  if (Index < 0 || FItemsEx.Count() == 0) return nullptr;
  return FItemsEx[std::min(Index, FItemsEx.Count() - 1)]->Folder();
}

int TskCustomShellComboBox::GetShellImageIndex(const TskShellFolder* Folder) const {
  if (!FUseShellImages || !Folder) return -1;
  return ShellImageIndex(Folder->AbsoluteID(), false, false);
}

void TskCustomShellComboBox::SetPathFromID(LPCITEMIDLIST AbsoluteID) {
  InUpdate(FItemsEx, [&] {
    CreateRoot();
    std::vector<LPITEMIDLIST> ancestors = AncestorIDLists(AbsoluteID);
    try {
      int i = -1;
      size_t j = ancestors.size();
      while (j-- > 0) {
        i = IndexFromID(ancestors[j]);
        if (i >= 0) break;
      }
      if (i >= 0) {
        for (size_t a = j + 1; a < ancestors.size(); ++a) {
          const TOwnedIDList last(LastItemID(ancestors[a]));
          InsertEntry(i + 1, InitItem(FItemsEx[i]->Folder(), last.get()));
          ++i;
        }
        int k = IndexFromID(AbsoluteID);
        if (k < 0) {
          const TOwnedIDList last(LastItemID(AbsoluteID));
          InsertEntry(i + 1, InitItem(FItemsEx[i]->Folder(), last.get()));
          k = i + 1;
        }
        CheckItems();
        SetItemIndex(k);
      }
    } catch (...) {
      FreeIDLists(ancestors);
      throw;
    }
    FreeIDLists(ancestors);
  });
}

void TskCustomShellComboBox::SetPath(const String& Path) {
  LPITEMIDLIST list = nullptr;
  WideString text = ToWide(Path);
  const HRESULT result = GetDesktopShellFolder()->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, &list, nullptr);
  if (FAILED(result) || !list) throw EInvalidPath(Format("Error setting path: \"%s\"", Path));
  const TOwnedIDList owned(list);
  try {
    SetPathFromID(owned.get());
  } catch (const EOleSysError&) {
    throw EInvalidPath(Format("Error setting path: \"%s\"", Path));
  }
}

String TskCustomShellComboBox::GetPath() const {
  const int index = ItemIndex();
  if (index < 0 || index >= FItemsEx.Count() || !FItemsEx[index]->Folder()) return "";
  return FItemsEx[index]->Folder()->PathName();
}

void TskCustomShellComboBox::TreeUpdate(LPCITEMIDLIST AbsoluteID) {
  if (FUpdating) return;
  const TskShellFolder* selected = ItemIndex() >= 0 ? GetFolder(ItemIndex()) : nullptr;
  if (selected && SameItemIDList(selected->AbsoluteID(), AbsoluteID)) return;
  WithFlag(FUpdating, [&] { SetPathFromID(AbsoluteID); });
}

void TskCustomShellComboBox::SetRoot(const TRoot& Value) {
  if (SameText(Value, FRoot)) return;
  FPreviousRoot = FRoot;
  FRoot = Value;
  RootChanged();
}

void TskCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value) {
  FObjectTypes = Value;
  RootChanged();
}

void TskCustomShellComboBox::RootChanged() {
  WithFlag(FUpdating, [this] {
    CreateRoot();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
  });
}

void TskCustomShellComboBox::Change() {
  if (FItemsEx.UpdateCount() > 0) return;
  TskSkinCustomComboBox::Change();
  const int index = ItemIndex();
  if (index < 0 || FUpdating || IsPopupVisible()) return;
  TskShellFolder* folder = GetFolder(index);
  if (!folder) return;
  WithFlag(FUpdating, [&] {
    if (FTreeView) FTreeView->SetPathFromID(folder->AbsoluteID());
    if (FListView) FListView->TreeUpdate(folder->AbsoluteID());
  });
}

void TskCustomShellComboBox::SetListView(TskCustomShellListView* Value) {
  // The view links back through this setter while it is being linked: the flag ends the round.
  if (FLinking || Value == FListView) return;
  WithFlag(FLinking, [&] {
    if (TskCustomShellListView* old = FListView) {
      // A view that is replaced no longer drives this combo box.
      old->RemoveFreeNotification(this);
      if (old->ShellComboBox() == this) old->SetComboBox(nullptr);
    }
    FListView = nullptr;
    if (Value) {
      Value->SetRoot(FRoot);
      Value->SetComboBox(this);
      Value->FreeNotification(this);
    }
    FListView = Value;
  });
}

void TskCustomShellComboBox::SetTreeView(TskCustomShellTreeView* Value) {
  if (FLinking || Value == FTreeView) return;
  WithFlag(FLinking, [&] {
    if (TskCustomShellTreeView* old = FTreeView) {
      old->RemoveFreeNotification(this);
      if (old->ShellComboBox() == this) old->SetComboBox(nullptr);
    }
    FTreeView = nullptr;
    if (Value) {
      Value->SetRoot(FRoot);
      Value->SetComboBox(this);
      Value->FreeNotification(this);
    }
    FTreeView = Value;
  });
}

void TskCustomShellComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomComboBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FListView) FListView = nullptr;
  if (Operation == TOperation::opRemove && AComponent == FTreeView) FTreeView = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskCustomShellComboBox::DrawEntry(TCanvas& Cnvs, int Index, TRect R, int Offset) {
  if (Index < 0 || Index >= FItemsEx.Count()) return;
  const TskItemEx& item = *FItemsEx[Index];
  const int height = R.bottom - R.top;
  if (FImageList) {
    ImageList_DrawEx(FImageList, item.ImageIndex(), Cnvs.Handle(), R.left + Offset,
                     R.top + (height - FImageHeight) / 2, FImageWidth, FImageHeight, CLR_NONE, CLR_NONE, ILD_NORMAL);
    R.left += FImageWidth + Offset + 4;
  }
  Cnvs.TextOut(R.left, R.top + height / 2 - Cnvs.TextHeight("Wg") / 2, item.Caption());
}

void TskCustomShellComboBox::DrawItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  const int indent = Index >= 0 && Index < FItemsEx.Count() ? FItemsEx[Index]->Indent() : 0;
  DrawEntry(Cnvs, Index, TxtRect, indent * FImageWidth / 2);
}

void TskCustomShellComboBox::ComboDrawItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  DrawEntry(Cnvs, Index, TxtRect, 0);
}

}  // namespace skin
