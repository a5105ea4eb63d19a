// The card's video capture filter: "Capture" and "Preview" pins delivering the card's picture live
// (640 x 480 RGB32, 25 frames a second), and the analog input its crossbar feeds. Joining a graph
// it brings the card's tuner and crossbar along, connected upstream, as a capture graph builder
// would, so that a search upstream of it finds them.
#pragma once

#include "platform/tvcard/CrossbarFilter.h"
#include "platform/tvcard/FramePainter.h"
#include "platform/tvcard/Filter.h"
#include "platform/tvcard/Pins.h"
#include "platform/tvcard/TunerFilter.h"

#include <memory>

namespace tvcard {

class TVideoStreamPin final : public TStreamPin {
public:
  TVideoStreamPin(TFilter& Owner, const WCHAR* Name, const GUID& Category);

private:
  LONG Fill(BYTE* Buffer, LONG Size, LONGLONG Index) override;

  std::unique_ptr<TFramePainter> FPainter;  // made on the streaming thread that uses it
};

class TVideoCaptureFilter final : public TFilter {
public:
  TVideoCaptureFilter();

  int PinCount() const override { return 3; }
  TPin& PinAt(int Index) override;

private:
  void Activate() override;
  void Start(REFERENCE_TIME StreamTime) override;
  void Halt() override;
  void Deactivate() override;
  bool IsLive() const override { return true; }
  void GraphJoined(IFilterGraph* Graph) override;
  void BringUpstreamFilters(IFilterGraph& Graph);

  TVideoStreamPin FCapture;
  TVideoStreamPin FPreview;
  TPin FAnalogIn;
  TComRef<IBaseFilter> FTuner;
  TComRef<IBaseFilter> FCrossbar;
};

}  // namespace tvcard
