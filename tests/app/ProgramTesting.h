// The real program, started and driven from outside as a user would: its windows are found by
// class and text, clicks and keys are posted to them, and its exit status is read at the end.
#pragma once

#include "tests/support/testing.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace programtesting {

// tavrel.exe started in a working folder of the test's choice (by default the program's own), with
// more environment variables if given; killed if it is still running when the object goes.
class TRunningProgram {
public:
  explicit TRunningProgram(const std::string& WorkingFolder = "",
                           const std::vector<std::pair<std::string, std::string>>& Environment = {}) {
    const std::string dir = std::string(TAVREL_BINARY_DIR) + "/app";
    const std::string exe = dir + "/tavrel.exe";
    const std::string folder = WorkingFolder.empty() ? dir : WorkingFolder;
    std::vector<std::string> settings;
    for (char** entry = environ; *entry; ++entry) settings.emplace_back(*entry);
    for (const auto& [name, value] : Environment) settings.push_back(name + "=" + value);
    std::vector<char*> env;
    for (std::string& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    char* args[] = {const_cast<char*>(exe.c_str()), nullptr};
    if (posix_spawn(&FPid, exe.c_str(), &actions, nullptr, args, env.data()) != 0) FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~TRunningProgram() {
    if (FPid > 0 && !FEnded) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
  }
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  bool Started() const { return FPid > 0; }
  // True when the program ended by itself within the time given.
  bool WaitForEnd(int Milliseconds) {
    for (int waited = 0; waited < Milliseconds; waited += 50) {
      if (waitpid(FPid, &FStatus, WNOHANG) == FPid) return FEnded = true;
      usleep(50 * 1000);
    }
    return false;
  }
  // How it ended: its exit code, or 128 + the signal that ended it (as a shell reports it).
  int ExitStatus() const { return WIFEXITED(FStatus) ? WEXITSTATUS(FStatus) : 128 + WTERMSIG(FStatus); }

private:
  pid_t FPid = -1;
  bool FEnded = false;
  int FStatus = 0;
};

// Waits until Condition holds; false when the time is up first.
template <class F>
bool WaitUntil(F&& Condition, int Milliseconds) {
  for (int waited = 0; waited < Milliseconds; waited += 50) {
    if (Condition()) return true;
    Sleep(50);
  }
  return Condition();
}

inline HWND WaitForWindow(const WCHAR* ClassName, int Milliseconds) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowW(ClassName, nullptr)) && IsWindowVisible(window); }, Milliseconds);
  return window && IsWindowVisible(window) ? window : nullptr;
}

inline HWND WaitForMainWindow(int Milliseconds) { return WaitForWindow(L"TForm1", Milliseconds); }

inline std::string TextOf(HWND Window) {
  WCHAR text[256] = {};
  GetWindowTextW(Window, text, 256);
  char narrow[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

inline std::string ClassOf(HWND Window) {
  WCHAR name[64] = {};
  GetClassNameW(Window, name, 64);
  char narrow[128] = {};
  WideCharToMultiByte(CP_UTF8, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

template <class F>
struct TDescendantSearch {
  F& Test;
  HWND Found;
  static BOOL CALLBACK Visit(HWND Child, LPARAM Data) {
    auto* search = reinterpret_cast<TDescendantSearch*>(Data);
    if (!search->Test(Child)) return TRUE;
    search->Found = Child;
    return FALSE;
  }
};

// The first descendant of Parent (in the order the system lists them) for which Test holds.
template <class F>
HWND FindDescendant(HWND Parent, F&& Test) {
  TDescendantSearch<F> search{Test, nullptr};
  EnumChildWindows(Parent, &TDescendantSearch<F>::Visit, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

inline HWND DescendantWithText(HWND Parent, const std::string& Text) {
  return FindDescendant(Parent, [&](HWND Child) { return TextOf(Child) == Text; });
}

inline HWND DescendantOfClass(HWND Parent, const std::string& ClassName) {
  return FindDescendant(Parent, [&](HWND Child) { return ClassOf(Child) == ClassName; });
}

// Presses and releases the left mouse button on a window: how a skinned button is clicked.
inline void PressButton(HWND Button) {
  const LPARAM at = MAKELPARAM(4, 4);
  PostMessageW(Button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(Button, WM_LBUTTONUP, 0, at);
}

// The page of the main window shown now: its one visible tab sheet.
inline HWND VisiblePage(HWND MainWindow) {
  return FindDescendant(MainWindow,
                        [](HWND Child) { return ClassOf(Child) == "TskSkinTabSheet" && IsWindowVisible(Child); });
}

inline std::string VisiblePageCaption(HWND MainWindow) {
  HWND page = VisiblePage(MainWindow);
  return page ? TextOf(page) : "<none>";
}

inline bool WaitForPage(HWND MainWindow, const std::string& Caption) {
  return WaitUntil([&] { return VisiblePageCaption(MainWindow) == Caption; }, 10000);
}

// The innermost visible window of the main window under a point given in the client
// coordinates of Page; Point comes back in that window's client coordinates.
inline HWND WindowAt(HWND MainWindow, HWND Page, POINT& Point) {
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
inline void ClickOnPage(HWND MainWindow, POINT Point) {
  HWND window = WindowAt(MainWindow, VisiblePage(MainWindow), Point);
  const LPARAM at = MAKELPARAM(Point.x, Point.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

// Asks the window under a point of the page shown for its context menu.
inline void ContextMenuOnPage(HWND MainWindow, POINT Point) {
  HWND page = VisiblePage(MainWindow);
  POINT screen = Point;
  ClientToScreen(page, &screen);
  HWND window = WindowAt(MainWindow, page, Point);
  PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(screen.x, screen.y));
}

// The program's menus are skinned: top-level windows of the menu engine's class.
inline bool WaitForMenu() {
  return WaitUntil(
      [] {
        // Closed menu windows linger hidden for a moment.
        for (HWND menu = FindWindowExW(nullptr, nullptr, L"TskSkinPopupWindow", nullptr); menu;
             menu = FindWindowExW(nullptr, menu, L"TskSkinPopupWindow", nullptr))
          if (IsWindowVisible(menu)) return true;
        return false;
      },
      10000);
}

struct TDialogSearch {
  DWORD Process;
  HWND Found;
  static BOOL CALLBACK Visit(HWND Window, LPARAM Data) {
    auto* search = reinterpret_cast<TDialogSearch*>(Data);
    DWORD process = 0;
    GetWindowThreadProcessId(Window, &process);
    if (process != search->Process || ClassOf(Window) != "#32770" || !IsWindowVisible(Window)) return TRUE;
    search->Found = Window;
    return FALSE;
  }
};

// A dialog (message box, chooser) that the program of MainWindow shows, once it is up; or null.
inline HWND WaitForDialog(HWND MainWindow, int Milliseconds) {
  TDialogSearch search{0, nullptr};
  GetWindowThreadProcessId(MainWindow, &search.Process);
  WaitUntil([&] { return EnumWindows(&TDialogSearch::Visit, reinterpret_cast<LPARAM>(&search)), search.Found; },
            Milliseconds);
  return search.Found;
}

// Presses keys on a window, as the keyboard would.
inline void PressKeys(HWND Window, std::initializer_list<WPARAM> Keys) {
  for (WPARAM key : Keys) {
    PostMessageW(Window, WM_KEYDOWN, key, 0);
    PostMessageW(Window, WM_KEYUP, key, 0xC0000000);
  }
}

// Where the home page's labels are, in the page's client coordinates (as the form lays them out).
constexpr POINT kPicturesLabel{180, 175};
constexpr POINT kPlayerLabel{160, 255};
constexpr POINT kTvLabel{140, 335};
constexpr POINT kCdRipperLabel{150, 415};
// The player's buttons.
constexpr POINT kPlayButton{54, 480};
constexpr POINT kStopButton{182, 480};
constexpr POINT kFullButton{438, 480};
constexpr POINT kPlayerHomeButton{500, 480};

}  // namespace programtesting
