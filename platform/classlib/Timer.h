// A component that fires OnTimer at a fixed interval on the user-interface thread.
#pragma once

#include "platform/classlib/Component.h"

namespace classlib {

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  TNotifyEvent OnTimer;

  bool Enabled() const { return FEnabled; }
  // Turning the timer off and on again starts a new interval; enabling an enabled timer changes nothing.
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);

private:
  static LRESULT CALLBACK WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void UpdateTimer();

  HWND FWindow = nullptr;
  bool FEnabled = true;
  unsigned FInterval = 1000;
};

}  // namespace classlib
