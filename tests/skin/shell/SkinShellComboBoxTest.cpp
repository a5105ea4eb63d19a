#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinShellComboBox.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;

using TOwnedList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

TOwnedList Parse(const String& Path) {
  LPITEMIDLIST list = nullptr;
  classlib::WideString text = classlib::ToWide(Path);
  EXPECT_TRUE(SUCCEEDED(GetDesktopShellFolder()->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, &list, nullptr)))
      << Path;
  return TOwnedList(list);
}

TOwnedList Special(int Csidl) {
  LPITEMIDLIST list = nullptr;
  EXPECT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, Csidl, &list)));
  return TOwnedList(list);
}

class ShellComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterSkinShellClasses();
    Form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 400
  Height = 300
  object Paths: TskSkinShellComboBox
    Left = 10
    Top = 10
    Width = 300
  end
end)");
    Combo = dynamic_cast<TskSkinShellComboBox*>(Form->FindComponent("Paths"));
    ASSERT_NE(Combo, nullptr);
    Form->Show();
    windowtesting::Pump();
  }

  // The entries' captions and indents, checked against the string items on the way.
  std::vector<std::pair<String, int>> Entries() const {
    std::vector<std::pair<String, int>> entries;
    EXPECT_EQ(Combo->Items().Count(), Combo->ItemsEx().Count());
    for (int i = 0; i < Combo->ItemsEx().Count(); ++i) {
      const TskItemEx& item = *Combo->ItemsEx()[i];
      EXPECT_EQ(Combo->Items()[i], item.Caption()) << i;
      entries.emplace_back(item.Caption(), item.Indent());
    }
    return entries;
  }

  std::unique_ptr<classlib::TForm> Form;
  TskSkinShellComboBox* Combo = nullptr;
};

TEST_F(ShellComboBoxTest, DesktopOutlineWithTheDrivesUnderTheDrivesFolder) {
  const auto entries = Entries();
  ASSERT_GT(entries.size(), 2u);
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(entries[0].second, 0);
  EXPECT_TRUE(SameItemIDList(Combo->GetFolder(0)->AbsoluteID(), Special(CSIDL_DESKTOP).get()));

  const TOwnedList drives = Special(CSIDL_DRIVES);
  const int drivesIndex = Combo->IndexFromID(drives.get());
  ASSERT_GT(drivesIndex, 0);
  EXPECT_EQ(entries[drivesIndex].second, 1);
  const int c = Combo->IndexFromID(Parse("C:\\").get());
  EXPECT_GT(c, drivesIndex) << "the drives follow their folder";
  EXPECT_EQ(entries[c].second, 2);
  for (int i = 1; i < static_cast<int>(entries.size()); ++i) {
    const bool drive = i > drivesIndex && entries[i].second == 2;
    EXPECT_TRUE(entries[i].second == 1 || drive) << entries[i].first;
    EXPECT_GE(Combo->ItemsEx()[i]->ImageIndex(), 0) << entries[i].first;
  }
  EXPECT_GT(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.second == 2; }), 0);

  EXPECT_EQ(Combo->GetFolder(100000), Combo->GetFolder(Combo->ItemsEx().Count() - 1));
  EXPECT_EQ(Combo->GetFolder(-1), nullptr);
}

TEST_F(ShellComboBoxTest, OtherRootsHaveNoDriveEntries) {
  Combo->SetRoot("RFMYCOMPUTER");
  const auto entries = Entries();
  ASSERT_GT(entries.size(), 1u);
  EXPECT_EQ(entries[0].second, 0);
  for (size_t i = 1; i < entries.size(); ++i) EXPECT_EQ(entries[i].second, 1) << entries[i].first;
  EXPECT_GE(Combo->IndexFromID(Parse("C:\\").get()), 1);

  // A bad root is refused and the outline stays.
  EXPECT_THROW(Combo->SetRoot("Q:\\no\\such\\folder"), classlib::Exception);
  EXPECT_EQ(Combo->Root(), "RFMYCOMPUTER");
  EXPECT_EQ(Entries(), entries);
  EXPECT_TRUE(SameItemIDList(Combo->RootFolder()->AbsoluteID(), Special(CSIDL_DRIVES).get()));
}

TEST_F(ShellComboBoxTest, FollowsAViewIntoADeepFolder) {
  testing_support::TempDir dir;
  const String deeper = dir.windowsPath() + "\\sub\\deeper";
  ASSERT_TRUE(classlib::ForceDirectories(deeper));
  const TOwnedList target = Parse(deeper);
  const int drive = Combo->IndexFromID(Parse(deeper.substr(0, 3)).get());
  ASSERT_GT(drive, 0);
  const int driveIndent = Combo->ItemsEx()[drive]->Indent();

  Combo->TreeUpdate(target.get());
  EXPECT_EQ(Combo->IndexFromID(Parse(deeper.substr(0, 3)).get()), drive) << "the entries before stay";
  // The chain from the drive down: each one level further in, the deepest selected.
  const std::vector<std::string> chain = [&] {
    std::vector<std::string> parts;
    String rest = deeper.substr(3);
    for (size_t slash; (slash = rest.find('\\')) != String::npos; rest.erase(0, slash + 1))
      parts.push_back(rest.substr(0, slash));
    parts.push_back(rest);
    return parts;
  }();
  for (size_t k = 0; k < chain.size(); ++k) {
    const TskItemEx& item = *Combo->ItemsEx()[drive + 1 + static_cast<int>(k)];
    EXPECT_TRUE(classlib::SameText(item.Caption(), chain[k])) << item.Caption();
    EXPECT_EQ(item.Indent(), driveIndent + 1 + static_cast<int>(k)) << item.Caption();
  }
  const int selected = drive + static_cast<int>(chain.size());
  EXPECT_EQ(Combo->ItemIndex(), selected);
  EXPECT_TRUE(classlib::SameText(Combo->GetPath(), deeper));
  EXPECT_TRUE(classlib::SameText(Combo->Text(), "deeper"));

  // Following the folder already shown does nothing: the outline is not rebuilt.
  Combo->ItemsEx()[0]->SetCaption("marker");
  Combo->TreeUpdate(target.get());
  EXPECT_EQ(Combo->ItemsEx()[0]->Caption(), "marker");

  // By path, to the parent: rebuilt from the root, the parent selected and its child gone.
  Combo->SetPath(dir.windowsPath() + "\\sub");
  EXPECT_NE(Combo->ItemsEx()[0]->Caption(), "marker");
  EXPECT_EQ(Combo->ItemIndex(), selected - 1);
  EXPECT_EQ(Combo->IndexFromID(target.get()), -1);
  EXPECT_THROW(Combo->SetPath(dir.windowsPath() + "\\sub\\missing"), EInvalidPath);
}

TEST_F(ShellComboBoxTest, CopiedEntriesHaveFolderObjectsOfTheirOwn) {
  TskItemsEx copy;
  copy.Assign(Combo->ItemsEx());
  ASSERT_EQ(copy.Count(), Combo->ItemsEx().Count());
  for (int i = 0; i < copy.Count(); ++i) {
    EXPECT_EQ(copy[i]->Caption(), Combo->ItemsEx()[i]->Caption());
    EXPECT_EQ(copy[i]->Indent(), Combo->ItemsEx()[i]->Indent());
    ASSERT_NE(copy[i]->Folder(), nullptr);
    EXPECT_NE(copy[i]->Folder(), Combo->ItemsEx()[i]->Folder());
    EXPECT_TRUE(SameItemIDList(copy[i]->Folder()->AbsoluteID(), Combo->ItemsEx()[i]->Folder()->AbsoluteID()));
  }
}

// The leftmost column that is not white in a picture of one drawn row.
int LeftmostInk(TskCustomShellComboBox& Combo, bool DropDown, int Index) {
  classlib::TBitmap bitmap;
  bitmap.SetWidth(200);
  bitmap.SetHeight(20);
  classlib::TCanvas& canvas = *bitmap.Canvas();
  canvas.Brush()->SetColor(classlib::clWhite);
  const classlib::TRect all = classlib::Rect(0, 0, 200, 20);
  canvas.FillRect(all);
  classlib::TRect text = classlib::Rect(2, 0, 200, 20);
  if (DropDown)
    Combo.DrawItem(canvas, Index, 200, 20, text, 0);
  else
    Combo.ComboDrawItem(canvas, Index, 200, 20, text, 0);
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y)
      if ((canvas.Pixels(x, y) & 0xFFFFFF) != 0xFFFFFF) return x;
  return -1;
}

TEST_F(ShellComboBoxTest, RowsIndentByHalfAnIconPerLevel) {
  ASSERT_EQ(Combo->ImageWidth(), 16);
  TskItemEx& entry = *Combo->ItemsEx()[0];
  const int flush = LeftmostInk(*Combo, true, 0);
  ASSERT_GE(flush, 2);
  EXPECT_EQ(LeftmostInk(*Combo, false, 0), flush);
  for (int indent : {1, 2, 3}) {
    entry.SetIndent(indent);
    EXPECT_EQ(LeftmostInk(*Combo, true, 0), flush + indent * 8) << indent;
    EXPECT_EQ(LeftmostInk(*Combo, false, 0), flush) << "the face is never indented";
  }
}

}  // namespace
