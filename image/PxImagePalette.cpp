// PxImage: palette access, the nearest-colour search and single-pixel reads and writes.
#include "image/PxImage.h"

#include <algorithm>

std::uint32_t PxImage::PaletteSize() const { return dib ? header.biClrUsed * 4 : 0; }

RGBQUAD* PxImage::Palette() {
  return const_cast<RGBQUAD*>(static_cast<const PxImage*>(this)->Palette());
}

const RGBQUAD* PxImage::Palette() const {
  if (!dib || header.biClrUsed == 0) return nullptr;
  return reinterpret_cast<const RGBQUAD*>(dib + header.biSize);
}

RGBQUAD PxImage::PaletteColor(std::uint8_t index) const {
  const RGBQUAD* palette = Palette();
  if (!palette || index >= header.biClrUsed) return RGBQUAD{};
  return palette[index];
}

bool PxImage::PaletteRGB(std::uint8_t index, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) const {
  const RGBQUAD* palette = Palette();
  if (!palette || index >= header.biClrUsed) return false;
  red = palette[index].rgbRed;
  green = palette[index].rgbGreen;
  blue = palette[index].rgbBlue;
  return true;
}

void PxImage::SetPaletteEntry(std::uint8_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                              std::uint8_t alphaByte) {
  SetPaletteColor(index, MakeColor(red, green, blue, alphaByte));
}

void PxImage::SetPaletteColor(std::uint8_t index, RGBQUAD color) {
  RGBQUAD* palette = Palette();
  if (!palette || index >= header.biClrUsed) return;
  palette[index] = color;
  ClearNearestCache();
}

void PxImage::SetPalette(const RGBQUAD* entries, std::uint32_t count) {
  RGBQUAD* palette = Palette();
  if (!palette || !entries) return;
  std::copy_n(entries, std::min(count, header.biClrUsed), palette);
  ClearNearestCache();
}

void PxImage::SetPaletteRGB(std::uint32_t count, const std::uint8_t* red, const std::uint8_t* green,
                            const std::uint8_t* blue) {
  RGBQUAD* palette = Palette();
  if (!palette || !red) return;
  if (!green) green = red;
  if (!blue) blue = green;
  const std::uint32_t n = std::min(count, header.biClrUsed);
  for (std::uint32_t i = 0; i < n; ++i) {
    palette[i].rgbRed = red[i];
    palette[i].rgbGreen = green[i];
    palette[i].rgbBlue = blue[i];
  }
  ClearNearestCache();
}

void PxImage::SetPaletteTriples(const std::uint8_t* triples, std::uint32_t count) {
  RGBQUAD* palette = Palette();
  if (!palette || !triples) return;
  const std::uint32_t n = std::min(count, header.biClrUsed);
  for (std::uint32_t i = 0; i < n; ++i) {
    palette[i].rgbRed = triples[3 * i];
    palette[i].rgbGreen = triples[3 * i + 1];
    palette[i].rgbBlue = triples[3 * i + 2];
  }
  ClearNearestCache();
}

void PxImage::SetGrayPalette() {
  RGBQUAD* palette = Palette();
  if (!palette || header.biClrUsed < 2) return;
  const std::uint32_t step = 255 / (header.biClrUsed - 1);
  for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
    const auto level = static_cast<std::uint8_t>(i * step);
    palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = level;
  }
  ClearNearestCache();
}

bool PxImage::IsGrayScale() const {
  const RGBQUAD* palette = Palette();
  if (!palette) return false;
  for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
    if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i) return false;
  }
  return true;
}

bool PxImage::HasPaletteAlpha() const {
  const RGBQUAD* palette = Palette();
  if (!palette) return false;
  return std::any_of(palette, palette + header.biClrUsed, [](const RGBQUAD& entry) { return entry.rgbReserved != 0; });
}

void PxImage::SwapIndex(std::uint8_t a, std::uint8_t b) {
  if (!Palette()) return;
  const RGBQUAD colorA = PaletteColor(a);
  SetPaletteColor(a, PaletteColor(b));
  SetPaletteColor(b, colorA);
  for (std::int32_t y = 0; y < Height(); ++y) {
    for (std::int32_t x = 0; x < Width(); ++x) {
      const std::uint8_t index = BlindPixelIndex(x, y);
      if (index == a) SetPixelIndex(x, y, b);
      else if (index == b) SetPixelIndex(x, y, a);
    }
  }
}

std::uint8_t PxImage::NearestIndex(RGBQUAD color) {
  const RGBQUAD* palette = Palette();
  if (!palette) return 0;
  auto& cache = info.nearestCache;
  if (cache.valid && PackColor(cache.color) == PackColor(color)) return cache.index;
  cache.color = color;
  cache.valid = 1;

  const std::uint32_t n = std::min<std::uint32_t>(
      header.biClrImportant != 0 ? header.biClrImportant : header.biClrUsed, header.biClrUsed);
  std::int64_t bestDistance = 200000;
  std::uint32_t best = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::int64_t db = palette[i].rgbBlue - color.rgbBlue;
    const std::int64_t dg = palette[i].rgbGreen - color.rgbGreen;
    const std::int64_t dr = palette[i].rgbRed - color.rgbRed;
    const std::int64_t distance = db * db + dg * dg + dr * dr;
    if (distance == 0) {
      best = i;
      break;
    }
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  cache.index = static_cast<std::uint8_t>(best);
  return cache.index;
}

std::uint8_t PxImage::PixelIndex(std::int32_t x, std::int32_t y) const {
  if (!dib || header.biClrUsed == 0) return 0;
  if (!IsInside(x, y)) {
    if (info.transparentIndex != -1) return static_cast<std::uint8_t>(info.transparentIndex);
    return *info.pixels;
  }
  return BlindPixelIndex(x, y);
}

std::uint8_t PxImage::BlindPixelIndex(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* row = info.pixels + static_cast<std::size_t>(y) * info.rowBytes;
  switch (header.biBitCount) {
    case 8: return row[x];
    case 4: {
      const std::uint8_t byte = row[x >> 1];
      return (x & 1) ? (byte & 0x0F) : (byte >> 4);
    }
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
  }
}

void PxImage::SetPixelIndex(std::int32_t x, std::int32_t y, std::uint8_t index) {
  if (!dib || header.biClrUsed == 0 || !IsInside(x, y)) return;
  std::uint8_t* row = info.pixels + static_cast<std::size_t>(y) * info.rowBytes;
  switch (header.biBitCount) {
    case 8: row[x] = index; break;
    case 4: {
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F))
                     : static_cast<std::uint8_t>((byte & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    case 1: {
      const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
      std::uint8_t& byte = row[x >> 3];
      byte = (index & 1) ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
      break;
    }
    default: break;
  }
}

RGBQUAD PxImage::PixelColor(std::int32_t x, std::int32_t y, bool withAlpha) const {
  if (!dib || !IsInside(x, y)) {
    if (info.transparentIndex == -1) return dib ? PixelColor(0, 0, true) : info.transparentColor;
    if (header.biBitCount < 24) return PaletteColor(static_cast<std::uint8_t>(info.transparentIndex));
    return info.transparentColor;
  }
  RGBQUAD color;
  if (header.biClrUsed != 0) {
    color = PaletteColor(BlindPixelIndex(x, y));
  } else {
    const std::uint8_t* pixel = info.pixels + static_cast<std::size_t>(y) * info.rowBytes + 3 * static_cast<std::size_t>(x);
    color = RGBQUAD{pixel[0], pixel[1], pixel[2], info.transparentColor.rgbReserved};
  }
  if (withAlpha && alpha) color.rgbReserved = BlindAlphaGet(x, y);
  return color;
}

RGBQUAD PxImage::BlindPixelColor(std::int32_t x, std::int32_t y) const {
  if (header.biClrUsed != 0) return PaletteColor(BlindPixelIndex(x, y));
  const std::uint8_t* pixel = info.pixels + static_cast<std::size_t>(y) * info.rowBytes + 3 * static_cast<std::size_t>(x);
  RGBQUAD color{pixel[0], pixel[1], pixel[2], 0};
  if (alpha) color.rgbReserved = BlindAlphaGet(x, y);
  return color;
}

void PxImage::SetPixelColor(std::int32_t x, std::int32_t y, RGBQUAD color, bool setAlpha) {
  if (!dib || !IsInside(x, y)) return;
  if (header.biClrUsed != 0) {
    SetPixelIndex(x, y, NearestIndex(color));
    return;
  }
  std::uint8_t* pixel = info.pixels + static_cast<std::size_t>(y) * info.rowBytes + 3 * static_cast<std::size_t>(x);
  pixel[0] = color.rgbBlue;
  pixel[1] = color.rgbGreen;
  pixel[2] = color.rgbRed;
  if (setAlpha) AlphaSet(x, y, color.rgbReserved);
}

void PxImage::SetPixelColorRef(std::int32_t x, std::int32_t y, COLORREF value) {
  SetPixelColor(x, y, ColorRefToRgbQuad(value), false);
}

std::uint8_t* PxImage::BlindPixelPointer(std::int32_t x, std::int32_t y) {
  if (header.biClrUsed != 0) return nullptr;
  return info.pixels + static_cast<std::size_t>(y) * info.rowBytes + 3 * static_cast<std::size_t>(x);
}

void PxImage::SwapRedBlue(std::uint8_t* buffer, std::int32_t length) const {
  if (!buffer || header.biBitCount != 24 || length <= 0) return;
  const std::uint32_t end = std::min(static_cast<std::uint32_t>(length), info.rowBytes);
  for (std::uint32_t i = 0; i + 2 < end; i += 3) std::swap(buffer[i], buffer[i + 2]);
}

RGBQUAD ColorRefToRgbQuad(COLORREF value) {
  return RGBQUAD{GetBValue(value), GetGValue(value), GetRValue(value), 0};
}

std::int32_t CompareGray(const std::uint8_t* a, const std::uint8_t* b) {
  return static_cast<std::int32_t>(GrayLevel(a[0], a[1], a[2])) - GrayLevel(b[0], b[1], b[2]);
}
