#include "skin/shell/SkinOpenDialog.h"

#include "platform/classlib/SysUtils.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileListView.h"

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinOpenDialog

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner, false) {}

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner, bool SaveMode) : TskCustomFileDialog(AOwner, SaveMode) {}

void TskSkinOpenDialog::SetFileName(const String& Value) {
  TskCustomFileDialog::SetFileName(Value);
  if (DialogForm()) DialogForm()->FileNameEdit().SetText(ExtractFileName(Value));
}

String TskSkinOpenDialog::GetSelectedFile() const {
  return DialogForm() ? DialogForm()->FileList().GetSelectedFile() : String();
}

void TskSkinOpenDialog::FormCreated(TskOpenDlgForm& Form) {
  Form.OnFolderChange = [this](TObject* Sender) {
    if (OnFolderChange) OnFolderChange(Sender);
  };
}

// ---------------------------------------------------------------------------------------------
// TskSkinSaveDialog

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner, true) { SetTitle("Save file"); }

// ---------------------------------------------------------------------------------------------
// File edits

TskSkinFileEdit::TskSkinFileEdit(TComponent* AOwner) : TskSkinFileEdit(AOwner, false) {}

TskSkinFileEdit::TskSkinFileEdit(TComponent* AOwner, bool SaveMode)
    : TskSkinEdit(AOwner),
      FDialog(SaveMode ? new TskSkinSaveDialog(this) : new TskSkinOpenDialog(this)) {
  SetButtonMode(true);
  OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
  SetSkinDataName("buttonedit");
}

TskSkinFileEdit::~TskSkinFileEdit() = default;

const String& TskSkinFileEdit::Filter() const { return FDialog->Filter(); }

void TskSkinFileEdit::SetFilter(const String& Value) { FDialog->SetFilter(Value); }

void TskSkinFileEdit::SetDlgSkinData(TskSkinData* Value) {
  FDlgSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinFileEdit::SetDlgCtrlSkinData(TskSkinData* Value) {
  FDlgCtrlSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinFileEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinEdit::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FDlgSkinData) FDlgSkinData = nullptr;
  if (AComponent == FDlgCtrlSkinData) FDlgCtrlSkinData = nullptr;
}

void TskSkinFileEdit::ButtonClick(TObject*) {
  FDialog->SetFileName(Text());
  FDialog->SetSkinData(FDlgSkinData);
  FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
  FDialog->SetLVHeaderSkinDataName(FLVHeaderSkinDataName);
  if (FDialog->Execute()) SetText(FDialog->FileName());
}

TskSkinSaveFileEdit::TskSkinSaveFileEdit(TComponent* AOwner) : TskSkinFileEdit(AOwner, true) {}

}  // namespace skin
