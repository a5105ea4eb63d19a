// The skinned dialog for choosing a skin file: the open dialog with a preview area at the right of
// the list, where a small sample window (a skinned frame and one button) shows the selected skin.
// The skin is loaded into skin data of the dialog's own, so the program's skins stay as they are;
// the chosen file type, not the file's extension, decides whether a file is read as a compressed
// skin or as a skin INI file.
//
// Classes in this file: TskOpenSkinDlgForm, TskOpenSkinDialog.
#pragma once

#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileDialog.h"

namespace skin {

class TskSkinButton;
class TskSkinPanel;

class TskOpenSkinDlgForm : public TskOpenDlgForm {
public:
  // SkinData (may be none) supplies the texts through its string table, the sample's too.
  TskOpenSkinDlgForm(classlib::TComponent* AOwner, TskSkinData* ASkinData);

  // Attributes
  // The 1-based entries of the file type list whose files are compressed skins and skin INI files.
  int CompressedIndex() const { return FCompressedIndex; }
  void SetCompressedIndex(int Value) { FCompressedIndex = Value; }
  int UnCompressedIndex() const { return FUnCompressedIndex; }
  void SetUnCompressedIndex(int Value) { FUnCompressedIndex = Value; }

  // The controls.
  TskSkinPanel& PreviewPanel() const { return *FPreviewPanel; }
  // A child window of the preview panel that takes no input.
  classlib::TForm& SampleForm() const { return *FSampleForm; }
  TskFormSkin& SampleFormSkin() const { return *FSampleFormSkin; }
  TskSkinButton& SampleButton() const { return *FSampleButton; }
  // The previewed skin; empty until a load succeeds.
  TskSkinData& PreviewSkinData() const { return *FPreviewSkinData; }

  // Event methods
  // The selected file's name goes into the edit (a folder or no selection empties it and hides
  // the sample) and the file is previewed, once for each time it becomes the selection. A file
  // that cannot be read raises its loader's error.
  void FLVChange(classlib::TObject* Sender) override;
  // Chooses the typed or selected name when it names an existing file; otherwise nothing happens.
  void OpenButtonClick(classlib::TObject* Sender) override;

  // Loads FileName into the preview skin by the chosen file type's loader (none for another type)
  // and shows the sample exactly when the preview skin is not empty afterwards.
  void PreviewSkin(const classlib::String& FileName);

private:
  void BuildPreview();

  classlib::String FSelectedFile;  // the file FLVChange last previewed or tried, "" after none
  int FCompressedIndex = 1;
  int FUnCompressedIndex = 2;
  TskSkinPanel* FPreviewPanel = nullptr;  // owned by the form as components, as are the two below
  classlib::TForm* FSampleForm = nullptr;
  TskSkinData* FPreviewSkinData = nullptr;
  TskSkinButton* FSampleButton = nullptr;
  TskFormSkin* FSampleFormSkin = nullptr;  // owned by the sample form
};

class TskOpenSkinDialog : public TskCustomFileDialog {
public:
  explicit TskOpenSkinDialog(classlib::TComponent* AOwner);

  // Attributes
  // The 1-based filter entries whose files load as compressed skins and as skin INI files; when
  // both name one entry, its files load as compressed skins.
  int CompressedFilterIndex() const { return FCompressedFilterIndex; }
  void SetCompressedFilterIndex(int Value) { FCompressedFilterIndex = Value; }
  int UnCompressedFilterIndex() const { return FUnCompressedFilterIndex; }
  void SetUnCompressedFilterIndex(int Value) { FUnCompressedFilterIndex = Value; }
  // The window, while Execute runs.
  TskOpenSkinDlgForm* SkinForm() const;

protected:
  std::unique_ptr<TskOpenDlgForm> CreateForm() override;
  int DefaultDialogWidth() const override { return 580; }
  void ConfigureControls(TskOpenDlgForm& Form) override;
  void BeforeShow(TskOpenDlgForm& Form) override;

private:
  int FCompressedFilterIndex = 1;
  int FUnCompressedFilterIndex = 2;
};

}  // namespace skin
