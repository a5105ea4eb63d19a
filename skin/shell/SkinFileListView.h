// The shell file list view: the items of one shell folder in a skinned list view (folders first,
// then the files a mask lets through), with the shell's names and icons, its context menu and
// in-place renaming; it navigates by mouse and keys, can refresh itself when the folder changes, and
// keeps a linked path combo box and tree view on the folder it shows. The system list runs in
// owner-data mode: the view keeps one shell folder object per item and answers the list's requests
// for texts and icons from them, so only the rows drawn ever cost a shell call for their look.
//
// Classes in this file: TskCustomShellListView, TskSkinFileListView.
#pragma once

#include "skin/controls/SkinListView.h"
#include "skin/shell/ShellContextMenu.h"
#include "skin/shell/ShellFolder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TskCustomShellComboBox;
class TskCustomShellTreeView;
class TskShellChangeNotifier;

// Asked for every item the view enumerates; CanAdd (the mask's answer for a file) may be changed
// either way.
using TAddFolderEvent = std::function<void(classlib::TObject* Sender, TskShellFolder* AFolder, bool& CanAdd)>;

class TskCustomShellListView : public TskSkinCustomListView, public IShellCommandVerb {
public:
  explicit TskCustomShellListView(classlib::TComponent* AOwner);
  ~TskCustomShellListView() override;

  TAddFolderEvent OnAddFolder;
  // After every change of the shown folder by SetPathFromID (and so by its callers).
  classlib::TNotifyEvent OnPathChange;

  // Attributes

  // A special folder's name ("rfDesktop", any case) or a path. A value that names nothing raises the
  // path error and the view keeps its Root.
  const TRoot& Root() const { return FRoot; }
  void SetRoot(const TRoot& Value);
  // The folder shown; none until the window is made or Root is set.
  TskShellFolder* RootFolder() const { return FRootFolder.get(); }
  // "*.*|*.*" at first: parts at ";" and "|"; a file shows when its name matches a part that holds a ".".
  const classlib::String& Mask() const { return FMask; }
  void SetMask(const classlib::String& Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  void SetObjectTypes(TShellObjectTypes Value);
  bool AutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool Value) { FAutoContextMenus = Value; }
  bool AutoNavigate() const { return FAutoNavigate; }
  void SetAutoNavigate(bool Value) { FAutoNavigate = Value; }
  // A change notifier refreshes the view when the shown folder changes on disk.
  bool AutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool Value);
  TskCustomShellComboBox* ShellComboBox() const { return FShellComboBox; }
  void SetComboBox(TskCustomShellComboBox* Value);
  TskCustomShellTreeView* ShellTreeView() const { return FShellTreeView; }
  void SetTreeView(TskCustomShellTreeView* Value);
  // The shown folder's parsing name, "" without one. SetPath raises EInvalidPath for a path the
  // shell cannot parse and leaves the view as it was.
  classlib::String GetPath() const;
  void SetPath(const classlib::String& Value);
  // The objects of the items, in display order.
  int FolderCount() const { return static_cast<int>(FFolders.size()); }
  // Raises EListError beyond the list.
  TskShellFolder* GetFolder(int Index) const;
  // The first selected item's object, or none.
  TskShellFolder* SelectedFolder() const;
  // The file path of the selected item when it is not a folder, else "".
  classlib::String GetSelectedFile() const;
  // The file paths of the selected items that are not folders, in display order.
  void GetSelectedFiles(classlib::TStrings& Files) const;

  // Operations

  // Shows the folder of an absolute list (the caller keeps the list).
  void SetPathFromID(LPCITEMIDLIST ID);
  // The linked controls' entry: shows that folder unless it is shown already or the view is busy.
  void TreeUpdate(LPCITEMIDLIST ID);
  // Shows the parent folder; nothing at the desktop.
  void Back();
  // Reads the shown folder again and selects the item at the selected index again.
  void Refresh();
  // Brings the links to the shown folder and fills the view (and its columns in report style).
  void RootChanged();
  void CreateRoot();
  // Enumerates the shown folder into the item list.
  virtual void Populate();
  void ClearItems();
  // Rebuilds the report style's columns from the shown folder.
  void EnumColumns();
  // Starts renaming the first selected item in place.
  void EditText();
  void SynchPaths();
  void SetViewStyle(classlib::TViewStyle Value) override;

  void ExecuteCommand(const classlib::String& Verb, bool& Handled) override;
  void CommandCompleted(const classlib::String& Verb, bool Succeeded) override;

  void WndProc(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  bool OwnerDataFetch(classlib::TListItem* Item, classlib::TItemRequest Request) override;
  int OwnerDataFind(classlib::TItemFind Find, const classlib::String& FindString, const classlib::TPoint& FindPosition,
                    LPARAM FindData, int StartIndex, classlib::TSearchDirection Direction, bool Wrap) override;
  void DblClick() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void DoContextPopup(const classlib::TPoint& MousePos, bool& Handled) override;
  void Edit(const LVITEMW& Item) override;

private:
  // One listed item: its object, whether it sorts as a folder, and its name and icon once the list
  // asked for them (a list lays out by every item's name, and redraws ask again for both).
  struct TListed {
    std::unique_ptr<TskShellFolder> Folder;
    bool IsFolder;
    classlib::String Name;
    bool HasName = false;
    int Image = -1;  // in the system list of large icons when LargeImage, else of small ones
    bool LargeImage = false;
  };
  const classlib::String& ItemName(int Index);
  int ItemImage(int Index);

  bool Loading() const;
  bool Destroying() const;
  // What the items are sorted by: whether the view lists one as a folder, whether the shell calls it
  // a folder, its name's sort key, and its place in the unsorted items.
  struct TSortEntry {
    bool IsFolder;
    bool ShellFolder;
    std::string Key;
    size_t Index;
  };
  void SortFolders(std::vector<TSortEntry> Entries);
  // Adds a column for the shell's column Number unless its title is empty or taken; false when taken.
  bool AddColumn(SHELLDETAILS& Details, int Number, classlib::TStringList& Titles, int CharWidth);
  void AddBuiltInColumns(int Count, int CharWidth);
  void ReturnLentStyle();

  classlib::String FOldRoot;
  TRoot FRoot = "rfDesktop";
  std::unique_ptr<TskShellFolder> FRootFolder;
  bool FAutoContextMenus = true;
  bool FAutoRefresh = false;
  bool FAutoNavigate = true;
  bool FSorted = true;
  bool FUpdating = false;
  TShellObjectTypes FObjectTypes{TShellObjectType::otFolders, TShellObjectType::otNonFolders};
  HIMAGELIST FLargeImages = nullptr;
  HIMAGELIST FSmallImages = nullptr;
  std::vector<TListed> FFolders;
  // The folder's column number of every report column after the first.
  std::vector<int> FColumnNumbers;
  TskCustomShellTreeView* FShellTreeView = nullptr;
  TskCustomShellComboBox* FShellComboBox = nullptr;
  bool FLinking = false;
  bool FStyleLentForEdit = false;
  TskShellChangeNotifier* FNotifier = nullptr;  // owned as a component
  bool FSettingRoot = false;
  classlib::String FSavedDirectory;
  classlib::String FMask = "*.*|*.*";
};

class TskSkinFileListView : public TskCustomShellListView {
public:
  using TskCustomShellListView::TskCustomShellListView;
};

}  // namespace skin
