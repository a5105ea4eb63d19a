// Shared helpers of the image library's tests: byte builders for hand-made files, patterned
// images, pixel comparison, in-memory decode and encode, ImageMagick as the independent reader,
// damaged-file checks, and an image with a selection mask.
#pragma once

#include "tests/support/testing.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace image_test {

// Little-endian file bytes, built field by field.
class Bytes {
public:
  Bytes& u8(std::uint32_t v);
  Bytes& u16(std::uint32_t v);
  Bytes& u32(std::uint32_t v);
  Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
  Bytes& raw(const std::string& bytes);
  Bytes& raw(std::initializer_list<int> bytes);
  Bytes& zeros(std::size_t count) { return raw(std::string(count, '\0')); }
  const std::string& str() const { return FData; }
  std::size_t size() const { return FData.size(); }

private:
  std::string FData;
};

// A 40-byte BITMAPINFOHEADER.
Bytes InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t compression = 0,
                 std::uint32_t sizeImage = 0, std::uint32_t colorsUsed = 0, std::int32_t pixelsPerMetre = 0);
// A BMP file: "BM" header (bfOffBits = 14 + header + palette), then the parts as given.
std::string BmpFile(const Bytes& infoHeader, const std::string& palette, const std::string& pixels);

// A colour written as 0xRRGGBB, as the hand-computed tables write colours.
RGBQUAD Rgb(std::uint32_t rrggbb);
// The colour of pixel (x, y) as 0xRRGGBB.
std::uint32_t RgbOf(const PxImage& image, std::int32_t x, std::int32_t y);
// A 24-bit image from rows of 0xRRGGBB colours, bottom row first, with zero row padding.
void Make24(PxImage& image, const std::vector<std::vector<std::uint32_t>>& rows);
// Rows of 0xRRGGBB colours, in stored order (bottom row first).
std::vector<std::vector<std::uint32_t>> StoredRows(const PxImage& image);

// Fills an image of the given depth with a pattern that has no symmetry, and a varied palette.
void MakePattern(PxImage& image, std::uint32_t width, std::uint32_t height, std::uint32_t bpp);

// A P6 picture for the independent tools: `colours` distinct colours in a pattern without
// symmetry, or (colours 0) a smooth true-colour picture with thousands of colours.
std::string PatternPpm(int width, int height, int colours);

// Same size, depth, palette and pixels (indices for palette images, colours above).
::testing::AssertionResult SamePixels(const PxImage& expected, const PxImage& actual);

// Colours of the picture as 0xRRGGBB, top row first (the order ImageMagick's raw output uses).
std::vector<std::uint32_t> TopDownColours(const PxImage& image);

// Alpha values of the picture, top row first.
std::vector<std::uint8_t> TopDownAlpha(const PxImage& image);

// Decodes bytes from memory with the given id; the image's lastError tells why when false.
bool DecodeBytes(PxImage& image, const std::string& bytes, std::uint32_t id);
// Encodes into memory; empty when the encoder failed.
std::string EncodeBytes(PxImage& image, std::uint32_t id, bool* ok = nullptr);

// ImageMagick's view of a file: its pixels as 0xRRGGBB top row first, and "width height".
std::vector<std::uint32_t> MagickColours(const std::string& unixPath);
std::string MagickSize(const std::string& unixPath);

// A damaged file and what decoding it must give: with `result` false, the `error` message and
// the image it was decoded into left as it was.
struct DamagedFile {
  const char* what;
  std::string bytes;
  bool result;
  const char* error;
};
// Decodes the file with the given id into a patterned image and checks the outcome.
void CheckDamagedFile(const DamagedFile& file, std::uint32_t id);

// A small file whose header promises far more than the file holds, and the message decoding it
// must give (null: any message).
struct HostileFile {
  const char* what;
  std::string bytes;
  const char* error;
};
// Decodes the file with the given id into a patterned image: it must fail with the message, within
// a second, without the process's peak memory rising by more than a few dozen megabytes (what the
// header promised is never claimed), and leave the image as it was.
void CheckHostileFile(const HostileFile& file, std::uint32_t id);

// Exposes the selection mask, which nothing in the program creates, so the selection-aware paths
// can be seen at work.
class MaskedImage : public PxImage {
public:
  // Selects the given pixels (x, y), rows from the bottom; the box is their bounding box.
  void Select(const std::vector<std::pair<std::int32_t, std::int32_t>>& pixels);
  bool HasSelection() const { return selection != nullptr; }
};

}  // namespace image_test
