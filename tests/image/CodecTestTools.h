// Helpers shared by the codec tests: command lines for the independent tools, netpbm output
// parsed back, pixel lists compared with a tolerance, a file whose disk fills up, and cut and
// damaged copies of a file decoded.
#pragma once

#include "tests/support/testing.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace codec_test {

// A Unix path quoted for the shell.
std::string Shell(const std::string& path);

// The command with every {name} replaced by its value (quoted paths, as the caller gives them).
std::string FillCommand(std::string command, const std::map<std::string, std::string>& values);

// Runs an independent tool's command line: `make` with {in}, {out} and {dir} standing for the quoted
// input and output files and the folder, its messages dropped. On failure names the command.
::testing::AssertionResult MakeWithTool(const std::string& make, const std::string& in, const std::string& out,
                                        const testing_support::TempDir& dir);

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

// A file whose disk fills up after `room` bytes (PutByte comes through Write, so it counts too).
class FullDisk : public PxMemFile {
public:
  explicit FullDisk(std::size_t room);
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;

private:
  std::size_t FRoom;
  std::size_t FUsed = 0;
};

// How a file is cut and damaged: cuts every 1 + length / cutStep bytes, then `rounds` copies
// with `flips` bits flipped each, from a fixed seed so a failure repeats.
struct Damage {
  std::size_t cutStep;
  std::uint32_t seed;
  int rounds;
  int flips;
};
// Decodes the cut copies with `cutId` and the damaged ones with `damagedId`; neither may crash,
// and a damaged copy that decodes must give a valid image.
void DecodeCutAndDamaged(const std::string& file, std::uint32_t cutId, std::uint32_t damagedId, const Damage& damage);

// Encoding into a disk with room for each of `rooms` bytes fails with `message`; a disk with room
// for all `whole` bytes of the file takes it.
void ExpectFullDisksFail(PxImage& image, std::uint32_t id, std::initializer_list<std::size_t> rooms, const char* message,
                         std::size_t whole);

// Decoding the bytes takes under two seconds, gives a picture on success and a reason on failure.
::testing::AssertionResult DecodesCleanly(const std::string& bytes, std::uint32_t id);
// Every cut of each sample, and 150 copies with 1 to 6 random bytes overwritten (every other copy
// only within the first `headerSize` bytes), decode cleanly; `seed` makes a failure repeat.
void ExpectCutAndCorruptDecodeCleanly(const std::vector<std::string>& samples, std::uint32_t id, std::size_t headerSize,
                                      std::uint32_t seed);

}  // namespace codec_test
