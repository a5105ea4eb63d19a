#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"
#include "tests/support/MappedDrive.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/shell/SelDirDlgForm.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinSelectDirectoryDialog.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace classlib;
using namespace skin;
using testing_support::TempDir;

// The folder dialog's window, driven as the file dialogs' are.
using TStep = std::function<void(TskSelDirDlgForm&)>;
using TDialogScript = filedialogtesting::TModalScript<TskSelDirDlgForm>;
using filedialogtesting::Click;
using filedialogtesting::ExcludeTrailing;
using filedialogtesting::PressKey;
using filedialogtesting::Type;

std::function<TskSelDirDlgForm*()> FormOf(TskSkinSelectDirectoryDialog& Dialog) {
  return [&Dialog] { return Dialog.DialogForm(); };
}

bool RunDialog(TskSkinSelectDirectoryDialog& Dialog, std::vector<TStep> Steps) {
  return filedialogtesting::RunModal(Dialog, std::move(Steps));
}

const TStep ClickOK = [](TskSelDirDlgForm& Form) { Click(Form.OKButton()); };
const TStep Cancel = [](TskSelDirDlgForm& Form) { Click(Form.CancelButton()); };

// A folder tree made by the test on a drive of its own: one\two\three.
class SelectDirectory : public ::testing::Test {
protected:
  SelectDirectory() : Drive(Dir.unixPath()) {
    windowtesting::InitApplication();
    CreateDirectoryW(ToWide(Folder("one")).c_str(), nullptr);
    CreateDirectoryW(ToWide(Folder("one\\two")).c_str(), nullptr);
    CreateDirectoryW(ToWide(Folder("one\\two\\three")).c_str(), nullptr);
  }
  // The drive's root, or a folder below it.
  String Folder(const String& Name = {}) const { return String(Drive.root()) + Name; }

  TempDir Dir;
  testing_support::MappedDrive Drive;
};

TEST_F(SelectDirectory, OpensOnTheDirectoryAndReturnsTheFolderChosen) {
  TskSkinSelectDirectoryDialog dialog(nullptr);
  EXPECT_EQ(dialog.GetTitle(), "Select folder");
  dialog.SetDirectory(Folder("one\\two"));
  int changes = 0;
  dialog.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &dialog);
    ++changes;
  };
  String shown, caption;
  int width = 0, height = 0;
  ASSERT_TRUE(RunDialog(dialog, {[&](TskSelDirDlgForm& Form) {
                                   shown = Form.DirTree().GetPath();
                                   caption = Form.Caption();
                                   width = Form.ClientWidth();
                                   height = Form.ClientHeight();
                                   EXPECT_EQ(Form.ToolPanel(), nullptr);
                                   EXPECT_EQ(Form.PathEdit(), nullptr);
                                   EXPECT_EQ(Form.NewFolderButton(), nullptr);
                                 },
                                 [&](TskSelDirDlgForm& Form) { Form.DirTree().SetPath(Folder("one\\two\\three")); },
                                 ClickOK}));
  EXPECT_EQ(ExcludeTrailing(shown), Folder("one\\two"));
  EXPECT_EQ(caption, "Select folder");
  EXPECT_EQ(width, 280);
  EXPECT_EQ(height, 280);
  EXPECT_EQ(ExcludeTrailing(dialog.Directory()), Folder("one\\two\\three"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dialog.DialogWidth(), 280);
  EXPECT_EQ(dialog.DialogHeight(), 280);
}

TEST_F(SelectDirectory, CancelKeepsTheDirectoryButStoresTheSize) {
  TskSkinSelectDirectoryDialog dialog(nullptr);
  dialog.SetDirectory(Folder("one"));
  dialog.SetTitle("Pick one");
  String caption;
  int changes = 0;
  dialog.OnChange = [&](TObject*) { ++changes; };
  EXPECT_FALSE(RunDialog(dialog, {[&](TskSelDirDlgForm& Form) {
                                    caption = Form.Caption();
                                    Form.DirTree().SetPath(Folder("one\\two"));
                                    Form.SetClientWidth(330);
                                    Form.SetClientHeight(300);
                                  },
                                  Cancel}));
  EXPECT_EQ(caption, "Pick one");
  EXPECT_EQ(dialog.Directory(), Folder("one"));
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(dialog.DialogWidth(), 330);
  EXPECT_EQ(dialog.DialogHeight(), 300);
  // The next run opens at the stored size.
  int width = 0;
  EXPECT_FALSE(RunDialog(dialog, {[&](TskSelDirDlgForm& Form) { width = Form.ClientWidth(); }, Cancel}));
  EXPECT_EQ(width, 330);
}

// A virtual folder (the computer's node) has no folder of the file system to hand back: OK leaves
// the window open there, and a missing Directory opens on that node.
TEST_F(SelectDirectory, OKIsRefusedOnAVirtualFolder) {
  TskSkinSelectDirectoryDialog dialog(nullptr);
  dialog.SetDirectory(Folder("gone"));
  String shown;
  int resultAfterOK = -1;
  EXPECT_FALSE(RunDialog(dialog, {[&](TskSelDirDlgForm& Form) {
                                    shown = Form.DirTree().GetPath();
                                    EXPECT_NE(Form.DirTree().Selected(), nullptr);
                                  },
                                  ClickOK, [&](TskSelDirDlgForm& Form) { resultAfterOK = Form.ModalResult(); }, Cancel}));
  EXPECT_FALSE(IsFileSystemFolder(shown)) << shown;
  EXPECT_EQ(resultAfterOK, mrNone);
  EXPECT_EQ(dialog.Directory(), Folder("gone"));

  const struct {
    String Path;
    bool FileSystem;
  } cases[] = {{Folder(), true}, {Folder("one"), true}, {Folder("gone"), false}, {"", false}, {"My Computer", false},
               {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false}, {"one", false}};
  for (const auto& c : cases) EXPECT_EQ(IsFileSystemFolder(c.Path), c.FileSystem) << c.Path;
}

TEST_F(SelectDirectory, TheLayoutLeavesTheTreeAboveTheButtons) {
  TskSelDirDlgForm form(nullptr, nullptr, false);
  form.HandleNeeded();
  EXPECT_EQ(form.BottomPanel().Height(), 50);
  EXPECT_EQ(form.OKButton().Left(), 20);
  EXPECT_EQ(form.OKButton().Top(), 15);
  EXPECT_EQ(form.OKButton().Width(), 70);
  EXPECT_EQ(form.CancelButton().Left(), 100);
  EXPECT_EQ(form.CancelButton().Width(), 70);
  EXPECT_EQ(form.ClientPanel().Top(), 0);
  EXPECT_EQ(form.ClientPanel().Top() + form.ClientPanel().Height(), form.BottomPanel().Top());
  EXPECT_EQ(form.VScrollBar().Width(), 19);
  EXPECT_EQ(form.HScrollBar().Height(), 19);

  TskSelDirDlgForm withBar(nullptr, nullptr, true);
  withBar.HandleNeeded();
  ASSERT_NE(withBar.ToolPanel(), nullptr);
  EXPECT_EQ(withBar.ToolPanel()->Height(), 25);
  EXPECT_EQ(withBar.ClientPanel().Top(), 25);
  const TskSkinSpeedButton& button = *withBar.NewFolderButton();
  EXPECT_EQ(button.Left() + button.Width(), withBar.ToolPanel()->ClientWidth());
  EXPECT_EQ(button.Left() - (withBar.PathEdit()->Left() + withBar.PathEdit()->Width()), 5) << "the spacer";
  // The buttons keep their places as the window grows.
  withBar.SetClientWidth(500);
  EXPECT_EQ(withBar.OKButton().Left(), 20);
  EXPECT_EQ(withBar.CancelButton().Left(), 100);
}

TEST(SelDirDlgForm, TextsComeFromTheStringTableOrTheDefaults) {
  windowtesting::InitApplication();
  TskSkinData skin(nullptr);
  {
    const TskSelDirDlgForm plain(nullptr, nullptr, true);
    EXPECT_EQ(plain.OKButton().Caption(), "OK");
    EXPECT_EQ(plain.CancelButton().Caption(), "Cancel");
    EXPECT_EQ(plain.NewFolderButton()->Hint(), "Create New Folder");
    const TskSelDirDlgForm noTable(nullptr, &skin, true);
    EXPECT_EQ(noTable.OKButton().Caption(), "OK");
  }
  TskResourceStrData strings(nullptr);
  TStringList lines;
  lines.Add("MSG_BTN_CANCEL=Abbrechen");
  lines.Add("MSG_BTN_NEWFOLDER_HINT=Neuer Ordner");
  strings.SetResStrs(lines);
  skin.SetResourceStrData(&strings);
  const TskSelDirDlgForm form(nullptr, &skin, true);
  EXPECT_EQ(form.CancelButton().Caption(), "Abbrechen");
  EXPECT_EQ(form.NewFolderButton()->Hint(), "Neuer Ordner");
  EXPECT_EQ(form.OKButton().Caption(), "") << "a key the table lacks gives no text";
  skin.SetResourceStrData(nullptr);
}

// ---------------------------------------------------------------------------------------------
// The tool bar

TEST_F(SelectDirectory, ThePathEditFollowsTheTreeAndEnterMovesIt) {
  TskSkinSelectDirectoryDialog dialog(nullptr);
  dialog.SetShowToolBar(true);
  dialog.SetDirectory(Folder("one"));
  String shownFirst, afterEnter, afterMissing;
  ASSERT_TRUE(RunDialog(dialog, {[&](TskSelDirDlgForm& Form) { shownFirst = Form.PathEdit()->Text(); },
                                 [&](TskSelDirDlgForm& Form) {
                                   Type(*Form.PathEdit(), String(Folder("one\\two\\three")));
                                   PressKey(*Form.PathEdit(), 13);
                                   afterEnter = Form.DirTree().GetPath();
                                 },
                                 [&](TskSelDirDlgForm& Form) {
                                   Type(*Form.PathEdit(), String(Folder("missing")));
                                   PressKey(*Form.PathEdit(), 13);
                                   afterMissing = Form.DirTree().GetPath();
                                 },
                                 ClickOK}));
  EXPECT_EQ(ExcludeTrailing(shownFirst), Folder("one"));
  EXPECT_EQ(ExcludeTrailing(afterEnter), Folder("one\\two\\three"));
  EXPECT_EQ(ExcludeTrailing(afterMissing), Folder("one\\two\\three")) << "a missing folder changes nothing";
  EXPECT_EQ(ExcludeTrailing(dialog.Directory()), Folder("one\\two\\three"));

  // Escape in the edit cancels.
  EXPECT_FALSE(RunDialog(dialog, {[](TskSelDirDlgForm& Form) { PressKey(*Form.PathEdit(), 27); }}));
}

TEST_F(SelectDirectory, NewFolderIsMadeOnceAndNeverInAVirtualFolder) {
  TskSkinSelectDirectoryDialog dialog(nullptr);
  dialog.SetShowToolBar(true);
  dialog.SetDirectory(Folder("one"));
  const TStep newFolder = [](TskSelDirDlgForm& Form) { Click(*Form.NewFolderButton()); };
  int children = -1;
  String virtualPath;
  EXPECT_FALSE(RunDialog(dialog, {newFolder, newFolder,
                                  [&](TskSelDirDlgForm& Form) {
                                    TTreeNode* node = Form.DirTree().Selected();
                                    ASSERT_NE(node, nullptr);
                                    children = node->Count();
                                  },
                                  [](TskSelDirDlgForm& Form) { Form.DirTree().ExpandMyComputer(); },
                                  [&](TskSelDirDlgForm& Form) {
                                    virtualPath = Form.DirTree().GetPath();
                                    Click(*Form.NewFolderButton());
                                  },
                                  Cancel}));
  EXPECT_TRUE(classlib::DirectoryExists(Folder("one\\New Folder")));
  EXPECT_EQ(children, 2) << "two and the new folder, shown after the refresh";
  EXPECT_FALSE(virtualPath.empty());
  EXPECT_FALSE(classlib::DirectoryExists(JoinPath(virtualPath, "New Folder"))) << virtualPath;

  // The controls' string table names the new folder.
  TskSkinData skin(nullptr);
  TskResourceStrData strings(nullptr);
  TStringList lines;
  lines.Add("MSG_NEWFOLDER=Neuer Ordner");
  strings.SetResStrs(lines);
  skin.SetResourceStrData(&strings);
  dialog.SetCtrlSkinData(&skin);
  dialog.SetDirectory(Folder("one\\two"));
  EXPECT_FALSE(RunDialog(dialog, {newFolder, Cancel}));
  EXPECT_TRUE(classlib::DirectoryExists(Folder("one\\two\\Neuer Ordner")));
  skin.SetResourceStrData(nullptr);
  dialog.SetCtrlSkinData(nullptr);
}

// ---------------------------------------------------------------------------------------------
// The directory edit

TEST_F(SelectDirectory, ADirectoryEditBrowsesFromItsText) {
  TskSkinDirectoryEdit edit(nullptr);
  EXPECT_EQ(edit.SkinDataName(), "buttonedit");
  EXPECT_TRUE(edit.ButtonMode());
  EXPECT_EQ(edit.Text(), "");
  edit.SetText(Folder("one"));
  String start;
  {
    const TDialogScript cancelled(FormOf(edit.Dialog()), {[&](TskSelDirDlgForm& Form) { start = Form.DirTree().GetPath(); }, Cancel});
    edit.ButtonClick(&edit);
  }
  EXPECT_EQ(ExcludeTrailing(start), Folder("one"));
  EXPECT_EQ(edit.Text(), Folder("one"));
  {
    const TDialogScript chosen(FormOf(edit.Dialog()), {[&](TskSelDirDlgForm& Form) { Form.DirTree().SetPath(Folder("one\\two")); },
                                               ClickOK});
    edit.ButtonClick(&edit);
  }
  EXPECT_EQ(ExcludeTrailing(edit.Text()), Folder("one\\two"));
}

// ---------------------------------------------------------------------------------------------
// Looks

// Whether a pixel of the control's rectangle on the screen passes Test.
bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// The running dialog on the screen, without a skin and with the program's: the new-folder glyph
// with its magenta cut away in the default-look tool bar, and the skin's frame around the window.
TEST_F(SelectDirectory, ShowsItsGlyphAndFrameInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  const auto spark = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 100 && GetGValue(c) < 180 && GetBValue(c) < 60; };
  const auto magenta = [](COLORREF c) { return c == RGB(255, 0, 255); };
  COLORREF corner[2] = {};
  int look = 0;
  for (TskSkinData* data : {static_cast<TskSkinData*>(nullptr), &skin}) {
    TskSkinSelectDirectoryDialog dialog(nullptr);
    dialog.SetShowToolBar(true);
    dialog.SetDirectory(Folder("one"));
    dialog.SetSkinData(data);
    dialog.SetCtrlSkinData(data);
    bool sparkShown = false, anyMagenta = true;
    String caption;
    EXPECT_FALSE(RunDialog(dialog, {[](TskSelDirDlgForm& Form) { RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW); },
                                    [&](TskSelDirDlgForm& Form) {
                                      const skintesting::TScreenCopy screen;
                                      sparkShown = Shows(screen, *Form.NewFolderButton(), spark);
                                      anyMagenta = Shows(screen, *Form.ToolPanel(), magenta);
                                      caption = Form.Caption();
                                      RECT frame{};
                                      GetWindowRect(Form.Handle(), &frame);
                                      corner[look] = screen.Pixel(frame.left + 2, frame.top + 2);
                                    },
                                    Cancel}));
    EXPECT_TRUE(sparkShown) << (data ? "skinned" : "plain");
    EXPECT_FALSE(anyMagenta);
    EXPECT_EQ(caption, "Select folder");
    ++look;
  }
  EXPECT_NE(corner[0], corner[1]) << "the skin draws the frame";
}

// ---------------------------------------------------------------------------------------------
// Registration

TEST(SelectDirectoryRegistration, ADescriptionBuildsTheDialogAndTheEdit) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Skin1: TskSkinData
  end
  object Dialog1: TskSkinSelectDirectoryDialog
    Title = 'Where to?'
    Directory = 'C:\'
    ShowToolBar = True
    SkinData = Skin1
    CtrlSkinData = Skin1
    DialogWidth = 300
    DialogMinHeight = 200
    AlphaBlend = True
    AlphaBlendValue = 150
  end
  object Edit1: TskSkinDirectoryEdit
    DlgSkinData = Skin1
    DlgCtrlSkinData = Skin1
  end
end
)");
  auto& dialog = *dynamic_cast<TskSkinSelectDirectoryDialog*>(form->FindComponent("Dialog1"));
  auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("Skin1"));
  EXPECT_EQ(dialog.GetTitle(), "Where to?");
  EXPECT_EQ(dialog.Directory(), "C:\\");
  EXPECT_TRUE(dialog.ShowToolBar());
  EXPECT_EQ(dialog.SkinData(), skin);
  EXPECT_EQ(dialog.CtrlSkinData(), skin);
  EXPECT_EQ(dialog.DialogWidth(), 300);
  EXPECT_EQ(dialog.DialogHeight(), 0);
  EXPECT_EQ(dialog.DialogMinHeight(), 200);
  EXPECT_TRUE(dialog.AlphaBlend());
  EXPECT_EQ(dialog.AlphaBlendValue(), 150);
  EXPECT_FALSE(dialog.AlphaBlendAnimation());
  EXPECT_EQ(dialog.DefaultFont().Name(), "Arial");
  EXPECT_EQ(dialog.DefaultFont().Height(), 14);
  auto& edit = *dynamic_cast<TskSkinDirectoryEdit*>(form->FindComponent("Edit1"));
  EXPECT_EQ(edit.DlgSkinData(), skin);
  EXPECT_EQ(edit.DlgCtrlSkinData(), skin);
  EXPECT_EQ(edit.Text(), "") << "the edit does not take its name as text";

  // Freeing the skin clears every reference to it.
  delete skin;
  EXPECT_EQ(dialog.SkinData(), nullptr);
  EXPECT_EQ(dialog.CtrlSkinData(), nullptr);
  EXPECT_EQ(edit.DlgSkinData(), nullptr);
  EXPECT_EQ(edit.DlgCtrlSkinData(), nullptr);
}

}  // namespace
