#include "platform/tvcard/TunerFilter.h"

#include "platform/tvcard/Device.h"
#include "platform/tvcard/MediaTypes.h"
#include "platform/tvcard/TvCard.h"

namespace tvcard {

namespace {

constexpr LONG kSignalPresent = 1;   // AMTUNER_SIGNALPRESENT
constexpr LONG kUnitedStates = 1;    // the only country the card knows
constexpr LONG kPalB = 0x10;         // AnalogVideo_PAL_B: 25 frames a second

bool InRange(LONG Channel) { return Channel >= kMinChannel && Channel <= kMaxChannel; }

}  // namespace

TTunerFilter::TTunerFilter()
    : TFilter(CLSID_TvCardTuner),
      FVideo(*this, L"Analog Video", PINDIR_OUTPUT, AnalogVideoType().Get()),
      FAudio(*this, L"Analog Audio", PINDIR_OUTPUT, AnalogAudioType().Get()) {}

void* TTunerFilter::Interface(REFIID Iid) {
  if (Iid == IID_IAMTuner || Iid == IID_IAMTVTuner) return static_cast<IAMTVTuner*>(this);
  return TFilter::Interface(Iid);
}

STDMETHODIMP TTunerFilter::put_Channel(LONG Channel, LONG VideoSubChannel, LONG AudioSubChannel) {
  return TDevice::Card().Tune({Channel, VideoSubChannel, AudioSubChannel}) ? S_OK : E_INVALIDARG;
}

STDMETHODIMP TTunerFilter::get_Channel(LONG* Channel, LONG* VideoSubChannel, LONG* AudioSubChannel) {
  if (!Channel || !VideoSubChannel || !AudioSubChannel) return E_POINTER;
  const TTuning tuning = TDevice::Card().Tuning();
  *Channel = tuning.Channel;
  *VideoSubChannel = tuning.VideoSubChannel;
  *AudioSubChannel = tuning.AudioSubChannel;
  return S_OK;
}

STDMETHODIMP TTunerFilter::ChannelMinMax(LONG* Min, LONG* Max) {
  if (!Min || !Max) return E_POINTER;
  *Min = kMinChannel;
  *Max = kMaxChannel;
  return S_OK;
}

STDMETHODIMP TTunerFilter::put_CountryCode(LONG Country) { return Country == kUnitedStates ? S_OK : E_INVALIDARG; }

STDMETHODIMP TTunerFilter::get_CountryCode(LONG* Country) {
  if (!Country) return E_POINTER;
  *Country = kUnitedStates;
  return S_OK;
}

STDMETHODIMP TTunerFilter::put_TuningSpace(LONG) { return E_NOTIMPL; }
STDMETHODIMP TTunerFilter::get_TuningSpace(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTunerFilter::Logon(HANDLE) { return S_OK; }
STDMETHODIMP TTunerFilter::Logout() { return S_OK; }

STDMETHODIMP TTunerFilter::SignalPresent(LONG* SignalStrength) {
  if (!SignalStrength) return E_POINTER;
  *SignalStrength = kSignalPresent;
  return S_OK;
}

STDMETHODIMP TTunerFilter::put_Mode(AMTunerModeType Mode) { return Mode == AMTUNER_MODE_TV ? S_OK : E_INVALIDARG; }

STDMETHODIMP TTunerFilter::get_Mode(AMTunerModeType* Mode) {
  if (!Mode) return E_POINTER;
  *Mode = AMTUNER_MODE_TV;
  return S_OK;
}

STDMETHODIMP TTunerFilter::GetAvailableModes(LONG* Modes) {
  if (!Modes) return E_POINTER;
  *Modes = AMTUNER_MODE_TV;
  return S_OK;
}

STDMETHODIMP TTunerFilter::RegisterNotificationCallBack(IAMTunerNotification*, LONG) { return E_NOTIMPL; }
STDMETHODIMP TTunerFilter::UnRegisterNotificationCallBack(IAMTunerNotification*) { return E_NOTIMPL; }

STDMETHODIMP TTunerFilter::get_AvailableTVFormats(LONG* Standards) { return get_TVFormat(Standards); }

STDMETHODIMP TTunerFilter::get_TVFormat(LONG* Standard) {
  if (!Standard) return E_POINTER;
  *Standard = kPalB;
  return S_OK;
}

STDMETHODIMP TTunerFilter::AutoTune(LONG Channel, LONG* Signal) {
  if (!Signal) return E_POINTER;
  if (!InRange(Channel)) return E_INVALIDARG;
  *Signal = kSignalPresent;  // every channel of the card carries a picture
  return S_OK;
}

STDMETHODIMP TTunerFilter::StoreAutoTune() { return S_OK; }

STDMETHODIMP TTunerFilter::get_NumInputConnections(LONG* Count) {
  if (!Count) return E_POINTER;
  *Count = 1;
  return S_OK;
}

STDMETHODIMP TTunerFilter::put_InputType(LONG Index, TunerInputType Type) {
  return Index == 0 && Type == TunerInputCable ? S_OK : E_INVALIDARG;
}

STDMETHODIMP TTunerFilter::get_InputType(LONG Index, TunerInputType* Type) {
  if (!Type) return E_POINTER;
  if (Index != 0) return E_INVALIDARG;
  *Type = TunerInputCable;
  return S_OK;
}

STDMETHODIMP TTunerFilter::put_ConnectInput(LONG Index) { return Index == 0 ? S_OK : E_INVALIDARG; }

STDMETHODIMP TTunerFilter::get_ConnectInput(LONG* Index) {
  if (!Index) return E_POINTER;
  *Index = 0;
  return S_OK;
}

STDMETHODIMP TTunerFilter::get_VideoFrequency(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTunerFilter::get_AudioFrequency(LONG*) { return E_NOTIMPL; }

}  // namespace tvcard
