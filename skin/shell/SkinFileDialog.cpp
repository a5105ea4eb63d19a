#include "skin/shell/SkinFileDialog.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinShellComboBox.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

// The program opens its work files by bare name in the current directory; the shell may move it
// while a dialog runs (opening an item, for one), so every run gives it back as it found it.
class TCurrentDirectoryKeeper {
public:
  TCurrentDirectoryKeeper() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    FSaved.resize(length);
    if (length == 0 || GetCurrentDirectoryW(length, FSaved.data()) == 0) FSaved.clear();
  }
  ~TCurrentDirectoryKeeper() {
    if (!FSaved.empty()) SetCurrentDirectoryW(FSaved.data());
  }
  TCurrentDirectoryKeeper(const TCurrentDirectoryKeeper&) = delete;
  TCurrentDirectoryKeeper& operator=(const TCurrentDirectoryKeeper&) = delete;

private:
  std::vector<WCHAR> FSaved;
};

String ProgramFolder() {
  WCHAR path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return ExtractFilePath(FromWide(path, static_cast<int>(length)));
}

}  // namespace

TskCustomFileDialog::TskCustomFileDialog(TComponent* AOwner, bool SaveMode)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()), FFiles(std::make_unique<TStringList>()),
      FSaveMode(SaveMode) {
  FDefaultFont->SetName("Arial");
  FDefaultFont->SetHeight(14);
  FDefaultFont->SetStyle({});
}

TskCustomFileDialog::~TskCustomFileDialog() = default;

void TskCustomFileDialog::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskCustomFileDialog::SetCtrlSkinData(TskSkinData* Value) {
  FCtrlSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskCustomFileDialog::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskCustomFileDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TskCustomFileDialog::Change() {
  if (OnChange) OnChange(this);
}

std::unique_ptr<TskOpenDlgForm> TskCustomFileDialog::CreateForm() {
  return std::make_unique<TskOpenDlgForm>(&Application.Get(), FSaveMode, FCtrlSkinData);
}

String TskCustomFileDialog::StartFolder() const {
  // A folder that has gone since the last run must not stop every later one: its name falls back
  // to InitialDir and then to the program's folder, as a missing InitialDir does.
  const String fileFolder = ExtractFilePath(FFileName);
  if (!fileFolder.empty() && DirectoryExists(fileFolder)) return fileFolder;
  if (!FInitialDir.empty() && DirectoryExists(FInitialDir)) return FInitialDir;
  return ProgramFolder();
}

void TskCustomFileDialog::Configure(TskOpenDlgForm& Form) {
  Form.SetCaption(FTitle);

  TskFormSkin& frame = Form.FormSkin();
  frame.SetBorderIcons({});
  frame.SetSkinData(FSkinData);
  frame.SetMenusSkinData(FCtrlSkinData);
  frame.SetMinWidth(FDialogMinWidth);
  frame.SetMinHeight(FDialogMinHeight);
  frame.SetAlphaBlend(FAlphaBlend);
  frame.SetAlphaBlendAnimation(FAlphaBlendAnimation);
  frame.SetAlphaBlendValue(FAlphaBlendValue);

  for (TskSkinCustomComboBox* combo :
       {static_cast<TskSkinCustomComboBox*>(&Form.PathComboBox()), static_cast<TskSkinCustomComboBox*>(&Form.FilterComboBox())}) {
    combo->SetListBoxAlphaBlend(FCtrlAlphaBlend);
    combo->SetListBoxAlphaBlendValue(FCtrlAlphaBlendValue);
    combo->SetListBoxAlphaBlendAnimation(FCtrlAlphaBlendAnimation);
  }
  frame.SetMenusAlphaBlend(FCtrlAlphaBlend);
  frame.SetMenusAlphaBlendValue(FCtrlAlphaBlendValue);
  frame.SetMenusAlphaBlendAnimation(FCtrlAlphaBlendAnimation);

  Form.OKButton().SetDefaultFont(*FDefaultFont);
  Form.CancelButton().SetDefaultFont(*FDefaultFont);
  Form.PathComboBox().SetDefaultFont(*FDefaultFont);
  Form.FileList().SetDefaultFont(*FDefaultFont);

  Form.SelectViewStyle(FViewStyle);

  TskSkinFileListView& list = Form.FileList();
  list.SetRoot(StartFolder());
  list.SetMask(Form.FilterComboBox().Text());
  list.SetHeaderSkinDataName(FLVHeaderSkinDataName);
  list.SetSkinData(FCtrlSkinData);
  list.SetMultiSelect(FMultiSelection);

  Form.FilterComboBox().SetFilter(FFilter);
  Form.FilterComboBox().SetItemIndex(FFilterIndex - 1);

  ConfigureControls(Form);
  Form.ListPanel().SetSkinData(FCtrlSkinData);
  Form.BottomPanel().SetSkinData(FCtrlSkinData);
  Form.ToolBar().SetSkinData(FCtrlSkinData);
  Form.LookInLabel().SetSkinData(FCtrlSkinData);
  Form.UpButton().SetSkinData(FCtrlSkinData);
  Form.BackButton().SetSkinData(FCtrlSkinData);
  Form.ViewButton().SetSkinData(FCtrlSkinData);
  Form.NewFolderButton().SetSkinData(FCtrlSkinData);
  Form.HScrollBar().SetSkinData(FCtrlSkinData);
  Form.VScrollBar().SetSkinData(FCtrlSkinData);
  Form.FileNameEdit().SetSkinData(FCtrlSkinData);
  Form.FilterComboBox().SetSkinData(FCtrlSkinData);
  Form.OKButton().SetSkinData(FCtrlSkinData);
  Form.CancelButton().SetSkinData(FCtrlSkinData);
  Form.FileNameLabel().SetSkinData(FCtrlSkinData);
  Form.FileTypeLabel().SetSkinData(FCtrlSkinData);
  Form.PathComboBox().SetSkinData(FCtrlSkinData);
  Form.PathComboBox().SetSkinDataName(FCtrlSkinData && FCtrlSkinData->GetControlIndex("toolcombobox") != -1
                                          ? "toolcombobox"
                                          : "combobox");

  int width = FDialogWidth > 0 ? FDialogWidth : DefaultDialogWidth();
  int height = FDialogHeight > 0 ? FDialogHeight : DefaultDialogHeight();
  if (FSkinData && !FSkinData->Empty) {
    width = std::max(width, frame.GetMinWidth());
    height = std::max(height, frame.GetMinHeight());
  }
  Form.SetClientWidth(width);
  Form.SetClientHeight(height);

  Form.FocusFirstItem();
  Form.FileNameEdit().SetText(ExtractFileName(FFileName));
}

String SaveModeFileName(const String& Name, const String& Mask) {
  if (Mask.find(".*") != String::npos) return Name;
  // Each pattern of the mask names a type of its own: a name of any of them is kept as it is
  // ("a.mp3" under "*.mp3;*.wav" stays), else the last pattern's extension is added (an empty
  // pattern after a closing ";" adds nothing of its own).
  const String nameExt = AnsiLowerCase(ExtractFileExt(Name));
  String lastExt;
  size_t start = 0;
  while (start <= Mask.size()) {
    const size_t end = std::min(Mask.find(';', start), Mask.size());
    const String patternExt = ExtractFileExt(Mask.substr(start, end - start));
    if (!patternExt.empty()) {
      if (AnsiLowerCase(patternExt) == nameExt) return Name;
      lastExt = patternExt;
    }
    start = end + 1;
  }
  return Name + lastExt;
}

bool TskCustomFileDialog::Execute() {
  const TCurrentDirectoryKeeper directoryKeeper;
  std::unique_ptr<TskOpenDlgForm> form = CreateForm();
  FDialogForm = form.get();
  struct TWindowRelease {
    TskOpenDlgForm*& Field;
    ~TWindowRelease() { Field = nullptr; }
  } release{FDialogForm};
  form->SetCheckFileExists(FCheckFileExists);
  FormCreated(*form);
  Configure(*form);
  BeforeShow(*form);

  const bool confirmed = form->ShowModal() == mrOk;
  ModalRunEnded(*form);

  FFilterIndex = form->FilterComboBox().ItemIndex() + 1;
  FDialogWidth = form->ClientWidth();
  FDialogHeight = form->ClientHeight();
  FViewStyle = form->FileList().ViewStyle();
  ReadBack(*form);
  if (confirmed) {
    FFileName = form->FileName();
    form->FileList().GetSelectedFiles(*FFiles);
    if (AppendsSaveExtension()) FFileName = SaveModeFileName(FFileName, form->FilterComboBox().GetMask());
    Change();
  }
  return confirmed;
}

}  // namespace skin
