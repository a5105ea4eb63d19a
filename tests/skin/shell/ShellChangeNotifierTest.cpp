#include "tests/classlib/WindowTesting.h"

#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinShellRegistration.h"

#include <tlhelp32.h>

namespace {

using namespace skin;

// Threads of this process now.
int ThreadCount() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!Done() && GetTickCount() - start < Milliseconds) windowtesting::PumpFor(10);
  return Done();
}

TEST(ShellChangeNotifier, FiltersToTheSystemsFlags) {
  EXPECT_EQ(NotifyFlags({TNotifyFilter::nfFileNameChange, TNotifyFilter::nfDirNameChange}), 0x3u);
  EXPECT_EQ(NotifyFlags({TNotifyFilter::nfSecurityChange}), 0x100u);
  EXPECT_EQ(NotifyFlags({TNotifyFilter::nfAttributeChange, TNotifyFilter::nfSizeChange, TNotifyFilter::nfWriteChange}),
            0x1Cu);
}

class ShellChangeNotifierTest : public ::testing::Test {
protected:
  void SetUp() override { windowtesting::InitApplication(); }

  testing_support::TempDir First, Second;
  int Changes = 0;
};

TEST_F(ShellChangeNotifierTest, WatchesOnlyOnceAHandlerIsSet) {
  TskShellChangeNotifier notifier(nullptr);
  EXPECT_EQ(notifier.Root(), "C:\\");
  EXPECT_TRUE(notifier.WatchSubTree());
  notifier.SetRoot(First.windowsPath());
  EXPECT_FALSE(notifier.Watching());

  notifier.SetOnChange([this] { ++Changes; });
  EXPECT_TRUE(notifier.Watching());
  windowtesting::PumpFor(100);
  testing_support::WriteUnixFile(First.unixFile("new.txt"), "x");
  EXPECT_TRUE(PumpUntil([this] { return Changes > 0; })) << "a new file is reported on this thread";
}

TEST_F(ShellChangeNotifierTest, FollowsANewRoot) {
  TskShellChangeNotifier notifier(nullptr);
  notifier.SetRoot(First.windowsPath());
  notifier.SetOnChange([this] { ++Changes; });
  windowtesting::PumpFor(100);
  notifier.SetRoot(Second.windowsPath());
  // The worker takes the new options when it wakes; a change in the old folder may still wake it.
  testing_support::WriteUnixFile(First.unixFile("old.txt"), "x");
  windowtesting::PumpFor(300);
  Changes = 0;
  testing_support::WriteUnixFile(First.unixFile("old2.txt"), "x");
  windowtesting::PumpFor(300);
  EXPECT_EQ(Changes, 0) << "the old folder is no longer watched";
  testing_support::WriteUnixFile(Second.unixFile("new.txt"), "x");
  EXPECT_TRUE(PumpUntil([this] { return Changes > 0; }));
}

TEST_F(ShellChangeNotifierTest, AFolderThatCannotBeWatchedEndsTheWorker) {
  const int before = ThreadCount();
  TskShellChangeNotifier notifier(nullptr);
  notifier.SetRoot(First.windowsFile("missing"));
  notifier.SetOnChange([this] { ++Changes; });
  EXPECT_TRUE(PumpUntil([&] { return !notifier.Watching(); }));
  EXPECT_TRUE(PumpUntil([&] { return ThreadCount() == before; }));
  EXPECT_EQ(Changes, 0);

  notifier.SetRoot(First.windowsPath());
  notifier.SetOnChange([this] { ++Changes; });
  EXPECT_TRUE(notifier.Watching()) << "a new handler starts a new worker";
}

TEST_F(ShellChangeNotifierTest, DestroyingEndsTheWorkerAndDropsPendingChanges) {
  const int before = ThreadCount();
  {
    TskShellChangeNotifier notifier(nullptr);
    notifier.SetRoot(First.windowsPath());
    notifier.SetOnChange([this] { ++Changes; });
    windowtesting::PumpFor(100);
    EXPECT_GT(ThreadCount(), before);
    testing_support::WriteUnixFile(First.unixFile("late.txt"), "x");
    Sleep(200);  // the worker reports the change while this thread does not serve it
  }
  windowtesting::PumpFor(200);
  EXPECT_EQ(Changes, 0) << "no change reaches the handler of a notifier that has gone";
  EXPECT_TRUE(PumpUntil([&] { return ThreadCount() == before; }));
}

TEST_F(ShellChangeNotifierTest, ReadFromAForm) {
  RegisterSkinShellClasses();
  const std::string text = "object TestForm: TForm\n  object Notifier: TskShellChangeNotifier\n    NotifyFilters = "
                           "[nfFileNameChange, nfWriteChange]\n    Root = '" +
                           First.windowsPath() + "'\n    WatchSubTree = False\n    OnChange = NotifierChange\n  end\nend\n";
  auto form = windowtesting::ReadForm(text, [this](classlib::TForm& Form) {
    Form.RegisterHandler("NotifierChange", classlib::TThreadMethod([this] { ++Changes; }));
  });
  auto* notifier = dynamic_cast<TskShellChangeNotifier*>(form->FindComponent("Notifier"));
  ASSERT_NE(notifier, nullptr);
  EXPECT_EQ(notifier->NotifyFilters(), (TNotifyFilters{TNotifyFilter::nfFileNameChange, TNotifyFilter::nfWriteChange}));
  EXPECT_FALSE(notifier->WatchSubTree());
  EXPECT_TRUE(notifier->Watching());
  windowtesting::PumpFor(100);
  testing_support::WriteUnixFile(First.unixFile("new.txt"), "x");
  EXPECT_TRUE(PumpUntil([this] { return Changes > 0; }));
}

}  // namespace
