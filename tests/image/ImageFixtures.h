// Shared helpers of the image library's tests: byte builders for hand-made files, patterned
// images, pixel comparison, in-memory decode and encode, and ImageMagick as the independent reader.
#pragma once

#include "tests/support/testing.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <cstdint>
#include <string>
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

// Fills an image of the given depth with a pattern that has no symmetry, and a varied palette.
void MakePattern(PxImage& image, std::uint32_t width, std::uint32_t height, std::uint32_t bpp);

// Same size, depth, palette and pixels (indices for palette images, colours above).
::testing::AssertionResult SamePixels(const PxImage& expected, const PxImage& actual);

// Colours of the picture as 0xRRGGBB, top row first (the order ImageMagick's raw output uses).
std::vector<std::uint32_t> TopDownColours(const PxImage& image);

// Decodes bytes from memory with the given id; the image's lastError tells why when false.
bool DecodeBytes(PxImage& image, const std::string& bytes, std::uint32_t id);
// Encodes into memory; empty when the encoder failed.
std::string EncodeBytes(PxImage& image, std::uint32_t id, bool* ok = nullptr);

// ImageMagick's view of a file: its pixels as 0xRRGGBB top row first, and "width height".
std::vector<std::uint32_t> MagickColours(const std::string& unixPath);
std::string MagickSize(const std::string& unixPath);

}  // namespace image_test
