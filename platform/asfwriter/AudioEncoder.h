// The audio half of the writer's encoding: the source's PCM resampled to 44.1 kHz stereo and encoded
// as Windows Media Audio 2 (wmav2).
#pragma once

#include "platform/asfwriter/LibAv.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace asfwriter {

// Interleaved integer PCM: 8-bit unsigned, or 16- or 32-bit signed samples.
struct TAudioSource {
  int Rate;
  int Channels;
  int Bits;
};

class TAudioEncoder {
public:
  TAudioEncoder(const TAudioEncoder&) = delete;
  TAudioEncoder& operator=(const TAudioEncoder&) = delete;

  // The encoder for Source, or null when libav refuses it (Error holds its code).
  static std::unique_ptr<TAudioEncoder> Create(const TAudioSource& Source, int& Error);

  const AVCodecContext& Codec() const { return *FCodec; }

  // Encodes the sound in Data (Length bytes, whole sample frames) that starts at Start (100 ns
  // units of stream time; none: right after the last) and hands what comes out to Sink. The sound
  // runs on from buffer to buffer; where a buffer starts noticeably after the sound so far ends (the
  // source lost some), silence fills the gap, so the sound stays with the picture. Returns a libav
  // error, or 0.
  int Encode(const uint8_t* Data, long Length, std::optional<int64_t> Start, TPacketSink& Sink);
  // Hands Sink the rest, the last frame filled up with silence.
  int Finish(TPacketSink& Sink);

private:
  explicit TAudioEncoder(const TAudioSource& Source);
  int Open();
  // The converter's output for Frames source sample frames (Data null: what it still holds) into
  // the queue.
  int Convert(const uint8_t* Data, int Frames);
  int QueueSilence(int64_t Frames);
  // Encodes whole codec frames from the queue; with Last, a partial one as well.
  int EncodeQueued(bool Last, TPacketSink& Sink);
  // The time, in output samples, at which the next converted sample will play.
  int64_t QueueEnd() const;

  const TAudioSource FSource;
  TCodecPtr FCodec;
  TFramePtr FFrame;
  TPacketPtr FPacket;
  TResamplerPtr FResampler;
  TFifoPtr FQueue;
  std::vector<float> FLeft, FRight;  // the converter's output
  bool FStarted = false;
  int64_t FQueueStart = 0;  // the time, in output samples, of the queue's first sample
};

}  // namespace asfwriter
