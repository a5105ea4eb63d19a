// The window of the skinned select-directory dialog, built in code: the shell folder tree with
// skinned scroll bars above a bottom panel with the OK and Cancel buttons, and on request a tool
// bar with an edit showing the selected folder's path and a new-folder button.
//
// Classes in this file: TskSelDirDlgForm.
#pragma once

#include "platform/classlib/Forms.h"
#include "platform/classlib/TreeView.h"

namespace skin {

class TskSkinData;
class TskFormSkin;
class TskSkinPanel;
class TskSkinScrollBar;
class TskSkinDirTreeView;
class TskSkinButton;
class TskSkinSpeedButton;
class TskSkinEdit;

class TskSelDirDlgForm : public classlib::TForm {
public:
  // SkinData (may be none) supplies the texts through its string table; the tool bar, its path
  // edit and its new-folder button exist only with ShowToolBar.
  TskSelDirDlgForm(classlib::TComponent* AOwner, TskSkinData* ASkinData, bool ShowToolBar);
  ~TskSelDirDlgForm() override;

  // The controls, for the dialog component that configures them.
  bool ShowToolBar() const { return FShowToolBar; }
  TskFormSkin& FormSkin() const { return *FFormSkin; }
  TskSkinPanel& ClientPanel() const { return *FClientPanel; }
  TskSkinPanel& BottomPanel() const { return *FBottomPanel; }
  TskSkinDirTreeView& DirTree() const { return *FDirTree; }
  TskSkinScrollBar& VScrollBar() const { return *FVScrollBar; }
  TskSkinScrollBar& HScrollBar() const { return *FHScrollBar; }
  TskSkinButton& OKButton() const { return *FOKButton; }
  TskSkinButton& CancelButton() const { return *FCancelButton; }
  // Null without the tool bar.
  TskSkinPanel* ToolPanel() const { return FToolPanel; }
  TskSkinSpeedButton* NewFolderButton() const { return FNewFolderButton; }
  TskSkinEdit* PathEdit() const { return FPathEdit; }

  // Event methods
  // Escape cancels; Enter on an existing folder's path selects it in the tree.
  void EditKeyPress(classlib::TObject* Sender, char& Key);
  // Shows the selected folder's path in the tool bar's edit.
  void DirTreeChange(classlib::TObject* Sender, classlib::TTreeNode* Node);
  // Makes a new folder in the selected one, when that is a file-system folder without one.
  void NewFolderToolButtonClick(classlib::TObject* Sender);
  // Confirms only a folder with a file-system path.
  void OKButtonClick(classlib::TObject* Sender);

private:
  // The text of Key in the skin's string table, or Default without a skin or table.
  classlib::String ResText(const char* Key, const char* Default) const;
  void BuildToolBar();
  void BuildClientPanel();
  void BuildBottomPanel();

  TskSkinData* FSkinData;
  bool FShowToolBar;
  TskFormSkin* FFormSkin = nullptr;  // every control below is owned by the form as a component
  TskSkinPanel* FClientPanel = nullptr;
  TskSkinPanel* FBottomPanel = nullptr;
  TskSkinDirTreeView* FDirTree = nullptr;
  TskSkinScrollBar* FVScrollBar = nullptr;
  TskSkinScrollBar* FHScrollBar = nullptr;
  TskSkinButton* FOKButton = nullptr;
  TskSkinButton* FCancelButton = nullptr;
  TskSkinPanel* FToolPanel = nullptr;
  TskSkinSpeedButton* FNewFolderButton = nullptr;
  TskSkinEdit* FPathEdit = nullptr;
};

// Whether Path names a folder of the file system (a drive's or a network share's) rather than a
// virtual folder known by its display name, and that folder exists.
bool IsFileSystemFolder(const classlib::String& Path);

}  // namespace skin
