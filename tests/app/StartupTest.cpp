// Starts the real program and checks its main window from outside, as a user would see it.
#include "tests/app/ProgramTesting.h"
#include "tests/app/ScreenShot.h"

using namespace programtesting;

namespace {

// Points on the pages that lead home.
constexpr POINT kPictureList{440, 270};
constexpr POINT kTvVideo{240, 200};

TEST(Startup, MainWindowShowsWithItsSizeAndClosesCleanly) {
  TRunningProgram program;
  ASSERT_TRUE(program.Started());
  HWND window = WaitForMainWindow(60000);
  ASSERT_NE(window, nullptr) << "the main window did not appear";

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, 701);
  EXPECT_EQ(client.bottom - client.top, 529);

  WCHAR caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_GT(lstrlenW(caption), 0);

  HWND config = FindWindowW(L"TForm7", nullptr);
  EXPECT_TRUE(!config || !IsWindowVisible(config)) << "the Config form is never shown";

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForEnd(20000)) << "the program did not end when its main window closed";
  EXPECT_EQ(program.ExitStatus(), 0);
}

TEST(Startup, HomeLabelsLeadToTheirPagesAndBack) {
  TRunningProgram program;
  ASSERT_TRUE(program.Started());
  HWND window = WaitForMainWindow(60000);
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  ASSERT_TRUE(WaitForPage(window, "Home"));

  ClickOnPage(window, kPicturesLabel);
  ASSERT_TRUE(WaitForPage(window, "Pictures")) << VisiblePageCaption(window);
  ContextMenuOnPage(window, kPictureList);
  ASSERT_TRUE(WaitForMenu());
  PressKeys(window, {VK_UP, VK_RETURN});  // "Home", the last item
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kPlayerLabel);
  ASSERT_TRUE(WaitForPage(window, "Player")) << VisiblePageCaption(window);
  ClickOnPage(window, kPlayerHomeButton);
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kTvLabel);
  ASSERT_TRUE(WaitForPage(window, "TV")) << VisiblePageCaption(window);
  // The build's prefix holds the simulated TV card: its picture shows on channel 5. (Kept above
  // the windows of tests running beside this one while the screen is read.)
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  POINT at = kTvVideo;
  HWND video = WindowAt(window, VisiblePage(window), at);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const auto reading = apptesting::TScreenShot(video).Strip();
        return reading && reading->Channel == 5;
      },
      5000))
      << "the TV page shows no picture of the card";
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ContextMenuOnPage(window, kTvVideo);
  ASSERT_TRUE(WaitForMenu());
  PressKeys(window, {VK_UP, VK_RETURN});  // "Home", the last item
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kCdRipperLabel);
  ASSERT_TRUE(WaitForMenu()) << "the CD ripper label opens its menu";
  PressKeys(window, {VK_DOWN, VK_RETURN});  // "CD ripper", the only item
  ASSERT_TRUE(WaitForPage(window, "CD ripper")) << VisiblePageCaption(window);
  HWND homeButton = DescendantWithText(VisiblePage(window), "Home");
  ASSERT_NE(homeButton, nullptr);
  PressButton(homeButton);
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForEnd(20000));
  EXPECT_EQ(program.ExitStatus(), 0);
}

}  // namespace
