// The media types the writer's pins take, read into the encoders' source descriptions, and copies of
// media types as DirectShow hands them out.
#pragma once

#include "platform/asfwriter/AudioEncoder.h"
#include "platform/asfwriter/VideoEncoder.h"

#include <dshow.h>

namespace asfwriter {

// Uncompressed RGB32, RGB24 or YUY2 pictures described by a VIDEOINFOHEADER; nothing for any other
// type, or for sizes beyond what the encoder takes.
std::optional<TVideoSource> VideoSourceOf(const AM_MEDIA_TYPE& Type);
// PCM of 8, 16 or 32 bits in one to eight channels described by a WAVEFORMATEX; nothing otherwise.
std::optional<TAudioSource> AudioSourceOf(const AM_MEDIA_TYPE& Type);

// A deep copy into To, the format block allocated with CoTaskMemAlloc; and the release of one.
HRESULT CopyMediaType(AM_MEDIA_TYPE& To, const AM_MEDIA_TYPE& From);
void FreeMediaType(AM_MEDIA_TYPE& Type);

}  // namespace asfwriter
