#include "image/PxImageWMF.h"

#include "image/PxFile.h"
#include "image/PxImageWMFRecords.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::int32_t kMaxSide = 4000;

#pragma pack(push, 1)
// The standard Windows metafile header that follows the placeable one.
struct WindowsMetaHeader {
  std::uint16_t type;        // 1 in memory, 2 on disk
  std::uint16_t headerSize;  // in 16-bit words
  std::uint16_t version;
  std::uint32_t sizeInWords;
  std::uint16_t objectCount;
  std::uint32_t maxRecord;
  std::uint16_t parameterCount;
};
#pragma pack(pop)
static_assert(sizeof(WindowsMetaHeader) == 18, "Windows metafile header is 18 bytes on disk");

// The screen's device context for one decode, released on every path.
class ScreenDC {
public:
  ScreenDC() : FHandle(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (FHandle) ReleaseDC(nullptr, FHandle);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Handle() const { return FHandle; }

private:
  HDC FHandle;
};

// An enhanced metafile handle deleted when it goes out of scope.
struct EnhMetaFileDeleter {
  void operator()(HENHMETAFILE__* handle) const { DeleteEnhMetaFile(handle); }
};
using EnhMetaFile = std::unique_ptr<HENHMETAFILE__, EnhMetaFileDeleter>;

}  // namespace

bool PxImageWMF::CheckPlaceableHeader(const PxPlaceableMetaHeader& header) {
  std::uint16_t words[10];
  std::memcpy(words, &header, sizeof(words));
  std::uint16_t checksum = 0;
  for (const std::uint16_t word : words) checksum ^= word;
  return header.key == kPlaceableKey && header.checksum == checksum && header.unitsPerInch >= 1 &&
         header.unitsPerInch <= 2540;
}

HENHMETAFILE PxImageWMF::ReadPlaceableWmf(PxFile* file, PxPlaceableMetaHeader& header) {
  const std::int32_t start = file->GetPosition();
  const std::int32_t size = file->GetSize();
  if (file->Read(&header, sizeof(header), 1) != 1 || !CheckPlaceableHeader(header)) return nullptr;
  // A picture without positive extents has nothing to play (and would never finish scaling below).
  const std::int32_t boxWidth = header.right - header.left;
  const std::int32_t boxHeight = header.bottom - header.top;
  if (boxWidth <= 0 || boxHeight <= 0) return nullptr;

  WindowsMetaHeader meta;
  if (file->Read(&meta, sizeof(meta), 1) != 1 || (meta.type != 1 && meta.type != 2)) return nullptr;
  const std::uint64_t bytes = static_cast<std::uint64_t>(meta.sizeInWords) * 2;
  if (size < 0 || bytes < sizeof(meta) || bytes > static_cast<std::uint64_t>(size)) return nullptr;
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[bytes]);
  if (!data) return nullptr;

  if (!file->Seek(start + static_cast<std::int32_t>(sizeof(header)), SEEK_SET) ||
      file->Read(data.get(), 1, bytes) != bytes || !CheckWinMetaRecords(data.get(), bytes))
    return nullptr;

  ScreenDC screen;
  const std::int32_t dpiX = GetDeviceCaps(screen.Handle(), LOGPIXELSX);
  const std::int32_t dpiY = GetDeviceCaps(screen.Handle(), LOGPIXELSY);
  METAFILEPICT picture{};
  picture.mm = MM_ANISOTROPIC;
  picture.xExt = boxWidth * dpiX / header.unitsPerInch;
  picture.yExt = boxHeight * dpiY / header.unitsPerInch;
  while (picture.xExt > 0 && picture.yExt > 0 && picture.xExt < 6554 && picture.yExt < 6554) {
    picture.xExt *= 10;
    picture.yExt *= 10;
  }
  HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(bytes), data.get(), screen.Handle(), &picture);
  if (!handle) {
    picture.mm = MM_TEXT;
    handle = SetWinMetaFileBits(static_cast<UINT>(bytes), data.get(), screen.Handle(), &picture);
  }
  return handle;
}

HENHMETAFILE PxImageWMF::ReadEnhMetaFile(PxFile* file, ENHMETAHEADER& header) {
  const std::int32_t start = file->GetPosition();
  const std::int32_t size = file->GetSize();
  if (start < 0 || size <= start) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(size - start);
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[bytes]);
  if (!data || file->Read(data.get(), 1, bytes) != bytes) return nullptr;

  // GDI walks the records by the sizes and counts they state: every one is checked first.
  ENHMETAHEADER stated{};
  constexpr std::size_t kMinimumHeader = offsetof(ENHMETAHEADER, cbPixelFormat);
  if (bytes < kMinimumHeader) return nullptr;
  std::memcpy(&stated, data.get(), std::min(bytes, sizeof(stated)));
  if (stated.iType != EMR_HEADER || stated.dSignature != ENHMETA_SIGNATURE || stated.nSize < kMinimumHeader ||
      stated.nSize > bytes || stated.nBytes < stated.nSize || stated.nBytes > bytes ||
      !CheckEnhMetaRecords(data.get(), stated.nBytes))
    return nullptr;

  HENHMETAFILE handle = SetEnhMetaFileBits(stated.nBytes, data.get());
  if (!handle) return nullptr;
  if (!GetEnhMetaFileHeader(handle, sizeof(header), &header)) {
    DeleteEnhMetaFile(handle);
    return nullptr;
  }
  return handle;
}

void PxImageWMF::ShrinkMetafile(std::int32_t& width, std::int32_t& height) {
  if (width > kMaxSide) {
    height = static_cast<std::int32_t>(static_cast<std::int64_t>(height) * kMaxSide / width);
    width = kMaxSide;
  }
  if (height > kMaxSide) {
    width = static_cast<std::int32_t>(static_cast<std::int64_t>(width) * kMaxSide / height);
    height = kMaxSide;
  }
}

bool PxImageWMF::Decode(PxFile* file, std::int32_t maxWidth, std::int32_t maxHeight) {
  const std::int32_t start = file->GetPosition();
  std::int32_t cx = 0;
  std::int32_t cy = 0;

  PxPlaceableMetaHeader placeable{};
  EnhMetaFile metafile(ReadPlaceableWmf(file, placeable));
  if (metafile) {
    ScreenDC screen;
    cx = (placeable.right - placeable.left) * GetDeviceCaps(screen.Handle(), LOGPIXELSX) / placeable.unitsPerInch;
    cy = (placeable.bottom - placeable.top) * GetDeviceCaps(screen.Handle(), LOGPIXELSY) / placeable.unitsPerInch;
  } else {
    file->Seek(start, SEEK_SET);
    ENHMETAHEADER enhanced{};
    metafile.reset(ReadEnhMetaFile(file, enhanced));
    if (!metafile) {
      SetError("corrupted WMF");
      return false;
    }
    cx = enhanced.rclBounds.right - enhanced.rclBounds.left;
    cy = enhanced.rclBounds.bottom - enhanced.rclBounds.top;
  }

  if (info.escape) {
    SetError("Cancelled");
    return false;
  }
  if (cx <= 0 || cy <= 0) {
    SetError("empty WMF");
    return false;
  }
  if (maxWidth) cx = maxWidth;
  if (maxHeight) cy = maxHeight;
  ShrinkMetafile(cx, cy);

  HBITMAP bitmap = nullptr;
  HDC memory = nullptr;
  {
    ScreenDC screen;
    bitmap = CreateCompatibleBitmap(screen.Handle(), cx, cy);
    memory = CreateCompatibleDC(screen.Handle());
  }
  if (!bitmap || !memory) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return false;
  }
  auto release = [&]() {
    DeleteObject(bitmap);
    DeleteDC(memory);
  };

  const std::int32_t bpp = GetDeviceCaps(memory, BITSPIXEL);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  // The picture is drawn on the system window colour, as a document window shows it.
  const RECT area{0, 0, cx, cy};
  const COLORREF oldBackground = SetBkColor(memory, GetSysColor(COLOR_WINDOW));
  ExtTextOutA(memory, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(memory, oldBackground);

  HPALETTE palette = nullptr;
  HPALETTE oldPalette = nullptr;
  const UINT paletteEntries = GetEnhMetaFilePaletteEntries(metafile.get(), 0, nullptr);
  if (paletteEntries > 0 && paletteEntries != GDI_ERROR) {
    std::unique_ptr<std::uint8_t[]> storage(
        new (std::nothrow) std::uint8_t[sizeof(LOGPALETTE) + paletteEntries * sizeof(PALETTEENTRY)]);
    if (!storage) {
      SelectObject(memory, oldBitmap);
      release();
      SetError("Cancelled");
      return false;
    }
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.get());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(paletteEntries);
    GetEnhMetaFilePaletteEntries(metafile.get(), paletteEntries, logical->palPalEntry);
    palette = CreatePalette(logical);
    if (palette) {
      oldPalette = SelectPalette(memory, palette, FALSE);
      RealizePalette(memory);
    }
  }

  const bool played = PlayCheckedEnhMetaFile(memory, metafile.get(), area);
  if (palette) {
    SelectPalette(memory, oldPalette, FALSE);
    DeleteObject(palette);
  }
  SelectObject(memory, oldBitmap);
  metafile.reset();

  if (!played) {
    release();
    SetError("corrupted WMF");
    return false;
  }

  if (info.escape) {
    release();
    SetError("Cancelled");
    return false;
  }
  if (!Create(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), static_cast<std::uint32_t>(bpp), FMT_WMF)) {
    release();
    return false;
  }
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(cy), info.pixels,
                             reinterpret_cast<BITMAPINFO*>(dib), DIB_RGB_COLORS);
  release();
  return rows > 0;
}

bool PxImageWMF::Encode(PxFile* file) {
  if (file) SetError("Save WMF not supported");
  return false;
}
