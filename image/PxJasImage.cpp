#include "image/PxJasImage.h"

#include "image/PxFile.h"
#include "image/PxOpenJpeg.h"
#include "image/PxPgx.h"
#include "image/PxPnm.h"
#include "image/PxSunRaster.h"

#include <algorithm>
#include <cstdio>

PxJasComponent& PxJasImage::AddComponent(std::uint32_t width, std::uint32_t height, std::uint32_t precision) {
  PxJasComponent& component = components.emplace_back();
  component.width = width;
  component.height = height;
  component.precision = precision;
  component.samples.assign(static_cast<std::size_t>(width) * height, 0);
  return component;
}

std::uint64_t JasBytesLeft(PxFile& file) {
  const std::int32_t position = file.GetPosition();
  const std::int32_t size = file.GetSize();
  return position < 0 || size < position ? 0 : static_cast<std::uint64_t>(size - position);
}

bool JasReadAll(PxFile& file, void* buffer, std::size_t size) { return size == 0 || file.Read(buffer, 1, size) == size; }

bool JasWriteAll(PxFile& file, const void* buffer, std::size_t size) {
  return size == 0 || file.Write(buffer, 1, size) == size;
}

bool ReadJasImage(PxFile& file, PxJasImage& image) {
  // The first bytes name the format; the reader then starts again from the same place.
  const std::int32_t start = file.GetPosition();
  std::uint8_t head[12] = {};
  const std::size_t length = file.Read(head, 1, sizeof(head));
  if (start < 0 || !file.Seek(start, SEEK_SET)) return false;

  if (IsJp2File(head, length)) return ReadJpeg2000(file, false, image);
  if (IsJpcStream(head, length)) return ReadJpeg2000(file, true, image);
  if (IsPgx(head, length)) return ReadPgx(file, image);
  if (IsPnm(head, length)) return ReadPnm(file, image);
  if (IsSunRaster(head, length)) return ReadSunRaster(file, image);
  return false;
}

bool WriteJasImage(const PxJasImage& image, PxFile& file, PxJasFormat format, double rate) {
  switch (format) {
    case PxJasFormat::Jp2: return WriteJpeg2000(image, file, false, rate);
    case PxJasFormat::Jpc: return WriteJpeg2000(image, file, true, rate);
    case PxJasFormat::Pgx: return WritePgx(image, file);
    case PxJasFormat::Pnm: return WritePnm(image, file);
    case PxJasFormat::Ras: return WriteSunRaster(image, file);
  }
  return false;
}

namespace {

// A plane's samples rescaled to 8 bits (signed samples shifted to start at 0).
PxJasComponent EightBitCopy(const PxJasComponent& source) {
  const std::int64_t maximum = (std::int64_t{1} << source.precision) - 1;
  const std::int64_t shift = source.isSigned ? std::int64_t{1} << (source.precision - 1) : 0;
  PxJasComponent result;
  result.width = source.width;
  result.height = source.height;
  result.precision = 8;
  result.samples.resize(source.samples.size());
  for (std::size_t i = 0; i < source.samples.size(); ++i) {
    const std::int64_t v = std::clamp<std::int64_t>(source.samples[i] + shift, 0, maximum);
    result.samples[i] = static_cast<std::int32_t>((v * 255 + maximum / 2) / maximum);
  }
  return result;
}

}  // namespace

bool ConvertToSrgb(PxJasImage& image) {
  auto usable = [](const PxJasComponent& c) { return c.precision >= 1 && c.precision <= 31; };
  std::vector<PxJasComponent> converted;
  if (image.colorSpace == PxJasColorSpace::Gray && !image.components.empty() && usable(image.components[0])) {
    const PxJasComponent gray = EightBitCopy(image.components[0]);
    converted.assign(3, gray);
  } else if (image.colorSpace == PxJasColorSpace::Rgb && image.components.size() >= 3) {
    for (std::size_t i = 0; i < 3; ++i) {
      const PxJasComponent& c = image.components[i];
      if (!usable(c) || c.width != image.components[0].width || c.height != image.components[0].height) return false;
      converted.push_back(EightBitCopy(c));
    }
  } else {
    return false;
  }
  image.components = std::move(converted);
  image.colorSpace = PxJasColorSpace::Rgb;
  return true;
}
