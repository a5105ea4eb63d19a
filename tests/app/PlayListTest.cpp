// The play-list form: its two mode files, the list-file format and the entries' identity.
#include "tests/app/AppTesting.h"

#include "app/Unit2.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/WideText.h"

#include <vector>

using namespace classlib;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

// The play list in a fresh current directory, where its mode files live.
class PlayList : public ::testing::Test {
protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, FSavedDirectory);
    SetCurrentDirectoryW(ToWide(Dir.windowsPath()).c_str());
  }
  void TearDown() override { SetCurrentDirectoryW(FSavedDirectory); }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (int i = 0; i < Form->skSkinListView1->Items().Count(); ++i) paths.push_back(Form->EntryPath(i));
    return paths;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < Form->skSkinListView1->Items().Count(); ++i)
      captions.push_back(Form->skSkinListView1->Items().Item(i)->Caption());
    return captions;
  }
  void Add(const std::vector<std::string>& Paths) {
    TStringList files;
    for (const std::string& path : Paths) files.Add(path);
    Form->AddPlayListFiles(files);
  }

  TempDir Dir;
  std::unique_ptr<TForm2> Form = apptesting::MakeForm<TForm2>();

private:
  WCHAR FSavedDirectory[MAX_PATH] = {};
};

TEST_F(PlayList, StartsInAudioModeWithItsDialogs) {
  EXPECT_EQ(Form->PlayListMode, 0);
  EXPECT_TRUE(Form->AudioMode1->Checked());
  EXPECT_FALSE(Form->VideoMode1->Checked());
  EXPECT_EQ(Form->Caption(), "Play List");
  EXPECT_EQ(Form->skSkinOpenDialog1->Title(), "Open Audio files");
  EXPECT_TRUE(Form->skSkinOpenDialog1->MultiSelection());
  EXPECT_FALSE(Form->skSkinOpenDialog2->MultiSelection());
  EXPECT_EQ(Form->skSkinSaveDialog1->Filter(), "All files|*.lst");
}

TEST_F(PlayList, FileIsOnePathPerLineEndedByCrLf) {
  Add({"C:\\music\\a.mp3", "Z:\\x y\\b.wav", "D:c.wma"});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a.mp3", "b.wav", "c.wma"}));
  Form->SaveList1Click(nullptr);
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("audio.lst")), "C:\\music\\a.mp3\r\nZ:\\x y\\b.wav\r\nD:c.wma\r\n");
}

TEST_F(PlayList, ReadsEveryLineEndingAndKeepsEmptyLines) {
  struct Case {
    const char* name;
    const char* bytes;
  };
  const Case cases[] = {
      {"crlf", "C:\\a.mp3\r\nC:\\b.mp3\r\n\r\nC:\\c.mp3\r\n"},
      {"lf", "C:\\a.mp3\nC:\\b.mp3\n\nC:\\c.mp3\n"},
      {"cr", "C:\\a.mp3\rC:\\b.mp3\r\rC:\\c.mp3"},
  };
  for (const Case& c : cases) {
    WriteUnixFile(Dir.unixFile("list.lst"), c.bytes);
    Form->LoadPlayList(Dir.windowsFile("list.lst"));
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3", "", "C:\\c.mp3"})) << c.name;
    // Written back, each list comes out in the one form the program writes.
    Form->SavePlayList(Dir.windowsFile("out.lst"));
    EXPECT_EQ(ReadUnixFile(Dir.unixFile("out.lst")), "C:\\a.mp3\r\nC:\\b.mp3\r\n\r\nC:\\c.mp3\r\n") << c.name;
  }
}

TEST_F(PlayList, MissingFileGivesEmptyList) {
  Add({"C:\\a.mp3"});
  Form->LoadPlayList(Dir.windowsFile("none.lst"));
  EXPECT_TRUE(Paths().empty());
}

TEST_F(PlayList, DuplicatesAreExactPaths) {
  Add({"C:\\a.mp3", "C:\\b.mp3", "C:\\a.mp3"});
  Add({"C:\\b.mp3", "C:\\A.mp3"});
  EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3", "C:\\A.mp3"}));
  EXPECT_FALSE(Form->IsNewPlayListEntry("C:\\a.mp3"));
  EXPECT_TRUE(Form->IsNewPlayListEntry("c:\\a.mp3"));
}

TEST_F(PlayList, EmptyListSavesEmptyFile) {
  WriteUnixFile(Dir.unixFile("video.lst"), "C:\\old.avi\r\n");
  Form->VideoMode1Click(nullptr);
  Form->ClearList1Click(nullptr);
  Form->SaveList1Click(nullptr);
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("video.lst")), "");
}

TEST_F(PlayList, SwitchingModesSavesTheNonEmptyListItLeaves) {
  WriteUnixFile(Dir.unixFile("audio.lst"), "C:\\old.mp3\r\n");
  WriteUnixFile(Dir.unixFile("video.lst"), "C:\\v.avi\r\n");

  // Audio list empty: leaving audio mode writes nothing, so the older audio.lst survives.
  Form->ClearList1Click(nullptr);
  Form->VideoMode1Click(nullptr);
  EXPECT_EQ(Form->PlayListMode, 1);
  EXPECT_TRUE(Form->VideoMode1->Checked());
  EXPECT_FALSE(Form->AudioMode1->Checked());
  EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\v.avi"});
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("audio.lst")), "C:\\old.mp3\r\n");

  // Leaving video mode with entries saves them and shows the audio list.
  Add({"C:\\w.wmv"});
  Form->AudioMode1Click(nullptr);
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("video.lst")), "C:\\v.avi\r\nC:\\w.wmv\r\n");
  EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\old.mp3"});
  EXPECT_TRUE(Form->AudioMode1->Checked());

  // The mode already in force reloads its file: unsaved additions go, nothing is written.
  Add({"C:\\new.mp3"});
  Form->AudioMode1Click(nullptr);
  EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\old.mp3"});
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("audio.lst")), "C:\\old.mp3\r\n");
}

TEST_F(PlayList, RemoveDeletesTheSelectedEntry) {
  Add({"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"});
  Form->Remove1Click(nullptr);  // nothing selected
  EXPECT_EQ(Paths().size(), 3u);
  Form->skSkinListView1->SetItemIndex(1);
  Form->Remove1Click(nullptr);
  EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.mp3", "C:\\c.mp3"}));
}

// The save dialog, answered twice: a long name, then a shorter one typed over the long one that the
// dialog proposes (in the folder of the first); each save writes the file named, and nothing else.
TEST_F(PlayList, SaveListAsTwiceUnderAShorterName) {
  Add({"C:\\music\\a.mp3"});
  {
    apptesting::TFileDialogAnswerer answerer({Dir.windowsFile("a-rather-long-list.lst"), "z"});
    Form->SaveListAs1Click(nullptr);
    Form->SaveListAs1Click(nullptr);
    EXPECT_EQ(answerer.Answered(), 2);
  }
  EXPECT_EQ(Form->skSkinSaveDialog1->FileName(), Dir.windowsFile("z.lst"));
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("a-rather-long-list.lst")), "C:\\music\\a.mp3\r\n");
  EXPECT_EQ(ReadUnixFile(Dir.unixFile("z.lst")), "C:\\music\\a.mp3\r\n");
}

TEST_F(PlayList, RefusesToClose) {
  Form->Show();
  Form->Close();
  EXPECT_TRUE(Form->Visible());
}

}  // namespace
