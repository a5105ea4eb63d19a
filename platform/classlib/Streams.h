// Byte streams: the abstract stream, files through Win32 handles, and a growing memory block.
#pragma once

#include "platform/classlib/Component.h"

#include <cstdint>
#include <vector>

namespace classlib {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  // Reads up to Count bytes; returns how many were read (0 at the end).
  virtual int Read(void* Buffer, int Count) = 0;
  // Writes up to Count bytes; returns how many were written.
  virtual int Write(const void* Buffer, int Count) = 0;
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t Value) { Seek(Value, TSeekOrigin::soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t NewSize);

  // Exactly Count bytes or EStreamError.
  void ReadBuffer(void* Buffer, int Count);
  void WriteBuffer(const void* Buffer, int Count);
  // Copies Count bytes from Source (all of it from its start when Count is 0); returns the count.
  std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
};

// fmCreate makes or truncates the file; otherwise an open mode plus a share mode.
enum : unsigned {
  fmCreate = 0xFF00,
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040,
};

// A file opened through CreateFileW with a Windows path; throws EStreamError naming the file when it cannot.
class TFileStream : public TStream {
public:
  TFileStream(const String& FileName, unsigned Mode);
  ~TFileStream() override;

  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  const String& FileName() const { return FFileName; }
  HANDLE Handle() const { return FHandle; }

private:
  String FFileName;
  HANDLE FHandle = INVALID_HANDLE_VALUE;
};

class TMemoryStream : public TStream {
public:
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  void Clear();
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  const std::uint8_t* Memory() const { return FData.data(); }
  std::uint8_t* Memory() { return FData.data(); }

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

}  // namespace classlib
