#include "platform/asfwriter/VideoEncoder.h"

#include <algorithm>

namespace asfwriter {

namespace {

// One source picture a tick: the encoder's time base is the picture rate, which wmv2 also records
// in five bits of its header, so faster sources are recorded at 30 pictures a second.
constexpr int kMaxRate = 30;
constexpr int kDefaultRate = 25;
constexpr int64_t kBitRate = 2'000'000;
constexpr int64_t kSecond = 10'000'000;  // in 100 ns units

AVPixelFormat PixelFormat(TPixelLayout Layout) {
  switch (Layout) {
    case TPixelLayout::Bgr32: return AV_PIX_FMT_BGR0;
    case TPixelLayout::Bgr24: return AV_PIX_FMT_BGR24;
    case TPixelLayout::Yuy2: return AV_PIX_FMT_YUYV422;
  }
  return AV_PIX_FMT_NONE;
}

int BitsPerPixel(TPixelLayout Layout) {
  switch (Layout) {
    case TPixelLayout::Bgr32: return 32;
    case TPixelLayout::Bgr24: return 24;
    case TPixelLayout::Yuy2: return 16;
  }
  return 0;
}

}  // namespace

TVideoEncoder::TVideoEncoder(const TVideoSource& Source)
    : FSource(Source), FStride((Source.Width * BitsPerPixel(Source.Layout) + 31) / 32 * 4) {}

std::unique_ptr<TVideoEncoder> TVideoEncoder::Create(const TVideoSource& Source, int& Error) {
  std::unique_ptr<TVideoEncoder> encoder(new TVideoEncoder(Source));
  Error = encoder->Open();
  if (Error < 0) encoder.reset();
  return encoder;
}

int TVideoEncoder::Open() {
  // YUV 4:2:0 takes even sizes: an odd last column or row is left out.
  const int width = FSource.Width & ~1, height = FSource.Height & ~1;
  if (width <= 0 || height <= 0) return AVERROR(EINVAL);
  if (FSource.FrameTime > 0)
    FRate = static_cast<int>(std::clamp<int64_t>((kSecond + FSource.FrameTime / 2) / FSource.FrameTime, 1, kMaxRate));
  else
    FRate = kDefaultRate;

  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMV2);
  if (!codec) return AVERROR_ENCODER_NOT_FOUND;
  FCodec.reset(avcodec_alloc_context3(codec));
  FFrame.reset(av_frame_alloc());
  FPacket.reset(av_packet_alloc());
  if (!FCodec || !FFrame || !FPacket) return AVERROR(ENOMEM);
  AVCodecContext& c = *FCodec;
  c.width = width;
  c.height = height;
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  c.time_base = AVRational{1, FRate};
  c.framerate = AVRational{FRate, 1};
  c.bit_rate = kBitRate;
  c.gop_size = FRate;  // a key frame every second, for seeking
  // The encoder runs on the thread that delivers the pictures: libav starts none of its own.
  c.thread_count = 1;
  if (const int opened = avcodec_open2(&c, codec, nullptr); opened < 0) return opened;

  FFrame->format = c.pix_fmt;
  FFrame->width = width;
  FFrame->height = height;
  if (const int allocated = av_frame_get_buffer(FFrame.get(), 0); allocated < 0) return allocated;
  FScaler.reset(sws_getContext(width, height, PixelFormat(FSource.Layout), width, height, AV_PIX_FMT_YUV420P,
                               SWS_BICUBIC, nullptr, nullptr, nullptr));
  return FScaler ? 0 : AVERROR(ENOMEM);
}

int TVideoEncoder::Encode(const uint8_t* Data, long Length, std::optional<int64_t> Start, TPacketSink& Sink) {
  if (!Data || Length < PictureSize()) return 0;
  int64_t tick = FLastTick ? *FLastTick + 1 : 0;
  if (Start) {
    if (*Start < 0) return 0;
    tick = (*Start * FRate + kSecond / 2) / kSecond;
  }
  if (FLastTick && tick <= *FLastTick) return 0;
  if (const int writable = av_frame_make_writable(FFrame.get()); writable < 0) return writable;

  const uint8_t* rows[1] = {Data};
  int stride[1] = {static_cast<int>(FStride)};
  if (FSource.BottomUp) {
    rows[0] = Data + static_cast<ptrdiff_t>(FStride) * (FSource.Height - 1);
    stride[0] = -stride[0];
  }
  sws_scale(FScaler.get(), rows, stride, 0, FCodec->height, FFrame->data, FFrame->linesize);
  FFrame->pts = tick;
  FLastTick = tick;
  return EncodeFrame(*FCodec, FFrame.get(), *FPacket, Sink);
}

int TVideoEncoder::Finish(TPacketSink& Sink) { return EncodeFrame(*FCodec, nullptr, *FPacket, Sink); }

}  // namespace asfwriter
