// The shell tree view: the shell's namespace below a root folder as a skinned tree of folders (and,
// when asked, files), read one level at a time as nodes open, with the shell's names and small icons,
// its context menu, in-place renaming and an optional refresh when the selected folder changes on
// disk. It keeps a linked file list view and path combo box on the selected folder. Every node's
// data is a shell folder object the tree owns. The shell is asked for a node's icons only when the
// window first draws it: until then its image indexes read -2.
//
// Classes in this file: TskCustomShellTreeView, TskSkinDirTreeView.
#pragma once

#include "skin/controls/SkinTreeView.h"
#include "skin/shell/ShellContextMenu.h"
#include "skin/shell/ShellFolder.h"
#include "skin/shell/SkinFileListView.h"

#include <commctrl.h>

#include <memory>

namespace skin {

class TskCustomShellComboBox;
class TskShellChangeNotifier;

class TskCustomShellTreeView : public TskSkinCustomTreeView, public IShellCommandVerb {
public:
  explicit TskCustomShellTreeView(classlib::TComponent* AOwner);
  ~TskCustomShellTreeView() override;

  // Asked for every new node; CanAdd false removes it.
  TAddFolderEvent OnAddFolder;

  // Attributes

  // A special folder's name ("rfDesktop", any case) or a path. A value that names nothing raises the
  // path error after the tree was rebuilt from the previous root.
  const TRoot& Root() const { return FRoot; }
  void SetRoot(const TRoot& Value);
  TskShellFolder* RootFolder() const { return FRootFolder.get(); }
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  virtual void SetObjectTypes(TShellObjectTypes Value);
  bool AutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool Value) { FAutoContextMenus = Value; }
  // A change notifier refreshes the selected node when its folder changes on disk.
  bool AutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool Value);
  // The nodes show the shell's small icons unless an Images list is assigned.
  bool UseShellImages() const { return FUseShellImages; }
  void SetUseShellImages(bool Value);
  TskCustomShellListView* ShellListView() const { return FShellListView; }
  void SetListView(TskCustomShellListView* Value);
  TskCustomShellComboBox* ShellComboBox() const { return FShellComboBox; }
  void SetComboBox(TskCustomShellComboBox* Value);
  // The last path given to SetPath; applied again when the window is made anew.
  const classlib::String& Path() const { return FPath; }
  // The selected folder's parsing name, "" without a selection.
  classlib::String GetPath() const;
  // Selects that folder, opening its ancestors; EInvalidPath for a path the shell cannot parse.
  void SetPath(const classlib::String& Value);
  // The object of the node at that index in tree order; none beyond the nodes.
  TskShellFolder* GetFolder(int Index) const;
  TskShellFolder* SelectedFolder() const;
  // The object a node carries; none for none.
  static TskShellFolder* NodeFolder(const classlib::TTreeNode* Node);
  // On while the tree moves itself or its linked views.
  bool Updating() const { return FUpdating; }

  // Operations

  // Rebuilds the tree with one root node, opened one level and selected.
  void CreateRoot();
  // CreateRoot, then gives Root to the linked list view.
  void RootChanged();
  // Gives a new child node its object for the relative list ID, its text, icons and children flag.
  void InitNode(classlib::TTreeNode* NewNode, LPCITEMIDLIST ID, classlib::TTreeNode* ParentNode);
  // Reads the node's children, sorted as its folder sorts them.
  void PopulateNode(classlib::TTreeNode* Node);
  // Frees every node's object and removes all nodes.
  void ClearItems();
  // Reads the node's subtree again, keeping what was open, the selection and the top node.
  void Refresh(classlib::TTreeNode* Node);
  // Refreshes the selected node (the change notifier's handler).
  void RefreshEvent();
  // Selects the folder of an absolute list (the caller keeps the list), opening its ancestors.
  void SetPathFromID(LPCITEMIDLIST ID);
  // Selects the drives folder and opens it.
  void ExpandMyComputer();
  // StartNode or the node below it whose object is the item ID; none when there is none.
  classlib::TTreeNode* FolderExists(LPCITEMIDLIST ID, classlib::TTreeNode* StartNode) const;
  // The first node from StartNode on, over the rest of the tree in tree order, whose object is ID.
  classlib::TTreeNode* NodeFromAbsoluteID(classlib::TTreeNode* StartNode, LPCITEMIDLIST ID) const;
  // The child of ParentNode whose object has the relative list ID.
  classlib::TTreeNode* NodeFromRelativeID(classlib::TTreeNode* ParentNode, LPCITEMIDLIST ID) const;

  void ExecuteCommand(const classlib::String& Verb, bool& Handled) override;
  void CommandCompleted(const classlib::String& Verb, bool Succeeded) override;

  void WndProc(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void GetImageIndex(classlib::TTreeNode* Node) override;
  void GetSelectedIndex(classlib::TTreeNode* Node) override;
  bool CanExpand(classlib::TTreeNode* Node) override;
  bool CanChange(classlib::TTreeNode* Node) override;
  void Edit(const TVITEMW& Item) override;
  void Delete(classlib::TTreeNode* Node) override;
  void DoContextPopup(const classlib::TPoint& MousePos, bool& Handled) override;

private:
  bool Loading() const;
  bool Destroying() const;
  // Gives Node the object Folder (taken over) and its text, icons and children flag.
  void FillNode(classlib::TTreeNode* Node, std::unique_ptr<TskShellFolder> Folder);
  // Reads a renamed node's subtree again, through the folder's new name.
  void RefreshRenamed(classlib::TTreeNode* Node);
  // The node's icons from the shell, fetched when the window first draws the node.
  void FetchImages(classlib::TTreeNode* Node);
  // Whether the folder lists at least one item of ObjectTypes.
  bool HasItems(IShellFolder* Folder) const;
  // The image list the tree's window shows.
  HIMAGELIST ChosenImageList() const;
  // The node's absolute list, as a copy the caller frees.
  static LPITEMIDLIST NodeAbsoluteID(const classlib::TTreeNode* Node);

  classlib::String FPath;
  TRoot FRoot = "rfDesktop";
  TRoot FOldRoot;
  std::unique_ptr<TskShellFolder> FRootFolder;
  TShellObjectTypes FObjectTypes{TShellObjectType::otFolders};
  bool FLoadingRoot = false;
  bool FAutoContextMenus = true;
  bool FUpdating = false;
  TskCustomShellListView* FShellListView = nullptr;
  TskCustomShellComboBox* FShellComboBox = nullptr;
  bool FLinking = false;
  bool FAutoRefresh = false;
  bool FImageListChanging = false;
  bool FUseShellImages = true;
  TskShellChangeNotifier* FNotifier = nullptr;  // owned as a component
  classlib::String FSavedDirectory;
  classlib::TTreeNode* FNodeToMonitor = nullptr;
  HIMAGELIST FImageList = nullptr;
  // The folder last renamed in place, read again once the edit has ended.
  std::unique_ptr<ITEMIDLIST, TItemIDListFree> FRenamedID;
};

class TskSkinDirTreeView : public TskCustomShellTreeView {
public:
  using TskCustomShellTreeView::TskCustomShellTreeView;
};

}  // namespace skin
