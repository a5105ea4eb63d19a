// The auto-repeat of a held arrow button: the first repeated step 500 ms after the press, then one
// every 100 ms while the button is held under the pointer. The pointer leaving the held button stops
// the steps; coming back resumes them after 50 ms. It runs on timer 1 of its control's window.
//
// Classes in this file: TskButtonRepeat.
#pragma once

#include "platform/classlib/Controls.h"

#include <windows.h>

namespace skin {

class TskButtonRepeat {
public:
  static constexpr UINT_PTR TimerID = 1;

  explicit TskButtonRepeat(classlib::TWinControl& Control) : FControl(Control) {}
  TskButtonRepeat(const TskButtonRepeat&) = delete;
  TskButtonRepeat& operator=(const TskButtonRepeat&) = delete;

  // Attributes
  // What the control steps by: the value given to Start, 0 when nothing repeats.
  int Direction() const { return FDirection; }
  bool Running() const { return FDirection != 0; }

  // Operations
  // The button is pressed: Direction (not 0) repeats after the first delay.
  void Start(int Direction);
  // The pointer comes back over the held button.
  void Resume();
  // The pointer leaves the held button.
  void Pause();
  // The button is released.
  void Stop();
  // For the control's WM_TIMER with Timer: the direction to step now, or 0 (another timer, or the
  // first delay ending).
  int Tick(WPARAM Timer);

private:
  void SetTimerInterval(UINT Interval);
  void KillRepeatTimer();

  classlib::TWinControl& FControl;
  int FDirection = 0;
  bool FFirstDelay = false;
};

}  // namespace skin
