#include "tests/classlib/WindowTesting.h"

#include "skin/plain/PlainRegistration.h"
#include "skin/plain/SkinPlainBoxes.h"

#include <memory>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

// Records the virtual Change beside the events, to see the order SetItemIndex keeps.
class TRecordingComboBox : public TskSkinComboBox {
public:
  explicit TRecordingComboBox(std::vector<String>& Events) : TskSkinComboBox(nullptr), FEvents(Events) {
    OnClick = [this](TObject*) { FEvents.push_back("click"); };
    OnChange = [this](TObject*) { FEvents.push_back("change " + Text()); };
  }

protected:
  void Change() override { FEvents.push_back("Change"); }

private:
  std::vector<String>& FEvents;
};

TEST(PlainComboBox, SetItemIndexTakesTheLineAndReportsAsAChoiceDoes) {
  struct Case {
    std::vector<String> items;
    String text;  // before
    int index;
    String expectedText;
    std::vector<String> expectedEvents;
  };
  const Case cases[] = {
      {{"D:", "E:"}, "", 0, "D:", {"change D:", "click", "Change"}},
      {{"D:", "E:"}, "", 1, "E:", {"change E:", "click", "Change"}},
      // The same drive again: the text does not change, so the drive is not opened again.
      {{"D:", "E:"}, "D:", 0, "D:", {"click", "Change"}},
      // No drive in the list: the text stays as it was.
      {{}, "D:", 0, "D:", {"click", "Change"}},
      {{"D:"}, "E:", -1, "E:", {"click", "Change"}},
      {{"D:"}, "E:", 5, "E:", {"click", "Change"}},
  };
  for (const Case& c : cases) {
    std::vector<String> events;
    TRecordingComboBox combo(events);
    combo.SetText(c.text);
    for (const String& item : c.items) combo.GetItems().Add(item);
    events.clear();
    combo.SetItemIndex(c.index);
    EXPECT_EQ(combo.Text(), c.expectedText) << c.index;
    EXPECT_EQ(events, c.expectedEvents) << c.index;
  }
}

TEST(PlainComboBox, OnChangeFollowsTheText) {
  std::vector<String> events;
  TRecordingComboBox combo(events);
  combo.SetText("Tuner");
  combo.SetText("Tuner");
  combo.GetItems().Add("Tuner");
  combo.GetItems().Clear();  // emptying the list leaves the text alone
  combo.SetText("");
  EXPECT_EQ(events, (std::vector<String>{"change Tuner", "change "}));
}

const char* const BoxesForm = R"(object TestForm: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Drives: TskSkinComboBox
    Style = csDropDownList
    OnChange = DrivesChange
    OnClick = DrivesClick
  end
  object Names: TskSkinComboBox
    Top = 40
    Items.Strings = (
      'Composite'
      'S-Video')
    ItemIndex = 1
    OnChange = NamesChange
  end
end
)";

class PlainBoxes : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterPlainSkinClasses();
    Form = windowtesting::ReadForm(BoxesForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("DrivesChange", [this](TObject*) { Events.push_back("change " + Drives->Text()); });
      form.RegisterHandler<TNotifyEvent>("DrivesClick", [this](TObject*) { Events.push_back("click"); });
      form.RegisterHandler<TNotifyEvent>("NamesChange", [this](TObject*) { Events.push_back("names " + Names->Text()); });
    });
    Drives = dynamic_cast<TskSkinComboBox*>(Form->FindComponent("Drives"));
    Names = dynamic_cast<TskSkinComboBox*>(Form->FindComponent("Names"));
    ASSERT_TRUE(Drives && Names);
  }

  // What the system tells the form when the user picks a line.
  void UserChooses(TskSkinComboBox& Combo, int Index) {
    SendMessageW(Combo.Handle(), CB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo.Handle()));
  }

  std::unique_ptr<TForm> Form;
  TskSkinComboBox* Drives = nullptr;
  TskSkinComboBox* Names = nullptr;
  std::vector<String> Events;
};

TEST_F(PlainBoxes, TheStoredIndexGivesTheTextWithoutEvents) {
  EXPECT_EQ(Names->Text(), "S-Video");
  EXPECT_TRUE(Events.empty());
}

// The CD page refills its drive list each time it is entered and selects the first drive.
TEST_F(PlainBoxes, RefillingWithTheSameDriveChangesNothing) {
  Drives->HandleNeeded();
  for (int pass = 0; pass < 2; ++pass) {
    Drives->GetItems().Clear();
    Drives->GetItems().Add("D:");
    Drives->SetItemIndex(0);
    Drives->GetItems().Add("E:");
    Drives->SetItemIndex(0);
  }
  EXPECT_EQ(Drives->Text(), "D:");
  EXPECT_EQ(Drives->ItemIndex(), 0);
  EXPECT_EQ(Events, (std::vector<String>{"change D:", "click", "click", "click", "click"}));
}

TEST_F(PlainBoxes, TheUsersChoiceReportsTheNewText) {
  Drives->GetItems().Add("D:");
  Drives->GetItems().Add("E:");
  Drives->SetItemIndex(0);
  Events.clear();
  UserChooses(*Drives, 1);
  UserChooses(*Drives, 1);
  EXPECT_EQ(Drives->Text(), "E:");
  EXPECT_EQ(Events, (std::vector<String>{"change E:", "click", "click"}));

  UserChooses(*Names, 0);
  EXPECT_EQ(Names->Text(), "Composite");
  EXPECT_EQ(Events.back(), "names Composite");
}

TEST(PlainListBox, ItemsGoToAFileAndBack) {
  testing_support::TempDir folder;
  const String file = folder.windowsFile("audio.lst");
  TskSkinListBox list(nullptr);
  const std::vector<String> paths = {"Z:\\music\\a.mp3", "", "Z:\\music\\b c.wav"};
  for (const String& path : paths) list.GetItems().Add(path);
  list.GetItems().SaveToFile(file);
  EXPECT_EQ(testing_support::ReadUnixFile(folder.unixFile("audio.lst")), "Z:\\music\\a.mp3\r\n\r\nZ:\\music\\b c.wav\r\n");

  list.Clear();
  EXPECT_EQ(list.GetItems().Count(), 0);
  list.GetItems().LoadFromFile(file);
  ASSERT_EQ(list.GetItems().Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetItems()[i], paths[static_cast<size_t>(i)]);
}

}  // namespace
