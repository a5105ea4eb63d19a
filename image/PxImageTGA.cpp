#include "image/PxImageTGA.h"

#include "image/PxFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

#pragma pack(push, 1)
struct TgaHeader {
  std::uint8_t idLength;
  std::uint8_t colorMapType;
  std::uint8_t imageType;
  std::uint16_t colorMapFirst;
  std::uint16_t colorMapLength;
  std::uint8_t colorMapEntrySize;
  std::uint16_t xOrigin;
  std::uint16_t yOrigin;
  std::uint16_t width;
  std::uint16_t height;
  std::uint8_t pixelDepth;
  std::uint8_t descriptor;  // bit 4 right-to-left, bit 5 top-down
};
#pragma pack(pop)
static_assert(sizeof(TgaHeader) == 18, "the TGA header is 18 bytes on disk");

constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopDown = 0x20;
constexpr std::uint32_t kLongestPacket = 128;

// A failure inside the codec; its text becomes lastError at the codec's edge (null: lastError
// already holds the reason).
struct TgaFailure {
  const char* text;
};

[[noreturn]] void Fail(const char* text) { throw TgaFailure{text}; }

std::uint32_t BytesPerPixel(std::uint32_t depth) { return (depth + 7) / 8; }

bool ValidDepth(std::uint32_t depth) { return depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32; }

// A 15- or 16-bit pixel: 5 bits each of red, green and blue, red highest.
RGBQUAD ColorFrom16(const std::uint8_t* bytes) {
  const std::uint32_t v = bytes[0] | (bytes[1] << 8);
  return RGBQUAD{static_cast<std::uint8_t>((v << 3) & 0xF8), static_cast<std::uint8_t>((v >> 2) & 0xF8),
                 static_cast<std::uint8_t>((v >> 7) & 0xF8), 0};
}

// A run-length packet, and what is left of it when a row ended inside it.
struct TgaPacket {
  bool active = false;
  bool repeat = false;
  std::uint32_t count = 0;
  std::uint8_t value[4] = {};
};

void TgaReadRawLine(std::uint8_t* line, PxFile* file, std::uint32_t pixelCount, std::uint32_t bytesPerPixel) {
  const std::size_t bytes = static_cast<std::size_t>(pixelCount) * bytesPerPixel;
  if (file->Read(line, 1, bytes) != bytes) Fail("corrupted TGA");
}

// Fills one row of file pixels from run-length packets; a packet that passes the row end carries on
// into the next row.
void TgaReadRleLine(std::uint8_t* line, PxFile* file, std::uint32_t width, std::uint32_t bytesPerPixel,
                    TgaPacket& packet) {
  std::uint32_t x = 0;
  while (x < width) {
    if (!packet.active) {
      const std::int32_t code = file->GetByte();
      if (code < 0) Fail("corrupted TGA");
      packet.active = true;
      packet.repeat = (code & 0x80) != 0;
      packet.count = static_cast<std::uint32_t>(code & 0x7F) + 1;
      if (packet.repeat && file->Read(packet.value, 1, bytesPerPixel) != bytesPerPixel) Fail("corrupted TGA");
    }
    const std::uint32_t take = std::min(packet.count, width - x);
    std::uint8_t* target = line + static_cast<std::size_t>(x) * bytesPerPixel;
    if (packet.repeat) {
      for (std::uint32_t i = 0; i < take; ++i) std::memcpy(target + i * bytesPerPixel, packet.value, bytesPerPixel);
    } else {
      TgaReadRawLine(target, file, take, bytesPerPixel);
    }
    x += take;
    packet.count -= take;
    packet.active = packet.count > 0;
  }
}

}  // namespace

bool PxImageTGA::Decode(PxFile* file) {
  if (!file) return false;
  try {
    DecodePicture(file);
  } catch (const TgaFailure& failure) {
    if (failure.text) SetError(failure.text);
    return false;
  }
  return true;
}

void PxImageTGA::DecodePicture(PxFile* file) {
  TgaHeader tga;
  if (file->Read(&tga, sizeof(tga), 1) != 1) Fail("Not a TGA");
  const std::uint32_t kind = tga.imageType & 7;
  const bool runLength = (tga.imageType & 8) != 0;
  if (tga.imageType > 11 || kind < 1 || kind > 3) Fail("Unknown TGA image type");

  const std::uint32_t width = tga.width;
  const std::uint32_t height = tga.height;
  const std::uint32_t depth = tga.pixelDepth;
  const bool hasColorMap = tga.colorMapType == 1 && tga.colorMapLength > 0;
  const std::uint32_t mapEntryBytes = BytesPerPixel(tga.colorMapEntrySize);
  if (width == 0 || height == 0 || depth == 0 || tga.colorMapLength > 256 || !ValidDepth(depth) ||
      (hasColorMap && (!ValidDepth(tga.colorMapEntrySize) || tga.colorMapEntrySize == 8)))
    Fail("bad TGA header");

  // The file must hold at least the pixels a header promises: every pixel uncompressed, or one
  // packet of up to 128 pixels for each 128 of them.
  const std::uint32_t bytesPerPixel = BytesPerPixel(depth);
  const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * height;
  const std::uint64_t leastData =
      runLength ? (pixelCount / kLongestPacket) * (1 + bytesPerPixel) : pixelCount * bytesPerPixel;
  const std::uint64_t mapBytes = hasColorMap ? static_cast<std::uint64_t>(tga.colorMapLength) * mapEntryBytes : 0;
  const std::int32_t size = file->GetSize();
  const std::int32_t position = file->GetPosition();
  if (size >= 0 && position >= 0 && position <= size &&
      tga.idLength + mapBytes + leastData > static_cast<std::uint64_t>(size - position))
    Fail("corrupted TGA");

  if (!file->Seek(tga.idLength, SEEK_CUR)) Fail("corrupted TGA");
  if (!Create(width, height, depth, FMT_TGA)) Fail("TGA Create failed");
  if (depth == 32 && !AlphaCreate()) Fail("TGA Create failed");

  if (hasColorMap) {
    std::vector<std::uint8_t> map(static_cast<std::size_t>(mapBytes));
    if (file->Read(map.data(), 1, map.size()) != map.size()) Fail("corrupted TGA");
    for (std::uint32_t i = 0; i < tga.colorMapLength; ++i) {
      const std::uint8_t* entry = map.data() + static_cast<std::size_t>(i) * mapEntryBytes;
      const RGBQUAD colour = mapEntryBytes == 2 ? ColorFrom16(entry) : RGBQUAD{entry[0], entry[1], entry[2], 0};
      const std::uint32_t index = tga.colorMapFirst + i;
      if (index < 256) SetPaletteColor(static_cast<std::uint8_t>(index), colour);
    }
  }
  if (kind == 3) SetGrayPalette();

  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * bytesPerPixel);
  TgaPacket packet;
  for (std::uint32_t fileRow = 0; fileRow < height; ++fileRow) {
    if (info.escape) Fail("Cancelled");
    if (runLength) {
      TgaReadRleLine(line.data(), file, width, bytesPerPixel, packet);
    } else {
      TgaReadRawLine(line.data(), file, width, bytesPerPixel);
    }
    const auto y = static_cast<std::int32_t>((tga.descriptor & kTopDown) ? height - 1 - fileRow : fileRow);
    std::uint8_t* row = RowBits(static_cast<std::uint32_t>(y));
    if (depth == 8) {
      std::memcpy(row, line.data(), width);
      continue;
    }
    const std::uint8_t* source = line.data();
    for (std::uint32_t x = 0; x < width; ++x, row += 3, source += bytesPerPixel) {
      if (bytesPerPixel == 2) {
        const RGBQUAD colour = ColorFrom16(source);
        row[0] = colour.rgbBlue;
        row[1] = colour.rgbGreen;
        row[2] = colour.rgbRed;
      } else {
        row[0] = source[0];
        row[1] = source[1];
        row[2] = source[2];
        if (bytesPerPixel == 4) AlphaSet(static_cast<std::int32_t>(x), y, source[3]);
      }
    }
  }

  if ((tga.descriptor & kRightToLeft) && !Mirror()) throw TgaFailure{nullptr};
}

bool PxImageTGA::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  try {
    EncodePicture(file);
  } catch (const TgaFailure& failure) {
    if (failure.text) SetError(failure.text);
    return false;
  }
  return true;
}

void PxImageTGA::EncodePicture(PxFile* file) {
  const std::uint32_t bpp = Bpp();
  if (bpp < 8) Fail("Bit depth must be 8 or 24");
  if (Width() > 0xFFFF || Height() > 0xFFFF) Fail("Image too large for TGA");

  const bool withAlpha = bpp == 24 && AlphaIsValid();
  TgaHeader tga{};
  tga.colorMapType = IsIndexed() ? 1 : 0;
  tga.imageType = bpp == 8 ? 1 : 2;
  if (bpp == 8) {
    tga.colorMapLength = 256;
    tga.colorMapEntrySize = 24;
  }
  tga.width = static_cast<std::uint16_t>(Width());
  tga.height = static_cast<std::uint16_t>(Height());
  tga.pixelDepth = static_cast<std::uint8_t>(withAlpha ? 32 : bpp);
  if (file->Write(&tga, sizeof(tga), 1) != 1) Fail("TGA: write error");

  if (bpp == 8) {
    std::uint8_t map[256 * 3];
    for (std::uint32_t i = 0; i < 256; ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      map[3 * i] = entry.rgbBlue;
      map[3 * i + 1] = entry.rgbGreen;
      map[3 * i + 2] = entry.rgbRed;
    }
    if (file->Write(map, 1, sizeof(map)) != sizeof(map)) Fail("TGA: write error");
  }

  const std::uint32_t width = static_cast<std::uint32_t>(Width());
  const std::uint32_t pixelBytes = withAlpha ? 4 : bpp / 8;
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * pixelBytes);
  for (std::int32_t y = 0; y < Height(); ++y) {
    const std::uint8_t* row = RowBits(static_cast<std::uint32_t>(y));
    if (withAlpha) {
      for (std::uint32_t x = 0; x < width; ++x) {
        std::uint8_t* pixel = line.data() + 4 * static_cast<std::size_t>(x);
        std::memcpy(pixel, row + 3 * static_cast<std::size_t>(x), 3);
        pixel[3] = static_cast<std::uint8_t>(BlindAlphaGet(static_cast<std::int32_t>(x), y) * info.alphaMax / 255);
      }
    } else {
      std::memcpy(line.data(), row, line.size());
    }
    if (file->Write(line.data(), 1, line.size()) != line.size()) Fail("TGA: write error");
  }
}
