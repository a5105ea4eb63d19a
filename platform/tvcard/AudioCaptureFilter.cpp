#include "platform/tvcard/AudioCaptureFilter.h"

#include "platform/tvcard/Device.h"
#include "platform/tvcard/MediaTypes.h"
#include "platform/tvcard/TvCard.h"

#include <cmath>
#include <numbers>

namespace tvcard {

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr LONG kFramesPerBuffer = kRate / 25;  // a buffer per video frame
constexpr LONG kBufferBytes = kFramesPerBuffer * kChannels * 2;
constexpr REFERENCE_TIME kBufferTime = 10'000'000 / 25;
constexpr double kAmplitude = 8000;

// Channel 0 sounds at 300 Hz, and each channel up 20 Hz higher.
double ToneFrequency(LONG Channel) { return 300.0 + 20.0 * Channel; }

}  // namespace

TAudioStreamPin::TAudioStreamPin(TFilter& Owner)
    : TStreamPin(Owner, L"Capture", PIN_CATEGORY_CAPTURE, AudioSampleType().Get(), kBufferBytes, kBufferTime) {}

LONG TAudioStreamPin::Fill(BYTE* Buffer, LONG Size, LONGLONG) {
  if (Size < kBufferBytes) return 0;
  const double step = 2 * std::numbers::pi * ToneFrequency(TDevice::Card().Tuning().Channel) / kRate;
  auto* samples = reinterpret_cast<SHORT*>(Buffer);
  for (LONG frame = 0; frame < kFramesPerBuffer; ++frame) {
    const auto value = static_cast<SHORT>(std::lround(kAmplitude * std::sin(FPhase)));
    for (int channel = 0; channel < kChannels; ++channel) *samples++ = value;
    FPhase = std::fmod(FPhase + step, 2 * std::numbers::pi);
  }
  return kBufferBytes;
}

TAudioCaptureFilter::TAudioCaptureFilter() : TFilter(CLSID_TvCardAudioCapture), FCapture(*this) {}

}  // namespace tvcard
