#include "platform/classlib/Streams.h"

#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cstring>

namespace classlib {

// ---------------------------------------------------------------------------------------------
// TStream

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {
  throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  constexpr int ChunkSize = 64 * 1024;
  std::vector<std::uint8_t> buffer(static_cast<size_t>(std::min<std::int64_t>(Count, ChunkSize)));
  for (std::int64_t left = Count; left > 0;) {
    const int chunk = static_cast<int>(std::min<std::int64_t>(left, ChunkSize));
    Source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    left -= chunk;
  }
  return Count;
}

// ---------------------------------------------------------------------------------------------
// TFileStream

namespace {

DWORD MoveMethod(TSeekOrigin origin) {
  switch (origin) {
    case TSeekOrigin::soBeginning: return FILE_BEGIN;
    case TSeekOrigin::soCurrent: return FILE_CURRENT;
    case TSeekOrigin::soEnd: return FILE_END;
  }
  return FILE_BEGIN;
}

DWORD ShareMode(unsigned mode) {
  // Without a share mode (and with fmShareExclusive) nobody else may open the file meanwhile.
  switch (mode & 0xF0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;
  }
}

DWORD AccessMode(unsigned mode) {
  switch (mode & 0x03) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

}  // namespace

TFileStream::TFileStream(const String& FileName, unsigned Mode) : FFileName(FileName) {
  const bool create = (Mode & fmCreate) == fmCreate;
  FHandle = CreateFileW(ToWide(FileName).c_str(), create ? GENERIC_READ | GENERIC_WRITE : AccessMode(Mode),
                        ShareMode(Mode), nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
  if (FHandle == INVALID_HANDLE_VALUE)
    throw EStreamError((create ? "Cannot create file " : "Cannot open file ") + FileName);
}

TFileStream::~TFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

int TFileStream::Read(void* Buffer, int Count) {
  DWORD done = 0;
  if (Count <= 0 || !ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
  return static_cast<int>(done);
}

int TFileStream::Write(const void* Buffer, int Count) {
  DWORD done = 0;
  if (Count <= 0 || !WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
  return static_cast<int>(done);
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = Offset;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(FHandle, distance, &position, MoveMethod(Origin))) return -1;
  return position.QuadPart;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  const std::int64_t position = Position();
  if (Seek(NewSize, TSeekOrigin::soBeginning) != NewSize || !SetEndOfFile(FHandle)) {
    SetPosition(position);
    throw EStreamError("Cannot change the size of file " + FFileName);
  }
  SetPosition(std::min(position, NewSize));
}

// ---------------------------------------------------------------------------------------------
// TMemoryStream

int TMemoryStream::Read(void* Buffer, int Count) {
  const auto size = static_cast<std::int64_t>(FData.size());
  if (Count <= 0 || FPosition >= size) return 0;
  const int done = static_cast<int>(std::min<std::int64_t>(Count, size - FPosition));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(done));
  FPosition += done;
  return done;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  const std::int64_t end = FPosition + Count;
  // Writing past the end (after a seek beyond it) fills the gap with zeros.
  if (end > static_cast<std::int64_t>(FData.size())) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == TSeekOrigin::soCurrent) base = FPosition;
  if (Origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(FData.size());
  if (base + Offset < 0) return -1;
  FPosition = base + Offset;
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Stream size cannot be negative");
  FData.resize(static_cast<size_t>(NewSize));
  FPosition = std::min(FPosition, NewSize);
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const std::int64_t size = Stream.Size();
  if (size > 0x7FFFFFFF) throw EStreamError("Stream read error");
  SetSize(size);
  Stream.ReadBuffer(FData.data(), static_cast<int>(size));
}

void TMemoryStream::SaveToStream(TStream& Stream) {
  constexpr size_t ChunkSize = 1 << 30;  // WriteBuffer counts in int
  for (size_t done = 0; done < FData.size(); done += ChunkSize)
    Stream.WriteBuffer(FData.data() + done, static_cast<int>(std::min(ChunkSize, FData.size() - done)));
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

}  // namespace classlib
