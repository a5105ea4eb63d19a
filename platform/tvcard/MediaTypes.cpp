#include "platform/tvcard/MediaTypes.h"

#include "platform/tvcard/TvCardStrip.h"

#include <cstring>

namespace tvcard {

namespace {

constexpr REFERENCE_TIME kFrameTime = 10'000'000 / 25;

template <class Record>
std::vector<BYTE> Bytes(const Record& Value) {
  std::vector<BYTE> bytes(sizeof Value);
  std::memcpy(bytes.data(), &Value, sizeof Value);
  return bytes;
}

bool Fits(const GUID& Wanted, const GUID& Offered) { return Wanted == GUID_NULL || Wanted == Offered; }

}  // namespace

TMediaType::TMediaType(const GUID& Major, const GUID& Sub, const GUID& FormatType, std::vector<BYTE> Format,
                       ULONG SampleSize)
    : FFormat(std::move(Format)) {
  FType.majortype = Major;
  FType.subtype = Sub;
  FType.bFixedSizeSamples = SampleSize != 0;
  FType.bTemporalCompression = FALSE;
  FType.lSampleSize = SampleSize;
  FType.formattype = FormatType;
  FType.cbFormat = static_cast<ULONG>(FFormat.size());
  FType.pbFormat = FFormat.empty() ? nullptr : FFormat.data();
}

const TMediaType& VideoFrameType() {
  static const TMediaType type = [] {
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = kFrameTime;
    BITMAPINFOHEADER& bitmap = info.bmiHeader;
    bitmap.biSize = sizeof bitmap;
    bitmap.biWidth = kFrameWidth;
    bitmap.biHeight = kFrameHeight;  // bottom-up, as RGB frames are
    bitmap.biPlanes = 1;
    bitmap.biBitCount = 32;
    bitmap.biCompression = BI_RGB;
    bitmap.biSizeImage = kFrameWidth * kFrameHeight * 4;
    info.dwBitRate = bitmap.biSizeImage * 8 * 25;
    return TMediaType(MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Bytes(info), bitmap.biSizeImage);
  }();
  return type;
}

const TMediaType& AudioSampleType() {
  static const TMediaType type = [] {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = 2;
    wave.nSamplesPerSec = 44100;
    wave.wBitsPerSample = 16;
    wave.nBlockAlign = wave.nChannels * wave.wBitsPerSample / 8;
    wave.nAvgBytesPerSec = wave.nSamplesPerSec * wave.nBlockAlign;
    return TMediaType(MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, Bytes(wave), wave.nBlockAlign);
  }();
  return type;
}

const TMediaType& AnalogVideoType() {
  static const TMediaType type(MEDIATYPE_AnalogVideo, GUID_NULL, FORMAT_None, {}, 0);
  return type;
}

const TMediaType& AnalogAudioType() {
  static const TMediaType type(MEDIATYPE_AnalogAudio, GUID_NULL, FORMAT_None, {}, 0);
  return type;
}

bool MediaTypeFits(const AM_MEDIA_TYPE& Wanted, const AM_MEDIA_TYPE& Offered) {
  if (!Fits(Wanted.majortype, Offered.majortype) || !Fits(Wanted.subtype, Offered.subtype) ||
      !Fits(Wanted.formattype, Offered.formattype))
    return false;
  // A full type must describe the same format (the frame size, the sample rate...).
  if (Wanted.formattype == GUID_NULL || !Wanted.pbFormat) return true;
  return Wanted.cbFormat >= Offered.cbFormat &&
         std::memcmp(Wanted.pbFormat, Offered.pbFormat, Offered.cbFormat) == 0;
}

HRESULT CopyMediaType(AM_MEDIA_TYPE& To, const AM_MEDIA_TYPE& From) {
  To = From;
  To.pUnk = nullptr;
  if (!From.cbFormat || !From.pbFormat) {
    To.cbFormat = 0;
    To.pbFormat = nullptr;
    return S_OK;
  }
  To.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(From.cbFormat));
  if (!To.pbFormat) {
    To.cbFormat = 0;
    return E_OUTOFMEMORY;
  }
  std::memcpy(To.pbFormat, From.pbFormat, From.cbFormat);
  return S_OK;
}

TMediaTypeEnum::TMediaTypeEnum(IUnknown& Owner, const AM_MEDIA_TYPE& Type, ULONG Position)
    : FOwner(&Owner), FType(Type), FPosition(Position) {}

void* TMediaTypeEnum::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IEnumMediaTypes) return static_cast<IEnumMediaTypes*>(this);
  return nullptr;
}

STDMETHODIMP TMediaTypeEnum::Next(ULONG Count, AM_MEDIA_TYPE** Types, ULONG* Fetched) {
  if (!Types || (Count > 1 && !Fetched)) return E_POINTER;
  ULONG done = 0;
  if (Count > 0 && FPosition == 0) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type) return E_OUTOFMEMORY;
    if (FAILED(CopyMediaType(*type, FType))) {
      CoTaskMemFree(type);
      return E_OUTOFMEMORY;
    }
    Types[0] = type;
    done = 1;
    FPosition = 1;
  }
  if (Fetched) *Fetched = done;
  return done == Count ? S_OK : S_FALSE;
}

STDMETHODIMP TMediaTypeEnum::Skip(ULONG Count) {
  const ULONG left = FPosition == 0 ? 1 : 0;
  FPosition = Count >= left ? 1 : FPosition;
  return Count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP TMediaTypeEnum::Reset() {
  FPosition = 0;
  return S_OK;
}

STDMETHODIMP TMediaTypeEnum::Clone(IEnumMediaTypes** Copy) {
  if (!Copy) return E_POINTER;
  *Copy = new TMediaTypeEnum(*FOwner.Get(), FType, FPosition);
  return S_OK;
}

}  // namespace tvcard
