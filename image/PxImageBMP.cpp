#include "image/PxImageBMP.h"

#include "image/PxFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes on disk");
static_assert(sizeof(BITMAPCOREHEADER) == 12, "BITMAPCOREHEADER is 12 bytes on disk");

namespace {

constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr DWORD kRle8 = 1;
constexpr DWORD kRle4 = 2;
constexpr DWORD kBitFields = 3;

// The information headers that come after the classic 40 bytes (V2 to V5) start with the colour
// masks: red, green, blue from 52 bytes on, alpha too from 56.
constexpr DWORD kColourMasksHeader = 52;
constexpr DWORD kAlphaMaskHeader = 56;
// OS/2 2.x: 24 bytes of its own after the classic ones, none of them a mask.
constexpr DWORD kOs2Header = 64;

// A header may promise at most twice the pixel data the file holds, and 1 MiB more: a file cut short
// still shows what it holds, but a few bytes cannot make the decoder allocate and clear gigabytes.
constexpr std::uint64_t kShortFileSlack = 1 << 20;
// An RLE run of 2 bytes gives at most 255 pixels: a byte of RLE data fills at most 128 bytes of rows.
constexpr std::uint64_t kRleBytesPerByte = 128;

std::uint64_t PaddedRowBytes(std::uint64_t bitCount, std::uint64_t width) { return ((bitCount * width + 31) / 32) * 4; }

// The depth of the pixel block a bit count gets (as PxImage::Create rounds it).
std::uint64_t BlockBpp(std::uint64_t bitCount) {
  if (bitCount <= 1) return 1;
  if (bitCount <= 4) return 4;
  if (bitCount <= 8) return 8;
  return 24;
}

std::int32_t DotsPerInch(LONG pixelsPerMetre) {
  return static_cast<std::int32_t>(std::floor(pixelsPerMetre * 0.0254 + 0.5));
}

std::uint64_t BytesFrom(PxFile* file, std::int64_t position) {
  const std::int32_t size = file->GetSize();
  return position < 0 || size < position ? 0 : static_cast<std::uint64_t>(size - position);
}

// One channel of a packed pixel, found by its mask, as 8 bits: shorter fields move up without
// repeating their top bits (white 5-5-5 gives 0xF8, as the classic decoder gives), longer ones
// keep their top 8 bits.
class MaskedChannel {
public:
  explicit MaskedChannel(std::uint32_t mask)
      : FMask(mask), FShift(mask ? std::countr_zero(mask) : 0), FBits(std::popcount(mask)) {}

  bool Present() const { return FMask != 0; }
  std::uint8_t Of(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel & FMask) >> FShift;
    return static_cast<std::uint8_t>(FBits >= 8 ? value >> (FBits - 8) : value << (8 - FBits));
  }
  // Alpha is scaled to the full range instead, so that an opaque pixel of a 1- or 4-bit field stays opaque.
  std::uint8_t ScaledOf(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel & FMask) >> FShift;
    if (FBits >= 8) return static_cast<std::uint8_t>(value >> (FBits - 8));
    const std::uint32_t top = (1u << FBits) - 1;
    return static_cast<std::uint8_t>(std::min(value, top) * 255 / top);
  }

private:
  std::uint32_t FMask;
  int FShift;
  int FBits;
};

}  // namespace

bool PxImageBMP::ReadBitmapInfo(PxFile* file, BITMAPINFOHEADER& header, BitFields* fields) {
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
  } else if (header.biSize == kOs2Header) {
    if (!file->Seek(kOs2Header - sizeof(BITMAPINFOHEADER), SEEK_CUR)) return false;
  } else if (header.biSize > sizeof(BITMAPINFOHEADER)) {
    // The newer headers (V4, V5 and the rarer V2, V3) are the classic one followed by the colour
    // masks; colour space, gamma and profile fields after them are skipped.
    std::uint32_t masks[4] = {};
    const std::size_t maskBytes = std::min<std::size_t>(header.biSize - sizeof(BITMAPINFOHEADER), sizeof(masks));
    if (file->Read(masks, 1, maskBytes) != maskBytes) return false;
    if (fields && header.biSize >= kColourMasksHeader) {
      fields->red = masks[0];
      fields->green = masks[1];
      fields->blue = masks[2];
      fields->alpha = header.biSize >= kAlphaMaskHeader ? masks[3] : 0;
      fields->inHeader = true;
    }
    const std::uint64_t skip = header.biSize - sizeof(BITMAPINFOHEADER) - maskBytes;
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
  BitFields fields;
  if (!ReadBitmapInfo(file, bih, &fields) || bih.biWidth < 0 || bih.biHeight == std::numeric_limits<LONG>::min())
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

  const bool packed = bih.biBitCount == 16 || bih.biBitCount == 32;
  if (packed) {
    // Without bit fields 16-bit pixels are 5-5-5 and 32-bit ones blue, green, red and a spare byte.
    const BitFields plain = bih.biBitCount == 16 ? BitFields{0x7C00, 0x03E0, 0x001F, 0, false}
                                                 : BitFields{0xFF0000, 0x00FF00, 0x0000FF, 0, false};
    if (bih.biCompression != kBitFields) {
      fields = plain;
    } else if (!fields.inHeader) {
      // The classic header keeps its three masks right after it.
      fields = plain;
      std::uint32_t fileMasks[3];
      if (file->Read(fileMasks, sizeof(fileMasks), 1) == 1) {
        fields.red = fileMasks[0];
        fields.green = fileMasks[1];
        fields.blue = fileMasks[2];
      }
    }
    // Only the low 16 bits of a mask count for 16-bit pixels.
    if (bih.biBitCount == 16) {
      fields.red &= 0xFFFF;
      fields.green &= 0xFFFF;
      fields.blue &= 0xFFFF;
      fields.alpha &= 0xFFFF;
    }
  }

  // The data must be able to fill what the header promises before the pixel block is made.
  const std::uint32_t paletteEntries = bih.biBitCount <= 8 ? bih.biClrUsed : 0;
  const std::int64_t dataStart = fileHeader.bfOffBits != 0
                                     ? static_cast<std::int64_t>(start) + fileHeader.bfOffBits
                                     : static_cast<std::int64_t>(file->GetPosition()) +
                                           static_cast<std::int64_t>(paletteEntries) * (core ? 3 : 4);
  const bool rle = bih.biBitCount <= 8 && (bih.biCompression == kRle8 || bih.biCompression == kRle4);
  // Odd bit counts of up to 65535 make rows of 2^44 bytes: the product wants more than 64 bits.
  // Depths the file stores in fewer bits than the pixel block holds (0, or odd ones such as 7 or 20)
  // are measured by the block, so that rows of no stored bytes cannot ask for gigabytes.
  const std::uint64_t rowBytes =
      std::max(PaddedRowBytes(bih.biBitCount, width), PaddedRowBytes(BlockBpp(bih.biBitCount), width));
  const unsigned __int128 rows = static_cast<unsigned __int128>(rowBytes) * height;
  const unsigned __int128 needed = rle ? rows / kRleBytesPerByte : rows;
  if (needed > 2 * BytesFrom(file, dataStart) + kShortFileSlack) return fail("BMP: file too short for its size");

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
    return dataStart <= std::numeric_limits<std::int32_t>::max() &&
           file->Seek(static_cast<std::int32_t>(dataStart), SEEK_SET);
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
    case 16:
      if (!seekToData()) break;
      ReadPackedRows(file, 2, fields);
      break;
    case 24:
      if (bih.biCompression != BI_RGB) return fail("unknown compression");
      if (!seekToData()) break;
      file->Read(info.pixels, 1, header.biSizeImage);
      break;
    case 32:
      if (bih.biCompression != BI_RGB && bih.biCompression != kBitFields) return fail("unknown compression");
      if (!seekToData()) break;
      ReadPackedRows(file, 4, fields);
      break;
    default:
      // Unknown depths keep their header and palette only.
      break;
  }

  if (topDown && !Flip()) return fail("Can't allocate memory");
  return true;
}

void PxImageBMP::ReadPackedRows(PxFile* file, std::uint32_t bytesPerPixel, const BitFields& fields) {
  const std::uint32_t width = static_cast<std::uint32_t>(Width());
  const std::uint32_t height = static_cast<std::uint32_t>(Height());
  const MaskedChannel red(fields.red), green(fields.green), blue(fields.blue), opacity(fields.alpha);
  // Pixels that name an alpha field carry transparency, unless the writer left it 0 everywhere.
  const bool withAlpha = opacity.Present() && AlphaCreate();
  bool anyAlpha = false;

  std::vector<std::uint8_t> row(static_cast<std::size_t>(PaddedRowBytes(8ull * bytesPerPixel, width)));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::size_t got = file->Read(row.data(), 1, row.size());
    if (got == 0) break;  // the rows the file does not hold stay black
    std::fill(row.begin() + static_cast<std::ptrdiff_t>(got), row.end(), 0);
    std::uint8_t* out = info.pixels + static_cast<std::size_t>(y) * info.rowBytes;
    const std::uint8_t* in = row.data();
    for (std::uint32_t x = 0; x < width; ++x, in += bytesPerPixel, out += 3) {
      std::uint32_t pixel = in[0] | (static_cast<std::uint32_t>(in[1]) << 8);
      if (bytesPerPixel == 4) pixel |= (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
      out[0] = blue.Of(pixel);
      out[1] = green.Of(pixel);
      out[2] = red.Of(pixel);
      if (withAlpha) {
        const std::uint8_t value = opacity.ScaledOf(pixel);
        AlphaSet(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), value);
        anyAlpha = anyAlpha || value != 0;
      }
    }
  }
  if (withAlpha && !anyAlpha) AlphaDelete();
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
