// Helpers shared by the tests of the TIFF and JPEG-2000 family codecs: command lines for the
// independent tools, netpbm output parsed back, pixel lists compared with a tolerance, and a file
// whose disk fills up.
#pragma once

#include "tests/support/testing.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace codec_test {

// A Unix path quoted for the shell.
std::string Shell(const std::string& path);

// The command with every {name} replaced by its value (quoted paths, as the caller gives them).
std::string FillCommand(std::string command, const std::map<std::string, std::string>& values);

// A netpbm picture as the tools write it (P5 or P6, any maximum value): samples top row first.
struct Netpbm {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::uint32_t maximum = 0;
  std::vector<std::uint32_t> samples;
};
// Empty (width 0) when the bytes are no binary gray or pixel map.
Netpbm ParseNetpbm(const std::string& bytes);
// Binary gray or pixel map with maximum value 255 or 65535 (two bytes a sample).
std::string MakeNetpbm(int width, int height, int channels, std::uint32_t maximum,
                       const std::vector<std::uint32_t>& samples);

// The picture's colours as 0xAARRGGBB, top row first; alpha 255 without an alpha channel.
std::vector<std::uint32_t> ImageArgb(const PxImage& image);
// ImageMagick's view of a file's first picture, the same way.
std::vector<std::uint32_t> MagickArgb(const std::string& unixPath);
// A netpbm picture the same way (gray repeated, 8-bit samples).
std::vector<std::uint32_t> NetpbmArgb(const Netpbm& picture);

// Largest and mean difference of any channel; 256 when the lists differ in size.
int LargestDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);
double MeanDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);

// The bytes written into a memory file.
std::string Contents(PxMemFile& file);

// A file whose disk fills up after `room` bytes.
class FullDisk : public PxMemFile {
public:
  explicit FullDisk(std::size_t room);
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  bool PutByte(std::uint8_t value) override;

private:
  std::size_t FRoom;
  std::size_t FUsed = 0;
};

}  // namespace codec_test
