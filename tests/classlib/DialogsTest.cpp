#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Dialogs.h"

#include <memory>
#include <vector>

using namespace classlib;
using namespace std::string_literals;

namespace {

std::u16string Utf16(const WCHAR* Text) {
  std::u16string result;
  for (; Text && *Text; ++Text) result += static_cast<char16_t>(*Text);
  return result;
}

std::vector<String> Flatten(const std::vector<TFileFilter>& Filters) {
  std::vector<String> result;
  for (const TFileFilter& f : Filters) {
    result.push_back(f.Description);
    result.push_back(f.Mask);
  }
  return result;
}

TEST(ParseFilter, SplitsDescriptionsFromMasks) {
  struct Case {
    String filter;
    std::vector<String> expected;
  };
  const Case cases[] = {
      {"Text|*.txt|All|*.*", {"Text", "*.txt", "All", "*.*"}},
      {"All (*.bmp;*,png;)|*.bmp;*.png;", {"All (*.bmp;*,png;)", "*.bmp;*.png;"}},
      {"Play List|*.lst|", {"Play List", "*.lst"}},
      {"A|*.a|B", {"A", "*.a"}},  // a description without masks is dropped
      {"|*.a", {"", "*.a"}},
      {"Only a description", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Flatten(ParseFilter(c.filter)), c.expected) << c.filter;
}

TEST(ParseSelectedFiles, GivesFullPathsInOrder) {
  struct Case {
    std::u16string buffer;  // as the dialog leaves it, NULs included
    std::vector<String> expected;
  };
  const Case cases[] = {
      {u"C:\\pics\\a.bmp\0\0"s, {"C:\\pics\\a.bmp"}},
      {u"C:\\pics\0b.png\0a.bmp\0\0"s, {"C:\\pics\\b.png", "C:\\pics\\a.bmp"}},
      {u"C:\\\0x.jpg\0y.jpg\0\0"s, {"C:\\x.jpg", "C:\\y.jpg"}},
      {u"Z:\\tmp\0\u00e9t\u00e9.mp3\0\0"s, {"Z:\\tmp\\\xc3\xa9t\xc3\xa9.mp3"}},
      {u"\0\0"s, {}},
  };
  for (const Case& c : cases) {
    // The buffer is larger than what the dialog wrote, as it is in use.
    WideString buffer(c.buffer.begin(), c.buffer.end());
    buffer.resize(buffer.size() + 16, 0);
    EXPECT_EQ(ParseSelectedFiles(buffer), c.expected);
  }
}

// Answers in place of the system dialog, as a user who picks Chosen would.
class TScriptedDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;

  std::u16string Chosen;  // empty: the user cancels
  DWORD ChosenFilter = 0;
  OPENFILENAMEW Seen{};  // its pointers are the caller's, gone once Execute returns
  std::u16string SeenFilter;
  std::u16string SeenFile;
  std::u16string SeenTitle;
  std::u16string SeenExtension;

protected:
  bool RunDialog(OPENFILENAMEW& Info) override {
    Seen = Info;
    for (const WCHAR* p = Info.lpstrFilter; p && (p[0] || p[1]); ++p)
      SeenFilter += p[0] ? static_cast<char16_t>(p[0]) : u'|';
    SeenFile = Utf16(Info.lpstrFile);
    SeenTitle = Utf16(Info.lpstrTitle);
    SeenExtension = Utf16(Info.lpstrDefExt);
    if (Chosen.empty()) return false;
    std::copy(Chosen.begin(), Chosen.end(), Info.lpstrFile);
    Info.nFilterIndex = ChosenFilter;
    return true;
  }
};

TEST(OpenDialog, ExecuteAsksWithTheSettingsAndReadsTheChoice) {
  windowtesting::InitApplication();
  TScriptedDialog dialog(nullptr);
  dialog.SetTitle("Open file");
  dialog.SetFilter("Bitmaps|*.bmp|All|*.*");
  dialog.SetFilterIndex(2);
  dialog.SetFileName("start.bmp");
  dialog.SetDefaultExt(".bmp");
  dialog.SetOptions({TOpenOption::ofAllowMultiSelect, TOpenOption::ofFileMustExist});

  EXPECT_FALSE(dialog.Execute()) << "cancelled";
  EXPECT_EQ(dialog.FileName(), "start.bmp");
  EXPECT_EQ(dialog.SeenFilter, u"Bitmaps|*.bmp|All|*.*");
  EXPECT_EQ(dialog.SeenFile, u"start.bmp");
  EXPECT_EQ(dialog.SeenTitle, u"Open file");
  EXPECT_EQ(dialog.SeenExtension, u"bmp");
  EXPECT_EQ(dialog.Seen.nFilterIndex, 2u);
  const DWORD wanted = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
  EXPECT_EQ(dialog.Seen.Flags & wanted, wanted);
  EXPECT_FALSE(dialog.Seen.Flags & OFN_HIDEREADONLY) << "only the options asked for";

  dialog.Chosen = u"C:\\pics\0a.bmp\0b.bmp\0"s;
  dialog.ChosenFilter = 1;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Files().Text(), "C:\\pics\\a.bmp\r\nC:\\pics\\b.bmp\r\n");
  EXPECT_EQ(dialog.FileName(), "C:\\pics\\a.bmp");
  EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST(OpenDialog, SettingsComeFromTheDescription) {
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Save1: TSaveDialog
    Title = 'Save file'
    Filter = 'All files|*.lst'
    FilterIndex = 1
    Options = [ofOverwritePrompt, ofPathMustExist]
  end
end
)");
  auto* dialog = dynamic_cast<TSaveDialog*>(form->FindComponent("Save1"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Title(), "Save file");
  EXPECT_EQ(dialog->Filter(), "All files|*.lst");
  EXPECT_EQ(dialog->Options(), (TOpenOptions{TOpenOption::ofOverwritePrompt, TOpenOption::ofPathMustExist}));
}

}  // namespace
