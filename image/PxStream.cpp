#include "image/PxStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

std::u16string PxWideText(const char* text) {
  if (!text || !*text) return {};
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (length <= 0) return {};
  try {
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, reinterpret_cast<WCHAR*>(wide.data()), length);
    wide.resize(static_cast<std::size_t>(length) - 1);
    return wide;
  } catch (const std::bad_alloc&) {
    return {};  // no name, so nothing gets opened
  }
}

std::unique_ptr<PxStream> PxStream::Open(const char* fileName, const char* mode) {
  const std::u16string name = PxWideText(fileName);
  if (name.empty() || !mode) return nullptr;
  const bool writing = mode[0] == 'w';
  if (!writing && mode[0] != 'r') return nullptr;
  HANDLE handle = CreateFileW(PxWinText(name), writing ? GENERIC_WRITE : GENERIC_READ,
                              writing ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, writing ? CREATE_ALWAYS : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  std::unique_ptr<PxStream> stream(new (std::nothrow) PxStream(handle, true));
  if (!stream || !stream->FBuffer) {
    if (!stream) CloseHandle(handle);
    return nullptr;
  }
  return stream;
}

PxStream::PxStream(HANDLE handle) : PxStream(handle, false) {}

PxStream::PxStream(HANDLE handle, bool ownsHandle)
    : FHandle(handle), FOwnsHandle(ownsHandle), FBuffer(new (std::nothrow) std::uint8_t[kBufferSize]) {
  LARGE_INTEGER zero{}, position{};
  if (FHandle != INVALID_HANDLE_VALUE && FHandle && SetFilePointerEx(FHandle, zero, &position, FILE_CURRENT))
    FBufferStart = position.QuadPart;
  if (!FBuffer) FHasError = true;
}

PxStream::~PxStream() { Close(); }

bool PxStream::Close() {
  if (FHandle == INVALID_HANDLE_VALUE || !FHandle) return true;
  bool ok = Flush();
  if (FOwnsHandle) {
    if (!CloseHandle(FHandle)) ok = false;
  } else {
    // A borrowed handle is left where the caller's reading or writing stopped.
    LARGE_INTEGER target{};
    target.QuadPart = Tell();
    SetFilePointerEx(FHandle, target, nullptr, FILE_BEGIN);
  }
  FHandle = INVALID_HANDLE_VALUE;
  return ok;
}

bool PxStream::WritePending() {
  if (!FWriting || FBufferPos == 0) return true;
  DWORD written = 0;
  const BOOL ok = WriteFile(FHandle, FBuffer.get(), static_cast<DWORD>(FBufferPos), &written, nullptr);
  if (!ok || written != FBufferPos) {
    FHasError = true;
    return false;
  }
  FBufferStart += static_cast<std::int64_t>(FBufferPos);
  FBufferPos = 0;
  return true;
}

bool PxStream::FillBuffer() {
  FBufferStart += static_cast<std::int64_t>(FBufferLength);
  FBufferLength = 0;
  FBufferPos = 0;
  DWORD got = 0;
  if (!ReadFile(FHandle, FBuffer.get(), static_cast<DWORD>(kBufferSize), &got, nullptr)) {
    FHasError = true;
    return false;
  }
  FBufferLength = got;
  if (got == 0) {
    FAtEnd = true;
    return false;
  }
  return true;
}

std::size_t PxStream::Read(void* buffer, std::size_t size, std::size_t count) {
  if (FHandle == INVALID_HANDLE_VALUE || !FBuffer || !buffer || size == 0 || count == 0) return 0;
  if (count > std::numeric_limits<std::size_t>::max() / size) return 0;
  if (FWriting) {
    if (!WritePending()) return 0;
    FWriting = false;
    FBufferLength = 0;
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  const std::size_t wanted = size * count;
  std::size_t done = 0;
  while (done < wanted) {
    if (FBufferPos >= FBufferLength && !FillBuffer()) break;
    const std::size_t chunk = std::min(wanted - done, FBufferLength - FBufferPos);
    std::memcpy(out + done, FBuffer.get() + FBufferPos, chunk);
    FBufferPos += chunk;
    done += chunk;
  }
  return done / size;
}

std::size_t PxStream::Write(const void* buffer, std::size_t size, std::size_t count) {
  if (FHandle == INVALID_HANDLE_VALUE || !FBuffer || !buffer || size == 0 || count == 0) return 0;
  if (count > std::numeric_limits<std::size_t>::max() / size) return 0;
  if (!FWriting) {
    // Put the handle where reading stopped, then buffer writes from there.
    LARGE_INTEGER target{};
    target.QuadPart = Tell();
    if (!SetFilePointerEx(FHandle, target, nullptr, FILE_BEGIN)) {
      FHasError = true;
      return 0;
    }
    FBufferStart = target.QuadPart;
    FBufferLength = 0;
    FBufferPos = 0;
    FWriting = true;
  }
  const auto* in = static_cast<const std::uint8_t*>(buffer);
  const std::size_t wanted = size * count;
  std::size_t done = 0;
  while (done < wanted) {
    if (FBufferPos == kBufferSize && !WritePending()) break;
    const std::size_t chunk = std::min(wanted - done, kBufferSize - FBufferPos);
    std::memcpy(FBuffer.get() + FBufferPos, in + done, chunk);
    FBufferPos += chunk;
    done += chunk;
  }
  return done / size;
}

bool PxStream::Seek(std::int64_t offset, int origin) {
  if (FHandle == INVALID_HANDLE_VALUE || !FBuffer) return false;
  if (!WritePending()) return false;
  std::int64_t target = 0;
  switch (origin) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = Tell() + offset; break;
    case SEEK_END: {
      LARGE_INTEGER size{};
      if (!GetFileSizeEx(FHandle, &size)) return false;
      target = size.QuadPart + offset;
      break;
    }
    default: return false;
  }
  if (target < 0) return false;
  FAtEnd = false;
  if (!FWriting && target >= FBufferStart && target <= FBufferStart + static_cast<std::int64_t>(FBufferLength)) {
    FBufferPos = static_cast<std::size_t>(target - FBufferStart);
    return true;
  }
  LARGE_INTEGER position{};
  position.QuadPart = target;
  if (!SetFilePointerEx(FHandle, position, nullptr, FILE_BEGIN)) {
    FHasError = true;
    return false;
  }
  FBufferStart = target;
  FBufferLength = 0;
  FBufferPos = 0;
  return true;
}

std::int64_t PxStream::Tell() const { return FBufferStart + static_cast<std::int64_t>(FBufferPos); }

bool PxStream::Flush() {
  if (FHandle == INVALID_HANDLE_VALUE) return false;
  return WritePending();
}

std::int32_t PxStream::GetByte() {
  if (!FWriting && FBufferPos < FBufferLength) return FBuffer[FBufferPos++];
  std::uint8_t value = 0;
  return Read(&value, 1, 1) == 1 ? value : -1;
}

bool PxStream::PutByte(std::uint8_t value) { return Write(&value, 1, 1) == 1; }
