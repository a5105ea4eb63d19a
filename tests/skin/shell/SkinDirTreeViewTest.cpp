#include "tests/classlib/WindowTesting.h"
#include "tests/support/MappedDrive.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinShellComboBox.h"
#include "skin/shell/SkinShellRegistration.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;
using classlib::TTreeNode;
using windowtesting::Pump;

using TOwnedList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;
using TNames = std::vector<String>;

TOwnedList Special(int Csidl) {
  LPITEMIDLIST list = nullptr;
  EXPECT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, Csidl, &list)));
  return TOwnedList(list);
}

bool SamePath(const String& A, const String& B) {
  return classlib::SameText(classlib::IncludeTrailingPathDelimiter(A), classlib::IncludeTrailingPathDelimiter(B));
}

// Catches what a message handler raises, in place of the application's message box.
class TRaised {
public:
  TRaised() : FOld(classlib::TControl::ExceptionHook) {
    classlib::TControl::ExceptionHook = [this](std::exception_ptr E) {
      try {
        std::rethrow_exception(E);
      } catch (const classlib::Exception& Raised) {
        Messages.push_back(Raised.Message());
      } catch (...) {
        Messages.push_back("?");
      }
    };
  }
  ~TRaised() { classlib::TControl::ExceptionHook = FOld; }
  TRaised(const TRaised&) = delete;
  TRaised& operator=(const TRaised&) = delete;

  std::vector<String> Messages;

private:
  std::function<void(std::exception_ptr)> FOld;
};

// A shown form with a shell tree over a fixture folder: a\b\c, a\x, files (one file), empty.
class DirTreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterSkinShellClasses();
    ASSERT_TRUE(classlib::ForceDirectories(Path("a\\b\\c")));
    ASSERT_TRUE(classlib::ForceDirectories(Path("a\\x")));
    ASSERT_TRUE(classlib::ForceDirectories(Path("files")));
    ASSERT_TRUE(classlib::ForceDirectories(Path("empty")));
    testing_support::WriteUnixFile(Dir.unixFile("files/only.txt"), "data");
    Form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 400
  Height = 500
  object Tree: TskSkinDirTreeView
    Width = 380
    Height = 460
  end
end)");
    Tree = dynamic_cast<TskSkinDirTreeView*>(Form->FindComponent("Tree"));
    ASSERT_NE(Tree, nullptr);
    Form->Show();
    Pump();
  }

  String Path(const String& Relative) const { return Dir.windowsPath() + "\\" + Relative; }
  // The node of a fixture folder, found among the nodes the tree holds.
  TTreeNode* NodeOf(const String& Relative) const {
    for (int i = 0; i < Tree->Items().Count(); ++i)
      if (const TskShellFolder* folder = Tree->GetFolder(i); folder && SamePath(folder->PathName(), Path(Relative)))
        return Tree->Items().Item(i);
    return nullptr;
  }
  static TNames Children(const TTreeNode* Node) {
    TNames names;
    for (int i = 0; i < Node->Count(); ++i) names.push_back(Node->Item(i)->Text());
    return names;
  }
  // The expand button as the window shows it.
  bool WindowShowsButton(const TTreeNode* Node) const {
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = Node->ItemId();
    SendMessageW(Tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren != 0;
  }

  testing_support::TempDir Dir;
  std::unique_ptr<classlib::TForm> Form;
  TskSkinDirTreeView* Tree = nullptr;
};

TEST_F(DirTreeViewTest, ANewTreeShowsTheDesktopOpenedOneLevel) {
  TTreeNode* root = Tree->Items().GetFirstNode();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetNextSibling(), nullptr) << "one root node";
  EXPECT_TRUE(root->Expanded());
  EXPECT_TRUE(root->Selected());
  EXPECT_FALSE(GetWindowLongW(Tree->Handle(), GWL_STYLE) & TVS_LINESATROOT);
  EXPECT_TRUE(SameItemIDList(Tree->SelectedFolder()->AbsoluteID(), Special(CSIDL_DESKTOP).get()));
  ASSERT_GT(root->Count(), 0);
  for (int i = 0; i < root->Count(); ++i) {
    EXPECT_TRUE(Tree->NodeFolder(root->Item(i))->IsFolder()) << root->Item(i)->Text();
    EXPECT_EQ(root->Item(i)->Count(), 0) << "read only when opened";
  }
  // The shell's small icons, whatever list the window is given.
  SHFILEINFOW info{};
  const auto system =
      reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  const auto shown = [this] {
    return reinterpret_cast<HIMAGELIST>(SendMessageW(Tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  };
  EXPECT_EQ(shown(), system);
  SendMessageW(Tree->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  EXPECT_EQ(shown(), system);
  Tree->SetUseShellImages(false);
  EXPECT_EQ(shown(), nullptr);
}

TEST_F(DirTreeViewTest, SetPathOpensTheChainAndSelectsTheTarget) {
  Tree->SetPath(Path("a\\b\\c"));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b\\c")));
  EXPECT_EQ(Tree->Path(), Path("a\\b\\c"));
  TTreeNode* target = Tree->Selected();
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(target->Text(), "c");
  // Every ancestor up to the desktop is open, the drives folder and the drive among them.
  const TOwnedList drives = Special(CSIDL_DRIVES);
  bool passedDrives = false;
  for (TTreeNode* node = target->Parent(); node; node = node->Parent()) {
    EXPECT_TRUE(node->Expanded()) << node->Text();
    passedDrives = passedDrives || SameItemIDList(Tree->NodeFolder(node)->AbsoluteID(), drives.get());
  }
  EXPECT_TRUE(passedDrives);
  EXPECT_EQ(target->Level(), CountItemIDs(Tree->SelectedFolder()->AbsoluteID()));
  EXPECT_EQ(Children(NodeOf("a")), (TNames{"b", "x"})) << "sorted as the folder sorts";

  // The same path from the other side of the tree, and a path the shell cannot parse.
  Tree->ExpandMyComputer();
  EXPECT_TRUE(SameItemIDList(Tree->SelectedFolder()->AbsoluteID(), drives.get()));
  EXPECT_THROW(Tree->SetPath(Path("missing\\nowhere")), EInvalidPath);
  EXPECT_TRUE(SameItemIDList(Tree->SelectedFolder()->AbsoluteID(), drives.get()));
  EXPECT_EQ(Tree->Path(), Path("a\\b\\c"));
  Tree->SetPath(Path("a\\b\\c"));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b\\c")));

  // A window made anew starts at the root and goes back to the path.
  Tree->RecreateWnd();
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b\\c")));
}

// Three levels below a drive that holds only the fixture: the drives folder, the drive and the
// folders between open, and the target is the sixth level (the desktop being the first).
TEST_F(DirTreeViewTest, SetPathThreeLevelsBelowADrive) {
  const testing_support::MappedDrive drive(Dir.unixPath());
  const String target = drive.root() + "a\\b\\c";
  Tree->SetPath(target);
  EXPECT_TRUE(SamePath(Tree->GetPath(), target));
  TTreeNode* node = Tree->Selected();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->Level(), 5);
  TNames chain;
  for (TTreeNode* up = node->Parent(); up; up = up->Parent()) {
    EXPECT_TRUE(up->Expanded()) << up->Text();
    chain.insert(chain.begin(), Tree->NodeFolder(up)->PathName());
  }
  ASSERT_EQ(chain.size(), 5u);
  EXPECT_TRUE(SameItemIDList(Tree->NodeFolder(node->Parent()->Parent()->Parent()->Parent())->AbsoluteID(),
                             Special(CSIDL_DRIVES).get()));
  EXPECT_TRUE(SamePath(chain[2], drive.root()));
  EXPECT_NE(node->Parent()->Parent()->Parent()->Text().find(drive.drive()), String::npos) << "the shell's drive name";
  EXPECT_TRUE(SamePath(chain[3], drive.root() + "a"));
  EXPECT_TRUE(SamePath(chain[4], drive.root() + "a\\b"));
}

TEST_F(DirTreeViewTest, AutoRefreshReadsTheSelectedFolderWhenItChanges) {
  Tree->SetPath(Path("a"));
  Tree->Selected()->Expand(false);
  Tree->SetAutoRefresh(true);
  Tree->SetPath(Path("a\\b"));
  Tree->SetPath(Path("a"));  // the notifier now watches "a"
  windowtesting::PumpFor(300);  // its worker starts watching
  ASSERT_TRUE(classlib::ForceDirectories(Path("a\\later")));
  const DWORD start = GetTickCount();
  while (Children(NodeOf("a")) != TNames{"b", "later", "x"} && GetTickCount() - start < 3000) windowtesting::PumpFor(50);
  EXPECT_EQ(Children(NodeOf("a")), (TNames{"b", "later", "x"}));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a")));
  Tree->SetAutoRefresh(false);
}

TEST_F(DirTreeViewTest, AnAddFolderHandlerHidesNodes) {
  int asked = 0;
  Tree->OnAddFolder = [&](classlib::TObject* Sender, TskShellFolder* Folder, bool& CanAdd) {
    EXPECT_EQ(Sender, Tree);
    ++asked;
    if (classlib::ExtractFileName(Folder->PathName()) == "x") CanAdd = false;
  };
  Tree->SetPath(Path("a"));
  Tree->Selected()->Expand(false);
  EXPECT_EQ(Children(NodeOf("a")), TNames{"b"});
  EXPECT_GE(asked, 2);
}

TEST_F(DirTreeViewTest, ExpandButtonsFollowTheObjectTypes) {
  Tree->SetPath(Dir.windowsPath());
  TTreeNode* dir = Tree->Selected();
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(Children(dir), (TNames{"a", "empty", "files"}));
  dir->Expand(false);
  // Only folders: a folder of files opens onto nothing, and loses its button when it does.
  TTreeNode* files = NodeOf("files");
  files->Expand(false);
  EXPECT_EQ(files->Count(), 0);
  EXPECT_FALSE(files->HasChildren());
  EXPECT_FALSE(WindowShowsButton(files));

  Tree->SetObjectTypes({TShellObjectType::otFolders, TShellObjectType::otNonFolders});
  Tree->SetPath(Dir.windowsPath());
  EXPECT_TRUE(NodeOf("files")->HasChildren());
  EXPECT_TRUE(WindowShowsButton(NodeOf("files")));
  EXPECT_FALSE(NodeOf("empty")->HasChildren());
  EXPECT_FALSE(WindowShowsButton(NodeOf("empty")));
  NodeOf("files")->Expand(false);
  EXPECT_EQ(Children(NodeOf("files")), TNames{"only.txt"});
}

TEST_F(DirTreeViewTest, RefreshKeepsOpenNodesAndTheSelection) {
  Tree->SetPath(Path("a\\b\\c"));
  NodeOf("a\\x")->Expand(false);
  ASSERT_TRUE(classlib::ForceDirectories(Path("a\\new")));
  TTreeNode* const oldA = NodeOf("a");
  const int count = Tree->Items().Count();

  Tree->Refresh(oldA);
  TTreeNode* a = NodeOf("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(Children(a), (TNames{"b", "new", "x"}));
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(NodeOf("a\\b")->Expanded());
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b\\c")));
  EXPECT_EQ(Tree->Items().Count(), count + 1) << "the old subtree is gone";

  // A selected folder that went leaves no selection.
  ASSERT_TRUE(RemoveDirectoryW(classlib::ToWide(Path("a\\b\\c")).c_str()));
  Tree->Refresh(NodeOf("a"));
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(Children(NodeOf("a\\b")), TNames{});
}

TEST_F(DirTreeViewTest, RenamesInPlace) {
  Tree->SetPath(Path("a\\b"));
  NodeOf("a\\b")->Expand(false);
  const TRaised raised;

  // A name the shell refuses (a sibling has it) raises and leaves the node as it was.
  bool handled = false;
  Tree->ExecuteCommand("Rename", handled);
  EXPECT_TRUE(handled);
  auto edit = reinterpret_cast<HWND>(SendMessageW(Tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_TRUE(edit);
  SetWindowTextW(edit, L"x");
  SendMessageW(Tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
  Pump();
  EXPECT_EQ(raised.Messages, std::vector<String>{"Rename to x failed"});
  ASSERT_NE(NodeOf("a\\b"), nullptr);
  EXPECT_EQ(NodeOf("a\\b")->Text(), "b");
  EXPECT_TRUE(classlib::DirectoryExists(Path("a\\b\\c")));

  // An accepted name renames the folder, and the open node's children get their new paths.
  handled = false;
  Tree->ExecuteCommand("rename", handled);
  edit = reinterpret_cast<HWND>(SendMessageW(Tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_TRUE(edit);
  SetWindowTextW(edit, L"bb");
  SendMessageW(Tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
  Pump();
  EXPECT_EQ(raised.Messages.size(), 1u);
  EXPECT_TRUE(classlib::DirectoryExists(Path("a\\bb\\c")));
  TTreeNode* renamed = NodeOf("a\\bb");
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(renamed->Text(), "bb");
  ASSERT_EQ(renamed->Count(), 1);
  EXPECT_TRUE(SamePath(Tree->NodeFolder(renamed->Item(0))->PathName(), Path("a\\bb\\c")));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\bb")));
}

TEST_F(DirTreeViewTest, VerbsKeepTheDirectoryAndRemoveOnlyWhatWent) {
  Tree->SetPath(Path("a\\x"));
  WCHAR before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  bool handled = false;
  Tree->ExecuteCommand("OPEN", handled);
  EXPECT_FALSE(handled) << "the shell opens the item";
  Tree->CommandCompleted("open", false);
  WCHAR after[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_EQ(classlib::FromWide(after), classlib::FromWide(before)) << "also when opening failed";

  // A deletion that left the folder in place keeps its node; one that removed it takes it away.
  Tree->CommandCompleted("delete", true);
  EXPECT_NE(NodeOf("a\\x"), nullptr);
  ASSERT_TRUE(RemoveDirectoryW(classlib::ToWide(Path("a\\x")).c_str()));
  Tree->CommandCompleted("delete", true);
  EXPECT_EQ(NodeOf("a\\x"), nullptr);
  EXPECT_EQ(Children(NodeOf("a")), TNames{"b"});

  // Pasting reads the selected node again.
  Tree->SetPath(Path("a"));
  ASSERT_TRUE(classlib::ForceDirectories(Path("a\\pasted")));
  Tree->CommandCompleted("paste", true);
  EXPECT_EQ(Children(NodeOf("a")), (TNames{"b", "pasted"}));
}

TEST_F(DirTreeViewTest, ABadRootRaisesAndKeepsTheTree) {
  Tree->SetRoot(Dir.windowsPath());
  EXPECT_EQ(Children(Tree->Items().GetFirstNode()), (TNames{"a", "empty", "files"}));
  EXPECT_THROW(Tree->SetRoot(Path("missing")), classlib::Exception);
  EXPECT_EQ(Tree->Root(), Dir.windowsPath());
  EXPECT_EQ(Children(Tree->Items().GetFirstNode()), (TNames{"a", "empty", "files"}));
  Tree->SetPath(Path("a\\b"));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b"))) << "the tree stays usable";
  EXPECT_EQ(Tree->Selected()->Level(), 2);
}

TEST(DirTreeViewForm, ReadFromADescriptionWithItsLinks) {
  RegisterSkinShellClasses();
  testing_support::TempDir dir;
  ASSERT_TRUE(classlib::ForceDirectories(dir.windowsPath() + "\\sub"));
  const auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 400
  Height = 400
  object Files: TskSkinFileListView
    Top = 200
    Width = 300
    Height = 150
  end
  object Tree: TskSkinDirTreeView
    Width = 300
    Height = 190
    Root = ')" + dir.windowsPath() + R"('
    ObjectTypes = [otFolders, otNonFolders]
    UseShellImages = False
    ShellListView = Files
  end
end)");
  auto* tree = dynamic_cast<TskSkinDirTreeView*>(form->FindComponent("Tree"));
  auto* files = dynamic_cast<TskSkinFileListView*>(form->FindComponent("Files"));
  ASSERT_NE(tree, nullptr);
  ASSERT_NE(files, nullptr);
  EXPECT_FALSE(tree->ShowRoot());
  EXPECT_TRUE(tree->RightClickSelect());
  EXPECT_TRUE(tree->AutoContextMenus());
  EXPECT_FALSE(tree->UseShellImages());
  EXPECT_TRUE(tree->ObjectTypes().Contains(TShellObjectType::otNonFolders));
  EXPECT_EQ(files->ShellTreeView(), tree);
  form->Show();
  Pump();
  ASSERT_NE(tree->Items().GetFirstNode(), nullptr);
  EXPECT_TRUE(SamePath(tree->GetPath(), dir.windowsPath()));
  EXPECT_TRUE(SamePath(files->GetPath(), dir.windowsPath()));
  EXPECT_EQ(tree->Items().GetFirstNode()->Count(), 1);
}

// The tree with a file list view and a path combo box linked to it.
class DirTreeViewLinkTest : public DirTreeViewTest {
protected:
  void SetUp() override {
    DirTreeViewTest::SetUp();
    Files = new TskSkinFileListView(Form.get());
    Files->SetParent(Form.get());
    Files->SetBounds(0, 300, 380, 100);
    Paths = new TskSkinShellComboBox(Form.get());
    Paths->SetParent(Form.get());
    Paths->SetBounds(0, 420, 380, 20);
    Pump();
    Tree->SetListView(Files);
    Tree->SetComboBox(Paths);
  }
  bool FilesShow(const String& Relative) const { return SamePath(Files->GetPath(), Path(Relative)); }
  bool PathsShow(const String& Relative) const { return SamePath(Paths->GetPath(), Path(Relative)); }

  TskSkinFileListView* Files = nullptr;
  TskSkinShellComboBox* Paths = nullptr;
};

TEST_F(DirTreeViewLinkTest, LinkedBothWays) {
  EXPECT_EQ(Files->ShellTreeView(), Tree);
  EXPECT_EQ(Paths->ShellTreeView(), Tree);
  Tree->SetListView(nullptr);
  EXPECT_EQ(Files->ShellTreeView(), nullptr);
  Files->SetTreeView(Tree);
  EXPECT_EQ(Tree->ShellListView(), Files);

  // A new root travels from the tree to the list view, and from the combo box to both.
  Tree->SetRoot("rfMyComputer");
  EXPECT_EQ(Files->Root(), "rfMyComputer");
  Paths->SetRoot(Dir.windowsPath());
  EXPECT_EQ(Tree->Root(), Dir.windowsPath());
  EXPECT_EQ(Files->Root(), Dir.windowsPath());

  delete Files;
  Files = nullptr;
  delete Paths;
  Paths = nullptr;
  EXPECT_EQ(Tree->ShellListView(), nullptr);
  EXPECT_EQ(Tree->ShellComboBox(), nullptr);
  Tree->SetPath(Path("a"));  // reaches no freed control
}

TEST_F(DirTreeViewLinkTest, TheSelectionMovesTheViewsAndTheViewsMoveTheTree) {
  Tree->SetPath(Path("a\\b"));
  EXPECT_TRUE(FilesShow("a\\b"));
  EXPECT_TRUE(PathsShow("a\\b"));
  // The user's choice of a node.
  NodeOf("a\\x")->SetSelected(true);
  EXPECT_TRUE(FilesShow("a\\x"));
  EXPECT_TRUE(PathsShow("a\\x"));

  // The list view going into a folder takes the tree and the combo box along.
  Files->SetPath(Path("a\\b\\c"));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b\\c")));
  EXPECT_TRUE(PathsShow("a\\b\\c"));
  Files->Back();
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a\\b")));

  // A combo box entry chosen moves the tree and the list view.
  const int parent = Paths->ItemIndex() - 1;
  Paths->SetItemIndex(parent);
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a")));
  EXPECT_TRUE(FilesShow("a"));
}

TEST_F(DirTreeViewLinkTest, AFolderRenamedInTheListShowsInTheTree) {
  Tree->SetPath(Path("a"));
  ASSERT_TRUE(FilesShow("a"));
  int index = -1;
  for (int i = 0; i < Files->FolderCount(); ++i)
    if (classlib::ExtractFileName(Files->GetFolder(i)->PathName()) == "x") index = i;
  ASSERT_GE(index, 0);
  Files->SetItemIndex(index);
  bool handled = false;
  Files->ExecuteCommand("rename", handled);
  const auto edit = reinterpret_cast<HWND>(SendMessageW(Files->Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_TRUE(edit);
  SetWindowTextW(edit, L"y");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  ASSERT_TRUE(classlib::DirectoryExists(Path("a\\y")));
  EXPECT_EQ(Children(NodeOf("a")), (TNames{"b", "y"}));
  EXPECT_TRUE(SamePath(Tree->GetPath(), Path("a")));
}

}  // namespace
