#include "skin/shell/SkinPreviewDialogs.h"

#include "platform/classlib/Forms.h"

namespace skin {

using namespace classlib;

TskOpenPreviewDlgForm::TskOpenPreviewDlgForm(TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData)
    : TskOpenDlgForm(AOwner, SaveMode, ASkinData), FPreviewPanel(new TskSkinPaintPanel(this)) {
  FPreviewPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FPreviewPanel->SetHeight(40);
  AddBottomStrip(*FPreviewPanel);
}

TskSkinOpenPreviewDialog::TskSkinOpenPreviewDialog(TComponent* AOwner) : TskSkinOpenPreviewDialog(AOwner, false) {}

TskSkinOpenPreviewDialog::TskSkinOpenPreviewDialog(TComponent* AOwner, bool SaveMode)
    : TskSkinOpenDialog(AOwner, SaveMode) {}

std::unique_ptr<TskOpenDlgForm> TskSkinOpenPreviewDialog::CreateForm() {
  return std::make_unique<TskOpenPreviewDlgForm>(&Application.Get(), SaveMode(), CtrlSkinData());
}

void TskSkinOpenPreviewDialog::FormCreated(TskOpenDlgForm& Form) {
  TskSkinOpenDialog::FormCreated(Form);
  TskSkinPaintPanel& strip = static_cast<TskOpenPreviewDlgForm&>(Form).PreviewPanel();
  strip.SetHeight(FPaintPanelSize);
  strip.OnPanelPaint = OnPreviewPanelPaint;
}

void TskSkinOpenPreviewDialog::ConfigureControls(TskOpenDlgForm& Form) {
  static_cast<TskOpenPreviewDlgForm&>(Form).PreviewPanel().SetSkinData(CtrlSkinData());
}

TskSkinPaintPanel* TskSkinOpenPreviewDialog::RunningPreviewPanel() const {
  auto* form = dynamic_cast<TskOpenPreviewDlgForm*>(DialogForm());
  return form ? &form->PreviewPanel() : nullptr;
}

void TskSkinOpenPreviewDialog::PreviewPanelRePaint() {
  if (TskSkinPaintPanel* strip = RunningPreviewPanel()) strip->Repaint();
}

TskSkinSavePreviewDialog::TskSkinSavePreviewDialog(TComponent* AOwner) : TskSkinOpenPreviewDialog(AOwner, true) {
  SetTitle("Save file");
}

}  // namespace skin
