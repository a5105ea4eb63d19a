#include "platform/tvcard/CrossbarFilter.h"

#include "platform/tvcard/MediaTypes.h"
#include "platform/tvcard/TvCard.h"

namespace tvcard {

namespace {

const WCHAR* PinName(LONG Type) {
  switch (Type) {
    case kVideoTuner: return L"Video Tuner In";
    case kVideoComposite: return L"Video Composite In";
    case kSVideo: return L"S-Video In";
    case kAudioTuner: return L"Audio Tuner In";
    case kAudioLine: return L"Audio Line In";
    case kVideoDecoder: return L"Video Decoder Out";
    default: return L"Audio Decoder Out";
  }
}

const AM_MEDIA_TYPE& SignalType(LONG Type) {
  return IsVideoConnector(Type) ? AnalogVideoType().Get() : AnalogAudioType().Get();
}

}  // namespace

TCrossbarFilter::TCrossbarFilter() : TFilter(CLSID_TvCardCrossbar) {
  for (const TCrossbarPin& pin : kCrossbarInputs)
    FPins.push_back(std::make_unique<TPin>(*this, PinName(pin.Type), PINDIR_INPUT, SignalType(pin.Type)));
  for (const TCrossbarPin& pin : kCrossbarOutputs)
    FPins.push_back(std::make_unique<TPin>(*this, PinName(pin.Type), PINDIR_OUTPUT, SignalType(pin.Type)));
}

void* TCrossbarFilter::Interface(REFIID Iid) {
  if (Iid == IID_IAMCrossbar) return static_cast<IAMCrossbar*>(this);
  return TFilter::Interface(Iid);
}

STDMETHODIMP TCrossbarFilter::get_PinCounts(LONG* Outputs, LONG* Inputs) {
  if (!Outputs || !Inputs) return E_POINTER;
  *Outputs = kCrossbarOutputCount;
  *Inputs = kCrossbarInputCount;
  return S_OK;
}

STDMETHODIMP TCrossbarFilter::CanRoute(LONG Output, LONG Input) {
  if (Output < 0 || Output >= kCrossbarOutputCount || Input < 0 || Input >= kCrossbarInputCount)
    return E_INVALIDARG;
  // Pictures go to the video decoder, sound to the audio decoder.
  return IsVideoConnector(kCrossbarOutputs[Output].Type) == IsVideoConnector(kCrossbarInputs[Input].Type) ? S_OK
                                                                                                          : S_FALSE;
}

STDMETHODIMP TCrossbarFilter::Route(LONG Output, LONG Input) {
  const HRESULT possible = CanRoute(Output, Input);
  if (possible != S_OK) return FAILED(possible) ? possible : VFW_E_CANNOT_CONNECT;
  TDevice::Card().Route(Output, Input);
  return S_OK;
}

STDMETHODIMP TCrossbarFilter::get_IsRoutedTo(LONG Output, LONG* Input) {
  if (!Input) return E_POINTER;
  if (Output < 0 || Output >= kCrossbarOutputCount) return E_INVALIDARG;
  *Input = TDevice::Card().RoutedInput(Output);
  return S_OK;
}

STDMETHODIMP TCrossbarFilter::get_CrossbarPinInfo(BOOL IsInput, LONG Index, LONG* Related, LONG* Type) {
  if (!Related || !Type) return E_POINTER;
  const LONG count = IsInput ? kCrossbarInputCount : kCrossbarOutputCount;
  if (Index < 0 || Index >= count) return E_INVALIDARG;
  const TCrossbarPin& pin = IsInput ? kCrossbarInputs[Index] : kCrossbarOutputs[Index];
  *Related = pin.Related;
  *Type = pin.Type;
  return S_OK;
}

}  // namespace tvcard
