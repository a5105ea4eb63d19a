#include "platform/tvcard/Device.h"

namespace tvcard {

bool IsVideoConnector(LONG Type) { return Type < kAudioTuner; }

TDevice& TDevice::Card() {
  static TDevice card;
  return card;
}

TTuning TDevice::Tuning() const {
  const std::lock_guard guard(FLock);
  return FTuning;
}

bool TDevice::Tune(const TTuning& Tuning) {
  if (Tuning.Channel < kMinChannel || Tuning.Channel > kMaxChannel) return false;
  const std::lock_guard guard(FLock);
  FTuning = Tuning;
  return true;
}

LONG TDevice::RoutedInput(LONG Output) const {
  const std::lock_guard guard(FLock);
  return FRouting[Output];
}

void TDevice::Route(LONG Output, LONG Input) {
  const std::lock_guard guard(FLock);
  FRouting[Output] = Input;
}

LONG TDevice::VideoSource() const { return kCrossbarInputs[RoutedInput(0)].Type; }

}  // namespace tvcard
