#include "tests/support/testing.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/ShellFolder.h"

#include <cstring>
#include <memory>

namespace {

using namespace skin;
using classlib::String;

using TOwnedList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

STRRET AnsiAnswer(const char* Text) {
  STRRET answer{};
  answer.uType = STRRET_CSTR;
  std::strncpy(answer.cStr, Text, sizeof answer.cStr - 1);
  return answer;
}

TEST(ShellText, AnswersOfEveryKind) {
  STRRET ansi = AnsiAnswer("Folder");
  EXPECT_EQ(StrRetToText(nullptr, ansi), "Folder");

  STRRET wide{};
  wide.uType = STRRET_WSTR;
  const classlib::WideString text = classlib::ToWide("Caf\xC3\xA9");
  wide.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(WCHAR)));
  std::memcpy(wide.pOleStr, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  EXPECT_EQ(StrRetToText(nullptr, wide), "Caf\xC3\xA9");
  EXPECT_EQ(wide.pOleStr, nullptr) << "the answer's memory goes back to the allocator";

  // An item of 12 bytes whose name starts at byte 4 and ends at its zero, short of the item's end.
  BYTE item[14] = {12, 0, 'x', 'x', 'N', 'a', 'm', 'e', 0, 'z', 'z', 'z', 0, 0};
  STRRET offset{};
  offset.uType = STRRET_OFFSET;
  offset.uOffset = 4;
  EXPECT_EQ(StrRetToText(reinterpret_cast<LPCITEMIDLIST>(item), offset), "Name");
}

TEST(ShellText, DateMarksGoOnlyFromDateTexts) {
  const struct {
    const char* Answer;
    const char* Text;
  } cases[] = {{"?12.?03.?2006 ?10:15", "12.03.2006 10:15"}, {"?a?b", "?a?b"}, {"?", "?"}, {"1?2", "1?2"}};
  for (const auto& c : cases) {
    STRRET answer = AnsiAnswer(c.Answer);
    EXPECT_EQ(StrRetToText(nullptr, answer), c.Text) << c.Answer;
  }
}

TEST(ShellText, NamesWithoutAFolder) {
  EXPECT_EQ(DisplayNameOf(nullptr, nullptr, SHGDN_NORMAL), "parentfolder = nil");
}

TEST(ShellText, EnumerationFlags) {
  EXPECT_EQ(EnumerationFlags({}), 0u);
  EXPECT_EQ(EnumerationFlags({TShellObjectType::otFolders}), 0x20u);
  EXPECT_EQ(EnumerationFlags({TShellObjectType::otNonFolders, TShellObjectType::otHidden}), 0xC0u);
}

// A folder on disk with a file, a sub-folder and a folder named like a compressed archive.
class ShellFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    testing_support::WriteUnixFile(Dir.unixFile("notes.txt"), "hello");
    ASSERT_TRUE(classlib::ForceDirectories(Dir.windowsFile("Sub")));
    ASSERT_TRUE(classlib::ForceDirectories(Dir.windowsFile("Photos.ZiP")));
    Path = Dir.windowsPath();
    ReplaceRootFolder(Root, "", Path);
  }

  // The root's item with that name.
  std::unique_ptr<TskShellFolder> Child(const char* Name) {
    LPITEMIDLIST item = nullptr;
    classlib::WideString name = classlib::ToWide(Name);
    EXPECT_TRUE(SUCCEEDED(Root->ShellFolder()->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr)));
    const TOwnedList owned(item);
    return std::make_unique<TskShellFolder>(Root.get(), item, BindShellFolder(Root->ShellFolder(), item, nullptr).Get());
  }

  testing_support::TempDir Dir;
  TRoot Path;
  std::unique_ptr<TskShellFolder> Root;
};

TEST_F(ShellFolderTest, NamesPathsAndKinds) {
  ASSERT_TRUE(Root);
  EXPECT_EQ(Root->ParentFolder(), DesktopFolder());
  EXPECT_EQ(Root->Depth(), 0);
  EXPECT_TRUE(classlib::SameText(Root->PathName(), Path));
  EXPECT_TRUE(classlib::SameText(Root->FullObjectName(), Path));
  EXPECT_TRUE(Root->IsFolder());
  EXPECT_TRUE(Root->SubFolders());
  EXPECT_TRUE(Root->Properties().Contains(TskShellFolderProperty::fpFileSystem));

  const auto file = Child("notes.txt");
  EXPECT_EQ(file->Depth(), 1);
  EXPECT_EQ(file->DisplayName().substr(0, 5), "notes");
  EXPECT_FALSE(file->IsFolder());
  EXPECT_TRUE(file->Capabilities().Contains(TskShellFolderCapability::fcCanRename));
  EXPECT_TRUE(Child("Sub")->IsFolder());
  EXPECT_FALSE(Child("Photos.ZiP")->IsFolder()) << "archives the shell shows as folders count as files";
}

TEST_F(ShellFolderTest, RenameChangesTheFileAndBothLists) {
  auto file = Child("notes.txt");
  EXPECT_TRUE(file->Rename(classlib::ToWide("renamed.txt")));
  EXPECT_TRUE(classlib::FileExists(Dir.windowsFile("renamed.txt")));
  EXPECT_FALSE(classlib::FileExists(Dir.windowsFile("notes.txt")));
  EXPECT_TRUE(classlib::SameText(file->PathName(), Dir.windowsFile("renamed.txt")));
  EXPECT_THROW(file->Rename(classlib::ToWide("bad/name?.txt")), classlib::Exception);
}

TEST_F(ShellFolderTest, DetailsOfTheShellsColumns) {
  auto file = Child("notes.txt");
  try {
    file->GetDetails(1);
    ADD_FAILURE() << "details read before they were loaded";
  } catch (const classlib::Exception& e) {
    EXPECT_EQ(e.Message(), file->DisplayName() + ": Missing call to LoadColumnDetails");
  }
  file->LoadColumnDetails(*Root, nullptr, 3);
  EXPECT_FALSE(file->GetDetails(1).empty()) << "the size column";
  file->SetDetails(2, "kind");
  EXPECT_EQ(file->GetDetails(2), "kind");
  EXPECT_THROW(file->GetDetails(9), classlib::EStringListError);
}

// A root that offers no detail interface of the shell's: the details come from the file system.
TEST_F(ShellFolderTest, DetailsFromTheFileSystem) {
  TskShellFolder bare(DesktopFolder(), Root->AbsoluteID(), nullptr);
  const auto fileID = Child("notes.txt");
  const auto subID = Child("Sub");
  TskShellFolder file(&bare, fileID->RelativeID(), nullptr);
  TskShellFolder sub(&bare, subID->RelativeID(), nullptr);
  file.LoadColumnDetails(bare, nullptr, 5);
  EXPECT_EQ(file.GetDetails(1), "5");
  EXPECT_EQ(file.GetDetails(2), ".txt");
  EXPECT_FALSE(file.GetDetails(3).empty());
  EXPECT_EQ(file.GetDetails(5), "");
  sub.LoadColumnDetails(bare, nullptr, 4);
  EXPECT_EQ(sub.GetDetails(1), "-1");
  EXPECT_EQ(sub.GetDetails(3), classlib::DateTimeToStr(-1.0));
  EXPECT_EQ(classlib::StrToInt(sub.GetDetails(4)) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);

  // A file gone since it was listed has empty details rather than an error at every repaint.
  ASSERT_TRUE(DeleteFileW(classlib::ToWide(Dir.windowsFile("notes.txt")).c_str()));
  TskShellFolder gone(&bare, fileID->RelativeID(), nullptr);
  gone.LoadColumnDetails(bare, nullptr, 3);
  EXPECT_EQ(gone.GetDetails(1), "");
  EXPECT_EQ(gone.GetDetails(3), "");
}

TEST(ShellRoot, SpecialFoldersDrivesAndBadPaths) {
  std::unique_ptr<TskShellFolder> root;
  TRoot value = "RFMYCOMPUTER";
  ReplaceRootFolder(root, "", value);
  LPITEMIDLIST drives = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)));
  const TOwnedList ownedDrives(drives);
  EXPECT_TRUE(SameItemIDList(root->AbsoluteID(), drives));
  EXPECT_TRUE(root->IsFolder());

  value = "C:";
  ReplaceRootFolder(root, "RFMYCOMPUTER", value);
  EXPECT_EQ(value, "C:\\");
  EXPECT_TRUE(classlib::SameText(root->PathName(), "C:\\"));

  TskShellFolder* const kept = root.get();
  for (const char* bad : {"", "Q:\\no such folder\\anywhere"}) {
    value = bad;
    try {
      ReplaceRootFolder(root, "C:\\", value);
      ADD_FAILURE() << "no error for \"" << bad << "\"";
    } catch (const classlib::Exception& e) {
      EXPECT_EQ(e.Message(), "Error setting path: \"" + String(bad) + "\"");
    }
    EXPECT_EQ(value, "C:\\");
    EXPECT_EQ(root.get(), kept);
  }
}

}  // namespace
