#include "skin/shell/SkinSoundDialogs.h"

#include "platform/classlib/Forms.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"

namespace skin {

using namespace classlib;

namespace {

constexpr int PlayBarHeight = 25;

}  // namespace

TskOpenSoundDlgForm::TskOpenSoundDlgForm(TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData)
    : TskOpenDlgForm(AOwner, SaveMode, ASkinData),
      FPlayButton(new TskSkinSpeedButton(this)),
      FStopButton(new TskSkinSpeedButton(this)),
      FPlayBar(new TskSkinToolBar(this)) {
  FPlayBar->SetHeight(PlayBarHeight);
  AddBottomStrip(*FPlayBar);
  // Left-aligned controls line up in the order they join the bar: Play first, at the left end.
  for (auto [button, glyph] : {std::pair{FPlayButton, "SK_PLAY"}, std::pair{FStopButton, "SK_STOP"}}) {
    button->SetAlign(TAlign::alLeft);
    button->SetDefaultWidth(25);
    button->SetSkinDataName("toolbutton");
    button->SetNumGlyphs(1);
    LoadGlyph(*button, glyph);
    button->SetParent(FPlayBar);
  }
}

TskSkinOpenSoundDialog::TskSkinOpenSoundDialog(TComponent* AOwner) : TskSkinOpenSoundDialog(AOwner, false) {}

TskSkinOpenSoundDialog::TskSkinOpenSoundDialog(TComponent* AOwner, bool SaveMode) : TskSkinOpenDialog(AOwner, SaveMode) {
  SetTitle("Open sound");
}

std::unique_ptr<TskOpenDlgForm> TskSkinOpenSoundDialog::CreateForm() {
  return std::make_unique<TskOpenSoundDlgForm>(&Application.Get(), SaveMode(), CtrlSkinData());
}

void TskSkinOpenSoundDialog::ConfigureControls(TskOpenDlgForm& Form) {
  auto& form = static_cast<TskOpenSoundDlgForm&>(Form);
  form.PlayButton().OnClick = OnPlayButtonClick;
  form.StopButton().OnClick = OnStopButtonClick;
  form.PlayBar().SetSkinData(CtrlSkinData());
  form.PlayButton().SetSkinData(CtrlSkinData());
  form.StopButton().SetSkinData(CtrlSkinData());
}

void TskSkinOpenSoundDialog::ModalRunEnded(TskOpenDlgForm&) {
  if (OnStopButtonClick) OnStopButtonClick(this);
}

TskSkinSaveSoundDialog::TskSkinSaveSoundDialog(TComponent* AOwner) : TskSkinOpenSoundDialog(AOwner, true) {
  SetTitle("Save file");
}

}  // namespace skin
