#include "image/PxImageBMP.h"

#include "image/PxFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes on disk");
static_assert(sizeof(BITMAPCOREHEADER) == 12, "BITMAPCOREHEADER is 12 bytes on disk");

namespace {

constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr DWORD kRle8 = 1;
constexpr DWORD kRle4 = 2;
constexpr DWORD kBitFields = 3;

std::uint64_t PaddedRowBytes(std::uint64_t bitCount, std::uint64_t width) { return ((bitCount * width + 31) / 32) * 4; }

// value << shift for shift >= 0, value >> -shift otherwise, kept to its low 8 bits.
std::uint8_t ShiftToByte(std::uint64_t value, int shift) {
  if (shift >= 64 || shift <= -64) return 0;
  return static_cast<std::uint8_t>(shift >= 0 ? value << shift : value >> -shift);
}

std::int32_t DotsPerInch(LONG pixelsPerMetre) {
  return static_cast<std::int32_t>(std::floor(pixelsPerMetre * 0.0254 + 0.5));
}

}  // namespace

bool PxImageBMP::ReadBitmapInfo(PxFile* file, BITMAPINFOHEADER& header) {
  if (file->Read(&header, sizeof(header), 1) != 1) return false;
  if (header.biSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, &header, sizeof(core));
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof(BITMAPCOREHEADER);
    header.biWidth = core.bcWidth;
    header.biHeight = core.bcHeight;
    header.biPlanes = core.bcPlanes;
    header.biBitCount = core.bcBitCount;
    if (!file->Seek(static_cast<std::int32_t>(sizeof(BITMAPCOREHEADER)) - static_cast<std::int32_t>(sizeof(header)),
                    SEEK_CUR))
      return false;
  } else if (header.biSize == sizeof(BITMAPINFOHEADER)) {
    // the common header, taken as read
  } else if (header.biSize == 64) {
    if (!file->Seek(24, SEEK_CUR)) return false;
  } else if (header.biSize > sizeof(BITMAPINFOHEADER)) {
    // Longer headers are trusted only when they describe a plain uncompressed bitmap.
    const std::uint64_t expected =
        static_cast<std::uint64_t>(std::max<LONG>(header.biHeight, 0)) *
        PaddedRowBytes(header.biBitCount, static_cast<std::uint64_t>(std::max<LONG>(header.biWidth, 0)));
    if (header.biSizeImage != expected || header.biPlanes != 1 || header.biCompression != BI_RGB ||
        header.biClrUsed != 0)
      return false;
    const std::uint64_t skip = header.biSize - sizeof(BITMAPINFOHEADER);
    if (skip > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) ||
        !file->Seek(static_cast<std::int32_t>(skip), SEEK_CUR))
      return false;
  } else {
    return false;
  }

  if (header.biSizeImage == 0) {
    const std::uint64_t height = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(header.biHeight)));
    const std::uint64_t size =
        ((static_cast<std::uint64_t>(header.biBitCount) * static_cast<std::uint32_t>(header.biWidth) + 31) & ~31ull) / 8 *
        height;
    header.biSizeImage = static_cast<DWORD>(std::min<std::uint64_t>(size, std::numeric_limits<DWORD>::max()));
  }
  if (header.biClrUsed == 0 && header.biBitCount <= 8) header.biClrUsed = 1u << header.biBitCount;
  return true;
}

bool PxImageBMP::Decode(PxFile* file) {
  auto fail = [this](const char* text) {
    SetError(text);
    return false;
  };

  const std::int32_t start = file->GetPosition();
  BITMAPFILEHEADER fileHeader;
  if (file->Read(&fileHeader, sizeof(fileHeader), 1) != 1) return fail("Not a BMP");
  if (fileHeader.bfType != kBitmapMagic) {
    // No file header: the data starts with the information header.
    fileHeader.bfOffBits = 0;
    file->Seek(start, SEEK_SET);
  }

  BITMAPINFOHEADER bih;
  if (!ReadBitmapInfo(file, bih) || bih.biWidth < 0 || bih.biHeight == std::numeric_limits<LONG>::min())
    return fail("Error reading BMP info");
  const bool core = bih.biSize == sizeof(BITMAPCOREHEADER);
  const bool topDown = bih.biHeight < 0;
  const auto width = static_cast<std::uint32_t>(bih.biWidth);
  const auto height = static_cast<std::uint32_t>(topDown ? -bih.biHeight : bih.biHeight);

  if (info.escape == -1) {
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    SetError("output dimensions returned");
    return true;
  }

  if (!Create(width, height, bih.biBitCount, FMT_BMP)) return fail("Can't allocate memory");
  // Rows a short or compressed stream leaves unwritten read as index 0 / black.
  std::memset(info.pixels, 0, header.biSizeImage);
  header.biXPelsPerMeter = bih.biXPelsPerMeter;
  header.biYPelsPerMeter = bih.biYPelsPerMeter;
  info.dpiX = DotsPerInch(bih.biXPelsPerMeter);
  info.dpiY = DotsPerInch(bih.biYPelsPerMeter);

  if (info.escape) return fail("Cancelled");

  if (RGBQUAD* palette = Palette()) {
    // The file may announce more colours than the bit depth can index: those are skipped.
    const std::uint64_t announced = bih.biClrUsed != 0 ? bih.biClrUsed : (1ull << std::min<WORD>(bih.biBitCount, 8));
    const std::uint32_t kept = static_cast<std::uint32_t>(std::min<std::uint64_t>(announced, NumColors()));
    const std::uint32_t entrySize = core ? 3 : 4;
    std::uint8_t entries[256 * 4] = {};
    file->Read(entries, entrySize, kept);
    for (std::uint32_t i = 0; i < kept; ++i)
      palette[i] = RGBQUAD{entries[i * entrySize], entries[i * entrySize + 1], entries[i * entrySize + 2], 0};
    const std::uint64_t skipped = (announced - kept) * entrySize;
    if (skipped > 0) {
      if (skipped > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return fail("Error reading BMP info");
      file->Seek(static_cast<std::int32_t>(skipped), SEEK_CUR);
    }
  }

  if (info.escape) return fail("Cancelled");

  // Without a file header the pixels follow the palette; otherwise bfOffBits says where they are.
  auto seekToData = [&]() {
    if (fileHeader.bfOffBits == 0) return true;
    const std::int64_t offset = static_cast<std::int64_t>(start) + fileHeader.bfOffBits;
    return offset <= std::numeric_limits<std::int32_t>::max() &&
           file->Seek(static_cast<std::int32_t>(offset), SEEK_SET);
  };

  switch (bih.biBitCount) {
    case 1:
    case 4:
    case 8:
      if (bih.biCompression != BI_RGB && bih.biCompression != kRle8 && bih.biCompression != kRle4)
        return fail("compression type not supported");
      if (!seekToData()) break;
      if (bih.biCompression == kRle8) DecodeRle8(file);
      else if (bih.biCompression == kRle4) DecodeRle4(file);
      else file->Read(info.pixels, 1, header.biSizeImage);
      break;
    case 16: {
      std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
      if (bih.biCompression == kBitFields) {
        std::uint32_t fileMasks[3];
        if (file->Read(fileMasks, sizeof(fileMasks), 1) == 1) std::copy_n(fileMasks, 3, masks);
      }
      if (!seekToData()) break;
      const std::uint64_t sourceBytes = static_cast<std::uint64_t>(height) * (((width + 1ull) / 2) * 4);
      file->Read(info.pixels, 1, static_cast<std::size_t>(std::min<std::uint64_t>(sourceBytes, header.biSizeImage)));
      BitfieldToRGB(info.pixels, masks[0], masks[1], masks[2], 16);
      break;
    }
    case 24:
      if (bih.biCompression != BI_RGB) return fail("unknown compression");
      if (!seekToData()) break;
      file->Read(info.pixels, 1, header.biSizeImage);
      break;
    case 32: {
      if (bih.biCompression != BI_RGB && bih.biCompression != kBitFields) return fail("unknown compression");
      if (!seekToData()) break;
      const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
      std::unique_ptr<std::uint8_t[]> source(new (std::nothrow) std::uint8_t[bytes]());
      if (!source) return fail("can't allocate memory");
      file->Read(source.get(), 1, bytes);
      BitfieldToRGB(source.get(), 0, 0, 0, 32);
      break;
    }
    default:
      // Unknown depths keep their header and palette only.
      break;
  }

  if (topDown && !Flip()) return fail("Can't allocate memory");
  return true;
}

bool PxImageBMP::DecodeRle8(PxFile* file) {
  const std::uint32_t rowBytes = info.rowBytes;
  const std::uint64_t height = static_cast<std::uint64_t>(Height());
  std::uint64_t row = 0;
  std::uint64_t column = 0;
  // Runs are clipped at the end of their row; anything aimed outside the block is dropped.
  auto put = [&](std::uint64_t at, std::uint8_t value) {
    if (row < height && at < rowBytes) info.pixels[row * rowBytes + at] = value;
  };

  while (row < height) {
    const std::int32_t count = file->GetByte();
    if (count < 0) break;
    if (count > 0) {
      const std::int32_t value = file->GetByte();
      if (value < 0) break;
      for (std::int32_t i = 0; i < count; ++i) put(column + i, static_cast<std::uint8_t>(value));
      column += count;
      continue;
    }
    const std::int32_t code = file->GetByte();
    if (code < 0 || code == 1) break;
    if (code == 0) {
      column = 0;
      ++row;
    } else if (code == 2) {
      const std::int32_t dx = file->GetByte();
      const std::int32_t dy = file->GetByte();
      if (dx < 0 || dy < 0) break;
      column += dx;
      row += dy;
    } else {
      std::uint8_t run[255];
      const std::size_t got = file->Read(run, 1, static_cast<std::size_t>(code));
      for (std::size_t i = 0; i < got; ++i) put(column + i, run[i]);
      if (got < static_cast<std::size_t>(code)) break;
      column += code;
      if (code & 1) file->GetByte();
    }
  }
  return true;
}

bool PxImageBMP::DecodeRle4(PxFile* file) {
  const std::uint32_t rowBytes = info.rowBytes;
  const std::uint64_t nibblesPerRow = 2ull * rowBytes;
  const std::uint64_t height = static_cast<std::uint64_t>(Height());
  std::uint64_t row = 0;
  std::uint64_t x = 0;  // in pixels (nibbles), so runs of odd length keep their colour order
  auto put = [&](std::uint64_t at, std::uint8_t nibble) {
    if (row >= height || at >= nibblesPerRow) return;
    std::uint8_t& byte = info.pixels[row * rowBytes + at / 2];
    byte = (at & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | nibble)
                    : static_cast<std::uint8_t>((byte & 0x0F) | (nibble << 4));
  };

  while (row < height) {
    const std::int32_t count = file->GetByte();
    if (count < 0) break;
    if (count > 0) {
      const std::int32_t value = file->GetByte();
      if (value < 0) break;
      // A run alternates the value's high and low nibbles, starting with the high one.
      for (std::int32_t i = 0; i < count; ++i)
        put(x + i, static_cast<std::uint8_t>((i & 1) ? (value & 0x0F) : (value >> 4)));
      x += count;
      continue;
    }
    const std::int32_t code = file->GetByte();
    if (code < 0 || code == 1) break;
    if (code == 0) {
      x = 0;
      ++row;
    } else if (code == 2) {
      const std::int32_t dx = file->GetByte();
      const std::int32_t dy = file->GetByte();
      if (dx < 0 || dy < 0) break;
      x += dx;
      row += dy;
    } else {
      std::uint8_t run[128];
      const std::size_t dataBytes = (static_cast<std::size_t>(code) + 1) / 2;
      const std::size_t got = file->Read(run, 1, dataBytes);
      const std::size_t nibbles = std::min<std::size_t>(code, got * 2);
      for (std::size_t i = 0; i < nibbles; ++i)
        put(x + i, static_cast<std::uint8_t>((i & 1) ? (run[i / 2] & 0x0F) : (run[i / 2] >> 4)));
      if (got < dataBytes) break;
      x += code;
      // Absolute runs keep to 16-bit boundaries.
      if (dataBytes & 1) file->GetByte();
    }
  }
  return true;
}

void PxImage::BitfieldToRGB(const std::uint8_t* source, std::uint32_t redMask, std::uint32_t greenMask,
                            std::uint32_t blueMask, std::uint8_t bitCount) {
  if (!dib || !source || header.biBitCount != 24) return;
  const std::int64_t width = Width();
  const std::int64_t height = Height();
  const std::size_t rowBytes = info.rowBytes;

  // Pixels go from the last one backwards, so the source may be the pixel block itself.
  if (bitCount == 16) {
    redMask &= 0xFFFF;
    greenMask &= 0xFFFF;
    blueMask &= 0xFFFF;
    const int redBits = std::popcount(redMask);
    const int greenBits = std::popcount(greenMask);
    const int blueBits = std::popcount(blueMask);
    const std::size_t sourceRow = static_cast<std::size_t>((width + 1) / 2) * 4;
    for (std::int64_t y = height - 1; y >= 0; --y) {
      for (std::int64_t x = width - 1; x >= 0; --x) {
        const std::uint8_t* in = source + static_cast<std::size_t>(y) * sourceRow + 2 * static_cast<std::size_t>(x);
        const std::uint32_t value = in[0] | (static_cast<std::uint32_t>(in[1]) << 8);
        const std::uint8_t blue = ShiftToByte((value & 0xFF) & (blueMask & 0xFF), 8 - blueBits);
        const std::uint8_t green = ShiftToByte(value & greenMask, -(redBits + greenBits - 8));
        const std::uint8_t red = ShiftToByte(value & redMask, -(redBits + greenBits + blueBits - 8));
        std::uint8_t* out = info.pixels + static_cast<std::size_t>(y) * rowBytes + 3 * static_cast<std::size_t>(x);
        out[0] = blue;
        out[1] = green;
        out[2] = red;
      }
    }
  } else if (bitCount == 32) {
    const std::size_t sourceRow = static_cast<std::size_t>(width) * 4;
    for (std::int64_t y = height - 1; y >= 0; --y) {
      for (std::int64_t x = width - 1; x >= 0; --x) {
        const std::uint8_t* in = source + static_cast<std::size_t>(y) * sourceRow + 4 * static_cast<std::size_t>(x);
        const std::uint8_t blue = in[0], green = in[1], red = in[2];
        std::uint8_t* out = info.pixels + static_cast<std::size_t>(y) * rowBytes + 3 * static_cast<std::size_t>(x);
        out[0] = blue;
        out[1] = green;
        out[2] = red;
      }
    }
  }
}

bool PxImageBMP::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = kBitmapMagic;
  fileHeader.bfSize = DibSize() + sizeof(BITMAPFILEHEADER);
  fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + PaletteSize();
  std::memcpy(dib, &header, sizeof(header));
  if (file->Write(&fileHeader, sizeof(fileHeader), 1) != 1 || file->Write(dib, DibSize(), 1) != 1) {
    SetError("BMP: write error");
    return false;
  }
  return true;
}
