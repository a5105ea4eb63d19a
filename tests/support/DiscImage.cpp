#include "tests/support/DiscImage.h"

#include "tests/support/testing.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace testing_support {
namespace {

constexpr std::uint32_t kFramesPerSector = kCdSectorSize / 4;  // one frame: left and right, 16 bits each
constexpr double kAmplitude = 8000;

void AppendSample(std::string& bytes, double value) {
  const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value)));
  bytes += static_cast<char>(sample & 0xFF);
  bytes += static_cast<char>(sample >> 8);
}

}  // namespace

double DiscToneFrequency(std::size_t track, int channel) {
  const double left = 200.0 + 100.0 * static_cast<double>(track);
  return channel == 0 ? left : left * 1.5;
}

std::string ToneDiscAudio(const std::vector<std::uint32_t>& trackSectors) {
  std::string bytes;
  for (std::size_t track = 0; track < trackSectors.size(); ++track) {
    const std::uint64_t frames = std::uint64_t{trackSectors[track]} * kFramesPerSector;
    for (std::uint64_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / kCdSampleRate;
      for (int channel = 0; channel < 2; ++channel)
        AppendSample(bytes, kAmplitude * std::sin(2 * std::numbers::pi * DiscToneFrequency(track, channel) * t));
    }
  }
  return bytes;
}

std::string CueTime(std::uint32_t sector) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", sector / 75 / 60, sector / 75 % 60, sector % 75);
  return text;
}

DiscImage WriteToneDisc(const std::string& folder, const std::vector<std::uint32_t>& trackSectors,
                        const std::string& name) {
  DiscImage disc;
  disc.CuePath = folder + "/" + name + ".cue";
  disc.BinPath = folder + "/" + name + ".bin";
  std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
  for (std::size_t track = 0; track < trackSectors.size(); ++track) {
    const std::string number = (track + 1 < 10 ? "0" : "") + std::to_string(track + 1);
    disc.TrackStarts.push_back(disc.SectorCount);
    cue += "  TRACK " + number + " AUDIO\n    INDEX 01 " + CueTime(disc.SectorCount) + "\n";
    disc.SectorCount += trackSectors[track];
  }
  WriteUnixFile(disc.BinPath, ToneDiscAudio(trackSectors));
  WriteUnixFile(disc.CuePath, cue);
  return disc;
}

}  // namespace testing_support
