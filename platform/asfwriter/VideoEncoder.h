// The video half of the writer's encoding: the source's pictures converted to YUV 4:2:0 and encoded
// as Windows Media Video 8 (wmv2).
#pragma once

#include "platform/asfwriter/LibAv.h"

#include <cstdint>
#include <optional>

namespace asfwriter {

// How the source lays its pictures out in memory: rows padded to four bytes, as in a DIB.
enum class TPixelLayout { Bgr32, Bgr24, Yuy2 };

struct TVideoSource {
  TPixelLayout Layout;
  int Width;
  int Height;
  bool BottomUp;      // the last row of the picture comes first, as in RGB DIBs of positive height
  int64_t FrameTime;  // in 100 ns units; 0 when the source names no rate
};

class TVideoEncoder {
public:
  TVideoEncoder(const TVideoEncoder&) = delete;
  TVideoEncoder& operator=(const TVideoEncoder&) = delete;

  // The encoder for Source, or null when libav refuses it (Error holds its code).
  static std::unique_ptr<TVideoEncoder> Create(const TVideoSource& Source, int& Error);

  const AVCodecContext& Codec() const { return *FCodec; }
  // The bytes of one source picture.
  long PictureSize() const { return FStride * FSource.Height; }

  // Encodes the picture in Data (Length bytes) shown from Start (100 ns units of stream time; none:
  // the tick after the last picture's) and hands what comes out to Sink. A picture too short for
  // the format, one from before the stream's start, or one on a tick already taken (a source faster
  // than the encoding's rate) is left out. Returns a libav error, or 0.
  int Encode(const uint8_t* Data, long Length, std::optional<int64_t> Start, TPacketSink& Sink);
  // Hands Sink what the encoder still holds.
  int Finish(TPacketSink& Sink);

private:
  explicit TVideoEncoder(const TVideoSource& Source);
  int Open();

  const TVideoSource FSource;
  const long FStride;
  int FRate = 25;  // ticks a second
  std::optional<int64_t> FLastTick;
  TCodecPtr FCodec;
  TFramePtr FFrame;
  TPacketPtr FPacket;
  TScalerPtr FScaler;
};

}  // namespace asfwriter
