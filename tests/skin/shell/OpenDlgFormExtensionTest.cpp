#include "tests/skin/shell/FileDialogScript.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/shell/SkinFileCtrl.h"

namespace {

using namespace classlib;
using namespace skin;
using namespace filedialogtesting;

// A dialog window as the variants build theirs: a side panel with a splitter-wide strip left of
// it, the bottom panel's fixed places, and its own list and OK handlers.
class TExtendedForm : public TskOpenDlgForm {
public:
  explicit TExtendedForm(bool CancelKeepsRightGap) : TskOpenDlgForm(nullptr, false, nullptr) {
    SetClientWidth(550);
    SidePanel = new TskSkinPanel(this);
    SidePanel->SetWidth(200);
    AddSidePanel(*SidePanel);
    Splitter = new TskSkinPanel(this);
    Splitter->SetWidth(10);
    AddSidePanel(*Splitter);
    Strip = new TskSkinPanel(this);
    Strip->SetHeight(30);
    AddBottomStrip(*Strip);
    UseFixedBottomLayout(CancelKeepsRightGap);
  }
  void FLVChange(TObject*) override { ++Changes; }
  void OpenButtonClick(TObject*) override { ++Opens; }

  TskSkinPanel* SidePanel;
  TskSkinPanel* Splitter;
  TskSkinPanel* Strip;
  int Changes = 0, Opens = 0;
};

TEST(OpenDlgFormExtension, SidePanelsAndStripsTakeTheirPlacesBetweenTheBars) {
  windowtesting::InitApplication();
  TExtendedForm form(true);
  form.HandleNeeded();
  const int toolBottom = form.ToolBar().Top() + form.ToolBar().Height();
  EXPECT_EQ(form.Strip->Top() + form.Strip->Height(), form.BottomPanel().Top());
  EXPECT_EQ(form.Strip->Width(), form.ClientWidth());
  EXPECT_EQ(form.SidePanel->Left() + form.SidePanel->Width(), form.ClientWidth());
  EXPECT_EQ(form.SidePanel->Top(), toolBottom);
  EXPECT_EQ(form.SidePanel->Top() + form.SidePanel->Height(), form.Strip->Top());
  EXPECT_EQ(form.Splitter->Left() + form.Splitter->Width(), form.SidePanel->Left());
  EXPECT_EQ(form.ListPanel().Left() + form.ListPanel().Width(), form.Splitter->Left());
  EXPECT_EQ(form.ListPanel().Top(), toolBottom);
}

// Fixed places: OK stays at 370 as the window widens; Cancel follows the right edge only when
// asked to.
TEST(OpenDlgFormExtension, FixedBottomPlacesKeepOrFollowTheRightEdge) {
  windowtesting::InitApplication();
  for (const bool keepsGap : {true, false}) {
    TExtendedForm form(keepsGap);
    form.HandleNeeded();
    EXPECT_EQ(form.FileNameEdit().Left(), 70);
    EXPECT_EQ(form.FileNameEdit().Width(), 280);
    EXPECT_EQ(form.FilterComboBox().Width(), 280);
    EXPECT_EQ(form.OKButton().Left(), 370);
    EXPECT_EQ(form.CancelButton().Left(), 370);
    EXPECT_EQ(form.CancelButton().Top(), 45);
    form.SetClientWidth(650);
    EXPECT_EQ(form.OKButton().Left(), 370);
    EXPECT_EQ(form.FileNameEdit().Width(), 280);
    EXPECT_EQ(form.CancelButton().Left(), keepsGap ? 470 : 370) << keepsGap;
  }
}

// The handlers the base form binds reach a derived form's overrides.
TEST(OpenDlgFormExtension, BoundHandlersReachTheOverrides) {
  windowtesting::InitApplication();
  TExtendedForm form(false);
  form.HandleNeeded();
  Click(form.OKButton());
  Type(form.FileNameEdit(), "name");
  PressKey(form.FileNameEdit(), 13);
  EXPECT_EQ(form.Opens, 2);
  ASSERT_TRUE(form.FileList().OnChange);
  form.FileList().OnChange(&form.FileList());
  EXPECT_EQ(form.Changes, 1);
}

}  // namespace
