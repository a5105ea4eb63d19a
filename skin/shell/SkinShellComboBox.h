// The shell path combo box: a skinned combo box whose list shows the shell's namespace as an
// indented outline (the root, its children, the drives, and the chain down to the folder shown),
// each entry with its small shell icon. Choosing an entry moves the linked file list view there;
// when the list view moves, the combo box follows.
//
// Classes in this file: TskItemEx, TskItemsEx, TskCustomShellComboBox, TskSkinShellComboBox.
#pragma once

#include "platform/classlib/Collections.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/shell/ShellFolder.h"

#include <commctrl.h>

#include <memory>

namespace skin {

class TskCustomShellListView;
class TskCustomShellTreeView;

// One entry of the outline; it owns its folder object.
class TskItemEx : public classlib::TCollectionItem {
public:
  explicit TskItemEx(classlib::TCollection* Collection);
  ~TskItemEx() override;

  const classlib::String& Caption() const { return FCaption; }
  void SetCaption(const classlib::String& Value) { FCaption = Value; }
  TskShellFolder* Folder() const { return FFolder.get(); }
  void SetFolder(std::unique_ptr<TskShellFolder> Value) { FFolder = std::move(Value); }
  int Indent() const { return FIndent; }
  void SetIndent(int Value) { FIndent = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  int SelectedImageIndex() const { return FSelectedImageIndex; }
  void SetSelectedImageIndex(int Value) { FSelectedImageIndex = Value; }

  // Copies the values; the copy gets a folder object of its own for the same item.
  void Assign(const classlib::TPersistent& Source) override;
  classlib::String GetDisplayName() const override { return FCaption; }

private:
  classlib::String FCaption;
  std::unique_ptr<TskShellFolder> FFolder;
  int FIndent = 0;
  int FImageIndex = -1;
  int FSelectedImageIndex = -1;
};

class TskItemsEx : public classlib::TCollection {
public:
  TskItemEx* Add() { return static_cast<TskItemEx*>(TCollection::Add()); }
  TskItemEx* Insert(int Index) { return static_cast<TskItemEx*>(TCollection::Insert(Index)); }
  TskItemEx* GetItem(int Index) const { return static_cast<TskItemEx*>(Items(Index)); }
  void SetItem(int Index, const TskItemEx& Value) { GetItem(Index)->Assign(Value); }
  TskItemEx* operator[](int Index) const { return GetItem(Index); }
  // Appends an entry with these values; it takes Folder.
  TskItemEx* AddItem(const classlib::String& Caption, int ImageIndex, int SelectedImageIndex, int Indent,
                     std::unique_ptr<TskShellFolder> Folder);

protected:
  std::unique_ptr<classlib::TCollectionItem> CreateItem() override;
};

class TskCustomShellComboBox : public TskSkinCustomComboBox {
public:
  explicit TskCustomShellComboBox(classlib::TComponent* AOwner);
  ~TskCustomShellComboBox() override;

  // Attributes
  TskItemsEx& ItemsEx() { return FItemsEx; }
  const TskItemsEx& ItemsEx() const { return FItemsEx; }
  void SetItemsEx(const TskItemsEx& Value);
  const TRoot& Root() const { return FRoot; }
  // A value equal to Root but for letter case changes nothing; a bad one raises the path error and
  // leaves Root and the entries as they were.
  void SetRoot(const TRoot& Value);
  TskShellFolder* RootFolder() const { return FRootFolder.get(); }
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  virtual void SetObjectTypes(TShellObjectTypes Value);
  TskCustomShellListView* ShellListView() const { return FListView; }
  void SetListView(TskCustomShellListView* Value);
  TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
  void SetTreeView(TskCustomShellTreeView* Value);
  bool UseShellImages() const { return FUseShellImages; }
  void SetUseShellImages(bool Value);
  HIMAGELIST ImageList() const { return FImageList; }
  int ImageWidth() const { return FImageWidth; }
  int ImageHeight() const { return FImageHeight; }
  // On while the combo box moves the linked views or follows them.
  bool Updating() const { return FUpdating; }

  // Operations
  // Rebuilds the entries from Root: the root entry, then Init.
  void CreateRoot();
  // Fills the entries below the root entry: its children and, for the desktop, the drives.
  virtual void Init();
  // Inserts the children of Parent, sorted as Parent's folder sorts them, after entry Index.
  void AddItemsEx(int Index, TskShellFolder* Parent);
  std::unique_ptr<TskShellFolder> InitItem(TskShellFolder* Parent, LPCITEMIDLIST RelativeID);
  // The last entry whose folder is the item AbsoluteID; -1 when none.
  int IndexFromID(LPCITEMIDLIST AbsoluteID) const;
  // Entry Index's folder; past the end the last entry's; none without entries or for Index < 0.
  TskShellFolder* GetFolder(int Index) const;
  int GetShellImageIndex(const TskShellFolder* Folder) const;
  // Shows the chain of folders down to AbsoluteID and selects it, without moving the linked views.
  void SetPathFromID(LPCITEMIDLIST AbsoluteID);
  // The same for a path; EInvalidPath for one the shell cannot parse.
  void SetPath(const classlib::String& Path);
  // The selected entry's path; "" without a selection.
  classlib::String GetPath() const;
  // Follows a linked view to AbsoluteID, unless the selected entry already shows it.
  void TreeUpdate(LPCITEMIDLIST AbsoluteID);
  // Rebuilds from Root and gives Root to the linked views.
  void RootChanged();
  // The string items again from the entries' captions.
  void CheckItems();
  void ClearItemsEx();

  // Painters of the drop-down rows (indented) and of the face.
  void DrawItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                classlib::TOwnerDrawState State);
  void ComboDrawItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                     classlib::TOwnerDrawState State);

protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Change() override;

private:
  // Draws entry Index's icon at R's left, indented by Offset, and its caption after it.
  void DrawEntry(classlib::TCanvas& Cnvs, int Index, classlib::TRect R, int Offset);
  void InsertEntry(int Index, std::unique_ptr<TskShellFolder> Folder);

  TskItemsEx FItemsEx;
  HIMAGELIST FImageList = nullptr;
  int FImageHeight = 16;
  int FImageWidth = 16;
  TRoot FPreviousRoot;
  TRoot FRoot = "rfDesktop";
  std::unique_ptr<TskShellFolder> FRootFolder;
  TskCustomShellListView* FListView = nullptr;
  TskCustomShellTreeView* FTreeView = nullptr;
  TShellObjectTypes FObjectTypes{TShellObjectType::otFolders};
  bool FUseShellImages = true;
  bool FUpdating = false;
  bool FLinking = false;
};

class TskSkinShellComboBox : public TskCustomShellComboBox {
public:
  using TskCustomShellComboBox::TskCustomShellComboBox;
};

}  // namespace skin
