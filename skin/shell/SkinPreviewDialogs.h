// The skinned open and save dialogs with a preview strip above the bottom panel that the
// application paints: the dialog draws only the strip's background and hands its canvas to
// OnPreviewPanelPaint; the application asks for a redraw (say, from OnFolderChange) with
// PreviewPanelRePaint and reads the selected file with GetSelectedFile.
//
// Classes in this file: TskOpenPreviewDlgForm, TskSkinOpenPreviewDialog, TskSkinSavePreviewDialog.
#pragma once

#include "skin/controls/SkinPanel.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinOpenDialog.h"

namespace skin {

class TskOpenPreviewDlgForm : public TskOpenDlgForm {
public:
  TskOpenPreviewDlgForm(classlib::TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData);

  // The strip, 40 pixels high and without a paint handler until the dialog sets them.
  TskSkinPaintPanel& PreviewPanel() const { return *FPreviewPanel; }

private:
  TskSkinPaintPanel* FPreviewPanel;  // owned by the form as a component
};

class TskSkinOpenPreviewDialog : public TskSkinOpenDialog {
public:
  explicit TskSkinOpenPreviewDialog(classlib::TComponent* AOwner);

  // Called with the strip's off-screen canvas and its client rectangle each time it draws itself.
  // Read when the window is made: a change during a run takes effect at the next one.
  TskPaintPanelEvent OnPreviewPanelPaint;

  // The strip's height; the default window height is 290 plus this. Read when the window is made.
  int PaintPanelSize() const { return FPaintPanelSize; }
  void SetPaintPanelSize(int Value) { FPaintPanelSize = Value; }

  // Operations
  // While Execute runs, redraws the strip at once; else nothing.
  void PreviewPanelRePaint();

protected:
  TskSkinOpenPreviewDialog(classlib::TComponent* AOwner, bool SaveMode);
  std::unique_ptr<TskOpenDlgForm> CreateForm() override;
  void FormCreated(TskOpenDlgForm& Form) override;
  int DefaultDialogHeight() const override { return FPaintPanelSize + 290; }
  void ConfigureControls(TskOpenDlgForm& Form) override;

private:
  // The running window's strip, or none.
  TskSkinPaintPanel* RunningPreviewPanel() const;

  int FPaintPanelSize = 40;
};

class TskSkinSavePreviewDialog : public TskSkinOpenPreviewDialog {
public:
  explicit TskSkinSavePreviewDialog(classlib::TComponent* AOwner);
};

}  // namespace skin
