// The media types of the card's pins, copies of media types as DirectShow hands them out, and the
// enumerator of a pin's one type.
#pragma once

#include "platform/comserver/ComObject.h"

#include <dshow.h>

#include <vector>

namespace tvcard {

using comserver::TComObject;
using comserver::TComRef;

// A media type with its format block, kept for the life of the program.
class TMediaType {
public:
  TMediaType(const GUID& Major, const GUID& Sub, const GUID& FormatType, std::vector<BYTE> Format, ULONG SampleSize);
  TMediaType(const TMediaType&) = delete;
  TMediaType& operator=(const TMediaType&) = delete;
  const AM_MEDIA_TYPE& Get() const { return FType; }

private:
  std::vector<BYTE> FFormat;
  AM_MEDIA_TYPE FType{};
};

// 640 x 480 RGB32 at 25 frames a second, as the capture filter's pins deliver it.
const TMediaType& VideoFrameType();
// 44.1 kHz 16-bit stereo PCM.
const TMediaType& AudioSampleType();
// The analog signals between the tuner, the crossbar and the capture filter.
const TMediaType& AnalogVideoType();
const TMediaType& AnalogAudioType();

// Whether Wanted, possibly partial (GUID_NULL fields match anything), fits Offered.
bool MediaTypeFits(const AM_MEDIA_TYPE& Wanted, const AM_MEDIA_TYPE& Offered);
// A deep copy into To, the format block allocated with CoTaskMemAlloc.
HRESULT CopyMediaType(AM_MEDIA_TYPE& To, const AM_MEDIA_TYPE& From);

// Lists one media type; holds a reference on Owner (the pin's filter) while it lives.
class TMediaTypeEnum final : public TComObject<IEnumMediaTypes> {
public:
  TMediaTypeEnum(IUnknown& Owner, const AM_MEDIA_TYPE& Type, ULONG Position = 0);

  STDMETHODIMP Next(ULONG Count, AM_MEDIA_TYPE** Types, ULONG* Fetched) override;
  STDMETHODIMP Skip(ULONG Count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumMediaTypes** Copy) override;

private:
  void* Interface(REFIID Iid) override;

  TComRef<IUnknown> FOwner;
  const AM_MEDIA_TYPE& FType;
  ULONG FPosition;
};

}  // namespace tvcard
