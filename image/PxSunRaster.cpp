#include "image/PxSunRaster.h"

#include "image/PxFile.h"
#include "image/PxJasImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t kMagic = 0x59A66A95;

// Encodings of the pixel data.
constexpr std::uint32_t kOldType = 0;
constexpr std::uint32_t kStandardType = 1;
constexpr std::uint32_t kByteEncodedType = 2;  // run-length encoded
constexpr std::uint32_t kRgbType = 3;          // true-colour pixels in red, green, blue order

constexpr std::uint32_t kNoMap = 0;
constexpr std::uint32_t kRgbMap = 1;

// Runs in byte-encoded data: 0x80, a count n and a value stand for n + 1 values; 0x80 0 is 0x80.
constexpr std::uint8_t kRunFlag = 0x80;
// The most one run of three bytes can stand for, a bound on how far the data can expand.
constexpr std::uint64_t kLongestRun = 256;

struct RasterHeader {
  std::uint32_t magic;
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t depth;
  std::uint32_t length;
  std::uint32_t type;
  std::uint32_t mapType;
  std::uint32_t mapLength;
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

void PutBigEndian32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}

// Rows are padded to 16 bits.
std::uint64_t RowBytes(std::uint32_t width, std::uint32_t depth) {
  return ((static_cast<std::uint64_t>(width) * depth + 15) / 16) * 2;
}

bool ReadRunLengthData(PxFile& file, std::uint8_t* out, std::size_t size) {
  std::size_t filled = 0;
  while (filled < size) {
    const std::int32_t b = file.GetByte();
    if (b < 0) return false;
    if (b != kRunFlag) {
      out[filled++] = static_cast<std::uint8_t>(b);
      continue;
    }
    const std::int32_t count = file.GetByte();
    if (count < 0) return false;
    if (count == 0) {
      out[filled++] = kRunFlag;
      continue;
    }
    const std::int32_t value = file.GetByte();
    if (value < 0) return false;
    // A run reaching past the last row is cut there.
    const std::size_t run = std::min<std::size_t>(static_cast<std::size_t>(count) + 1, size - filled);
    std::memset(out + filled, value, run);
    filled += run;
  }
  return true;
}

// The colour of map entry `index`; entries the map lacks are black.
void MapColour(const std::vector<std::uint8_t>& map, std::uint32_t entries, std::uint32_t index, std::int32_t* rgb) {
  for (int c = 0; c < 3; ++c) rgb[c] = index < entries ? map[c * entries + index] : 0;
}

}  // namespace

bool IsSunRaster(const std::uint8_t* head, std::size_t length) { return length >= 4 && BigEndian32(head) == kMagic; }

bool ReadSunRaster(PxFile& file, PxJasImage& image) {
  std::uint8_t bytes[32];
  if (!JasReadAll(file, bytes, sizeof(bytes))) return false;
  const RasterHeader h{BigEndian32(bytes),      BigEndian32(bytes + 4),  BigEndian32(bytes + 8),
                       BigEndian32(bytes + 12), BigEndian32(bytes + 16), BigEndian32(bytes + 20),
                       BigEndian32(bytes + 24), BigEndian32(bytes + 28)};
  if (h.magic != kMagic || h.width == 0 || h.height == 0 || h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF) return false;
  if (h.depth != 1 && h.depth != 8 && h.depth != 24 && h.depth != 32) return false;
  if (h.type != kOldType && h.type != kStandardType && h.type != kByteEncodedType && h.type != kRgbType) return false;
  if (h.mapType != kNoMap && h.mapType != kRgbMap) return false;

  // The colour map: all red values, then all green, then all blue.
  std::vector<std::uint8_t> map;
  std::uint32_t entries = 0;
  if (h.mapType == kRgbMap) {
    if (h.mapLength % 3 != 0 || h.mapLength > 3 * 256) return false;
    entries = h.mapLength / 3;
    map.resize(h.mapLength);
    if (!JasReadAll(file, map.data(), map.size())) return false;
  } else if (h.mapLength > 0 && !file.Seek(static_cast<std::int32_t>(std::min<std::uint32_t>(h.mapLength, 0x7FFFFFFF)), SEEK_CUR)) {
    return false;
  }

  const bool trueColour = h.depth >= 24;
  const bool mapped = !trueColour && h.mapType == kRgbMap;
  const std::size_t count = trueColour || mapped ? 3 : 1;
  const std::uint64_t rowBytes = RowBytes(h.width, h.depth);
  const std::uint64_t dataBytes = rowBytes * h.height;
  const std::uint64_t samples = std::uint64_t{h.width} * h.height * count;
  const std::uint64_t expansion = h.type == kByteEncodedType ? kLongestRun : 1;
  if (samples > kMaxJasSamples || dataBytes > kMaxJasSamples * 4 || dataBytes > JasBytesLeft(file) * expansion)
    return false;

  std::vector<std::uint8_t> data(static_cast<std::size_t>(dataBytes));
  const bool read = h.type == kByteEncodedType ? ReadRunLengthData(file, data.data(), data.size())
                                               : JasReadAll(file, data.data(), data.size());
  if (!read) return false;

  image.components.clear();
  image.colorSpace = count == 3 ? PxJasColorSpace::Rgb : PxJasColorSpace::Gray;
  for (std::size_t c = 0; c < count; ++c) image.AddComponent(h.width, h.height, h.depth == 1 && !mapped ? 1 : 8);

  for (std::uint32_t y = 0; y < h.height; ++y) {
    const std::uint8_t* row = data.data() + y * rowBytes;
    for (std::uint32_t x = 0; x < h.width; ++x) {
      std::int32_t rgb[3] = {};
      if (trueColour) {
        // Padding byte first at 32 bits; blue first unless the type says red.
        const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * (h.depth / 8) + (h.depth == 32 ? 1 : 0);
        const bool redFirst = h.type == kRgbType;
        rgb[0] = pixel[redFirst ? 0 : 2];
        rgb[1] = pixel[1];
        rgb[2] = pixel[redFirst ? 2 : 0];
      } else {
        const std::uint32_t index = h.depth == 1 ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x];
        if (mapped) MapColour(map, entries, index, rgb);
        else rgb[0] = h.depth == 1 ? static_cast<std::int32_t>(1 - index) : static_cast<std::int32_t>(index);
      }
      for (std::size_t c = 0; c < count; ++c) image.components[c].At(x, y) = rgb[c];
    }
  }
  return true;
}

bool WriteSunRaster(const PxJasImage& image, PxFile& file) {
  const std::size_t count = image.components.size();
  if (count != 1 && count != 3) return false;
  const PxJasComponent& first = image.components[0];
  for (const PxJasComponent& c : image.components) {
    if (c.width != first.width || c.height != first.height || c.precision > 8) return false;
  }
  const std::uint32_t depth = count == 3 ? 24 : 8;
  const std::uint64_t rowBytes = RowBytes(first.width, depth);
  if (rowBytes * first.height > 0xFFFFFFFFu) return false;

  std::uint8_t header[32];
  const std::uint32_t fields[8] = {kMagic, first.width, first.height, depth, static_cast<std::uint32_t>(rowBytes * first.height),
                                   kStandardType, kNoMap, 0};
  for (int i = 0; i < 8; ++i) PutBigEndian32(header + 4 * i, fields[i]);
  if (!JasWriteAll(file, header, sizeof(header))) return false;

  std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
  for (std::uint32_t y = 0; y < first.height; ++y) {
    for (std::uint32_t x = 0; x < first.width; ++x) {
      if (count == 1) {
        row[x] = static_cast<std::uint8_t>(first.At(x, y));
        continue;
      }
      // Standard true-colour pixels are stored blue, green, red.
      for (std::size_t c = 0; c < 3; ++c) row[3 * x + 2 - c] = static_cast<std::uint8_t>(image.components[c].At(x, y));
    }
    if (!JasWriteAll(file, row.data(), row.size())) return false;
  }
  return true;
}
