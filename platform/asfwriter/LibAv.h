// Debian's FFmpeg libraries as the writer uses them, with owners for their objects.
#pragma once

// clang-format off
#include "platform/UnixHeadersBegin.h"
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include "platform/UnixHeadersEnd.h"
// clang-format on

#include <memory>

namespace asfwriter {

struct TCodecFree {
  void operator()(AVCodecContext* Codec) const { avcodec_free_context(&Codec); }
};
struct TFrameFree {
  void operator()(AVFrame* Frame) const { av_frame_free(&Frame); }
};
struct TPacketFree {
  void operator()(AVPacket* Packet) const { av_packet_free(&Packet); }
};
struct TScalerFree {
  void operator()(SwsContext* Scaler) const { sws_freeContext(Scaler); }
};
struct TResamplerFree {
  void operator()(SwrContext* Resampler) const { swr_free(&Resampler); }
};
struct TFifoFree {
  void operator()(AVAudioFifo* Fifo) const { av_audio_fifo_free(Fifo); }
};

using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecFree>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameFree>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketFree>;
using TScalerPtr = std::unique_ptr<SwsContext, TScalerFree>;
using TResamplerPtr = std::unique_ptr<SwrContext, TResamplerFree>;
using TFifoPtr = std::unique_ptr<AVAudioFifo, TFifoFree>;

// Where an encoder hands its packets, stamped in its codec's time base; a negative result is a
// libav error that stops the encoder.
class TPacketSink {
public:
  virtual int Write(AVPacket& Packet, const AVCodecContext& Codec) = 0;

protected:
  ~TPacketSink() = default;
};

// Sends Frame (null: the end of the stream) to Codec and hands Sink every packet that is ready,
// through Packet. Returns a libav error, or 0.
inline int EncodeFrame(AVCodecContext& Codec, const AVFrame* Frame, AVPacket& Packet, TPacketSink& Sink) {
  if (const int sent = avcodec_send_frame(&Codec, Frame); sent < 0) return sent;
  for (;;) {
    const int received = avcodec_receive_packet(&Codec, &Packet);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return 0;
    if (received < 0) return received;
    const int written = Sink.Write(Packet, Codec);
    av_packet_unref(&Packet);
    if (written < 0) return written;
  }
}

}  // namespace asfwriter
