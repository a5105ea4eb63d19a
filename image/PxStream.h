// PxStream: the image library's buffered byte stream over a Win32 file handle.
//
// It plays the part a C stream (FILE) plays for the load and save entry points and for callers that
// hand the library an open file: fread/fwrite-style counts, end-of-file and error indicators that
// stick until a seek, and a read-or-write buffer. Files are opened with CreateFileW on Windows paths
// given as UTF-8; a stream closes only a handle it opened itself.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// UTF-8 to the UTF-16 text the W functions take (empty for null or invalid text). A u16string, not a
// string of WCHAR: that would be std::wstring, whose library functions assume 4-byte characters here.
std::u16string PxWideText(const char* text);
inline const WCHAR* PxWinText(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

class PxStream {
public:
  // Opens a file by name; mode "rb" reads an existing file, "wb" creates or truncates one.
  // Null when the file cannot be opened.
  static std::unique_ptr<PxStream> Open(const char* fileName, const char* mode);

  // Borrows an open handle; the stream never closes it.
  explicit PxStream(HANDLE handle);
  ~PxStream();

  PxStream(const PxStream&) = delete;
  PxStream& operator=(const PxStream&) = delete;

  // Writes what is buffered and closes a handle the stream opened; false when either fails.
  bool Close();

  std::size_t Read(void* buffer, std::size_t size, std::size_t count);
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count);
  // origin is SEEK_SET, SEEK_CUR or SEEK_END; clears the end-of-file indicator.
  bool Seek(std::int64_t offset, int origin);
  std::int64_t Tell() const;
  bool Flush();
  bool AtEnd() const { return FAtEnd; }
  bool HasError() const { return FHasError; }
  // 0..255, or -1 at the end or on an error.
  std::int32_t GetByte();
  bool PutByte(std::uint8_t value);

private:
  PxStream(HANDLE handle, bool ownsHandle);
  bool WritePending();
  bool FillBuffer();

  static constexpr std::size_t kBufferSize = 64 * 1024;

  HANDLE FHandle = INVALID_HANDLE_VALUE;
  bool FOwnsHandle = false;
  std::unique_ptr<std::uint8_t[]> FBuffer;
  // The buffer holds file bytes from FBufferStart: FBufferLength read ones, or FBufferPos written ones.
  std::int64_t FBufferStart = 0;
  std::size_t FBufferLength = 0;
  std::size_t FBufferPos = 0;
  bool FWriting = false;
  bool FAtEnd = false;
  bool FHasError = false;
};
