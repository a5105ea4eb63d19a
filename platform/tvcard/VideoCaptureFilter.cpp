#include "platform/tvcard/VideoCaptureFilter.h"

#include "platform/tvcard/MediaTypes.h"
#include "platform/tvcard/TvCard.h"
#include "platform/tvcard/TvCardStrip.h"

namespace tvcard {

namespace {

constexpr LONG kFrameBytes = kFrameWidth * kFrameHeight * 4;
constexpr REFERENCE_TIME kFrameTime = 10'000'000 / 25;

}  // namespace

TVideoStreamPin::TVideoStreamPin(TFilter& Owner, const WCHAR* Name, const GUID& Category)
    : TStreamPin(Owner, Name, Category, VideoFrameType().Get(), kFrameBytes, kFrameTime) {}

LONG TVideoStreamPin::Fill(BYTE* Buffer, LONG Size, LONGLONG Index) {
  if (Size < kFrameBytes) return 0;
  if (!FPainter) FPainter = std::make_unique<TFramePainter>();
  FPainter->Paint(Buffer, Index);
  return kFrameBytes;
}

TVideoCaptureFilter::TVideoCaptureFilter()
    : TFilter(CLSID_TvCardVideoCapture),
      FCapture(*this, L"Capture", PIN_CATEGORY_CAPTURE),
      FPreview(*this, L"Preview", PIN_CATEGORY_PREVIEW),
      FAnalogIn(*this, L"Analog Video In", PINDIR_INPUT, AnalogVideoType().Get()) {}

TPin& TVideoCaptureFilter::PinAt(int Index) {
  switch (Index) {
    case 0: return FCapture;
    case 1: return FPreview;
    default: return FAnalogIn;
  }
}

void TVideoCaptureFilter::Activate() {
  FCapture.Activate();
  FPreview.Activate();
}

void TVideoCaptureFilter::Start(REFERENCE_TIME StreamTime) {
  FCapture.Start(StreamTime);
  FPreview.Start(StreamTime);
}

void TVideoCaptureFilter::Halt() {
  FCapture.Halt();
  FPreview.Halt();
}

void TVideoCaptureFilter::Deactivate() {
  FCapture.Deactivate();
  FPreview.Deactivate();
}

void TVideoCaptureFilter::GraphJoined(IFilterGraph* Graph) {
  if (Graph) {
    if (!FTuner) BringUpstreamFilters(*Graph);
    return;
  }
  // Leaving the graph: the tuner and crossbar stay with it until it lets them go as well.
  FAnalogIn.Unplug();
  FTuner.Reset();
  FCrossbar.Reset();
}

void TVideoCaptureFilter::BringUpstreamFilters(IFilterGraph& Graph) {
  auto* tuner = new TTunerFilter;
  auto* crossbar = new TCrossbarFilter;
  FTuner = TComRef<IBaseFilter>(tuner);
  FCrossbar = TComRef<IBaseFilter>(crossbar);
  tuner->Release();
  crossbar->Release();
  if (FAILED(Graph.AddFilter(tuner, L"Tavrel TV Card Tuner")) ||
      FAILED(Graph.AddFilter(crossbar, L"Tavrel TV Card Crossbar"))) {
    FTuner.Reset();
    FCrossbar.Reset();
    return;
  }
  // Tuner picture and sound into the crossbar's tuner inputs, its video decoder output into us.
  tuner->VideoOut().Connect(&crossbar->Input(0), nullptr);
  tuner->AudioOut().Connect(&crossbar->Input(3), nullptr);
  crossbar->Output(0).Connect(&FAnalogIn, nullptr);
}

}  // namespace tvcard
