// A timer that exists only while it runs, as the skinned controls' morph, animation and repeat
// timers do.
//
// Classes in this file: TskTimerSlot.
#pragma once

#include "platform/classlib/Timer.h"

#include <functional>
#include <memory>

namespace skin {

class TskTimerSlot {
public:
  // Starts a timer of Interval milliseconds calling Tick, unless one runs already.
  void Start(unsigned Interval, std::function<void()> Tick);
  // Stops and frees the running timer; safe from inside its own tick.
  void Stop();
  bool Running() const { return FTimer != nullptr; }

private:
  std::unique_ptr<classlib::TTimer> FTimer;
  // A timer stopped from its own tick lives on, disabled, until the next start or stop.
  std::unique_ptr<classlib::TTimer> FRetired;
};

}  // namespace skin
