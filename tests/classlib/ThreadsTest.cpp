#include "tests/support/testing.h"

#include "platform/classlib/Threads.h"

#include <atomic>
#include <memory>

using namespace classlib;

namespace {

// A thread whose body is given by the test; it is always built suspended and started afterwards.
class TTestThread : public TThread {
public:
  using TBody = std::function<void(TTestThread&)>;
  explicit TTestThread(TBody body) : TThread(true), FBody(std::move(body)) {}
  ~TTestThread() override { TerminateAndWait(); }

  void Return(DWORD value) { SetReturnValue(value); }

protected:
  void Execute() override { FBody(*this); }

private:
  TBody FBody;
};

// Runs what the worker queues for the main thread until done() holds (as the application's loop
// does), with a time limit so that a fault fails the test instead of hanging it.
template <class Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 10000) return false;
    if (!CheckSynchronize()) Sleep(1);
  }
  return true;
}

TEST(Thread, ACreatedSuspendedThreadRunsOnlyOnceStarted) {
  std::atomic<bool> ran{false};
  std::atomic<DWORD> threadId{0};
  TTestThread thread([&](TTestThread& self) {
    ran = true;
    threadId = GetCurrentThreadId();
    self.Return(7);
  });
  EXPECT_TRUE(thread.Suspended());
  Sleep(100);
  EXPECT_FALSE(ran);
  EXPECT_THROW(thread.WaitFor(), EThread);  // instead of waiting forever
  thread.Start();
  EXPECT_FALSE(thread.Suspended());
  EXPECT_EQ(thread.WaitFor(), 7u);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(thread.ReturnValue(), 7u);
  EXPECT_EQ(threadId, thread.ThreadID());
  EXPECT_NE(thread.ThreadID(), GetCurrentThreadId());
  EXPECT_NE(thread.Handle(), nullptr);
}

TEST(Thread, TerminateAsksTheLoopToEndAndWaitForJoinsIt) {
  std::atomic<int> rounds{0};
  TTestThread thread([&](TTestThread& self) {
    while (!self.Terminated()) {
      ++rounds;
      Sleep(1);
    }
  });
  thread.Start();
  while (rounds < 3) Sleep(1);
  thread.Terminate();
  thread.WaitFor();
  const int seen = rounds;
  Sleep(20);
  EXPECT_EQ(rounds, seen);
}

TEST(Thread, SynchronizeRunsTheCallOnTheMainThreadAndWaits) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> returned{false};
  int wakes = 0;
  WakeMainThread = [&] { ++wakes; };  // called on the worker, read after the join
  TTestThread thread([&](TTestThread&) {
    TThread::Synchronize([&] {
      Sleep(50);  // the worker must still be waiting here
      EXPECT_FALSE(returned);
      ranOn = GetCurrentThreadId();
    });
    returned = true;
  });
  thread.Start();
  // The main thread serves the call the way the application's loop does.
  EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
  thread.WaitFor();
  WakeMainThread = nullptr;
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_EQ(wakes, 1);

  bool direct = false;  // on the main thread itself the call runs at once
  TThread::Synchronize([&] { direct = true; });
  EXPECT_TRUE(direct);
  EXPECT_FALSE(CheckSynchronize());
}

LRESULT CALLBACK AnswerWithThreadId(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 7) return static_cast<LRESULT>(GetCurrentThreadId());
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Thread, WaitForOnTheMainThreadServesSynchronizeAndSentMessages) {
  // A window of the main thread that a worker sends to (as a synchronous repaint request does).
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = AnswerWithThreadId;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  const WCHAR className[] = {'T', 'h', 'r', 'e', 'a', 'd', 'T', 'e', 's', 't', 0};
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, className, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  std::atomic<DWORD> synchronizedOn{0};
  std::atomic<DWORD> answeredOn{0};
  TTestThread thread([&](TTestThread&) {
    TThread::Synchronize([&] { synchronizedOn = GetCurrentThreadId(); });
    answeredOn = static_cast<DWORD>(SendMessageW(window, WM_USER + 7, 0, 0));
  });
  thread.Start();
  thread.WaitFor();  // would never return if it served neither
  EXPECT_EQ(synchronizedOn, GetCurrentThreadId());
  EXPECT_EQ(answeredOn, GetCurrentThreadId());
  DestroyWindow(window);
  UnregisterClassW(className, windowClass.hInstance);
}

TEST(Thread, AnExceptionOfTheSynchronizedCallIsRaisedAgainInTheWorker) {
  String caught;
  TTestThread thread([&](TTestThread&) {
    try {
      TThread::Synchronize([] { throw Exception("boom"); });
    } catch (const Exception& e) {
      caught = e.Message();
    }
  });
  thread.Start();
  thread.WaitFor();
  EXPECT_EQ(caught, "boom");
}

TEST(Thread, AnExceptionLeavingExecuteEndsTheThreadAndIsKept) {
  TTestThread thread([](TTestThread&) { throw Exception("worker failed"); });
  thread.Start();
  thread.WaitFor();
  ASSERT_TRUE(thread.FatalException());
  try {
    std::rethrow_exception(thread.FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "worker failed");
  }
}

TEST(Thread, OnTerminateRunsOnTheMainThreadAndFreeOnTerminateFreesTheThread) {
  struct TFlags {
    std::atomic<bool> executed{false}, destroyed{false};
    std::atomic<DWORD> terminatedOn{0};
    TObject* sender = nullptr;
  };
  auto flags = std::make_shared<TFlags>();
  class TSelfFreeing : public TTestThread {
  public:
    TSelfFreeing(std::shared_ptr<TFlags> f)
        : TTestThread([f](TTestThread&) { f->executed = true; }), FFlags(std::move(f)) {}
    ~TSelfFreeing() override { FFlags->destroyed = true; }

  private:
    std::shared_ptr<TFlags> FFlags;
  };
  auto* thread = new TSelfFreeing(flags);
  thread->SetFreeOnTerminate(true);
  thread->OnTerminate = [flags](TObject* sender) {
    EXPECT_TRUE(flags->executed);
    flags->terminatedOn = GetCurrentThreadId();
    flags->sender = sender;
  };
  TObject* const expectedSender = thread;
  thread->Start();
  EXPECT_TRUE(PumpUntil([&] { return flags->destroyed.load(); }));
  EXPECT_EQ(flags->terminatedOn, GetCurrentThreadId());
  EXPECT_EQ(flags->sender, expectedSender);
}

TEST(Thread, DestroyingAThreadEndsItAndANeverStartedOneNeverRuns) {
  std::atomic<bool> ran{false};
  {
    TTestThread thread([&](TTestThread&) { ran = true; });
  }
  EXPECT_FALSE(ran);

  std::atomic<bool> looping{false}, left{false};
  {
    TTestThread thread([&](TTestThread& self) {
      looping = true;
      while (!self.Terminated()) Sleep(1);
      left = true;
    });
    thread.Start();
    while (!looping) Sleep(1);
  }
  EXPECT_TRUE(left);

  std::atomic<int> rounds{0};
  {
    TTestThread thread([&](TTestThread& self) {
      while (!self.Terminated()) {
        ++rounds;
        Sleep(1);
      }
    });
    thread.Start();
    while (rounds == 0) Sleep(1);
    thread.Suspend();
    EXPECT_TRUE(thread.Suspended());
    const int seen = rounds;
    Sleep(30);
    EXPECT_LE(rounds - seen, 1);  // a round under way when suspended may finish its count
  }
}

TEST(Thread, PrioritiesMapToTheWin32Levels) {
  const struct {
    TThreadPriority priority;
    int win32;
  } cases[] = {
      {TThreadPriority::tpIdle, THREAD_PRIORITY_IDLE},
      {TThreadPriority::tpLowest, THREAD_PRIORITY_LOWEST},
      {TThreadPriority::tpLower, THREAD_PRIORITY_BELOW_NORMAL},
      {TThreadPriority::tpNormal, THREAD_PRIORITY_NORMAL},
      {TThreadPriority::tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
      {TThreadPriority::tpHighest, THREAD_PRIORITY_HIGHEST},
      {TThreadPriority::tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL},
  };
  TTestThread thread([](TTestThread&) {});
  EXPECT_EQ(thread.Priority(), TThreadPriority::tpNormal);
  for (const auto& c : cases) {
    thread.SetPriority(c.priority);
    EXPECT_EQ(GetThreadPriority(thread.Handle()), c.win32);
    EXPECT_EQ(thread.Priority(), c.priority);
  }
}

TEST(Thread, OnlyTheMainThreadMayRunCheckSynchronize) {
  std::atomic<bool> refused{false};
  TTestThread thread([&](TTestThread&) {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      refused = true;
    }
  });
  thread.Start();
  thread.WaitFor();
  EXPECT_TRUE(refused);
}

TEST(CriticalSection, KeepsConcurrentUpdatesWhole) {
  TCriticalSection lock;
  long long total = 0;  // deliberately not atomic: the lock must protect it
  const auto body = [&](TTestThread&) {
    for (int i = 0; i < 20000; ++i) {
      lock.Enter();
      const long long value = total;
      if (i % 1000 == 0) Sleep(0);  // widen the window a lost update would need
      total = value + 1;
      lock.Leave();
    }
  };
  TTestThread a(body), b(body);
  a.Start();
  b.Start();
  a.WaitFor();
  b.WaitFor();
  lock.Acquire();  // re-entrant for its holder
  lock.Acquire();
  lock.Release();
  lock.Release();
  EXPECT_EQ(total, 40000);
}

}  // namespace
