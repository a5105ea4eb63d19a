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
  bool HasChildren() const { return !FChildren.empty(); }
  // Raises EStringListError for an index out of range.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  TTreeNode* GetNextSibling() const;
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
  void Delete(TTreeNode* Node);
  void Clear();
  int Count() const { return FCount; }
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  // Stops the window repainting while many nodes come and go.
  void BeginUpdate();
  void EndUpdate();
  TCustomTreeView& Owner() const { return FOwner; }

private:
  friend class TCustomTreeView;
  friend class TTreeNode;
  explicit TTreeNodes(TCustomTreeView& Owner) : FOwner(Owner) {}

  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
  TTreeNode* Insert(TTreeNode* Parent, const String& S);

  TCustomTreeView& FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FCount = 0;
  int FUpdateLevel = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  // After the selection moved to another node.
  TTVChangedEvent OnChange;
  TTVExpandedEvent OnExpanded;
  TTVExpandedEvent OnCollapsed;

  TTreeNodes& Items() { return *FItems; }
  // The selected node, null for none.
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Node);
  void FullExpand();
  void FullCollapse();

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
