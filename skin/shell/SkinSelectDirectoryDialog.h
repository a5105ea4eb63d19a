// The skinned select-directory dialog and the edit that browses through it. The dialog builds its
// window anew at each Execute, copies its settings in, shows it modally and copies the outcome
// back; between runs it remembers the chosen folder and the window's size.
//
// Classes in this file: TskSkinSelectDirectoryDialog, TskSkinDirectoryEdit.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Graphics.h"
#include "skin/boxes/SkinEdit.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinData;
class TskSelDirDlgForm;

class TskSkinSelectDirectoryDialog : public classlib::TComponent {
public:
  explicit TskSkinSelectDirectoryDialog(classlib::TComponent* AOwner);
  ~TskSkinSelectDirectoryDialog() override;

  // Called with the dialog as sender after a confirmed Execute.
  classlib::TNotifyEvent OnChange;

  // Attributes
  // The window's client size; 0 or less: 280 x 280. Updated by every Execute.
  int DialogWidth() const { return FDialogWidth; }
  void SetDialogWidth(int Value) { FDialogWidth = Value; }
  int DialogHeight() const { return FDialogHeight; }
  void SetDialogHeight(int Value) { FDialogHeight = Value; }
  // The smallest size the user may give the window's frame.
  int DialogMinWidth() const { return FDialogMinWidth; }
  void SetDialogMinWidth(int Value) { FDialogMinWidth = Value; }
  int DialogMinHeight() const { return FDialogMinHeight; }
  void SetDialogMinHeight(int Value) { FDialogMinHeight = Value; }
  // The window frame's skin.
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  // The controls' skin (menus too); its string table supplies the texts.
  TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TskSkinData* Value);
  // The font of the tree and the buttons where no skin font applies; setting it copies it.
  classlib::TFont& DefaultFont() const { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  const classlib::String& GetTitle() const { return FTitle; }
  void SetTitle(const classlib::String& Value) { FTitle = Value; }
  // The start folder; after a confirmed Execute, the folder chosen.
  const classlib::String& Directory() const { return FDirectory; }
  void SetDirectory(const classlib::String& Value) { FDirectory = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  // Adds a tool bar with the selected folder's path and a new-folder button.
  bool ShowToolBar() const { return FShowToolBar; }
  void SetShowToolBar(bool Value) { FShowToolBar = Value; }
  // The window, while Execute runs.
  TskSelDirDlgForm* DialogForm() const { return FDialogForm; }

  // Operations
  // True when the user confirmed a folder of the file system.
  bool Execute();
  void Change();

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  void Configure(TskSelDirDlgForm& Form);

  int FDialogWidth = 0, FDialogHeight = 0;
  int FDialogMinWidth = 0, FDialogMinHeight = 0;
  TskSkinData* FSkinData = nullptr;
  TskSkinData* FCtrlSkinData = nullptr;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  classlib::String FTitle = "Select folder";
  TskSelDirDlgForm* FDialogForm = nullptr;
  classlib::String FDirectory;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 200;
  bool FAlphaBlendAnimation = false;
  bool FShowToolBar = false;
};

// A skinned edit with a browse button that runs its own select-directory dialog from its text and
// takes the chosen folder.
class TskSkinDirectoryEdit : public TskSkinEdit {
public:
  explicit TskSkinDirectoryEdit(classlib::TComponent* AOwner);
  ~TskSkinDirectoryEdit() override;

  // Given to the dialog before each run.
  TskSkinData* DlgSkinData() const { return FDlgSkinData; }
  void SetDlgSkinData(TskSkinData* Value);
  TskSkinData* DlgCtrlSkinData() const { return FDlgCtrlSkinData; }
  void SetDlgCtrlSkinData(TskSkinData* Value);
  TskSkinSelectDirectoryDialog& Dialog() const { return *FDialog; }

  // Runs the dialog from the edit's text; a confirmed folder becomes the text.
  void ButtonClick(classlib::TObject* Sender);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  TskSkinSelectDirectoryDialog* FDialog;  // owned as a component
  TskSkinData* FDlgSkinData = nullptr;
  TskSkinData* FDlgCtrlSkinData = nullptr;
};

}  // namespace skin
