#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinShellRegistration.h"

#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;

// Makes Folder the current folder for the life of the object.
class TCurrentFolder {
public:
  explicit TCurrentFolder(const String& Folder) : FSaved(classlib::GetCurrentDir()) {
    EXPECT_TRUE(SetCurrentDirectoryA(Folder.c_str()));
  }
  ~TCurrentFolder() { SetCurrentDirectoryA(FSaved.c_str()); }
  TCurrentFolder(const TCurrentFolder&) = delete;
  TCurrentFolder& operator=(const TCurrentFolder&) = delete;

private:
  String FSaved;
};

String WithoutDrive(const String& Path) { return Path.substr(2); }

TEST(PathUtilities, JoinAndCut) {
  EXPECT_EQ(JoinPath("C:\\dir", "a.txt"), "C:\\dir\\a.txt");
  EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
  EXPECT_EQ(JoinPath("", "a.txt"), "a.txt") << "an empty folder must not make the name rooted";

  const struct {
    const char* Before;
    const char* After;
  } cuts[] = {
      {"\\", ""},
      {"\\a\\b\\c\\", "\\...\\b\\c\\"},
      {"\\...\\b\\c\\", "\\...\\c\\"},
      {"\\...\\c\\", "\\...\\"},
      {"...\\", ""},
      {"a\\b\\", "...\\b\\"},
      {"name", ""},
      // A folder named with a leading dot is a folder like any other, not the mark of a cut.
      {"\\.a\\b\\c\\", "\\...\\b\\c\\"},
  };
  for (const auto& c : cuts) {
    String dir = c.Before;
    CutFirstFolder(dir);
    EXPECT_EQ(dir, c.After) << c.Before;
  }
}

TEST(PathUtilities, MinimizeNameCutsFoldersUntilTheNameFits) {
  classlib::TBitmap bitmap;
  bitmap.SetWidth(10);
  bitmap.SetHeight(10);
  classlib::TCanvas& canvas = *bitmap.Canvas();
  const String name = "C:\\alpha\\beta\\gamma\\file.txt";
  const std::vector<String> steps = {name, "C:\\...\\beta\\gamma\\file.txt", "C:\\...\\gamma\\file.txt",
                                     "C:\\...\\file.txt", "...\\file.txt", "file.txt"};
  for (const String& step : steps) EXPECT_EQ(MinimizeName(name, canvas, canvas.TextWidth(step)), step);
  EXPECT_EQ(MinimizeName(name, canvas, 1), "file.txt") << "the name itself is never shortened";
  EXPECT_EQ(MinimizeName("file.txt", canvas, 1), "file.txt");
  // A short folder name with a leading dot is cut as one folder, not as the mark of a cut.
  EXPECT_EQ(MinimizeName("C:\\.ab\\beta\\gamma\\file.txt", canvas, canvas.TextWidth("C:\\...\\beta\\gamma\\file.txt")),
            "C:\\...\\beta\\gamma\\file.txt");
}

TEST(PathUtilities, DirectoriesExistAndAreMade) {
  testing_support::TempDir dir;
  testing_support::WriteUnixFile(dir.unixFile("file"), "x");
  const String base = dir.windowsPath();
  EXPECT_TRUE(skin::DirectoryExists(base));
  EXPECT_FALSE(skin::DirectoryExists(base + "\\file"));
  EXPECT_FALSE(skin::DirectoryExists(base + "\\missing"));

  EXPECT_TRUE(skin::ForceDirectories(""));
  EXPECT_TRUE(skin::ForceDirectories("C:"));
  EXPECT_TRUE(skin::ForceDirectories("C:\\"));
  EXPECT_TRUE(skin::ForceDirectories(base + "\\one\\two\\three\\"));
  EXPECT_TRUE(skin::DirectoryExists(base + "\\one\\two\\three"));
  EXPECT_FALSE(skin::ForceDirectories(base + "\\file\\below")) << "a file stands where a folder must go";

  // A short relative name is a folder to make, not a success by its length.
  const TCurrentFolder current(base);
  EXPECT_TRUE(skin::ForceDirectories("q"));
  EXPECT_TRUE(skin::DirectoryExists(base + "\\q"));
}

TEST(PathUtilities, ProcessPathSplitsTypedPaths) {
  testing_support::TempDir dir;
  const String base = dir.windowsPath();
  ASSERT_TRUE(skin::ForceDirectories(base + "\\abc"));
  ASSERT_TRUE(skin::ForceDirectories(base + "\\dir\\sub"));
  testing_support::WriteUnixFile(dir.unixFile("dir/f.txt"), "x");
  const TCurrentFolder current(base);
  const String here = WithoutDrive(base);

  const struct {
    String Typed;
    char Drive;
    String DirPart, FilePart;
  } cases[] = {
      {"[abc]", base[0], here + "\\abc", ""},
      {base + "\\dir\\*.txt", base[0], here + "\\dir", "*.txt"},
      {base + "\\dir\\sub", base[0], here + "\\dir\\sub", ""},
      {base + "\\dir\\f.txt", base[0], here + "\\dir", "f.txt"},
      {"dir\\f.txt", base[0], "dir", "f.txt"},
      {"C:\\", 'C', "\\", ""},
  };
  for (const auto& c : cases) {
    char drive = '?';
    String dirPart, filePart;
    ProcessPath(c.Typed, drive, dirPart, filePart);
    EXPECT_EQ(drive, c.Drive) << c.Typed;
    EXPECT_TRUE(classlib::SameText(dirPart, c.DirPart)) << c.Typed << " gave " << dirPart;
    EXPECT_EQ(filePart, c.FilePart) << c.Typed;
    EXPECT_TRUE(classlib::SameText(classlib::GetCurrentDir(), base)) << "the current folder stays: " << c.Typed;
  }

  for (const char* missing : {"[nothere]", "\\no\\such\\folder\\x.txt"}) {
    char drive = 0;
    String dirPart, filePart;
    EXPECT_THROW(ProcessPath(missing, drive, dirPart, filePart), classlib::EInOutError) << missing;
    EXPECT_TRUE(classlib::SameText(classlib::GetCurrentDir(), base)) << "restored after " << missing;
  }
}

TEST(PathUtilities, VolumeAndNetworkCaptions) {
  const String lower = GetVolumeCaption('c'), upper = GetVolumeCaption('C');
  ASSERT_GE(lower.size(), 2u);
  EXPECT_EQ(lower.front(), '[');
  EXPECT_EQ(lower.back(), ']');
  EXPECT_EQ(lower, classlib::AnsiLowerCase(lower));
  EXPECT_EQ(upper, classlib::AnsiUpperCase(upper));
  EXPECT_TRUE(classlib::SameText(lower, upper));
  EXPECT_EQ(GetNetworkCaption('c'), lower) << "a local drive has no remote name";

  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Y'; letter > 'D'; --letter)
    if (!(drives & (1u << (letter - 'A')))) {
      EXPECT_EQ(GetVolumeCaption(letter), "[]") << letter;
      break;
    }
}

// A filter combo box that counts its change operations.
class TCountingFilterComboBox : public TskSkinFilterComboBox {
public:
  using TskSkinFilterComboBox::TskSkinFilterComboBox;
  int Changes = 0;

protected:
  void Change() override {
    ++Changes;
    TskSkinFilterComboBox::Change();
  }
};

class FilterComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      RegisterSkinShellClasses();
      classlib::TClassRegistry::Instance().Register<TCountingFilterComboBox>("TCountingFilterComboBox",
                                                                             "TskSkinFilterComboBox");
      return true;
    }();
    (void)registered;
    Form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object Types: TCountingFilterComboBox
    Left = 10
    Top = 10
    Filter = 'Bitmaps(*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg'
  end
  object Plain: TskSkinFilterComboBox
    Left = 10
    Top = 40
  end
end)");
    Combo = dynamic_cast<TCountingFilterComboBox*>(Form->FindComponent("Types"));
    ASSERT_NE(Combo, nullptr);
    Form->Show();
    windowtesting::Pump();
  }

  std::vector<String> Items() const {
    std::vector<String> items;
    for (int i = 0; i < Combo->Items().Count(); ++i) items.push_back(Combo->Items()[i]);
    return items;
  }
  std::vector<String> Masks() const {
    std::vector<String> masks;
    for (int i = 0; i < Combo->Masks().Count(); ++i) masks.push_back(Combo->Masks()[i]);
    return masks;
  }

  std::unique_ptr<classlib::TForm> Form;
  TCountingFilterComboBox* Combo = nullptr;
};

TEST_F(FilterComboBoxTest, FiltersBecomeItemsAndMasks) {
  // Read with the form: built when the window came.
  EXPECT_EQ(Items(), (std::vector<String>{"Bitmaps(*.bmp)", "JPEG (*.jpg)"}));
  EXPECT_EQ(Masks(), (std::vector<String>{"*.bmp", "*.jpg"}));
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_TRUE(Combo->IsFilterStored());

  auto* plain = dynamic_cast<TskSkinFilterComboBox*>(Form->FindComponent("Plain"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->Filter(), "All files (*.*)|*.*");
  EXPECT_FALSE(plain->IsFilterStored());
  EXPECT_EQ(plain->GetMask(), "*.*");
  EXPECT_EQ(plain->Items()[0], "All files (*.*)");

  const struct {
    const char* Filter;
    std::vector<String> Items, Masks;
  } cases[] = {
      {"a|b|c", {"a"}, {"b"}},
      {"a|", {"a"}, {""}},
      {"Sounds|*.wav;*.mp3|All|*.*", {"Sounds", "All"}, {"*.wav;*.mp3", "*.*"}},
      {"no bars", {}, {}},
  };
  for (const auto& c : cases) {
    Combo->SetFilter(c.Filter);
    EXPECT_EQ(Items(), c.Items) << c.Filter;
    EXPECT_EQ(Masks(), c.Masks) << c.Filter;
    EXPECT_EQ(Combo->ItemIndex(), c.Items.empty() ? -1 : 0) << c.Filter;
  }
}

TEST_F(FilterComboBoxTest, MaskOfTheChosenItem) {
  Combo->SetItemIndex(1);
  EXPECT_EQ(Combo->GetMask(), "*.jpg");
  Combo->SetItemIndex(-1);
  EXPECT_EQ(Combo->GetMask(), "*.jpg") << "with none chosen the last item is";
  EXPECT_EQ(Combo->ItemIndex(), 1);

  Combo->SetFilter("empty");
  const int changes = Combo->Changes;
  EXPECT_EQ(Combo->GetMask(), "*.*");
  EXPECT_EQ(Combo->Changes, changes) << "an empty list chooses nothing";
}

TEST_F(FilterComboBoxTest, SameFilterInOtherCaseChangesNothing) {
  const int changes = Combo->Changes;
  Combo->SetItemIndex(1);
  const int chosen = Combo->Changes;
  EXPECT_GT(chosen, changes);
  Combo->SetFilter("BITMAPS(*.BMP)|*.BMP|jpeg (*.JPG)|*.JPG");
  EXPECT_EQ(Combo->Changes, chosen);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Filter(), "Bitmaps(*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg");

  // A filter set before the window exists waits for it.
  TskSkinFilterComboBox early(nullptr);
  early.SetFilter("Texts|*.txt");
  EXPECT_EQ(early.Items().Count(), 0);
  early.SetParent(Form.get());
  early.Handle();
  ASSERT_EQ(early.Items().Count(), 1);
  EXPECT_EQ(early.GetMask(), "*.txt");
}

}  // namespace
