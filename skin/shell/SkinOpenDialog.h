// The skinned open and save dialogs and the edits that browse through them. The run and what is
// remembered between runs are those of every skinned file dialog; these add the folder-change
// handler and the selected file while the window is open.
//
// Classes in this file: TskSkinOpenDialog, TskSkinSaveDialog, TskSkinFileEdit, TskSkinSaveFileEdit.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Strings.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/shell/SkinFileDialog.h"

namespace skin {

class TskSkinData;

class TskSkinOpenDialog : public TskCustomFileDialog {
public:
  explicit TskSkinOpenDialog(classlib::TComponent* AOwner);

  // Called with the dialog window as sender after each folder change and each change in its list.
  classlib::TNotifyEvent OnFolderChange;

  // Set while the window is open, the file name replaces the edit's text too.
  void SetFileName(const classlib::String& Value) override;

  // Operations
  // While Execute runs, the list's selected file; else "".
  classlib::String GetSelectedFile() const;

protected:
  TskSkinOpenDialog(classlib::TComponent* AOwner, bool SaveMode);
  void FormCreated(TskOpenDlgForm& Form) override;
};

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
