#include "image/PxFile.h"

#include "image/PxStream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// --- PxIOFile -----------------------------------------------------------------------------------

PxIOFile::PxIOFile(PxStream* stream) : FStream(stream), FCloseOnDestroy(stream == nullptr) {}

PxIOFile::~PxIOFile() { PxIOFile::Close(); }

bool PxIOFile::Close() {
  if (!FStream || !FCloseOnDestroy) return true;
  const bool ok = FStream->Close();
  FStream = nullptr;
  return ok;
}

std::size_t PxIOFile::Read(void* buffer, std::size_t size, std::size_t count) {
  return FStream ? FStream->Read(buffer, size, count) : 0;
}

std::size_t PxIOFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  return FStream ? FStream->Write(buffer, size, count) : 0;
}

bool PxIOFile::Seek(std::int32_t offset, int origin) { return FStream && FStream->Seek(offset, origin); }

std::int32_t PxIOFile::GetPosition() {
  if (!FStream) return 0;
  const std::int64_t position = FStream->Tell();
  return position > std::numeric_limits<std::int32_t>::max() ? -1 : static_cast<std::int32_t>(position);
}

std::int32_t PxIOFile::GetSize() {
  if (!FStream) return -1;
  const std::int64_t position = FStream->Tell();
  if (!FStream->Seek(0, SEEK_END)) return -1;
  const std::int64_t size = FStream->Tell();
  FStream->Seek(position, SEEK_SET);
  return size > std::numeric_limits<std::int32_t>::max() ? -1 : static_cast<std::int32_t>(size);
}

bool PxIOFile::Flush() { return FStream && FStream->Flush(); }

bool PxIOFile::AtEnd() { return !FStream || FStream->AtEnd(); }

bool PxIOFile::HasError() { return !FStream || FStream->HasError(); }

bool PxIOFile::PutByte(std::uint8_t value) { return FStream && FStream->PutByte(value); }

std::int32_t PxIOFile::GetByte() { return FStream ? FStream->GetByte() : -1; }

// --- PxMemFile ----------------------------------------------------------------------------------

PxMemFile::PxMemFile(std::uint8_t* buffer, std::int32_t size)
    : FBuffer(buffer), FSize(std::max(size, 0)), FOwnsBuffer(buffer == nullptr), FPosition(0),
      FCapacity(std::max(size, 0)) {}

PxMemFile::~PxMemFile() { PxMemFile::Close(); }

bool PxMemFile::Open() {
  if (FBuffer) return false;
  FSize = 0;
  FPosition = 0;
  FCapacity = 0;
  FBuffer = static_cast<std::uint8_t*>(std::malloc(1));
  FOwnsBuffer = true;
  return FBuffer != nullptr;
}

std::uint8_t* PxMemFile::Buffer(bool detach) {
  FOwnsBuffer = !detach;
  return FBuffer;
}

bool PxMemFile::Close() {
  if (FBuffer && FOwnsBuffer) {
    std::free(FBuffer);
    FBuffer = nullptr;
    FSize = 0;
  }
  return true;
}

bool PxMemFile::Grow(std::int64_t needed) {
  if (FCapacity >= needed) return true;
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  if (needed > kLargest) return false;
  // Doubling keeps the copies of a growing block to a constant number per byte written.
  const std::int64_t capacity = std::min(std::max(((needed >> 12) + 1) << 12, std::int64_t{FCapacity} * 2), kLargest);
  std::uint8_t* grown = nullptr;
  if (FOwnsBuffer) {
    grown = static_cast<std::uint8_t*>(std::realloc(FBuffer, static_cast<std::size_t>(capacity)));
  } else {
    // A block lent by the caller is copied, never reallocated under them.
    grown = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(capacity)));
    if (grown && FBuffer) std::memcpy(grown, FBuffer, static_cast<std::size_t>(std::min(FSize, FCapacity)));
  }
  if (!grown) return false;
  FBuffer = grown;
  FCapacity = static_cast<std::int32_t>(capacity);
  FOwnsBuffer = true;
  return true;
}

std::size_t PxMemFile::Read(void* buffer, std::size_t size, std::size_t count) {
  if (!buffer || !FBuffer || FPosition >= FSize || size == 0 || count == 0) return 0;
  if (count > std::numeric_limits<std::size_t>::max() / size) return 0;
  const std::size_t bytes = std::min(size * count, static_cast<std::size_t>(FSize - FPosition));
  std::memcpy(buffer, FBuffer + FPosition, bytes);
  FPosition += static_cast<std::int32_t>(bytes);
  return bytes / size;
}

std::size_t PxMemFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  if (!buffer || !FBuffer || size == 0 || count == 0) return 0;
  if (count > std::numeric_limits<std::size_t>::max() / size) return 0;
  const std::size_t bytes = size * count;
  if (bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return 0;
  const std::int64_t end = static_cast<std::int64_t>(FPosition) + static_cast<std::int64_t>(bytes);
  if (end > std::numeric_limits<std::int32_t>::max() || !Grow(end)) return 0;
  // Bytes skipped by a seek past the end read as zeros.
  if (FPosition > FSize) std::memset(FBuffer + FSize, 0, static_cast<std::size_t>(FPosition - FSize));
  std::memcpy(FBuffer + FPosition, buffer, bytes);
  FPosition = static_cast<std::int32_t>(end);
  FSize = std::max(FSize, FPosition);
  return count;
}

bool PxMemFile::Seek(std::int32_t offset, int origin) {
  if (!FBuffer) return false;
  std::int64_t position = 0;
  switch (origin) {
    case SEEK_SET: position = offset; break;
    case SEEK_CUR: position = static_cast<std::int64_t>(FPosition) + offset; break;
    case SEEK_END: position = static_cast<std::int64_t>(FSize) + offset; break;
    default: return false;
  }
  if (position > std::numeric_limits<std::int32_t>::max()) return false;
  FPosition = static_cast<std::int32_t>(std::max<std::int64_t>(position, 0));
  return true;
}

std::int32_t PxMemFile::GetPosition() { return FBuffer ? FPosition : -1; }

std::int32_t PxMemFile::GetSize() { return FBuffer ? FSize : -1; }

bool PxMemFile::Flush() { return FBuffer != nullptr; }

bool PxMemFile::AtEnd() { return !FBuffer || FPosition >= FSize; }

bool PxMemFile::HasError() { return !FBuffer || FPosition > FSize; }

bool PxMemFile::PutByte(std::uint8_t value) {
  if (!FBuffer) return false;
  return Write(&value, 1, 1) == 1;
}

std::int32_t PxMemFile::GetByte() {
  if (AtEnd()) return -1;
  return FBuffer[FPosition++];
}
