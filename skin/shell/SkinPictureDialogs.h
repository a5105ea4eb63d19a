// The skinned open and save dialogs for pictures: the file dialog with a picture area at the right
// of the list that shows the selected file, at its natural size with skinned scroll bars or
// stretched to the area, as a toggle on the tool bar chooses. Between runs the dialog also
// remembers the width of the picture area and the state of the toggle.
//
// Classes in this file: TskOpenPictureDlgForm, TskSkinOpenPictureDialog, TskSkinSavePictureDialog.
#pragma once

#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileDialog.h"

namespace classlib {
class TImage;
}

namespace skin {

class TskSkinPanel;
class TskSkinScrollBox;
class TskSkinScrollBar;
class TskSkinSpeedButton;
class TskSkinSplitter;

class TskOpenPictureDlgForm : public TskOpenDlgForm {
public:
  TskOpenPictureDlgForm(classlib::TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData);

  // The controls, for the dialog component that configures them.
  TskSkinPanel& PicturePanel() const { return *FPicturePanel; }
  classlib::TImage& Image() const { return *FImage; }
  TskSkinScrollBox& PictureScrollBox() const { return *FPictureScrollBox; }
  TskSkinScrollBar& PictureVScrollBar() const { return *FPictureVScrollBar; }
  TskSkinScrollBar& PictureHScrollBar() const { return *FPictureHScrollBar; }
  // Down: the picture fills the area; up: it shows at its natural size.
  TskSkinSpeedButton& StretchButton() const { return *FStretchButton; }
  TskSkinSplitter& Splitter() const { return *FSplitter; }

  // Event methods
  // The selected file's name goes into the edit (a folder or no selection empties it) and the file
  // into the picture area, once for each time it becomes the selection. A file the picture loader
  // cannot read raises its error after the image has been sized to the picture it kept.
  void FLVChange(classlib::TObject* Sender) override;
  // Follows the stretch button's Down, which the click has already toggled.
  void StretchButtonClick(classlib::TObject* Sender);

  // Loads FileName into the image; raises as FLVChange does.
  void LoadPicture(const classlib::String& FileName);

private:
  void BuildPictureArea();
  void BuildStretchButton();
  // An unstretched image takes the picture's size; the scroll range follows.
  void FitUnstretchedImage();

  classlib::String FSelectedFile;  // the file FLVChange last showed or tried, "" after none
  TskSkinPanel* FPicturePanel = nullptr;  // every control below is owned by the form as a component
  classlib::TImage* FImage = nullptr;
  TskSkinScrollBox* FPictureScrollBox = nullptr;
  TskSkinScrollBar* FPictureVScrollBar = nullptr;
  TskSkinScrollBar* FPictureHScrollBar = nullptr;
  TskSkinSpeedButton* FStretchButton = nullptr;
  TskSkinSplitter* FSplitter = nullptr;
};

class TskSkinOpenPictureDialog : public TskCustomFileDialog {
public:
  explicit TskSkinOpenPictureDialog(classlib::TComponent* AOwner);

  // Attributes
  // Every run starts with the picture stretched; the run does not change it.
  bool StretchPicture() const { return FStretchPicture; }
  void SetStretchPicture(bool Value) { FStretchPicture = Value; }
  // The picture area's width and the stretch button's state at the end of the last run.
  int PicturePanelWidth() const { return FPicturePanelWidth; }
  bool PictureStretched() const { return FPictureStretched; }
  // The window, while Execute runs.
  TskOpenPictureDlgForm* PictureForm() const;

protected:
  TskSkinOpenPictureDialog(classlib::TComponent* AOwner, bool SaveMode);
  std::unique_ptr<TskOpenDlgForm> CreateForm() override;
  int DefaultDialogWidth() const override { return 550; }
  void ConfigureControls(TskOpenDlgForm& Form) override;
  void BeforeShow(TskOpenDlgForm& Form) override;
  void ReadBack(TskOpenDlgForm& Form) override;

private:
  bool FStretchPicture = false;
  int FPicturePanelWidth = 190;
  bool FPictureStretched = false;
};

class TskSkinSavePictureDialog : public TskSkinOpenPictureDialog {
public:
  explicit TskSkinSavePictureDialog(classlib::TComponent* AOwner);
};

}  // namespace skin
