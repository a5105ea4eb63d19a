#include "platform/asfwriter/AsfFile.h"

namespace asfwriter {

TAsfFile::TAsfFile(std::unique_ptr<TFileOutput> Output) : FOutput(std::move(Output)) {}

// The members go in reverse order: the muxer before the output it writes to, which removes a file
// not finished.
TAsfFile::~TAsfFile() = default;

HRESULT TAsfFile::Create(const WCHAR* Path, const std::optional<TVideoSource>& Video,
                         const std::optional<TAudioSource>& Audio, std::unique_ptr<TAsfFile>& File) {
  // The writer answers through its results; libav's messages would only reach the program's stderr.
  static const bool quiet = [] {
    av_log_set_level(AV_LOG_QUIET);
    return true;
  }();
  (void)quiet;
  File.reset();
  if (!Path) return E_POINTER;
  if (!Video && !Audio) return E_INVALIDARG;
  HRESULT result = S_OK;
  std::unique_ptr<TFileOutput> output = TFileOutput::Create(Path, result);
  if (!output) return result;
  std::unique_ptr<TAsfFile> file(new TAsfFile(std::move(output)));
  result = file->Open(Video, Audio);
  if (SUCCEEDED(result)) File = std::move(file);
  return result;
}

HRESULT TAsfFile::Open(const std::optional<TVideoSource>& Video, const std::optional<TAudioSource>& Audio) {
  AVFormatContext* format = nullptr;
  if (const int made = avformat_alloc_output_context2(&format, nullptr, "asf", nullptr); made < 0)
    return Failure(made);
  FFormat.reset(format);
  format->pb = FOutput->Context();
  int error = 0;
  if (Video) {
    FVideo = TVideoEncoder::Create(*Video, error);
    if (!FVideo) return Failure(error);
    AVStream* stream = AddStream(FVideo->Codec());
    if (!stream) return E_OUTOFMEMORY;
    FVideoSink = std::make_unique<TStreamSink>(*this, *stream);
  }
  if (Audio) {
    FAudio = TAudioEncoder::Create(*Audio, error);
    if (!FAudio) return Failure(error);
    AVStream* stream = AddStream(FAudio->Codec());
    if (!stream) return E_OUTOFMEMORY;
    FAudioSink = std::make_unique<TStreamSink>(*this, *stream);
  }
  if (const int written = avformat_write_header(format, nullptr); written < 0) return Failure(written);
  return S_OK;
}

AVStream* TAsfFile::AddStream(const AVCodecContext& Codec) {
  AVStream* stream = avformat_new_stream(FFormat.get(), nullptr);
  if (!stream || avcodec_parameters_from_context(stream->codecpar, &Codec) < 0) return nullptr;
  stream->time_base = Codec.time_base;
  return stream;
}

HRESULT TAsfFile::Failure(int Error) {
  HRESULT cause = Error == AVERROR(ENOMEM) ? E_OUTOFMEMORY : E_FAIL;
  {
    // A failed write or seek of the file says more than the muxer's "I/O error".
    const std::lock_guard guard(FMuxLock);
    if (FOutput->Failed()) cause = FOutput->Error();
  }
  HRESULT first = S_OK;
  FError.compare_exchange_strong(first, cause);
  return FError;
}

HRESULT TAsfFile::WriteVideo(const uint8_t* Data, long Length, std::optional<int64_t> Start) {
  if (!FVideo) return E_UNEXPECTED;
  if (FAILED(FError)) return FError;
  const int encoded = FVideo->Encode(Data, Length, Start, *FVideoSink);
  return encoded < 0 ? Failure(encoded) : S_OK;
}

HRESULT TAsfFile::WriteAudio(const uint8_t* Data, long Length, std::optional<int64_t> Start) {
  if (!FAudio) return E_UNEXPECTED;
  if (FAILED(FError)) return FError;
  const int encoded = FAudio->Encode(Data, Length, Start, *FAudioSink);
  return encoded < 0 ? Failure(encoded) : S_OK;
}

int TAsfFile::TStreamSink::Write(AVPacket& Packet, const AVCodecContext& Codec) {
  Packet.stream_index = FStream.index;
  av_packet_rescale_ts(&Packet, Codec.time_base, FStream.time_base);
  const std::lock_guard guard(FFile.FMuxLock);
  return av_interleaved_write_frame(FFile.FFormat.get(), &Packet);
}

HRESULT TAsfFile::Finish() {
  if (SUCCEEDED(FError)) {
    int error = FVideo ? FVideo->Finish(*FVideoSink) : 0;
    if (error >= 0 && FAudio) error = FAudio->Finish(*FAudioSink);
    if (error >= 0) error = av_write_trailer(FFormat.get());
    if (error < 0) Failure(error);
  }
  FFormat.reset();
  const HRESULT closed = FOutput->Close(SUCCEEDED(FError));
  return FAILED(FError) ? FError.load() : closed;
}

}  // namespace asfwriter
