// Disc images for tests: CD audio tracks of tones as raw 2352-byte sectors (16-bit stereo samples
// at 44,100 Hz, little-endian, left first) in a .bin file, with the CUE sheet that describes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

constexpr std::uint32_t kCdSectorSize = 2352;
constexpr std::uint32_t kCdSampleRate = 44100;

// The tone of a track (counted from 0) on a channel (0 left, 1 right): each track and channel its own.
double DiscToneFrequency(std::size_t track, int channel);

// The raw audio of a disc of tone tracks, each the given number of sectors long, back to back.
std::string ToneDiscAudio(const std::vector<std::uint32_t>& trackSectors);

struct DiscImage {
  std::string CuePath;  // Unix paths
  std::string BinPath;
  std::vector<std::uint32_t> TrackStarts;  // first sector of each track
  std::uint32_t SectorCount = 0;
};

// Writes <name>.bin (ToneDiscAudio) and <name>.cue into the folder (a Unix path): one AUDIO track
// per entry, its INDEX 01 at the track's first sector, the first track at sector 0.
DiscImage WriteToneDisc(const std::string& folder, const std::vector<std::uint32_t>& trackSectors,
                        const std::string& name = "disc");

// A CUE sheet's time for a sector number: mm:ss:ff at 75 sectors per second.
std::string CueTime(std::uint32_t sector);

}  // namespace testing_support
