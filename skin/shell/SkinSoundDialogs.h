// The skinned open and save dialogs with a play bar above the bottom panel. The dialog plays
// nothing itself: the Play and Stop buttons hand their clicks to the application's handlers, which
// ask the dialog for the selected file; when the window closes, however it closes, the dialog calls
// the stop handler once more so that nothing keeps playing.
//
// Classes in this file: TskOpenSoundDlgForm, TskSkinOpenSoundDialog, TskSkinSaveSoundDialog.
#pragma once

#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinOpenDialog.h"

namespace skin {

class TskSkinToolBar;

class TskOpenSoundDlgForm : public TskOpenDlgForm {
public:
  TskOpenSoundDlgForm(classlib::TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData);

  // The bar and its two push buttons, Play at the bar's left end and Stop right of it; the buttons
  // have no click handler until the dialog gives them its own.
  TskSkinToolBar& PlayBar() const { return *FPlayBar; }
  TskSkinSpeedButton& PlayButton() const { return *FPlayButton; }
  TskSkinSpeedButton& StopButton() const { return *FStopButton; }

private:
  TskSkinSpeedButton* FPlayButton;  // all owned by the form as components
  TskSkinSpeedButton* FStopButton;
  TskSkinToolBar* FPlayBar;
};

class TskSkinOpenSoundDialog : public TskSkinOpenDialog {
public:
  explicit TskSkinOpenSoundDialog(classlib::TComponent* AOwner);

  // Called with the Play button as sender.
  classlib::TNotifyEvent OnPlayButtonClick;
  // Called with the Stop button as sender, and once more with the dialog as sender as soon as the
  // window's modal run ends (the window still exists then; nothing has been read back yet).
  classlib::TNotifyEvent OnStopButtonClick;

  // Added to 290 for the default window height.
  int PaintPanelSize() const { return FPaintPanelSize; }
  void SetPaintPanelSize(int Value) { FPaintPanelSize = Value; }

protected:
  TskSkinOpenSoundDialog(classlib::TComponent* AOwner, bool SaveMode);
  std::unique_ptr<TskOpenDlgForm> CreateForm() override;
  int DefaultDialogHeight() const override { return FPaintPanelSize + 290; }
  void ConfigureControls(TskOpenDlgForm& Form) override;
  void ModalRunEnded(TskOpenDlgForm& Form) override;

private:
  int FPaintPanelSize = 40;
};

class TskSkinSaveSoundDialog : public TskSkinOpenSoundDialog {
public:
  explicit TskSkinSaveSoundDialog(classlib::TComponent* AOwner);
};

}  // namespace skin
