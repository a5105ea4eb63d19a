#include "skin/shell/SelDirDlgForm.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinFileCtrl.h"

namespace skin {

using namespace classlib;

namespace {

constexpr int DefaultClientSize = 280;
constexpr int BottomPanelHeight = 50;
constexpr int ButtonTop = 15;
constexpr int ButtonWidth = 70;
constexpr int OKButtonLeft = 20;
constexpr int CancelButtonLeft = 100;

// A bitmap of the program's resources; a program without it still gets a working button.
void LoadGlyph(TskSkinSpeedButton& Button, const char* Name) {
  if (!FindResourceA(GetModuleHandleW(nullptr), Name, MAKEINTRESOURCEA(2))) return;
  TBitmap glyph;
  glyph.LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  Button.SetGlyph(glyph);
}

}  // namespace

bool IsFileSystemFolder(const String& Path) {
  const bool rooted = (Path.size() >= 3 && Path[1] == ':' && Path[2] == '\\') || Path.rfind("\\\\", 0) == 0;
  return rooted && DirectoryExists(Path);
}

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* AOwner, TskSkinData* ASkinData, bool ShowToolBar)
    : TForm(AOwner), FSkinData(ASkinData), FShowToolBar(ShowToolBar) {
  SetKeyPreview(true);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(DefaultClientSize);
  SetClientHeight(DefaultClientSize);
  FFormSkin = new TskFormSkin(this);
  if (FShowToolBar) BuildToolBar();
  // The bottom panel before the client panel: the tree then fills what the bars leave.
  BuildBottomPanel();
  BuildClientPanel();
}

TskSelDirDlgForm::~TskSelDirDlgForm() = default;

String TskSelDirDlgForm::ResText(const char* Key, const char* Default) const {
  if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->GetResStr(Key);
  return Default;
}

void TskSelDirDlgForm::BuildToolBar() {
  FToolPanel = new TskSkinPanel(this);
  FToolPanel->SetAlign(TAlign::alTop);
  FToolPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FToolPanel->SetDefaultHeight(25);
  FToolPanel->SetSkinDataName("toolpanel");
  FToolPanel->SetParent(this);

  // The class library gives the right edge to the first right-aligned control: the button first,
  // then the spacer to its left, then the edit filling the rest.
  FNewFolderButton = new TskSkinSpeedButton(this);
  FNewFolderButton->SetAlign(TAlign::alRight);
  FNewFolderButton->SetDefaultWidth(27);
  FNewFolderButton->SetDefaultHeight(25);
  FNewFolderButton->SetSkinDataName("toolbutton");
  FNewFolderButton->SetNumGlyphs(1);
  LoadGlyph(*FNewFolderButton, "SK_NEWFOLDER");
  FNewFolderButton->SetHint(ResText("MSG_BTN_NEWFOLDER_HINT", "Create New Folder"));
  FNewFolderButton->SetShowHint(true);
  FNewFolderButton->OnClick = [this](TObject* Sender) { NewFolderToolButtonClick(Sender); };
  FNewFolderButton->SetParent(FToolPanel);

  auto* spacer = new TskSkinBevel(this);
  spacer->SetShape(TBevelShape::bsSpacer);
  spacer->SetAlign(TAlign::alRight);
  spacer->SetWidth(5);
  spacer->SetParent(FToolPanel);

  FPathEdit = new TskSkinEdit(this);
  FPathEdit->SetAlign(TAlign::alClient);
  FPathEdit->SetDefaultHeight(25);
  FPathEdit->SetSkinDataName("tooledit");
  FPathEdit->OnKeyPress = [this](TObject* Sender, char& Key) { EditKeyPress(Sender, Key); };
  FPathEdit->SetParent(FToolPanel);
}

void TskSelDirDlgForm::BuildClientPanel() {
  FClientPanel = new TskSkinPanel(this);
  FClientPanel->SetAlign(TAlign::alClient);
  FClientPanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  FClientPanel->SetParent(this);

  FVScrollBar = new TskSkinScrollBar(this);
  FVScrollBar->SetKind(TScrollBarKind::sbVertical);
  FVScrollBar->SetAlign(TAlign::alRight);
  FVScrollBar->SetDefaultWidth(19);
  FVScrollBar->SetEnabled(false);
  FVScrollBar->SetSkinDataName("vscrollbar");
  FVScrollBar->SetParent(FClientPanel);

  FHScrollBar = new TskSkinScrollBar(this);
  FHScrollBar->SetAlign(TAlign::alBottom);
  FHScrollBar->SetDefaultHeight(19);
  FHScrollBar->SetBothMarkerWidth(19);
  FHScrollBar->SetEnabled(false);
  FHScrollBar->SetSkinDataName("hscrollbar");
  FHScrollBar->SetParent(FClientPanel);

  FDirTree = new TskSkinDirTreeView(this);
  FDirTree->SetAlign(TAlign::alClient);
  FDirTree->SetHScrollBar(FHScrollBar);
  FDirTree->SetVScrollBar(FVScrollBar);
  FDirTree->SetHideSelection(false);
  FDirTree->OnChange = [this](TObject* Sender, TTreeNode* Node) { DirTreeChange(Sender, Node); };
  FDirTree->SetParent(FClientPanel);
}

void TskSelDirDlgForm::BuildBottomPanel() {
  FBottomPanel = new TskSkinPanel(this);
  FBottomPanel->SetAlign(TAlign::alBottom);
  FBottomPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FBottomPanel->SetHeight(BottomPanelHeight);
  FBottomPanel->SetParent(this);

  // The buttons keep their places from the left edge as the window is resized.
  FOKButton = new TskSkinButton(this);
  FOKButton->SetCaption(ResText("MSG_BTN_OK", "OK"));
  FOKButton->SetDefault(true);
  FOKButton->SetDefaultHeight(25);
  FOKButton->SetBounds(OKButtonLeft, ButtonTop, ButtonWidth, FOKButton->Height());
  FOKButton->SetCanFocused(true);
  // No modal result of its own: the click decides whether the selected node may be chosen.
  FOKButton->OnClick = [this](TObject* Sender) { OKButtonClick(Sender); };
  FOKButton->SetParent(FBottomPanel);

  FCancelButton = new TskSkinButton(this);
  FCancelButton->SetCaption(ResText("MSG_BTN_CANCEL", "Cancel"));
  FCancelButton->SetDefaultHeight(25);
  FCancelButton->SetBounds(CancelButtonLeft, ButtonTop, ButtonWidth, FCancelButton->Height());
  FCancelButton->SetCanFocused(true);
  FCancelButton->SetModalResult(mrCancel);
  FCancelButton->SetCancel(true);
  FCancelButton->SetParent(FBottomPanel);
}

void TskSelDirDlgForm::EditKeyPress(TObject*, char& Key) {
  if (Key == 27) {
    Key = 0;
    Close();
    return;
  }
  if (Key != 13) return;
  Key = 0;
  const String text = FPathEdit->Text();
  if (!text.empty() && DirectoryExists(text)) FDirTree->SetPath(text);
}

void TskSelDirDlgForm::DirTreeChange(TObject*, TTreeNode*) {
  if (FPathEdit) FPathEdit->SetText(FDirTree->GetPath());
}

void TskSelDirDlgForm::NewFolderToolButtonClick(TObject*) {
  TTreeNode* selected = FDirTree->Selected();
  if (!selected) return;
  // A virtual folder (the computer, the desktop's namespace items) has no ":\" in its path and
  // no place for a folder of the file system.
  const String path = JoinPath(FDirTree->GetPath(), ResText("MSG_NEWFOLDER", "New Folder"));
  if (DirectoryExists(path) || path.find(":\\") == String::npos) return;
  if (!CreateDirectoryW(ToWide(path).c_str(), nullptr)) {
    const DWORD error = GetLastError();
    throw EInOutError("Cannot create the folder \"" + path + "\"", error);
  }
  FDirTree->Refresh(selected);
}

void TskSelDirDlgForm::OKButtonClick(TObject*) {
  // A virtual folder's "path" is its display name, and no node gives an empty one: neither names
  // a folder the caller could use, so the window stays open.
  if (FDirTree->Selected() && IsFileSystemFolder(FDirTree->GetPath())) SetModalResult(mrOk);
}

}  // namespace skin
