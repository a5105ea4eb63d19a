#include "platform/asfwriter/AudioEncoder.h"

#include <algorithm>

namespace asfwriter {

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int64_t kBitRate = 128'000;
constexpr int64_t kSecond = 10'000'000;  // in 100 ns units
// Timing differences below a tenth of a second are the source's jitter, not lost sound; a gap is
// filled up to five seconds at most.
constexpr int64_t kTolerance = kRate / 10;
constexpr int64_t kLongestGap = 5 * kRate;

AVSampleFormat SampleFormat(int Bits) {
  switch (Bits) {
    case 8: return AV_SAMPLE_FMT_U8;
    case 16: return AV_SAMPLE_FMT_S16;
    case 32: return AV_SAMPLE_FMT_S32;
    default: return AV_SAMPLE_FMT_NONE;
  }
}

}  // namespace

TAudioEncoder::TAudioEncoder(const TAudioSource& Source) : FSource(Source) {}

std::unique_ptr<TAudioEncoder> TAudioEncoder::Create(const TAudioSource& Source, int& Error) {
  std::unique_ptr<TAudioEncoder> encoder(new TAudioEncoder(Source));
  Error = encoder->Open();
  if (Error < 0) encoder.reset();
  return encoder;
}

int TAudioEncoder::Open() {
  const AVSampleFormat format = SampleFormat(FSource.Bits);
  if (format == AV_SAMPLE_FMT_NONE || FSource.Channels <= 0 || FSource.Rate <= 0) return AVERROR(EINVAL);
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
  if (!codec) return AVERROR_ENCODER_NOT_FOUND;
  FCodec.reset(avcodec_alloc_context3(codec));
  FFrame.reset(av_frame_alloc());
  FPacket.reset(av_packet_alloc());
  if (!FCodec || !FFrame || !FPacket) return AVERROR(ENOMEM);
  AVCodecContext& c = *FCodec;
  c.sample_fmt = AV_SAMPLE_FMT_FLTP;
  c.sample_rate = kRate;
  av_channel_layout_default(&c.ch_layout, kChannels);
  c.bit_rate = kBitRate;
  c.time_base = AVRational{1, kRate};
  c.thread_count = 1;  // no threads of libav's own
  if (const int opened = avcodec_open2(&c, codec, nullptr); opened < 0) return opened;

  FFrame->format = c.sample_fmt;
  FFrame->nb_samples = c.frame_size;
  FFrame->sample_rate = kRate;
  if (const int copied = av_channel_layout_copy(&FFrame->ch_layout, &c.ch_layout); copied < 0) return copied;
  if (const int allocated = av_frame_get_buffer(FFrame.get(), 0); allocated < 0) return allocated;

  AVChannelLayout input;
  av_channel_layout_default(&input, FSource.Channels);
  SwrContext* resampler = nullptr;
  const int made = swr_alloc_set_opts2(&resampler, &c.ch_layout, c.sample_fmt, kRate, &input, format, FSource.Rate,
                                       0, nullptr);
  av_channel_layout_uninit(&input);
  FResampler.reset(resampler);
  if (made < 0) return made;
  if (const int ready = swr_init(resampler); ready < 0) return ready;
  FQueue.reset(av_audio_fifo_alloc(c.sample_fmt, kChannels, c.frame_size * 4));
  return FQueue ? 0 : AVERROR(ENOMEM);
}

int64_t TAudioEncoder::QueueEnd() const {
  return FQueueStart + av_audio_fifo_size(FQueue.get()) + swr_get_delay(FResampler.get(), kRate);
}

int TAudioEncoder::Encode(const uint8_t* Data, long Length, std::optional<int64_t> Start, TPacketSink& Sink) {
  const long blockAlign = static_cast<long>(FSource.Channels) * FSource.Bits / 8;
  const long frames = Data ? Length / blockAlign : 0;
  if (frames <= 0) return 0;
  if (Start) {
    const int64_t at = av_rescale(*Start, kRate, kSecond);
    if (!FStarted) {
      FQueueStart = at;
    } else if (const int64_t gap = at - QueueEnd(); gap > kTolerance) {
      if (const int filled = QueueSilence(std::min(gap, kLongestGap)); filled < 0) return filled;
    }
  }
  FStarted = true;
  if (const int converted = Convert(Data, static_cast<int>(frames)); converted < 0) return converted;
  return EncodeQueued(false, Sink);
}

int TAudioEncoder::Finish(TPacketSink& Sink) {
  if (const int converted = Convert(nullptr, 0); converted < 0) return converted;
  if (const int encoded = EncodeQueued(true, Sink); encoded < 0) return encoded;
  return EncodeFrame(*FCodec, nullptr, *FPacket, Sink);
}

int TAudioEncoder::Convert(const uint8_t* Data, int Frames) {
  const int room = swr_get_out_samples(FResampler.get(), Frames);
  if (room < 0) return room;
  if (room == 0) return 0;
  if (FLeft.size() < static_cast<std::size_t>(room)) {
    FLeft.resize(room);
    FRight.resize(room);
  }
  uint8_t* out[kChannels] = {reinterpret_cast<uint8_t*>(FLeft.data()), reinterpret_cast<uint8_t*>(FRight.data())};
  const uint8_t* in[1] = {Data};
  const int converted = swr_convert(FResampler.get(), out, room, Data ? in : nullptr, Frames);
  if (converted <= 0) return converted;
  const int queued = av_audio_fifo_write(FQueue.get(), reinterpret_cast<void**>(out), converted);
  return queued < 0 ? queued : 0;
}

int TAudioEncoder::QueueSilence(int64_t Frames) {
  const auto chunk = static_cast<std::size_t>(std::min<int64_t>(Frames, kRate));
  std::vector<float> silence(chunk, 0.0f);
  void* planes[kChannels] = {silence.data(), silence.data()};
  for (int64_t left = Frames; left > 0;) {
    const int count = static_cast<int>(std::min<int64_t>(left, static_cast<int64_t>(chunk)));
    const int queued = av_audio_fifo_write(FQueue.get(), planes, count);
    if (queued < 0) return queued;
    left -= count;
  }
  return 0;
}

int TAudioEncoder::EncodeQueued(bool Last, TPacketSink& Sink) {
  const int frameSize = FCodec->frame_size;
  for (;;) {
    const int queued = av_audio_fifo_size(FQueue.get());
    if (queued == 0 || (queued < frameSize && !Last)) return 0;
    if (const int writable = av_frame_make_writable(FFrame.get()); writable < 0) return writable;
    const int count = std::min(queued, frameSize);
    const int read = av_audio_fifo_read(FQueue.get(), reinterpret_cast<void**>(FFrame->data), count);
    if (read < 0) return read;
    if (read < frameSize)
      av_samples_set_silence(FFrame->data, read, frameSize - read, kChannels, FCodec->sample_fmt);
    FFrame->pts = FQueueStart;
    FQueueStart += read;
    if (const int sent = EncodeFrame(*FCodec, FFrame.get(), *FPacket, Sink); sent < 0) return sent;
  }
}

}  // namespace asfwriter
