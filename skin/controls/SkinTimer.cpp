#include "skin/controls/SkinTimer.h"

namespace skin {

void TskTimerSlot::Start(unsigned Interval, std::function<void()> Tick) {
  if (FTimer) return;
  FRetired.reset();
  FTimer = std::make_unique<classlib::TTimer>(nullptr);
  FTimer->SetInterval(Interval > 0 ? Interval : 1);
  FTimer->OnTimer = [Tick = std::move(Tick)](classlib::TObject*) { Tick(); };
}

void TskTimerSlot::Stop() {
  if (!FTimer) return;
  FTimer->SetEnabled(false);
  FRetired = std::move(FTimer);
}

}  // namespace skin
