// PxImage: construction, the pixel block, copying, ghosts and transfers, and the settings accessors.
#include "image/PxImage.h"

#include "image/PxPixelBlock.h"

#include <cmath>
#include <cstring>

namespace {

std::uint32_t PaletteEntriesFor(std::uint32_t bpp) {
  switch (bpp) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

std::uint32_t RoundedBpp(std::uint32_t bpp) {
  if (bpp <= 1) return 1;
  if (bpp <= 4) return 4;
  if (bpp <= 8) return 8;
  return 24;
}

std::int32_t PixelsPerMetre(std::int32_t dpi) {
  return static_cast<std::int32_t>(std::floor(dpi * 10000.0 / 254.0 + 0.5));
}

}  // namespace

PxImage::PxImage(std::uint32_t formatId) { ResetInfo(formatId); }

PxImage::PxImage(std::uint32_t width, std::uint32_t height, std::uint32_t bpp, std::uint32_t formatId) {
  ResetInfo(formatId);
  Create(width, height, bpp, formatId);
}

PxImage::PxImage(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha) {
  ResetInfo(source.info.formatId);
  Copy(source, copyPixels, copySelection, copyAlpha);
}

PxImage::~PxImage() { Destroy(); }

void PxImage::ResetInfo(std::uint32_t formatId) {
  // Buffers this object still owns would otherwise be lost.
  Destroy();
  dib = nullptr;
  selection = nullptr;
  alpha = nullptr;
  layers = nullptr;
  header = BITMAPINFOHEADER{};
  info = PxImageInfo{};
  info.formatId = formatId;
  info.jpegQuality = 90;
  info.alphaMax = 255;
  info.transparentIndex = -1;
  info.enabled = true;
  SetDpiX(96);
  SetDpiY(96);
}

std::uint8_t* PxImage::Create(std::uint32_t width, std::uint32_t height, std::uint32_t bpp,
                              std::uint32_t formatId) {
  if (!Destroy()) return nullptr;
  if (width == 0 || height == 0) {
    SetError("PxImage::Create : width and height must be greater than zero");
    return nullptr;
  }
  bpp = RoundedBpp(bpp);

  if (!FitsSizeLimit(width, height, bpp)) {
    SetError("PXIMAGE_MAX_MEMORY exceeded");
    return nullptr;
  }
  const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bpp + 31) / 32) * 4;
  const std::uint32_t colors = PaletteEntriesFor(bpp);
  const std::uint64_t imageBytes = rowBytes * height;
  const std::uint64_t blockBytes = sizeof(BITMAPINFOHEADER) + 4ull * colors + imageBytes;

  header = BITMAPINFOHEADER{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = static_cast<LONG>(width);
  header.biHeight = static_cast<LONG>(height);
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bpp);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(imageBytes);
  header.biXPelsPerMeter = PixelsPerMetre(info.dpiX);
  header.biYPelsPerMeter = PixelsPerMetre(info.dpiY);
  header.biClrUsed = colors;
  header.biClrImportant = 0;
  info.rowBytes = static_cast<std::uint32_t>(rowBytes);
  info.formatId = formatId;

  dib = AllocatePixelBlock(blockBytes);
  if (!dib) {
    SetError("PxImage::Create can't allocate memory");
    return nullptr;
  }
  std::memset(dib + sizeof(BITMAPINFOHEADER), 0, 4ull * colors);
  std::memcpy(dib, &header, sizeof(BITMAPINFOHEADER));
  info.pixels = dib + sizeof(BITMAPINFOHEADER) + 4ull * colors;
  ClearNearestCache();
  return dib;
}

bool PxImage::FitsSizeLimit(std::uint64_t width, std::uint64_t height, std::uint32_t bpp) {
  if (width == 0 || height == 0) return true;
  // Dividing first keeps every product below 2^64 whatever the header said.
  if (width > PXIMAGE_MAX_MEMORY || height > PXIMAGE_MAX_MEMORY / width) return false;
  bpp = RoundedBpp(bpp);
  const std::uint64_t rowBytes = ((width * bpp + 31) / 32) * 4;
  const std::uint64_t blockBytes = sizeof(BITMAPINFOHEADER) + 4ull * PaletteEntriesFor(bpp) + rowBytes * height;
  return blockBytes <= PXIMAGE_MAX_MEMORY;
}

bool PxImage::Destroy() {
  if (info.ghostOf) return false;
  if (layers) {
    for (std::int32_t i = 0; i < info.layerCount; ++i) delete layers[i];
    delete[] layers;
    layers = nullptr;
  }
  info.layerCount = 0;
  delete[] selection;
  selection = nullptr;
  delete[] alpha;
  alpha = nullptr;
  FreePixelBlock(dib);
  dib = nullptr;
  info.pixels = nullptr;
  return true;
}

std::uint8_t* PxImage::RowBits(std::uint32_t row) {
  return const_cast<std::uint8_t*>(static_cast<const PxImage*>(this)->RowBits(row));
}

const std::uint8_t* PxImage::RowBits(std::uint32_t row) const {
  if (!dib) return nullptr;
  const std::uint8_t* first = dib + header.biSize + PaletteSize();
  if (row == 0) return first;
  if (row < static_cast<std::uint32_t>(header.biHeight)) return first + static_cast<std::size_t>(row) * info.rowBytes;
  return nullptr;
}

std::uint32_t PxImage::DibSize() const { return header.biClrUsed * 4 + header.biSize + header.biSizeImage; }

bool PxImage::IsInside(std::int32_t x, std::int32_t y) const {
  return x >= 0 && x < header.biWidth && y >= 0 && y < header.biHeight;
}

void PxImage::Clear(std::uint8_t value) {
  if (!dib) return;
  if (header.biBitCount == 1 && value) value = 255;
  if (header.biBitCount == 4) value = static_cast<std::uint8_t>((value & 15) * 17);
  std::memset(info.pixels, value, header.biSizeImage);
}

void PxImage::AdoptInfo(const PxImageInfo& source) {
  // The fields that describe this object's own buffers stay this object's.
  const std::uint32_t rowBytes = info.rowBytes;
  std::uint8_t* pixels = info.pixels;
  PxImage* ghostOf = info.ghostOf;
  const std::int32_t layerCount = info.layerCount;
  info = source;
  info.rowBytes = rowBytes;
  info.pixels = pixels;
  info.ghostOf = ghostOf;
  info.layerCount = layerCount;
}

void PxImage::CopyInfo(const PxImage& source) {
  if (dib) return;
  AdoptInfo(source.info);
}

void PxImage::Copy(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha) {
  AdoptInfo(source.info);
  Create(static_cast<std::uint32_t>(source.Width()), static_cast<std::uint32_t>(source.Height()), source.Bpp(),
         source.info.formatId);
  if (copyPixels && dib && source.dib) {
    std::memcpy(dib, source.dib, source.DibSize());
  } else {
    SetPalette(source.Palette(), 256);
  }
  const std::size_t count = static_cast<std::size_t>(Width()) * Height();
  if (dib && copySelection && source.selection) {
    delete[] selection;
    selection = new (std::nothrow) std::uint8_t[count];
    if (selection) std::memcpy(selection, source.selection, count);
  }
  if (dib && copyAlpha && source.alpha) {
    delete[] alpha;
    alpha = new (std::nothrow) std::uint8_t[count];
    if (alpha) std::memcpy(alpha, source.alpha, count);
  }
}

bool PxImage::Transfer(PxImage& from) {
  if (&from == this) return true;
  if (!Destroy()) return false;
  header = from.header;
  info = from.info;
  dib = from.dib;
  selection = from.selection;
  alpha = from.alpha;
  layers = from.layers;
  from.header = BITMAPINFOHEADER{};
  from.info = PxImageInfo{};
  from.dib = nullptr;
  from.selection = nullptr;
  from.alpha = nullptr;
  from.layers = nullptr;
  return true;
}

void PxImage::Ghost(PxImage* from) {
  if (!from || from == this) return;
  Destroy();
  header = from->header;
  info = from->info;
  dib = from->dib;
  selection = from->selection;
  alpha = from->alpha;
  layers = from->layers;
  info.ghostOf = from;
}

std::uint8_t PxImage::ColorType() const {
  if (alpha) return 4;
  return header.biBitCount <= 8 ? 1 : 2;
}

void PxImage::SetTransparentColor(RGBQUAD color) {
  color.rgbReserved = 0;
  info.transparentColor = color;
}

RGBQUAD PxImage::TransparentColor() const {
  if (header.biBitCount < 24 && info.transparentIndex != -1)
    return PaletteColor(static_cast<std::uint8_t>(info.transparentIndex));
  return info.transparentColor;
}

void PxImage::SetDpiX(std::int32_t dpi) {
  if (dpi <= 0) dpi = 96;
  info.dpiX = dpi;
  header.biXPelsPerMeter = PixelsPerMetre(dpi);
}

void PxImage::SetDpiY(std::int32_t dpi) {
  if (dpi <= 0) dpi = 96;
  info.dpiY = dpi;
  header.biYPelsPerMeter = PixelsPerMetre(dpi);
}

std::uint32_t PxImage::CodecOption(std::uint32_t id) const {
  if (id == 0) id = info.formatId;
  if (id >= FMT_COUNT) return 0;
  return info.codecOptions[id];
}

bool PxImage::SetCodecOption(std::uint32_t value, std::uint32_t id) {
  if (id == 0) id = info.formatId;
  if (id >= FMT_COUNT) return false;
  info.codecOptions[id] = value;
  return true;
}

void PxImage::SetOffset(std::int32_t x, std::int32_t y) {
  info.offsetX = x;
  info.offsetY = y;
}

void PxImage::SetError(const char* text) {
  if (!text) text = "";
  std::strncpy(info.lastError, text, sizeof(info.lastError) - 1);
  info.lastError[sizeof(info.lastError) - 1] = '\0';
}
