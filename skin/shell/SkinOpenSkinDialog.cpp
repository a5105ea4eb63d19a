#include "skin/shell/SkinOpenSkinDialog.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"

namespace skin {

using namespace classlib;

namespace {

constexpr int PreviewPanelWidth = 230;
constexpr int SampleMargin = 5;
constexpr int SampleHeight = 170;

// A form that lives as a child window of its parent control, shown without taking the activation
// from the window it sits in.
class TSampleForm : public TForm {
public:
  using TForm::TForm;

protected:
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    if (!Parent()) return;
    Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
    Params.ExStyle &= ~(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME);
    Params.WndParent = Parent()->Handle();
  }
  void VisibleChanged() override {
    if (Visible())
      ShowWindow(Handle(), SW_SHOWNA);
    else if (HandleAllocated())
      ShowWindow(Handle(), SW_HIDE);
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskOpenSkinDlgForm

TskOpenSkinDlgForm::TskOpenSkinDlgForm(TComponent* AOwner, TskSkinData* ASkinData)
    : TskOpenDlgForm(AOwner, false, ASkinData) {
  BuildPreview();
  UseFixedBottomLayout(false);
}

void TskOpenSkinDlgForm::BuildPreview() {
  FPreviewPanel = new TskSkinPanel(this);
  FPreviewPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FPreviewPanel->SetWidth(PreviewPanelWidth);
  AddSidePanel(*FPreviewPanel);

  FSampleForm = new TSampleForm(this);
  FSampleForm->SetCaption(ResText("MSG_PREVIEWSKIN", "Preview"));
  FSampleForm->SetEnabled(false);
  FSampleForm->SetBounds(SampleMargin, SampleMargin, PreviewPanelWidth - 2 * SampleMargin, SampleHeight);
  FSampleForm->SetParent(FPreviewPanel);

  FPreviewSkinData = new TskSkinData(this);
  if (SkinData() && SkinData()->ResourceStrData()) FPreviewSkinData->SetResourceStrData(SkinData()->ResourceStrData());

  FSampleButton = new TskSkinButton(this);
  FSampleButton->SetWidth(100);
  FSampleButton->SetCaption(ResText("MSG_PREVIEWBUTTON", "Button"));
  FSampleButton->SetLeft(20);
  FSampleButton->SetTop(20);
  FSampleButton->SetSkinData(FPreviewSkinData);
  FSampleButton->SetParent(FSampleForm);

  // Made last: the frame takes its window at once, inside the panel.
  FSampleFormSkin = new TskFormSkin(FSampleForm);
  FSampleFormSkin->SetSkinData(FPreviewSkinData);
  // The sample never has the focus, yet shows the skin's active frame.
  FSampleFormSkin->AlwaysActive = true;
}

void TskOpenSkinDlgForm::PreviewSkin(const String& FileName) {
  const int entry = FilterComboBox().ItemIndex() + 1;
  if (entry == FCompressedIndex)
    FPreviewSkinData->LoadFromCompressedFile(FileName);
  else if (entry == FUnCompressedIndex)
    FPreviewSkinData->LoadFromFile(FileName);
  FSampleForm->SetVisible(!FPreviewSkinData->Empty);
}

void TskOpenSkinDlgForm::FLVChange(TObject*) {
  // The list reports every state change of its items (the old item and the new one, focus apart
  // from selection): a skin is loaded, and a bad one reported, once for each time it becomes the
  // selection.
  const String selected = FileList().GetSelectedFile();
  if (!selected.empty() && selected == FSelectedFile) return;
  FSelectedFile = selected;
  const String name = ExtractFileName(selected);
  FileNameEdit().SetText(name);
  if (name.empty()) {
    FSampleForm->SetVisible(false);
    return;
  }
  PreviewSkin(FolderWithDelimiter() + name);
}

void TskOpenSkinDlgForm::OpenButtonClick(TObject*) {
  const String text = FileNameEdit().Text();
  if (text.empty()) return;
  // As in the save dialog: a rooted name stands as typed (the folder's path put before it would
  // name nothing), and a virtual folder (My Computer) has no file system path to put a name into.
  String name;
  if ((text.size() >= 2 && text[1] == ':') || text.rfind("\\\\", 0) == 0) {
    name = text;
  } else {
    const TskShellFolder* root = FileList().RootFolder();
    const String folder = root ? root->FullObjectName() : String();
    if (folder.empty()) return;
    name = IncludeTrailingPathDelimiter(folder) + text;
  }
  if (text.find('*') == String::npos && FileExists(name)) {
    SetChosenFileName(name);
    SetModalResult(mrOk);
  } else {
    SetChosenFileName(String());
  }
}

// ---------------------------------------------------------------------------------------------
// TskOpenSkinDialog

TskOpenSkinDialog::TskOpenSkinDialog(TComponent* AOwner) : TskCustomFileDialog(AOwner, false) {
  SetTitle("Open skin");
  SetFilter("Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini");
  SetAlphaBlendValue(200);
}

TskOpenSkinDlgForm* TskOpenSkinDialog::SkinForm() const { return static_cast<TskOpenSkinDlgForm*>(DialogForm()); }

std::unique_ptr<TskOpenDlgForm> TskOpenSkinDialog::CreateForm() {
  return std::make_unique<TskOpenSkinDlgForm>(&Application.Get(), CtrlSkinData());
}

void TskOpenSkinDialog::ConfigureControls(TskOpenDlgForm& Form) {
  auto& form = static_cast<TskOpenSkinDlgForm&>(Form);
  // One skin is chosen at a time.
  form.FileList().SetMultiSelect(false);
  form.PreviewPanel().SetSkinData(CtrlSkinData());
  form.SetCompressedIndex(FCompressedFilterIndex);
  form.SetUnCompressedIndex(FUnCompressedFilterIndex);
}

void TskOpenSkinDialog::BeforeShow(TskOpenDlgForm& Form) {
  if (!FileExists(FileName())) return;
  // A start file that cannot be read must not keep the dialog from opening (it would fail at
  // every run while the name stays): the dialog opens without a sample, and the error is shown
  // when the user selects that file.
  try {
    static_cast<TskOpenSkinDlgForm&>(Form).PreviewSkin(FileName());
  } catch (const std::exception&) {
  }
}

}  // namespace skin
