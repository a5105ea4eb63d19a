#include "tests/support/testing.h"

#include "skin/plain/SkinPlainDialogs.h"

#include <vector>

using namespace classlib;
using namespace skin;

namespace {

TEST(SavedFileName, TheMasksExtensionIsAddedWhenTheNameLacksIt) {
  struct Case {
    const char* filter;
    int index;
    const char* name;
    const char* expected;
  };
  const char* pictures = "Bitmaps(*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|PCX (*.pcx)|*.pcx";
  const Case cases[] = {
      {"All files|*.lst", 1, "list1", "list1.lst"},
      {"All files|*.lst", 1, "list1.LST", "list1.LST"},  // compared without regard to case
      {"All files|*.lst", 1, "a.txt", "a.txt.lst"},
      {"All files|*.lst", 1, "C:\\my.dir\\list", "C:\\my.dir\\list.lst"},  // a dot in a folder is no extension
      {pictures, 1, "Z:\\tmp\\pic", "Z:\\tmp\\pic.bmp"},
      {pictures, 2, "Z:\\tmp\\pic", "Z:\\tmp\\pic.jpg"},
      {pictures, 2, "Z:\\tmp\\pic.JPG", "Z:\\tmp\\pic.JPG"},
      {pictures, 3, "Z:\\tmp\\pic.bmp", "Z:\\tmp\\pic.bmp.pcx"},
      {"All files|*.*", 1, "notes", "notes"},  // a mask with ".*" takes any name
      {"Pictures|*.bmp;*.*", 1, "notes", "notes"},
      {"Anything|*", 1, "notes.txt", "notes.txt"},  // a mask without extension adds nothing
      {pictures, 0, "pic", "pic"},                  // no filter entry selected
      {pictures, 4, "pic", "pic"},
      {"", 1, "pic", "pic"},
  };
  for (const Case& c : cases) EXPECT_EQ(SavedFileName(c.filter, c.index, c.name), c.expected) << c.filter << " " << c.index;
}

// Dialogs whose system window is replaced by a scripted answer.
template <class Dialog>
class TScriptedDialog : public Dialog {
public:
  TScriptedDialog(std::u16string Answer, DWORD FilterIndex) : Dialog(nullptr), FAnswer(std::move(Answer)), FFilterIndex(FilterIndex) {}

  DWORD Flags = 0;

protected:
  bool RunDialog(OPENFILENAMEW& Info) override {
    Flags = Info.Flags;
    std::copy(FAnswer.begin(), FAnswer.end(), Info.lpstrFile);
    Info.lpstrFile[FAnswer.size()] = 0;
    Info.nFilterIndex = FFilterIndex;
    return true;
  }

private:
  std::u16string FAnswer;
  DWORD FFilterIndex;
};

TEST(PlainOpenDialog, AsksAsConfiguredAndNeverChangesTheFolder) {
  // A multiple choice comes back as the folder and the names in it, each ended by a NUL.
  TScriptedDialog<TskSkinOpenDialog> dialog(std::u16string(u"Z:\\music\0b.mp3\0a.wav\0", 22), 1);
  EXPECT_EQ(dialog.Title(), "Open file");
  EXPECT_TRUE(dialog.CheckFileExists());
  dialog.SetTitle("Open Audio files");
  dialog.SetFilter("All(*.mp3;*.wma;*.wav;)|*.mp3;*.wma;*.wav;");
  dialog.SetMultiSelection(true);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(dialog.Flags & OFN_NOCHANGEDIR);
  EXPECT_TRUE(dialog.Flags & OFN_FILEMUSTEXIST);
  EXPECT_TRUE(dialog.Flags & OFN_ALLOWMULTISELECT);
  EXPECT_EQ(dialog.FileName(), "Z:\\music\\b.mp3");
  ASSERT_EQ(dialog.Files().Count(), 2);
  EXPECT_EQ(dialog.Files()[1], "Z:\\music\\a.wav");

  dialog.SetMultiSelection(false);
  dialog.SetCheckFileExists(false);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(dialog.Flags & OFN_NOCHANGEDIR);
  EXPECT_FALSE(dialog.Flags & OFN_FILEMUSTEXIST);
  EXPECT_FALSE(dialog.Flags & OFN_ALLOWMULTISELECT);
}

TEST(PlainSaveDialog, TheChosenNameGetsTheFiltersExtension) {
  TScriptedDialog<TskSkinSaveDialog> dialog(u"Z:\\tmp\\picture", 2);
  EXPECT_EQ(dialog.Title(), "Save file");
  dialog.SetFilter("Bitmaps(*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg");
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "Z:\\tmp\\picture.jpg");
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_TRUE(dialog.Flags & OFN_NOCHANGEDIR);
  // The file to save need not exist.
  EXPECT_FALSE(dialog.Flags & OFN_FILEMUSTEXIST);
}

}  // namespace
