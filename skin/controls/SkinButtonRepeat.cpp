#include "skin/controls/SkinButtonRepeat.h"

namespace skin {

namespace {

constexpr UINT FirstDelay = 500;
constexpr UINT RepeatInterval = 100;
constexpr UINT ResumeDelay = 50;

}  // namespace

void TskButtonRepeat::Start(int Direction) {
  FDirection = Direction;
  FFirstDelay = true;
  SetTimerInterval(FirstDelay);
}

void TskButtonRepeat::Resume() {
  if (Running()) SetTimerInterval(ResumeDelay);
}

void TskButtonRepeat::Pause() { KillRepeatTimer(); }

void TskButtonRepeat::Stop() {
  KillRepeatTimer();
  FDirection = 0;
}

int TskButtonRepeat::Tick(WPARAM Timer) {
  if (Timer != TimerID) return 0;
  if (FFirstDelay) {
    FFirstDelay = false;
    KillRepeatTimer();
    SetTimerInterval(RepeatInterval);
    return 0;
  }
  return FDirection;
}

void TskButtonRepeat::SetTimerInterval(UINT Interval) {
  if (FControl.HandleAllocated()) SetTimer(FControl.Handle(), TimerID, Interval, nullptr);
}

void TskButtonRepeat::KillRepeatTimer() {
  if (FControl.HandleAllocated()) KillTimer(FControl.Handle(), TimerID);
}

}  // namespace skin
