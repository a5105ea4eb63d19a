// What Debian's ffprobe and ffmpeg read from a written file: they stand for the players.
#pragma once

#include "tests/support/testing.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace asfprobe {

inline std::string Quoted(const std::string& UnixPath) { return "'" + UnixPath + "'"; }

// The streams as "codec,type,width,height" or "codec,type,rate,channels" lines, then
// "format,duration".
inline std::string Streams(const std::string& UnixPath) {
  return testing_support::ToolOutput(
      "ffprobe -v error -show_entries stream=codec_name,codec_type,width,height,sample_rate,channels"
      ":format=format_name -of csv=p=0 " +
      Quoted(UnixPath));
}

inline double Duration(const std::string& UnixPath) {
  return std::atof(
      testing_support::ToolOutput("ffprobe -v error -show_entries format=duration -of csv=p=0 " + Quoted(UnixPath))
          .c_str());
}

// The first picture shown from Seconds on, as top-down RGB24 rows; empty when none decodes.
inline std::string Picture(const std::string& UnixPath, double Seconds) {
  return testing_support::ToolOutput("ffmpeg -v error -ss " + std::to_string(Seconds) + " -i " + Quoted(UnixPath) +
                                     " -frames:v 1 -f rawvideo -pix_fmt rgb24 - 2>/dev/null");
}

// The whole sound, mixed to mono 16-bit samples at 44.1 kHz.
inline std::vector<int16_t> Sound(const std::string& UnixPath) {
  const std::string bytes = testing_support::ToolOutput("ffmpeg -v error -i " + Quoted(UnixPath) +
                                                        " -vn -ac 1 -ar 44100 -f s16le - 2>/dev/null");
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// The pitch of the tone in Samples at 44.1 kHz, from its rises through zero between the first and
// the last (silence before and after does not count). A rise counts only from well below zero to
// well above, so the coding noise around zero adds none.
inline double Pitch(const std::vector<int16_t>& Samples) {
  constexpr int kMargin = 1500;
  std::size_t first = 0, last = 0;
  int rises = 0;
  bool low = false;
  for (std::size_t i = 0; i < Samples.size(); ++i) {
    if (Samples[i] < -kMargin) low = true;
    if (Samples[i] > kMargin && low) {
      if (rises++ == 0) first = i;
      last = i;
      low = false;
    }
  }
  return rises < 2 ? 0.0 : (rises - 1) * 44100.0 / static_cast<double>(last - first);
}

// Whether the file holds an ASF simple index object, by which players seek.
inline bool HasIndex(const std::string& UnixPath) {
  static const unsigned char kIndexId[] = {0x90, 0x08, 0x00, 0x33, 0xb1, 0xe5, 0xcf, 0x11,
                                           0x89, 0xf4, 0x00, 0xa0, 0xc9, 0x03, 0x49, 0xcb};
  return testing_support::ReadUnixFile(UnixPath).find(std::string(reinterpret_cast<const char*>(kIndexId),
                                                                   sizeof kIndexId)) != std::string::npos;
}

}  // namespace asfprobe
