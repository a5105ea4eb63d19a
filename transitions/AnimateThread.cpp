#include "transitions/AnimateThread.h"

#include "platform/classlib/Forms.h"
#include "transitions/TransitionView.h"
#include "transitions/Tveffect.h"

#include <algorithm>

using namespace classlib;

namespace transitions {

int NextIncrement(int Step, int Delay, int Elapsed, bool ExactTiming, int N) {
  if (Delay - Elapsed >= 0) return Step;
  if (!ExactTiming) return N;
  // With no period to scale by (Delay 0) MulDiv answers -1, which would run the transition backwards.
  if (Delay <= 0) return Step;
  return std::max(MulDiv(Step, Elapsed, Delay), 1);
}

// ---------------------------------------------------------------------------------------------
// TAnimateThread

TAnimateThread::TAnimateThread(TCustomTransitionView& View)
    : TThread(true), FTransitionView(View), FWindow(View.Handle()), FWake(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!FWake) throw EThread("Cannot create the animation's wake-up event");
}

TAnimateThread::~TAnimateThread() {
  TerminateAndWait();
  CloseHandle(FWake);
}

void TAnimateThread::Execute() {
  FExecuting = true;
  // The control learns of the end from this message in every case, also when a step raised.
  struct TPostOnExit {
    HWND Window;
    ~TPostOnExit() { PostMessageW(Window, WM_ANIMATETHREADTERMINATED, 0, 0); }
  } post{FWindow};

  int n = FTransitionView.Step();
  while (!Terminated()) {
    const DWORD t0 = GetTickCount();
    AdvanceProgress(n);
    if (Terminated()) break;
    const int elapsed = static_cast<int>(GetTickCount() - t0);
    const int delay = FTransitionView.Delay();
    if (delay - elapsed >= 0) WaitForSingleObject(FWake, static_cast<DWORD>(delay - elapsed));
    n = NextIncrement(FTransitionView.Step(), delay, elapsed, FTransitionView.ExactTiming(), n);
  }
}

void TAnimateThread::AdvanceProgress(int N) {
  WaitForSingleObject(FTransitionView.FFramePainted, INFINITE);
  if (Terminated()) return;
  ResetEvent(FTransitionView.FFramePainted);
  FTransitionView.SetProgress(FTransitionView.NextProgress(N));
  if (FTransitionView.Progress() == FTransitionView.EndProgress()) Terminate();
}

// ---------------------------------------------------------------------------------------------
// The control's side of the pacing

int TCustomTransitionView::NextProgress(int N) const {
  const int progress = FProgress;
  if (FReverse) return N < progress ? progress - N : 0;
  return progress < 100 - N ? progress + N : 100;
}

bool TCustomTransitionView::OnWorkerThread() const {
  return FThread && GetCurrentThreadId() == FThread->ThreadID();
}

void TCustomTransitionView::Animate() {
  if (!FThreaded) return AnimateInPlace();
  FThread = std::make_unique<TAnimateThread>(*this);
  FThread->SetPriority(FThreadPriority);
  FThread->Start();
}

void TCustomTransitionView::AnimateInPlace() {
  // A handler run while messages are serviced may free the control: from then on nothing here
  // touches it.
  const std::shared_ptr<bool> alive = FAlive;
  while (!FManual && !FStopping) {
    const DWORD t0 = GetTickCount();
    SetProgress(NextProgress(FStep));
    if (!*alive || !FBusy) return;  // ended (or freed) by a handler
    if (FProgress == EndProgress()) break;
    for (;;) {
      const DWORD elapsed = GetTickCount() - t0;
      if (elapsed > FDelay || FManual || FStopping) break;
      // Waits for the next message or the end of the period, whichever comes first.
      MsgWaitForMultipleObjectsEx(0, nullptr, FDelay - elapsed + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      Application->ProcessMessages();
      if (!*alive || !FBusy) return;
    }
  }
  if (FStopping || !FManual) Unprepare();
}

void TCustomTransitionView::SetProgress(int Value) {
  Value = std::clamp(Value, 0, 100);
  if (!FBusy || Value == FProgress) return;
  {
    FFrameLock.Enter();
    struct TLeave {
      TCriticalSection& Lock;
      ~TLeave() { Lock.Leave(); }
    } leave{FFrameLock};
    FProgress = Value;
    UpdateMedia();
  }
  // Painting now, on the window's thread, is what keeps composition and display in step.
  if (HandleAllocated() && GetUpdateRect(FHandle, nullptr, FALSE))
    UpdateWindow(FHandle);
  else
    SetEvent(FFramePainted);
  DoProgress();
}

bool TCustomTransitionView::WaitForThread() {
  if (!FThread) return false;
  FThread->Terminate();
  FThread->Wake();
  SetEvent(FFramePainted);  // a worker waiting for a paint goes on and sees that it is terminated
  FThread->WaitFor();       // serves the worker's synchronous repaints while it waits
  if (FThread->Executing() && HandleAllocated()) {
    MSG message;
    while (FThread && PeekMessageW(&message, FHandle, WM_ANIMATETHREADTERMINATED, WM_ANIMATETHREADTERMINATED, PM_REMOVE))
      DispatchMessageW(&message);
  }
  // The worker has ended and posted its message before: when it is not in the queue (never started,
  // or the window is gone) the end is handled here.
  if (FThread) Perform(WM_ANIMATETHREADTERMINATED, 0, 0);
  return true;
}

void TCustomTransitionView::ThreadTerminated() {
  if (!FThread) return;  // a late message of a worker already dealt with
  FThread.reset();
  if (FStopping || !FManual) Unprepare();
}

void TCustomTransitionView::SetManual(bool Value) {
  if (Value == FManual) return;
  if (OnWorkerThread()) return;  // a handler on the worker cannot wait for the worker
  FManual = Value;
  WaitForThread();
  if (!FBusy)
    FProgress = FReverse ? 100 : 0;
  else if (!FManual)
    Animate();
}

}  // namespace transitions
