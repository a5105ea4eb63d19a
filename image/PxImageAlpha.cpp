// PxImage: the alpha channel and the selection mask (width * height bytes each, bottom row first).
#include "image/PxImage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

std::size_t PlaneBytes(const PxImage& image) {
  return static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height());
}

}  // namespace

bool PxImage::AlphaCreate() {
  if (alpha) return true;
  if (!dib) return false;
  const std::size_t count = PlaneBytes(*this);
  alpha = new (std::nothrow) std::uint8_t[count];
  if (!alpha) return false;
  std::memset(alpha, 255, count);
  return true;
}

void PxImage::AlphaDelete() {
  delete[] alpha;
  alpha = nullptr;
}

void PxImage::AlphaClear() {
  if (alpha) std::memset(alpha, 0, PlaneBytes(*this));
}

bool PxImage::AlphaCopy(const PxImage& from) {
  if (!from.alpha || from.Width() != Width() || from.Height() != Height()) return false;
  const std::size_t count = PlaneBytes(*this);
  if (!alpha) {
    alpha = new (std::nothrow) std::uint8_t[count];
    if (!alpha) return false;
  }
  std::memcpy(alpha, from.alpha, count);
  info.alphaMax = from.info.alphaMax;
  return true;
}

void PxImage::AlphaSet(std::int32_t x, std::int32_t y, std::uint8_t value) {
  if (alpha && IsInside(x, y)) alpha[static_cast<std::size_t>(y) * Width() + x] = value;
}

std::uint8_t PxImage::AlphaGet(std::int32_t x, std::int32_t y) const {
  if (!alpha || !IsInside(x, y)) return 0;
  return alpha[static_cast<std::size_t>(y) * Width() + x];
}

std::uint8_t* PxImage::AlphaPointer(std::int32_t x, std::int32_t y) {
  if (!alpha || !IsInside(x, y)) return nullptr;
  return alpha + static_cast<std::size_t>(y) * Width() + x;
}

std::uint8_t PxImage::BlindAlphaGet(std::int32_t x, std::int32_t y) const {
  return alpha[static_cast<std::size_t>(y) * Width() + x];
}

bool PxImage::AlphaFlip() {
  if (!alpha) return false;
  const std::size_t width = static_cast<std::size_t>(Width());
  const std::size_t height = static_cast<std::size_t>(Height());
  std::unique_ptr<std::uint8_t[]> flipped(new (std::nothrow) std::uint8_t[width * height]);
  if (!flipped) return false;
  for (std::size_t y = 0; y < height; ++y)
    std::memcpy(flipped.get() + (height - 1 - y) * width, alpha + y * width, width);
  delete[] alpha;
  alpha = flipped.release();
  return true;
}

bool PxImage::AlphaMirror() {
  if (!alpha) return false;
  const std::size_t width = static_cast<std::size_t>(Width());
  const std::size_t height = static_cast<std::size_t>(Height());
  std::unique_ptr<std::uint8_t[]> mirrored(new (std::nothrow) std::uint8_t[width * height]);
  if (!mirrored) return false;
  for (std::size_t y = 0; y < height; ++y)
    std::reverse_copy(alpha + y * width, alpha + (y + 1) * width, mirrored.get() + y * width);
  delete[] alpha;
  alpha = mirrored.release();
  return true;
}

bool PxImage::SelectionIsInside(std::int32_t x, std::int32_t y) const {
  if (!IsInside(x, y)) return false;
  return !selection || selection[static_cast<std::size_t>(y) * Width() + x] != 0;
}

bool PxImage::SelectionDelete() {
  delete[] selection;
  selection = nullptr;
  info.selectionBox = RECT{Width(), 0, 0, Height()};
  return true;
}

bool PxImage::SelectionCopy(const PxImage& from) {
  if (!from.selection || from.Width() != Width() || from.Height() != Height()) return false;
  const std::size_t count = PlaneBytes(*this);
  if (!selection) {
    selection = new (std::nothrow) std::uint8_t[count];
    if (!selection) return false;
  }
  std::memcpy(selection, from.selection, count);
  info.selectionBox = from.info.selectionBox;
  return true;
}
