// The real program closed after its pages were used, and while it works: it must end with status 0
// (no crash in its own threads or the platform's) and leave no unfinished file behind.
#include "tests/app/ProgramTesting.h"

#include "tests/support/DiscImage.h"

#include <shlobj.h>

using namespace programtesting;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

// The platform's video window: the one window inside Host that the program did not make.
HWND VideoWindowIn(HWND Host) {
  return FindDescendant(Host, [](HWND Child) { return ClassOf(Child).rfind('T', 0) != 0; });
}

bool ClientFills(HWND Child, HWND Host) {
  RECT child, host;
  GetWindowRect(Child, &child);
  GetClientRect(Host, &host);
  return child.right - child.left == host.right && child.bottom - child.top == host.bottom;
}

// A play list of a tone and a short video (made by ffmpeg) in the working folder, where the program
// reads its mode files; the program is started there.
class ShutdownWithPlayer : public ::testing::Test {
protected:
  void SetUp() override {
    if (!HasTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg to make the files";
    ASSERT_EQ(RunTool("ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=20 '" + Work.unixFile("tone.wav") +
                      "'"),
              0);
    ASSERT_EQ(RunTool("ffmpeg -v error -y -f lavfi -i testsrc=duration=20:size=160x120:rate=10 -c:v mjpeg '" +
                      Work.unixFile("clip.avi") + "'"),
              0);
    WriteUnixFile(Work.unixFile("audio.lst"),
                  Work.windowsFile("tone.wav") + "\r\n" + Work.windowsFile("clip.avi") + "\r\n");
  }

  // Starts the program and enters the player page, whose play list then shows the two files.
  void EnterPlayer() {
    Program = std::make_unique<TRunningProgram>(Work.unixPath());
    ASSERT_TRUE(Program->Started());
    Main = WaitForMainWindow(60000);
    ASSERT_NE(Main, nullptr) << "the main window did not appear";
    ClickOnPage(Main, kPlayerLabel);
    ASSERT_TRUE(WaitForPage(Main, "Player")) << VisiblePageCaption(Main);
    HWND playList = WaitForWindow(L"TForm2", 10000);
    ASSERT_NE(playList, nullptr);
    List = DescendantOfClass(playList, "TskSkinListView");
    ASSERT_NE(List, nullptr);
    ASSERT_EQ(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0), 2);
  }

  // Selects the first (Home) or the last (End) entry and presses Play.
  void Play(WPARAM Key) {
    PressKeys(List, {Key});
    ClickOnPage(Main, kPlayButton);
  }

  HWND PlayerVideoWindow() { return VideoWindowIn(DescendantOfClass(VisiblePage(Main), "TPanel")); }

  void CloseAndExpectStatusZero() {
    PostMessageW(Main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Program->WaitForEnd(30000)) << "the program did not end when its main window closed";
    EXPECT_EQ(Program->ExitStatus(), 0);
  }

  TempDir Work;
  std::unique_ptr<TRunningProgram> Program;
  HWND Main = nullptr;
  HWND List = nullptr;
};

// Stop leaves the graph paused on its first frame, and Home keeps it: closing must release it.
TEST_F(ShutdownWithPlayer, AfterStopAndHome) {
  EnterPlayer();
  Play(VK_HOME);
  Sleep(1500);
  ClickOnPage(Main, kStopButton);
  Sleep(300);
  ClickOnPage(Main, kPlayerHomeButton);
  ASSERT_TRUE(WaitForPage(Main, "Home")) << VisiblePageCaption(Main);
  CloseAndExpectStatusZero();
}

// A video shown full screen, given back to the page, and closed while it plays there; then the
// same closed while it is full screen.
TEST_F(ShutdownWithPlayer, WhileAVideoPlays) {
  for (const bool closeInFullScreen : {false, true}) {
    EnterPlayer();
    Play(VK_END);
    HWND video = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (video = PlayerVideoWindow()) && IsWindowVisible(video); }, 10000))
        << "no video in the player page";

    ClickOnPage(Main, kFullButton);
    HWND full = WaitForWindow(L"TForm5", 10000);
    ASSERT_NE(full, nullptr) << "no full screen";
    ASSERT_TRUE(WaitUntil([&] { return GetParent(video) == full; }, 5000));
    EXPECT_TRUE(IsWindowVisible(video));
    EXPECT_TRUE(ClientFills(video, full));
    if (closeInFullScreen) {
      CloseAndExpectStatusZero();
      continue;
    }
    // The double click lands on the video, which fills the form.
    PostMessageW(video, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(full); }, 10000)) << "stuck in full screen";
    ASSERT_TRUE(WaitUntil([&] { return GetParent(video) != full; }, 5000));
    EXPECT_TRUE(IsWindowVisible(video));
    Sleep(500);
    CloseAndExpectStatusZero();
  }
}

// The user's Desktop in the program's prefix: where the folder chooser stands when it opens, so
// OK at once chooses it.
std::string DesktopFile(const std::string& Name) {
  WCHAR folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, folder);
  char narrow[MAX_PATH * 3] = {};
  WideCharToMultiByte(CP_UTF8, 0, folder, -1, narrow, sizeof narrow, nullptr, nullptr);
  return std::string(narrow) + "\\" + Name;
}

bool Exists(const std::string& WindowsPath) { return GetFileAttributesA(WindowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Closing the main window while the ripping thread works ends the job as "Stop" does (the track in
// work leaves no file, the finished one stays), without a message, and the program ends cleanly.
TEST(ShutdownWithRipper, WhileARipRuns) {
  TempDir disc;
  const auto image = testing_support::WriteToneDisc(disc.unixPath(), {300, 30000});
  const std::vector<std::string> files{"0.wav", "0.mp3", "1.wav", "1.mp3"};
  for (const std::string& file : files) DeleteFileA(DesktopFile(file).c_str());

  TRunningProgram program("", {{"TAVREL_CD_IMAGE", image.CuePath}, {"TAVREL_CD_DRIVE", "R"}});
  ASSERT_TRUE(program.Started());
  HWND main = WaitForMainWindow(60000);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  ASSERT_TRUE(WaitForPage(main, "Home"));
  ClickOnPage(main, kCdRipperLabel);
  ASSERT_TRUE(WaitForMenu());
  PressKeys(main, {VK_DOWN, VK_RETURN});
  ASSERT_TRUE(WaitForPage(main, "CD ripper")) << VisiblePageCaption(main);
  HWND tracks = DescendantOfClass(VisiblePage(main), "TskSkinListView");
  ASSERT_NE(tracks, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(tracks, LVM_GETITEMCOUNT, 0, 0) == 2; }, 10000));
  PressKeys(tracks, {VK_HOME, VK_SPACE, VK_DOWN, VK_SPACE});
  auto checked = [&](int Item) {
    return (SendMessageW(tracks, LVM_GETITEMSTATE, Item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
           INDEXTOSTATEIMAGEMASK(2);
  };
  ASSERT_TRUE(WaitUntil([&] { return checked(0) && checked(1); }, 5000));

  HWND start = DescendantWithText(VisiblePage(main), "Start");
  ASSERT_NE(start, nullptr);
  PressButton(start);
  HWND chooser = WaitForDialog(main, 10000);
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(GetWindow(chooser, GW_OWNER), main) << "the chooser belongs to the main window";
  PostMessageW(chooser, WM_COMMAND, IDOK, 0);

  // The first track done, the second under way: close.
  ASSERT_TRUE(WaitUntil([&] { return Exists(DesktopFile("0.mp3")) && Exists(DesktopFile("1.wav")); }, 30000));
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForEnd(30000)) << "the program did not end when its main window closed";
  EXPECT_EQ(program.ExitStatus(), 0);
  EXPECT_TRUE(Exists(DesktopFile("0.mp3"))) << "the finished track stays";
  EXPECT_FALSE(Exists(DesktopFile("0.wav")));
  EXPECT_FALSE(Exists(DesktopFile("1.wav"))) << "the unfinished track leaves nothing";
  EXPECT_FALSE(Exists(DesktopFile("1.mp3")));
  for (const std::string& file : files) DeleteFileA(DesktopFile(file).c_str());
}

}  // namespace
