#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinShellComboBox.h"
#include "skin/shell/SkinShellRegistration.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;
using windowtesting::Pump;

using TOwnedList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;
using TNames = std::vector<std::string>;

// A shown form holding a file list view over a folder with files of several kinds, a file without
// an extension, a folder named like an archive and a folder with a folder in it.
class FileListViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* file : {"A.BMP", "x.Ico", "y.txt", "noext"}) testing_support::WriteUnixFile(Dir.unixFile(file), "data");
    ASSERT_TRUE(classlib::ForceDirectories(Dir.windowsFile("X.ZIP")));
    ASSERT_TRUE(classlib::ForceDirectories(Dir.windowsFile("sub\\deeper")));
    windowtesting::InitApplication();
    Form = std::make_unique<classlib::TForm>(nullptr);
    Form->SetBounds(0, 0, 500, 400);
    View = new TskSkinFileListView(Form.get());
    View->SetParent(Form.get());
    View->SetBounds(0, 0, 480, 360);
    View->OnPathChange = [this](classlib::TObject*) { ++PathChanges; };
    Form->Show();
    Pump();
    View->SetPath(Dir.windowsPath());
  }

  // The file names of the listed items, in display order.
  TNames Names() const {
    TNames names;
    for (int i = 0; i < View->FolderCount(); ++i)
      names.push_back(classlib::ExtractFileName(View->GetFolder(i)->PathName()));
    return names;
  }
  int IndexOf(const std::string& Name) const {
    const TNames names = Names();
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == Name) return static_cast<int>(i);
    return -1;
  }
  void Key(WORD VirtualKey) {
    SendMessageW(View->Handle(), WM_KEYDOWN, VirtualKey, 0);
    Pump();
  }
  bool Shows(const std::string& Path) const { return classlib::SameText(View->GetPath(), Path); }

  testing_support::TempDir Dir;
  std::unique_ptr<classlib::TForm> Form;
  TskSkinFileListView* View = nullptr;
  int PathChanges = 0;
};

TEST_F(FileListViewTest, MasksAndOrder) {
  const struct {
    const char* Mask;
    TNames Names;
  } cases[] = {
      {"*.*|*.*", {"sub", "X.ZIP", "A.BMP", "x.Ico", "y.txt"}},
      {"*.bmp;*.ico;*.emf;*.wmf", {"sub", "A.BMP", "x.Ico"}},
      {"*", {"sub"}},
      {"", {"sub"}},
      {"noext;*.ZiP", {"sub", "X.ZIP"}},
      {"[xy].*", {"sub", "X.ZIP", "x.Ico", "y.txt"}},
      {"[!x-z]*.*|?.TXT", {"sub", "A.BMP", "y.txt"}},
  };
  for (const auto& c : cases) {
    View->SetMask(c.Mask);
    EXPECT_EQ(Names(), c.Names) << c.Mask;
    EXPECT_EQ(View->Items().Count(), View->FolderCount());
  }
}

// The view puts the items in the order it expects of the shell and lets the shell confirm it: names
// of every kind (punctuation, digits, case) and the desktop's items, which have no file names, must
// all come in the shell's order.
TEST_F(FileListViewTest, FollowsTheShellsOrder) {
  testing_support::TempDir mixed;
  for (const char* file : {"_a.txt", "a-c.txt", "ab.txt", "a_b.txt", "B.txt", "b1.txt", "b10.txt", "b2.txt", "a c.txt",
                           "'q.txt", "Zz.txt", "z.txt"})
    testing_support::WriteUnixFile(mixed.unixFile(file), "data");
  ASSERT_TRUE(classlib::ForceDirectories(mixed.windowsFile("folder.zip")));
  View->SetPath(mixed.windowsPath());
  EXPECT_EQ(View->FolderCount(), 13);
  const String mixedPath = mixed.windowsPath();
  for (const String& root : {mixedPath, String("rfDesktop"), String("rfMyComputer")}) {
    View->SetRoot(root);
    IShellFolder* const folder = View->RootFolder()->ShellFolder();
    for (int i = 0; i + 1 < View->FolderCount(); ++i) {
      const TskShellFolder* a = View->GetFolder(i);
      const TskShellFolder* b = View->GetFolder(i + 1);
      if (a->IsFolder() != b->IsFolder()) continue;
      const HRESULT order = folder->CompareIDs(0, a->RelativeID(), b->RelativeID());
      EXPECT_LE(static_cast<short>(HRESULT_CODE(order)), 0) << root << " " << i;
    }
  }
}

TEST_F(FileListViewTest, AddFolderHandlerAndRefills) {
  int asked = 0;
  View->OnAddFolder = [&](classlib::TObject* Sender, TskShellFolder* Folder, bool& CanAdd) {
    EXPECT_EQ(Sender, View);
    ++asked;
    const String name = classlib::ExtractFileName(Folder->PathName());
    if (name == "sub") CanAdd = false;
    if (name == "noext") CanAdd = true;
  };
  View->SetMask("*.txt");
  EXPECT_EQ(Names(), (TNames{"noext", "y.txt"}));
  EXPECT_EQ(asked, 6);
  View->SetMask("*.txt");
  EXPECT_EQ(asked, 6) << "the same mask again reads nothing";
  View->SetMask("*.TXT");
  EXPECT_EQ(asked, 12);
  View->SetSorted(false);
  EXPECT_EQ(asked, 18);
  EXPECT_EQ(View->FolderCount(), 2);
}

TEST_F(FileListViewTest, NavigatesByKeysAndBack) {
  EXPECT_TRUE(Shows(Dir.windowsPath()));
  const int changes = PathChanges;
  View->SetItemIndex(IndexOf("A.BMP"));
  Key(VK_RETURN);
  EXPECT_TRUE(Shows(Dir.windowsPath())) << "Enter on a file stays";
  View->SetItemIndex(IndexOf("X.ZIP"));
  Key(VK_RETURN);
  EXPECT_TRUE(Shows(Dir.windowsPath())) << "an archive is a file";
  View->SetItemIndex(IndexOf("sub"));
  Key(VK_RETURN);
  EXPECT_TRUE(Shows(Dir.windowsFile("sub")));
  EXPECT_EQ(Names(), TNames{"deeper"});
  EXPECT_EQ(PathChanges, changes + 1);
  Key(VK_BACK);
  EXPECT_TRUE(Shows(Dir.windowsPath()));
  EXPECT_EQ(PathChanges, changes + 2);

  View->SetAutoNavigate(false);
  Key(VK_BACK);
  EXPECT_TRUE(Shows(Dir.windowsPath()));
}

TEST_F(FileListViewTest, BackFromADriveRootAndAtTheDesktop) {
  View->SetPath("C:\\");
  View->Back();
  LPITEMIDLIST drives = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)));
  const TOwnedList ownedDrives(drives);
  EXPECT_TRUE(SameItemIDList(View->RootFolder()->AbsoluteID(), drives));
  View->Back();
  EXPECT_EQ(CountItemIDs(View->RootFolder()->AbsoluteID()), 0) << "the desktop";
  const int changes = PathChanges;
  View->Back();
  EXPECT_EQ(CountItemIDs(View->RootFolder()->AbsoluteID()), 0);
  EXPECT_EQ(PathChanges, changes) << "nothing above the desktop";
}

TEST_F(FileListViewTest, MissingPathKeepsTheView) {
  const String missing = Dir.windowsFile("gone\\away");
  const int count = View->FolderCount();
  try {
    View->SetPath(missing);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidPath& e) {
    EXPECT_EQ(e.Message(), "Error setting path: \"" + missing + "\"");
  }
  EXPECT_TRUE(Shows(Dir.windowsPath()));
  EXPECT_EQ(View->FolderCount(), count);
  EXPECT_THROW(View->SetRoot("rfNoSuchFolder"), classlib::Exception);
  EXPECT_EQ(View->Root(), "rfDesktop");
}

TEST_F(FileListViewTest, RefreshKeepsTheSelectedIndex) {
  const int last = View->FolderCount() - 1;
  View->SetItemIndex(last);
  View->Refresh();
  EXPECT_EQ(View->ItemIndex(), last);
  ASSERT_TRUE(DeleteFileW(classlib::ToWide(Dir.windowsFile("y.txt")).c_str()));
  Key(VK_F5);
  EXPECT_EQ(View->FolderCount(), last);
  EXPECT_EQ(View->ItemIndex(), -1) << "the index lies past the new last item";
}

TEST_F(FileListViewTest, SelectedFiles) {
  View->SetItemIndex(IndexOf("sub"));
  EXPECT_EQ(View->GetSelectedFile(), "");
  View->SetItemIndex(IndexOf("y.txt"));
  EXPECT_TRUE(classlib::SameText(View->GetSelectedFile(), Dir.windowsFile("y.txt")));

  View->SetMultiSelect(true);
  for (const char* name : {"sub", "A.BMP", "y.txt"}) View->Items().Item(IndexOf(name))->SetSelected(true);
  classlib::TStringList files;
  files.Add("left over");
  View->GetSelectedFiles(files);
  ASSERT_EQ(files.Count(), 2);
  EXPECT_TRUE(classlib::SameText(files.Strings(0), Dir.windowsFile("A.BMP")));
  EXPECT_TRUE(classlib::SameText(files.Strings(1), Dir.windowsFile("y.txt")));
}

// Searches of the list (typing in it) go to the view's own items.
TEST_F(FileListViewTest, FindsByTheStartOfTheName) {
  const int count = View->FolderCount();
  const struct {
    const char* Text;
    int Start;
    bool Wrap;
    const char* Found;
  } cases[] = {
      {"Y", -1, true, "y.txt"}, {"a", 3, true, "A.BMP"}, {"a", 3, false, nullptr},
      {"SU", count, false, "sub"}, {"zz", 0, true, nullptr}, {"y.TXT", 0, false, "y.txt"},
  };
  for (const auto& c : cases) {
    classlib::WideString text = classlib::ToWide(c.Text);
    LVFINDINFOW find{};
    find.flags = LVFI_PARTIAL | (c.Wrap ? LVFI_WRAP : 0);
    find.psz = text.c_str();
    const auto found = static_cast<int>(
        SendMessageW(View->Handle(), LVM_FINDITEMW, static_cast<WPARAM>(c.Start), reinterpret_cast<LPARAM>(&find)));
    EXPECT_EQ(found, c.Found ? IndexOf(c.Found) : -1) << c.Text << " from " << c.Start;
  }
}

TEST_F(FileListViewTest, OpenVerbRestoresTheDirectory) {
  WCHAR before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  View->SetItemIndex(IndexOf("y.txt"));
  bool handled = false;
  View->ExecuteCommand("OPEN", handled);
  EXPECT_FALSE(handled) << "the shell opens the item";
  WCHAR during[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, during);
  EXPECT_TRUE(classlib::SameText(classlib::IncludeTrailingPathDelimiter(classlib::FromWide(during)),
                                 classlib::IncludeTrailingPathDelimiter(Dir.windowsPath())));
  View->CommandCompleted("open", false);
  WCHAR after[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_EQ(classlib::FromWide(after), classlib::FromWide(before)) << "also when opening failed";
}

TEST_F(FileListViewTest, RenamesInPlace) {
  View->SetItemIndex(IndexOf("y.txt"));
  bool handled = false;
  View->ExecuteCommand("Rename", handled);
  EXPECT_TRUE(handled);
  const auto edit = reinterpret_cast<HWND>(SendMessageW(View->Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_TRUE(edit);
  SetWindowTextW(edit, L"z.txt");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_TRUE(classlib::FileExists(Dir.windowsFile("z.txt")));
  EXPECT_FALSE(classlib::FileExists(Dir.windowsFile("y.txt")));
}

// The folder's own columns, up to the end of its default-shown run, in characters of the view's font.
TEST_F(FileListViewTest, ColumnsAndRowTexts) {
  View->SetViewStyle(classlib::TViewStyle::vsReport);
  TNames titles;
  for (int i = 0; i < View->Columns().Count(); ++i) titles.push_back(View->Columns().Items(i)->Caption());
  EXPECT_EQ(titles, (TNames{"File", "Size", "Type", "Modified", "Attributes"}));
  classlib::TBitmap measure;
  measure.Canvas()->Font()->Assign(View->Font());
  const int x = measure.Canvas()->TextWidth("X");
  for (int i = 0; i < View->Columns().Count(); ++i)
    EXPECT_EQ(View->Columns().Items(i)->Width() % x, 0) << titles[static_cast<size_t>(i)];

  const auto text = [this](const char* Name, int Column) {
    WCHAR buffer[100] = {};
    LVITEMW lv{};
    lv.iSubItem = Column;
    lv.pszText = buffer;
    lv.cchTextMax = 100;
    SendMessageW(View->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(IndexOf(Name)), reinterpret_cast<LPARAM>(&lv));
    return classlib::FromWide(buffer);
  };
  EXPECT_EQ(text("y.txt", 0), View->GetFolder(IndexOf("y.txt"))->DisplayName());
  EXPECT_EQ(text("y.txt", 1), "1 KB");
  EXPECT_EQ(text("sub", 1), "");
  EXPECT_FALSE(text("y.txt", 3).empty()) << "the date";

  View->SetViewStyle(classlib::TViewStyle::vsIcon);
  EXPECT_EQ(View->Columns().Count(), 5) << "kept until the report style comes back";
}

// A view read from a form: filled only once it has a root, and linked to a path combo box.
TEST(FileListViewForm, ReadLinkedAndShown) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 500
  Height = 400
  object Paths: TskSkinShellComboBox
    Width = 300
  end
  object Files: TskSkinFileListView
    Top = 40
    Width = 480
    Height = 300
    Mask = '*.txt'
    AutoRefresh = True
    ShellComboBox = Paths
  end
end)");
  auto* paths = dynamic_cast<TskSkinShellComboBox*>(form->FindComponent("Paths"));
  auto* files = dynamic_cast<TskSkinFileListView*>(form->FindComponent("Files"));
  ASSERT_TRUE(paths && files);
  EXPECT_EQ(files->FolderCount(), 0) << "no root before the window";
  EXPECT_EQ(files->ShellComboBox(), paths);
  form->Show();
  Pump();
  EXPECT_GT(files->FolderCount(), 0) << "the desktop";

  files->SetRoot("RFMYCOMPUTER");
  bool drive = false;
  for (int i = 0; i < files->FolderCount(); ++i) drive |= classlib::SameText(files->GetFolder(i)->PathName(), "C:\\");
  EXPECT_TRUE(drive) << "the drives";

  testing_support::TempDir dir;
  files->SetPath(dir.windowsPath());
  EXPECT_TRUE(classlib::SameText(paths->GetPath(), dir.windowsPath())) << "the combo box follows";
  // A file made on disk shows without being asked for (once the watch has begun).
  windowtesting::PumpFor(200);
  testing_support::WriteUnixFile(dir.unixFile("new.txt"), "x");
  for (int i = 0; i < 100 && files->FolderCount() == 0; ++i) windowtesting::PumpFor(20);
  EXPECT_EQ(files->FolderCount(), 1);

  delete paths;
  EXPECT_EQ(files->ShellComboBox(), nullptr);
}

}  // namespace
