// The DLL's COM server: class objects for the card's filters, its registration (the classes, and the
// capture filters as devices of the video and audio input categories), and its exports.
#include "platform/comserver/ComServer.h"
#include "platform/tvcard/AudioCaptureFilter.h"
#include "platform/tvcard/CrossbarFilter.h"
#include "platform/tvcard/TunerFilter.h"
#include "platform/tvcard/TvCard.h"
#include "platform/tvcard/VideoCaptureFilter.h"

namespace tvcard {
namespace {

template <class Filter>
IUnknown* Create(HRESULT& Result) {
  Result = S_OK;
  return static_cast<IBaseFilter*>(new Filter);
}

const comserver::TServerClass kClasses[] = {
    {CLSID_TvCardVideoCapture, L"Tavrel TV Card Video Capture", Create<TVideoCaptureFilter>,
     &CLSID_VideoInputDeviceCategory, kTvCardVideoName},
    {CLSID_TvCardAudioCapture, L"Tavrel TV Card Audio Capture", Create<TAudioCaptureFilter>,
     &CLSID_AudioInputDeviceCategory, kTvCardAudioName},
    {CLSID_TvCardTuner, L"Tavrel TV Card Tuner", Create<TTunerFilter>},
    {CLSID_TvCardCrossbar, L"Tavrel TV Card Crossbar", Create<TCrossbarFilter>},
};

}  // namespace
}  // namespace tvcard

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID Class, REFIID Iid, void** Object) {
  return comserver::GetClassObject(tvcard::kClasses, Class, Iid, Object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return comserver::CanUnloadNow(); }

extern "C" HRESULT WINAPI DllRegisterServer() { return comserver::RegisterServer(tvcard::kClasses); }

extern "C" LONG WINAPI TvCardLiveFilters() { return tvcard::LiveFilters(); }
