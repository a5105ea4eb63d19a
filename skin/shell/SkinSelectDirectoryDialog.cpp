#include "skin/shell/SkinSelectDirectoryDialog.h"

#include "platform/classlib/Forms.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/shell/SelDirDlgForm.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinFileCtrl.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

constexpr int DefaultDialogSize = 280;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinSelectDirectoryDialog

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()) {
  FDefaultFont->SetName("Arial");
  FDefaultFont->SetHeight(14);
  FDefaultFont->SetStyle({});
}

TskSkinSelectDirectoryDialog::~TskSkinSelectDirectoryDialog() = default;

void TskSkinSelectDirectoryDialog::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinSelectDirectoryDialog::SetCtrlSkinData(TskSkinData* Value) {
  FCtrlSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinSelectDirectoryDialog::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinSelectDirectoryDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TskSkinSelectDirectoryDialog::Change() {
  if (OnChange) OnChange(this);
}

void TskSkinSelectDirectoryDialog::Configure(TskSelDirDlgForm& Form) {
  Form.SetCaption(FTitle);

  TskFormSkin& frame = Form.FormSkin();
  frame.SetBorderIcons({});
  frame.SetSkinData(FSkinData);
  frame.SetMenusSkinData(FCtrlSkinData);
  frame.SetAlphaBlend(FAlphaBlend);
  frame.SetAlphaBlendAnimation(FAlphaBlendAnimation);
  frame.SetAlphaBlendValue(FAlphaBlendValue);
  frame.SetMinWidth(FDialogMinWidth);
  frame.SetMinHeight(FDialogMinHeight);

  Form.ClientPanel().SetSkinData(FCtrlSkinData);
  TskSkinDirTreeView& tree = Form.DirTree();
  tree.SetDefaultFont(*FDefaultFont);
  tree.SetSkinData(FCtrlSkinData);
  if (!FDirectory.empty() && DirectoryExists(FDirectory))
    tree.SetPath(FDirectory);
  else
    tree.ExpandMyComputer();

  // The tool bar, its edit and its button keep the default look whatever the skin.
  Form.VScrollBar().SetSkinData(FCtrlSkinData);
  Form.HScrollBar().SetSkinData(FCtrlSkinData);
  Form.OKButton().SetSkinData(FCtrlSkinData);
  Form.CancelButton().SetSkinData(FCtrlSkinData);
  Form.BottomPanel().SetSkinData(FCtrlSkinData);
  Form.OKButton().SetDefaultFont(*FDefaultFont);
  Form.CancelButton().SetDefaultFont(*FDefaultFont);

  int width = FDialogWidth > 0 ? FDialogWidth : DefaultDialogSize;
  int height = FDialogHeight > 0 ? FDialogHeight : DefaultDialogSize;
  if (FSkinData && !FSkinData->Empty) {
    width = std::max(width, frame.GetMinWidth());
    height = std::max(height, frame.GetMinHeight());
  }
  Form.SetClientWidth(width);
  Form.SetClientHeight(height);
}

bool TskSkinSelectDirectoryDialog::Execute() {
  std::unique_ptr<TskSelDirDlgForm> form(new TskSelDirDlgForm(&Application.Get(), FCtrlSkinData, FShowToolBar));
  FDialogForm = form.get();
  struct TWindowRelease {
    TskSelDirDlgForm*& Field;
    ~TWindowRelease() { Field = nullptr; }
  } release{FDialogForm};
  Configure(*form);

  const bool confirmed = form->ShowModal() == mrOk;

  FDialogWidth = form->ClientWidth();
  FDialogHeight = form->ClientHeight();
  if (confirmed) {
    FDirectory = form->DirTree().GetPath();
    Change();
  }
  return confirmed;
}

// ---------------------------------------------------------------------------------------------
// TskSkinDirectoryEdit

TskSkinDirectoryEdit::TskSkinDirectoryEdit(TComponent* AOwner)
    : TskSkinEdit(AOwner), FDialog(new TskSkinSelectDirectoryDialog(this)) {
  SetButtonMode(true);
  OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
  SetSkinDataName("buttonedit");
}

TskSkinDirectoryEdit::~TskSkinDirectoryEdit() = default;

void TskSkinDirectoryEdit::SetDlgSkinData(TskSkinData* Value) {
  FDlgSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinDirectoryEdit::SetDlgCtrlSkinData(TskSkinData* Value) {
  FDlgCtrlSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinDirectoryEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinEdit::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FDlgSkinData) FDlgSkinData = nullptr;
  if (AComponent == FDlgCtrlSkinData) FDlgCtrlSkinData = nullptr;
}

void TskSkinDirectoryEdit::ButtonClick(TObject*) {
  FDialog->SetDirectory(Text());
  FDialog->SetSkinData(FDlgSkinData);
  FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
  if (FDialog->Execute()) SetText(FDialog->Directory());
}

}  // namespace skin
