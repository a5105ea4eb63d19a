#include "tests/classlib/WindowTesting.h"
#include "tests/support/MappedDrive.h"

#include "platform/classlib/WideText.h"
#include "skin/shell/SkinShellDriveComboBox.h"
#include "skin/shell/SkinShellRegistration.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace {

using namespace skin;
using classlib::String;

const TDriveTypes AllListed{TDriveType::dtFloppy, TDriveType::dtFixed, TDriveType::dtNetwork, TDriveType::dtCDROM,
                            TDriveType::dtRAM};

struct TExpectedDrive {
  char Letter;
  String Name;
  int Icon;
};

// What the shell says of every drive of the given types, A to Z.
std::vector<TExpectedDrive> ShellDrives(TDriveTypes Types) {
  std::vector<TExpectedDrive> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const WCHAR root[] = {static_cast<WCHAR>(letter), L':', L'\\', 0};
    const UINT type = GetDriveTypeW(root);
    if (type > DRIVE_RAMDISK || !Types.Contains(static_cast<TDriveType>(type))) continue;
    SHFILEINFOW info{};
    SHGetFileInfoW(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    drives.push_back({letter, classlib::FromWide(info.szDisplayName), info.iIcon});
  }
  return drives;
}

class ShellDriveComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterSkinShellClasses();
    Form = windowtesting::ReadForm(R"(object TestForm: TForm
  Width = 400
  Height = 300
  object Drives: TskSkinShellDriveComboBox
    Left = 10
    Top = 10
    Width = 300
  end
end)");
    Combo = dynamic_cast<TskSkinShellDriveComboBox*>(Form->FindComponent("Drives"));
    ASSERT_NE(Combo, nullptr);
    Combo->OnChange = [this](classlib::TObject* Sender) {
      EXPECT_EQ(Sender, Combo);
      Changes.push_back({Combo->Drive(), Combo->ItemIndex()});
    };
    Form->Show();
    windowtesting::Pump();
  }

  void ExpectListed(const std::vector<TExpectedDrive>& Expected) const {
    ASSERT_EQ(Combo->Items().Count(), static_cast<int>(Expected.size()));
    for (size_t i = 0; i < Expected.size(); ++i) {
      const int index = static_cast<int>(i);
      EXPECT_EQ(Combo->DriveLetter(index), Expected[i].Letter) << i;
      EXPECT_EQ(Combo->Items()[index], Expected[i].Name) << i;
      EXPECT_EQ(Combo->DriveIconIndex(index), Expected[i].Icon) << i;
    }
  }

  int IndexOf(char Letter) const {
    for (int i = 0; i < Combo->Items().Count(); ++i)
      if (Combo->DriveLetter(i) == Letter) return i;
    return -1;
  }

  std::unique_ptr<classlib::TForm> Form;
  TskSkinShellDriveComboBox* Combo = nullptr;
  // Drive and selected entry as each OnChange saw them.
  std::vector<std::pair<char, int>> Changes;
};

TEST_F(ShellDriveComboBoxTest, ListsWinesDrivesWithTheShellsNamesAndSelectsTheFirst) {
  EXPECT_EQ(Combo->DriveTypes(), AllListed);
  const auto expected = ShellDrives(AllListed);
  ASSERT_GE(expected.size(), 2u) << "C: and Z: at least";
  ExpectListed(expected);
  for (const auto& drive : expected) EXPECT_NE(drive.Name.find(String(1, drive.Letter) + ":"), String::npos) << drive.Name;
  EXPECT_NE(Combo->ImageList(), nullptr);
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(Combo->Drive(), expected[0].Letter);
  EXPECT_EQ(Combo->Text(), expected[0].Name);
}

TEST_F(ShellDriveComboBoxTest, SetDriveTakesAnyCaseAndFiresOnChangeOnceTheDriveIsSet) {
  const int z = IndexOf('Z');
  ASSERT_GT(z, 0);
  Changes.clear();
  Combo->SetDrive('z');
  EXPECT_EQ(Combo->Drive(), 'Z');
  EXPECT_EQ(Combo->ItemIndex(), z);
  EXPECT_EQ(Combo->CurrentIndex(), z);
  EXPECT_EQ(Changes, (std::vector<std::pair<char, int>>{{'Z', z}}));

  // The same drive again, and a letter without a drive, change nothing.
  Changes.clear();
  Combo->SetDrive('Z');
  Combo->SetDrive('Q');
  EXPECT_EQ(Combo->Drive(), 'Z');
  EXPECT_EQ(Combo->ItemIndex(), z);
  EXPECT_TRUE(Changes.empty());

  // A choice in the list, as the user's, names its drive before OnChange runs.
  Combo->SetItemIndex(0);
  EXPECT_EQ(Combo->Drive(), Combo->DriveLetter(0));
  EXPECT_EQ(Changes, (std::vector<std::pair<char, int>>{{Combo->DriveLetter(0), 0}}));
}

TEST_F(ShellDriveComboBoxTest, DriveTypesFilterAndARebuildKeepsTheIndexInsideTheList) {
  Combo->SetDrive('Z');
  const int z = IndexOf('Z');

  // No drive of the types asked for: an empty list, nothing selected, the drive as it was.
  Combo->SetDriveTypes({TDriveType::dtRAM, TDriveType::dtUnknown});
  const auto none = ShellDrives({TDriveType::dtRAM, TDriveType::dtUnknown});
  ExpectListed(none);
  if (none.empty()) {
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_EQ(Combo->CurrentIndex(), 0);
    EXPECT_EQ(Combo->Drive(), 'Z');
  }

  // Back to every type: no entry was selected, so the one at the current index is.
  Combo->SetDriveTypes(AllListed);
  ExpectListed(ShellDrives(AllListed));
  EXPECT_EQ(Combo->ItemIndex(), Combo->CurrentIndex());
  EXPECT_EQ(Combo->Drive(), Combo->DriveLetter(Combo->CurrentIndex()));

  // The selected drive's entry gone from a shorter list (as a drive that vanished): nothing is
  // selected for it, the drive keeps its letter and the current index stays inside the list.
  Combo->SetDrive('Z');
  ASSERT_EQ(Combo->ItemIndex(), z);
  Combo->SetDriveTypes({TDriveType::dtCDROM, TDriveType::dtFloppy, TDriveType::dtNetwork});
  const int count = Combo->Items().Count();
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Drive(), 'Z');
  EXPECT_LT(Combo->CurrentIndex(), std::max(count, 1));
  EXPECT_GE(Combo->CurrentIndex(), 0);
  Combo->SetDrive('Z');  // no entry: nothing, and nothing past the end
  EXPECT_EQ(Combo->ItemIndex(), -1);
}

// A drive the test maps is listed with the shell's name for it; once it vanishes, a rebuild selects
// nothing for it, keeps its letter and keeps the current index inside the shorter list.
TEST_F(ShellDriveComboBoxTest, AMappedDriveIsListedAndItsVanishingSelectsNothing) {
  testing_support::TempDir folder;
  char letter = 0;
  {
    const testing_support::MappedDrive mapped(folder.unixPath());
    letter = mapped.letter();
    Combo->UpdateDrives();
    ExpectListed(ShellDrives(AllListed));
    const int index = IndexOf(letter);
    ASSERT_NE(index, -1);
    EXPECT_NE(Combo->Items()[index].find(mapped.drive()), String::npos) << Combo->Items()[index];
    Combo->SetDrive(static_cast<char>(letter - 'A' + 'a'));
    EXPECT_EQ(Combo->ItemIndex(), index);
    EXPECT_EQ(Combo->Drive(), letter);
  }
  Changes.clear();
  Combo->UpdateDrives();
  ExpectListed(ShellDrives(AllListed));
  EXPECT_EQ(IndexOf(letter), -1);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Drive(), letter);
  EXPECT_GE(Combo->CurrentIndex(), 0);
  EXPECT_LT(Combo->CurrentIndex(), Combo->Items().Count());
  EXPECT_TRUE(Changes.empty());
  // Choosing again works from there.
  Combo->SetDrive('C');
  EXPECT_EQ(Combo->Drive(), 'C');
  EXPECT_EQ(Combo->ItemIndex(), IndexOf('C'));
}

TEST_F(ShellDriveComboBoxTest, UpdateDrivesRebuildsKeepingTheSelectedDrive) {
  Combo->SetDrive('Z');
  const int z = Combo->ItemIndex();
  Combo->UpdateDrives();
  ExpectListed(ShellDrives(AllListed));
  EXPECT_EQ(Combo->ItemIndex(), z);
  EXPECT_EQ(Combo->Drive(), 'Z');
}

TEST_F(ShellDriveComboBoxTest, TheFaceShowsTheDrivesIconBeforeItsName) {
  const classlib::TRect area = Combo->ItemAreaRect();
  windowtesting::TPaintTarget target(Combo->Width(), Combo->Height(), RGB(255, 0, 255));
  target.Paint(Combo->Handle());
  const COLORREF face = target.Pixel(area.right - 2, (area.top + area.bottom) / 2);
  const auto inked = [&](int From, int To) {
    int count = 0;
    for (int x = area.left + From; x < area.left + To; ++x)
      for (int y = area.top; y < area.bottom; ++y)
        if (target.Pixel(x, y) != face) ++count;
    return count;
  };
  const int icon = GetSystemMetrics(SM_CXSMICON);
  EXPECT_GT(inked(0, icon), 20) << "the icon";
  EXPECT_GT(inked(icon + 4, icon + 40), 10) << "the name";
}

TEST(ShellDriveComboBoxRegistration, ADescriptionSetsTheDriveTypes) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Drives: TskSkinShellDriveComboBox
    DriveTypes = [dtFixed]
  end
end)");
  auto& combo = *dynamic_cast<TskSkinShellDriveComboBox*>(form->FindComponent("Drives"));
  EXPECT_EQ(combo.DriveTypes(), TDriveTypes{TDriveType::dtFixed});
  form->Show();
  windowtesting::Pump();
  ASSERT_GT(combo.Items().Count(), 0);
  for (int i = 0; i < combo.Items().Count(); ++i) {
    const WCHAR root[] = {static_cast<WCHAR>(combo.DriveLetter(i)), L':', L'\\', 0};
    EXPECT_EQ(GetDriveTypeW(root), static_cast<UINT>(DRIVE_FIXED)) << combo.DriveLetter(i);
  }
}

}  // namespace
