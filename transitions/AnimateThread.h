// The worker that paces a picture-show control's run: one frame per Delay milliseconds, each composed
// only after the window has painted the previous one.
//
// Classes in this file: TAnimateThread. The control's side of the pacing (Animate, SetProgress,
// WaitForThread, ThreadTerminated, SetManual) is implemented with it in AnimateThread.cpp.
#pragma once

#include "platform/classlib/Threads.h"

#include <atomic>

namespace transitions {

class TCustomTransitionView;

// The increment of the step after one that took Elapsed ms of a Delay-ms period, from the increment N
// used so far: Step again when the step was on time, a proportionally larger one for a late step with
// ExactTiming, N otherwise. Never below 1.
int NextIncrement(int Step, int Delay, int Elapsed, bool ExactTiming, int N);

class TAnimateThread : public classlib::TThread {
public:
  // Created suspended; the control sets the priority and starts it. The control frees it.
  explicit TAnimateThread(TCustomTransitionView& View);
  ~TAnimateThread() override;

  // Set once Execute has started.
  bool Executing() const { return FExecuting; }
  // Ends a pause between frames early (after Terminate, so that a long Delay does not hold up Stop).
  void Wake() { SetEvent(FWake); }

protected:
  void Execute() override;

private:
  // One frame: waits until the previous one was painted, then composes the next.
  void AdvanceProgress(int N);

  TCustomTransitionView& FTransitionView;
  HWND FWindow;  // where the end of the run is posted
  HANDLE FWake;
  std::atomic<bool> FExecuting{false};
};

}  // namespace transitions
