// The window of the skinned open and save dialogs, built in code: a tool bar with the look-in path
// combo box, back, up, new-folder and view buttons; the shell file list with skinned scroll bars;
// and a bottom panel with the file name edit, the file type list and the OK and Cancel buttons.
// The form remembers the folders entered for its back button and decides the chosen file name by
// the rules of its mode (open or save) when the user confirms.
//
// The picture, skin, preview and sound dialogs are this form with a few controls added by a
// derived form's constructor, through the protected interface below.
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

  // Event methods. The handlers the form binds call these through the virtual table, so a derived
  // form's overrides of FLVChange, FLVPathChange and OpenButtonClick take their place.
  void BackToolButtonClick(classlib::TObject* Sender);
  void UpToolButtonClick(classlib::TObject* Sender);
  void NewFolderToolButtonClick(classlib::TObject* Sender);
  void IconItemClick(classlib::TObject* Sender);
  void SmallIconItemClick(classlib::TObject* Sender);
  void ListItemClick(classlib::TObject* Sender);
  void ReportItemClick(classlib::TObject* Sender);
  virtual void FLVChange(classlib::TObject* Sender);
  virtual void FLVPathChange(classlib::TObject* Sender);
  void FLVDBLClick(classlib::TObject* Sender);
  void FLVKeyPress(classlib::TObject* Sender, char& Key);
  void EditKeyPress(classlib::TObject* Sender, char& Key);
  void FCBChange(classlib::TObject* Sender);
  virtual void OpenButtonClick(classlib::TObject* Sender);

  // Checks the view menu's item of Style (unchecking the others) and gives the list that style.
  void SelectViewStyle(classlib::TViewStyle Style);
  // Makes the list's first item the focused one, when it has items.
  void FocusFirstItem();

protected:
  // The text of Key in the skin's string table, or Default without a skin or table.
  classlib::String ResText(const char* Key, const char* Default) const;
  // The skin data given to the constructor (may be none).
  TskSkinData* SkinData() const { return FSkinData; }
  void SetChosenFileName(const classlib::String& Value) { FFileName = Value; }
  // The folder shown, with a "\" at its end.
  classlib::String FolderWithDelimiter() const;
  // The first two steps of a folder change: the history grows (unless the back button is
  // navigating) and the list's first item takes the focus. FLVPathChange then calls the handler.
  void NoteFolderChange();

  // Places Strip across the window directly above the bottom panel; strips added later stand
  // above the earlier ones.
  void AddBottomStrip(classlib::TControl& Strip);
  // Places Panel at the right edge between the tool bar and the bottom panel; panels added later
  // stand left of the earlier ones (a splitter goes in after its panel).
  void AddSidePanel(classlib::TControl& Panel);
  // Switches the bottom panel from right gaps to fixed places: the edit and the type box 280 wide
  // at left 70, OK and Cancel at left 370. With CancelKeepsRightGap the Cancel button then keeps
  // the distance to the right edge it has now (give the form its default size first).
  void UseFixedBottomLayout(bool CancelKeepsRightGap);
  // A bitmap of the program's resources as the button's glyph; a program without it still gets a
  // working button.
  static void LoadGlyph(TskSkinSpeedButton& Button, const char* Name);

private:
  using TOwnedIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

  void BuildToolBar();
  void BuildViewMenu();
  void BuildBottomPanel();
  void BuildListPanel();
  // Keeps the bottom panel's edits and buttons at their gaps from the right edge, or at their fixed
  // places.
  void PlaceBottomControls(classlib::TObject* Sender);

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
  bool FFixedBottomLayout = false;
  int FCancelRightGap = -1;  // -1: the Cancel button stays at its fixed place
};

}  // namespace skin
