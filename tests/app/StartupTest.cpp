// Starts the real program and checks its main window from outside, as a user would see it.
#include "tests/support/testing.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForEnd(20000)) << "the program did not end when its main window closed";
}

}  // namespace
