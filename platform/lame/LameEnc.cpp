#include "platform/lame/LameEnc.h"

// lame.h declares its functions __cdecl when it sees _WIN32, which Winelib maps to the Windows calling
// convention; libmp3lame is a Linux library.
#include "platform/UnixHeadersBegin.h"
#include <lame/lame.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace {

// What the record asks for, once checked.
struct StreamSettings {
  int inputRate = 0;
  int outputRate = 0;  // 0: the input rate
  MPEG_mode mode = STEREO;
  int channels = 2;
  int bitrate = 0;
  bool privateBit = false;
  bool crc = false;
  bool copyright = false;
  bool original = false;
};

constexpr std::array<int, 14> kMpeg1Bitrates{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 14> kMpeg2Bitrates{8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 9> kLameRates{8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

template <std::size_t N>
bool Contains(const std::array<int, N>& values, std::int64_t value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

bool IsMpeg1Rate(std::int64_t rate) { return rate == 32000 || rate == 44100 || rate == 48000; }

// A bit rate that the MPEG version of the output sample rate has (lower rates are MPEG-2 and 2.5).
bool IsBitrateOfRate(std::int64_t bitrate, std::int64_t rate) {
  return IsMpeg1Rate(rate) ? Contains(kMpeg1Bitrates, bitrate) : Contains(kMpeg2Bitrates, bitrate);
}

std::optional<MPEG_mode> LameMode(std::int64_t beMode) {
  switch (beMode) {
    case BE_MP3_MODE_STEREO: return STEREO;
    case BE_MP3_MODE_JSTEREO: return JOINT_STEREO;
    case BE_MP3_MODE_MONO: return MONO;
    default: return std::nullopt;
  }
}

BE_ERR ReadMp3Config(const BE_CONFIG& config, StreamSettings& settings) {
  const auto& mp3 = config.format.mp3;
  const std::optional<MPEG_mode> mode = LameMode(mp3.byMode);
  if (!IsMpeg1Rate(mp3.dwSampleRate) || !mode || !Contains(kMpeg1Bitrates, mp3.wBitrate))
    return BE_ERR_INVALID_FORMAT_PARAMETERS;
  settings.inputRate = static_cast<int>(mp3.dwSampleRate);
  settings.mode = *mode;
  settings.bitrate = mp3.wBitrate;
  settings.privateBit = mp3.bPrivate != 0;
  settings.crc = mp3.bCRC != 0;
  settings.copyright = mp3.bCopyright != 0;
  settings.original = mp3.bOriginal != 0;
  return BE_ERR_SUCCESSFUL;
}

BE_ERR ReadLameConfig(const BE_CONFIG& config, StreamSettings& settings) {
  const auto& lhv1 = config.format.LHV1;
  const std::optional<MPEG_mode> mode = LameMode(lhv1.nMode);
  const std::int64_t outputRate = lhv1.dwReSampleRate != 0 ? lhv1.dwReSampleRate : lhv1.dwSampleRate;
  if (!Contains(kLameRates, lhv1.dwSampleRate) || !Contains(kLameRates, outputRate) || !mode ||
      !IsBitrateOfRate(lhv1.dwBitrate, outputRate) || lhv1.bEnableVBR != 0)
    return BE_ERR_INVALID_FORMAT_PARAMETERS;
  settings.inputRate = static_cast<int>(lhv1.dwSampleRate);
  settings.outputRate = static_cast<int>(lhv1.dwReSampleRate);
  settings.mode = *mode;
  settings.bitrate = static_cast<int>(lhv1.dwBitrate);
  settings.privateBit = lhv1.bPrivate != 0;
  settings.crc = lhv1.bCRC != 0;
  settings.copyright = lhv1.bCopyright != 0;
  settings.original = lhv1.bOriginal != 0;
  return BE_ERR_SUCCESSFUL;
}

BE_ERR ReadConfig(const BE_CONFIG& config, StreamSettings& settings) {
  BE_ERR result = BE_ERR_INVALID_FORMAT;
  if (config.dwConfig == BE_CONFIG_MP3) result = ReadMp3Config(config, settings);
  if (config.dwConfig == BE_CONFIG_LAME) result = ReadLameConfig(config, settings);
  if (result == BE_ERR_SUCCESSFUL) settings.channels = settings.mode == MONO ? 1 : 2;
  return result;
}

struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using LamePtr = std::unique_ptr<lame_global_flags, LameCloser>;

// One encoding stream over libmp3lame. Each call's output fits the buffer size that
// BufferSize() announces: LAME's own bound for one frame of input, plus room for the final flush.
class Mp3Stream {
public:
  // Returns nullptr when LAME refuses the settings.
  static std::unique_ptr<Mp3Stream> Open(const StreamSettings& settings) {
    LamePtr flags(lame_init());
    if (!flags) return nullptr;
    lame_global_flags* f = flags.get();
    lame_set_in_samplerate(f, settings.inputRate);
    if (settings.outputRate != 0) lame_set_out_samplerate(f, settings.outputRate);
    lame_set_num_channels(f, settings.channels);
    lame_set_mode(f, settings.mode);
    lame_set_VBR(f, vbr_off);
    lame_set_brate(f, settings.bitrate);
    lame_set_extension(f, settings.privateBit);
    lame_set_error_protection(f, settings.crc);
    lame_set_copyright(f, settings.copyright);
    lame_set_original(f, settings.original);
    // The caller only receives bytes in order and never rewrites the start of its file, so the
    // Xing header frame would stay an empty placeholder: leave it out.
    lame_set_bWriteVbrTag(f, 0);
    if (lame_init_params(f) < 0) return nullptr;
    return std::unique_ptr<Mp3Stream>(new Mp3Stream(std::move(flags), settings.channels));
  }

  DWORD SamplesPerChunk() const { return static_cast<DWORD>(FFrameSize * FChannels); }
  DWORD BufferSize() const { return static_cast<DWORD>(FFrameSize * 5 / 4 + 7200); }

  BE_ERR Encode(DWORD samples, const SHORT* input, BYTE* output, DWORD* outputBytes) {
    if (samples > SamplesPerChunk()) return BE_ERR_BUFFER_TOO_SMALL;
    if (samples % FChannels != 0) return BE_ERR_INVALID_FORMAT_PARAMETERS;
    const std::lock_guard lock(FMutex);
    const int frames = static_cast<int>(samples / FChannels);
    const int size = static_cast<int>(BufferSize());
    // libmp3lame takes non-const input it does not change.
    short* pcm = const_cast<short*>(input);
    const int written = FChannels == 2 ? lame_encode_buffer_interleaved(FFlags.get(), pcm, frames, output, size)
                                       : lame_encode_buffer(FFlags.get(), pcm, nullptr, frames, output, size);
    return Report(written, outputBytes);
  }

  BE_ERR Flush(BYTE* output, DWORD* outputBytes) {
    const std::lock_guard lock(FMutex);
    return Report(lame_encode_flush(FFlags.get(), output, static_cast<int>(BufferSize())), outputBytes);
  }

private:
  Mp3Stream(LamePtr flags, int channels)
      : FFlags(std::move(flags)), FChannels(channels), FFrameSize(lame_get_framesize(FFlags.get())) {}

  static BE_ERR Report(int written, DWORD* outputBytes) {
    // LAME's negative results: -1 output buffer too small, the others bad input or internal faults.
    if (written < 0) return written == -1 ? BE_ERR_BUFFER_TOO_SMALL : BE_ERR_INVALID_FORMAT_PARAMETERS;
    *outputBytes = static_cast<DWORD>(written);
    return BE_ERR_SUCCESSFUL;
  }

  std::mutex FMutex;
  LamePtr FFlags;
  const int FChannels;
  const int FFrameSize;
};

// Open streams by handle. A handle is a number of our own, never reused, so a stale or made-up
// handle is recognised instead of being dereferenced.
class StreamTable {
public:
  HBE_STREAM Add(std::unique_ptr<Mp3Stream> stream) {
    const std::lock_guard lock(FMutex);
    const HBE_STREAM handle = ++FLastHandle;
    FStreams.emplace(handle, std::move(stream));
    return handle;
  }

  std::shared_ptr<Mp3Stream> Find(HBE_STREAM handle) const {
    const std::lock_guard lock(FMutex);
    const auto found = FStreams.find(handle);
    return found == FStreams.end() ? nullptr : found->second;
  }

  bool Remove(HBE_STREAM handle) {
    const std::lock_guard lock(FMutex);
    return FStreams.erase(handle) != 0;
  }

private:
  mutable std::mutex FMutex;
  HBE_STREAM FLastHandle = 0;
  std::map<HBE_STREAM, std::shared_ptr<Mp3Stream>> FStreams;
};

StreamTable& Streams() {
  static StreamTable table;
  return table;
}

}  // namespace

extern "C" {

BE_ERR __cdecl beInitStream(PBE_CONFIG config, DWORD* samples, DWORD* bufferSize, PHBE_STREAM stream) {
  if (!config || !samples || !bufferSize || !stream) return BE_ERR_INVALID_FORMAT_PARAMETERS;
  StreamSettings settings;
  if (const BE_ERR result = ReadConfig(*config, settings); result != BE_ERR_SUCCESSFUL) return result;
  std::unique_ptr<Mp3Stream> encoder = Mp3Stream::Open(settings);
  if (!encoder) return BE_ERR_INVALID_FORMAT_PARAMETERS;
  *samples = encoder->SamplesPerChunk();
  *bufferSize = encoder->BufferSize();
  *stream = Streams().Add(std::move(encoder));
  return BE_ERR_SUCCESSFUL;
}

BE_ERR __cdecl beEncodeChunk(HBE_STREAM stream, DWORD samples, SHORT* input, BYTE* output, DWORD* outputBytes) {
  const std::shared_ptr<Mp3Stream> encoder = Streams().Find(stream);
  if (!encoder) return BE_ERR_INVALID_HANDLE;
  if ((samples != 0 && !input) || !output || !outputBytes) return BE_ERR_INVALID_FORMAT_PARAMETERS;
  return encoder->Encode(samples, input, output, outputBytes);
}

BE_ERR __cdecl beDeinitStream(HBE_STREAM stream, BYTE* output, DWORD* outputBytes) {
  const std::shared_ptr<Mp3Stream> encoder = Streams().Find(stream);
  if (!encoder) return BE_ERR_INVALID_HANDLE;
  if (!output || !outputBytes) return BE_ERR_INVALID_FORMAT_PARAMETERS;
  return encoder->Flush(output, outputBytes);
}

BE_ERR __cdecl beCloseStream(HBE_STREAM stream) {
  return Streams().Remove(stream) ? BE_ERR_SUCCESSFUL : BE_ERR_INVALID_HANDLE;
}

}  // extern "C"
