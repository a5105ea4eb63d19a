#include "platform/asfwriter/MediaFormats.h"

#include <cstddef>
#include <cstring>

namespace asfwriter {

namespace {

constexpr int64_t kLargestSide = 4096;

// The PCM fields of a WAVEFORMATEX: a source may hand the older 16-byte PCMWAVEFORMAT.
constexpr ULONG kPcmFormatSize = offsetof(WAVEFORMATEX, cbSize);

}  // namespace

std::optional<TVideoSource> VideoSourceOf(const AM_MEDIA_TYPE& Type) {
  if (Type.majortype != MEDIATYPE_Video || Type.formattype != FORMAT_VideoInfo || !Type.pbFormat ||
      Type.cbFormat < sizeof(VIDEOINFOHEADER))
    return std::nullopt;
  const auto& info = *reinterpret_cast<const VIDEOINFOHEADER*>(Type.pbFormat);
  const BITMAPINFOHEADER& bitmap = info.bmiHeader;
  const int64_t height = bitmap.biHeight < 0 ? -int64_t{bitmap.biHeight} : bitmap.biHeight;
  if (bitmap.biWidth < 2 || bitmap.biWidth > kLargestSide || height < 2 || height > kLargestSide) return std::nullopt;
  TVideoSource source{TPixelLayout::Bgr32, static_cast<int>(bitmap.biWidth), static_cast<int>(height),
                      bitmap.biHeight > 0, info.AvgTimePerFrame};
  if (Type.subtype == MEDIASUBTYPE_RGB32 && bitmap.biCompression == BI_RGB && bitmap.biBitCount == 32) {
    source.Layout = TPixelLayout::Bgr32;
  } else if (Type.subtype == MEDIASUBTYPE_RGB24 && bitmap.biCompression == BI_RGB && bitmap.biBitCount == 24) {
    source.Layout = TPixelLayout::Bgr24;
  } else if (Type.subtype == MEDIASUBTYPE_YUY2 && bitmap.biCompression == MAKEFOURCC('Y', 'U', 'Y', '2') &&
             bitmap.biBitCount == 16 && bitmap.biWidth % 2 == 0) {
    // YUV pictures run from the top down whatever the sign of the height.
    source.Layout = TPixelLayout::Yuy2;
    source.BottomUp = false;
  } else {
    return std::nullopt;
  }
  return source;
}

std::optional<TAudioSource> AudioSourceOf(const AM_MEDIA_TYPE& Type) {
  if (Type.majortype != MEDIATYPE_Audio || Type.subtype != MEDIASUBTYPE_PCM || Type.formattype != FORMAT_WaveFormatEx ||
      !Type.pbFormat || Type.cbFormat < kPcmFormatSize)
    return std::nullopt;
  WAVEFORMATEX wave{};
  std::memcpy(&wave, Type.pbFormat, kPcmFormatSize);
  const int bits = wave.wBitsPerSample;
  if (wave.wFormatTag != WAVE_FORMAT_PCM || wave.nChannels < 1 || wave.nChannels > 8 ||
      (bits != 8 && bits != 16 && bits != 32) || wave.nSamplesPerSec < 8000 || wave.nSamplesPerSec > 192000 ||
      wave.nBlockAlign != wave.nChannels * bits / 8)
    return std::nullopt;
  return TAudioSource{static_cast<int>(wave.nSamplesPerSec), wave.nChannels, bits};
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

void FreeMediaType(AM_MEDIA_TYPE& Type) {
  CoTaskMemFree(Type.pbFormat);
  Type = AM_MEDIA_TYPE{};
}

}  // namespace asfwriter
