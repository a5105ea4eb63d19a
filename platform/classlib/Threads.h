// Worker threads (made by CreateThread, so they may call Win32), the hand-over of calls to the
// main thread (Synchronize, served by CheckSynchronize), and a critical-section lock.
#pragma once

#include "platform/classlib/Component.h"

#include <atomic>
#include <exception>
#include <functional>

namespace classlib {

class EThread : public Exception {
public:
  using Exception::Exception;
};

using TThreadMethod = std::function<void()>;

// The thread that started the program; Synchronize hands calls to it.
extern const DWORD MainThreadID;

// Called (from the worker) each time a call is queued for the main thread, so that a message loop
// waiting for messages can wake up and run CheckSynchronize. Set once by the application object.
extern std::function<void()> WakeMainThread;

// Runs every call queued by Synchronize; true when it ran any. Only the main thread may call it.
bool CheckSynchronize();

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A subclass overrides Execute, which runs on the new thread and should return soon after
// Terminated() becomes true.
//
// C++ gives a base class no hook after the most derived constructor, so a thread created running
// (CreateSuspended false) may enter Execute before its subclass is fully built; such a subclass
// passes true and calls Start() at the end of its own constructor. Likewise a subclass whose
// Execute uses its own members calls TerminateAndWait() in its destructor, before they go.
class TThread : public TObject {
public:
  explicit TThread(bool CreateSuspended);
  // Ends the thread first (TerminateAndWait).
  ~TThread() override;

  // Starts a thread created suspended, or undoes one Suspend.
  void Start() { Resume(); }
  void Resume();
  void Suspend();
  bool Suspended() const { return FSuspended; }

  // Asks Execute to stop; the thread itself checks Terminated().
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Waits for the thread to end and returns ReturnValue; raises EThread for a thread never started,
  // which would never end. On the main thread the wait keeps running the calls that the thread
  // queues with Synchronize and the messages other threads send to the main thread's windows, so a
  // worker waiting for either can finish.
  DWORD WaitFor();
  bool Finished() const { return FFinished; }

  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority Value);

  // A thread that frees itself: once started, its owner must not touch it again.
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }

  DWORD ReturnValue() const { return FReturnValue; }
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  // The exception that ended Execute, if one did (it does not leave the thread).
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs Method on the main thread and waits until it has run; an exception it raises is raised
  // again here. Called on the main thread, it simply runs Method.
  static void Synchronize(const TThreadMethod& Method);

  // Runs on the main thread (through Synchronize) after Execute has returned.
  TNotifyEvent OnTerminate;

protected:
  virtual void Execute() = 0;
  // Calls OnTerminate through Synchronize.
  virtual void DoTerminate();
  void SetReturnValue(DWORD Value) { FReturnValue = Value; }
  // Ends the thread unless it has ended: a running or suspended one is terminated, resumed and
  // waited for; one that never started is let go without running Execute.
  void TerminateAndWait();

private:
  static DWORD WINAPI ThreadProc(LPVOID Parameter);
  // Execute and DoTerminate, then the end of the thread (freeing itself when asked); returns ReturnValue.
  DWORD Run();
  // WaitFor without the checks, for the destructor.
  DWORD Join();

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FAbandoned{false};  // destroyed before it started: leave without Execute
  std::atomic<bool> FSuspended{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<DWORD> FReturnValue{0};
  std::exception_ptr FFatalException;
};

// A lock over a CRITICAL_SECTION (re-entrant for the thread that holds it).
class TCriticalSection : public TObject {
public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() override { DeleteCriticalSection(&FSection); }

  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  void Acquire() { Enter(); }
  void Release() { Leave(); }

private:
  CRITICAL_SECTION FSection;
};

}  // namespace classlib
