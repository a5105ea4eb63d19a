// The card's TV tuner: channels 0 to 125 with their sub-channels, in TV mode only, tuning the card
// shared by every instance. Its analog outputs feed the crossbar's tuner inputs.
#pragma once

#include "platform/tvcard/Filter.h"
#include "platform/tvcard/Pins.h"

namespace tvcard {

class TTunerFilter final : public TFilter, public IAMTVTuner {
public:
  TTunerFilter();

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override { return TFilter::QueryInterface(Iid, Object); }
  STDMETHODIMP_(ULONG) AddRef() override { return TFilter::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TFilter::Release(); }

  // IAMTuner
  STDMETHODIMP put_Channel(LONG Channel, LONG VideoSubChannel, LONG AudioSubChannel) override;
  STDMETHODIMP get_Channel(LONG* Channel, LONG* VideoSubChannel, LONG* AudioSubChannel) override;
  STDMETHODIMP ChannelMinMax(LONG* Min, LONG* Max) override;
  STDMETHODIMP put_CountryCode(LONG Country) override;
  STDMETHODIMP get_CountryCode(LONG* Country) override;
  STDMETHODIMP put_TuningSpace(LONG TuningSpace) override;
  STDMETHODIMP get_TuningSpace(LONG* TuningSpace) override;
  STDMETHODIMP Logon(HANDLE User) override;
  STDMETHODIMP Logout() override;
  STDMETHODIMP SignalPresent(LONG* SignalStrength) override;
  STDMETHODIMP put_Mode(AMTunerModeType Mode) override;
  STDMETHODIMP get_Mode(AMTunerModeType* Mode) override;
  STDMETHODIMP GetAvailableModes(LONG* Modes) override;
  STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* Notify, LONG Events) override;
  STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* Notify) override;
  // IAMTVTuner
  STDMETHODIMP get_AvailableTVFormats(LONG* Standards) override;
  STDMETHODIMP get_TVFormat(LONG* Standard) override;
  STDMETHODIMP AutoTune(LONG Channel, LONG* Signal) override;
  STDMETHODIMP StoreAutoTune() override;
  STDMETHODIMP get_NumInputConnections(LONG* Count) override;
  STDMETHODIMP put_InputType(LONG Index, TunerInputType Type) override;
  STDMETHODIMP get_InputType(LONG Index, TunerInputType* Type) override;
  STDMETHODIMP put_ConnectInput(LONG Index) override;
  STDMETHODIMP get_ConnectInput(LONG* Index) override;
  STDMETHODIMP get_VideoFrequency(LONG* Frequency) override;
  STDMETHODIMP get_AudioFrequency(LONG* Frequency) override;

  int PinCount() const override { return 2; }
  TPin& PinAt(int Index) override { return Index == 0 ? FVideo : FAudio; }
  TPin& VideoOut() { return FVideo; }
  TPin& AudioOut() { return FAudio; }

private:
  void* Interface(REFIID Iid) override;

  TPin FVideo;
  TPin FAudio;
};

}  // namespace tvcard
