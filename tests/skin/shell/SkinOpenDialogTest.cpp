#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinOpenDialog.h"
#include "skin/shell/SkinShellComboBox.h"
#include "skin/shell/SkinShellRegistration.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace classlib;
using namespace skin;
using testing_support::TempDir;
using namespace filedialogtesting;

TStep TypeStep(const String& Text) {
  return [Text](TskOpenDlgForm& Form) { Type(Form.FileNameEdit(), Text); };
}
const TStep ClickOK = [](TskOpenDlgForm& Form) { Click(Form.OKButton()); };
const TStep PressEnter = [](TskOpenDlgForm& Form) { PressKey(Form.FileNameEdit(), 13); };
const TStep Cancel = [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); };

int IndexOf(TskOpenDlgForm& Form, const String& Name) {
  TskSkinFileListView& list = Form.FileList();
  for (int i = 0; i < list.FolderCount(); ++i)
    if (SameText(ExtractFileName(ExcludeTrailing(list.GetFolder(i)->PathName())), Name)) return i;
  return -1;
}

// Selects the named items of the list (alone), as clicks with Ctrl held would.
TStep SelectStep(std::vector<String> Names) {
  return [Names](TskOpenDlgForm& Form) {
    HWND list = Form.FileList().Handle();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (const String& name : Names) {
      const int index = IndexOf(Form, name);
      ASSERT_NE(index, -1) << name;
      ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
  };
}

std::vector<String> Listed(TskOpenDlgForm& Form) {
  std::vector<String> names;
  for (int i = 0; i < Form.FileList().FolderCount(); ++i)
    names.push_back(ExtractFileName(ExcludeTrailing(Form.FileList().GetFolder(i)->PathName())));
  return names;
}

String CurrentDirectory() { return IncludeTrailingPathDelimiter(GetCurrentDir()); }

// A folder with a few files and folders: a.lst, b.lst, c.txt, notes (no extension), sub\deeper.
class FileDialog : public ::testing::Test {
protected:
  FileDialog() {
    windowtesting::InitApplication();
    for (const char* name : {"a.lst", "b.lst", "c.txt", "notes"}) testing_support::WriteUnixFile(Dir.unixFile(name), "x");
    CreateDirectoryW(ToWide(Folder("sub")).c_str(), nullptr);
    CreateDirectoryW(ToWide(Folder("sub\\deeper")).c_str(), nullptr);
  }
  String Folder(const String& Name = {}) const {
    return Name.empty() ? String(Dir.windowsPath()) : String(Dir.windowsFile(Name));
  }
  String File(const String& Name) const { return String(Dir.windowsFile(Name)); }

  TempDir Dir;
};

// ---------------------------------------------------------------------------------------------
// Save mode

TEST_F(FileDialog, SaveAddsTheChosenTypesExtensionAndKeepsTheCurrentDirectory) {
  const String before = CurrentDirectory();
  TskSkinSaveDialog dialog(nullptr);
  EXPECT_EQ(dialog.Title(), "Save file");
  dialog.SetFilter("All files|*.lst");
  const struct {
    const char* Typed;
    const char* Chosen;
  } cases[] = {{"list1", "list1.lst"}, {"list1.LST", "list1.LST"}, {"a.txt", "a.txt.lst"}, {"sub", "sub.lst"}};
  for (const auto& c : cases) {
    dialog.SetFileName(File("start"));
    ASSERT_TRUE(RunDialog(dialog, {TypeStep(c.Typed), ClickOK})) << c.Typed;
    EXPECT_EQ(dialog.FileName(), File(c.Chosen));
    EXPECT_EQ(CurrentDirectory(), before);
  }
  // Enter chooses as OK does; a name with "*" becomes the list's mask instead.
  std::vector<String> masked;
  ASSERT_TRUE(RunDialog(dialog, {TypeStep("*.txt"), PressEnter, [&](TskOpenDlgForm& Form) { masked = Listed(Form); },
                                 ClickOK, TypeStep("typed"), PressEnter}));
  EXPECT_EQ(masked, (std::vector<String>{"sub", "c.txt"}));
  EXPECT_EQ(dialog.FileName(), File("typed.lst"));
}

TEST(SaveModeName, KeepsANameOfAnyPatternElseAddsTheLastOne) {
  const struct {
    const char* Name;
    const char* Mask;
    const char* Chosen;
  } cases[] = {
      {"list1", "*.lst", "list1.lst"},
      {"C:\\my.dir\\list", "*.lst", "C:\\my.dir\\list.lst"},  // a dot in a folder is no extension
      {"a.mp3", "*.mp3;*.wav", "a.mp3"},
      {"a.WAV", "*.mp3;*.wav", "a.WAV"},
      {"a", "*.mp3;*.wav", "a.wav"},
      {"a.ogg", "*.mp3;*.wav;", "a.ogg.wav"},  // a closing ";" adds no empty pattern
      {"notes", "*.*", "notes"},
      {"notes", "*.bmp;*.*", "notes"},
      {"notes.txt", "*", "notes.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveModeFileName(c.Name, c.Mask), c.Chosen) << c.Name << " " << c.Mask;
}

TEST_F(FileDialog, SaveInAFolderWithoutPathChoosesNothingButTakesARootedName) {
  TskSkinSaveDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  const TStep toMyComputer = [](TskOpenDlgForm& Form) { Form.FileList().SetRoot("rfMyComputer"); };
  // OK in "My Computer" does nothing (there is no folder to save in); Cancel ends the run.
  EXPECT_FALSE(RunDialog(dialog, {toMyComputer, TypeStep("name"), ClickOK, Cancel}));
  EXPECT_TRUE(dialog.FileName().empty());
  ASSERT_TRUE(RunDialog(dialog, {toMyComputer, TypeStep(File("rooted")), ClickOK}));
  EXPECT_EQ(dialog.FileName(), File("rooted"));
}

// ---------------------------------------------------------------------------------------------
// Open mode

TEST_F(FileDialog, OpenTakesOnlyAnExistingSelectedFile) {
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetFileName(File("a.lst"));
  dialog.SetMultiSelection(true);
  String edited;
  const bool confirmed = RunDialog(
      dialog, {
                  [](TskOpenDlgForm& Form) { EXPECT_EQ(Form.FileNameEdit().Text(), "a.lst"); },
                  // A typed name alone, by Enter or OK, leaves the dialog open.
                  TypeStep("c.txt"), PressEnter, ClickOK,
                  [](TskOpenDlgForm& Form) { EXPECT_EQ(Form.ModalResult(), mrNone); },
                  // A selected folder leaves the edit alone; a file's name goes into it.
                  SelectStep({"sub"}),
                  [](TskOpenDlgForm& Form) { EXPECT_EQ(Form.FileNameEdit().Text(), "c.txt"); },
                  SelectStep({"b.lst", "c.txt"}),
                  [&](TskOpenDlgForm& Form) { edited = Form.FileNameEdit().Text(); },
                  ClickOK,
              });
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(edited, "b.lst") << "the first selected file";
  EXPECT_EQ(dialog.FileName(), File("b.lst"));
  ASSERT_EQ(dialog.Files().Count(), 2) << "folders are not chosen";
  EXPECT_EQ(dialog.Files()[0], File("b.lst"));
  EXPECT_EQ(dialog.Files()[1], File("c.txt"));

  // A selected file that has vanished keeps the dialog open and chooses nothing.
  EXPECT_FALSE(RunDialog(dialog, {SelectStep({"c.txt"}), [&](TskOpenDlgForm&) { DeleteFileW(ToWide(File("c.txt")).c_str()); },
                                  ClickOK, [](TskOpenDlgForm& Form) { EXPECT_TRUE(Form.FileName().empty()); }, Cancel}));
  EXPECT_EQ(dialog.FileName(), File("b.lst")) << "a cancelled run changes nothing";
}

TEST_F(FileDialog, OpenWithoutTheExistenceCheckTakesTheTypedName) {
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetCheckFileExists(false);
  dialog.SetInitialDir(Folder());
  ASSERT_TRUE(RunDialog(dialog, {TypeStep("new.txt"), ClickOK}));
  EXPECT_EQ(dialog.FileName(), File("new.txt"));
  EXPECT_EQ(dialog.Files().Count(), 0);
}

TEST_F(FileDialog, DoubleClickOnAFileChoosesItEvenInSaveMode) {
  TskSkinSaveDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  dialog.SetFilter("Lists|*.lst");
  ASSERT_TRUE(RunDialog(dialog, {SelectStep({"b.lst"}), [](TskOpenDlgForm& Form) {
                                   RECT r{};
                                   ListView_GetItemRect(Form.FileList().Handle(), IndexOf(Form, "b.lst"), &r, LVIR_LABEL);
                                   const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                                   SendMessageW(Form.FileList().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                                   SendMessageW(Form.FileList().Handle(), WM_LBUTTONUP, 0, at);
                                 }}));
  EXPECT_EQ(dialog.FileName(), File("b.lst"));
}

// ---------------------------------------------------------------------------------------------
// Folders: typed paths, history, new folder

TEST_F(FileDialog, BackVisitsTheEnteredFoldersInReverseOrder) {
  CreateDirectoryW(ToWide(Folder("one")).c_str(), nullptr);
  CreateDirectoryW(ToWide(Folder("one\\two")).c_str(), nullptr);
  CreateDirectoryW(ToWide(Folder("one\\two\\three")).c_str(), nullptr);
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  std::vector<String> seen;
  int history = -1;
  const TStep note = [&](TskOpenDlgForm& Form) { seen.push_back(ExcludeTrailing(Form.FileList().GetPath())); };
  const TStep back = [](TskOpenDlgForm& Form) { Click(Form.BackButton()); };
  auto enter = [](const String& Path) {
    return [Path](TskOpenDlgForm& Form) {
      Type(Form.FileNameEdit(), Path);
      PressKey(Form.FileNameEdit(), 13);
    };
  };
  EXPECT_FALSE(RunDialog(dialog, {back, note, enter(Folder("one")), back, note, enter(Folder("one\\two")),
                                  enter(Folder("missing\\x")), note, enter(Folder("one\\two\\three")), back, note,
                                  back, note, back, note,
                                  [&](TskOpenDlgForm& Form) { history = Form.HistoryCount(); }, Cancel}));
  EXPECT_EQ(seen, (std::vector<String>{Folder(), Folder("one"), Folder("one\\two"), Folder("one\\two"),
                                       Folder("one"), Folder("one")}));
  EXPECT_EQ(history, 1);
}

TEST_F(FileDialog, NewFolderIsMadeOnceAndListed) {
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  int listed = 0;
  const TStep newFolder = [](TskOpenDlgForm& Form) { Click(Form.NewFolderButton()); };
  EXPECT_FALSE(RunDialog(dialog, {newFolder, newFolder, [&](TskOpenDlgForm& Form) {
                                    for (const String& name : Listed(Form)) listed += name.rfind("New Folder", 0) == 0;
                                  }, Cancel}));
  EXPECT_TRUE(classlib::DirectoryExists(Folder("New Folder")));
  EXPECT_EQ(listed, 1);
}

// ---------------------------------------------------------------------------------------------
// What the component remembers

TEST_F(FileDialog, TypeSizeAndViewOutliveACancelledRun) {
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetFilter("Lists|*.lst|Texts|*.txt");
  dialog.SetFileName(File("a.lst"));
  std::vector<String> firstList, secondList;
  int secondIndex = -1, width = 0, height = 0;
  EXPECT_FALSE(RunDialog(
      dialog, {[&](TskOpenDlgForm& Form) {
                 firstList = Listed(Form);
                 EXPECT_EQ(Form.ClientWidth(), 450);
                 EXPECT_EQ(Form.ClientHeight(), 290);
               },
               [](TskOpenDlgForm& Form) { Form.FilterComboBox().SetItemIndex(1); },
               [](TskOpenDlgForm& Form) {
                 Form.SetBounds(Form.Left(), Form.Top(), Form.Width() + 60, Form.Height() + 40);
                 Form.ReportItemClick(&Form.ReportItem());
               },
               Cancel}));
  EXPECT_EQ(firstList, (std::vector<String>{"sub", "a.lst", "b.lst"}));
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(dialog.DialogWidth(), 510);
  EXPECT_EQ(dialog.DialogHeight(), 330);
  EXPECT_EQ(dialog.ViewStyle(), TViewStyle::vsReport);
  EXPECT_EQ(dialog.FileName(), File("a.lst"));

  EXPECT_FALSE(RunDialog(dialog, {[&](TskOpenDlgForm& Form) {
                                    secondList = Listed(Form);
                                    secondIndex = Form.FilterComboBox().ItemIndex();
                                    width = Form.ClientWidth();
                                    height = Form.ClientHeight();
                                    EXPECT_TRUE(Form.ReportItem().Checked());
                                    EXPECT_FALSE(Form.ListItem().Checked());
                                  },
                                  Cancel}));
  EXPECT_EQ(secondList, (std::vector<String>{"sub", "c.txt"}));
  EXPECT_EQ(secondIndex, 1);
  EXPECT_EQ(width, 510);
  EXPECT_EQ(height, 330);
}

TEST_F(FileDialog, AVanishedFolderFallsBackToTheInitialOneThenTheProgramsOwn) {
  TskSkinOpenDialog dialog(nullptr);
  dialog.SetFileName(Folder("gone") + "\\x.lst");
  dialog.SetInitialDir(Folder("sub"));
  String shown;
  const TStep note = [&](TskOpenDlgForm& Form) { shown = ExcludeTrailing(Form.FileList().GetPath()); };
  EXPECT_FALSE(RunDialog(dialog, {note, Cancel}));
  EXPECT_EQ(shown, Folder("sub"));
  dialog.SetInitialDir(Folder("gone"));
  EXPECT_FALSE(RunDialog(dialog, {note, Cancel}));
  WCHAR program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  EXPECT_TRUE(SameText(shown, ExcludeTrailing(ExtractFilePath(FromWide(program)))));
}

TEST_F(FileDialog, AFileEditBrowsesFromItsText) {
  TskSkinFileEdit edit(nullptr);
  EXPECT_EQ(edit.SkinDataName(), "buttonedit");
  EXPECT_TRUE(edit.ButtonMode());
  edit.SetFilter("Lists|*.lst");
  edit.SetText(File("a.lst"));
  String start;
  const TDialogScript cancelled(edit.Dialog(), {[&](TskOpenDlgForm& Form) { start = Form.FileList().GetPath(); }, Cancel});
  edit.ButtonClick(&edit);
  EXPECT_EQ(ExcludeTrailing(start), Folder());
  EXPECT_EQ(edit.Text(), File("a.lst"));
}

TEST_F(FileDialog, ASaveFileEditTakesTheChosenName) {
  TskSkinSaveFileEdit edit(nullptr);
  edit.SetFilter("Lists|*.lst");
  edit.SetText(File("a.lst"));
  const TDialogScript script(edit.Dialog(), {TypeStep("other"), ClickOK});
  edit.ButtonClick(&edit);
  EXPECT_EQ(edit.Text(), File("other.lst"));
}

// ---------------------------------------------------------------------------------------------
// Texts and looks

TEST(OpenDlgForm, TextsComeFromTheStringTableOrTheDefaults) {
  windowtesting::InitApplication();
  TskSkinData skin(nullptr);
  {
    const TskOpenDlgForm open(nullptr, false, nullptr);
    EXPECT_EQ(open.OKButton().Caption(), "&Open");
    EXPECT_EQ(open.LookInLabel().Caption(), "Look in: ");
    EXPECT_EQ(open.BackButton().Hint(), "Go To Last Folder Visited");
    EXPECT_EQ(open.ReportItem().Caption(), "Details");
    const TskOpenDlgForm save(nullptr, true, &skin);  // a skin without a string table
    EXPECT_EQ(save.OKButton().Caption(), "&Save");
    EXPECT_EQ(save.FileTypeLabel().Caption(), "File type:");
  }
  TskResourceStrData strings(nullptr);
  TStringList lines;
  lines.Add("MSG_BTN_CANCEL=Abbrechen");
  lines.Add("MSG_LV_LIST=Liste");
  strings.SetResStrs(lines);
  skin.SetResourceStrData(&strings);
  const TskOpenDlgForm form(nullptr, false, &skin);
  EXPECT_EQ(form.CancelButton().Caption(), "Abbrechen");
  EXPECT_EQ(form.ListItem().Caption(), "Liste");
  EXPECT_EQ(form.OKButton().Caption(), "") << "a key the table lacks gives no text";
  EXPECT_EQ(form.UpButton().Hint(), "");
  skin.SetResourceStrData(nullptr);
}

TEST(OpenDlgForm, TheToolBarRunsFromTheLabelToTheViewButton) {
  windowtesting::InitApplication();
  TskOpenDlgForm form(nullptr, false, nullptr);
  form.HandleNeeded();
  const TControl* order[] = {&form.LookInLabel(), &form.PathComboBox(), &form.BackButton(), &form.UpButton(),
                             &form.NewFolderButton(), &form.ViewButton()};
  for (size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1]->Left(), order[i]->Left()) << i;
  EXPECT_EQ(form.ViewButton().Left() + form.ViewButton().Width(), form.ToolBar().ClientWidth());
  EXPECT_EQ(form.BackButton().Left() - (form.PathComboBox().Left() + form.PathComboBox().Width()), 10) << "the spacer";
  // The bottom panel keeps its gaps on the right as the window grows.
  form.SetClientWidth(600);
  EXPECT_EQ(form.BottomPanel().Height(), 80);
  EXPECT_EQ(form.FileNameEdit().Left(), 70);
  EXPECT_EQ(form.BottomPanel().Width() - (form.FileNameEdit().Left() + form.FileNameEdit().Width()), 90);
  EXPECT_EQ(form.BottomPanel().Width() - (form.CancelButton().Left() + form.CancelButton().Width()), 10);
  EXPECT_EQ(form.CancelButton().Top(), 45);
}

// Whether a pixel of the control's rectangle on the screen passes Test.
bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// The running dialog on the screen, without a skin and with the program's: the tool glyphs with
// their magenta cut away, the skin's frame.
TEST_F(FileDialog, ShowsItsGlyphsInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  const auto green = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 80 && GetGValue(c) > GetBValue(c) + 80; };
  const auto blue = [](COLORREF c) { return c == RGB(20, 60, 200); };
  const auto magenta = [](COLORREF c) { return c == RGB(255, 0, 255); };
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &skin}) {
    TskSkinOpenDialog dialog(nullptr);
    dialog.SetInitialDir(Folder());
    dialog.SetSkinData(look);
    dialog.SetCtrlSkinData(look);
    bool backGreen = false, viewBlue = false, anyMagenta = true;
    String caption;
    EXPECT_FALSE(RunDialog(dialog, {[](TskOpenDlgForm& Form) { RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); },
                                    [&](TskOpenDlgForm& Form) {
                                      const skintesting::TScreenCopy screen;
                                      backGreen = Shows(screen, Form.BackButton(), green);
                                      viewBlue = Shows(screen, Form.ViewButton(), blue);
                                      anyMagenta = Shows(screen, Form.ToolBar(), magenta);
                                      caption = Form.Caption();
                                    },
                                    Cancel}));
    EXPECT_TRUE(backGreen) << (look ? "skinned" : "plain");
    EXPECT_TRUE(viewBlue);
    EXPECT_FALSE(anyMagenta);
    EXPECT_EQ(caption, "Open file");
  }
}

// ---------------------------------------------------------------------------------------------
// Registration

TEST(SkinOpenDialogRegistration, AFormDescriptionBuildsTheDialogsAndFileEdits) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Skin1: TskSkinData
  end
  object OpenDialog1: TskSkinOpenDialog
    Title = 'Open Audio files'
    Filter = 'All(*.mp3;*.wma;*.wav;)|*.mp3;*.wma;*.wav;'
    MultiSelection = True
    SkinData = Skin1
    CtrlSkinData = Skin1
    DialogWidth = 500
    CtrlAlphaBlendValue = 200
  end
  object SaveDialog1: TskSkinSaveDialog
    Filter = 'All files|*.lst'
    CheckFileExists = False
  end
  object FileEdit1: TskSkinSaveFileEdit
    Filter = 'Lists|*.lst'
    DlgSkinData = Skin1
  end
end
)");
  auto& open = *dynamic_cast<TskSkinOpenDialog*>(form->FindComponent("OpenDialog1"));
  auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("Skin1"));
  EXPECT_EQ(open.Title(), "Open Audio files");
  EXPECT_TRUE(open.MultiSelection());
  EXPECT_TRUE(open.CheckFileExists());
  EXPECT_EQ(open.SkinData(), skin);
  EXPECT_EQ(open.CtrlSkinData(), skin);
  EXPECT_EQ(open.DialogWidth(), 500);
  EXPECT_EQ(open.CtrlAlphaBlendValue(), 200);
  EXPECT_EQ(open.AlphaBlendValue(), 225);
  EXPECT_EQ(open.LVHeaderSkinDataName(), "resizebutton");
  auto& save = *dynamic_cast<TskSkinSaveDialog*>(form->FindComponent("SaveDialog1"));
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_EQ(save.Filter(), "All files|*.lst");
  EXPECT_FALSE(save.CheckFileExists());
  auto& edit = *dynamic_cast<TskSkinSaveFileEdit*>(form->FindComponent("FileEdit1"));
  EXPECT_EQ(edit.Filter(), "Lists|*.lst");
  EXPECT_EQ(edit.DlgSkinData(), skin);

  // Freeing the skin clears every reference to it.
  delete skin;
  EXPECT_EQ(open.SkinData(), nullptr);
  EXPECT_EQ(open.CtrlSkinData(), nullptr);
  EXPECT_EQ(edit.DlgSkinData(), nullptr);
}

}  // namespace
