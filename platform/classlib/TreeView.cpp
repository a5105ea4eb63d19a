#include "platform/classlib/TreeView.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace classlib {

namespace {

[[noreturn]] void IndexError(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

int CountWithChildren(const TTreeNode& Node) {
  int count = 1;
  for (int i = 0; i < Node.Count(); ++i) count += CountWithChildren(*Node.Item(i));
  return count;
}

// The node Index places after Node in depth-first order (Node itself for 0), or null when Node's
// subtree is shorter; Index counts down by the nodes passed.
TTreeNode* NthNode(TTreeNode& Node, int& Index) {
  if (Index == 0) return &Node;
  --Index;
  for (int i = 0; i < Node.Count(); ++i)
    if (TTreeNode* found = NthNode(*Node.Item(i), Index)) return found;
  return nullptr;
}

// Lets the window order a node's items as the nodes were ordered: by their places in the sorted list.
int CALLBACK CompareByRank(LPARAM A, LPARAM B, LPARAM Ranks) {
  const auto& ranks = *reinterpret_cast<const std::unordered_map<LPARAM, size_t>*>(Ranks);
  const size_t a = ranks.at(A), b = ranks.at(B);
  return a < b ? -1 : a > b ? 1 : 0;
}

// The timer of a delayed selection change; the system's tree keeps its own timers below it.
constexpr UINT_PTR ChangeTimer = 0x7C01;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TTreeNode

void TTreeNode::SetText(const String& Value) {
  FText = Value;
  FOwner.FOwner.WriteNode(*this, TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int Value) {
  FImageIndex = Value;
  FOwner.FOwner.WriteNode(*this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int Value) {
  FSelectedIndex = Value;
  FOwner.FOwner.WriteNode(*this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetHasChildren(bool Value) {
  if (Value == FHasChildren) return;
  FHasChildren = Value;
  FOwner.FOwner.WriteNode(*this, TVIF_CHILDREN);
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FChildren[static_cast<size_t>(Index)].get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& siblings = FOwner.SiblingsOf(FParent);
  const size_t next = static_cast<size_t>(Index()) + 1;
  return next < siblings.size() ? siblings[next].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const int index = Index();
  return index > 0 ? FOwner.SiblingsOf(FParent)[static_cast<size_t>(index) - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front().get();
  for (const TTreeNode* node = this; node; node = node->FParent)
    if (TTreeNode* next = node->GetNextSibling()) return next;
  return nullptr;
}

int TTreeNode::Index() const {
  const auto& siblings = FOwner.SiblingsOf(FParent);
  const auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& n) { return n.get() == this; });
  return static_cast<int>(it - siblings.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

bool TTreeNode::Expanded() const {
  const TCustomTreeView& tree = FOwner.FOwner;
  if (!FItemId || !tree.HandleAllocated()) return FExpanded;
  return (tree.Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool Value) {
  TCustomTreeView& tree = FOwner.FOwner;
  if (!FItemId) {
    FExpanded = Value;
    return;
  }
  // The system reports the user's expanding, not always the program's: the tree asks and reports it
  // here, once, whatever the window says meanwhile.
  const bool was = Expanded();
  if (Value != was && !(Value ? tree.CanExpand(this) : tree.CanCollapse(this))) return;
  tree.FExpandingNode = true;
  tree.Send(TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
  tree.FExpandingNode = false;
  FExpanded = Expanded();
  if (FExpanded == was) return;
  if (FExpanded)
    tree.Expanded(this);
  else
    tree.Collapsed(this);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (auto& child : FChildren) child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (auto& child : FChildren) child->Collapse(true);
}

bool TTreeNode::Selected() const { return FOwner.FOwner.Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView& tree = FOwner.FOwner;
  if (Value)
    tree.SetSelected(this);
  else if (Selected())
    tree.SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner.Delete(this); }

bool TTreeNode::EditText() {
  TCustomTreeView& tree = FOwner.FOwner;
  if (!FItemId || !tree.HandleAllocated()) return false;
  if (GetFocus() != tree.FHandle) SetFocus(tree.FHandle);
  return tree.Send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(FItemId)) != 0;
}

void TTreeNode::EndEdit(bool Cancel) { FOwner.FOwner.Send(TVM_ENDEDITLABELNOW, Cancel, 0); }

void TTreeNode::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare) {
  std::stable_sort(FChildren.begin(), FChildren.end(),
                   [&Compare](const auto& A, const auto& B) { return Compare(A.get(), B.get()) < 0; });
  if (!FItemId) return;
  std::unordered_map<LPARAM, size_t> ranks;
  for (size_t i = 0; i < FChildren.size(); ++i) ranks.emplace(reinterpret_cast<LPARAM>(FChildren[i].get()), i);
  TVSORTCB sort{};
  sort.hParent = FItemId;
  sort.lpfnCompare = CompareByRank;
  sort.lParam = reinterpret_cast<LPARAM>(&ranks);
  FOwner.FOwner.Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

// ---------------------------------------------------------------------------------------------
// TTreeNodes

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
  return Parent ? Parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* Parent, size_t Position, const String& S) {
  auto& siblings = SiblingsOf(Parent);
  const auto at = siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(Position),
                                  std::unique_ptr<TTreeNode>(new TTreeNode(*this, Parent)));
  TTreeNode* node = at->get();
  node->FText = S;
  ++FCount;
  if (Parent) Parent->SetHasChildren(true);
  // A node under a parent the window does not show yet comes with its parent.
  if (!Parent || Parent->FItemId)
    FOwner.InsertIntoWindow(*node, Position == 0 ? TVI_FIRST : siblings[Position - 1]->FItemId);
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return InsertAt(parent, SiblingsOf(parent).size(), S);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return InsertAt(Parent, SiblingsOf(Parent).size(), S); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling || &Sibling->FOwner != this) return InsertAt(nullptr, FRoots.size(), S);
  return InsertAt(Sibling->FParent, static_cast<size_t>(Sibling->Index()), S);
}

void TTreeNodes::ReportDeletion(TTreeNode& Node) {
  for (auto& child : Node.FChildren) ReportDeletion(*child);
  FOwner.Delete(&Node);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || &Node->FOwner != this) return;
  ReportDeletion(*Node);
  // The window lets go first: its notifications still find every node alive.
  if (Node->FItemId) FOwner.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItemId));
  auto& siblings = SiblingsOf(Node->FParent);
  const auto it = std::find_if(siblings.begin(), siblings.end(), [Node](const auto& n) { return n.get() == Node; });
  if (it == siblings.end()) return;
  for (TTreeNode* p = FOwner.FPendingSelection; p; p = p->FParent)
    if (p == Node) FOwner.FPendingSelection = nullptr;
  FCount -= CountWithChildren(*Node);
  TTreeNode* const parent = Node->FParent;
  siblings.erase(it);
  if (parent && parent->FChildren.empty()) parent->SetHasChildren(false);
}

void TTreeNodes::Clear() {
  for (auto& root : FRoots) ReportDeletion(*root);
  if (FOwner.HandleAllocated()) FOwner.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  FOwner.FPendingSelection = nullptr;
  FRoots.clear();
  FCount = 0;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  if (Index < 0 || Index >= FCount) IndexError(Index);
  int rest = Index;
  for (const auto& root : FRoots)
    if (TTreeNode* found = NthNode(*root, rest)) return found;
  return nullptr;
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM ItemId) const {
  if (!ItemId) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = ItemId;
  if (!FOwner.Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return TCustomTreeView::NodeOf(tv.lParam);
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateLevel++ == 0 && FOwner.HandleAllocated()) FOwner.Send(WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateLevel == 0 || --FUpdateLevel > 0 || !FOwner.HandleAllocated()) return;
  FOwner.Send(WM_SETREDRAW, TRUE, 0);
  FOwner.Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(new TTreeNodes(*this)) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
  // The window goes while the nodes its notifications name still exist.
  DestroyHandle();
}

LRESULT TCustomTreeView::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

DWORD TCustomTreeView::StyleBits() const {
  return (FShowButtons ? TVS_HASBUTTONS : 0) | (FShowLines ? TVS_HASLINES : 0) |
         (FShowRoot ? TVS_LINESATROOT : 0) | (FReadOnly ? 0 : TVS_EDITLABELS) |
         (FHideSelection ? 0 : TVS_SHOWSELALWAYS) | (FRowSelect ? TVS_FULLROWSELECT : 0) |
         (FHotTrack ? TVS_TRACKSELECT : 0) | (FToolTips ? 0 : TVS_NOTOOLTIPS) | (FAutoExpand ? TVS_SINGLEEXPAND : 0);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "SysTreeView32";
  Params.Style |= StyleBits() | WS_VSCROLL | WS_HSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  Send(TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
  WriteColors();
  WriteImageLists();
  for (auto& node : FItems->FRoots) InsertIntoWindow(*node, TVI_LAST);
  if (FPendingSelection) SetSelected(FPendingSelection);
}

void TCustomTreeView::DestroyWnd() {
  if (FHandle) {
    FPendingSelection = Selected();
    for (auto& node : FItems->FRoots) ReadBack(*node);
  }
  TWinControl::DestroyWnd();
  for (auto& node : FItems->FRoots) ForgetItems(*node);
}

void TCustomTreeView::ReadBack(TTreeNode& Node) {
  Node.FExpanded = Node.Expanded();
  for (auto& child : Node.FChildren) ReadBack(*child);
}

void TCustomTreeView::ForgetItems(TTreeNode& Node) {
  Node.FItemId = nullptr;
  for (auto& child : Node.FChildren) ForgetItems(*child);
}

void TCustomTreeView::InsertIntoWindow(TTreeNode& Node, HTREEITEM After) {
  if (!FHandle) return;
  WideString text = ToWide(Node.FText);
  TVINSERTSTRUCTW insert{};
  insert.hParent = Node.FParent ? Node.FParent->FItemId : TVI_ROOT;
  insert.hInsertAfter = After;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(&Node);
  // The window asks for the pictures when it draws the node: only nodes shown cost their picture.
  insert.item.iImage = I_IMAGECALLBACK;
  insert.item.iSelectedImage = I_IMAGECALLBACK;
  insert.item.cChildren = Node.FHasChildren ? 1 : 0;
  Node.FItemId = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  for (auto& child : Node.FChildren) InsertIntoWindow(*child, TVI_LAST);
  if (Node.FExpanded && !Node.FChildren.empty()) Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node.FItemId));
}

void TCustomTreeView::WriteNode(const TTreeNode& Node, UINT Mask) {
  if (!Node.FItemId) return;
  WideString text = ToWide(Node.FText);
  TVITEMW item{};
  item.mask = Mask;
  item.hItem = Node.FItemId;
  item.pszText = text.data();
  // Given again, the callback makes the window draw the node anew with its present pictures.
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.cChildren = Node.FHasChildren ? 1 : 0;
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TCustomTreeView::Selected() const {
  if (!FHandle) return FPendingSelection;
  const LPARAM item = Send(TVM_GETNEXTITEM, TVGN_CARET, 0);
  if (!item) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = reinterpret_cast<HTREEITEM>(item);
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return NodeOf(tv.lParam);
}

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  if (!FHandle) {
    FPendingSelection = Node;
    return;
  }
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node ? Node->FItemId : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() const {
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  if (!tv.hItem) return nullptr;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return NodeOf(tv.lParam);
}

void TCustomTreeView::SetTopItem(TTreeNode* Node) {
  if (Node && Node->FItemId) Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(Node->FItemId));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
  TVHITTESTINFO hit{};
  hit.pt = {X, Y};
  Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (!hit.hItem || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT))) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = hit.hItem;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return NodeOf(tv.lParam);
}

bool TCustomTreeView::IsEditing() const { return Send(TVM_GETEDITCONTROL, 0, 0) != 0; }

void TCustomTreeView::FullExpand() {
  for (auto& node : FItems->FRoots) node->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (auto& node : FItems->FRoots) node->Collapse(true);
}

void TCustomTreeView::UpdateStyle() {
  if (!FHandle) return;
  constexpr DWORD mask = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS |
                         TVS_FULLROWSELECT | TVS_TRACKSELECT | TVS_NOTOOLTIPS | TVS_SINGLEEXPAND;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  SetWindowLongPtrW(FHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(StyleBits()));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomTreeView::SetShowButtons(bool Value) {
  FShowButtons = Value;
  UpdateStyle();
}

void TCustomTreeView::SetShowLines(bool Value) {
  FShowLines = Value;
  UpdateStyle();
}

void TCustomTreeView::SetShowRoot(bool Value) {
  FShowRoot = Value;
  UpdateStyle();
}

void TCustomTreeView::SetReadOnly(bool Value) {
  FReadOnly = Value;
  UpdateStyle();
}

void TCustomTreeView::SetHideSelection(bool Value) {
  FHideSelection = Value;
  UpdateStyle();
}

void TCustomTreeView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  UpdateStyle();
}

void TCustomTreeView::SetHotTrack(bool Value) {
  FHotTrack = Value;
  UpdateStyle();
}

void TCustomTreeView::SetToolTips(bool Value) {
  FToolTips = Value;
  UpdateStyle();
}

void TCustomTreeView::SetAutoExpand(bool Value) {
  FAutoExpand = Value;
  UpdateStyle();
}

void TCustomTreeView::SetIndent(int Value) {
  FIndent = std::max(Value, 0);
  Send(TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
}

void TCustomTreeView::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  WriteImageLists();
}

void TCustomTreeView::SetStateImages(TImageList* Value) {
  if (FStateImages) FStateImages->RemoveFreeNotification(this);
  FStateImages = Value;
  if (Value) Value->FreeNotification(this);
  WriteImageLists();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent != FImages && AComponent != FStateImages) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FStateImages) FStateImages = nullptr;
  WriteImageLists();
}

void TCustomTreeView::WriteImageLists() {
  if (!FHandle) return;
  Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
  Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages ? FStateImages->Handle() : nullptr));
}

void TCustomTreeView::WriteColors() {
  if (!FHandle) return;
  Send(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  Send(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

void TCustomTreeView::ColorChanged() {
  TWinControl::ColorChanged();
  WriteColors();
}

void TCustomTreeView::FontChanged() {
  TWinControl::FontChanged();
  WriteColors();
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TCustomTreeView::Expanded(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

void TCustomTreeView::Collapsed(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Edit(const TVITEMW& Item) {
  if (!Item.pszText) return;
  TTreeNode* node = NodeOf(Item.lParam);
  String text = FromWide(Item.pszText);
  if (OnEdited) OnEdited(this, node, text);
  if (node) node->SetText(text);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node) {
  if (OnGetImageIndex) OnGetImageIndex(this, Node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
}

void TCustomTreeView::GetDispInfo(NMTVDISPINFOW& Info) {
  TTreeNode* node = NodeOf(Info.item.lParam);
  if (!node) return;
  if (Info.item.mask & TVIF_IMAGE) {
    GetImageIndex(node);
    Info.item.iImage = node->FImageIndex;
  }
  if (Info.item.mask & TVIF_SELECTEDIMAGE) {
    GetSelectedIndex(node);
    Info.item.iSelectedImage = node->FSelectedIndex;
  }
}

void TCustomTreeView::ChangeDelayed(TTreeNode* Node) {
  if (FChangeDelay == 0) {
    Change(Node);
    return;
  }
  FChangeWaiting = true;
  SetTimer(FHandle, ChangeTimer, static_cast<UINT>(FChangeDelay), nullptr);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
      case NM_CLICK:
        Click();
        return;
      case NM_RCLICK:
        if (FRightClickSelect) {
          const DWORD at = GetMessagePos();
          const TPoint local = ScreenToClient(Point(static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))));
          if (TTreeNode* node = GetNodeAt(local.x, local.y)) SetSelected(node);
        }
        return;
      case TVN_SELCHANGINGW: {
        const auto* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        Message.Result = !Designing(*this) && !CanChange(NodeOf(info->itemNew.lParam));
        return;
      }
      case TVN_SELCHANGEDW: {
        const auto* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        if (!Designing(*this)) ChangeDelayed(NodeOf(info->itemNew.lParam));
        return;
      }
      case TVN_ITEMEXPANDINGW: {
        // The program's expanding was asked already.
        const auto* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        TTreeNode* node = NodeOf(info->itemNew.lParam);
        if (!node || FExpandingNode) return;
        if (info->action & TVE_EXPAND)
          Message.Result = !CanExpand(node);
        else if (info->action & TVE_COLLAPSE)
          Message.Result = !CanCollapse(node);
        return;
      }
      case TVN_BEGINLABELEDITW: {
        const auto* info = reinterpret_cast<const NMTVDISPINFOW*>(Message.LParam);
        FEditEnded = false;
        Message.Result = !CanEdit(NodeOf(info->item.lParam));
        return;
      }
      case TVN_GETDISPINFOW:
        GetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(Message.LParam));
        return;
      case TVN_ITEMEXPANDEDW: {
        const auto* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        TTreeNode* node = NodeOf(info->itemNew.lParam);
        if (!node || FExpandingNode) return;
        if (info->action & TVE_EXPAND)
          Expanded(node);
        else if (info->action & TVE_COLLAPSE)
          Collapsed(node);
        return;
      }
      case TVN_ENDLABELEDITW:
        // The node writes the text it takes into the window itself: a refused text leaves the old one.
        Message.Result = FALSE;
        // Wine reports the end once more as the closing edit loses the focus: one edit, one end.
        if (FEditEnded) return;
        FEditEnded = true;
        Edit(reinterpret_cast<const NMTVDISPINFOW*>(Message.LParam)->item);
        return;
    }
  }
  if (Message.Msg == WM_TIMER && Message.WParam == ChangeTimer) {
    KillTimer(FHandle, ChangeTimer);
    if (FChangeWaiting) {
      FChangeWaiting = false;
      Change(Selected());
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

void RegisterTreeView(TClassRegistry& Registry) {
  Registry.Register<TCustomTreeView>("TCustomTreeView", "TWinControl")
      .Boolean("ShowButtons", &TCustomTreeView::SetShowButtons)
      .Boolean("ShowLines", &TCustomTreeView::SetShowLines)
      .Boolean("ShowRoot", &TCustomTreeView::SetShowRoot)
      .Boolean("ReadOnly", &TCustomTreeView::SetReadOnly)
      .Boolean("HideSelection", &TCustomTreeView::SetHideSelection)
      .Boolean("RowSelect", &TCustomTreeView::SetRowSelect)
      .Boolean("HotTrack", &TCustomTreeView::SetHotTrack)
      .Boolean("ToolTips", &TCustomTreeView::SetToolTips)
      .Boolean("AutoExpand", &TCustomTreeView::SetAutoExpand)
      .Boolean("RightClickSelect", &TCustomTreeView::SetRightClickSelect)
      .Integer("ChangeDelay", &TCustomTreeView::SetChangeDelay)
      .Integer("Indent", &TCustomTreeView::SetIndent)
      .Reference("Images", &TCustomTreeView::SetImages)
      .Reference("StateImages", &TCustomTreeView::SetStateImages)
      .Event("OnChange", &TCustomTreeView::OnChange)
      .Event("OnExpanded", &TCustomTreeView::OnExpanded)
      .Event("OnCollapsed", &TCustomTreeView::OnCollapsed)
      .Event("OnChanging", &TCustomTreeView::OnChanging)
      .Event("OnExpanding", &TCustomTreeView::OnExpanding)
      .Event("OnCollapsing", &TCustomTreeView::OnCollapsing)
      .Event("OnEditing", &TCustomTreeView::OnEditing)
      .Event("OnEdited", &TCustomTreeView::OnEdited)
      .Event("OnDeletion", &TCustomTreeView::OnDeletion)
      .Event("OnGetImageIndex", &TCustomTreeView::OnGetImageIndex)
      .Event("OnGetSelectedIndex", &TCustomTreeView::OnGetSelectedIndex);
  Registry.Register<TTreeView>("TTreeView", "TCustomTreeView");
}

}  // namespace classlib
