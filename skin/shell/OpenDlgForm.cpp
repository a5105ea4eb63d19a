#include "skin/shell/OpenDlgForm.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinShellComboBox.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// The bottom panel's rows and gaps.
constexpr int BottomPanelHeight = 80;
constexpr int RowTop[2] = {10, 45};
constexpr int LabelLeft = 10;
constexpr int FieldLeft = 70;
constexpr int FieldRightGap = 90;
constexpr int ButtonRightGap = 10;
constexpr int ButtonWidth = 70;
// The fixed places of the bottom panel's fields and buttons in the dialogs that use them.
constexpr int FixedFieldWidth = 280;
constexpr int FixedButtonLeft = 370;

TskSkinBevel* Spacer(TskSkinToolBar& Bar, TAlign Align) {
  auto* spacer = new TskSkinBevel(Bar.Owner());
  spacer->SetShape(TBevelShape::bsSpacer);
  spacer->SetAlign(Align);
  spacer->SetWidth(10);
  spacer->SetParent(&Bar);
  return spacer;
}

}  // namespace

TskOpenDlgForm::TskOpenDlgForm(TComponent* AOwner, bool SaveMode, TskSkinData* ASkinData)
    : TForm(AOwner), FSaveMode(SaveMode), FSkinData(ASkinData) {
  SetKeyPreview(true);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(450);
  SetClientHeight(290);
  FFormSkin = new TskFormSkin(this);
  BuildViewMenu();
  BuildToolBar();
  // The list first: the file type box hands its first mask to it as soon as it gets its window.
  BuildListPanel();
  BuildBottomPanel();
  OnShow = [this](TObject*) {
    if (FFileNameEdit->HandleAllocated() && FFileNameEdit->Showing()) FFileNameEdit->SetFocus();
  };
}

TskOpenDlgForm::~TskOpenDlgForm() {
  // The list and the combo box point at each other: unlink before the components go.
  FFileList->SetComboBox(nullptr);
  FHistory.clear();
}

void TskOpenDlgForm::LoadGlyph(TskSkinSpeedButton& Button, const char* Name) {
  if (!FindResourceA(GetModuleHandleW(nullptr), Name, MAKEINTRESOURCEA(2))) return;
  TBitmap glyph;
  glyph.LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  Button.SetGlyph(glyph);
}

String TskOpenDlgForm::ResText(const char* Key, const char* Default) const {
  if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->GetResStr(Key);
  return Default;
}

// ---------------------------------------------------------------------------------------------
// Construction

void TskOpenDlgForm::BuildViewMenu() {
  FViewMenu = new TskSkinPopupMenu(this);
  FViewMenu->SetPopupForm(this);
  struct TItemPlan {
    TMenuItem*& Item;
    const char* Key;
    const char* Default;
    void (TskOpenDlgForm::*Click)(TObject*);
  };
  const TItemPlan plans[] = {
      {FIconItem, "MSG_LV_ICON", "Large icons", &TskOpenDlgForm::IconItemClick},
      {FSmallIconItem, "MSG_LV_SMALLICON", "Small icons", &TskOpenDlgForm::SmallIconItemClick},
      {FListItem, "MSG_LV_LIST", "List", &TskOpenDlgForm::ListItemClick},
      {FReportItem, "MSG_LV_DETAILS", "Details", &TskOpenDlgForm::ReportItemClick}};
  for (const TItemPlan& plan : plans) {
    plan.Item = new TMenuItem(FViewMenu);
    plan.Item->SetCaption(ResText(plan.Key, plan.Default));
    plan.Item->SetRadioItem(true);
    const auto click = plan.Click;
    plan.Item->OnClick = [this, click](TObject* Sender) { (this->*click)(Sender); };
    FViewMenu->Items()->Add(plan.Item);
  }
}

void TskOpenDlgForm::BuildToolBar() {
  FToolBar = new TskSkinToolBar(this);
  FToolBar->SetAlign(TAlign::alTop);
  FToolBar->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FToolBar->SetDefaultHeight(25);
  FToolBar->SetSkinDataName("toolpanel");
  FToolBar->SetParent(this);

  Spacer(*FToolBar, TAlign::alLeft);
  FLookInLabel = new TskSkinStdLabel(this);
  FLookInLabel->SetAutoSize(true);
  FLookInLabel->SetAlign(TAlign::alLeft);
  FLookInLabel->SetLayout(TTextLayout::tlCenter);
  FLookInLabel->SetCaption(ResText("FLV_LOOKIN", "Look in: "));
  FLookInLabel->SetParent(FToolBar);

  // The class library gives the right edge to the first right-aligned control: made from the right
  // end inwards, the bar shows the spacer, back, up, new folder and view, from left to right.
  FViewButton = new TskSkinMenuSpeedButton(this);
  FViewButton->SetAlign(TAlign::alRight);
  FViewButton->SetDefaultWidth(37);
  FViewButton->SetSkinDataName("toolmenubutton");
  FViewButton->SetNumGlyphs(1);
  LoadGlyph(*FViewButton, "SK_LVSTYLE");
  FViewButton->SetSkinPopupMenu(FViewMenu);
  FViewButton->SetHint(ResText("MSG_BTN_VIEWMENU_HINT", "View Menu"));
  FViewButton->SetShowHint(true);
  FViewButton->SetParent(FToolBar);

  struct TButtonPlan {
    TskSkinSpeedButton*& Button;
    const char* Glyph;
    const char* HintKey;
    const char* Hint;
    void (TskOpenDlgForm::*Click)(TObject*);
  };
  const TButtonPlan plans[] = {
      {FNewFolderButton, "SK_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", "Create New Folder",
       &TskOpenDlgForm::NewFolderToolButtonClick},
      {FUpButton, "SK_UP", "MSG_BTN_UP_HINT", "Up One Level", &TskOpenDlgForm::UpToolButtonClick},
      {FBackButton, "SK_BACK", "MSG_BTN_BACK_HINT", "Go To Last Folder Visited", &TskOpenDlgForm::BackToolButtonClick}};
  for (const TButtonPlan& plan : plans) {
    plan.Button = new TskSkinSpeedButton(this);
    plan.Button->SetAlign(TAlign::alRight);
    plan.Button->SetDefaultWidth(27);
    plan.Button->SetDefaultHeight(25);
    plan.Button->SetSkinDataName("toolbutton");
    plan.Button->SetNumGlyphs(1);
    LoadGlyph(*plan.Button, plan.Glyph);
    plan.Button->SetHint(ResText(plan.HintKey, plan.Hint));
    plan.Button->SetShowHint(true);
    const auto click = plan.Click;
    plan.Button->OnClick = [this, click](TObject* Sender) { (this->*click)(Sender); };
    plan.Button->SetParent(FToolBar);
  }
  Spacer(*FToolBar, TAlign::alRight);

  FPathComboBox = new TskSkinShellComboBox(this);
  FPathComboBox->SetAlign(TAlign::alClient);
  FPathComboBox->SetDropDownCount(10);
  FPathComboBox->SetParent(FToolBar);
}

void TskOpenDlgForm::BuildBottomPanel() {
  FBottomPanel = new TskSkinPanel(this);
  FBottomPanel->SetAlign(TAlign::alBottom);
  FBottomPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FBottomPanel->SetHeight(BottomPanelHeight);
  FBottomPanel->SetParent(this);

  const char* labelKeys[2] = {"MSG_FILENAME", "MSG_FILETYPE"};
  const char* labelTexts[2] = {"File name:", "File type:"};
  TskSkinStdLabel** labels[2] = {&FFileNameLabel, &FFileTypeLabel};
  for (int row = 0; row < 2; ++row) {
    auto* label = new TskSkinStdLabel(this);
    label->SetAutoSize(true);
    label->SetCaption(ResText(labelKeys[row], labelTexts[row]));
    label->SetLeft(LabelLeft);
    label->SetTop(RowTop[row]);
    label->SetParent(FBottomPanel);
    *labels[row] = label;
  }

  FFileNameEdit = new TskSkinEdit(this);
  FFileNameEdit->SetDefaultHeight(21);
  FFileNameEdit->OnKeyPress = [this](TObject* Sender, char& Key) { EditKeyPress(Sender, Key); };
  FFileNameEdit->SetParent(FBottomPanel);

  FFilterComboBox = new TskSkinFilterComboBox(this);
  FFilterComboBox->SetDefaultHeight(21);
  FFilterComboBox->OnChange = [this](TObject* Sender) { FCBChange(Sender); };
  FFilterComboBox->SetParent(FBottomPanel);

  FOKButton = new TskSkinButton(this);
  FOKButton->SetCaption(FSaveMode ? ResText("MSG_BTN_SAVE", "&Save") : ResText("MSG_BTN_OPEN", "&Open"));
  FOKButton->SetDefaultHeight(25);
  FOKButton->SetCanFocused(true);
  FOKButton->OnClick = [this](TObject* Sender) { OpenButtonClick(Sender); };
  FOKButton->SetParent(FBottomPanel);

  FCancelButton = new TskSkinButton(this);
  FCancelButton->SetCaption(ResText("MSG_BTN_CANCEL", "Cancel"));
  FCancelButton->SetDefaultHeight(25);
  FCancelButton->SetCanFocused(true);
  FCancelButton->SetModalResult(mrCancel);
  FCancelButton->SetCancel(true);
  FCancelButton->SetParent(FBottomPanel);

  FBottomPanel->OnResize = [this](TObject* Sender) { PlaceBottomControls(Sender); };
  PlaceBottomControls(FBottomPanel);
}

void TskOpenDlgForm::UseFixedBottomLayout(bool CancelKeepsRightGap) {
  FFixedBottomLayout = true;
  FCancelRightGap = CancelKeepsRightGap ? FBottomPanel->Width() - (FixedButtonLeft + ButtonWidth) : -1;
  PlaceBottomControls(FBottomPanel);
}

void TskOpenDlgForm::PlaceBottomControls(TObject*) {
  const int width = FBottomPanel->Width();
  if (FFixedBottomLayout) {
    FFileNameEdit->SetBounds(FieldLeft, RowTop[0], FixedFieldWidth, FFileNameEdit->Height());
    FFilterComboBox->SetBounds(FieldLeft, RowTop[1], FixedFieldWidth, FFilterComboBox->Height());
    FOKButton->SetBounds(FixedButtonLeft, RowTop[0], ButtonWidth, FOKButton->Height());
    const int cancelLeft = FCancelRightGap < 0 ? FixedButtonLeft : width - FCancelRightGap - ButtonWidth;
    FCancelButton->SetBounds(cancelLeft, RowTop[1], ButtonWidth, FCancelButton->Height());
    return;
  }
  const int fieldWidth = std::max(0, width - FieldRightGap - FieldLeft);
  FFileNameEdit->SetBounds(FieldLeft, RowTop[0], fieldWidth, FFileNameEdit->Height());
  FFilterComboBox->SetBounds(FieldLeft, RowTop[1], fieldWidth, FFilterComboBox->Height());
  const int buttonLeft = width - ButtonRightGap - ButtonWidth;
  FOKButton->SetBounds(buttonLeft, RowTop[0], ButtonWidth, FOKButton->Height());
  FCancelButton->SetBounds(buttonLeft, RowTop[1], ButtonWidth, FCancelButton->Height());
}

void TskOpenDlgForm::AddBottomStrip(TControl& Strip) {
  // Controls of one alignment are laid out in the order they joined the form, the first one at the
  // edge: the bottom panel joined before any strip.
  Strip.SetAlign(TAlign::alBottom);
  Strip.SetParent(this);
}

void TskOpenDlgForm::AddSidePanel(TControl& Panel) {
  // Top and bottom aligned controls take their rows first, so a right-aligned one stands between.
  Panel.SetAlign(TAlign::alRight);
  Panel.SetParent(this);
}

void TskOpenDlgForm::BuildListPanel() {
  FListPanel = new TskSkinPanel(this);
  FListPanel->SetAlign(TAlign::alClient);
  FListPanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  FListPanel->SetParent(this);

  FHScrollBar = new TskSkinScrollBar(this);
  FHScrollBar->SetAlign(TAlign::alBottom);
  FHScrollBar->SetDefaultHeight(19);
  FHScrollBar->SetBothMarkerWidth(19);
  FHScrollBar->SetEnabled(false);
  FHScrollBar->SetSkinDataName("hscrollbar");
  FHScrollBar->SetParent(FListPanel);

  FVScrollBar = new TskSkinScrollBar(this);
  FVScrollBar->SetKind(TScrollBarKind::sbVertical);
  FVScrollBar->SetAlign(TAlign::alRight);
  FVScrollBar->SetDefaultWidth(19);
  FVScrollBar->SetEnabled(false);
  FVScrollBar->SetSkinDataName("vscrollbar");
  FVScrollBar->SetParent(FListPanel);

  FFileList = new TskSkinFileListView(this);
  FFileList->SetAlign(TAlign::alClient);
  FFileList->SetViewStyle(TViewStyle::vsList);
  FFileList->SetShowColumnHeaders(true);
  FFileList->SetHideSelection(false);
  FFileList->SetAutoContextMenus(false);
  FFileList->SetHScrollBar(FHScrollBar);
  FFileList->SetVScrollBar(FVScrollBar);
  FFileList->OnChange = [this](TObject* Sender) { FLVChange(Sender); };
  FFileList->OnPathChange = [this](TObject* Sender) { FLVPathChange(Sender); };
  FFileList->OnDblClick = [this](TObject* Sender) { FLVDBLClick(Sender); };
  FFileList->OnKeyPress = [this](TObject* Sender, char& Key) { FLVKeyPress(Sender, Key); };
  FFileList->SetParent(FListPanel);
  FFileList->SetComboBox(FPathComboBox);
  FPathComboBox->SetListView(FFileList);
  FListItem->SetChecked(true);
}

// ---------------------------------------------------------------------------------------------
// The OK rules

String TskOpenDlgForm::FolderWithDelimiter() const { return IncludeTrailingPathDelimiter(FFileList->GetPath()); }

void TskOpenDlgForm::OpenButtonClick(TObject*) {
  const String selected = FFileList->GetSelectedFile();
  const String text = FFileNameEdit->Text();
  if (FCheckFileExists && selected.empty() && !FSaveMode) return;
  if (text.empty()) return;
  if (FSaveMode) {
    if (text.find('*') != String::npos) return;
    // A rooted name ("C:\x" or "\\server\x") stands as typed; a virtual folder (My Computer, the
    // desktop's namespace items) has no file system path to put a name into.
    const bool rooted = (text.size() >= 2 && text[1] == ':') || text.rfind("\\\\", 0) == 0;
    if (rooted) {
      FFileName = text;
    } else {
      const TskShellFolder* root = FFileList->RootFolder();
      const String folder = root ? root->FullObjectName() : String();
      if (folder.empty()) return;
      FFileName = IncludeTrailingPathDelimiter(folder) + text;
    }
    SetModalResult(mrOk);
    return;
  }
  if (FCheckFileExists) {
    FFileName = selected;
    if (FileExists(FFileName))
      SetModalResult(mrOk);
    else
      FFileName.clear();
    return;
  }
  FFileName = selected.empty() ? FolderWithDelimiter() + text : selected;
  SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

void TskOpenDlgForm::EditKeyPress(TObject*, char& Key) {
  if (Key == 27) {
    Key = 0;
    Close();
    return;
  }
  if (Key != 13) return;
  Key = 0;
  const String text = FFileNameEdit->Text();
  if (text.find('*') != String::npos) {
    FFileList->SetMask(text);
  } else if (text.find('\\') != String::npos) {
    if (DirectoryExists(text)) FFileList->SetPath(text);
  } else {
    OpenButtonClick(FOKButton);
  }
}

void TskOpenDlgForm::FLVKeyPress(TObject*, char& Key) {
  if (Key == 13 && !FFileList->GetSelectedFile().empty()) OpenButtonClick(FOKButton);
}

void TskOpenDlgForm::FLVDBLClick(TObject*) {
  const String selected = FFileList->GetSelectedFile();
  if (selected.empty()) return;
  FFileName = selected;
  SetModalResult(mrOk);
}

void TskOpenDlgForm::FLVChange(TObject*) {
  const String name = ExtractFileName(FFileList->GetSelectedFile());
  if (!name.empty()) FFileNameEdit->SetText(name);
  if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::FCBChange(TObject*) { FFileList->SetMask(FFilterComboBox->GetMask()); }

// ---------------------------------------------------------------------------------------------
// View menu

void TskOpenDlgForm::SelectViewStyle(TViewStyle Style) {
  const std::pair<TMenuItem*, TViewStyle> items[] = {{FIconItem, TViewStyle::vsIcon},
                                                     {FSmallIconItem, TViewStyle::vsSmallIcon},
                                                     {FListItem, TViewStyle::vsList},
                                                     {FReportItem, TViewStyle::vsReport}};
  for (const auto& [item, style] : items) item->SetChecked(style == Style);
  FFileList->SetViewStyle(Style);
}

void TskOpenDlgForm::IconItemClick(TObject*) { SelectViewStyle(TViewStyle::vsIcon); }
void TskOpenDlgForm::SmallIconItemClick(TObject*) { SelectViewStyle(TViewStyle::vsSmallIcon); }
void TskOpenDlgForm::ListItemClick(TObject*) { SelectViewStyle(TViewStyle::vsList); }
void TskOpenDlgForm::ReportItemClick(TObject*) { SelectViewStyle(TViewStyle::vsReport); }

// ---------------------------------------------------------------------------------------------
// Folders

void TskOpenDlgForm::FocusFirstItem() {
  if (FFileList->FolderCount() > 0 && FFileList->HandleAllocated())
    ListView_SetItemState(FFileList->Handle(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

void TskOpenDlgForm::NoteFolderChange() {
  if (!FNavigating && FFileList->RootFolder()) FHistory.emplace_back(CopyItemIDList(FFileList->RootFolder()->AbsoluteID()));
  FocusFirstItem();
}

void TskOpenDlgForm::FLVPathChange(TObject*) {
  NoteFolderChange();
  if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::UpToolButtonClick(TObject*) { FFileList->Back(); }

void TskOpenDlgForm::BackToolButtonClick(TObject*) {
  if (FHistory.size() < 2) return;
  FNavigating = true;
  try {
    FFileList->TreeUpdate(FHistory[FHistory.size() - 2].get());
  } catch (...) {
    FNavigating = false;
    throw;
  }
  FHistory.erase(FHistory.end() - 2);
  FNavigating = false;
}

void TskOpenDlgForm::NewFolderToolButtonClick(TObject*) {
  const String path = FolderWithDelimiter() + ResText("MSG_NEWFOLDER", "New Folder");
  if (DirectoryExists(path)) return;
  if (!CreateDirectoryW(ToWide(path).c_str(), nullptr)) {
    const DWORD error = GetLastError();
    throw EInOutError("Cannot create the folder \"" + path + "\"", error);
  }
  FFileList->RootChanged();
}

}  // namespace skin
