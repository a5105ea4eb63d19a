// One ASF file being written: the file, the muxer and an encoder for each stream the writer has.
//
// The writer's one encoding (what its profile maps to):
// - video: Windows Media Video 8 (wmv2), YUV 4:2:0 at the source's size (an odd last column or row
//   left out), at the source's picture rate up to 30 a second (25 when the source names none),
//   2 Mbit/s on average, a key frame every second;
// - audio: Windows Media Audio 2 (wmav2), 44.1 kHz stereo, 128 kbit/s, whatever PCM comes in;
// - times from the samples' own, so sound and picture keep together; on finishing, the header gets
//   the duration and the file an index, so players can seek.
#pragma once

#include "platform/asfwriter/AudioEncoder.h"
#include "platform/asfwriter/FileOutput.h"
#include "platform/asfwriter/VideoEncoder.h"

#include <atomic>
#include <mutex>

namespace asfwriter {

class TAsfFile {
public:
  TAsfFile(const TAsfFile&) = delete;
  TAsfFile& operator=(const TAsfFile&) = delete;
  // A file not finished is removed.
  ~TAsfFile();

  // Creates the file at the Windows path Path with a video stream, an audio stream or both, and
  // writes its header. On failure File is null and no file is left.
  static HRESULT Create(const WCHAR* Path, const std::optional<TVideoSource>& Video,
                        const std::optional<TAudioSource>& Audio, std::unique_ptr<TAsfFile>& File);

  // Add a picture, or a buffer of sound, that starts at Start (100 ns units of stream time; none
  // when the sample has no time). The video and the audio may come on two threads at once, but each
  // on one thread at a time. A failure sticks: the file is then lost.
  HRESULT WriteVideo(const uint8_t* Data, long Length, std::optional<int64_t> Start);
  HRESULT WriteAudio(const uint8_t* Data, long Length, std::optional<int64_t> Start);

  // Writes what the encoders still hold, the index and the final header, and closes the file; once
  // the writing stopped. On failure the file is removed.
  HRESULT Finish();

private:
  // Writes one stream's packets into the file.
  class TStreamSink final : public TPacketSink {
  public:
    TStreamSink(TAsfFile& File, AVStream& Stream) : FFile(File), FStream(Stream) {}
    int Write(AVPacket& Packet, const AVCodecContext& Codec) override;

  private:
    TAsfFile& FFile;
    AVStream& FStream;
  };

  struct TFormatFree {
    void operator()(AVFormatContext* Format) const { avformat_free_context(Format); }
  };

  explicit TAsfFile(std::unique_ptr<TFileOutput> Output);
  HRESULT Open(const std::optional<TVideoSource>& Video, const std::optional<TAudioSource>& Audio);
  AVStream* AddStream(const AVCodecContext& Codec);
  // Notes a libav failure and answers with the first failure's cause.
  HRESULT Failure(int Error);

  std::unique_ptr<TFileOutput> FOutput;
  std::unique_ptr<AVFormatContext, TFormatFree> FFormat;
  std::unique_ptr<TVideoEncoder> FVideo;
  std::unique_ptr<TAudioEncoder> FAudio;
  std::unique_ptr<TStreamSink> FVideoSink, FAudioSink;
  std::mutex FMuxLock;  // the muxer and the file, which both streams write
  std::atomic<HRESULT> FError = S_OK;  // the first failure
};

}  // namespace asfwriter
