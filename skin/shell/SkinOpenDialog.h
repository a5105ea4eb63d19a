// The skinned open and save dialogs and the edits that browse through them. A dialog builds its
// window anew at each Execute, copies its settings in, shows it modally and copies the outcome
// back; between runs it remembers the file type chosen, the window's size and the list's view.
//
// Classes in this file: TskSkinOpenDialog, TskSkinSaveDialog, TskSkinFileEdit, TskSkinSaveFileEdit.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Component.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Strings.h"
#include "skin/boxes/SkinEdit.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinData;
class TskOpenDlgForm;

class TskSkinOpenDialog : public classlib::TComponent {
public:
  explicit TskSkinOpenDialog(classlib::TComponent* AOwner);
  ~TskSkinOpenDialog() override;

  // Called with the dialog window as sender after each folder change and each change in its list.
  classlib::TNotifyEvent OnFolderChange;
  // Called after a confirmed Execute.
  classlib::TNotifyEvent OnChange;

  // Attributes
  // The window's client size; 0 or less: 450 x 290. Updated by every Execute.
  int DialogWidth() const { return FDialogWidth; }
  void SetDialogWidth(int Value) { FDialogWidth = Value; }
  int DialogHeight() const { return FDialogHeight; }
  void SetDialogHeight(int Value) { FDialogHeight = Value; }
  // The smallest size the user may give the window's frame.
  int DialogMinWidth() const { return FDialogMinWidth; }
  void SetDialogMinWidth(int Value) { FDialogMinWidth = Value; }
  int DialogMinHeight() const { return FDialogMinHeight; }
  void SetDialogMinHeight(int Value) { FDialogMinHeight = Value; }
  // Open mode: the selected file must exist.
  bool CheckFileExists() const { return FCheckFileExists; }
  void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }
  bool MultiSelection() const { return FMultiSelection; }
  void SetMultiSelection(bool Value) { FMultiSelection = Value; }
  // The window frame's skin.
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  // The controls' skin (menus and drop-down lists too); its string table supplies the texts.
  TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TskSkinData* Value);
  const classlib::String& LVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
  void SetLVHeaderSkinDataName(const classlib::String& Value) { FLVHeaderSkinDataName = Value; }
  // The font of the buttons, path box and list where no skin font applies; setting it copies it.
  classlib::TFont& DefaultFont() const { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  const classlib::String& Title() const { return FTitle; }
  void SetTitle(const classlib::String& Value) { FTitle = Value; }
  // The start folder when FileName has none.
  const classlib::String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const classlib::String& Value) { FInitialDir = Value; }
  // Description and mask pairs separated by "|".
  const classlib::String& Filter() const { return FFilter; }
  void SetFilter(const classlib::String& Value) { FFilter = Value; }
  // The chosen file; also the start folder and the edit's first text. Set while the window is
  // open, it replaces the edit's text too.
  const classlib::String& FileName() const { return FFileName; }
  void SetFileName(const classlib::String& Value);
  // The file type chosen, from 1.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  bool CtrlAlphaBlend() const { return FCtrlAlphaBlend; }
  void SetCtrlAlphaBlend(bool Value) { FCtrlAlphaBlend = Value; }
  std::uint8_t CtrlAlphaBlendValue() const { return FCtrlAlphaBlendValue; }
  void SetCtrlAlphaBlendValue(std::uint8_t Value) { FCtrlAlphaBlendValue = Value; }
  bool CtrlAlphaBlendAnimation() const { return FCtrlAlphaBlendAnimation; }
  void SetCtrlAlphaBlendAnimation(bool Value) { FCtrlAlphaBlendAnimation = Value; }
  // The full paths of every file chosen by the last confirmed Execute.
  classlib::TStrings& Files() const { return *FFiles; }
  // The list's view style, remembered between runs.
  classlib::TViewStyle ViewStyle() const { return FViewStyle; }
  // The window, while Execute runs.
  TskOpenDlgForm* DialogForm() const { return FDialogForm; }

  // Operations
  // True when the user confirmed.
  bool Execute();
  // While Execute runs, the list's selected file; else "".
  classlib::String GetSelectedFile() const;
  void Change();

protected:
  TskSkinOpenDialog(classlib::TComponent* AOwner, bool SaveMode);
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  void Configure(TskOpenDlgForm& Form);
  // The folder the window opens in.
  classlib::String StartFolder() const;

  int FDialogWidth = 0, FDialogHeight = 0;
  int FDialogMinWidth = 0, FDialogMinHeight = 0;
  bool FCheckFileExists = true;
  bool FMultiSelection = false;
  TskSkinData* FSkinData = nullptr;
  TskSkinData* FCtrlSkinData = nullptr;
  classlib::String FLVHeaderSkinDataName = "resizebutton";
  std::unique_ptr<classlib::TFont> FDefaultFont;
  classlib::String FTitle = "Open file";
  TskOpenDlgForm* FDialogForm = nullptr;
  classlib::String FInitialDir;
  classlib::String FFilter = "All files|*.*";
  classlib::String FFileName;
  int FFilterIndex = 1;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 225;
  bool FAlphaBlendAnimation = false;
  bool FCtrlAlphaBlend = false;
  std::uint8_t FCtrlAlphaBlendValue = 225;
  bool FCtrlAlphaBlendAnimation = false;
  std::unique_ptr<classlib::TStringList> FFiles;
  bool FSaveMode;
  classlib::TViewStyle FViewStyle = classlib::TViewStyle::vsList;
};

// The name a save dialog hands back for Name typed with Mask chosen: a mask with ".*" takes any
// name, as does a name whose extension is that of one of the mask's patterns (case ignored); any
// other name gets the extension of the mask's last pattern.
classlib::String SaveModeFileName(const classlib::String& Name, const classlib::String& Mask);

class TskSkinSaveDialog : public TskSkinOpenDialog {
public:
  explicit TskSkinSaveDialog(classlib::TComponent* AOwner);
};

// A skinned edit with a browse button that runs its own dialog and takes the chosen file name.
class TskSkinFileEdit : public TskSkinEdit {
public:
  explicit TskSkinFileEdit(classlib::TComponent* AOwner);
  ~TskSkinFileEdit() override;

  // The owned dialog's filter.
  const classlib::String& Filter() const;
  void SetFilter(const classlib::String& Value);
  TskSkinData* DlgSkinData() const { return FDlgSkinData; }
  void SetDlgSkinData(TskSkinData* Value);
  TskSkinData* DlgCtrlSkinData() const { return FDlgCtrlSkinData; }
  void SetDlgCtrlSkinData(TskSkinData* Value);
  const classlib::String& LVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
  void SetLVHeaderSkinDataName(const classlib::String& Value) { FLVHeaderSkinDataName = Value; }
  TskSkinOpenDialog& Dialog() const { return *FDialog; }

  // Runs the dialog from the edit's text; a confirmed choice becomes the text.
  void ButtonClick(classlib::TObject* Sender);

protected:
  TskSkinFileEdit(classlib::TComponent* AOwner, bool SaveMode);
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  TskSkinOpenDialog* FDialog;  // owned as a component
  TskSkinData* FDlgSkinData = nullptr;
  TskSkinData* FDlgCtrlSkinData = nullptr;
  classlib::String FLVHeaderSkinDataName = "resizebutton";
};

class TskSkinSaveFileEdit : public TskSkinFileEdit {
public:
  explicit TskSkinSaveFileEdit(classlib::TComponent* AOwner);
};

}  // namespace skin
