#include "skin/shell/SkinPictureDialogs.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/shell/SkinFileListView.h"

#include <exception>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

constexpr int PicturePanelStartWidth = 200;
constexpr int BarThickness = 19;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskOpenPictureDlgForm

TskOpenPictureDlgForm::TskOpenPictureDlgForm(TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData)
    : TskOpenDlgForm(AOwner, SaveMode, ASkinData) {
  // The class library's picture knows bitmaps, icons and metafiles by itself; JPEG comes from the
  // image library.
  RegisterJPEGFileFormats();
  SetCheckFileExists(false);
  BuildPictureArea();
  BuildStretchButton();
  // The Cancel button keeps the gap to the right edge it has at the dialog's own size.
  SetClientWidth(550);
  UseFixedBottomLayout(true);
}

void TskOpenPictureDlgForm::BuildPictureArea() {
  FPicturePanel = new TskSkinPanel(this);
  FPicturePanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  FPicturePanel->SetWidth(PicturePanelStartWidth);
  AddSidePanel(*FPicturePanel);

  FSplitter = new TskSkinSplitter(this);
  FSplitter->SetWidth(10);
  FSplitter->SetDefaultSize(10);  // the class library's splitter draws no bevel
  AddSidePanel(*FSplitter);

  FPictureVScrollBar = new TskSkinScrollBar(this);
  FPictureVScrollBar->SetKind(TScrollBarKind::sbVertical);
  FPictureVScrollBar->SetAlign(TAlign::alRight);
  FPictureVScrollBar->SetDefaultWidth(BarThickness);
  FPictureVScrollBar->SetEnabled(false);
  FPictureVScrollBar->SetSkinDataName("vscrollbar");
  FPictureVScrollBar->SetParent(FPicturePanel);

  FPictureHScrollBar = new TskSkinScrollBar(this);
  FPictureHScrollBar->SetAlign(TAlign::alBottom);
  FPictureHScrollBar->SetDefaultHeight(BarThickness);
  FPictureHScrollBar->SetEnabled(false);
  FPictureHScrollBar->SetBothMarkerWidth(BarThickness);
  FPictureHScrollBar->SetSkinDataName("hscrollbar");
  FPictureHScrollBar->SetParent(FPicturePanel);

  FPictureScrollBox = new TskSkinScrollBox(this);
  FPictureScrollBox->SetAlign(TAlign::alClient);
  FPictureScrollBox->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FPictureScrollBox->SetHScrollBar(FPictureHScrollBar);
  FPictureScrollBox->SetVScrollBar(FPictureVScrollBar);
  FPictureScrollBox->SetParent(FPicturePanel);

  FImage = new TImage(this);
  FImage->SetBounds(0, 0, 0, 0);
  FImage->SetParent(FPictureScrollBox);
}

void TskOpenPictureDlgForm::BuildStretchButton() {
  FStretchButton = new TskSkinSpeedButton(this);
  FStretchButton->SetAlign(TAlign::alRight);
  FStretchButton->SetDefaultWidth(27);
  FStretchButton->SetGroupIndex(2);
  FStretchButton->SetAllowAllUp(true);
  FStretchButton->SetSkinDataName("toolbutton");
  FStretchButton->SetNumGlyphs(1);
  LoadGlyph(*FStretchButton, "SK_STRETCH");
  FStretchButton->SetHint(ResText("MSG_BTN_STRETCH_HINT", "Stretch Picture"));
  FStretchButton->SetShowHint(true);
  FStretchButton->OnClick = [this](TObject* Sender) { StretchButtonClick(Sender); };
  TskSkinToolBar& bar = ToolBar();
  FStretchButton->SetParent(&bar);
  // The bar lays its right-aligned controls out from the right edge inwards in the order they
  // joined it: the stretch button goes next to the view button, before those made after it.
  std::vector<TControl*> fartherLeft;
  bool afterView = false;
  for (int i = 0; i < bar.ControlCount(); ++i) {
    TControl* control = bar.Controls(i);
    if (control == &ViewButton())
      afterView = true;
    else if (afterView && control != FStretchButton && control->Align() == TAlign::alRight)
      fartherLeft.push_back(control);
  }
  for (TControl* control : fartherLeft) control->BringToFront();
  bar.Realign();
}

void TskOpenPictureDlgForm::FitUnstretchedImage() {
  if (FImage->Stretch()) return;
  FImage->SetBounds(FImage->Left(), FImage->Top(), FImage->Picture().Width(), FImage->Picture().Height());
  FPictureScrollBox->UpdateScrollRange();
}

void TskOpenPictureDlgForm::LoadPicture(const String& FileName) {
  // The image keeps what it showed when the load fails, and is sized to that.
  std::exception_ptr error;
  try {
    FImage->Picture().LoadFromFile(FileName);
  } catch (...) {
    error = std::current_exception();
  }
  FitUnstretchedImage();
  if (error) std::rethrow_exception(error);
}

void TskOpenPictureDlgForm::FLVChange(TObject*) {
  // The list reports every state change of its items: one click tells of the old item and the new
  // one, and of focus apart from selection. A file is read, and a bad one reported, once for each
  // time it becomes the selection.
  const String selected = FileList().GetSelectedFile();
  if (!selected.empty() && selected == FSelectedFile) return;
  FSelectedFile = selected;
  const String name = ExtractFileName(selected);
  FileNameEdit().SetText(name);
  if (!name.empty()) {
    LoadPicture(FolderWithDelimiter() + name);
    return;
  }
  // Nothing to show: an unstretched picture collapses; a stretched one keeps filling the area.
  FImage->SetBounds(FImage->Left(), FImage->Top(), 0, 0);
}

void TskOpenPictureDlgForm::StretchButtonClick(TObject*) {
  FImage->SetVisible(false);
  if (FStretchButton->Down()) {
    FPictureScrollBox->UpdateScrollRange();
    FImage->SetStretch(true);
    FImage->SetAlign(TAlign::alClient);
    FImage->SetVisible(true);
    return;
  }
  FImage->SetAlign(TAlign::alNone);
  FImage->SetBounds(0, 0, FImage->Picture().Width(), FImage->Picture().Height());
  FImage->SetStretch(false);
  FImage->SetVisible(true);
  FPictureScrollBox->UpdateScrollRange();
}

// ---------------------------------------------------------------------------------------------
// TskSkinOpenPictureDialog

TskSkinOpenPictureDialog::TskSkinOpenPictureDialog(TComponent* AOwner) : TskSkinOpenPictureDialog(AOwner, false) {}

TskSkinOpenPictureDialog::TskSkinOpenPictureDialog(TComponent* AOwner, bool SaveMode)
    : TskCustomFileDialog(AOwner, SaveMode) {
  SetTitle("Open picture");
  SetFilter(
      "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
      "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
}

TskOpenPictureDlgForm* TskSkinOpenPictureDialog::PictureForm() const {
  return static_cast<TskOpenPictureDlgForm*>(DialogForm());
}

std::unique_ptr<TskOpenDlgForm> TskSkinOpenPictureDialog::CreateForm() {
  return std::make_unique<TskOpenPictureDlgForm>(&Application.Get(), SaveMode(), CtrlSkinData());
}

void TskSkinOpenPictureDialog::ConfigureControls(TskOpenDlgForm& Form) {
  auto& form = static_cast<TskOpenPictureDlgForm&>(Form);
  form.PicturePanel().SetWidth(FPicturePanelWidth);
  TskSkinData* skin = CtrlSkinData();
  form.PicturePanel().SetSkinData(skin);
  form.PictureScrollBox().SetSkinData(skin);
  form.PictureVScrollBar().SetSkinData(skin);
  form.PictureHScrollBar().SetSkinData(skin);
  form.StretchButton().SetSkinData(skin);
  form.Splitter().SetSkinData(skin);
}

void TskSkinOpenPictureDialog::BeforeShow(TskOpenDlgForm& Form) {
  auto& form = static_cast<TskOpenPictureDlgForm&>(Form);
  if (FStretchPicture || FPictureStretched) {
    form.StretchButton().SetDown(true);
    form.StretchButtonClick(&form.StretchButton());
  }
  if (!FileExists(FileName())) return;
  // A start file that cannot be shown must not keep the dialog from opening (it would fail at
  // every run while the name stays): the dialog opens without a picture, and the error is shown
  // when the user selects that file.
  try {
    form.LoadPicture(FileName());
  } catch (const std::exception&) {
  }
}

void TskSkinOpenPictureDialog::ReadBack(TskOpenDlgForm& Form) {
  auto& form = static_cast<TskOpenPictureDlgForm&>(Form);
  FPictureStretched = form.StretchButton().Down();
  FPicturePanelWidth = form.PicturePanel().Width();
}

// ---------------------------------------------------------------------------------------------
// TskSkinSavePictureDialog

TskSkinSavePictureDialog::TskSkinSavePictureDialog(TComponent* AOwner) : TskSkinOpenPictureDialog(AOwner, true) {
  SetTitle("Save file");
}

}  // namespace skin
