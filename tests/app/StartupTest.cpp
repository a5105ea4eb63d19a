// Starts the real program and checks its main window from outside, as a user would see it.
#include "tests/support/testing.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>
#include <string>

extern char** environ;

namespace {

class TRunningProgram {
public:
  TRunningProgram() {
    const std::string dir = std::string(TAVREL_BINARY_DIR) + "/app";
    const std::string exe = dir + "/tavrel.exe";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    char* args[] = {const_cast<char*>(exe.c_str()), nullptr};
    if (posix_spawn(&FPid, exe.c_str(), &actions, nullptr, args, environ) != 0) FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~TRunningProgram() {
    if (FPid > 0 && !FEnded) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
  }
  bool Started() const { return FPid > 0; }
  // True when the program ended by itself within the time given.
  bool WaitForEnd(int Milliseconds) {
    for (int waited = 0; waited < Milliseconds; waited += 50) {
      int status = 0;
      if (waitpid(FPid, &status, WNOHANG) == FPid) return FEnded = true;
      usleep(50 * 1000);
    }
    return false;
  }

private:
  pid_t FPid = -1;
  bool FEnded = false;
};

HWND WaitForMainWindow(int Milliseconds) {
  for (int waited = 0; waited < Milliseconds; waited += 100) {
    HWND window = FindWindowW(L"TForm1", nullptr);
    if (window && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

std::string TextOf(HWND Window) {
  WCHAR text[256] = {};
  GetWindowTextW(Window, text, 256);
  char narrow[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

BOOL CALLBACK NoteVisiblePage(HWND Child, LPARAM Found) {
  WCHAR className[64] = {};
  GetClassNameW(Child, className, 64);
  if (lstrcmpW(className, L"TskSkinTabSheet") != 0 || !IsWindowVisible(Child)) return TRUE;
  *reinterpret_cast<HWND*>(Found) = Child;
  return FALSE;
}

// The page of the main window shown now: its one visible tab sheet.
HWND VisiblePage(HWND MainWindow) {
  HWND found = nullptr;
  EnumChildWindows(MainWindow, &NoteVisiblePage, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string VisiblePageCaption(HWND MainWindow) {
  HWND page = VisiblePage(MainWindow);
  return page ? TextOf(page) : "<none>";
}

bool WaitForPage(HWND MainWindow, const std::string& Caption) {
  for (int waited = 0; waited < 10000; waited += 50) {
    if (VisiblePageCaption(MainWindow) == Caption) return true;
    Sleep(50);
  }
  return false;
}

// The innermost visible window of the main window under a point given in the client
// coordinates of Page; Point comes back in that window's client coordinates.
HWND WindowAt(HWND MainWindow, HWND Page, POINT& Point) {
  POINT screen = Point;
  ClientToScreen(Page, &screen);
  HWND window = MainWindow;
  for (;;) {
    POINT local = screen;
    ScreenToClient(window, &local);
    HWND child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == window) {
      Point = local;
      return window;
    }
    window = child;
  }
}

// Moves the mouse onto a point of the page shown and clicks there with the left button.
void ClickOnPage(HWND MainWindow, POINT Point) {
  HWND window = WindowAt(MainWindow, VisiblePage(MainWindow), Point);
  const LPARAM at = MAKELPARAM(Point.x, Point.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

// Asks the window under a point of the page shown for its context menu.
void ContextMenuOnPage(HWND MainWindow, POINT Point) {
  HWND page = VisiblePage(MainWindow);
  POINT screen = Point;
  ClientToScreen(page, &screen);
  HWND window = WindowAt(MainWindow, page, Point);
  PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(screen.x, screen.y));
}

struct TTextSearch {
  const std::string& Text;
  HWND Found;
};

BOOL CALLBACK NoteWindowWithText(HWND Child, LPARAM Search) {
  auto* search = reinterpret_cast<TTextSearch*>(Search);
  if (TextOf(Child) != search->Text) return TRUE;
  search->Found = Child;
  return FALSE;
}

HWND DescendantWithText(HWND Parent, const std::string& Text) {
  TTextSearch search{Text, nullptr};
  EnumChildWindows(Parent, &NoteWindowWithText, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

bool WaitForMenu() {
  for (int waited = 0; waited < 10000; waited += 50) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) return true;
    Sleep(50);
  }
  return false;
}

// Picks an item of the open menu with the keyboard, as a user may.
void PickFromMenu(HWND MainWindow, std::initializer_list<WPARAM> Keys) {
  for (WPARAM key : Keys) {
    PostMessageW(MainWindow, WM_KEYDOWN, key, 0);
    PostMessageW(MainWindow, WM_KEYUP, key, 0xC0000000);
  }
}

// Where the home page's labels are, in the page's client coordinates (as the form lays them out).
constexpr POINT kPicturesLabel{180, 175};
constexpr POINT kPlayerLabel{160, 255};
constexpr POINT kTvLabel{140, 335};
constexpr POINT kCdRipperLabel{150, 415};
// Points on the other pages that lead home.
constexpr POINT kPictureList{440, 270};
constexpr POINT kPlayerHomeButton{500, 480};
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
  EXPECT_TRUE(program.WaitForEnd(20000)) << "the program did not end when its main window closed";
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
  PickFromMenu(window, {VK_UP, VK_RETURN});  // "Home", the last item
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kPlayerLabel);
  ASSERT_TRUE(WaitForPage(window, "Player")) << VisiblePageCaption(window);
  ClickOnPage(window, kPlayerHomeButton);
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kTvLabel);
  ASSERT_TRUE(WaitForPage(window, "TV")) << VisiblePageCaption(window);
  ContextMenuOnPage(window, kTvVideo);
  ASSERT_TRUE(WaitForMenu());
  PickFromMenu(window, {VK_UP, VK_RETURN});  // "Home", the last item
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  ClickOnPage(window, kCdRipperLabel);
  ASSERT_TRUE(WaitForMenu()) << "the CD ripper label opens its menu";
  PickFromMenu(window, {VK_DOWN, VK_RETURN});  // "CD ripper", the only item
  ASSERT_TRUE(WaitForPage(window, "CD ripper")) << VisiblePageCaption(window);
  HWND homeButton = DescendantWithText(VisiblePage(window), "Home");
  ASSERT_NE(homeButton, nullptr);
  PostMessageW(homeButton, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForPage(window, "Home")) << VisiblePageCaption(window);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForEnd(20000));
}

}  // namespace
