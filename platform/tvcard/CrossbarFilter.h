// The card's crossbar: outputs Video Decoder and Audio Decoder, inputs Video Tuner, Video
// Composite, S-Video, Audio Tuner and Audio Line, routing the card shared by every instance. The
// tuner inputs take the tuner's analog outputs; the video decoder output feeds the capture filter.
#pragma once

#include "platform/tvcard/Device.h"
#include "platform/tvcard/Filter.h"
#include "platform/tvcard/Pins.h"

#include <memory>
#include <vector>

namespace tvcard {

class TCrossbarFilter final : public TFilter, public IAMCrossbar {
public:
  TCrossbarFilter();

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override { return TFilter::QueryInterface(Iid, Object); }
  STDMETHODIMP_(ULONG) AddRef() override { return TFilter::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TFilter::Release(); }

  // IAMCrossbar
  STDMETHODIMP get_PinCounts(LONG* Outputs, LONG* Inputs) override;
  STDMETHODIMP CanRoute(LONG Output, LONG Input) override;
  STDMETHODIMP Route(LONG Output, LONG Input) override;
  STDMETHODIMP get_IsRoutedTo(LONG Output, LONG* Input) override;
  STDMETHODIMP get_CrossbarPinInfo(BOOL IsInput, LONG Index, LONG* Related, LONG* Type) override;

  // Pins in crossbar order: the inputs, then the outputs.
  int PinCount() const override { return static_cast<int>(FPins.size()); }
  TPin& PinAt(int Index) override { return *FPins[Index]; }
  TPin& Input(LONG Index) { return *FPins[Index]; }
  TPin& Output(LONG Index) { return *FPins[kCrossbarInputCount + Index]; }

private:
  void* Interface(REFIID Iid) override;

  std::vector<std::unique_ptr<TPin>> FPins;
};

}  // namespace tvcard
