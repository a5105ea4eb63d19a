// The card itself: its tuning and its crossbar's routing, shared by every filter instance in the
// process, as a real card's state lives in the hardware.
#pragma once

#include <windows.h>

#include <mutex>

namespace tvcard {

inline constexpr LONG kMinChannel = 0;
inline constexpr LONG kMaxChannel = 125;
// A sub-channel left to the tuner (AMTUNER_SUBCHAN_DEFAULT).
inline constexpr LONG kDefaultSubChannel = -1;

// Physical connector types of the crossbar's pins.
inline constexpr LONG kVideoTuner = 1;
inline constexpr LONG kVideoComposite = 2;
inline constexpr LONG kSVideo = 3;
inline constexpr LONG kVideoDecoder = 12;
inline constexpr LONG kAudioTuner = 0x1000;
inline constexpr LONG kAudioLine = 0x1001;
inline constexpr LONG kAudioDecoder = 0x1009;

// The crossbar's pins in index order, each with its related pin (video and audio of one source).
struct TCrossbarPin {
  LONG Type;
  LONG Related;
};
inline constexpr TCrossbarPin kCrossbarInputs[] = {
    {kVideoTuner, 3}, {kVideoComposite, 4}, {kSVideo, 4}, {kAudioTuner, 0}, {kAudioLine, 1}};
inline constexpr TCrossbarPin kCrossbarOutputs[] = {{kVideoDecoder, 1}, {kAudioDecoder, 0}};
inline constexpr LONG kCrossbarInputCount = sizeof kCrossbarInputs / sizeof kCrossbarInputs[0];
inline constexpr LONG kCrossbarOutputCount = sizeof kCrossbarOutputs / sizeof kCrossbarOutputs[0];

bool IsVideoConnector(LONG Type);

struct TTuning {
  LONG Channel = 1;
  LONG VideoSubChannel = kDefaultSubChannel;
  LONG AudioSubChannel = kDefaultSubChannel;
};

class TDevice {
public:
  static TDevice& Card();

  TTuning Tuning() const;
  // False, and the tuning unchanged, for a channel outside kMinChannel..kMaxChannel.
  bool Tune(const TTuning& Tuning);

  // The input index routed to an output index.
  LONG RoutedInput(LONG Output) const;
  void Route(LONG Output, LONG Input);
  // The connector type of the input that reaches the video decoder.
  LONG VideoSource() const;

private:
  TDevice() = default;

  mutable std::mutex FLock;
  TTuning FTuning;
  LONG FRouting[kCrossbarOutputCount] = {0, 3};  // the tuner's picture and sound
};

}  // namespace tvcard
