// The main window's own behaviour, driven through its handlers on a form made from its description.
#include "tests/app/AppTesting.h"

#include "app/Settings.h"
#include "app/Unit1.h"

#include <vector>

using namespace classlib;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

class MainWindow : public ::testing::Test {
protected:
  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
};

TEST_F(MainWindow, CaptionClockShowsTwoDigitsPerField) {
  struct Case {
    WORD hour, minute, second;
    const char* caption;
  };
  const Case cases[] = {{0, 0, 0, "00:00:00"}, {9, 5, 3, "09:05:03"}, {23, 59, 59, "23:59:59"}, {10, 0, 9, "10:00:09"}};
  for (const Case& c : cases) {
    Form->LocalTime = [&c] {
      SYSTEMTIME time{};
      time.wYear = 2006;
      time.wMonth = 5;
      time.wDay = 7;
      time.wHour = c.hour;
      time.wMinute = c.minute;
      time.wSecond = c.second;
      return time;
    };
    Form->Timer1Timer(nullptr);
    EXPECT_EQ(Form->Caption(), c.caption);
  }
}

TEST_F(MainWindow, HomeHighlightsStartHiddenAtWidthZero) {
  for (TImage* highlight : {Form->Image11, Form->Image10, Form->Image9}) {
    EXPECT_FALSE(highlight->Visible());
    EXPECT_EQ(highlight->Width(), 0);
  }
  EXPECT_FALSE(Form->Image24->Visible());
}

// The widths a highlight takes, in order, as its handlers set them.
std::vector<int> Widths(int From, int To, int Step) {
  std::vector<int> widths;
  for (int w = From; Step > 0 ? w <= To : w >= To; w += Step) widths.push_back(w);
  return widths;
}

TEST_F(MainWindow, HighlightsGrowAndShrinkInStepsOfTwo) {
  struct Case {
    TImage* image;
    void (TForm1::*enter)(TObject*);
    void (TForm1::*leave)(TObject*);
    int full;
  };
  const Case cases[] = {
      {Form->Image11, &TForm1::Label1MouseEnter, &TForm1::Label1MouseLeave, 228},
      {Form->Image10, &TForm1::Label2MouseEnter, &TForm1::Label2MouseLeave, 184},
      {Form->Image9, &TForm1::Label3MouseEnter, &TForm1::Label3MouseLeave, 144},
  };
  for (const Case& c : cases) {
    std::vector<int> seen;
    c.image->OnResize = [&](TObject*) { seen.push_back(c.image->Width()); };

    (Form.get()->*c.enter)(nullptr);
    std::vector<int> grown = Widths(2, c.full - 4, 2);  // from 0, where it already is
    grown.push_back(c.full);
    EXPECT_EQ(seen, grown) << c.image->Name();
    EXPECT_TRUE(c.image->Visible());

    seen.clear();
    (Form.get()->*c.leave)(nullptr);
    std::vector<int> shrunk = Widths(c.full - 2, 4, -2);  // from the full width, where it is
    shrunk.push_back(0);
    EXPECT_EQ(seen, shrunk) << c.image->Name();
    EXPECT_FALSE(c.image->Visible());
    c.image->OnResize = nullptr;
  }
}

TEST_F(MainWindow, AnyRunOfEntersAndLeavesEndsHiddenAtWidthZero) {
  const char* const runs[] = {"EL", "EELL", "ELEL", "LEL", "EEEL", "LL"};
  for (const char* run : runs) {
    for (const char* step = run; *step; ++step) {
      if (*step == 'E') {
        Form->Label1MouseEnter(nullptr);
        Form->Label21MouseEnter(nullptr);
      } else {
        Form->Label1MouseLeave(nullptr);
        Form->Label21MouseLeave(nullptr);
      }
    }
    EXPECT_FALSE(Form->Image11->Visible()) << run;
    EXPECT_EQ(Form->Image11->Width(), 0) << run;
    EXPECT_FALSE(Form->Image24->Visible()) << run;
  }
}

TEST_F(MainWindow, HandlersSwitchPages) {
  struct Case {
    void (TForm1::*handler)(TObject*);
    const char* page;
  };
  const Case cases[] = {
      {&TForm1::Label1Click, "skSkinTabSheet2"},         {&TForm1::Home1Click, "skSkinTabSheet1"},
      {&TForm1::Label2Click, "skSkinTabSheet3"},         {&TForm1::Return2Click, "skSkinTabSheet1"},
      {&TForm1::Label2Click, "skSkinTabSheet3"},         {&TForm1::skSkinSpeedButton24Click, "skSkinTabSheet1"},
      {&TForm1::Label3Click, "skSkinTabSheet4"},         {&TForm1::Homme1Click, "skSkinTabSheet1"},
      {&TForm1::CDripper1Click, "skSkinTabSheet6"},      {&TForm1::skSkinButton4Click, "skSkinTabSheet1"},
  };
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet1);
  for (const Case& c : cases) {
    (Form.get()->*c.handler)(nullptr);
    ASSERT_NE(Form->skSkinPageControl1->ActivePage(), nullptr);
    EXPECT_EQ(Form->skSkinPageControl1->ActivePage()->Name(), c.page);
  }
}

class FolderChoice : public MainWindow {
protected:
  void SetUp() override { Form->ConfigFile = Dir.windowsFile("config.ini"); }
  void Choose(const String& Folder) {
    Form->ChooseFolder = [Folder] { return Folder; };
  }
  std::string Stored(const char* Key) { return apptesting::IniValue(Form->ConfigFile, "work Path", Key); }

  TempDir Dir;
};

TEST_F(FolderChoice, ChosenFolderIsStoredWithATrailingSeparator) {
  Choose("C:\\Pics");
  Form->SetFolder2Click(nullptr);
  EXPECT_EQ(Form->SlideShowFolder, "C:\\Pics\\");
  EXPECT_EQ(Stored("Default Pic"), "C:\\Pics\\");

  Choose("C:\\");  // a drive root comes with its separator
  Form->SetFolder1Click(nullptr);
  EXPECT_EQ(Form->SlideShowFolder, "C:\\\\");

  Choose("D:\\Rec");
  Form->setcapturepath1Click(nullptr);
  EXPECT_EQ(CaptureFolder, "D:\\Rec\\");
  EXPECT_EQ(Stored("TV Capture"), "D:\\Rec\\");
  CaptureFolder.clear();
}

TEST_F(FolderChoice, CancelledChooserKeepsTheSavedFolders) {
  Choose("C:\\Pics");
  Form->SetSlideShowFolder();
  Choose("D:\\Rec");
  Form->SetCaptureFolder();

  Choose("");
  Form->SetSlideShowFolder();
  Form->SetCaptureFolder();
  EXPECT_EQ(Form->SlideShowFolder, "C:\\Pics\\");
  EXPECT_EQ(Stored("Default Pic"), "C:\\Pics\\");
  EXPECT_EQ(CaptureFolder, "D:\\Rec\\");
  EXPECT_EQ(Stored("TV Capture"), "D:\\Rec\\");
  CaptureFolder.clear();
}

TEST_F(FolderChoice, RefusedWriteStillTakesTheFolderForThisRun) {
  Form->ConfigFile = Dir.windowsPath() + "\\missing\\config.ini";
  Choose("C:\\Pics");
  EXPECT_NO_THROW(Form->SetSlideShowFolder());
  EXPECT_EQ(Form->SlideShowFolder, "C:\\Pics\\");
}

TEST_F(FolderChoice, StartUpReadsTheSettings) {
  WriteUnixFile(Dir.unixFile("config.ini"),
                "[Device]\r\nVideo Device=Tuner Card\r\nCapture Source=S-Video\r\nAudio Device=Sound Card\r\n"
                "Audio Source=Audio Line\r\n[work Path]\r\nTV Capture=D:\\Rec\\\r\nDefault Pic=C:\\Pics\\\r\n"
                "[flag]\r\nflag=0\r\n");
  Form->FormCreate(nullptr);
  EXPECT_EQ(VideoDeviceName, "Tuner Card");
  EXPECT_EQ(CaptureSourceName, "S-Video");
  EXPECT_EQ(AudioDeviceName, "Sound Card");
  EXPECT_EQ(AudioSourceName, "Audio Line");
  EXPECT_EQ(CaptureFolder, "D:\\Rec\\");
  EXPECT_EQ(Form->SlideShowFolder, "C:\\Pics\\\\");
  UseSettings({});
}

}  // namespace
