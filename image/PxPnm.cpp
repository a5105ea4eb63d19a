#include "image/PxPnm.h"

#include "image/PxFile.h"
#include "image/PxJasImage.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool IsBlank(std::int32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(std::int32_t c) { return c >= '0' && c <= '9'; }

// The text parts of a PNM file: decimal numbers between blanks and '#' remarks.
class PnmText {
public:
  explicit PnmText(PxFile& file) : FFile(file) {}

  // The next number; false when something else comes or it passes `limit`. The byte after its
  // digits is consumed and kept in Next().
  bool Number(std::uint32_t limit, std::uint32_t& value) {
    std::int32_t c = SkipBlanks();
    if (!IsDigit(c)) return false;
    std::uint64_t v = 0;
    while (IsDigit(c)) {
      v = v * 10 + static_cast<std::uint32_t>(c - '0');
      if (v > limit) return false;
      c = FFile.GetByte();
    }
    FNext = c;
    value = static_cast<std::uint32_t>(v);
    return true;
  }

  // The next '0' or '1' of a plain bitmap, where blanks between the digits are optional.
  bool Bit(std::int32_t& bit) {
    const std::int32_t c = SkipBlanks();
    if (c != '0' && c != '1') return false;
    bit = c - '0';
    return true;
  }

  std::int32_t Next() const { return FNext; }

private:
  std::int32_t SkipBlanks() {
    std::int32_t c = FFile.GetByte();
    for (;;) {
      if (c == '#') {
        while (c != '\n' && c != '\r' && c != -1) c = FFile.GetByte();
      } else if (IsBlank(c)) {
        c = FFile.GetByte();
      } else {
        return c;
      }
    }
  }

  PxFile& FFile;
  std::int32_t FNext = -1;
};

std::uint32_t BitsFor(std::uint32_t maximum) {
  std::uint32_t bits = 0;
  while (maximum >> bits) ++bits;
  return bits;
}

// Whether the maximum fills its bits (1, 3, 7 ... 255 ... 65535): planes of that many bits then
// hold the samples as they are meant.
bool IsFullRange(std::uint32_t maximum) { return (maximum & (maximum + 1)) == 0; }

// Samples of any other maximum (1000, 200...) are scaled by that maximum, rounded to the nearest
// level, into 8-bit planes: planes of the bits the maximum needs would stretch them by the wrong
// factor (255 / 1023 for a maximum of 1000).
void ScaleToEightBits(PxJasImage& image, std::uint32_t maximum) {
  for (PxJasComponent& component : image.components) {
    for (std::int32_t& sample : component.samples)
      sample = static_cast<std::int32_t>((static_cast<std::uint64_t>(sample) * 255 + maximum / 2) / maximum);
    component.precision = 8;
  }
}

bool ReadPlainSamples(PnmText& text, PxJasImage& image, bool bitmap, std::uint32_t maximum) {
  const PxJasComponent& first = image.components[0];
  const std::size_t pixels = static_cast<std::size_t>(first.width) * first.height;
  for (std::size_t i = 0; i < pixels; ++i) {
    for (PxJasComponent& component : image.components) {
      if (bitmap) {
        std::int32_t bit = 0;
        if (!text.Bit(bit)) return false;
        component.samples[i] = 1 - bit;
      } else {
        std::uint32_t value = 0;
        if (!text.Number(maximum, value)) return false;
        component.samples[i] = static_cast<std::int32_t>(value);
      }
    }
  }
  return true;
}

bool ReadBinarySamples(PxFile& file, PxJasImage& image, bool bitmap, std::uint32_t maximum) {
  const std::uint32_t width = image.components[0].width;
  const std::uint32_t height = image.components[0].height;
  const std::size_t count = image.components.size();
  const std::size_t sampleBytes = maximum > 255 ? 2 : 1;
  const std::size_t rowBytes = bitmap ? (width + 7) / 8 : width * count * sampleBytes;
  std::vector<std::uint8_t> row(rowBytes);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (!JasReadAll(file, row.data(), rowBytes)) return false;
    for (std::uint32_t x = 0; x < width; ++x) {
      if (bitmap) {
        image.components[0].At(x, y) = 1 - ((row[x >> 3] >> (7 - (x & 7))) & 1);
        continue;
      }
      for (std::size_t c = 0; c < count; ++c) {
        const std::uint8_t* sample = row.data() + (x * count + c) * sampleBytes;
        const std::uint32_t value = sampleBytes == 2 ? (sample[0] << 8) | sample[1] : sample[0];
        if (value > maximum) return false;
        image.components[c].At(x, y) = static_cast<std::int32_t>(value);
      }
    }
  }
  return true;
}

}  // namespace

bool IsPnm(const std::uint8_t* head, std::size_t length) {
  return length >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6';
}

bool ReadPnm(PxFile& file, PxJasImage& image) {
  std::uint8_t magic[2];
  if (!JasReadAll(file, magic, 2) || !IsPnm(magic, 2)) return false;
  const int kind = magic[1] - '0';
  const bool plain = kind <= 3;
  const bool bitmap = kind == 1 || kind == 4;
  const std::size_t count = kind == 3 || kind == 6 ? 3 : 1;

  PnmText text(file);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t maximum = 1;
  if (!text.Number(0x7FFFFFFF, width) || !text.Number(0x7FFFFFFF, height)) return false;
  if (!bitmap && !text.Number(65535, maximum)) return false;
  if (width == 0 || height == 0 || maximum == 0) return false;
  // Binary samples start right after the one blank that ends the header.
  if (!plain && !IsBlank(text.Next())) return false;

  // Each sample takes at least one byte of text, or its share of a binary row: a file too short
  // for its size is refused before anything is allocated.
  const std::uint64_t samples = static_cast<std::uint64_t>(width) * height * count;
  if (samples > kMaxJasSamples) return false;
  std::uint64_t needed = samples;
  if (!plain) needed = bitmap ? std::uint64_t{(width + 7) / 8} * height : samples * (maximum > 255 ? 2 : 1);
  if (needed > JasBytesLeft(file)) return false;

  image.components.clear();
  image.colorSpace = count == 3 ? PxJasColorSpace::Rgb : PxJasColorSpace::Gray;
  for (std::size_t c = 0; c < count; ++c) image.AddComponent(width, height, BitsFor(maximum));
  if (!(plain ? ReadPlainSamples(text, image, bitmap, maximum) : ReadBinarySamples(file, image, bitmap, maximum)))
    return false;
  if (!IsFullRange(maximum)) ScaleToEightBits(image, maximum);
  return true;
}

bool WritePnm(const PxJasImage& image, PxFile& file) {
  const std::size_t count = image.components.size();
  if (count != 1 && count != 3) return false;
  const PxJasComponent& first = image.components[0];
  for (const PxJasComponent& c : image.components) {
    if (c.width != first.width || c.height != first.height || c.precision != first.precision) return false;
  }
  if (first.precision < 1 || first.precision > 16) return false;
  const std::uint32_t maximum = (1u << first.precision) - 1;

  char header[64];
  const int length = std::snprintf(header, sizeof(header), "P%c\n%u %u\n%u\n", count == 3 ? '6' : '5', first.width,
                                   first.height, maximum);
  if (!JasWriteAll(file, header, static_cast<std::size_t>(length))) return false;

  const std::size_t sampleBytes = maximum > 255 ? 2 : 1;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(first.width) * count * sampleBytes);
  for (std::uint32_t y = 0; y < first.height; ++y) {
    std::uint8_t* out = row.data();
    for (std::uint32_t x = 0; x < first.width; ++x) {
      for (const PxJasComponent& c : image.components) {
        const auto value = static_cast<std::uint32_t>(c.At(x, y)) & maximum;
        if (sampleBytes == 2) *out++ = static_cast<std::uint8_t>(value >> 8);
        *out++ = static_cast<std::uint8_t>(value);
      }
    }
    if (!JasWriteAll(file, row.data(), row.size())) return false;
  }
  return true;
}
