// The window of the skinned open and save dialogs, built in code: a tool bar with the look-in path
// combo box, back, up, new-folder and view buttons; the shell file list with skinned scroll bars;
// and a bottom panel with the file name edit, the file type list and the OK and Cancel buttons.
// The form remembers the folders entered for its back button and decides the chosen file name by
// the rules of its mode (open or save) when the user confirms.
//
// Classes in this file: TskOpenDlgForm.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "skin/shell/ItemIDLists.h"

#include <memory>
#include <vector>

namespace skin {

class TskSkinData;
class TskFormSkin;
class TskSkinPanel;
class TskSkinToolBar;
class TskSkinScrollBar;
class TskSkinFileListView;
class TskSkinEdit;
class TskSkinFilterComboBox;
class TskSkinShellComboBox;
class TskSkinButton;
class TskSkinStdLabel;
class TskSkinSpeedButton;
class TskSkinMenuSpeedButton;
class TskSkinPopupMenu;

class TskOpenDlgForm : public classlib::TForm {
public:
  // SkinData (may be none) supplies the texts through its string table.
  TskOpenDlgForm(classlib::TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData);
  ~TskOpenDlgForm() override;

  // Called with the form as sender after each folder change and each change in the file list.
  classlib::TNotifyEvent OnFolderChange;

  // Attributes
  bool SaveMode() const { return FSaveMode; }
  // Open mode: only a selected file that exists is chosen.
  bool CheckFileExists() const { return FCheckFileExists; }
  void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }
  // The result the OK rules set; empty until then.
  const classlib::String& FileName() const { return FFileName; }
  // The folders entered, oldest first.
  int HistoryCount() const { return static_cast<int>(FHistory.size()); }

  // The controls, for the dialog components that configure them.
  TskFormSkin& FormSkin() const { return *FFormSkin; }
  TskSkinPanel& ListPanel() const { return *FListPanel; }
  TskSkinPanel& BottomPanel() const { return *FBottomPanel; }
  TskSkinScrollBar& HScrollBar() const { return *FHScrollBar; }
  TskSkinScrollBar& VScrollBar() const { return *FVScrollBar; }
  TskSkinFileListView& FileList() const { return *FFileList; }
  TskSkinEdit& FileNameEdit() const { return *FFileNameEdit; }
  TskSkinFilterComboBox& FilterComboBox() const { return *FFilterComboBox; }
  TskSkinShellComboBox& PathComboBox() const { return *FPathComboBox; }
  TskSkinButton& OKButton() const { return *FOKButton; }
  TskSkinButton& CancelButton() const { return *FCancelButton; }
  TskSkinStdLabel& LookInLabel() const { return *FLookInLabel; }
  TskSkinStdLabel& FileNameLabel() const { return *FFileNameLabel; }
  TskSkinStdLabel& FileTypeLabel() const { return *FFileTypeLabel; }
  TskSkinToolBar& ToolBar() const { return *FToolBar; }
  TskSkinSpeedButton& BackButton() const { return *FBackButton; }
  TskSkinSpeedButton& UpButton() const { return *FUpButton; }
  TskSkinSpeedButton& NewFolderButton() const { return *FNewFolderButton; }
  TskSkinMenuSpeedButton& ViewButton() const { return *FViewButton; }
  TskSkinPopupMenu& ViewMenu() const { return *FViewMenu; }
  // The view menu's items: large icons, small icons, list, details.
  classlib::TMenuItem& IconItem() const { return *FIconItem; }
  classlib::TMenuItem& SmallIconItem() const { return *FSmallIconItem; }
  classlib::TMenuItem& ListItem() const { return *FListItem; }
  classlib::TMenuItem& ReportItem() const { return *FReportItem; }

  // Event methods
  void BackToolButtonClick(classlib::TObject* Sender);
  void UpToolButtonClick(classlib::TObject* Sender);
  void NewFolderToolButtonClick(classlib::TObject* Sender);
  void IconItemClick(classlib::TObject* Sender);
  void SmallIconItemClick(classlib::TObject* Sender);
  void ListItemClick(classlib::TObject* Sender);
  void ReportItemClick(classlib::TObject* Sender);
  void FLVChange(classlib::TObject* Sender);
  void FLVPathChange(classlib::TObject* Sender);
  void FLVDBLClick(classlib::TObject* Sender);
  void FLVKeyPress(classlib::TObject* Sender, char& Key);
  void EditKeyPress(classlib::TObject* Sender, char& Key);
  void FCBChange(classlib::TObject* Sender);
  void OpenButtonClick(classlib::TObject* Sender);

  // Checks the view menu's item of Style (unchecking the others) and gives the list that style.
  void SelectViewStyle(classlib::TViewStyle Style);
  // Makes the list's first item the focused one, when it has items.
  void FocusFirstItem();

private:
  using TOwnedIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

  // The text of Key in the skin's string table, or Default without a skin or table.
  classlib::String ResText(const char* Key, const char* Default) const;
  void BuildToolBar();
  void BuildViewMenu();
  void BuildBottomPanel();
  void BuildListPanel();
  // Keeps the bottom panel's edits and buttons at their gaps from the right edge.
  void PlaceBottomControls(classlib::TObject* Sender);
  // The folder shown, with a "\" at its end.
  classlib::String FolderWithDelimiter() const;

  bool FSaveMode;
  std::vector<TOwnedIDList> FHistory;
  bool FNavigating = false;
  TskSkinData* FSkinData;
  classlib::String FFileName;
  TskFormSkin* FFormSkin = nullptr;  // every control below is owned by the form as a component
  TskSkinPanel* FListPanel = nullptr;
  TskSkinPanel* FBottomPanel = nullptr;
  TskSkinScrollBar* FHScrollBar = nullptr;
  TskSkinScrollBar* FVScrollBar = nullptr;
  TskSkinFileListView* FFileList = nullptr;
  TskSkinEdit* FFileNameEdit = nullptr;
  TskSkinFilterComboBox* FFilterComboBox = nullptr;
  TskSkinShellComboBox* FPathComboBox = nullptr;
  TskSkinButton* FOKButton = nullptr;
  TskSkinButton* FCancelButton = nullptr;
  TskSkinStdLabel* FLookInLabel = nullptr;
  TskSkinStdLabel* FFileNameLabel = nullptr;
  TskSkinStdLabel* FFileTypeLabel = nullptr;
  TskSkinToolBar* FToolBar = nullptr;
  TskSkinSpeedButton* FNewFolderButton = nullptr;
  TskSkinSpeedButton* FUpButton = nullptr;
  TskSkinSpeedButton* FBackButton = nullptr;
  TskSkinMenuSpeedButton* FViewButton = nullptr;
  TskSkinPopupMenu* FViewMenu = nullptr;
  classlib::TMenuItem* FIconItem = nullptr;  // owned by the menu
  classlib::TMenuItem* FSmallIconItem = nullptr;
  classlib::TMenuItem* FReportItem = nullptr;
  classlib::TMenuItem* FListItem = nullptr;
  bool FCheckFileExists = true;
};

}  // namespace skin
