#include "app/CaptureDevices.h"

#include "app/Settings.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/WideText.h"

#include <functional>

using namespace classlib;

namespace {

// The graph's notification message; the probe graph posts it nowhere.
constexpr long kGraphNotifyMessage = WM_APP + 1;

struct TConnectorName {
  long Type;
  const char* Name;
};

// DirectShow's physical connector types (PhysConn_Video_Tuner = 1 ... PhysConn_Audio_AudioDecoder).
constexpr TConnectorName kConnectorNames[] = {
    {1, "Video Tuner"},       {2, "Video Composite"},        {3, "S-Video"},
    {4, "Video RGB"},         {5, "Video YRYBY"},            {6, "Video Serial Digital"},
    {7, "Video Parallel Digital"}, {8, "Video SCSI"},        {9, "Video AUX"},
    {10, "Video 1394"},       {11, "Video USB"},             {12, "Video Decoder"},
    {13, "Video Encoder"},    {0x1000, "Audio Tuner"},       {0x1001, "Audio Line"},
    {0x1002, "Audio Microphone"}, {0x1003, "Audio AES/EBU Digital"}, {0x1004, "Audio S/PDIF"},
    {0x1005, "Audio SCSI"},   {0x1006, "Audio AUX"},         {0x1007, "Audio 1394"},
    {0x1008, "Audio USB"},    {0x1009, "Audio Decoder"},
};

TComPtr<IEnumMoniker> EnumerateCategory(REFCLSID Category) {
  TComPtr<IEnumMoniker> monikers;
  TComPtr<ICreateDevEnum> devices;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_ALL, IID_ICreateDevEnum, devices.PutVoid())) ||
      !devices)
    return monikers;
  // S_FALSE (the category is empty) gives no enumerator, as does a failure.
  if (devices->CreateClassEnumerator(Category, monikers.Put(), 0) != S_OK) monikers.Reset();
  return monikers;
}

// The device's "FriendlyName", or false when it cannot be read.
bool ReadFriendlyName(IMoniker& Device, String& Name) {
  TComPtr<IPropertyBag> properties;
  if (FAILED(Device.BindToStorage(nullptr, nullptr, IID_IPropertyBag, properties.PutVoid())) || !properties)
    return false;
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  const bool read = SUCCEEDED(properties->Read(L"FriendlyName", &value, nullptr)) && V_VT(&value) == VT_BSTR;
  if (read && V_BSTR(&value)) Name = FromWide(V_BSTR(&value));
  VariantClear(&value);
  return read;
}

// Hands each device whose name can be read to Visit, in enumeration order, until Visit returns true.
void WalkNamedDevices(IEnumMoniker& Monikers, const std::function<bool(IMoniker&, const String&)>& Visit) {
  TComPtr<IMoniker> device;
  while (Monikers.Next(1, device.Put(), nullptr) == S_OK) {
    String name;
    if (ReadFriendlyName(*device.Get(), name) && Visit(*device.Get(), name)) return;
  }
}

// The capture filter of the device of Category whose "FriendlyName" equals Name exactly.
HRESULT FindCaptureFilter(REFCLSID Category, TComPtr<IBaseFilter>& Filter, const String& Name) {
  Filter.Reset();
  TComPtr<IEnumMoniker> monikers = EnumerateCategory(Category);
  if (!monikers) return E_FAIL;
  WalkNamedDevices(*monikers.Get(), [&](IMoniker& device, const String& name) {
    if (name != Name) return false;
    device.BindToObject(nullptr, nullptr, IID_IBaseFilter, Filter.PutVoid());
    return true;
  });
  return Filter ? S_OK : E_FAIL;
}

}  // namespace

String ConnectorTypeName(long Type) {
  for (const TConnectorName& entry : kConnectorNames)
    if (entry.Type == Type) return entry.Name;
  return "Unknown Type";
}

bool IsVideoConnectorType(long Type) { return Type >= 1 && Type <= 15; }

TFirstDevice FindFirstDevice(REFCLSID Category) {
  TFirstDevice result;
  TComPtr<IEnumMoniker> monikers = EnumerateCategory(Category);
  if (!monikers) return result;
  result.CategoryListed = true;
  WalkNamedDevices(*monikers.Get(), [&](IMoniker&, const String& name) {
    result.Found = true;
    result.Name = name;
    return true;
  });
  return result;
}

HRESULT FindVideoCaptureFilter(TComPtr<IBaseFilter>& Filter, const String& Name) {
  return FindCaptureFilter(CLSID_VideoInputDeviceCategory, Filter, Name);
}

HRESULT FindAudioCaptureFilter(TComPtr<IBaseFilter>& Filter, const String& Name) {
  return FindCaptureFilter(CLSID_AudioInputDeviceCategory, Filter, Name);
}

HRESULT FindCrossbarPin(IAMCrossbar* Crossbar, long PhysicalType, bool IsInput, long& Index) {
  LONG outputs = 0, inputs = 0;
  const HRESULT counted = Crossbar->get_PinCounts(&outputs, &inputs);
  if (FAILED(counted)) return counted;
  const LONG count = IsInput ? inputs : outputs;
  for (LONG pin = 0; pin < count; ++pin) {
    LONG related = 0, type = 0;
    if (SUCCEEDED(Crossbar->get_CrossbarPinInfo(IsInput ? TRUE : FALSE, pin, &related, &type)) &&
        type == PhysicalType) {
      Index = pin;
      return S_OK;
    }
  }
  return E_FAIL;
}

void ProbeVideoDevice(const String& DeviceName, const std::function<void(IAMTVTuner&)>& OnTuner,
                      const std::function<void(IAMCrossbar&)>& OnCrossbar) {
  TComPtr<IGraphBuilder> graph;
  TComPtr<ICaptureGraphBuilder2> builder;
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_ALL, IID_IGraphBuilder, graph.PutVoid());
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_ALL, IID_ICaptureGraphBuilder2, builder.PutVoid());
  if (!graph || !builder) return;
  builder->SetFiltergraph(graph.Get());
  TComPtr<IBaseFilter> filter;
  FindVideoCaptureFilter(filter, DeviceName);
  const TComPtr<IMediaControl> control = graph.Query<IMediaControl>(IID_IMediaControl);
  const TComPtr<IMediaEventEx> events = graph.Query<IMediaEventEx>(IID_IMediaEventEx);
  if (events) events->SetNotifyWindow(0, kGraphNotifyMessage, 0);
  builder->SetFiltergraph(graph.Get());
  if (!filter) return;

  graph->AddFilter(filter.Get(), L"Video Capture");
  // Asking for the tuner makes the capture filter bring the card's tuner and crossbar filters in.
  TComPtr<IAMTVTuner> tuner;
  builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, filter.Get(), IID_IAMTVTuner, tuner.PutVoid());
  if (tuner && OnTuner) OnTuner(*tuner.Get());
  if (control) control->Run();
  TComPtr<IAMCrossbar> crossbar;
  builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, filter.Get(), IID_IAMCrossbar, crossbar.PutVoid());
  if (crossbar && OnCrossbar && crossbar.Query<IBaseFilter>(IID_IBaseFilter)) OnCrossbar(*crossbar.Get());
  crossbar.Reset();
  if (control) control->Stop();
}

void FindLastVideoSource(IAMCrossbar* Crossbar) {
  LONG outputs = 0, inputs = 0;
  if (FAILED(Crossbar->get_PinCounts(&outputs, &inputs))) return;
  for (LONG index = 0; index < inputs; ++index) {
    LONG related = 0, type = 0;
    if (SUCCEEDED(Crossbar->get_CrossbarPinInfo(TRUE, index, &related, &type)) && IsVideoConnectorType(type))
      CaptureSourceName = ConnectorTypeName(type);
  }
}

void DetectCaptureDevices(const String& IniPath) {
  CoInitialize(nullptr);
  const TFirstDevice video = FindFirstDevice(CLSID_VideoInputDeviceCategory);
  if (!video.CategoryListed) VideoDeviceName.clear();
  else if (video.Found) VideoDeviceName = video.Name;
  const TFirstDevice audio = FindFirstDevice(CLSID_AudioInputDeviceCategory);
  if (!audio.CategoryListed) AudioDeviceName.clear();
  else if (audio.Found) AudioDeviceName = audio.Name;
  if (!video.CategoryListed) return;

  ProbeVideoDevice(VideoDeviceName, nullptr, [](IAMCrossbar& crossbar) { FindLastVideoSource(&crossbar); });
  try {
    WriteDeviceSettings(IniPath, {VideoDeviceName, CaptureSourceName, AudioDeviceName, AudioSourceName});
    WriteFirstRunFlag(IniPath, 0);
  } catch (const EIniFileException&) {
    // Not reported: "flag" stays as it was, so the detection simply runs again at the next start.
  }
}
