// The slide show on folders the tests make: small pictures of distinct solid colours, files that
// are no pictures, files the folder listing must skip. The show runs modally as in the program; a
// script on a timer of the window's thread drives its ticks and ends it with a double click.
#include "tests/app/PictureTesting.h"

#include "app/Unit1.h"
#include "app/Unit6.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/Timer.h"
#include "platform/classlib/WideText.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using apptesting::TDialogAnswerer;
using apptesting::TDialogSeen;
using classlib::String;
using classlib::ToWide;
using picturetesting::WritePicture;

constexpr std::uint32_t kSeed = 20261210;

const char kNoPictureText[] =
    "Maybe there is no picture in default directory.\r\n you can choose the directory in 'set folder' option.";
const char kFewFilesText[] = "the directory of album must be more than 4 pictures";

struct TSlideColor {
  BYTE R, G, B;
};
const TSlideColor kColors[] = {{220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {230, 220, 40}, {200, 40, 200}};

void WriteBytes(const std::string& WindowsPath, const std::string& Bytes) {
  const HANDLE file = CreateFileW(ToWide(WindowsPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << WindowsPath;
  DWORD written = 0;
  ::WriteFile(file, Bytes.data(), static_cast<DWORD>(Bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// The display count of the mouse cursor: shown at 0 and above.
int CursorCount() {
  const int raised = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return raised - 1;
}

int ThreadCount() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

// The colour a window shows at the centre of the screen, where the show centres its pictures.
// (Wine's screen DC does not see through a topmost window under Xvfb; the window's own DC does.)
COLORREF ScreenCentre(HWND Window) {
  POINT centre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  ScreenToClient(Window, &centre);
  const HDC dc = GetDC(Window);
  const COLORREF color = GetPixel(dc, centre.x, centre.y);
  ReleaseDC(Window, dc);
  return color;
}

// The index of the picture colour that Color shows (JPEG moves solid colours a little), or -1.
int SlideColorIndex(COLORREF Color) {
  for (int i = 0; i < static_cast<int>(std::size(kColors)); ++i) {
    const TSlideColor& c = kColors[i];
    if (std::abs(GetRValue(Color) - c.R) <= 24 && std::abs(GetGValue(Color) - c.G) <= 24 &&
        std::abs(GetBValue(Color) - c.B) <= 24)
      return i;
  }
  return -1;
}

// Runs Step every Period ms on the window's thread, modal loops included, until it returns true.
class TScript {
public:
  TScript(unsigned Period, std::function<bool()> Step) : FStep(std::move(Step)) {
    FTimer.SetInterval(Period);
    FTimer.OnTimer = [this](classlib::TObject*) {
      if (FDone || FInStep) return;
      FInStep = true;
      FDone = FStep();
      FInStep = false;
      if (FDone) FTimer.SetEnabled(false);
    };
    FTimer.SetEnabled(true);
  }
  bool Done() const { return FDone; }

private:
  std::function<bool()> FStep;
  classlib::TTimer FTimer{nullptr};
  bool FDone = false;
  bool FInStep = false;
};

// The slide-show form as the program makes it, working in a folder of its own (where "repp.jpg"
// goes), over an album folder the test fills.
class SlideShow : public ::testing::Test {
protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, FOldDirectory);
    ASSERT_TRUE(SetCurrentDirectoryW(ToWide(Work.windowsPath()).c_str()));
    Form->SlideShowSeed = [] { return kSeed; };
    Form6 = Form.get();
    FCursorCount = CursorCount();
  }
  void TearDown() override {
    Form6 = nullptr;
    SetCurrentDirectoryW(FOldDirectory);
    while (CursorCount() < FCursorCount) ShowCursor(TRUE);
    while (CursorCount() > FCursorCount) ShowCursor(FALSE);
  }

  // The album as the main window hands it over: ending in a separator.
  String AlbumFolder() const { return Album.windowsPath() + "\\"; }
  std::string AlbumFile(const std::string& Name) const { return Album.windowsFile(Name); }
  void WritePictures(int Count) {
    for (int i = 0; i < Count; ++i) {
      const TSlideColor& c = kColors[i];
      const bool jpeg = i % 2 == 0;
      WritePicture(AlbumFile("slide" + std::to_string(i) + (jpeg ? ".jpg" : ".png")), 64, 48,
                   MakeColor(c.R, c.G, c.B), jpeg ? FMT_JPG : FMT_PNG);
    }
  }
  void WriteNonPictures(int Count) {
    for (int i = 0; i < Count; ++i) WriteBytes(AlbumFile("note" + std::to_string(i) + ".txt"), "not a picture");
  }

  testing_support::TempDir Work;
  testing_support::TempDir Album;
  std::unique_ptr<TForm6> Form = apptesting::MakeForm<TForm6>();

private:
  WCHAR FOldDirectory[MAX_PATH] = {};
  int FCursorCount = 0;
};

TEST_F(SlideShow, FormIsAHiddenFullScreenWindowWithItsTwoTimers) {
  EXPECT_EQ(Form->Caption(), "SlideShow");
  EXPECT_EQ(Form->BorderStyle(), classlib::TFormBorderStyle::bsNone);
  EXPECT_EQ(Form->WindowState(), classlib::TWindowState::wsMaximized);
  EXPECT_EQ(Form->FormStyle(), classlib::TFormStyle::fsStayOnTop);
  EXPECT_FALSE(Form->Timer1->Enabled());
  EXPECT_EQ(Form->Timer1->Interval(), 5000u);
  EXPECT_FALSE(Form->Timer2->Enabled());
  EXPECT_EQ(Form->Timer2->Interval(), 8000u);
}

TEST_F(SlideShow, ListKeepsPlainFilesOnly) {
  WriteBytes(AlbumFile("plain.png"), "x");
  WriteBytes(AlbumFile("notes.txt"), "x");
  WriteBytes(AlbumFile("readonly.png"), "x");
  WriteBytes(AlbumFile("hidden.png"), "x");
  ASSERT_TRUE(SetFileAttributesW(ToWide(AlbumFile("readonly.png")).c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesW(ToWide(AlbumFile("hidden.png")).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryW(ToWide(AlbumFile("folder.png")).c_str(), nullptr));

  Form->ListSlideFolder(AlbumFolder());
  std::vector<String> files = Form->SlideFiles;
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<String>{AlbumFolder() + "notes.txt", AlbumFolder() + "plain.png"}));

  // No folder lists nothing (not the current drive's root), a missing folder neither.
  for (const String& folder : {String(), String(Album.windowsFile("missing") + "\\")}) {
    Form->ListSlideFolder(folder);
    EXPECT_TRUE(Form->SlideFiles.empty()) << folder;
  }
}

TEST_F(SlideShow, FoldersWithoutEnoughPicturesEndWithTheirMessage) {
  TDialogAnswerer answerer(IDOK);
  // Empty and missing folders: nothing visible.
  Form->Play(AlbumFolder());
  Form->Play(Album.windowsFile("missing") + "\\");
  EXPECT_FALSE(Form->Visible());

  WriteNonPictures(3);
  Form->Play(AlbumFolder());
  EXPECT_FALSE(Form->Visible());

  WriteNonPictures(4);
  // Two shows in a row: each makes its eight picks (the first and seven retries) before giving up.
  for (int show = 0; show < 2; ++show) {
    Form->Play(AlbumFolder());
    EXPECT_EQ(Form->PickRetries, 8) << "show " << show;
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(Form->Timer1->Enabled());
    EXPECT_FALSE(Form->Timer2->Enabled());
    EXPECT_FALSE(Form->SlideShowControl);
  }

  const std::vector<TDialogSeen> seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].Caption, "information");
  EXPECT_EQ(seen[0].Text, kFewFilesText);
  for (int i : {1, 2}) {
    EXPECT_EQ(seen[i].Caption, "information");
    EXPECT_EQ(seen[i].Text, kNoPictureText);
  }
  EXPECT_GE(CursorCount(), 0);
}

TEST_F(SlideShow, ThreePicturesStartAShowWithTheFirstAsBackground) {
  WritePictures(3);
  WriteNonPictures(1);
  ASSERT_TRUE(Form->StartSlideShow(AlbumFolder()));
  EXPECT_EQ(Form->SlideFiles.size(), 4u);
  transitions::TTransitionView* view = Form->SlideShowControl;
  ASSERT_TRUE(view);
  EXPECT_EQ(view->Parent(), Form.get());
  EXPECT_EQ(view->Owner(), Form.get());
  EXPECT_FALSE(view->Center());
  EXPECT_FALSE(view->Stretch());
  EXPECT_FALSE(view->AutoSize());
  EXPECT_EQ(view->Delay(), 80);
  EXPECT_EQ(view->BgMode(), transitions::TBackgroundMode::bmCentered);
  EXPECT_EQ(view->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(view->Height(), GetSystemMetrics(SM_CYSCREEN));
  ASSERT_TRUE(dynamic_cast<classlib::TJPEGImage*>(view->BgPicture().Graphic()));
  EXPECT_EQ(view->BgPicture().Width(), 64);
  EXPECT_TRUE(Form->DoubleBuffered());

  // The same seed picks the same pictures: a new start replaces the control.
  Form->NextSlide();
  const int style = view->Style();
  EXPECT_TRUE(view->Busy());
  classlib::TCloseAction action = classlib::TCloseAction::caHide;
  Form->FormClose(nullptr, action);
  EXPECT_FALSE(Form->SlideShowControl);
  ASSERT_TRUE(Form->StartSlideShow(AlbumFolder()));
  Form->NextSlide();
  EXPECT_EQ(Form->SlideShowControl->Style(), style);
  EXPECT_EQ(Form->ComponentCount(), 3);  // the two timers and one control
  Form->FormClose(nullptr, action);
}

TEST_F(SlideShow, PlayShowsAnotherPictureAndEndsAtADoubleClick) {
  WritePictures(5);
  const int threadsBefore = ThreadCount();
  RECT bounds{};
  int first = -1, second = -1, ticks = 0, steps = 0;
  COLORREF firstSeen = 0;
  std::vector<int> styles;
  TScript script(50, [&] {
    transitions::TTransitionView* view = Form->SlideShowControl;
    if (!view) return true;
    // Ends the show in any case after 20 s.
    const bool late = ++steps == 400;
    if (first < 0 && !late) {
      GetWindowRect(Form->Handle(), &bounds);
      view->SetDelay(0);  // the frames as fast as they paint
      firstSeen = ScreenCentre(view->Handle());
      first = SlideColorIndex(firstSeen);
      if (first < 0) return false;  // not painted yet
    }
    if (view->Busy() && !late) return false;
    const int shown = SlideColorIndex(ScreenCentre(view->Handle()));
    if ((shown >= 0 && shown != first) || ticks == 12 || late) {
      second = shown;
      PostMessageW(view->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
      return true;
    }
    ++ticks;
    Form->Timer1Timer(nullptr);
    styles.push_back(view->Style());
    return false;
  });
  Form->Play(AlbumFolder());

  EXPECT_TRUE(script.Done());
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(first, 0) << "the first picture was not shown: " << std::hex << firstSeen;
  EXPECT_GE(second, 0) << "no second picture after " << ticks << " ticks";
  EXPECT_NE(second, first);
  EXPECT_FALSE(styles.empty());
  for (int style : styles) {
    EXPECT_GE(style, 0);
    EXPECT_LE(style, 109);
  }
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Form->Timer1->Enabled());
  EXPECT_FALSE(Form->Timer2->Enabled());
  EXPECT_FALSE(Form->SlideShowControl);
  EXPECT_GE(CursorCount(), 0);
  EXPECT_LE(ThreadCount(), threadsBefore);
}

TEST_F(SlideShow, DoubleClickInTheMiddleOfATransitionEndsTheShow) {
  WritePictures(5);
  const int threadsBefore = ThreadCount();
  bool wasBusy = false;
  int steps = 0;
  TScript script(50, [&] {
    transitions::TTransitionView* view = Form->SlideShowControl;
    if (!view) return true;
    const bool late = ++steps == 200;  // ends the show in any case after 10 s
    if (!view->Busy() && !late) {
      Form->Timer1Timer(nullptr);  // 80 ms a frame: the transition takes eight seconds
      return false;
    }
    if (view->Progress() < 5 && !late) return false;
    wasBusy = view->Busy();
    PostMessageW(view->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    return true;
  });
  const DWORD start = GetTickCount();
  Form->Play(AlbumFolder());
  EXPECT_TRUE(wasBusy);
  EXPECT_LT(GetTickCount() - start, 6000u);
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Form->Timer1->Enabled());
  EXPECT_FALSE(Form->SlideShowControl);
  EXPECT_GE(CursorCount(), 0);
  EXPECT_LE(ThreadCount(), threadsBefore);
}

TEST_F(SlideShow, CursorHidesOnTheEightSecondTimerAndComesBackWithTheMouse) {
  WritePictures(3);
  ASSERT_TRUE(Form->StartSlideShow(AlbumFolder()));
  const HWND view = Form->SlideShowControl->Handle();
  // Moves raise the count more than once: the timer lowers it until the cursor hides.
  SendMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  EXPECT_TRUE(Form->Timer2->Enabled());
  Form->Timer2Timer(nullptr);
  EXPECT_LT(CursorCount(), 0);
  EXPECT_FALSE(Form->Timer2->Enabled());

  SendMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(7, 5));
  EXPECT_GE(CursorCount(), 0);
  EXPECT_TRUE(Form->Timer2->Enabled());
  Form->Timer2->SetEnabled(false);
  classlib::TCloseAction action = classlib::TCloseAction::caHide;
  Form->FormClose(nullptr, action);
}

TEST_F(SlideShow, UnwritableWorkFileIsReportedAndTheShowGoesOn) {
  WritePictures(3);
  ASSERT_TRUE(CreateDirectoryW(ToWide(Work.windowsFile("repp.jpg")).c_str(), nullptr));
  TDialogAnswerer answerer(IDOK);
  ASSERT_TRUE(Form->StartSlideShow(AlbumFolder()));
  ASSERT_TRUE(Form->SlideShowControl);
  EXPECT_FALSE(Form->SlideShowControl->BgPicture().Graphic());
  // A slide with nothing to load is skipped.
  EXPECT_NO_THROW(Form->NextSlide());
  EXPECT_FALSE(Form->SlideShowControl->Busy());

  const std::vector<TDialogSeen> seen = answerer.Seen();
  ASSERT_GE(seen.size(), 1u);
  for (const TDialogSeen& dialog : seen) {
    EXPECT_EQ(dialog.Caption, "Error to save file");
    EXPECT_EQ(dialog.Text, "Error");
    EXPECT_EQ(dialog.Owner, Form->Handle());
  }
  classlib::TCloseAction action = classlib::TCloseAction::caHide;
  Form->FormClose(nullptr, action);
}

TEST_F(SlideShow, PicturesThatDoNotDecodeAreReportedAndLeaveTheShowRunning) {
  for (const char* name : {"bad0.png", "bad1.jpg", "bad2.bmp"}) WriteBytes(AlbumFile(name), "garbage, not a picture");
  TDialogAnswerer answerer(IDOK);
  // The first pick fails, and so does the second made for the still empty work file.
  ASSERT_TRUE(Form->StartSlideShow(AlbumFolder()));
  ASSERT_TRUE(Form->SlideShowControl);
  EXPECT_FALSE(Form->SlideShowControl->BgPicture().Graphic());
  EXPECT_NO_THROW(Form->NextSlide());
  EXPECT_FALSE(Form->SlideShowControl->Busy());
  const std::vector<TDialogSeen> seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 3u);
  for (const TDialogSeen& dialog : seen) EXPECT_EQ(dialog.Caption, "Error to save file");
  classlib::TCloseAction action = classlib::TCloseAction::caHide;
  Form->FormClose(nullptr, action);
}

TEST_F(SlideShow, PicturesLoadJpegFilesByTheirExtension) {
  const String jpg = Work.windowsFile("blue.jpg"), jpeg = Work.windowsFile("blue.jpeg");
  WritePicture(jpg, 40, 30, MakeColor(0, 0, 200), FMT_JPG);
  ASSERT_TRUE(CopyFileW(ToWide(jpg).c_str(), ToWide(jpeg).c_str(), FALSE));
  classlib::TPicture picture;
  for (const String& name : {jpg, jpeg}) {
    picture.LoadFromFile(name);
    ASSERT_TRUE(dynamic_cast<classlib::TJPEGImage*>(picture.Graphic())) << name;
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 30);
  }
  classlib::TBitmap drawn;
  drawn.SetSize(40, 30);
  drawn.Canvas()->Draw(0, 0, picture.Graphic());
  const COLORREF centre = GetPixel(drawn.Canvas()->Handle(), 20, 15);
  EXPECT_LE(std::abs(GetBValue(centre) - 200), 8);
  EXPECT_LE(GetRValue(centre) + GetGValue(centre), 16);

  const String corrupt = Work.windowsFile("corrupt.jpg");
  WriteBytes(corrupt, "\xFF\xD8\xFF garbage");
  EXPECT_THROW(picture.LoadFromFile(corrupt), classlib::EInvalidGraphic);
  EXPECT_EQ(picture.Width(), 40);
}

}  // namespace

namespace {

using SlideShowFromMainWindow = picturetesting::PictureWindow;

TEST_F(SlideShowFromMainWindow, BothPlayItemsRunTheShowOverTheSlideShowFolder) {
  for (int i = 0; i < 3; ++i)
    WritePicture(Pictures.windowsFile("slide" + std::to_string(i) + ".png"), 32, 24, MakeColor(0, 0, 200), FMT_PNG);
  const std::unique_ptr<TForm6> show = apptesting::MakeForm<TForm6>();
  Form6 = show.get();
  Form->SlideShowFolder = Pictures.windowsPath() + "\\";
  for (const char* name : {"Play3", "Play2"}) {
    auto* item = dynamic_cast<classlib::TMenuItem*>(Form->FindComponent(name));
    ASSERT_TRUE(item && item->OnClick) << name;
    bool shown = false;
    int steps = 0;
    TScript script(50, [&] {
      if (!show->SlideShowControl) return true;
      if (!show->Visible() && ++steps < 200) return false;
      shown = show->Visible();
      PostMessageW(show->SlideShowControl->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
      return true;
    });
    item->OnClick(item);
    EXPECT_TRUE(shown) << name;
    EXPECT_EQ(show->SlideFiles.size(), 3u) << name;
    EXPECT_FALSE(show->Visible()) << name;
  }
  Form6 = nullptr;
}

}  // namespace
