#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/Screen.h"
#include "tests/support/MappedDrive.h"

#include "platform/classlib/Exception.h"
#include "platform/classlib/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/shell/SkinDriveDirFileLists.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;
using classlib::TBitmap;
using classlib::TControl;
using classlib::TForm;
using classlib::TPoint;

std::vector<String> Lines(const classlib::TStrings& Items) {
  std::vector<String> lines;
  for (int i = 0; i < Items.Count(); ++i) lines.push_back(Items[i]);
  return lines;
}

// Puts the process's current folder back at the end: the lists move it as they read.
class TCurrentFolderKeeper {
public:
  TCurrentFolderKeeper() : FSaved(classlib::GetCurrentDir()) {}
  ~TCurrentFolderKeeper() { SetCurrentDirectoryA(FSaved.c_str()); }
  TCurrentFolderKeeper(const TCurrentFolderKeeper&) = delete;
  TCurrentFolderKeeper& operator=(const TCurrentFolderKeeper&) = delete;

private:
  String FSaved;
};

// A fixture on a drive of its own:
//   alpha\beta\gamma\{Eta, zeta}      three levels with two subfolders below
//   files\{a.txt, b.TXT, c.bmp, d.doc, sub}
// and a form holding the three lists and a filter combo box, not yet linked.
class DriveDirFileLists : public ::testing::Test {
protected:
  static void MakeFixture(const std::string& Root) {
    for (const char* folder : {"/alpha/beta/gamma/Eta", "/alpha/beta/gamma/zeta", "/files/sub"})
      testing_support::RunTool("mkdir -p '" + Root + folder + "'");
    for (const char* file : {"a.txt", "b.TXT", "c.bmp", "d.doc"})
      testing_support::WriteUnixFile(Root + "/files/" + file, "x");
  }

  DriveDirFileLists() : Drive((MakeFixture(Folder.unixPath()), Folder.unixPath())) {}

  void SetUp() override {
    RegisterSkinShellClasses();
    Form = windowtesting::ReadForm(R"(object TestForm: TForm
  Left = 20
  Top = 20
  Width = 520
  Height = 320
  object Drives: TskSkinDriveComboBox
    Left = 10
    Top = 10
    Width = 200
  end
  object Dirs: TskSkinDirectoryListBox
    Left = 10
    Top = 40
    Height = 220
  end
  object Files: TskSkinFileListBox
    Left = 170
    Top = 40
    Height = 220
  end
  object Filter: TskSkinFilterComboBox
    Left = 330
    Top = 10
    Width = 160
    Filter = 'Texts|*.txt|Bitmaps|*.bmp'
  end
  object Path: TskSkinStdLabel
    Left = 330
    Top = 50
  end
  object Name: TEdit
    Left = 330
    Top = 80
  end
end)");
    Drives = dynamic_cast<TskSkinDriveComboBox*>(Form->FindComponent("Drives"));
    Dirs = dynamic_cast<TskSkinDirectoryListBox*>(Form->FindComponent("Dirs"));
    Files = dynamic_cast<TskSkinFileListBox*>(Form->FindComponent("Files"));
    Filter = dynamic_cast<TskSkinFilterComboBox*>(Form->FindComponent("Filter"));
    Label = dynamic_cast<TskSkinStdLabel*>(Form->FindComponent("Path"));
    Edit = dynamic_cast<classlib::TEdit*>(Form->FindComponent("Name"));
    ASSERT_TRUE(Drives && Dirs && Files && Filter && Label && Edit);
    Form->Show();
    windowtesting::Pump();
  }

  // "M:\" + Rest on the fixture's drive.
  String OnDrive(const String& Rest) const { return Drive.root() + Rest; }
  String Lower(char Letter) const { return String(1, static_cast<char>(Letter - 'A' + 'a')); }

  TCurrentFolderKeeper Keeper;
  testing_support::TempDir Folder;
  testing_support::MappedDrive Drive;
  std::unique_ptr<TForm> Form;
  TskSkinDriveComboBox* Drives = nullptr;
  TskSkinDirectoryListBox* Dirs = nullptr;
  TskSkinFileListBox* Files = nullptr;
  TskSkinFilterComboBox* Filter = nullptr;
  TskSkinStdLabel* Label = nullptr;
  classlib::TEdit* Edit = nullptr;
};

// Wine's drives C: and Z: and the mapped one, as fixed drives with their (empty) labels.
TEST_F(DriveDirFileLists, DriveComboListsEveryDriveInTheChosenCase) {
  const std::vector<String> items = Lines(Drives->Items());
  const String mapped = Lower(Drive.letter()) + ": []";
  for (const String& expected : {String("c: []"), String("z: []"), mapped})
    EXPECT_NE(std::find(items.begin(), items.end(), expected), items.end()) << expected;
  for (int i = 0; i < Drives->Items().Count(); ++i) {
    const String item = Drives->Items()[i];
    EXPECT_EQ(item, classlib::AnsiLowerCase(item)) << "the default case is lower case";
    EXPECT_NE(dynamic_cast<TBitmap*>(Drives->Items().Objects(i)), nullptr) << item;
  }

  // The current folder's drive is chosen when the window comes.
  const String current = classlib::GetCurrentDir();
  ASSERT_GE(Drives->ItemIndex(), 0);
  EXPECT_EQ(Drives->Items()[Drives->ItemIndex()].substr(0, 1), classlib::AnsiLowerCase(current.substr(0, 1)));

  // A lower-case letter chooses the mapped drive.
  Drives->SetDrive(Lower(Drive.letter())[0]);
  EXPECT_EQ(Drives->Items()[Drives->ItemIndex()], mapped);
  EXPECT_EQ(Drives->Drive(), Lower(Drive.letter())[0]);

  // Upper case rebuilds the list and keeps the drive.
  Drives->SetTextCase(TTextCase::tcUpperCase);
  EXPECT_EQ(Drives->Items()[Drives->ItemIndex()], Drive.drive() + " []");
  EXPECT_EQ(Drives->Drive(), Drive.letter());
  const std::vector<String> upper = Lines(Drives->Items());
  EXPECT_NE(std::find(upper.begin(), upper.end(), "C: []"), upper.end());

  // A letter without a drive chooses nothing; none at all chooses nothing either.
  const char missing = [] {
    for (char c = 'Y'; c > 'C'; --c)
      if (!(GetLogicalDrives() & (1u << (c - 'A')))) return c;
    return '\0';
  }();
  ASSERT_NE(missing, '\0');
  Drives->SetDrive(missing);
  EXPECT_EQ(Drives->ItemIndex(), -1);
  Drives->SetDrive(Drive.letter());
  Drives->SetDrive('\0');
  EXPECT_EQ(Drives->ItemIndex(), -1);
  EXPECT_EQ(Drives->Drive(), '\0');
}

TEST_F(DriveDirFileLists, DirectoryListShowsThePathAndTheSubfolders) {
  Dirs->SetDirectory(OnDrive("alpha\\beta\\gamma"));
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha\\beta\\gamma"));
  EXPECT_EQ(Lines(Dirs->Items()), (std::vector<String>{Drive.root(), "alpha", "beta", "gamma", "Eta", "zeta"}));
  EXPECT_EQ(Dirs->ItemIndex(), 3) << "the current folder is selected";
  // The items' kinds: the root and ancestors share one picture, the current folder and the
  // subfolders have pictures of their own.
  const classlib::TObject* opened = Dirs->Items().Objects(0);
  EXPECT_EQ(Dirs->Items().Objects(1), opened);
  EXPECT_EQ(Dirs->Items().Objects(2), opened);
  EXPECT_NE(Dirs->Items().Objects(3), opened);
  EXPECT_NE(Dirs->Items().Objects(4), opened);
  EXPECT_NE(Dirs->Items().Objects(4), Dirs->Items().Objects(3));
  EXPECT_EQ(Dirs->Items().Objects(5), Dirs->Items().Objects(4));

  const struct {
    int Index;
    String Path;
  } paths[] = {{0, Drive.root()},
               {1, OnDrive("alpha")},
               {2, OnDrive("alpha\\beta")},
               {3, OnDrive("alpha\\beta\\gamma")},
               {4, OnDrive("alpha\\beta\\gamma\\Eta")},
               {6, ""},
               {-1, ""}};
  for (const auto& p : paths) EXPECT_EQ(Dirs->GetItemPath(p.Index), p.Path) << p.Index;

  // Nothing selected: opening it stays where it is.
  Dirs->SetItemIndex(-1);
  Dirs->OpenCurrent();
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha\\beta\\gamma"));

  // Opening an ancestor goes there; a double click opens the selected item.
  Dirs->SetItemIndex(1);
  Dirs->OpenCurrent();
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha"));
  EXPECT_EQ(Lines(Dirs->Items()), (std::vector<String>{Drive.root(), "alpha", "beta"}));
  Dirs->SetItemIndex(2);
  const classlib::TRect beta = Dirs->ItemRect(2);
  SendMessageW(Dirs->InnerList().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(beta.left + 30, beta.top + 2));
  windowtesting::Pump();
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha\\beta"));

  // A relative name goes below the list's own folder, whatever folder is current.
  SetCurrentDirectoryA("C:\\");
  Dirs->SetDirectory("gamma");
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha\\beta\\gamma"));

  // The drive root is the current folder with the subfolders under it.
  Dirs->SetDirectory(Drive.root());
  EXPECT_EQ(Lines(Dirs->Items()), (std::vector<String>{Drive.root(), "alpha", "files"}));
  EXPECT_EQ(Dirs->ItemIndex(), 0);

  // A folder that is not there raises and leaves the list as it was.
  EXPECT_THROW(Dirs->SetDirectory(OnDrive("missing")), classlib::EInOutError);
  EXPECT_EQ(Dirs->Directory(), Drive.root());
  EXPECT_EQ(Dirs->Items().Count(), 3);
}

TEST_F(DriveDirFileLists, FileListMasksAndFileTypes) {
  Files->SetDirectory(OnDrive("files"));
  EXPECT_EQ(Lines(Files->Items()), (std::vector<String>{"a.txt", "b.TXT", "c.bmp", "d.doc"}));
  EXPECT_EQ(Files->Mask(), "*.*");
  EXPECT_FALSE(Files->IsMaskStored());

  const struct {
    const char* Mask;
    std::vector<String> Items;
  } masks[] = {
      {"*.txt;*.bmp", {"a.txt", "b.TXT", "c.bmp"}},
      // A name two patterns match is listed once.
      {"*.txt;a*", {"a.txt", "b.TXT"}},
      {"*.doc", {"d.doc"}},
      {"*.none", {}},
  };
  for (const auto& m : masks) {
    Files->SetMask(m.Mask);
    EXPECT_EQ(Lines(Files->Items()), m.Items) << m.Mask;
  }
  EXPECT_TRUE(Files->IsMaskStored());

  Files->SetMask("*.*");
  Files->SetFileType({TFileAttr::ftNormal, TFileAttr::ftDirectory});
  const std::vector<String> withFolders = Lines(Files->Items());
  EXPECT_NE(std::find(withFolders.begin(), withFolders.end(), "[sub]"), withFolders.end());
  EXPECT_NE(std::find(withFolders.begin(), withFolders.end(), "a.txt"), withFolders.end());
  Files->SetFileType({TFileAttr::ftDirectory});
  for (const String& item : Lines(Files->Items())) EXPECT_EQ(item.front(), '[') << item;

  // A name is chosen ignoring case, an unknown one chooses nothing; a folder keeps its brackets.
  Files->SetFileName("[SUB]");
  EXPECT_EQ(Files->GetFileName(), "[sub]");
  EXPECT_EQ(Files->GetFilePath(), OnDrive("files\\[sub]"));
  Files->SetFileName("nothere");
  EXPECT_EQ(Files->GetFileName(), "");
  EXPECT_EQ(Files->GetFilePath(), "");
}

TEST_F(DriveDirFileLists, ApplyFilePathTakesFoldersPatternsAndNames) {
  Files->SetDirectory(OnDrive("alpha"));
  Files->SetMask("*.txt");
  const struct {
    String Typed;
    String Directory, Mask, Selected;
  } cases[] = {
      {OnDrive("files\\*.bmp"), OnDrive("files"), "*.bmp", ""},
      {OnDrive("files\\d.doc"), OnDrive("files"), "d.doc", "d.doc"},  // hidden by the mask: becomes it
      {"*.txt", OnDrive("files"), "*.txt", ""},
      {"b.txt", OnDrive("files"), "*.txt", "b.TXT"},                 // listed: chosen
      {OnDrive("alpha\\beta"), OnDrive("alpha\\beta"), "*.txt", ""},  // a folder
      {"[gamma]", OnDrive("alpha\\beta\\gamma"), "*.txt", ""},
  };
  for (const auto& c : cases) {
    Files->ApplyFilePath(c.Typed);
    EXPECT_EQ(Files->Directory(), c.Directory) << c.Typed;
    EXPECT_EQ(Files->Mask(), c.Mask) << c.Typed;
    EXPECT_EQ(Files->GetFileName(), c.Selected) << c.Typed;
  }
  EXPECT_THROW(Files->ApplyFilePath(OnDrive("missing\\*.txt")), classlib::EInOutError);
  EXPECT_EQ(Files->Directory(), OnDrive("alpha\\beta\\gamma"));
}

TEST_F(DriveDirFileLists, ChainedListsFollowEachOther) {
  Drives->SetDirListBox(Dirs);
  Dirs->SetFileListBox(Files);
  Dirs->SetDirLabel(Label);
  Files->SetFileEdit(Edit);
  Filter->SetFileListBox(Files);
  EXPECT_EQ(Dirs->FileList(), Files);
  EXPECT_EQ(Files->DirList(), Dirs);
  EXPECT_EQ(Files->FilterCombo(), Filter);

  // drive -> directory -> files
  Drives->SetDrive(Drive.letter());
  EXPECT_EQ(Dirs->GetDrive(), Drive.letter());
  EXPECT_EQ(Files->Directory(), Dirs->Directory());

  Dirs->SetDirectory(OnDrive("files"));
  EXPECT_EQ(Files->Directory(), OnDrive("files"));
  EXPECT_EQ(Label->Caption(), OnDrive("files"));
  EXPECT_EQ(Lines(Files->Items()), (std::vector<String>{"a.txt", "b.TXT", "c.bmp", "d.doc"}));

  // filter -> files -> edit
  Filter->SetItemIndex(1);
  EXPECT_EQ(Files->Mask(), "*.bmp");
  EXPECT_EQ(Lines(Files->Items()), (std::vector<String>{"c.bmp"}));
  EXPECT_EQ(Edit->Text(), "*.bmp") << "with nothing chosen the edit shows the mask";
  const classlib::TRect first = Files->ItemRect(0);
  SendMessageW(Files->InnerList().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 5, first.top + 2));
  SendMessageW(Files->InnerList().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(first.left + 5, first.top + 2));
  windowtesting::Pump();
  EXPECT_EQ(Edit->Text(), "c.bmp");

  // files -> directory -> drive: a typed path in another folder and on another drive
  Files->ApplyFilePath(OnDrive("alpha\\beta\\*.txt"));
  EXPECT_EQ(Dirs->Directory(), OnDrive("alpha\\beta"));
  EXPECT_EQ(Files->Directory(), OnDrive("alpha\\beta"));
  EXPECT_EQ(Files->Mask(), "*.txt");
  Dirs->SetDirectory("C:\\");
  EXPECT_EQ(Drives->Drive(), 'c');
  EXPECT_EQ(Drives->Items()[Drives->ItemIndex()].substr(0, 2), "c:");
  EXPECT_EQ(Files->Directory(), "C:\\");

  // The user's choice of drive reaches the lists through the combo box's own OnChange.
  const int mapped = [&] {
    for (int i = 0; i < Drives->Items().Count(); ++i)
      if (Drives->Items()[i].substr(0, 1) == Lower(Drive.letter())) return i;
    return -1;
  }();
  ASSERT_GE(mapped, 0);
  Drives->SetItemIndex(mapped);
  EXPECT_EQ(Dirs->GetDrive(), Drive.letter());
  EXPECT_EQ(Files->GetDrive(), Drive.letter());

  // A partner that goes is forgotten by the others.
  delete Dirs;
  EXPECT_EQ(Drives->DirList(), nullptr);
  EXPECT_EQ(Files->DirList(), nullptr);
  delete Files;
  EXPECT_EQ(Filter->FileList(), nullptr);
  Filter->SetItemIndex(0);
}

// Whether a pixel of the control's rectangle on the screen passes Test.
bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// The lists on the screen, without a skin and with the program's: the folder and drive pictures
// with their magenta cut away.
TEST_F(DriveDirFileLists, ShowPicturesInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  Dirs->SetDirectory(OnDrive("alpha\\beta"));
  Drives->SetDrive(Drive.letter());
  const auto folderYellow = [](COLORREF c) { return c == RGB(240, 200, 64); };
  const auto arrowGreen = [](COLORREF c) { return c == RGB(24, 150, 40); };
  const auto diskLight = [](COLORREF c) { return c == RGB(40, 220, 60); };
  const auto magenta = [](COLORREF c) { return c == RGB(255, 0, 255); };
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &skin}) {
    Dirs->SetSkinData(look);
    Drives->SetSkinData(look);
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    windowtesting::Pump();
    const skintesting::TScreenCopy screen;
    const char* name = look ? "skinned" : "plain";
    EXPECT_TRUE(Shows(screen, *Dirs, folderYellow)) << name;
    EXPECT_TRUE(Shows(screen, *Dirs, arrowGreen)) << name;
    EXPECT_TRUE(Shows(screen, *Drives, diskLight)) << name;
    EXPECT_FALSE(Shows(screen, *Dirs, magenta)) << name;
    EXPECT_FALSE(Shows(screen, *Drives, magenta)) << name;
  }
}

TEST(DriveDirFileListsRegistration, DescriptionsLinkTheListsWithTheirDefaults) {
  RegisterSkinShellClasses();
  TCurrentFolderKeeper keeper;
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Drives: TskSkinDriveComboBox
    DirList = Dirs
    TextCase = tcUpperCase
  end
  object Dirs: TskSkinDirectoryListBox
    FileList = Files
  end
  object Files: TskSkinFileListBox
    Mask = '*.txt;*.ini'
    FileType = [ftNormal, ftDirectory]
  end
  object Filter: TskSkinFilterComboBox
    FileList = Files
  end
  object Plain: TskSkinFileListBox
  end
  object PlainDrives: TskSkinDriveComboBox
  end
end)");
  auto& drives = *dynamic_cast<TskSkinDriveComboBox*>(form->FindComponent("Drives"));
  auto& dirs = *dynamic_cast<TskSkinDirectoryListBox*>(form->FindComponent("Dirs"));
  auto& files = *dynamic_cast<TskSkinFileListBox*>(form->FindComponent("Files"));
  auto& filter = *dynamic_cast<TskSkinFilterComboBox*>(form->FindComponent("Filter"));
  EXPECT_EQ(drives.DirList(), &dirs);
  EXPECT_EQ(drives.TextCase(), TTextCase::tcUpperCase);
  EXPECT_EQ(dirs.FileList(), &files);
  EXPECT_EQ(files.DirList(), &dirs);
  EXPECT_EQ(filter.FileList(), &files);
  EXPECT_EQ(files.Mask(), "*.txt;*.ini");
  EXPECT_EQ(files.FileType(), (TFileType{TFileAttr::ftNormal, TFileAttr::ftDirectory}));

  auto& plain = *dynamic_cast<TskSkinFileListBox*>(form->FindComponent("Plain"));
  EXPECT_EQ(plain.Mask(), "*.*");
  EXPECT_EQ(plain.FileType(), TFileType{TFileAttr::ftNormal});
  EXPECT_FALSE(plain.MultiSelect());
  EXPECT_EQ(plain.Width(), 145);
  EXPECT_EQ(dirs.Width(), 145);
  EXPECT_EQ(dynamic_cast<TskSkinDriveComboBox*>(form->FindComponent("PlainDrives"))->TextCase(),
            TTextCase::tcLowerCase);
}

}  // namespace
