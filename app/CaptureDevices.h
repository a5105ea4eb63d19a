// Video and audio capture devices through DirectShow's system device enumerator, the names of a
// capture card's crossbar inputs, and the first-run detection that stores the devices found in
// config.ini.
#pragma once

#include "app/ComPtr.h"
#include "platform/classlib/Types.h"

#include <dshow.h>

#include <functional>

// The name of a crossbar pin's physical connector type ("S-Video"); "Unknown Type" for a type
// without a name.
classlib::String ConnectorTypeName(long Type);
// Connector types 1 to 15 are video inputs (14 and 15 among them, though they have no name); all
// others are audio inputs.
bool IsVideoConnectorType(long Type);

// The first device of a category whose "FriendlyName" can be read, in enumeration order.
struct TFirstDevice {
  bool CategoryListed = false;  // false when the category is empty or cannot be enumerated
  bool Found = false;           // a device's name could be read
  classlib::String Name;
};
TFirstDevice FindFirstDevice(REFCLSID Category);

// The capture filter of the video input device whose "FriendlyName" equals Name exactly (case
// included): S_OK and the filter in Filter, or E_FAIL and Filter empty when no device matches.
HRESULT FindVideoCaptureFilter(TComPtr<IBaseFilter>& Filter, const classlib::String& Name);
// The same among the audio input devices.
HRESULT FindAudioCaptureFilter(TComPtr<IBaseFilter>& Filter, const classlib::String& Name);

// The first pin of the crossbar, among its inputs or its outputs, whose physical connector type is
// PhysicalType: S_OK and its index in Index; E_FAIL when there is none, or the failure of the
// crossbar's pin count.
HRESULT FindCrossbarPin(IAMCrossbar* Crossbar, long PhysicalType, bool IsInput, long& Index);

// Builds a graph around the named video capture device far enough for its tuner and crossbar to be
// found, hands them to OnTuner (before the graph runs) and OnCrossbar (while it runs; only a
// crossbar that is a filter), then stops and releases the graph. Either may be empty; a device that
// is not installed gives neither.
void ProbeVideoDevice(const classlib::String& DeviceName, const std::function<void(IAMTVTuner&)>& OnTuner,
                      const std::function<void(IAMCrossbar&)>& OnCrossbar);

// Sets CaptureSourceName to the name of the last video input of the crossbar: on a card with the
// inputs "Video Tuner", "Video Composite" and "S-Video" that is "S-Video". A crossbar without video
// inputs leaves it as it was.
void FindLastVideoSource(IAMCrossbar* Crossbar);

// The first-run detection: notes the first video and audio capture devices and the last video input
// of the video device's crossbar in the shared settings, and, when the system lists video capture
// devices at all, stores the four device keys and "flag" = 0 in the settings file IniPath. Without a
// video capture device nothing is written, so the detection runs again at the next start. A refused
// write is not reported either, with the same effect.
void DetectCaptureDevices(const classlib::String& IniPath);
