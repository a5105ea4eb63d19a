#include "platform/classlib/Threads.h"

#include "platform/classlib/SysUtils.h"

#include <deque>
#include <iterator>
#include <mutex>

namespace classlib {

// Set while the program starts, on the thread that runs WinMain.
const DWORD MainThreadID = GetCurrentThreadId();

std::function<void()> WakeMainThread;

// ---------------------------------------------------------------------------------------------
// The queue of calls for the main thread

namespace {

struct TSyncRequest {
  const TThreadMethod* Method;
  std::exception_ptr Error;
  HANDLE Done;
};

std::mutex SyncMutex;
std::deque<TSyncRequest*> SyncQueue;

// Set while the queue holds calls, so a main thread waiting for a worker can wait for both.
HANDLE SyncEvent() {
  static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event;
}

class TEventHandle {
public:
  TEventHandle() : FHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!FHandle) throw EThread("Cannot create a synchronisation event (error " + IntToStr(GetLastError()) + ")");
  }
  ~TEventHandle() { CloseHandle(FHandle); }
  TEventHandle(const TEventHandle&) = delete;
  TEventHandle& operator=(const TEventHandle&) = delete;
  HANDLE Get() const { return FHandle; }

private:
  HANDLE FHandle;
};

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

}  // namespace

bool CheckSynchronize() {
  if (!OnMainThread()) throw EThread("CheckSynchronize called from a thread that is not the main thread");
  std::deque<TSyncRequest*> requests;
  {
    const std::lock_guard lock(SyncMutex);
    requests.swap(SyncQueue);
    ResetEvent(SyncEvent());
  }
  for (TSyncRequest* request : requests) {
    try {
      (*request->Method)();
    } catch (...) {
      request->Error = std::current_exception();
    }
    SetEvent(request->Done);  // the request lives on the worker's stack: not touched after this
  }
  return !requests.empty();
}

void TThread::Synchronize(const TThreadMethod& Method) {
  if (OnMainThread()) {
    Method();
    return;
  }
  const TEventHandle done;
  TSyncRequest request{&Method, nullptr, done.Get()};
  {
    const std::lock_guard lock(SyncMutex);
    SyncQueue.push_back(&request);
    SetEvent(SyncEvent());
  }
  if (WakeMainThread) WakeMainThread();
  WaitForSingleObject(done.Get(), INFINITE);
  if (request.Error) std::rethrow_exception(request.Error);
}

// ---------------------------------------------------------------------------------------------
// TThread

namespace {

struct TPriorityMapping {
  TThreadPriority Priority;
  int Win32Priority;
};

constexpr TPriorityMapping Priorities[] = {
    {TThreadPriority::tpIdle, THREAD_PRIORITY_IDLE},
    {TThreadPriority::tpLowest, THREAD_PRIORITY_LOWEST},
    {TThreadPriority::tpLower, THREAD_PRIORITY_BELOW_NORMAL},
    {TThreadPriority::tpNormal, THREAD_PRIORITY_NORMAL},
    {TThreadPriority::tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
    {TThreadPriority::tpHighest, THREAD_PRIORITY_HIGHEST},
    {TThreadPriority::tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL},
};

}  // namespace

TThread::TThread(bool CreateSuspended) {
  FHandle = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EThread("Thread creation error (error " + IntToStr(GetLastError()) + ")");
  FSuspended = CreateSuspended;
  if (!CreateSuspended) Resume();
}

TThread::~TThread() {
  TerminateAndWait();
  CloseHandle(FHandle);
}

void TThread::TerminateAndWait() {
  // A thread freeing itself is past its end when it gets here.
  if (FFinished || GetCurrentThreadId() == FThreadID) return;
  Terminate();
  if (!FStarted) FAbandoned = true;
  DWORD previousCount;
  do previousCount = ResumeThread(FHandle);
  while (previousCount != static_cast<DWORD>(-1) && previousCount > 1);
  FStarted = true;
  FSuspended = false;
  Join();
}

DWORD WINAPI TThread::ThreadProc(LPVOID Parameter) {
  auto* thread = static_cast<TThread*>(Parameter);
  return thread->FAbandoned ? 0 : thread->Run();
}

DWORD TThread::Run() {
  try {
    Execute();
  } catch (...) {
    FFatalException = std::current_exception();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!FFatalException) FFatalException = std::current_exception();
  }
  const bool freeSelf = FFreeOnTerminate;
  const DWORD result = FReturnValue;
  FFinished = true;  // from here on the owner may free this object
  if (freeSelf) delete this;
  return result;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Resume() {
  FStarted = true;
  const DWORD previousCount = ResumeThread(FHandle);
  if (previousCount == static_cast<DWORD>(-1))
    throw EThread("Thread resume error (error " + IntToStr(GetLastError()) + ")");
  if (previousCount <= 1) FSuspended = false;
}

void TThread::Suspend() {
  FSuspended = true;
  if (SuspendThread(FHandle) == static_cast<DWORD>(-1)) {
    FSuspended = false;
    throw EThread("Thread suspend error (error " + IntToStr(GetLastError()) + ")");
  }
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread("A thread cannot wait for itself");
  if (!FStarted) throw EThread("Cannot wait for a thread that has not been started");
  return Join();
}

DWORD TThread::Join() {
  if (OnMainThread()) {
    const HANDLE handles[] = {FHandle, SyncEvent()};
    for (;;) {
      const DWORD result = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) break;
      if (result == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else {
        MSG message;  // peeking delivers the messages other threads sent to this thread's windows
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
      }
    }
  } else {
    WaitForSingleObject(FHandle, INFINITE);
  }
  DWORD exitCode = 0;
  GetExitCodeThread(FHandle, &exitCode);
  return exitCode;
}

TThreadPriority TThread::Priority() const {
  const int value = GetThreadPriority(FHandle);
  for (const TPriorityMapping& mapping : Priorities)
    if (mapping.Win32Priority == value) return mapping.Priority;
  return TThreadPriority::tpNormal;
}

void TThread::SetPriority(TThreadPriority Value) {
  for (const TPriorityMapping& mapping : Priorities)
    if (mapping.Priority == Value) SetThreadPriority(FHandle, mapping.Win32Priority);
}

}  // namespace classlib
