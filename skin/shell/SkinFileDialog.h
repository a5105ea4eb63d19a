// What every skinned file dialog component shares: the settings copied into its window, the run
// that builds the window anew, shows it modally, copies the outcome back and frees it, and what
// is remembered between runs (the file type chosen, the window's size, the list's view). A
// dialog with controls of its own takes part in the run through the protected steps below.
//
// Classes in this file: TskCustomFileDialog.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Component.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Strings.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinData;
class TskOpenDlgForm;

class TskCustomFileDialog : public classlib::TComponent {
public:
  ~TskCustomFileDialog() override;

  // Called after a confirmed Execute.
  classlib::TNotifyEvent OnChange;

  // Attributes
  // The window's client size; 0 or less: the dialog's default size. Updated by every Execute.
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
  // The chosen file; also the start folder and the edit's first text.
  const classlib::String& FileName() const { return FFileName; }
  virtual void SetFileName(const classlib::String& Value) { FFileName = Value; }
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
  bool SaveMode() const { return FSaveMode; }
  // The window, while Execute runs.
  TskOpenDlgForm* DialogForm() const { return FDialogForm; }

  // Operations
  // True when the user confirmed.
  bool Execute();
  void Change();

protected:
  TskCustomFileDialog(classlib::TComponent* AOwner, bool SaveMode);
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  // The steps of Execute that a dialog with controls of its own takes part in, in the order they
  // run. Each runs while the window exists.
  //
  // Makes the window (owned by the application object) in the dialog's mode with CtrlSkinData.
  virtual std::unique_ptr<TskOpenDlgForm> CreateForm();
  // Right after the window is made, before anything is configured.
  virtual void FormCreated(TskOpenDlgForm&) {}
  // The client size that a DialogWidth or DialogHeight of 0 or less stands for.
  virtual int DefaultDialogWidth() const { return 450; }
  virtual int DefaultDialogHeight() const { return 290; }
  // Configures the dialog's own controls and gives them CtrlSkinData; runs while the shared
  // controls are configured, before the window gets its size.
  virtual void ConfigureControls(TskOpenDlgForm&) {}
  // Everything is configured and the edit holds FileName's name: the last moment before the user
  // sees the window.
  virtual void BeforeShow(TskOpenDlgForm&) {}
  // The modal run has just ended, however it ended; nothing has been read back yet.
  virtual void ModalRunEnded(TskOpenDlgForm&) {}
  // Reads back the dialog's own state, confirmed or not, after the shared state.
  virtual void ReadBack(TskOpenDlgForm&) {}
  // Whether a confirmed name gets the chosen file type's extension.
  virtual bool AppendsSaveExtension() const { return FSaveMode; }

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

}  // namespace skin
