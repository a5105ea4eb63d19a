// The system tree view ("SysTreeView32") and its nodes. The nodes are kept here, so that a form can
// fill the tree before its window exists and the tree survives the window being made anew.
//
// Classes in this file: TTreeNode, TTreeNodes, TCustomTreeView, TTreeView.
#pragma once

#include "platform/classlib/ComCtrls.h"

#include <functional>
#include <memory>
#include <vector>

namespace classlib {

class TTreeNodes;
class TCustomTreeView;

// One node: its text, pictures and children. Expanded and Selected live in the window while it
// exists.
class TTreeNode {
public:
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  // Pictures in the tree's Images: shown normally, and while the node is selected; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);

  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  // Whether the node shows an expand button. A new child sets it and the last child going clears
  // it; a node may claim children it has not read yet.
  bool HasChildren() const { return FHasChildren; }
  void SetHasChildren(bool Value);
  // The program's own pointer, kept with the node and never freed by the tree.
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  // Raises EStringListError for an index out of range.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
  // The node after this one in tree order (first child, else next sibling, else the next sibling of
  // the nearest parent that has one); null after the last node.
  TTreeNode* GetNext() const;
  // The node's place among its siblings, and its depth (0 for a top node).
  int Index() const;
  int Level() const;

  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool Value);
  // Removes the node with its children from the tree and frees it.
  void Delete();
  // Starts renaming the node in place (the tree's window must exist); false when it does not start.
  bool EditText();
  // Ends renaming in place, keeping the typed text unless Cancel.
  void EndEdit(bool Cancel);
  // Orders the children by Compare (negative: the first argument comes first); equal ones keep
  // their order.
  void CustomSort(const std::function<int(TTreeNode* A, TTreeNode* B)>& Compare);

  TTreeNodes& Owner() const { return FOwner; }
  // The node's item in the window; null while there is none.
  HTREEITEM ItemId() const { return FItemId; }

private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNode(TTreeNodes& Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}

  TTreeNodes& FOwner;
  TTreeNode* FParent;
  String FText;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  bool FExpanded = false;  // while there is no window
  bool FHasChildren = false;
  void* FData = nullptr;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  HTREEITEM FItemId = nullptr;
};

// All nodes of a tree. Count and Item see every node, depth first, parents before their children.
class TTreeNodes : public TPersistent {
public:
  ~TTreeNodes() override;

  // A new last sibling of Sibling (a new top node when Sibling is null).
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  // A new last child of Parent (a new top node when Parent is null).
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  // A new node just before Sibling among its siblings (a new last top node when Sibling is null).
  TTreeNode* Insert(TTreeNode* Sibling, const String& S);
  void Delete(TTreeNode* Node);
  void Clear();
  int Count() const { return FCount; }
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  // The node of a window item; null for none.
  TTreeNode* GetNode(HTREEITEM ItemId) const;
  // Stops the window repainting while many nodes come and go.
  void BeginUpdate();
  void EndUpdate();
  TCustomTreeView& Owner() const { return FOwner; }

private:
  friend class TCustomTreeView;
  friend class TTreeNode;
  explicit TTreeNodes(TCustomTreeView& Owner) : FOwner(Owner) {}

  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
  // A new child of Parent at Position among its siblings.
  TTreeNode* InsertAt(TTreeNode* Parent, size_t Position, const String& S);
  // Tells the tree of Node and its children going, children first.
  void ReportDeletion(TTreeNode& Node);

  TCustomTreeView& FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FCount = 0;
  int FUpdateLevel = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
// The handler may change the new text S.
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;

class TCustomTreeView : public TWinControl {
public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  // After the selection moved to another node.
  TTVChangedEvent OnChange;
  TTVExpandedEvent OnExpanded;
  TTVExpandedEvent OnCollapsed;
  // Before the selection moves, a node opens or closes, or renaming starts; each may refuse.
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVCollapsingEvent OnCollapsing;
  TTVEditingEvent OnEditing;
  // After renaming in place, before the node takes the text.
  TTVEditedEvent OnEdited;
  // A node is being removed.
  TTVExpandedEvent OnDeletion;
  // The window is about to draw a node: the handler may set its ImageIndex or SelectedIndex.
  TTVExpandedEvent OnGetImageIndex;
  TTVExpandedEvent OnGetSelectedIndex;

  TTreeNodes& Items() { return *FItems; }
  const TTreeNodes& Items() const { return *FItems; }
  // The selected node, null for none.
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Node);
  void FullExpand();
  void FullCollapse();
  // The node at the top of the window's view; setting scrolls the tree to show it there.
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* Node);
  // The node whose row is at the client point (X, Y), or null.
  TTreeNode* GetNodeAt(int X, int Y) const;
  // Whether a node is being renamed in place.
  bool IsEditing() const;

  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  // Whether the user may not rename nodes in place.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value);
  // A node opens when selected, and the one left closes.
  bool AutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool Value);
  // Pixels a child stands in from its parent.
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TImageList* Value);
  // A right click selects the node under the pointer.
  bool RightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
  // Milliseconds the tree waits after the selection moved before it reports the change (0: at once),
  // so that walking through the nodes by keys reports only where it stopped.
  int ChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(int Value) { FChangeDelay = Value < 0 ? 0 : Value; }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool ClicksOnMouseUp() const override { return false; }
  // The selection moved to Node (fires OnChange).
  virtual void Change(TTreeNode* Node);
  virtual void Expanded(TTreeNode* Node);
  virtual void Collapsed(TTreeNode* Node);
  // Asked before the selection moves to Node (null: to none), Node opens or closes, or renaming Node
  // starts; false refuses. Each fires its event.
  virtual bool CanChange(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual bool CanEdit(TTreeNode* Node);
  // Renaming in place ended; Item carries the new text, or none when it was cancelled. The node
  // takes the text (after OnEdited).
  virtual void Edit(const TVITEMW& Item);
  // Node is being removed from the tree (fires OnDeletion).
  virtual void Delete(TTreeNode* Node);
  // The window is about to draw Node (fire OnGetImageIndex, OnGetSelectedIndex).
  virtual void GetImageIndex(TTreeNode* Node);
  virtual void GetSelectedIndex(TTreeNode* Node);

private:
  friend class TTreeNodes;
  friend class TTreeNode;

  LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam) const;
  DWORD StyleBits() const;
  void UpdateStyle();
  void WriteColors();
  void WriteImageLists();
  void InsertIntoWindow(TTreeNode& Node, HTREEITEM After);
  void WriteNode(const TTreeNode& Node, UINT Mask);
  // Keeps what lives in the window (expanded, selected) in the nodes before the window goes.
  void ReadBack(TTreeNode& Node);
  void ForgetItems(TTreeNode& Node);
  void GetDispInfo(NMTVDISPINFOW& Info);
  void ChangeDelayed(TTreeNode* Node);
  static TTreeNode* NodeOf(LPARAM Param) { return reinterpret_cast<TTreeNode*>(Param); }

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FPendingSelection = nullptr;  // while there is no window
  bool FExpandingNode = false;             // a node's SetExpanded reports the change itself
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FRowSelect = false;
  bool FHotTrack = false;
  bool FToolTips = true;
  bool FAutoExpand = false;
  bool FRightClickSelect = false;
  int FChangeDelay = 0;
  bool FChangeWaiting = false;  // a delayed change is due
  bool FEditEnded = false;      // the present renaming has been reported ended
  int FIndent = 19;
  TImageList* FImages = nullptr;
  TImageList* FStateImages = nullptr;
};

class TTreeView : public TCustomTreeView {
public:
  using TCustomTreeView::TCustomTreeView;
};

// Registers the tree view with the form reader.
void RegisterTreeView(TClassRegistry& Registry);

}  // namespace classlib
