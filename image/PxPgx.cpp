#include "image/PxPgx.h"

#include "image/PxFile.h"
#include "image/PxJasImage.h"

#include <cstdio>
#include <vector>

namespace {

bool IsSpace(std::int32_t c) { return c == ' ' || c == '\t'; }

// Decimal digits after spaces and tabs; the byte after them is consumed and returned in `next`.
bool ReadNumber(PxFile& file, std::uint32_t limit, std::uint32_t& value, std::int32_t& next) {
  std::int32_t c = file.GetByte();
  while (IsSpace(c)) c = file.GetByte();
  if (c < '0' || c > '9') return false;
  std::uint64_t v = 0;
  while (c >= '0' && c <= '9') {
    v = v * 10 + static_cast<std::uint32_t>(c - '0');
    if (v > limit) return false;
    c = file.GetByte();
  }
  value = static_cast<std::uint32_t>(v);
  next = c;
  return true;
}

}  // namespace

bool IsPgx(const std::uint8_t* head, std::size_t length) {
  return length >= 3 && head[0] == 'P' && head[1] == 'G' && IsSpace(head[2]);
}

bool ReadPgx(PxFile& file, PxJasImage& image) {
  // "PG", the byte order ("ML" big-endian, "LM" little-endian), an optional sign, then the
  // precision, width and height, and one line end.
  std::uint8_t magic[3];
  if (!JasReadAll(file, magic, 3) || !IsPgx(magic, 3)) return false;
  std::int32_t c = file.GetByte();
  while (IsSpace(c)) c = file.GetByte();
  const std::int32_t second = file.GetByte();
  bool bigEndian = false;
  if (c == 'M' && second == 'L') bigEndian = true;
  else if (c != 'L' || second != 'M') return false;

  c = file.GetByte();
  while (IsSpace(c)) c = file.GetByte();
  bool isSigned = false;
  if (c == '+' || c == '-') {
    isSigned = c == '-';
  } else if (!file.Seek(-1, SEEK_CUR)) {
    return false;
  }
  std::uint32_t precision = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::int32_t next = -1;
  if (!ReadNumber(file, 16, precision, next) || !IsSpace(next)) return false;
  if (!ReadNumber(file, 0x7FFFFFFF, width, next) || !IsSpace(next)) return false;
  if (!ReadNumber(file, 0x7FFFFFFF, height, next)) return false;
  while (IsSpace(next)) next = file.GetByte();
  if (next == '\r') next = file.GetByte();
  if (next != '\n' || precision == 0 || width == 0 || height == 0) return false;

  const std::size_t sampleBytes = precision > 8 ? 2 : 1;
  const std::uint64_t samples = static_cast<std::uint64_t>(width) * height;
  if (samples > kMaxJasSamples || samples * sampleBytes > JasBytesLeft(file)) return false;

  image.components.clear();
  image.colorSpace = PxJasColorSpace::Gray;
  PxJasComponent& plane = image.AddComponent(width, height, precision);
  plane.isSigned = isSigned;
  const std::uint32_t mask = (1u << precision) - 1;
  const std::uint32_t signBit = 1u << (precision - 1);
  std::vector<std::uint8_t> row(width * sampleBytes);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (!JasReadAll(file, row.data(), row.size())) return false;
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* bytes = row.data() + x * sampleBytes;
      std::uint32_t v = bytes[0];
      if (sampleBytes == 2) v = bigEndian ? (bytes[0] << 8) | bytes[1] : (bytes[1] << 8) | bytes[0];
      v &= mask;
      plane.At(x, y) = isSigned && (v & signBit) ? static_cast<std::int32_t>(v) - static_cast<std::int32_t>(mask) - 1
                                                : static_cast<std::int32_t>(v);
    }
  }
  return true;
}

bool WritePgx(const PxJasImage& image, PxFile& file) {
  if (image.components.size() != 1) return false;
  const PxJasComponent& plane = image.components[0];
  if (plane.precision < 1 || plane.precision > 16) return false;
  char header[80];
  const int length = std::snprintf(header, sizeof(header), "PG ML %c %u %u %u\n", plane.isSigned ? '-' : '+',
                                   plane.precision, plane.width, plane.height);
  if (!JasWriteAll(file, header, static_cast<std::size_t>(length))) return false;

  const std::size_t sampleBytes = plane.precision > 8 ? 2 : 1;
  std::vector<std::uint8_t> row(plane.width * sampleBytes);
  for (std::uint32_t y = 0; y < plane.height; ++y) {
    for (std::uint32_t x = 0; x < plane.width; ++x) {
      const auto v = static_cast<std::uint32_t>(plane.At(x, y));
      if (sampleBytes == 2) {
        row[2 * x] = static_cast<std::uint8_t>(v >> 8);
        row[2 * x + 1] = static_cast<std::uint8_t>(v);
      } else {
        row[x] = static_cast<std::uint8_t>(v);
      }
    }
    if (!JasWriteAll(file, row.data(), row.size())) return false;
  }
  return true;
}
