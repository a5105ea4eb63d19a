#include "image/PxImageICO.h"

#include "image/PxFile.h"
#include "image/PxImagePNG.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace {

#pragma pack(push, 1)
struct IconDirectory {
  std::uint16_t reserved;
  std::uint16_t type;  // 1 icon, 2 cursor
  std::uint16_t count;
};
struct IconDirectoryEntry {
  std::uint8_t width;
  std::uint8_t height;
  std::uint8_t colorCount;
  std::uint8_t reserved;
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t bytesInResource;
  std::uint32_t imageOffset;  // from the start of the file
};
#pragma pack(pop)
static_assert(sizeof(IconDirectory) == 6, "icon directory is 6 bytes on disk");
static_assert(sizeof(IconDirectoryEntry) == 16, "icon directory entry is 16 bytes on disk");

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Icon directories keep sides in a byte; 0 stands for 256.
constexpr std::int32_t kLargestSide = 256;
std::uint32_t EntrySide(std::uint8_t stored) { return stored == 0 ? std::uint32_t{kLargestSide} : stored; }
std::uint8_t StoredSide(std::int32_t side) { return side == kLargestSide ? 0 : static_cast<std::uint8_t>(side); }

std::uint32_t MaskRowBytes(std::uint32_t width) { return ((width + 31) / 32) * 4; }

std::uint64_t BytesLeft(PxFile* file) {
  const std::int32_t position = file->GetPosition();
  const std::int32_t size = file->GetSize();
  return position < 0 || size < position ? 0 : static_cast<std::uint64_t>(size - position);
}

bool MaskBit(const std::uint8_t* mask, std::uint32_t maskRowBytes, std::int32_t x, std::int32_t y) {
  return (mask[static_cast<std::size_t>(y) * maskRowBytes + (x >> 3)] >> (7 - (x & 7))) & 1;
}

}  // namespace

bool PxImageICO::Decode(PxFile* file) {
  const std::int32_t start = file->GetPosition();
  IconDirectory directory;
  if (file->Read(&directory, sizeof(directory), 1) != 1) return false;
  if (directory.reserved != 0 || (directory.type != 1 && directory.type != 2)) return false;
  info.frameCount = directory.count;

  // A directory longer than the file is damaged; its count is not trusted with an allocation.
  if (directory.count * sizeof(IconDirectoryEntry) > BytesLeft(file)) {
    SetError("ICO: directory longer than the file");
    return false;
  }
  std::vector<IconDirectoryEntry> entries(directory.count);
  if (file->Read(entries.data(), sizeof(IconDirectoryEntry), entries.size()) != entries.size()) return false;
  if (info.frameIndex < 0 || info.frameIndex >= directory.count) return false;
  const IconDirectoryEntry& entry = entries[static_cast<std::size_t>(info.frameIndex)];

  const std::int64_t imageOffset = static_cast<std::int64_t>(start) + entry.imageOffset;
  if (imageOffset > std::numeric_limits<std::int32_t>::max() ||
      !file->Seek(static_cast<std::int32_t>(imageOffset), SEEK_SET))
    return false;

  // Since Windows Vista an entry may hold a whole PNG file instead of a bitmap.
  std::uint8_t signature[sizeof(kPngSignature)] = {};
  const std::size_t signatureBytes = file->Read(signature, 1, sizeof(signature));
  if (!file->Seek(static_cast<std::int32_t>(imageOffset), SEEK_SET)) return false;
  if (signatureBytes == sizeof(signature) && std::memcmp(signature, kPngSignature, sizeof(signature)) == 0)
    return DecodePngEntry(file);

  BITMAPINFOHEADER bih;
  if (file->Read(&bih, sizeof(bih), 1) != 1) return false;
  const std::uint16_t bitCount = bih.biBitCount;

  // The directory's size rules (0 stands for 256); every read below is sized by this image, never
  // by the header.
  if (!Create(EntrySide(entry.width), EntrySide(entry.height), bitCount, FMT_ICO)) return false;
  std::memset(info.pixels, 0, header.biSizeImage);
  const std::uint32_t width = static_cast<std::uint32_t>(Width());
  const std::uint32_t height = static_cast<std::uint32_t>(Height());

  if (NumColors() > 0) {
    // The header says how many entries the file holds; the pixels follow the last of them.
    const std::uint64_t stored = bih.biClrUsed != 0 ? bih.biClrUsed : NumColors();
    const std::uint32_t kept = static_cast<std::uint32_t>(std::min<std::uint64_t>(stored, NumColors()));
    RGBQUAD palette[256] = {};
    file->Read(palette, sizeof(RGBQUAD), kept);
    SetPalette(palette, NumColors());
    const std::uint64_t skipped = (stored - kept) * sizeof(RGBQUAD);
    if (skipped > BytesLeft(file)) {
      SetError("ICO: palette larger than the file");
      return false;
    }
    if (skipped > 0) file->Seek(static_cast<std::int32_t>(skipped), SEEK_CUR);
  }

  bool alphaDrawn = false;
  if (bitCount > 24) {
    if (!AlphaCreate()) {
      SetError("Can't allocate memory");
      return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    for (std::uint32_t y = 0; y < height; ++y) {
      const std::size_t got = file->Read(row.data(), 1, row.size());
      std::fill(row.begin() + static_cast<std::ptrdiff_t>(got), row.end(), 0);
      std::uint8_t* out = info.pixels + static_cast<std::size_t>(y) * info.rowBytes;
      for (std::uint32_t x = 0; x < width; ++x, out += 3) {
        const std::uint8_t* in = row.data() + 4 * static_cast<std::size_t>(x);
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        AlphaSet(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), in[3]);
        alphaDrawn = alphaDrawn || in[3] != 0;
      }
    }
    // Icons of the time before alpha left the fourth byte 0: the mask alone shows them.
    if (!alphaDrawn) AlphaDelete();
  } else {
    file->Read(info.pixels, 1, header.biSizeImage);
  }

  // An alpha channel with content is the picture's transparency, as Windows draws it: the mask
  // that comes with it (writers set its bits below some alpha) would hide translucent pixels.
  if (alphaDrawn) return true;
  const std::uint32_t maskRowBytes = MaskRowBytes(width);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskRowBytes) * height);
  if (file->Read(mask.data(), mask.size(), 1) == 1) ApplyMask(mask.data(), maskRowBytes, bitCount);
  return true;
}

bool PxImageICO::DecodePngEntry(PxFile* file) {
  PxImagePNG png;
  png.CopyInfo(*this);
  if (!png.Decode(file)) {
    SetError(png.LastError()[0] != '\0' ? png.LastError() : "ICO: damaged PNG entry");
    return false;
  }
  const std::int32_t frameCount = info.frameCount;
  if (!Transfer(png)) return false;
  info.formatId = FMT_ICO;
  info.frameCount = frameCount;
  return true;
}

void PxImageICO::ApplyMask(const std::uint8_t* mask, std::uint32_t maskRowBytes, std::uint16_t bitCount) {
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  const std::size_t maskBytes = static_cast<std::size_t>(maskRowBytes) * height;

  if (std::all_of(mask, mask + maskBytes, [](std::uint8_t byte) { return byte == 0xFF; })) {
    info.transparentIndex = 0;
    Negative();
    return;
  }

  const bool hadAlpha = AlphaIsValid();
  if (!AlphaCreate()) return;
  bool anyMasked = false;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      if (MaskBit(mask, maskRowBytes, x, y)) {
        AlphaSet(x, y, 0);
        anyMasked = true;
      }
    }
  }
  if (!hadAlpha && !anyMasked) AlphaDelete();

  if (bitCount == 24) {
    // One colour under the whole mask becomes the transparent colour instead of an alpha channel.
    bool haveFirst = false;
    bool allSame = true;
    RGBQUAD first{};
    for (std::int32_t y = 0; y < height && allSame; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        if (!MaskBit(mask, maskRowBytes, x, y)) continue;
        const RGBQUAD color = BlindPixelColor(x, y);
        if (!haveFirst) {
          first = color;
          haveFirst = true;
        } else if (!SameRgb(color, first)) {
          allSame = false;
          break;
        }
      }
    }
    // A colour that also shows in visible pixels cannot stand for transparency: black under the
    // mask and black drawn in the picture are common together. The alpha channel keeps the mask then.
    for (std::int32_t y = 0; y < height && haveFirst && allSame; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        if (!MaskBit(mask, maskRowBytes, x, y) && SameRgb(BlindPixelColor(x, y), first)) {
          allSame = false;
          break;
        }
      }
    }
    if (haveFirst && allSame) {
      SetTransparentColor(first);
      info.transparentIndex = 0;
      AlphaDelete();
    }
  } else if (bitCount <= 8) {
    // A palette index no pixel uses becomes the transparent index.
    bool used[256] = {};
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x) used[BlindPixelIndex(x, y)] = true;
    std::uint32_t freeIndex = 0;
    while (freeIndex < NumColors() && used[freeIndex]) ++freeIndex;
    if (freeIndex < NumColors()) {
      bool anySet = false;
      for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
          if (MaskBit(mask, maskRowBytes, x, y)) {
            SetPixelIndex(x, y, static_cast<std::uint8_t>(freeIndex));
            anySet = true;
          }
        }
      }
      if (anySet) info.transparentIndex = static_cast<std::int32_t>(freeIndex);
      AlphaDelete();
    }
  }
}

bool PxImageICO::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  if (width > kLargestSide || height > kLargestSide) {
    SetError("Can't save this image as icon");
    return false;
  }
  if (Bpp() <= 8 && !Palette()) return false;

  const std::uint32_t maskRowBytes = MaskRowBytes(static_cast<std::uint32_t>(width));
  const std::uint32_t maskBytes = maskRowBytes * static_cast<std::uint32_t>(height);
  const bool withAlpha = Bpp() == 24 && AlphaIsValid();
  const std::uint16_t bitCount = withAlpha ? 32 : Bpp();
  const std::uint32_t imageBytes =
      withAlpha ? static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4 : header.biSizeImage;

  const IconDirectory directory{0, 1, 1};
  IconDirectoryEntry entry{};
  entry.width = StoredSide(width);
  entry.height = StoredSide(height);
  entry.colorCount = static_cast<std::uint8_t>(NumColors() & 0xFF);
  entry.bitCount = bitCount;
  entry.bytesInResource = sizeof(BITMAPINFOHEADER) + PaletteSize() + imageBytes + maskBytes;
  entry.imageOffset = sizeof(IconDirectory) + sizeof(IconDirectoryEntry);

  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof(BITMAPINFOHEADER);
  bih.biWidth = width;
  bih.biHeight = 2 * height;
  bih.biPlanes = 1;
  bih.biBitCount = bitCount;
  bih.biSizeImage = imageBytes;

  std::unique_ptr<std::uint8_t[]> mask(new (std::nothrow) std::uint8_t[maskBytes]());
  std::unique_ptr<std::uint8_t[]> row(withAlpha ? new (std::nothrow) std::uint8_t[static_cast<std::size_t>(width) * 4]
                                               : nullptr);
  if (!mask || (withAlpha && !row)) return false;

  bool written = file->Write(&directory, sizeof(directory), 1) == 1 && file->Write(&entry, sizeof(entry), 1) == 1 &&
                 file->Write(&bih, sizeof(bih), 1) == 1;
  if (written && PaletteSize() > 0) written = file->Write(Palette(), PaletteSize(), 1) == 1;
  if (withAlpha) {
    for (std::int32_t y = 0; y < height && written; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        const RGBQUAD color = BlindPixelColor(x, y);
        std::uint8_t* out = row.get() + 4 * static_cast<std::size_t>(x);
        out[0] = color.rgbBlue;
        out[1] = color.rgbGreen;
        out[2] = color.rgbRed;
        out[3] = AlphaGet(x, y);
      }
      written = file->Write(row.get(), static_cast<std::size_t>(width) * 4, 1) == 1;
    }
  } else if (written) {
    written = file->Write(info.pixels, header.biSizeImage, 1) == 1;
  }

  const bool paletteAlpha = HasPaletteAlpha();
  const RGBQUAD transparent = TransparentColor();
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const bool clear = (AlphaIsValid() && AlphaGet(x, y) == 0) ||
                         (paletteAlpha && PaletteColor(BlindPixelIndex(x, y)).rgbReserved == 0) ||
                         (info.transparentIndex != -1 && SameRgb(PixelColor(x, y, false), transparent));
      if (clear) mask[static_cast<std::size_t>(y) * maskRowBytes + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
  if (written) written = file->Write(mask.get(), maskBytes, 1) == 1;
  if (!written) {
    SetError("ICO: write error");
    return false;
  }
  return true;
}
