#include "skin/shell/SkinDirTreeView.h"

#include "platform/classlib/ComObj.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinShellComboBox.h"

#include <shellapi.h>

#include <cstring>

namespace skin {

using namespace classlib;

namespace {

using TOwnedIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

// A node whose icons the shell has not been asked for yet: they are fetched when the node is drawn.
constexpr int ImageNotFetched = -2;

// Sets a flag for one scope and gives it its previous value back, also when an exception passes.
class TValueScope {
public:
  TValueScope(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { FFlag = Value; }
  ~TValueScope() { FFlag = FOld; }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

// The hourglass and no repainting of the nodes for one scope.
class TNodeUpdateScope {
public:
  explicit TNodeUpdateScope(TTreeNodes& Nodes) : FNodes(Nodes), FCursor(Screen->Cursor()) {
    Screen->SetCursor(crHourGlass);
    FNodes.BeginUpdate();
  }
  ~TNodeUpdateScope() {
    FNodes.EndUpdate();
    Screen->SetCursor(FCursor);
  }
  TNodeUpdateScope(const TNodeUpdateScope&) = delete;
  TNodeUpdateScope& operator=(const TNodeUpdateScope&) = delete;

private:
  TTreeNodes& FNodes;
  TCursor FCursor;
};

// The shell's list of small icons, shared by the process: the tree never destroys it.
HIMAGELIST SmallSystemImageList() {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// The message a rename posts to itself: the renamed node is read again once the edit has ended.
constexpr UINT CM_REFRESHRENAMED = WM_APP + 0x2A1;

}  // namespace

TskCustomShellTreeView::TskCustomShellTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner) {
  SetShowRoot(false);
  SetRightClickSelect(true);
  FImageList = SmallSystemImageList();
  // The icons stand on the tree's own background.
  if (FImageList) ImageList_SetBkColor(FImageList, CLR_NONE);
  // Idle until AutoRefresh gives it a folder and a handler.
  FNotifier = new TskShellChangeNotifier(this);
}

TskCustomShellTreeView::~TskCustomShellTreeView() {
  // The notifier goes first: no change may reach a tree that is half gone.
  delete FNotifier;
  FNotifier = nullptr;
  ClearItems();
}

bool TskCustomShellTreeView::Loading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

bool TskCustomShellTreeView::Destroying() const {
  return ComponentState().Contains(TComponentStateItem::csDestroying);
}

TskShellFolder* TskCustomShellTreeView::NodeFolder(const TTreeNode* Node) {
  return Node ? static_cast<TskShellFolder*>(Node->Data()) : nullptr;
}

LPITEMIDLIST TskCustomShellTreeView::NodeAbsoluteID(const TTreeNode* Node) {
  const TskShellFolder* folder = NodeFolder(Node);
  return folder ? CopyItemIDList(folder->AbsoluteID()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// The window and the component's life

void TskCustomShellTreeView::CreateHandleDone() {
  TskSkinCustomTreeView::CreateHandleDone();
  if (Items().Count() > 0) ClearItems();
  if (!Images()) SetUseShellImages(FUseShellImages);
  if (FLoadingRoot) return;
  CreateRoot();
  if (FPath.empty()) return;
  try {
    SetPath(FPath);
  } catch (const EInvalidPath&) {
    // The folder went while the window was away: the tree shows its root rather than no window.
  }
}

void TskCustomShellTreeView::DestroyWnd() {
  ClearItems();
  TskSkinCustomTreeView::DestroyWnd();
}

void TskCustomShellTreeView::Loaded() {
  TskSkinCustomTreeView::Loaded();
  CreateRoot();
}

void TskCustomShellTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomTreeView::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FNotifier) FNotifier = nullptr;
  if (AComponent == FShellListView) FShellListView = nullptr;
  if (AComponent == FShellComboBox) FShellComboBox = nullptr;
}

void TskCustomShellTreeView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
      // These belong to the shell's menu while one is open, and to nobody else here.
      ForwardContextMenuMessage(Message);
      Message.Result = 0;
      return;
    case TVM_SETIMAGELIST:
      if (Message.WParam == TVSIL_NORMAL && !FImageListChanging) {
        // Whoever sets the list, the tree shows its own choice.
        TValueScope changing(FImageListChanging, true);
        Message.Result = Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ChosenImageList()));
        return;
      }
      break;
    case CM_REFRESHRENAMED:
      if (const TOwnedIDList renamed = std::move(FRenamedID))
        if (TTreeNode* node = NodeFromAbsoluteID(Items().GetFirstNode(), renamed.get())) RefreshRenamed(node);
      return;
  }
  TskSkinCustomTreeView::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskCustomShellTreeView::SetRoot(const TRoot& Value) {
  if (SameText(Value, FRoot)) return;
  FOldRoot = FRoot;
  FRoot = Value;
  RootChanged();
}

void TskCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value) {
  FObjectTypes = Value;
  RootChanged();
}

HIMAGELIST TskCustomShellTreeView::ChosenImageList() const {
  if (Images()) return Images()->Handle();
  return FUseShellImages ? FImageList : nullptr;
}

void TskCustomShellTreeView::SetUseShellImages(bool Value) {
  FUseShellImages = Value;
  // The window procedure puts the chosen list in place of whatever this carries.
  if (HandleAllocated()) Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
}

void TskCustomShellTreeView::SetAutoRefresh(bool Value) {
  FAutoRefresh = Value;
  if (Loading()) return;
  delete FNotifier;
  FNotifier = nullptr;
  if (!Value) return;
  const TskShellFolder* watched = FNodeToMonitor ? NodeFolder(FNodeToMonitor) : FRootFolder.get();
  // Without a folder there is nothing to watch yet: the next selection applies the value again.
  if (!watched) return;
  FNotifier = new TskShellChangeNotifier(this);
  FNotifier->SetWatchSubTree(false);
  FNotifier->SetRoot(watched->PathName());
  FNotifier->SetOnChange([this] { RefreshEvent(); });
}

void TskCustomShellTreeView::SetListView(TskCustomShellListView* Value) {
  // The list view links back through its own setter: that call finds the link being made.
  if (FLinking || Value == FShellListView) return;
  TValueScope linking(FLinking, true);
  TskCustomShellListView* const old = FShellListView;
  FShellListView = Value;
  if (old) {
    old->RemoveFreeNotification(this);
    if (old->ShellTreeView() == this) old->SetTreeView(nullptr);
  }
  if (!Value) return;
  Value->SetRoot(FRoot);
  Value->FreeNotification(this);
  if (Value->ShellTreeView() != this) Value->SetTreeView(this);
}

void TskCustomShellTreeView::SetComboBox(TskCustomShellComboBox* Value) {
  if (FLinking || Value == FShellComboBox) return;
  TValueScope linking(FLinking, true);
  TskCustomShellComboBox* const old = FShellComboBox;
  FShellComboBox = Value;
  if (old) {
    old->RemoveFreeNotification(this);
    if (old->ShellTreeView() == this) old->SetTreeView(nullptr);
  }
  if (!Value) return;
  Value->SetRoot(FRoot);
  Value->FreeNotification(this);
  if (Value->ShellTreeView() != this) Value->SetTreeView(this);
}

// ---------------------------------------------------------------------------------------------
// The root and the nodes

void TskCustomShellTreeView::RootChanged() {
  if (FUpdating) return;
  TValueScope updating(FUpdating, true);
  CreateRoot();
  if (FShellListView) FShellListView->SetRoot(FRoot);
}

void TskCustomShellTreeView::CreateRoot() {
  if (Loading()) return;
  String error;
  try {
    ReplaceRootFolder(FRootFolder, FOldRoot, FRoot);
  } catch (const Exception& E) {
    // The tree is rebuilt from the previous root before the error is told.
    error = E.Message();
  }
  if (FRootFolder) {
    TValueScope loading(FLoadingRoot, true);
    ClearItems();
    TTreeNode* node = Items().AddChild(nullptr, "");
    node->SetData(new TskShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder()));
    node->SetText(DisplayNameOf(GetDesktopShellFolder().Get(), FRootFolder->AbsoluteID(), SHGDN_NORMAL));
    if (FUseShellImages && !Images()) {
      node->SetImageIndex(ImageNotFetched);
      node->SetSelectedIndex(ImageNotFetched);
    }
    node->SetHasChildren(NodeFolder(node)->SubFolders());
    node->Expand(false);
    node->SetSelected(true);
  }
  if (!error.empty()) throw Exception(error);
}

void TskCustomShellTreeView::ClearItems() {
  Items().BeginUpdate();
  Items().Clear();
  Items().EndUpdate();
}

void TskCustomShellTreeView::Delete(TTreeNode* Node) {
  delete NodeFolder(Node);
  Node->SetData(nullptr);
  if (Node == FNodeToMonitor) FNodeToMonitor = nullptr;
  TskSkinCustomTreeView::Delete(Node);
}

bool TskCustomShellTreeView::HasItems(IShellFolder* Folder) const {
  // A drive without a disc must not bring up the system's question.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  bool any = false;
  TComRef<IEnumIDList> enumerator;
  if (Folder->EnumObjects(Application->Handle(), EnumerationFlags(FObjectTypes), enumerator.Put()) == S_OK &&
      enumerator) {
    LPITEMIDLIST first = nullptr;
    any = enumerator->Next(1, &first, nullptr) == S_OK;
    FreeItemIDList(first);
  }
  SetErrorMode(oldMode);
  return any;
}

void TskCustomShellTreeView::InitNode(TTreeNode* NewNode, LPCITEMIDLIST ID, TTreeNode* ParentNode) {
  TskShellFolder* parent = NodeFolder(ParentNode);
  IShellFolder* const parentFolder = parent ? parent->ShellFolder() : nullptr;
  // One question to the folder about its item: whether it is a folder (only a folder has a folder
  // interface to bind; asking for a file's costs four failing shell calls) and has sub-folders.
  ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
  LPCITEMIDLIST items[] = {ID};
  if (!parentFolder || FAILED(parentFolder->GetAttributesOf(1, items, &attributes))) attributes = SFGAO_FOLDER;
  TComRef<IShellFolder> bound;
  if (attributes & SFGAO_FOLDER) bound = BindShellFolder(parentFolder, ID, nullptr);
  auto* folder = new TskShellFolder(parent, ID, bound.Get());
  NewNode->SetData(folder);
  NewNode->SetText(folder->DisplayName());
  if (FUseShellImages && !Images()) {
    NewNode->SetImageIndex(ImageNotFetched);
    NewNode->SetSelectedIndex(ImageNotFetched);
  }
  bool children = (attributes & SFGAO_HASSUBFOLDER) != 0;
  if (FObjectTypes.Contains(TShellObjectType::otNonFolders) && folder->ShellFolder())
    children = HasItems(folder->ShellFolder());
  NewNode->SetHasChildren(children);
  bool canAdd = true;
  if (OnAddFolder) OnAddFolder(this, folder, canAdd);
  if (!canAdd) NewNode->Delete();
}

void TskCustomShellTreeView::FetchImages(TTreeNode* Node) {
  const TskShellFolder* folder = NodeFolder(Node);
  if (!folder) return;
  const int closed = ShellImageIndex(folder->AbsoluteID(), false, false);
  int open = ShellImageIndex(folder->AbsoluteID(), false, true);
  if (open == 0) open = closed;
  Node->SetImageIndex(closed);
  Node->SetSelectedIndex(open);
}

void TskCustomShellTreeView::GetImageIndex(TTreeNode* Node) {
  if (Images()) {
    TskSkinCustomTreeView::GetImageIndex(Node);
    return;
  }
  if (Node->ImageIndex() == ImageNotFetched) FetchImages(Node);
}

void TskCustomShellTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (Images()) {
    TskSkinCustomTreeView::GetSelectedIndex(Node);
    return;
  }
  if (Node->SelectedIndex() == ImageNotFetched) FetchImages(Node);
}

void TskCustomShellTreeView::PopulateNode(TTreeNode* Node) {
  TskShellFolder* folder = NodeFolder(Node);
  if (!folder || !folder->ShellFolder()) return;
  TNodeUpdateScope update(Items());
  TComRef<IEnumIDList> enumerator;
  try {
    if (folder->ShellFolder()->EnumObjects(Application->Handle(), EnumerationFlags(FObjectTypes), enumerator.Put()) !=
            S_OK ||
        !enumerator)
      return;
  } catch (const std::exception&) {
    // A folder that cannot be read stays without children, as one whose answer is a failure.
    return;
  }
  LPITEMIDLIST next = nullptr;
  while (enumerator->Next(1, &next, nullptr) == S_OK) {
    const TOwnedIDList item(next);
    InitNode(Items().AddChild(Node, ""), item.get(), Node);
  }
  IShellFolder* const shellFolder = folder->ShellFolder();
  Node->CustomSort([shellFolder](TTreeNode* A, TTreeNode* B) {
    const HRESULT order = shellFolder->CompareIDs(0, NodeFolder(A)->RelativeID(), NodeFolder(B)->RelativeID());
    return static_cast<int>(static_cast<short>(HRESULT_CODE(order)));
  });
}

bool TskCustomShellTreeView::CanExpand(TTreeNode* Node) {
  if (ComponentState().Contains(TComponentStateItem::csDesigning) && Node->Level() > 0) return true;
  const bool result = TskSkinCustomTreeView::CanExpand(Node);
  if (!result) return false;
  if (TskShellFolder* folder = NodeFolder(Node)) {
    if (folder->IsFolder()) {
      if (Node->HasChildren() && Node->Count() == 0) PopulateNode(Node);
    } else {
      // A compressed archive the shell shows as a folder is opened by the shell instead.
      const String path = folder->PathName();
      ShellExecuteW(FHandle, nullptr, ToWide(path).c_str(), nullptr, ToWide(ExtractFilePath(path)).c_str(), SW_HIDE);
    }
  }
  Node->SetHasChildren(Node->Count() > 0);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Finding and selecting folders

TskShellFolder* TskCustomShellTreeView::GetFolder(int Index) const {
  return Index >= 0 && Index < Items().Count() ? NodeFolder(Items().Item(Index)) : nullptr;
}

TskShellFolder* TskCustomShellTreeView::SelectedFolder() const { return NodeFolder(Selected()); }

String TskCustomShellTreeView::GetPath() const {
  const TskShellFolder* selected = SelectedFolder();
  return selected ? selected->PathName() : String();
}

TTreeNode* TskCustomShellTreeView::FolderExists(LPCITEMIDLIST ID, TTreeNode* StartNode) const {
  if (!StartNode) return nullptr;
  const int level = StartNode->Level();
  for (TTreeNode* node = StartNode; node && (node == StartNode || node->Level() > level); node = node->GetNext())
    if (const TskShellFolder* folder = NodeFolder(node); folder && SameItemIDList(folder->AbsoluteID(), ID))
      return node;
  return nullptr;
}

TTreeNode* TskCustomShellTreeView::NodeFromAbsoluteID(TTreeNode* StartNode, LPCITEMIDLIST ID) const {
  for (TTreeNode* node = StartNode; node; node = node->GetNext())
    if (const TskShellFolder* folder = NodeFolder(node); folder && SameItemIDList(folder->AbsoluteID(), ID))
      return node;
  return nullptr;
}

TTreeNode* TskCustomShellTreeView::NodeFromRelativeID(TTreeNode* ParentNode, LPCITEMIDLIST ID) const {
  const TskShellFolder* parent = NodeFolder(ParentNode);
  if (!parent || !parent->ShellFolder()) return nullptr;
  for (int i = 0; i < ParentNode->Count(); ++i) {
    TTreeNode* child = ParentNode->Item(i);
    if (const TskShellFolder* folder = NodeFolder(child);
        folder && HRESULT_CODE(parent->ShellFolder()->CompareIDs(0, folder->RelativeID(), ID)) == 0)
      return child;
  }
  return nullptr;
}

void TskCustomShellTreeView::SetPathFromID(LPCITEMIDLIST ID) {
  // While the tree moves its linked views, their answers must not move it back.
  if (FLoadingRoot || FUpdating) return;
  if (const TskShellFolder* selected = SelectedFolder(); selected && SameItemIDList(selected->AbsoluteID(), ID)) return;
  // The list may belong to a linked view's object, which a change of the views could free.
  const TOwnedIDList wanted(CopyItemIDList(ID));
  TValueScope updating(FUpdating, true);
  TNodeUpdateScope update(Items());
  TTreeNode* node = Items().GetFirstNode();
  std::vector<LPITEMIDLIST> ancestors = AncestorIDLists(wanted.get());
  try {
    for (LPITEMIDLIST ancestor : ancestors)
      if (TTreeNode* found = FolderExists(ancestor, node)) {
        found->Expand(false);
        node = found;
      }
  } catch (...) {
    FreeIDLists(ancestors);
    throw;
  }
  FreeIDLists(ancestors);
  TTreeNode* target = FolderExists(wanted.get(), node);
  SetSelected(target);
  if (!target) return;
  if (FShellListView) FShellListView->TreeUpdate(NodeFolder(target)->AbsoluteID());
  if (FShellComboBox) FShellComboBox->TreeUpdate(NodeFolder(target)->AbsoluteID());
}

void TskCustomShellTreeView::SetPath(const String& Value) {
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
  if (TTreeNode* selected = Selected()) {
    selected->Expand(false);
    CanChange(selected);
  }
  FPath = Value;
}

void TskCustomShellTreeView::ExpandMyComputer() {
  LPITEMIDLIST drives = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) || !drives) return;
  const TOwnedIDList owned(drives);
  SetPathFromID(owned.get());
  if (TTreeNode* selected = Selected()) selected->Expand(false);
}

bool TskCustomShellTreeView::CanChange(TTreeNode* Node) {
  const bool result = TskSkinCustomTreeView::CanChange(Node);
  if (!result || FUpdating || !Node || Destroying()) return result;
  TskShellFolder* folder = NodeFolder(Node);
  if (folder && !folder->IsFolder() && folder->ParentFolder()) folder = folder->ParentFolder();
  const bool autoRefresh = FAutoRefresh;
  SetAutoRefresh(false);
  // The notifier watches the node being selected once the links have followed, also when they fail.
  struct TWatchAgain {
    TskCustomShellTreeView& Tree;
    TTreeNode* Node;
    bool AutoRefresh;
    ~TWatchAgain() {
      Tree.FNodeToMonitor = Node;
      Tree.SetAutoRefresh(AutoRefresh);
      Tree.FNodeToMonitor = nullptr;
    }
  } watchAgain{*this, Node, autoRefresh};
  if (folder) {
    TValueScope updating(FUpdating, true);
    if (FShellComboBox) FShellComboBox->TreeUpdate(folder->AbsoluteID());
    if (FShellListView) FShellListView->TreeUpdate(folder->AbsoluteID());
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Refreshing

void TskCustomShellTreeView::RefreshEvent() {
  if (TTreeNode* selected = Selected()) Refresh(selected);
}

void TskCustomShellTreeView::Refresh(TTreeNode* Node) {
  TskShellFolder* const old = NodeFolder(Node);
  if (!old || !old->ShellFolder()) return;
  const TOwnedIDList top(NodeAbsoluteID(TopItem()));
  const TOwnedIDList selected(NodeAbsoluteID(Selected()));
  {
    // The selection wanders while the old subtree goes; the linked views follow only where it ends.
    TValueScope updating(FUpdating, true);
    TNodeUpdateScope update(Items());
    TTreeNode* fresh = Items().Insert(Node, "");
    auto* folder = new TskShellFolder(Node->Parent() ? NodeFolder(Node->Parent()) : nullptr, old->RelativeID(),
                                      old->ShellFolder());
    fresh->SetData(folder);
    PopulateNode(fresh);
    if (FUseShellImages && !Images()) {
      fresh->SetImageIndex(ImageNotFetched);
      fresh->SetSelectedIndex(ImageNotFetched);
    }
    fresh->SetHasChildren(folder->SubFolders() || fresh->Count() > 0);
    fresh->SetText(folder->DisplayName());
    // The new subtree opens where the old one was open, parents before their children.
    const int level = Node->Level();
    for (TTreeNode* walked = Node; walked && (walked == Node || walked->Level() > level); walked = walked->GetNext())
      if (walked->Expanded())
        if (TTreeNode* same = FolderExists(NodeFolder(walked)->AbsoluteID(), fresh)) same->Expand(false);
    Node->Delete();
  }
  if (selected) SetSelected(FolderExists(selected.get(), Items().GetFirstNode()));
  if (top) SetTopItem(FolderExists(top.get(), Items().GetFirstNode()));
}

// The folder interface bound before the rename still reads the old folder: the node gets an object
// bound anew, then its subtree is read again.
void TskCustomShellTreeView::RefreshRenamed(TTreeNode* Node) {
  // The old object goes last: the children's objects name it as their parent until they go.
  const std::unique_ptr<TskShellFolder> old(NodeFolder(Node));
  const TComRef<IShellFolder> parentFolder = old->ParentShellFolder();
  const TComRef<IShellFolder> bound = BindShellFolder(parentFolder.Get(), old->RelativeID(), nullptr);
  Node->SetData(new TskShellFolder(NodeFolder(Node->Parent()), old->RelativeID(), bound.Get()));
  Refresh(Node);
}

// ---------------------------------------------------------------------------------------------
// Menus, verbs and renaming

void TskCustomShellTreeView::DoContextPopup(const TPoint& MousePos, bool& Handled) {
  if (const auto* menu = dynamic_cast<const TPopupMenu*>(PopupMenu()); !FAutoContextMenus || (menu && menu->AutoPopup())) {
    TskSkinCustomTreeView::DoContextPopup(MousePos, Handled);
    return;
  }
  TPoint at = MousePos;
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the selected node.
    at = Point(0, 0);
    if (const TTreeNode* selected = Selected(); selected && selected->ItemId()) {
      // The message takes the item in the rectangle it fills.
      RECT r{};
      const HTREEITEM item = selected->ItemId();
      std::memcpy(&r, &item, sizeof item);
      if (SendMessageW(FHandle, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) at = Point(r.left, r.bottom);
    }
  }
  InvokeContextMenu(*this, SelectedFolder(), at.x, at.y);
}

void TskCustomShellTreeView::ExecuteCommand(const String& Verb, bool& Handled) {
  if (SameText(Verb, "rename")) {
    if (TTreeNode* selected = Selected()) {
      selected->EditText();
      Handled = true;
    }
  } else if (SameText(Verb, "open")) {
    EnterOpenedItemFolder(SelectedFolder(), FSavedDirectory);
  }
}

void TskCustomShellTreeView::CommandCompleted(const String& Verb, bool Succeeded) {
  if (SameText(Verb, "open")) RestoreOpenedItemFolder(FSavedDirectory);
  TTreeNode* selected = Selected();
  if (!Succeeded || !selected) return;
  if (SameText(Verb, "delete")) {
    // Only an item that is really gone loses its node (a deletion may have been refused or be
    // pending); an item without a file-system path is read again with its parent.
    const TskShellFolder* folder = NodeFolder(selected);
    const String path = folder ? folder->FullObjectName() : String();
    if (!path.empty()) {
      if (GetFileAttributesW(ToWide(path).c_str()) == INVALID_FILE_ATTRIBUTES) selected->Delete();
    } else if (selected->Parent()) {
      Refresh(selected->Parent());
    }
  } else if (SameText(Verb, "paste")) {
    Refresh(selected);
  }
}

void TskCustomShellTreeView::Edit(const TVITEMW& Item) {
  if (!Item.pszText) return;
  TTreeNode* node = Items().GetNode(Item.hItem);
  String text = FromWide(Item.pszText);
  if (OnEdited) OnEdited(this, node, text);
  TskShellFolder* folder = NodeFolder(node);
  if (!folder || !folder->Rename(ToWide(text))) return;
  node->SetText(text);
  // The children still carry the old path: the node is read again once the edit has ended.
  FRenamedID.reset(CopyItemIDList(folder->AbsoluteID()));
  PostMessageW(FHandle, CM_REFRESHRENAMED, 0, 0);
}

}  // namespace skin
