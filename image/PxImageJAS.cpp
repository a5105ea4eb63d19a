#include "image/PxImageJAS.h"

#include "image/PxFile.h"
#include "image/PxJasImage.h"

#include <algorithm>
#include <new>

namespace {

bool FormatOf(std::uint32_t formatId, PxJasFormat& format) {
  switch (formatId) {
    case FMT_JP2: format = PxJasFormat::Jp2; return true;
    case FMT_JPC: format = PxJasFormat::Jpc; return true;
    case FMT_PGX: format = PxJasFormat::Pgx; return true;
    case FMT_PNM: format = PxJasFormat::Pnm; return true;
    case FMT_RAS: format = PxJasFormat::Ras; return true;
    default: return false;
  }
}

// Three planes of one size and precision make a colour picture; anything else is gray frames.
bool IsColourPicture(const PxJasImage& planes) {
  if (planes.components.size() != 3) return false;
  const PxJasComponent& first = planes.components[0];
  return std::all_of(planes.components.begin(), planes.components.end(), [&](const PxJasComponent& c) {
    return c.width == first.width && c.height == first.height && c.precision == first.precision;
  });
}

std::uint8_t LowByte(std::int32_t sample) { return static_cast<std::uint8_t>(sample & 0xFF); }

}  // namespace

bool DecodeJasFormat(PxImage& object, PxFile* file, std::uint32_t formatId) {
  return static_cast<PxImageJAS&>(object).Decode(file, formatId);
}

bool EncodeJasFormat(PxImage& object, PxFile* file, std::uint32_t formatId) {
  return static_cast<PxImageJAS&>(object).Encode(file, formatId);
}

// --- Decode --------------------------------------------------------------------------------------

bool PxImageJAS::Decode(PxFile* file, std::uint32_t formatId) {
  if (!file) return false;
  try {
    PxJasImage planes;
    if (!ReadJasImage(*file, planes) || planes.components.empty()) {
      SetError("error: cannot load image data");
      return false;
    }
    if (planes.components.size() > 64) {
      SetError("error: too much components");
      return false;
    }
    // Planes of other depths than 1, 4 and 8 bits become 8-bit sRGB planes first.
    const std::uint32_t precision = planes.components[0].precision;
    if (precision != 1 && precision != 4 && precision != 8 && !ConvertToSrgb(planes)) {
      SetError("cannot convert to sRGB");
      return false;
    }
    return IsColourPicture(planes) ? TakeColourPlanes(planes, formatId) : TakeGrayFrame(planes, formatId);
  } catch (const std::bad_alloc&) {
    SetError("error: cannot allocate memory");
    return false;
  }
}

bool PxImageJAS::TakeColourPlanes(const PxJasImage& planes, std::uint32_t formatId) {
  const PxJasComponent& red = planes.components[0];
  const PxJasComponent& green = planes.components[1];
  const PxJasComponent& blue = planes.components[2];
  if (!Create(red.width, red.height, 24, formatId)) {
    SetError("Can't allocate memory");
    return false;
  }
  for (std::uint32_t y = 0; y < red.height; ++y) {
    std::uint8_t* pixel = RowBits(red.height - 1 - y);
    for (std::uint32_t x = 0; x < red.width; ++x, pixel += 3) {
      pixel[0] = LowByte(blue.At(x, y));
      pixel[1] = LowByte(green.At(x, y));
      pixel[2] = LowByte(red.At(x, y));
    }
  }
  return true;
}

bool PxImageJAS::TakeGrayFrame(const PxJasImage& planes, std::uint32_t formatId) {
  const auto count = static_cast<std::int32_t>(planes.components.size());
  info.frameCount = count;
  if (info.frameIndex < 0 || info.frameIndex >= count) {
    SetError("wrong frame!");
    return false;
  }
  const PxJasComponent& plane = planes.components[static_cast<std::size_t>(info.frameIndex)];
  if (!Create(plane.width, plane.height, std::min<std::uint32_t>(plane.precision, 8), formatId)) {
    SetError("Can't allocate memory");
    return false;
  }
  SetGrayPalette();
  for (std::uint32_t y = 0; y < plane.height; ++y) {
    const auto row = static_cast<std::int32_t>(plane.height - 1 - y);
    for (std::uint32_t x = 0; x < plane.width; ++x) SetPixelIndex(static_cast<std::int32_t>(x), row, LowByte(plane.At(x, y)));
  }
  return true;
}

// --- Encode --------------------------------------------------------------------------------------

bool PxImageJAS::Encode(PxFile* file, std::uint32_t formatId) {
  if (EncodeCheck(file)) return false;
  PxJasFormat format = PxJasFormat::Jp2;
  if (!FormatOf(formatId, format)) {
    SetError("Encode: Unknown format");
    return false;
  }
  try {
    PxJasImage planes;
    BuildPlanes(planes);
    if (format == PxJasFormat::Pgx && planes.components.size() != 1) {
      SetError("PGX can save only GrayScale images");
      return false;
    }
    if (!WriteJasImage(planes, *file, format, info.jpegQuality * 0.01) || !file->Flush()) {
      SetError("error: cannot encode image\n");
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    SetError("error : can't allocate memory");
    return false;
  }
}

void PxImageJAS::BuildPlanes(PxJasImage& planes) const {
  const auto width = static_cast<std::uint32_t>(Width());
  const auto height = static_cast<std::uint32_t>(Height());
  bool gray = IsIndexed();
  for (std::uint32_t i = 0; gray && i < NumColors(); ++i) {
    const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
    gray = entry.rgbRed == entry.rgbGreen && entry.rgbGreen == entry.rgbBlue;
  }

  planes.colorSpace = gray ? PxJasColorSpace::Gray : PxJasColorSpace::Rgb;
  const int count = gray ? 1 : 3;
  for (int c = 0; c < count; ++c) planes.AddComponent(width, height, 8);
  // Planes hold the top row first; the pixel block the bottom row.
  for (std::uint32_t y = 0; y < height; ++y) {
    const auto row = static_cast<std::int32_t>(height - 1 - y);
    for (std::uint32_t x = 0; x < width; ++x) {
      const RGBQUAD colour = BlindPixelColor(static_cast<std::int32_t>(x), row);
      planes.components[0].At(x, y) = colour.rgbRed;
      if (!gray) {
        planes.components[1].At(x, y) = colour.rgbGreen;
        planes.components[2].At(x, y) = colour.rgbBlue;
      }
    }
  }
}
