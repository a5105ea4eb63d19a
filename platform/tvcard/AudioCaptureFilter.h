// The card's audio capture filter: a "Capture" pin delivering 44.1 kHz 16-bit stereo PCM live, a
// tone whose pitch follows the tuned channel.
#pragma once

#include "platform/tvcard/Filter.h"
#include "platform/tvcard/Pins.h"

namespace tvcard {

class TAudioStreamPin final : public TStreamPin {
public:
  explicit TAudioStreamPin(TFilter& Owner);

private:
  LONG Fill(BYTE* Buffer, LONG Size, LONGLONG Index) override;

  double FPhase = 0;  // carried from buffer to buffer, so a change of pitch does not click
};

class TAudioCaptureFilter final : public TFilter {
public:
  TAudioCaptureFilter();

  int PinCount() const override { return 1; }
  TPin& PinAt(int) override { return FCapture; }

private:
  void Activate() override { FCapture.Activate(); }
  void Start(REFERENCE_TIME StreamTime) override { FCapture.Start(StreamTime); }
  void Halt() override { FCapture.Halt(); }
  void Deactivate() override { FCapture.Deactivate(); }
  bool IsLive() const override { return true; }

  TAudioStreamPin FCapture;
};

}  // namespace tvcard
