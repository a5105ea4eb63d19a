#include "image/PxImageIterator.h"

#include "image/PxImage.h"

#include <cstring>

PxImageIterator::PxImageIterator(PxImage* image) : FImage(image) {
  if (FImage) FRowPointer = FImage->RowBits(0);
}

void PxImageIterator::MoveToTop() {
  if (!FImage || FImage->Height() <= 0) return;
  FRow = FImage->Height() - 1;
  FRowPointer = FImage->RowBits(static_cast<std::uint32_t>(FRow));
}

bool PxImageIterator::StepDown() {
  if (!FImage || !FRowPointer || FRow - 1 < 0) return false;
  --FRow;
  FRowPointer -= FImage->RowBytes();
  return true;
}

void PxImageIterator::MoveToRow(std::int32_t row) {
  if (!FImage || row < 0 || row >= FImage->Height()) return;
  FRow = row;
  FRowPointer = FImage->RowBits(static_cast<std::uint32_t>(row));
}

std::uint8_t* PxImageIterator::RowAt(std::int32_t row) {
  MoveToRow(row);
  return FRowPointer;
}

void PxImageIterator::WriteRow(const std::uint8_t* source, std::int32_t length) {
  if (!FImage || !FRowPointer || !source || length == 0) return;
  const auto rowBytes = static_cast<std::int64_t>(FImage->RowBytes());
  const std::int64_t count = (length < 0 || length >= rowBytes) ? rowBytes : length;
  std::memcpy(FRowPointer, source, static_cast<std::size_t>(count));
}

void PxImageIterator::ReadRow(std::uint8_t* destination, std::int32_t length) const {
  if (!FImage || !FRowPointer || !destination || length <= 0) return;
  // A row holds RowBytes bytes; more than that would read the next row or past the block.
  const auto rowBytes = static_cast<std::int64_t>(FImage->RowBytes());
  const std::int64_t count = length > rowBytes ? rowBytes : length;
  std::memcpy(destination, FRowPointer, static_cast<std::size_t>(count));
}

bool PxImageIterator::IsInside() const { return FImage && FImage->IsInside(FColumn, FRow); }
